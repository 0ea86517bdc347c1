// SPDX-License-Identifier: GPL-3.0-or-later
// Tests on a desktop of their own: each run starts Xvfb and openbox (see
// DesktopSession), then the application on it with the xcb platform and,
// where this binary is built with one, the platform theme named by
// ZORVANE_PLATFORM_THEME. Listing the tests starts nothing.
#include <gtest/gtest.h>

#include <QStandardPaths>
#include <cstdio>

#include "app/CZorvaneApp.h"
#include "tests/desktop/DesktopSession.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();

  const DesktopSession desktop;
  if (!desktop.Started()) {
    std::fprintf(stderr, "no desktop for the tests: %s\n", desktop.Failure().c_str());
    return 1;
  }
  qputenv("DISPLAY", desktop.Display().c_str());
  qputenv("QT_QPA_PLATFORM", "xcb");
#ifdef ZORVANE_PLATFORM_THEME
  qputenv("QT_QPA_PLATFORMTHEME", ZORVANE_PLATFORM_THEME);
#else
  qunsetenv("QT_QPA_PLATFORMTHEME");
#endif
  // GTK and GLib keep to this process: no accessibility bus, no desktop
  // settings service, no virtual file systems.
  qputenv("NO_AT_BRIDGE", "1");
  qputenv("GSETTINGS_BACKEND", "memory");
  qputenv("GIO_USE_VFS", "local");
  qputenv("GTK_USE_PORTAL", "0");
  QStandardPaths::setTestModeEnabled(true);
  CZorvaneApp app(argc, argv);
  return RUN_ALL_TESTS();
}

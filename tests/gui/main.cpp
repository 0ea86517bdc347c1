// SPDX-License-Identifier: GPL-3.0-or-later
// GUI tests run against one application object under the offscreen
// platform; settings go to a throw-away test location.
#include <gtest/gtest.h>

#include <QStandardPaths>

#include "app/CZorvaneApp.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QStandardPaths::setTestModeEnabled(true);
  CZorvaneApp app(argc, argv);
  return RUN_ALL_TESTS();
}

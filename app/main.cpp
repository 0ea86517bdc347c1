// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdio>
#include <cstring>

#include "app/CZorvaneApp.h"
#include "resources/Strings.h"

int main(int argc, char** argv) {
  // Answer --help and --version before Qt looks for a display.
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::fputs(qPrintable(CZorvaneApp::Usage()), stdout);
      return 0;
    }
    if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("%s %s\n%s\n", kAppName, kProgramVersion, kLicenseLine);
      return 0;
    }
  }
  CZorvaneApp app(argc, argv);
  switch (app.InitInstance(app.arguments())) {
    case CZorvaneApp::StartResult::ExitOk: return 0;
    case CZorvaneApp::StartResult::ExitError: return 1;
    case CZorvaneApp::StartResult::Run: break;
  }
  return app.exec();
}

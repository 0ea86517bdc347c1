// SPDX-License-Identifier: GPL-3.0-or-later
#include <iostream>

#include "tools/cli/Subcommand.h"
#include "tools/cli/platform/CliPlatform.h"

int main(int argc, char** argv) {
  CliStreams io{std::cout, std::cerr, ErrorIsTerminal()};
  return RunCli(CommandArguments(argc, argv), io);
}

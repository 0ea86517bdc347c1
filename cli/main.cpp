// SPDX-License-Identifier: GPL-3.0-or-later
#include <iostream>

#include "cli/Subcommand.h"
#include "cli/platform/CliPlatform.h"

int main(int argc, char** argv) {
  CliStreams io{std::cout, std::cerr, ErrorIsTerminal()};
  return RunCli(CommandArguments(argc, argv), io);
}

// SPDX-License-Identifier: GPL-3.0-or-later
// Linux and macOS: arguments arrive as the bytes the user typed.
#include <unistd.h>

#include "cli/platform/CliPlatform.h"

std::vector<std::string> CommandArguments(int argc, char** argv) { return {argv + 1, argv + argc}; }

bool ErrorIsTerminal() { return ::isatty(STDERR_FILENO) == 1; }

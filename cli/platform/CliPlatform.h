// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the command line does differently on each system; one file per
// system defines these.
#include <string>
#include <vector>

// The arguments after the program's name, in UTF-8 whatever the system's
// code page, so that file names with any letters reach the commands whole.
std::vector<std::string> CommandArguments(int argc, char** argv);

// Whether standard error is a terminal, where a progress bar can redraw.
bool ErrorIsTerminal();

// SPDX-License-Identifier: GPL-3.0-or-later
// Windows: argv holds the arguments in the ANSI code page, which loses
// letters it has no room for; the wide command line keeps them all.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
// windows.h first, in a block of its own: shellapi.h builds on it.
#include <windows.h>

#include <io.h>
#include <shellapi.h>

#include <cstdio>

#include "cli/platform/CliPlatform.h"
#include "common/platform/WindowsText.h"

std::vector<std::string> CommandArguments(int argc, char** argv) {
  int count = 0;
  wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (wide == nullptr) return {argv + 1, argv + argc};
  std::vector<std::string> arguments;
  for (int i = 1; i < count; ++i) arguments.push_back(Utf8Text(wide[i]));
  ::LocalFree(wide);
  return arguments;
}

bool ErrorIsTerminal() { return ::_isatty(::_fileno(stderr)) != 0; }

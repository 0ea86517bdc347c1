// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Windows only: the program's text is UTF-8, the Windows API's UTF-16. The
// one conversion each way, for every Windows file (defined in Windows.cpp).
#include <string>

std::wstring WideText(const std::string& utf8);
std::string Utf8Text(const std::wstring& wide);

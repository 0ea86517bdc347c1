// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Text helpers every reader of lists and options shares. All of them take
// bytes as the C locale does: only ASCII letters change case, and white
// space is the six ASCII blanks, whatever locale the process runs in.
#include <string>
#include <string_view>

// Space, tab, line feed, vertical tab, form feed, carriage return.
bool IsSpace(char c);
// `text` with the ASCII letters in lower case.
std::string Lowered(std::string_view text);
// `text` without white space at either end.
std::string_view Trimmed(std::string_view text);

// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/Strings.h"

const char* const kProgramVersion = ZORVANE_VERSION;

std::string FormatMessageText(std::string_view text, std::initializer_list<std::string_view> values) {
  std::string out;
  auto next = values.begin();
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (next != values.end() && text[i] == '%' && i + 1 < text.size() && (text[i + 1] == 's' || text[i + 1] == 'd')) {
      out += *next++;
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::string FormatMessageText(std::string_view text, std::string_view value) {
  return FormatMessageText(text, {value});
}

std::string FormatMessageText(std::string_view text, long long value) {
  const std::string number = std::to_string(value);
  return FormatMessageText(text, {std::string_view(number)});
}

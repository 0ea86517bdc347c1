// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/Text.h"

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

std::string Lowered(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
  return text;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/HexBuilder.h"

#include <algorithm>
#include <cstdio>

std::string HexRecord(std::uint8_t type, std::uint16_t address, const std::vector<std::uint8_t>& data) {
  std::vector<std::uint8_t> bytes = {static_cast<std::uint8_t>(data.size()), static_cast<std::uint8_t>(address >> 8),
                                     static_cast<std::uint8_t>(address & 0xFF), type};
  bytes.insert(bytes.end(), data.begin(), data.end());
  unsigned sum = 0;
  for (std::uint8_t b : bytes) sum += b;
  bytes.push_back(static_cast<std::uint8_t>((0x100 - (sum & 0xFF)) & 0xFF));
  std::string line = ":";
  for (std::uint8_t b : bytes) {
    char text[3];
    std::snprintf(text, sizeof text, "%02X", b);
    line += text;
  }
  return line + "\n";
}

std::string HexData(std::uint16_t address, const std::vector<std::uint8_t>& data) {
  return HexRecord(0, address, data);
}

std::string HexExtendedLinear(std::uint16_t upper) {
  return HexRecord(4, 0, {static_cast<std::uint8_t>(upper >> 8), static_cast<std::uint8_t>(upper & 0xFF)});
}

std::string HexEndOfFile() { return HexRecord(1, 0, {}); }

std::string HexFileOf(std::uint16_t start, const std::vector<std::uint8_t>& bytes, int perRecord) {
  std::string text;
  for (std::size_t i = 0; i < bytes.size(); i += static_cast<std::size_t>(perRecord)) {
    const std::size_t n = std::min(bytes.size() - i, static_cast<std::size_t>(perRecord));
    text += HexData(static_cast<std::uint16_t>(start + i),
                    std::vector<std::uint8_t>(bytes.begin() + static_cast<std::ptrdiff_t>(i),
                                              bytes.begin() + static_cast<std::ptrdiff_t>(i + n)));
  }
  return text + HexEndOfFile();
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/BlockChecksum.h"

std::uint8_t BlockChecksum(std::uint8_t command, std::uint32_t address, BlockBytes data) {
  unsigned sum = command + ((address >> 8) & 0xFFu) + (address & 0xFFu);
  for (const std::uint8_t byte : data) sum += byte;
  return static_cast<std::uint8_t>(sum);
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one checksum of the unit's 64-byte blocks, read, written or uploaded:
// the sum, modulo 256, of the byte that opens the block, its two address
// bytes (high, low) and its 64 data bytes. Not negated, not complemented.
#include <cstddef>
#include <cstdint>
#include <span>

#include "link/LinkConstants.h"

using BlockBytes = std::span<const std::uint8_t, static_cast<std::size_t>(kBlockSize)>;

// The bootloader's blocks open with their address, without a command byte.
inline constexpr std::uint8_t kNoCommandByte = 0x00;

// `command` is 'R' or 'W' for the database transfers, kNoCommandByte for
// the bootloader; only the low 16 bits of `address` are sent, and counted.
std::uint8_t BlockChecksum(std::uint8_t command, std::uint32_t address, BlockBytes data);

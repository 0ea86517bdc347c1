// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The unit's software as the bootloader takes it: bytes for addresses
// 0..64,999. Blocks go out from 0x600 in 64-byte steps.
#include <array>
#include <cstddef>
#include <cstdint>

inline constexpr std::size_t kFirmwareImageSize = 65000;
using FirmwareBytes = std::array<std::uint8_t, kFirmwareImageSize>;

inline constexpr std::uint32_t kFirstUploadBlock = 0x600;
inline constexpr std::uint32_t kUploadBlockSize = 64;
// The last block that starts inside the image; bytes past its end go as 0xFF.
inline constexpr std::uint32_t kLastUploadBlock = 0xFDC0;
inline constexpr std::uint8_t kUploadFillerByte = 0xFF;

// How many blocks an upload sends for a file whose data reaches `highest`:
// from 0x600 up to the block holding `highest`, never past 0xFDC0.
int UploadBlockCount(std::uint32_t highest);

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every byte, timeout and retry limit of the unit link and the database
// transfers, in one place.
#include <cstdint>

// What SerialStream::Receive gives when nothing arrived within its timeout ...
inline constexpr int kReceiveTimeout = -802;
// ... and, at once, when the line itself has failed: the device went away
// (an adapter unplugged), so no byte can come however long it waits.
inline constexpr int kLineLost = -803;
// Whether what a receive gave is a byte (0..255).
constexpr bool IsByte(int received) { return received >= 0; }

// Line settings: 115200 baud, 8 data bits, no parity, 1 stop bit, no flow control.
inline constexpr int kBaudRate = 115200;

// Wake handshake.
inline constexpr std::uint8_t kWakeRequest = 'X';  // 0x58
inline constexpr std::uint8_t kWakeAnswer = 'G';   // 0x47
inline constexpr int kWakeAttempts = 5;

// Database transfers.
inline constexpr std::uint8_t kReadBlockCommand = 'R';   // 0x52
inline constexpr std::uint8_t kWriteBlockCommand = 'W';  // 0x57
inline constexpr std::uint8_t kBlockAccepted = 'Y';      // 0x59
inline constexpr std::uint8_t kEndTransfer = 'Q';        // 0x51
inline constexpr int kBlockSize = 64;
inline constexpr int kBlockCount = 1024;  // 1024 * 64 = the whole 65,536-byte image
// The bytes one block puts on the line, both ways (the protocols
// alternate, so their times add up): a read block sends 67 and receives 68,
// a written one sends 68 and receives 68.
inline constexpr int kReadBlockLineBytes = 67 + 68;
inline constexpr int kWriteBlockLineBytes = 68 + 68;

// Every handshake, echo, data byte and acknowledgement is awaited this long.
inline constexpr int kReplyTimeoutMs = 1000;

// Drain: the line counts as quiet after this long without a byte ...
inline constexpr int kQuietLineMs = 1000;
// ... and a line that never falls quiet is given up after this long.
inline constexpr int kDrainLimitMs = 10000;

// A block is sent (or requested) once and then repeated at most this often.
inline constexpr int kBlockRepeats = 10;

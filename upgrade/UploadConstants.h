// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The bytes, waits and limits of the upload to the unit's bootloader.
#include <cstdint>

#include "link/LinkConstants.h"

// Each address byte and each data byte is followed by one receive that
// takes up whatever the unit sends back and paces the next byte.
inline constexpr int kAddressEchoWaitMs = 10;
inline constexpr int kDataEchoWaitMs = 1;
// The answer to a block's checksum and to the end marker.
inline constexpr int kBootloaderReplyMs = kReplyTimeoutMs;

inline constexpr std::uint8_t kUploadBlockAccepted = 'Y';  // 0x59
inline constexpr std::uint8_t kUploadFinished = 'Z';       // 0x5A
// Two of these, where a block's address bytes would stand, end the upload.
inline constexpr std::uint8_t kEndMarkerByte = 0x00;

// The bytes one block puts on the line, both ways: 67 sent, and 66 echoes
// and the answer back.
inline constexpr int kUploadBlockLineBytes = 67 + 67;
// What a block may take on any plain serial line: a unit that does not
// echo lets every wait run out (2 x 10 + 64 x 1 ms). An adapter's latency
// timer hardly lengthens a block beyond that, so only a pace far slower
// than this says the adapter is to blame.
inline constexpr double kUploadBlockPlainLineMs = 2 * kAddressEchoWaitMs + 64 * kDataEchoWaitMs;

// A block goes out at most this often (once, then ten more times).
inline constexpr int kUploadSendings = 11;

// Bytes already waiting before a sending are stale (a late echo); at most
// this many are dropped, so a line that never stops cannot hold the upload.
inline constexpr int kMaxStaleBytes = 256;

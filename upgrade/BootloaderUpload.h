// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The exchange with the unit's bootloader over an open, woken link: 64-byte
// blocks led by their address, from 0x600 up, each answered 'Y'; then the
// end marker 0x00 0x00, answered 'Z'.
#include <array>
#include <cstdint>

#include "link/BlockChecksum.h"
#include "link/TransferProgress.h"
#include "link/UnitLink.h"
#include "upgrade/EchoTracker.h"
#include "upgrade/FirmwareImage.h"

using UploadBlock = std::array<std::uint8_t, kUploadBlockSize>;
static_assert(kUploadBlockSize == kBlockSize, "the bootloader's blocks carry the database blocks' checksum");

// The block at `address` as it goes out: bytes past the image's end are
// sent as 0xFF.
UploadBlock UploadBlockAt(const FirmwareBytes& image, std::uint32_t address);

enum class BlockLoopResult {
  AllAccepted,    // every block answered 'Y' (also when there was none to send)
  NeverAccepted,  // one block went out 11 times without 'Y'; none after it went
  LineLost,       // the line failed; nothing more can go out
};

// Sends the blocks from 0x600 up to the one holding `highest`, never past
// 0xFDC0. One sending is high byte (then a 10 ms receive), low byte (10 ms),
// 64 data bytes (1 ms each) and the checksum, whose 1000 ms receive is the
// answer; the receives after the other bytes pace the line, and what they
// bring is counted by `echoes` so that an echo that comes late is not taken
// for the answer. Any answer but 'Y' sends the block again at once, at most
// 11 sendings in all; a line that fails ends the loop at once.
// `currentBlock` holds the address of the block being sent. Progress:
// Start(blocks), Step per accepted block, then Done or Failed. Shows
// nothing; the caller owns the link. One `echoes` serves the whole upload,
// end marker included.
BlockLoopResult SendFirmwareBlocks(UnitLink& link, EchoTracker& echoes, const FirmwareBytes& image,
                                   std::uint32_t highest, std::uint32_t& currentBlock, TransferProgress& progress);

enum class EndMarkerResult {
  Finished,     // the bootloader answered 'Z'
  NotFinished,  // anything else, or nothing within 1000 ms
  LineLost,
};

// 0x00 (10 ms receive, its echo owed), 0x00 (1000 ms for each owed echo,
// then the answer).
EndMarkerResult SendEndMarker(UnitLink& link, EchoTracker& echoes);

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Advanced > Upgrade Unit S/W's transfer: the firmware image to the unit's
// bootloader.
#include <cstdint>

#include "link/Transfer.h"
#include "upgrade/FirmwareImage.h"
#include "upgrade/HexLoader.h"

// What the command works on; the program passes its process-wide state.
struct FirmwareTargets {
  FirmwareBytes& image;
  std::uint32_t& highest;
  std::uint32_t& currentBlock;  // the address of the block being sent
};

// The transfer step: connects, sends the blocks and the end marker, tells
// the teller how it ended (after TimedOut when a block never went through)
// and closes the link only once the teller has returned. A block that timed
// out never ends Completed, whatever the unit answers to the end marker. A
// link that does not come up, or a line that fails, is told and ends it at
// once.
UnitCommandOutcome UploadFirmware(TransferContext& context, const FirmwareBytes& image, std::uint32_t highest,
                                  std::uint32_t& currentBlock);

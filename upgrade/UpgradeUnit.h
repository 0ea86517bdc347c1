// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Advanced > Upgrade Unit S/W: a HEX file into the firmware image, then the
// image to the unit's bootloader. The file steps run where the user works,
// the upload through the context's runner, and the HEX file stays open
// until both are over.
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "link/UnitCommand.h"
#include "upgrade/FirmwareImage.h"
#include "upgrade/HexLoader.h"

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using HexFile = std::unique_ptr<std::FILE, FileCloser>;

// What the command works on; the program passes its process-wide state.
struct FirmwareTargets {
  FirmwareBytes& image;
  std::uint32_t& highest;
  std::uint32_t& currentBlock;  // the address of the block being sent
};

// The whole command, as the window, the command-line tool and the tests
// run it: the "Firmware Upgrade" dialog (Cancel ends it silently, an empty
// name with "Please specify a filename."), the file loaded whole into
// `firmware` (refused with "Cannot open file %s for reading." or "The file
// %s is not a valid HEX file (line %d)." and nothing stored), then the
// upload without a prompt. `details`, when given, receives what the loader
// found, for a fuller report.
UnitCommandOutcome UpgradeUnitCommand(UnitCommandContext& context, FirmwareTargets firmware,
                                      HexLoadResult* details = nullptr);

struct LoadedFirmware {
  HexFile file;                                                  // open until the command ends; null when it ended here
  UnitCommandOutcome otherwise = UnitCommandOutcome::Cancelled;  // why, when null
  HexLoadResult hex;                                             // what the loader found
};

// The file step: opens `name` in text mode and loads it whole into `image`
// and `highest`, with the messages above.
LoadedFirmware OpenAndLoadFirmware(MessageBox& messages, const std::string& name, FirmwareBytes& image,
                                   std::uint32_t& highest);

// The transfer step: connects, sends the blocks and the end marker, shows
// the result ("Finished ok." or "Unit did not respond correctly...", after
// "Timed out talking to unit. Please retry." when a block never went
// through) and closes the link only once that message has been closed. A
// block that timed out never ends in "Finished ok.", whatever the unit
// answers to the end marker. A link that does not come up, or a line that
// fails, is told and ends it at once.
UnitCommandOutcome UploadFirmware(TransferContext& context, const FirmwareBytes& image, std::uint32_t highest,
                                  std::uint32_t& currentBlock);

#pragma once
// Advanced > Upgrade Unit S/W: a HEX file into the firmware image, then the
// image to the unit's bootloader. Split where the program hands the
// exchange with the unit to a worker: the file steps run first, the upload
// after, and the HEX file stays open until both are over.
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "link/UnitCommand.h"
#include "upgrade/FirmwareImage.h"
#include "upgrade/HexLoader.h"

class FileNamePrompt;

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

struct LoadedFirmware {
  HexFile file;  // open until the command ends; null when it ended here
  UnitCommandOutcome otherwise = UnitCommandOutcome::Cancelled;  // why, when null
  HexLoadResult hex;  // what the loader found, for a fuller report
};

// Opens `name` in text mode and loads it whole into `image` and `highest`.
// "Cannot open file %s for reading." or "The file %s is not a valid HEX
// file (line %d)." (caption "Error") end it with nothing stored.
LoadedFirmware OpenAndLoadFirmware(MessageBox& messages, const std::string& name, FirmwareBytes& image,
                                   std::uint32_t& highest);

// The "Firmware Upgrade" dialog, then as above. Cancel ends it silently; an
// empty name with "Please specify a filename.".
LoadedFirmware AskAndLoadFirmware(MessageBox& messages, FileNamePrompt& prompt, FirmwareBytes& image,
                                  std::uint32_t& highest);

// Connects without a prompt, sends the blocks and the end marker, shows the
// result ("Finished ok." or "Unit did not respond correctly...", after
// "Timed out talking to unit. Please retry." when a block never went
// through) and closes the link only once that message has been closed. A
// block that timed out never ends in "Finished ok.", whatever the unit
// answers to the end marker. The link's own failures show its message.
UnitCommandOutcome UploadFirmware(UnitCommandContext& context, const FirmwareBytes& image, std::uint32_t highest,
                                  std::uint32_t& currentBlock);

// The whole command on one thread: dialog, load, upload; the HEX file is
// closed last.
UnitCommandOutcome OnUpgradeUnit(UnitCommandContext& context, FileNamePrompt& prompt, FirmwareTargets firmware);

// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/TransferRunner.h"
#include "commands/UnitCommand.h"
#include "common/Files.h"
#include "resources/Strings.h"
#include "upgrade/UploadConstants.h"
#include "user/FileNamePrompt.h"
#include "user/MessageBox.h"

LoadedFirmware OpenAndLoadFirmware(MessageBox& messages, const std::string& name, FirmwareBytes& image,
                                   std::uint32_t& highest) {
  LoadedFirmware loaded;
  loaded.otherwise = UnitCommandOutcome::FileRefused;
  // Text mode: the loader takes the line ends Windows writes.
  FileHandle file(OpenFile(name, "r"), &std::fclose);
  if (!file) {
    messages.Show(FormatMessageText(kMsgCannotOpenForReading, name), kCaptionError, MessageStyle::Ok);
    return loaded;
  }
  // A damaged file could leave the unit unable to start, so it is refused
  // whole before any byte goes out.
  loaded.hex = LoadFirmwareHex(file.get(), image, highest);
  // A folder opens on Linux and fails only when read: it was never a file.
  if (loaded.hex.status == HexStatus::ReadError) {
    messages.Show(FormatMessageText(kMsgCannotOpenForReading, name), kCaptionError, MessageStyle::Ok);
    return loaded;
  }
  if (!loaded.hex.ok()) {
    const std::string line = std::to_string(loaded.hex.line);
    messages.Show(FormatMessageText(kMsgNotValidHexFile, {name, line}), kCaptionError, MessageStyle::Ok);
    return loaded;
  }
  loaded.file = std::move(file);
  return loaded;
}

UnitCommandOutcome UpgradeUnitCommand(UnitCommandContext& context, FirmwareTargets firmware, HexLoadResult* details) {
  const std::optional<std::string> name = context.prompt.Ask(FileNameDialogKind::Upgrade);
  if (!name) return UnitCommandOutcome::Cancelled;
  if (name->empty()) {
    context.messages.Show(kMsgSpecifyFilename, kCaptionError, MessageStyle::Ok);
    return UnitCommandOutcome::FileRefused;
  }
  const LoadedFirmware loaded = OpenAndLoadFirmware(context.messages, *name, firmware.image, firmware.highest);
  if (details != nullptr) *details = loaded.hex;
  if (!loaded.file) return loaded.otherwise;
  const TransferStep step{TransferKind::Upgrade, false, kUploadBlockPlainLineMs,
                          [&firmware](TransferContext& transfer) {
                            return UploadFirmware(transfer, firmware.image, firmware.highest, firmware.currentBlock);
                          }};
  return context.runner.Run(step);
}

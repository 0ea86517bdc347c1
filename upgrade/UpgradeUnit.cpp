#include "upgrade/UpgradeUnit.h"

#include "user/FileNamePrompt.h"
#include "user/MessageBox.h"
#include "resources/Strings.h"
#include "upgrade/BootloaderUpload.h"

LoadedFirmware OpenAndLoadFirmware(MessageBox& messages, const std::string& name, FirmwareBytes& image,
                                   std::uint32_t& highest) {
  LoadedFirmware loaded;
  loaded.otherwise = UnitCommandOutcome::FileRefused;
  HexFile file(std::fopen(name.c_str(), "r"));
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

LoadedFirmware AskAndLoadFirmware(MessageBox& messages, FileNamePrompt& prompt, FirmwareBytes& image,
                                  std::uint32_t& highest) {
  const std::optional<std::string> name = prompt.Ask(FileNameDialogKind::Upgrade);
  if (!name) return {};
  if (name->empty()) {
    messages.Show(kMsgSpecifyFilename, kCaptionError, MessageStyle::Ok);
    LoadedFirmware refused;
    refused.otherwise = UnitCommandOutcome::FileRefused;
    return refused;
  }
  return OpenAndLoadFirmware(messages, *name, image, highest);
}

UnitCommandOutcome UploadFirmware(UnitCommandContext& context, const FirmwareBytes& image, std::uint32_t highest,
                                  std::uint32_t& currentBlock) {
  UnitLink link(context.opener, context.clock, context.messages, context.portAdvice);
  const LinkStatus connected = link.Connect(context.PortPath());
  if (connected != LinkStatus::Ok) return OutcomeOf(connected);

  EchoTracker echoes;
  const BlockLoopResult blocks = SendFirmwareBlocks(link, echoes, image, highest, currentBlock, context.progress);
  if (blocks == BlockLoopResult::NeverAccepted) context.messages.Show(kMsgTimedOut, kCaptionError, MessageStyle::Ok);
  // The end marker goes out in every case; only after a full upload does
  // its 'Z' count as success.
  const bool answered = SendEndMarker(link, echoes);
  UnitCommandOutcome outcome = UnitCommandOutcome::Completed;
  if (blocks == BlockLoopResult::NeverAccepted) {
    outcome = UnitCommandOutcome::TimedOut;
  } else if (!answered) {
    outcome = UnitCommandOutcome::NotConfirmed;
  }
  if (outcome == UnitCommandOutcome::Completed) {
    context.messages.Show(kMsgUpgradeFinished, kCaptionCompleted, MessageStyle::Ok);
  } else {
    context.messages.Show(kMsgUpgradeNotConfirmed, kCaptionError, MessageStyle::Ok);
  }
  link.Close();
  return outcome;
}

UnitCommandOutcome OnUpgradeUnit(UnitCommandContext& context, FileNamePrompt& prompt, FirmwareTargets firmware) {
  const LoadedFirmware loaded = AskAndLoadFirmware(context.messages, prompt, firmware.image, firmware.highest);
  if (!loaded.file) return loaded.otherwise;
  return UploadFirmware(context, firmware.image, firmware.highest, firmware.currentBlock);
}

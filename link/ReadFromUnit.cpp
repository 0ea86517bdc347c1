#include "link/ReadFromUnit.h"

#include <memory>

#include "user/MessageBox.h"
#include "link/BlockChecksum.h"
#include "link/LinkConstants.h"
#include "resources/Strings.h"

namespace {

enum class BlockRead { Ok, BadChecksum, TimedOut };

// One request: 'R', high, low each answered by an echo (not looked at), then
// 64 data bytes each echoed back at once, then the unit's checksum.
BlockRead ReadBlock(UnitLink& link, int address, std::span<std::uint8_t, kBlockSize> block) {
  const std::uint8_t request[3] = {kReadBlockCommand, static_cast<std::uint8_t>(address >> 8),
                                   static_cast<std::uint8_t>(address & 0xFF)};
  for (const std::uint8_t byte : request) {
    link.Send(byte);
    if (link.Receive(kReplyTimeoutMs) == kReceiveTimeout) return BlockRead::TimedOut;
  }
  for (int k = 0; k < kBlockSize; ++k) {
    const int byte = link.Receive(kReplyTimeoutMs);
    if (byte == kReceiveTimeout) return BlockRead::TimedOut;
    block[k] = static_cast<std::uint8_t>(byte);
    link.Send(block[k]);
  }
  const int checksum = link.Receive(kReplyTimeoutMs);
  if (checksum == kReceiveTimeout) return BlockRead::TimedOut;
  return checksum == BlockChecksum(kReadBlockCommand, static_cast<std::uint32_t>(address), block) ? BlockRead::Ok
                                                                                              : BlockRead::BadChecksum;
}

}  // namespace

bool ConfirmReadFromUnit(MessageBox& messages) {
  return messages.Show(kMsgReadUnitPrompt, kCaptionReadUnit, MessageStyle::OkCancel) == MessageAnswer::Ok;
}

UnitCommandOutcome TransferFromUnit(UnitCommandContext& context, DatabaseImage& incoming) {
  UnitLink link(context.opener, context.clock, context.messages, context.portAdvice);
  const LinkStatus connected = link.Connect(context.PortPath());
  if (connected != LinkStatus::Ok) return OutcomeOf(connected);

  // Filled aside, so that an abandoned transfer leaves `incoming` as it was.
  auto received = std::make_unique<DatabaseImage>();
  context.progress.Start(kBlockCount);
  for (int block = 0; block < kBlockCount; ++block) {
    const int address = block * kBlockSize;
    BlockRead result = BlockRead::BadChecksum;
    for (int attempt = 0; attempt <= kBlockRepeats && result == BlockRead::BadChecksum; ++attempt) {
      if (context.CancelRequested()) return AbandonTransfer(context, link, UnitCommandOutcome::Stopped);
      result = ReadBlock(link, address, std::span<std::uint8_t, kBlockSize>(received->data() + address, kBlockSize));
    }
    if (result != BlockRead::Ok) return AbandonTransfer(context, link, UnitCommandOutcome::TimedOut);
    context.progress.Step(block + 1);
  }
  link.Send(kEndTransfer);
  link.Close();
  incoming = *received;
  context.progress.Done();
  return UnitCommandOutcome::Completed;
}

MergeResult FinishReadFromUnit(MessageBox& messages, DatabaseImage& working, const DatabaseImage& incoming,
                               DatabaseImage& scratch, const std::function<void()>& redraw) {
  const MergeResult merged = MergeIncoming(working, incoming, scratch);
  if (redraw) redraw();
  if (merged.leftOut > 0) {
    messages.Show(FormatMessageText(kMsgDatabaseFull, merged.leftOut), kCaptionWarning, MessageStyle::Ok);
  }
  messages.Show(kMsgDatabaseLoaded, kCaptionCompleted, MessageStyle::Ok);
  return merged;
}

UnitCommandOutcome OnReadFromUnit(UnitCommandContext& context, ReadTargets images,
                                  const std::function<void()>& redraw) {
  if (!ConfirmReadFromUnit(context.messages)) return UnitCommandOutcome::Cancelled;
  const UnitCommandOutcome outcome = TransferFromUnit(context, images.incoming);
  if (outcome == UnitCommandOutcome::Completed) {
    FinishReadFromUnit(context.messages, images.working, images.incoming, images.scratch, redraw);
  }
  return outcome;
}

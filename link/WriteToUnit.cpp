#include "link/WriteToUnit.h"

#include <memory>

#include "user/MessageBox.h"
#include "link/BlockChecksum.h"
#include "link/LinkConstants.h"
#include "resources/Strings.h"

namespace {

// One sending: 'W', high, low and the 64 data bytes each followed by one
// receive (the echo, not looked at), then the checksum and the answer. True
// when the unit answered 'Y'.
bool SendBlock(UnitLink& link, int address, BlockBytes block) {
  const std::uint8_t head[3] = {kWriteBlockCommand, static_cast<std::uint8_t>(address >> 8),
                                static_cast<std::uint8_t>(address & 0xFF)};
  for (const std::uint8_t byte : head) {
    link.Send(byte);
    if (link.Receive(kReplyTimeoutMs) == kReceiveTimeout) return false;
  }
  for (int k = 0; k < kBlockSize; ++k) {
    link.Send(block[k]);
    if (link.Receive(kReplyTimeoutMs) == kReceiveTimeout) return false;
  }
  link.Send(BlockChecksum(kWriteBlockCommand, static_cast<std::uint32_t>(address), block));
  return link.Receive(kReplyTimeoutMs) == kBlockAccepted;
}

}  // namespace

bool ConfirmWriteToUnit(MessageBox& messages) {
  return messages.Show(kMsgWriteUnitPrompt, kCaptionWriteUnit, MessageStyle::OkCancel) == MessageAnswer::Ok;
}

UnitCommandOutcome TransferToUnit(UnitCommandContext& context, const DatabaseImage& source) {
  UnitLink link(context.opener, context.clock, context.messages, context.portAdvice);
  const LinkStatus connected = link.Connect(context.PortPath());
  if (connected != LinkStatus::Ok) return OutcomeOf(connected);

  // A copy, so the caller's image may be read elsewhere while this runs.
  const auto image = std::make_unique<DatabaseImage>(source);
  context.progress.Start(kBlockCount);
  for (int block = 0; block < kBlockCount; ++block) {
    const int address = block * kBlockSize;
    bool accepted = false;
    for (int attempt = 0; attempt <= kBlockRepeats && !accepted; ++attempt) {
      accepted = SendBlock(link, address, BlockBytes(image->data() + address, kBlockSize));
    }
    if (!accepted) return AbandonTransfer(context, link, UnitCommandOutcome::TimedOut);
    context.progress.Step(block + 1);
  }
  link.Send(kEndTransfer);
  link.Close();
  context.progress.Done();
  return UnitCommandOutcome::Completed;
}

void FinishWriteToUnit(MessageBox& messages) {
  messages.Show(kMsgDatabaseWritten, kCaptionCompleted, MessageStyle::Ok);
}

UnitCommandOutcome OnWriteToUnit(UnitCommandContext& context, const DatabaseImage& working) {
  if (!ConfirmWriteToUnit(context.messages)) return UnitCommandOutcome::Cancelled;
  const UnitCommandOutcome outcome = TransferToUnit(context, working);
  if (outcome == UnitCommandOutcome::Completed) FinishWriteToUnit(context.messages);
  return outcome;
}

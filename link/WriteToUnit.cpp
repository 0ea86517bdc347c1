// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/WriteToUnit.h"

#include <memory>

#include "link/BlockChecksum.h"
#include "link/LinkConstants.h"
#include "link/TimeLeft.h"

namespace {

enum class Sending { Accepted, NotAccepted, LineLost };

// One sending: 'W', high, low and the 64 data bytes each followed by one
// receive (the echo, not looked at), then the checksum and the answer.
Sending SendBlock(UnitLink& link, int address, BlockBytes block) {
  const std::uint8_t head[3] = {kWriteBlockCommand, static_cast<std::uint8_t>(address >> 8),
                                static_cast<std::uint8_t>(address & 0xFF)};
  auto sentAndEchoed = [&link](std::uint8_t byte) {
    link.Send(byte);
    return link.Receive(kReplyTimeoutMs);
  };
  for (const std::uint8_t byte : head) {
    if (const int echo = sentAndEchoed(byte); !IsByte(echo)) {
      return echo == kLineLost ? Sending::LineLost : Sending::NotAccepted;
    }
  }
  for (const std::uint8_t byte : block) {
    if (const int echo = sentAndEchoed(byte); !IsByte(echo)) {
      return echo == kLineLost ? Sending::LineLost : Sending::NotAccepted;
    }
  }
  const int answer = sentAndEchoed(BlockChecksum(kWriteBlockCommand, static_cast<std::uint32_t>(address), block));
  if (answer == kLineLost) return Sending::LineLost;
  return answer == kBlockAccepted ? Sending::Accepted : Sending::NotAccepted;
}

}  // namespace

UnitCommandOutcome TransferToUnit(TransferContext& context, const DatabaseImage& source) {
  UnitLink link(context.opener, context.clock);
  const LinkResult connected = link.Connect(context.PortPath());
  if (!connected.Ok()) return TellFailure(context, OutcomeOf(connected.status), connected);

  // A copy, so the caller's image may be read elsewhere while this runs.
  const auto image = std::make_unique<DatabaseImage>(source);
  context.progress.Start(kBlockCount);
  for (int block = 0; block < kBlockCount; ++block) {
    const int address = block * kBlockSize;
    Sending sent = Sending::NotAccepted;
    for (int attempt = 0; attempt <= kBlockRepeats && sent == Sending::NotAccepted; ++attempt) {
      sent = SendBlock(link, address, BlockBytes(image->data() + address, kBlockSize));
    }
    if (sent != Sending::Accepted) {
      const UnitCommandOutcome why =
          sent == Sending::LineLost ? UnitCommandOutcome::LineLost : UnitCommandOutcome::TimedOut;
      return TellFailure(context, AbandonTransfer(context, link, why));
    }
    context.progress.Step(block + 1);
  }
  link.Send(kEndTransfer);
  link.Close();
  context.progress.Done();
  return UnitCommandOutcome::Completed;
}

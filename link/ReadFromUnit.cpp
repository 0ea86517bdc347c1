// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/ReadFromUnit.h"

#include <memory>
#include <span>

#include "link/BlockChecksum.h"
#include "link/LinkConstants.h"
#include "link/TimeLeft.h"

namespace {

enum class BlockRead { Ok, BadChecksum, TimedOut, LineLost };

BlockRead Missing(int received) { return received == kLineLost ? BlockRead::LineLost : BlockRead::TimedOut; }

// One request: 'R', high, low each answered by an echo (not looked at), then
// 64 data bytes each echoed back at once, then the unit's checksum.
BlockRead ReadBlock(UnitLink& link, int address, std::span<std::uint8_t, kBlockSize> block) {
  const std::uint8_t request[3] = {kReadBlockCommand, static_cast<std::uint8_t>(address >> 8),
                                   static_cast<std::uint8_t>(address & 0xFF)};
  for (const std::uint8_t byte : request) {
    link.Send(byte);
    if (const int echo = link.Receive(kReplyTimeoutMs); !IsByte(echo)) return Missing(echo);
  }
  for (int k = 0; k < kBlockSize; ++k) {
    const int byte = link.Receive(kReplyTimeoutMs);
    if (!IsByte(byte)) return Missing(byte);
    block[k] = static_cast<std::uint8_t>(byte);
    link.Send(block[k]);
  }
  const int checksum = link.Receive(kReplyTimeoutMs);
  if (!IsByte(checksum)) return Missing(checksum);
  return checksum == BlockChecksum(kReadBlockCommand, static_cast<std::uint32_t>(address), block)
             ? BlockRead::Ok
             : BlockRead::BadChecksum;
}

UnitCommandOutcome FailureOf(BlockRead result) {
  return result == BlockRead::LineLost ? UnitCommandOutcome::LineLost : UnitCommandOutcome::TimedOut;
}

}  // namespace

int BlocksHolding(const DatabaseImage& image) {
  if (!image.HasSignature() || image.Count() > kMaxDatabaseEntries) return kBlockCount;
  const int bytes = static_cast<int>(kDatabaseHeaderSize + kCameraEntrySize * static_cast<std::size_t>(image.Count()));
  return (bytes + kBlockSize - 1) / kBlockSize;
}

UnitCommandOutcome TransferFromUnit(TransferContext& context, DatabaseImage& incoming, ReadExtent extent) {
  UnitLink link(context.opener, context.clock);
  const LinkResult connected = link.Connect(context.PortPath());
  if (!connected.Ok()) return TellFailure(context, OutcomeOf(connected.status), connected);

  // Filled aside, so that an abandoned transfer leaves `incoming` as it was.
  auto received = std::make_unique<DatabaseImage>();
  int blocks = kBlockCount;
  context.progress.Start(blocks);
  for (int block = 0; block < blocks; ++block) {
    const int address = block * kBlockSize;
    const std::span<std::uint8_t, kBlockSize> bytes(received->data() + address, kBlockSize);
    BlockRead result = BlockRead::BadChecksum;
    for (int attempt = 0; attempt <= kBlockRepeats && result == BlockRead::BadChecksum; ++attempt) {
      if (context.CancelRequested()) return AbandonTransfer(context, link, UnitCommandOutcome::Stopped);
      result = ReadBlock(link, address, bytes);
    }
    if (result != BlockRead::Ok) return TellFailure(context, AbandonTransfer(context, link, FailureOf(result)));
    // A read changes nothing in the unit and each request names its block,
    // so the blocks past the last entry need not be asked for at all.
    if (block == 0 && extent == ReadExtent::Held && BlocksHolding(*received) != blocks) {
      blocks = BlocksHolding(*received);
      context.progress.Retotal(blocks);
    }
    context.progress.Step(block + 1);
  }
  link.Send(kEndTransfer);
  link.Close();
  incoming = *received;
  context.progress.Done();
  return UnitCommandOutcome::Completed;
}

#include "upgrade/BootloaderUpload.h"

#include <algorithm>

#include "upgrade/UploadConstants.h"

namespace {

// A byte waiting before a sending is one the unit sent too late for its own
// receive, such as a slow echo. Left in place it would be taken for the next
// byte's echo, and in the end for the answer to the checksum, and every
// later block would read the wrong byte as its answer. Costs no time when
// nothing waits.
void DropStaleBytes(UnitLink& link) {
  for (int k = 0; k < kMaxStaleBytes && link.Receive(0) != kReceiveTimeout; ++k) {
  }
}

// One sending of the block; gives the unit's answer to the checksum.
int SendBlockOnce(UnitLink& link, std::uint32_t address, const UploadBlock& block, std::uint8_t checksum) {
  DropStaleBytes(link);
  link.Send(static_cast<std::uint8_t>(address >> 8));
  link.Receive(kAddressEchoWaitMs);
  link.Send(static_cast<std::uint8_t>(address & 0xFF));
  link.Receive(kAddressEchoWaitMs);
  for (const std::uint8_t byte : block) {
    link.Send(byte);
    link.Receive(kDataEchoWaitMs);
  }
  link.Send(checksum);
  return link.Receive(kBootloaderReplyMs);
}

}  // namespace

UploadBlock UploadBlockAt(const FirmwareBytes& image, std::uint32_t address) {
  UploadBlock block;
  block.fill(kUploadFillerByte);
  if (address < kFirmwareImageSize) {
    const std::size_t inside = std::min<std::size_t>(kUploadBlockSize, kFirmwareImageSize - address);
    std::copy_n(image.begin() + address, inside, block.begin());
  }
  return block;
}

std::uint8_t UploadChecksum(std::uint32_t address, const UploadBlock& block) {
  unsigned sum = ((address >> 8) & 0xFFu) + (address & 0xFFu);
  for (const std::uint8_t byte : block) sum += byte;
  return static_cast<std::uint8_t>(sum);
}

const char* ToString(BlockLoopResult result) {
  switch (result) {
    case BlockLoopResult::AllAccepted: return "all blocks accepted";
    case BlockLoopResult::NeverAccepted: return "a block was never accepted";
  }
  return "unknown";
}

BlockLoopResult SendFirmwareBlocks(UnitLink& link, const FirmwareBytes& image, std::uint32_t highest,
                                   std::uint32_t& currentBlock, TransferProgress& progress) {
  const int blocks = UploadBlockCount(highest);
  currentBlock = kFirstUploadBlock;
  progress.Start(blocks);
  for (int n = 0; n < blocks; ++n) {
    currentBlock = kFirstUploadBlock + static_cast<std::uint32_t>(n) * kUploadBlockSize;
    const UploadBlock block = UploadBlockAt(image, currentBlock);
    const std::uint8_t checksum = UploadChecksum(currentBlock, block);
    bool accepted = false;
    for (int sending = 0; sending < kUploadSendings && !accepted; ++sending) {
      accepted = SendBlockOnce(link, currentBlock, block, checksum) == kUploadBlockAccepted;
    }
    if (!accepted) {
      progress.Failed();
      return BlockLoopResult::NeverAccepted;
    }
    progress.Step(n + 1);
  }
  progress.Done();
  return BlockLoopResult::AllAccepted;
}

bool SendEndMarker(UnitLink& link) {
  DropStaleBytes(link);
  link.Send(kEndMarkerByte);
  link.Receive(kAddressEchoWaitMs);
  link.Send(kEndMarkerByte);
  return link.Receive(kBootloaderReplyMs) == kUploadFinished;
}

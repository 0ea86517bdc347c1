#include "upgrade/BootloaderUpload.h"

#include <algorithm>

#include "upgrade/UploadConstants.h"

namespace {

// One sending of the block; gives the unit's answer to the checksum.
int SendBlockOnce(UnitLink& link, EchoTracker& echoes, std::uint32_t address, const UploadBlock& block,
                  std::uint8_t checksum) {
  echoes.StartSending(link);
  const std::uint8_t high = static_cast<std::uint8_t>(address >> 8);
  const std::uint8_t low = static_cast<std::uint8_t>(address & 0xFF);
  for (const std::uint8_t byte : {high, low}) {
    link.Send(byte);
    echoes.Sent(byte, link.Receive(kAddressEchoWaitMs));
  }
  for (const std::uint8_t byte : block) {
    link.Send(byte);
    echoes.Sent(byte, link.Receive(kDataEchoWaitMs));
  }
  link.Send(checksum);
  return echoes.Answer(link, kBootloaderReplyMs, kUploadBlockAccepted);
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

BlockLoopResult SendFirmwareBlocks(UnitLink& link, EchoTracker& echoes, const FirmwareBytes& image,
                                   std::uint32_t highest, std::uint32_t& currentBlock, TransferProgress& progress) {
  const int blocks = UploadBlockCount(highest);
  currentBlock = kFirstUploadBlock;
  progress.Start(blocks);
  for (int n = 0; n < blocks; ++n) {
    currentBlock = kFirstUploadBlock + static_cast<std::uint32_t>(n) * kUploadBlockSize;
    const UploadBlock block = UploadBlockAt(image, currentBlock);
    const std::uint8_t checksum = BlockChecksum(kNoCommandByte, currentBlock, block);
    bool accepted = false;
    for (int sending = 0; sending < kUploadSendings && !accepted; ++sending) {
      accepted = SendBlockOnce(link, echoes, currentBlock, block, checksum) == kUploadBlockAccepted;
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

bool SendEndMarker(UnitLink& link, EchoTracker& echoes) {
  echoes.StartSending(link);
  // Only the first zero is echoed: the second ends the upload and is
  // answered.
  link.Send(kEndMarkerByte);
  echoes.Sent(kEndMarkerByte, link.Receive(kAddressEchoWaitMs));
  link.Send(kEndMarkerByte);
  return echoes.Answer(link, kBootloaderReplyMs, kUploadFinished) == kUploadFinished;
}

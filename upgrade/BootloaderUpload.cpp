// SPDX-License-Identifier: GPL-3.0-or-later
#include "upgrade/BootloaderUpload.h"

#include <algorithm>

#include "upgrade/UploadConstants.h"

namespace {

// Sends `byte` and waits `waitMs` for whatever comes back; false when the
// line failed.
bool SendPaced(UnitLink& link, EchoTracker& echoes, std::uint8_t byte, int waitMs) {
  link.Send(byte);
  const int paced = link.Receive(waitMs);
  if (paced == kLineLost) return false;
  echoes.Sent(byte, paced);
  return true;
}

// One sending of the block; gives the unit's answer to the checksum, or
// kLineLost.
int SendBlockOnce(UnitLink& link, EchoTracker& echoes, std::uint32_t address, const UploadBlock& block,
                  std::uint8_t checksum) {
  echoes.StartSending(link);
  const std::uint8_t high = static_cast<std::uint8_t>(address >> 8);
  const std::uint8_t low = static_cast<std::uint8_t>(address & 0xFF);
  for (const std::uint8_t byte : {high, low}) {
    if (!SendPaced(link, echoes, byte, kAddressEchoWaitMs)) return kLineLost;
  }
  for (const std::uint8_t byte : block) {
    if (!SendPaced(link, echoes, byte, kDataEchoWaitMs)) return kLineLost;
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
    int answer = kReceiveTimeout;
    for (int sending = 0; sending < kUploadSendings && answer != kUploadBlockAccepted && answer != kLineLost;
         ++sending) {
      answer = SendBlockOnce(link, echoes, currentBlock, block, checksum);
    }
    if (answer != kUploadBlockAccepted) {
      progress.Failed();
      return answer == kLineLost ? BlockLoopResult::LineLost : BlockLoopResult::NeverAccepted;
    }
    progress.Step(n + 1);
  }
  progress.Done();
  return BlockLoopResult::AllAccepted;
}

EndMarkerResult SendEndMarker(UnitLink& link, EchoTracker& echoes) {
  echoes.StartSending(link);
  // Only the first zero is echoed: the second ends the upload and is
  // answered.
  if (!SendPaced(link, echoes, kEndMarkerByte, kAddressEchoWaitMs)) return EndMarkerResult::LineLost;
  link.Send(kEndMarkerByte);
  const int answer = echoes.Answer(link, kBootloaderReplyMs, kUploadFinished);
  if (answer == kLineLost) return EndMarkerResult::LineLost;
  return answer == kUploadFinished ? EndMarkerResult::Finished : EndMarkerResult::NotFinished;
}

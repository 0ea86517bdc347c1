// SPDX-License-Identifier: GPL-3.0-or-later
#include "upgrade/UpgradeUnit.h"

#include "upgrade/BootloaderUpload.h"
#include "upgrade/UploadConstants.h"

namespace {

// Nothing more can go out, not even the end marker: the link is let go
// before the user is told.
UnitCommandOutcome LineLostDuringUpload(TransferContext& context, UnitLink& link) {
  link.Close();
  return TellFailure(context, UnitCommandOutcome::LineLost);
}

}  // namespace

UnitCommandOutcome UploadFirmware(TransferContext& context, const FirmwareBytes& image, std::uint32_t highest,
                                  std::uint32_t& currentBlock) {
  UnitLink link(context.opener, context.clock);
  const LinkResult connected = link.Connect(context.PortPath());
  if (!connected.Ok()) return TellFailure(context, OutcomeOf(connected.status), connected);

  EchoTracker echoes;
  const BlockLoopResult blocks = SendFirmwareBlocks(link, echoes, image, highest, currentBlock, context.progress);
  if (blocks == BlockLoopResult::LineLost) return LineLostDuringUpload(context, link);
  if (blocks == BlockLoopResult::NeverAccepted) TellFailure(context, UnitCommandOutcome::TimedOut);
  // The end marker goes out in every case; only after a full upload does
  // its 'Z' count as success.
  const EndMarkerResult end = SendEndMarker(link, echoes);
  if (end == EndMarkerResult::LineLost) return LineLostDuringUpload(context, link);
  UnitCommandOutcome outcome = UnitCommandOutcome::Completed;
  if (blocks == BlockLoopResult::NeverAccepted) {
    outcome = UnitCommandOutcome::TimedOut;
  } else if (end != EndMarkerResult::Finished) {
    outcome = UnitCommandOutcome::NotConfirmed;
  }
  context.teller.UpgradeEnded(outcome);
  link.Close();
  return outcome;
}

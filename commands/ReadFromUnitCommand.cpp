// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/TransferRunner.h"
#include "commands/UnitCommand.h"
#include "database/Merge.h"
#include "link/LinkConstants.h"
#include "link/TimeLeft.h"
#include "resources/Strings.h"
#include "user/MessageBox.h"

UnitCommandOutcome ReadFromUnitCommand(UnitCommandContext& context, ReadTargets images, ReadExtent extent) {
  if (context.messages.Show(kMsgReadUnitPrompt, kCaptionReadUnit, MessageStyle::OkCancel) != MessageAnswer::Ok) {
    return UnitCommandOutcome::Cancelled;
  }
  const TransferStep step{
      TransferKind::Read, true, PlainLineMs(kReadBlockLineBytes),
      [&images, extent](TransferContext& transfer) { return TransferFromUnit(transfer, images.incoming, extent); }};
  const UnitCommandOutcome outcome = context.runner.Run(step);
  if (outcome != UnitCommandOutcome::Completed) return outcome;

  const MergeResult merged = MergeIncoming(images.working, images.incoming, images.scratch);
  if (context.redrawNow) context.redrawNow();
  if (merged.leftOut > 0) {
    context.messages.Show(FormatMessageText(kMsgDatabaseFull, merged.leftOut), kCaptionWarning, MessageStyle::Ok);
  }
  context.messages.Show(kMsgDatabaseLoaded, kCaptionCompleted, MessageStyle::Ok);
  KeepInHistory(context, images.incoming, UnitTransfer::Read);
  return outcome;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/TransferRunner.h"
#include "commands/UnitCommand.h"
#include "link/LinkConstants.h"
#include "link/TimeLeft.h"
#include "resources/Strings.h"
#include "user/MessageBox.h"

UnitCommandOutcome WriteToUnitCommand(UnitCommandContext& context, const DatabaseImage& working) {
  if (context.messages.Show(kMsgWriteUnitPrompt, kCaptionWriteUnit, MessageStyle::OkCancel) != MessageAnswer::Ok) {
    return UnitCommandOutcome::Cancelled;
  }
  const TransferStep step{TransferKind::Write, false, PlainLineMs(kWriteBlockLineBytes),
                          [&working](TransferContext& transfer) { return TransferToUnit(transfer, working); }};
  const UnitCommandOutcome outcome = context.runner.Run(step);
  if (outcome == UnitCommandOutcome::Completed) {
    context.messages.Show(kMsgDatabaseWritten, kCaptionCompleted, MessageStyle::Ok);
    KeepInHistory(context, working, UnitTransfer::Written);
  }
  return outcome;
}

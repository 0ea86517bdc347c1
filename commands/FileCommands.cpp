// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/FileCommands.h"

#include "database/Merge.h"
#include "resources/Strings.h"
#include "user/FileNamePrompt.h"
#include "user/MessageBox.h"

void MergeAndRedraw(DatabaseCommandContext& context) {
  const MergeResult merged = MergeIncoming(context.working, context.incoming, context.scratch);
  if (context.redrawNow) context.redrawNow();
  if (merged.leftOut > 0) {
    context.messages.Show(FormatMessageText(kMsgDatabaseFull, merged.leftOut), kCaptionWarning, MessageStyle::Ok);
  }
}

FileNameAnswer AskForFileName(DatabaseCommandContext& context, FileNameDialogKind kind) {
  FileNameAnswer answer;
  answer.name = context.prompt.Ask(kind);
  if (answer.name && answer.name->empty()) {
    context.messages.Show(kMsgSpecifyFilename, kCaptionError, MessageStyle::Ok);
    answer.name.reset();
    answer.otherwise = CommandOutcome::Failed;
  }
  return answer;
}

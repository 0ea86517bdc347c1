// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/FileCommands.h"
#include "database/DatabaseFile.h"
#include "resources/Strings.h"
#include "user/MessageBox.h"

CommandOutcome WriteToFileCommand(DatabaseCommandContext& context) {
  const FileNameAnswer answer = AskForFileName(context, FileNameDialogKind::WriteFile);
  if (!answer.name) return answer.otherwise;
  const std::string& name = *answer.name;
  MessageBox& messages = context.messages;
  if (context.working.Count() == 0) {
    messages.Show(kMsgNothingToSave, kCaptionError, MessageStyle::Ok);
    return CommandOutcome::Failed;
  }

  const DatabaseFileStatus written = WriteDatabaseFile(name, context.working);
  if (written == DatabaseFileStatus::Ok) return CommandOutcome::Completed;
  messages.Show(WriteFailureText(written, name), kCaptionError, MessageStyle::Ok);
  return CommandOutcome::Failed;
}

std::string WriteFailureText(DatabaseFileStatus status, const std::string& name) {
  return FormatMessageText(status == DatabaseFileStatus::CannotCreate ? kMsgCannotOpenForWriting : kMsgCannotWrite,
                           name);
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/FileCommands.h"
#include "database/DatabaseFile.h"
#include "resources/Strings.h"
#include "user/MessageBox.h"

CommandOutcome ReadFromFileCommand(DatabaseCommandContext& context) {
  const FileNameAnswer answer = AskForFileName(context, FileNameDialogKind::ReadFile);
  if (!answer.name) return answer.otherwise;
  return ReadFromFileCommand(context, *answer.name);
}

CommandOutcome ReadFromFileCommand(DatabaseCommandContext& context, const std::string& name) {
  MessageBox& messages = context.messages;

  const DatabaseFileRead read = LoadDatabaseFile(name, context.incoming);
  switch (read.status) {
    case DatabaseFileStatus::Ok: MergeAndRedraw(context); return CommandOutcome::Completed;
    case DatabaseFileStatus::NotADatabase:
      messages.Show(kMsgNotValidDatabase, kCaptionError, MessageStyle::Ok);
      return CommandOutcome::Failed;
    default:
      // A file that breaks off part-way is not taken as a short one.
      messages.Show(FormatMessageText(kMsgCannotOpenForReading, name), kCaptionError, MessageStyle::Ok);
      return CommandOutcome::Failed;
  }
}

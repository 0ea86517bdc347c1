#include "database/DatabaseFile.h"
#include "database/FileCommands.h"
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

  switch (WriteDatabaseFile(name, context.working)) {
    case DatabaseFileStatus::Ok:
      return CommandOutcome::Completed;
    case DatabaseFileStatus::CannotCreate:
      messages.Show(FormatMessageText(kMsgCannotOpenForWriting, name), kCaptionError, MessageStyle::Ok);
      return CommandOutcome::Failed;
    default:
      messages.Show(FormatMessageText(kMsgCannotWrite, name), kCaptionError, MessageStyle::Ok);
      return CommandOutcome::Failed;
  }
}

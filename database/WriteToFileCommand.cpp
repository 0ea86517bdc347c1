#include "database/DatabaseFile.h"
#include "database/FileCommands.h"
#include "dialogs/FileNamePrompt.h"
#include "dialogs/MessageBox.h"
#include "resources/Strings.h"

CommandOutcome WriteToFileCommand(DatabaseCommandContext& context) {
  const std::optional<std::string> name = context.prompt.Ask(FileNameDialogKind::WriteFile);
  if (!name) return CommandOutcome::Cancelled;
  MessageBox& messages = context.messages;
  if (name->empty()) {
    messages.Show(kMsgSpecifyFilename, kCaptionError, MessageStyle::Ok);
    return CommandOutcome::Failed;
  }
  if (context.working.Count() == 0) {
    messages.Show(kMsgNothingToSave, kCaptionError, MessageStyle::Ok);
    return CommandOutcome::Failed;
  }

  switch (WriteDatabaseFile(*name, context.working)) {
    case DatabaseFileStatus::Ok:
      return CommandOutcome::Completed;
    case DatabaseFileStatus::CannotCreate:
      messages.Show(FormatMessageText(kMsgCannotOpenForWriting, *name), kCaptionError, MessageStyle::Ok);
      return CommandOutcome::Failed;
    default:
      messages.Show(FormatMessageText(kMsgCannotWrite, *name), kCaptionError, MessageStyle::Ok);
      return CommandOutcome::Failed;
  }
}

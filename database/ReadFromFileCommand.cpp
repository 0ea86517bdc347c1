#include "database/DatabaseFile.h"
#include "database/FileCommands.h"
#include "dialogs/FileNamePrompt.h"
#include "dialogs/MessageBox.h"
#include "resources/Strings.h"

CommandOutcome ReadFromFileCommand(DatabaseCommandContext& context) {
  const std::optional<std::string> name = context.prompt.Ask(FileNameDialogKind::ReadFile);
  if (!name) return CommandOutcome::Cancelled;
  MessageBox& messages = context.messages;
  if (name->empty()) {
    messages.Show(kMsgSpecifyFilename, kCaptionError, MessageStyle::Ok);
    return CommandOutcome::Failed;
  }

  const DatabaseFileRead read = LoadDatabaseFile(*name, context.incoming);
  switch (read.status) {
    case DatabaseFileStatus::Ok:
      MergeAndRedraw(context);
      return CommandOutcome::Completed;
    case DatabaseFileStatus::NotADatabase:
      messages.Show(kMsgNotValidDatabase, kCaptionError, MessageStyle::Ok);
      return CommandOutcome::Failed;
    default:
      // A file that breaks off part-way is not taken as a short one.
      messages.Show(FormatMessageText(kMsgCannotOpenForReading, *name), kCaptionError, MessageStyle::Ok);
      return CommandOutcome::Failed;
  }
}

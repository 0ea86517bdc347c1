#include "database/CameraCsv.h"
#include "database/FileCommands.h"
#include "dialogs/MessageBox.h"
#include "resources/Strings.h"

namespace {

std::string LoadedMessage(const CsvImportResult& read) {
  std::string text = read.ReachedLimit() ? std::string(kMsgMaximumEntries)
                                         : FormatMessageText(kMsgLocationsLoaded, read.entries);
  if (read.skipped > 0) {
    if (!text.ends_with('\n')) text += '\n';
    text += FormatMessageText(kMsgLinesSkipped, read.skipped);
  }
  return text;
}

}  // namespace

CommandOutcome ImportCameraDataCommand(DatabaseCommandContext& context, CsvImportResult* details) {
  const FileNameAnswer answer = AskForFileName(context, FileNameDialogKind::Import);
  if (!answer.name) return answer.otherwise;
  const std::string& name = *answer.name;
  MessageBox& messages = context.messages;

  const CsvImportResult read = ReadCameraCsv(name, context.incoming);
  if (details != nullptr) *details = read;
  if (read.status != CsvImportStatus::Ok) {
    messages.Show(FormatMessageText(kMsgCannotOpenForReading, name), kCaptionError, MessageStyle::Ok);
    return CommandOutcome::Failed;
  }
  if (read.entries == 0) {
    messages.Show(kMsgNoEntries, kCaptionWarning, MessageStyle::Ok);
    return CommandOutcome::Completed;
  }

  // The count is told before the merge: it is the lines converted, not the
  // entries the merge then adds.
  messages.Show(LoadedMessage(read), read.ReachedLimit() ? kCaptionWarning : kCaptionSuccess, MessageStyle::Ok);
  context.incoming.WriteHeader(read.entries);
  MergeAndRedraw(context);
  return CommandOutcome::Completed;
}

#include "database/CameraCsv.h"
#include "database/FileCommands.h"
#include "database/ImportList.h"
#include "resources/Strings.h"
#include "user/MessageBox.h"

CommandOutcome ImportCameraDataCommand(DatabaseCommandContext& context, CsvImportResult* details) {
  const FileNameAnswer answer = AskForFileName(context, FileNameDialogKind::Import);
  if (!answer.name) return answer.otherwise;
  const std::string& name = *answer.name;

  const CsvImportResult read = ReadCameraCsv(name, context.incoming);
  if (details != nullptr) *details = read;
  if (read.status != CsvImportStatus::Ok) {
    context.messages.Show(FormatMessageText(kMsgCannotOpenForReading, name), kCaptionError, MessageStyle::Ok);
    return CommandOutcome::Failed;
  }
  // The advice looks at the positions as a list.
  std::vector<CameraEntry> positions(static_cast<std::size_t>(read.entries));
  for (int i = 0; i < read.entries; ++i) positions[static_cast<std::size_t>(i)] = context.incoming.Entry(i);
  LoadImportedEntries(context, read.entries, read.skipped, kMsgLinesSkipped);
  ExplainListMistakes(context, FindListMistakes(positions, read.spreadsheetLines, read.headerHoldsPosition), name,
                      AdviceFor::Window, "lines");
  return CommandOutcome::Completed;
}

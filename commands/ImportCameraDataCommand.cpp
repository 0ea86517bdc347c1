// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>

#include "commands/FileCommands.h"
#include "commands/ImportList.h"
#include "database/CameraCsv.h"
#include "database/EntryIndex.h"
#include "resources/Strings.h"
#include "user/MessageBox.h"

namespace {

CommandOutcome ImportCsv(DatabaseCommandContext& context, const std::string& name, CsvImportResult* details) {
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
                      "lines");
  return CommandOutcome::Completed;
}

}  // namespace

CommandOutcome ImportCameraDataCommand(DatabaseCommandContext& context, CsvImportResult* details) {
  const FileNameAnswer answer = AskForFileName(context, FileNameDialogKind::Import);
  if (!answer.name) return answer.otherwise;
  return ImportCsv(context, *answer.name, details);
}

CommandOutcome ImportCameraDataCommand(DatabaseCommandContext& context, ListReader readList) {
  const FileNameAnswer answer = AskForFileName(context, FileNameDialogKind::Import);
  if (!answer.name) return answer.otherwise;
  return ImportCameraDataCommand(context, *answer.name, readList);
}

CommandOutcome ImportCameraDataCommand(DatabaseCommandContext& context, const std::string& name, ListReader readList) {
  const ListFormat format = ListFormatToRead(name);
  const ListReadResult read = format == ListFormat::Csv ? ReadCsvList(name, {}) : readList(name, format, {});
  std::vector<CameraEntry> chosen = read.list.entries;
  bool unique = false;
  if (read.status == ListReadStatus::Ok) {
    // Asked before the merge, with the numbers --unique tells; Yes gives
    // what zorvane-cli import --unique gives.
    std::vector<CameraEntry> first = FirstOfEach(chosen);
    if (first.size() < chosen.size()) {
      const std::string repeats = std::to_string(chosen.size() - first.size());
      const std::string of = std::to_string(chosen.size());
      unique = context.messages.Show(FormatMessageText(kMsgKeepFirstOfRepeats, {repeats, of, name}), kCaptionRepeats,
                                     MessageStyle::YesNo) == MessageAnswer::Yes;
      if (unique) chosen = std::move(first);
    }
  }
  // A plain CSV list otherwise as the document reads it, to the letter.
  if (format == ListFormat::Csv && !unique) return ImportCsv(context, name, nullptr);

  const CommandOutcome outcome = ImportListCommand(context, name, format, read, chosen);
  if (outcome != CommandOutcome::Completed) return outcome;
  std::string report;
  for (const std::string& line : ListItemsReport(name, format, read.list)) report += line + '\n';
  if (!report.empty()) context.messages.Show(report, kCaptionWarning, MessageStyle::Ok);
  return outcome;
}

CommandOutcome LoadGivenFileCommand(DatabaseCommandContext& context, const std::string& name, ListReader readList) {
  std::string head;
  const std::string_view extension = std::string_view(name).substr(std::min(name.size(), name.rfind('.')));
  const bool signature = ReadFileHead(name, 2, head) == ListReadStatus::Ok && head.size() == 2 &&
                         static_cast<std::uint8_t>(head[0]) == kSignatureByte0 &&
                         static_cast<std::uint8_t>(head[1]) == kSignatureByte1;
  const bool database = !ListFormatOfFile(name) && (extension == ".db" || extension == ".DB" || signature);
  return database ? ReadFromFileCommand(context, name) : ImportCameraDataCommand(context, name, readList);
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ListImport.h"

#include <ostream>

#include "commands/ImportList.h"
#include "database/qt/CameraListReader.h"
#include "resources/Strings.h"

ListImported ImportCameraList(FileCommandSession& session, CliStreams& io, const std::string& path, ListFormat format,
                              const ListOptions& options) {
  io.subject = path;
  PrintingMessageBox& messages = session.Messages();
  const ListReadResult read = ReadCameraList(path, format, options.read);
  const std::vector<CameraEntry>& all = read.list.entries;
  std::vector<CameraEntry> chosen = options.filter.Any() ? ApplyFilter(all, options.filter) : all;
  ListImported imported;
  if (read.status == ListReadStatus::Ok) {
    if (options.filter.Any()) messages.Say(io.out, FilterReport(path, all.size(), chosen.size()), kCaptionFilter);
    // Before the limit, so that a repeat never keeps a camera out.
    RepeatsWeighed weighed = WeighRepeats(path, std::move(chosen), options.unique);
    if (!weighed.told.empty()) messages.Say(io.err, weighed.told, kCaptionWarning);
    chosen = std::move(weighed.entries);
    imported.repeats = weighed.repeats;
  }
  const CommandOutcome outcome = ImportListCommand(session.Context(), path, format, read, chosen);
  if (outcome == CommandOutcome::Failed) {
    if (read.status == ListReadStatus::Malformed && read.offset < 0 && read.line > 0) imported.line = read.line;
    return imported;
  }
  imported.read = true;
  imported.skipped = read.list.skipped;

  const std::vector<std::string> report = ListItemsReport(path, format, read.list);
  for (const std::string& line : report) {
    // The passed-over line comes last; only here is there an option that reads them.
    const bool gpxPoints = format == ListFormat::Gpx && read.list.passedOver > 0 && &line == &report.back();
    messages.Say(io.err, gpxPoints ? line + " (--all-points reads them)" : line, kCaptionWarning);
  }
  if (chosen.size() > static_cast<std::size_t>(kMaxImportEntries)) {
    messages.Say(io.err,
                 path + ": " + std::to_string(chosen.size() - kMaxImportEntries) +
                     " more positions were left out by the limit of " + std::to_string(kMaxImportEntries) +
                     " for one import; --box, --near with --radius, or --max choose which are kept",
                 kCaptionWarning);
  }
  return imported;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ListImport.h"

#include <ostream>

#include "commands/ImportList.h"
#include "database/qt/CameraListReader.h"

bool ImportCameraList(FileCommandSession& session, CliStreams& io, const std::string& path, ListFormat format,
                      const ListOptions& options) {
  io.subject = path;
  const ListReadResult read = ReadCameraList(path, format, options.read);
  const std::vector<CameraEntry>& all = read.list.entries;
  std::vector<CameraEntry> chosen = options.filter.Any() ? ApplyFilter(all, options.filter) : all;
  if (read.status == ListReadStatus::Ok && options.filter.Any()) {
    io.out << FilterReport(path, all.size(), chosen.size()) << '\n';
  }
  // Before the limit, so that a repeat never keeps a camera out.
  if (read.status == ListReadStatus::Ok) chosen = TellRepeats(io.err, path, std::move(chosen), options.unique);
  const CommandOutcome outcome = ImportListCommand(session.Context(), path, format, read, chosen);
  if (outcome == CommandOutcome::Failed) return false;

  const std::vector<std::string> report = ListItemsReport(path, format, read.list);
  for (const std::string& line : report) {
    io.err << line;
    // The passed-over line comes last; only here is there an option that reads them.
    if (format == ListFormat::Gpx && read.list.passedOver > 0 && &line == &report.back()) {
      io.err << " (--all-points reads them)";
    }
    io.err << '\n';
  }
  if (chosen.size() > static_cast<std::size_t>(kMaxImportEntries)) {
    io.err << path << ": " << chosen.size() - kMaxImportEntries << " more positions were left out by the limit of "
           << kMaxImportEntries << " for one import; --box, --near with --radius, or --max choose which are kept\n";
  }
  return true;
}

// SPDX-License-Identifier: GPL-3.0-or-later
// zorvane-cli history: the databases kept from every read from and write to
// the unit, newest first, with their paths, so one can be written back.
#include <ostream>

#include "cli/Subcommand.h"
#include "database/UnitHistory.h"

namespace {

int RunHistory(const ParsedArgs& args, CliStreams& io) {
  if (!args.positional.empty()) return UsageError(io, "history", "takes no arguments");
  const UnitHistory history = UnitHistory::ForUser();
  if (history.Off()) {
    io.out << "the unit history is off (" << kUnitHistoryVariable << "=off)\n";
    return kExitOk;
  }
  const std::vector<HistoryFile> files = history.List();
  io.out << "unit history in " << history.Folder() << ": " << files.size() << " databases"
         << (files.empty() ? "" : ", newest first") << '\n';
  for (const HistoryFile& file : files) {
    io.out << file.when << "  " << (file.transfer == UnitTransfer::Read ? "read   " : "written") << "  " << file.cameras
           << " cameras  " << file.path << '\n';
  }
  return kExitOk;
}

}  // namespace

Subcommand HistorySubcommand() {
  return {"history", "history",
          "list the databases kept from every read from and write to the unit, newest first, with their paths",
          &RunHistory};
}

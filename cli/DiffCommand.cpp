// SPDX-License-Identifier: GPL-3.0-or-later
// zorvane-cli diff A B [--json]: the entries of B that A has not ("+ LAT
// LON"), those of A that B has not ("- LAT LON"), then a summary. Entries
// within one unit of each other are the same entry, as the merge counts
// them. Exit 0 when nothing differs, 1 when something does, 2 for trouble
// (a usage error, a file not read), as diff does.
#include "cli/DifferenceReport.h"
#include "cli/FileCommandSession.h"
#include "cli/JsonLines.h"
#include "database/DatabaseDiff.h"

namespace {

constexpr const char* kName = "diff";

int RunDiff(const ParsedArgs& parsed, CliStreams& io) {
  if (parsed.positional.size() != 2) return UsageError(io, kName, "expected two database files");

  FileCommandSession a(io), b(io);
  for (FileCommandSession* side : {&a, &b}) {
    const std::string& path = parsed.positional[side == &a ? 0 : 1];
    if (!side->ReadFromFile(path)) return FinishJson(io, side->Refused(path, kExitUsage));
  }
  return FinishJson(io, VerdictOutcome(ReportDifference(io, CompareDatabases(a.Working(), b.Working()))));
}

}  // namespace

Subcommand DiffSubcommand() {
  return {kName,
          "diff A B [--json]",
          "the entries of database B not in A (+) and of A not in B (-)",
          &RunDiff,
          {kJsonOption}};
}

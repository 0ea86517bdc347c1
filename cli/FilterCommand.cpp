// SPDX-License-Identifier: GPL-3.0-or-later
// zorvane-cli filter FILE -o OUT [--box S,W,N,E] [--near LAT,LON --radius KM]
// [--max N]: the entries of a database file that the filter keeps, in their
// order, written as Write to File writes the held database.
#include <ostream>

#include "cli/FileCommandSession.h"
#include "cli/ListOptions.h"
#include "commands/FileCommands.h"
#include "database/CameraFilter.h"

namespace {

constexpr const char* kName = "filter";

int RunFilter(const ParsedArgs& parsed, CliStreams& io) {
  CameraFilter filter;
  std::string error;
  if (!ReadFilterOptions(parsed, filter, error)) return UsageError(io, kName, error);
  const std::string* out = parsed.Option("-o");
  if (parsed.positional.size() != 1) return UsageError(io, kName, "expected one database file");
  if (out == nullptr) return UsageError(io, kName, "expected -o OUT");
  const bool unique = parsed.Flag("--unique");
  if (!filter.Any() && !unique) return UsageError(io, kName, "expected --box, --near with --radius, --max or --unique");

  FileCommandSession source(io);
  if (!source.ReadFromFile(parsed.positional.front())) return kExitFailed;
  std::vector<CameraEntry> entries;
  for (int i = 0; i < source.Working().BoundedCount(); ++i) entries.push_back(source.Working().Entry(i));
  std::vector<CameraEntry> kept = filter.Any() ? ApplyFilter(entries, filter) : entries;
  if (filter.Any()) io.out << FilterReport(parsed.positional.front(), entries.size(), kept.size()) << '\n';
  kept = TellRepeats(io.err, parsed.positional.front(), std::move(kept), unique);

  // The kept entries merged into an empty database keep their order and
  // their duplicates, as a database file read after a restart does.
  FileCommandSession result(io);
  DatabaseCommandContext& context = result.Context();
  for (std::size_t i = 0; i < kept.size(); ++i) context.incoming.SetEntry(static_cast<int>(i), kept[i]);
  context.incoming.WriteHeader(static_cast<int>(kept.size()));
  MergeAndRedraw(context);
  return result.WriteToFile(*out) ? kExitOk : kExitFailed;
}

}  // namespace

Subcommand FilterSubcommand() {
  std::vector<CliOption> options = {kOutOption};
  for (const CliOption& option : FilterOptions()) options.push_back(option);
  return {kName, "filter FILE -o OUT OPTIONS", "keep the entries of a database file that lie near you", &RunFilter,
          options};
}

// SPDX-License-Identifier: GPL-3.0-or-later
// zorvane-cli filter FILE -o OUT [--box S,W,N,E] [--near LAT,LON --radius KM]
// [--max N]: the entries of a database file that the filter keeps, in their
// order, written as Write to File writes the held database.
#include <ostream>

#include "cli/FileCommandSession.h"
#include "cli/JsonLines.h"
#include "cli/ListOptions.h"
#include "commands/FileCommands.h"
#include "database/CameraFilter.h"
#include "resources/Strings.h"

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

  const std::string& file = parsed.positional.front();
  FileCommandSession source(io);
  if (!source.ReadFromFile(file)) return FinishJson(io, source.Refused(file, kExitFailed));
  std::vector<CameraEntry> entries;
  for (int i = 0; i < source.Working().BoundedCount(); ++i) entries.push_back(source.Working().Entry(i));
  std::vector<CameraEntry> chosen = filter.Any() ? ApplyFilter(entries, filter) : entries;
  if (filter.Any()) source.Messages().Say(io.out, FilterReport(file, entries.size(), chosen.size()), kCaptionFilter);
  const RepeatsWeighed weighed = WeighRepeats(file, std::move(chosen), unique);
  if (!weighed.told.empty()) source.Messages().Say(io.err, weighed.told, kCaptionWarning);
  const std::vector<CameraEntry>& kept = weighed.entries;

  // The kept entries merged into an empty database keep their order and
  // their duplicates, as a database file read after a restart does.
  FileCommandSession result(io);
  DatabaseCommandContext& context = result.Context();
  for (std::size_t i = 0; i < kept.size(); ++i) context.incoming.SetEntry(static_cast<int>(i), kept[i]);
  context.incoming.WriteHeader(static_cast<int>(kept.size()));
  MergeAndRedraw(context);
  CliOutcome outcome = result.WriteOut(*out);
  // The last message shown may be the source's: the write tells nothing when it succeeds.
  if (outcome.message.empty()) outcome.message = source.LastMessage();
  if (weighed.repeats > 0) outcome.repeats = weighed.repeats;
  return FinishJson(io, outcome);
}

}  // namespace

Subcommand FilterSubcommand() {
  std::vector<CliOption> options = {kOutOption};
  for (const CliOption& option : FilterOptions()) options.push_back(option);
  options.push_back(kJsonOption);
  return {kName, "filter FILE -o OUT OPTIONS", "keep the entries of a database file that lie near you", &RunFilter,
          options};
}

// zorvane-cli filter FILE -o OUT [--box S,W,N,E] [--near LAT,LON --radius KM]
// [--max N]: the entries of a database file that the filter keeps, in their
// order, written as Write to File writes the held database.
#include <ostream>

#include "database/CameraFilter.h"
#include "database/FileCommands.h"
#include "tools/cli/FileCommandSession.h"
#include "tools/cli/ListOptions.h"

namespace {

constexpr const char* kName = "filter";

int RunFilter(const std::vector<std::string>& args, CliStreams& io) {
  std::vector<std::string> valued = {"-o"};
  valued.insert(valued.end(), kFilterOptions.begin(), kFilterOptions.end());
  ParsedArgs parsed;
  CameraFilter filter;
  std::string error;
  if (!ParseArgs(args, valued, parsed, error) || !ReadFilterOptions(parsed, filter, error)) {
    return UsageError(io, kName, error);
  }
  const std::string* out = parsed.Option("-o");
  if (parsed.positional.size() != 1) return UsageError(io, kName, "expected one database file");
  if (out == nullptr) return UsageError(io, kName, "expected -o OUT");
  if (!filter.Any()) return UsageError(io, kName, "expected --box, --near with --radius, or --max");

  FileCommandSession source(io);
  if (!source.ReadFromFile(parsed.positional.front())) return kExitFailed;
  std::vector<CameraEntry> entries;
  for (int i = 0; i < source.Working().BoundedCount(); ++i) entries.push_back(source.Working().Entry(i));
  const std::vector<CameraEntry> kept = ApplyFilter(entries, filter);
  io.out << FilterReport(parsed.positional.front(), entries.size(), kept.size()) << '\n';

  // The kept entries merged into an empty database keep their order and
  // their duplicates, as a database file read after a restart does.
  FileCommandSession result(io);
  DatabaseCommandContext& context = result.Context();
  for (std::size_t i = 0; i < kept.size(); ++i) context.incoming.SetEntry(static_cast<int>(i), kept[i]);
  context.incoming.WriteHeader(static_cast<int>(kept.size()));
  MergeAndRedraw(context);
  return result.WriteToFile(*out) ? kExitOk : kExitFailed;
}

const SubcommandRegistration kFilter{{kName, "filter FILE -o OUT OPTIONS",
                                      "keep the entries of a database file that lie near you", &RunFilter,
                                      FilterOptionsHelp()}};

}  // namespace

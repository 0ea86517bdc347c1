// SPDX-License-Identifier: GPL-3.0-or-later
// zorvane-cli import FILE... -o OUT [--into FILE] [options]: Import Camera
// Data for each camera list in turn (CSV, GPX, KML, GeoJSON or OpenStreetMap
// XML), each cut by the filter options first, then Write to File.
#include "cli/JsonLines.h"
#include "cli/ListImport.h"

namespace {

constexpr const char* kName = "import";

int RunImport(const ParsedArgs& parsed, CliStreams& io) {
  ListOptions options;
  std::string error;
  if (!ReadListOptions(parsed, options, error)) return UsageError(io, kName, error);
  const std::string* out = parsed.Option("-o");
  if (parsed.positional.empty()) return UsageError(io, kName, "expected at least one camera list");
  if (out == nullptr) return UsageError(io, kName, "expected -o OUT");
  FileCommandSession session(io);
  if (const std::string* into = parsed.Option("--into"); into != nullptr && !session.ReadFromFile(*into)) {
    return FinishJson(io, session.Refused(*into, kExitFailed));
  }
  int skipped = 0, repeats = 0;
  for (const std::string& list : parsed.positional) {
    const ListImported imported = ImportCameraList(session, io, list, FormatOf(options, list), options);
    if (!imported.read) {
      CliOutcome refused = session.Refused(list, kExitFailed);
      refused.line = imported.line;
      return FinishJson(io, refused);
    }
    skipped += imported.skipped;
    repeats += imported.repeats;
  }
  CliOutcome outcome = session.WriteOut(*out);
  outcome.skipped = skipped;
  outcome.repeats = repeats;
  return FinishJson(io, outcome);
}

}  // namespace

Subcommand ImportSubcommand() {
  std::vector<CliOption> options = {kOutOption, {"--into", "FILE", "add the lists to this database file's entries"}};
  for (const CliOption& option : ImportOptions()) options.push_back(option);
  options.push_back(kJsonOption);
  return {kName,
          "import LIST... -o OUT [--into FILE] [OPTIONS]",
          "import camera lists (CSV, GPX, KML, GeoJSON, OSM, OV2) into a database file",
          &RunImport,
          options,
          "(--box, --radius and --max cut each list on its own, before its limit of 10900)"};
}

// SPDX-License-Identifier: GPL-3.0-or-later
// zorvane-cli merge FILE... -o OUT [--json]: Read from File for each database file in
// turn, then Write to File.
#include "cli/FileCommandSession.h"
#include "cli/JsonLines.h"

namespace {

constexpr const char* kName = "merge";

int RunMerge(const ParsedArgs& parsed, CliStreams& io) {
  const std::string* out = parsed.Option("-o");
  if (parsed.positional.empty()) return UsageError(io, kName, "expected at least one database file");
  if (out == nullptr) return UsageError(io, kName, "expected -o OUT");

  FileCommandSession session(io);
  for (const std::string& file : parsed.positional) {
    if (!session.ReadFromFile(file)) return FinishJson(io, session.Refused(file, kExitFailed));
  }
  return FinishJson(io, session.WriteOut(*out));
}

}  // namespace

Subcommand MergeSubcommand() {
  return {kName,
          "merge FILE... -o OUT [--json]",
          "merge database files into one, without duplicates",
          &RunMerge,
          {kOutOption, kJsonOption}};
}

// SPDX-License-Identifier: GPL-3.0-or-later
// zorvane-cli merge FILE... -o OUT: Read from File for each database file in
// turn, then Write to File.
#include "cli/FileCommandSession.h"

namespace {

constexpr const char* kName = "merge";

int RunMerge(const ParsedArgs& parsed, CliStreams& io) {
  const std::string* out = parsed.Option("-o");
  if (parsed.positional.empty()) return UsageError(io, kName, "expected at least one database file");
  if (out == nullptr) return UsageError(io, kName, "expected -o OUT");

  FileCommandSession session(io);
  for (const std::string& file : parsed.positional) {
    if (!session.ReadFromFile(file)) return kExitFailed;
  }
  return session.WriteToFile(*out) ? kExitOk : kExitFailed;
}

}  // namespace

Subcommand MergeSubcommand() {
  return {kName, "merge FILE... -o OUT", "merge database files into one, without duplicates", &RunMerge, {kOutOption}};
}

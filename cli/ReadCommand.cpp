// SPDX-License-Identifier: GPL-3.0-or-later
// zorvane-cli read [--port PATH] -o OUT [--into FILE] [--all-blocks]: the
// unit's database, merged into an empty database (or into FILE, read as
// Read from File reads it), written to OUT as Write to File writes it,
// whatever it holds. The unit is read as far as its entries go, or with
// --all-blocks its whole memory, filler included.
#include <ostream>

#include "cli/CliUnit.h"
#include "cli/FileCommandSession.h"
#include "cli/JsonLines.h"
#include "commands/UnitCommand.h"
#include "database/DatabaseFile.h"

namespace {

constexpr const char* kName = "read";

int RunRead(const ParsedArgs& parsed, CliStreams& io) {
  const std::string* port = parsed.Option("--port");
  const std::string* out = parsed.Option("-o");
  const std::string* into = parsed.Option("--into");
  if (out == nullptr || !parsed.positional.empty()) return UsageError(io, kName, "expected -o OUT");

  FileCommandSession session(io);
  if (into != nullptr && !session.ReadFromFile(*into)) return FinishJson(io, session.Refused(*into, kExitFailed));
  CliTransferRunner runner(io, session.Messages(), port);
  UnitCommandContext context = session.UnitContext(runner);
  const UnitCommandOutcome outcome = ReadFromUnitCommand(
      context, session.Targets(), parsed.Flag("--all-blocks") ? ReadExtent::WholeMemory : ReadExtent::Held);
  CliOutcome end = UnitOutcome(outcome, session.LastMessage(), runner.BlocksMoved());
  if (outcome != UnitCommandOutcome::Completed) return FinishJson(io, end);

  // An empty unit still gives a file: the database as read, with no entries.
  end.file = *out;
  if (const DatabaseFileStatus written = WriteDatabaseFile(*out, session.Working());
      written != DatabaseFileStatus::Ok) {
    if (!io.json) io.err << "zorvane-cli read: " << *out << ": " << ToString(written) << '\n';
    end.status = "file refused";
    end.exit = kExitFailed;
    end.message = *out + ": " + ToString(written);
    return FinishJson(io, end);
  }
  end.entries = session.Working().Count();
  end.message = std::to_string(*end.entries) + " entries written to " + *out;
  if (!io.json) io.out << end.message << '\n';
  return FinishJson(io, end);
}

}  // namespace

Subcommand ReadSubcommand() {
  return {kName,
          "read [--port PATH] -o OUT [--into FILE] [--all-blocks] [--json]",
          "read the unit's database (on PATH, or Comm1), merged into FILE or an empty one, to OUT",
          &RunRead,
          {kPortOption,
           {"-o", "OUT", "the database file to write"},
           {"--into", "FILE", "merge what the unit holds into this database file's entries"},
           {"--all-blocks", nullptr, "ask for all 1024 blocks, not only those with entries"},
           kJsonOption}};
}

// SPDX-License-Identifier: GPL-3.0-or-later
// zorvane-cli write [--port PATH] FILE [--backup OLD] [--verify] [--json]:
// a database file into the unit, as the window writes it after Read from
// File into an empty database. --backup first saves what the unit holds,
// and writes nothing unless that worked; --verify reads the unit back
// afterwards and compares it with FILE.
#include <ostream>

#include "cli/CliUnit.h"
#include "cli/FileCommandSession.h"
#include "cli/JsonLines.h"
#include "cli/UnitDatabase.h"
#include "commands/UnitCommand.h"

namespace {

constexpr const char* kName = "write";

int RunWrite(const ParsedArgs& parsed, CliStreams& io) {
  const std::string* port = parsed.Option("--port");
  const std::string* backup = parsed.Option("--backup");
  io.json = parsed.Flag("--json");
  if (parsed.positional.size() != 1) return UsageError(io, kName, "expected one database file");

  const std::string& path = parsed.positional.front();
  FileCommandSession session(io);
  if (!session.ReadFromFile(path)) return FinishJson(io, session.Refused(path, kExitFailed));
  CliTransferRunner runner(io, session.Messages(), port);
  return WriteSafely(io, session, runner,
                     {backup, parsed.Flag("--verify"), [&runner](const std::string& phase) { runner.SetPhase(phase); },
                      [&runner] { return runner.BlocksMoved(); }});
}

}  // namespace

Subcommand WriteSubcommand() {
  return {kName,
          "write [--port PATH] FILE [--backup OLD] [--verify] [--json]",
          "write a database file into the unit (on PATH, or Comm1)",
          &RunWrite,
          {kPortOption,
           {"--backup", "OLD", "first save the unit's database to OLD; write nothing unless that worked"},
           {"--verify", nullptr, "read the unit back afterwards and compare it with FILE (exit 1 if they differ)"},
           kJsonOption}};
}

// SPDX-License-Identifier: GPL-3.0-or-later
// zorvane-cli verify [--port PATH] FILE [--json]: reads the unit and
// compares what it holds with FILE, entry by entry, the unit as A.
// Exit 0 when they hold the same entries, 1 when they differ, 3 when the
// unit does not answer.
#include "cli/CliUnit.h"
#include "cli/FileCommandSession.h"
#include "cli/JsonLines.h"
#include "cli/UnitDatabase.h"

namespace {

constexpr const char* kName = "verify";

int RunVerify(const ParsedArgs& parsed, CliStreams& io) {
  const std::string* port = parsed.Option("--port");
  if (parsed.positional.size() != 1) return UsageError(io, kName, "expected one database file");

  const std::string& path = parsed.positional.front();
  FileCommandSession file(io);
  if (!file.ReadFromFile(path)) return FinishJson(io, file.Refused(path, kExitUsage));
  CliTransferRunner runner(io, file.Messages(), port);
  runner.SetPhase("verifying");
  const UnitVerdict verdict = VerifyUnit(io, runner, file.Working());
  return FinishJson(io, VerifyOutcome(verdict, file.LastMessage(), runner.BlocksMoved()));
}

}  // namespace

Subcommand VerifySubcommand() {
  return {kName,
          "verify [--port PATH] FILE [--json]",
          "compare the unit's database (on PATH, or Comm1) with FILE: + in FILE only, - in the unit only",
          &RunVerify,
          {kPortOption, kJsonOption},
          "exit 0 the same entries, 1 they differ, 2 FILE not read, 3 the unit did not answer"};
}

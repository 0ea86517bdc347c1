// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/UnitDatabase.h"

#include <ostream>

#include "cli/CliUnit.h"
#include "cli/JsonLines.h"
#include "commands/FileCommands.h"
#include "commands/UnitCommand.h"
#include "database/DatabaseDiff.h"
#include "database/DatabaseFile.h"
#include "resources/Strings.h"

UnitCommandOutcome ReadUnitDatabase(FileCommandSession& session, TransferRunner& runner) {
  UnitCommandContext context = session.UnitContext(runner);
  return ReadFromUnitCommand(context, session.Targets());
}

UnitSave SaveUnitDatabase(CliStreams& io, TransferRunner& runner, const std::string& path) {
  FileCommandSession unit(io);
  UnitSave save;
  save.read = ReadUnitDatabase(unit, runner);
  if (save.read != UnitCommandOutcome::Completed) return save;
  save.written = WriteDatabaseFile(path, unit.Working());
  save.entries = unit.Working().Count();
  if (save.written != DatabaseFileStatus::Ok) {
    unit.Messages().Show(WriteFailureText(save.written, path), kCaptionError, MessageStyle::Ok);
  } else if (!io.json) {
    io.out << save.entries << " entries written to " << path << '\n';
  }
  return save;
}

UnitVerdict VerifyUnit(CliStreams& io, TransferRunner& runner, const DatabaseImage& expected) {
  FileCommandSession unit(io);
  UnitVerdict verdict;
  verdict.read = ReadUnitDatabase(unit, runner);
  if (verdict.read == UnitCommandOutcome::Completed) {
    verdict.difference = ReportDifference(io, CompareDatabases(unit.Working(), expected));
  }
  return verdict;
}

CliOutcome VerifyOutcome(const UnitVerdict& verdict, const std::string& unitMessage, std::optional<int> blocks) {
  CliOutcome outcome = verdict.read != UnitCommandOutcome::Completed ? UnitOutcome(verdict.read, unitMessage, blocks)
                                                                     : VerdictOutcome(verdict.difference);
  outcome.blocks = blocks;
  return outcome;
}

namespace {

int NotWritten(CliStreams& io, const SafeWriteOptions& options, int exit) {
  const std::string why = "the unit was not written: its database could not be saved to " + *options.backup;
  if (!io.json) io.err << "zorvane-cli write: " << why << '\n';
  CliOutcome outcome{"backup failed", exit, why};
  outcome.file = *options.backup;
  outcome.blocks = options.Blocks();
  return FinishJson(io, outcome);
}

}  // namespace

int WriteSafely(CliStreams& io, FileCommandSession& session, TransferRunner& runner, const SafeWriteOptions& options) {
  if (options.backup != nullptr) {
    // A backup that cannot be saved is found before the unit is read.
    if (const DatabaseFileStatus can = CheckWritable(*options.backup); can != DatabaseFileStatus::Ok) {
      io.subject = *options.backup;
      session.Messages().Show(WriteFailureText(can, *options.backup), kCaptionError, MessageStyle::Ok);
      return NotWritten(io, options, kExitFailed);
    }
    options.Phase("backup");
    const UnitSave save = SaveUnitDatabase(io, runner, *options.backup);
    if (!save.Ok()) {
      return NotWritten(io, options,
                        save.read != UnitCommandOutcome::Completed ? ExitStatusOf(save.read) : kExitFailed);
    }
  } else if (!io.json) {
    io.err << kBackupHint;
  }

  options.Phase("");
  UnitCommandContext context = session.UnitContext(runner);
  const UnitCommandOutcome wrote = WriteToUnitCommand(context, session.Working());
  if (wrote != UnitCommandOutcome::Completed || !options.verify) {
    CliOutcome outcome = UnitOutcome(wrote, session.LastMessage(), options.Blocks());
    if (wrote == UnitCommandOutcome::Completed) outcome.entries = session.Working().Count();
    return FinishJson(io, outcome);
  }

  options.Phase("verifying");
  const UnitVerdict verdict = VerifyUnit(io, runner, session.Working());
  return FinishJson(io, VerifyOutcome(verdict, session.LastMessage(), options.Blocks()));
}

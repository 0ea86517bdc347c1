#include "tools/cli/UnitDatabase.h"

#include <ostream>

#include "database/DatabaseDiff.h"
#include "database/DatabaseFile.h"
#include "link/WriteToUnit.h"
#include "tools/cli/CliUnit.h"
#include "tools/cli/JsonLines.h"

UnitCommandOutcome ReadUnitDatabase(FileCommandSession& session, TransferRunner& runner) {
  UnitCommandContext context = session.UnitContext(runner);
  return ReadFromUnitCommand(context, session.Targets());
}

UnitSave SaveUnitDatabase(CliStreams& io, const char* command, TransferRunner& runner, const std::string& path) {
  FileCommandSession unit(io);
  UnitSave save;
  save.read = ReadUnitDatabase(unit, runner);
  if (save.read != UnitCommandOutcome::Completed) return save;
  save.written = WriteDatabaseFile(path, unit.Working());
  save.entries = unit.Working().Count();
  if (save.written != DatabaseFileStatus::Ok) {
    io.err << "zorvane-cli " << command << ": " << path << ": " << ToString(save.written) << '\n';
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

int FinishVerify(CliStreams& io, const UnitVerdict& verdict, const std::string& unitMessage) {
  if (verdict.read != UnitCommandOutcome::Completed) return FinishUnitCommand(io, verdict.read, unitMessage);
  return FinishJson(io, verdict.difference.outcome, verdict.difference.summary, verdict.difference.exit);
}

int WriteSafely(CliStreams& io, FileCommandSession& session, TransferRunner& runner, const SafeWriteOptions& options) {
  if (options.backup != nullptr) {
    options.Phase("backup");
    const UnitSave save = SaveUnitDatabase(io, "write", runner, *options.backup);
    if (!save.Ok()) {
      std::string why = "the unit was not written: its database could not be saved to ";
      why += *options.backup;
      if (!io.json) io.err << "zorvane-cli write: " << why << '\n';
      const int exit = save.read != UnitCommandOutcome::Completed ? ExitStatusOf(save.read) : kExitFailed;
      return FinishJson(io, "backup failed", why, exit);
    }
  } else if (!io.json) {
    io.err << kBackupHint;
  }

  options.Phase("");
  UnitCommandContext context = session.UnitContext(runner);
  const UnitCommandOutcome wrote = WriteToUnitCommand(context, session.Working());
  if (wrote != UnitCommandOutcome::Completed || !options.verify) {
    return FinishUnitCommand(io, wrote, session.LastMessage());
  }

  options.Phase("verifying");
  return FinishVerify(io, VerifyUnit(io, runner, session.Working()), session.LastMessage());
}

// zorvane-cli write [--port PATH] FILE: a database file into the unit.
#include <memory>

#include "database/DatabaseFile.h"
#include "link/LinkConstants.h"
#include "link/WriteToUnit.h"
#include "tools/cli/CliUnit.h"
#include "tools/cli/FileCommandSession.h"

namespace {

constexpr const char* kName = "write";

int RunWrite(const std::vector<std::string>& args, CliStreams& io) {
  ParsedArgs parsed;
  std::string error;
  if (!ParseArgs(args, {"--port"}, parsed, error)) return UsageError(io, kName, error);
  const std::string* port = parsed.Option("--port");
  if (parsed.positional.size() != 1) return UsageError(io, kName, "expected one database file");
  const std::string& file = parsed.positional.front();

  auto image = std::make_unique<DatabaseImage>();
  const DatabaseFileRead read = ReadDatabaseFileImage(file, *image);
  if (read.status != DatabaseFileStatus::Ok) {
    io.err << "zorvane-cli write: " << file << ": " << ToString(read.status) << '\n';
    return kExitFailed;
  }
  if (read.bytesRead == 0 || (*image)[0] != kSignatureByte0) {
    io.err << "zorvane-cli write: " << file << ": not a database file (it must begin with 'U')\n";
    return kExitFailed;
  }
  const UnitCommandOutcome outcome = RunUnitTransfer(
      io, "writing", PlainLineMs(kWriteBlockLineBytes), port, [&](UnitCommandContext& context) { return TransferToUnit(context, *image); });
  if (outcome == UnitCommandOutcome::Completed) {
    PrintingMessageBox messages(io);
    FinishWriteToUnit(messages);
  }
  return ExitStatusOf(outcome);
}

const SubcommandRegistration kWrite{{kName, "write [--port PATH] FILE", "write a database file into the unit (on PATH, or Comm1)", &RunWrite}};

}  // namespace

// zorvane-cli write --port PATH FILE: a database file into the unit.
#include <memory>

#include "database/DatabaseFile.h"
#include "link/WriteToUnit.h"
#include "tools/cli/CliUnit.h"

namespace {

constexpr const char* kName = "write";

int RunWrite(const std::vector<std::string>& args, CliStreams& io) {
  std::string port, file;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--port" && i + 1 < args.size()) {
      port = args[++i];
    } else if (file.empty() && !args[i].starts_with("-")) {
      file = args[i];
    } else {
      return UsageError(io, kName, "unexpected " + args[i]);
    }
  }
  if (port.empty() || file.empty()) return UsageError(io, kName, "--port and a database file are needed");

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
      io, kName, "writing", port, [&](UnitCommandContext& context) { return TransferToUnit(context, *image); });
  if (outcome == UnitCommandOutcome::Completed) {
    CliMessageBox messages(io, kName);
    FinishWriteToUnit(messages);
  }
  return ExitStatusOf(outcome);
}

const SubcommandRegistration kWrite{{kName, "write --port PATH FILE", "write a database file into the unit", &RunWrite}};

}  // namespace

// zorvane-cli write [--port PATH] FILE: a database file into the unit, as
// the window writes it after Read from File into an empty database.
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

  FileCommandSession session(io);
  if (!session.ReadFromFile(parsed.positional.front())) return kExitFailed;
  CliTransferRunner runner(io, session.Messages(), port);
  UnitCommandContext context = session.UnitContext(runner);
  return ExitStatusOf(WriteToUnitCommand(context, session.Working()));
}

const SubcommandRegistration kWrite{{kName, "write [--port PATH] FILE", "write a database file into the unit (on PATH, or Comm1)", &RunWrite}};

}  // namespace

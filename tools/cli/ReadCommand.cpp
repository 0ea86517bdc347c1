// zorvane-cli read --port PATH -o OUT [--into FILE]: the unit's database,
// merged into an empty database (or into FILE), written to OUT.
#include <fstream>
#include <memory>

#include "database/DatabaseFile.h"
#include "link/ReadFromUnit.h"
#include "tools/cli/CliUnit.h"

namespace {

constexpr const char* kName = "read";

int RunRead(const std::vector<std::string>& args, CliStreams& io) {
  std::string port, out, into;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (i + 1 >= args.size()) return UsageError(io, kName, "unexpected " + arg);
    if (arg == "--port") {
      port = args[++i];
    } else if (arg == "-o" || arg == "--output") {
      out = args[++i];
    } else if (arg == "--into") {
      into = args[++i];
    } else {
      return UsageError(io, kName, "unexpected " + arg);
    }
  }
  if (port.empty() || out.empty()) return UsageError(io, kName, "--port and -o are needed");

  auto working = std::make_unique<DatabaseImage>();
  auto incoming = std::make_unique<DatabaseImage>();
  auto scratch = std::make_unique<DatabaseImage>();
  if (!into.empty()) {
    const DatabaseFileRead read = ReadDatabaseFileImage(into, *working);
    if (read.status != DatabaseFileStatus::Ok) {
      io.err << "zorvane-cli read: " << into << ": " << ToString(read.status) << '\n';
      return kExitFailed;
    }
  }
  const UnitCommandOutcome outcome = RunUnitTransfer(
      io, kName, "reading", port, [&](UnitCommandContext& context) { return TransferFromUnit(context, *incoming); });
  if (outcome != UnitCommandOutcome::Completed) return ExitStatusOf(outcome);

  CliMessageBox messages(io, kName);
  FinishReadFromUnit(messages, *working, *incoming, *scratch, {});
  std::ofstream file(out, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(working->data()), kDatabaseImageSize);
  file.close();
  if (!file) {
    io.err << "zorvane-cli read: cannot write " << out << '\n';
    return kExitFailed;
  }
  io.out << working->Count() << " entries written to " << out << '\n';
  return kExitOk;
}

const SubcommandRegistration kRead{{kName, "read --port PATH -o OUT [--into FILE]",
                                    "read the unit's database, merged into FILE or an empty one, to OUT", &RunRead}};

}  // namespace

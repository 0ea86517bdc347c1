// zorvane-cli read [--port PATH] -o OUT [--into FILE]: the unit's database,
// merged into an empty database (or into FILE), written to OUT.
#include <fstream>
#include <memory>

#include "database/DatabaseFile.h"
#include "link/LinkConstants.h"
#include "link/ReadFromUnit.h"
#include "tools/cli/CliUnit.h"
#include "tools/cli/FileCommandSession.h"

namespace {

constexpr const char* kName = "read";

struct Images {
  DatabaseImage working, incoming, scratch;
};

// FILE as Read from File would take it: merged into the empty database.
bool ReadInto(CliStreams& io, const std::string& path, Images& images) {
  const DatabaseFileRead read = ReadDatabaseFileImage(path, images.incoming);
  if (read.status != DatabaseFileStatus::Ok || read.bytesRead == 0 || images.incoming[0] != kSignatureByte0) {
    io.err << "zorvane-cli read: " << path << ": "
           << (read.status != DatabaseFileStatus::Ok ? ToString(read.status) : "not a database file") << '\n';
    return false;
  }
  MergeIncoming(images.working, images.incoming, images.scratch);
  return true;
}

int RunRead(const std::vector<std::string>& args, CliStreams& io) {
  ParsedArgs parsed;
  std::string error;
  if (!ParseArgs(args, {"--port", "-o", "--into"}, parsed, error)) return UsageError(io, kName, error);
  const std::string* port = parsed.Option("--port");
  const std::string* out = parsed.Option("-o");
  const std::string* into = parsed.Option("--into");
  if (out == nullptr || !parsed.positional.empty()) return UsageError(io, kName, "expected -o OUT");

  auto images = std::make_unique<Images>();
  if (into != nullptr && !ReadInto(io, *into, *images)) return kExitFailed;
  const UnitCommandOutcome outcome = RunUnitTransfer(
      io, "reading", PlainLineMs(kReadBlockLineBytes), port, [&](UnitCommandContext& context) { return TransferFromUnit(context, images->incoming); });
  if (outcome != UnitCommandOutcome::Completed) return ExitStatusOf(outcome);

  PrintingMessageBox messages(io);
  FinishReadFromUnit(messages, images->working, images->incoming, images->scratch, {});
  std::ofstream file(*out, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(images->working.data()), kDatabaseImageSize);
  file.close();
  if (!file) {
    io.err << "zorvane-cli read: cannot write " << *out << '\n';
    return kExitFailed;
  }
  io.out << images->working.Count() << " entries written to " << *out << '\n';
  return kExitOk;
}

const SubcommandRegistration kRead{{kName, "read [--port PATH] -o OUT [--into FILE]",
                                    "read the unit's database (on PATH, or Comm1), merged into FILE or an empty one, "
                                    "to OUT",
                                    &RunRead}};

}  // namespace

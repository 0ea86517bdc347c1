// zorvane-cli export FILE [-o OUT.csv]: the entries of a database file as a
// CSV list that import reads back to the same entries.
#include <ostream>

#include "database/CameraCsv.h"
#include "database/DatabaseFile.h"
#include "tools/cli/FileCommandSession.h"

namespace {

constexpr const char* kName = "export";

int RunExport(const std::vector<std::string>& args, CliStreams& io) {
  ParsedArgs parsed;
  std::string error;
  if (!ParseArgs(args, {"-o"}, parsed, error)) return UsageError(io, kName, error);
  if (parsed.positional.size() != 1) return UsageError(io, kName, "expected one database file");

  FileCommandSession session(io);
  if (!session.ReadFromFile(parsed.positional.front())) return kExitFailed;
  const std::string text = CameraCsvText(session.Working());
  const std::string* out = parsed.Option("-o");
  if (out == nullptr) {
    io.out << text;
    return kExitOk;
  }
  const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
  const DatabaseFileStatus status = WriteFileAtomically(*out, bytes);
  if (status != DatabaseFileStatus::Ok) {
    io.err << "zorvane-cli export: " << *out << ": " << ToString(status) << '\n';
    return kExitFailed;
  }
  return kExitOk;
}

const SubcommandRegistration kExport{
    {kName, "export FILE [-o OUT.csv]", "write a database file's entries as a camera CSV list", &RunExport}};

}  // namespace

// zorvane-cli import CSV... -o OUT [--into FILE]: Import Camera Data for each
// CSV file in turn, then Write to File.
#include "tools/cli/FileCommandSession.h"

namespace {

constexpr const char* kName = "import";

int RunImport(const std::vector<std::string>& args, CliStreams& io) {
  ParsedArgs parsed;
  std::string error;
  if (!ParseArgs(args, {"-o", "--into"}, parsed, error)) return UsageError(io, kName, error);
  const std::string* out = parsed.Option("-o");
  if (parsed.positional.empty()) return UsageError(io, kName, "expected at least one CSV file");
  if (out == nullptr) return UsageError(io, kName, "expected -o OUT");

  FileCommandSession session(io);
  if (const std::string* into = parsed.Option("--into"); into != nullptr && !session.ReadFromFile(*into)) {
    return kExitFailed;
  }
  for (const std::string& csv : parsed.positional) {
    if (!session.ImportCameraData(csv)) return kExitFailed;
  }
  return session.WriteToFile(*out) ? kExitOk : kExitFailed;
}

const SubcommandRegistration kImport{{kName, "import CSV... -o OUT [--into FILE]",
                                      "import camera CSV lists into a database file", &RunImport}};

}  // namespace

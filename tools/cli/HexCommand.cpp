// zorvane-cli hex FILE -o IMAGE: a HEX file loaded as the upgrade loads it.
#include <cstdio>
#include <memory>
#include <ostream>

#include "database/DatabaseFile.h"
#include "tools/cli/Subcommand.h"
#include "upgrade/HexLoader.h"

namespace {

int RunHex(const std::vector<std::string>& args, CliStreams& io) {
  std::string input, output;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "-o" && i + 1 < args.size()) {
      output = args[++i];
    } else if (!args[i].starts_with("-") && input.empty()) {
      input = args[i];
    } else {
      return UsageError(io, "hex", "unexpected argument '" + args[i] + "'");
    }
  }
  if (input.empty() || output.empty()) return UsageError(io, "hex", "expected a HEX file and -o IMAGE");

  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(input.c_str(), "r"), &std::fclose);
  if (!file) {
    io.err << "zorvane-cli hex: " << input << ": " << ToString(HexStatus::CannotOpen) << '\n';
    return kExitFailed;
  }
  auto image = std::make_unique<FirmwareBytes>();
  std::uint32_t highest = 0;
  const HexLoadResult result = LoadFirmwareHex(file.get(), *image, highest);
  if (!result.ok()) {
    io.err << "zorvane-cli hex: " << Describe(result, input) << '\n';
    return kExitFailed;
  }
  if (const DatabaseFileStatus written = WriteFileAtomically(output, *image); written != DatabaseFileStatus::Ok) {
    io.err << "zorvane-cli hex: " << output << ": " << ToString(written) << '\n';
    return kExitFailed;
  }
  char address[16];
  std::snprintf(address, sizeof address, "0x%04X", highest);
  io.out << "highest address: " << address << " (" << highest << ")\n"
         << "upgrade blocks: " << UploadBlockCount(highest) << '\n';
  return kExitOk;
}

const SubcommandRegistration kHex{{"hex", "hex FILE -o IMAGE", "load a HEX file into a 65000-byte firmware image", &RunHex}};

}  // namespace

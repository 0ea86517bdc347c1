// zorvane-cli upgrade [--port PATH] FILE: the unit's software replaced from a
// HEX file, as Upgrade Unit S/W does it.
#include <memory>

#include "tools/cli/CliUnit.h"
#include "tools/cli/FileCommandSession.h"
#include "upgrade/UpgradeUnit.h"
#include "upgrade/UploadConstants.h"

namespace {

constexpr const char* kName = "upgrade";

int RunUpgrade(const std::vector<std::string>& args, CliStreams& io) {
  ParsedArgs parsed;
  std::string error;
  if (!ParseArgs(args, {"--port"}, parsed, error)) return UsageError(io, kName, error);
  const std::string* port = parsed.Option("--port");
  if (parsed.positional.size() != 1) return UsageError(io, kName, "expected one HEX file");

  // A fresh run of the program: the image starts all zero.
  auto image = std::make_unique<FirmwareBytes>();
  std::uint32_t highest = 0;
  std::uint32_t currentBlock = 0;
  PrintingMessageBox messages(io);
  const LoadedFirmware loaded = OpenAndLoadFirmware(messages, parsed.positional.front(), *image, highest);
  if (!loaded.file) {
    if (!loaded.hex.ok()) io.err << "zorvane-cli upgrade: " << Describe(loaded.hex, parsed.positional.front()) << '\n';
    return ExitStatusOf(loaded.otherwise);
  }
  return ExitStatusOf(RunUnitTransfer(io, "upgrading", kUploadBlockPlainLineMs, port, [&](UnitCommandContext& context) {
    return UploadFirmware(context, *image, highest, currentBlock);
  }));
}

const SubcommandRegistration kUpgrade{
    {kName, "upgrade [--port PATH] FILE", "send a HEX file to the unit's bootloader (on PATH, or Comm1)",
     &RunUpgrade}};

}  // namespace

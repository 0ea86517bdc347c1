// SPDX-License-Identifier: GPL-3.0-or-later
// zorvane-cli hex FILE -o IMAGE: a HEX file loaded as the upgrade loads it.
#include <cstdio>
#include <memory>
#include <ostream>

#include "cli/FileCommandSession.h"
#include "cli/Subcommand.h"
#include "commands/UnitCommand.h"
#include "database/DatabaseFile.h"

namespace {

int RunHex(const ParsedArgs& parsed, CliStreams& io) {
  const std::string* out = parsed.Option("-o");
  if (out == nullptr || parsed.positional.size() != 1) return UsageError(io, "hex", "expected a HEX file and -o IMAGE");
  const std::string& input = parsed.positional.front();
  const std::string& output = *out;

  // As in a fresh run of the program: the image starts all zero.
  auto image = std::make_unique<FirmwareBytes>();
  std::uint32_t highest = 0;
  PrintingMessageBox messages(io);
  const LoadedFirmware loaded = OpenAndLoadFirmware(messages, input, *image, highest);
  if (!loaded.file) {
    // The program's message, then what exactly was wrong.
    if (!loaded.hex.ok()) io.err << "zorvane-cli hex: " << Describe(loaded.hex, input) << '\n';
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

}  // namespace

Subcommand HexSubcommand() {
  return {"hex",
          "hex FILE -o IMAGE",
          "load a HEX file into a 65000-byte firmware image",
          &RunHex,
          {{"-o", "IMAGE", "the firmware image to write"}}};
}

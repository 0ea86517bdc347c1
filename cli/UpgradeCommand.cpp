// SPDX-License-Identifier: GPL-3.0-or-later
// zorvane-cli upgrade [--port PATH] FILE: the unit's software replaced from a
// HEX file, as Upgrade Unit S/W does it.
#include <memory>
#include <ostream>

#include "cli/CliUnit.h"
#include "cli/FileCommandSession.h"
#include "cli/JsonLines.h"
#include "commands/UnitCommand.h"
#include "resources/Strings.h"

namespace {

constexpr const char* kName = "upgrade";

int RunUpgrade(const ParsedArgs& parsed, CliStreams& io) {
  const std::string* port = parsed.Option("--port");
  if (parsed.positional.size() != 1) return UsageError(io, kName, "expected one HEX file");
  const std::string& file = parsed.positional.front();

  // A fresh run of the program: the image starts all zero.
  auto image = std::make_unique<FirmwareBytes>();
  std::uint32_t highest = 0;
  std::uint32_t currentBlock = 0;
  FileCommandSession session(io);
  session.GiveName(file);
  CliTransferRunner runner(io, session.Messages(), port);
  UnitCommandContext context = session.UnitContext(runner);
  HexLoadResult hex;
  const UnitCommandOutcome outcome = UpgradeUnitCommand(context, {*image, highest, currentBlock}, &hex);
  if (!hex.ok()) {
    // The program's message, then what exactly was wrong: with --json as a
    // message of its own, the last one shown.
    if (io.json) {
      session.Messages().Show(Describe(hex, file), kCaptionError, MessageStyle::Ok);
    } else {
      io.err << "zorvane-cli upgrade: " << Describe(hex, file) << '\n';
    }
  }
  CliOutcome end = UnitOutcome(outcome, session.LastMessage(), runner.BlocksMoved());
  if (outcome == UnitCommandOutcome::FileRefused) end.file = file;
  if (hex.line > 0) end.line = hex.line;
  return FinishJson(io, end);
}

}  // namespace

Subcommand UpgradeSubcommand() {
  return {kName,
          "upgrade [--port PATH] FILE [--json]",
          "send a HEX file to the unit's bootloader (on PATH, or Comm1)",
          &RunUpgrade,
          {kPortOption, kJsonOption}};
}

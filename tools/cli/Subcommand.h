// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// zorvane-cli subcommands. Each lives in a file of its own and registers
// itself with a static SubcommandRegistration.
#include <iosfwd>
#include <string>
#include <vector>

// Exit statuses, the same for every subcommand.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitNoAnswer = 3;  // the unit did not answer or timed out

struct CliStreams {
  std::ostream& out;
  std::ostream& err;
  bool errIsTerminal = false;  // progress bars only on a terminal
  // --json: messages, progress and the outcome as one JSON object a line
  // on `out`, for front ends and scripts; nothing on `err`.
  bool json = false;
  // The file or port the command works on now: an error printed without
  // its name gets it in front ("Error: bad.db: The file does not ...").
  std::string subject{};
};

using SubcommandRun = int (*)(const std::vector<std::string>& args, CliStreams& io);

struct Subcommand {
  const char* name;
  const char* synopsis;  // "info FILE"
  const char* summary;   // one line for --help
  SubcommandRun run;
  std::vector<std::string> options{};  // "--max N  what it does", one per line
};

struct SubcommandRegistration {
  explicit SubcommandRegistration(const Subcommand& subcommand);
};

// Registered subcommands, sorted by name.
std::vector<Subcommand> Subcommands();

// The whole tool: args exclude the program name.
int RunCli(const std::vector<std::string>& args, CliStreams& io);

// Usage error helper: prints "zorvane-cli NAME: message" and the synopsis.
int UsageError(CliStreams& io, const char* name, const std::string& message);

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// zorvane-cli subcommands. Each lives in a file of its own and describes
// itself, options and all, in one Subcommand; Subcommands() is the table of
// them.
#include <iosfwd>
#include <string>
#include <vector>

#include "common/CommandLine.h"

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

// One option of a subcommand, declared once: the parser takes it, and the
// help and the usage errors show it.
struct CliOption {
  const char* name;   // "--port", "-o"
  const char* value;  // what it takes ("PATH"); null for a flag
  const char* help;   // one line
};
inline constexpr CliOption kOutOption{"-o", "OUT", "the file to write"};
inline constexpr CliOption kPortOption{"--port", "PATH", "the unit's serial port; without it, Comm1"};
inline constexpr CliOption kJsonOption{"--json", nullptr,
                                       "one JSON object a line on standard output, nothing on standard error"};

// Runs a subcommand on its arguments, parsed by its options. --json, where
// a subcommand takes it, has already set `io.json`.
using SubcommandRun = int (*)(const ParsedArgs& args, CliStreams& io);

struct Subcommand {
  const char* name;
  const char* synopsis;  // "info FILE"
  const char* summary;   // one line for --help
  SubcommandRun run;
  std::vector<CliOption> options{};
  const char* note = nullptr;  // a last line for --help and usage errors
};

// Every subcommand, by name, as --help lists them. Each is described by the
// function of its own file, declared here.
const std::vector<Subcommand>& Subcommands();
Subcommand DiffSubcommand();
Subcommand ExportSubcommand();
Subcommand FilterSubcommand();
Subcommand HexSubcommand();
Subcommand HistorySubcommand();
Subcommand ImportSubcommand();
Subcommand InfoSubcommand();
Subcommand MergeSubcommand();
Subcommand PortsSubcommand();
Subcommand ReadSubcommand();
Subcommand RenderSubcommand();
Subcommand UpgradeSubcommand();
Subcommand VerifySubcommand();
Subcommand WriteSubcommand();

// The whole tool: args exclude the program name.
int RunCli(const std::vector<std::string>& args, CliStreams& io);

// Usage error helper: prints "zorvane-cli NAME: message" and the synopsis.
int UsageError(CliStreams& io, const char* name, const std::string& message);

// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Subcommand.h"

#include <ostream>

#include "resources/Strings.h"

namespace {

// "--port PATH       the unit's serial port ...", one line an option.
void PrintOptions(std::ostream& out, const Subcommand& sub, const char* indent) {
  for (const CliOption& option : sub.options) {
    std::string usage = option.name;
    if (option.value != nullptr) usage = usage + ' ' + option.value;
    out << indent << usage;
    for (std::size_t pad = usage.size(); pad < 17; ++pad) out << ' ';
    out << ' ' << option.help << '\n';
  }
  if (sub.note != nullptr) out << indent << sub.note << '\n';
}

void PrintHelp(std::ostream& out) {
  out << "Usage: zorvane-cli COMMAND [ARGS...]\n"
         "       zorvane-cli --help | --version\n\n"
         "Works with Dravikon camera databases, CSV camera lists, firmware files and units.\n\n"
         "Commands:\n";
  for (const Subcommand& sub : Subcommands()) {
    std::string synopsis = sub.synopsis;
    out << "  " << synopsis;
    for (std::size_t pad = synopsis.size(); pad < 44; ++pad) out << ' ';
    out << ' ' << sub.summary << '\n';
    PrintOptions(out, sub, "      ");
  }
  out << "\n--json: one JSON object a line on standard output, the last the outcome: status,\n"
         "exit and message, and where they apply entries, skipped (list items with no\n"
         "position), repeats (within 1/6000 degree of one before), file (written or\n"
         "refused), line (where refused), blocks (moved to or from the unit); diff and\n"
         "verify add added and removed, info bytes, signature, capacity and box.\n";
  out << "\nExit status: 0 success (warnings included), 1 the operation failed,\n"
         "2 usage error, 3 the unit did not answer or timed out.\n";
}

}  // namespace

const std::vector<Subcommand>& Subcommands() {
  static const std::vector<Subcommand> table = {
      DiffSubcommand(),   ExportSubcommand(),  FilterSubcommand(), HexSubcommand(),   HistorySubcommand(),
      ImportSubcommand(), InfoSubcommand(),    MergeSubcommand(),  PortsSubcommand(), ReadSubcommand(),
      RenderSubcommand(), UpgradeSubcommand(), VerifySubcommand(), WriteSubcommand(),
  };
  return table;
}

int UsageError(CliStreams& io, const char* name, const std::string& message) {
  io.err << "zorvane-cli " << name << ": " << message << '\n';
  for (const Subcommand& sub : Subcommands()) {
    if (std::string(sub.name) != name) continue;
    io.err << "usage: zorvane-cli " << sub.synopsis << '\n';
    PrintOptions(io.err, sub, "  ");
  }
  return kExitUsage;
}

int RunCli(const std::vector<std::string>& args, CliStreams& io) {
  if (args.empty()) {
    PrintHelp(io.err);
    return kExitUsage;
  }
  const std::string& first = args.front();
  if (first == "--help" || first == "-h" || first == "help") {
    PrintHelp(io.out);
    return kExitOk;
  }
  if (first == "--version") {
    io.out << "zorvane-cli " << kProgramVersion << '\n' << kLicenseLine << '\n';
    return kExitOk;
  }
  for (const Subcommand& sub : Subcommands()) {
    if (first != sub.name) continue;
    std::vector<std::string> valued, flags;
    for (const CliOption& option : sub.options) (option.value != nullptr ? valued : flags).push_back(option.name);
    ParsedArgs parsed;
    std::string error;
    if (!ParseArgs(std::vector<std::string>(args.begin() + 1, args.end()), valued, flags, parsed, error)) {
      return UsageError(io, sub.name, error);
    }
    io.json = io.json || parsed.Flag(kJsonOption.name);
    return sub.run(parsed, io);
  }
  io.err << "zorvane-cli: unknown command '" << first << "' (see zorvane-cli --help)\n";
  return kExitUsage;
}

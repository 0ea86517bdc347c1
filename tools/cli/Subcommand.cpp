// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/cli/Subcommand.h"

#include <algorithm>
#include <ostream>

#include "resources/Strings.h"

namespace {

std::vector<Subcommand>& Registry() {
  static std::vector<Subcommand> registry;
  return registry;
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
    for (const std::string& option : sub.options) out << "      " << option << '\n';
  }
  out << "\nExit status: 0 success (warnings included), 1 the operation failed,\n"
         "2 usage error, 3 the unit did not answer or timed out.\n";
}

}  // namespace

SubcommandRegistration::SubcommandRegistration(const Subcommand& subcommand) { Registry().push_back(subcommand); }

std::vector<Subcommand> Subcommands() {
  std::vector<Subcommand> sorted = Registry();
  std::sort(sorted.begin(), sorted.end(),
            [](const Subcommand& a, const Subcommand& b) { return std::string(a.name) < b.name; });
  return sorted;
}

int UsageError(CliStreams& io, const char* name, const std::string& message) {
  io.err << "zorvane-cli " << name << ": " << message << '\n';
  for (const Subcommand& sub : Subcommands()) {
    if (std::string(sub.name) != name) continue;
    io.err << "usage: zorvane-cli " << sub.synopsis << '\n';
    for (const std::string& option : sub.options) io.err << "  " << option << '\n';
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
    if (first == sub.name) return sub.run(std::vector<std::string>(args.begin() + 1, args.end()), io);
  }
  io.err << "zorvane-cli: unknown command '" << first << "' (see zorvane-cli --help)\n";
  return kExitUsage;
}

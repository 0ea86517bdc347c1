// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs zorvane-cli in-process and captures what it printed.
#include <sstream>
#include <string>
#include <vector>

#include "cli/Subcommand.h"

struct CliRun {
  int status;
  std::string out;
  std::string err;
};

inline CliRun RunCliWith(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  CliStreams io{out, err, false};
  const int status = RunCli(args, io);
  return {status, out.str(), err.str()};
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// zorvane-unit's command line.
#include <string>
#include <vector>

#include "emulator/UnitEngine.h"

struct UnitProgramOptions {
  UnitMode mode = UnitMode::Database;
  UnitFaults faults;
  int latencyMs = 0;     // --latency: a USB-serial adapter's latency timer
  std::string dbFile;    // --db: the database the unit starts with
  bool sample = false;   // --sample: start with the built-in sample database
  std::string saveFile;  // --save: where what it was sent goes
  std::string linkPath;  // --link: a symlink to the pseudo-terminal
  bool help = false;
  bool version = false;
};

// Parses args (without the program name); false with `error` set on a
// usage error.
bool ParseUnitOptions(const std::vector<std::string>& args, UnitProgramOptions& options, std::string& error);

const char* UnitUsage();

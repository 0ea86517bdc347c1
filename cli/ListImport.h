// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// zorvane-cli's import of one camera list in any format into a session:
// read whole, cut by the filter, then loaded and merged as the window's
// import loads a CSV file, with what was skipped, passed over or left out
// told on the error stream (with --json, as messages).
#include <optional>
#include <string>

#include "cli/FileCommandSession.h"
#include "cli/ListOptions.h"

struct ListImported {
  bool read = false;          // false when the file could not be read (the message has been printed)
  std::optional<int> line{};  // where a file not read stopped making sense, when it tells a line
  int skipped = 0;            // items that gave no position
  int repeats = 0;            // positions within 1/6000 degree of one before them
};

ListImported ImportCameraList(FileCommandSession& session, CliStreams& io, const std::string& path, ListFormat format,
                              const ListOptions& options);

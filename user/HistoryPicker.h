// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the unit history command needs to ask the user: which of the kept
// databases to load.
#include <optional>
#include <string>
#include <vector>

struct HistoryFile;

class HistoryPicker {
 public:
  virtual ~HistoryPicker() = default;
  // Blocks until the list of `files` (newest first) closes. Returns the path
  // of the one chosen with OK, and nothing when it was cancelled or closed
  // with none chosen.
  virtual std::optional<std::string> Choose(const std::vector<HistoryFile>& files) = 0;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Two databases compared entry by entry, as a person would want to know
// what a write will change: which cameras one has that the other has not.
// Entries count as the same as the merge counts them (both fields within
// one unit), so a position that moved by one unit is no difference, and
// order and duplicates are not differences either.
#include <vector>

#include "database/DatabaseImage.h"

struct DatabaseDifference {
  std::vector<CameraEntry> added;    // entries of `after` that no entry of `before` matches, in its order
  std::vector<CameraEntry> removed;  // entries of `before` that no entry of `after` matches, in its order
  int same = 0;                      // entries of `after` that an entry of `before` matches
  bool Equal() const { return added.empty() && removed.empty(); }
};

// Each database's entries as far as its count goes, bounded by capacity as
// everywhere else. Nothing is changed.
DatabaseDifference CompareDatabases(const DatabaseImage& before, const DatabaseImage& after);

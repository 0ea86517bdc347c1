// SPDX-License-Identifier: GPL-3.0-or-later
#include "database/DatabaseDiff.h"

#include "database/EntryIndex.h"

namespace {

// The entries of `from` that nothing in `index` matches; counts the rest in `matched`.
std::vector<CameraEntry> Unmatched(const DatabaseImage& from, const EntryIndex& index, int& matched) {
  std::vector<CameraEntry> unmatched;
  const int count = from.BoundedCount();
  for (int i = 0; i < count; ++i) {
    if (index.HasMatch(from.EntryBytes(i))) {
      ++matched;
    } else {
      unmatched.push_back(from.Entry(i));
    }
  }
  return unmatched;
}

}  // namespace

DatabaseDifference CompareDatabases(const DatabaseImage& before, const DatabaseImage& after) {
  DatabaseDifference difference;
  difference.added = Unmatched(after, EntryIndex(before, before.BoundedCount()), difference.same);
  int matchedBefore = 0;
  difference.removed = Unmatched(before, EntryIndex(after, after.BoundedCount()), matchedBefore);
  return difference;
}

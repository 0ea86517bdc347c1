// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which entries of a database lie within one unit of a point, found without
// a scan of the whole database. The merge and the comparison of two
// databases both count entries the same by it.
#include <cstdint>
#include <span>
#include <vector>

#include "database/DatabaseImage.h"

// Two entries match when both fields, read as unsigned 24-bit numbers,
// differ by at most 1 (so FF FF FF and 00 00 00 do not match).
class EntryIndex {
 public:
  // The first `count` entries of `image`; the image may go away afterwards.
  EntryIndex(const DatabaseImage& image, int count);
  // An empty index, filled one entry at a time.
  EntryIndex() = default;

  void Add(ConstEntryBytesView entry);

  // Whether any indexed entry matches `entry`.
  bool HasMatch(ConstEntryBytesView entry) const;

 private:
  std::vector<std::uint64_t> m_keys;  // (latitude, longitude) as one number, sorted
};

// Repeats within one list, by the merge's rule: the entries that lie within
// one unit of an entry kept before them (a camera listed once for each
// direction of travel), which is what FirstOfEach drops. The merge appends
// them all; a front end may tell or drop them.
int CountRepeats(std::span<const CameraEntry> entries);
// `entries` in their order, without each one that lies within one unit of
// one already kept.
std::vector<CameraEntry> FirstOfEach(std::span<const CameraEntry> entries);

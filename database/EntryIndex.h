#pragma once
// Which entries of a database lie within one unit of a point, found without
// a scan of the whole database. The merge and the comparison of two
// databases both count entries the same by it.
#include <cstdint>
#include <vector>

#include "database/DatabaseImage.h"

// Two entries match when both fields, read as unsigned 24-bit numbers,
// differ by at most 1 (so FF FF FF and 00 00 00 do not match).
class EntryIndex {
 public:
  // The first `count` entries of `image`; the image may go away afterwards.
  EntryIndex(const DatabaseImage& image, int count);

  // Whether any indexed entry matches `entry`.
  bool HasMatch(ConstEntryBytesView entry) const;

 private:
  std::vector<std::uint64_t> m_keys;  // (latitude, longitude) as one number, sorted
};

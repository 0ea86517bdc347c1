// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/ReferenceMerge.h"

#include <algorithm>

namespace {

bool Within1(std::uint32_t a, std::uint32_t b) { return (a > b ? a - b : b - a) <= 1; }

bool Matches(ConstEntryBytesView a, ConstEntryBytesView b) {
  return Within1(ReadUnsigned24(LongitudeField(a)), ReadUnsigned24(LongitudeField(b))) &&
         Within1(ReadUnsigned24(LatitudeField(a)), ReadUnsigned24(LatitudeField(b)));
}

}  // namespace

MergeResult ReferenceMergeIncoming(DatabaseImage& working, const DatabaseImage& incoming, DatabaseImage& scratch) {
  scratch.Fill(0);
  const int held = std::min(working.Count(), kMaxDatabaseEntries);
  const int offered = std::min(incoming.Count(), kMaxDatabaseEntries);
  int fresh = 0;
  for (int j = 0; j < offered; ++j) {
    bool matched = false;
    for (int k = 0; k < held && !matched; ++k) matched = Matches(incoming.EntryBytes(j), working.EntryBytes(k));
    if (!matched) std::ranges::copy(incoming.EntryBytes(j), scratch.EntryBytes(fresh++).begin());
  }
  MergeResult result;
  result.added = std::min(fresh, kMaxDatabaseEntries - held);
  result.leftOut = fresh - result.added;
  for (int i = 0; i < result.added; ++i) std::ranges::copy(scratch.EntryBytes(i), working.EntryBytes(held + i).begin());
  working.WriteHeader(held + result.added);
  return result;
}

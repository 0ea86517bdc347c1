#include "tests/support/ReferenceMerge.h"

#include <algorithm>
#include <cstring>

namespace {

bool Within1(std::uint32_t a, std::uint32_t b) { return (a > b ? a - b : b - a) <= 1; }

bool Matches(const std::uint8_t* a, const std::uint8_t* b) {
  return Within1(ReadUnsigned24(a + 3), ReadUnsigned24(b + 3)) && Within1(ReadUnsigned24(a), ReadUnsigned24(b));
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
    if (!matched) std::memcpy(scratch.EntryBytes(fresh++), incoming.EntryBytes(j), 6);
  }
  MergeResult result;
  result.added = std::min(fresh, kMaxDatabaseEntries - held);
  result.leftOut = fresh - result.added;
  for (int i = 0; i < result.added; ++i) std::memcpy(working.EntryBytes(held + i), scratch.EntryBytes(i), 6);
  working.WriteHeader(held + result.added);
  return result;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "database/Merge.h"

#include <algorithm>

#include "database/EntryIndex.h"

MergeResult MergeIncoming(DatabaseImage& working, const DatabaseImage& incoming, DatabaseImage& scratch) {
  scratch.Fill(0x00);
  const int held = working.BoundedCount();
  const int offered = incoming.BoundedCount();

  const EntryIndex index(working, held);
  int fresh = 0;
  for (int j = 0; j < offered; ++j) {
    const ConstEntryBytesView entry = incoming.EntryBytes(j);
    if (index.HasMatch(entry)) continue;
    std::ranges::copy(entry, scratch.EntryBytes(fresh).begin());
    ++fresh;
  }

  MergeResult result;
  result.added = std::min(fresh, kMaxDatabaseEntries - held);
  result.leftOut = fresh - result.added;
  std::ranges::copy(scratch.EntryRun(0, result.added), working.EntryRun(held, result.added).begin());
  working.WriteHeader(held + result.added);
  return result;
}

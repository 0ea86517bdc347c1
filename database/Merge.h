// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "database/DatabaseImage.h"

struct MergeResult {
  int added = 0;    // entries appended to the working database
  int leftOut = 0;  // new entries that did not fit (the database is full)
  friend bool operator==(const MergeResult&, const MergeResult&) = default;
};

// Appends to `working` every entry of `incoming` that no entry held before
// the merge matches, and rewrites the header of `working` (bytes 0..4) even
// when nothing is appended.
//
// Two entries match when both fields, read as unsigned 24-bit numbers, differ
// by at most 1 (so FF FF FF and 00 00 00 do not match). Incoming entries are
// not compared with each other or with entries appended by this merge, and
// keep their order. `scratch` is zeroed and receives the entries to append
// from byte 8 on.
//
// Capacity: an incoming count above kMaxDatabaseEntries is read as
// kMaxDatabaseEntries, and appending stops when `working` is full; the
// entries that did not fit are counted in leftOut. Nothing outside the three
// images is read or written.
MergeResult MergeIncoming(DatabaseImage& working, const DatabaseImage& incoming, DatabaseImage& scratch);

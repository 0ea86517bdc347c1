// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The merge written as the plain nested scan it is defined by: every incoming
// entry against every held entry. Slow, obviously right; the fast merge must
// give the same bytes.
#include "database/Merge.h"

MergeResult ReferenceMergeIncoming(DatabaseImage& working, const DatabaseImage& incoming, DatabaseImage& scratch);

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The CSV import written out plainly, for checking the real one on
// arbitrary input: fgets-sized pieces, a header (its named columns, and a
// spreadsheet's "sep=" line before it), "%f,%f" or the named columns read by
// a scanner of its own, the validity rules and the conversion, at most
// 10,900 entries.
#include <string_view>
#include <vector>

#include "database/DatabaseImage.h"

std::vector<CameraEntry> ReferenceCsvEntries(std::string_view file);

// One "%f" as scanf reads it into a float: the end of the number, or
// nullptr when there is none.
const char* ReferenceScanFloat(const char* p, float& value);

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The mistakes camera lists most often carry, found after an import so that
// the user can be told what went wrong. Nothing here changes what a list
// imports.
#include <span>
#include <string>
#include <string_view>

#include "database/DatabaseImage.h"

// Whether the map the program ships shows this position.
bool OnTheMap(const CameraEntry& entry);

struct ListMistakes {
  // Most positions are off the map and would be on it swapped.
  bool latitudeFirst = false;
  // Items that look like "51,5;-0,12"; each was skipped or misread.
  int spreadsheetItems = 0;
  // The first line held a position, but was skipped as the header.
  bool headerHoldsPosition = false;

  bool Any() const { return latitudeFirst || spreadsheetItems > 0 || headerHoldsPosition; }
};

ListMistakes FindListMistakes(std::span<const CameraEntry> positions, int spreadsheetItems, bool headerHoldsPosition);

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The mistakes camera lists most often carry, found after an import and
// told in one text, so that the user knows what went wrong. Nothing here
// changes what a list imports.
#include <span>
#include <string>
#include <string_view>

#include "commands/FrontEndWords.h"
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

// One text that explains every mistake found in `file`, empty when none was.
// `items` names what the file is made of: "lines", or "points".
std::string ListMistakesText(const ListMistakes& mistakes, const std::string& file, const FrontEndWords& words,
                             std::string_view items);

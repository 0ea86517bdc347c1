// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The mistakes camera lists most often carry, found after an import so that
// the user can be told what went wrong. Nothing here changes what a list
// imports.
#include <span>
#include <string>
#include <string_view>

#include "database/DatabaseImage.h"

// `text` without the UTF-8 byte-order mark some programs start a file with.
std::string_view SkipByteOrderMark(std::string_view text);

// "sep=;" and the like (after a byte-order mark, any case): the first line a
// spreadsheet writes to name its field separator.
bool IsSeparatorLine(std::string_view line);

// Whether `line` (after a byte-order mark) begins with a position that a
// camera line would give.
bool HoldsPosition(const char* line);

// A number as a spreadsheet writes it in much of Europe: digits with a
// decimal comma ("51,5", "-0,12"), perhaps in quotes.
bool IsDecimalCommaNumber(std::string_view text);

// A line whose first two fields are numbers separated by a semicolon or a
// tab, with decimal commas or points ("51,5;-0,12", "51.5;-0.12").
bool LooksLikeSpreadsheetNumbers(std::string_view line);

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

// Who reads the advice: the window suggests mending the file, the command
// line its own option.
enum class AdviceFor { Window, CommandLine };

// One text that explains every mistake found in `file`, empty when none was.
// `items` names what the file is made of: "lines", or "points".
std::string ListMistakesText(const ListMistakes& mistakes, const std::string& file, AdviceFor reader,
                             std::string_view items);

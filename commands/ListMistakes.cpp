// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/ListMistakes.h"

#include "map/Projection.h"
#include "resources/Strings.h"

// On the map: projected inside the picture the program ships.
bool OnTheMap(const CameraEntry& entry) {
  const PixelPoint p = ProjectCoordinates(entry.latitude, entry.longitude);
  return p.x >= 0 && p.x < kShippedMapSize.width && p.y >= 0 && p.y < kShippedMapSize.height;
}

ListMistakes FindListMistakes(std::span<const CameraEntry> positions, int spreadsheetItems, bool headerHoldsPosition) {
  ListMistakes mistakes;
  std::size_t swappedOnMap = 0;
  for (const CameraEntry& entry : positions) {
    if (!OnTheMap(entry) && OnTheMap({entry.longitude, entry.latitude})) ++swappedOnMap;
  }
  mistakes.latitudeFirst = swappedOnMap * 2 > positions.size();
  mistakes.spreadsheetItems = spreadsheetItems;
  mistakes.headerHoldsPosition = headerHoldsPosition;
  return mistakes;
}

std::string ListMistakesText(const ListMistakes& mistakes, const std::string& file, const FrontEndWords& words,
                             std::string_view items) {
  std::string text;
  const auto add = [&text](const std::string& paragraph) {
    if (!text.empty()) text += "\n\n";
    text += paragraph;
  };
  if (mistakes.latitudeFirst) {
    add(FormatMessageText(kMsgLatitudeFirst, file) + '\n' + words.latitudeFirst);
  }
  if (mistakes.spreadsheetItems > 0) {
    const std::string count = std::to_string(mistakes.spreadsheetItems);
    add(FormatMessageText(kMsgSpreadsheetNumbers, {count, items, file}));
  }
  if (mistakes.headerHoldsPosition) add(FormatMessageText(kMsgHeaderHoldsPosition, file));
  return text;
}

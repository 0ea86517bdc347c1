// SPDX-License-Identifier: GPL-3.0-or-later
#include "database/ListMistakes.h"

#include "map/Projection.h"

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

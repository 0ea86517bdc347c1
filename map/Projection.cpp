// SPDX-License-Identifier: GPL-3.0-or-later
#include "map/Projection.h"

PixelPoint ProjectCoordinates(std::int32_t latitude, std::int32_t longitude) {
  // The order of the divisions matters: each one truncates toward zero, which
  // is where markers land, and the map picture is drawn to match.
  const std::int32_t y = (kProjectionTopRow - 600 * (latitude / 10)) / kProjectionRowHeight;
  const std::int32_t x = (600 * (longitude / 10)) / kProjectionColumnWidth + kProjectionMeridianColumn;
  return {x, y};
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The fixed linear projection of a camera location onto the map picture,
// in integer arithmetic with truncating division. Row 0 lies at
// 59.39833 degrees north, column 311 at longitude 0; one row is 7724/360000
// degree of latitude, one column 12766/360000 degree of longitude.
#include <cstdint>

#include "map/DeviceContext.h"

inline constexpr std::int32_t kProjectionTopRow = 21383400;  // 59.39833 deg * 360000
inline constexpr std::int32_t kProjectionRowHeight = 7724;
inline constexpr std::int32_t kProjectionColumnWidth = 12766;
inline constexpr std::int32_t kProjectionMeridianColumn = 311;
// The map picture the program ships (resources/uk.bmp), which tools/mapgen
// draws for this projection.
inline constexpr PixelSize kShippedMapSize{370, 450};

// The pixel for a camera location in 1/6000 degree. Every 24-bit input
// stays within 32 bits.
PixelPoint ProjectCoordinates(std::int32_t latitude, std::int32_t longitude);

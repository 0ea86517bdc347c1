// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// OV2 point lists, the binary format navigation devices keep points of
// interest in: records one after another, each a type byte, then
// little-endian 32-bit integers. Positions are degrees times 100,000,
// longitude first.
#include <cstdint>
#include <string>
#include <string_view>

#include "database/CameraList.h"

namespace ov2 {
inline constexpr std::uint8_t kDeleted = 0;
inline constexpr std::uint8_t kSkipper = 1;  // a bounding box over the records after it
inline constexpr std::uint8_t kPoint = 2;
inline constexpr std::uint8_t kExtendedPoint = 3;
inline constexpr std::size_t kSkipperLength = 21;
// Type, length, longitude, latitude and at least a name's terminating zero.
inline constexpr std::size_t kMinPointLength = 14;
inline constexpr double kScale = 100000.0;
}  // namespace ov2

// Points (types 2 and 3) in file order; deleted records are passed over by
// their length and skippers read past. Any other type, a length below 14 or
// running past the end, or a file that ends inside a record make the file
// Malformed at that record's byte offset, and nothing of it is given. A
// position reads exactly as its value written in decimal in a CSV line.
ListReadResult ReadOv2(std::string_view bytes);

// Whether `head`, the start of a file, begins as an OV2 file does.
bool LooksLikeOv2(std::string_view head);

// Units of 1/6000 degree as degrees times 100,000, to the nearest, halves
// away from zero. ReadOv2 reads every such value back to the same units.
std::int32_t Ov2Value(std::int32_t units);

// The entries of `image` (its count bounded by capacity) as an OV2 file:
// type 2 records named "Camera N" after their place in the database, under
// skipper records whose boxes a device searches by. The set is split across
// its longer side until a group holds at most kOv2GroupSize points, so the
// records follow the map, not the database; ReadOv2 gives the same entries
// in that order. A database in that order (one read from such a file) is
// written in its own order, so it comes back byte for byte. An empty
// database makes an empty file.
inline constexpr std::size_t kOv2GroupSize = 20;
std::string Ov2Text(const DatabaseImage& image);

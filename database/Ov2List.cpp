// SPDX-License-Identifier: GPL-3.0-or-later
#include "database/Ov2List.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>
#include <optional>
#include <span>
#include <string>
#include <tuple>
#include <vector>

namespace {

std::int32_t Int32At(std::string_view bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i)
    value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
  return static_cast<std::int32_t>(value);
}

// "-1.50000" for -150000: the value as a list would write it in decimal.
std::string DecimalText(std::int32_t value) {
  const long long whole = std::llabs(static_cast<long long>(value));
  char text[24];
  std::snprintf(text, sizeof text, "%s%lld.%05lld", value < 0 ? "-" : "", whole / 100000, whole % 100000);
  return text;
}

// The float a list's reader makes of DecimalText(value): the nearest to the
// decimal, as scanf's %f gives it, without its locale or its cost.
float DecimalDegrees(std::int32_t value) {
  const std::string text = DecimalText(value);
  float degrees = 0;
  std::from_chars(text.data(), text.data() + text.size(), degrees);
  return degrees;
}

void PutInt32(std::string& out, std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) out += static_cast<char>((bits >> (8 * i)) & 0xFF);
}

struct Ov2Point {
  std::int32_t longitude;
  std::int32_t latitude;
  int index;  // in the database, from 0
};

// A total order along one side, and one that agrees with the database's
// where places are equal: a database read back from a file written in it is
// then written in its own order, and comes back again byte for byte.
bool Before(const Ov2Point& a, const Ov2Point& b, bool across) {
  return across ? std::tie(a.longitude, a.latitude, a.index) < std::tie(b.longitude, b.latitude, b.index)
                : std::tie(a.latitude, a.longitude, a.index) < std::tie(b.latitude, b.longitude, b.index);
}

// Writes `points` as one skipper over their box and what it holds: the
// points themselves when few enough (in the order along the side their
// parent was cut across, or as they are when nothing was cut), else two
// halves cut across the longer side (longitude counted as the ground it
// spans at their latitude).
void WriteGroup(std::span<Ov2Point> points, std::string& out, std::optional<bool> cutAcross) {
  auto [west, east] = std::minmax_element(
      points.begin(), points.end(), [](const Ov2Point& a, const Ov2Point& b) { return a.longitude < b.longitude; });
  auto [south, north] = std::minmax_element(
      points.begin(), points.end(), [](const Ov2Point& a, const Ov2Point& b) { return a.latitude < b.latitude; });
  const std::size_t start = out.size();
  out += static_cast<char>(ov2::kSkipper);
  PutInt32(out, 0);  // the block's length, known once it is written
  PutInt32(out, east->longitude);
  PutInt32(out, north->latitude);
  PutInt32(out, west->longitude);
  PutInt32(out, south->latitude);
  if (points.size() <= kOv2GroupSize) {
    if (cutAcross) {
      std::sort(points.begin(), points.end(),
                [across = *cutAcross](const Ov2Point& a, const Ov2Point& b) { return Before(a, b, across); });
    }
    for (const Ov2Point& point : points) {
      const std::string name = "Camera " + std::to_string(point.index + 1);
      out += static_cast<char>(ov2::kPoint);
      PutInt32(out, static_cast<std::int32_t>(13 + name.size() + 1));
      PutInt32(out, point.longitude);
      PutInt32(out, point.latitude);
      out += name;
      out += '\0';
    }
  } else {
    const double middle = (static_cast<double>(north->latitude) + south->latitude) / 2.0 / ov2::kScale;
    const double wide =
        (static_cast<double>(east->longitude) - west->longitude) * std::cos(middle * std::numbers::pi / 180.0);
    const double tall = static_cast<double>(north->latitude) - south->latitude;
    const bool across = wide >= tall;
    const auto half = points.begin() + static_cast<std::ptrdiff_t>(points.size() / 2);
    std::nth_element(points.begin(), half, points.end(),
                     [across](const Ov2Point& a, const Ov2Point& b) { return Before(a, b, across); });
    WriteGroup(points.first(points.size() / 2), out, across);
    WriteGroup(points.subspan(points.size() / 2), out, across);
  }
  std::string length;
  PutInt32(length, static_cast<std::int32_t>(out.size() - start));
  out.replace(start + 1, 4, length);
}

ListReadResult Broken(std::size_t at, std::string detail) {
  ListReadResult broken;
  broken.status = ListReadStatus::Malformed;
  broken.offset = static_cast<std::int64_t>(at);
  broken.detail = std::move(detail);
  return broken;
}

}  // namespace

ListReadResult ReadOv2(std::string_view bytes) {
  ListReadResult result;
  CameraList& list = result.list;
  std::size_t at = 0;
  int points = 0;
  while (at < bytes.size()) {
    const auto type = static_cast<std::uint8_t>(bytes[at]);
    const std::size_t left = bytes.size() - at;
    if (type == ov2::kSkipper) {
      if (left < ov2::kSkipperLength) {
        return Broken(at,
                      "expected a skipper record of 21 bytes, found the end of the file after " + std::to_string(left));
      }
      at += ov2::kSkipperLength;
      continue;
    }
    if (type > ov2::kExtendedPoint) {
      return Broken(at, "expected a record of type 0, 1, 2 or 3, found type " + std::to_string(type));
    }
    if (left < 5) return Broken(at, "expected a record's length, found the end of the file");
    const std::int32_t length = Int32At(bytes, at + 1);
    if (length < static_cast<std::int32_t>(ov2::kMinPointLength)) {
      return Broken(at, "expected a record length of at least 14, found " + std::to_string(length));
    }
    if (static_cast<std::size_t>(length) > left) {
      return Broken(at, "expected a record of " + std::to_string(length) + " bytes, found the end of the file after " +
                            std::to_string(left));
    }
    if (type == ov2::kDeleted) {
      ++list.passedOver;
    } else {
      ++points;
      const std::int32_t longitude = Int32At(bytes, at + 5);
      const std::int32_t latitude = Int32At(bytes, at + 9);
      CameraEntry entry;
      const CsvLineStatus status = PositionOf(DecimalDegrees(latitude), DecimalDegrees(longitude), entry);
      if (status == CsvLineStatus::Ok) {
        list.entries.push_back(entry);
      } else {
        list.Skip({0, "point " + std::to_string(points) + " at byte " + std::to_string(at), ToString(status),
                   DecimalText(longitude) + "," + DecimalText(latitude)});
      }
    }
    at += static_cast<std::size_t>(length);
  }
  return result;
}

bool LooksLikeOv2(std::string_view head) {
  if (head.empty()) return false;
  const auto type = static_cast<std::uint8_t>(head[0]);
  if (type == ov2::kSkipper) return head.size() >= ov2::kSkipperLength;
  if (type > ov2::kExtendedPoint || head.size() < ov2::kMinPointLength) return false;
  return Int32At(head, 1) >= static_cast<std::int32_t>(ov2::kMinPointLength);
}

std::int32_t Ov2Value(std::int32_t units) {
  // units * 100,000 / 6,000 = units * 50 / 3, whose remainder is never a half.
  const std::int64_t scaled = std::llabs(static_cast<std::int64_t>(units) * 50);
  const auto value = static_cast<std::int32_t>((2 * scaled + 3) / 6);
  return units < 0 ? -value : value;
}

std::string Ov2Text(const DatabaseImage& image) {
  std::vector<Ov2Point> points;
  const int count = image.BoundedCount();
  points.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    const CameraEntry entry = image.Entry(i);
    points.push_back({Ov2Value(entry.longitude), Ov2Value(entry.latitude), i});
  }
  std::string out;
  if (!points.empty()) WriteGroup(points, out, std::nullopt);
  return out;
}

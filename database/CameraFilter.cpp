// SPDX-License-Identifier: GPL-3.0-or-later
#include "database/CameraFilter.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

double Radians(std::int32_t units) { return static_cast<double>(units) / kUnitsPerDegree * std::numbers::pi / 180.0; }

}  // namespace

double GreatCircleKm(const CameraEntry& a, const CameraEntry& b) {
  const double lat1 = Radians(a.latitude);
  const double lat2 = Radians(b.latitude);
  const double sinLat = std::sin((lat2 - lat1) / 2);
  const double sinLon = std::sin((Radians(b.longitude) - Radians(a.longitude)) / 2);
  const double h = sinLat * sinLat + std::cos(lat1) * std::cos(lat2) * sinLon * sinLon;
  return 2 * kEarthRadiusKm * std::asin(std::sqrt(std::min(1.0, h)));
}

bool InBox(const GeoBox& box, const CameraEntry& entry) {
  if (entry.latitude < box.south || entry.latitude > box.north) return false;
  if (box.west <= box.east) return entry.longitude >= box.west && entry.longitude <= box.east;
  return entry.longitude >= box.west || entry.longitude <= box.east;
}

std::vector<CameraEntry> ApplyFilter(const std::vector<CameraEntry>& entries, const CameraFilter& filter) {
  struct Candidate {
    std::size_t index;
    double distance;
  };
  std::vector<Candidate> kept;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (filter.box && !InBox(*filter.box, entries[i])) continue;
    const double distance = filter.near ? GreatCircleKm(*filter.near, entries[i]) : 0.0;
    if (filter.radiusKm && distance > *filter.radiusKm + kRadiusToleranceKm) continue;
    kept.push_back({i, distance});
  }
  const std::size_t max = filter.max ? static_cast<std::size_t>(std::max(0, *filter.max)) : kept.size();
  if (kept.size() > max) {
    if (filter.near) {
      // The nearest, then back into file order.
      std::stable_sort(kept.begin(), kept.end(),
                       [](const Candidate& a, const Candidate& b) { return a.distance < b.distance; });
      kept.resize(max);
      std::sort(kept.begin(), kept.end(), [](const Candidate& a, const Candidate& b) { return a.index < b.index; });
    } else {
      kept.resize(max);
    }
  }
  std::vector<CameraEntry> result;
  result.reserve(kept.size());
  for (const Candidate& c : kept) result.push_back(entries[c.index]);
  return result;
}

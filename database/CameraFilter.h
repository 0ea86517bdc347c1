// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Cutting a camera list to the part of the country the user drives in: a
// box, a radius around a place, and a largest number to keep. Positions are
// compared in the units they are stored in, so that a position written with
// the same digits as a box edge lies on that edge.
#include <optional>
#include <vector>

#include "database/DatabaseImage.h"

// Edges in units of 1/6000 degree, all inclusive. A west edge east of the
// east edge is a box across the 180th meridian.
struct GeoBox {
  std::int32_t south = 0;
  std::int32_t west = 0;
  std::int32_t north = 0;
  std::int32_t east = 0;
};

struct CameraFilter {
  std::optional<GeoBox> box;
  std::optional<CameraEntry> near;  // the place distances are measured from
  std::optional<double> radiusKm;   // needs `near`
  std::optional<int> max;           // the nearest to `near`, or the first

  bool Any() const { return box || radiusKm || max; }
};

// The mean radius of the Earth, in km.
inline constexpr double kEarthRadiusKm = 6371.0088;
// A position this close beyond the radius still counts as at it: a radius
// written to the millimetre keeps a position exactly that far away.
inline constexpr double kRadiusToleranceKm = 1e-6;

// Great-circle distance on a sphere of kEarthRadiusKm (haversine).
double GreatCircleKm(const CameraEntry& a, const CameraEntry& b);

bool InBox(const GeoBox& box, const CameraEntry& entry);

// The positions of `entries` the filter keeps, in their order: those inside
// the box and within the radius, then of those the `max` nearest to `near`
// (the earlier of two at the same distance), or the first `max`.
std::vector<CameraEntry> ApplyFilter(const std::vector<CameraEntry>& entries, const CameraFilter& filter);

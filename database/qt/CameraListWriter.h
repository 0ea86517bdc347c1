// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A database's entries as a camera list that ReadCameraList reads back to
// the same entries, each position with six decimals: CSV as the export has
// always written it, GPX 1.1 waypoints, KML placemarks in one document, or a
// GeoJSON FeatureCollection of points. XML and JSON come from Qt's writers.
#include <optional>
#include <string>

#include "database/CameraList.h"

// The entries of `image` (its count bounded by capacity), in stored order.
// None for OpenStreetMap XML, which is read but not written. OV2 follows
// the map, not the database's order (see Ov2Text).
std::optional<std::string> CameraListText(const DatabaseImage& image, ListFormat format);

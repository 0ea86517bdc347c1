// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Camera lists in the XML and JSON formats they are published in, read with
// Qt's XML stream reader and JSON document; CSV goes to the core's reader.
#include <string>
#include <string_view>

#include "database/CameraList.h"

// Reads the list in `path` as `format`. A file that is not well-formed, or
// not of that format at all (another root element, JSON that is no GeoJSON),
// is Malformed with where and why, and nothing of it is returned.
//   GPX: wpt elements (with allPoints, rtept and trkpt too); lat, lon.
//   KML: the Point of every Placemark, folders included; lon,lat[,alt].
//   GeoJSON: Point and MultiPoint geometries of a FeatureCollection, a
//     Feature or a bare geometry; [lon, lat, ...].
//   OpenStreetMap XML: nodes tagged highway=speed_camera; lat, lon.
ListReadResult ReadCameraList(const std::string& path, ListFormat format, const ListReadOptions& options);

// The same for a file's bytes, for any format but CSV.
ListReadResult ReadCameraListBytes(std::string_view bytes, ListFormat format, const ListReadOptions& options);

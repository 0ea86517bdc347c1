// SPDX-License-Identifier: GPL-3.0-or-later
#include "database/qt/CameraListReader.h"

#include "database/Ov2List.h"
#include "database/qt/FormatReaders.h"

ListReadResult ReadCameraListBytes(std::string_view bytes, ListFormat format, const ListReadOptions& options) {
  switch (format) {
    case ListFormat::Gpx: return ReadGpx(bytes, options);
    case ListFormat::Kml: return ReadKml(bytes, options);
    case ListFormat::GeoJson: return ReadGeoJson(bytes, options);
    case ListFormat::Osm: return ReadOsm(bytes, options);
    case ListFormat::Ov2: return ReadOv2(bytes);
    case ListFormat::Csv: break;
  }
  ListReadResult unsupported;
  unsupported.status = ListReadStatus::Malformed;
  unsupported.detail = "CSV is read from its file";
  return unsupported;
}

ListReadResult ReadCameraList(const std::string& path, ListFormat format, const ListReadOptions& options) {
  if (format == ListFormat::Csv) return ReadCsvList(path, options);
  std::string bytes;
  ListReadResult result;
  result.status = ReadFileBytes(path, bytes);
  if (result.status != ListReadStatus::Ok) return result;
  return ReadCameraListBytes(bytes, format, options);
}

// SPDX-License-Identifier: GPL-3.0-or-later
// GeoJSON: Point and MultiPoint geometries (and those in a
// GeometryCollection) of a FeatureCollection, a single Feature or a bare
// geometry. Lines and areas are not cameras and are passed over. A
// coordinate's numbers are read as a CSV line's numbers are (see CsvFloatOf).
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "database/CameraCsv.h"
#include "database/qt/FormatReaders.h"

namespace {

std::string Compact(const QJsonValue& value) {
  const QJsonArray wrapped{value};
  std::string text = QJsonDocument(wrapped).toJson(QJsonDocument::Compact).toStdString();
  return text.substr(1, text.size() - 2);  // without the wrapping brackets
}

class GeoJsonList {
 public:
  GeoJsonList(const ListReadOptions& options, CameraList& list) : m_options(options), m_list(list) {}

  void Feature(const QJsonValue& value, const std::string& item) {
    const QJsonObject feature = value.toObject();
    if (!value.isObject() || feature.value(QStringLiteral("type")) != QStringLiteral("Feature")) {
      m_list.Skip({0, item, "expected a Feature object", Excerpt(Compact(value))});
      return;
    }
    const QJsonValue geometry = feature.value(QStringLiteral("geometry"));
    if (geometry.isNull() || geometry.isUndefined()) {
      ++m_list.passedOver;
      return;
    }
    GeometryOrSkip(geometry, item);
  }

  // False when `value` is no geometry object.
  bool Geometry(const QJsonValue& value, const std::string& item) {
    const QJsonObject geometry = value.toObject();
    const QString type = geometry.value(QStringLiteral("type")).toString();
    const QJsonValue coordinates = geometry.value(QStringLiteral("coordinates"));
    if (type == u"Point") {
      Point(coordinates, item);
    } else if (type == u"MultiPoint") {
      if (!coordinates.isArray()) m_list.Skip({0, item, "expected an array of points", Excerpt(Compact(coordinates))});
      const QJsonArray points = coordinates.toArray();
      for (qsizetype i = 0; i < points.size(); ++i) Point(points[i], item + " point " + std::to_string(i + 1));
    } else if (type == u"GeometryCollection") {
      const QJsonArray parts = geometry.value(QStringLiteral("geometries")).toArray();
      for (qsizetype i = 0; i < parts.size(); ++i) GeometryOrSkip(parts[i], item + " part " + std::to_string(i + 1));
    } else if (IsGeometryType(type)) {
      ++m_list.passedOver;
    } else {
      return false;
    }
    return true;
  }

  void GeometryOrSkip(const QJsonValue& value, const std::string& item) {
    if (!Geometry(value, item)) m_list.Skip({0, item, "expected a geometry", Excerpt(Compact(value))});
  }

  static bool IsGeometryType(const QString& type) {
    return type == u"LineString" || type == u"MultiLineString" || type == u"Polygon" || type == u"MultiPolygon";
  }

 private:
  void Point(const QJsonValue& value, const std::string& item) {
    const QJsonArray numbers = value.toArray();
    if (!value.isArray() || numbers.size() < 2 || !numbers[0].isDouble() || !numbers[1].isDouble()) {
      if (numbers.size() >= 2 && (IsDecimalCommaNumber(numbers[0].toString().toStdString()) ||
                                  IsDecimalCommaNumber(numbers[1].toString().toStdString()))) {
        ++m_list.spreadsheetItems;
      }
      m_list.Skip({0, item, "expected [longitude, latitude] numbers", Excerpt(Compact(value))});
      return;
    }
    float first = CsvFloatOf(numbers[0].toDouble());
    float second = CsvFloatOf(numbers[1].toDouble());
    if (m_options.latitudeFirst) std::swap(first, second);
    CameraEntry entry;
    const CsvLineStatus status = PositionOf(second, first, entry);
    if (status != CsvLineStatus::Ok) {
      m_list.Skip({0, item, ToString(status), Excerpt(Compact(value))});
      return;
    }
    m_list.entries.push_back(entry);
  }

  const ListReadOptions& m_options;
  CameraList& m_list;
};

void Malformed(ListReadResult& result, std::string_view bytes, std::size_t offset, std::string detail) {
  result.status = ListReadStatus::Malformed;
  result.line = 1;
  result.column = 1;
  for (std::size_t i = 0; i < offset && i < bytes.size(); ++i) {
    if (bytes[i] == '\n') {
      ++result.line;
      result.column = 1;
    } else {
      ++result.column;
    }
  }
  result.detail = std::move(detail);
  result.list = {};
}

}  // namespace

ListReadResult ReadGeoJson(std::string_view bytes, const ListReadOptions& options) {
  ListReadResult result;
  // Some programs start their JSON with a byte-order mark, which the JSON
  // reader does not take.
  const std::string_view json = SkipByteOrderMark(bytes);
  const std::size_t skipped = bytes.size() - json.size();
  QJsonParseError error;
  const QJsonDocument document =
      QJsonDocument::fromJson(QByteArray::fromRawData(json.data(), static_cast<qsizetype>(json.size())), &error);
  if (error.error != QJsonParseError::NoError) {
    Malformed(result, bytes, skipped + static_cast<std::size_t>(error.offset), error.errorString().toStdString());
    return result;
  }
  const QJsonObject top = document.object();
  const QString type = top.value(QStringLiteral("type")).toString();
  GeoJsonList list(options, result.list);
  if (type == u"FeatureCollection") {
    const QJsonValue features = top.value(QStringLiteral("features"));
    if (!features.isArray()) {
      Malformed(result, bytes, skipped, "expected a \"features\" array in the FeatureCollection");
      return result;
    }
    const QJsonArray array = features.toArray();
    for (qsizetype i = 0; i < array.size(); ++i) list.Feature(array[i], "feature " + std::to_string(i + 1));
  } else if (type == u"Feature") {
    list.Feature(top, "feature 1");
  } else if (!list.Geometry(top, "geometry")) {
    const std::string found = !document.isObject() ? "an array"
                              : type.isEmpty()     ? "an object without a type"
                                                   : "type \"" + type.toStdString() + "\"";
    Malformed(result, bytes, skipped, "expected a FeatureCollection, a Feature or a geometry, found " + found);
  }
  return result;
}

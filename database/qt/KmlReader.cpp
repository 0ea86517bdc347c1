// SPDX-License-Identifier: GPL-3.0-or-later
// KML: the Point of every Placemark, in document order, in folders or not;
// a MultiGeometry's points each make a position. A Point's coordinates are
// one "lon,lat[,alt]" tuple, its two numbers read as a CSV line's are.
#include "database/qt/FormatReaders.h"
#include "database/qt/XmlListSupport.h"

namespace {

// One tuple and nothing else but white space.
CsvLineStatus ReadTuple(const std::string& text, bool latitudeFirst, CameraEntry& entry) {
  CameraEntry read;
  const char* end = nullptr;
  const CsvLineStatus status = ReadNumberPair(text.c_str(), latitudeFirst, read, &end);
  if (status != CsvLineStatus::Ok) return status;
  if (*end == ',') {
    float altitude = 0;
    const int taken = ScanDegrees(end + 1, altitude);
    if (taken == 0) return CsvLineStatus::NotTwoNumbers;
    end += 1 + taken;
  }
  for (; *end != '\0'; ++end) {
    if (*end != ' ' && *end != '\t' && *end != '\n' && *end != '\r') return CsvLineStatus::NotTwoNumbers;
  }
  entry = read;
  return CsvLineStatus::Ok;
}

const char* Why(CsvLineStatus status) {
  return status == CsvLineStatus::NotTwoNumbers ? "expected one lon,lat[,alt] tuple" : ToString(status);
}

}  // namespace

ListReadResult ReadKml(std::string_view bytes, const ListReadOptions& options) {
  ListReadResult result;
  CameraList& list = result.list;
  QXmlStreamReader xml(XmlBytes(bytes));
  if (!EnterRoot(xml, u"kml", result)) return result;
  int placemarks = 0;
  int depthInPlacemark = 0;  // Placemarks do not nest, but a broken file may try
  int pointsInPlacemark = 0;
  bool inPoint = false;
  while (!xml.atEnd()) {
    const QXmlStreamReader::TokenType token = xml.readNext();
    if (token == QXmlStreamReader::StartElement) {
      const QStringView name = xml.name();
      if (name == u"Placemark" && depthInPlacemark++ == 0) {
        ++placemarks;
        pointsInPlacemark = 0;
      } else if (name == u"Point") {
        inPoint = true;
      } else if (name == u"coordinates" && inPoint && depthInPlacemark > 0) {
        ++pointsInPlacemark;
        const int line = LineOf(xml);
        const std::string text = xml.readElementText(QXmlStreamReader::IncludeChildElements).toStdString();
        CameraEntry entry;
        const CsvLineStatus status = ReadTuple(text, options.latitudeFirst, entry);
        if (status == CsvLineStatus::Ok) {
          list.entries.push_back(entry);
        } else {
          list.Skip({line, "Placemark " + std::to_string(placemarks), Why(status), Excerpt(text)});
        }
      }
    } else if (token == QXmlStreamReader::EndElement) {
      const QStringView name = xml.name();
      if (name == u"Point") inPoint = false;
      if (name == u"Placemark" && depthInPlacemark > 0 && --depthInPlacemark == 0 && pointsInPlacemark == 0) {
        ++list.passedOver;
      }
    }
  }
  FinishXml(xml, result);
  return result;
}

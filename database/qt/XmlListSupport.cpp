// SPDX-License-Identifier: GPL-3.0-or-later
#include "database/qt/XmlListSupport.h"

#include "database/CameraCsv.h"

QByteArray XmlBytes(std::string_view bytes) {
  return QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

int LineOf(const QXmlStreamReader& xml) { return static_cast<int>(xml.lineNumber()); }

namespace {

// Qt counts columns from 0, after what it has read; people count from 1.
int ColumnOf(const QXmlStreamReader& xml) { return static_cast<int>(xml.columnNumber()) + 1; }

}  // namespace

bool EnterRoot(QXmlStreamReader& xml, QStringView root, ListReadResult& result) {
  if (!xml.readNextStartElement()) {
    FinishXml(xml, result);
    if (result.status == ListReadStatus::Ok) {
      result.status = ListReadStatus::Malformed;
      result.line = LineOf(xml);
      result.column = ColumnOf(xml);
      result.detail = "expected the root element <" + root.toString().toStdString() + ">, found none";
    }
    return false;
  }
  if (xml.name() == root) return true;
  result.status = ListReadStatus::Malformed;
  result.line = LineOf(xml);
  result.column = ColumnOf(xml);
  result.detail = "expected the root element <" + root.toString().toStdString() + ">, found <" +
                  xml.name().toString().toStdString() + ">";
  return false;
}

void FinishXml(const QXmlStreamReader& xml, ListReadResult& result) {
  if (!xml.hasError()) return;
  result.status = ListReadStatus::Malformed;
  result.line = LineOf(xml);
  result.column = ColumnOf(xml);
  result.detail = xml.errorString().toStdString();
  while (!result.detail.empty() && result.detail.back() == '.') result.detail.pop_back();
  result.list = {};
}

void ReadAttributePosition(const QXmlStreamAttributes& attributes, bool latitudeFirst, int line,
                           const std::string& item, CameraList& list) {
  const bool hasLat = attributes.hasAttribute(QStringLiteral("lat"));
  const bool hasLon = attributes.hasAttribute(QStringLiteral("lon"));
  const std::string latText = attributes.value(QStringLiteral("lat")).toString().toStdString();
  const std::string lonText = attributes.value(QStringLiteral("lon")).toString().toStdString();
  const std::string found = (hasLat ? "lat=\"" + latText + "\"" : std::string("no lat")) + " " +
                            (hasLon ? "lon=\"" + lonText + "\"" : std::string("no lon"));
  if (!hasLat || !hasLon) {
    list.Skip({line, item, "expected lat and lon attributes", Excerpt(found)});
    return;
  }
  float lat = 0;
  float lon = 0;
  if (!ReadWholeNumber(latText, lat) || !ReadWholeNumber(lonText, lon)) {
    if (IsDecimalCommaNumber(latText) || IsDecimalCommaNumber(lonText)) ++list.spreadsheetItems;
    list.Skip({line, item, "expected a number in lat and in lon", Excerpt(found)});
    return;
  }
  if (latitudeFirst) std::swap(lat, lon);
  CameraEntry entry;
  const CsvLineStatus status = PositionOf(lat, lon, entry);
  if (status != CsvLineStatus::Ok) {
    list.Skip({line, item, ToString(status), Excerpt(found)});
    return;
  }
  list.entries.push_back(entry);
}

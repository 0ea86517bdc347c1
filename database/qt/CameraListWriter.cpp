// SPDX-License-Identifier: GPL-3.0-or-later
#include "database/qt/CameraListWriter.h"

#include "database/Ov2List.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QXmlStreamWriter>
#include <charconv>

namespace {

QString Degrees(std::int32_t units) { return QString::fromStdString(DegreesText(units)); }

// The six-decimal text as the number JSON writes shortest: the same digits,
// without trailing zeros.
double DegreesNumber(std::int32_t units) {
  const std::string text = DegreesText(units);
  double value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

// The document, its root with `open` written into it, then one writeEntry
// for each entry.
template <typename Open, typename WriteEntry>
std::string XmlText(const DatabaseImage& image, const QString& root, const QString& ns, Open open,
                    WriteEntry writeEntry) {
  QByteArray bytes;
  QXmlStreamWriter xml(&bytes);
  xml.setAutoFormatting(true);
  xml.setAutoFormattingIndent(2);
  xml.writeStartDocument();
  xml.writeDefaultNamespace(ns);
  xml.writeStartElement(ns, root);
  open(xml);
  for (int i = 0; i < image.BoundedCount(); ++i) writeEntry(xml, image.Entry(i));
  xml.writeEndDocument();
  return bytes.toStdString();
}

std::string GpxText(const DatabaseImage& image) {
  const QString ns = QStringLiteral("http://www.topografix.com/GPX/1/1");
  return XmlText(
      image, QStringLiteral("gpx"), ns,
      [](QXmlStreamWriter& xml) {
        xml.writeAttribute(QStringLiteral("version"), QStringLiteral("1.1"));
        xml.writeAttribute(QStringLiteral("creator"), QStringLiteral("zorvane"));
      },
      [&ns](QXmlStreamWriter& xml, const CameraEntry& entry) {
        xml.writeEmptyElement(ns, QStringLiteral("wpt"));
        xml.writeAttribute(QStringLiteral("lat"), Degrees(entry.latitude));
        xml.writeAttribute(QStringLiteral("lon"), Degrees(entry.longitude));
      });
}

std::string KmlText(const DatabaseImage& image) {
  const QString ns = QStringLiteral("http://www.opengis.net/kml/2.2");
  return XmlText(
      image, QStringLiteral("kml"), ns,
      [&ns](QXmlStreamWriter& xml) { xml.writeStartElement(ns, QStringLiteral("Document")); },
      [&ns](QXmlStreamWriter& xml, const CameraEntry& entry) {
        xml.writeStartElement(ns, QStringLiteral("Placemark"));
        xml.writeStartElement(ns, QStringLiteral("Point"));
        xml.writeTextElement(ns, QStringLiteral("coordinates"),
                             Degrees(entry.longitude) + u',' + Degrees(entry.latitude));
        xml.writeEndElement();
        xml.writeEndElement();
      });
}

std::string GeoJsonText(const DatabaseImage& image) {
  QJsonArray features;
  for (int i = 0; i < image.BoundedCount(); ++i) {
    const CameraEntry entry = image.Entry(i);
    const QJsonObject point{
        {QStringLiteral("type"), QStringLiteral("Point")},
        {QStringLiteral("coordinates"), QJsonArray{DegreesNumber(entry.longitude), DegreesNumber(entry.latitude)}}};
    features.append(QJsonObject{{QStringLiteral("type"), QStringLiteral("Feature")},
                                {QStringLiteral("geometry"), point},
                                {QStringLiteral("properties"), QJsonObject{}}});
  }
  const QJsonObject collection{{QStringLiteral("type"), QStringLiteral("FeatureCollection")},
                               {QStringLiteral("features"), features}};
  return QJsonDocument(collection).toJson(QJsonDocument::Indented).toStdString();
}

}  // namespace

std::optional<std::string> CameraListText(const DatabaseImage& image, ListFormat format) {
  switch (format) {
    case ListFormat::Csv: return CameraCsvText(image);
    case ListFormat::Gpx: return GpxText(image);
    case ListFormat::Kml: return KmlText(image);
    case ListFormat::GeoJson: return GeoJsonText(image);
    case ListFormat::Ov2: return Ov2Text(image);
    case ListFormat::Osm: break;
  }
  return std::nullopt;
}

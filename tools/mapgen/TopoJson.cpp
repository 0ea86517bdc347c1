// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/mapgen/TopoJson.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

Ring ReadRing(const QJsonArray& json) {
  Ring ring;
  for (const QJsonValue& v : json) ring.push_back(v.toInt());
  return ring;
}

Polygon ReadPolygon(const QJsonArray& json) {
  Polygon polygon;
  for (const QJsonValue& ring : json) polygon.push_back(ReadRing(ring.toArray()));
  return polygon;
}

}  // namespace

int ArcIndex(int reference) { return reference < 0 ? ~reference : reference; }

std::optional<Topology> ReadTopology(const QString& path, QString& error) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    error = path + ": cannot open";
    return std::nullopt;
  }
  QJsonParseError parse;
  const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &parse);
  if (doc.isNull()) {
    error = path + ": " + parse.errorString() + " at byte " + QString::number(parse.offset);
    return std::nullopt;
  }
  const QJsonObject root = doc.object();
  const QJsonObject transform = root["transform"].toObject();
  const QJsonArray scale = transform["scale"].toArray();
  const QJsonArray translate = transform["translate"].toArray();
  if (scale.size() != 2 || translate.size() != 2) {
    error = path + ": expected a quantized topology with transform.scale and transform.translate";
    return std::nullopt;
  }

  Topology topology;
  for (const QJsonValue& arcJson : root["arcs"].toArray()) {
    QVector<QPointF> arc;
    double x = 0;
    double y = 0;
    for (const QJsonValue& step : arcJson.toArray()) {
      const QJsonArray d = step.toArray();
      x += d[0].toDouble();
      y += d[1].toDouble();
      arc.push_back(
          {x * scale[0].toDouble() + translate[0].toDouble(), y * scale[1].toDouble() + translate[1].toDouble()});
    }
    topology.arcs.push_back(arc);
  }

  const QJsonArray geometries = root["objects"].toObject()["countries"].toObject()["geometries"].toArray();
  if (geometries.isEmpty()) {
    error = path + ": expected objects.countries.geometries";
    return std::nullopt;
  }
  for (const QJsonValue& value : geometries) {
    const QJsonObject g = value.toObject();
    Country country{g["id"].toString(), g["properties"].toObject()["name"].toString(), {}};
    const QString type = g["type"].toString();
    if (type == "Polygon") {
      country.polygons.push_back(ReadPolygon(g["arcs"].toArray()));
    } else if (type == "MultiPolygon") {
      for (const QJsonValue& p : g["arcs"].toArray()) country.polygons.push_back(ReadPolygon(p.toArray()));
    }
    topology.countries.push_back(country);
  }
  return topology;
}

QVector<QPointF> RingPoints(const Topology& topology, const Ring& ring) {
  QVector<QPointF> points;
  for (const int reference : ring) {
    QVector<QPointF> arc = topology.arcs.value(ArcIndex(reference));
    if (reference < 0) std::reverse(arc.begin(), arc.end());
    for (int i = points.isEmpty() ? 0 : 1; i < arc.size(); ++i) points.push_back(arc[i]);
  }
  return points;
}

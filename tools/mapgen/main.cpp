// SPDX-License-Identifier: GPL-3.0-or-later
// zorvane-mapgen COUNTRIES.json OUT.bmp [--preview OUT.png]
//
// Draws the map picture the program ships: Great Britain and Ireland from
// Natural Earth country outlines (TopoJSON, as world-atlas publishes them),
// every vertex placed by the program's own projection in floating point, so
// that markers land on the coast they belong to.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QStringList>
#include <cstdio>

#include "map/Projection.h"
#include "tools/mapgen/TopoJson.h"

namespace {

const QColor kSea(0xcd, 0xe0, 0xec);
const QColor kLand(0xee, 0xea, 0xd4);
const QColor kCoast(0x5d, 0x7f, 0x99);
const QColor kBorder(0x8c, 0x6f, 0x5c);

// Countries whose outline reaches this box (degrees) are drawn; the rest of
// the world stays out of the painter.
constexpr double kWest = -12.0, kEast = 3.0, kSouth = 49.0, kNorth = 60.5;

// Column and row as continuous coordinates: pixel (x, y) covers [x, x + 1).
QPointF Project(const QPointF& lonLat) {
  const double x = kProjectionMeridianColumn + lonLat.x() * 360000.0 / kProjectionColumnWidth;
  const double y = (kProjectionTopRow - lonLat.y() * 360000.0) / kProjectionRowHeight;
  return {x, y};
}

bool Reaches(const Topology& topology, const Country& country) {
  for (const Polygon& polygon : country.polygons) {
    for (const QPointF& p : RingPoints(topology, polygon.value(0))) {
      if (p.x() >= kWest && p.x() <= kEast && p.y() >= kSouth && p.y() <= kNorth) return true;
    }
  }
  return false;
}

QPolygonF ProjectedArc(const Topology& topology, int arc) {
  QPolygonF line;
  for (const QPointF& p : topology.arcs[arc]) line << Project(p);
  return line;
}

QImage Draw(const Topology& topology) {
  QVector<const Country*> shown;
  for (const Country& country : topology.countries) {
    if (Reaches(topology, country)) shown.push_back(&country);
  }

  // An arc two countries share is a land border; one used once is coast.
  QVector<int> uses(topology.arcs.size(), 0);
  for (const Country& country : topology.countries) {
    for (const Polygon& polygon : country.polygons) {
      for (const Ring& ring : polygon) {
        for (const int reference : ring) ++uses[ArcIndex(reference)];
      }
    }
  }

  QImage image(kShippedMapSize.width, kShippedMapSize.height, QImage::Format_RGB32);
  image.fill(kSea);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing, true);

  QPainterPath land;
  land.setFillRule(Qt::OddEvenFill);
  QVector<int> drawnArcs;
  for (const Country* country : shown) {
    for (const Polygon& polygon : country->polygons) {
      for (const Ring& ring : polygon) {
        QPolygonF outline;
        for (const QPointF& p : RingPoints(topology, ring)) outline << Project(p);
        land.addPolygon(outline);
        land.closeSubpath();
        for (const int reference : ring) drawnArcs.push_back(ArcIndex(reference));
      }
    }
  }
  painter.fillPath(land, kLand);

  std::sort(drawnArcs.begin(), drawnArcs.end());
  drawnArcs.erase(std::unique(drawnArcs.begin(), drawnArcs.end()), drawnArcs.end());
  for (const bool border : {false, true}) {
    painter.setPen(QPen(border ? kBorder : kCoast, border ? 1.2 : 0.9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (const int arc : drawnArcs) {
      if ((uses[arc] > 1) == border) painter.drawPolyline(ProjectedArc(topology, arc));
    }
  }
  painter.end();
  // 24 bits per pixel in the file.
  return image.convertToFormat(QImage::Format_RGB888);
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  QStringList args = app.arguments().mid(1);
  QString preview;
  if (const qsizetype at = args.indexOf("--preview"); at >= 0 && at + 1 < args.size()) {
    preview = args[at + 1];
    args.remove(at, 2);
  }
  if (args.size() != 2) {
    std::fprintf(stderr, "usage: zorvane-mapgen COUNTRIES.json OUT.bmp [--preview OUT.png]\n");
    return 2;
  }
  QString error;
  const std::optional<Topology> topology = ReadTopology(args[0], error);
  if (!topology) {
    std::fprintf(stderr, "zorvane-mapgen: %s\n", qPrintable(error));
    return 1;
  }
  const QImage image = Draw(*topology);
  if (!image.save(args[1], "BMP")) {
    std::fprintf(stderr, "zorvane-mapgen: %s: cannot write\n", qPrintable(args[1]));
    return 1;
  }
  if (!preview.isEmpty() && !image.scaled(image.size() * 2).save(preview, "PNG")) {
    std::fprintf(stderr, "zorvane-mapgen: %s: cannot write\n", qPrintable(preview));
    return 1;
  }
  return 0;
}

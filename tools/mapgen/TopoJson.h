// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Just enough of TopoJSON for country outlines: quantized, delta-encoded
// arcs, and Polygon / MultiPolygon geometries that refer to them by index
// (a negative index ~i is arc i reversed).
#include <QPointF>
#include <QString>
#include <QVector>
#include <optional>

using Ring = QVector<int>;      // arc indices, as stored
using Polygon = QVector<Ring>;  // outer ring first, then holes

struct Country {
  QString id;
  QString name;
  QVector<Polygon> polygons;
};

struct Topology {
  QVector<QVector<QPointF>> arcs;  // longitude, latitude in degrees
  QVector<Country> countries;
};

// Reads the "countries" object of a TopoJSON file; an error text on failure.
std::optional<Topology> ReadTopology(const QString& path, QString& error);

int ArcIndex(int reference);  // the arc a reference names, reversed or not
// The ring's points in order, each arc's first point dropped after the first.
QVector<QPointF> RingPoints(const Topology& topology, const Ring& ring);

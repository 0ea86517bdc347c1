// SPDX-License-Identifier: GPL-3.0-or-later
// One full drawing of the view, as a paint does it: the shipped map and a
// full database (10,921 markers, all on the picture) into a 385 x 460 image.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <random>

#include "map/MapView.h"
#include "map/qt/MapPicture.h"
#include "map/qt/PainterDeviceContext.h"
#include "tests/support/ImageBuilders.h"
#include "tests/support/SourceTree.h"

namespace {

DatabaseImage FullDatabaseOnTheMap() {
  std::mt19937 rng(11);
  // 49.8 to 59.3 degrees north, 11 west to 2 east: inside the picture.
  std::uniform_int_distribution<int> latitude(298800, 355800);
  std::uniform_int_distribution<int> longitude(-66000, 12000);
  std::vector<CameraEntry> entries;
  for (int i = 0; i < kMaxDatabaseEntries; ++i) entries.push_back({latitude(rng), longitude(rng)});
  return ImageWith(entries);
}

void BM_DrawMapView(benchmark::State& state) {
  MapPicture picture;
  const bool loaded = picture.Load(QString::fromStdString(SourceFile("resources/uk.bmp")));
  if (!picture.IsHeld()) {
    state.SkipWithError("resources/uk.bmp did not load (is ZORVANE_SOURCE_DIR set?)");
    return;
  }
  const DatabaseImage working = FullDatabaseOnTheMap();
  QImage client(385, 460, QImage::Format_RGB32);
  int width = 0;
  int height = 0;
  for (auto _ : state) {
    QPainter painter(&client);
    PainterDeviceContext dc(painter);
    MapDisplayState map{picture, loaded, width, height};
    DrawMapView(dc, {385, 460}, map, working);
    painter.end();
    benchmark::DoNotOptimize(client.constBits());
  }
}

BENCHMARK(BM_DrawMapView)->Unit(benchmark::kMicrosecond);

}  // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
// Camera lists in every format read whole, as zorvane-cli import reads them:
// 10,900 positions per file, and a 60,000-line CSV cut by a filter to the
// 10,000 nearest to a place.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "database/CameraFilter.h"
#include "database/qt/CameraListReader.h"
#include "database/qt/CameraListWriter.h"
#include "tests/support/ImageBuilders.h"
#include "tests/support/TempDir.h"

namespace {

void BM_ReadCameraList(benchmark::State& state) {
  const auto format = static_cast<ListFormat>(state.range(0));
  const TempDir dir;
  const std::string path = dir.Write("list", *CameraListText(ImageWith(DistinctEntries(kMaxImportEntries, 3)), format));
  for (auto _ : state) {
    const ListReadResult read = ReadCameraList(path, format, {});
    if (read.list.entries.size() != static_cast<std::size_t>(kMaxImportEntries)) state.SkipWithError("short read");
  }
  state.SetLabel(ToString(format));
}
BENCHMARK(BM_ReadCameraList)
    ->Arg(static_cast<int>(ListFormat::Csv))
    ->Arg(static_cast<int>(ListFormat::Gpx))
    ->Arg(static_cast<int>(ListFormat::Kml))
    ->Arg(static_cast<int>(ListFormat::GeoJson))
    ->Arg(static_cast<int>(ListFormat::Ov2))
    ->Unit(benchmark::kMillisecond);

// zorvane-cli export --format ov2 of a full import's worth of cameras.
void BM_WriteOv2(benchmark::State& state) {
  const DatabaseImage image = ImageWith(DistinctEntries(kMaxImportEntries, 3));
  for (auto _ : state) benchmark::DoNotOptimize(CameraListText(image, ListFormat::Ov2));
}
BENCHMARK(BM_WriteOv2)->Unit(benchmark::kMillisecond);

void BM_LargeCsvCutToTheNearest(benchmark::State& state) {
  const TempDir dir;
  std::string text = "X,Y\n";
  for (int i = 0; i < 60000; ++i) {
    char line[48];
    std::snprintf(line, sizeof line, "%.6f,%.6f\n", -10.0 + (i % 400) * 0.1, 36.0 + (i / 400) * 0.2);
    text += line;
  }
  const std::string path = dir.Write("europe.csv", text);
  CameraFilter filter;
  filter.near = CameraEntry{309000, -600};
  filter.max = 10000;
  for (auto _ : state) {
    const ListReadResult read = ReadCameraList(path, ListFormat::Csv, {});
    benchmark::DoNotOptimize(ApplyFilter(read.list.entries, filter));
  }
}
BENCHMARK(BM_LargeCsvCutToTheNearest)->Unit(benchmark::kMillisecond);

}  // namespace

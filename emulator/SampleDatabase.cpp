// SPDX-License-Identifier: GPL-3.0-or-later
#include "emulator/SampleDatabase.h"

#include <cstdint>

namespace {

struct Town {
  double latitude;
  double longitude;
};

constexpr Town kTowns[] = {
    {51.507, -0.128}, {52.486, -1.890}, {53.480, -2.242}, {53.800, -1.549}, {55.864, -4.252},
    {55.953, -3.188}, {51.454, -2.588}, {51.481, -3.179}, {54.978, -1.617}, {53.408, -2.991},
    {53.381, -1.470}, {52.954, -1.158}, {50.910, -1.404}, {52.630, 1.297},  {57.149, -2.094},
    {57.478, -4.224}, {50.376, -4.143}, {50.726, -3.527}, {53.745, -0.336}, {52.637, -1.140},
    {52.205, 0.119},  {51.752, -1.258}, {54.597, -5.930}, {56.462, -2.971}, {50.822, -0.137},
};

}  // namespace

DatabaseImage SampleDatabase() {
  DatabaseImage image;
  std::uint32_t state = 2005;
  auto next = [&state] {
    state = state * 1664525u + 1013904223u;
    return static_cast<double>(state >> 8) / static_cast<double>(1u << 24);  // 0 <= x < 1
  };
  constexpr int kTownCount = static_cast<int>(sizeof kTowns / sizeof kTowns[0]);
  for (int i = 0; i < kSampleEntries; ++i) {
    const Town& town = kTowns[i % kTownCount];
    // Within about 15 km of the town centre.
    const double latitude = town.latitude + (next() - 0.5) * 0.27;
    const double longitude = town.longitude + (next() - 0.5) * 0.42;
    image.SetEntry(i, {static_cast<std::int32_t>(latitude * kUnitsPerDegree + 0.5),
                       static_cast<std::int32_t>(longitude * kUnitsPerDegree + (longitude < 0 ? -0.5 : 0.5))});
  }
  image.WriteHeader(kSampleEntries);
  return image;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/ImageBuilders.h"

#include <set>
#include <utility>

DatabaseImage ImageWith(const std::vector<CameraEntry>& entries) {
  DatabaseImage image;
  for (std::size_t i = 0; i < entries.size(); ++i) image.SetEntry(static_cast<int>(i), entries[i]);
  image.WriteHeader(static_cast<int>(entries.size()));
  return image;
}

std::vector<CameraEntry> DistinctEntries(int count, std::uint32_t seed, int band) {
  std::mt19937 rng(seed);
  // Latitudes on even units within the band, longitudes on multiples of 3:
  // two different points are then never within one unit of each other.
  const int latBase = 300000 + band * 20000;
  std::uniform_int_distribution<int> lat(0, 9999);
  std::uniform_int_distribution<int> lon(-20000, 6000);
  std::set<std::pair<int, int>> seen;
  std::vector<CameraEntry> entries;
  while (static_cast<int>(entries.size()) < count) {
    const int la = latBase + 2 * lat(rng);
    const int lo = 3 * lon(rng);
    if (seen.emplace(la, lo).second) entries.push_back({la, lo});
  }
  return entries;
}

DatabaseImage NoisyImageWith(int entries, std::uint32_t seed) {
  DatabaseImage image = ImageWith(DistinctEntries(entries, seed));
  std::mt19937 rng(seed);
  for (std::size_t i = 8 + 6 * static_cast<std::size_t>(entries); i < kDatabaseImageSize; ++i) {
    image[i] = static_cast<std::uint8_t>(rng());
  }
  return image;
}

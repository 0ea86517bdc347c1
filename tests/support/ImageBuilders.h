// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Small builders for database images in tests and benchmarks.
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "database/DatabaseImage.h"

// An image with the signature, the count and these entries.
DatabaseImage ImageWith(const std::vector<CameraEntry>& entries);

// `entries` distinct entries and random bytes after them, so that every
// byte of a transfer counts.
DatabaseImage NoisyImageWith(int entries, std::uint32_t seed);

// `count` entries spread over Great Britain, none within one unit of any
// other, drawn from `seed`. Entries of different seeds may coincide rarely;
// use `band` to keep two sets apart (each band is its own latitude strip).
std::vector<CameraEntry> DistinctEntries(int count, std::uint32_t seed, int band = 0);

// The first `n` bytes of `image`, as a file holds them.
inline std::string Bytes(const DatabaseImage& image, std::size_t n = kDatabaseImageSize) {
  return std::string(reinterpret_cast<const char*>(image.data()), n);
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "database/EntryIndex.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::uint32_t kField24Max = 0xFFFFFF;

std::uint64_t Key(std::uint32_t latitude, std::uint32_t longitude) {
  return (std::uint64_t{latitude} << 24) | longitude;
}

std::uint64_t KeyOf(ConstEntryBytesView entry) {
  return Key(ReadUnsigned24(LatitudeField(entry)), ReadUnsigned24(LongitudeField(entry)));
}

std::array<std::uint8_t, kCameraEntrySize> BytesOf(const CameraEntry& entry) {
  std::array<std::uint8_t, kCameraEntrySize> bytes{};
  EncodeCameraEntry(entry, bytes);
  return bytes;
}

}  // namespace

// Sorted by (latitude, longitude), every entry within one unit of a point is
// found with three range look-ups.
EntryIndex::EntryIndex(const DatabaseImage& image, int count) {
  m_keys.reserve(static_cast<std::size_t>(std::max(count, 0)));
  for (int k = 0; k < count; ++k) {
    m_keys.push_back(KeyOf(image.EntryBytes(k)));
  }
  std::sort(m_keys.begin(), m_keys.end());
}

bool EntryIndex::HasMatch(ConstEntryBytesView entry) const {
  const std::uint32_t latitude = ReadUnsigned24(LatitudeField(entry));
  const std::uint32_t longitude = ReadUnsigned24(LongitudeField(entry));
  const std::uint32_t lonLow = longitude == 0 ? 0 : longitude - 1;
  const std::uint32_t lonHigh = longitude == kField24Max ? kField24Max : longitude + 1;
  const std::uint32_t latLow = latitude == 0 ? 0 : latitude - 1;
  const std::uint32_t latHigh = latitude == kField24Max ? kField24Max : latitude + 1;
  for (std::uint32_t lat = latLow; lat <= latHigh; ++lat) {
    const auto it = std::lower_bound(m_keys.begin(), m_keys.end(), Key(lat, lonLow));
    if (it != m_keys.end() && *it <= Key(lat, lonHigh)) return true;
  }
  return false;
}

void EntryIndex::Add(ConstEntryBytesView entry) {
  const std::uint64_t key = KeyOf(entry);
  m_keys.insert(std::upper_bound(m_keys.begin(), m_keys.end(), key), key);
}

// Told before a choice and then done: both must be one number.
int CountRepeats(std::span<const CameraEntry> entries) {
  return static_cast<int>(entries.size() - FirstOfEach(entries).size());
}

std::vector<CameraEntry> FirstOfEach(std::span<const CameraEntry> entries) {
  EntryIndex kept;
  std::vector<CameraEntry> first;
  for (const CameraEntry& entry : entries) {
    const auto bytes = BytesOf(entry);
    if (kept.HasMatch(bytes)) continue;
    kept.Add(bytes);
    first.push_back(entry);
  }
  return first;
}

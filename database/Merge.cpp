#include "database/Merge.h"

#include <algorithm>
#include <vector>

namespace {

constexpr std::uint32_t kField24Max = 0xFFFFFF;

std::uint64_t Key(std::uint32_t latitude, std::uint32_t longitude) {
  return (std::uint64_t{latitude} << 24) | longitude;
}

std::uint64_t KeyOf(ConstEntryBytesView entry) {
  return Key(ReadUnsigned24(LatitudeField(entry)), ReadUnsigned24(LongitudeField(entry)));
}

// The held entries, sorted by (latitude, longitude), so that every held entry
// within one unit of a point is found with three range look-ups instead of a
// scan of the whole database.
class HeldIndex {
 public:
  explicit HeldIndex(const DatabaseImage& working, int count) {
    keys_.reserve(static_cast<std::size_t>(count));
    for (int k = 0; k < count; ++k) keys_.push_back(KeyOf(working.EntryBytes(k)));
    std::sort(keys_.begin(), keys_.end());
  }

  bool HasMatch(ConstEntryBytesView entry) const {
    const std::uint32_t latitude = ReadUnsigned24(LatitudeField(entry));
    const std::uint32_t longitude = ReadUnsigned24(LongitudeField(entry));
    const std::uint32_t lonLow = longitude == 0 ? 0 : longitude - 1;
    const std::uint32_t lonHigh = longitude == kField24Max ? kField24Max : longitude + 1;
    const std::uint32_t latLow = latitude == 0 ? 0 : latitude - 1;
    const std::uint32_t latHigh = latitude == kField24Max ? kField24Max : latitude + 1;
    for (std::uint32_t lat = latLow; lat <= latHigh; ++lat) {
      const auto it = std::lower_bound(keys_.begin(), keys_.end(), Key(lat, lonLow));
      if (it != keys_.end() && *it <= Key(lat, lonHigh)) return true;
    }
    return false;
  }

 private:
  std::vector<std::uint64_t> keys_;
};

}  // namespace

MergeResult MergeIncoming(DatabaseImage& working, const DatabaseImage& incoming, DatabaseImage& scratch) {
  scratch.Fill(0x00);
  const int held = working.BoundedCount();
  const int offered = incoming.BoundedCount();

  const HeldIndex index(working, held);
  int fresh = 0;
  for (int j = 0; j < offered; ++j) {
    const ConstEntryBytesView entry = incoming.EntryBytes(j);
    if (index.HasMatch(entry)) continue;
    std::ranges::copy(entry, scratch.EntryBytes(fresh).begin());
    ++fresh;
  }

  MergeResult result;
  result.added = std::min(fresh, kMaxDatabaseEntries - held);
  result.leftOut = fresh - result.added;
  std::ranges::copy(scratch.EntryRun(0, result.added), working.EntryRun(held, result.added).begin());
  working.WriteHeader(held + result.added);
  return result;
}

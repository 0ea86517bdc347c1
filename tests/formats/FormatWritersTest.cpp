// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>

#include "database/Ov2List.h"
#include "database/qt/CameraListReader.h"
#include "database/qt/CameraListWriter.h"
#include "tests/support/ImageBuilders.h"

namespace {

constexpr ListFormat kWritten[] = {ListFormat::Gpx, ListFormat::Kml, ListFormat::GeoJson};

TEST(ListWriters, AnEmptyDatabaseIsAWellFormedEmptyList) {
  for (const ListFormat format : kWritten) {
    SCOPED_TRACE(ToString(format));
    const std::optional<std::string> text = CameraListText(ImageWith({}), format);
    ASSERT_TRUE(text);
    const ListReadResult read = ReadCameraListBytes(*text, format, {});
    EXPECT_EQ(read.status, ListReadStatus::Ok) << read.detail;
    EXPECT_TRUE(read.list.entries.empty());
    EXPECT_EQ(read.list.passedOver, 0);
  }
}

TEST(ListWriters, AFullDatabaseReadsBackEntryForEntryAndACountBeyondCapacityStopsThere) {
  std::vector<CameraEntry> entries = DistinctEntries(kMaxDatabaseEntries - 4, 21);
  entries.insert(entries.end(), {{0, -1}, {-1, 0}, {540000, 1080000}, {-540000, -1080000}});
  DatabaseImage image = ImageWith(entries);
  image.WriteHeader(65535);
  for (const ListFormat format : kWritten) {
    SCOPED_TRACE(ToString(format));
    const ListReadResult read = ReadCameraListBytes(*CameraListText(image, format), format, {});
    ASSERT_EQ(read.status, ListReadStatus::Ok) << read.detail;
    EXPECT_EQ(read.list.skipped, 0);
    EXPECT_EQ(read.list.entries, entries);
  }
}

// OV2 follows the map: the same entries come back, in the order of the
// groups a device searches, and that order is kept by a second round trip.
TEST(Ov2Writer, GivesTheSameEntriesGroupedOnTheMapAndKeepsItsOwnOrder) {
  std::vector<CameraEntry> entries = DistinctEntries(kMaxDatabaseEntries - 4, 21);
  entries.insert(entries.end(), {{0, -1}, {-1, 0}, {540000, 1080000}, {-540000, -1080000}});
  const std::string ov2 = *CameraListText(ImageWith(entries), ListFormat::Ov2);
  const ListReadResult read = ReadCameraListBytes(ov2, ListFormat::Ov2, {});
  ASSERT_EQ(read.status, ListReadStatus::Ok) << read.detail;
  EXPECT_EQ(read.list.skipped, 0);
  auto byPlace = [](const CameraEntry& a, const CameraEntry& b) {
    return std::pair(a.latitude, a.longitude) < std::pair(b.latitude, b.longitude);
  };
  std::vector<CameraEntry> sorted = read.list.entries;
  std::sort(sorted.begin(), sorted.end(), byPlace);
  std::sort(entries.begin(), entries.end(), byPlace);
  EXPECT_EQ(sorted, entries);
  const DatabaseImage again = ImageWith(read.list.entries);
  EXPECT_EQ(ImageWith(ReadCameraListBytes(*CameraListText(again, ListFormat::Ov2), ListFormat::Ov2, {}).list.entries),
            again)
      << "a database read from OV2 comes back byte for byte";
  EXPECT_TRUE(CameraListText(ImageWith({}), ListFormat::Ov2)->empty());
}

// Skippers nest to the points: each box holds what its block holds, and no
// group of points is larger than a device searches at once.
TEST(Ov2Writer, EveryBlockLiesInItsBoxAndHoldsAtMostTwentyPointsOfItsOwn) {
  const std::string ov2 = *CameraListText(ImageWith(DistinctEntries(1000, 5)), ListFormat::Ov2);
  auto int32 = [&ov2](std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(ov2[at + static_cast<std::size_t>(i)]);
    return static_cast<std::int32_t>(v);
  };
  struct Box {
    std::size_t end;
    std::int32_t east, north, west, south;
    int points;
  };
  std::vector<Box> open;
  int points = 0;
  for (std::size_t at = 0; at < ov2.size();) {
    while (!open.empty() && at >= open.back().end) {
      EXPECT_EQ(at, open.back().end);
      EXPECT_LE(open.back().points, static_cast<int>(kOv2GroupSize));
      open.pop_back();
    }
    if (ov2[at] == 1) {
      open.push_back({at + static_cast<std::size_t>(int32(at + 1)), int32(at + 5), int32(at + 9), int32(at + 13),
                      int32(at + 17), 0});
      at += 21;
      continue;
    }
    ASSERT_EQ(ov2[at], 2);
    ASSERT_FALSE(open.empty()) << "a point outside every skipper";
    ++open.back().points;
    ++points;
    for (const Box& box : open) {
      EXPECT_GE(int32(at + 5), box.west);
      EXPECT_LE(int32(at + 5), box.east);
      EXPECT_GE(int32(at + 9), box.south);
      EXPECT_LE(int32(at + 9), box.north);
    }
    at += static_cast<std::size_t>(int32(at + 1));
  }
  EXPECT_EQ(points, 1000);
}

// Halves of a 100,000th of a degree never occur, and every unit comes back.
TEST(Ov2Writer, EveryUnitRoundsToTheNearestAndReadsBack) {
  EXPECT_EQ(Ov2Value(3), 50);    // 0.0005 degrees
  EXPECT_EQ(Ov2Value(1), 17);    // 16.67
  EXPECT_EQ(Ov2Value(-1), -17);  // west rounds as east does
  EXPECT_EQ(Ov2Value(2), 33);    // 33.33
  EXPECT_EQ(Ov2Value(-1080000), -18000000);
  for (std::int32_t units = -1080000; units <= 1080000; units += 3) {
    const std::int32_t latitude = units / 2;
    std::string record = "\2";
    for (const std::int32_t field : {14, Ov2Value(units), Ov2Value(latitude)}) {
      for (int i = 0; i < 4; ++i) record += static_cast<char>((static_cast<std::uint32_t>(field) >> (8 * i)) & 0xFF);
    }
    record += '\0';
    const ListReadResult read = ReadOv2(record);
    ASSERT_EQ(read.list.entries, (std::vector<CameraEntry>{{latitude, units}})) << units;
  }
}

TEST(ListWriters, OpenStreetMapIsReadButNotWritten) {
  EXPECT_FALSE(CameraListText(ImageWith({{1, 1}}), ListFormat::Osm));
}

}  // namespace

#include <gtest/gtest.h>

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

TEST(ListWriters, OpenStreetMapIsReadButNotWritten) {
  EXPECT_FALSE(CameraListText(ImageWith({{1, 1}}), ListFormat::Osm));
}

}  // namespace

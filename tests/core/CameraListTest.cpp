// SPDX-License-Identifier: GPL-3.0-or-later
#include "database/CameraList.h"
#include "database/Ov2List.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "tests/support/ImageBuilders.h"
#include "tests/support/TempDir.h"

namespace {

TEST(ListFormats, AreToldByExtensionInAnyCaseOrByName) {
  const std::pair<const char*, std::optional<ListFormat>> cases[] = {
      {"a.csv", ListFormat::Csv},      {"dir.v2/A.GPX", ListFormat::Gpx},
      {"x.kml", ListFormat::Kml},      {"x.geojson", ListFormat::GeoJson},
      {"x.json", ListFormat::GeoJson}, {"planet.osm", ListFormat::Osm},
      {"uk.OV2", ListFormat::Ov2},     {"x.txt", std::nullopt},
      {"noextension", std::nullopt},   {"dir.gpx/file", std::nullopt},
      {".gpx", std::nullopt},
  };
  for (const auto& [path, format] : cases) EXPECT_EQ(ListFormatOfFile(path), format) << path;
  EXPECT_EQ(ListFormatNamed("GeoJSON"), ListFormat::GeoJson);
  EXPECT_EQ(ListFormatNamed("kmz"), std::nullopt);
}

// OV2 records as a file holds them: type, then little-endian integers.
std::string Int32Bytes(std::int32_t value) {
  std::string bytes;
  for (int i = 0; i < 4; ++i) bytes += static_cast<char>((static_cast<std::uint32_t>(value) >> (8 * i)) & 0xFF);
  return bytes;
}
std::string Ov2Point(std::int32_t lon, std::int32_t lat, const std::string& name = "Camera", char type = 2) {
  return type + Int32Bytes(static_cast<std::int32_t>(14 + name.size())) + Int32Bytes(lon) + Int32Bytes(lat) + name +
         '\0';
}
std::string Ov2Skipper(std::int32_t length) {
  return '\1' + Int32Bytes(length) + Int32Bytes(200000) + Int32Bytes(5500000) + Int32Bytes(-600000) +
         Int32Bytes(5000000);
}

TEST(ListFormats, WhereTheNameSaysNothingTheContentTells) {
  const std::pair<std::string, ListFormat> cases[] = {
      {Ov2Point(-150000, 5150000), ListFormat::Ov2},
      {Ov2Skipper(21), ListFormat::Ov2},
      {"\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<!-- made by hand -->\n<gpx version=\"1.1\">", ListFormat::Gpx},
      {"<kml xmlns=\"http://www.opengis.net/kml/2.2\">", ListFormat::Kml},
      {"<?xml version='1.0'?><osm version=\"0.6\">", ListFormat::Osm},
      {"  {\"type\": \"FeatureCollection\"", ListFormat::GeoJson},
      {"IDX,X,Y,TYPE,SPEED,DIRTYPE,DIRECTION\n", ListFormat::Csv},
      {"<html>", ListFormat::Csv},
      {"", ListFormat::Csv},
      {std::string("\2\5\0\0\0", 5), ListFormat::Csv},  // a length below 14 is no OV2
  };
  TempDir dir;
  for (const auto& [head, format] : cases) {
    EXPECT_EQ(ListFormatOfContent(head), format) << '"' << head << '"';
    EXPECT_EQ(ListFormatToRead(dir.Write("speedcam.txt", head)), format) << '"' << head << '"';
  }
  EXPECT_EQ(ListFormatToRead(dir.Write("named.gpx", Ov2Point(0, 0))), ListFormat::Gpx) << "the extension wins";
  EXPECT_EQ(ListFormatToRead(dir.File("missing")), ListFormat::Csv);
}

struct Ov2Case {
  const char* name;
  std::string bytes;
  std::vector<CameraEntry> entries;
  int passedOver;
};

TEST(Ov2List, ReadsPointsPastDeletedRecordsAndSkippers) {
  const Ov2Case cases[] = {
      {"two points",
       Ov2Point(-150000, 5150000) + Ov2Point(-12345, 5150375, "London, \"Embankment\""),
       {{309000, -9000}, {309023, -741}},
       0},
      {"an extended point and a long name", Ov2Point(25, 5000000, std::string(300, 'n'), 3), {{300000, 2}}, 0},
      {"a deleted record", Ov2Point(0, 5000000, "gone", 0) + Ov2Point(-150000, 5150000), {{309000, -9000}}, 1},
      {"skippers, nested",
       Ov2Skipper(21 + 21 + 20) + Ov2Skipper(21 + 20) + Ov2Point(-150000, 5150000),
       {{309000, -9000}},
       0},
      {"an empty file", "", {}, 0},
  };
  for (const Ov2Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ListReadResult read = ReadOv2(c.bytes);
    ASSERT_EQ(read.status, ListReadStatus::Ok) << read.detail;
    EXPECT_EQ(read.list.entries, c.entries);
    EXPECT_EQ(read.list.passedOver, c.passedOver);
    EXPECT_EQ(read.list.skipped, 0);
  }
}

// Every value reads as its decimal text does in a CSV line, west and south too.
TEST(Ov2List, APositionIsTheEntryOfItsDecimalInACsvLine) {
  std::mt19937 rng(2026);
  for (int i = 0; i < 20000; ++i) {
    const auto lon = static_cast<std::int32_t>(rng() % 36000001) - 18000000;
    const auto lat = static_cast<std::int32_t>(rng() % 18000001) - 9000000;
    auto decimal = [](std::int32_t v) {
      char text[24];
      std::snprintf(text, sizeof text, "%s%d.%05d", v < 0 ? "-" : "", std::abs(v) / 100000, std::abs(v) % 100000);
      return std::string(text);
    };
    CameraEntry csv;
    ASSERT_EQ(ParseCameraLine((decimal(lon) + "," + decimal(lat)).c_str(), csv), CsvLineStatus::Ok);
    const ListReadResult read = ReadOv2(Ov2Point(lon, lat));
    ASSERT_EQ(read.list.entries.size(), 1u);
    ASSERT_EQ(read.list.entries[0], csv) << decimal(lon) << "," << decimal(lat);
  }
}

TEST(Ov2List, APointOffTheEarthIsSkippedAndNamed) {
  const ListReadResult read = ReadOv2(Ov2Point(0, 5000000) + Ov2Point(0, 9100000));
  ASSERT_EQ(read.status, ListReadStatus::Ok);
  EXPECT_EQ(read.list.entries.size(), 1u);
  ASSERT_EQ(read.list.skipped, 1);
  EXPECT_EQ(read.list.firstSkipped[0].item, "point 2 at byte 20");
  EXPECT_EQ(read.list.firstSkipped[0].found, "0.00000,91.00000");
}

struct BrokenOv2 {
  const char* name;
  std::string bytes;
  std::int64_t offset;
  const char* detail;
};

TEST(Ov2List, ABrokenFileIsRefusedAtItsByteAndGivesNothing) {
  const std::string good = Ov2Point(-150000, 5150000);  // 20 bytes
  const BrokenOv2 cases[] = {
      {"an unknown type", good + "\x07" + good.substr(1), 20, "expected a record of type 0, 1, 2 or 3, found type 7"},
      {"a length below 14", good + std::string("\2\x0D\0\0\0", 5) + std::string(8, '\0'), 20,
       "expected a record length of at least 14, found 13"},
      {"a length past the end", good + good.substr(0, 1) + Int32Bytes(22) + good.substr(5), 20,
       "expected a record of 22 bytes, found the end of the file after 20"},
      {"a truncated record", good + good.substr(0, 10), 20,
       "expected a record of 20 bytes, found the end of the file after 10"},
      {"a file that ends in a length", good + good.substr(0, 3), 20,
       "expected a record's length, found the end of the file"},
      {"a truncated skipper", Ov2Skipper(42).substr(0, 20), 0,
       "expected a skipper record of 21 bytes, found the end of the file after 20"},
      {"a negative length", std::string("\2") + Int32Bytes(-5) + std::string(20, '\0'), 0,
       "expected a record length of at least 14, found -5"},
  };
  for (const BrokenOv2& c : cases) {
    SCOPED_TRACE(c.name);
    const ListReadResult read = ReadOv2(c.bytes);
    EXPECT_EQ(read.status, ListReadStatus::Malformed);
    EXPECT_EQ(read.offset, c.offset);
    EXPECT_EQ(read.detail, c.detail);
    EXPECT_TRUE(read.list.entries.empty());
  }
}

// Read apart, the two numbers of a line give what scanf's "%f,%f" gives.
TEST(NumberPair, ReadsEveryLineAsTheCsvImportDoes) {
  std::mt19937 rng(1311);
  const std::string alphabet = "0123456789.eE+-, \tnaifx";
  for (int i = 0; i < 100000; ++i) {
    std::string line;
    const int length = static_cast<int>(rng() % 14);
    for (int k = 0; k < length; ++k) line += alphabet[rng() % alphabet.size()];
    CameraEntry csv{-7, -7};
    CameraEntry pair{-7, -7};
    const CsvLineStatus expected = ParseCameraLine(line.c_str(), csv);
    ASSERT_EQ(ReadNumberPair(line.c_str(), false, pair, nullptr), expected) << '"' << line << '"';
    ASSERT_EQ(pair, csv) << '"' << line << '"';
  }
}

TEST(NumberPair, LatitudeFirstSwapsTheNumbersAndTheirRanges) {
  CameraEntry entry;
  const char* end = nullptr;
  const char* text = "51.5,-1.5,30";
  ASSERT_EQ(ReadNumberPair(text, true, entry, &end), CsvLineStatus::Ok);
  EXPECT_EQ(entry, (CameraEntry{309000, -9000}));
  EXPECT_STREQ(end, ",30");
  EXPECT_EQ(ReadNumberPair("0,120", true, entry, nullptr), CsvLineStatus::Ok) << "120 is a longitude now";
  EXPECT_EQ(ReadNumberPair("120,0", true, entry, nullptr), CsvLineStatus::OutOfRange);
  EXPECT_EQ(ReadNumberPair("120,0", false, entry, nullptr), CsvLineStatus::Ok);
}

TEST(WholeNumber, AllowsWhiteSpaceAroundButNothingElse) {
  float value = 0;
  EXPECT_TRUE(ReadWholeNumber(" 51.50375\t\n", value));
  EXPECT_EQ(value, 51.50375f);
  EXPECT_TRUE(ReadWholeNumber("-1e-3", value));
  EXPECT_EQ(value, -0.001f);
  for (const char* bad : {"", " ", "51,5", "51.5x", "51.5 0", "x51", "--1"}) {
    EXPECT_FALSE(ReadWholeNumber(bad, value)) << '"' << bad << '"';
  }
}

// A JSON number reaches the reader as a double; written with up to 15
// significant digits it must read as the same digits in a CSV line.
TEST(CsvFloat, OfADoubleIsTheFloatItsDigitsRead) {
  std::mt19937 rng(42);
  std::vector<std::string> texts = {"51.50375", "-0.00025", "0.00025", "50.000001", "179.999999", "-0.0001", "1e-7"};
  for (int i = 0; i < 50000; ++i) {
    const int digits = 1 + static_cast<int>(rng() % 15);
    const std::string sign = (rng() % 2) ? "-" : "";
    std::string number;
    for (int k = 0; k < digits; ++k) number += static_cast<char>('0' + rng() % 10);
    const std::size_t point = number.size() - static_cast<std::size_t>(rng() % static_cast<unsigned>(digits));
    // Put together by append: GCC 12 at -O2 warns falsely (-Wrestrict) on
    // inserting into a string.
    texts.push_back(std::string(sign).append(number, 0, point).append(".").append(number, point));
  }
  for (const std::string& text : texts) {
    float scanned = 0;
    ASSERT_GT(ScanDegrees(text.c_str(), scanned), 0) << text;
    EXPECT_EQ(CsvFloatOf(std::strtod(text.c_str(), nullptr)), scanned) << text;
  }
}

class CsvList : public ::testing::Test {
 protected:
  ListReadResult Read(const std::string& text, ListReadOptions options = {}) {
    return ReadCsvList(dir.Write("list.csv", text), options);
  }
  TempDir dir;
};

TEST_F(CsvList, ReadsToTheEndAndItsFirstEntriesAreTheWindowsImport) {
  std::string text = "Longitude,Latitude\n";
  for (int i = 0; i < kMaxImportEntries + 400; ++i) {
    text += (i % 97 == 3 ? std::string("junk") : std::to_string(-1.0 - i * 0.0007) + ",52.25") + "\n";
  }
  const std::string path = dir.Write("big.csv", text);
  const ListReadResult list = ReadCsvList(path, {});
  DatabaseImage incoming;
  const CsvImportResult window = ReadCameraCsv(path, incoming);
  ASSERT_EQ(list.status, ListReadStatus::Ok);
  ASSERT_GT(list.list.entries.size(), static_cast<std::size_t>(kMaxImportEntries));
  for (int i = 0; i < window.entries; ++i) ASSERT_EQ(list.list.entries[static_cast<std::size_t>(i)], incoming.Entry(i));
  EXPECT_GT(list.list.skipped, window.skipped) << "junk after the limit is counted too";
  EXPECT_EQ(list.list.firstSkipped[0].line, 5);
  EXPECT_EQ(list.list.firstSkipped[0].found, "junk");
  EXPECT_EQ(list.list.firstSkipped[0].why, "expected longitude,latitude");
}

TEST_F(CsvList, LatitudeFirstReadsTheFirstNumberAsLatitude) {
  const ListReadResult read = Read("lat,lon\n51.5,-1.5\n", {.allPoints = false, .latitudeFirst = true});
  ASSERT_EQ(read.list.entries.size(), 1u);
  EXPECT_EQ(read.list.entries[0], (CameraEntry{309000, -9000}));
}

TEST_F(CsvList, ASeparatorLineMakesTheNextLineTheHeader) {
  const ListReadResult read = Read("\xEF\xBB\xBFsep=,\nX,Y\n-1.5,51.5\n");
  EXPECT_EQ(read.list.skipped, 0);
  EXPECT_EQ(read.list.entries.size(), 1u);
  EXPECT_EQ(Read("sep=,\n-1.5,51.5\n").list.entries.size(), 1u) << "a position after it is still read";
}

// A folder is no file on any system, as for the CSV import.
TEST_F(CsvList, MissingFileAndFolderAreFailures) {
  EXPECT_EQ(ReadCsvList(dir.File("none.csv"), {}).status, ListReadStatus::CannotOpen);
  EXPECT_EQ(ReadCsvList(dir.Path().string(), {}).status, ListReadStatus::CannotOpen);
  std::string bytes;
  EXPECT_EQ(ReadFileBytes(dir.Path().string(), bytes), ListReadStatus::CannotOpen);
}

}  // namespace

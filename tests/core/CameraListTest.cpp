#include "database/CameraList.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "tests/support/ImageBuilders.h"
#include "tests/support/TempDir.h"

namespace {

TEST(ListFormats, AreToldByExtensionInAnyCaseOrByName) {
  const std::pair<const char*, std::optional<ListFormat>> cases[] = {
      {"a.csv", ListFormat::Csv},        {"dir.v2/A.GPX", ListFormat::Gpx},  {"x.kml", ListFormat::Kml},
      {"x.geojson", ListFormat::GeoJson}, {"x.json", ListFormat::GeoJson},   {"planet.osm", ListFormat::Osm},
      {"x.txt", std::nullopt},           {"noextension", std::nullopt},      {"dir.gpx/file", std::nullopt},
      {".gpx", std::nullopt},
  };
  for (const auto& [path, format] : cases) EXPECT_EQ(ListFormatOfFile(path), format) << path;
  EXPECT_EQ(ListFormatNamed("GeoJSON"), ListFormat::GeoJson);
  EXPECT_EQ(ListFormatNamed("kmz"), std::nullopt);
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

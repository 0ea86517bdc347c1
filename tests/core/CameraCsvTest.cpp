// SPDX-License-Identifier: GPL-3.0-or-later
#include "database/CameraCsv.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <random>

#include "tests/support/ImageBuilders.h"
#include "tests/support/TempDir.h"

namespace {

struct ConversionCase {
  const char* line;
  std::int32_t latitude;
  std::int32_t longitude;
};

TEST(CameraCsvConversion, WorkedValuesComeOutExactly) {
  const ConversionCase cases[] = {
      {"-1.5,51.5", 309000, -9000},
      {"0.00001,50", 300000, 0},   // 0.6 + 5 cut to 5, /10 -> 0
      {"-0.0001,50", 300000, -1},  // -6 - 5 = -11 -> -1
      {"-0.001,50", 300000, -6},
      {"0.00025,50", 300000, 2},  // a half unit goes away from zero
      {"-0.00025,50", 300000, -2},
      {"-1.5,51.50375", 309023, -9000},  // rounded to float before the cut
      {"-0.5,-0.5", -3000, -3000},
      {"-1.5,51.5,30,extra", 309000, -9000},
      {"  -1.5,\t51.5\r\n", 309000, -9000},
      {"+1.5,.5", 3000, 9000},
      {"180,90", 540000, 1080000},
      {"-180,-90", -540000, -1080000},
      // Corners of scanf's float grammar, read alike on every system.
      {"0x1p4,0x1.8p1", 18000, 96000},
      {"1e,1e+", 6000, 6000},  // an exponent mark without digits is read and ignored
      {"0x.,1", 6000, 0},
      {"1e-50,-1e-50", 0, 0},  // below float's range: zero
  };
  for (const ConversionCase& c : cases) {
    CameraEntry entry{-7, -7};
    EXPECT_EQ(ParseCameraLine(c.line, entry), CsvLineStatus::Ok) << c.line;
    EXPECT_EQ(entry, (CameraEntry{c.latitude, c.longitude})) << c.line;
  }
}

TEST(CameraCsvConversion, StoresLatitudeThenLongitudeBigEndian) {
  CameraEntry entry;
  ASSERT_EQ(ParseCameraLine("-1.5,51.5", entry), CsvLineStatus::Ok);
  std::uint8_t bytes[6];
  EncodeCameraEntry(entry, bytes);
  const std::uint8_t expected[6] = {0x04, 0xB7, 0x08, 0xFF, 0xDC, 0xD8};
  EXPECT_TRUE(std::equal(bytes, bytes + 6, expected));
}

TEST(CameraCsvConversion, LinesWithoutALocationAreRejectedWithTheirReason) {
  const std::pair<const char*, CsvLineStatus> cases[] = {
      {"", CsvLineStatus::NotTwoNumbers},
      {"\r\n", CsvLineStatus::NotTwoNumbers},
      {"Longitude,Latitude", CsvLineStatus::NotTwoNumbers},
      {"-1.5 ,51.5", CsvLineStatus::NotTwoNumbers},
      {"-1.5;51.5", CsvLineStatus::NotTwoNumbers},
      {"-1.5,", CsvLineStatus::NotTwoNumbers},
      {"1,0x", CsvLineStatus::NotTwoNumbers},
      {"nan,51", CsvLineStatus::NotFinite},
      {"infin,51", CsvLineStatus::NotTwoNumbers},
      {"-1,infinity", CsvLineStatus::NotFinite},
      {"nan(1),51", CsvLineStatus::NotTwoNumbers},
      {".,51", CsvLineStatus::NotTwoNumbers},
      {"-1,inf", CsvLineStatus::NotFinite},
      {"1e39,51", CsvLineStatus::NotFinite},
      {"0,90.01", CsvLineStatus::OutOfRange},
      {"-180.5,0", CsvLineStatus::OutOfRange},
  };
  for (const auto& [line, status] : cases) {
    CameraEntry entry{-7, -7};
    EXPECT_EQ(ParseCameraLine(line, entry), status) << '"' << line << '"';
    EXPECT_EQ(entry, (CameraEntry{-7, -7})) << "a rejected line must not touch the entry";
  }
}

// The numbers must be read exactly as scanf's "%f,%f" reads them into floats.
TEST(CameraCsvConversion, ReadsNumbersAsScanfDoes) {
  std::mt19937 rng(20240611);
  const std::string alphabet = "0123456789.eE+-, \tnaif";
  std::vector<std::string> lines = {"1e,2", "1e+,2", "1.5e-,3", "5e8e,3", "0x10,1", "0x1p3,2", ".5,.5", "1.,2."};
  for (int i = 0; i < 200000; ++i) {
    std::string line;
    const int length = static_cast<int>(rng() % 12);
    for (int k = 0; k < length; ++k) line += alphabet[rng() % alphabet.size()];
    lines.push_back(line);
  }
  for (const std::string& line : lines) {
    float lon = 0, lat = 0;
    const bool scanned = std::sscanf(line.c_str(), "%f,%f", &lon, &lat) == 2;
    CameraEntry entry{-7, -7};
    const CsvLineStatus status = ParseCameraLine(line.c_str(), entry);
    if (!scanned) {
      // scanf stops at "nan(" where strtof reads on; both lines are skipped.
      EXPECT_NE(status, CsvLineStatus::Ok) << '"' << line << '"';
      continue;
    }
    if (!std::isfinite(lon) || !std::isfinite(lat)) {
      EXPECT_EQ(status, CsvLineStatus::NotFinite) << '"' << line << '"';
    } else if (std::fabs(lon) > 180 || std::fabs(lat) > 90) {
      EXPECT_EQ(status, CsvLineStatus::OutOfRange) << '"' << line << '"';
    } else {
      ASSERT_EQ(status, CsvLineStatus::Ok) << '"' << line << '"';
      EXPECT_EQ(entry, (CameraEntry{DegreesToUnits(lat), DegreesToUnits(lon)})) << '"' << line << '"';
    }
  }
}

// Qt sets the process locale from the environment, and many users' locales
// write a decimal comma: lines must read the same, and the process keeps
// its locale.
TEST(CameraCsvConversion, ReadsAPointWhateverTheProcessLocale) {
  const std::string saved = std::setlocale(LC_ALL, nullptr);
  const char* comma = nullptr;
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "German_Germany.1252"}) {
    if ((comma = std::setlocale(LC_ALL, name)) != nullptr) break;
  }
  if (comma == nullptr) GTEST_SKIP() << "no locale with a decimal comma is installed";
  ASSERT_STREQ(std::localeconv()->decimal_point, ",");

  CameraEntry entry{-7, -7};
  const CsvLineStatus status = ParseCameraLine("-1.5,51.5\n", entry);
  const std::string pointAfter = std::localeconv()->decimal_point;
  std::setlocale(LC_ALL, saved.c_str());

  EXPECT_EQ(status, CsvLineStatus::Ok);
  EXPECT_EQ(entry, (CameraEntry{309000, -9000}));
  EXPECT_EQ(pointAfter, ",") << "the process locale must be given back";
}

class CameraCsvFile : public ::testing::Test {
 protected:
  CsvImportResult Read(const std::string& text) {
    incoming.Fill(0x11);
    return ReadCameraCsv(dir.Write("cameras.csv", text), incoming);
  }
  static std::string DataLines(int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
      text += std::to_string(-(i % 600) * 0.01) + "," + std::to_string(50 + i * 0.0005) + "\n";
    return text;
  }

  TempDir dir;
  DatabaseImage incoming;
};

TEST_F(CameraCsvFile, SkipsTheHeaderAndFillsTheRestWithFF) {
  const CsvImportResult read = Read("X,Y\n-1.5,51.5\n0,50\n");
  EXPECT_EQ(read.status, CsvImportStatus::Ok);
  EXPECT_EQ(read.entries, 2);
  EXPECT_EQ(read.skipped, 0);
  EXPECT_EQ(incoming.Entry(0), (CameraEntry{309000, -9000}));
  EXPECT_EQ(incoming.Entry(1), (CameraEntry{300000, 0}));
  for (std::size_t i = 0; i < 8; ++i) EXPECT_EQ(incoming[i], 0xFF) << "header byte " << i << " is the caller's";
  for (std::size_t i = 8 + 12; i < kDatabaseImageSize; ++i) ASSERT_EQ(incoming[i], 0xFF) << i;
}

TEST_F(CameraCsvFile, EmptyFileAndHeaderOnlyGiveNoEntries) {
  EXPECT_EQ(Read("").entries, 0);
  EXPECT_EQ(Read("X,Y\n").entries, 0);
  EXPECT_EQ(Read("-1.5,51.5\n").entries, 0) << "the first line is always the header";
}

TEST_F(CameraCsvFile, StopsAtTheImportLimit) {
  const CsvImportResult exact = Read("X,Y\n" + DataLines(kMaxImportEntries));
  EXPECT_EQ(exact.entries, kMaxImportEntries);
  EXPECT_TRUE(exact.ReachedLimit());

  const CsvImportResult over = Read("X,Y\n" + DataLines(kMaxImportEntries + 1) + "junk\n");
  EXPECT_EQ(over.entries, kMaxImportEntries);
  EXPECT_EQ(over.skipped, 0) << "nothing after the limit is read";
  EXPECT_EQ(incoming[8 + 6 * kMaxImportEntries], 0xFF);

  EXPECT_FALSE(Read("X,Y\n" + DataLines(kMaxImportEntries - 1)).ReachedLimit());
}

TEST_F(CameraCsvFile, JunkLinesAreSkippedCountedAndNamed) {
  const CsvImportResult read = Read("X,Y\n-1.5,51.5\n\nnot a number\n-1 ,50\nnan,50\n0,95\n0,50\r\n");
  EXPECT_EQ(read.entries, 2);
  EXPECT_EQ(read.skipped, 5);
  ASSERT_EQ(read.firstSkipped.size(), kSkippedLinesKept);
  EXPECT_EQ(read.firstSkipped[1].line, 4);
  EXPECT_EQ(read.firstSkipped[1].found, "not a number");
  EXPECT_EQ(read.firstSkipped[4].why, ToString(CsvLineStatus::OutOfRange));
  EXPECT_EQ(incoming.Entry(1), (CameraEntry{300000, 0})) << "skipped lines leave no gap";
}

TEST_F(CameraCsvFile, ALongLineIsReadIn1023CharacterPieces) {
  // 3,000 characters: the first piece holds the location, the rest of the
  // line comes as two more pieces that are not locations.
  std::string line = "-1.5,51.5,";
  line += std::string(3000 - line.size(), 'x');
  const CsvImportResult read = Read("X,Y\n" + line + "\n0,50\n");
  EXPECT_EQ(read.entries, 2);
  EXPECT_EQ(read.skipped, 2);
  EXPECT_EQ(read.firstSkipped[0].line, 3);

  // A piece break inside a line that continues with numbers makes an entry of
  // the continuation, as the line buffer reads it.
  std::string padded = "-1.5,51.5" + std::string(1023 - 9, ' ') + "2,52\n";
  EXPECT_EQ(Read("X,Y\n" + padded).entries, 2);
}

TEST_F(CameraCsvFile, MissingFileAndFolderAreFailures) {
  EXPECT_EQ(ReadCameraCsv(dir.File("none.csv"), incoming).status, CsvImportStatus::CannotOpen);
  EXPECT_EQ(ReadCameraCsv(dir.Path().string(), incoming).status, CsvImportStatus::CannotOpen);
}

TEST_F(CameraCsvFile, ExportedTextReadsBackToTheSameEntries) {
  std::vector<CameraEntry> entries = DistinctEntries(500, 7);
  entries.insert(entries.end(), {{0, 0}, {0, -1}, {-1, 1}, {540000, 1080000}, {-540000, -1080000}, {309023, -9000}});
  const DatabaseImage held = ImageWith(entries);
  const CsvImportResult read = Read(CameraCsvText(held));
  ASSERT_EQ(read.entries, static_cast<int>(entries.size()));
  EXPECT_EQ(read.skipped, 0);
  for (int i = 0; i < read.entries; ++i) ASSERT_EQ(incoming.Entry(i), entries[static_cast<std::size_t>(i)]) << i;
  EXPECT_EQ(CameraCsvText(ImageWith({{309000, -9000}})), "X,Y\n-1.500000,51.500000\n");
}

}  // namespace

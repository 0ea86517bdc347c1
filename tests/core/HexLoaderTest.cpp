// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <memory>

#include "tests/support/HexBuilder.h"
#include "tests/support/TempDir.h"
#include "upgrade/HexLoader.h"

namespace {

std::vector<std::uint8_t> Counting(std::uint8_t first, int n) {
  std::vector<std::uint8_t> bytes;
  for (int i = 0; i < n; ++i) bytes.push_back(static_cast<std::uint8_t>(first + i));
  return bytes;
}

class HexLoaderTest : public ::testing::Test {
 protected:
  HexLoadResult Load(const std::string& text) { return LoadFirmwareHex(text, *image, highest); }
  std::unique_ptr<FirmwareBytes> image = std::make_unique<FirmwareBytes>();
  std::uint32_t highest = 12345;
};

TEST_F(HexLoaderTest, StoresADataRecordAtItsAddressAndRaisesTheHighestAddress) {
  // Byte count 10, address 0600: sixteen bytes at 1,536..1,551.
  ASSERT_TRUE(Load(HexData(0x0600, Counting(1, 16)) + HexEndOfFile()).ok());
  EXPECT_EQ((*image)[0x600], 1);
  EXPECT_EQ((*image)[0x60F], 16);
  EXPECT_EQ((*image)[0x610], 0);
  EXPECT_EQ(highest, 0x60Fu);
}

TEST_F(HexLoaderTest, StoresARecordEndingAt64999AndDropsOneEndingAt65000Whole) {
  ASSERT_TRUE(Load(HexData(64999 - 3, Counting(0xA0, 4))).ok());
  EXPECT_EQ((*image)[64999], 0xA3);
  EXPECT_EQ(highest, 64999u);
  ASSERT_TRUE(Load(HexData(65000 - 3, Counting(0xB0, 4))).ok());
  EXPECT_EQ((*image)[64997], 0xA1);  // nothing of the dropped record was stored
  EXPECT_EQ(highest, 65000u);
}

TEST_F(HexLoaderTest, LastAddressIsComputedBeyondSixteenBits) {
  ASSERT_TRUE(Load(HexData(0xFFF0, Counting(0, 32))).ok());
  EXPECT_EQ(highest, 0x1000Fu);
}

TEST_F(HexLoaderTest, ExtendedLinearAddressSwitchesDataOffAndOn) {
  ASSERT_TRUE(
      Load(HexExtendedLinear(1) + HexData(0x0700, {0x11}) + HexExtendedLinear(0) + HexData(0x0701, {0x22})).ok());
  EXPECT_EQ((*image)[0x700], 0);
  EXPECT_EQ((*image)[0x701], 0x22);
  EXPECT_EQ(highest, 0x701u);
}

TEST_F(HexLoaderTest, EndOfFileAndSegmentRecordsAreIgnored) {
  ASSERT_TRUE(Load(HexEndOfFile() + HexRecord(2, 0, {0x10, 0x00}) + HexData(0x0800, {0x33})).ok());
  EXPECT_EQ((*image)[0x800], 0x33);
}

TEST_F(HexLoaderTest, TheLaterOfTwoRecordsForOneAddressWins) {
  ASSERT_TRUE(Load(HexData(0x900, {1, 2}) + HexData(0x901, {9})).ok());
  EXPECT_EQ((*image)[0x900], 1);
  EXPECT_EQ((*image)[0x901], 9);
}

TEST_F(HexLoaderTest, ImageIsNeverClearedBetweenLoads) {
  ASSERT_TRUE(Load(HexFileOf(0x600, Counting(1, 0x200))).ok());
  ASSERT_TRUE(Load(HexFileOf(0x600, std::vector<std::uint8_t>(0x40, 0xEE))).ok());
  EXPECT_EQ(highest, 0x63Fu);
  EXPECT_EQ((*image)[0x63F], 0xEE);
  EXPECT_EQ((*image)[0x640], static_cast<std::uint8_t>(1 + 0x40));
}

TEST_F(HexLoaderTest, ZeroCountRecords) {
  ASSERT_TRUE(Load(HexData(0, {})).ok());
  EXPECT_EQ(highest, 0u) << "count 0 at address 0 has no last address";
  ASSERT_TRUE(Load(HexData(0x700, {})).ok());
  EXPECT_EQ(highest, 0x6FFu);
}

TEST_F(HexLoaderTest, AcceptsLowerCaseBlankLinesCrLfAndTrailingSpace) {
  std::string text = HexData(0x0A00, {0xAB, 0xCD});
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  text.insert(text.size() - 1, " \t\r");
  ASSERT_TRUE(Load("\n\r\n" + text + "  \n" + HexEndOfFile()).ok());
  EXPECT_EQ((*image)[0xA01], 0xCD);
}

TEST_F(HexLoaderTest, LoadsARecordOf255BytesWhateverTheLineLength) {
  ASSERT_TRUE(Load(HexData(0x1000, std::vector<std::uint8_t>(255, 0x5A))).ok());
  EXPECT_EQ((*image)[0x1000 + 254], 0x5A);
  EXPECT_EQ(highest, 0x1000u + 254);
}

struct MalformedCase {
  const char* name;
  std::string line;
  HexStatus status;
};

class HexLoaderRefuses : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(HexLoaderRefuses, TheWholeFileNamingTheLineAndChangingNothing) {
  const MalformedCase& c = GetParam();
  auto image = std::make_unique<FirmwareBytes>();
  std::uint32_t highest = 77;
  // Two good lines first: nothing of them may be stored either.
  const std::string text = HexData(0x600, {1, 2, 3}) + "\n" + c.line + "\n" + HexData(0x700, {4});
  const HexLoadResult result = LoadFirmwareHex(text, *image, highest);
  EXPECT_EQ(result.status, c.status) << result.detail;
  EXPECT_EQ(result.line, 3);
  EXPECT_FALSE(result.detail.empty());
  EXPECT_EQ((*image)[0x600], 0);
  EXPECT_EQ(highest, 77u);
}

std::string Corrupt(std::string line, std::size_t at, char c) {
  line[at] = c;
  return line;
}

// Built by append: GCC 12 at -O2 warns falsely (-Wrestrict) inside
// operator+(const char*, std::string&&).
std::string WithLeadingSpace(const std::string& line) { return std::string(" ").append(line); }

const std::string kGood = HexData(0x0600, {0x10, 0x20, 0x30, 0x40});  // ":040600001020304..."

INSTANTIATE_TEST_SUITE_P(
    Malformed, HexLoaderRefuses,
    ::testing::Values(
        MalformedCase{"NoColon", kGood.substr(1, kGood.size() - 2), HexStatus::MissingColon},
        MalformedCase{"TextLine", "hello world", HexStatus::MissingColon},
        MalformedCase{"LeadingSpace", WithLeadingSpace(kGood.substr(0, kGood.size() - 1)), HexStatus::MissingColon},
        MalformedCase{"NotHex", Corrupt(kGood.substr(0, kGood.size() - 1), 10, 'G'), HexStatus::NotHexDigit},
        MalformedCase{"OddDigits", kGood.substr(0, kGood.size() - 2), HexStatus::OddDigitCount},
        MalformedCase{"TooShort", ":0000", HexStatus::TooShort},
        MalformedCase{"CountPromisesMore", ":10060000102030406A", HexStatus::LengthMismatch},
        MalformedCase{"CountPromisesLess", ":010600001020C9", HexStatus::LengthMismatch},
        MalformedCase{"BadChecksum", Corrupt(kGood.substr(0, kGood.size() - 1), 18, '0'), HexStatus::BadChecksum},
        MalformedCase{"ShortAddressRecord", HexRecord(4, 0, {1}).substr(0, 13), HexStatus::BadAddressRecord}),
    [](const ::testing::TestParamInfo<MalformedCase>& param) { return std::string(param.param.name); });

TEST(HexLoaderFile, ReadsAnOpenFileToItsEndAndDescribesFaultsWithFileAndLine) {
  TempDir dir;
  const std::string path = dir.Write("fw.hex", HexFileOf(0x600, Counting(0, 200)) + ":zz\n");
  std::FILE* file = std::fopen(path.c_str(), "r");
  ASSERT_NE(file, nullptr);
  auto image = std::make_unique<FirmwareBytes>();
  std::uint32_t highest = 0;
  const HexLoadResult result = LoadFirmwareHex(file, *image, highest);
  std::fclose(file);
  EXPECT_EQ(result.status, HexStatus::NotHexDigit);
  EXPECT_EQ(result.line, 15);  // 13 data records, EOF record, then the bad line
  EXPECT_EQ(Describe(result, "fw.hex"), "fw.hex:15: not a hex digit: expected a hex digit at column 2, found 'z'");
}

TEST(HexLoaderFile, ALastLineWithoutNewlineCounts) {
  TempDir dir;
  std::string text = HexData(0x600, {7});
  text.pop_back();
  const std::string path = dir.Write("fw.hex", text);
  std::FILE* file = std::fopen(path.c_str(), "r");
  ASSERT_NE(file, nullptr);
  auto image = std::make_unique<FirmwareBytes>();
  std::uint32_t highest = 0;
  EXPECT_TRUE(LoadFirmwareHex(file, *image, highest).ok());
  std::fclose(file);
  EXPECT_EQ((*image)[0x600], 7);
}

TEST(UploadBlockCount, CoversFrom0x600ToTheBlockHoldingTheHighestAddressButNotPast0xFDC0) {
  EXPECT_EQ(UploadBlockCount(0), 0);
  EXPECT_EQ(UploadBlockCount(0x5FF), 0);
  EXPECT_EQ(UploadBlockCount(0x600), 1);
  EXPECT_EQ(UploadBlockCount(0x63F), 1);
  EXPECT_EQ(UploadBlockCount(0x640), 2);
  EXPECT_EQ(UploadBlockCount(64999), (0xFDC0 - 0x600) / 64 + 1);
  EXPECT_EQ(UploadBlockCount(65789), (0xFDC0 - 0x600) / 64 + 1);
}

}  // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "database/DatabaseImage.h"

TEST(DatabaseImage, IsExactlyTheUnitsImageSize) {
  static_assert(sizeof(DatabaseImage) == 65536);
  EXPECT_EQ(8u + 6u * kMaxDatabaseEntries + 2u, kDatabaseImageSize);
}

TEST(DatabaseImage, EncodesFieldsAsLow24BitsBigEndian) {
  struct Case {
    std::int32_t units;
    std::uint8_t b0, b1, b2;
  };
  const Case cases[] = {
      {309000, 0x04, 0xB7, 0x08},    // 51.5 degrees
      {-1, 0xFF, 0xFF, 0xFF},        // 1/6000 degree west
      {-9000, 0xFF, 0xDC, 0xD8},     // 1.5 degrees west
      {300000, 0x04, 0x93, 0xE0},    // 50 degrees
      {8388607, 0x7F, 0xFF, 0xFF},   // the largest
      {-8388608, 0x80, 0x00, 0x00},  // the smallest
  };
  for (const Case& c : cases) {
    std::uint8_t field[3];
    WriteField24(field, c.units);
    EXPECT_EQ(field[0], c.b0) << c.units;
    EXPECT_EQ(field[1], c.b1) << c.units;
    EXPECT_EQ(field[2], c.b2) << c.units;
    EXPECT_EQ(ReadSigned24(field), c.units);
  }
}

TEST(DatabaseImage, UnsignedReadHasNoSignExtension) {
  const std::uint8_t minusOne[3] = {0xFF, 0xFF, 0xFF};
  EXPECT_EQ(ReadUnsigned24(minusOne), 16777215u);
  EXPECT_EQ(ReadSigned24(minusOne), -1);
}

TEST(DatabaseImage, EntryPutsLatitudeFirstThenLongitude) {
  DatabaseImage image;
  image.SetEntry(0, CameraEntry{309000, -9000});
  const std::uint8_t expected[6] = {0x04, 0xB7, 0x08, 0xFF, 0xDC, 0xD8};
  EXPECT_TRUE(std::equal(expected, expected + 6, image.data() + 8));
  EXPECT_EQ(image.Entry(0), (CameraEntry{309000, -9000}));
}

TEST(DatabaseImage, HeaderLeavesReservedBytesAlone) {
  DatabaseImage image;
  image.Fill(0xEE);
  image.WriteHeader(0x1234);
  EXPECT_EQ(image[0], 0x55);
  EXPECT_EQ(image[1], 0xAA);
  EXPECT_EQ(image[2], 0x12);
  EXPECT_EQ(image[3], 0x34);
  EXPECT_EQ(image[4], 0x00);
  EXPECT_EQ(image[5], 0xEE);
  EXPECT_EQ(image[6], 0xEE);
  EXPECT_EQ(image[7], 0xEE);
  EXPECT_EQ(image.Count(), 0x1234);
  EXPECT_TRUE(image.HasSignature());
}

TEST(DatabaseImage, CountBeyondCapacityIsBoundedForIndexing) {
  DatabaseImage image;
  image[2] = 0xFF;
  image[3] = 0xFF;
  EXPECT_EQ(image.Count(), 65535);
  EXPECT_EQ(image.BoundedCount(), kMaxDatabaseEntries);
  // The last whole entry ends two bytes before the end of the image.
  EXPECT_EQ(image.EntryBytes(kMaxDatabaseEntries - 1).data() + 6, image.data() + kDatabaseImageSize - 2);
}

TEST(DatabaseImage, StartsAllZero) {
  const DatabaseImage image;
  EXPECT_EQ(image.Count(), 0);
  EXPECT_FALSE(image.HasSignature());
  EXPECT_TRUE(std::all_of(image.bytes.begin(), image.bytes.end(), [](std::uint8_t b) { return b == 0; }));
}

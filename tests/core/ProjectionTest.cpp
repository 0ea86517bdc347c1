// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "database/DatabaseImage.h"
#include "map/MapView.h"
#include "map/Projection.h"

namespace {

PixelPoint Project(std::int32_t latitude, std::int32_t longitude) {
  std::uint8_t entry[kCameraEntrySize];
  EncodeCameraEntry({latitude, longitude}, entry);
  return ProjectCameraEntry(entry);
}

struct Example {
  std::int32_t latitude;
  std::int32_t longitude;
  int x;
  int y;
};

TEST(ProjectCameraEntry, GivesTheWorkedExamples) {
  const Example examples[] = {
      {309000, 0, 311, 368},                                                     // 51.5 N, 0
      {309000, -6000, 283, 368},                                                 // 1 W
      {309000, 10500, 360, 368},                                                 // 1.75 E
      {309000, -219, 311, 368},  {309000, -220, 310, 368}, {356400, 0, 311, 0},  // 59.4 N
      {356520, 0, 311, -1},      {300000, -66180, 0, 438},                       // 50 N, 11.03 W
      {0, 0, 311, 2768},                                                         // six zero bytes
  };
  for (const Example& e : examples) {
    EXPECT_EQ(Project(e.latitude, e.longitude), (PixelPoint{e.x, e.y})) << e.latitude << ", " << e.longitude;
  }
}

TEST(ProjectCameraEntry, ReadsTheRawBytesBigEndianAndSigned) {
  const std::uint8_t londonish[] = {0x04, 0xB7, 0x08, 0x00, 0x00, 0x00};
  EXPECT_EQ(ProjectCameraEntry(londonish), (PixelPoint{311, 368}));
  // FF FF FF is one unit west, not 16,777,215 east.
  const std::uint8_t westByOne[] = {0x04, 0xB7, 0x08, 0xFF, 0xFF, 0xFF};
  EXPECT_EQ(ProjectCameraEntry(westByOne), (PixelPoint{311, 368}));
}

TEST(ProjectCameraEntry, MeridianColumnIsTwiceAsWideBecauseDivisionTruncates) {
  for (const std::int32_t lon : {-219, -100, -1, 0, 1, 100, 219}) EXPECT_EQ(Project(309000, lon).x, 311) << lon;
  EXPECT_EQ(Project(309000, 220).x, 312);
  EXPECT_EQ(Project(309000, -220).x, 310);
  // A column elsewhere takes about 213 units.
  EXPECT_EQ(Project(309000, 440).x, 313);
}

TEST(ProjectCameraEntry, WestOfTheMeridianMovesEastNotWest) {
  // Floor division would give 282 for one degree west; truncation gives 283.
  EXPECT_EQ(Project(309000, -6000).x, 283);
  EXPECT_EQ(Project(309000, 6000).x, 339);
}

TEST(ProjectCameraEntry, RowZeroStraddlesTheTopEdge) {
  EXPECT_EQ(Project(356270, 0).y, 0);
  EXPECT_EQ(Project(356519, 0).y, 0);
  EXPECT_EQ(Project(356520, 0).y, -1);
  EXPECT_EQ(Project(356269, 0).y, 1);
}

TEST(ProjectCameraEntry, ExtremeFieldsStayWithin32Bits) {
  // Run under the undefined-behaviour sanitizer, an overflow here fails.
  const PixelPoint low = Project(8388607, -8388608);
  const PixelPoint high = Project(-8388608, 8388607);
  EXPECT_EQ(low.y, (21383400 - 600 * 838860) / 7724);
  EXPECT_EQ(low.x, (600 * -838860) / 12766 + 311);
  EXPECT_EQ(high.y, (21383400 + 600 * 838860) / 7724);
  EXPECT_EQ(high.x, (600 * 838860) / 12766 + 311);
}

}  // namespace

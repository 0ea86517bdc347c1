// SPDX-License-Identifier: GPL-3.0-or-later
#include "database/CameraFilter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "database/CameraCsv.h"

namespace {

CameraEntry At(const char* lonLat) {
  CameraEntry entry;
  EXPECT_EQ(ParseCameraLine(lonLat, entry), CsvLineStatus::Ok) << lonLat;
  return entry;
}

TEST(GreatCircle, OneDegreeOfLatitudeAndAQuarterOfTheEquator) {
  EXPECT_NEAR(GreatCircleKm({0, 0}, {6000, 0}), kEarthRadiusKm * std::numbers::pi / 180, 1e-9);
  EXPECT_NEAR(GreatCircleKm({0, 0}, {0, 90 * 6000}), kEarthRadiusKm * std::numbers::pi / 2, 1e-9);
  EXPECT_NEAR(GreatCircleKm({0, 180 * 6000}, {0, -180 * 6000}), 0, 1e-9) << "the same meridian";
  // London to Paris, about 344 km.
  EXPECT_NEAR(GreatCircleKm(At("-0.1276,51.5072"), At("2.3522,48.8566")), 343.9, 0.5);
}

TEST(Box, EdgesWrittenWithTheSameDigitsAreInside) {
  // 51.50375 rounds up to 309,023 units on the way in; so does the edge.
  const GeoBox box{DegreesToUnits(50.0f), DegreesToUnits(-1.5f), DegreesToUnits(51.50375f), DegreesToUnits(0.00025f)};
  EXPECT_TRUE(InBox(box, At("-1.5,51.50375")));
  EXPECT_TRUE(InBox(box, At("0.00025,50")));
  EXPECT_FALSE(InBox(box, At("0.0005,50")));
  EXPECT_FALSE(InBox(box, At("-1.5,51.504")));
  EXPECT_FALSE(InBox(box, At("-1.5002,51")));
  EXPECT_FALSE(InBox(box, At("-1,49.9999")));
}

TEST(Box, WestOfEastCrossesTheDateLine) {
  const GeoBox pacific{0, 170 * 6000, 10 * 6000, -170 * 6000};
  EXPECT_TRUE(InBox(pacific, {6000, 175 * 6000}));
  EXPECT_TRUE(InBox(pacific, {6000, -175 * 6000}));
  EXPECT_FALSE(InBox(pacific, {6000, 0}));
}

TEST(Filter, ARadiusKeepsWhatLiesExactlyOnIt) {
  const CameraEntry centre{309000, 0};
  const std::vector<CameraEntry> entries = {{309600, 0}, {308400, 0}, {309601, 0}, {309000, 0}};
  CameraFilter filter;
  filter.near = centre;
  filter.radiusKm = GreatCircleKm(centre, entries[0]);
  EXPECT_EQ(ApplyFilter(entries, filter), (std::vector<CameraEntry>{{309600, 0}, {308400, 0}, {309000, 0}}));
  // Written to the millimetre, as a user would type it.
  filter.radiusKm = std::round(*filter.radiusKm * 1e6) / 1e6;
  EXPECT_EQ(ApplyFilter(entries, filter).size(), 3u);
  filter.radiusKm = *filter.radiusKm - 0.001;
  EXPECT_EQ(ApplyFilter(entries, filter), (std::vector<CameraEntry>{{309000, 0}}));
  filter.radiusKm = 0;
  EXPECT_EQ(ApplyFilter(entries, filter), (std::vector<CameraEntry>{{309000, 0}})) << "radius 0 keeps the place";
}

TEST(Filter, MaxKeepsTheNearestInFileOrderOrTheFirst) {
  const std::vector<CameraEntry> entries = {{5000, 0}, {1000, 0}, {3000, 0}, {-1000, 0}, {2000, 0}};
  CameraFilter filter;
  filter.max = 3;
  EXPECT_EQ(ApplyFilter(entries, filter), (std::vector<CameraEntry>{{5000, 0}, {1000, 0}, {3000, 0}}));
  filter.near = CameraEntry{0, 0};
  // 1000 and -1000 are equally near: both are kept, then 2000.
  EXPECT_EQ(ApplyFilter(entries, filter), (std::vector<CameraEntry>{{1000, 0}, {-1000, 0}, {2000, 0}}));
  filter.max = 1;
  EXPECT_EQ(ApplyFilter(entries, filter), (std::vector<CameraEntry>{{1000, 0}})) << "the earlier of a tie";
  filter.max = 10;
  EXPECT_EQ(ApplyFilter(entries, filter), entries);
}

TEST(Filter, BoxRadiusAndMaxTogether) {
  const std::vector<CameraEntry> entries = {{100, 100}, {200, 200}, {-100, -100}, {300, 300}, {50, 50}};
  CameraFilter filter;
  filter.box = GeoBox{0, 0, 250, 250};
  filter.near = CameraEntry{0, 0};
  filter.radiusKm = GreatCircleKm({0, 0}, {200, 200});
  filter.max = 2;
  EXPECT_EQ(ApplyFilter(entries, filter), (std::vector<CameraEntry>{{100, 100}, {50, 50}}));
}

}  // namespace

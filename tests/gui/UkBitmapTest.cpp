// SPDX-License-Identifier: GPL-3.0-or-later
// The shipped map agrees with the projection: well-known headlands fall on
// the coast of the picture.
#include <gtest/gtest.h>

#include <QImage>
#include <cmath>

#include "map/Projection.h"
#include "tests/support/SourceTree.h"
#include "tests/support/TempDir.h"

namespace {

struct Headland {
  const char* name;
  double latitude;   // degrees north
  double longitude;  // degrees east
};

const Headland kHeadlands[] = {
    {"Land's End", 50.0664, -5.7147},           {"Lizard Point", 49.9597, -5.2064},
    {"South Foreland, Dover", 51.1400, 1.3725}, {"Lowestoft Ness", 52.4817, 1.7631},
    {"Flamborough Head", 54.1164, -0.0828},     {"Dunnet Head", 58.6715, -3.3775},
    {"Cape Wrath", 58.6255, -5.0013},           {"Mull of Galloway", 54.6350, -4.8575},
    {"Braich y Pwll, Lleyn", 52.7967, -4.7600}, {"St David's Head", 51.9036, -5.3097},
    {"Malin Head", 55.3817, -7.3742},           {"Mizen Head", 51.4497, -9.8183},
    {"Carnsore Point", 52.1717, -6.3647},       {"Slea Head", 52.0972, -10.4594},
};

class UkBitmap : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(map.isNull());
    // The north-west corner is open Atlantic; Birmingham is well inland.
    sea = map.pixel(0, 0);
    const PixelPoint birmingham = Project(52.4862, -1.8904);
    land = map.pixel(birmingham.x, birmingham.y);
    ASSERT_NE(sea, land);
  }

  static PixelPoint Project(double latitude, double longitude) {
    return ProjectCoordinates(static_cast<std::int32_t>(std::lround(latitude * 6000)),
                              static_cast<std::int32_t>(std::lround(longitude * 6000)));
  }

  bool Has(QRgb colour, PixelPoint centre, int radius) const {
    for (int y = centre.y - radius; y <= centre.y + radius; ++y) {
      for (int x = centre.x - radius; x <= centre.x + radius; ++x) {
        if (map.valid(x, y) && map.pixel(x, y) == colour) return true;
      }
    }
    return false;
  }

  QImage map{QString::fromStdString(SourceFile("resources/uk.bmp"))};
  QRgb sea = 0;
  QRgb land = 0;
};

TEST_F(UkBitmap, Is370By450With24BitsPerPixel) {
  EXPECT_EQ(map.size(), QSize(370, 450));
  const std::string file = ReadWholeFile(SourceFile("resources/uk.bmp"));
  ASSERT_GT(file.size(), 30u);
  EXPECT_EQ(file.substr(0, 2), "BM");
  EXPECT_EQ(static_cast<unsigned char>(file[28]) | static_cast<unsigned char>(file[29]) << 8, 24);
}

TEST_F(UkBitmap, EveryHeadlandIsWithinThreePixelsOfLandAndSea) {
  for (const Headland& h : kHeadlands) {
    const PixelPoint p = Project(h.latitude, h.longitude);
    EXPECT_TRUE(map.valid(p.x, p.y)) << h.name;
    EXPECT_TRUE(Has(land, p, 3)) << h.name << " has no land near (" << p.x << ", " << p.y << ")";
    EXPECT_TRUE(Has(sea, p, 3)) << h.name << " has no sea near (" << p.x << ", " << p.y << ")";
  }
}

TEST_F(UkBitmap, InlandAndOffshorePointsAreNotCoast) {
  // Leicester and the middle of the North Sea, to show the check can fail.
  EXPECT_FALSE(Has(sea, Project(52.6369, -1.1398), 3));
  EXPECT_FALSE(Has(land, Project(55.0, 1.5), 3));
}

}  // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "map/MapView.h"
#include "tests/support/ImageBuilders.h"

namespace {

// Records every drawing call as a line of text, in order.
class RecordingDc : public DeviceContext {
 public:
  void SetPixel(int x, int y, Rgb c) override { calls.push_back("pixel " + Xy(x, y) + Hex(c)); }
  void FillSolidRect(int x, int y, int w, int h, Rgb c) override {
    calls.push_back("fill " + Xy(x, y) + " " + std::to_string(w) + "x" + std::to_string(h) + Hex(c));
  }
  void DrawPicture(const Picture&, const PixelRect& r) override {
    calls.push_back("picture " + Xy(r.left, r.top) + "-" + Xy(r.right, r.bottom));
  }
  std::vector<std::string> calls;

 private:
  static std::string Xy(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }
  static std::string Hex(Rgb c) {
    char text[16];
    std::snprintf(text, sizeof text, " #%02x%02x%02x", c.red, c.green, c.blue);
    return text;
  }
};

class FakePicture : public Picture {
 public:
  explicit FakePicture(PixelSize size) : m_size(size) {}
  bool IsHeld() const override { return m_size.width > 0; }
  PixelSize GetImageSize() const override { return m_size; }

 private:
  PixelSize m_size;
};

class MapViewDrawing : public ::testing::Test {
 protected:
  std::vector<std::string> Draw(PixelSize client, const Picture& picture, bool loaded = true) {
    MapDisplayState map{picture, loaded, width, height};
    DrawMapView(dc, client, map, *working);
    return dc.calls;
  }

  FakePicture map370x450{{370, 450}};
  FakePicture none{{0, 0}};
  RecordingDc dc;
  // On the heap so that the address sanitizer sees a read past its end.
  std::unique_ptr<DatabaseImage> working = std::make_unique<DatabaseImage>();
  int width = 7;
  int height = 9;
};

TEST_F(MapViewDrawing, DrawsPictureThenMarkersThenRightAndLowerStrips) {
  *working = ImageWith({{309000, 0}, {309000, -6000}});
  const std::vector<std::string> expected = {
      "picture 0,0-370,450",        "pixel 311,368 #ff0000",      "pixel 283,368 #ff0000",
      "fill 370,0 385x460 #ffffff", "fill 0,450 370x460 #ffffff",
  };
  EXPECT_EQ(Draw({385, 460}, map370x450), expected);
  EXPECT_EQ(width, 370);
  EXPECT_EQ(height, 450);
}

TEST_F(MapViewDrawing, WithoutALoadedMapOnlyWhiteEvenWithEntriesHeld) {
  *working = ImageWith({{309000, 0}});
  EXPECT_EQ(Draw({385, 460}, map370x450, false), std::vector<std::string>{"fill 0,0 385x460 #ffffff"});
  // The measured size is left from before.
  EXPECT_EQ(width, 7);
  EXPECT_EQ(height, 9);
}

TEST_F(MapViewDrawing, AFileThatDidNotDecodeIsDrawnAsNoPicture) {
  *working = ImageWith({{309000, 0}});
  EXPECT_EQ(Draw({385, 460}, none, 1), std::vector<std::string>{"fill 0,0 385x460 #ffffff"});
  EXPECT_EQ(width, 7);
}

TEST_F(MapViewDrawing, ASmallerClientSqueezesThePictureButNotTheMarkers) {
  *working = ImageWith({{309000, 0}});
  const std::vector<std::string> expected = {
      "picture 0,0-200,300",
      "pixel 311,368 #ff0000",
      "fill 370,0 200x300 #ffffff",
      "fill 0,450 370x300 #ffffff",
  };
  EXPECT_EQ(Draw({200, 300}, map370x450), expected);
}

TEST_F(MapViewDrawing, AnEmptyClientRendersThePictureAtItsOwnSize) {
  // The intersection is empty, (0, 0, 0, 0), which the picture takes as
  // "its own size"; the device context clips it away.
  EXPECT_EQ(Draw({0, 0}, map370x450).front(), "picture 0,0-370,450");
}

TEST_F(MapViewDrawing, ACountBeyondCapacityDrawsOnlyWhatTheImageHolds) {
  working->WriteHeader(0xFFFF);
  // The last whole entry, bytes 65,528..65,533.
  working->SetEntry(kMaxDatabaseEntries - 1, {309000, 10500});
  const std::vector<std::string> calls = Draw({385, 460}, map370x450);
  ASSERT_EQ(calls.size(), 1u + kMaxDatabaseEntries + 2u);
  EXPECT_EQ(calls[kMaxDatabaseEntries], "pixel 360,368 #ff0000");
  EXPECT_EQ(calls[1], "pixel 311,2768 #ff0000");  // an all-zero entry
}

TEST(IntersectRect, OverlapOrAllZero) {
  EXPECT_EQ(IntersectRect({0, 0, 370, 450}, {0, 0, 385, 460}), (PixelRect{0, 0, 370, 450}));
  EXPECT_EQ(IntersectRect({0, 0, 370, 450}, {0, 0, 100, 460}), (PixelRect{0, 0, 100, 450}));
  EXPECT_EQ(IntersectRect({0, 0, 370, 450}, {0, 0, 0, 460}), PixelRect{});
  EXPECT_EQ(IntersectRect({10, 10, 20, 20}, {30, 30, 40, 40}), PixelRect{});
}

TEST(PictureRender, AllZeroRectangleMeansOwnSizeAtOrigin) {
  RecordingDc dc;
  const FakePicture picture({96, 192});
  picture.Render(dc, {});
  picture.Render(dc, {0, 0, 48, 192});
  picture.Render(dc, {5, 6, 7, 8});
  EXPECT_EQ(dc.calls, (std::vector<std::string>{"picture 0,0-96,192", "picture 0,0-48,192", "picture 5,6-7,8"}));
}

}  // namespace

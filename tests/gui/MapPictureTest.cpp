// SPDX-License-Identifier: GPL-3.0-or-later
// The map picture on QImage and the view's drawing into an image.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <set>

#include "map/MapView.h"
#include "map/Projection.h"
#include "map/qt/MapPicture.h"
#include "map/qt/MapViewImage.h"
#include "tests/support/ImageBuilders.h"
#include "tests/support/TempDir.h"

namespace {

const QRgb kRed = qRgb(255, 0, 0);
const QRgb kWhiteRgb = qRgb(255, 255, 255);
const QRgb kGrey = qRgb(120, 130, 140);
const QRgb kQuadrants[4] = {qRgb(0, 0, 200), qRgb(0, 150, 0), qRgb(200, 200, 0), qRgb(0, 200, 200)};

// A 370 x 450 picture in four coloured quadrants, split at (185, 225).
QImage QuadrantPicture() {
  QImage image(370, 450, QImage::Format_RGB32);
  QPainter painter(&image);
  painter.fillRect(0, 0, 185, 225, QColor(kQuadrants[0]));
  painter.fillRect(185, 0, 185, 225, QColor(kQuadrants[1]));
  painter.fillRect(0, 225, 185, 225, QColor(kQuadrants[2]));
  painter.fillRect(185, 225, 185, 225, QColor(kQuadrants[3]));
  return image;
}

std::vector<QPoint> PixelsOf(const QImage& image, QRgb colour) {
  std::vector<QPoint> found;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixel(x, y) == colour) found.emplace_back(x, y);
    }
  }
  return found;
}

// Coordinates that project to (x, y), for x and y from 0 on: the middle of
// the pixel's band, on a multiple of 10 units as the projection reads them.
CameraEntry EntryAt(int x, int y) {
  const int row = (kProjectionTopRow - (y * kProjectionRowHeight + kProjectionRowHeight / 2)) / 600;
  const int d = x - kProjectionMeridianColumn;
  const int half = kProjectionColumnWidth / 2;
  const int column = (d * kProjectionColumnWidth + (d >= 0 ? half : -half)) / 600;
  return {row * 10, column * 10};
}

class MapPictureLoad : public ::testing::Test {
 protected:
  std::string SavePicture(const QImage& image, const std::string& name, const char* format) {
    const std::string path = dir.File(name);
    EXPECT_TRUE(image.save(QString::fromStdString(path), format));
    return path;
  }
  TempDir dir;
  MapPicture picture;
};

TEST_F(MapPictureLoad, ABmpLoadsWithItsPixelSize) {
  EXPECT_TRUE(picture.Load(QString::fromStdString(SavePicture(QuadrantPicture(), "uk.bmp", "BMP"))));
  EXPECT_TRUE(picture.IsHeld());
  EXPECT_EQ(picture.GetImageSize(), (PixelSize{370, 450}));
  EXPECT_EQ(picture.Image().pixel(300, 400), kQuadrants[3]);
}

TEST_F(MapPictureLoad, AMissingFileOrAFolderCannotBeOpenedAndLeavesTheHeldPictureAlone) {
  ASSERT_TRUE(picture.Load(QString::fromStdString(SavePicture(QuadrantPicture(), "uk.bmp", "BMP"))));
  EXPECT_FALSE(picture.Load(QString::fromStdString(dir.File("missing.bmp"))));
  EXPECT_TRUE(picture.IsHeld());
  std::filesystem::create_directory(dir.File("folder.bmp"));
  EXPECT_FALSE(picture.Load(QString::fromStdString(dir.File("folder.bmp"))));
  EXPECT_TRUE(picture.IsHeld());

  MapPicture fresh;
  EXPECT_FALSE(fresh.Load(QString::fromStdString(dir.File("missing.bmp"))));
  EXPECT_FALSE(fresh.IsHeld());
  EXPECT_EQ(fresh.GetImageSize(), (PixelSize{0, 0}));
}

TEST_F(MapPictureLoad, AFileThatIsNotAPictureOpensButReleasesTheOldPicture) {
  ASSERT_TRUE(picture.Load(QString::fromStdString(SavePicture(QuadrantPicture(), "uk.bmp", "BMP"))));
  EXPECT_TRUE(picture.Load(QString::fromStdString(dir.Write("text.bmp", "not a picture at all\n"))));
  EXPECT_FALSE(picture.IsHeld());
  EXPECT_EQ(picture.GetImageSize(), (PixelSize{0, 0}));
  // And it is drawn as if there were no file.
  const QImage drawn = DrawMapViewImage({385, 460}, picture, 1, ImageWith({{309000, 0}}));
  EXPECT_EQ(PixelsOf(drawn, kWhiteRgb).size(), 385u * 460u);
}

TEST_F(MapPictureLoad, AnyFormatQtDecodesWillDo) {
  EXPECT_TRUE(picture.Load(QString::fromStdString(SavePicture(QuadrantPicture(), "map.png", "PNG"))));
  EXPECT_EQ(picture.GetImageSize(), (PixelSize{370, 450}));
}

class MapViewImage : public ::testing::Test {
 protected:
  void SetUp() override {
    QImage plain(370, 450, QImage::Format_RGB32);
    plain.fill(kGrey);
    ASSERT_TRUE(plain.save(QString::fromStdString(dir.File("plain.bmp")), "BMP"));
    ASSERT_TRUE(QuadrantPicture().save(QString::fromStdString(dir.File("quadrants.bmp")), "BMP"));
  }
  QImage Draw(const std::string& pictureFile, PixelSize client, const std::vector<CameraEntry>& entries) {
    MapPicture picture;
    const bool loaded = picture.Load(QString::fromStdString(dir.File(pictureFile)));
    return DrawMapViewImage(client, picture, loaded, ImageWith(entries));
  }
  TempDir dir;
};

TEST_F(MapViewImage, EntryHelperHitsTheWantedPixels) {
  for (const QPoint p : {QPoint(0, 0), QPoint(375, 10), QPoint(10, 455), QPoint(200, 100), QPoint(369, 449)}) {
    const CameraEntry e = EntryAt(p.x(), p.y());
    EXPECT_EQ(ProjectCoordinates(e.latitude, e.longitude), (PixelPoint{p.x(), p.y()})) << p.x() << "," << p.y();
  }
}

TEST_F(MapViewImage, OneEntryIsOneRedPixelAtItsPlace) {
  const QImage drawn = Draw("plain.bmp", {385, 460}, {{309000, 0}});
  EXPECT_EQ(PixelsOf(drawn, kRed), std::vector<QPoint>{QPoint(311, 368)});
  EXPECT_EQ(PixelsOf(drawn, kGrey).size(), 370u * 450u - 1u);
  EXPECT_EQ(PixelsOf(drawn, kWhiteRgb).size(), 385u * 460u - 370u * 450u);
}

TEST_F(MapViewImage, MarkersRightOfOrBelowThePictureArePaintedWhite) {
  const QImage drawn =
      Draw("plain.bmp", {385, 460}, {EntryAt(375, 10), EntryAt(10, 455), EntryAt(380, 455), EntryAt(369, 449)});
  EXPECT_EQ(PixelsOf(drawn, kRed), std::vector<QPoint>{QPoint(369, 449)});
  EXPECT_EQ(drawn.pixel(375, 10), kWhiteRgb);
  EXPECT_EQ(drawn.pixel(10, 455), kWhiteRgb);
}

TEST_F(MapViewImage, WithoutAPictureTheWholeAreaIsWhiteEvenWithEntries) {
  const QImage drawn = Draw("missing.bmp", {385, 460}, {{309000, 0}, EntryAt(10, 10)});
  EXPECT_EQ(PixelsOf(drawn, kWhiteRgb).size(), 385u * 460u);
}

TEST_F(MapViewImage, ASmallerClientSqueezesThePictureWhileMarkersStayPut) {
  const QImage drawn = Draw("quadrants.bmp", {320, 400}, {{309000, 0}, EntryAt(100, 100)});
  // Quadrants now split at (160, 200) instead of (185, 225).
  EXPECT_EQ(drawn.pixel(150, 190), kQuadrants[0]);
  EXPECT_EQ(drawn.pixel(170, 190), kQuadrants[1]);
  EXPECT_EQ(drawn.pixel(150, 210), kQuadrants[2]);
  EXPECT_EQ(drawn.pixel(319, 399), kQuadrants[3]);
  EXPECT_EQ(PixelsOf(drawn, kRed), (std::vector<QPoint>{QPoint(100, 100), QPoint(311, 368)}));
}

TEST_F(MapViewImage, ACountBeyondCapacityDrawsNoMoreThanTheImageHolds) {
  std::vector<CameraEntry> entries = DistinctEntries(kMaxDatabaseEntries, 7);
  DatabaseImage image = ImageWith(entries);
  image.WriteHeader(0xFFFF);
  MapPicture picture;
  const bool loaded = picture.Load(QString::fromStdString(dir.File("plain.bmp")));
  // Large enough that no marker is clipped or painted over.
  const QImage drawn = DrawMapViewImage({370, 450}, picture, loaded, image);
  std::set<std::pair<int, int>> expected;
  for (int i = 0; i < kMaxDatabaseEntries; ++i) {
    const PixelPoint p = ProjectCameraEntry(image.EntryBytes(i));
    if (p.x >= 0 && p.x < 370 && p.y >= 0 && p.y < 450) expected.insert({p.x, p.y});
  }
  std::set<std::pair<int, int>> red;
  for (const QPoint p : PixelsOf(drawn, kRed)) red.insert({p.x(), p.y()});
  EXPECT_EQ(red, expected);
  EXPECT_GT(red.size(), 1000u);
}

}  // namespace

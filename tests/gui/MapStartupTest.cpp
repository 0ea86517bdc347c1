// SPDX-License-Identifier: GPL-3.0-or-later
// The map in the running window: read from uk.bmp in the working directory
// at every view initialisation, markers drawn over it, Ctrl+N clearing them.
#include <QImage>
#include <QTest>
#include <filesystem>

#include "app/ProcessState.h"
#include "map/Projection.h"
#include "resources/CommandIds.h"
#include "tests/gui/AppFixture.h"
#include "tests/gui/FileNameDialogDriver.h"
#include "tests/support/ImageBuilders.h"
#include "tests/support/SourceTree.h"
#include "tests/support/TempDir.h"

namespace {

const QRgb kRed = qRgb(255, 0, 0);
const QRgb kWhiteRgb = qRgb(255, 255, 255);

// The program started in a scratch folder that holds what each test puts
// there before start-up.
class MapInWindow : public AppFixture {
 protected:
  void SetUp() override {
    // No map installed beside the program unless a test puts one there.
    savedProgramFolder = ProgramFolder;
    std::filesystem::create_directory(prefix.Path() / "bin");
    ProgramFolder = (prefix.Path() / "bin").string();
    PrepareFolder();
    AppFixture::SetUp();
  }
  void TearDown() override {
    AppFixture::TearDown();
    ProgramFolder = savedProgramFolder;
  }
  virtual void PrepareFolder() { std::filesystem::copy_file(SourceFile("resources/uk.bmp"), dir.File(kMapFileName)); }

  QImage Shown() const { return View()->grab().toImage().convertToFormat(QImage::Format_RGB32); }

  static int CountOf(const QImage& image, QRgb colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) == colour ? 1 : 0;
    }
    return n;
  }

  TempDir prefix;
  std::string savedProgramFolder;
  TempDir dir;
  ScopedCurrentPath inDir{dir.Path()};
  QImage map{QString::fromStdString(SourceFile("resources/uk.bmp"))};
};

TEST_F(MapInWindow, StartUpShowsTheMapAtTheTopLeftAndWhiteAroundIt) {
  ASSERT_EQ(map.size(), QSize(370, 450));
  EXPECT_EQ(MapLoaded, 1);
  const QImage shown = Shown();
  ASSERT_GE(shown.width(), 370);
  ASSERT_GE(shown.height(), 450);
  EXPECT_EQ(shown.copy(0, 0, 370, 450), map.convertToFormat(QImage::Format_RGB32));
  EXPECT_EQ(CountOf(shown, kWhiteRgb), shown.width() * shown.height() - 370 * 450);
  EXPECT_EQ(MapWidth, 370);
  EXPECT_EQ(MapHeight, 450);
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(MapInWindow, HeldEntriesShowAsRedAndCtrlNClearsThem) {
  WorkingDatabase = ImageWith({{309000, 0}, {318000, -18000}});
  View()->RedrawNow();
  QImage shown = Shown();
  EXPECT_EQ(shown.pixel(311, 368), kRed);
  const PixelPoint second = ProjectCoordinates(318000, -18000);
  EXPECT_EQ(shown.pixel(second.x, second.y), kRed);
  EXPECT_EQ(CountOf(shown, kRed), 2);

  Frame()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(Frame()));
  QTest::keyClick(Frame(), Qt::Key_N, Qt::ControlModifier);
  shown = Shown();
  EXPECT_EQ(CountOf(shown, kRed), 0);
  EXPECT_EQ(shown.pixel(311, 368), map.pixel(311, 368));
}

TEST_F(MapInWindow, ANewDocumentRereadsTheFileAndAFailedReadLeavesNoPicture) {
  ASSERT_TRUE(MapPicture.IsHeld());
  std::filesystem::remove(dir.File(kMapFileName));
  // Painting reuses the picture already read.
  EXPECT_EQ(Shown().pixel(10, 10), map.pixel(10, 10));

  WorkingDatabase = ImageWith({{309000, 0}});
  Frame()->ActionFor(ID_FILE_NEW)->trigger();
  EXPECT_EQ(MapLoaded, 0);
  EXPECT_FALSE(MapPicture.IsHeld());
  WorkingDatabase = ImageWith({{309000, 0}});
  const QImage shown = Shown();
  EXPECT_EQ(CountOf(shown, kWhiteRgb), shown.width() * shown.height());
}

class NoMapInWindow : public MapInWindow {
  void PrepareFolder() override {}
};

TEST_F(NoMapInWindow, StartsSilentlyWithAWhiteArea) {
  EXPECT_EQ(MapLoaded, 0);
  WorkingDatabase = ImageWith({{309000, 0}});
  const QImage shown = Shown();
  EXPECT_EQ(CountOf(shown, kWhiteRgb), shown.width() * shown.height());
  EXPECT_TRUE(messages.shown.empty());
}

// Installed and started from a desktop menu: the working directory is the
// home folder, with no map of its own.
class InstalledMapInWindow : public MapInWindow {
  void PrepareFolder() override {
    std::filesystem::create_directories(prefix.Path() / "share" / "zorvane");
    std::filesystem::copy_file(SourceFile("resources/uk.bmp"), prefix.Path() / "share" / "zorvane" / kMapFileName);
  }
};

TEST_F(InstalledMapInWindow, ShowsTheMapInstalledWithTheProgram) {
  EXPECT_EQ(MapLoaded, 1);
  EXPECT_EQ(Shown().copy(0, 0, 370, 450), map.convertToFormat(QImage::Format_RGB32));
}

TEST_F(InstalledMapInWindow, RelativeNamesInDialogsStillMeanTheWorkingDirectory) {
  WorkingDatabase = ImageWith({{309000, 0}});
  WhenDialogOpens([](CFileNameDlg& d) { TypeAndPress(d, QStringLiteral("saved.bin"), IDOK); });
  View()->OnWriteToFile();
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_TRUE(std::filesystem::exists(dir.File("saved.bin")));
  EXPECT_FALSE(std::filesystem::exists(prefix.Path() / "bin" / "saved.bin"));
}

class UndecodableMapInWindow : public MapInWindow {
  void PrepareFolder() override { dir.Write(kMapFileName, "BM but not really a bitmap"); }
};

TEST_F(UndecodableMapInWindow, OpensTheFileButDrawsWhite) {
  EXPECT_EQ(MapLoaded, 1);
  EXPECT_FALSE(MapPicture.IsHeld());
  WorkingDatabase = ImageWith({{309000, 0}});
  const QImage shown = Shown();
  EXPECT_EQ(CountOf(shown, kWhiteRgb), shown.width() * shown.height());
}

}  // namespace

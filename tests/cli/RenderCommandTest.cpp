// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QImage>

#include "tests/cli/CliRunner.h"
#include "tests/support/ImageBuilders.h"
#include "tests/support/SourceTree.h"
#include "tests/support/TempDir.h"

namespace {

const QRgb kRed = qRgb(255, 0, 0);
const QRgb kWhiteRgb = qRgb(255, 255, 255);
const QRgb kGrey = qRgb(120, 130, 140);

int CountOf(const QImage& image, QRgb colour) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) == colour ? 1 : 0;
  }
  return n;
}

class RenderCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    QImage plain(370, 450, QImage::Format_RGB32);
    plain.fill(kGrey);
    ASSERT_TRUE(plain.save(QString::fromStdString(picture), "BMP"));
    const DatabaseImage image = ImageWith({{309000, 0}});
    database = dir.Write("db.bin", std::string(reinterpret_cast<const char*>(image.data()), kDatabaseImageSize));
  }

  int Run(std::vector<std::string> args) {
    args.insert(args.begin(), "render");
    const CliRun run = RunCliWith(args);
    err = run.err;
    return run.status;
  }
  QImage Output() const { return QImage(QString::fromStdString(output)).convertToFormat(QImage::Format_RGB32); }

  TempDir dir;
  std::string picture = dir.File("map.bmp");
  std::string output = dir.File("out.png");
  std::string database;
  std::string err;
};

TEST_F(RenderCommand, DrawsTheDatabaseOnTheMapAtThePicturesSize) {
  ASSERT_EQ(Run({database, "-o", output, "--map", picture}), kExitOk) << err;
  const QImage drawn = Output();
  EXPECT_EQ(drawn.size(), QSize(370, 450));
  EXPECT_EQ(drawn.pixel(311, 368), kRed);
  EXPECT_EQ(CountOf(drawn, kRed), 1);
  EXPECT_EQ(CountOf(drawn, kGrey), 370 * 450 - 1);
}

TEST_F(RenderCommand, AClientSizeAddsTheViewsWhiteStrips) {
  ASSERT_EQ(Run({"--size", "385x460", "--map", picture, database, "-o", output}), kExitOk) << err;
  const QImage drawn = Output();
  EXPECT_EQ(drawn.size(), QSize(385, 460));
  EXPECT_EQ(CountOf(drawn, kWhiteRgb), 385 * 460 - 370 * 450);
}

TEST_F(RenderCommand, ReadsUkBmpFromTheWorkingDirectoryByDefault) {
  ScopedCurrentPath inDir(dir.Path());
  std::filesystem::copy_file(picture, dir.File("uk.bmp"));
  ASSERT_EQ(Run({database, "-o", output}), kExitOk) << err;
  EXPECT_EQ(Output().pixel(311, 368), kRed);
}

TEST_F(RenderCommand, WithoutAMapItNeedsASizeAndThenDrawsWhite) {
  const std::string missing = dir.File("missing.bmp");
  EXPECT_EQ(Run({database, "-o", output, "--map", missing}), kExitFailed);
  EXPECT_NE(err.find("cannot open"), std::string::npos) << err;

  const std::string text = dir.Write("text.bmp", "no picture here");
  EXPECT_EQ(Run({database, "-o", output, "--map", text, "--size", "40x30"}), kExitOk);
  EXPECT_NE(err.find("not a picture"), std::string::npos) << err;
  EXPECT_EQ(CountOf(Output(), kWhiteRgb), 40 * 30);
}

TEST_F(RenderCommand, RejectsBadArgumentsAndUnreadableFiles) {
  EXPECT_EQ(Run({database}), kExitUsage);
  EXPECT_EQ(Run({"-o", output}), kExitUsage);
  EXPECT_EQ(Run({database, "-o"}), kExitUsage);
  for (const char* size : {"0x10", "10x", "x10", "10x10x", "-5x10", "20000x10", "abc"}) {
    EXPECT_EQ(Run({database, "-o", output, "--size", size}), kExitUsage) << size;
  }
  EXPECT_EQ(Run({database, "-o", output, "--bogus"}), kExitUsage);
  EXPECT_EQ(Run({dir.File("none.bin"), "-o", output, "--map", picture}), kExitFailed);
  EXPECT_EQ(Run({database, "-o", dir.File("no/such/folder/out.png"), "--map", picture}), kExitFailed);
}

TEST_F(RenderCommand, ReadsTheFileAsReadFromFileDoes) {
  // Not a database: refused, as the window refuses it.
  EXPECT_EQ(Run({dir.Write("zero.bin", std::string(100, '\0')), "-o", output, "--map", picture}), kExitFailed);
  EXPECT_NE(err.find("not a database file"), std::string::npos) << err;
  // A short file whose count promises more: only the entry it holds is drawn.
  DatabaseImage image = ImageWith({{309000, 0}});
  image.WriteHeader(9000);
  const std::string shortFile = dir.Write("short.bin", std::string(reinterpret_cast<const char*>(image.data()), 14));
  ASSERT_EQ(Run({shortFile, "-o", output, "--map", picture}), kExitOk) << err;
  EXPECT_EQ(CountOf(Output(), kRed), 1);
}

}  // namespace

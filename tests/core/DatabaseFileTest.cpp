// SPDX-License-Identifier: GPL-3.0-or-later
#include "database/DatabaseFile.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/Files.h"
#include "database/CameraCsv.h"
#include "tests/support/ImageBuilders.h"
#include "tests/support/TempDir.h"

namespace {

namespace fs = std::filesystem;

class DatabaseFile : public ::testing::Test {
 protected:
  std::vector<std::string> FolderContents() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir.Path())) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  TempDir dir;
  DatabaseImage incoming;
};

TEST_F(DatabaseFile, AnEmptyFileIsNotADatabaseAndLeavesTheImageZero) {
  incoming.Fill(0x33);
  const DatabaseFileRead read = LoadDatabaseFile(dir.Write("empty.bin", ""), incoming);
  EXPECT_EQ(read.status, DatabaseFileStatus::NotADatabase);
  EXPECT_EQ(incoming, DatabaseImage{});
}

TEST_F(DatabaseFile, OnlyTheFirstByteIsTestedAndByte1BecomesAA) {
  DatabaseImage image = ImageWith({{309000, -9000}});
  image[1] = 0x12;
  const DatabaseFileRead read = LoadDatabaseFile(dir.Write("db.bin", Bytes(image)), incoming);
  ASSERT_EQ(read.status, DatabaseFileStatus::Ok);
  EXPECT_EQ(read.entries, 1);
  EXPECT_EQ(incoming[1], 0xAA);
  EXPECT_EQ(incoming.Entry(0), (CameraEntry{309000, -9000}));

  image[0] = 'V';
  EXPECT_EQ(LoadDatabaseFile(dir.Write("bad.bin", Bytes(image)), incoming).status, DatabaseFileStatus::NotADatabase);
}

TEST_F(DatabaseFile, AShortFileBringsOnlyTheEntriesItHolds) {
  // Only 'U': the count reads FF FF, but there is nothing to merge.
  LoadDatabaseFile(dir.Write("u.bin", "U"), incoming);
  EXPECT_EQ(incoming.Count(), 0);
  for (std::size_t i = 8; i < kDatabaseImageSize; ++i) ASSERT_EQ(incoming[i], 0xFF);

  DatabaseImage image = ImageWith({{1, 1}, {2, 2}, {3, 3}});
  image.WriteHeader(5000);
  const DatabaseFileRead read = LoadDatabaseFile(dir.Write("short.bin", Bytes(image, 8 + 6 * 3 + 5)), incoming);
  EXPECT_EQ(read.entries, 3);
  EXPECT_EQ(incoming.Count(), 3);

  image.WriteHeader(2);
  EXPECT_EQ(LoadDatabaseFile(dir.Write("fewer.bin", Bytes(image)), incoming).entries, 2) << "a smaller count holds";
}

TEST_F(DatabaseFile, OnlyTheFirst65536BytesOfALongerFileCount) {
  const DatabaseImage image = ImageWith({{309000, -9000}});
  const DatabaseFileRead read = LoadDatabaseFile(dir.Write("long.bin", Bytes(image) + "tail"), incoming);
  EXPECT_EQ(read.bytesRead, kDatabaseImageSize);
  EXPECT_EQ(incoming, image);
}

TEST_F(DatabaseFile, MissingFileOrFolderCannotBeOpened) {
  EXPECT_EQ(LoadDatabaseFile(dir.File("none.bin"), incoming).status, DatabaseFileStatus::CannotOpen);
  EXPECT_EQ(LoadDatabaseFile(dir.Path().string(), incoming).status, DatabaseFileStatus::CannotOpen);
}

TEST_F(DatabaseFile, WritesExactlyTheImageReplacingAnOldFile) {
  const std::string path = dir.Write("db.bin", "old contents");
  const DatabaseImage image = ImageWith(DistinctEntries(100, 3));
  ASSERT_EQ(WriteDatabaseFile(path, image), DatabaseFileStatus::Ok);
  EXPECT_EQ(ReadWholeFile(path), Bytes(image));
  EXPECT_EQ(FolderContents(), std::vector<std::string>{"db.bin"}) << "no temporary file is left";
}

// Names are UTF-8; Windows' narrow file functions would read them in its
// ANSI code page, which has neither Greek nor every accented letter.
TEST_F(DatabaseFile, NamesWithLettersOutsideAsciiWorkOnEverySystem) {
  const std::string folder = FileName(dir.Path()) + "/Κάμερες";
  ASSERT_TRUE(fs::create_directory(FilePath(folder)));
  const std::string database = folder + "/Zoë's cameras.db";
  const DatabaseImage image = ImageWith(DistinctEntries(5, 7));
  ASSERT_EQ(WriteDatabaseFile(database, image), DatabaseFileStatus::Ok);
  EXPECT_EQ(LoadDatabaseFile(database, incoming).entries, 5);
  EXPECT_TRUE(fs::exists(FilePath(folder) / FilePath("Zoë's cameras.db")));

  const std::string list = folder + "/Zoë's cameras.csv";
  std::FILE* file = OpenFile(list, "wb");
  ASSERT_NE(file, nullptr);
  std::fputs(CameraCsvText(image).c_str(), file);
  std::fclose(file);
  EXPECT_EQ(ReadCameraCsv(list, incoming).entries, 5);
}

TEST_F(DatabaseFile, NamesThatCannotBeCreatedAreRefused) {
  const DatabaseImage image = ImageWith({{1, 1}});
  EXPECT_EQ(WriteDatabaseFile(dir.File("no/such/folder.bin"), image), DatabaseFileStatus::CannotCreate);
  EXPECT_EQ(WriteDatabaseFile(dir.Path().string(), image), DatabaseFileStatus::CannotCreate);
}

}  // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
// Database files where POSIX decides what a file is: modes, links,
// devices, and a disk that fills up.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <csignal>
#include <filesystem>

#include "database/DatabaseFile.h"
#include "tests/support/ImageBuilders.h"
#include "tests/support/OrdinaryUser.h"
#include "tests/support/TempDir.h"

namespace {

namespace fs = std::filesystem;

// Makes every write past `limit` bytes of a file fail, as a full disk does,
// for as long as it lives.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t limit) {
    m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ::getrlimit(RLIMIT_FSIZE, &m_old);
    rlimit lowered = m_old;
    lowered.rlim_cur = limit;
    ::setrlimit(RLIMIT_FSIZE, &lowered);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &m_old);
    std::signal(SIGXFSZ, m_oldHandler);
  }

 private:
  rlimit m_old{};
  void (*m_oldHandler)(int);
};

class DatabaseFilePosix : public ::testing::Test {
 protected:
  std::vector<std::string> FolderContents() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir.Path())) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  TempDir dir;
};

TEST_F(DatabaseFilePosix, NewFilesFollowTheUmaskAndOldFilesKeepTheirMode) {
  const DatabaseImage image = ImageWith({{1, 1}});
  const mode_t mask = ::umask(027);
  ASSERT_EQ(WriteDatabaseFile(dir.File("new.bin"), image), DatabaseFileStatus::Ok);
  // Every thread shares the umask: the writer leaves it as it found it.
  EXPECT_EQ(::umask(077), mode_t{027});
  EXPECT_EQ(fs::status(dir.File("new.bin")).permissions() & fs::perms::all, fs::perms(0640));

  // An old file keeps its mode whatever the umask says.
  const std::string old = dir.Write("old.bin", "x");
  fs::permissions(old, fs::perms(0664));
  ASSERT_EQ(WriteDatabaseFile(old, image), DatabaseFileStatus::Ok);
  ::umask(mask);
  EXPECT_EQ(fs::status(old).permissions() & fs::perms::all, fs::perms(0664));
}

TEST_F(DatabaseFilePosix, ALinkIsWrittenThroughAndKept) {
  const std::string real = dir.Write("real.bin", "old");
  const std::string link = dir.File("link.bin");
  fs::create_symlink(real, link);
  const DatabaseImage image = ImageWith({{1, 1}});
  ASSERT_EQ(WriteDatabaseFile(link, image), DatabaseFileStatus::Ok);
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(ReadWholeFile(real), Bytes(image));
}

TEST_F(DatabaseFilePosix, ADeviceIsNeverReplaced) {
  EXPECT_EQ(WriteDatabaseFile("/dev/full", ImageWith({{1, 1}})), DatabaseFileStatus::WriteError);
  EXPECT_TRUE(fs::is_character_file("/dev/full"));
}

TEST_F(DatabaseFilePosix, AFailedWriteKeepsTheOldFileAndLeavesNoTemporaryFile) {
  const std::string path = dir.Write("db.bin", "the old database");
  {
    const FileSizeLimit full(1000);
    EXPECT_EQ(WriteDatabaseFile(path, ImageWith({{1, 1}})), DatabaseFileStatus::WriteError);
  }
  EXPECT_EQ(ReadWholeFile(path), "the old database");
  EXPECT_EQ(FolderContents(), std::vector<std::string>{"db.bin"});
}

// Written in place for want of a temporary file, the old bytes are lost
// only when the write itself fails, and that is never reported as success.
TEST_F(DatabaseFilePosix, AFailedWriteInPlaceIsReported) {
  const std::string path = dir.Write("db.bin", std::string(kDatabaseImageSize, 'x'));
  ASSERT_TRUE(GiveToOrdinaryUser(dir.Path().string()));
  ASSERT_TRUE(GiveToOrdinaryUser(path));
  ASSERT_EQ(::chmod(dir.Path().c_str(), 0555), 0);
  const DatabaseImage image = ImageWith({{1, 1}});
  EXPECT_EQ(RunAsOrdinaryUser([&]() -> std::string {
              const DatabaseFileStatus unlimited = WriteDatabaseFile(path, image);
              if (unlimited != DatabaseFileStatus::Ok) return std::string("in place: ") + ToString(unlimited);
              const FileSizeLimit full(1000);
              const DatabaseFileStatus limited = WriteDatabaseFile(path, image);
              return limited == DatabaseFileStatus::WriteError ? "" : std::string("when full: ") + ToString(limited);
            }),
            "");
}

}  // namespace

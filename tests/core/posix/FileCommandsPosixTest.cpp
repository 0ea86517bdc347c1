// SPDX-License-Identifier: GPL-3.0-or-later
// Write to File where POSIX file permissions decide: an ordinary user, a
// read-only file, a folder that takes no new file.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/FileCommandsHarness.h"
#include "tests/support/ImageBuilders.h"
#include "tests/support/OrdinaryUser.h"

namespace {

// Write to File as an ordinary user, whom the file system refuses what it
// never refuses root.
class WriteAsOrdinaryUser : public FileCommands {
 protected:
  void SetUp() override {
    ASSERT_TRUE(GiveToOrdinaryUser(dir.Path().string()));
    working() = ImageWith(DistinctEntries(40, 2));
  }
  // The user's own file in the user's own folder.
  std::string UsersFile(const std::string& name, const std::string& bytes, mode_t mode) {
    const std::string path = dir.Write(name, bytes);
    EXPECT_TRUE(GiveToOrdinaryUser(path));
    EXPECT_EQ(::chmod(path.c_str(), mode), 0);
    return path;
  }
  // Runs Write to File on `name` as the user; says what differed from
  // `outcome` with the one message `text` (none when empty).
  std::string WriteExpecting(const std::string& name, CommandOutcome outcome, const std::string& text) {
    return RunAsOrdinaryUser([&]() -> std::string {
      const CommandOutcome got = Write(name);
      if (got != outcome) return "outcome " + std::to_string(static_cast<int>(got));
      if (text.empty()) return messages.shown.empty() ? "" : "shown: " + messages.shown[0].text;
      if (messages.shown.size() != 1) return std::to_string(messages.shown.size()) + " messages";
      if (messages.shown[0].text != text || messages.shown[0].caption != "Error")
        return "shown: " + messages.shown[0].text;
      return "";
    });
  }
  std::vector<std::string> FolderContents() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
};

TEST_F(WriteAsOrdinaryUser, AReadOnlyFileIsRefusedAndKeepsItsBytes) {
  const std::string path = UsersFile("kept.db", "the user's old database", 0444);
  EXPECT_EQ(WriteExpecting(path, CommandOutcome::Failed, "Cannot open file " + path + " for writing."), "");
  EXPECT_TRUE(ReadWholeFile(path) == "the user's old database") << "the file was replaced";
  EXPECT_EQ(FolderContents(), std::vector<std::string>{"kept.db"});
  EXPECT_EQ(std::filesystem::status(path).permissions() & std::filesystem::perms::all, std::filesystem::perms(0444));
}

// The folder takes no new file, so there is no room for a temporary file
// beside the old one; the user may write the file itself, so it is written
// where it is, and a longer file loses its tail.
TEST_F(WriteAsOrdinaryUser, AWritableFileInAFolderTheUserMayNotWriteToIsWrittenInPlace) {
  const std::string path = UsersFile("shared.db", std::string(kDatabaseImageSize + 100, 'x'), 0640);
  ASSERT_EQ(::chmod(dir.Path().c_str(), 0555), 0);
  EXPECT_EQ(WriteExpecting(path, CommandOutcome::Completed, ""), "");
  EXPECT_TRUE(ReadWholeFile(path) == Bytes(working())) << "the file does not hold the database alone";
  EXPECT_EQ(FolderContents(), std::vector<std::string>{"shared.db"});
  EXPECT_EQ(std::filesystem::status(path).permissions() & std::filesystem::perms::all, std::filesystem::perms(0640));

  const std::string missing = dir.File("new.db");
  EXPECT_EQ(WriteExpecting(missing, CommandOutcome::Failed, "Cannot open file " + missing + " for writing."), "");
  EXPECT_FALSE(std::filesystem::exists(missing));
}

}  // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
#include "database/UnitHistory.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "resources/Strings.h"
#include "tests/support/FileCommandsHarness.h"
#include "tests/support/ImageBuilders.h"
#include "tests/support/TempDir.h"
#include "user/HistoryPicker.h"

namespace {

// 2026-12-09 14:05:12 in the machine's own time zone.
std::time_t At(int second) {
  std::tm local{};
  local.tm_year = 2026 - 1900;
  local.tm_mon = 11;
  local.tm_mday = 9;
  local.tm_hour = 14;
  local.tm_min = 5;
  local.tm_sec = 12 + second;
  local.tm_isdst = -1;
  return std::mktime(&local);
}

class UnitHistoryFolder : public ::testing::Test {
 protected:
  std::string Folder() const { return dir.File("unit-history"); }
  std::string InFolder(const std::string& name) const { return (std::filesystem::path(Folder()) / name).string(); }
  TempDir dir;
};

TEST_F(UnitHistoryFolder, KeepsEachDatabaseNamedByWhenWhichWayAndHowMany) {
  const UnitHistory history(Folder());
  DatabaseImage unit = NoisyImageWith(3, 7);  // bytes past the entries, as a unit holds
  std::string kept;
  ASSERT_EQ(history.Keep(unit, UnitTransfer::Read, At(0), &kept), KeepStatus::Kept);
  EXPECT_EQ(kept, InFolder("2026-12-09 14-05-12 read 3 cameras.db"));
  std::vector<CameraEntry> entries;
  for (int i = 0; i < 3; ++i) entries.push_back(unit.Entry(i));
  EXPECT_EQ(ReadWholeFile(kept), Bytes(ImageWith(entries))) << "the entries, as read -o writes them";

  ASSERT_EQ(history.Keep(ImageWith({}), UnitTransfer::Written, At(0), &kept), KeepStatus::Kept);
  EXPECT_EQ(kept, InFolder("2026-12-09 14-05-12 written 0 cameras (2).db")) << "numbered within one second";
  ASSERT_EQ(history.Keep(ImageWith({}), UnitTransfer::Written, At(0), &kept), KeepStatus::Kept);
  EXPECT_EQ(kept, InFolder("2026-12-09 14-05-12 written 0 cameras (3).db"));

  const std::vector<HistoryFile> files = history.List();
  ASSERT_EQ(files.size(), 3u);
  EXPECT_EQ(files[0].path, kept) << "the last one kept comes first";
  EXPECT_EQ(files[2].transfer, UnitTransfer::Read);
  EXPECT_EQ(files[2].cameras, 3);
  EXPECT_EQ(files[2].when, "2026-12-09 14-05-12");
}

TEST_F(UnitHistoryFolder, KeepsTheNewestHundredAndNothingElseOfItsOwnIsTouched) {
  const UnitHistory history(Folder());
  std::filesystem::create_directories(Folder());
  const std::string mine = dir.Write("unit-history/my notes.db", "the user's");
  const std::string alike = dir.Write("unit-history/2026-12-09 14-05-12 read many cameras.db", "not ours");
  for (int i = 0; i < 105; ++i) ASSERT_EQ(history.Keep(ImageWith({}), UnitTransfer::Read, At(i)), KeepStatus::Kept);
  const std::vector<HistoryFile> files = history.List();
  ASSERT_EQ(files.size(), kUnitHistoryKept);
  EXPECT_EQ(files.front().when, "2026-12-09 14-06-56");
  EXPECT_EQ(files.back().when, "2026-12-09 14-05-17") << "the five oldest went";
  EXPECT_EQ(ReadWholeFile(mine), "the user's");
  EXPECT_EQ(ReadWholeFile(alike), "not ours");
}

TEST_F(UnitHistoryFolder, OffKeepsNothingAndAFolderThatCannotBeMadeIsTold) {
  EXPECT_EQ(UnitHistory("").Keep(ImageWith({}), UnitTransfer::Read, At(0)), KeepStatus::Off);
  EXPECT_TRUE(UnitHistory("").List().empty());
  const std::string file = dir.Write("a file", "");
  EXPECT_EQ(UnitHistory(file + "/history").Keep(ImageWith({}), UnitTransfer::Read, At(0)), KeepStatus::CannotWrite);
  EXPECT_TRUE(UnitHistory(Folder()).List().empty()) << "a folder not yet made lists nothing";
}

TEST(HistoryFileNames, AreReadOnlyAsKeepWritesThem) {
  const std::pair<const char*, bool> names[] = {
      {"2026-12-09 14-05-12 read 4491 cameras.db", true},   {"2026-12-09 14-05-12 written 0 cameras (12).db", true},
      {"2026-12-09 14-05-12 read 4491 cameras.bin", false}, {"2026-12-09 14-05-12 sent 4491 cameras.db", false},
      {"2026-12-09 14-05 read 1 cameras.db", false},        {"2026-12-09 14-05-12 read  cameras.db", false},
      {"2026-12-09 14-05-12 read 1 cameras (x).db", false}, {"my notes.db", false},
  };
  for (const auto& [name, ours] : names) EXPECT_EQ(HistoryFileNamed(name).has_value(), ours) << name;
}

}  // namespace

namespace {

// Database > Unit History... as the commands run it: the list the user
// picks from, and the pick read as Read from File reads a file.
class UnitHistoryCommandTest : public FileCommands {
 protected:
  struct Picker : HistoryPicker {
    std::optional<std::string> Choose(const std::vector<HistoryFile>& files) override {
      offered = files;
      return pick < 0 ? std::nullopt : std::optional<std::string>(files[static_cast<std::size_t>(pick)].path);
    }
    int pick = -1;
    std::vector<HistoryFile> offered;
  };
  CommandOutcome Run(const UnitHistory& history) {
    DatabaseCommandContext context = Context();
    return UnitHistoryCommand(context, history, picker);
  }
  Picker picker;
};

TEST_F(UnitHistoryCommandTest, NothingKeptIsSaidAndAPickIsReadLikeAFile) {
  const UnitHistory history(dir.File("unit-history"));
  EXPECT_EQ(Run(history), CommandOutcome::Cancelled);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, FormatMessageText(kMsgHistoryEmpty, history.Folder()));
  EXPECT_TRUE(picker.offered.empty()) << "no list to pick from";

  ASSERT_EQ(history.Keep(ImageWith({{309000, -600}}), UnitTransfer::Read, At(0)), KeepStatus::Kept);
  ASSERT_EQ(history.Keep(ImageWith({{309000, -600}, {321000, -9000}}), UnitTransfer::Written, At(1)), KeepStatus::Kept);
  EXPECT_EQ(Run(history), CommandOutcome::Cancelled) << "cancelled: nothing read";
  EXPECT_EQ(images->working.Count(), 0);
  picker.pick = 0;  // the newest: the two written
  EXPECT_EQ(Run(history), CommandOutcome::Completed);
  ASSERT_EQ(picker.offered.size(), 2u);
  EXPECT_EQ(images->working.Count(), 2);
}

}  // namespace

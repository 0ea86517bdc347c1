// SPDX-License-Identifier: GPL-3.0-or-later
// write --backup and --verify, and verify, against the in-process unit in
// virtual time: the unit's own database is never lost, and a write is
// checked entry by entry.
#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <numeric>
#include <sstream>

#include "cli/UnitDatabase.h"
#include "database/CameraCsv.h"
#include "database/DatabaseFile.h"
#include "database/UnitHistory.h"
#include "tests/cli/CliRunner.h"
#include "tests/support/ImageBuilders.h"
#include "tests/support/LinkHarness.h"
#include "tests/support/OrdinaryUser.h"
#include "tests/support/TempDir.h"

namespace {

class SafeWrite : public ::testing::Test {
 protected:
  // The unit holds `unitEntries`; FILE holds `fileEntries`, read into the session.
  void SetUp() override {
    unit.unit.engine.Memory() = ImageWith(unitEntries);
    file = dir.Write("new.bin", Bytes(ImageWith(fileEntries)));
    ASSERT_TRUE(session.ReadFromFile(file));
  }

  int Write(const std::string* backup, bool verify) { return WriteSafely(io, session, unit.runner, {backup, verify}); }
  int BlocksWritten() const { return unit.unit.engine.Stats().blocksAccepted; }
  // Blocks 0 .. n - 1: what a read of a unit whose entries end in block n - 1 asks for.
  static std::vector<int> FirstBlocks(int n) {
    std::vector<int> blocks(static_cast<std::size_t>(n));
    std::iota(blocks.begin(), blocks.end(), 0);
    return blocks;
  }

  TempDir dir;
  std::vector<CameraEntry> unitEntries = DistinctEntries(300, 11, 0);
  std::vector<CameraEntry> fileEntries = DistinctEntries(40, 12, 1);
  std::string file;
  std::ostringstream out, err;
  CliStreams io{out, err, false};
  FileCommandSession session{io};
  LinkHarness unit;
};

TEST_F(SafeWrite, TheBackupHoldsTheUnitsEntriesAndOnlyThenIsTheFileWritten) {
  const std::string backup = dir.File("old.bin");
  EXPECT_EQ(Write(&backup, false), kExitOk) << err.str();
  DatabaseImage saved;
  ASSERT_EQ(LoadDatabaseFile(backup, saved).status, DatabaseFileStatus::Ok);
  EXPECT_TRUE(saved == ImageWith(unitEntries));
  EXPECT_TRUE(unit.unit.engine.Memory() == ImageWith(fileEntries));
  EXPECT_NE(out.str().find("300 entries written to " + backup), std::string::npos) << out.str();
  EXPECT_EQ(err.str(), "");
  EXPECT_EQ(unit.unit.engine.Stats().blocksAsked, FirstBlocks(29));  // 8 + 6 * 300 bytes
}

TEST_F(SafeWrite, ASilentUnitGetsNothingWrittenAndNoBackup) {
  unit.unit.engine = UnitEngine(UnitMode::Database, UnitFaults{.silentAfterBytes = 0});
  const std::string backup = dir.File("old.bin");
  EXPECT_EQ(Write(&backup, false), kExitNoAnswer);
  EXPECT_FALSE(std::filesystem::exists(backup));
  EXPECT_EQ(unit.unit.engine.Stats().bytesReceived, unit.unit.engine.Stats().wakes);  // nothing but 'X'
  EXPECT_NE(err.str().find("the unit was not written"), std::string::npos) << err.str();
}

// Found before the unit is read: the unit hears nothing at all, and the
// words are Write to File's.
TEST_F(SafeWrite, ABackupThatCannotBeSavedWritesNothingToTheUnit) {
  for (const std::string& backup : {dir.File("no-such-folder/old.bin"), dir.Path().string()}) {
    err.str("");
    EXPECT_EQ(Write(&backup, false), kExitFailed) << backup;
    EXPECT_EQ(BlocksWritten(), 0) << backup;
    EXPECT_EQ(unit.unit.engine.Stats().bytesReceived, 0) << backup << ": the unit was read first";
    EXPECT_TRUE(unit.unit.engine.Memory() == ImageWith(unitEntries));
    EXPECT_NE(err.str().find("Error: Cannot open file " + backup + " for writing.\n"), std::string::npos) << err.str();
    EXPECT_NE(err.str().find("could not be saved to " + backup), std::string::npos) << err.str();
  }
}

// As Write to File refuses it: root could write it, so an ordinary user tries.
TEST_F(SafeWrite, AReadOnlyBackupFileIsRefusedKeptAndNothingIsWritten) {
  ASSERT_TRUE(GiveToOrdinaryUser(dir.Path().string()));
  const std::string backup = dir.Write("old.bin", "an older backup");
  ASSERT_TRUE(GiveToOrdinaryUser(backup));
  namespace fs = std::filesystem;
  fs::permissions(backup, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  const std::string failure = RunAsOrdinaryUser([&]() -> std::string {
    const int exit = Write(&backup, false);
    if (exit != kExitFailed) return "exit " + std::to_string(exit);
    if (BlocksWritten() != 0) return std::to_string(BlocksWritten()) + " blocks written";
    if (unit.unit.engine.Stats().bytesReceived != 0) return std::string("the unit was read first");
    if (!err.str().starts_with("Error: Cannot open file " + backup + " for writing.\n")) return err.str();
    return {};
  });
  EXPECT_EQ(failure, "");
  EXPECT_TRUE(ReadWholeFile(backup) == "an older backup");
}

TEST_F(SafeWrite, WithoutABackupTheWriteSaysOnceThatOneExists) {
  EXPECT_EQ(Write(nullptr, false), kExitOk);
  const std::string said = err.str();
  EXPECT_EQ(said, kBackupHint);
  EXPECT_EQ(BlocksWritten(), 1024);
}

TEST_F(SafeWrite, VerifyAfterTheWriteFindsTheSameEntries) {
  EXPECT_EQ(Write(nullptr, true), kExitOk);
  EXPECT_TRUE(out.str().ends_with("same 40 entries\n")) << out.str();
  EXPECT_EQ(unit.unit.engine.Stats().blocksAsked, FirstBlocks(4));  // what was written: 8 + 6 * 40 bytes
}

TEST_F(SafeWrite, WithJsonTheLastLineIsTheOutcome) {
  io.json = true;
  EXPECT_EQ(Write(nullptr, true), kExitOk);
  EXPECT_EQ(err.str(), "");  // not even the word on --backup
  const JsonLinesRead read = ReadJsonLines(out.str());
  EXPECT_EQ(read.notObjects, std::vector<std::string>{});
  const QJsonObject outcome = read.Outcome();
  EXPECT_EQ(outcome["status"].toString(), "same");
  EXPECT_EQ(outcome["message"].toString(), "same 40 entries");
  EXPECT_EQ(outcome["exit"].toInt(), kExitOk);
  EXPECT_EQ(outcome["added"].toInt(-1), 0);
  EXPECT_EQ(outcome["removed"].toInt(-1), 0);
  EXPECT_FALSE(outcome.contains("blocks")) << "this runner counts none";
}

// The write's outcome counts the entries written and the blocks moved, as
// the runner tells them; a backup that could not be saved is the file.
TEST_F(SafeWrite, WithJsonTheOutcomeGivesTheEntriesTheBlocksAndTheBackupRefused) {
  io.json = true;
  SafeWriteOptions options{nullptr, false, {}, [this]() -> std::optional<int> { return unit.progress.lastStep; }};
  EXPECT_EQ(WriteSafely(io, session, unit.runner, options), kExitOk);
  QJsonObject outcome = ReadJsonLines(out.str()).Outcome();
  EXPECT_EQ(outcome["status"].toString(), "completed");
  EXPECT_EQ(outcome["entries"].toInt(), 40);
  EXPECT_EQ(outcome["blocks"].toInt(), 1024);
  EXPECT_EQ(outcome["message"].toString(), "Database written successfully");
  EXPECT_FALSE(outcome.contains("file"));

  out.str("");
  const std::string backup = dir.File("no-such-folder/old.bin");
  options.backup = &backup;
  EXPECT_EQ(WriteSafely(io, session, unit.runner, options), kExitFailed);
  outcome = ReadJsonLines(out.str()).Outcome();
  EXPECT_EQ(outcome["status"].toString(), "backup failed");
  EXPECT_EQ(outcome["file"].toString().toStdString(), backup);
  EXPECT_FALSE(outcome.contains("entries"));
}

// The backup's read, the write and the verify's read are each kept in the
// unit history, and `history` lists them newest first with their paths.
TEST_F(SafeWrite, EveryTransferIsKeptInTheUnitHistoryAndHistoryListsThem) {
  const std::string folder = dir.File("history");
  qputenv(kUnitHistoryVariable, QByteArray::fromStdString(folder));
  FileCommandSession kept(io);
  ASSERT_TRUE(kept.ReadFromFile(file));
  const std::string backup = dir.File("old.bin");
  EXPECT_EQ(WriteSafely(io, kept, unit.runner, {&backup, true}), kExitOk);
  const std::vector<HistoryFile> files = UnitHistory(folder).List();
  ASSERT_EQ(files.size(), 3u);
  EXPECT_EQ(ReadWholeFile(files[2].path), ReadWholeFile(backup)) << "the unit's database before the write";
  EXPECT_EQ(files[1].transfer, UnitTransfer::Written);
  EXPECT_EQ(ReadWholeFile(files[1].path), Bytes(ImageWith(fileEntries)));
  EXPECT_EQ(files[0].transfer, UnitTransfer::Read);
  EXPECT_EQ(files[0].cameras, 40);

  const CliRun listed = RunCliWith({"history"});
  qputenv(kUnitHistoryVariable, "off");
  EXPECT_EQ(listed.status, kExitOk);
  EXPECT_TRUE(listed.out.starts_with("unit history in " + folder + ": 3 databases, newest first\n")) << listed.out;
  EXPECT_NE(listed.out.find(" written  40 cameras  " + files[1].path + "\n"), std::string::npos) << listed.out;
  EXPECT_EQ(RunCliWith({"history"}).out, "the unit history is off (ZORVANE_UNIT_HISTORY=off)\n");
}

TEST(VerifyUnit, FindsOneChangedEntryAmongTenThousand) {
  std::vector<CameraEntry> entries = DistinctEntries(10000, 3);
  LinkHarness unit;
  unit.unit.engine.Memory() = ImageWith(entries);
  const CameraEntry held = entries[7777];
  entries[7777].longitude -= 5;
  std::ostringstream out, err;
  CliStreams io{out, err, false};
  const UnitVerdict verdict = VerifyUnit(io, unit.runner, ImageWith(entries));
  EXPECT_EQ(verdict.read, UnitCommandOutcome::Completed);
  EXPECT_EQ(verdict.difference.exit, kExitFailed);
  const std::string expected = std::string("+ ") + DegreesText(entries[7777].latitude) + " " +
                               DegreesText(entries[7777].longitude) + "\n- " + DegreesText(held.latitude) + " " +
                               DegreesText(held.longitude) + "\n1 added, 1 removed, 9999 the same\n";
  EXPECT_TRUE(out.str().ends_with(expected)) << out.str();
}

}  // namespace

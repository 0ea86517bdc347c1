// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/FileCommands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>

#include "tests/support/FileCommandsHarness.h"
#include "tests/support/ImageBuilders.h"
#include "tests/support/TempDir.h"

namespace {

std::string CsvLines(const std::vector<CameraEntry>& entries) {
  std::string text = "X,Y\n";
  for (const CameraEntry& e : entries) {
    text += std::to_string(e.longitude / 6000.0) + "," + std::to_string(e.latitude / 6000.0) + "\n";
  }
  return text;
}

std::string CsvOfDistinct(int count) {
  std::string text = "Longitude,Latitude,Speed\n";
  for (int i = 0; i < count; ++i) text += std::to_string(-1.0 - i * 0.001) + ",51.5,30\n";
  return text;
}

TEST_F(FileCommands, CancelInAnyDialogDoesNothing) {
  DatabaseCommandContext context = Context();
  EXPECT_EQ(ReadFromFileCommand(context), CommandOutcome::Cancelled);
  EXPECT_EQ(WriteToFileCommand(context), CommandOutcome::Cancelled);
  EXPECT_EQ(ImportCameraDataCommand(context), CommandOutcome::Cancelled);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(working(), DatabaseImage{});
  EXPECT_EQ(prompt.asked,
            (std::vector{FileNameDialogKind::ReadFile, FileNameDialogKind::WriteFile, FileNameDialogKind::Import}));
}

TEST_F(FileCommands, AnEmptyNameIsReportedFirst) {
  for (auto command : {&FileCommands::Read, &FileCommands::Write, &FileCommands::Import}) {
    messages.shown.clear();
    EXPECT_EQ((this->*command)(""), CommandOutcome::Failed);
    ExpectOneMessage("Please specify a filename.", "Error");
  }
}

TEST_F(FileCommands, ReadReportsFilesItCannotOpenOrUse) {
  const std::string missing = dir.File("missing.bin");
  Read(missing);
  ExpectOneMessage("Cannot open file " + missing + " for reading.", "Error");

  messages.shown.clear();
  working() = ImageWith({{1, 1}});
  images->incoming.Fill(0x44);
  EXPECT_EQ(Read(dir.Write("empty.bin", "")), CommandOutcome::Failed);
  ExpectOneMessage("The file does not contain a valid database.", "Error");
  EXPECT_EQ(images->incoming, DatabaseImage{});
  EXPECT_EQ(working(), ImageWith({{1, 1}}));
  EXPECT_EQ(redraws, 0);
}

TEST_F(FileCommands, ReadMergesRedrawsAndSaysNothing) {
  working() = ImageWith({{309000, -600}});
  const std::string path = dir.Write("db.bin", Bytes(ImageWith({{309001, -601}, {309002, -600}})));
  EXPECT_EQ(Read(path), CommandOutcome::Completed);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(redraws, 1);
  EXPECT_EQ(working(), ImageWith({{309000, -600}, {309002, -600}}));
}

TEST_F(FileCommands, AFileOfOnlyUMergesNothingButSignsTheDatabase) {
  EXPECT_EQ(Read(dir.Write("u.bin", "U")), CommandOutcome::Completed);
  EXPECT_EQ(working(), ImageWith({}));
}

TEST_F(FileCommands, AMergeThatRunsOutOfRoomSaysHowManyWereLeftOut) {
  working() = ImageWith(DistinctEntries(kMaxDatabaseEntries - 2, 1, 0));
  Read(dir.Write("db.bin", Bytes(ImageWith(DistinctEntries(5, 2, 1)))));
  ExpectOneMessage("The database is full: 3 camera locations could not be added.", "Warning");
  EXPECT_EQ(working().Count(), kMaxDatabaseEntries);
}

TEST_F(FileCommands, WriteChecksTheNameThenTheDatabaseThenTheFile) {
  const std::string path = dir.File("db.bin");
  EXPECT_EQ(Write(path), CommandOutcome::Failed);
  ExpectOneMessage("The database does not contain any data, so there is no point saving it to a file!", "Error");
  EXPECT_FALSE(std::filesystem::exists(path));

  messages.shown.clear();
  working() = ImageWith({{309000, -9000}});
  const std::string nowhere = dir.File("no/such/db.bin");
  Write(nowhere);
  ExpectOneMessage("Cannot open file " + nowhere + " for writing.", "Error");

  messages.shown.clear();
  EXPECT_EQ(Write(path), CommandOutcome::Completed);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(ReadWholeFile(path), Bytes(working()));
}

TEST_F(FileCommands, AFailedWriteIsReported) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no device here that refuses every write";
  working() = ImageWith({{309000, -9000}});
  EXPECT_EQ(Write("/dev/full"), CommandOutcome::Failed);
  ExpectOneMessage("Cannot write file /dev/full.", "Error");
}

TEST_F(FileCommands, AFileReadBackAfterARestartAppendsEverythingInOrder) {
  working() = ImageWith({{5, 5}, {1, 1}, {5, 5}});  // duplicates among them too
  const std::string path = dir.File("db.bin");
  ASSERT_EQ(Write(path), CommandOutcome::Completed);
  Restart();
  ASSERT_EQ(Read(path), CommandOutcome::Completed);
  EXPECT_EQ(working(), ImageWith({{5, 5}, {1, 1}, {5, 5}}));
  Read(path);
  EXPECT_EQ(working().Count(), 3) << "the same file again adds nothing";
}

TEST_F(FileCommands, ImportTellsTheCountBeforeItMergesAndRedraws) {
  messages.onShow = [this](const ShownMessage&) {
    EXPECT_EQ(working().Count(), 0) << "the merge comes after the message";
    EXPECT_EQ(redraws, 0);
  };
  EXPECT_EQ(Import(dir.Write("c.csv", "X,Y\n-1.5,51.5\n")), CommandOutcome::Completed);
  ExpectOneMessage("1 camera locations loaded.", "Success");
  EXPECT_EQ(redraws, 1);
  EXPECT_EQ(working(), ImageWith({{309000, -9000}}));
  const std::uint8_t header[8] = {0x55, 0xAA, 0x00, 0x01, 0x00, 0xFF, 0xFF, 0xFF};
  EXPECT_TRUE(std::equal(header, header + 8, images->incoming.data()));
}

TEST_F(FileCommands, ImportReportsUnopenableFilesAndFilesWithoutEntries) {
  Import(dir.File("none.csv"));
  ExpectOneMessage("Cannot open file " + dir.File("none.csv") + " for reading.", "Error");
  for (const char* text : {"", "X,Y\n", "X,Y\nnot,numbers\n\n"}) {
    messages.shown.clear();
    EXPECT_EQ(Import(dir.Write("c.csv", text)), CommandOutcome::Completed);
    ExpectOneMessage("Warning: No entries found in the file.\nNothing loaded", "Warning");
  }
  EXPECT_EQ(working(), DatabaseImage{});
  EXPECT_EQ(redraws, 0);
}

TEST_F(FileCommands, ImportAtTheLimitWarnsAndMergesOnlyTheLimit) {
  const std::string warning =
      "Warning: The file contained the MAXIMUM possible number of\nentries; this is a little suspicious.\n";
  Import(dir.Write("exact.csv", CsvOfDistinct(kMaxImportEntries)));
  ExpectOneMessage(warning, "Warning");
  EXPECT_EQ(working().Count(), kMaxImportEntries);

  Restart();
  Import(dir.Write("over.csv", CsvOfDistinct(kMaxImportEntries + 1)));
  ExpectOneMessage(warning, "Warning");
  EXPECT_EQ(working().Count(), kMaxImportEntries);

  Restart();
  Import(dir.Write("junk.csv", "X,Y\nbad\n" + CsvOfDistinct(kMaxImportEntries).substr(25)));
  ExpectOneMessage(warning + "1 lines could not be read and were skipped.", "Warning");
}

TEST_F(FileCommands, SkippedLinesAreToldOnALineOfTheirOwn) {
  Import(dir.Write("c.csv", "X,Y\n-1.5,51.5\nnan,1\n0,91\n-1,50\n"));
  ExpectOneMessage("2 camera locations loaded.\n2 lines could not be read and were skipped.", "Success");
  EXPECT_EQ(working().Count(), 2);
}

TEST_F(FileCommands, ImportingTwiceTellsTheSameCountAndAddsNothing) {
  const std::string path = dir.Write("c.csv", CsvLines({{309000, -9000}, {300000, 0}}));
  Import(path);
  Import(path);
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[1].text, "2 camera locations loaded.");
  EXPECT_EQ(working().Count(), 2);
}

TEST_F(FileCommands, ImportThenWriteThenReadGivesTheSameBytes) {
  Import(dir.Write("c.csv", CsvOfDistinct(300)));
  const std::string first = dir.File("first.bin");
  const std::string second = dir.File("second.bin");
  ASSERT_EQ(Write(first), CommandOutcome::Completed);
  Restart();
  ASSERT_EQ(Read(first), CommandOutcome::Completed);
  ASSERT_EQ(Write(second), CommandOutcome::Completed);
  EXPECT_EQ(ReadWholeFile(first), ReadWholeFile(second));
  EXPECT_EQ(ReadWholeFile(first).size(), kDatabaseImageSize);
}

}  // namespace

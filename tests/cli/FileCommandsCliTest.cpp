// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>

#include "cli/Subcommand.h"
#include "resources/Strings.h"
#include "tests/cli/CliRunner.h"
#include "tests/support/ImageBuilders.h"
#include "tests/support/TempDir.h"

namespace {

class FileCommandsCli : public ::testing::Test {
 protected:
  TempDir dir;
};

TEST_F(FileCommandsCli, ImportWritesTheDatabaseAndPrintsTheProgramsMessages) {
  const std::string a = dir.Write("a.csv", "X,Y\n-1.5,51.5\nbad line\n");
  const std::string b = dir.Write("b.csv", "X,Y\n-1.5,51.5\n0,50\n");
  const std::string out = dir.File("out.bin");
  const CliRun run = RunCliWith({"import", a, b, "-o", out});
  ASSERT_EQ(run.status, kExitOk) << run.err;
  EXPECT_EQ(run.out,
            "Success: 1 camera locations loaded.\n1 lines could not be read and were skipped.\n"
            "Success: 2 camera locations loaded.\n");
  EXPECT_NE(run.err.find("a.csv:3: expected longitude,latitude, found 'bad line'"), std::string::npos) << run.err;
  EXPECT_EQ(ReadWholeFile(out), Bytes(ImageWith({{309000, -9000}, {300000, 0}})));
}

TEST_F(FileCommandsCli, ImportIntoAnExistingDatabaseStartsFromIt) {
  const std::string into = dir.Write("into.bin", Bytes(ImageWith({{1, 1}})));
  const std::string out = dir.File("out.bin");
  ASSERT_EQ(RunCliWith({"import", dir.Write("a.csv", "X,Y\n-1.5,51.5\n"), "--into", into, "-o", out}).status, kExitOk);
  EXPECT_EQ(ReadWholeFile(out), Bytes(ImageWith({{1, 1}, {309000, -9000}})));
}

TEST_F(FileCommandsCli, FailuresGiveStatus1AndLeaveNoOutput) {
  const std::string out = dir.File("out.bin");
  const CliRun missing = RunCliWith({"import", dir.File("none.csv"), "-o", out});
  EXPECT_EQ(missing.status, kExitFailed);
  EXPECT_NE(missing.err.find("Error: Cannot open file"), std::string::npos);

  const CliRun empty = RunCliWith({"import", dir.Write("h.csv", "X,Y\n"), "-o", out});
  EXPECT_EQ(empty.status, kExitFailed) << "nothing to write";
  EXPECT_NE(empty.out.find("No entries found"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(out));

  EXPECT_EQ(RunCliWith({"merge", dir.Write("bad.bin", "x"), "-o", out}).status, kExitFailed);
  const CliRun full = RunCliWith({"import", dir.Write("a.csv", "X,Y\n1,50\n"), "-o", "/dev/full"});
  EXPECT_EQ(full.status, kExitFailed);
  EXPECT_NE(full.err.find("Error: Cannot write file /dev/full."), std::string::npos);
}

// Each error names the file it is about, before the program's own words
// where those do not name it.
TEST_F(FileCommandsCli, AnErrorNamesItsFile) {
  const std::string a = dir.Write("a.db", Bytes(ImageWith({{1, 1}})));
  const std::string bad = dir.Write("bad.db", "not a database");
  const std::string out = dir.File("x.db");
  const CliRun merge = RunCliWith({"merge", a, bad, "-o", out});
  EXPECT_EQ(merge.status, kExitFailed);
  EXPECT_EQ(merge.err, "Error: " + bad + ": The file does not contain a valid database.\n");
  const CliRun write = RunCliWith({"merge", a, "-o", dir.File("no-folder/x.db")});
  EXPECT_EQ(write.err, "Error: Cannot open file " + dir.File("no-folder/x.db") + " for writing.\n");
  const CliRun nothing = RunCliWith({"merge", dir.Write("zero.db", Bytes(ImageWith({}))), "-o", out});
  EXPECT_EQ(nothing.err, "Error: " + out + ": " + kMsgNothingToSave + "\n");
}

TEST_F(FileCommandsCli, MergeDropsDuplicatesAndSaysWhenFull) {
  const std::string a = dir.Write("a.bin", Bytes(ImageWith(DistinctEntries(kMaxDatabaseEntries - 1, 1, 0))));
  const std::string b = dir.Write("b.bin", Bytes(ImageWith(DistinctEntries(3, 2, 1))));
  const std::string out = dir.File("out.bin");
  const CliRun run = RunCliWith({"merge", a, a, b, "-o", out});
  EXPECT_EQ(run.status, kExitOk);
  EXPECT_EQ(run.out, "Warning: The database is full: 2 camera locations could not be added.\n");
  DatabaseImage expected = ImageWith(DistinctEntries(kMaxDatabaseEntries - 1, 1, 0));
  expected.SetEntry(kMaxDatabaseEntries - 1, DistinctEntries(1, 2, 1)[0]);
  expected.WriteHeader(kMaxDatabaseEntries);
  EXPECT_EQ(ReadWholeFile(out), Bytes(expected));
}

TEST_F(FileCommandsCli, ExportThenImportGivesTheSameEntries) {
  const DatabaseImage held = ImageWith(DistinctEntries(200, 9));
  const std::string db = dir.Write("db.bin", Bytes(held));
  const std::string csv = dir.File("db.csv");
  ASSERT_EQ(RunCliWith({"export", db, "-o", csv}).status, kExitOk);
  const std::string again = dir.File("again.bin");
  ASSERT_EQ(RunCliWith({"import", csv, "-o", again}).status, kExitOk);
  EXPECT_EQ(ReadWholeFile(again), Bytes(held));

  const CliRun toStdout = RunCliWith({"export", dir.Write("one.bin", Bytes(ImageWith({{309000, -9000}})))});
  EXPECT_EQ(toStdout.out, "X,Y\n-1.500000,51.500000\n");
}

TEST_F(FileCommandsCli, UsageErrorsGiveStatus2) {
  const std::vector<std::vector<std::string>> usages = {
      {"import", "a.csv"},
      {"import", "-o", "out.bin"},
      {"import", "a.csv", "-o"},
      {"import", "a.csv", "-x", "y", "-o", "o"},
      {"merge", "a.bin"},
      {"merge", "-o", "o", "-o", "p", "a"},
      {"export"},
      {"export", "a.bin", "b.bin"},
  };
  for (const auto& args : usages) EXPECT_EQ(RunCliWith(args).status, kExitUsage) << args.size();
}

}  // namespace

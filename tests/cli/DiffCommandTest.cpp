// SPDX-License-Identifier: GPL-3.0-or-later
// zorvane-cli diff: what a person reads, and the exit status a script reads.
#include <gtest/gtest.h>

#include "tests/cli/CliRunner.h"
#include "tests/support/ImageBuilders.h"
#include "tests/support/TempDir.h"

namespace {

class DiffCommand : public ::testing::Test {
 protected:
  std::string Database(const std::string& name, const std::vector<CameraEntry>& entries) {
    return dir.Write(name, Bytes(ImageWith(entries)));
  }
  TempDir dir;
};

const CameraEntry kLondon{309000, -720};  // 51.5, -0.12
const CameraEntry kLeeds{321500, -9300};  // 53.583333, -1.55

TEST_F(DiffCommand, EqualDatabasesGiveStatus0AndTheCount) {
  const std::string a = Database("a.bin", {kLondon, kLeeds});
  const std::string b = Database("b.bin", {kLeeds, {kLondon.latitude - 1, kLondon.longitude + 1}});
  const CliRun run = RunCliWith({"diff", a, b});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "same 2 entries\n");
}

TEST_F(DiffCommand, DifferencesArePlusForBAndMinusForAThenASummary) {
  const std::string a = Database("a.bin", {kLondon, kLeeds});
  const std::string b = Database("b.bin", {kLeeds, {kLondon.latitude, kLondon.longitude + 2}});
  const CliRun run = RunCliWith({"diff", a, b});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out,
            "+ 51.500000 -0.119667\n"
            "- 51.500000 -0.120000\n"
            "1 added, 1 removed, 1 the same\n");
}

TEST_F(DiffCommand, DisjointDatabasesListEveryEntry) {
  const CliRun run = RunCliWith({"diff", Database("a.bin", {kLondon}), Database("b.bin", {kLeeds})});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "+ 53.583333 -1.550000\n- 51.500000 -0.120000\n1 added, 1 removed, 0 the same\n");
}

TEST_F(DiffCommand, TroubleGivesStatus2) {
  const std::string a = Database("a.bin", {kLondon});
  EXPECT_EQ(RunCliWith({"diff", a}).status, 2);
  EXPECT_EQ(RunCliWith({"diff", a, a, a}).status, 2);
  EXPECT_EQ(RunCliWith({"diff", a, a, "--colour"}).status, 2);
  const CliRun missing = RunCliWith({"diff", a, dir.File("missing.bin")});
  EXPECT_EQ(missing.status, 2);
  EXPECT_NE(missing.err.find("missing.bin"), std::string::npos) << missing.err;
  EXPECT_EQ(missing.out, "");
}

TEST_F(DiffCommand, JsonGivesAnObjectPerChangeThenTheOutcome) {
  const CliRun run = RunCliWith({"diff", "--json", Database("a.bin", {kLondon}), Database("b.bin", {kLeeds})});
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(
      run.out.starts_with("{\"change\":\"+\",\"latitude\":53.583333,\"longitude\":-1.55}\n"
                          "{\"change\":\"-\",\"latitude\":51.5,\"longitude\":-0.12}\n"))
      << run.out;
  const JsonLinesRead read = ReadJsonLines(run.out);
  ASSERT_EQ(read.objects.size(), 3u) << run.out;
  const QJsonObject outcome = read.Outcome();
  EXPECT_EQ(outcome["status"].toString(), "different");
  EXPECT_EQ(outcome["exit"].toInt(), 1);
  EXPECT_EQ(outcome["added"].toInt(), 1);
  EXPECT_EQ(outcome["removed"].toInt(), 1);
  EXPECT_EQ(outcome["message"].toString(), "1 added, 1 removed, 0 the same");
}

}  // namespace

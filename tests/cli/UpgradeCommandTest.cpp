// SPDX-License-Identifier: GPL-3.0-or-later
// zorvane-cli upgrade against zorvane-unit --bootloader on a real
// pseudo-terminal. The emulated bootloader echoes nothing here, so the only
// byte each block waits for is its 'Y', answered well within the second it
// is given: a busy machine slows the runs down but cannot fail them.
#include <gtest/gtest.h>

#include "cli/Subcommand.h"
#include "tests/cli/CliRunner.h"
#include "tests/support/HexBuilder.h"
#include "tests/support/TempDir.h"
#include "tests/support/UnitProcess.h"

namespace {

class UpgradeCommand : public ::testing::Test {
 protected:
  TempDir dir;
};

TEST_F(UpgradeCommand, TheUnitsSavedImageHoldsTheFilesDataFrom0x600On) {
  const std::string saved = dir.File("unit.img");
  UnitProcess unit({"--bootloader", "--never-echo", "--save", saved});
  ASSERT_TRUE(unit.Started());
  std::vector<std::uint8_t> data(2048 + 10);
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(i * 31 + i / 256);
  // A record below 0x600 is loaded but never sent.
  const std::string hex = dir.Write("fw.hex", HexData(0x0100, {0xAA, 0xBB}) + HexFileOf(0x600, data, 32));

  const CliRun run = RunCliWith({"upgrade", "--port", unit.Device(), hex});
  EXPECT_EQ(run.status, kExitOk) << run.err;
  EXPECT_EQ(run.out, "Completed: Finished ok.\n");
  EXPECT_EQ(run.err, "");

  EXPECT_EQ(unit.Stop(), 0);
  const std::string image = ReadWholeFile(saved);
  ASSERT_GE(image.size(), 0x600 + 33 * 64u);
  EXPECT_EQ(image.substr(0, 0x600), std::string(0x600, '\0'));
  EXPECT_EQ(image.substr(0x600, data.size()), std::string(data.begin(), data.end()));
  // The rest of the last block came from the all-zero image.
  EXPECT_EQ(image.substr(0x600 + data.size(), 33 * 64 - data.size()), std::string(33 * 64 - data.size(), '\0'));
}

// Through an adapter whose latency timer is 16 ms, in real time: the echoes
// come after the upload's short waits, and still no block goes twice.
TEST_F(UpgradeCommand, ThroughASlowAdapterEveryBlockGoesOnceAndTheUpgradeFinishes) {
  const std::string saved = dir.File("unit.img");
  const std::string log = dir.File("unit.log");
  UnitProcess unit({"--bootloader", "--latency", "16", "--save", saved}, log);
  ASSERT_TRUE(unit.Started());
  std::vector<std::uint8_t> data(10 * 64);
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(i * 7 + 0x59);
  const std::string hex = dir.Write("fw.hex", HexFileOf(0x600, data, 32));

  const CliRun run = RunCliWith({"upgrade", "--port", unit.Device(), hex});
  EXPECT_EQ(run.status, kExitOk) << run.err;
  EXPECT_EQ(run.out, "Completed: Finished ok.\n");
  EXPECT_EQ(unit.Stop(), 0);
  EXPECT_EQ(ReadWholeFile(saved).substr(0x600, data.size()), std::string(data.begin(), data.end()));
  // One 'X', ten blocks of 67 bytes and the end marker, each answered once.
  EXPECT_NE(ReadWholeFile(log).find("received 673 bytes, sent 673; blocks accepted 10, refused 0"), std::string::npos)
      << ReadWholeFile(log);
}

TEST_F(UpgradeCommand, WithJsonTheBlocksAndTheOutcomeAreObjects) {
  UnitProcess unit({"--bootloader"});
  ASSERT_TRUE(unit.Started());
  const std::string hex = dir.Write("fw.hex", HexFileOf(0x600, std::vector<std::uint8_t>(3 * 64, 0x5A), 32));
  const CliRun run = RunCliWith({"upgrade", "--port", unit.Device(), hex, "--json"});
  EXPECT_EQ(run.status, kExitOk) << run.out;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out,
            "{\"block\":0,\"phase\":\"upgrading\",\"seconds_left\":null,\"total\":3}\n"
            "{\"block\":1,\"phase\":\"upgrading\",\"seconds_left\":null,\"total\":3}\n"
            "{\"block\":2,\"phase\":\"upgrading\",\"seconds_left\":null,\"total\":3}\n"
            "{\"block\":3,\"phase\":\"upgrading\",\"seconds_left\":null,\"total\":3}\n"
            "{\"caption\":\"Completed\",\"message\":\"Finished ok.\"}\n"
            "{\"blocks\":3,\"exit\":0,\"message\":\"Finished ok.\",\"status\":\"completed\"}\n");
}

TEST_F(UpgradeCommand, AMalformedFileIsRefusedBeforeThePortIsOpened) {
  const std::string hex = dir.Write("bad.hex", HexData(0x600, {1, 2}) + ":02060000010\n");
  const CliRun run = RunCliWith({"upgrade", "--port", dir.File("no-such-port"), hex});
  EXPECT_EQ(run.status, kExitFailed);
  EXPECT_TRUE(run.err.starts_with("Error: The file " + hex + " is not a valid HEX file (line 2).\n")) << run.err;
  EXPECT_EQ(run.err.find("Comm Port"), std::string::npos);

  // With --json: the file and its line as fields, every line an object.
  const CliRun json = RunCliWith({"upgrade", "--port", dir.File("no-such-port"), hex, "--json"});
  EXPECT_EQ(json.status, kExitFailed);
  EXPECT_EQ(json.err, "");
  const JsonLinesRead read = ReadJsonLines(json.out);
  EXPECT_EQ(read.notObjects, std::vector<std::string>{});
  const QJsonObject outcome = read.Outcome();
  EXPECT_EQ(outcome["status"].toString(), "file refused");
  EXPECT_EQ(outcome["file"].toString().toStdString(), hex);
  EXPECT_EQ(outcome["line"].toInt(), 2);
  EXPECT_FALSE(outcome.contains("blocks")) << "the port was never opened";
  EXPECT_TRUE(outcome["message"].toString().startsWith(QString::fromStdString(hex + ":2:")))
      << outcome["message"].toString().toStdString();
}

TEST_F(UpgradeCommand, AnUnansweredEndGivesStatus1AndNoWakeAnswerStatus3) {
  const std::string hex = dir.Write("fw.hex", HexFileOf(0x600, {1, 2, 3}));
  {
    UnitProcess unit({"--bootloader", "--never-echo", "--no-end-answer"});
    ASSERT_TRUE(unit.Started());
    const CliRun run = RunCliWith({"upgrade", "--port", unit.Device(), hex});
    EXPECT_EQ(run.status, kExitFailed);
    EXPECT_EQ(run.err, "Error: " + unit.Device() + ": Unit did not respond correctly.\nI suggest you reprogram it.\n");
  }
  UnitProcess unit({"--bootloader", "--echo-wake"});
  ASSERT_TRUE(unit.Started());
  const CliRun run = RunCliWith({"upgrade", "--port", unit.Device(), hex});
  EXPECT_EQ(run.status, kExitNoAnswer);
  EXPECT_EQ(run.err, "Error: " + unit.Device() + ": No response from Unit\n");
}

TEST_F(UpgradeCommand, UsageErrors) {
  // Without --port the file is still loaded first: a missing one ends it.
  EXPECT_EQ(RunCliWith({"upgrade", "no-such-fw.hex"}).status, kExitFailed);
  EXPECT_EQ(RunCliWith({"upgrade", "--port", "/dev/null"}).status, kExitUsage);
  EXPECT_EQ(RunCliWith({"upgrade", "--port", "/dev/null", "a.hex", "b.hex"}).status, kExitUsage);
}

}  // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "tests/cli/CliRunner.h"
#include "tests/support/HexBuilder.h"
#include "tests/support/TempDir.h"

namespace {

class HexCommand : public ::testing::Test {
 protected:
  TempDir dir;
};

TEST_F(HexCommand, WritesTheImageAndReportsTheHighestAddressAndBlocks) {
  const std::string hex = dir.Write("fw.hex", HexFileOf(0x600, std::vector<std::uint8_t>(0x41, 0x5A)));
  const CliRun run = RunCliWith({"hex", hex, "-o", dir.File("fw.img")});
  ASSERT_EQ(run.status, kExitOk) << run.err;
  EXPECT_EQ(run.out, "highest address: 0x0640 (1600)\nupgrade blocks: 2\n");
  const std::string image = ReadWholeFile(dir.File("fw.img"));
  ASSERT_EQ(image.size(), 65000u);
  EXPECT_EQ(image[0x5FF], 0);
  EXPECT_EQ(image[0x600], 0x5A);
  EXPECT_EQ(image[0x640], 0x5A);
  EXPECT_EQ(image[0x641], 0);
}

TEST_F(HexCommand, RefusesAMalformedFileNamingItsLineAndWritesNothing) {
  const std::string hex = dir.Write("bad.hex", HexData(0x600, {1}) + ":0106000001F\n");
  const CliRun run = RunCliWith({"hex", hex, "-o", dir.File("fw.img")});
  EXPECT_EQ(run.status, kExitFailed);
  EXPECT_EQ(run.err, "Error: The file " + hex + " is not a valid HEX file (line 2).\n" + "zorvane-cli hex: " + hex +
                         ":2: odd number of hex digits: expected an even number of hex digits, found 11\n");
  EXPECT_FALSE(std::filesystem::exists(dir.File("fw.img")));
}

TEST_F(HexCommand, UsageErrors) {
  EXPECT_EQ(RunCliWith({"hex"}).status, kExitUsage);
  EXPECT_EQ(RunCliWith({"hex", "a.hex"}).status, kExitUsage);
  EXPECT_EQ(RunCliWith({"hex", "a.hex", "-o"}).status, kExitUsage);
  EXPECT_EQ(RunCliWith({"hex", dir.File("missing.hex"), "-o", dir.File("x")}).status, kExitFailed);
}

}  // namespace

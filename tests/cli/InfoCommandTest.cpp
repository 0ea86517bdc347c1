#include <gtest/gtest.h>

#include "tests/support/ImageBuilders.h"
#include "tests/support/TempDir.h"
#include "tests/cli/CliRunner.h"

namespace {

class InfoCommand : public ::testing::Test {
 protected:
  TempDir dir;
};

TEST_F(InfoCommand, SummarisesCountSignatureCapacityAndBoundingBox) {
  const std::string path = dir.Write("db.bin", Bytes(ImageWith({{309000, -9000}, {300000, 10500}})));
  const CliRun run = RunCliWith({"info", path});
  EXPECT_EQ(run.status, kExitOk) << run.err;
  EXPECT_NE(run.out.find("signature: yes"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("entries: 2\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("2 of 10921 used"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("latitude 50.000000 to 51.500000, longitude -1.500000 to 1.750000"), std::string::npos)
      << run.out;
}

TEST_F(InfoCommand, CountsOnlyTheWholeEntriesAShortFileHolds) {
  DatabaseImage image = ImageWith({{309000, 0}, {309100, 0}, {309200, 0}});
  image.WriteHeader(500);
  const std::string path = dir.Write("short.bin", Bytes(image, 8 + 6 * 3 + 4));
  const CliRun run = RunCliWith({"info", path});
  EXPECT_EQ(run.status, kExitOk);
  EXPECT_NE(run.out.find("entries: 3 (the count field says 500)"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("not a full 65536-byte image"), std::string::npos) << run.out;
}

TEST_F(InfoCommand, AFileWithoutSignatureOrEntriesSaysSo) {
  const std::string path = dir.Write("zero.bin", std::string(kDatabaseImageSize, '\0'));
  const CliRun run = RunCliWith({"info", path});
  EXPECT_EQ(run.status, kExitOk);
  EXPECT_NE(run.out.find("signature: no"), std::string::npos);
  EXPECT_NE(run.out.find("bounding box: none"), std::string::npos);
}

TEST_F(InfoCommand, MissingFileFailsWithStatus1AndUsageErrorsWith2) {
  const CliRun missing = RunCliWith({"info", dir.File("nope.bin")});
  EXPECT_EQ(missing.status, kExitFailed);
  EXPECT_NE(missing.err.find("cannot open"), std::string::npos);
  EXPECT_EQ(RunCliWith({"info"}).status, kExitUsage);
  EXPECT_EQ(RunCliWith({"info", "a", "b"}).status, kExitUsage);
  EXPECT_EQ(RunCliWith({"frobnicate"}).status, kExitUsage);
  EXPECT_EQ(RunCliWith({}).status, kExitUsage);
}

TEST(Cli, HelpListsEverySubcommandAndVersionAnswers) {
  const CliRun help = RunCliWith({"--help"});
  EXPECT_EQ(help.status, kExitOk);
  for (const Subcommand& sub : Subcommands()) EXPECT_NE(help.out.find(sub.synopsis), std::string::npos) << sub.name;
  EXPECT_EQ(RunCliWith({"--version"}).out, "zorvane-cli 1.0.0.1\n");
}

}  // namespace

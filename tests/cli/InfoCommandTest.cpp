// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>

#include "resources/Strings.h"
#include "tests/cli/CliRunner.h"
#include "tests/support/ImageBuilders.h"
#include "tests/support/TempDir.h"

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

TEST_F(InfoCommand, GivesTheFilesTrueSizeAndWhatReadFromFileReadsOfIt) {
  const std::string longer = dir.Write("long.bin", Bytes(ImageWith({{1, 1}})) + std::string(kDatabaseImageSize, 'x'));
  const CliRun run = RunCliWith({"info", longer});
  EXPECT_EQ(run.status, kExitOk);
  EXPECT_NE(run.out.find("(131072 bytes, of which Read from File reads the first 65536)"), std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("entries: 1\n"), std::string::npos) << run.out;
  const CliRun whole = RunCliWith({"info", dir.Write("whole.bin", Bytes(ImageWith({{1, 1}})))});
  EXPECT_NE(whole.out.find("(65536 bytes)\n"), std::string::npos) << whole.out;
}

TEST_F(InfoCommand, SaysHowManyEntriesRepeatOneBeforeThem) {
  const std::string path = dir.Write(
      "twice.bin", Bytes(ImageWith({{309000, -600}, {309001, -600}, {300000, 12}, {309000, -599}, {300000, 14}})));
  const CliRun run = RunCliWith({"info", path});
  EXPECT_NE(run.out.find("repeats: 2 entries lie within 1/6000 degree of one before them\n"), std::string::npos)
      << run.out;
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
  EXPECT_EQ(RunCliWith({"--version"}).out, "zorvane-cli 1.0.0.1\n" + std::string(kLicenseLine) + "\n");
}

// What a subcommand declares is what it takes and what its help shows: each
// option is in --help and in the usage error, and given without its value
// it is a usage error, not an unknown option.
TEST(Cli, EveryDeclaredOptionIsTakenAndShown) {
  const std::string help = RunCliWith({"--help"}).out;
  for (const Subcommand& sub : Subcommands()) {
    for (const CliOption& option : sub.options) {
      const std::string usage = std::string(option.name) + (option.value ? std::string(" ") + option.value : "");
      EXPECT_NE(help.find("      " + usage + " "), std::string::npos) << sub.name << ' ' << usage;
      const CliRun run = RunCliWith({sub.name, option.name});
      EXPECT_EQ(run.status, kExitUsage) << sub.name << ' ' << option.name;
      EXPECT_EQ(run.err.find("unknown option"), std::string::npos) << sub.name << ' ' << option.name << run.err;
      EXPECT_NE(run.err.find("  " + usage), std::string::npos) << sub.name << ' ' << usage << run.err;
    }
  }
}

// Each program answers --help and --version with status 0 where there is
// no display at all: the window's program before it looks for one.
TEST(Programs, AnswerHelpAndVersionWithoutADisplay) {
  const std::vector<std::pair<std::string, std::string>> programs = {
      {"zorvane", ZORVANE_APP_PROGRAM}, {"zorvane-cli", ZORVANE_CLI_PROGRAM}, {"zorvane-unit", ZORVANE_UNIT_PROGRAM}};
  for (const auto& [name, path] : programs) {
    for (const std::string option : {"--help", "--version"}) {
      const std::string command =
          "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '" + path + "' " + option + " 2>&1";
      std::FILE* pipe = ::popen(command.c_str(), "r");
      ASSERT_NE(pipe, nullptr);
      std::string said;
      char buffer[4096];
      for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) said.append(buffer, n);
      const int status = ::pclose(pipe);
      EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << name << ' ' << option << ": " << said;
      if (option == "--version") {
        // Each is shipped, and says under which licence.
        EXPECT_EQ(said, name + " 1.0.0.1\n" + std::string(kLicenseLine) + "\n");
      } else {
        EXPECT_TRUE(said.starts_with("Usage: " + name)) << said;
      }
    }
  }
}

}  // namespace

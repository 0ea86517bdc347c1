// SPDX-License-Identifier: GPL-3.0-or-later
#include "map/MapFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "map/Picture.h"
#include "tests/support/SourceTree.h"
#include "tests/support/TempDir.h"

namespace {

namespace fs = std::filesystem;

// An installed layout (bin/ and the map beside it) and a working directory
// elsewhere, as a desktop menu starts the program in the home folder.
class MapFileLookup : public ::testing::Test {
 protected:
  MapFileLookup() {
    fs::create_directories(prefix.Path() / "bin");
    fs::create_directories(prefix.Path() / "share" / "zorvane");
  }
  std::string Bin() const { return (prefix.Path() / "bin").string(); }
  // share/zorvane beside bin/ on Linux, bin/ itself on Windows.
  fs::path Installed() const { return (prefix.Path() / "bin" / kInstalledMapFolder / kMapFileName).lexically_normal(); }
  void InstallMap() const { std::ofstream(Installed()) << "map"; }

  TempDir prefix;
  TempDir home;
  ScopedCurrentPath inHome{home.Path()};
};

TEST_F(MapFileLookup, TheInstalledMapIsFoundFromTheProgramsFolder) {
  InstallMap();
  const std::string chosen = MapFileToLoad(Bin());
  EXPECT_TRUE(fs::equivalent(chosen, Installed())) << chosen;
}

TEST_F(MapFileLookup, AMapInTheWorkingDirectoryWins) {
  InstallMap();
  home.Write("uk.bmp", "the user's own");
  EXPECT_EQ(MapFileToLoad(Bin()), kMapFileName);
}

TEST_F(MapFileLookup, WithNeitherTheWorkingDirectorysNameIsTried) {
  EXPECT_EQ(MapFileToLoad(Bin()), kMapFileName);
  EXPECT_EQ(MapFileToLoad(""), kMapFileName);
  fs::create_directory(Installed());
  EXPECT_EQ(MapFileToLoad(Bin()), kMapFileName) << "a folder of that name is no map";
}

}  // namespace

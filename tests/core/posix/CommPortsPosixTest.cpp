// SPDX-License-Identifier: GPL-3.0-or-later
// The stable names a system keeps for its serial devices, which are
// symbolic links: POSIX only.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "link/CommPorts.h"
#include "tests/support/TempDir.h"

namespace {

TEST(StableNames, AreTheLinksInTheFolderByTheDeviceTheyLeadTo) {
  TempDir dir;
  namespace fs = std::filesystem;
  const std::string device = dir.Write("ttyUSB0", "");
  fs::create_directory(dir.Path() / "by-id");
  fs::create_symlink("../ttyUSB0", dir.Path() / "by-id" / "usb-FTDI_B");
  fs::create_symlink("../ttyUSB0", dir.Path() / "by-id" / "usb-FTDI_A");
  fs::create_symlink("../gone", dir.Path() / "by-id" / "usb-unplugged");
  std::ofstream(dir.Path() / "by-id" / "README") << "not a link";

  const auto links = LinksByTarget((dir.Path() / "by-id").string());
  ASSERT_EQ(links.size(), 1u);
  const std::string target = fs::canonical(device).string();
  ASSERT_EQ(links.count(target), 1u);
  // Two names for one device: always the same one of them.
  EXPECT_EQ(links.at(target), (dir.Path() / "by-id" / "usb-FTDI_A").string());
  EXPECT_TRUE(LinksByTarget(dir.File("no-such-folder")).empty());
}

}  // namespace

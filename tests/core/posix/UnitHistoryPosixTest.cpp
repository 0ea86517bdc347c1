// SPDX-License-Identifier: GPL-3.0-or-later
// Where the history goes on a free desktop, and how scripts move it or turn
// it off.
#include <gtest/gtest.h>

#include <cstdlib>

#include "database/UnitHistory.h"
#include "tests/support/TempDir.h"

namespace {

TEST(UnitHistoryPlace, TheVariableTurnsItOffOrMovesItAndXdgDataHomeIsTheDefault) {
  const TempDir dir;
  const char* before = std::getenv(kUnitHistoryVariable);
  const std::string saved = before != nullptr ? before : "";
  ::setenv(kUnitHistoryVariable, "off", 1);
  EXPECT_TRUE(UnitHistory::ForUser().Off());
  ::setenv(kUnitHistoryVariable, dir.File("mine").c_str(), 1);
  EXPECT_EQ(UnitHistory::ForUser().Folder(), dir.File("mine"));
  ::unsetenv(kUnitHistoryVariable);
  ::setenv("XDG_DATA_HOME", dir.Path().c_str(), 1);
  EXPECT_EQ(UnitHistory::ForUser().Folder(), dir.Path().string() + "/zorvane/unit-history");
  ::unsetenv("XDG_DATA_HOME");
  ::setenv("HOME", "/home/driver", 1);
  EXPECT_EQ(UnitHistory::ForUser().Folder(), "/home/driver/.local/share/zorvane/unit-history");
  ::setenv(kUnitHistoryVariable, saved.c_str(), 1);
}

}  // namespace

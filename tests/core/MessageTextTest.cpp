// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "resources/Strings.h"

TEST(FormatMessageText, FillsPlaceholdersInOrderWithoutRereadingWhatItInserted) {
  EXPECT_EQ(FormatMessageText(kMsgCannotOpenForReading, "my db.bin"), "Cannot open file my db.bin for reading.");
  EXPECT_EQ(FormatMessageText(kMsgDatabaseFull, 12), "The database is full: 12 camera locations could not be added.");
  EXPECT_EQ(FormatMessageText(kMsgNotValidHexFile, {"odd%d%s.hex", "7"}),
            "The file odd%d%s.hex is not a valid HEX file (line 7).");
  EXPECT_EQ(FormatMessageText("100% sure %s", "x"), "100% sure x");
}

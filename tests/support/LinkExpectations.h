// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the tests of the unit commands check alike.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/LinkHarness.h"

// The command stopped at its OK/Cancel prompt: that box alone, no port
// opened, nothing sent.
inline void ExpectStoppedAtPrompt(const LinkHarness& h, const std::string& caption, const std::string& text) {
  EXPECT_TRUE(h.unit.openedPaths.empty());
  EXPECT_TRUE(h.unit.wire.empty());
  ASSERT_EQ(h.messages.shown.size(), 1u);
  EXPECT_EQ(h.messages.shown[0].caption, caption);
  EXPECT_EQ(h.messages.shown[0].text, text);
  EXPECT_EQ(h.messages.shown[0].style, MessageStyle::OkCancel);
}

#pragma once
// A unit command wired to the in-process unit: messages recorded, progress
// recorded, time virtual.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "link/UnitCommand.h"
#include "tests/support/InProcessUnit.h"
#include "tests/support/RecordingMessageBox.h"

class RecordingProgress : public TransferProgress {
 public:
  void Start(int n) override { calls.push_back("start " + std::to_string(n)); }
  void Step(int done) override {
    if (done != lastStep + 1) calls.push_back("out of order step " + std::to_string(done));
    lastStep = done;
  }
  void Done() override { calls.push_back("done"); }
  void Failed() override { calls.push_back("failed"); }

  std::vector<std::string> calls;  // everything but the steps in order
  int lastStep = 0;
};

struct LinkHarness {
  explicit LinkHarness(UnitMode mode = UnitMode::Database, const UnitFaults& faults = {}) : unit(mode, faults) {}

  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const ShownMessage& m : messages.shown) texts.push_back(m.text);
    return texts;
  }

  // The command stopped at its OK/Cancel prompt: that box alone, no port
  // opened, nothing sent.
  void ExpectStoppedAtPrompt(const std::string& caption, const std::string& text) const {
    EXPECT_TRUE(unit.openedPaths.empty());
    EXPECT_TRUE(unit.wire.empty());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].caption, caption);
    EXPECT_EQ(messages.shown[0].text, text);
    EXPECT_EQ(messages.shown[0].style, MessageStyle::OkCancel);
  }

  InProcessUnit unit;
  RecordingMessageBox messages;
  RecordingProgress progress;
  std::atomic<bool> cancel{false};
  UnitCommandContext context{messages, unit, unit.clock, progress, &cancel};
};

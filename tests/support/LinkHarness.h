// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A unit command wired to the in-process unit: messages recorded, progress
// recorded, file names scripted, time virtual, the transfer step run at
// once on the test's thread. No GoogleTest here: the fuzzers use it too.
#include <atomic>
#include <string>
#include <vector>

#include "commands/TransferRunner.h"
#include "commands/UnitCommand.h"
#include "tests/support/InProcessUnit.h"
#include "tests/support/RecordingMessageBox.h"
#include "tests/support/ScriptedFileNamePrompt.h"

class RecordingProgress : public TransferProgress {
 public:
  void Start(int n) override { calls.push_back("start " + std::to_string(n)); }
  void Retotal(int n) override {
    calls.push_back("total " + std::to_string(n));
    if (lastStep != 0) calls.push_back("total after a step");
  }
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

  InProcessUnit unit;
  RecordingMessageBox messages;
  RecordingProgress progress;
  ScriptedFileNamePrompt prompt;
  std::atomic<bool> cancel{false};
  // What the transfer step works with, telling in the commands' words ...
  MessageTeller teller{messages};
  TransferContext transfer{teller, unit, unit.clock, progress, &cancel};
  DirectTransferRunner runner{transfer};
  // ... and what the whole command does.
  UnitCommandContext command{messages, prompt, runner, {}};
};

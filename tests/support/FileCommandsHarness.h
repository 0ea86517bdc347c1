// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The file commands as the window runs them, with images, messages and
// file-name answers that a test owns.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "commands/FileCommands.h"
#include "tests/support/RecordingMessageBox.h"
#include "tests/support/ScriptedFileNamePrompt.h"
#include "tests/support/TempDir.h"

// One run of the program: the three images, a message box and a prompt that
// the test scripts, and a count of immediate redraws.
class FileCommands : public ::testing::Test {
 public:
  void Answer(const std::string& name) { prompt.answers.push_back(name); }
  void Restart() {
    images = std::make_unique<Images>();
    messages.shown.clear();
  }
  DatabaseCommandContext Context() {
    return {messages, prompt, [this] { ++redraws; }, images->working, images->incoming, images->scratch, WindowWords()};
  }
  CommandOutcome Read(const std::string& name) {
    Answer(name);
    DatabaseCommandContext context = Context();
    return ReadFromFileCommand(context);
  }
  CommandOutcome Write(const std::string& name) {
    Answer(name);
    DatabaseCommandContext context = Context();
    return WriteToFileCommand(context);
  }
  CommandOutcome Import(const std::string& name) {
    Answer(name);
    DatabaseCommandContext context = Context();
    return ImportCameraDataCommand(context);
  }
  void ExpectOneMessage(const std::string& text, const std::string& caption) {
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, text);
    EXPECT_EQ(messages.shown[0].caption, caption);
    EXPECT_EQ(messages.shown[0].style, MessageStyle::Ok);
  }

  struct Images {
    DatabaseImage working, incoming, scratch;
  };
  std::unique_ptr<Images> images = std::make_unique<Images>();
  DatabaseImage& working() { return images->working; }
  RecordingMessageBox messages;
  ScriptedFileNamePrompt prompt;
  int redraws = 0;
  TempDir dir;
};

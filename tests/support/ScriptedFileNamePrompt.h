// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A file-name prompt that answers from a script (cancel when it runs out)
// and records which dialogs were asked for.
#include <deque>
#include <vector>

#include "user/FileNamePrompt.h"

class ScriptedFileNamePrompt : public FileNamePrompt {
 public:
  std::optional<std::string> Ask(FileNameDialogKind kind) override {
    asked.push_back(kind);
    if (answers.empty()) return std::nullopt;
    std::optional<std::string> answer = answers.front();
    answers.pop_front();
    return answer;
  }

  std::deque<std::optional<std::string>> answers;
  std::vector<FileNameDialogKind> asked;
};

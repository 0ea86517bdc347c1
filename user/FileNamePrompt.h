// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the core needs to ask the user for a file name: one of the four
// file-name dialogs, modal, with nothing checked about the name.
#include <optional>
#include <string>

// Which of the four dialogs asks.
enum class FileNameDialogKind { Import, Upgrade, WriteFile, ReadFile };

class FileNamePrompt {
 public:
  virtual ~FileNamePrompt() = default;
  // Blocks until the dialog of `kind` closes. Returns the name exactly as
  // typed or chosen (possibly empty) when it was closed with OK, and nothing
  // when it was cancelled or closed.
  virtual std::optional<std::string> Ask(FileNameDialogKind kind) = 0;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The file-name prompt of the core, shown with the dialog of each kind,
// made afresh for every question so that its field starts empty.
#include <memory>

#include "user/FileNamePrompt.h"

class CFileNameDlg;
class QWidget;

class QtFileNamePrompt : public FileNamePrompt {
 public:
  explicit QtFileNamePrompt(QWidget* parent) : m_parent(parent) {}
  std::optional<std::string> Ask(FileNameDialogKind kind) override;

 private:
  QWidget* m_parent;
};

std::unique_ptr<CFileNameDlg> MakeFileNameDialog(FileNameDialogKind kind, QWidget* parent);

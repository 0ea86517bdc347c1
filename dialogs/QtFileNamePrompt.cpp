// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/QtFileNamePrompt.h"

#include "dialogs/CImportDlg.h"
#include "dialogs/CReadFileDlg.h"
#include "dialogs/CUpgradeDlg.h"
#include "dialogs/CWriteFileDlg.h"

std::unique_ptr<CFileNameDlg> MakeFileNameDialog(FileNameDialogKind kind, QWidget* parent) {
  switch (kind) {
    case FileNameDialogKind::Import: return std::make_unique<CImportDlg>(parent);
    case FileNameDialogKind::Upgrade: return std::make_unique<CUpgradeDlg>(parent);
    case FileNameDialogKind::WriteFile: return std::make_unique<CWriteFileDlg>(parent);
    case FileNameDialogKind::ReadFile: return std::make_unique<CReadFileDlg>(parent);
  }
  return nullptr;
}

std::optional<std::string> QtFileNamePrompt::Ask(FileNameDialogKind kind) {
  const std::unique_ptr<CFileNameDlg> dialog = MakeFileNameDialog(kind, m_parent);
  if (dialog->DoModal() != IDOK) return std::nullopt;
  // File names are UTF-8 in the program on every system.
  return dialog->m_fileName.toStdString();
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Import Camera Points: the CSV camera list to import.
#include "dialogs/CFileNameDlg.h"

class CImportDlg : public CFileNameDlg {
 public:
  explicit CImportDlg(QWidget* parent = nullptr)
      : CFileNameDlg(FileNameDialogTemplateFor(FileNameDialogKind::Import), parent) {}
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Read Database From File: the database file to merge in.
#include "dialogs/CFileNameDlg.h"

class CReadFileDlg : public CFileNameDlg {
 public:
  explicit CReadFileDlg(QWidget* parent = nullptr)
      : CFileNameDlg(FileNameDialogTemplateFor(FileNameDialogKind::ReadFile), parent) {}
};

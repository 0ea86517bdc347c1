// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Write database to file: where to save the held database.
#include "dialogs/CFileNameDlg.h"

class CWriteFileDlg : public CFileNameDlg {
 public:
  explicit CWriteFileDlg(QWidget* parent = nullptr)
      : CFileNameDlg(FileNameDialogTemplateFor(FileNameDialogKind::WriteFile), parent) {}
};

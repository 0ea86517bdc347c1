// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Firmware Upgrade: the HEX file to send to the unit.
#include "dialogs/CFileNameDlg.h"

class CUpgradeDlg : public CFileNameDlg {
 public:
  explicit CUpgradeDlg(QWidget* parent = nullptr)
      : CFileNameDlg(FileNameDialogTemplateFor(FileNameDialogKind::Upgrade), parent) {}
};

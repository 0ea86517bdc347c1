// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDialog>

// Dialog template IDD_ABOUTBOX: two texts and OK. Changes nothing.
class CAboutDlg : public QDialog {
  Q_OBJECT
 public:
  explicit CAboutDlg(QWidget* parent = nullptr);
};

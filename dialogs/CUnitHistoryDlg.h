// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Database > Unit History: the databases kept from the unit's transfers,
// newest first, one to choose.
#include <QDialog>
#include <string>
#include <vector>

#include "database/UnitHistory.h"

class QListWidget;

class CUnitHistoryDlg : public QDialog {
  Q_OBJECT
 public:
  CUnitHistoryDlg(const std::vector<HistoryFile>& files, QWidget* parent);

  // The list, for tests that choose as a user would.
  QListWidget* List() const { return m_list; }
  // The path of the file chosen, once the dialog was left with OK.
  std::string Chosen() const;

 private:
  std::vector<HistoryFile> m_files;
  QListWidget* m_list;
};

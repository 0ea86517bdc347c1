// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/CUnitHistoryDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "resources/Strings.h"

namespace {

// "2026-12-09 14:05:12   read      4491 cameras"
QString Line(const HistoryFile& file) {
  QString when = QString::fromStdString(file.when);
  when[13] = QLatin1Char(':');
  when[16] = QLatin1Char(':');
  const QString way = file.transfer == UnitTransfer::Read ? QStringLiteral("read") : QStringLiteral("written");
  return QStringLiteral("%1   %2 %3 cameras").arg(when, way.leftJustified(8)).arg(file.cameras, 5);
}

}  // namespace

CUnitHistoryDlg::CUnitHistoryDlg(const std::vector<HistoryFile>& files, QWidget* parent)
    : QDialog(parent), m_files(files), m_list(new QListWidget(this)) {
  setWindowTitle(QString::fromLatin1(kCaptionUnitHistory));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(
      new QLabel(QStringLiteral("Each database read from or written to the unit, newest first.\n"
                                "The one chosen is added to the held database, as Read from File adds a file."),
                 this));
  QFont fixed = m_list->font();
  fixed.setStyleHint(QFont::TypeWriter);
  fixed.setFamily(QStringLiteral("monospace"));
  m_list->setFont(fixed);
  for (const HistoryFile& file : m_files) m_list->addItem(Line(file));
  m_list->setCurrentRow(0);
  m_list->setMinimumWidth(m_list->sizeHintForColumn(0) + 40);
  layout->addWidget(m_list);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(m_list, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
  layout->addWidget(buttons);
}

std::string CUnitHistoryDlg::Chosen() const {
  const int row = m_list->currentRow();
  return row >= 0 && static_cast<std::size_t>(row) < m_files.size() ? m_files[static_cast<std::size_t>(row)].path
                                                                    : std::string();
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TransferDialog.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <string>

#include "link/LinkConstants.h"
#include "resources/Strings.h"

TransferDialog::TransferDialog(QWidget* parent, const char* progressText, std::atomic<bool>* cancel)
    : QDialog(parent), m_progressText(progressText), m_cancel(cancel) {
  setObjectName(QStringLiteral("TransferDialog"));
  setWindowTitle(QStringLiteral("zorvane"));
  setModal(true);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  auto* layout = new QVBoxLayout(this);
  m_label = new QLabel(this);
  m_bar = new QProgressBar(this);
  m_slowLine = new QLabel(QString::fromLatin1(kMsgSlowAdapter), this);
  m_slowLine->setWordWrap(true);
  m_slowLine->hide();
  layout->addWidget(m_label);
  layout->addWidget(m_bar);
  layout->addWidget(m_slowLine);
  if (m_cancel != nullptr) {
    m_cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    layout->addWidget(m_cancelButton, 0, Qt::AlignRight);
    connect(m_cancelButton, &QPushButton::clicked, this, &TransferDialog::reject);
  } else {
    setWindowFlag(Qt::WindowCloseButtonHint, false);
  }
  m_label->setText(QStringLiteral("Connecting to the unit..."));
  m_bar->setRange(0, 0);
  m_label->setMinimumWidth(m_label->fontMetrics().horizontalAdvance(QString(48, QLatin1Char('x'))));
}

// The text takes the block and, where it has a second number, the total.
void TransferDialog::ShowBlock(int block) {
  const std::string number = std::to_string(block);
  const std::string total = std::to_string(m_total);
  QString text = QString::fromStdString(FormatMessageText(m_progressText, {number, total}));
  if (!m_timeLeft.isEmpty()) text += QStringLiteral(", ") + m_timeLeft;
  m_label->setText(text);
}

void TransferDialog::SetConnecting(const QString& text) { m_label->setText(text); }

void TransferDialog::SetPace(const QString& timeLeft, bool slowLine) {
  m_timeLeft = timeLeft;
  if (slowLine && m_slowLine->isHidden()) {
    m_slowLine->show();
    // The advice wraps over several lines at the dialog's width; the layout
    // alone would grow the dialog by one, cutting the rest off.
    layout()->activate();
    resize(width(), qMax(height(), heightForWidth(width())));
  }
}

void TransferDialog::SetTotal(int total) {
  m_total = total > 0 ? total : 1;
  m_bar->setRange(0, m_total);
  m_bar->setValue(0);
  // With no block to send the label keeps saying what is going on.
  if (total > 0) ShowBlock(1);
}

void TransferDialog::SetDone(int done) {
  m_bar->setValue(done);
  ShowBlock(done < m_total ? done + 1 : m_total);
}

void TransferDialog::Finish() {
  m_finished = true;
  accept();
}

void TransferDialog::reject() {
  if (m_finished) {
    QDialog::reject();
    return;
  }
  if (m_cancel == nullptr) return;
  m_cancel->store(true);
  if (m_cancelButton) m_cancelButton->setEnabled(false);
  m_label->setText(QStringLiteral("Stopping..."));
}

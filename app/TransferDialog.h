// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The modal progress dialog of a unit transfer: where it connects, then
// "Reading block n of 57, about 50 s left" and a bar (a read counts the
// blocks that hold entries once block 0 has told them), and a line of
// advice when the line is far slower than it should be. Only the
// transfer ends it; Escape and the close box stop a cancellable transfer as
// Cancel does, and do nothing otherwise.
#include <QDialog>
#include <QString>
#include <atomic>

class QLabel;
class QProgressBar;
class QPushButton;

class TransferDialog : public QDialog {
  Q_OBJECT
 public:
  TransferDialog(QWidget* parent, const char* progressText, std::atomic<bool>* cancel);

  // The first line, until the first block: "Connecting to the unit on ...".
  void SetConnecting(const QString& text);
  void SetTotal(int total);
  // `timeLeft` ("about 20 s left") follows the block, unless empty;
  // `slowLine` shows the advice, which then stays.
  void SetPace(const QString& timeLeft, bool slowLine);
  void SetDone(int done);
  // The transfer has ended: the dialog closes.
  void Finish();
  // Escape, the close box and Cancel.
  void reject() override;

 private:
  void ShowBlock(int block);

  const char* m_progressText;
  std::atomic<bool>* m_cancel;
  int m_total = 1;
  bool m_finished = false;
  QString m_timeLeft;
  QLabel* m_label;
  QLabel* m_slowLine;
  QProgressBar* m_bar;
  QPushButton* m_cancelButton = nullptr;
};

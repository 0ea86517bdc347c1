#pragma once
// The modal progress dialog of a unit transfer: "Reading block n of 1024"
// and a bar. Only the transfer ends it; Escape and the close box stop a
// cancellable transfer as Cancel does, and do nothing otherwise.
#include <QDialog>
#include <atomic>

class QLabel;
class QProgressBar;
class QPushButton;

class TransferDialog : public QDialog {
  Q_OBJECT
 public:
  TransferDialog(QWidget* parent, const char* progressText, std::atomic<bool>* cancel);

  void SetTotal(int total);
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
  QLabel* m_label;
  QProgressBar* m_bar;
  QPushButton* m_cancelButton = nullptr;
};

#include "link/qt/TransferRunner.h"

#include <QMetaObject>
#include <QThread>

#include "dialogs/MessageBox.h"
#include "link/qt/QtSerialPort.h"
#include "link/qt/TransferDialog.h"

namespace {

// Shows each message on the dialog's (the user-interface) thread and waits
// for the answer, so the order stays that of the transfer.
class UiThreadMessageBox : public MessageBox {
 public:
  UiThreadMessageBox(MessageBox& target, QObject* uiObject) : m_target(target), m_uiObject(uiObject) {}

  int Show(const std::string& text, const std::string& caption, MessageStyle style) override {
    if (QThread::currentThread() == m_uiObject->thread()) return m_target.Show(text, caption, style);
    int answer = IDCANCEL;
    QMetaObject::invokeMethod(
        m_uiObject, [&] { answer = m_target.Show(text, caption, style); }, Qt::BlockingQueuedConnection);
    return answer;
  }

 private:
  MessageBox& m_target;
  QObject* m_uiObject;
};

// Progress as queued calls into the dialog; the worker never waits for it.
class DialogProgress : public TransferProgress {
 public:
  explicit DialogProgress(TransferDialog* dialog) : m_dialog(dialog) {}
  void Start(int total) override {
    QMetaObject::invokeMethod(m_dialog, [d = m_dialog, total] { d->SetTotal(total); }, Qt::QueuedConnection);
  }
  void Step(int done) override {
    QMetaObject::invokeMethod(m_dialog, [d = m_dialog, done] { d->SetDone(done); }, Qt::QueuedConnection);
  }
  void Done() override {}
  void Failed() override {}

 private:
  TransferDialog* m_dialog;
};

}  // namespace

UnitCommandOutcome RunTransfer(QWidget* parent, MessageBox& messages, int portIndex,
                               const std::array<std::string, 2>& portPaths, const TransferJob& job) {
  std::atomic<bool> cancel{false};
  TransferDialog dialog(parent, job.progressText, job.cancellable ? &cancel : nullptr);
  UiThreadMessageBox uiMessages(messages, &dialog);
  DialogProgress progress(&dialog);
  QtSerialOpener opener;
  SteadyClock clock;
  UnitCommandContext context{uiMessages, opener, clock, progress, &cancel, portIndex, portPaths};

  UnitCommandOutcome outcome = UnitCommandOutcome::TimedOut;
  QThread* worker = QThread::create([&] { outcome = job.run(context); });
  QObject::connect(worker, &QThread::finished, &dialog, &TransferDialog::Finish);
  worker->start();
  dialog.exec();
  worker->wait();
  delete worker;
  return outcome;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/WindowTransferRunner.h"

#include <QEventLoop>
#include <QMetaObject>
#include <QThread>
#include <optional>

#include "app/TransferDialog.h"
#include "commands/UnitCommand.h"
#include "link/TimeLeft.h"
#include "link/serial/SerialPorts.h"
#include "resources/Strings.h"
#include "user/MessageBox.h"

namespace {

// Shows each message on the dialog's (the user-interface) thread and waits
// for the answer, so the order stays that of the transfer.
class UiThreadMessageBox : public MessageBox {
 public:
  UiThreadMessageBox(MessageBox& target, QObject* uiObject) : m_target(target), m_uiObject(uiObject) {}

  MessageAnswer Show(const std::string& text, const std::string& caption, MessageStyle style) override {
    if (QThread::currentThread() == m_uiObject->thread()) return m_target.Show(text, caption, style);
    MessageAnswer answer = MessageAnswer::Cancel;
    QMetaObject::invokeMethod(
        m_uiObject, [&] { answer = m_target.Show(text, caption, style); }, Qt::BlockingQueuedConnection);
    return answer;
  }

 private:
  MessageBox& m_target;
  QObject* m_uiObject;
};

// Progress as queued calls into the dialog; the worker never waits for it.
// The time left is measured here, on the worker, so that a busy window
// cannot skew it.
class DialogProgress : public TransferProgress {
 public:
  DialogProgress(TransferDialog* dialog, const Clock& clock, double plainLineMsPerBlock)
      : m_dialog(dialog), m_timeLeft(clock, plainLineMsPerBlock) {}
  void Start(int total) override {
    m_timeLeft.Start(total);
    QMetaObject::invokeMethod(
        m_dialog, [d = m_dialog, total] { d->SetTotal(total); }, Qt::QueuedConnection);
  }
  void Retotal(int total) override {
    m_timeLeft.Retotal(total);
    QMetaObject::invokeMethod(
        m_dialog, [d = m_dialog, total] { d->SetTotal(total); }, Qt::QueuedConnection);
  }
  void Step(int done) override {
    m_timeLeft.Step(done);
    const std::optional<std::int64_t> left = m_timeLeft.MsLeft();
    const QString text = left ? QString::fromStdString(TimeLeftText(*left)) : QString();
    const bool slow = m_timeLeft.SlowLine();
    QMetaObject::invokeMethod(
        m_dialog,
        [d = m_dialog, done, text, slow] {
          d->SetPace(text, slow);
          d->SetDone(done);
        },
        Qt::QueuedConnection);
  }
  // The blocks are over, whether sent or given up: the dialog closes now,
  // so that what the transfer says last (an upgrade's "Finished ok." after
  // its end marker) is not read over a bar that stands still.
  void Done() override { Close(); }
  void Failed() override { Close(); }

 private:
  void Close() {
    QMetaObject::invokeMethod(
        m_dialog, [d = m_dialog] { d->Finish(); }, Qt::QueuedConnection);
  }

  TransferDialog* m_dialog;
  TimeLeft m_timeLeft;
};

const char* ProgressText(TransferKind kind) {
  switch (kind) {
    case TransferKind::Read: return kProgressReading;
    case TransferKind::Write: return kProgressWriting;
    case TransferKind::Upgrade: return kProgressUpgrading;
  }
  return kProgressReading;
}

}  // namespace

UnitCommandOutcome WindowTransferRunner::Run(const TransferStep& step) {
  const PortsNow ports = LookAtPorts(m_namedPaths);
  std::atomic<bool> cancel{false};
  TransferDialog dialog(m_parent, ProgressText(step.kind), step.cancellable ? &cancel : nullptr);
  UiThreadMessageBox uiMessages(m_messages, &dialog);
  SteadyClock clock;
  DialogProgress progress(&dialog, clock, step.plainLineMsPerBlock);
  const std::unique_ptr<SerialOpener> opener = MakeSerialOpener();
  MessageTeller teller(uiMessages, PortAdvice{ports.present, ports.comm, &WindowWords()});
  TransferContext context{teller, *opener, clock, progress, &cancel, m_portIndex, ports.comm};
  dialog.SetConnecting(
      QString::fromStdString(FormatMessageText(kProgressConnecting, DescribePort(ports.present, context.PortPath()))));

  UnitCommandOutcome outcome = UnitCommandOutcome::TimedOut;
  QThread* worker = QThread::create([&] { outcome = step.run(context); });
  QObject::connect(worker, &QThread::finished, &dialog, &TransferDialog::Finish);
  // The dialog closes with the blocks; the worker may then still have its
  // last words to show on this thread.
  QEventLoop untilDone;
  QObject::connect(worker, &QThread::finished, &untilDone, &QEventLoop::quit);
  worker->start();
  dialog.exec();
  if (!worker->isFinished()) untilDone.exec();
  worker->wait();
  delete worker;
  return outcome;
}

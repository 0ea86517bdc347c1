// SPDX-License-Identifier: GPL-3.0-or-later
// Read from Unit and Write to Unit in the window, against zorvane-unit on a
// pseudo-terminal: the transfer runs on a worker behind a modal progress
// dialog, and the messages keep their order.
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>

#include "app/CMainFrame.h"
#include "app/ProcessState.h"
#include "app/TransferDialog.h"
#include "dialogs/CUnitHistoryDlg.h"
#include "resources/CommandIds.h"
#include "resources/Strings.h"
#include "tests/gui/AppFixture.h"
#include "tests/gui/LastWords.h"
#include "tests/support/ImageBuilders.h"
#include "tests/support/TempDir.h"
#include "tests/support/UnitProcess.h"

namespace {

TransferDialog* OpenTransferDialog() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (auto* dialog = qobject_cast<TransferDialog*>(widget); dialog && dialog->isVisible()) return dialog;
  }
  return nullptr;
}

class UnitCommandsGui : public AppFixture {
 protected:
  void SetUp() override {
    AppFixture::SetUp();
    // A history of this test's own, never the user's.
    qputenv(kUnitHistoryVariable, QByteArray::fromStdString(history.Path().string()));
    ASSERT_TRUE(unit.Started());
    CommPortPaths[0] = unit.Device();
    // Whenever a message shows, note whether the progress dialog is still up.
    messages.onShow = [this](const ShownMessage&) { dialogUpAtMessage.push_back(OpenTransferDialog() != nullptr); };
  }
  void TearDown() override {
    qputenv(kUnitHistoryVariable, "off");
    AppFixture::TearDown();
  }
  std::vector<HistoryFile> Kept() const { return UnitHistory(history.Path().string()).List(); }
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const ShownMessage& m : messages.shown) texts.push_back(m.text);
    return texts;
  }

  TempDir history;
  UnitProcess unit;
  std::vector<bool> dialogUpAtMessage;
};

TEST_F(UnitCommandsGui, WriteThenReadBackThroughTheWindow) {
  const DatabaseImage written = ImageWith(DistinctEntries(120, 4));
  WorkingDatabase = written;
  LastWords writing;
  QTimer writeWatch;
  QObject::connect(&writeWatch, &QTimer::timeout, [&] {
    if (TransferDialog* dialog = OpenTransferDialog()) {
      EXPECT_TRUE(dialog->findChildren<QPushButton*>().isEmpty());  // a write cannot be cancelled
      dialog->reject();                                             // nor closed with Escape
    }
  });
  writeWatch.start(0);
  View()->OnWriteToUnit();
  writeWatch.stop();
  ASSERT_EQ(writing.said.size(), 1);
  EXPECT_TRUE(writing.said[0].startsWith(QStringLiteral("Writing block 1024 of 1024")))
      << writing.said[0].toStdString();
  EXPECT_EQ(Texts(), (std::vector<std::string>{kMsgWriteUnitPrompt, kMsgDatabaseWritten}));
  EXPECT_EQ(dialogUpAtMessage, (std::vector<bool>{false, false}));
  EXPECT_EQ(WorkingDatabase, written);

  App()->OnFileNew();
  messages.shown.clear();
  dialogUpAtMessage.clear();
  LastWords reading;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    if (TransferDialog* dialog = OpenTransferDialog()) {
      EXPECT_EQ(dialog->findChildren<QPushButton*>().size(), 1);  // Cancel
    }
  });
  watch.start(0);
  View()->OnReadFromUnit();
  watch.stop();
  ASSERT_EQ(reading.said.size(), 1);
  EXPECT_TRUE(reading.said[0].startsWith(QStringLiteral("Reading block 12 of 12"))) << reading.said[0].toStdString();
  EXPECT_EQ(Texts(), (std::vector<std::string>{kMsgReadUnitPrompt, kMsgDatabaseLoaded}));
  EXPECT_EQ(WorkingDatabase, written);
  EXPECT_EQ(IncomingImage, written);

  // Both are kept, newest first, and Unit History puts the written one back.
  const std::vector<HistoryFile> kept = Kept();
  ASSERT_EQ(kept.size(), 2u);
  EXPECT_EQ(kept[0].transfer, UnitTransfer::Read);
  EXPECT_EQ(kept[1].transfer, UnitTransfer::Written);
  EXPECT_EQ(kept[1].cameras, 120);
  EXPECT_EQ(ReadWholeFile(kept[1].path), Bytes(written));
  App()->OnFileNew();
  QTimer choose;
  QObject::connect(&choose, &QTimer::timeout, [&] {
    if (auto* dialog = qobject_cast<CUnitHistoryDlg*>(QApplication::activeModalWidget())) {
      EXPECT_EQ(dialog->List()->count(), 2);
      dialog->List()->setCurrentRow(1);
      dialog->accept();
    }
  });
  choose.start(0);
  Frame()->ActionFor(ID_DATABASE_UNITHISTORY)->trigger();
  choose.stop();
  EXPECT_EQ(WorkingDatabase, written);
}

TEST_F(UnitCommandsGui, AHistoryThatCannotBeWrittenIsToldOnceAfterTheTransfer) {
  const TempDir blocked;
  const std::string file = blocked.Write("a file", "");
  qputenv(kUnitHistoryVariable, QByteArray::fromStdString(file + "/history"));
  WorkingDatabase = ImageWith(DistinctEntries(5, 4));
  View()->OnWriteToUnit();
  ASSERT_EQ(messages.shown.size(), 3u);
  EXPECT_EQ(messages.shown[1].text, kMsgDatabaseWritten);
  EXPECT_EQ(messages.shown[2].text, FormatMessageText(kMsgHistoryNotKept, file + "/history"));
  EXPECT_EQ(messages.shown[2].caption, kCaptionWarning);
}

TEST_F(UnitCommandsGui, CancelDuringTheReadStopsItAndShowsNothingMore) {
  // A full unit: a read of all 1024 blocks, long enough to cancel.
  TempDir dir;
  UnitProcess full({"--db", dir.Write("unit.bin", Bytes(ImageWith(DistinctEntries(kMaxDatabaseEntries, 8))))});
  ASSERT_TRUE(full.Started());
  CommPortPaths[0] = full.Device();
  WorkingDatabase = ImageWith(DistinctEntries(3, 9));
  const DatabaseImage before = WorkingDatabase;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    TransferDialog* dialog = OpenTransferDialog();
    if (dialog && dialog->findChild<QLabel*>()->text().startsWith(QStringLiteral("Reading block"))) {
      dialog->findChild<QPushButton*>()->click();
      watch.stop();
    }
  });
  watch.start(0);
  View()->OnReadFromUnit();
  EXPECT_EQ(Texts(), std::vector<std::string>{kMsgReadUnitPrompt});
  EXPECT_EQ(WorkingDatabase, before);
  EXPECT_TRUE(Kept().empty()) << "a cancelled transfer keeps nothing";
}

TEST_F(UnitCommandsGui, AMissingPortIsToldWithItsReasonAndThePortsThereAre) {
  CommPortIndex = 1;
  CommPortPaths[1] = "/dev/zorvane-no-such-port";
  View()->OnWriteToUnit();
  ASSERT_EQ(messages.shown.size(), 2u);
  const std::string& text = messages.shown[1].text;
  EXPECT_TRUE(text.starts_with("Error Opening Comm Port\n\nThere is no device /dev/zorvane-no-such-port")) << text;
  EXPECT_EQ(messages.shown[1].caption, "Error");
  // Whatever ports this machine has are listed, with how to use one.
  EXPECT_TRUE((text.find(kMsgSerialPortsHere) != std::string::npos && text.ends_with(kMsgUsePortInWindow)) ||
              text.ends_with(kMsgNoSerialPorts))
      << text;
}

// The adapter pulled out part-way through a read in the window: the unit's
// side of the pseudo-terminal closes, and the user is told the connection
// was lost, not asked to retry what cannot work.
TEST_F(UnitCommandsGui, AUnitThatVanishesMidReadIsToldAsALostLine) {
  UnitProcess vanishing({"--sample", "--vanish-after", "3000"});
  ASSERT_TRUE(vanishing.Started());
  CommPortPaths[0] = vanishing.Device();
  WorkingDatabase = ImageWith(DistinctEntries(3, 9));
  const DatabaseImage before = WorkingDatabase;
  View()->OnReadFromUnit();
  EXPECT_EQ(Texts(), (std::vector<std::string>{kMsgReadUnitPrompt, kMsgLineLost}));
  EXPECT_EQ(messages.shown.back().caption, kCaptionError);
  EXPECT_EQ(WorkingDatabase, before);
}

// Through a 16 ms adapter a read of the sample's 600 cameras (57 blocks)
// takes about a minute: the dialog names the port, counts the 57 blocks
// once block 0 has told them, gives the time left once the first blocks are
// done, and advises the 1 ms latency timer; Cancel still stops it.
TEST_F(UnitCommandsGui, AReadThroughASlowAdapterGivesTheTimeLeftAndTheAdvice) {
  UnitProcess slow({"--sample", "--latency", "16"});
  ASSERT_TRUE(slow.Started());
  CommPortPaths[0] = slow.Device();
  const DatabaseImage before = WorkingDatabase;
  QStringList labels;
  bool adviceShown = false;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    TransferDialog* dialog = OpenTransferDialog();
    if (dialog == nullptr) return;
    const QList<QLabel*> lines = dialog->findChildren<QLabel*>();
    ASSERT_EQ(lines.size(), 2);
    if (labels.isEmpty() || labels.back() != lines[0]->text()) labels.push_back(lines[0]->text());
    adviceShown |= lines[1]->isVisible() && lines[1]->text() == QString::fromLatin1(kMsgSlowAdapter);
    if (adviceShown && lines[0]->text().endsWith(QStringLiteral("left"))) {
      // The dialog grew to hold every line of the advice.
      EXPECT_GE(lines[1]->height(), lines[1]->heightForWidth(lines[1]->width()));
      dialog->findChild<QPushButton*>()->click();
      watch.stop();
    }
  });
  watch.start(0);
  View()->OnReadFromUnit();
  watch.stop();

  EXPECT_EQ(Texts(), std::vector<std::string>{kMsgReadUnitPrompt});
  EXPECT_EQ(WorkingDatabase, before);
  EXPECT_TRUE(adviceShown);
  ASSERT_FALSE(labels.isEmpty());
  EXPECT_EQ(labels.front().toStdString(), "Connecting to the unit on " + slow.Device() + "...");
  EXPECT_FALSE(
      labels.filter(QRegularExpression(QStringLiteral("^Reading block [5-9] of 57, about .+ left$"))).isEmpty())
      << labels.join(u'|').toStdString();
}

}  // namespace

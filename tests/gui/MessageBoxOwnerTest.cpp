// SPDX-License-Identifier: GPL-3.0-or-later
// The program's own message boxes belong to a window and open centred on
// it: the main window, or the progress dialog while a transfer runs.
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "app/ProcessState.h"
#include "resources/Strings.h"
#include "tests/gui/AppFixture.h"
#include "tests/gui/FileNameDialogDriver.h"

namespace {

struct SeenBox {
  QString text;
  QString owner;     // its object name; the progress dialog is gone later
  QPoint offCentre;  // from the owner's centre to the box's
};

class MessageBoxOwner : public AppFixture {
 protected:
  void SetUp() override {
    AppFixture::SetUp();
    App()->SetMessageBox(nullptr);  // the real boxes, not the recording
    Frame()->move(20, 10);          // well away from the middle of the screen
    QObject::connect(&watch, &QTimer::timeout, [this] { AnswerBox(); });
    watch.start(0);
  }
  void TearDown() override {
    watch.stop();
    AppFixture::TearDown();
  }

  // Notes who owns the box up now and presses its default button.
  void AnswerBox() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible()) return;
    QWidget* owner = box->parentWidget();
    const QPoint offCentre = owner ? box->frameGeometry().center() - owner->frameGeometry().center() : QPoint();
    seen.push_back({box->text(), owner ? owner->objectName() : QString(), offCentre});
    box->defaultButton()->click();
  }

  // Offscreen there is no window manager to tell the frames' size, and Qt
  // allows up to 10 and 40 pixels for a frame it cannot see, and one more
  // for rounding.
  static void ExpectCentred(const SeenBox& box) {
    EXPECT_LE(std::abs(box.offCentre.x()), 11) << box.text.toStdString();
    EXPECT_LE(std::abs(box.offCentre.y()), 41) << box.text.toStdString();
  }

  QTimer watch;
  std::vector<SeenBox> seen;
};

TEST_F(MessageBoxOwner, AFileCommandsBoxBelongsToTheMainWindow) {
  WorkingDatabase = DatabaseImage{};
  WhenDialogOpens([](CFileNameDlg& d) { TypeAndPress(d, "held.db", IDOK); });
  View()->OnWriteToFile();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].text, kMsgNothingToSave);
  EXPECT_EQ(seen[0].owner, "CMainFrame");
  ExpectCentred(seen[0]);
}

TEST_F(MessageBoxOwner, DuringATransferTheBoxBelongsToTheProgressDialog) {
  CommPortPaths[0] = "/dev/zorvane-no-such-port";
  CommPortIndex = 0;
  View()->OnWriteToUnit();
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].text, kMsgWriteUnitPrompt);
  EXPECT_EQ(seen[0].owner, "CMainFrame") << "the prompt comes before the transfer";
  EXPECT_TRUE(seen[1].text.startsWith("Error Opening Comm Port")) << seen[1].text.toStdString();
  EXPECT_EQ(seen[1].owner, "TransferDialog");
  for (const SeenBox& box : seen) ExpectCentred(box);
}

TEST_F(MessageBoxOwner, ABoxBeforeTheWindowIsShownStandsAlone) {
  Frame()->hide();
  View()->Messages().Show("before the window", kCaptionError, MessageStyle::Ok);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_TRUE(seen[0].owner.isEmpty()) << seen[0].owner.toStdString();
}

}  // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
// Upgrade Unit S/W in the window, against zorvane-unit --bootloader on a
// pseudo-terminal: the file named in the Firmware Upgrade dialog goes to
// the unit behind a progress dialog without Cancel.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>

#include "app/ProcessState.h"
#include "app/TransferDialog.h"
#include "resources/Strings.h"
#include "tests/gui/AppFixture.h"
#include "tests/gui/FileNameDialogDriver.h"
#include "tests/gui/LastWords.h"
#include "tests/support/HexBuilder.h"
#include "tests/support/TempDir.h"
#include "tests/support/UnitProcess.h"

namespace {

class UpgradeUnitGui : public AppFixture {
 protected:
  void SetUp() override {
    AppFixture::SetUp();
    FirmwareImage.fill(0);
  }

  void UpgradeFrom(const std::string& file) {
    WhenDialogOpens([&](CFileNameDlg& d) {
      EXPECT_EQ(d.objectName(), "CUpgradeDlg");
      TypeAndPress(d, QString::fromStdString(file), IDOK);
    });
    View()->OnUpgradeUnit();
  }

  TempDir dir;
};

TEST_F(UpgradeUnitGui, SendsTheFileShowingBlockNOfNWithoutCancel) {
  const std::string saved = dir.File("unit.img");
  UnitProcess unit({"--bootloader", "--never-echo", "--save", saved});
  ASSERT_TRUE(unit.Started());
  CommPortPaths[0] = unit.Device();
  const std::vector<std::uint8_t> data(200, 0x3C);
  const std::string hex = dir.Write("fw.hex", HexFileOf(0x600, data));

  LastWords upgrading;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      auto* dialog = qobject_cast<TransferDialog*>(widget);
      if (dialog != nullptr && dialog->isVisible()) {
        EXPECT_TRUE(dialog->findChildren<QPushButton*>().isEmpty());
      }
    }
  });
  watch.start(0);
  // "Finished ok." comes after the end marker, from the transfer itself:
  // the progress dialog must be gone by then.
  bool dialogUpAtMessage = false;
  messages.onShow = [&](const ShownMessage&) {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (qobject_cast<TransferDialog*>(widget) != nullptr && widget->isVisible()) dialogUpAtMessage = true;
    }
  };
  UpgradeFrom(hex);
  watch.stop();

  EXPECT_FALSE(dialogUpAtMessage) << "the final message came over the progress dialog";
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, kMsgUpgradeFinished);
  EXPECT_EQ(messages.shown[0].caption, kCaptionCompleted);
  EXPECT_EQ(HighestFirmwareAddress, 0x600u + 199);
  EXPECT_EQ(CurrentBlockAddress, 0x6C0u);
  EXPECT_EQ(upgrading.said, QStringList{QStringLiteral("Upgrading block 4 of 4")});
  EXPECT_EQ(unit.Stop(), 0);
  EXPECT_EQ(ReadWholeFile(saved).substr(0x600, 200), std::string(200, '\x3C'));
}

// Through a 16 ms adapter the echoes come late: the dialog names the port,
// then gives the time left once the first blocks are done.
TEST_F(UpgradeUnitGui, ThroughASlowAdapterTheDialogNamesThePortThenGivesTheTimeLeft) {
  UnitProcess unit({"--bootloader", "--latency", "16"});
  ASSERT_TRUE(unit.Started());
  CommPortPaths[0] = unit.Device();
  const std::string hex = dir.Write("fw.hex", HexFileOf(0x600, std::vector<std::uint8_t>(12 * 64, 0x5A)));

  QStringList labels;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      auto* dialog = qobject_cast<TransferDialog*>(widget);
      if (dialog == nullptr || !dialog->isVisible()) continue;
      const QString text = dialog->findChild<QLabel*>()->text();
      if (labels.isEmpty() || labels.back() != text) labels.push_back(text);
    }
  });
  watch.start(0);
  // "Finished ok." comes after the end marker, from the transfer itself:
  // the progress dialog must be gone by then.
  bool dialogUpAtMessage = false;
  messages.onShow = [&](const ShownMessage&) {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (qobject_cast<TransferDialog*>(widget) != nullptr && widget->isVisible()) dialogUpAtMessage = true;
    }
  };
  UpgradeFrom(hex);
  watch.stop();

  EXPECT_FALSE(dialogUpAtMessage) << "the final message came over the progress dialog";
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, kMsgUpgradeFinished);
  ASSERT_FALSE(labels.isEmpty());
  EXPECT_EQ(labels.front().toStdString(), "Connecting to the unit on " + unit.Device() + "...");
  EXPECT_FALSE(
      labels.filter(QRegularExpression(QStringLiteral("^Upgrading block ([5-9]|1[0-2]) of 12, about .+ left$")))
          .isEmpty())
      << labels.join(u'|').toStdString();
  // Before the first blocks are done there is no estimate.
  EXPECT_TRUE(labels.filter(QRegularExpression(QStringLiteral("^Upgrading block [1-4] of 12,"))).isEmpty())
      << labels.join(u'|').toStdString();
  EXPECT_EQ(unit.Stop(), 0);
}

TEST_F(UpgradeUnitGui, AMalformedFileIsRefusedWithItsLineAndNoConnection) {
  CommPortPaths[0] = dir.File("no-such-port");
  FirmwareImage[0x600] = 0x77;
  const std::string hex = dir.Write("bad.hex", HexData(0x600, {1}) + "\n:zz\n");
  UpgradeFrom(hex);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "The file " + hex + " is not a valid HEX file (line 3).");
  EXPECT_EQ(messages.shown[0].caption, kCaptionError);
  EXPECT_EQ(FirmwareImage[0x600], 0x77);
}

}  // namespace

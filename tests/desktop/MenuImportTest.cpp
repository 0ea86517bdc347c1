// SPDX-License-Identifier: GPL-3.0-or-later
// Import Camera Data and Write to File chosen with the mouse from the menus
// of a window that openbox manages, as a user chooses them: each list the
// window reads is saved as the database zorvane-cli import makes of it.
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include "resources/CommandIds.h"
#include "tests/cli/CliRunner.h"
#include "tests/gui/AppFixture.h"
#include "tests/gui/FileNameDialogDriver.h"
#include "tests/support/SourceTree.h"
#include "tests/support/TempDir.h"

namespace {

// How long a menu may take to come up on the X server: a bound on a wait.
constexpr int kMenuLimitMs = 20000;

QAction* Titled(const QList<QAction*>& actions, const QString& text) {
  for (QAction* action : actions) {
    if (action->text() == text) return action;
  }
  return nullptr;
}

class DesktopMenus : public AppFixture {
 protected:
  // Clicks `menu` on the menu bar, waits until its popup is shown, then
  // clicks `item` in it, answering the file-name dialog it opens with `path`.
  void Choose(const QString& menu, const QString& item, const std::string& path) {
    QMenuBar* bar = Frame()->menuBar();
    QAction* top = Titled(bar->actions(), menu);
    ASSERT_NE(top, nullptr) << menu.toStdString();
    QMenu* popup = top->menu();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(top).center());
    ASSERT_TRUE(QTest::qWaitFor([popup] { return popup->isVisible(); }, kMenuLimitMs))
        << menu.toStdString() << " never opened";
    QAction* action = Titled(popup->actions(), item);
    ASSERT_NE(action, nullptr) << item.toStdString();
    WhenDialogOpens([&path](CFileNameDlg& d) { TypeAndPress(d, QString::fromStdString(path), IDOK); });
    QTest::mouseClick(popup, Qt::LeftButton, {}, popup->actionGeometry(action).center());
  }
  TempDir dir;
};

TEST_F(DesktopMenus, EachListIsSavedAsTheDatabaseTheCommandLineMakesOfIt) {
  for (const char* name : {"cameras.ov2", "cameras.gpx", "speedcam.txt"}) {
    SCOPED_TRACE(name);
    const std::string list = SourceFile(std::string("tests/data/lists/") + name);
    Frame()->ActionFor(ID_FILE_NEW)->trigger();
    messages.shown.clear();
    Choose(QStringLiteral("Advanced"), QStringLiteral("Import Camera Data"), list);
    ASSERT_FALSE(messages.shown.empty());
    EXPECT_EQ(messages.shown[0].text, "9 camera locations loaded.");
    const std::string saved = dir.File(std::string(name) + ".db");
    Choose(QStringLiteral("Database"), QStringLiteral("Write to File"), saved);
    const std::string cli = dir.File(std::string(name) + ".cli.db");
    ASSERT_EQ(RunCliWith({"import", list, "-o", cli}).status, 0);
    EXPECT_EQ(ReadWholeFile(saved), ReadWholeFile(cli));
  }
}

}  // namespace

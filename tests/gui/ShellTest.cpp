// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include "app/CAboutDlg.h"
#include "app/CommandTable.h"
#include "app/ProcessState.h"
#include "resources/CommandIds.h"
#include "resources/Strings.h"
#include "tests/gui/AppFixture.h"
#include "tests/support/ImageBuilders.h"

namespace {

QStringList MenuLayout(QMenuBar* bar) {
  QStringList lines;
  for (QAction* top : bar->actions()) {
    lines << top->text();
    for (QAction* item : top->menu()->actions()) lines << "  " + (item->isSeparator() ? "----" : item->text());
  }
  return lines;
}

QMenu* Popup(QMenuBar* bar, const QString& title) {
  for (QAction* top : bar->actions()) {
    if (top->text() == title) return top->menu();
  }
  return nullptr;
}

void HoldSomething() {
  WorkingDatabase.WriteHeader(1);
  WorkingDatabase[8] = 0x04;
}

using ShellTest = AppFixture;

TEST_F(ShellTest, MenuHasEveryPopupItemAndSeparatorInOrder) {
  const QStringList expected = {
      "&File",
      "  E&xit",
      "Database",
      "  Read from Unit",
      "  Write to Unit",
      "  ----",
      "  Read from File",
      "  Write to File",
      "  Unit History...",
      "Options",
      "  Comm1",
      "  Comm2",
      "  ----",
      "  Display Database",
      "Advanced",
      "  Import Camera Data",
      "  ----",
      "  Upgrade Unit S/W",
      "&Help",
      "  &About zorvane...",
  };
  EXPECT_EQ(MenuLayout(Frame()->menuBar()), expected);
}

TEST_F(ShellTest, EveryMenuCommandIsRoutedToANamedHandler) {
  for (const CommandTableRow& row : CommandTable()) {
    if (row.IsSeparator()) continue;
    EXPECT_NE(row.handlerName, nullptr);
    if (row.id == ID_OPTIONS_DISPLAYDATABASE) {
      EXPECT_FALSE(row.HasHandler());
      EXPECT_NE(row.updateHandler, nullptr);
    } else {
      EXPECT_TRUE(row.HasHandler()) << row.handlerName;
    }
  }
  EXPECT_EQ(FindCommand(ID_EDIT_COPY), nullptr);
  EXPECT_EQ(FindCommand(ID_NEXT_PANE), nullptr);
}

TEST_F(ShellTest, WindowIsTheFrameSizeWithDefaultCaptionAndNoBars) {
  EXPECT_EQ(Frame()->frameGeometry().size(), QSize(385, 505));
  EXPECT_EQ(Frame()->windowTitle(), "Untitled - Dravikon  PC Link");
  EXPECT_TRUE(Frame()->findChildren<QToolBar*>().isEmpty());
  EXPECT_EQ(Frame()->findChild<QStatusBar*>(), nullptr);
  EXPECT_EQ(Frame()->centralWidget(), View());
  EXPECT_FALSE(Frame()->windowIcon().isNull());
}

TEST_F(ShellTest, Comm1IsCheckedAtStartAndTheMarksSwapWithComm2) {
  QMenu* options = Popup(Frame()->menuBar(), "Options");
  ASSERT_NE(options, nullptr);
  CommPortIndex = 0;
  Frame()->UpdateMenu(options);
  EXPECT_TRUE(Frame()->ActionFor(ID_OPTIONS_COMM1)->isChecked());
  EXPECT_FALSE(Frame()->ActionFor(ID_OPTIONS_COMM2)->isChecked());
  EXPECT_TRUE(Frame()->ActionFor(ID_OPTIONS_COMM2)->isEnabled());

  Frame()->ActionFor(ID_OPTIONS_COMM2)->trigger();
  EXPECT_EQ(CommPortIndex, 1);
  Frame()->UpdateMenu(options);
  EXPECT_FALSE(Frame()->ActionFor(ID_OPTIONS_COMM1)->isChecked());
  EXPECT_TRUE(Frame()->ActionFor(ID_OPTIONS_COMM2)->isChecked());

  Frame()->ActionFor(ID_OPTIONS_COMM1)->trigger();
  EXPECT_EQ(CommPortIndex, 0);
}

TEST_F(ShellTest, DisplayDatabaseIsAlwaysGreyed) {
  QMenu* options = Popup(Frame()->menuBar(), "Options");
  emit options->aboutToShow();
  EXPECT_FALSE(Frame()->ActionFor(ID_OPTIONS_DISPLAYDATABASE)->isEnabled());
  QMenu* database = Popup(Frame()->menuBar(), "Database");
  emit database->aboutToShow();
  EXPECT_TRUE(Frame()->ActionFor(ID_DATABASE_READFROMUNIT)->isEnabled());
}

TEST_F(ShellTest, HasTheThirteenAcceleratorsInOrder) {
  QStringList keys;
  for (QAction* action : Frame()->actions()) keys << action->shortcut().toString();
  EXPECT_EQ(keys, (QStringList{"Ctrl+N", "Ctrl+O", "Ctrl+S", "Ctrl+Z", "Ctrl+X", "Ctrl+C", "Ctrl+V", "Alt+Backspace",
                               "Shift+Del", "Ctrl+Ins", "Shift+Ins", "F6", "Shift+F6"}));
}

TEST_F(ShellTest, CtrlNEmptiesTheHeldDatabase) {
  HoldSomething();
  MergeScratch[100] = 1;
  Frame()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(Frame()));
  QTest::keyClick(Frame(), Qt::Key_N, Qt::ControlModifier);
  EXPECT_EQ(WorkingDatabase, DatabaseImage{});
  EXPECT_EQ(MergeScratch, DatabaseImage{});
  EXPECT_EQ(Frame()->windowTitle(), "Untitled - Dravikon  PC Link");
}

TEST_F(ShellTest, EditAndPaneKeysChangeNothing) {
  HoldSomething();
  const DatabaseImage before = WorkingDatabase;
  Frame()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(Frame()));
  const std::pair<Qt::Key, Qt::KeyboardModifiers> keys[] = {
      {Qt::Key_Z, Qt::ControlModifier},      {Qt::Key_X, Qt::ControlModifier},     {Qt::Key_C, Qt::ControlModifier},
      {Qt::Key_V, Qt::ControlModifier},      {Qt::Key_Backspace, Qt::AltModifier}, {Qt::Key_Delete, Qt::ShiftModifier},
      {Qt::Key_Insert, Qt::ControlModifier}, {Qt::Key_Insert, Qt::ShiftModifier},  {Qt::Key_F6, Qt::NoModifier},
      {Qt::Key_F6, Qt::ShiftModifier}};
  for (const auto& [key, modifiers] : keys) QTest::keyClick(Frame(), key, modifiers);
  EXPECT_EQ(WorkingDatabase, before);
  EXPECT_EQ(Frame()->windowTitle(), "Untitled - Dravikon  PC Link");
  EXPECT_TRUE(messages.shown.empty());
}

// Ctrl+O starts a new document and loads the file into it: a database as
// Read from File reads it, anything else as Import Camera Data imports it.
TEST_F(ShellTest, CtrlOOpensAFileLoadsItAndRemembersIt) {
  QTemporaryDir dir;
  const DatabaseImage saved = ImageWith({{309000, -9000}, {315000, -12000}});
  const std::pair<QString, QByteArray> files[] = {
      {dir.filePath("saved db.bin"), QByteArray(reinterpret_cast<const char*>(saved.data()), kDatabaseImageSize)},
      {dir.filePath("cameras"), QByteArray("X,Y\n-1.5,51.5\n-2,52.5\n")},
  };
  for (const auto& [path, bytes] : files) {
    SCOPED_TRACE(path.toStdString());
    {
      QFile file(path);
      ASSERT_TRUE(file.open(QIODevice::WriteOnly));
      file.write(bytes);
    }
    HoldSomething();
    messages.shown.clear();
    App()->SetOpenFilePrompt([&] { return path; });
    Frame()->ActionFor(ID_FILE_OPEN)->trigger();
    EXPECT_EQ(Frame()->windowTitle(), QFileInfo(path).fileName() + " - Dravikon  PC Link");
    EXPECT_EQ(App()->RecentFiles().value(0), QFileInfo(path).absoluteFilePath());
    ASSERT_TRUE(QTest::qWaitFor([&] { return WorkingDatabase == saved; })) << "the file was never loaded";
    EXPECT_EQ(messages.shown.size(), bytes.startsWith("X,Y") ? 1u : 0u) << "a list tells its count, a database nothing";

    // Ctrl+S must never write over the opened file.
    Frame()->ActionFor(ID_FILE_SAVE)->trigger();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), bytes);
  }
}

TEST_F(ShellTest, CtrlOOnAFileThatCannotBeOpenedSaysSoAndChangesNothing) {
  QTemporaryDir dir;
  HoldSomething();
  const DatabaseImage before = WorkingDatabase;
  for (const QString& path : {dir.filePath("missing.bin"), dir.path()}) {
    messages.shown.clear();
    App()->SetOpenFilePrompt([&] { return path; });
    Frame()->ActionFor(ID_FILE_OPEN)->trigger();
    ASSERT_EQ(messages.shown.size(), 1u) << path.toStdString();
    EXPECT_NE(messages.shown[0].text.find(path.toStdString()), std::string::npos);
    EXPECT_EQ(Frame()->windowTitle(), "Untitled - Dravikon  PC Link");
    EXPECT_EQ(WorkingDatabase, before);
  }
}

TEST_F(ShellTest, CancelInTheOpenDialogDoesNothing) {
  HoldSomething();
  const DatabaseImage before = WorkingDatabase;
  App()->SetOpenFilePrompt([] { return QString(); });
  Frame()->ActionFor(ID_FILE_OPEN)->trigger();
  EXPECT_EQ(WorkingDatabase, before);
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ShellTest, RecentFileListKeepsFourNewestFirst) {
  QTemporaryDir dir;
  for (int i = 1; i <= 6; ++i) {
    const QString path = dir.filePath(QStringLiteral("f%1").arg(i));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    ASSERT_TRUE(App()->OpenDocumentFile(path));
  }
  const QStringList recent = App()->RecentFiles();
  ASSERT_EQ(recent.size(), 4);
  EXPECT_TRUE(recent[0].endsWith("f6"));
  EXPECT_TRUE(recent[3].endsWith("f3"));
}

TEST_F(ShellTest, AboutBoxShowsItsTextsAndClosesWithOk) {
  CAboutDlg about;
  EXPECT_EQ(about.windowTitle(), "About zorvane");
  QStringList texts;
  for (QLabel* label : about.findChildren<QLabel*>()) texts << label->text();
  EXPECT_TRUE(texts.contains("Dravikon - PC Link\nv1.0 29/7/05"));
  EXPECT_TRUE(texts.last().startsWith("Copyright (C) 2005"));
  QTimer::singleShot(0, &about, [&] { about.findChild<QPushButton*>("IDOK")->click(); });
  EXPECT_EQ(about.exec(), QDialog::Accepted);
}

class CommandLine : public ::testing::Test {
 protected:
  static CZorvaneApp* App() { return static_cast<CZorvaneApp*>(QApplication::instance()); }
  void TearDown() override {
    App()->ExitInstance();
    App()->SetMessageBox(nullptr);
  }
  RecordingMessageBox messages;
};

TEST_F(CommandLine, AFileThatCannotBeOpenedEndsStartUpWithAnError) {
  App()->SetMessageBox(&messages);
  EXPECT_EQ(App()->InitInstance({"zorvane", "/nonexistent/db.bin"}, false), CZorvaneApp::StartResult::ExitError);
  EXPECT_EQ(App()->MainFrame(), nullptr);
  EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(CommandLine, HelpAndUnknownOptions) {
  EXPECT_EQ(App()->InitInstance({"zorvane", "--help"}, false), CZorvaneApp::StartResult::ExitOk);
  EXPECT_EQ(App()->InitInstance({"zorvane", "--bogus"}, false), CZorvaneApp::StartResult::ExitError);
  EXPECT_EQ(App()->InitInstance({"zorvane", "a", "b"}, false), CZorvaneApp::StartResult::ExitError);
}

// As a file manager's "Open with" runs it: the file's cameras are shown.
TEST_F(CommandLine, AReadableFileIsOpenedAsTheDocumentAndLoaded) {
  QTemporaryDir dir;
  const QString path = dir.filePath("x.db");
  const DatabaseImage saved = ImageWith({{309000, -9000}});
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(reinterpret_cast<const char*>(saved.data()), kDatabaseImageSize);
  file.close();
  App()->SetMessageBox(&messages);
  ASSERT_EQ(App()->InitInstance({"zorvane", path}, false), CZorvaneApp::StartResult::Run);
  EXPECT_EQ(App()->MainFrame()->windowTitle(), "x.db - Dravikon  PC Link");
  ASSERT_TRUE(QTest::qWaitFor([] { return WorkingDatabase == ImageWith({{309000, -9000}}); }));
  EXPECT_TRUE(messages.shown.empty());

  // Named .db but no database: told as Read from File tells it.
  App()->ExitInstance();
  file.open(QIODevice::WriteOnly | QIODevice::Truncate);
  file.write("not a database");
  file.close();
  ASSERT_EQ(App()->InitInstance({"zorvane", path}, false), CZorvaneApp::StartResult::Run);
  ASSERT_TRUE(QTest::qWaitFor([this] { return !messages.shown.empty(); }));
  EXPECT_EQ(messages.shown[0].text, kMsgNotValidDatabase);
}

}  // namespace

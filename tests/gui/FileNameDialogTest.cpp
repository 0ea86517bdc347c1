// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QDeadlineTimer>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "app/ProcessState.h"
#include "dialogs/CImportDlg.h"
#include "dialogs/CReadFileDlg.h"
#include "dialogs/CUpgradeDlg.h"
#include "dialogs/CWriteFileDlg.h"
#include "dialogs/DialogUnits.h"
#include "dialogs/QtFileNamePrompt.h"
#include "tests/gui/AppFixture.h"
#include "tests/gui/FileNameDialogDriver.h"
#include "tests/support/ImageBuilders.h"
#include "tests/support/TempDir.h"

namespace {

QWidget* NextTabStop(QWidget* widget) {
  QWidget* next = widget->nextInFocusChain();
  while (next != widget && !(next->focusPolicy() & Qt::TabFocus)) next = next->nextInFocusChain();
  return next;
}

const FileNameDialogKind kKinds[] = {FileNameDialogKind::Import, FileNameDialogKind::Upgrade,
                                     FileNameDialogKind::WriteFile, FileNameDialogKind::ReadFile};

class FileNameDialog : public ::testing::Test {
 protected:
  void TearDown() override { CFileNameDlg::SetFileChooser({}); }
  // A chooser that records what it was asked and answers `answer`.
  void ChooserAnswers(std::optional<QString> answer) {
    CFileNameDlg::SetFileChooser([this, answer](QWidget*, const FileChooserRequest& request) {
      requests.push_back(request);
      return answer;
    });
  }
  std::vector<FileChooserRequest> requests;
};

TEST_F(FileNameDialog, EachIsBuiltFromItsTemplateInDialogUnits) {
  for (FileNameDialogKind kind : kKinds) {
    const std::unique_ptr<CFileNameDlg> dialog = MakeFileNameDialog(kind, nullptr);
    const FileNameDialogTemplate& t = FileNameDialogTemplateFor(kind);
    const DialogUnits du(dialog->font());
    SCOPED_TRACE(t.className);
    EXPECT_EQ(dialog->objectName(), t.className);
    EXPECT_EQ(dialog->windowTitle(), t.title);
    EXPECT_EQ(dialog->size(), du.Size(t.width, t.height));
    EXPECT_TRUE(dialog->m_fileName.isEmpty());

    QWidget* previous = nullptr;
    for (const ControlTemplate& c : t.controls) {
      const auto statics = dialog->findChildren<QLabel*>();
      QWidget* widget = c.id == kIdcStatic ? nullptr : dialog->Control(c.id);
      if (c.kind == ControlKind::Static) {
        const auto it = std::find_if(statics.begin(), statics.end(), [&](QLabel* l) { return l->text() == c.text; });
        ASSERT_NE(it, statics.end()) << c.text;
        widget = *it;
        EXPECT_LE((*it)->heightForWidth((*it)->width()), (*it)->height()) << "cut off: " << c.text;
      } else if (c.kind == ControlKind::Edit) {
        EXPECT_EQ(widget, dialog->FileNameEdit());
        EXPECT_TRUE(dialog->FileNameEdit()->text().isEmpty());
      } else {
        ASSERT_NE(widget, nullptr) << c.id;
        EXPECT_EQ(static_cast<QPushButton*>(widget)->text(), c.text);
        EXPECT_EQ(static_cast<QPushButton*>(widget)->isDefault(), c.id == IDOK);
      }
      EXPECT_EQ(widget->geometry(), du.Rect(c.x, c.y, c.width, c.height)) << c.id;
      // Tab order follows the template; static texts take no focus.
      if (c.kind == ControlKind::Static) continue;
      if (previous != nullptr) {
        EXPECT_EQ(NextTabStop(previous), widget) << c.id;
      }
      previous = widget;
    }
  }
}

TEST_F(FileNameDialog, OkReturnsTheFieldExactlyEvenWhenEmpty) {
  CUpgradeDlg empty;
  WhenDialogOpens([](CFileNameDlg& d) {
    EXPECT_EQ(d.focusWidget(), d.Control(IDOK)) << "focus starts on the first control";
    TypeAndPress(d, "", IDOK);
  });
  EXPECT_EQ(empty.DoModal(), IDOK);
  EXPECT_EQ(empty.m_fileName, "");

  CUpgradeDlg typed;
  WhenDialogOpens([](CFileNameDlg& d) { TypeAndPress(d, "  firmware v2.hex ", IDOK); });
  EXPECT_EQ(typed.DoModal(), IDOK);
  EXPECT_EQ(typed.m_fileName, "  firmware v2.hex ");

  CUpgradeDlg enter;
  WhenDialogOpens([](CFileNameDlg& d) {
    d.FileNameEdit()->setText("unit.hex");
    QTest::keyClick(d.FileNameEdit(), Qt::Key_Return);
  });
  EXPECT_EQ(enter.DoModal(), IDOK) << "Enter presses the default button";
  EXPECT_EQ(enter.m_fileName, "unit.hex");
}

TEST_F(FileNameDialog, CancelEscapeAndTheCloseBoxCopyNothing) {
  const std::vector<std::function<void(CFileNameDlg&)>> endings = {
      [](CFileNameDlg& d) { TypeAndPress(d, "typed.bin", IDCANCEL); },
      [](CFileNameDlg& d) {
        d.FileNameEdit()->setText("typed.bin");
        QTest::keyClick(&d, Qt::Key_Escape);
      },
      [](CFileNameDlg& d) {
        d.FileNameEdit()->setText("typed.bin");
        d.close();
      },
  };
  for (const auto& end : endings) {
    CReadFileDlg dialog;
    WhenDialogOpens(end);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.m_fileName, "");
  }
}

TEST_F(FileNameDialog, BrowseAsksWithTheFiltersTitleAndFieldAsFolder) {
  ChooserAnswers(std::nullopt);
  const std::pair<FileNameDialogKind, QStringList> cases[] = {
      {FileNameDialogKind::Import,
       {"Camera lists (*.csv *.txt *.ov2 *.gpx *.kml *.geojson *.json *.osm)", "csv files (*.csv)",
        "iGO speed cameras (*.txt)", "OV2 files (*.ov2)", "GPX files (*.gpx)", "KML files (*.kml)",
        "GeoJSON files (*.geojson *.json)", "OpenStreetMap files (*.osm)", "All files (*)"}},
      {FileNameDialogKind::Upgrade, {"hex files (*.hex)", "All files (*)"}},
      {FileNameDialogKind::WriteFile, {"All files (*)"}},
      {FileNameDialogKind::ReadFile, {"All files (*)"}},
  };
  for (const auto& [kind, filters] : cases) {
    const std::unique_ptr<CFileNameDlg> dialog = MakeFileNameDialog(kind, nullptr);
    dialog->FileNameEdit()->setText("/some/folder");
    static_cast<QPushButton*>(dialog->Control(dialog->Template().browseId))->click();
    ASSERT_FALSE(requests.empty());
    EXPECT_EQ(requests.back().filters, filters);
    EXPECT_EQ(requests.back().title, dialog->Template().chooserTitle);
    EXPECT_EQ(requests.back().startFolder, "/some/folder");
    EXPECT_EQ(requests.back().namesNewFile, kind == FileNameDialogKind::WriteFile);
    EXPECT_EQ(dialog->FileNameEdit()->text(), "/some/folder") << "a cancelled chooser changes nothing";
  }
  EXPECT_EQ(requests.size(), 4u);
}

TEST_F(FileNameDialog, ANameChosenByBrowseCanBeEditedBeforeOk) {
  ChooserAnswers(QStringLiteral("/data/not-yet-there.bin"));
  CWriteFileDlg dialog;
  WhenDialogOpens([](CFileNameDlg& d) {
    d.OnBrowse();
    EXPECT_EQ(d.FileNameEdit()->text(), "/data/not-yet-there.bin");
    d.FileNameEdit()->setText(d.FileNameEdit()->text() + ".old");
    static_cast<QPushButton*>(d.Control(IDOK))->click();
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.m_fileName, "/data/not-yet-there.bin.old");
}

TEST_F(FileNameDialog, ANameTooLongToReturnLeavesTheField) {
  ChooserAnswers(QString(kMaxChosenNameLength + 1, QLatin1Char('a')));
  CImportDlg dialog;
  dialog.FileNameEdit()->setText("typed");
  dialog.OnBrowse();
  EXPECT_EQ(dialog.FileNameEdit()->text(), "typed");

  ChooserAnswers(QString(kMaxChosenNameLength, QLatin1Char('a')));
  dialog.OnBrowse();
  EXPECT_EQ(dialog.FileNameEdit()->text().size(), kMaxChosenNameLength);
}

// Qt's own chooser, as on a desktop without a platform theme of its own.
TEST_F(FileNameDialog, QtsOwnChooserNamesANewFileForWriteAndAsksNothingAboutAnOldOne) {
  TempDir dir;
  dir.Write("already.db", "an old database");
  for (const std::string name : {"not yet there.db", "already.db"}) {
    SCOPED_TRACE(name);
    CWriteFileDlg dialog;
    dialog.FileNameEdit()->setText(QString::fromStdString(dir.Path().string()));
    bool typed = false;
    bool askedToConfirm = false;
    const QDeadlineTimer limit(20000);
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
      QWidget* modal = QApplication::activeModalWidget();
      if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        askedToConfirm = true;
        box->button(QMessageBox::Yes)->click();
      } else if (auto* chooser = qobject_cast<QFileDialog*>(modal)) {
        if (limit.hasExpired()) chooser->reject();
        if (typed) return;
        typed = true;
        auto* edit = chooser->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(edit, nullptr);
        edit->setText(QString::fromStdString(name));
        QTest::keyClick(edit, Qt::Key_Return);
      }
    });
    watch.start(0);
    dialog.OnBrowse();
    EXPECT_TRUE(typed);
    EXPECT_FALSE(askedToConfirm) << "Write to File itself decides about an old file";
    EXPECT_EQ(dialog.FileNameEdit()->text().toStdString(), dir.File(name));
  }
}

TEST_F(FileNameDialog, ThePromptOpensAnEmptyDialogEveryTime) {
  QtFileNamePrompt prompt(nullptr);
  WhenDialogOpens([](CFileNameDlg& d) {
    EXPECT_EQ(d.objectName(), "CImportDlg");
    TypeAndPress(d, "cameras.csv", IDOK);
  });
  EXPECT_EQ(prompt.Ask(FileNameDialogKind::Import), std::optional<std::string>("cameras.csv"));
  WhenDialogOpens([](CFileNameDlg& d) {
    EXPECT_TRUE(d.FileNameEdit()->text().isEmpty());
    TypeAndPress(d, d.FileNameEdit()->text(), IDOK);
  });
  EXPECT_EQ(prompt.Ask(FileNameDialogKind::Import), std::optional<std::string>(""));
  WhenDialogOpens([](CFileNameDlg& d) { TypeAndPress(d, "x", IDCANCEL); });
  EXPECT_EQ(prompt.Ask(FileNameDialogKind::Upgrade), std::nullopt);
}

// The handlers end to end, through the real dialogs.
class FileHandlers : public AppFixture {
 protected:
  TempDir dir;
};

TEST_F(FileHandlers, WriteReadAndImportRunThroughTheirDialogs) {
  const std::string csv = dir.Write("c.csv", "X,Y\n-1.5,51.5\n0,50\n");
  WhenDialogOpens([&](CFileNameDlg& d) {
    EXPECT_EQ(d.objectName(), "CImportDlg");
    TypeAndPress(d, QString::fromStdString(csv), IDOK);
  });
  View()->OnImportCameraData();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "2 camera locations loaded.");
  EXPECT_EQ(WorkingDatabase, ImageWith({{309000, -9000}, {300000, 0}}));

  const std::string db = dir.File("db.bin");
  WhenDialogOpens([&](CFileNameDlg& d) {
    EXPECT_EQ(d.objectName(), "CWriteFileDlg");
    TypeAndPress(d, QString::fromStdString(db), IDOK);
  });
  View()->OnWriteToFile();
  EXPECT_EQ(ReadWholeFile(db).size(), kDatabaseImageSize);

  View()->OnInitialUpdate();
  WhenDialogOpens([&](CFileNameDlg& d) {
    EXPECT_EQ(d.objectName(), "CReadFileDlg");
    TypeAndPress(d, QString::fromStdString(db), IDOK);
  });
  View()->OnReadFromFile();
  EXPECT_EQ(WorkingDatabase, ImageWith({{309000, -9000}, {300000, 0}}));
  EXPECT_EQ(messages.shown.size(), 1u) << "writing and reading say nothing on success";
}

}  // namespace

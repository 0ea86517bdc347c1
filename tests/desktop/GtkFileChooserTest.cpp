// SPDX-License-Identifier: GPL-3.0-or-later
// Browse under Qt's GTK platform theme, as on a GNOME desktop: the chooser
// is GTK's own. Write to File's must take a name that does not exist yet
// and must not ask before naming one that does: the command decides.
#include <gtk/gtk.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>

#include "dialogs/CReadFileDlg.h"
#include "dialogs/CWriteFileDlg.h"
#include "tests/gui/AppFixture.h"
#include "tests/support/TempDir.h"

namespace {

constexpr int kChooserLimitMs = 20000;

GtkFileChooser* VisibleGtkChooser() {
  GList* windows = gtk_window_list_toplevels();
  GtkFileChooser* found = nullptr;
  for (GList* w = windows; w != nullptr && found == nullptr; w = w->next) {
    auto* widget = GTK_WIDGET(w->data);
    if (GTK_IS_FILE_CHOOSER_DIALOG(widget) && gtk_widget_get_visible(widget)) found = GTK_FILE_CHOOSER(widget);
  }
  g_list_free(windows);
  return found;
}

void Press(GtkFileChooser* chooser, GtkResponseType response) {
  GtkWidget* button = gtk_dialog_get_widget_for_response(GTK_DIALOG(chooser), response);
  if (button != nullptr) gtk_button_clicked(GTK_BUTTON(button));
}

// What the GTK chooser that Browse opened was like.
struct ChooserSeen {
  bool opened = false;
  GtkFileChooserAction action = GTK_FILE_CHOOSER_ACTION_OPEN;
  bool confirmsOverwrite = true;
  std::string title;
};

class GtkChooser : public AppFixture {
 protected:
  // Presses Browse in `dialog`; when GTK's chooser is up, notes what it is
  // like and, if it is one that names files, names `name` in `folder` and,
  // once the chooser has taken both in (it moves to a folder in the
  // background), presses its accept button; any other chooser is cancelled,
  // and so is one still up when the limit runs out.
  ChooserSeen Browse(CFileNameDlg& dialog, const std::string& folder, const std::string& name) {
    ChooserSeen seen;
    bool named = false;
    bool pressed = false;
    const std::string wanted = folder + "/" + name;
    const QDeadlineTimer limit(kChooserLimitMs);
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
      // Qt's own chooser on screen means the GTK theme is not in use.
      auto* own = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      if (own != nullptr && !own->testAttribute(Qt::WA_DontShowOnScreen)) own->reject();
      GtkFileChooser* chooser = VisibleGtkChooser();
      if (chooser == nullptr) return;
      if (limit.hasExpired()) {
        Press(chooser, GTK_RESPONSE_CANCEL);
      } else if (!seen.opened) {
        seen.opened = true;
        seen.action = gtk_file_chooser_get_action(chooser);
        seen.confirmsOverwrite = gtk_file_chooser_get_do_overwrite_confirmation(chooser);
        seen.title = gtk_window_get_title(GTK_WINDOW(chooser));
        if (seen.action != GTK_FILE_CHOOSER_ACTION_SAVE || seen.confirmsOverwrite) {
          Press(chooser, GTK_RESPONSE_CANCEL);
          return;
        }
        gtk_file_chooser_set_current_folder(chooser, folder.c_str());
        gtk_file_chooser_set_current_name(chooser, name.c_str());
        named = true;
      } else if (named && !pressed) {
        gchar* chosen = gtk_file_chooser_get_filename(chooser);
        pressed = chosen != nullptr && wanted == chosen;
        g_free(chosen);
        if (pressed) Press(chooser, GTK_RESPONSE_OK);
      }
    });
    watch.start(0);
    dialog.OnBrowse();
    if (!seen.opened) ADD_FAILURE() << "no GTK file chooser opened (is qt6-gtk-platformtheme installed?)";
    return seen;
  }

  TempDir dir;
};

TEST_F(GtkChooser, WriteToFileNamesANewFileAndAsksNothingAboutAnOldOne) {
  for (const std::string name : {"not yet there.db", "already.db"}) {
    SCOPED_TRACE(name);
    dir.Write("already.db", "an old database");
    CWriteFileDlg dialog;
    dialog.FileNameEdit()->setText("typed");
    const ChooserSeen seen = Browse(dialog, dir.Path().string(), name);
    ASSERT_TRUE(seen.opened);
    EXPECT_EQ(seen.action, GTK_FILE_CHOOSER_ACTION_SAVE) << "GTK's open chooser returns only files that exist";
    EXPECT_FALSE(seen.confirmsOverwrite);
    EXPECT_EQ(seen.title, "Select a file name");
    EXPECT_EQ(dialog.FileNameEdit()->text().toStdString(), dir.File(name));
  }
}

TEST_F(GtkChooser, ReadFromFileStillOpensAnExistingFile) {
  CReadFileDlg dialog;
  const ChooserSeen seen = Browse(dialog, dir.Path().string(), "");
  ASSERT_TRUE(seen.opened);
  EXPECT_EQ(seen.action, GTK_FILE_CHOOSER_ACTION_OPEN);
}

}  // namespace

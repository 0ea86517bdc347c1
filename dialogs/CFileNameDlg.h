// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The shape shared by the four file-name dialogs: a text, an edit field for
// the name, Browse, OK captioned for the action, and Cancel, built from the
// dialog's template. The dialog only collects the name; the command checks
// it after the dialog closes.
#include <QDialog>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "resources/FileNameDialogTemplates.h"

class QLineEdit;

// What Browse asks of the file chooser. It must accept a name that does not
// exist yet, since the same chooser names files that are to be created.
struct FileChooserRequest {
  QString title;
  QString startFolder;  // the field's text, taken as the folder to start in
  QStringList filters;  // "csv files (*.csv)", ...; the first is selected
  // The name is of a file to be written (Write to File): the chooser must be
  // one that names files, since some (GTK's open chooser) return only files
  // that exist. Whether an old file may be replaced is the command's to say.
  bool namesNewFile = false;
};
// Returns the full name chosen, or nothing when the user cancelled.
using FileChooser = std::function<std::optional<QString>(QWidget* parent, const FileChooserRequest& request)>;

class CFileNameDlg : public QDialog {
  Q_OBJECT
 public:
  // Shows the dialog; IDOK when it was closed with OK, IDCANCEL otherwise.
  int DoModal();
  // Browse: asks the chooser and puts the name chosen in the field; a
  // cancelled chooser, or a name too long to return, leaves the field alone.
  void OnBrowse();
  void accept() override;

  const FileNameDialogTemplate& Template() const { return m_template; }
  QLineEdit* FileNameEdit() const { return m_edit; }
  // The control of a template id, or nullptr.
  QWidget* Control(int id) const;

  // Tests put a fake here so that no real chooser opens; an empty function
  // restores the default.
  static void SetFileChooser(FileChooser chooser);

  // Empty when the dialog is made. After OK it holds the field's text
  // exactly as entered, possibly empty.
  QString m_fileName;

 protected:
  CFileNameDlg(const FileNameDialogTemplate& dialogTemplate, QWidget* parent);

 private:
  const FileNameDialogTemplate& m_template;
  QLineEdit* m_edit = nullptr;
};

// The longest full name the chooser may return, in bytes of the file-system
// encoding.
inline constexpr int kMaxChosenNameLength = 1023;

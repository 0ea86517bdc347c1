// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/CFileNameDlg.h"

#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <limits>

#include "dialogs/DialogUnits.h"

namespace {

std::optional<QString> ShowFileDialog(QWidget* parent, const FileChooserRequest& request) {
  QFileDialog chooser(parent, request.title, request.startFolder);
  chooser.setAcceptMode(request.namesNewFile ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  chooser.setOption(QFileDialog::DontConfirmOverwrite);
  chooser.setFileMode(QFileDialog::AnyFile);
  chooser.setNameFilters(request.filters);
  if (!request.filters.isEmpty()) chooser.selectNameFilter(request.filters.front());
  if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty()) return std::nullopt;
  return chooser.selectedFiles().front();
}

FileChooser& Chooser() {
  static FileChooser chooser = &ShowFileDialog;
  return chooser;
}

QString ObjectNameFor(int id) {
  if (id == IDOK) return QStringLiteral("IDOK");
  if (id == IDCANCEL) return QStringLiteral("IDCANCEL");
  if (id == kIdcStatic) return QStringLiteral("IDC_STATIC");
  return QString::number(id);
}

// The templates were laid out for a narrower font than most systems have; a
// text that would be cut off in its rectangle is set a little smaller
// instead, so the layout stays as designed and every word stays readable.
void ShrinkToFit(QLabel* label) {
  constexpr qreal kSmallestPointSize = 6.0;
  QFont font = label->font();
  while (label->heightForWidth(label->width()) > label->height() && font.pointSizeF() > kSmallestPointSize) {
    font.setPointSizeF(font.pointSizeF() - 0.5);
    label->setFont(font);
  }
}

QWidget* MakeControl(const ControlTemplate& control, QWidget* parent) {
  const QString text = QString::fromLatin1(control.text);
  switch (control.kind) {
    case ControlKind::DefaultButton:
    case ControlKind::Button: {
      auto* button = new QPushButton(text, parent);
      button->setDefault(control.kind == ControlKind::DefaultButton);
      return button;
    }
    case ControlKind::Static: {
      auto* label = new QLabel(text, parent);
      label->setTextFormat(Qt::PlainText);
      label->setWordWrap(true);
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      return label;
    }
    case ControlKind::Edit: {
      auto* edit = new QLineEdit(text, parent);
      edit->setMaxLength(std::numeric_limits<int>::max());
      return edit;
    }
  }
  return nullptr;
}

}  // namespace

CFileNameDlg::CFileNameDlg(const FileNameDialogTemplate& dialogTemplate, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      m_template(dialogTemplate) {
  setObjectName(QString::fromLatin1(dialogTemplate.className));
  setWindowTitle(QString::fromLatin1(dialogTemplate.title));
  setModal(true);
  const DialogUnits du(font());
  setFixedSize(du.Size(dialogTemplate.width, dialogTemplate.height));

  // Made in template order, so the tab order follows it and focus starts on
  // OK, the first control.
  for (const ControlTemplate& control : dialogTemplate.controls) {
    QWidget* widget = MakeControl(control, this);
    widget->setObjectName(ObjectNameFor(control.id));
    widget->setProperty("controlId", control.id);
    widget->setGeometry(du.Rect(control.x, control.y, control.width, control.height));
    if (control.kind == ControlKind::Static) ShrinkToFit(static_cast<QLabel*>(widget));
    if (control.id == dialogTemplate.editId) m_edit = static_cast<QLineEdit*>(widget);
  }
  connect(static_cast<QPushButton*>(Control(IDOK)), &QPushButton::clicked, this, &CFileNameDlg::accept);
  connect(static_cast<QPushButton*>(Control(IDCANCEL)), &QPushButton::clicked, this, &CFileNameDlg::reject);
  connect(static_cast<QPushButton*>(Control(dialogTemplate.browseId)), &QPushButton::clicked, this,
          &CFileNameDlg::OnBrowse);
}

QWidget* CFileNameDlg::Control(int id) const {
  for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    const QVariant value = child->property("controlId");
    if (value.isValid() && value.toInt() == id) return child;
  }
  return nullptr;
}

int CFileNameDlg::DoModal() {
  m_edit->setText(m_fileName);
  Control(IDOK)->setFocus();
  return exec() == QDialog::Accepted ? IDOK : IDCANCEL;
}

void CFileNameDlg::accept() {
  m_fileName = m_edit->text();
  QDialog::accept();
}

void CFileNameDlg::OnBrowse() {
  m_fileName = m_edit->text();
  FileChooserRequest request;
  request.title = QString::fromLatin1(m_template.chooserTitle);
  request.startFolder = m_fileName;
  request.namesNewFile = m_template.kind == FileNameDialogKind::WriteFile;
  for (const FileFilter& filter : m_template.filters) {
    request.filters << QStringLiteral("%1 (%2)").arg(QString::fromLatin1(filter.description),
                                                     QString::fromLatin1(filter.pattern));
  }
  const std::optional<QString> chosen = Chooser()(nullptr, request);
  if (!chosen || chosen->isEmpty() || chosen->toUtf8().size() > kMaxChosenNameLength) return;
  m_fileName = *chosen;
  m_edit->setText(m_fileName);
}

void CFileNameDlg::SetFileChooser(FileChooser chooser) { Chooser() = chooser ? std::move(chooser) : &ShowFileDialog; }

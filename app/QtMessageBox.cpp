#include "app/QtMessageBox.h"

#include <QMessageBox>

int QtMessageBox::Show(const std::string& text, const std::string& caption, MessageStyle style) {
  QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(caption), QString::fromStdString(text),
                  style == MessageStyle::OkCancel ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok,
                  m_parent);
  box.setTextFormat(Qt::PlainText);
  box.setDefaultButton(QMessageBox::Ok);
  return box.exec() == QMessageBox::Ok ? IDOK : IDCANCEL;
}

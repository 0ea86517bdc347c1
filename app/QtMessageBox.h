#pragma once
// The message box of the core, shown with QMessageBox, modal over `parent`.
#include "dialogs/MessageBox.h"

class QWidget;

class QtMessageBox : public MessageBox {
 public:
  explicit QtMessageBox(QWidget* parent) : m_parent(parent) {}
  int Show(const std::string& text, const std::string& caption, MessageStyle style) override;

 private:
  QWidget* m_parent;
};

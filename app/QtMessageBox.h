#pragma once
// The message box of the core, shown with QMessageBox. Every box has an
// owner and is centred on it: the modal window the user is working in (the
// progress dialog during a transfer), else the main window. A box shown
// before the main window is up stands alone.
#include <functional>

#include "user/MessageBox.h"

class QWidget;

class QtMessageBox : public MessageBox {
 public:
  // `mainWindow` is asked at each box, so it may be made after this object.
  explicit QtMessageBox(std::function<QWidget*()> mainWindow) : m_mainWindow(std::move(mainWindow)) {}
  MessageAnswer Show(const std::string& text, const std::string& caption, MessageStyle style) override;

 private:
  // The window a box shown now belongs to, or nullptr.
  QWidget* Owner() const;

  std::function<QWidget*()> m_mainWindow;
};

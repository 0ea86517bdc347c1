// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The message box of the core, shown with QMessageBox. Every box has an
// owner and is centred on it: the modal window the user is working in (a
// file-name dialog), else the main window. A box shown before the main
// window is up stands alone. A box is never narrower than its caption needs.
#include <functional>
#include <string>

#include "user/MessageBox.h"

class QMessageBox;
class QString;
class QWidget;

// The width a box needs for its caption to be drawn whole in the title bar.
int CaptionRoom(const QString& caption);
// Holds `box` at least that wide.
void KeepCaptionWhole(QMessageBox& box, const std::string& caption);

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

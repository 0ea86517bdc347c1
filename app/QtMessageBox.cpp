#include "app/QtMessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QScreen>
#include <QWindow>
#include <algorithm>

#include "app/WhenFramed.h"

namespace {

// Where a window of `size` (frame included) stands centred on `owner`,
// kept on the owner's screen.
QPoint CentredOn(const QWidget* owner, QSize size) {
  QRect place(QPoint(), size);
  place.moveCenter(OuterFrame(owner).center());
  const QRect screen = owner->screen()->availableGeometry();
  place.moveLeft(std::clamp(place.left(), screen.left(), std::max(screen.left(), screen.right() + 1 - size.width())));
  place.moveTop(std::clamp(place.top(), screen.top(), std::max(screen.top(), screen.bottom() + 1 - size.height())));
  return place.topLeft();
}

}  // namespace

QWidget* QtMessageBox::Owner() const {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  QWidget* main = m_mainWindow ? m_mainWindow() : nullptr;
  return main != nullptr && main->isVisible() ? main : nullptr;
}

MessageAnswer QtMessageBox::Show(const std::string& text, const std::string& caption, MessageStyle style) {
  // Made with its owner as parent, the window manager keeps it over that
  // window and Qt opens it about centred on it; once framed, it is centred
  // with the frames counted.
  QWidget* owner = Owner();
  QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(caption), QString::fromStdString(text),
                  style == MessageStyle::OkCancel ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok, owner);
  box.setTextFormat(Qt::PlainText);
  box.setDefaultButton(QMessageBox::Ok);
  if (owner != nullptr) {
    // Placed through its window: QWidget::move would turn the frame's place
    // into the client's with the frame the widget last heard of, which may
    // still be none.
    WhenFramed(&box, [&box, owner](QSize decoration) {
      box.windowHandle()->setFramePosition(CentredOn(owner, box.size() + decoration));
    });
  }
  return box.exec() == QMessageBox::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

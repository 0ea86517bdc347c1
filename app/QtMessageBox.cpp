// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/QtMessageBox.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QScreen>
#include <QWindow>
#include <algorithm>

#include "app/WhenFramed.h"

namespace {

// The window's icon and its three buttons share the title bar with the caption.
constexpr int kTitleBarButtons = 4;

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

int CaptionRoom(const QString& caption) {
  // Window managers draw titles in bold, beside an icon and three buttons
  // about as wide as the title bar is high.
  QFont bold = QApplication::font();
  bold.setBold(true);
  const QFontMetrics metrics(bold);
  return metrics.horizontalAdvance(caption) + kTitleBarButtons * 2 * metrics.height();
}

void KeepCaptionWhole(QMessageBox& box, const std::string& caption) {
  // A short text makes a box narrower than its title: the window manager
  // would cut "Completed" to "Comp...". A box's layout is a grid; a spacer
  // under it all holds the box that wide.
  auto* grid = qobject_cast<QGridLayout*>(box.layout());
  if (grid == nullptr) return;
  const int room = CaptionRoom(QString::fromStdString(caption));
  grid->addItem(new QSpacerItem(room, 0, QSizePolicy::Minimum, QSizePolicy::Minimum), grid->rowCount(), 0, 1,
                grid->columnCount());
}

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
  const QMessageBox::StandardButtons buttons = style == MessageStyle::OkCancel ? QMessageBox::Ok | QMessageBox::Cancel
                                               : style == MessageStyle::YesNo  ? QMessageBox::Yes | QMessageBox::No
                                                                               : QMessageBox::Ok;
  QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(caption), QString::fromStdString(text), buttons, owner);
  box.setTextFormat(Qt::PlainText);
  box.setDefaultButton(style == MessageStyle::YesNo ? QMessageBox::Yes : QMessageBox::Ok);
  if (style == MessageStyle::YesNo) box.setEscapeButton(QMessageBox::No);
  KeepCaptionWhole(box, caption);
  if (owner != nullptr) {
    // Placed through its window: QWidget::move would turn the frame's place
    // into the client's with the frame the widget last heard of, which may
    // still be none.
    WhenFramed(&box, [&box, owner](QSize decoration) {
      box.windowHandle()->setFramePosition(CentredOn(owner, box.size() + decoration));
    });
  }
  const int pressed = box.exec();
  if (style == MessageStyle::YesNo) return pressed == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
  return pressed == QMessageBox::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/WhenFramed.h"

#include <QDeadlineTimer>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

QSize FrameDecoration(const QWidget* window) {
  const QWindow* handle = window->windowHandle();
  if (handle == nullptr) return {};
  const QMargins margins = handle->frameMargins();
  return {margins.left() + margins.right(), margins.top() + margins.bottom()};
}

QRect OuterFrame(const QWidget* window) {
  const QWindow* handle = window->windowHandle();
  return handle != nullptr ? handle->frameGeometry() : window->frameGeometry();
}

namespace {

class FrameWatch : public QObject {
 public:
  FrameWatch(QWidget* window, std::function<void(QSize)> framed)
      : QObject(window), m_window(window), m_framed(std::move(framed)) {
    window->installEventFilter(this);
    m_timer.setInterval(kFrameLookEveryMs);
    connect(&m_timer, &QTimer::timeout, this, [this] {
      Look();
      if (!m_done && m_deadline.hasExpired()) Finish();
    });
    if (window->isVisible()) StartLooking();
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::Show:
        StartLooking();
        Look();
        break;
      case QEvent::Move:
      case QEvent::Resize:
      case QEvent::WindowActivate: Look(); break;
      default: break;
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  void StartLooking() {
    if (m_timer.isActive()) return;
    m_deadline = QDeadlineTimer(kFrameLookForMs);
    m_timer.start();
  }

  void Look() {
    if (m_done || !m_window->isVisible()) return;
    const QSize decoration = FrameDecoration(m_window);
    if (decoration.isNull()) return;
    Finish();
    m_framed(decoration);
  }

  void Finish() {
    m_done = true;
    m_timer.stop();
    m_window->removeEventFilter(this);
    deleteLater();
  }

  QWidget* m_window;
  std::function<void(QSize)> m_framed;
  QTimer m_timer;
  QDeadlineTimer m_deadline;
  bool m_done = false;
};

}  // namespace

void WhenFramed(QWidget* window, std::function<void(QSize decoration)> framed) {
  new FrameWatch(window, std::move(framed));
}

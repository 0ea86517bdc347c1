#include "app/WhenFramed.h"

#include <QEvent>
#include <QWidget>

namespace {

class FrameWatch : public QObject {
 public:
  FrameWatch(QWidget* window, std::function<void(QSize)> framed)
      : QObject(window), m_window(window), m_framed(std::move(framed)) {
    window->installEventFilter(this);
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::Show:
      case QEvent::Move:
      case QEvent::Resize:
      case QEvent::WindowActivate:
        Look();
        break;
      default:
        break;
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  void Look() {
    if (m_done || !m_window->isVisible()) return;
    const QSize decoration = m_window->frameGeometry().size() - m_window->geometry().size();
    if (decoration.isNull()) return;
    m_done = true;
    m_window->removeEventFilter(this);
    deleteLater();
    m_framed(decoration);
  }

  QWidget* m_window;
  std::function<void(QSize)> m_framed;
  bool m_done = false;
};

}  // namespace

void WhenFramed(QWidget* window, std::function<void(QSize decoration)> framed) {
  new FrameWatch(window, std::move(framed));
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The main window and its message boxes under a real window manager, which
// frames windows only after they are shown and places them itself.
#include <QApplication>
#include <QDeadlineTimer>
#include <QFontMetrics>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <optional>
#include <string>
#include <variant>

#include "resources/Strings.h"
#include "tests/gui/AppFixture.h"

namespace {

// How long the window manager may take to frame or move a window: a bound
// on a wait for a condition, never a pause.
constexpr int kWindowManagerLimitMs = 20000;
// How often the X server is asked again while waiting.
constexpr int kServerPollMs = 10;

// Frames as the window manager publishes them (_NET_FRAME_EXTENTS, read
// again on each configure of the native window). A widget's own frame
// geometry is refreshed only on a move or resize, so a window framed after
// its last one would never show a frame there.
QRect FrameOf(const QWidget* window) { return window->windowHandle()->frameGeometry(); }
bool Framed(const QWidget* window) { return FrameOf(window).size() != window->windowHandle()->geometry().size(); }

// A window as the X server has it: the client window's place and size
// from xwininfo, and the frame extents the window manager set on it, as
// xprop prints them. Empty until both are known.
struct ServerWindow {
  QRect client;
  QMargins extents;  // left, top, right, bottom
  QRect Frame() const { return client.marginsAdded(extents); }
  bool operator==(const ServerWindow&) const = default;
};

std::optional<ServerWindow> ReadServerWindow(const QWidget* window) {
  const QString id = QString::number(window->winId());
  auto run = [](const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    return p.waitForFinished(kWindowManagerLimitMs) ? QString::fromLocal8Bit(p.readAllStandardOutput()) : QString();
  };
  const QString info = run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), id});
  const QString extents =
      run(QStringLiteral("xprop"), {QStringLiteral("-id"), id, QStringLiteral("_NET_FRAME_EXTENTS")});
  auto field = [&info](const char* name) {
    const auto m = QRegularExpression(QString::fromLatin1(name) + QStringLiteral(":\\s*(-?\\d+)")).match(info);
    return m.hasMatch() ? std::optional<int>(m.captured(1).toInt()) : std::nullopt;
  };
  const auto x = field("Absolute upper-left X"), y = field("Absolute upper-left Y");
  const auto w = field("Width"), h = field("Height");
  // left, right, top, bottom
  const auto e = QRegularExpression(QStringLiteral("= (\\d+), (\\d+), (\\d+), (\\d+)")).match(extents);
  if (!x || !y || !w || !h || !e.hasMatch()) return std::nullopt;
  return ServerWindow{QRect(*x, *y, *w, *h), QMargins(e.captured(1).toInt(), e.captured(3).toInt(),
                                                      e.captured(2).toInt(), e.captured(4).toInt())};
}

std::string Describe(const QRect& r) {
  return std::to_string(r.width()) + " x " + std::to_string(r.height()) + " at " + std::to_string(r.x()) + ", " +
         std::to_string(r.y());
}

// A box as the window manager left it once it had framed and placed it.
struct PlacedBox {
  ServerWindow box;
  ServerWindow main;
  QWindow* transientFor = nullptr;
  int TitleBar() const { return box.extents.top(); }
};

// What a box still lacks before it counts as placed, or empty once it is:
// framed (the server knows its frame, with a title bar), where Qt has it
// (the server's window is Qt's geometry, so openbox's move has reached
// Qt), centred on the main window, and the same over two reads, since
// openbox frames a window first and moves it after.
class PlacementWatch {
 public:
  std::string Lacks(const QWidget* box, const QWidget* main) {
    const std::optional<ServerWindow> boxNow = ReadServerWindow(box);
    const std::optional<ServerWindow> mainNow = ReadServerWindow(main);
    const bool stable = boxNow && mainNow && boxNow == m_box && mainNow == m_main;
    m_box = boxNow;
    m_main = mainNow;
    if (!boxNow || !mainNow) return "the X server never showed the box and the main window framed";
    if (boxNow->extents.top() <= 0) return "the title bar never had a height (" + Describe(boxNow->Frame()) + ")";
    if (boxNow->client != box->geometry()) {
      return "the server never had the box where Qt has it (" + Describe(boxNow->client) + " against " +
             Describe(box->geometry()) + ")";
    }
    if ((boxNow->Frame().center() - mainNow->Frame().center()).manhattanLength() > 1) {
      return "the box was never centred on the main window (" + Describe(boxNow->Frame()) + " over " +
             Describe(mainNow->Frame()) + ")";
    }
    if (!stable) return "the frame never held still over two reads (" + Describe(boxNow->Frame()) + ")";
    return {};
  }
  const std::optional<ServerWindow>& Box() const { return m_box; }
  const std::optional<ServerWindow>& Main() const { return m_main; }

 private:
  std::optional<ServerWindow> m_box;
  std::optional<ServerWindow> m_main;
};

class UnderAWindowManager : public AppFixture {
 protected:
  void SetUp() override {
    AppFixture::SetUp();
    ASSERT_TRUE(QTest::qWaitFor([this] { return Framed(Frame()); }, kWindowManagerLimitMs))
        << "the window manager never framed the main window";
  }

  // Shows a real box with `text` and `caption` and polls the X server until
  // the window manager has framed and placed it, then presses OK. When the
  // window manager has had its time the box is rejected and the result
  // holds what never came.
  std::variant<PlacedBox, std::string> ShowAndWaitUntilPlaced(const std::string& text, const char* caption) {
    App()->SetMessageBox(nullptr);
    const QDeadlineTimer limit(kWindowManagerLimitMs);
    PlacementWatch watch;
    std::variant<PlacedBox, std::string> result = std::string("the box never opened");
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr || !box->isVisible()) return;
      const std::string lacks = watch.Lacks(box, Frame());
      if (lacks.empty()) {
        result = PlacedBox{*watch.Box(), *watch.Main(), box->windowHandle()->transientParent()};
        box->defaultButton()->click();
      } else if (limit.hasExpired()) {
        result = lacks;
        box->reject();
      }
    });
    poll.start(kServerPollMs);
    View()->Messages().Show(text, caption, MessageStyle::Ok);
    return result;
  }
};

TEST_F(UnderAWindowManager, TheOuterFrameIs385By505) {
  const bool sized =
      QTest::qWaitFor([this] { return FrameOf(Frame()).size() == QSize(385, 505); }, kWindowManagerLimitMs);
  EXPECT_TRUE(sized) << "outer frame " << Describe(FrameOf(Frame())) << ", client area "
                     << Describe(Frame()->geometry());
  EXPECT_LT(Frame()->geometry().height(), 505) << "the title bar is part of the 505 pixels";
}

// The X server shows the box framed and centred on the main window's frame.
// Qt's own geometry is what it asked for, which the server may not have
// done yet.
TEST_F(UnderAWindowManager, AMessageBoxOpensOverTheMainWindowCentredOnIt) {
  ASSERT_TRUE(QTest::qWaitFor([this] { return FrameOf(Frame()).size() == QSize(385, 505); }, kWindowManagerLimitMs));
  const auto placed = ShowAndWaitUntilPlaced("Cannot open file held.db for writing.", kCaptionError);
  ASSERT_TRUE(std::holds_alternative<PlacedBox>(placed)) << std::get<std::string>(placed);
  EXPECT_EQ(std::get<PlacedBox>(placed).transientFor, Frame()->windowHandle());
}

// A short text makes a narrow box, and openbox cuts a caption that does not
// fit beside the title bar's icon and buttons ("Comp..."): the box is held
// wide enough for its caption and those, as the window manager frames it.
TEST_F(UnderAWindowManager, AShortMessageKeepsItsWholeCaption) {
  const auto placed = ShowAndWaitUntilPlaced(kMsgUpgradeFinished, kCaptionCompleted);
  ASSERT_TRUE(std::holds_alternative<PlacedBox>(placed)) << std::get<std::string>(placed);
  const PlacedBox& box = std::get<PlacedBox>(placed);
  QFont bold = QApplication::font();
  bold.setBold(true);
  const int captionWidth = QFontMetrics(bold).horizontalAdvance(QString::fromLatin1(kCaptionCompleted));
  // The icon and three buttons, each about as wide as the bar is high.
  EXPECT_GE(box.box.Frame().width(), captionWidth + 4 * box.TitleBar())
      << Describe(box.box.Frame()) << ", caption " << captionWidth << ", title bar " << box.TitleBar();
}

}  // namespace

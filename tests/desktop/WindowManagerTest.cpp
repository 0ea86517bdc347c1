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
#include <functional>
#include <optional>

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

// What the X server itself says: the client window's place and size from
// xwininfo, grown by the frame extents the window manager set on it, as
// xprop prints them. Empty until both are known.
std::optional<QRect> ServerFrame(const QWidget* window) {
  const QString id = QString::number(window->winId());
  auto run = [](const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    return p.waitForFinished(kWindowManagerLimitMs) ? QString::fromLocal8Bit(p.readAllStandardOutput()) : QString();
  };
  const QString info = run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), id});
  const QString extents = run(QStringLiteral("xprop"), {QStringLiteral("-id"), id, QStringLiteral("_NET_FRAME_EXTENTS")});
  auto field = [&info](const char* name) {
    const auto m = QRegularExpression(QString::fromLatin1(name) + QStringLiteral(":\\s*(-?\\d+)")).match(info);
    return m.hasMatch() ? std::optional<int>(m.captured(1).toInt()) : std::nullopt;
  };
  const auto x = field("Absolute upper-left X"), y = field("Absolute upper-left Y");
  const auto w = field("Width"), h = field("Height");
  const auto e = QRegularExpression(QStringLiteral("= (\\d+), (\\d+), (\\d+), (\\d+)")).match(extents);
  if (!x || !y || !w || !h || !e.hasMatch()) return std::nullopt;
  // left, right, top, bottom
  return QRect(*x, *y, *w, *h).marginsAdded(
      QMargins(e.captured(1).toInt(), e.captured(3).toInt(), e.captured(2).toInt(), e.captured(4).toInt()));
}

std::string Describe(const QRect& r) {
  return std::to_string(r.width()) + " x " + std::to_string(r.height()) + " at " + std::to_string(r.x()) + ", " +
         std::to_string(r.y());
}

class UnderAWindowManager : public AppFixture {
 protected:
  void SetUp() override {
    AppFixture::SetUp();
    ASSERT_TRUE(QTest::qWaitFor([this] { return Framed(Frame()); }, kWindowManagerLimitMs))
        << "the window manager never framed the main window";
  }

  // Shows a real box and hands it to `look` at each poll of the server: OK
  // is pressed once `look` is content, or the box is rejected when the
  // window manager has had its time.
  void ShowAndLook(const std::string& text, const char* caption, const std::function<bool(QMessageBox*)>& look) {
    App()->SetMessageBox(nullptr);
    const QDeadlineTimer limit(kWindowManagerLimitMs);
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr || !box->isVisible()) return;
      if (look(box)) {
        box->defaultButton()->click();
      } else if (limit.hasExpired()) {
        box->reject();
      }
    });
    watch.start(kServerPollMs);
    View()->Messages().Show(text, caption, MessageStyle::Ok);
  }
};

TEST_F(UnderAWindowManager, TheOuterFrameIs385By505) {
  const bool sized = QTest::qWaitFor([this] { return FrameOf(Frame()).size() == QSize(385, 505); },
                                     kWindowManagerLimitMs);
  EXPECT_TRUE(sized) << "outer frame " << Describe(FrameOf(Frame())) << ", client area "
                     << Describe(Frame()->geometry());
  EXPECT_LT(Frame()->geometry().height(), 505) << "the title bar is part of the 505 pixels";
}

// The box is answered once the X server shows it framed and centred on the
// main window's frame, or when the window manager has had its time. Qt's
// own geometry is what it asked for, which the server may not have done yet.
TEST_F(UnderAWindowManager, AMessageBoxOpensOverTheMainWindowCentredOnIt) {
  ASSERT_TRUE(QTest::qWaitFor([this] { return FrameOf(Frame()).size() == QSize(385, 505); },
                              kWindowManagerLimitMs));
  std::optional<QRect> boxFrame;
  std::optional<QRect> mainFrame;
  QWindow* transientFor = nullptr;
  ShowAndLook("Cannot open file held.db for writing.", kCaptionError, [&](QMessageBox* box) {
    boxFrame = ServerFrame(box);
    mainFrame = ServerFrame(Frame());
    transientFor = box->windowHandle()->transientParent();
    return boxFrame && mainFrame && (boxFrame->center() - mainFrame->center()).manhattanLength() <= 1;
  });
  ASSERT_TRUE(boxFrame && mainFrame) << "the X server never showed the box framed (is x11-utils installed?)";
  EXPECT_EQ(transientFor, Frame()->windowHandle());
  EXPECT_LE((boxFrame->center() - mainFrame->center()).manhattanLength(), 1)
      << Describe(*boxFrame) << " over " << Describe(*mainFrame);
}

// A short text makes a narrow box, and openbox cuts a caption that does not
// fit beside the title bar's icon and buttons ("Comp..."): the box is held
// wide enough for its caption and those, as the window manager frames it.
TEST_F(UnderAWindowManager, AShortMessageKeepsItsWholeCaption) {
  std::optional<QRect> boxFrame;
  int captionWidth = 0;
  int titleBar = 0;
  ShowAndLook(kMsgUpgradeFinished, kCaptionCompleted, [&](QMessageBox* box) {
    boxFrame = ServerFrame(box);
    if (!boxFrame) return false;
    QFont bold = QApplication::font();
    bold.setBold(true);
    captionWidth = QFontMetrics(bold).horizontalAdvance(box->windowTitle());
    titleBar = box->geometry().top() - boxFrame->top();
    return true;
  });
  ASSERT_TRUE(boxFrame) << "the X server never showed the box framed";
  ASSERT_GT(titleBar, 0);
  // The icon and three buttons, each about as wide as the bar is high.
  EXPECT_GE(boxFrame->width(), captionWidth + 4 * titleBar) << Describe(*boxFrame) << ", caption " << captionWidth;
}

}  // namespace

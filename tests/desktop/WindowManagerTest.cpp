// The main window and its message boxes under a real window manager, which
// frames windows only after they are shown and places them itself.
#include <QApplication>
#include <QDeadlineTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "resources/Strings.h"
#include "tests/gui/AppFixture.h"

namespace {

// How long the window manager may take to frame or move a window: a bound
// on a wait for a condition, never a pause.
constexpr int kWindowManagerLimitMs = 20000;

bool Framed(const QWidget* window) { return window->frameGeometry().size() != window->geometry().size(); }

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
};

TEST_F(UnderAWindowManager, TheOuterFrameIs385By505) {
  const bool sized = QTest::qWaitFor([this] { return Frame()->frameGeometry().size() == QSize(385, 505); },
                                     kWindowManagerLimitMs);
  EXPECT_TRUE(sized) << "outer frame " << Describe(Frame()->frameGeometry()) << ", client area "
                     << Describe(Frame()->geometry());
  EXPECT_LT(Frame()->geometry().height(), 505) << "the title bar is part of the 505 pixels";
}

// The box is answered once it is framed and centred, or when the window
// manager has had its time.
TEST_F(UnderAWindowManager, AMessageBoxOpensOverTheMainWindowCentredOnIt) {
  ASSERT_TRUE(QTest::qWaitFor([this] { return Frame()->frameGeometry().size() == QSize(385, 505); },
                              kWindowManagerLimitMs));
  App()->SetMessageBox(nullptr);  // the real boxes
  QRect boxFrame;
  QPoint offCentre;
  QWindow* transientFor = nullptr;
  const QDeadlineTimer limit(kWindowManagerLimitMs);
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible()) return;
    if (Framed(box)) {
      boxFrame = box->frameGeometry();
      offCentre = boxFrame.center() - Frame()->frameGeometry().center();
      transientFor = box->windowHandle()->transientParent();
    }
    if (offCentre.manhattanLength() <= 1 && boxFrame.isValid()) box->defaultButton()->click();
    if (limit.hasExpired()) box->reject();
  });
  watch.start(0);
  View()->Messages().Show("Cannot open file held.db for writing.", kCaptionError, MessageStyle::Ok);
  watch.stop();
  ASSERT_TRUE(boxFrame.isValid()) << "the box was never framed";
  EXPECT_EQ(transientFor, Frame()->windowHandle());
  EXPECT_LE(offCentre.manhattanLength(), 1) << Describe(boxFrame) << " over " << Describe(Frame()->frameGeometry());
}

}  // namespace

// The main window under a real window manager, which frames windows only
// after they are shown and places them itself.
#include <QTest>

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

}  // namespace

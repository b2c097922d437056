// The real program on the Qt runtime, offscreen, brought to the battle screen
// by the program's own start-up path: what is Qt's own about the game's
// window (its title and place, its painting, the mouse and keys through it).
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <cmath>

#include "app/Startup.h"
#include "platform/qt/FormWindow.h"

namespace {

class QtGame : public ::testing::Test {
 protected:
  void SetUp() override {
    rt.setDataDir(BULWARN_SOURCE_DIR "/assets");
    // A timer, so that it answers inside the start-up cards' own event loops too.
    QTimer poll;
    bool up = false;
    QObject::connect(&poll, &QTimer::timeout, [&] { up = up || bulwarn::stepTowardsBattle(rt, program); });
    poll.start(30);
    QTimer::singleShot(0, [this] { program.start(); });
    QElapsedTimer clock;
    clock.start();
    while (!up && clock.elapsed() < 15000) QApplication::processEvents(QEventLoop::AllEvents, 30);
    ASSERT_TRUE(up);
    // Nothing moves or attacks unless the test says so.
    battle().tmrEnemy1.Enabled = false;
    battle().tmrMove.Enabled = false;
    battle().tmrFly.Enabled = false;
  }
  void TearDown() override { rt.unloadAll(); }

  bulwarn::frmBulwarn& battle() { return program.frmBulwarn(); }
  // A pixel of the battle screen's client area at a point in twips.
  QColor at(float x, float y) {
    const QImage img = rt.grab(battle());
    const qreal dpr = img.devicePixelRatio();
    return img.pixelColor(static_cast<int>(x / 15 * dpr), static_cast<int>(y / 15 * dpr));
  }
  // A mouse click at a point of the battle screen, in twips, through its window.
  void clickAt(float x, float y) {
    QWidget* w = rt.window(battle());
    const QPoint p = w->findChild<forms::ClientArea*>("client")->mapTo(w, QPoint(int(x / 15), int(y / 15)));
    QTest::mouseClick(w->windowHandle(), Qt::LeftButton, {}, p);
  }
  forms::QtRuntime rt;
  bulwarn::Program program{rt};
};

TEST_F(QtGame, TheBattleScreenIsTitledPlacedAndPaintedAsLaidOut) {
  bulwarn::frmBulwarn& b = battle();
  QWidget* w = rt.window(b);
  EXPECT_EQ(w->windowTitle(), QStringLiteral("Bulwarn"));
  EXPECT_EQ(w->minimumSize(), w->maximumSize()) << "the window can be resized";
  EXPECT_EQ(w->findChild<forms::ClientArea*>("client")->size(), QSize(697, 521));  // 10,455 x 7,815 twips
  // Where the game puts it (centred across, at the top), unless the screen is
  // too small for it: then its title bar still is on the screen.
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  const QRect frame = w->frameGeometry();
  EXPECT_GE(frame.left(), area.left());
  EXPECT_GE(frame.top(), area.top());
  if (frame.width() <= area.width()) {
    EXPECT_EQ(frame.left(), static_cast<int>(std::lround(b.Left / 15)));
  }
  EXPECT_EQ(at(7000, 2400), QColor(0, 255, 255));  // sky, right of the fighters
  EXPECT_EQ(at(3000, 4800), QColor(0, 128, 0));    // battlefield
  EXPECT_NE(at(120 + 60 + 187, 6840 + 240 + 300), QColor(0, 128, 128)) << "a round is drawn in the gauge";
  EXPECT_EQ(at(7920 + 1200, 120 + 1200), QColor(0, 0, 0));  // the message panel
  b.imgUnit_Click(3);
  b.lblMessage.Caption = "\r\nEnemy Attack\r\nEnemy Miss\r\nDirect Hit";
  QApplication::processEvents();
  EXPECT_EQ(at(7920 + 120 + 300, 2700 + 1320 + 300), QColor(255, 255, 0));  // description on yellow
}

// The mouse lands where the player sees it, below the menu bar; arrows with
// Ctrl or Alt reach the gun, whichever button was clicked last.
TEST_F(QtGame, TheMouseAndTheKeysReachTheGameThroughItsWindow) {
  bulwarn::frmBulwarn& b = battle();
  const forms::Image& ifv = b.imgUnit(3);
  clickAt(ifv.Left + 400, ifv.Top + 300);
  EXPECT_TRUE(b.imgSelect.Visible);
  EXPECT_EQ(b.intTarget, 3);
  clickAt(5900, 1700);  // the sky
  EXPECT_FALSE(b.imgSelect.Visible);
  const float left = b.imgSight.Left;
  QWindow* window = rt.window(b)->windowHandle();
  QTest::keyClick(window, Qt::Key_Left, Qt::ControlModifier);
  EXPECT_EQ(b.imgSight.Left, left - 100);
  QTest::keyClick(window, Qt::Key_Right, Qt::AltModifier);
  EXPECT_EQ(b.imgSight.Left, left);
}

}  // namespace

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}

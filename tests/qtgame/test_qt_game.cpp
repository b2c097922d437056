// The real program on the Qt runtime, offscreen, brought to the battle screen
// by the program's own start-up path: what is Qt's own about the game's
// window (its title and size, its painting). The mouse and the keys through
// it are the replay proof's (test_qt_replay.cpp).
#include "QtProgram.h"

namespace {

// Nothing moves or attacks unless the test says so.
class QtGame : public qtgame::QtProgram {
 protected:
  void SetUp() override {
    QtProgram::SetUp();
    if (HasFatalFailure()) return;
    battle().tmrEnemy1.Enabled = false;
    battle().tmrMove.Enabled = false;
    battle().tmrFly.Enabled = false;
  }
  // A pixel of the battle screen's client area at a point in twips.
  QColor at(float x, float y) {
    const QImage img = rt.grab(battle());
    const qreal dpr = img.devicePixelRatio();
    return img.pixelColor(static_cast<int>(x / 15 * dpr), static_cast<int>(y / 15 * dpr));
  }
};

TEST_F(QtGame, TheBattleScreenIsTitledFixedInSizeAndPaintedAsLaidOut) {
  bulwarn::frmBulwarn& b = battle();
  QWidget* w = rt.window(b);
  EXPECT_EQ(w->windowTitle(), QStringLiteral("Bulwarn"));
  EXPECT_EQ(w->minimumSize(), w->maximumSize()) << "the window can be resized";
  EXPECT_EQ(w->findChild<forms::ClientArea*>("client")->size(), QSize(697, 521));  // 10,455 x 7,815 twips
  EXPECT_EQ(at(7000, 2400), QColor(0, 255, 255));  // sky, right of the fighters
  EXPECT_EQ(at(3000, 4800), QColor(0, 128, 0));    // battlefield
  EXPECT_NE(at(120 + 60 + 187, 6840 + 240 + 300), QColor(0, 128, 128)) << "a round is drawn in the gauge";
  EXPECT_EQ(at(7920 + 1200, 120 + 1200), QColor(0, 0, 0));  // the message panel
  b.imgUnit_Click(3);
  b.lblMessage.Caption = "\r\nEnemy Attack\r\nEnemy Miss\r\nDirect Hit";
  QApplication::processEvents();
  EXPECT_EQ(at(7920 + 120 + 300, 2700 + 1320 + 300), QColor(255, 255, 0));  // description on yellow
}

}  // namespace

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}

// The battle screen on Qt, played with the mouse and keyboard through its
// window: clicks land where the player sees them, and every key retargets.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <functional>

#include "battle/frmBulwarn.h"
#include "game/Program.h"
#include "platform/qt/FormWindow.h"
#include "platform/qt/QtRuntime.h"

namespace {

using bulwarn::Program;

class QtBattle : public ::testing::Test {
 protected:
  void SetUp() override {
    rt.setDataDir(BULWARN_SOURCE_DIR "/assets");
    // Start-up's cards and dialogs take their default buttons.
    QObject::connect(&poll, &QTimer::timeout, [this] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        if (QAbstractButton* b = box->defaultButton() ? box->defaultButton() : box->buttons().value(0)) b->click();
        return;
      }
      forms::Form* front = rt.activeForm();
      if (front && front->isModal() && !front->defaultButton().empty())
        if (forms::Control* c = front->find(front->defaultButton())) rt.userClick(*c);
    });
    poll.start(30);
    QTimer::singleShot(0, [this] { program.start(); });
    QElapsedTimer clock;
    clock.start();
    while (!(program.battleIfLoaded() && rt.activeForm() == program.battleIfLoaded()) && clock.elapsed() < 15000)
      QApplication::processEvents(QEventLoop::AllEvents, 20);
    poll.stop();
    ASSERT_EQ(rt.activeForm(), program.battleIfLoaded());
    bulwarn::frmBulwarn& b = program.frmBulwarn();
    // Nothing moves or attacks unless the test says so.
    b.tmrEnemy1.Enabled = false;
    b.tmrMove.Enabled = false;
    b.tmrFly.Enabled = false;
    window = rt.window(b)->windowHandle();
  }
  void TearDown() override { rt.unloadAll(); }

  bulwarn::frmBulwarn& battle() { return program.frmBulwarn(); }
  // A mouse click at a point of the battle screen, in twips.
  void clickAt(float x, float y) {
    QWidget* w = rt.window(battle());
    const QPoint at = w->findChild<forms::ClientArea*>("client")->mapTo(w, QPoint(int(x / 15), int(y / 15)));
    QTest::mouseClick(window, Qt::LeftButton, {}, at);
  }
  void key(Qt::Key k, Qt::KeyboardModifiers mods = {}) { QTest::keyClick(window, k, mods); }
  int target() { return battle().imgSelect.Visible ? battle().intTarget : 0; }

  forms::QtRuntime rt;
  Program program{rt};
  QTimer poll;
  QWindow* window = nullptr;
};

TEST_F(QtBattle, ClicksThroughEmptyEffectImagesReachTheSkyAndTheAircraft) {
  bulwarn::frmBulwarn& b = battle();
  ASSERT_FALSE(b.imgHit.Picture.get());
  const forms::Image& ifv = b.imgUnit(3);
  clickAt(ifv.Left + 400, ifv.Top + 300);
  EXPECT_EQ(target(), 3);
  clickAt(5900, 1700);  // the sky, inside imgHit's empty rectangle
  EXPECT_EQ(target(), 0);
  b.imgUnit(7).Left = 2600;  // a fighter inside imgBlastA's empty rectangle
  b.imgUnit(7).Top = 1300;
  clickAt(3000, 1600);
  EXPECT_EQ(target(), 7);
}

TEST_F(QtBattle, CtrlArrowsMoveTheGunAndPunctuationRedoesTheSearch) {
  bulwarn::frmBulwarn& b = battle();
  const float left = b.imgSight.Left;
  key(Qt::Key_Left, Qt::ControlModifier);
  EXPECT_EQ(b.imgSight.Left, left - 100);
  key(Qt::Key_Right, Qt::AltModifier);
  EXPECT_EQ(b.imgSight.Left, left);
  // The gun under nothing: a unit chosen by mouse is let go at '.', ',' or '/'.
  for (Qt::Key k : {Qt::Key_Period, Qt::Key_Comma, Qt::Key_Slash}) {
    const forms::Image& u = b.imgUnit(1);
    clickAt(u.Left + 400, u.Top + 300);
    ASSERT_EQ(target(), 1);
    key(k);
    EXPECT_EQ(target(), 0) << "Qt key 0x" << std::hex << k;
  }
}

}  // namespace

// The proof that the two realisations agree: games played in the Qt program
// (offscreen, real timers, real keys, clicks and menus through its windows)
// are recorded, replayed on the headless runtime, and must end in exactly the
// same state. The missions are shortened through the game's model in set-ups
// made between events; they are recorded as calls, and the replay repeats them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <functional>
#include <memory>

#include "battle/frmBulwarn.h"
#include "game/Program.h"
#include "platform/qt/FormWindow.h"
#include "platform/qt/QtRuntime.h"
#include "replay/Recorder.h"
#include "replay/Replay.h"

namespace {

using bulwarn::Program;
namespace rp = bulwarn::replay;

class QtRecorded : public ::testing::Test {
 protected:
  void SetUp() override {
    rt.setDataDir(BULWARN_SOURCE_DIR "/assets");
    recorder = std::make_unique<rp::Recorder>(rt, journal, BULWARN_VERSION);
    // The player answers each card with its default button, and declines a new mission.
    QObject::connect(&poll, &QTimer::timeout, [this] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        QAbstractButton* b = box->windowTitle() == "Start Over?" ? box->button(QMessageBox::No) : box->defaultButton();
        if (!b) b = box->buttons().value(0);
        if (b) QTest::mouseClick(b, Qt::LeftButton);
        return;
      }
      forms::Form* front = rt.activeForm();
      if (front && front->isModal() && !front->defaultButton().empty())
        if (forms::Control* c = front->find(front->defaultButton())) rt.userClick(*c);
    });
    poll.start(40);
    QTimer::singleShot(0, [this] { program.start(); });
    ASSERT_TRUE(QTest::qWaitFor([this] { return inFront(); }, 15000));
    window = rt.window(battle())->windowHandle();
  }
  void TearDown() override {
    poll.stop();
    recorder.reset();
    rt.unloadAll();
  }

  bulwarn::frmBulwarn& battle() { return program.frmBulwarn(); }
  bool inFront() { return program.battleIfLoaded() && rt.activeForm() == program.battleIfLoaded(); }
  bool over() { return program.vex.blnVictory || program.vex.blnDestroyed || program.vex.blnBreached; }

  // A change to the game between two events, made as a call from outside.
  void setUp(const std::function<void(Program&)>& fn) {
    setUps.push_back(fn);
    rt.dispatch([&] { fn(program); });
  }
  void key(Qt::Key k, Qt::KeyboardModifiers mods = {}) { QTest::keyClick(window, k, mods); }
  void clickAt(float x, float y) {
    QWidget* w = rt.window(battle());
    const QPoint at = w->findChild<forms::ClientArea*>("client")->mapTo(w, QPoint(int(x / 15), int(y / 15)));
    QTest::mouseClick(window, Qt::LeftButton, {}, at);
  }
  // Opens a menu title by mouse; then, if given, chooses an item of it.
  void menu(forms::MenuItem& title, forms::MenuItem* item = nullptr) {
    auto* fw = static_cast<forms::FormWindow*>(rt.window(battle()));
    QAction* a = fw->action(title);
    QTest::mouseClick(fw->menuBar(), Qt::LeftButton, {}, fw->menuBar()->actionGeometry(a).center());
    ASSERT_TRUE(QTest::qWaitFor([a] { return a->menu()->isVisible(); }, 2000));
    if (item) QTest::mouseClick(a->menu(), Qt::LeftButton, {}, a->menu()->actionGeometry(fw->action(*item)).center());
    while (QWidget* p = QApplication::activePopupWidget()) p->close();
  }
  // Walks the gun under unit k by the arrow keys.
  void aimAt(int k) {
    for (int i = 0; i < 100; ++i) {
      const float gun = battle().imgSight.Left, left = battle().imgUnit(k).Left;
      if (gun >= left && gun <= left + 500) return;
      if (battle().KeyPreview) key(gun < left ? Qt::Key_Right : Qt::Key_Left);
      QTest::qWait(5);
    }
  }
  bool shotIdle() {
    auto& b = battle();
    return b.tmrShot.Interval == 0 && b.tmrHit.Interval == 0 && b.tmrHit2.Interval == 0 && b.tmrBlast.Interval == 0 &&
           b.tmrBlast2.Interval == 0 && b.tmrBlast3.Interval == 0;
  }
  bool attackMidway() { return battle().tmrEnemy2.Interval > 0 && battle().intAttackStep >= 2 && battle().intAttackStep <= 6; }
  // The end of a mission: its cards shown and the question declined.
  void finish() {
    ASSERT_TRUE(QTest::qWaitFor([this] { return over() && inFront() && !QApplication::activeModalWidget(); }, 20000));
    QTest::qWait(100);
  }

  void expectTheReplayEndsAlike() {
    const std::string played = rp::describe(program);
    const rp::Outcome o = rp::replay(rp::parse(journal.text()), setUps);
    EXPECT_EQ(o.exitCode, 0) << o.message;
    EXPECT_EQ(o.state, played) << o.message;
    EXPECT_GT(recorder->lines(), 50);
  }

  forms::QtRuntime rt;
  Program program{rt};
  rp::MemoryJournal journal;
  std::unique_ptr<rp::Recorder> recorder;
  std::vector<std::function<void(Program&)>> setUps;
  QTimer poll;
  QWindow* window = nullptr;
};

TEST_F(QtRecorded, AVictoryWithAPauseInTheMiddleOfAShot) {
  // One unit left, with one hit point.
  setUp([](Program& p) {
    auto& b = p.frmBulwarn();
    for (int k = 2; k <= 8; ++k) {
      b.intHP[k] = 0;
      b.imgUnit(k).Visible = false;
    }
    b.intHP[1] = 1;
  });
  bulwarn::frmBulwarn& b = battle();
  clickAt(b.imgUnit(1).Left + 300, b.imgUnit(1).Top + 300);  // the mouse picks the target
  clickAt(6000, 1000);                                         // the sky lets it go
  bool paused = false;
  for (int shot = 0; shot < 16 && !over(); ++shot) {
    aimAt(1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return b.cmdFire.Enabled && b.KeyPreview; }, 5000));
    key(Qt::Key_Return);
    if (!paused && QTest::qWaitFor([&] { return b.tmrShot.Interval > 0 || b.tmrHit.Interval > 0; }, 1000)) {
      menu(b.mnuGame);  // opening a menu pauses, in the middle of the shot
      EXPECT_TRUE(b.isPaused());
      QTest::qWait(300);
      menu(b.mnuGame, &b.mnuPause);  // and Pause Game resumes
      EXPECT_FALSE(b.isPaused());
      paused = true;
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return shotIdle() || over(); }, 8000));
  }
  finish();
  EXPECT_TRUE(program.vex.blnVictory);
  EXPECT_TRUE(paused);
  expectTheReplayEndsAlike();
}

TEST_F(QtRecorded, ABreachWithAPauseInTheMiddleOfAnAttack) {
  setUp([](Program& p) { p.frmBulwarn().tmrEnemy1.Interval = 300; });  // the attack comes at once
  bulwarn::frmBulwarn& b = battle();
  ASSERT_TRUE(QTest::qWaitFor([&] { return attackMidway(); }, 5000));
  key(Qt::Key_G, Qt::AltModifier);  // the Game menu by its access key: paused mid-attack
  EXPECT_TRUE(b.isPaused());
  QTest::qWait(400);
  key(Qt::Key_F3);  // resumed by the shortcut
  EXPECT_FALSE(b.isPaused());
  // A tank right at the perimeter line.
  setUp([](Program& p) {
    auto& f = p.frmBulwarn();
    f.imgUnit(2).Top = f.GunLimit.Y1 - f.imgUnit(2).Height - 1;
  });
  finish();
  EXPECT_TRUE(program.vex.blnBreached);
  expectTheReplayEndsAlike();
}

TEST_F(QtRecorded, AGunLostToTheEnemy) {
  bulwarn::frmBulwarn& b = battle();
  setUp([](Program& p) { p.frmBulwarn().HPBar.Width = 1; });  // any hit now finishes the gun
  for (int attack = 0; attack < 20 && !over(); ++attack) {
    setUp([](Program& p) { p.frmBulwarn().tmrEnemy1.Interval = 100; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return b.tmrEnemy2.Interval > 0 || over(); }, 3000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return (b.tmrEnemy2.Interval == 0 && b.tmrEnemy3.Interval == 0) || over(); }, 3000));
  }
  finish();
  EXPECT_TRUE(program.vex.blnDestroyed);
  expectTheReplayEndsAlike();
}

}  // namespace

#include <QDir>
#include <cstdio>
#include <fstream>

#include "app/ShowReplay.h"
#include "platform/headless/HeadlessRuntime.h"

namespace {

// A recording watched in the window: keys and clicks of the watcher change
// nothing, and the show ends with the recording, in the state replay prints.
TEST(QtShow, AReplayShownInTheWindowIgnoresInputAndEndsLikeTheReplay) {
  forms::HeadlessRuntime hrt;
  bulwarn::Program played(hrt);
  rp::MemoryJournal journal;
  {
    rp::Recorder recorder(hrt, journal, BULWARN_VERSION);
    played.start();
    hrt.pressKey(39);
    hrt.pressKey(13);
    hrt.advance(1500);
    hrt.answerNext(forms::mb::AnsYes);
    hrt.chooseMenu("mnuExit");
  }
  ASSERT_TRUE(hrt.ended());
  const std::string path = QDir::tempPath().toStdString() + "/bulwarn-show-test.replay";
  std::ofstream(path, std::ios::binary) << journal.text();
  const rp::Outcome expected = rp::replay(rp::parse(journal.text()));

  // The watcher presses keys and clicks all the time.
  QTimer meddler;
  QObject::connect(&meddler, &QTimer::timeout, [] {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->isVisible() && w->windowHandle()) {
        QTest::keyClick(w->windowHandle(), Qt::Key_Left);
        QTest::mouseClick(w->windowHandle(), Qt::LeftButton, {}, QPoint(200, 300));
      }
  });
  meddler.start(100);
  std::fflush(stdout);
  const int rc = bulwarn::showReplay(path);
  meddler.stop();
  EXPECT_EQ(rc, 0);
  EXPECT_EQ(expected.exitCode, 0) << expected.message;
  std::remove(path.c_str());
}

}  // namespace

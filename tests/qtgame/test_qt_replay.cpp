// The proof that the two realisations agree: games played in the Qt program
// (offscreen, real timers, real keys, clicks and menus through its windows)
// are recorded, replayed on the headless runtime, and must end in exactly the
// same state. The missions are shortened through the game's model in set-ups
// made between events; they are recorded as calls, and the replay repeats them.
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <fstream>
#include <functional>
#include <memory>

#include "QtProgram.h"
#include "app/ShowReplay.h"
#include "common/Battle.h"
#include "platform/headless/HeadlessRuntime.h"
#include "replay/Recorder.h"
#include "replay/Replay.h"

namespace {

using bulwarn::Program;
namespace rp = bulwarn::replay;

// Recorded from the start; a finished mission is not started over.
class QtRecorded : public qtgame::QtProgram {
 protected:
  QtRecorded() { declineNewMission = true; }
  void TearDown() override {
    recorder.reset();
    QtProgram::TearDown();
  }

  bool inFront() { return program.battleIfLoaded() && rt.activeForm() == program.battleIfLoaded(); }
  bool over() { return program.vex.blnVictory || program.vex.blnDestroyed || program.vex.blnBreached; }

  // A change to the game between two events, made as a call from outside.
  void setUp(const std::function<void(Program&)>& fn) {
    setUps.push_back(fn);
    rt.dispatch([&] { fn(program); });
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

  rp::MemoryJournal journal;
  std::unique_ptr<rp::Recorder> recorder = std::make_unique<rp::Recorder>(rt, journal, BULWARN_VERSION);
  std::vector<std::function<void(Program&)>> setUps;
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
    ASSERT_TRUE(QTest::qWaitFor([&] { return bulwarn::test::shotChainIdle(b) || over(); }, 8000));
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


// A recording watched in the window, paced by its own clock, its boxes shown
// and answered by it: the show ends with the recording, in the state replay prints.
TEST(QtShow, AReplayShownInTheWindowEndsLikeTheReplay) {
  forms::HeadlessRuntime hrt;
  bulwarn::Program played(hrt);
  rp::MemoryJournal journal;
  {
    rp::Recorder recorder(hrt, journal, BULWARN_VERSION);
    played.start();
    hrt.pressKey(39);
    hrt.advance(1500);
    hrt.answerNext(forms::mb::AnsYes);
    hrt.chooseMenu("mnuExit");
  }
  ASSERT_TRUE(hrt.ended());
  QTemporaryDir dir;  // of its own: the test runs at several scales at once
  const std::string path = dir.filePath("show.replay").toStdString();
  std::ofstream(path, std::ios::binary) << journal.text();
  const rp::Outcome expected = rp::replay(rp::parse(journal.text()));

  testing::internal::CaptureStdout();
  const int rc = bulwarn::showReplay(path);
  const std::string shown = testing::internal::GetCapturedStdout();
  EXPECT_EQ(rc, 0);
  EXPECT_EQ(expected.exitCode, 0) << expected.message;
  EXPECT_EQ(shown, expected.state);
}

}  // namespace

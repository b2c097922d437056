#include "Fixture.h"
#include "screens/frmOptionsG.h"

namespace bulwarn::test {
namespace {

class MenuTest : public GameTest {
 protected:
  void SetUp() override { start(); }
  std::vector<float> positions() {
    std::vector<float> v;
    for (int k = 1; k <= 8; ++k) {
      v.push_back(battle().imgUnit(k).Left);
      v.push_back(battle().imgUnit(k).Top);
    }
    return v;
  }
  // Everything a pause stops is stopped, and nothing moves for 20 seconds.
  void expectFrozenPause() {
    frmBulwarn& b = battle();
    EXPECT_TRUE(b.isPaused());
    EXPECT_EQ(b.lblVictory.Caption.get(), "[PAUSED]");
    EXPECT_EQ(messages(), "\r\n[PAUSED]");
    EXPECT_EQ(usable(), "");
    for (auto* t : {&b.tmrShot, &b.tmrEnemy1, &b.tmrReload, &b.tmrRepair, &b.tmrEnemyTime, &b.tmrMove, &b.tmrFly})
      EXPECT_FALSE(t->Enabled) << t->name();
    EXPECT_EQ(b.tmrMove.Interval, 500) << "a paused timer keeps its interval";
    const auto before = positions();
    const int attacks = countMessages("Enemy Attack");
    rt->advance(20000);
    EXPECT_EQ(positions(), before);
    EXPECT_EQ(countMessages("Enemy Attack"), attacks);
    EXPECT_FALSE(rt->click("imgUnit", 4));
  }
  void expectRunning() {
    frmBulwarn& b = battle();
    EXPECT_FALSE(b.isPaused());
    EXPECT_EQ(b.lblVictory.Caption.get(), "");
    EXPECT_EQ(messages(), "");
    EXPECT_EQ(gun(), "Fire keys units zones");
    for (auto* t : {&b.tmrEnemy1, &b.tmrEnemyTime, &b.tmrMove, &b.tmrFly}) EXPECT_TRUE(t->Enabled) << t->name();
  }
};

TEST_F(MenuTest, EveryMenuTitlePauses) {
  for (const char* title : {"mnuGame", "mnuView", "mnuOptions", "mnuHelp"}) {
    start();
    rt->advance(700);
    ASSERT_TRUE(rt->openMenu(title));
    expectFrozenPause();
    rt->pressKey(Key::Left);
    EXPECT_EQ(battle().imgSight.Left, 3720) << title;
    ASSERT_TRUE(rt->chooseMenu("mnuPause"));  // opens Game, then resumes
    expectRunning();
    const auto before = positions();
    rt->advance(500);
    EXPECT_NE(positions(), before) << title;
  }
}

TEST_F(MenuTest, ShortcutsPauseThenRunTheirCommand) {
  struct Case {
    const char* key;
    int answer;
    const char *prompt, *title;
    int style;
  };
  const char* notYet = "This Feature Not Yet Available In This Edition";
  const Case cases[] = {
      {"F2", mb::AnsNo, "Really Restart?", "Restart Mission?", 52},
      {"Ctrl+N", mb::AnsNo, "Are You Sure You Want To Start a New Game?", "New Mission?", 52},
      {"Ctrl+O", mb::AnsOk, notYet, "Load Game", 32},
      {"Ctrl+S", mb::AnsOk, notYet, "Save Game", 32},
      {"Ctrl+X", mb::AnsNo, "Are You Sure You Want To Abort?", "Abort Mission?", 20},
      {"F1", mb::AnsOk, "The Help Contents Are Currently Not Available In This Version.", "Help Files", 32}};
  for (const Case& c : cases) {
    start();
    rt->answerNext(c.answer);
    ASSERT_TRUE(rt->pressShortcut(c.key)) << c.key;
    ASSERT_EQ(rt->msgBoxes().size(), 1u) << c.key;
    EXPECT_EQ(rt->msgBoxes()[0].prompt, c.prompt);
    EXPECT_EQ(rt->msgBoxes()[0].title, c.title);
    EXPECT_EQ(rt->msgBoxes()[0].style, c.style);
    EXPECT_FALSE(rt->ended());
    expectFrozenPause();
  }
  // F3 only toggles.
  start();
  rt->pressShortcut("F3");
  expectFrozenPause();
  rt->pressShortcut("F3");
  expectRunning();
  EXPECT_TRUE(rt->msgBoxes().empty());
}

TEST_F(MenuTest, ScoringExplainsTheRules) {
  rt->chooseMenu("mnuScoring");
  ASSERT_EQ(rt->msgBoxes().size(), 1u);
  EXPECT_EQ(rt->msgBoxes()[0].prompt,
            "The SCORE is calculated by:\r\n\r\nDifficulty:\r\nEasy = +10\r\nMedium = +20\r\nHard = +50\r\n"
            "Impossible = +100\r\n\r\nEND GAME BONUS: Ammo Remaining: +2 per unit\r\n\r\nTimes Reloaded: -5 per "
            "time\r\n\r\nTimes Repaired: -5 per time\r\n\r\nEnemies Destroyed: +10 per Target");
  EXPECT_EQ(rt->msgBoxes()[0].title, "Calculating Score");
  EXPECT_EQ(rt->msgBoxes()[0].style, 64);
  bool intro = false;
  rt->onModal("frmIntroG", [&](forms::Form&) { intro = true; });
  rt->chooseMenu("mnuIntro");
  EXPECT_TRUE(intro);
  EXPECT_TRUE(battle().isPaused());
}

// The resume gives Reload back when rounds are missing and Repair when the bar
// is under 7080 twips.
TEST_F(MenuTest, ResumeOffersWhatIsMissing) {
  frmBulwarn& b = battle();
  b.HPBar.Width = 7080;
  rt->openMenu("mnuView");
  rt->pressShortcut("F3");
  EXPECT_FALSE(b.cmdReload.Enabled);
  EXPECT_FALSE(b.cmdRepair.Enabled);
  rt->pressShortcut("F3");
  b.HPBar.Width = 7079;
  vex().intAmmo = 24;
  b.picAmmo(24).Visible = false;
  rt->pressShortcut("F3");
  EXPECT_TRUE(b.cmdReload.Enabled);
  EXPECT_TRUE(b.cmdRepair.Enabled);
  EXPECT_TRUE(b.cmdFire.Enabled);
}

// A shot whose impact ends during a pause gives nothing back; the resume does,
// and the attack trigger then runs out the countdown it was left with.
TEST_F(MenuTest, ShotEndingDuringAPause) {
  frmBulwarn& b = battle();
  b.tmrMove.Enabled = false;
  b.tmrFly.Enabled = false;
  b.intHP[4] = 1000;
  aimAt(4);
  for (int i = 0; i < 30; ++i) {
    rt->pressKey(Key::Enter);
    if (b.blnDirectHit) break;
    rt->advanceUntil([&] { return shotChainIdle(); }, 5000);
  }
  ASSERT_TRUE(b.blnDirectHit);
  rt->advance(700);
  ASSERT_TRUE(b.imgHit.Visible);
  rt->openMenu("mnuHelp");
  rt->advance(1000);
  EXPECT_TRUE(shotChainIdle()) << "the impact plays to its end";
  EXPECT_FALSE(b.imgHit.Visible);
  EXPECT_EQ(usable(), "");
  EXPECT_FALSE(b.tmrEnemy1.Enabled);
  EXPECT_EQ(b.tmrEnemy1.Interval, b.intEnemyTime);
  const int delay = b.tmrEnemy1.Interval;
  rt->advance(20000);
  EXPECT_EQ(countMessages("Enemy Attack"), 0);
  rt->pressShortcut("F3");
  EXPECT_EQ(gun(), "Fire keys units zones");
  b.tmrMove.Enabled = false;  // a 1000-point unit would run over the line at once
  rt->advance(delay - 10);
  EXPECT_EQ(countMessages("Enemy Attack"), 0);
  rt->advance(10);
  EXPECT_EQ(countMessages("Enemy Attack"), 1);
  EXPECT_EQ(b.tmrEnemy1.Interval, 5000) << "from then on every 5 seconds";
}

// Resuming in the middle of a shot leaves it its lock: no second round and no
// enemy attack until the shot has played out.
TEST_F(MenuTest, ResumeMidShotKeepsTheShotsLock) {
  frmBulwarn& b = battle();
  b.tmrMove.Enabled = false;
  b.intHP[4] = 100;
  aimAt(4);
  rt->pressKey(Key::Enter);
  rt->advance(300);
  rt->openMenu("mnuView");
  rt->advance(3000);
  EXPECT_EQ(b.intShotStep, 6) << "the flash waits";
  rt->pressShortcut("F3");
  EXPECT_EQ(gun(), "");
  EXPECT_FALSE(b.tmrEnemy1.Enabled);
  rt->pressKey(Key::Enter);
  EXPECT_EQ(vex().intAmmo, 24);
  ASSERT_TRUE(rt->advanceUntil([&] { return shotChainIdle(); }, 3000));
  EXPECT_EQ(gun(), "Fire keys units zones");
  EXPECT_TRUE(b.tmrEnemy1.Enabled);
}

// An attack under way when the game pauses plays out, but gives nothing back,
// offers no repair and brings no follow-up until the resume.
TEST_F(MenuTest, AttackEndingDuringAPause) {
  frmBulwarn& b = battle();
  b.tmrMove.Enabled = false;
  b.tmrFly.Enabled = false;
  bool hitInPause = false;
  for (int attack = 0; attack < 20 && !hitInPause; ++attack) {
    const int n = countMessages("Enemy Attack");
    ASSERT_TRUE(rt->advanceUntil([&] { return countMessages("Enemy Attack") > n; }, 6000));
    rt->advance(150);
    rt->openMenu("mnuView");
    rt->advance(300);  // the roll
    hitInPause = countMessages("Enemy Hit") > 0;
    rt->advance(250);  // the damage of a hit
    EXPECT_EQ(b.tmrEnemy2.Interval, 0) << "no follow-up in a pause";
    rt->advance(2000);
    EXPECT_EQ(usable(), "");
    rt->pressShortcut("F3");
    expectRunning();
  }
  EXPECT_TRUE(hitInPause);
  EXPECT_LT(b.HPBar.Width, 7245);
}

// Resuming during a reload leaves the gun to the reload; a repair paused with
// the bar above 7080 twips still completes.
TEST_F(MenuTest, ResumeDuringReloadAndRepair) {
  frmBulwarn& b = battle();
  b.tmrEnemy1.Enabled = false;
  vex().intAmmo = 0;
  for (int i = 0; i <= 24; ++i) b.picAmmo(i).Visible = false;
  b.cmdReload.Enabled = true;
  rt->click("cmdReload");
  rt->advance(1000);
  rt->openMenu("mnuView");
  rt->advance(5000);
  EXPECT_TRUE(b.picAmmo(1).Visible);
  EXPECT_FALSE(b.picAmmo(2).Visible) << "the reload waits";
  rt->pressShortcut("F3");
  b.tmrEnemy1.Enabled = false;
  EXPECT_EQ(usable(), "units zones");
  ASSERT_TRUE(rt->advanceUntil([&] { return !b.blnReloading; }, 13000));
  EXPECT_EQ(gun(), "Fire keys units zones");

  b.HPBar.Width = 7000;
  b.cmdRepair.Enabled = true;
  rt->click("cmdRepair");
  rt->advance(100);
  ASSERT_EQ(b.HPBar.Width, 7100);
  rt->openMenu("mnuView");
  rt->pressShortcut("F3");
  b.tmrEnemy1.Enabled = false;
  EXPECT_EQ(usable(), "units zones");
  ASSERT_TRUE(rt->advanceUntil([&] { return !b.blnRepairing; }, 1000));
  EXPECT_EQ(b.HPBar.Width, 7245);
  EXPECT_EQ(vex().intRepairs, 1);
  EXPECT_TRUE(b.cmdFire.Enabled);
}

// After a breach answered No: pausing keeps the banner, resuming starts
// nothing, and Restart brings the whole mission back to life.
TEST_F(MenuTest, FinishedMissionPauseAndRestart) {
  frmBulwarn& b = battle();
  b.tmrEnemy1.Enabled = false;
  b.imgUnit(3).Top = 4600;
  rt->answerNext(mb::AnsNo);
  rt->advance(500);
  ASSERT_TRUE(vex().blnBreached);
  rt->openMenu("mnuGame");
  EXPECT_EQ(b.lblVictory.Caption.get(), "MISSION FAILED");
  EXPECT_NE(messages(), "\r\n[PAUSED]");
  rt->pressShortcut("F3");
  EXPECT_FALSE(b.isPaused());
  const auto before = positions();
  rt->advance(20000);
  EXPECT_EQ(positions(), before);
  EXPECT_EQ(countMessages("Enemy Attack"), 0);
  EXPECT_EQ(b.lblVictory.Caption.get(), "MISSION FAILED");
  EXPECT_FALSE(b.cmdFire.Enabled);

  rt->pressShortcut("F2");  // Yes
  expectRunning();
  EXPECT_EQ(b.imgUnit(3).Top, 2650);
  EXPECT_EQ(b.GunLimit.BorderColor, kDarkGreen);
  rt->advance(500);
  EXPECT_EQ(b.imgUnit(3).Top, 2674);
  rt->advance(4490);
  EXPECT_EQ(countMessages("Enemy Attack"), 0);
  rt->advance(10);
  EXPECT_EQ(countMessages("Enemy Attack"), 1);
}

// A victory while paused, answered Yes, resets the mission under the pause:
// everything stays off until the resume.
TEST_F(MenuTest, ResetWhilePausedWaitsForTheResume) {
  frmBulwarn& b = battle();
  b.tmrFly.Enabled = false;
  for (int i = 1; i <= 8; ++i)
    if (i != 4) b.imgUnit(i).Visible = false;
  b.intHP[4] = 1;
  aimAt(4);
  for (int i = 0; i < 30; ++i) {
    vex().intAmmo = 25;
    rt->pressKey(Key::Enter);
    if (b.blnDirectHit) break;
    rt->advanceUntil([&] { return shotChainIdle(); }, 5000);
  }
  ASSERT_TRUE(b.blnDirectHit);
  rt->advance(700);
  rt->openMenu("mnuOptions");
  rt->advance(2000);
  ASSERT_TRUE(sawMsgBox("Would You Like To Start a New Game?"));
  EXPECT_TRUE(b.isPaused());
  EXPECT_TRUE(b.imgUnit(1).Visible);
  EXPECT_EQ(vex().intScore, 10);
  EXPECT_FALSE(b.cmdFire.Enabled);
  for (auto* t : {&b.tmrEnemy1, &b.tmrEnemyTime, &b.tmrMove, &b.tmrFly}) EXPECT_FALSE(t->Enabled) << t->name();
  const auto before = positions();
  rt->advance(20000);
  EXPECT_EQ(positions(), before);
  EXPECT_EQ(countMessages("Enemy Attack"), 0);

  rt->pressShortcut("F3");
  EXPECT_TRUE(b.cmdFire.Enabled);
  rt->advance(500);
  EXPECT_NE(positions(), before);
  rt->advance(4500);
  EXPECT_EQ(countMessages("Enemy Attack"), 1);
}

// New Mission unloads the battle screen and runs the whole start-up again;
// the new game starts clean.
TEST_F(MenuTest, NewMissionRepeatsTheStartup) {
  battle().tmrEnemy1.Enabled = false;
  battle().imgUnit(3).Top = 4600;
  vex().intReloads = 2;
  rt->answerNext(mb::AnsNo);
  rt->advance(500);
  ASSERT_TRUE(vex().blnBreached);
  forms::Form* pics = rt->form("frmPics");
  std::vector<std::string> order;
  rt->onModal("frmIntroG", [&](forms::Form&) { order.push_back("intro"); });
  rt->onModal("frmOptionsG", [&](forms::Form& f) {
    order.push_back("options");
    EXPECT_FALSE(static_cast<frmOptionsG&>(f).cmdCancel.Visible);
    rt->click("optMedium");
    rt->click("cmdOK");
  });
  int ticks = 0;
  rt->onModal("frmLoad", [&](forms::Form& f) {
    order.push_back("load");
    while (f.isLoaded() && ticks < 100) {
      rt->advance(10);
      ++ticks;
    }
  });
  // An options dialog left open from the menu does not stand in for the
  // start-up one.
  rt->chooseMenu("mnuDifficulty");
  rt->click("optImpossible", -1, "frmOptionsG");
  rt->pressShortcut("Ctrl+N", "frmBulwarn");  // Yes
  EXPECT_EQ(rt->msgBoxes().back().prompt, "Are You Sure You Want To Start a New Game?");
  EXPECT_EQ(order, (std::vector<std::string>{"intro", "options", "load"}));
  EXPECT_EQ(ticks, 51);
  EXPECT_EQ(rt->form("frmPics"), pics) << "the picture store is loaded once";
  EXPECT_EQ(rt->form("frmOptionsG"), nullptr);
  frmBulwarn& b = battle();
  EXPECT_TRUE(b.isVisible());
  EXPECT_FALSE(b.isPaused());
  EXPECT_EQ(b.lblScore.Caption.get(), "20");
  EXPECT_EQ(vex().intScore, 20);
  EXPECT_EQ(vex().intReloads, 0);
  EXPECT_FALSE(vex().blnBreached || vex().blnVictory || vex().blnDestroyed);
  EXPECT_EQ(b.imgUnit(3).Top, 2640);
  EXPECT_EQ(b.imgSight.Left, 3720);
  EXPECT_EQ(b.lblVictory.Caption.get(), "");
  EXPECT_TRUE(b.KeyPreview);
  rt->advance(5000);
  EXPECT_EQ(countMessages("Enemy Attack"), 1);
}

TEST_F(MenuTest, AbortAndCloseEndTheProgram) {
  rt->answerNext(mb::AnsNo);
  rt->chooseMenu("mnuExit");
  EXPECT_FALSE(rt->ended());
  rt->chooseMenu("mnuExit");  // Yes
  EXPECT_TRUE(rt->ended());
  EXPECT_TRUE(rt->loadedFormNames().empty());

  start();
  rt->closeWindow();
  EXPECT_TRUE(rt->ended()) << "no hidden form keeps the program alive";
  EXPECT_TRUE(rt->loadedFormNames().empty());
  EXPECT_TRUE(rt->msgBoxes().empty()) << "closing asks nothing";
}

}  // namespace
}  // namespace bulwarn::test

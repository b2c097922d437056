#include "Fixture.h"

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
  // Paused: nothing usable, and nothing moves or attacks for 20 seconds.
  void expectFrozenPause() {
    EXPECT_TRUE(battle().isPaused());
    EXPECT_EQ(battle().lblVictory.Caption.get(), "[PAUSED]");
    EXPECT_EQ(usable(), "");
    const auto before = positions();
    const int attacks = countMessages("Enemy Attack");
    rt->advance(20000);
    EXPECT_EQ(positions(), before);
    EXPECT_EQ(countMessages("Enemy Attack"), attacks);
  }
};

// Opening a menu title pauses; the resume gives Reload back when rounds are missing.
TEST_F(MenuTest, MenuTitlePausesAndResumeRestoresTheGun) {
  vex().intAmmo = 24;
  battle().picAmmo(24).Visible = false;
  ASSERT_TRUE(rt->openMenu("mnuView"));
  expectFrozenPause();
  rt->pressKey(Key::Left);
  EXPECT_EQ(battle().imgSight.Left, 3720) << "keys are dead in a pause";
  ASSERT_TRUE(rt->chooseMenu("mnuPause"));
  EXPECT_FALSE(battle().isPaused());
  EXPECT_EQ(battle().lblVictory.Caption.get(), "");
  EXPECT_EQ(usable(), "Fire Reload keys units zones");
  const auto before = positions();
  rt->advance(500);
  EXPECT_NE(positions(), before);
}

TEST_F(MenuTest, NoToRestartStaysPaused) {
  rt->answerNext(mb::AnsNo);
  ASSERT_TRUE(rt->pressShortcut("F2"));
  ASSERT_EQ(rt->msgBoxes().size(), 1u);
  EXPECT_EQ(rt->msgBoxes()[0].prompt, "Really Restart?");
  expectFrozenPause();
}

// Regression: after a breach answered No, resuming starts nothing and the
// mission does not end a second time; Restart brings it back to life.
TEST_F(MenuTest, FinishedMissionResumesNothing) {
  frmBulwarn& b = battle();
  b.tmrEnemy1.Enabled = false;
  b.imgUnit(3).Top = 4600;
  rt->answerNext(mb::AnsNo);
  rt->advance(500);
  ASSERT_TRUE(vex().blnBreached);
  rt->openMenu("mnuGame");
  rt->pressShortcut("F3");
  const auto before = positions();
  rt->advance(20000);
  EXPECT_EQ(positions(), before);
  EXPECT_EQ(countMessages("Enemy Attack"), 0);
  EXPECT_FALSE(b.cmdFire.Enabled);
  EXPECT_EQ(rt->msgBoxes().size(), 1u) << "the mission ended once";

  rt->pressShortcut("F2");  // Yes
  EXPECT_EQ(b.imgUnit(3).Top, 2650);
  EXPECT_EQ(gun(), "Fire keys units zones");
  rt->advance(5000);
  EXPECT_EQ(countMessages("Enemy Attack"), 1);
}

// Regression: a repair paused with the bar at 7100 twips completes after the resume.
TEST_F(MenuTest, RepairPausedAt7100Completes) {
  frmBulwarn& b = battle();
  silenceEnemy();
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

// New Mission runs the whole start-up again and the new game starts clean;
// an options dialog left open from the menu does not answer for the start-up.
TEST_F(MenuTest, NewMissionRepeatsTheStartup) {
  battle().tmrEnemy1.Enabled = false;
  battle().imgUnit(3).Top = 4600;
  vex().intReloads = 2;
  rt->answerNext(mb::AnsNo);
  rt->advance(500);
  ASSERT_TRUE(vex().blnBreached);
  std::vector<std::string> order;
  rt->onModal("frmIntroG", [&](forms::Form&) { order.push_back("intro"); });
  rt->onModal("frmOptionsG", [&](forms::Form&) {
    order.push_back("options");
    rt->click("optMedium");
    rt->click("cmdOK");
  });
  rt->onModal("frmLoad", [&](forms::Form& f) {
    order.push_back("load");
    for (int i = 0; f.isLoaded() && i < 100; ++i) rt->advance(10);
  });
  rt->chooseMenu("mnuDifficulty");
  rt->click("optImpossible", -1, "frmOptionsG");
  rt->pressShortcut("Ctrl+N", "frmBulwarn");  // Yes
  EXPECT_EQ(rt->msgBoxes().back().prompt, "Are You Sure You Want To Start a New Game?");
  EXPECT_EQ(order, (std::vector<std::string>{"intro", "options", "load"}));
  frmBulwarn& b = battle();
  EXPECT_FALSE(b.isPaused());
  EXPECT_EQ(b.lblScore.Caption.get(), "20");
  EXPECT_EQ(vex().intReloads, 0);
  EXPECT_FALSE(vex().blnBreached);
  EXPECT_EQ(b.imgUnit(3).Top, 2640);
  EXPECT_EQ(b.lblVictory.Caption.get(), "");
  rt->advance(5000);
  EXPECT_EQ(countMessages("Enemy Attack"), 1);
}

TEST_F(MenuTest, AbortEndsTheProgram) {
  rt->answerNext(mb::AnsNo);
  rt->chooseMenu("mnuExit");
  EXPECT_FALSE(rt->ended());
  rt->chooseMenu("mnuExit");  // Yes
  EXPECT_TRUE(rt->ended());
  EXPECT_TRUE(rt->loadedFormNames().empty());
}

}  // namespace
}  // namespace bulwarn::test

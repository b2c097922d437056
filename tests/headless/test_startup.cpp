#include "Fixture.h"

namespace bulwarn::test {
namespace {

TEST_F(GameTest, StartupChecksTheScreenAndScoresTheDifficulty) {
  start();
  EXPECT_TRUE(battle().isVisible());
  EXPECT_EQ(vex().intAmmo, 25);
  EXPECT_TRUE(rt->msgBoxes().empty()) << "800 x 600 passes silently";

  config.screenWidthPx = 1024;
  config.screenHeightPx = 768;
  start();
  ASSERT_EQ(rt->msgBoxes().size(), 1u);
  EXPECT_EQ(rt->msgBoxes()[0].prompt,
            "The Current Resolution of Your Screen is:  1024 x 768\r\n\r\nIf your Screen's Resolution is below 800 x "
            "600 then you may have difficulty with this game in that you may not be able to see the entire "
            "screen.\r\n\r\nIn this Case we strongly recommend that you change the setting of your Screen Resolution "
            "to 800 x 600 or higher");
  EXPECT_TRUE(battle().isVisible()) << "start-up goes on after OK";

  const std::pair<const char*, int> cases[] = {{"Easy", 10}, {"Medium", 20}, {"Hard", 50}, {"Impossible", 100}};
  for (const auto& [difficulty, score] : cases) {
    start(difficulty);
    EXPECT_EQ(battle().lblScore.Caption.get(), std::to_string(score)) << difficulty;
    EXPECT_EQ(vex().intScore, score);
  }
}

// Closing the start-up dialog by its window counts as OK.
TEST_F(GameTest, ClosingTheStartupOptionsConfirmsThem) {
  rt = std::make_unique<HeadlessRuntime>(config);
  program = std::make_unique<Program>(*rt);
  rt->onModal("frmOptionsG", [&](forms::Form&) {
    rt->click("optMedium");
    rt->closeWindow("frmOptionsG");
  });
  program->start();
  EXPECT_EQ(vex().strDifficulty, "Medium");
  EXPECT_EQ(battle().lblScore.Caption.get(), "20");
}

TEST_F(GameTest, OptionsDuringAMissionAskBeforeRestarting) {
  start("Hard");
  battle().tmrEnemy1.Enabled = false;
  rt->advance(1000);
  const float movedTop = battle().imgUnit(3).Top;
  ASSERT_GT(movedTop, 2640);

  // No: the new settings are kept, the mission is not restarted.
  ASSERT_TRUE(rt->chooseMenu("mnuDifficulty"));
  rt->click("chkReload", -1, "frmOptionsG");
  rt->answerNext(mb::AnsNo);
  rt->click("cmdOK", -1, "frmOptionsG");
  ASSERT_EQ(rt->msgBoxes().size(), 1u);
  EXPECT_EQ(rt->msgBoxes()[0].prompt, "Changing Difficulty Will Restart Mission\r\n\r\nAre You Sure?");
  EXPECT_FALSE(battle().cmdReload.Visible);
  EXPECT_EQ(battle().imgUnit(3).Top, movedTop);
  EXPECT_TRUE(battle().isPaused());

  // Yes restarts once, at the new difficulty, and resumes.
  rt->chooseMenu("mnuDifficulty", "frmBulwarn");
  rt->click("optImpossible", -1, "frmOptionsG");
  rt->click("cmdOK", -1, "frmOptionsG");
  EXPECT_FALSE(battle().isPaused());
  EXPECT_EQ(battle().lblScore.Caption.get(), "100");
  EXPECT_EQ(battle().imgUnit(3).Top, 2650);
  battle().tmrEnemy1.Enabled = false;
  rt->advance(1000);
  const float afterRestart = battle().imgUnit(3).Top;
  EXPECT_GT(afterRestart, 2650);
  rt->chooseMenu("mnuAbout");  // another activation of the battle screen
  EXPECT_EQ(battle().imgUnit(3).Top, afterRestart) << "restarted once only";
  EXPECT_EQ(vex().intScore, 100);
}

// A restart puts back everything a mission starts with; the gun keeps its place.
TEST_F(GameTest, RestartRestoresTheMission) {
  start("Medium");
  battle().tmrEnemy1.Enabled = false;
  rt->advance(3000);
  silenceEnemy();
  aimAt(4);
  battle().intHP[4] = 100;
  shoot();
  shoot();
  frmBulwarn& b = battle();
  b.imgUnit(2).Visible = false;
  b.intHP[2] = -1;
  b.HPBar.Width = 2000;
  b.HPBar.FillColor = kRed;
  vex().intKills = 3;
  vex().intReloads = 2;
  const float gunLeft = b.imgSight.Left;

  rt->pressShortcut("F2");
  ASSERT_EQ(rt->msgBoxes().back().prompt, "Really Restart?");
  EXPECT_EQ(vex().intAmmo, 25);
  for (int i = 0; i <= 24; ++i) EXPECT_TRUE(b.picAmmo(i).Visible) << i;
  EXPECT_EQ(b.HPBar.Width, 7245);
  EXPECT_EQ(b.HPBar.FillColor, kGreen);
  for (int i = 1; i <= 8; ++i) {
    EXPECT_EQ(b.intHP[i], 8) << i;
    EXPECT_TRUE(b.imgUnit(i).Visible) << i;
    EXPECT_EQ(b.imgUnit(i).Top, i <= 6 ? 2650 : 130) << i;
  }
  EXPECT_EQ(b.lblScore.Caption.get(), "20");
  EXPECT_EQ(vex().intKills, 0);
  EXPECT_EQ(vex().intReloads, 0);
  EXPECT_EQ(usable(), "Fire keys units zones");
  EXPECT_EQ(b.imgSight.Left, gunLeft) << "the gun keeps its place";

  b.tmrMove.Enabled = false;
  rt->advance(4990);
  EXPECT_EQ(countMessages("Enemy Attack"), 0);
  rt->advance(10);
  EXPECT_EQ(countMessages("Enemy Attack"), 1) << "the first attack comes 5 seconds later";
}

}  // namespace
}  // namespace bulwarn::test

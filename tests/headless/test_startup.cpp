#include "Fixture.h"
#include "screens/frmAbout.h"
#include "screens/frmOptionsG.h"

namespace bulwarn::test {
namespace {

std::string screenMessage(const std::string& size) {
  return "The Current Resolution of Your Screen is: " + size +
         "\r\n\r\nIf your Screen's Resolution is below 800 x 600 then you may have difficulty with this game in "
         "that you may not be able to see the entire screen.\r\n\r\nIn this Case we strongly recommend that you "
         "change the setting of your Screen Resolution to 800 x 600 or higher";
}

TEST_F(GameTest, StartupReachesTheBattleScreen) {
  start();
  EXPECT_TRUE(battle().isVisible());
  EXPECT_EQ(rt->activeForm(), &battle());
  EXPECT_EQ(vex().intAmmo, 25);
  EXPECT_TRUE(battle().KeyPreview);
  EXPECT_NE(rt->form("frmPics"), nullptr);
  EXPECT_TRUE(rt->msgBoxes().empty()) << "800 x 600 passes silently";
  EXPECT_EQ(battle().Top, 0);
  EXPECT_EQ(battle().Left, (12000.f - 10455.f) / 2);
}

TEST_F(GameTest, ScreenCheckTellsTheActualSize) {
  struct Case {
    int w, h;
    const char* text;
  };
  for (const Case& c : {Case{1024, 768, " 1024 x 768"}, Case{640, 480, " 640 x 480"}, Case{800, 768, " 800 x 768"}}) {
    config.screenWidthPx = c.w;
    config.screenHeightPx = c.h;
    start();
    ASSERT_EQ(rt->msgBoxes().size(), 1u) << c.w << "x" << c.h;
    EXPECT_EQ(rt->msgBoxes()[0].prompt, screenMessage(c.text));
    EXPECT_EQ(rt->msgBoxes()[0].style, 0);
    EXPECT_EQ(rt->msgBoxes()[0].title, "Bulwarn");
    EXPECT_TRUE(battle().isVisible()) << "start-up goes on after OK";
  }
}

// Screen check, briefing, options, loading screen: one after another, and the
// loading screen fills its bar in 51 ticks, loading the picture store half-way.
TEST_F(GameTest, StartupSequenceInOrder) {
  config.screenWidthPx = 1024;
  config.screenHeightPx = 768;
  rt = std::make_unique<HeadlessRuntime>(config);
  program = std::make_unique<Program>(*rt);
  std::vector<std::string> order;
  rt->setMsgBoxResponder([&](const forms::MsgBoxRecord&) {
    order.push_back("screen");
    return mb::AnsOk;
  });
  rt->onModal("frmIntroG", [&](forms::Form&) { order.push_back("intro"); });
  rt->onModal("frmOptionsG", [&](forms::Form& f) {
    order.push_back("options");
    auto& o = static_cast<frmOptionsG&>(f);
    EXPECT_FALSE(program->frmBulwarn().isVisible());
    EXPECT_TRUE(o.optEasy.Value) << "Easy is preselected";
    EXPECT_FALSE(o.cmdCancel.Visible) << "no Cancel at start-up";
    EXPECT_EQ(o.chkReload.Value, 1);
    EXPECT_EQ(o.chkRepair.Value, 1);
    rt->click("optHard");
    rt->click("cmdOK");
  });
  int ticks = 0;
  rt->onModal("frmLoad", [&](forms::Form& f) {
    order.push_back("load");
    auto& bar = rt->get<forms::ProgressBar>("ProgressBar", -1, "frmLoad");
    EXPECT_EQ(bar.Value, 0);
    while (f.isLoaded() && ticks < 100) {
      rt->advance(10);
      ++ticks;
      if (ticks == 25) {
        EXPECT_EQ(rt->form("frmPics"), nullptr) << "not before the tick that finds 50";
      } else if (ticks == 26) {
        EXPECT_NE(rt->form("frmPics"), nullptr);
      }
    }
  });
  program->start();
  EXPECT_EQ(order, (std::vector<std::string>{"screen", "intro", "options", "load"}));
  EXPECT_EQ(ticks, 51);
  EXPECT_EQ(vex().strDifficulty, "Hard");
  EXPECT_EQ(battle().lblScore.Caption.get(), "50");
  EXPECT_EQ(rt->msgBoxes().size(), 1u) << "the start-up OK asks nothing";
}

TEST_F(GameTest, ScoreStartsAtTheDifficultyBonus) {
  const std::pair<const char*, const char*> cases[] = {
      {"Easy", "10"}, {"Medium", "20"}, {"Hard", "50"}, {"Impossible", "100"}};
  for (const auto& [difficulty, score] : cases) {
    start(difficulty);
    EXPECT_EQ(battle().lblScore.Caption.get(), score) << difficulty;
    EXPECT_EQ(vex().intScore, std::stoi(score));
  }
}

// The difficulty is compared exactly: a name that matches none gives no bonus
// and makes hits harmless, for the gun and for the enemy.
TEST_F(GameTest, UnknownDifficultyGivesNoBonusAndNoDamage) {
  start();
  silenceEnemy();
  vex().strDifficulty = "easy";
  rt->pressShortcut("F2");  // Restart, answered Yes
  EXPECT_EQ(battle().lblScore.Caption.get(), "0");
  silenceEnemy();
  aimAt(4);
  shootUntilHit();
  EXPECT_EQ(battle().intHP[4], 8);
  EXPECT_LT(vex().intAmmo, 25) << "the round is still spent";
  landEnemyHit();
  EXPECT_EQ(battle().HPBar.Width, 7245);
}

TEST_F(GameTest, ReloadButtonFollowsTheOptions) {
  rt = std::make_unique<HeadlessRuntime>(config);
  program = std::make_unique<Program>(*rt);
  rt->onModal("frmOptionsG", [&](forms::Form&) {
    rt->click("chkReload");
    rt->click("cmdOK");
  });
  program->start();
  EXPECT_FALSE(battle().cmdReload.Visible) << "hidden from the start";
  EXPECT_TRUE(battle().cmdRepair.Visible);
  battle().cmdReload.Enabled = true;
  EXPECT_FALSE(rt->click("cmdReload")) << "a hidden button takes no click";
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

TEST_F(GameTest, OptionsDuringAMission) {
  start("Hard");
  battle().tmrEnemy1.Enabled = false;
  rt->advance(1000);
  const float movedTop = battle().imgUnit(3).Top;
  ASSERT_GT(movedTop, 2640);

  // No to the restart question: new settings kept, no restart, still paused.
  ASSERT_TRUE(rt->chooseMenu("mnuDifficulty"));
  auto* dlg = static_cast<frmOptionsG*>(rt->form("frmOptionsG"));
  ASSERT_NE(dlg, nullptr);
  EXPECT_FALSE(dlg->isModal());
  EXPECT_TRUE(dlg->optHard.Value);
  EXPECT_TRUE(dlg->cmdCancel.Visible);
  EXPECT_TRUE(battle().isPaused());
  rt->click("chkReload", -1, "frmOptionsG");
  rt->answerNext(mb::AnsNo);
  rt->click("cmdOK", -1, "frmOptionsG");
  ASSERT_EQ(rt->msgBoxes().size(), 1u);
  EXPECT_EQ(rt->msgBoxes()[0].prompt, "Changing Difficulty Will Restart Mission\r\n\r\nAre You Sure?");
  EXPECT_EQ(rt->msgBoxes()[0].style, 36);
  EXPECT_EQ(rt->msgBoxes()[0].title, "Change Difficulty");
  EXPECT_EQ(rt->form("frmOptionsG"), nullptr);
  EXPECT_FALSE(battle().cmdReload.Visible);
  EXPECT_EQ(vex().strDifficulty, "Hard");
  EXPECT_EQ(battle().imgUnit(3).Top, movedTop);
  EXPECT_TRUE(battle().isPaused());

  // Cancel stores nothing and asks nothing.
  rt->chooseMenu("mnuDifficulty", "frmBulwarn");
  rt->click("optEasy", -1, "frmOptionsG");
  rt->click("cmdCancel", -1, "frmOptionsG");
  EXPECT_EQ(vex().strDifficulty, "Hard");
  EXPECT_EQ(rt->msgBoxes().size(), 1u);

  // Asked twice, the one dialog comes to the front again.
  rt->chooseMenu("mnuDifficulty", "frmBulwarn");
  rt->click("optImpossible", -1, "frmOptionsG");
  rt->chooseMenu("mnuDifficulty", "frmBulwarn");
  auto names = rt->loadedFormNames();
  EXPECT_EQ(std::count(names.begin(), names.end(), "frmOptionsG"), 1);
  EXPECT_EQ(rt->activeForm(), rt->form("frmOptionsG"));
  EXPECT_TRUE(static_cast<frmOptionsG*>(rt->form("frmOptionsG"))->optImpossible.Value);

  // Yes restarts once, at the new difficulty, and resumes.
  rt->click("cmdOK", -1, "frmOptionsG");
  EXPECT_FALSE(vex().blnRestartMission);
  EXPECT_FALSE(battle().isPaused());
  EXPECT_EQ(battle().lblScore.Caption.get(), "100");
  EXPECT_EQ(battle().imgUnit(3).Top, 2650);
  battle().tmrEnemy1.Enabled = false;
  rt->advance(1000);
  const float afterRestart = battle().imgUnit(3).Top;
  EXPECT_GT(afterRestart, 2650);
  rt->chooseMenu("mnuAbout");  // another activation of the battle screen
  EXPECT_EQ(battle().imgUnit(3).Top, afterRestart);
  EXPECT_EQ(vex().intScore, 100);
}

TEST_F(GameTest, AboutSlideShow) {
  start();
  bool shown = false;
  rt->onModal("frmAbout", [&](forms::Form& f) {
    shown = true;
    auto& a = static_cast<frmAbout&>(f);
    auto visible = [&] {
      std::string v;
      for (auto* p : {&a.picFighter, &a.picShip, &a.picGarage, &a.picBase, &a.picPod})
        if (p->Visible) v += p->name() + " ";
      return v;
    };
    EXPECT_EQ(visible(), "picFighter ");
    rt->advance(999);
    EXPECT_EQ(visible(), "picFighter ");
    rt->advance(1);
    EXPECT_EQ(visible(), "picShip ");
    rt->advance(4000);
    EXPECT_EQ(visible(), "picFighter ") << "five slides later the show starts over";
  });
  rt->chooseMenu("mnuAbout");
  EXPECT_TRUE(shown);
  EXPECT_EQ(rt->form("frmAbout"), nullptr) << "Done closes it";
}

// The hit rolls reseed twice within one clock tick; the draws stay independent.
TEST_F(GameTest, ReseedingTwiceInOneTickKeepsAnEvenChance) {
  start();
  int same = 0;
  const int n = 4000;
  for (int i = 0; i < n; ++i) {
    rt->Randomize();
    const int a = static_cast<int>(rt->Rnd() * 2) + 1;
    rt->Randomize();
    const int b = static_cast<int>(rt->Rnd() * 2) + 1;
    same += a == b;
  }
  EXPECT_NEAR(same / static_cast<double>(n), 0.5, 0.04);
}

}  // namespace
}  // namespace bulwarn::test

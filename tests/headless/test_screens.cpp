// The screens around a mission: start-up (screen check, briefing, options,
// loading), the options dialog during a mission, the menu commands, the score
// report and its verdicts, the end card and the About box.
#include "Fixture.h"
#include "screens/frmAbout.h"
#include "screens/frmScoreG.h"
#include "screens/frmWin.h"

namespace bulwarn::test {
namespace {

using ScreenTest = GameTest;

// Only exactly 800 x 600 passes silently; start-up goes on after OK on any
// other screen. The loading screen runs 51 ticks, loading the picture store
// half-way. The score starts at the difficulty's bonus.
TEST_F(ScreenTest, StartUpChecksTheScreenLoadsAndScoresTheDifficulty) {
  const struct {
    int w, h;
    const char* size;  // as the notice writes it
  } screens[] = {{800, 600, nullptr}, {1024, 768, "  1024 x 768"}, {640, 480, "  640 x 480"}};
  for (const auto& s : screens) {
    config.screenWidthPx = s.w;
    config.screenHeightPx = s.h;
    start();
    EXPECT_TRUE(battle().isVisible()) << "start-up goes on";
    EXPECT_EQ(vex().intAmmo, 25);
    if (!s.size) {
      EXPECT_TRUE(rt->msgBoxes().empty()) << "800 x 600 passes silently";
      continue;
    }
    ASSERT_EQ(rt->msgBoxes().size(), 1u);
    EXPECT_EQ(rt->msgBoxes()[0].prompt,
              "The Current Resolution of Your Screen is:" + std::string(s.size) +
                  "\r\n\r\nIf your Screen's Resolution is below 800 x 600 then you may have difficulty with this game "
                  "in that you may not be able to see the entire screen.\r\n\r\nIn this Case we strongly recommend "
                  "that you change the setting of your Screen Resolution to 800 x 600 or higher");
    EXPECT_EQ(rt->msgBoxes()[0].title, "Bulwarn");
  }

  config = {};
  boot();
  std::vector<bool> picsLoaded;
  rt->onModal("frmLoad", [&](forms::Form& f) {
    while (f.isLoaded() && picsLoaded.size() < 100) {
      rt->advance(10);
      picsLoaded.push_back(program->picsIfLoaded() != nullptr);
    }
  });
  program->start();
  ASSERT_EQ(picsLoaded.size(), 51u) << "ticks of the loading screen";
  EXPECT_FALSE(picsLoaded[24]);
  EXPECT_TRUE(picsLoaded[25]) << "the picture store loads on the tick that finds 50";

  const std::pair<const char*, int> bonuses[] = {{"Easy", 10}, {"Medium", 20}, {"Hard", 50}, {"Impossible", 100}};
  for (const auto& [difficulty, score] : bonuses) {
    start(difficulty);
    EXPECT_EQ(battle().lblScore.Caption.get(), std::to_string(score)) << difficulty;
    EXPECT_EQ(vex().intScore, score);
  }
}

// Closing the start-up dialog by its window counts as OK.
TEST_F(ScreenTest, ClosingTheStartupOptionsConfirmsThem) {
  boot();
  rt->onModal("frmOptionsG", [&](forms::Form&) {
    rt->click("optMedium");
    rt->closeWindow("frmOptionsG");
  });
  program->start();
  EXPECT_EQ(vex().strDifficulty, "Medium");
  EXPECT_EQ(battle().lblScore.Caption.get(), "20");
}

// During a mission the dialog shows the settings in force and offers Cancel,
// which stores nothing and asks nothing; OK asks before
// restarting: No keeps the new settings for the running mission, Yes restarts
// it once, at the new difficulty.
TEST_F(ScreenTest, OptionsDuringAMissionAskBeforeRestarting) {
  start("Hard");
  frmBulwarn& b = battle();
  b.tmrEnemy1.Enabled = false;
  rt->advance(1000);
  const float movedTop = b.imgUnit(3).Top;
  ASSERT_GT(movedTop, 2640);

  ASSERT_TRUE(rt->chooseMenu("mnuDifficulty", "frmBulwarn"));
  EXPECT_TRUE(static_cast<forms::OptionButton&>(rt->control("optHard", -1, "frmOptionsG")).Value);
  EXPECT_TRUE(rt->control("cmdCancel", -1, "frmOptionsG").Visible);
  rt->click("optEasy", -1, "frmOptionsG");
  rt->click("chkRepair", -1, "frmOptionsG");
  rt->click("cmdCancel", -1, "frmOptionsG");
  EXPECT_EQ(rt->form("frmOptionsG"), nullptr);
  EXPECT_EQ(vex().strDifficulty, "Hard");
  EXPECT_TRUE(vex().blnRepairEnabled);
  EXPECT_TRUE(rt->msgBoxes().empty());

  // No: the new settings are kept, the mission is not restarted.
  ASSERT_TRUE(rt->chooseMenu("mnuDifficulty"));
  rt->click("chkReload", -1, "frmOptionsG");
  rt->answerNext(mb::AnsNo);
  rt->click("cmdOK", -1, "frmOptionsG");
  ASSERT_EQ(rt->msgBoxes().size(), 1u);
  EXPECT_EQ(rt->msgBoxes()[0].prompt, "Changing Difficulty Will Restart Mission\r\n\r\nAre You Sure?");
  EXPECT_EQ(rt->msgBoxes()[0].title, "Change Difficulty");
  EXPECT_FALSE(b.cmdReload.Visible);
  EXPECT_EQ(b.imgUnit(3).Top, movedTop);
  EXPECT_TRUE(b.isPaused());

  // Yes restarts once, at the new difficulty, and resumes.
  rt->chooseMenu("mnuDifficulty", "frmBulwarn");
  rt->click("optImpossible", -1, "frmOptionsG");
  rt->click("cmdOK", -1, "frmOptionsG");
  EXPECT_FALSE(b.isPaused());
  EXPECT_EQ(b.lblScore.Caption.get(), "100");
  EXPECT_EQ(b.imgUnit(3).Top, 2650);
  b.tmrEnemy1.Enabled = false;
  rt->advance(1000);
  const float afterRestart = b.imgUnit(3).Top;
  EXPECT_GT(afterRestart, 2650);
  rt->chooseMenu("mnuAbout");  // another activation of the battle screen
  EXPECT_EQ(b.imgUnit(3).Top, afterRestart) << "restarted once only";
  EXPECT_EQ(vex().intScore, 100);
}

// New Mission runs the whole start-up again and the new game starts clean;
// an options dialog left open from the menu does not answer for the start-up.
TEST_F(ScreenTest, NewMissionRepeatsTheStartup) {
  start();
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
    int ticks = 0;
    for (; f.isLoaded() && ticks < 100; ++ticks) rt->advance(10);
    EXPECT_EQ(ticks, 51) << "the picture store is loaded already, the ticks are the same";
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

// Abort asks first; closing the battle window ends the program at once.
TEST_F(ScreenTest, AbortAndClosingTheWindowEndTheProgram) {
  start();
  rt->answerNext(mb::AnsNo);
  rt->chooseMenu("mnuExit");
  EXPECT_EQ(rt->msgBoxes().back().prompt, "Are You Sure You Want To Abort?");
  EXPECT_FALSE(rt->ended());
  rt->chooseMenu("mnuExit");  // Yes
  EXPECT_TRUE(rt->ended());
  EXPECT_TRUE(rt->loadedFormNames().empty());

  start();
  program->frmAbout().Show();
  rt->closeWindow("frmBulwarn");
  EXPECT_TRUE(rt->ended());
  EXPECT_TRUE(rt->loadedFormNames().empty());
}

// The help commands and the missing features answer with their notices.
TEST_F(ScreenTest, HelpAndMissingFeaturesAnswerWithTheirNotices) {
  start();
  const std::pair<const char*, const char*> notices[] = {{"mnuLoad", "Load Game"},
                                                         {"mnuSave", "Save Game"},
                                                         {"mnuContents", "Help Files"},
                                                         {"mnuScoring", "Calculating Score"}};
  for (const auto& [item, title] : notices) {
    ASSERT_TRUE(rt->chooseMenu(item, "frmBulwarn"));
    EXPECT_EQ(rt->msgBoxes().back().title, title);
  }
  EXPECT_EQ(rt->msgBoxes()[0].prompt, "This Feature Not Yet Available In This Edition");
  EXPECT_EQ(rt->msgBoxes()[2].prompt, "The Help Contents Are Currently Not Available In This Version.");
  EXPECT_EQ(rt->msgBoxes()[3].prompt,
            "The SCORE is calculated by:\r\n\r\nDifficulty:\r\nEasy = +10\r\nMedium = +20\r\nHard = +50\r\n"
            "Impossible = +100\r\n\r\nEND GAME BONUS: Ammo Remaining: +2 per unit\r\n\r\nTimes Reloaded: -5 per "
            "time\r\n\r\nTimes Repaired: -5 per time\r\n\r\nEnemies Destroyed: +10 per Target");
  EXPECT_EQ(rt->msgBoxes()[3].style, mb::OkInformation);
}

// The verdict on the score, at the edges of its bands; no verdict for 0 or
// less. Opening the report with enemies on the field adds no bonus, though
// the report shows what it would be.
TEST_F(ScreenTest, TheScoreReportJudgesTheScore) {
  start();
  const char* const laughable = "Your Current Score is Laughable";
  const char* const acceptable = "Your Current Score is Acceptable";
  const char* const remarkable = "Your Current Score is Remarkable";
  const char* const exceptional = "Your Current Score is Exceptional";
  const std::pair<int, const char*> verdicts[] = {
      {-5, ""},          {0, ""},           {1, laughable},    {89, laughable},     {90, acceptable},
      {119, acceptable}, {120, remarkable}, {179, remarkable}, {180, exceptional}, {249, exceptional},
      {250, "Your Current Score is Incredible"}};
  for (const auto& [score, verdict] : verdicts) {
    vex().intScore = static_cast<std::int16_t>(score);
    frmScoreG& report = program->frmScoreG();
    EXPECT_EQ(report.lblComment.Caption.get(), verdict) << score;
    EXPECT_EQ(report.lblScore.Caption.get(), std::to_string(score));
    report.Unload();
  }
  vex().intScore = 10;
  vex().intAmmo = 7;
  rt->onModal("frmScoreG",
              [&](forms::Form& f) { EXPECT_EQ(static_cast<frmScoreG&>(f).lblABonus.Caption.get(), "14"); });
  ASSERT_TRUE(rt->chooseMenu("mnuScore"));
  EXPECT_EQ(vex().intScore, 10) << "no bonus while enemies remain";
  EXPECT_EQ(battle().lblScore.Caption.get(), "10");
}

// With two outcomes set, the end card tells the victory (what each outcome
// shows is in the card's golden files).
TEST_F(ScreenTest, TheEndCardPrefersVictory) {
  start();
  vex().blnVictory = vex().blnBreached = true;
  EXPECT_EQ(program->frmWin().lblWin.Caption.get(), "VICTORY!");
  EXPECT_FALSE(program->frmWin().picGrid.Visible);
}

// The About box shows its first slide at once, the next every second, round and round.
TEST_F(ScreenTest, TheAboutBoxShowsItsSlidesInTurn) {
  start();
  std::vector<std::string> shown;
  rt->onModal("frmAbout", [&](forms::Form& f) {
    auto& about = static_cast<frmAbout&>(f);
    for (int t = 0; t <= 5; ++t) {
      std::string now;
      for (forms::PictureBox* p : {&about.picFighter, &about.picShip, &about.picGarage, &about.picBase, &about.picPod})
        if (p->Visible) now += p->name();
      shown.push_back(now);
      rt->advance(1000);
    }
    rt->click("cmdDone");
  });
  ASSERT_TRUE(rt->chooseMenu("mnuAbout"));
  EXPECT_EQ(shown, (std::vector<std::string>{"picFighter", "picShip", "picGarage", "picBase", "picPod", "picFighter"}));
  EXPECT_EQ(rt->form("frmAbout"), nullptr) << "Done closes it";
}

}  // namespace
}  // namespace bulwarn::test

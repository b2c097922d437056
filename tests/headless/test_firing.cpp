#include <cstdio>
#include <map>
#include <set>

#include "Fixture.h"
#include "screens/frmScoreG.h"
#include "screens/frmWin.h"

namespace bulwarn::test {
namespace {

class FiringTest : public GameTest {
 protected:
  void SetUp() override {
    start();
    silenceEnemy();
  }
  // Presses Enter at the unit above the gun until the roll is `hit`; the shot
  // that matches is left just fired (its flash not yet played).
  void fireUntil(bool hit, int ammo = 25) {
    for (int i = 0; i < 60; ++i) {
      vex().intAmmo = static_cast<std::int16_t>(ammo);
      rt->pressKey(Key::Enter);
      if (battle().blnDirectHit == hit) return;
      rt->advanceUntil([&] { return shotChainIdle(); }, 5000);
    }
    FAIL() << "the roll never came out " << hit;
  }
  // The shot's lock also holds the attack trigger.
  bool locked() { return gun().empty() && !battle().tmrEnemy1.Enabled; }
  bool released() { return gun() == "Fire keys units zones"; }
};

TEST_F(FiringTest, EachSituationPostsItsMessage) {
  frmBulwarn& b = battle();
  gunTo(1020);  // no unit covers this place
  rt->pressKey(Key::Enter);
  EXPECT_EQ(lastMessage(), "Target Not Identified!");
  EXPECT_EQ(vex().intAmmo, 25);
  EXPECT_TRUE(released()) << "usable at once";
  EXPECT_EQ(countSounds("Maingun.WAV"), 0);

  rt->click("imgUnit", 2);
  rt->click("cmdFire");
  EXPECT_EQ(lastMessage(), "Target Not In Line Of Fire!");
  EXPECT_FALSE(b.imgSelect.Visible);
  EXPECT_EQ(vex().intAmmo, 25);
  EXPECT_TRUE(released());

  aimAt(4);
  b.intHP[4] = 1000;
  fireUntil(false);
  EXPECT_EQ(lastMessage(), "Miss");
  rt->advanceUntil([&] { return shotChainIdle(); }, 5000);
  fireUntil(true);
  EXPECT_EQ(lastMessage(), "Direct Hit");
  rt->advanceUntil([&] { return shotChainIdle(); }, 5000);

  // The last round fires normally; then the empty gun clicks on, below zero.
  for (int i = 1; i <= 24; ++i) b.picAmmo(i).Visible = false;
  vex().intAmmo = 1;
  const int hpBefore = b.intHP[4];
  rt->clearRecords();
  rt->pressKey(Key::Enter);
  EXPECT_EQ(vex().intAmmo, 0);
  EXPECT_FALSE(b.picAmmo(0).Visible);
  EXPECT_NE(b.tmrShot.Interval, 0);
  rt->advanceUntil([&] { return shotChainIdle(); }, 5000);
  const int hpAfterLast = b.intHP[4];
  for (int expected = -1; expected >= -6; --expected) {  // hits and misses alike
    b.lblMessage.Caption = "";
    rt->pressKey(expected % 2 ? Key::Enter : Key::Space);  // Space fires as Enter does
    EXPECT_EQ(vex().intAmmo, expected);
    EXPECT_EQ(messages(), "\r\nOUT OF AMMUNITION!") << "no Miss or Direct Hit for an empty gun";
    EXPECT_EQ(b.tmrShot.Interval, 0) << "no flash";
    EXPECT_TRUE(released());
    EXPECT_TRUE(b.cmdReload.Enabled);
  }
  EXPECT_EQ(countSounds("Maingun.WAV"), 7) << "the gun sound plays for the empty gun too";
  EXPECT_EQ(b.intHP[4], hpAfterLast) << "an empty gun does no damage";
  EXPECT_LE(hpAfterLast, hpBefore);

  gunTo(1020);
  rt->pressKey(Key::Enter);
  auto lines = messageLines();
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[lines.size() - 2], "Target Not Identified!");
  EXPECT_EQ(lines.back(), "OUT OF AMMUNITION!");
  EXPECT_EQ(vex().intAmmo, -6) << "no round spent without a target";

  aimAt(4);
  b.intHP[4] = 0;  // still on the field, but nothing to select: nothing is fired
  vex().intAmmo = 5;
  rt->pressKey(Key::Enter);
  EXPECT_EQ(vex().intAmmo, 5);
  EXPECT_TRUE(released()) << "the gun is not left locked";
  b.intHP[4] = 8;

  vex().intAmmo = -32768;
  rt->pressKey(Key::Enter);
  EXPECT_EQ(vex().intAmmo, -32768) << "the count stops at its limit, it never wraps";
}

// A miss: gun sound, 12 flash frames, and the gun is back at 650 ms.
TEST_F(FiringTest, MissFlashesAndReleasesAt650ms) {
  frmBulwarn& b = battle();
  b.intHP[4] = 1000;
  aimAt(4);
  fireUntil(false);
  EXPECT_EQ(vex().intAmmo, 24);
  EXPECT_FALSE(b.picAmmo(24).Visible);
  EXPECT_TRUE(b.picAmmo(23).Visible);
  EXPECT_EQ(rt->soundNames().back(), "Maingun.WAV");
  EXPECT_EQ(rt->sounds().back().path, "/opt/bulwarn/Maingun.WAV");
  EXPECT_TRUE(locked());
  EXPECT_TRUE(b.cmdReload.Enabled);
  rt->advance(50);
  EXPECT_TRUE(b.imgGunShot.Visible);
  EXPECT_EQ(forms::pictureName(b.imgGunShot.Picture), "gunblast_00");
  rt->advance(550);
  EXPECT_EQ(forms::pictureName(b.imgGunShot.Picture), "gunblast_11");
  rt->advance(40);
  EXPECT_TRUE(locked());
  rt->pressKey(Key::Left);
  EXPECT_EQ(b.imgSight.Left, 4120) << "keys are dead while locked";
  rt->advance(10);
  EXPECT_FALSE(b.imgGunShot.Visible);
  EXPECT_TRUE(released());
  EXPECT_TRUE(b.tmrEnemy1.Enabled);
  EXPECT_NEAR(b.tmrEnemy1.Interval, b.intEnemyTime, 10) << "the next attack comes when the countdown says";
}

// A hit that leaves the unit alive: impact frames over the moving target, pips
// refreshed, the gun back 16 ticks after the first impact frame.
TEST_F(FiringTest, HitWithoutKill) {
  frmBulwarn& b = battle();
  b.tmrMove.Enabled = true;
  b.intHP[4] = 10;
  aimAt(4);
  fireUntil(true);
  const int hp = b.intHP[4];
  EXPECT_GE(10 - hp, 4) << "Easy takes 4 to 8";
  EXPECT_LE(10 - hp, 8);
  rt->advance(650);
  EXPECT_EQ(rt->soundNames().back(), "ArtilleryHit.WAV");
  EXPECT_TRUE(locked());
  std::vector<float> tops;
  for (int f = 0; f < 15; ++f) {
    rt->advance(50);
    ASSERT_TRUE(b.imgHit.Visible) << f;
    char name[16];
    std::snprintf(name, sizeof name, "hitB_%02d", f);
    EXPECT_EQ(forms::pictureName(b.imgHit.Picture), name);
    EXPECT_EQ(b.imgHit.Left, b.imgUnit(4).Left + 120);
    tops.push_back(b.imgHit.Top);
  }
  EXPECT_GT(tops.back(), tops.front()) << "the impact follows the advancing unit";
  EXPECT_TRUE(locked());
  rt->advance(50);
  EXPECT_FALSE(b.imgHit.Visible);
  EXPECT_TRUE(released());
  int pips = 0;
  for (int i = 0; i <= 7; ++i) pips += b.hp(i).Visible;
  EXPECT_EQ(pips, hp);
  EXPECT_EQ(vex().intScore, 10) << "no score for a hit alone";
  EXPECT_EQ(b.lblScore.Caption.get(), " 10") << "sign position after a shot";
}

// A kill: impact, explosion at the unit's place, 10 points, released 33 ticks
// after the first impact frame; the sounds come in the order of the events.
TEST_F(FiringTest, KillChainAndItsSounds) {
  frmBulwarn& b = battle();
  b.intHP[4] = 1;
  aimAt(4);
  rt->clearRecords();
  fireUntil(true);
  rt->advance(1450);  // flash and impact
  EXPECT_FALSE(b.imgSelect.Visible) << "the selection goes before the explosion";
  EXPECT_EQ(b.intTarget, 4);
  EXPECT_TRUE(b.imgUnit(4).Visible);
  rt->advance(50);
  EXPECT_FALSE(b.imgUnit(4).Visible);
  EXPECT_FALSE(b.imgUnit(4).Enabled);
  EXPECT_TRUE(b.imgBlastG.Visible);
  EXPECT_EQ(b.imgBlastG.Left, b.imgUnit(4).Left - 200);
  EXPECT_EQ(b.imgBlastG.Top, b.imgUnit(4).Top - 1000);
  EXPECT_EQ(vex().intScore, 20);
  EXPECT_EQ(vex().intKills, 1);
  auto lines = messageLines();
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[lines.size() - 2], "Direct Hit");
  EXPECT_EQ(lines.back(), "Target Destroyed");
  auto s = rt->soundNames();
  ASSERT_GE(s.size(), 3u);
  EXPECT_EQ(s[s.size() - 3], "Maingun.WAV");
  EXPECT_EQ(s[s.size() - 2], "ArtilleryHit.WAV");
  EXPECT_TRUE(s.back() == "LargExplos.WAV" || s.back() == "BattleBang.WAV") << s.back();
  rt->advance(790);
  EXPECT_TRUE(locked());
  rt->advance(10);
  EXPECT_FALSE(b.imgBlastG.Visible);
  EXPECT_TRUE(released());
  EXPECT_TRUE(b.tmrEnemy1.Enabled);
  EXPECT_EQ(b.lblScore.Caption.get(), " 20");
}

// Ground units blow up with either frame set and its own sound, aircraft
// always with theirs.
TEST_F(FiringTest, BlastVariants) {
  frmBulwarn& b = battle();
  aimAt(4);
  std::map<std::string, int> seen;
  for (int kill = 0; kill < 30; ++kill) {
    b.imgUnit(4).Visible = true;
    b.intHP[4] = 1;
    shootUntilHit();
    const std::string sound = rt->soundNames().back();
    const std::string frame = forms::pictureName(b.imgBlastG.Picture);
    if (sound == "LargExplos.WAV") {
      EXPECT_EQ(frame, "blastA_15");
    } else {
      EXPECT_EQ(sound, "BattleBang.WAV");
      EXPECT_EQ(frame, "blastB_15");
    }
    ++seen[sound];
  }
  EXPECT_GE(seen["LargExplos.WAV"], 5);
  EXPECT_GE(seen["BattleBang.WAV"], 5);

  b.imgUnit(7).Left = 1000;  // over no ground unit
  b.intHP[7] = 1;
  gunTo(1020);
  fireUntil(true);
  rt->advance(1500);
  EXPECT_TRUE(b.imgBlastA.Visible);
  EXPECT_EQ(b.imgBlastA.Left, 800);
  EXPECT_EQ(b.imgBlastA.Top, b.imgUnit(7).Top - 200);
  EXPECT_EQ(rt->soundNames().back(), "JetCrash.WAV");
  rt->advanceUntil([&] { return shotChainIdle(); }, 2000);
  EXPECT_EQ(forms::pictureName(b.imgBlastA.Picture), "blastC_15");
}

TEST_F(FiringTest, HitChanceIsEven) {
  battle().intHP[4] = 30000;
  aimAt(4);
  int hits = 0;
  const int n = 600;
  for (int i = 0; i < n; ++i) {
    vex().intAmmo = 25;
    hits += shoot();
  }
  EXPECT_NEAR(hits / static_cast<double>(n), 0.5, 0.07);
}

TEST_F(FiringTest, DamagePerDifficulty) {
  struct Range {
    const char* difficulty;
    int lo, hi;
  };
  for (const Range& r : {Range{"Easy", 4, 8}, Range{"Medium", 3, 6}, Range{"Hard", 2, 4}, Range{"Impossible", 1, 2}}) {
    start(r.difficulty);
    silenceEnemy();
    aimAt(4);
    std::set<int> seen;
    for (int i = 0; i < 200; ++i) {
      battle().intHP[4] = 100;
      vex().intAmmo = 25;
      if (shoot()) seen.insert(100 - battle().intHP[4]);
    }
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(*seen.begin(), r.lo) << r.difficulty;
    EXPECT_EQ(*seen.rbegin(), r.hi) << r.difficulty;
    EXPECT_EQ(seen.size(), static_cast<size_t>(r.hi - r.lo + 1)) << r.difficulty;
  }
}

// The last unit falls: banner, score report with the ammunition bonus, the
// victory card and the question; No leaves everything frozen.
TEST_F(FiringTest, VictorySequence) {
  frmBulwarn& b = battle();
  for (int i = 1; i <= 8; ++i)
    if (i != 4) b.imgUnit(i).Visible = false;
  b.intHP[4] = 1;
  aimAt(4);
  std::vector<std::string> order;
  rt->onModal("frmScoreG", [&](forms::Form& f) {
    order.push_back("score");
    auto& s = static_cast<frmScoreG&>(f);
    EXPECT_EQ(b.lblVictory.Caption.get(), "MISSION ACCOMPLISHED");
    EXPECT_EQ(s.lblDiff.Caption.get(), "Easy");
    EXPECT_EQ(s.lblNumDiff.Caption.get(), "10");
    EXPECT_EQ(s.lblAmmoNum.Caption.get(), "7");
    EXPECT_EQ(s.lblABonus.Caption.get(), "14");
    EXPECT_EQ(s.lblTargets.Caption.get(), "1");
    EXPECT_EQ(s.lblNumKills.Caption.get(), "10");
    EXPECT_EQ(s.lblNumReload.Caption.get(), "0");
    EXPECT_EQ(s.lblScore.Caption.get(), "34");
    EXPECT_EQ(s.lblComment.Caption.get(), "Your Current Score is Laughable");
  });
  rt->onModal("frmWin", [&](forms::Form& f) {
    order.push_back("win");
    auto& w = static_cast<frmWin&>(f);
    EXPECT_EQ(w.lblTitle.Caption.get(), "MISSION ACCOMLISHED");
    EXPECT_EQ(w.lblWin.Caption.get(), "VICTORY!");
  });
  rt->setMsgBoxResponder([&](const forms::MsgBoxRecord& m) {
    order.push_back(m.prompt);
    EXPECT_EQ(m.style, 52);
    EXPECT_EQ(m.title, "Start Over?");
    return mb::AnsNo;
  });
  fireUntil(true, 8);
  rt->advance(2300);
  EXPECT_EQ(order, (std::vector<std::string>{"score", "win", "Would You Like To Start a New Game?"}));
  EXPECT_TRUE(vex().blnVictory);
  EXPECT_EQ(vex().intScore, 34);
  EXPECT_EQ(b.lblScore.Caption.get(), " 34");

  rt->advance(20000);
  EXPECT_EQ(b.lblVictory.Caption.get(), "MISSION ACCOMPLISHED");
  EXPECT_EQ(countMessages("Enemy Attack"), 0);
  EXPECT_FALSE(b.cmdFire.Enabled) << "the gun stays locked";
  EXPECT_FALSE(b.KeyPreview);
  EXPECT_FALSE(b.tmrMove.Enabled);
  EXPECT_FALSE(b.tmrFly.Enabled);

  rt->clearModal("frmScoreG");
  rt->chooseMenu("mnuScore");
  EXPECT_EQ(vex().intScore, 34) << "the ammunition bonus is granted once";
}

TEST_F(FiringTest, FireWithEveryEnemyGoneEndsTheMission) {
  frmBulwarn& b = battle();
  for (int i = 1; i <= 8; ++i) b.imgUnit(i).Visible = false;
  bool report = false, card = false;
  rt->onModal("frmScoreG", [&](forms::Form&) { report = true; });
  rt->onModal("frmWin", [&](forms::Form& f) {
    card = true;
    EXPECT_EQ(static_cast<frmWin&>(f).lblWin.Caption.get(), "VICTORY!");
  });
  rt->answerNext(mb::AnsNo);
  rt->pressKey(Key::Enter);
  EXPECT_EQ(lastMessage(), "Target Not Identified!");
  EXPECT_TRUE(report);
  EXPECT_TRUE(card);
  ASSERT_EQ(rt->msgBoxes().size(), 1u);
  EXPECT_EQ(rt->msgBoxes()[0].prompt, "Would You Like To Start a New Game?");
  EXPECT_EQ(vex().intScore, 60);
  EXPECT_EQ(b.lblScore.Caption.get(), "60") << "plain digits here";
  for (auto* t : {&b.tmrEnemy1, &b.tmrEnemyTime, &b.tmrMove, &b.tmrFly}) EXPECT_FALSE(t->Enabled) << t->name();
}

TEST_F(FiringTest, ScoreReportAndVerdicts) {
  const char* l = "Laughable";
  const char* a = "Acceptable";
  const char* r = "Remarkable";
  const char* x = "Exceptional";
  const char* i = "Incredible";
  const std::pair<int, const char*> verdicts[] = {{-5, nullptr}, {0, nullptr}, {1, l},   {89, l},  {90, a}, {119, a},
                                                  {120, r},      {179, r},     {180, x}, {249, x}, {250, i}};
  for (const auto& [score, word] : verdicts) {
    const char* v = frmScoreG::verdict(score);
    EXPECT_EQ(v ? std::string(v) : "", word ? "Your Current Score is " + std::string(word) : "") << score;
  }
  // The shown report: a negative score with no verdict; no bonus while
  // enemies remain, although the bonus field shows it.
  vex().intScore = -15;
  std::string shownScore, comment, bonus;
  rt->onModal("frmScoreG", [&](forms::Form& f) {
    auto& s = static_cast<frmScoreG&>(f);
    shownScore = s.lblScore.Caption;
    comment = s.lblComment.Caption;
    bonus = s.lblABonus.Caption;
  });
  rt->chooseMenu("mnuScore");
  EXPECT_EQ(shownScore, "-15");
  EXPECT_EQ(comment, "");
  EXPECT_EQ(bonus, "50");
  EXPECT_EQ(vex().intScore, -15);
}

TEST_F(FiringTest, EndCardPerOutcome) {
  struct Case {
    bool v, d, b;
    const char *title, *mission, *status, *rank, *win, *top, *middle, *bottom;
  };
  const Case cases[] = {{true, false, true, "MISSION ACCOMLISHED", "Enemy Forces are Retreating from this Sector!",
                         "This Sector has been Secured! Peace has been Restored!", "Status: PROMOTED TO PEACEKEEPER",
                         "VICTORY!", "picPeace", "picCity", "picLiberate"},
                        {false, true, true, "MISSION FAILED", "You are a Casualty of War!",
                         "Enemy Forces have Pillaged the Area and Laid Waste to the City!", "Status: KILLED IN ACTION",
                         "DEFEAT!", "picConquer", "picTankRuins", "picInvade"},
                        {false, false, true, "MISSION FAILED", "Enemy Forces have breached the Perimeter!",
                         "The City lies in Ruins and the Sector has been Overrun!", "Status: PRISONER OF WAR",
                         "DEFEAT!", "picGrid", "picCityRuins", "picInvade"},
                        {false, false, false, "", "", "", "", "", nullptr, nullptr, nullptr}};
  for (const Case& c : cases) {
    vex().blnVictory = c.v;
    vex().blnDestroyed = c.d;
    vex().blnBreached = c.b;
    rt->onModal("frmWin", [&](forms::Form& f) {
      auto& w = static_cast<frmWin&>(f);
      EXPECT_EQ(w.lblTitle.Caption.get(), c.title);
      EXPECT_EQ(w.lblMission.Caption.get(), c.mission);
      EXPECT_EQ(w.lblStatus.Caption.get(), c.status);
      EXPECT_EQ(w.lblRank.Caption.get(), c.rank);
      EXPECT_EQ(w.lblWin.Caption.get(), c.win);
      std::set<std::string> shown;
      for (auto* p : {&w.picPeace, &w.picGrid, &w.picConquer, &w.picCity, &w.picCityRuins, &w.picTankRuins,
                      &w.picLiberate, &w.picInvade})
        if (p->Visible) shown.insert(p->name());
      std::set<std::string> expected;
      for (const char* n : {c.top, c.middle, c.bottom})
        if (n) expected.insert(n);
      EXPECT_EQ(shown, expected);
    });
    rt->dispatch([&] { program->frmWin().ShowModal(); });
    EXPECT_EQ(rt->form("frmWin"), nullptr) << "Finish closes the card";
  }
}

// The log empties itself once it is taller than its panel.
TEST_F(FiringTest, MessageLineTrimsAbove2505Twips) {
  frmBulwarn& b = battle();
  gunTo(1020);
  b.lblMessage.Caption = "\r\nold";
  b.lblMessage.Height = 2505;
  rt->pressKey(Key::Enter);
  EXPECT_EQ(messages(), "\r\nold\r\nTarget Not Identified!");
  b.lblMessage.Height = 2506;
  rt->pressKey(Key::Enter);
  EXPECT_EQ(messages(), "\r\nTarget Not Identified!");
}

}  // namespace
}  // namespace bulwarn::test

#include "Fixture.h"
#include "screens/frmWin.h"

namespace bulwarn::test {
namespace {

class EnemyTest : public GameTest {
 protected:
  void SetUp() override { start(); }
  int rolls() { return countMessages("Enemy Hit") + countMessages("Enemy Miss"); }
  // Runs time until the next attack has rolled; true when it hit.
  bool nextAttackRolls() {
    const int hits = countMessages("Enemy Hit"), before = rolls();
    EXPECT_TRUE(rt->advanceUntil([&] { return rolls() > before; }, 6000));
    return countMessages("Enemy Hit") > hits;
  }
  void onlyUnit(int k) {
    for (int i = 1; i <= 8; ++i) battle().imgUnit(i).Visible = i == k;
  }
  // The form and its four frames flash together.
  bool allScreen(forms::OleColor c) {
    frmBulwarn& b = battle();
    return b.BackColor == c && b.fraCommand.BackColor == c && b.fraHP.BackColor == c && b.fraSelect.BackColor == c &&
           b.fraAmmo.BackColor == c;
  }
};

TEST_F(EnemyTest, GroundUnitsAdvanceByKindAndHealth) {
  frmBulwarn& b = battle();
  b.tmrEnemy1.Enabled = false;
  b.tmrFly.Enabled = false;
  rt->click("imgUnit", 3);
  float before[7], shotBefore[7];
  for (int k = 1; k <= 6; ++k) {
    before[k] = b.imgUnit(k).Top;
    shotBefore[k] = b.shpShot(k).Top;
  }
  rt->advance(500);
  const int steps[7] = {0, 8, 16, 24, 24, 16, 8};
  for (int k = 1; k <= 6; ++k) {
    EXPECT_EQ(b.imgUnit(k).Top - before[k], steps[k]) << k;
    EXPECT_EQ(b.shpShot(k).Top - shotBefore[k], steps[k]) << k << ": its flash travels with it";
  }
  EXPECT_EQ(b.imgSelect.Top, b.imgUnit(3).Top - 60) << "the marker follows its unit";
  b.intHP[3] = 5;
  b.intHP[2] = 0;
  const float t3 = b.imgUnit(3).Top, t2 = b.imgUnit(2).Top;
  rt->advance(500);
  EXPECT_EQ(b.imgUnit(3).Top - t3, 15);
  EXPECT_EQ(b.imgUnit(2).Top, t2) << "a destroyed unit stays where it is";
}

// Exactly on the line is no breach; one twip beyond ends the mission, and No
// leaves the field frozen.
TEST_F(EnemyTest, PerimeterBreach) {
  frmBulwarn& b = battle();
  b.tmrEnemy1.Enabled = false;
  b.tmrFly.Enabled = false;
  rt->click("imgUnit", 3);
  b.imgUnit(3).Top = 4566;
  rt->advance(500);
  EXPECT_EQ(b.imgUnit(3).Top + b.imgUnit(3).Height, 5340);
  EXPECT_EQ(b.lblVictory.Caption.get(), "");
  EXPECT_FALSE(vex().blnBreached);

  b.imgUnit(3).Top = 4567;
  b.tmrEnemy1.Enabled = true;
  std::vector<std::string> order;
  rt->onModal("frmScoreG", [&](forms::Form&) {
    order.push_back("score");
    EXPECT_TRUE(vex().blnBreached);
    EXPECT_EQ(b.GunLimit.BorderColor, kRed);
    EXPECT_EQ(b.lblVictory.Caption.get(), "MISSION FAILED");
  });
  rt->onModal("frmWin", [&](forms::Form& f) {
    order.push_back("win");
    EXPECT_EQ(static_cast<frmWin&>(f).lblMission.Caption.get(), "Enemy Forces have breached the Perimeter!");
  });
  rt->answerNext(mb::AnsNo);
  rt->advance(500);
  EXPECT_EQ(order, (std::vector<std::string>{"score", "win"}));
  ASSERT_EQ(rt->msgBoxes().size(), 1u);
  EXPECT_EQ(rt->msgBoxes()[0].prompt, "Would You Like To Start Over?");
  EXPECT_EQ(rt->msgBoxes()[0].style, 52);
  EXPECT_EQ(rt->msgBoxes()[0].title, "Start Over?");
  EXPECT_EQ(b.lblScore.Caption.get(), "10") << "plain digits";
  for (auto* t : {&b.tmrEnemy1, &b.tmrEnemyTime, &b.tmrMove, &b.tmrFly}) EXPECT_FALSE(t->Enabled) << t->name();

  float tops[9];
  for (int k = 1; k <= 8; ++k) tops[k] = b.imgUnit(k).Top;
  rt->advance(20000);
  for (int k = 1; k <= 8; ++k) EXPECT_EQ(b.imgUnit(k).Top, tops[k]) << k;
  EXPECT_EQ(countMessages("Enemy Attack"), 0);
  EXPECT_EQ(b.lblVictory.Caption.get(), "MISSION FAILED");
  EXPECT_EQ(b.GunLimit.BorderColor, kRed);
}

TEST_F(EnemyTest, AircraftBounceInTheirHalfAndSlowWithDamage) {
  frmBulwarn& b = battle();
  b.tmrEnemy1.Enabled = false;
  b.tmrMove.Enabled = false;
  struct Case {
    int k;
    float left, top, dx, dy, hp;
    float wantLeft, wantTop, wantDx, wantDy;  // R where the new course is random
  };
  const float R = NAN;
  const Case cases[] = {
      {7, 146, 1000, -1, 0, 8, 194, R, 1, R},          // left side, turns at 130
      {7, 2921.5f, 1000, 1, 0, 8, 2873.5f, R, -1, R},  // right edge reaches 3927.5
      {7, 2921, 1000, 1, 0, 8, 2889, R, -1, R},        // 3927 is not yet the edge
      {7, 1500, 146, 0, -1, 8, R, 194, R, 1},          // top at 130
      {7, 1500, 1879, 0, 1, 8, R, 1831, R, -1},        // bottom edge at 2645
      {8, 3963.5f, 1000, -1, 0, 8, 4011.5f, R, 1, R},  // its own half starts at 3947.5
      {8, 6739, 1000, 1, 0, 8, 6691, R, -1, R},        // right edge at 7745
      {7, 1500, 1000, 1, 0, 2, 1520, 1000, 1, 0},      // 2 hit points: 2 twips a step
      {7, 1500, 1000, 1, 1, 5, 1550, 1050, 1, 1},      // 5 hit points: 5 twips a step
      {7, 1500, 1000, 1, 1, 0, 1500, 1000, 1, 1},      // destroyed: stays
      {7, 1500, 130, 1, 0, 8, R, 130, R, 0},           // wanders along the top bound
  };
  for (const Case& c : cases) {
    forms::Image& u = b.imgUnit(c.k);
    std::int16_t& dx = c.k == 7 ? b.intFly7X : b.intFly8X;
    std::int16_t& dy = c.k == 7 ? b.intFly7Y : b.intFly8Y;
    u.Left = c.left;
    u.Top = c.top;
    b.shpShot(c.k).Left = c.left + 420;
    dx = static_cast<std::int16_t>(c.dx);
    dy = static_cast<std::int16_t>(c.dy);
    b.intHP[c.k] = static_cast<std::int16_t>(c.hp);
    rt->advance(100);
    const std::string what =
        "aircraft " + std::to_string(c.k) + " from " + std::to_string(c.left) + "," + std::to_string(c.top);
    const float got[4] = {u.Left, u.Top, static_cast<float>(dx), static_cast<float>(dy)};
    const float want[4] = {c.wantLeft, c.wantTop, c.wantDx, c.wantDy};
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(std::isnan(want[i]) || got[i] == want[i]) << what << " [" << i << "]";
    EXPECT_EQ(b.shpShot(c.k).Left - u.Left, 420) << what << ": the flash flies along";
    b.intHP[c.k] = 8;
  }
  rt->click("imgUnit", 8);
  rt->advance(100);
  EXPECT_EQ(b.imgSelect.Left, b.imgUnit(8).Left - 60);
  EXPECT_EQ(b.imgSelect.Top, b.imgUnit(8).Top - 60);
}

TEST_F(EnemyTest, CountdownNeverHoldsZero) {
  frmBulwarn& b = battle();
  b.intEnemyTime = 30;
  rt->advance(10);
  EXPECT_EQ(b.intEnemyTime, 20);
  rt->advance(10);
  EXPECT_EQ(b.intEnemyTime, 10);
  rt->advance(10);
  EXPECT_EQ(b.intEnemyTime, 5000);
}

// The first attack: 5 s after start, the gun locked, the attacker selected and
// blinking, its weapon sound, then the roll; a hit flashes the screen and
// shortens the bar, and is followed up by the same unit.
TEST_F(EnemyTest, AttackSequence) {
  frmBulwarn& b = battle();
  b.tmrMove.Enabled = false;
  b.tmrFly.Enabled = false;
  onlyUnit(3);
  b.cmdRepair.Enabled = true;
  rt->advance(4990);
  EXPECT_EQ(countMessages("Enemy Attack"), 0);
  rt->advance(10);
  EXPECT_EQ(lastMessage(), "Enemy Attack");
  EXPECT_EQ(usable(), "Repair") << "Reload and Repair stay as they are";
  rt->advance(50);
  EXPECT_EQ(rt->soundNames().back(), "MachGunAttack.WAV");
  EXPECT_TRUE(b.imgSelect.Visible);
  EXPECT_EQ(b.intTarget, 3);
  EXPECT_TRUE(b.shpShot(3).Visible);
  std::vector<forms::OleColor> flash{b.shpShot(3).FillColor};
  for (int step = 1; step <= 6; ++step) {
    rt->advance(50);
    flash.push_back(b.shpShot(3).FillColor);
  }
  EXPECT_EQ(flash, (std::vector<forms::OleColor>{kOrange, kYellow, kOrange, kYellow, kOrange, kYellow, kOrange}));
  rt->advance(50);
  EXPECT_FALSE(b.shpShot(3).Visible);
  EXPECT_EQ(rolls(), 0);
  EXPECT_EQ(gun(), "");
  rt->advance(50);
  EXPECT_EQ(rolls(), 1);
  EXPECT_EQ(gun(), "Fire keys units zones");

  // Find a hit and watch it land.
  b.cmdRepair.Enabled = false;
  bool hit = countMessages("Enemy Hit") == 1;
  for (int i = 0; i < 20 && !hit; ++i) hit = nextAttackRolls();
  ASSERT_TRUE(hit);
  EXPECT_EQ(lastMessage(), "Enemy Hit");
  ASSERT_EQ(b.intSalvoCount, 0);
  std::vector<forms::OleColor> colours{b.BackColor};
  EXPECT_TRUE(allScreen(kRed));
  const float width = b.HPBar.Width;
  const size_t sounds = rt->sounds().size();
  for (int step = 0; step < 5; ++step) {
    rt->advance(50);
    colours.push_back(b.BackColor);
    EXPECT_TRUE(allScreen(b.BackColor)) << "form and frames flash together";
  }
  EXPECT_EQ(colours, (std::vector<forms::OleColor>{kRed, kOrange, kYellow, kOrange, kRed, kSys1}));
  EXPECT_GE(width - b.HPBar.Width, 200);
  EXPECT_LE(width - b.HPBar.Width, 400);
  EXPECT_TRUE(b.cmdRepair.Enabled);
  // The first hit is always followed up: same attacker from its flashes on,
  // no new sound, no new "Enemy Attack".
  EXPECT_EQ(b.intSalvoCount, 1);
  EXPECT_EQ(b.tmrEnemy2.Interval, 50);
  const int attacks = countMessages("Enemy Attack"), before = rolls();
  rt->advance(400);
  EXPECT_EQ(rolls(), before + 1);
  EXPECT_EQ(countMessages("Enemy Attack"), attacks);
  EXPECT_EQ(rt->sounds().size(), sounds);
}

TEST_F(EnemyTest, WeaponSoundPerAttacker) {
  frmBulwarn& b = battle();
  b.tmrMove.Enabled = false;
  b.tmrFly.Enabled = false;
  const char* missile = "MissileAttack.WAV";
  const char* sound[9] = {
      "",      missile, "CannonAttack.WAV", "MachGunAttack.WAV", "MachGunAttack.WAV", "CannonAttack.WAV", missile,
      missile, missile};
  for (int k = 1; k <= 8; ++k) {
    onlyUnit(k);
    b.HPBar.Width = 7245;
    const size_t n = rt->sounds().size();
    ASSERT_TRUE(rt->advanceUntil([&] { return rt->sounds().size() > n; }, 6000));
    EXPECT_EQ(rt->soundNames().back(), sound[k]) << k;
    EXPECT_EQ(b.intAttacker, k);
  }
}

TEST_F(EnemyTest, AttackWithNoUnitLeftIsAbandoned) {
  frmBulwarn& b = battle();
  b.tmrMove.Enabled = false;
  onlyUnit(0);
  rt->advance(5000);
  EXPECT_EQ(lastMessage(), "Enemy Attack");
  rt->advance(1000);
  EXPECT_TRUE(rt->sounds().empty());
  EXPECT_EQ(rolls(), 0);
  EXPECT_EQ(gun(), "Fire keys units zones");
  rt->advance(20000);
  EXPECT_EQ(countMessages("Enemy Attack"), 1) << "the trigger is off";
}

TEST_F(EnemyTest, AttackerDestroyedMidAttackCannotHit) {
  frmBulwarn& b = battle();
  b.tmrMove.Enabled = false;
  b.tmrFly.Enabled = false;
  rt->advance(5000 + 50 + 150);  // attack, attacker chosen, three flashes
  const int k = b.intAttacker;
  ASSERT_GE(k, 1);
  ASSERT_TRUE(b.shpShot(k).Visible);
  b.imgUnit(k).Visible = false;
  rt->advance(50);
  EXPECT_FALSE(b.shpShot(k).Visible);
  EXPECT_EQ(b.tmrEnemy2.Interval, 0);
  EXPECT_EQ(b.intAttackStep, 0);
  EXPECT_EQ(gun(), "Fire keys units zones");
  rt->advance(1000);
  EXPECT_EQ(rolls(), 0);
}

TEST_F(EnemyTest, GunDamagePerDifficulty) {
  struct Range {
    const char* difficulty;
    int lo, hi;
  };
  for (const Range& r : {Range{"Easy", 200, 400}, Range{"Medium", 300, 600}, Range{"Hard", 500, 1000},
                         Range{"Impossible", 1000, 3000}}) {
    start(r.difficulty);
    silenceEnemy();
    int lo = 1 << 20, hi = 0;
    for (int i = 0; i < 1500; ++i) {
      battle().HPBar.Width = 7245;
      landEnemyHit();
      const int d = static_cast<int>(7245 - battle().HPBar.Width);
      lo = std::min(lo, d);
      hi = std::max(hi, d);
    }
    const int slack = (r.hi - r.lo) / 50;
    EXPECT_GE(lo, r.lo) << r.difficulty;
    EXPECT_LE(lo, r.lo + slack) << r.difficulty;
    EXPECT_LE(hi, r.hi) << r.difficulty;
    EXPECT_GE(hi, r.hi - slack) << r.difficulty;
  }
}

// A hit of exactly the remaining width is survived with an empty bar; the next
// destroys the gun: no score report, the casualty card, and No leaves the gun dead.
TEST_F(EnemyTest, LosingTheGun) {
  frmBulwarn& b = battle();
  silenceEnemy();
  b.HPBar.Width = static_cast<float>(nextGunDamage() - 1);
  landEnemyHit();  // default Yes starts over
  EXPECT_TRUE(sawMsgBox("Would You Like To Start Over?"));
  EXPECT_EQ(b.HPBar.Width, 7245);
  EXPECT_EQ(vex().intScore, 10);

  silenceEnemy();
  b.HPBar.Width = static_cast<float>(nextGunDamage());
  landEnemyHit();
  EXPECT_EQ(b.HPBar.Width, 0);
  EXPECT_EQ(b.HPBar.FillColor, kRed);
  EXPECT_FALSE(vex().blnDestroyed);
  EXPECT_EQ(b.lblVictory.Caption.get(), "");

  bool report = false;
  std::string mission;
  rt->onModal("frmScoreG", [&](forms::Form&) { report = true; });
  rt->onModal("frmWin", [&](forms::Form& f) {
    mission = static_cast<frmWin&>(f).lblMission.Caption;
    EXPECT_EQ(b.lblVictory.Caption.get(), "MISSION FAILED");
  });
  rt->clearRecords();
  rt->answerNext(mb::AnsNo);
  landEnemyHit();
  EXPECT_TRUE(vex().blnDestroyed);
  EXPECT_FALSE(report) << "this defeat opens no score report";
  EXPECT_EQ(mission, "You are a Casualty of War!");
  ASSERT_EQ(rt->msgBoxes().size(), 1u);
  EXPECT_EQ(rt->msgBoxes()[0].prompt, "Would You Like To Start Over?");
  EXPECT_EQ(rt->msgBoxes()[0].style, 52);
  EXPECT_EQ(rt->msgBoxes()[0].title, "Start Over?");
  EXPECT_FALSE(b.cmdFire.Enabled || b.cmdReload.Enabled || b.cmdRepair.Enabled) << "the gun is dead";
  const int ammo = vex().intAmmo;
  rt->pressKey(Key::Enter);
  EXPECT_EQ(vex().intAmmo, ammo) << "nor does Enter fire it";
  EXPECT_EQ(b.tmrEnemy1.Interval, 0);
  EXPECT_FALSE(b.tmrEnemyTime.Enabled);
  rt->advance(20000);
  EXPECT_EQ(countMessages("Enemy Attack"), 0);
}

TEST_F(EnemyTest, BarColourLimits) {
  frmBulwarn& b = battle();
  silenceEnemy();
  const std::pair<float, forms::OleColor> cases[] = {
      {4720, kGreen}, {4719, kYellow}, {2125, kYellow}, {2124, kRed}, {4720, kRed}};
  forms::OleColor colour = kGreen;
  for (const auto& [after, want] : cases) {
    b.HPBar.Width = after + static_cast<float>(nextGunDamage());
    b.HPBar.FillColor = colour;
    landEnemyHit();
    EXPECT_EQ(b.HPBar.Width, after);
    EXPECT_EQ(b.HPBar.FillColor, want) << after;
    colour = want;
  }
}

// Follow-ups come with probability 1, 2/3, 1/3 and 0 after 0, 1, 2, 3 of them.
TEST_F(EnemyTest, SalvoOdds) {
  frmBulwarn& b = battle();
  silenceEnemy();
  b.intAttacker = 3;
  const double want[4] = {1.0, 2.0 / 3, 1.0 / 3, 0.0};
  for (int s = 0; s <= 3; ++s) {
    int granted = 0;
    const int n = 1200;
    for (int i = 0; i < n; ++i) {
      b.intSalvoCount = static_cast<std::int16_t>(s);
      b.HPBar.Width = 7245;
      landEnemyHit();
      if (b.tmrEnemy2.Interval == 50) {
        ++granted;
        EXPECT_EQ(b.intSalvoCount, s + 1);
        EXPECT_EQ(b.intAttackStep, 1);
        b.tmrEnemy2.Interval = 0;
        b.intAttackStep = 0;
      } else {
        EXPECT_EQ(b.intSalvoCount, 0);
      }
    }
    EXPECT_NEAR(granted / static_cast<double>(n), want[s], 0.05) << s;
  }
}

// A breach ends whatever the enemy was doing: no roll, no damage, no flash,
// normal colours; and a shot finishing afterwards does not wake the trigger.
TEST_F(EnemyTest, MissionEndStopsTheEnemy) {
  auto setUp = [&] {
    start();
    battle().tmrFly.Enabled = false;
    battle().imgUnit(1).Top = 4505;  // breaches on the 11th advance, at 5500 ms
  };
  setUp();
  rt->advance(200);
  battle().tmrEnemy1.Interval = 5000;  // the attack comes at 5200
  rt->advance(5200);                   // and is flashing
  const int k = battle().intAttacker;
  ASSERT_TRUE(battle().shpShot(k).Visible);
  rt->answerNext(mb::AnsNo);
  rt->advance(300);
  ASSERT_TRUE(vex().blnBreached);
  EXPECT_EQ(battle().tmrEnemy2.Interval, 0);
  EXPECT_EQ(battle().intAttackStep, 0);
  EXPECT_FALSE(battle().shpShot(k).Visible);
  rt->advance(20000);
  EXPECT_EQ(rolls(), 0);

  // The damage of a hit under way when the line is crossed never lands.
  setUp();
  battle().tmrEnemy1.Enabled = false;
  rt->advance(5400);
  battle().intDamageStep = 0;
  battle().tmrEnemy3.Interval = 50;
  rt->advance(50);
  ASSERT_TRUE(allScreen(kOrange));
  rt->answerNext(mb::AnsNo);
  rt->advance(100);
  ASSERT_TRUE(vex().blnBreached);
  EXPECT_TRUE(allScreen(kSys1));
  EXPECT_EQ(battle().tmrEnemy3.Interval, 0);
  EXPECT_EQ(battle().intDamageStep, 0);
  rt->advance(1000);
  EXPECT_EQ(battle().HPBar.Width, 7245);

  // A shot in flight at the breach ends without re-arming the trigger.
  setUp();
  battle().intHP[4] = 5;
  aimAt(4);
  rt->advance(4900);
  rt->pressKey(Key::Enter);  // the trigger is held while the shot plays
  rt->answerNext(mb::AnsNo);
  rt->advance(3000);
  ASSERT_TRUE(vex().blnBreached);
  EXPECT_TRUE(shotChainIdle());
  EXPECT_FALSE(battle().tmrEnemy1.Enabled && battle().tmrEnemy1.Interval > 0);
  rt->advance(20000);
  EXPECT_EQ(countMessages("Enemy Attack"), 0);
}

// While the gun reloads or repairs an attack leaves it locked; the end of the
// reload gives everything back, and a hit meanwhile offers no repair.
TEST_F(EnemyTest, AttacksDuringReloadAndRepair) {
  frmBulwarn& b = battle();
  b.tmrMove.Enabled = false;
  b.tmrFly.Enabled = false;
  vex().intAmmo = 0;
  for (int i = 0; i <= 24; ++i) b.picAmmo(i).Visible = false;
  b.cmdReload.Enabled = true;
  ASSERT_TRUE(rt->click("cmdReload"));
  nextAttackRolls();
  rt->advance(300);  // the damage of a hit, if any
  EXPECT_TRUE(b.blnReloading);
  EXPECT_EQ(usable(), "") << "no repair offered during a reload either";
  rt->advanceUntil([&] { return !b.blnReloading; }, 15000);
  EXPECT_EQ(gun(), "Fire keys units zones");

  // A hit landing during a repair shortens the bar; the repair goes on to full.
  b.HPBar.Width = 3000;
  b.cmdRepair.Enabled = true;
  ASSERT_TRUE(rt->click("cmdRepair"));
  rt->advance(100);
  const float w = b.HPBar.Width;
  landEnemyHit();
  EXPECT_LT(b.HPBar.Width, w);
  EXPECT_TRUE(b.blnRepairing);
  EXPECT_EQ(usable(), "units zones");
  ASSERT_TRUE(rt->advanceUntil([&] { return !b.blnRepairing; }, 20000));
  EXPECT_EQ(b.HPBar.Width, 7245);
  EXPECT_EQ(gun(), "Fire keys units zones");
}

}  // namespace
}  // namespace bulwarn::test

namespace bulwarn::test {
namespace {

// An attack that ends while the player's round is still in the air must not
// hand the gun back: a second round fired then would overwrite the first one's
// hit, and a unit that round had destroyed would stay on the field for good.
TEST_F(GameTest, AnAttackEndingDuringAShotLeavesTheShotsLock) {
  start();
  silenceEnemy();
  frmBulwarn& b = battle();
  b.intHP[2] = 1;  // any hit destroys the tank
  gunTo(1600);
  for (int tries = 0; tries < 40; ++tries) {
    rt->pressKey(Key::Enter);
    if (b.blnDirectHit) break;
    rt->advanceUntil([&] { return b.cmdFire.Enabled.get(); }, 2000);
  }
  ASSERT_TRUE(b.blnDirectHit);
  // A follow-up from unit 5 runs its flashes and ends 400 ms into the flash.
  b.intAttacker = 5;
  b.intAttackStep = 1;
  b.tmrEnemy2.Interval = 50;
  rt->advance(450);
  EXPECT_EQ(b.tmrEnemy2.Interval, 0) << "the follow-up has ended";
  EXPECT_FALSE(b.cmdFire.Enabled) << "the shot still holds the gun";
  EXPECT_FALSE(b.KeyPreview);
  rt->advance(2000);
  EXPECT_FALSE(b.imgUnit(2).Visible) << "the destroyed tank exploded";
  EXPECT_TRUE(b.cmdFire.Enabled);
  EXPECT_TRUE(b.KeyPreview);
}

}  // namespace
}  // namespace bulwarn::test

// The enemy: the ground advance and the perimeter, the aircraft's flight, the
// attacks on the gun and the damage they do on every difficulty.
#include "Golden.h"

namespace bulwarn::test {
namespace {

class EnemyTest : public GameTest {
 protected:
  void SetUp() override { start(); }
  void onlyUnit(int k) {
    for (int i = 1; i <= 8; ++i) battle().imgUnit(i).Visible = i == k;
  }
};

// Each ground unit steps down by its hit points times its kind's factor every
// half second; a destroyed one stays, the aircraft are not moved, the marker
// and the muzzle flash follow. A lower edge exactly on the line is no breach.
TEST_F(EnemyTest, GroundUnitsAdvanceByTheirHitPointsAndBreachOnlyBeyondTheLine) {
  frmBulwarn& b = battle();
  silenceEnemy();
  b.tmrMove.Enabled = true;
  b.intHP[3] = 5;
  b.intHP[6] = 0;
  rt->click("imgUnit", 4);
  rt->advance(499);
  EXPECT_EQ(b.imgUnit(1).Top, 2640);
  rt->advance(1);
  const float steps[9] = {0, 8, 16, 15, 24, 16, 0, 0, 0};  // rocket 1, tank 2, fighting vehicle 3 per hit point
  const float flashes[9] = {0, 2760, 2880, 2820, 2820, 2880, 2760, 660, 660};
  for (int k = 1; k <= 8; ++k) {
    EXPECT_EQ(b.imgUnit(k).Top, (k <= 6 ? 2640 : 300) + steps[k]) << k;
    EXPECT_EQ(b.shpShot(k).Top, flashes[k] + steps[k]) << k;
  }
  EXPECT_EQ(b.imgSelect.Top, b.imgUnit(4).Top - 60) << "the marker follows its unit";
  EXPECT_EQ(b.imgSelect.Left, b.imgUnit(4).Left - 60);

  b.imgUnit(3).Top = 4590 - 15;  // the next step puts its lower edge on the line
  rt->advance(500);
  EXPECT_EQ(b.imgUnit(3).Top + b.imgUnit(3).Height, 5340);
  EXPECT_FALSE(vex().blnBreached);
  b.imgUnit(3).Top = 4591 - 15;  // and now one twip beyond
  rt->answerNext(mb::AnsNo);
  rt->advance(500);
  EXPECT_TRUE(vex().blnBreached);
}

// Every 100 ms each aircraft makes ten steps of its hit points in twips, 7 down
// and right, 8 down and left at first, and turns at the bounds of its half of
// the sky, top and bottom included.
TEST_F(EnemyTest, AircraftFlyInsideTheirHalfOfTheSky) {
  frmBulwarn& b = battle();
  silenceEnemy();
  b.tmrFly.Enabled = true;
  rt->advance(99);
  EXPECT_EQ(b.imgUnit(7).Left, 360);
  rt->advance(1);
  EXPECT_EQ(b.imgUnit(7).Left, 440);
  EXPECT_EQ(b.imgUnit(7).Top, 380);
  EXPECT_EQ(b.shpShot(7).Left, 860) << "its flash flies with it";
  EXPECT_EQ(b.imgUnit(8).Left, 6460);
  EXPECT_EQ(b.imgUnit(8).Top, 380);
  b.intHP[7] = 2;
  rt->advance(100);
  EXPECT_EQ(b.imgUnit(7).Left, 460) << "a damaged aircraft slows down";

  // A bounce in a corner may wander a few steps beyond the bounds, never far.
  b.intHP[7] = 8;
  const float sky = b.lblSky.Left - 400, half = b.lblSky.Width / 2, top = b.lblSky.Top - 400;
  const float bottom = b.lblSky.Top + b.lblSky.Height + 400;
  float lowest = 0, highest = 3000;
  for (int t = 0; t < 600; ++t) {
    rt->advance(100);
    for (int k : {7, 8}) {
      const forms::Image& u = b.imgUnit(k);
      const float from = k == 7 ? sky : sky + half;
      ASSERT_TRUE(u.Left >= from && u.Left + u.Width <= from + half + 800) << k << " at " << u.Left << " after " << t;
      ASSERT_TRUE(u.Top >= top && u.Top + u.Height <= bottom) << k << " at " << u.Top;
    }
    lowest = std::max(lowest, b.imgUnit(7).Top.get());
    highest = std::min(highest, b.imgUnit(7).Top.get());
  }
  EXPECT_GT(lowest, 1800) << "it reaches the bottom of the sky";
  EXPECT_LT(highest, 200) << "and the top";
}

// An attack, from the countdown's end (tests/golden/attack.txt): "Enemy
// Attack" on the log and the gun and the targets locked; the attacker's flash
// orange, then yellow and orange by turns, then out; the roll, the gun free;
// and the next attack five seconds on, alike.
TEST_F(EnemyTest, AnAttackLocksTheGunFromItsStartToItsRoll) {
  frmBulwarn& b = battle();
  b.tmrMove.Enabled = false;
  b.tmrFly.Enabled = false;
  onlyUnit(3);
  rt->advance(4950);
  expectGolden("attack", golden::story(*rt, {&b.cmdFire, &b.imgUnit(3), &b.shpShot(3), &b.lblMessage}, 5600));
}

// The attacker is selected and heard by its weapon as its attack begins.
TEST_F(EnemyTest, EachAttackerIsHeardByItsWeapon) {
  frmBulwarn& b = battle();
  b.tmrMove.Enabled = false;
  b.tmrFly.Enabled = false;
  const std::pair<std::vector<int>, const char*> weapons[] = {
      {{2, 5}, "CannonAttack.WAV"}, {{3, 4}, "MachGunAttack.WAV"}, {{1, 6, 7, 8}, "MissileAttack.WAV"}};
  for (const auto& [units, sound] : weapons) {
    for (int k : units) {
      onlyUnit(k);
      b.HPBar.Width = 7245;
      rt->clearRecords();
      const int attacks = countMessages("Enemy Attack");
      ASSERT_TRUE(rt->advanceUntil([&] { return countMessages("Enemy Attack") > attacks; }, 6000));
      EXPECT_TRUE(rt->sounds().empty());
      rt->advance(50);
      EXPECT_EQ(rt->soundNames(), std::vector<std::string>{sound}) << k;
      EXPECT_EQ(b.intTarget, k);
      EXPECT_TRUE(b.shpShot(k).Visible);
    }
  }
}

// An attack that finds no unit left, or whose attacker is destroyed while it
// fires, is given up: no roll, no flash, no other unit takes it over, and the
// gun is free.
TEST_F(EnemyTest, AnAttackWithoutItsAttackerIsGivenUp) {
  frmBulwarn& b = battle();
  b.tmrMove.Enabled = false;
  b.tmrFly.Enabled = false;
  for (bool nobody : {false, true}) {  // with nobody left the attacks stop, so that comes last
    for (int k = 1; k <= 8; ++k) b.imgUnit(k).Visible = !nobody && (k == 3 || k == 5);
    const int attacks = countMessages("Enemy Attack");
    ASSERT_TRUE(rt->advanceUntil([&] { return countMessages("Enemy Attack") > attacks; }, 6000));
    if (!nobody) {
      setNextDraw(0x4CCCCC);  // unit 3 attacks
      rt->advance(150);
      ASSERT_TRUE(b.shpShot(3).Visible);
      b.imgUnit(3).Visible = false;  // destroyed as it fires
    }
    rt->advance(1000);
    EXPECT_EQ(rolls(), 0);
    EXPECT_EQ(gun(), "Fire keys units zones");
    for (int k = 1; k <= 8; ++k) EXPECT_FALSE(b.shpShot(k).Visible) << k;
  }
}

// An enemy hit takes its difficulty's range off the bar, both ends included:
// the smallest draw the least, the largest the most, never one more.
TEST_F(EnemyTest, AnEnemyHitFlashesAndTakesItsDifficultysRangeOffTheBar) {
  const struct {
    const char* difficulty;
    int least, most;
  } rows[] = {{"Easy", 200, 400}, {"Medium", 300, 600}, {"Hard", 500, 1000}, {"Impossible", 1000, 3000}};
  for (const auto& row : rows) {
    start(row.difficulty);
    silenceEnemy();
    frmBulwarn& b = battle();
    for (auto [bits, width] : {std::pair{0u, row.least}, std::pair{0xFFFFFFu, row.most}}) {
      b.HPBar.Width = 7245;
      setNextDraw(bits);
      landEnemyHit();
      EXPECT_EQ(7245 - b.HPBar.Width, width) << row.difficulty;
    }
  }
  // Easy: the hit flashes the screen orange, yellow, orange and red, 50 ms
  // each, before its damage lands; the bar turns yellow below 4720 twips and
  // red at 2124 and below.
  start();
  silenceEnemy();
  frmBulwarn& b = battle();
  for (int hit = 1; hit <= 2; ++hit) {
    b.tmrEnemy3.Interval = 50;
    for (forms::OleColor c : {kOrange, kYellow, kOrange, kRed}) {
      rt->advance(50);
      EXPECT_EQ(b.BackColor, c) << hit;
      EXPECT_EQ(b.fraAmmo.BackColor, c);
    }
    setNextDraw(0);
    rt->advance(50);
    EXPECT_EQ(b.BackColor, forms::kSysDesktop);
    EXPECT_EQ(b.HPBar.Width, 7245 - 200 * hit);
    rt->advance(1000);
    EXPECT_EQ(b.HPBar.Width, 7245 - 200 * hit) << "one hit, one damage";
  }
  const std::pair<float, forms::OleColor> bars[] = {{4720, kGreen}, {4719, kYellow}, {2125, kYellow}, {2124, kRed}};
  for (const auto& [left, colour] : bars) {
    b.HPBar.FillColor = kGreen;
    b.HPBar.Width = left + 200;
    setNextDraw(0);
    landEnemyHit();
    EXPECT_EQ(b.HPBar.FillColor, colour) << left;
  }
  // A hit of exactly the bar that is left is survived, with an empty bar; the next one destroys the gun.
  battle().HPBar.Width = 200;
  setNextDraw(0);
  landEnemyHit();
  EXPECT_EQ(battle().HPBar.Width, 0);
  EXPECT_FALSE(vex().blnDestroyed);
  rt->answerNext(mb::AnsNo);
  landEnemyHit();
  EXPECT_TRUE(vex().blnDestroyed);
}

// The largest draw names the last of a range, never one past it: the attack
// picks unit 8 (one past would be a unit that does not exist), a hit roll
// draws a 2, a blast the second kind.
TEST_F(EnemyTest, TheLargestDrawStaysInItsRange) {
  frmBulwarn& b = battle();
  b.tmrMove.Enabled = false;
  b.tmrFly.Enabled = false;
  rt->advance(5000);
  ASSERT_EQ(lastMessage(), "Enemy Attack");
  setNextDraw(0xFFFFFF);
  rt->advance(50);
  EXPECT_TRUE(b.shpShot(8).Visible) << "the aircraft on the right attacks";
  EXPECT_EQ(b.intTarget, 8);

  const long long rollAt = rt->nowMs() + 400;
  rt->advance(399);
  setNextDraw(0xFFFFFF, rollAt);
  rt->advance(1);
  EXPECT_EQ(lastMessage(), "Enemy Hit") << "a 2 and, at this time of day, a 2 again";

  b.tmrEnemy1.Enabled = false;
  ASSERT_TRUE(rt->advanceUntil([&] { return b.tmrEnemy2.Interval == 0 && b.tmrEnemy3.Interval == 0; }, 5000));
  b.intHP[3] = 0;
  b.tmrBlast.Interval = 50;
  setNextDraw(0xFFFFFF, rt->nowMs() + 50);
  rt->advance(50);
  EXPECT_EQ(b.intBlastKind, 2);
  EXPECT_FALSE(b.imgUnit(3).Visible);
}

}  // namespace
}  // namespace bulwarn::test

#include "Fixture.h"
#include "screens/frmWin.h"

namespace bulwarn::test {
namespace {

class EnemyTest : public GameTest {
 protected:
  void SetUp() override { start(); }
  int rolls() { return countMessages("Enemy Hit") + countMessages("Enemy Miss"); }
  void onlyUnit(int k) {
    for (int i = 1; i <= 8; ++i) battle().imgUnit(i).Visible = i == k;
  }

  // Sets the generator so that its next draw is the largest it can give,
  // 1 - 2^-24; with `reseedAt`, the next after a reseed at that time.
  void largestNextDraw(long long reseedAt = -1) {
    constexpr std::uint64_t kStep = 0x9E3779B97F4A7C15ull;
    std::uint64_t state = unmix(0xFFFFFFull << 40) - kStep;
    if (reseedAt >= 0) {
      forms::Random probe(0);
      probe.mix(config.timeOfDayMs + static_cast<std::uint64_t>(reseedAt));
      state = unmix(state) ^ unmix(probe.state());
    }
    rt->random().seed(state);
  }
  // Undoes the generator's 64-bit finalizer.
  static std::uint64_t unmix(std::uint64_t z) {
    auto inverse = [](std::uint64_t a) {
      std::uint64_t x = a;
      for (int i = 0; i < 6; ++i) x *= 2 - a * x;
      return x;
    };
    z ^= z >> 31 ^ z >> 62;
    z *= inverse(0x94D049BB133111EBull);
    z ^= z >> 27 ^ z >> 54;
    z *= inverse(0xBF58476D1CE4E5B9ull);
    return z ^ z >> 30 ^ z >> 60;
  }
};

// The largest draw names the last of a range, never one past it: the attack
// picks unit 8 (one past would be a unit that does not exist), a hit roll
// draws a 2, a blast the second kind.
TEST_F(EnemyTest, TheLargestDrawStaysInItsRange) {
  frmBulwarn& b = battle();
  b.tmrMove.Enabled = false;
  b.tmrFly.Enabled = false;
  rt->advance(5000);
  ASSERT_EQ(lastMessage(), "Enemy Attack");
  largestNextDraw();
  rt->advance(50);
  EXPECT_TRUE(b.shpShot(8).Visible) << "the aircraft on the right attacks";
  EXPECT_EQ(b.intTarget, 8);

  const long long rollAt = rt->nowMs() + 400;
  rt->advance(399);
  largestNextDraw(rollAt);
  rt->advance(1);
  EXPECT_EQ(lastMessage(), "Enemy Hit") << "a 2 and, at this time of day, a 2 again";

  b.tmrEnemy1.Enabled = false;
  ASSERT_TRUE(rt->advanceUntil([&] { return b.tmrEnemy2.Interval == 0 && b.tmrEnemy3.Interval == 0; }, 5000));
  b.intHP[3] = 0;
  b.tmrBlast.Interval = 50;
  largestNextDraw(rt->nowMs() + 50);
  rt->advance(50);
  EXPECT_EQ(b.intBlastKind, 2);
  EXPECT_FALSE(b.imgUnit(3).Visible);
}

// Exactly on the line is no breach; one twip beyond ends the mission, and No
// leaves the field frozen.
TEST_F(EnemyTest, PerimeterBreach) {
  frmBulwarn& b = battle();
  b.tmrEnemy1.Enabled = false;
  b.tmrFly.Enabled = false;
  b.imgUnit(3).Top = 4566;
  rt->advance(500);
  EXPECT_EQ(b.imgUnit(3).Top + b.imgUnit(3).Height, 5340);
  EXPECT_FALSE(vex().blnBreached);

  b.imgUnit(3).Top = 4567;
  std::string mission;
  rt->onModal("frmWin", [&](forms::Form& f) { mission = static_cast<frmWin&>(f).lblMission.Caption; });
  rt->answerNext(mb::AnsNo);
  rt->advance(500);
  EXPECT_TRUE(vex().blnBreached);
  EXPECT_EQ(mission, "Enemy Forces have breached the Perimeter!");
  ASSERT_EQ(rt->msgBoxes().size(), 1u);
  EXPECT_EQ(rt->msgBoxes()[0].prompt, "Would You Like To Start Over?");
  const float top = b.imgUnit(1).Top;
  rt->advance(20000);
  EXPECT_EQ(b.imgUnit(1).Top, top);
  EXPECT_EQ(countMessages("Enemy Attack"), 0);
  EXPECT_EQ(b.lblVictory.Caption.get(), "MISSION FAILED");
}

TEST_F(EnemyTest, CountdownNeverHoldsZero) {
  battle().intEnemyTime = 20;
  rt->advance(10);
  EXPECT_EQ(battle().intEnemyTime, 10);
  rt->advance(10);
  EXPECT_EQ(battle().intEnemyTime, 5000);
}

// An attack locks the gun from its start to its roll; a hit shortens the bar.
TEST_F(EnemyTest, AttackLocksTheGunAndHitsOrMisses) {
  frmBulwarn& b = battle();
  b.tmrMove.Enabled = false;
  b.tmrFly.Enabled = false;
  onlyUnit(3);
  rt->advance(4990);
  EXPECT_EQ(countMessages("Enemy Attack"), 0);
  rt->advance(10);
  EXPECT_EQ(lastMessage(), "Enemy Attack");
  EXPECT_EQ(gun(), "");
  rt->advance(450);
  EXPECT_EQ(rolls(), 1);
  EXPECT_EQ(gun(), "Fire keys units zones");
  rt->advance(300);

  bool hit = false, miss = false;
  for (int i = 0; i < 30 && !(hit && miss); ++i) {
    b.HPBar.Width = 7245;
    const int hits = countMessages("Enemy Hit"), before = rolls();
    ASSERT_TRUE(rt->advanceUntil([&] { return rolls() > before; }, 6000));
    rt->advance(300);  // the damage of a hit
    if (countMessages("Enemy Hit") > hits) {
      hit = true;
      EXPECT_GE(7245 - b.HPBar.Width, 200);
      EXPECT_LE(7245 - b.HPBar.Width, 400);
    } else {
      miss = true;
      EXPECT_EQ(b.HPBar.Width, 7245);
    }
  }
  EXPECT_TRUE(hit && miss);
}

// Regression: an attack that finds no unit left is abandoned and frees the gun.
TEST_F(EnemyTest, AttackWithNoUnitLeftIsAbandoned) {
  battle().tmrMove.Enabled = false;
  onlyUnit(0);
  rt->advance(5000);
  EXPECT_EQ(lastMessage(), "Enemy Attack");
  rt->advance(1000);
  EXPECT_EQ(rolls(), 0);
  EXPECT_EQ(gun(), "Fire keys units zones");
}

// A hit of exactly the remaining width is survived with an empty bar; the next
// destroys the gun, and No to starting over leaves Enter dead.
TEST_F(EnemyTest, LosingTheGun) {
  frmBulwarn& b = battle();
  silenceEnemy();
  b.HPBar.Width = static_cast<float>(nextGunDamage());
  landEnemyHit();
  EXPECT_EQ(b.HPBar.Width, 0);
  EXPECT_FALSE(vex().blnDestroyed);

  std::string mission;
  rt->onModal("frmWin", [&](forms::Form& f) { mission = static_cast<frmWin&>(f).lblMission.Caption; });
  rt->answerNext(mb::AnsNo);
  landEnemyHit();
  EXPECT_TRUE(vex().blnDestroyed);
  EXPECT_EQ(mission, "You are a Casualty of War!");
  EXPECT_TRUE(sawMsgBox("Would You Like To Start Over?"));
  EXPECT_FALSE(b.cmdFire.Enabled || b.cmdReload.Enabled || b.cmdRepair.Enabled);
  const int ammo = vex().intAmmo;
  rt->pressKey(Key::Enter);
  EXPECT_EQ(vex().intAmmo, ammo) << "Enter does not fire a destroyed gun";
  rt->advance(20000);
  EXPECT_EQ(countMessages("Enemy Attack"), 0);
}

// Regression: an attack that ends while the player's round is in the air must
// not hand the gun back, or a second round would overwrite the first one's hit.
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
}

}  // namespace
}  // namespace bulwarn::test

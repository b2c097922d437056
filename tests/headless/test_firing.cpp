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
  // Puts the gun at `left` and lets an unrelated key run the search.
  int targetAt(float left) {
    battle().imgSight.Left = left;
    rt->pressKey(Key::Up);
    return battle().imgSelect.Visible ? battle().intTarget : 0;
  }
  // Presses Enter until the roll is `hit`; that shot is left just fired.
  void fireUntil(bool hit, int ammo = 25) {
    for (int i = 0; i < 60; ++i) {
      vex().intAmmo = static_cast<std::int16_t>(ammo);
      rt->pressKey(Key::Enter);
      if (battle().blnDirectHit == hit) return;
      rt->advanceUntil([&] { return shotChainIdle(); }, 5000);
    }
    FAIL() << "the roll never came out " << hit;
  }
  bool released() { return gun() == "Fire keys units zones"; }
};

TEST_F(FiringTest, GunTravelsBetweenItsLimits) {
  frmBulwarn& b = battle();
  for (int i = 0; i < 36; ++i) rt->pressKey(Key::Left);
  EXPECT_EQ(b.imgSight.Left, 220);
  gunTo(3720);
  for (int i = 0; i < 37; ++i) rt->pressKey(Key::Right);
  EXPECT_EQ(b.imgSight.Left, 7320);
}

TEST_F(FiringTest, LineOfFireIsInclusiveAndGroundWinsTies) {
  frmBulwarn& b = battle();
  EXPECT_EQ(targetAt(4080), 4);
  EXPECT_EQ(targetAt(4650), 4) << "gun right edge on the unit's right edge";
  EXPECT_EQ(targetAt(4660), 0);
  EXPECT_EQ(targetAt(4070), 0);

  b.imgUnit(7).Left = 4080;
  b.imgUnit(8).Left = 4080;
  EXPECT_EQ(targetAt(4120), 4);
  b.imgUnit(4).Visible = false;
  EXPECT_EQ(targetAt(4120), 7) << "aircraft 7 wins over 8";
  b.imgUnit(7).Visible = false;
  EXPECT_EQ(targetAt(4120), 8);
}

TEST_F(FiringTest, FireMessagesAndAmmunition) {
  frmBulwarn& b = battle();
  gunTo(1020);  // no unit covers this place
  rt->pressKey(Key::Enter);
  EXPECT_EQ(lastMessage(), "Target Not Identified!");
  EXPECT_EQ(vex().intAmmo, 25);
  EXPECT_TRUE(released());

  rt->click("imgUnit", 2);
  rt->click("cmdFire");
  EXPECT_EQ(lastMessage(), "Target Not In Line Of Fire!");
  EXPECT_EQ(vex().intAmmo, 25);

  aimAt(4);
  b.intHP[4] = 1000;
  fireUntil(false);
  EXPECT_EQ(lastMessage(), "Miss");
  EXPECT_EQ(gun(), "") << "the shot holds the gun";
  rt->advanceUntil([&] { return shotChainIdle(); }, 5000);
  EXPECT_TRUE(released());
  fireUntil(true);
  EXPECT_EQ(lastMessage(), "Direct Hit");
  rt->advanceUntil([&] { return shotChainIdle(); }, 5000);

  // The last round fires; then the empty gun clicks on, below zero.
  vex().intAmmo = 1;
  rt->pressKey(Key::Enter);
  EXPECT_EQ(vex().intAmmo, 0);
  rt->advanceUntil([&] { return shotChainIdle(); }, 5000);
  const int hp = b.intHP[4];
  for (int expected = -1; expected >= -3; --expected) {
    b.lblMessage.Caption = "";
    rt->pressKey(Key::Enter);
    EXPECT_EQ(vex().intAmmo, expected);
    EXPECT_EQ(messages(), "\r\nOUT OF AMMUNITION!");
    EXPECT_TRUE(released());
  }
  EXPECT_EQ(b.intHP[4], hp) << "an empty gun does no damage";

  // Regression: a unit above the gun with no hit points left is not fired at,
  // and the gun is given back.
  b.intHP[4] = 0;
  vex().intAmmo = 5;
  rt->pressKey(Key::Enter);
  EXPECT_EQ(vex().intAmmo, 5);
  EXPECT_TRUE(released()) << "the gun is not left locked";
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

TEST_F(FiringTest, KillChain) {
  frmBulwarn& b = battle();
  b.intHP[4] = 1;
  aimAt(4);
  fireUntil(true);
  rt->advance(1500);
  EXPECT_FALSE(b.imgUnit(4).Visible);
  EXPECT_TRUE(b.imgBlastG.Visible) << "it explodes";
  EXPECT_EQ(vex().intScore, 20);
  EXPECT_EQ(vex().intKills, 1);
  auto lines = messageLines();
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[lines.size() - 2], "Direct Hit");
  EXPECT_EQ(lines.back(), "Target Destroyed");
  rt->advanceUntil([&] { return shotChainIdle(); }, 2000);
  EXPECT_FALSE(b.imgBlastG.Visible);
  EXPECT_TRUE(released());
}

// The last unit falls: score report with the ammunition bonus, the victory card
// and the question; No leaves everything frozen, and the bonus is granted once.
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
    EXPECT_EQ(s.lblAmmoNum.Caption.get(), "7");
    EXPECT_EQ(s.lblABonus.Caption.get(), "14");
    EXPECT_EQ(s.lblScore.Caption.get(), "34");
  });
  rt->onModal("frmWin", [&](forms::Form& f) {
    order.push_back("win");
    EXPECT_EQ(static_cast<frmWin&>(f).lblWin.Caption.get(), "VICTORY!");
  });
  rt->setMsgBoxResponder([&](const forms::MsgBoxRecord& m) {
    order.push_back(m.prompt);
    return mb::AnsNo;
  });
  fireUntil(true, 8);
  rt->advance(2300);
  EXPECT_EQ(order, (std::vector<std::string>{"score", "win", "Would You Like To Start a New Game?"}));
  EXPECT_EQ(vex().intScore, 34);

  rt->advance(20000);
  EXPECT_EQ(b.lblVictory.Caption.get(), "MISSION ACCOMPLISHED");
  EXPECT_EQ(countMessages("Enemy Attack"), 0);
  EXPECT_FALSE(b.cmdFire.Enabled) << "the gun stays locked";
  EXPECT_EQ(order.size(), 3u) << "the mission ends once";

  rt->clearModal("frmScoreG");
  rt->chooseMenu("mnuScore");
  EXPECT_EQ(vex().intScore, 34) << "the ammunition bonus is granted once";
}

// Three rounds fired come back one every half second; only the last tick
// counts the reload and costs 5 points.
TEST_F(FiringTest, ReloadRefillsRoundByRound) {
  frmBulwarn& b = battle();
  b.intHP[4] = 1000;
  aimAt(4);
  for (int i = 0; i < 3; ++i) shoot();
  silenceEnemy();  // no attack may hold the gun when the reload ends
  ASSERT_EQ(vex().intAmmo, 22);
  ASSERT_TRUE(rt->click("cmdReload"));
  EXPECT_EQ(usable(), "units zones");
  rt->advance(1000);
  EXPECT_TRUE(b.picAmmo(23).Visible);
  EXPECT_FALSE(b.picAmmo(24).Visible);
  EXPECT_EQ(vex().intScore, 10);
  EXPECT_EQ(vex().intReloads, 0);
  rt->advance(500);
  EXPECT_TRUE(b.picAmmo(24).Visible);
  EXPECT_EQ(vex().intAmmo, 25);
  EXPECT_EQ(vex().intReloads, 1);
  EXPECT_EQ(vex().intScore, 5);
  EXPECT_TRUE(released());
}

// Regression: a reload pressed while a shot plays keeps the gun locked until
// the reload ends, not just until the shot does.
TEST_F(FiringTest, ReloadStartedDuringAShotHoldsTheGun) {
  frmBulwarn& b = battle();
  b.intHP[4] = 1000;
  aimAt(4);
  for (int i = 0; i < 4; ++i) shoot();
  rt->pressKey(Key::Enter);
  ASSERT_TRUE(rt->click("cmdReload"));
  rt->advanceUntil([&] { return shotChainIdle(); }, 3000);
  ASSERT_TRUE(b.blnReloading);
  EXPECT_EQ(gun(), "units zones");
  rt->pressKey(Key::Enter);
  EXPECT_EQ(vex().intAmmo, 20) << "no round fired during the reload";
  rt->advanceUntil([&] { return !b.blnReloading; }, 5000);
  EXPECT_TRUE(released());
}

TEST_F(FiringTest, RepairSnapsToFullAndCosts) {
  frmBulwarn& b = battle();
  b.HPBar.Width = 7235;
  b.cmdRepair.Enabled = true;
  vex().intAmmo = 24;
  ASSERT_TRUE(rt->click("cmdRepair"));
  EXPECT_EQ(usable(), "units zones");
  rt->advance(10);
  EXPECT_EQ(b.HPBar.Width, 7245);
  EXPECT_EQ(vex().intRepairs, 1);
  EXPECT_EQ(vex().intScore, 5);
  rt->advance(10);
  EXPECT_FALSE(b.blnRepairing);
  EXPECT_EQ(usable(), "Fire Reload keys units zones") << "rounds are missing";
}

}  // namespace
}  // namespace bulwarn::test

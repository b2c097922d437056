#include "Fixture.h"

namespace bulwarn::test {
namespace {

class SupplyTest : public GameTest {
 protected:
  void SetUp() override {
    start();
    silenceEnemy();
  }
  int roundsShown() {
    int n = 0;
    for (int i = 0; i <= 24; ++i) n += battle().picAmmo(i).Visible;
    return n;
  }
  void emptyGun() {
    vex().intAmmo = 0;
    for (int i = 0; i <= 24; ++i) battle().picAmmo(i).Visible = false;
    battle().cmdReload.Enabled = true;
  }
};

// Three rounds fired come back one every half second; only the last one
// counts the reload and costs 5 points.
TEST_F(SupplyTest, ReloadRefillsRoundByRound) {
  frmBulwarn& b = battle();
  b.intHP[4] = 1000;
  aimAt(4);
  for (int i = 0; i < 3; ++i) shoot();
  ASSERT_EQ(vex().intAmmo, 22);
  ASSERT_TRUE(rt->click("cmdReload"));
  EXPECT_TRUE(b.blnReloading);
  EXPECT_EQ(usable(), "units zones");
  rt->advance(500);
  EXPECT_TRUE(b.picAmmo(22).Visible);
  EXPECT_FALSE(b.picAmmo(23).Visible);
  EXPECT_EQ(vex().intAmmo, 22) << "the count changes only at the end";
  rt->advance(500);
  EXPECT_EQ(roundsShown(), 24);
  EXPECT_EQ(vex().intScore, 10);
  EXPECT_EQ(vex().intReloads, 0);
  b.HPBar.Width = 7000;
  rt->advance(500);
  EXPECT_EQ(roundsShown(), 25);
  EXPECT_EQ(vex().intAmmo, 25);
  EXPECT_EQ(vex().intReloads, 1);
  EXPECT_EQ(vex().intScore, 5);
  EXPECT_EQ(b.lblScore.Caption.get(), " 5");
  EXPECT_FALSE(b.blnReloading);
  EXPECT_EQ(usable(), "Fire Repair keys units zones") << "the gun is full, the bar is short";
  rt->advance(2000);
  EXPECT_EQ(vex().intReloads, 1);
}

// Reload or Repair pressed while a shot plays: the end of the shot does not
// hand the gun back in the middle of it.
TEST_F(SupplyTest, ReloadOrRepairStartedDuringAShotHoldsTheGun) {
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
  EXPECT_EQ(gun(), "Fire keys units zones");

  b.HPBar.Width = 6000;
  b.cmdRepair.Enabled = true;
  rt->pressKey(Key::Enter);
  ASSERT_TRUE(rt->click("cmdRepair"));
  rt->advanceUntil([&] { return shotChainIdle(); }, 3000);
  ASSERT_TRUE(b.blnRepairing);
  EXPECT_EQ(gun(), "units zones");
  rt->advanceUntil([&] { return !b.blnRepairing; }, 5000);
  EXPECT_EQ(gun(), "Fire keys units zones");
}

TEST_F(SupplyTest, ReloadFromEmptyTakes25Ticks) {
  frmBulwarn& b = battle();
  emptyGun();
  vex().intScore = 2;
  rt->click("cmdReload");
  rt->advance(24 * 500);
  EXPECT_EQ(roundsShown(), 24);
  EXPECT_EQ(vex().intAmmo, 0);
  EXPECT_EQ(vex().intReloads, 0);
  rt->advance(500);
  EXPECT_EQ(vex().intAmmo, 25);
  EXPECT_EQ(vex().intReloads, 1);
  EXPECT_EQ(b.lblScore.Caption.get(), "-3") << "penalties go below zero";
  EXPECT_FALSE(b.cmdRepair.Enabled) << "nothing to repair";

  // A reload with every round present ends at its first tick, uncounted.
  b.cmdReload.Enabled = true;
  rt->click("cmdReload");
  rt->advance(500);
  EXPECT_FALSE(b.blnReloading);
  EXPECT_TRUE(b.cmdFire.Enabled);
  EXPECT_EQ(vex().intReloads, 1);
  EXPECT_EQ(vex().intScore, -3);
}

TEST_F(SupplyTest, RepairSnapsToFullCostsAndEnds) {
  frmBulwarn& b = battle();
  b.HPBar.Width = 7235;
  b.cmdRepair.Enabled = true;
  vex().intAmmo = 24;
  ASSERT_TRUE(rt->click("cmdRepair"));
  EXPECT_EQ(usable(), "units zones");
  rt->advance(10);
  EXPECT_EQ(b.HPBar.Width, 7245);
  EXPECT_EQ(vex().intRepairs, 1);
  EXPECT_EQ(b.lblScore.Caption.get(), " 5");
  EXPECT_TRUE(b.blnRepairing) << "it ends on the next tick";
  EXPECT_FALSE(b.cmdFire.Enabled);
  rt->advance(10);
  EXPECT_FALSE(b.blnRepairing);
  EXPECT_EQ(usable(), "Fire Reload keys units zones") << "rounds are missing";
  EXPECT_EQ(vex().intRepairs, 1);
}

// The bar grows 10 twips per tick and turns yellow, then green, by thirds of
// its full width.
TEST_F(SupplyTest, RepairRecoloursTheBar) {
  frmBulwarn& b = battle();
  b.HPBar.Width = 2405;
  b.HPBar.FillColor = kRed;
  b.cmdRepair.Enabled = true;
  rt->click("cmdRepair");
  rt->advance(10);
  EXPECT_EQ(b.HPBar.Width, 2415);
  EXPECT_EQ(b.HPBar.FillColor, kRed) << "a third is not above a third";
  rt->advance(10);
  EXPECT_EQ(b.HPBar.FillColor, kYellow);
  rt->advanceUntil([&] { return b.HPBar.Width >= 4345; }, 10000, 10);
  EXPECT_EQ(b.HPBar.FillColor, kYellow);
  rt->advanceUntil([&] { return b.HPBar.Width >= 4825; }, 10000, 10);
  EXPECT_EQ(b.HPBar.FillColor, kYellow) << "two thirds is 4830";
  rt->advance(10);
  EXPECT_EQ(b.HPBar.Width, 4835);
  EXPECT_EQ(b.HPBar.FillColor, kGreen);
  EXPECT_TRUE(rt->advanceUntil([&] { return !b.blnRepairing; }, 10000));
  EXPECT_EQ(b.HPBar.Width, 7245);
  EXPECT_EQ(vex().intRepairs, 1);
  EXPECT_EQ(vex().intScore, 5);
}

// A restart during a reload or repair refills the gun; the action then ends at
// its next tick without being counted.
TEST_F(SupplyTest, RestartDuringReloadOrRepair) {
  frmBulwarn& b = battle();
  emptyGun();
  rt->click("cmdReload");
  rt->advance(1000);
  rt->pressShortcut("F2");
  EXPECT_EQ(roundsShown(), 25);
  EXPECT_EQ(vex().intAmmo, 25);
  EXPECT_FALSE(b.cmdFire.Enabled) << "the reload still holds the gun";
  silenceEnemy();
  rt->advance(500);
  EXPECT_FALSE(b.blnReloading);
  EXPECT_TRUE(b.cmdFire.Enabled);
  EXPECT_TRUE(b.KeyPreview);
  EXPECT_EQ(vex().intReloads, 0);
  EXPECT_EQ(vex().intScore, 10);

  b.HPBar.Width = 1000;
  b.cmdRepair.Enabled = true;
  rt->click("cmdRepair");
  rt->advance(500);
  rt->pressShortcut("F2");
  EXPECT_EQ(b.HPBar.Width, 7245);
  silenceEnemy();
  rt->advance(10);
  EXPECT_FALSE(b.blnRepairing);
  EXPECT_TRUE(b.cmdFire.Enabled);
  EXPECT_EQ(vex().intRepairs, 0);
  EXPECT_EQ(vex().intScore, 10);
}

}  // namespace
}  // namespace bulwarn::test

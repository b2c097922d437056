#include "Fixture.h"

namespace bulwarn::test {
namespace {

// A restart puts back everything a mission starts with, and leaves the gun,
// the aircraft's columns and courses, and the last target number alone.
TEST_F(GameTest, RestartRestoresTheMission) {
  start("Medium");
  battle().tmrEnemy1.Enabled = false;
  rt->advance(3000);  // everything has moved
  silenceEnemy();
  aimAt(4);
  battle().intHP[4] = 100;
  shoot();
  shoot();
  frmBulwarn& b = battle();
  b.imgUnit(2).Visible = false;
  b.intHP[2] = -1;
  b.intHP[7] = 3;
  b.HPBar.Width = 2000;
  b.HPBar.FillColor = kRed;
  b.GunLimit.BorderColor = kRed;
  b.cmdRepair.Enabled = true;
  vex().intKills = 3;
  vex().intReloads = 2;
  vex().intRepairs = 1;
  rt->click("imgUnit", 5);
  ASSERT_TRUE(b.imgSelect.Visible);
  const float gunLeft = b.imgSight.Left;
  const float left7 = b.imgUnit(7).Left, left8 = b.imgUnit(8).Left, left3 = b.imgUnit(3).Left;
  const int fly[4] = {b.intFly7X, b.intFly7Y, b.intFly8X, b.intFly8Y};

  rt->pressShortcut("F2");
  ASSERT_EQ(rt->msgBoxes().back().prompt, "Really Restart?");

  EXPECT_EQ(vex().intAmmo, 25);
  for (int i = 0; i <= 24; ++i) EXPECT_TRUE(b.picAmmo(i).Visible) << i;
  EXPECT_FALSE(b.imgSelect.Visible);
  EXPECT_FALSE(b.imgSelectT.Visible);
  EXPECT_EQ(b.picTarget.Picture.get(), nullptr);
  for (int i = 0; i <= 7; ++i) EXPECT_FALSE(b.hp(i).Visible) << i;
  EXPECT_EQ(b.HPBar.Width, 7245);
  EXPECT_EQ(b.HPBar.FillColor, kGreen);
  EXPECT_EQ(b.GunLimit.BorderColor, kDarkGreen);
  EXPECT_EQ(b.lblTargetDescription.Caption.get(), "");
  EXPECT_EQ(b.lblTargetDescription.BackColor, kSys1);
  EXPECT_EQ(b.lblTargetDescription.ForeColor, kSys18);
  EXPECT_EQ(b.lblVictory.Caption.get(), "");
  for (int i = 1; i <= 8; ++i) {
    EXPECT_EQ(b.intHP[i], 8) << i;
    EXPECT_TRUE(b.imgUnit(i).Visible) << i;
    const float top = i <= 6 ? 2650 : 130;
    EXPECT_EQ(b.imgUnit(i).Top, top) << i;
    EXPECT_EQ(b.shpShot(i).Top, top) << i;
  }
  EXPECT_EQ(b.imgUnit(3).Left, left3);
  EXPECT_EQ(b.imgUnit(7).Left, left7) << "aircraft resume from their column";
  EXPECT_EQ(b.imgUnit(8).Left, left8);
  EXPECT_EQ(vex().intScore, 20);
  EXPECT_EQ(b.lblScore.Caption.get(), "20");
  EXPECT_EQ(vex().intKills, 0);
  EXPECT_EQ(vex().intReloads, 0) << "counted per mission";
  EXPECT_EQ(vex().intRepairs, 0);
  EXPECT_FALSE(vex().blnVictory || vex().blnDestroyed || vex().blnBreached);
  EXPECT_EQ(b.intEnemyTime, 5000);
  EXPECT_EQ(b.tmrEnemy1.Interval, 5000);
  EXPECT_EQ(b.tmrEnemyTime.Interval, 10);
  for (auto* t : {&b.tmrEnemy1, &b.tmrEnemyTime, &b.tmrMove, &b.tmrFly}) EXPECT_TRUE(t->Enabled) << t->name();
  EXPECT_EQ(usable(), "Fire keys units zones");

  EXPECT_EQ(b.imgSight.Left, gunLeft) << "the gun keeps its place";
  EXPECT_EQ(b.intTarget, 5) << "the number of the last target stays";
  EXPECT_EQ(b.intFly7X, fly[0]);
  EXPECT_EQ(b.intFly7Y, fly[1]);
  EXPECT_EQ(b.intFly8X, fly[2]);
  EXPECT_EQ(b.intFly8Y, fly[3]);

  // The first attack of the new mission comes 5 seconds later.
  b.tmrMove.Enabled = false;
  rt->advance(4990);
  EXPECT_EQ(countMessages("Enemy Attack"), 0);
  rt->advance(10);
  EXPECT_EQ(countMessages("Enemy Attack"), 1);
}

// A mission won at the end of a shot starts the next one with the gun fully
// usable, while the log keeps what happened.
TEST_F(GameTest, NewMissionAfterAVictoryHasLiveKeys) {
  start();
  silenceEnemy();
  for (int i = 1; i <= 8; ++i)
    if (i != 4) battle().imgUnit(i).Visible = false;
  battle().intHP[4] = 1;
  aimAt(4);
  shootUntilHit();  // the default Yes starts a new mission
  ASSERT_TRUE(sawMsgBox("Would You Like To Start a New Game?"));
  frmBulwarn& b = battle();
  EXPECT_EQ(vex().intKills, 0);
  EXPECT_TRUE(b.imgUnit(1).Visible);
  EXPECT_EQ(lastMessage(), "Target Destroyed") << "the log is not cleared";
  EXPECT_EQ(b.intTarget, 4);
  EXPECT_EQ(usable(), "Fire keys units zones") << "no Reload: the gauge is full again";
  const float gun = b.imgSight.Left;
  rt->pressKey(Key::Left);
  EXPECT_EQ(b.imgSight.Left, gun - 100);
  EXPECT_TRUE(rt->click("lblSky"));
}

}  // namespace
}  // namespace bulwarn::test

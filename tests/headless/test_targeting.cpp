#include "Fixture.h"

namespace bulwarn::test {
namespace {

class TargetingTest : public GameTest {
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
};

TEST_F(TargetingTest, GunTravelsBetweenItsLimits) {
  frmBulwarn& b = battle();
  for (int i = 0; i < 35; ++i) rt->pressKey(Key::Left);
  EXPECT_EQ(b.imgSight.Left, 220);
  EXPECT_EQ(b.imgGunShot.Left, -20);
  rt->pressKey(Key::Left);
  EXPECT_EQ(b.imgSight.Left, 220);
  EXPECT_EQ(b.imgGunShot.Left, -20);

  gunTo(3720);
  for (int i = 0; i < 36; ++i) rt->pressKey(Key::Right);
  EXPECT_EQ(b.imgSight.Left, 7320);
  EXPECT_EQ(b.imgGunShot.Left, 7080);
  rt->pressKey(Key::Right);
  EXPECT_EQ(b.imgSight.Left, 7320);
  EXPECT_EQ(b.imgSight.Top, 5160) << "nothing moves the gun vertically";
}

TEST_F(TargetingTest, LineOfFireIsInclusiveAtBothEnds) {
  gunTo(4020);
  EXPECT_FALSE(battle().imgSelect.Visible);
  rt->pressKey(Key::Right);
  EXPECT_EQ(battle().imgSight.Left, 4120);
  EXPECT_TRUE(battle().imgSelect.Visible);
  EXPECT_EQ(battle().intTarget, 4);

  EXPECT_EQ(targetAt(4080), 4);
  EXPECT_EQ(targetAt(4650), 4) << "gun right edge on the unit's right edge";
  EXPECT_EQ(targetAt(4660), 0);
  EXPECT_EQ(targetAt(4070), 0);
}

TEST_F(TargetingTest, GroundWinsTiesAndHiddenUnitsArePassedOver) {
  frmBulwarn& b = battle();
  b.imgUnit(7).Left = 4080;
  b.imgUnit(8).Left = 4080;
  EXPECT_EQ(targetAt(4120), 4);
  b.imgUnit(4).Visible = false;
  EXPECT_EQ(targetAt(4120), 7) << "aircraft 7 wins over 8";
  b.imgUnit(7).Visible = false;
  EXPECT_EQ(targetAt(4120), 8);
  b.imgUnit(8).Visible = false;
  EXPECT_EQ(targetAt(4120), 0);
  b.imgUnit(8).Visible = true;
  b.imgUnit(8).Enabled = false;
  EXPECT_EQ(targetAt(4120), 8) << "enabled or not does not matter";
}

TEST_F(TargetingTest, AnyKeyRetargetsOrClears) {
  gunTo(4120);
  rt->click("imgUnit", 2);
  EXPECT_EQ(battle().intTarget, 2);
  rt->pressKey(Key::Up);
  EXPECT_EQ(battle().intTarget, 4);

  gunTo(1020);  // no unit covers it
  rt->click("imgUnit", 2);
  ASSERT_TRUE(battle().imgSelect.Visible);
  rt->pressKey(Key::Down);
  EXPECT_FALSE(battle().imgSelect.Visible);
  EXPECT_EQ(battle().intTarget, 2);
}

TEST_F(TargetingTest, TargetPanelShowsTheSelectedUnit) {
  frmBulwarn& b = battle();
  ASSERT_TRUE(rt->click("imgUnit", 2));
  EXPECT_TRUE(b.imgSelect.Visible);
  EXPECT_EQ(b.imgSelect.Left, 1500);
  EXPECT_EQ(b.imgSelect.Top, 2580);
  EXPECT_TRUE(b.imgSelectT.Visible);
  EXPECT_EQ(b.picTarget.Picture.get(), b.imgUnit(2).Picture.get()) << "the same picture, not a copy";
  EXPECT_EQ(b.picTarget.BackColor, kDarkGreen);
  EXPECT_EQ(b.lblTargetDescription.Caption.get(), "Armour - Main Battle Tank");
  EXPECT_EQ(b.lblTargetDescription.ForeColor, kRed);
  EXPECT_EQ(b.lblTargetDescription.BackColor, kYellow);
  for (int i = 0; i <= 7; ++i) EXPECT_TRUE(b.hp(i).Visible) << i;

  rt->click("imgUnit", 7);
  EXPECT_EQ(b.picTarget.BackColor, 0x00FFFF00u);
  EXPECT_EQ(b.lblTargetDescription.Caption.get(), "Air Superiority Fighter/Interceptor");
  rt->click("imgUnit", 6);
  EXPECT_EQ(b.picTarget.BackColor, kDarkGreen);
  EXPECT_EQ(b.lblTargetDescription.Caption.get(), "M.R.L.S. - Multiple Rocket Launch System");

  auto pips = [&] {
    int n = 0;
    for (int i = 0; i <= 7; ++i) {
      if (b.hp(i).Visible) {
        EXPECT_EQ(n, i) << "pips fill from the left";
        ++n;
      }
    }
    return n;
  };
  for (const auto& [hp, shown] : std::initializer_list<std::pair<int, int>>{{3, 3}, {1, 1}, {12, 8}, {7, 7}}) {
    b.intHP[3] = static_cast<std::int16_t>(hp);
    rt->click("imgUnit", 3);
    EXPECT_EQ(pips(), shown) << hp;
  }
  rt->click("imgUnit", 3);
  EXPECT_EQ(pips(), 7) << "clicking the target again gives the same panel";

  // A unit with no hit points left cannot stay selected; its name stays.
  b.intHP[3] = 0;
  rt->click("imgUnit", 3);
  EXPECT_FALSE(b.imgSelect.Visible);
  EXPECT_FALSE(b.imgSelectT.Visible);
  EXPECT_EQ(b.picTarget.Picture.get(), nullptr);
  EXPECT_EQ(pips(), 0);
  EXPECT_EQ(b.lblTargetDescription.Caption.get(), "Mechanized Infantry Fighting Vehicle");
  EXPECT_EQ(b.lblTargetDescription.BackColor, kSys1);
  EXPECT_EQ(b.lblTargetDescription.ForeColor, kSys18);
  EXPECT_EQ(b.picTarget.BackColor, kSys1);
}

TEST_F(TargetingTest, ClicksOnSkyGroundAndGunClear) {
  frmBulwarn& b = battle();
  for (const char* where : {"lblSky", "lblBattlefield", "imgSight"}) {
    rt->click("imgUnit", 5);
    ASSERT_TRUE(b.imgSelect.Visible);
    EXPECT_TRUE(rt->click(where));
    EXPECT_FALSE(b.imgSelect.Visible) << where;
    EXPECT_EQ(b.lblTargetDescription.Caption.get(), "") << where;
    EXPECT_EQ(b.intTarget, 5) << where;
  }
}

// The hit picture over the target re-selects it, but not while the shot
// holds the units.
TEST_F(TargetingTest, HitPictureClickFollowsTheUnitsLock) {
  frmBulwarn& b = battle();
  b.intHP[4] = 100;
  aimAt(4);
  for (int i = 0; i < 30 && !b.blnDirectHit; ++i) {
    vex().intAmmo = 25;
    rt->pressKey(Key::Enter);
    if (!b.blnDirectHit) rt->advanceUntil([&] { return shotChainIdle(); }, 2000);
  }
  ASSERT_TRUE(b.blnDirectHit);
  rt->advance(700);  // first impact frame
  ASSERT_TRUE(b.imgHit.Visible);
  rt->click("imgSight");
  EXPECT_FALSE(b.imgSelect.Visible);
  EXPECT_TRUE(rt->click("imgHit"));
  EXPECT_FALSE(b.imgSelect.Visible) << "units are disabled during the shot";
  rt->advanceUntil([&] { return shotChainIdle(); }, 2000);
  b.imgHit.Visible = true;
  EXPECT_TRUE(rt->click("imgHit"));
  EXPECT_TRUE(b.imgSelect.Visible);
  EXPECT_EQ(b.intTarget, 4);
}

}  // namespace
}  // namespace bulwarn::test

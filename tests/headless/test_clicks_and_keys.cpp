// Clicks at points of the battle screen and keys as typed: they land where the
// player sees them and every key retargets.
#include "Fixture.h"

namespace bulwarn::test {
namespace {

namespace KeyShift = forms::KeyShift;
// (A disabled unit swallowing its click and Alt+F firing follow from the
// runtime contract and the battle screen's golden layout.)

class ClicksAndKeys : public GameTest {
 protected:
  void SetUp() override {
    start();
    silenceEnemy();  // nothing moves unless the test moves it
  }
  // A click at the middle of a unit's picture.
  bool clickUnit(int k) {
    const forms::Image& u = battle().imgUnit(k);
    return rt->clickAt("frmBulwarn", u.Left + u.Width / 2, u.Top + u.Height / 2);
  }
  bool selected() { return battle().imgSelect.Visible; }
  int target() { return selected() ? battle().intTarget : 0; }
};

// The blast and hit images wait empty in the sky and on the field until their
// animation draws them: until then the player sees, and clicks, what is beneath.
TEST_F(ClicksAndKeys, EmptyEffectImagesLetClicksThroughToTheSkyTheFieldAndTheUnits) {
  frmBulwarn& b = battle();
  ASSERT_TRUE(b.imgHit.Visible);
  ASSERT_FALSE(b.imgHit.Picture.get());
  ASSERT_TRUE(clickUnit(3));
  EXPECT_EQ(target(), 3);
  // The sky inside imgHit's rectangle clears the target (it used to select it again).
  ASSERT_TRUE(b.imgHit.absoluteRect().contains(5900, 1700));
  EXPECT_TRUE(rt->clickAt("frmBulwarn", 5900, 1700));
  EXPECT_EQ(target(), 0);
  // An aircraft flying through imgBlastA's empty rectangle is selected.
  b.imgUnit(7).Left = 2600;
  b.imgUnit(7).Top = 1300;
  ASSERT_TRUE(b.imgBlastA.absoluteRect().contains(3000, 1600));
  EXPECT_TRUE(rt->clickAt("frmBulwarn", 3000, 1600));
  EXPECT_EQ(target(), 7);
  // And the same under imgBlastG, and the field under the muzzle flash's place.
  b.imgUnit(8).Left = 4200;
  b.imgUnit(8).Top = 600;
  ASSERT_TRUE(b.imgBlastG.absoluteRect().contains(4600, 900));
  EXPECT_TRUE(rt->clickAt("frmBulwarn", 4600, 900));
  EXPECT_EQ(target(), 8);
  ASSERT_TRUE(b.imgGunShot.absoluteRect().contains(3600, 4400));
  EXPECT_TRUE(rt->clickAt("frmBulwarn", 3600, 4400));
  EXPECT_EQ(target(), 0);
  // The gun itself clears the target too; the message panel takes clicks and does nothing.
  clickUnit(2);
  EXPECT_TRUE(rt->clickAt("frmBulwarn", b.imgSight.Left + 200, 5800));
  EXPECT_EQ(target(), 0);
  clickUnit(2);
  rt->clickAt("frmBulwarn", 9000, 1000);
  EXPECT_EQ(target(), 2);
}

TEST_F(ClicksAndKeys, CtrlAndAltArrowsMoveTheGunAndEveryKeyRedoesTheSearch) {
  frmBulwarn& b = battle();
  const float left = b.imgSight.Left;
  rt->pressKey(Key::Left, KeyShift::Ctrl);
  EXPECT_EQ(b.imgSight.Left, left - 100);
  rt->pressKey(Key::Right, KeyShift::Alt);
  rt->pressKey(Key::Right, KeyShift::Shift | KeyShift::Ctrl);
  EXPECT_EQ(b.imgSight.Left, left + 100);
  EXPECT_EQ(b.imgGunShot.Left, left + 100 - 240);
  // A target chosen by mouse gives way to the line of fire at any key.
  aimAt(4);
  for (int key : {Key::Period, Key::Comma, Key::Slash, Key::Semicolon, Key::F1 + 9, int('Q')}) {
    clickUnit(1);
    ASSERT_EQ(target(), 1);
    rt->pressKey(key);
    EXPECT_EQ(target(), 4) << "key " << key;
  }
  gunTo(b.imgUnit(4).Left - 400);  // nothing above the gun now
  clickUnit(1);
  rt->pressKey(Key::Period);
  EXPECT_EQ(target(), 0);
}

}  // namespace
}  // namespace bulwarn::test

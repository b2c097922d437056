#include "Fixture.h"

namespace bulwarn::test {
namespace {

TEST_F(GameTest, StartupReachesTheBattleScreen) {
  start();
  EXPECT_TRUE(battle().isVisible());
  EXPECT_EQ(rt->activeForm(), &battle());
  EXPECT_EQ(battle().lblScore.Caption.get(), "10");
  EXPECT_EQ(vex().intAmmo, 25);
  EXPECT_TRUE(battle().KeyPreview);
  EXPECT_NE(rt->form("frmPics"), nullptr);
}

}  // namespace
}  // namespace bulwarn::test

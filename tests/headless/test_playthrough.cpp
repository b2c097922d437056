#include "Fixture.h"

namespace bulwarn::test {
namespace {

// Shoots every unit down with the enemy held still: the whole fight chain.
TEST_F(GameTest, PlayerCanWinAMission) {
  start();
  silenceEnemy();
  int shots = 0;
  while (vex().intKills < 8 && shots < 200) {
    bool aimed = false;
    for (int i = 1; i <= 8 && !aimed; ++i) {
      if (!battle().imgUnit(i).Visible) continue;
      gunTo(battle().imgUnit(i).Left + 100 - static_cast<int>(battle().imgUnit(i).Left) % 100);
      aimed = true;
    }
    if (!aimed) break;
    rt->pressKey(Key::Enter);
    ++shots;
    rt->advanceUntil([&] { return battle().cmdFire.Enabled.get() || vex().intKills == 8; }, 5000);
    if (vex().intAmmo <= 0) {
      rt->click("cmdReload");
      rt->advanceUntil([&] { return !battle().blnReloading; }, 20000);
    }
  }
  rt->advance(2000);
  EXPECT_EQ(vex().intKills, 0) << "reset by the default Yes to a new game";
  ASSERT_GE(rt->msgBoxes().size(), 1u);
  EXPECT_EQ(rt->msgBoxes().back().prompt, "Would You Like To Start a New Game?");
}

}  // namespace
}  // namespace bulwarn::test

// The player's shot: traverse and line of fire, Fire and the gauge, hit and
// damage, the impact and the kill, seen and heard; reload and repair.
#include <set>

#include "Golden.h"

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
  // Presses Enter until the roll is `hit`; that shot is left just fired, with
  // only its own sounds recorded.
  void fireUntil(bool hit, int ammo = 25) {
    for (int i = 0; i < 60; ++i) {
      vex().intAmmo = static_cast<std::int16_t>(ammo);
      rt->clearRecords();
      rt->pressKey(Key::Enter);
      if (battle().blnDirectHit == hit) return;
      rt->advanceUntil([&] { return shotChainIdle(); }, 5000);
    }
    FAIL() << "the roll never came out " << hit;
  }
  bool released() { return gun() == "Fire keys units zones"; }
};

// The arrows move the gun between its limits, with Ctrl, Alt or Shift held
// too; any key at all redoes the search, so a target chosen by mouse gives way
// to the line of fire.
TEST_F(FiringTest, TheGunTravelsBetweenItsLimitsAndEveryKeyRetargets) {
  frmBulwarn& b = battle();
  for (int i = 0; i < 36; ++i) rt->pressKey(Key::Left);
  EXPECT_EQ(b.imgSight.Left, 220);
  EXPECT_EQ(b.imgGunShot.Left, -20) << "the muzzle flash goes with the gun";
  gunTo(3720);
  for (int i = 0; i < 37; ++i) rt->pressKey(Key::Right);
  EXPECT_EQ(b.imgSight.Left, 7320);
  gunTo(3720);
  rt->pressKey(Key::Left, forms::KeyShift::Ctrl);
  EXPECT_EQ(b.imgSight.Left, 3620);
  rt->pressKey(Key::Right, forms::KeyShift::Alt);
  rt->pressKey(Key::Right, forms::KeyShift::Shift | forms::KeyShift::Ctrl);
  EXPECT_EQ(b.imgSight.Left, 3820);

  aimAt(4);
  for (int key : {Key::Period, Key::Comma, Key::Slash, Key::Semicolon, Key::F1 + 9, int('Q')}) {
    rt->click("imgUnit", 1);
    ASSERT_EQ(b.intTarget, 1);
    rt->pressKey(key);
    EXPECT_EQ(b.imgSelect.Visible ? b.intTarget : 0, 4) << "key " << key;
  }
  gunTo(b.imgUnit(4).Left - 400);  // nothing above the gun now
  rt->click("imgUnit", 1);
  rt->pressKey(Key::Period);
  EXPECT_FALSE(b.imgSelect.Visible);
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

// The target panel (tests/golden/target-panel.txt): a selected unit is framed
// on the field and shown in the panel (its picture on its zone's colour, its
// kind in red on yellow, a pip a hit point, eight at most); one without hit
// points is not selected but names its kind; a click on the sky, the field or
// the gun clears the panel, and the unit last selected is remembered.
TEST_F(FiringTest, TheTargetPanelShowsTheSelectedUnit) {
  frmBulwarn& b = battle();
  std::vector<std::string> seen;
  auto look = [&](const std::string& after) {
    seen.push_back(after + ": target " + std::to_string(b.intTarget));
    for (const forms::Control* c : {(const forms::Control*)&b.imgSelect, (const forms::Control*)&b.imgSelectT,
                                    (const forms::Control*)&b.picTarget, (const forms::Control*)&b.lblTargetDescription})
      seen.push_back("  " + golden::describe(*c));
    for (int i = 0; i <= 7; ++i) seen.push_back("  " + golden::describe(b.hp(i)));
  };
  for (auto [unit, hp] : {std::pair{2, 8}, {8, 3}, {6, 1}, {4, 20}, {3, 0}}) {
    b.intHP[unit] = static_cast<std::int16_t>(hp);
    ASSERT_TRUE(rt->click("imgUnit", unit));
    look("unit " + std::to_string(unit) + " with " + std::to_string(hp) + " hit points");
  }
  for (const char* place : {"lblSky", "lblBattlefield", "imgSight"}) {
    rt->click("imgUnit", 2);
    ASSERT_TRUE(rt->click(place));
    look(place);
  }
  expectGolden("target-panel", seen);
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

// The log takes one line a post; once it stands taller than its panel's 2505
// twips the old lines go first and the new one stands alone.
TEST_F(FiringTest, TheMessageLogEmptiesOnceTallerThanItsPanel) {
  gunTo(1020);  // nothing to fire at: every Enter posts one line
  int emptied = 0;
  for (int i = 0; i < 30; ++i) {
    const bool full = battle().lblMessage.Height > 2505;
    const size_t lines = messageLines().size();
    rt->pressKey(Key::Enter);
    EXPECT_EQ(messageLines().size(), full ? 1 : lines + 1) << i;
    emptied += full ? 1 : 0;
  }
  EXPECT_GT(emptied, 1);
}

// Half the rounds hit, and a hit takes its difficulty's whole range of hit
// points off the target, nothing outside it.
TEST_F(FiringTest, HalfTheRoundsHitAndAHitTakesItsDifficultysRange) {
  const struct {
    const char* difficulty;
    std::set<int> damage;
  } rows[] = {{"Easy", {4, 5, 6, 7, 8}}, {"Medium", {3, 4, 5, 6}}, {"Hard", {2, 3, 4}}, {"Impossible", {1, 2}}};
  int hits = 0, shots = 0;
  for (const auto& row : rows) {
    start(row.difficulty);
    silenceEnemy();
    battle().intHP[4] = 30000;
    aimAt(4);
    std::set<int> seen;
    for (int i = 0; i < 160; ++i, ++shots) {
      vex().intAmmo = 25;
      const int before = battle().intHP[4];
      if (shoot()) {
        ++hits;
        seen.insert(before - battle().intHP[4]);
      } else {
        EXPECT_EQ(battle().intHP[4], before) << "a miss does no damage";
      }
    }
    EXPECT_EQ(seen, row.damage) << row.difficulty;
  }
  EXPECT_NEAR(hits / static_cast<double>(shots), 0.5, 0.07);
}

// A killing hit, as the player sees and hears it, from Enter until the gun
// comes back (tests/golden/kill-unit<N>.txt): the muzzle flash's frames for
// 600 ms, the round striking at 650 ms with the unit's kind of impact over it,
// the unit exploding at 1500 ms with its kind's blast and sound until 2300 ms,
// the score then shown with its sign position.
TEST_F(FiringTest, AKillIsSeenAndHeardInItsOrder) {
  for (int unit : {1, 2, 4, 7}) {
    SCOPED_TRACE(unit);
    start();
    silenceEnemy();
    frmBulwarn& b = battle();
    b.imgUnit(1).Visible = unit == 1;  // the aircraft is in the line of fire only without the rocket launcher
    if (unit == 4) {  // a kill before, so that this blast is not the mission's first
      b.intHP[2] = 1;
      aimAt(2);
      fireUntil(true);
      rt->advanceUntil([&] { return shotChainIdle(); }, 5000);
    }
    b.intHP[unit] = 30000;
    aimAt(unit);
    fireUntil(true);  // a hit before, so that this one is not the first and its impact shows again
    rt->advanceUntil([&] { return shotChainIdle(); }, 5000);
    b.intHP[unit] = 1;
    if (unit == 4) vex().intScore = -10;  // the kill brings it to 0, shown with its sign position
    fireUntil(true);
    const forms::Image& blast = unit == 7 ? b.imgBlastA : b.imgBlastG;
    expectGolden("kill-unit" + std::to_string(unit),
                 golden::story(*rt, {&b.cmdFire, &b.imgGunShot, &b.imgHit, &b.imgUnit(unit), &blast, &b.lblScore, &b.lblMessage},
                               2400));
  }
}

// Rounds fired come back one every half second, the first empty place first;
// only the last tick counts the reload and costs 5 points; then Repair is
// offered for a short bar.
TEST_F(FiringTest, ReloadRefillsRoundByRound) {
  frmBulwarn& b = battle();
  b.intHP[4] = 1000;
  aimAt(4);
  for (int i = 0; i < 3; ++i) shoot();
  silenceEnemy();  // no attack may hold the gun when the reload ends
  ASSERT_EQ(vex().intAmmo, 22);
  b.HPBar.Width = 7000;
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
  EXPECT_EQ(usable(), "Fire Repair keys units zones");

  // An empty gun, fired on below zero, fills from its first place: 25 rounds in 12.5 s.
  for (int i = 0; i < 26; ++i) {
    shoot();
    b.tmrEnemy1.Enabled = false;  // each shot's end sets the attack trigger going again
  }
  ASSERT_EQ(vex().intAmmo, -1);
  ASSERT_TRUE(rt->click("cmdReload"));
  rt->advance(500);
  EXPECT_TRUE(b.picAmmo(0).Visible);
  EXPECT_FALSE(b.picAmmo(1).Visible);
  rt->advance(12000);
  EXPECT_EQ(vex().intAmmo, 25);
  EXPECT_EQ(vex().intReloads, 2);
  for (int i = 0; i <= 24; ++i) EXPECT_TRUE(b.picAmmo(i).Visible) << i;
}

// A repair snaps to full within a step and costs 5 points. On its way the bar
// turns yellow above a third of its border and below 0.6 of it, green above
// two thirds, and keeps its colour in between.
TEST_F(FiringTest, RepairSnapsToFullAndColoursTheBarOnItsWay) {
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

  for (auto [width, before, after] : {std::tuple{2405.f, kRed, kRed}, {2415.f, kRed, kYellow}, {4337.f, kRed, kRed},
                                      {4820.f, kYellow, kYellow}, {4830.f, kYellow, kGreen}}) {
    b.HPBar.Width = width;
    b.HPBar.FillColor = before;
    b.cmdRepair.Enabled = true;
    ASSERT_TRUE(rt->click("cmdRepair"));
    rt->advance(10);
    EXPECT_EQ(b.HPBar.FillColor, after) << width + 10;
    ASSERT_TRUE(rt->advanceUntil([&] { return !b.blnRepairing; }, 10000));
  }
}

}  // namespace
}  // namespace bulwarn::test

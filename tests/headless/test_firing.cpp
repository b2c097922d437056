// The player's shot: traverse and line of fire, Fire and the gauge, hit and
// damage, the impact and the kill, seen and heard; reload and repair.
#include <set>

#include "Fixture.h"

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

// The target panel: a selected unit is framed on the field and shown in the
// panel (its picture on its zone's colour, its kind in red on yellow, a pip
// a hit point, eight at most); one without hit points is not selected but
// names its kind; a click on the sky, the field or the gun clears the panel.
TEST_F(FiringTest, TheTargetPanelShowsTheSelectedUnit) {
  frmBulwarn& b = battle();
  const forms::OleColor ground = 0x00008000, sky = 0x00FFFF00;
  const struct {
    int unit, hp, pips;
    forms::OleColor zone;
    const char* kind;
  } rows[] = {{2, 8, 8, ground, "Armour - Main Battle Tank"},
              {8, 3, 3, sky, "Air Superiority Fighter/Interceptor"},
              {6, 1, 1, ground, "M.R.L.S. - Multiple Rocket Launch System"},
              {4, 20, 8, ground, "Mechanized Infantry Fighting Vehicle"},
              {3, 0, 0, forms::kSysDesktop, "Mechanized Infantry Fighting Vehicle"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.unit);
    b.intHP[row.unit] = static_cast<std::int16_t>(row.hp);
    ASSERT_TRUE(rt->click("imgUnit", row.unit));
    const forms::Image& u = b.imgUnit(row.unit);
    const bool selected = row.hp > 0;
    EXPECT_EQ(b.imgSelect.Visible, selected);
    EXPECT_EQ(b.imgSelectT.Visible, selected);
    if (selected) {
      EXPECT_EQ(b.imgSelect.Left, u.Left - 60);
      EXPECT_EQ(b.imgSelect.Top, u.Top - 60);
    }
    EXPECT_EQ(b.picTarget.Picture.get(), selected ? u.Picture.get() : nullptr) << "the unit's own picture";
    EXPECT_EQ(b.picTarget.BackColor, row.zone);
    EXPECT_EQ(b.lblTargetDescription.Caption.get(), row.kind);
    EXPECT_EQ(b.lblTargetDescription.BackColor, selected ? kYellow : forms::kSysDesktop);
    EXPECT_EQ(b.lblTargetDescription.ForeColor, selected ? kRed : forms::kSysButtonText);
    for (int i = 0; i <= 7; ++i) EXPECT_EQ(b.hp(i).Visible, i < row.pips) << i;
  }
  for (const char* place : {"lblSky", "lblBattlefield", "imgSight"}) {
    rt->click("imgUnit", 2);
    ASSERT_TRUE(rt->click(place));
    EXPECT_FALSE(b.imgSelect.Visible || b.imgSelectT.Visible || b.picTarget.Picture.get()) << place;
    EXPECT_EQ(b.picTarget.BackColor, forms::kSysDesktop);
    EXPECT_EQ(b.lblTargetDescription.Caption.get(), "");
    EXPECT_EQ(b.lblTargetDescription.BackColor, forms::kSysDesktop);
    EXPECT_EQ(b.lblTargetDescription.ForeColor, forms::kSysButtonText);
    for (int i = 0; i <= 7; ++i) EXPECT_FALSE(b.hp(i).Visible) << i;
    EXPECT_EQ(b.intTarget, 2) << "the last unit selected is remembered";
  }
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

// A killing hit, as the player sees and hears it: the gun fires (flash frames
// for 600 ms), the round strikes at 650 ms (the unit's impact frames over it),
// the unit explodes at 1500 ms (its kind's blast and sound), and the gun comes
// back as the blast ends at 2300 ms, the score shown with its sign position.
TEST_F(FiringTest, AKillIsSeenAndHeardInItsOrder) {
  const struct {
    int unit;
    const char* impact;
    bool air;
  } rows[] = {{1, "hitD_00", false}, {2, "hitC_00", false}, {4, "hitB_00", false}, {7, "hitA_00", true}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.unit);
    start();
    silenceEnemy();
    frmBulwarn& b = battle();
    b.imgUnit(1).Visible = row.unit == 1;  // the aircraft is in the line of fire only without the rocket launcher
    b.intHP[row.unit] = 30000;
    aimAt(row.unit);
    shoot();  // a round before, so that this one is not the first
    b.intHP[row.unit] = 1;
    fireUntil(true);
    const long long t0 = rt->nowMs();
    const forms::Image& u = b.imgUnit(row.unit);
    rt->advance(50);
    EXPECT_EQ(pictureName(b.imgGunShot.Picture), "gunblast_00");
    rt->advance(550);
    EXPECT_EQ(pictureName(b.imgGunShot.Picture), "gunblast_11");
    rt->advance(100);
    EXPECT_FALSE(b.imgGunShot.Visible);
    EXPECT_TRUE(b.imgHit.Visible);
    EXPECT_EQ(pictureName(b.imgHit.Picture), row.impact);
    EXPECT_EQ(b.imgHit.Left, u.Left + 120);
    rt->advance(800);
    EXPECT_FALSE(u.Visible);
    const forms::Image& blast = row.air ? b.imgBlastA : b.imgBlastG;
    EXPECT_TRUE(blast.Visible) << "it explodes";
    EXPECT_EQ(blast.Left, u.Left - 200);
    EXPECT_EQ(blast.Top, u.Top - (row.air ? 200 : 1000));
    EXPECT_EQ(vex().intScore, 20);
    EXPECT_EQ(vex().intKills, 1);
    auto lines = messageLines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], "Direct Hit");
    EXPECT_EQ(lines.back(), "Target Destroyed");
    // The ground blast's two kinds each have their sound.
    const std::string frame = pictureName(blast.Picture);
    const char* crash = row.air                ? "JetCrash.WAV"
                        : frame == "blastA_00" ? "LargExplos.WAV"
                        : frame == "blastB_00" ? "BattleBang.WAV"
                                               : "no such frame";
    EXPECT_EQ(rt->soundNames(), (std::vector<std::string>{"Maingun.WAV", "ArtilleryHit.WAV", crash}));
    ASSERT_EQ(rt->sounds().size(), 3u);
    EXPECT_EQ(rt->sounds()[1].timeMs - t0, 650);
    EXPECT_EQ(rt->sounds()[2].timeMs - t0, 1500);
    EXPECT_EQ(gun(), "") << "the shot still holds the gun";
    rt->advance(50);
    if (!row.air) {
      EXPECT_EQ(pictureName(blast.Picture), frame.substr(0, 7) + "01") << "the blast plays its frames";
    }
    rt->advance(749);
    EXPECT_TRUE(blast.Visible);
    rt->advance(1);
    EXPECT_FALSE(blast.Visible);
    EXPECT_TRUE(shotChainIdle());
    EXPECT_TRUE(released());
    EXPECT_EQ(b.lblScore.Caption.get(), " 20");
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

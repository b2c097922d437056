// Activities that overlap: a shot, an enemy attack, a reload, a repair, the
// pause and the end of a mission. Whatever ends last, the gun is only given
// back when nothing holds it any more, and a finished mission stays finished.
#include <cmath>

#include "Fixture.h"
#include "common/Snapshot.h"

namespace bulwarn::test {
namespace {

class OverlapTest : public GameTest {
 protected:
  void SetUp() override { start(); }

  // The next ground advance carries the fighting vehicle over the line.
  void breachOnNextMove() {
    battle().imgUnit(3).Top = 4567;
    battle().tmrMove.Enabled = true;
  }

  // Fires at unit 4 (which survives any hit, but would race if the ground
  // advance ran) and returns at once: the round
  // is in the air for at least 650 ms.
  void fireAndLeaveInTheAir() {
    battle().intHP[4] = 1000;
    aimAt(4);
    const int ammo = vex().intAmmo;
    rt->pressKey(Key::Enter);
    ASSERT_EQ(vex().intAmmo, ammo - 1) << "a round left the gun";
  }

  void spendRounds(int n) {
    battle().intHP[4] = 1000;
    aimAt(4);
    for (int i = 0; i < n; ++i) shoot();
    battle().intHP[4] = 8;  // so that it does not race once the ground advance runs again
    ASSERT_TRUE(battle().cmdReload.Enabled);
  }

  // Repair is offered as a player gets it: a shortened bar, then a pause and
  // its resume.
  void shortenBarAndOfferRepair(float width) {
    battle().HPBar.Width = width;
    ASSERT_TRUE(rt->pressShortcut("F3"));
    ASSERT_TRUE(rt->pressShortcut("F3"));
    ASSERT_TRUE(battle().cmdRepair.Enabled);
  }

  Snapshot snapshot() { return Snapshot::of(vex(), battle()); }

  // A mission answered No stays as it ended whatever the player tries.
  void expectFrozen(const char* why) {
    SCOPED_TRACE(why);
    frmBulwarn& b = battle();
    const Snapshot before = snapshot();
    const std::string banner = b.lblVictory.Caption;
    for (int i = 0; i < 3; ++i) {
      rt->advance(1500);
      rt->pressKey(Key::Enter);
      rt->pressKey(Key::Space);
      rt->pressKey(Key::Left);
      rt->click("cmdFire");
      rt->click("cmdReload");
      rt->click("cmdRepair");
      rt->click("imgUnit", 4);
    }
    rt->advance(10000);
    EXPECT_TRUE(snapshot() == before) << "score " << before.score << " -> " << vex().intScore << ", ammo "
                                      << before.ammo << " -> " << vex().intAmmo;
    EXPECT_EQ(usable(), "");
    EXPECT_EQ(b.lblVictory.Caption.get(), banner);
  }
};

// A lost mission (breach or gun lost) answered No is frozen, also when the
// player's round was in the air as it ended.
TEST_F(OverlapTest, ALostMissionStaysFrozenWhateverWasUnderWay) {
  for (bool shot : {false, true}) {
    for (bool breach : {true, false}) {
      start();
      silenceEnemy();
      if (shot) fireAndLeaveInTheAir();
      rt->answerNext(mb::AnsNo);
      if (breach) {
        breachOnNextMove();
        rt->advance(500);
        ASSERT_TRUE(vex().blnBreached);
      } else {
        battle().HPBar.Width = 10;
        landEnemyHit();
        ASSERT_TRUE(vex().blnDestroyed);
      }
      expectFrozen(shot ? (breach ? "breach during a shot" : "gun lost during a shot")
                        : (breach ? "breach" : "gun lost"));
    }
  }
}

// A reload or repair that ends while the round is still in the air gives
// nothing back: the shot's end does, so no second round can overwrite it.
TEST_F(OverlapTest, SupplyEndingInMidShotLeavesTheGunToTheShot) {
  for (bool repair : {false, true}) {
    start();
    silenceEnemy();
    frmBulwarn& b = battle();
    if (repair) shortenBarAndOfferRepair(7000);  // 25 ticks of 10 ms
    fireAndLeaveInTheAir();
    ASSERT_TRUE(rt->click(repair ? "cmdRepair" : "cmdReload"));
    rt->advanceUntil([&] { return !b.blnReloading && !b.blnRepairing; }, 600);
    ASSERT_FALSE(b.blnReloading || b.blnRepairing) << "the supply ended";
    ASSERT_FALSE(shotChainIdle()) << "the round is still in the air";
    EXPECT_EQ(gun(), "") << (repair ? "repair" : "reload");
    const int ammo = vex().intAmmo;
    rt->pressKey(Key::Enter);
    rt->click("cmdFire");
    EXPECT_EQ(vex().intAmmo, ammo) << "no second round";
    rt->advanceUntil([&] { return shotChainIdle(); }, 3000);
    EXPECT_EQ(gun(), "Fire keys units zones");
  }
}

// A gun destroyed during a reload or repair, answered No, stays destroyed:
// the supply never completes, costs nothing and gives nothing back.
TEST_F(OverlapTest, NoSupplyCompletesOnADestroyedGun) {
  for (bool repair : {false, true}) {
    start();
    silenceEnemy();
    frmBulwarn& b = battle();
    if (repair) {
      shortenBarAndOfferRepair(5000);
    } else {
      spendRounds(3);
    }
    ASSERT_TRUE(rt->click(repair ? "cmdRepair" : "cmdReload"));
    b.HPBar.Width = 10;
    rt->answerNext(mb::AnsNo);
    landEnemyHit();
    ASSERT_TRUE(vex().blnDestroyed);
    EXPECT_EQ(b.HPBar.Width, 0);
    expectFrozen(repair ? "repair" : "reload");
    EXPECT_EQ(vex().intReloads + vex().intRepairs, 0);
  }
}

// A reload or repair under way when a mission ends is dropped by the new
// mission: no charge, no late completion, even when the player fires at once.
TEST_F(OverlapTest, ANewMissionCancelsTheSupplyOfTheOldOne) {
  for (bool repair : {false, true}) {
    start();
    silenceEnemy();
    if (repair) {
      shortenBarAndOfferRepair(3000);
    } else {
      spendRounds(10);
    }
    ASSERT_TRUE(rt->click(repair ? "cmdRepair" : "cmdReload"));
    // The player reads the end card for a second before answering Yes.
    rt->onModal("frmWin", [this](forms::Form& f) {
      rt->advance(1000);
      f.Unload();
    });
    breachOnNextMove();
    rt->answerNext(mb::AnsYes);
    rt->advance(500);
    ASSERT_TRUE(sawMsgBox("Would You Like To Start Over?"));
    EXPECT_EQ(gun(), "Fire keys units zones") << "the new mission starts with the gun free";
    silenceEnemy();
    battle().intHP[4] = 1000;
    aimAt(4);
    shoot();
    rt->advance(6000);
    EXPECT_EQ(vex().intReloads, 0);
    EXPECT_EQ(vex().intRepairs, 0);
    EXPECT_EQ(vex().intScore, 10) << "only the start bonus";
    EXPECT_EQ(vex().intAmmo, 24) << "the round fired in the new mission";
  }
}

// A pause in the middle of a reload or repair holds it; after the resume it
// runs to its end, and then offers only what is still missing.
TEST_F(OverlapTest, APauseDuringSupplyHoldsItAndOffersOnlyWhatIsMissing) {
  for (bool repair : {false, true}) {
    start();
    silenceEnemy();
    frmBulwarn& b = battle();
    if (repair) {
      shortenBarAndOfferRepair(7000);
    } else {
      spendRounds(3);
    }
    ASSERT_TRUE(rt->click(repair ? "cmdRepair" : "cmdReload"));
    ASSERT_TRUE(rt->pressShortcut("F3"));
    const float bar = b.HPBar.Width;
    rt->advance(3000);
    EXPECT_EQ(b.HPBar.Width, bar) << "nothing grows in a pause";
    ASSERT_TRUE(rt->pressShortcut("F3"));
    silenceEnemy();  // the resume set the enemy going again
    EXPECT_EQ(usable(), "units zones") << (repair ? "the repair" : "the reload") << " still holds the gun";
    ASSERT_TRUE(rt->advanceUntil([&] { return !b.blnReloading && !b.blnRepairing; }, 3000));
    EXPECT_EQ(usable(), "Fire keys units zones") << "full gauge and full bar: nothing to offer";
    EXPECT_EQ(vex().intScore, 5) << "one completed " << (repair ? "repair" : "reload");
  }
}

// An enemy attack during a reload or repair locks the targets too; its end
// leaves everything locked until the supply ends, which gives it all back.
TEST_F(OverlapTest, AnAttackDuringSupplyKeepsTheTargetsUntilTheSupplyEnds) {
  for (bool repair : {false, true}) {
    start();
    silenceEnemy();
    frmBulwarn& b = battle();
    if (repair) {
      shortenBarAndOfferRepair(2000);  // over half a second of repair
    } else {
      spendRounds(6);
    }
    ASSERT_TRUE(rt->click(repair ? "cmdRepair" : "cmdReload"));
    EXPECT_EQ(gun(), "units zones");
    b.tmrEnemy1.Interval = 10;  // the countdown says the attack is due now
    b.tmrEnemy1.Enabled = true;
    rt->advance(10);
    ASSERT_EQ(lastMessage(), "Enemy Attack");
    EXPECT_EQ(gun(), "");
    b.tmrEnemy1.Enabled = false;
    const auto rolled = [&] { return countMessages("Enemy Hit") + countMessages("Enemy Miss") > 0; };
    ASSERT_TRUE(rt->advanceUntil(rolled, 1000));
    ASSERT_TRUE(b.blnReloading || b.blnRepairing);
    EXPECT_EQ(gun(), "") << "the attack is over, the " << (repair ? "repair" : "reload") << " still runs";
    ASSERT_TRUE(rt->advanceUntil([&] { return !b.blnReloading && !b.blnRepairing; }, 8000));
    rt->advanceUntil([&] { return b.tmrEnemy2.Interval == 0 && b.tmrEnemy3.Interval == 0; }, 3000);
    EXPECT_EQ(gun(), "Fire keys units zones");
  }
}

// A pause holds an enemy hit's follow-up: it is neither dropped nor doubled,
// and comes soon after the resume.
TEST_F(OverlapTest, APauseHoldsTheFollowUpAttack) {
  frmBulwarn& b = battle();
  b.tmrMove.Enabled = false;
  const auto rolls = [&] { return countMessages("Enemy Hit") + countMessages("Enemy Miss"); };
  // The first hit of a mission is always followed up.
  ASSERT_TRUE(rt->advanceUntil([&] { return countMessages("Enemy Hit") > 0; }, 120000, 10));
  ASSERT_EQ(b.intSalvoCount, 0);
  ASSERT_TRUE(rt->openMenu("mnuGame"));
  const float bar = b.HPBar.Width;
  rt->advance(5000);
  EXPECT_EQ(b.HPBar.Width, bar) << "no damage lands in a pause";
  ASSERT_TRUE(rt->chooseMenu("mnuPause"));
  ASSERT_FALSE(b.isPaused());
  ASSERT_EQ(rolls(), 0) << "the resume emptied the log";
  rt->advance(900);
  EXPECT_EQ(rolls(), 1) << "the follow-up came, once";
  EXPECT_EQ(countMessages("Enemy Attack"), 0) << "a follow-up, not a new attack";
  EXPECT_LT(b.HPBar.Width, bar) << "the held hit landed";
}

// A round still in the air when the mission is reset keeps the gun until its
// chain ends, whether the reset follows a breach or comes from the menu.
TEST_F(OverlapTest, AResetDuringAShotWaitsForTheShot) {
  for (bool fromMenu : {false, true}) {
    start();
    silenceEnemy();
    fireAndLeaveInTheAir();
    rt->answerNext(mb::AnsYes);
    if (fromMenu) {
      ASSERT_TRUE(rt->pressShortcut("F2"));
      ASSERT_TRUE(sawMsgBox("Really Restart?"));
    } else {
      breachOnNextMove();
      rt->advance(500);
      ASSERT_TRUE(sawMsgBox("Would You Like To Start Over?"));
    }
    ASSERT_EQ(vex().intAmmo, 25) << "the mission was reset";
    ASSERT_FALSE(shotChainIdle());
    EXPECT_EQ(gun(), "") << (fromMenu ? "menu" : "breach");
    rt->pressKey(Key::Enter);
    rt->click("cmdFire");
    EXPECT_EQ(vex().intAmmo, 25) << "no second round while the first is in the air";
    ASSERT_TRUE(rt->advanceUntil([&] { return shotChainIdle(); }, 3000));
    EXPECT_EQ(gun(), "Fire keys units zones");
  }
}

// Each difficulty's hit on the gun is Int(Rnd * span) + base, never one more.
TEST_F(OverlapTest, GunDamageIsDrawnAsTheTableWritesIt) {
  const struct {
    const char* name;
    int span, base;
  } rows[] = {{"Easy", 201, 200}, {"Medium", 301, 300}, {"Hard", 501, 500}, {"Impossible", 2001, 1000}};
  for (const auto& row : rows) {
    start(row.name);
    silenceEnemy();
    // A generator state whose next draw lands where adding the base in
    // single precision would round up to the next whole number.
    float r = 0;
    for (std::uint64_t s = 1;; ++s) {
      forms::Random probe(s);
      r = probe.next();
      const float sum = r * static_cast<float>(row.span) + static_cast<float>(row.base);
      if (std::floor(sum) != std::floor(r * static_cast<float>(row.span)) + row.base) {
        rt->random().seed(s);
        break;
      }
    }
    battle().HPBar.Width = 7245;
    landEnemyHit();
    const int expected = static_cast<int>(std::floor(r * static_cast<float>(row.span))) + row.base;
    EXPECT_EQ(7245 - battle().HPBar.Width, expected) << row.name;
  }
}

}  // namespace
}  // namespace bulwarn::test

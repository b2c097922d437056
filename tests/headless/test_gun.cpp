// Who holds the gun at the end of a mission and in a pause, with a shot, an
// attack, a reload or a repair under way: a finished mission stays as it ended
// until a reset, a reset starts afresh, a pause holds everything until the
// resume. Any two activities at once are the monkey's: it checks after every
// event that nothing fires while something holds the gun, and that the gun
// comes back as soon as nothing does.
#include "Fixture.h"
#include "screens/frmWin.h"

namespace bulwarn::test {
namespace {

enum class Busy { Idle, Shot, Reload, Repair, Attack, Damage };
const char* const kBusy[] = {"nothing", "a shot", "a reload", "a repair", "an attack", "an enemy hit"};
enum class Ending { Restart, Breach, GunLost, Victory };
const char* const kEnding[] = {"restart", "breach", "gun lost", "victory"};
const std::string kFree = "Fire keys units zones";

class GunTest : public GameTest {
 protected:
  // Unit 4 takes every round and survives any hit.
  void spendRounds(int n) {
    battle().intHP[4] = 1000;
    aimAt(4);
    for (int i = 0; i < n; ++i) shoot();
    battle().intHP[4] = 8;               // so that it does not race once the ground advance runs
    battle().tmrEnemy1.Enabled = false;  // each shot's end set the attack trigger going again
  }
  // Repair is offered as a player gets it: a shortened bar, then a pause and its resume.
  void offerRepair(float width) {
    battle().HPBar.Width = width;
    ASSERT_TRUE(rt->pressShortcut("F3"));
    ASSERT_TRUE(rt->pressShortcut("F3"));
    ASSERT_TRUE(battle().cmdRepair.Enabled);
  }
  // Puts `what` under way now; a reload or repair must be offered first.
  void begin(Busy what) {
    frmBulwarn& b = battle();
    switch (what) {
      case Busy::Idle: break;
      case Busy::Shot: {  // at unit 4: the round is in the air for at least 650 ms
        b.intHP[4] = 1000;
        aimAt(4);
        const int ammo = vex().intAmmo;
        rt->pressKey(Key::Enter);
        ASSERT_EQ(vex().intAmmo, ammo - 1) << "a round left the gun";
        b.intHP[4] = 8;  // its damage is dealt; now it must not race once a resume runs the ground advance
        break;
      }
      case Busy::Reload: ASSERT_TRUE(rt->click("cmdReload")); break;
      case Busy::Repair: ASSERT_TRUE(rt->click("cmdRepair")); break;
      case Busy::Attack:  // the countdown says the attack is due now; the last unit fires
        b.tmrEnemy1.Interval = 10;
        b.tmrEnemy1.Enabled = true;
        rt->advance(10);
        b.tmrEnemy1.Enabled = false;
        ASSERT_EQ(lastMessage(), "Enemy Attack");
        setNextDraw(0xFFFFFF);
        rt->advance(50);
        ASSERT_TRUE(b.shpShot(8).Visible);
        break;
      case Busy::Damage:  // unit 3's first hit lands in 250 ms, and a first hit is always followed up
        b.intAttacker = 3;
        b.intSalvoCount = 0;
        b.tmrEnemy3.Interval = 50;
        break;
    }
  }
  bool underWay(Busy what) {
    const frmBulwarn& b = battle();
    switch (what) {
      case Busy::Shot: return !shotChainIdle();
      case Busy::Reload: return b.blnReloading;
      case Busy::Repair: return b.blnRepairing;
      case Busy::Attack: return b.tmrEnemy2.Interval > 0;
      case Busy::Damage: return b.tmrEnemy3.Interval > 0;
      case Busy::Idle: break;
    }
    return false;
  }
  bool enemyQuiet() { return battle().tmrEnemy2.Interval == 0 && battle().tmrEnemy3.Interval == 0; }

  // Brings the mission to `how` with `busy` under way as it comes. A victory
  // comes with the killing round; with nothing else under way, from Fire with
  // no enemy left.
  void end(Ending how, Busy busy) {
    frmBulwarn& b = battle();
    if (busy == Busy::Reload) spendRounds(6);     // three seconds of reload
    if (busy == Busy::Repair) offerRepair(2000);  // over five seconds of repair
    if (how == Ending::Restart) {
      // Something of everything a mission changes.
      b.imgUnit(2).Visible = false;
      b.intHP[2] = -1;
      b.HPBar.FillColor = kRed;
      vex().intKills = 3;
      vex().intReloads = 2;
    }
    if (how != Ending::Victory) begin(busy);
    switch (how) {
      case Ending::Restart: ASSERT_TRUE(rt->pressShortcut("F2")); return;
      case Ending::Breach:  // the next advance carries unit 3 over the line
        b.imgUnit(3).Top = 4567;
        b.tmrMove.Enabled = true;
        rt->advance(500);
        return;
      case Ending::GunLost:
        b.HPBar.Width = 10;
        landEnemyHit();
        return;
      case Ending::Victory: break;
    }
    for (int k = 1; k <= 8; ++k) b.imgUnit(k).Visible = k == 4 && busy != Busy::Idle;
    if (busy == Busy::Idle) {
      rt->pressKey(Key::Enter);
      return;
    }
    b.intHP[4] = 1;
    aimAt(4);
    for (int tries = 0; tries < 40; ++tries) {
      rt->pressKey(Key::Enter);
      if (b.blnDirectHit) break;
      rt->advanceUntil([&] { return shotChainIdle(); }, 5000);
    }
    ASSERT_TRUE(b.blnDirectHit);
    if (busy != Busy::Shot) begin(busy);  // while the killing round is in the air
    ASSERT_TRUE(rt->advanceUntil([&] { return !order.empty(); }, 5000));
  }

  // A finished mission stays as it ended whatever the player tries, the
  // resume and the score report included.
  void expectFrozen() {
    frmBulwarn& b = battle();
    const Snapshot before = Snapshot::of(vex(), b);
    const std::string banner = b.lblVictory.Caption;
    const size_t asked = order.size();
    ASSERT_TRUE(rt->openMenu("mnuGame"));
    ASSERT_TRUE(rt->pressShortcut("F3"));
    for (int i = 0; i < 3; ++i) {
      rt->advance(1500);
      for (int key : {Key::Enter, Key::Space, Key::Left}) rt->pressKey(key);
      for (const char* button : {"cmdFire", "cmdReload", "cmdRepair"}) rt->click(button);
      rt->click("imgUnit", 4);
    }
    ASSERT_TRUE(rt->chooseMenu("mnuScore"));
    rt->advance(10000);
    EXPECT_TRUE(Snapshot::of(vex(), b) == before)
        << "score " << before.score << " -> " << vex().intScore << ", ammo " << before.ammo << " -> " << vex().intAmmo;
    EXPECT_EQ(usable(), "");
    EXPECT_EQ(b.lblVictory.Caption.get(), banner);
    EXPECT_EQ(countMessages("Enemy Attack"), 0);
    ASSERT_EQ(order.size(), asked + 1) << "the mission ended once";
    EXPECT_EQ(order.back(), "score") << "the report opened again, and nothing else";
  }

  // Everything a mission starts with; the gun keeps its place and a round of
  // the old mission still in the air keeps the gun until its chain ends.
  void expectFreshMission(bool roundInTheAir, float gunLeft) {
    frmBulwarn& b = battle();
    EXPECT_EQ(vex().intAmmo, 25);
    for (int i = 0; i <= 24; ++i) EXPECT_TRUE(b.picAmmo(i).Visible) << i;
    EXPECT_EQ(b.HPBar.Width, 7245);
    EXPECT_EQ(b.HPBar.FillColor, kGreen);
    for (int k = 1; k <= 8; ++k) {
      EXPECT_EQ(b.intHP[k], 8) << k;
      EXPECT_TRUE(b.imgUnit(k).Visible) << k;
      EXPECT_EQ(b.imgUnit(k).Top, k <= 6 ? 2650 : 130) << k;
    }
    EXPECT_EQ(b.lblScore.Caption.get(), "10");
    EXPECT_EQ(vex().intKills + vex().intReloads + vex().intRepairs, 0);
    EXPECT_FALSE(vex().blnVictory || vex().blnDestroyed || vex().blnBreached);
    EXPECT_EQ(b.lblVictory.Caption.get(), "");
    EXPECT_EQ(b.GunLimit.BorderColor, 0x00008000u);
    EXPECT_FALSE(b.imgSelect.Visible);
    EXPECT_EQ(b.imgSight.Left, gunLeft) << "the gun keeps its place";
    const long long resetAt = rt->nowMs();
    const int attacks = countMessages("Enemy Attack");
    if (roundInTheAir) {
      EXPECT_EQ(gun(), "");
      rt->pressKey(Key::Enter);
      rt->click("cmdFire");
      EXPECT_EQ(vex().intAmmo, 25) << "no second round while the first is in the air";
      ASSERT_TRUE(rt->advanceUntil([&] { return shotChainIdle(); }, 3000));
    }
    EXPECT_EQ(usable(), kFree);
    // A round fired at once is the new mission's own: nothing of the old
    // mission gives it back, completes or charges later.
    begin(Busy::Shot);
    if (!roundInTheAir) {
      rt->advance(resetAt + 4990 - rt->nowMs());
      EXPECT_EQ(countMessages("Enemy Attack"), attacks);
      rt->advance(10);
      EXPECT_EQ(countMessages("Enemy Attack"), attacks + 1) << "the first attack comes 5 seconds after the reset";
    }
    silenceEnemy();
    rt->advance(6000);
    EXPECT_EQ(vex().intReloads + vex().intRepairs, 0);
    EXPECT_EQ(vex().intScore, 10) << "only the start bonus";
    EXPECT_EQ(vex().intAmmo, 24);
    EXPECT_FALSE(b.picAmmo(24).Visible);
  }

  std::vector<std::string> order;  // the reports, cards and questions, as they came
};

// Every ending, with whatever was under way as it came: the reports, the card
// and the question in their order; an attack cut off; answered No, the mission
// stays as it ended (no supply completes, no clock runs) until a restart;
// answered Yes, or restarted, everything starts afresh.
TEST_F(GunTest, EveryEndingHoldsTheMissionAsItEndedUntilAReset) {
  for (Ending how : {Ending::Restart, Ending::Breach, Ending::GunLost, Ending::Victory}) {
    for (Busy busy : {Busy::Idle, Busy::Shot, Busy::Reload, Busy::Repair, Busy::Attack}) {
      for (bool yes : {false, true}) {
        if ((how == Ending::Restart && !yes) || (how == Ending::Victory && busy == Busy::Attack)) continue;
        SCOPED_TRACE(std::string(kEnding[int(how)]) + " during " + kBusy[int(busy)] + (yes ? ", Yes" : ", No"));
        start();
        silenceEnemy();
        order.clear();
        int answer = yes ? mb::AnsYes : mb::AnsNo;
        rt->onModal("frmScoreG", [&](forms::Form&) { order.push_back("score"); });
        rt->onModal("frmWin", [&](forms::Form& f) {
          order.push_back(static_cast<frmWin&>(f).lblMission.Caption);
          rt->advance(1000);  // the player reads the card for a second
          f.Unload();
        });
        rt->setMsgBoxResponder([&](const forms::MsgBoxRecord& m) {
          order.push_back(m.prompt);
          return m.title == "Start Over?" ? answer : mb::AnsYes;
        });
        end(how, busy);
        frmBulwarn& b = battle();
        const float gunLeft = b.imgSight.Left;
        const std::vector<std::vector<std::string>> expected = {
            {"Really Restart?"},
            {"score", "Enemy Forces have breached the Perimeter!", "Would You Like To Start Over?"},
            {"You are a Casualty of War!", "Would You Like To Start Over?"},
            {"score", "Enemy Forces are Retreating from this Sector!", "Would You Like To Start a New Game?"}};
        EXPECT_EQ(order, expected[int(how)]);
        for (int k = 1; k <= 8; ++k) EXPECT_FALSE(b.shpShot(k).Visible) << "unit " << k << " fires on";
        if (!yes) {
          const bool victory = how == Ending::Victory;
          EXPECT_EQ(b.lblVictory.Caption.get(), victory ? "MISSION ACCOMPLISHED" : "MISSION FAILED");
          EXPECT_EQ(vex().blnVictory, victory);
          EXPECT_EQ(vex().blnBreached, how == Ending::Breach);
          EXPECT_EQ(vex().blnDestroyed, how == Ending::GunLost);
          EXPECT_EQ(b.GunLimit.BorderColor, how == Ending::Breach ? kRed : 0x00008000u);
          const std::string score = std::to_string(vex().intScore);
          if (victory) {
            EXPECT_EQ(vex().intScore, 10 + 10 * vex().intKills + 2 * vex().intAmmo) << "with the ammunition bonus";
            // The report after the last blast shows a sign position; Fire with no enemy left, plain digits.
            EXPECT_EQ(b.lblScore.Caption.get(), (busy == Busy::Idle ? "" : " ") + score);
          } else if (how == Ending::Breach) {
            EXPECT_EQ(b.lblScore.Caption.get(), score);
          }
          expectFrozen();
          EXPECT_EQ(vex().intReloads + vex().intRepairs, 0) << "no supply completed";
          if (how == Ending::GunLost) {
            EXPECT_EQ(b.HPBar.Width, 0);
          }
          answer = mb::AnsYes;
          ASSERT_TRUE(rt->pressShortcut("F2"));
        }
        expectFreshMission(busy == Busy::Shot && how != Ending::Victory, gunLeft);
      }
    }
  }
}

// A pause holds whatever is under way, the enemy's attack and its follow-up
// included: nothing moves, grows, lands or fires until the resume, after
// which each runs to its end and the resume offers only what is missing.
TEST_F(GunTest, APauseHoldsWhateverIsUnderWayUntilTheResume) {
  const struct {
    Busy busy;
    const char* pause;
    const char* resume;
    std::string after;  // what the player can use once it has ended
  } rows[] = {
      {Busy::Idle, "mnuView", "mnuPause", "Fire Reload keys units zones"},  // a round was fired before
      {Busy::Idle, "F2, No", "F3", "Fire Reload keys units zones"},
      {Busy::Shot, "F3", "F3", "Fire Reload keys units zones"},
      {Busy::Attack, "mnuGame", "mnuPause", kFree},
      {Busy::Damage, "mnuHelp", "F3", kFree},
      {Busy::Reload, "F3", "mnuPause", kFree},  // full gauge and full bar: nothing to offer
      {Busy::Repair, "mnuView", "F3", kFree},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(kBusy[int(row.busy)]) + " paused by " + row.pause);
    start();
    silenceEnemy();
    frmBulwarn& b = battle();
    if (row.busy == Busy::Idle || row.busy == Busy::Reload) spendRounds(row.busy == Busy::Idle ? 1 : 3);
    if (row.busy == Busy::Repair) offerRepair(7000);
    b.tmrFly.Enabled = true;  // the aircraft fly, but no attack starts of its own
    begin(row.busy);
    rt->advance(100);
    ASSERT_TRUE(row.busy == Busy::Idle || underWay(row.busy));
    if (row.busy == Busy::Repair) {
      ASSERT_EQ(b.HPBar.Width, 7100);
    }
    if (std::string(row.pause) == "F2, No") {
      rt->answerNext(mb::AnsNo);
      ASSERT_TRUE(rt->pressShortcut("F2"));
      ASSERT_EQ(rt->msgBoxes().back().prompt, "Really Restart?");
    } else if (row.pause[0] == 'F') {
      ASSERT_TRUE(rt->pressShortcut(row.pause));
    } else {
      ASSERT_TRUE(rt->openMenu(row.pause));
    }
    EXPECT_TRUE(b.isPaused());
    EXPECT_EQ(b.lblVictory.Caption.get(), "[PAUSED]");
    EXPECT_EQ(usable(), "");
    const float gunLeft = b.imgSight.Left;
    rt->pressKey(Key::Left);
    EXPECT_EQ(b.imgSight.Left, gunLeft) << "keys are dead in a pause";
    const Snapshot before = Snapshot::of(vex(), b);
    const int attacks = countMessages("Enemy Attack"), rolled = rolls();
    rt->advance(20000);
    EXPECT_TRUE(Snapshot::of(vex(), b) == before) << "nothing changes in a pause";
    EXPECT_EQ(countMessages("Enemy Attack"), attacks);
    EXPECT_EQ(rolls(), rolled);

    ASSERT_TRUE(row.resume[0] == 'F' ? rt->pressShortcut(row.resume) : rt->chooseMenu(row.resume));
    EXPECT_FALSE(b.isPaused());
    EXPECT_EQ(b.lblVictory.Caption.get(), "");
    b.tmrEnemy1.Enabled = false;  // the resume set the attack trigger going again
    if (row.busy == Busy::Reload || row.busy == Busy::Repair) {
      EXPECT_EQ(usable(), "units zones") << "it still holds the gun";
    }
    ASSERT_TRUE(rt->advanceUntil([&] { return !underWay(row.busy); }, 3000));
    if (row.busy == Busy::Damage) {
      EXPECT_LT(b.HPBar.Width, 7245) << "the held hit landed";
      rt->advance(900);
      EXPECT_EQ(rolls(), 1) << "the follow-up came, once";
      EXPECT_EQ(countMessages("Enemy Attack"), 0) << "a follow-up, not a new attack";
    }
    if (row.busy == Busy::Attack) {
      EXPECT_EQ(rolls(), 1) << "the held attack rolled once";
    }
    if (row.busy == Busy::Reload || row.busy == Busy::Repair) {
      EXPECT_EQ(vex().intReloads + vex().intRepairs, 1);
      EXPECT_EQ(vex().intScore, 5) << "one completed supply";
      EXPECT_EQ(vex().intAmmo, 25);
      EXPECT_EQ(b.HPBar.Width, 7245);
    }
    ASSERT_TRUE(rt->advanceUntil([&] { return enemyQuiet() && gun() == kFree; }, 3000));
    EXPECT_EQ(row.busy == Busy::Attack || row.busy == Busy::Damage ? gun() : usable(), row.after);
    const Snapshot resumed = Snapshot::of(vex(), b);
    rt->advance(500);
    EXPECT_FALSE(Snapshot::of(vex(), b) == resumed) << "the aircraft fly again";
  }
}

}  // namespace
}  // namespace bulwarn::test

#include "Monkey.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "battle/frmBulwarn.h"
#include "replay/Replay.h"

namespace bulwarn::monkey {

namespace {

// Keys the player can press: arrows, Enter, Space and a few that do nothing.
constexpr int kKeys[] = {37, 39, 37, 39, 13, 32, 38, 40, 65, 27, 112};
const char* const kShortcuts[] = {"F1", "F2", "F3", "Ctrl+N", "Ctrl+O", "Ctrl+S", "Ctrl+X"};

// The key that walks the gun towards the first unit on the field (alive, if
// asked), or fires once it is under it; 0 with none there.
int aimKey(const frmBulwarn& b, bool alive) {
  for (int i = 1; i <= 8; ++i) {
    const forms::Image& u = b.imgUnit(i);
    if (!u.Visible || (alive && b.intHP[i] <= 0)) continue;
    const float gun = b.imgSight.Left;
    return gun < u.Left ? 39 : gun > u.Left + 570 ? 37 : 13;
  }
  return 0;
}

struct MonkeyFailure {
  std::string what;
};

}  // namespace

Monkey::Monkey(Choices& choices, std::uint64_t runtimeSeed) : ch_(choices), rtSeed_(runtimeSeed) {}

Monkey::~Monkey() {
  recorder_.reset();
  program_.reset();
  rt_.reset();
}

void Monkey::startProgram() {
  if (program_ && verifyReplays_) verifyReplay();
  recorder_.reset();
  program_.reset();
  forms::HeadlessConfig cfg;
  cfg.seed = rtSeed_ + static_cast<std::uint64_t>(stats_.programs);
  // Odd screens now and then, so the start-up notice is exercised too.
  const int screens[][2] = {{800, 600}, {1024, 768}, {640, 480}, {1920, 1080}};
  const auto& s = screens[ch_.next(4)];
  cfg.screenWidthPx = s[0];
  cfg.screenHeightPx = s[1];
  rt_ = std::make_unique<forms::HeadlessRuntime>(cfg);
  rt_->setMsgBoxResponder([this](const forms::MsgBoxRecord& r) { return answer(r); });
  rt_->setModalResponder([this](forms::Form& f) { modalTurn(f); });
  program_ = std::make_unique<Program>(*rt_);
  journal_ = std::make_unique<replay::MemoryJournal>();
  recorder_ = std::make_unique<replay::Recorder>(*rt_, *journal_, BULWARN_VERSION);
  ++stats_.programs;
  skilled_ = ch_.next(3) == 0;
  lastForm_ = nullptr;  // a new program: its forms may reuse the old ones' memory
  program_->start();
  lastUsableMs_ = lastHeldMs_ = rt_->nowMs();
}

int Monkey::answer(const forms::MsgBoxRecord& r) {
  if (!forms::mb::hasYesNo(r.style)) return forms::mb::AnsOk;
  if (r.title == "Start Over?") {
    frmBulwarn* b = program_ ? program_->battleIfLoaded() : nullptr;
    if (b) {
      const modVexilla& g = program_->vex;
      if (g.blnVictory) ++stats_.victories;
      if (g.blnBreached) ++stats_.breaches;
      if (g.blnDestroyed) ++stats_.defeats;
      ++stats_.missions;
    }
  }
  // Aborting ends the program; keep it rare so missions get played out.
  int a = forms::mb::AnsYes;
  if (r.title == "Abort Mission?") {
    a = ch_.next(10) == 0 ? forms::mb::AnsYes : forms::mb::AnsNo;
  } else {
    a = ch_.next(4) == 0 ? forms::mb::AnsNo : forms::mb::AnsYes;
  }
  note("msgbox " + r.title + ": " + r.prompt.substr(0, 40) + (a == forms::mb::AnsYes ? " -> Yes" : " -> No"));
  // Yes to these starts the mission (or the game) afresh.
  if (a == forms::mb::AnsYes && (r.title == "Start Over?" || r.title == "Restart Mission?" ||
                                 r.title == "Change Difficulty" || r.title == "New Mission?")) {
    resetExpected_ = true;
    resetAnsweredOver_ = r.title == "Start Over?" || r.title == "Restart Mission?";
  }
  return a;
}

void Monkey::modalTurn(forms::Form& f) {
  // A few random pokes at the dialog, with time passing, before it is answered.
  const int pokes = static_cast<int>(ch_.next(4));
  for (int i = 0; i < pokes && f.isLoaded() && !rt_->ended(); ++i) {
    if (ch_.next(3) == 0) {
      rt_->advance(1 + ch_.next(1500));
    } else if (forms::Control* c = randomControl(f)) {
      rt_->userClick(*c);
    }
  }
  note("modal " + f.name() + " (victory " + std::to_string(program_->vex.blnVictory) + ", destroyed " +
       std::to_string(program_->vex.blnDestroyed) + ", breached " + std::to_string(program_->vex.blnBreached) + ")");
  if (f.isLoaded() && ch_.next(8) == 0) rt_->userClose(f);
}

forms::Control* Monkey::randomControl(forms::Form& f) {
  const auto& cs = f.controls();
  if (cs.empty()) return nullptr;
  return cs[ch_.next(static_cast<std::uint32_t>(cs.size()))];
}

void Monkey::oneEvent() {
  forms::Form* f = rt_->activeForm();
  if (!f) {
    rt_->advance(10);
    return;
  }
  frmBulwarn* b = program_->battleIfLoaded();
  // A paused game is mostly resumed soon, so missions get played to their end.
  if (b && f == b && b->isPaused() && ch_.next(2) == 0) {
    note("shortcut F3 (resume)");
    rt_->pressShortcut("F3");
    if (b->isLoaded() && b->isPaused() && rt_->activeForm() == b) fail("Pause Game did not resume the game");
    return;
  }
  if (b && f == b && skilled_ && ch_.next(10) < 8) {
    // The sharpshooter aims at the first unit on the field and fires, reloads
    // and repairs when it must.
    if (b->cmdReload.Enabled && program_->vex.intAmmo <= 0) {
      note("sharpshooter reloads");
      rt_->click("cmdReload");
    } else if (b->cmdRepair.Enabled && b->HPBar.Width < 2500) {
      note("sharpshooter repairs");
      rt_->click("cmdRepair");
    }
    if (const int key = aimKey(*b, true)) {
      note("sharpshooter key " + std::to_string(key));
      rt_->pressKey(key);
    }
    rt_->advance(key13Wait_);
    check("aim");
    return;
  }
  const std::uint32_t kind = ch_.next(100);
  if (kind < 30) {
    // Waits: mostly short, sometimes long enough for attacks and breaches.
    const std::uint32_t scale = ch_.next(10);
    const long long ms = scale < 6 ? 1 + ch_.next(300) : scale < 9 ? 1 + ch_.next(2000) : 1 + ch_.next(10000);
    note("wait " + std::to_string(ms));
    // In slices, so the liveness check sees the gun come and go during a wait.
    for (long long left = ms; left > 0 && !rt_->ended(); left -= 50) {
      rt_->advance(std::min(left, 50LL));
      check("wait");
    }
  } else if (kind < 62) {
    int key = kKeys[ch_.next(sizeof kKeys / sizeof kKeys[0])];
    if (b && ch_.next(2) == 0) {
      if (const int aim = aimKey(*b, false)) key = aim;
    }
    note("key " + std::to_string(key));
    rt_->pressKey(key);
  } else if (kind < 85) {
    if (forms::Control* c = randomControl(*f)) {
      // Described before the click: the click may unload (and free) the form.
      const std::string what = "click " + f->name() + "." + c->name() + "(" + std::to_string(c->index()) + ")";
      const bool reached = rt_->userClick(*c);
      note(what + (reached ? "" : " filtered"));
    }
  } else if (kind < 92) {
    const auto& titles = f->menuBar();
    if (!titles.empty()) {
      forms::MenuItem* t = titles[ch_.next(static_cast<std::uint32_t>(titles.size()))];
      note("open " + t->name());
      rt_->userOpenMenu(*t);
    }
  } else if (kind < 97) {
    const auto& items = f->menuItems();
    if (!items.empty()) {
      forms::MenuItem* m = items[ch_.next(static_cast<std::uint32_t>(items.size()))];
      note("choose " + m->name());
      forms::MenuItem* title = m;
      while (title->parent()) title = title->parent();
      if (title == m || rt_->userOpenMenu(*title)) {
        if (m->form()->isLoaded()) rt_->userChooseMenu(*m);
      }
    }
  } else if (kind < 99) {
    const char* sc = kShortcuts[ch_.next(sizeof kShortcuts / sizeof kShortcuts[0])];
    note(std::string("shortcut ") + sc);
    rt_->pressShortcut(sc);
  } else if (ch_.next(10) == 0) {
    note("close " + f->name());
    rt_->userClose(*f);
  }
}

void Monkey::note(std::string what) {
  recent_.push_back(std::to_string(rt_ ? rt_->nowMs() : 0) + " " + std::move(what));
  if (recent_.size() > 40) recent_.pop_front();
}

std::string Monkey::saveRecording() {
  if (!journal_ || recordingFolder_.empty()) return {};
  const std::string path = recordingFolder_ + "/monkey-" + std::to_string(rtSeed_) + "-program" +
                           std::to_string(stats_.programs) + ".replay";
  std::ofstream out(path, std::ios::binary);
  out << journal_->text();
  return out ? path : std::string();
}

void Monkey::verifyReplay() {
  const std::string played = replay::describe(*program_);
  const replay::Outcome o = replay::replay(replay::parse(journal_->text()));
  ++replaysVerified_;
  if (o.exitCode != 0 || o.state != played)
    fail("the replay of this program does not end alike: " + o.message + "\nplayed:\n" + played + "replayed:\n" +
         o.state);
}

// The recording replays the program up to the failure; the last events say what led to it.
void Monkey::fail(const std::string& what) {
  std::string text = what;
  if (const std::string path = saveRecording(); !path.empty())
    text += "\nrecording: " + path + " (replay it: bulwarn --replay " + path + ")";
  text += "\nlast events:";
  for (const auto& r : recent_) text += "\n  " + r;
  throw MonkeyFailure{text};
}

void Monkey::check(const char* after) {
  if (!checking_ || !program_ || rt_->ended()) return;
  frmBulwarn* b = program_->battleIfLoaded();
  if (!b || !b->isLoaded()) return;
  // A new program, a new game or a mission the player started afresh.
  if (lastForm_ != b || resetExpected_) missionDifficulty_ = program_->vex.strDifficulty;
  const modVexilla& g = program_->vex;
  over_ = g.blnVictory || g.blnDestroyed || g.blnBreached;
  gone_ = 0;
  for (int k = 1; k <= 8; ++k) gone_ += b->imgUnit(k).Visible ? 0 : 1;
  checkGaugeAndScore(*b);
  checkOutcome(*b);
  checkGun(*b);
  checkStillness(*b);
  checkLiveness(*b);
  (void)after;
}

void Monkey::checkGaugeAndScore(const frmBulwarn& b) {
  const modVexilla& g = program_->vex;
  std::ostringstream why;
  // The gauge shows the rounds left, except while a reload is filling it.
  int shown = 0;
  for (int i = 0; i <= 24; ++i) shown += b.picAmmo(i).Visible ? 1 : 0;
  if (!b.blnReloading && shown != std::max<int>(g.intAmmo, 0)) {
    why << "gauge shows " << shown << " rounds, intAmmo " << g.intAmmo;
    fail(why.str());
  }
  if (g.intAmmo > 25) fail("more than 25 rounds");
  const float w = b.HPBar.Width;
  if (w < 0 || w > b.HPBorder.Width) fail("hit-point bar outside its border: " + std::to_string(w));

  // The pips tell the selected target's hit points once no shot is resolving.
  if (b.imgSelect.Visible) {
    if (b.intTarget < 1 || b.intTarget > 8) fail("a target is shown but none is selected");
    int pips = 0;
    for (int i = 0; i <= 7; ++i) pips += b.hp(i).Visible ? 1 : 0;
    const bool resolving = b.tmrShot.Interval > 0 || b.tmrHit.Interval > 0 || b.tmrHit2.Interval > 0;
    if (!resolving && pips != std::clamp<int>(b.intHP[b.intTarget], 0, 8)) {
      why << "target " << b.intTarget << " has " << b.intHP[b.intTarget] << " hit points but " << pips << " pips";
      fail(why.str());
    }
  }

  // The score adds up, from a start bonus that matches the difficulty the
  // mission started on (a change declined its restart waits for the next
  // mission) and an ammunition bonus that only a victory earns.
  const struct {
    const char* name;
    int bonus;
  } bonuses[] = {{"Easy", 10}, {"Medium", 20}, {"Hard", 50}, {"Impossible", 100}};
  int startBonus = 0;
  for (const auto& d : bonuses)
    if (missionDifficulty_ == d.name) startBonus = d.bonus;
  if (g.intStartBonus != startBonus)
    fail("start bonus " + std::to_string(g.intStartBonus) + " on " + missionDifficulty_);
  // The ammunition bonus: nothing while a unit is on the field; granted once
  // every unit is gone (at the latest by the victory), as 2 x the rounds left
  // then, and never changed afterwards.
  if (gone_ < 8 && g.intAmmoBonus != 0) fail("ammunition bonus with units on the field");
  if (g.blnVictory && !g.blnAmmoBonusGranted) fail("a victory without its ammunition bonus");
  if (g.blnAmmoBonusGranted && !bonusSeen_) {
    bonusSeen_ = true;
    if (g.intAmmoBonus != 2 * std::max<int>(g.intAmmo, 0))
      fail("ammunition bonus " + std::to_string(g.intAmmoBonus) + " for " + std::to_string(g.intAmmo) + " rounds");
  }
  if (!g.blnAmmoBonusGranted) bonusSeen_ = false;
  const int expected = startBonus + 10 * g.intKills - 5 * (g.intReloads + g.intRepairs) + g.intAmmoBonus;
  if (g.intScore != expected) {
    why << "score " << g.intScore << " but bonus " << startBonus << ", kills " << g.intKills << ", reloads "
        << g.intReloads << ", repairs " << g.intRepairs << ", ammo bonus " << g.intAmmoBonus;
    fail(why.str());
  }
}

void Monkey::checkOutcome(const frmBulwarn& b) {
  const modVexilla& g = program_->vex;
  // Kills are the units gone from the field.
  if (g.intKills != gone_) fail(std::to_string(g.intKills) + " kills but " + std::to_string(gone_) + " units gone");
  // No unit without hit points stays on the field once every chain is idle.
  const bool idle = test::shotChainIdle(b);
  for (int k = 1; k <= 8; ++k)
    if (idle && b.imgUnit(k).Visible && b.intHP[k] <= 0) fail("unit " + std::to_string(k) + " lives on at 0 hp");

  // At most one outcome, each true to what happened, and the banner agrees.
  const int flags = (g.blnVictory ? 1 : 0) + (g.blnDestroyed ? 1 : 0) + (g.blnBreached ? 1 : 0);
  if (flags > 1) fail("more than one outcome flag set");
  if (g.blnVictory && gone_ != 8) fail("victory with units on the field");
  if (g.blnDestroyed && b.HPBar.Width != 0) fail("gun lost with hit points left");
  if (g.blnBreached) {
    bool crossed = false;
    for (int k = 1; k <= 6; ++k) crossed = crossed || b.imgUnit(k).Top + b.imgUnit(k).Height > b.GunLimit.Y1;
    if (!crossed) fail("a breach with no unit over the line");
  }
  const std::string banner = b.lblVictory.Caption;
  if (g.blnVictory && banner != "MISSION ACCOMPLISHED") fail("victory without its banner: '" + banner + "'");
  if ((g.blnDestroyed || g.blnBreached) && banner != "MISSION FAILED") fail("defeat without its banner");
  if (!flags && banner != "" && banner != "[PAUSED]") fail("banner '" + banner + "' without an outcome");
  for (forms::Control* c : b.controls()) {
    if (c->kind() == forms::ControlKind::Timer && rt_->timerState(*static_cast<forms::Timer*>(c)).running &&
        rt_->eventDepth() == 0)
      fail("timer " + c->name() + " still marked running");
  }
  if (!flags) return;
  // A finished mission: no clock of the shot, the effects, the enemy or the
  // supply runs, and nothing can be used.
  for (const forms::Timer* t : {&b.tmrShot, &b.tmrHit, &b.tmrHit2, &b.tmrBlast, &b.tmrBlast2, &b.tmrBlast3, &b.tmrFly,
                                &b.tmrMove, &b.tmrReload, &b.tmrRepair, &b.tmrEnemy1, &b.tmrEnemy2, &b.tmrEnemy3})
    if (t->Enabled && t->Interval > 0) fail(t->name() + " runs after the end of the mission");
  if (b.cmdFire.Enabled || b.KeyPreview || b.cmdReload.Enabled || b.cmdRepair.Enabled)
    fail("the gun can be used after the end of the mission");
}

// Who may use the gun, from what the player sees: an attack runs from
// "Enemy Attack" on the log to its roll (or until a unit falls, when it may
// be given up), a round is in the air until its chain of animations is idle.
// Fire is usable only when nothing of these, a reload, a repair, the pause or
// the end of the mission holds the gun; the targets take no clicks during an
// attack.
void Monkey::checkGun(const frmBulwarn& b) {
  const int onField = 8 - gone_;
  // The lines posted since the last look (all of them when the log was emptied meanwhile).
  const std::string log = b.lblMessage.Caption;
  const std::string fresh = lastForm_ == &b && log.rfind(lastLog_, 0) == 0 ? log.substr(lastLog_.size()) : log;
  lastLog_ = log;
  for (const std::string& line : test::logLines(fresh)) {
    if (line == "Enemy Attack") {
      attackOpen_ = true;
      unitsAtAttack_ = onField;
      ++stats_.attacks;
    } else if (line == "Enemy Hit" || line == "Enemy Miss") {
      attackOpen_ = false;
      ++(line == "Enemy Hit" ? stats_.hits : stats_.misses);
      hitsToLand_ += line == "Enemy Hit" ? 1 : 0;
    }
  }
  // Only a hit on the log shortens the bar, once; a miss never does.
  if (lastForm_ == &b && !resetExpected_ && b.HPBar.Width < barAtLastLook_) {
    if (hitsToLand_ == 0) fail("the bar shortened with no hit on the log");
    --hitsToLand_;
  }
  barAtLastLook_ = b.HPBar.Width;
  if (lastForm_ != &b || resetExpected_ || over_) hitsToLand_ = 0;
  // A reset or the end of the mission drops an attack (a new one comes 5 s later at the earliest).
  if (onField < unitsAtAttack_ || onField == 0 || lastForm_ != &b || resetExpected_ || over_) attackOpen_ = false;

  bool targets = b.lblSky.Enabled || b.lblBattlefield.Enabled;
  for (int k = 1; k <= 8; ++k) targets = targets || b.imgUnit(k).Enabled;
  if (attackOpen_ && targets) fail("the targets take clicks during an attack");
  const bool supply = b.blnReloading || b.blnRepairing;
  if (attackOpen_ && supply) ++stats_.attacksDuringSupply;
  const bool shotIdle = test::shotChainIdle(b);
  if (b.cmdFire.Enabled && (!shotIdle || attackOpen_ || supply || b.isPaused() || over_))
    fail(std::string("Fire is usable while ") + (!shotIdle      ? "a round is in the air"
                                                 : attackOpen_  ? "an attack is under way"
                                                 : supply       ? "a reload or repair runs"
                                                 : b.isPaused() ? "paused"
                                                                : "over"));
  if (b.KeyPreview != b.cmdFire.Enabled.get()) fail("the keys and Fire disagree");
  const bool otherHold = attackOpen_ || supply;
  if (!shotIdle && !lastShotIdle_ && lastOtherHold_ && !otherHold) ++stats_.endedInMidShot;
  lastShotIdle_ = shotIdle;
  lastOtherHold_ = otherHold;
}

// Between two looks: nothing changes while the game is paused or the mission
// is over_, and hit points never rise within a mission.
void Monkey::checkStillness(const frmBulwarn& b) {
  const modVexilla& g = program_->vex;
  const test::Snapshot now = test::Snapshot::of(g, b);
  const bool sameMission = lastForm_ == &b && !resetExpected_;
  if (sameMission) {
    // Nothing changes but the ammunition bonus, which the score report grants
    // once every unit is gone, paused or not.
    test::Snapshot was = last_;
    was.score += now.ammoBonus - was.ammoBonus;
    was.ammoBonus = now.ammoBonus;
    if (lastPaused_ && b.isPaused() && !(now == was)) fail("something changed while the game was paused");
    if (lastOver_ && over_ && !(now == was)) fail("something changed after the end of the mission");
    for (int k = 0; k < 8; ++k)
      if (now.hp[k] > last_.hp[k]) fail("unit " + std::to_string(k + 1) + " gained hit points within a mission");
  }
  for (int k = 0; k < 8; ++k)
    if (now.hp[k] < -8 || now.hp[k] > 8)
      fail("unit " + std::to_string(k + 1) + " has " + std::to_string(now.hp[k]) + " hp");
  // A mission the player chose to start over_ has started over_, and runs.
  if (resetAnsweredOver_ && (over_ || b.isPaused())) fail("the mission did not start over after Yes");
  last_ = now;
  lastForm_ = &b;
  lastPaused_ = b.isPaused();
  lastOver_ = over_;
  resetExpected_ = false;
  resetAnsweredOver_ = false;
}

// While playing, the gun comes back within 10 s of game time, and every
// waiting state ends within its bound.
void Monkey::checkLiveness(const frmBulwarn& b) {
  const long long now = rt_->nowMs();
  const long long step = now - lastCheckMs_;
  lastCheckMs_ = now;
  const bool clocksRun = !b.isPaused() && !over_;
  supplyMs_ = (b.blnReloading || b.blnRepairing) && clocksRun ? supplyMs_ + step : 0;
  // An enemy hit during a repair sets it back: count from the last one.
  if (b.HPBar.Width < lastBar_) supplyMs_ = 0;
  lastBar_ = b.HPBar.Width;
  // 25 rounds at 500 ms, or the whole bar at 10 twips per 10 ms, and a tick more.
  if (supplyMs_ > 13000) fail("a reload or repair has run for " + std::to_string(supplyMs_) + " ms");
  const bool modalOpen = rt_->activeForm() != &b;
  const bool usable = b.cmdFire.Enabled && b.KeyPreview;
  const bool waiting = b.isPaused() || over_ || modalOpen || b.blnReloading || b.blnRepairing;
  if (usable || waiting) {
    lastUsableMs_ = now;
  } else if (now - lastUsableMs_ > 10000) {
    fail("the gun has been unusable for " + std::to_string(now - lastUsableMs_) + " ms");
  }
  // And it comes back as soon as nothing holds it any more: no round in the
  // air, no attack on the log, no flash of the enemy's fire or of its hit on
  // the screen (the last of these may end a tick before the hold does).
  bool enemyFiring = b.BackColor != forms::kSysDesktop;
  for (int k = 1; k <= 8; ++k) enemyFiring = enemyFiring || b.shpShot(k).Visible;
  if (usable || waiting || attackOpen_ || enemyFiring || !test::shotChainIdle(b)) {
    lastHeldMs_ = now;
  } else if (now - lastHeldMs_ > 100) {
    fail("the gun is locked with nothing holding it");
  }
}

Stats Monkey::play(long long maxEvents) {
  try {
    while (stats_.events < maxEvents && !ch_.exhausted()) {
      if (!rt_ || rt_->ended()) {
        if (rt_) stats_.gameMs += rt_->nowMs();
        startProgram();
        check("start-up");
        continue;
      }
      oneEvent();
      ++stats_.events;
      check("event");
    }
    if (rt_ && verifyReplays_) verifyReplay();
  } catch (const MonkeyFailure& f) {
    stats_.failure = f.what;
  } catch (const std::exception& e) {
    stats_.failure = std::string("exception: ") + e.what();
    if (const std::string path = saveRecording(); !path.empty()) stats_.failure += "\nrecording: " + path;
  }
  if (rt_) stats_.gameMs += rt_->nowMs();
  return stats_;
}

}  // namespace bulwarn::monkey

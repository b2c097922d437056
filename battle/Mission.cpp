// Start-up, mission reset, the end of a mission, and who holds the gun.
#include <cstdio>

#include "battle/Gun.h"
#include "battle/Roster.h"
#include "battle/Rules.h"
#include "battle/frmBulwarn.h"
#include "platform/Int16.h"
#include "screens/frmIntroG.h"
#include "screens/frmLoad.h"
#include "screens/frmOptionsG.h"
#include "screens/frmPics.h"
#include "screens/frmWin.h"
#include "state/Difficulty.h"
#include "state/Game.h"

namespace bulwarn {

using namespace rules;
namespace mb = forms::mb;

namespace {

const char* const kCrLf = "\r\n";

// Str() of a single: a leading blank for values >= 0, no needless decimals.
std::string strSingle(float v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.7g", static_cast<double>(v));
  return (v >= 0 ? " " : "") + std::string(buf);
}

constexpr unsigned kAllHolds = ~0u;

}  // namespace

// ---------------------------------------------------------------- start-up

void frmBulwarn::Form_Load() {
  // Screen check: only exactly 800 x 600 passes silently.
  const forms::ScreenInfo s = game_.rt.screen();
  const float w = s.widthTwips / s.twipsPerPixelX;
  const float h = s.heightTwips / s.twipsPerPixelY;
  if (w != 800.f || h != 600.f) {
    std::string text = "The Current Resolution of Your Screen is: " + strSingle(w) + " x" + strSingle(h);
    text += std::string(kCrLf) + kCrLf +
            "If your Screen's Resolution is below 800 x 600 then you may have difficulty with this game in that "
            "you may not be able to see the entire screen." +
            kCrLf + kCrLf +
            "In this Case we strongly recommend that you change the setting of your Screen Resolution to 800 x "
            "600 or higher";
    game_.rt.msgBox(text, mb::OkOnly, "Bulwarn");
  }
  if (!isLoaded()) return;
  // Briefing, options and loading screen, one after another.
  game_.form<frmIntroG>().ShowModal();
  vex_.blnReloadEnabled = true;
  vex_.blnRepairEnabled = true;
  // A dialog still open from the menu (New Mission chosen meanwhile) cannot be
  // shown modally: drop it, as if cancelled, so start-up asks afresh.
  if (forms::Form* open = game_.rt.loadedForm("frmOptionsG")) open->Unload();
  game_.form<frmOptionsG>().ShowModal();
  game_.form<frmLoad>().ShowModal();
  if (!isLoaded() || game_.rt.ended()) return;
  hintRuntime();
  // The first mission's start values and the rates of its timers.
  game_.rt.Randomize();
  intFly7X = 1;
  intFly7Y = 1;
  intFly8X = -1;
  intFly8Y = 1;
  // A new game starts clean: an earlier mission's score, counters and
  // outcome must not leak into it (a stale victory flag would announce a
  // later defeat as a victory).
  startValues();
  tmrMove.Interval = kMoveTick;
  tmrFly.Interval = kFlyTick;
  // Top of the screen, centred horizontally.
  Top = 0;
  Left = (s.widthTwips - clientWidth) / 2;
  // Keys reach the gun whichever button has the focus.
  follow(kAllHolds);
}

// The game's only hints to the runtime, which change nothing a player sees.
void frmBulwarn::hintRuntime() {
  // The attack countdown only keeps time for other handlers: the runtime may
  // run its ticks in a batch instead of waking a hundred times a second.
  tmrEnemyTime.silent = true;
  // The impact frames are shown squeezed into imgHit, which is less tall than
  // they are: a realisation that draws pictures ahead draws them at that size.
  frmPics& pics = game_.form<frmPics>();
  std::vector<forms::Picture> frames;
  for (auto* set : {&pics.imgHitA, &pics.imgHitB, &pics.imgHitC, &pics.imgHitD})
    for (int i = set->lbound(); i <= set->ubound(); ++i) frames.push_back((*set)(i).Picture);
  game_.rt.expectPictures(imgHit, frames);
}

void frmBulwarn::Form_Activate() {
  if (vex_.blnRestartMission) {
    vex_.blnRestartMission = false;
    ResetMission();
    // Resumes the game that opening the Options menu paused.
    if (isPaused()) mnuPause_Click();
  }
  cmdReload.Visible = vex_.blnReloadEnabled;
  cmdRepair.Visible = vex_.blnRepairEnabled;
}

void frmBulwarn::Form_CloseRequested() {
  // Closing the battle window ends the program, as Abort Mission does.
  unloadEveryForm();
}

void frmBulwarn::unloadEveryForm() {
  static const char* const order[] = {"frmBulwarn", "frmIntroG", "frmOptionsG", "frmLoad",
                                      "frmPics",    "frmAbout",  "frmScoreG",   "frmWin"};
  for (const char* name : order) {
    if (forms::Form* f = game_.rt.loadedForm(name)) f->Unload();
  }
  // Nothing else may keep the program alive.
  game_.rt.unloadAll();
}

void frmBulwarn::showScore(bool signPosition) {
  lblScore.Caption = signPosition ? forms::strSigned(vex_.intScore) : forms::strPlain(vex_.intScore);
}

// ---------------------------------------------------------------- reset

// What every mission starts with, the first and each reset: a full gun,
// full units, nothing counted yet, the attack interval, and the difficulty's
// bonus as the score.
void frmBulwarn::startValues() {
  vex_.intAmmo = kFullAmmo;
  for (int i = 1; i <= kUnits; ++i) intHP[i] = kFullHitPoints;
  tmrEnemy1.Interval = kAttackInterval;
  tmrEnemyTime.Interval = kCountdownTick;
  intEnemyTime = kAttackInterval;
  vex_.intKills = 0;
  // Reloads and repairs count per mission, so the score report adds up.
  vex_.intReloads = 0;
  vex_.intRepairs = 0;
  vex_.blnVictory = vex_.blnDestroyed = vex_.blnBreached = false;
  vex_.blnAmmoBonusGranted = false;
  vex_.intAmmoBonus = 0;
  vex_.intStartBonus = static_cast<std::int16_t>(difficultyBonus(vex_.strDifficulty));
  vex_.intScore = vex_.intStartBonus;
  showScore(false);
}

void frmBulwarn::ResetMission() {
  startValues();
  for (int i = 0; i < kFullAmmo; ++i) picAmmo(i).Visible = true;
  imgSelect.Visible = false;
  imgSelectT.Visible = false;
  picTarget.Picture = nullptr;
  for (int i = 0; i <= 7; ++i) hp(i).Visible = false;
  HPBar.Width = HPBorder.Width;
  HPBar.FillColor = kGreen;
  GunLimit.BorderColor = kDarkGreen;
  lblTargetDescription.Caption = "";
  lblTargetDescription.BackColor = forms::kSysDesktop;
  lblTargetDescription.ForeColor = forms::kSysButtonText;
  lblVictory.Caption = "";
  for (int i = 1; i <= kUnits; ++i) {
    imgUnit(i).Visible = true;
    const float top = (isAircraft(i) ? lblSky.Top : lblBattlefield.Top) + 10;
    imgUnit(i).Top = top;
    shpShot(i).Top = top;
  }
  // The gauge is refilled and the bar repaired above: a reload or repair under
  // way is dropped without charge, and so is an attack of the old mission. A
  // shot still playing keeps the gun until its chain ends.
  cancelSupply();
  stopEnemySequences();
  missionOver_ = false;
  reloadOffered_ = false;
  repairOffered_ = false;
  follow(kAllHolds);
}

// ---------------------------------------------------------------- end of a mission

// How the endings differ: what they mark, whether the score report opens,
// and when the outcome's flag and the score are written.
struct frmBulwarn::Ending {
  Outcome outcome;
  Report report;
  Flag flag;
  Score score;
  const char* question;
};

namespace {
const char* const kNewGame = "Would You Like To Start a New Game?";
const char* const kStartOver = "Would You Like To Start Over?";
}  // namespace

const frmBulwarn::Ending frmBulwarn::kVictoryAfterBlast{Outcome::Victory, Report::Opens, Flag::SetBeforeCard,
                                                        Score::SignedAfterCard, kNewGame};
const frmBulwarn::Ending frmBulwarn::kVictoryOnFire{Outcome::Victory, Report::Opens, Flag::SetBeforeCard,
                                                    Score::PlainBeforeCard, kNewGame};
const frmBulwarn::Ending frmBulwarn::kBreach{Outcome::Breach, Report::Opens, Flag::SetBeforeReport,
                                             Score::PlainBeforeCard, kStartOver};
const frmBulwarn::Ending frmBulwarn::kGunLost{Outcome::GunLost, Report::Skipped, Flag::SetBeforeReport, Score::Kept,
                                              kStartOver};

// Every end of a mission. From its first step the mission is over: nothing
// moves, attacks, fires, completes or scores until a reset or a new game.
void frmBulwarn::endMission(const Ending& how) {
  missionOver_ = true;
  follow(hold::MissionOver);
  tmrEnemy1.Interval = 0;
  stopEnemySequences();
  if (how.outcome == Outcome::Breach) GunLimit.BorderColor = kRed;
  if (how.outcome == Outcome::GunLost) HPBar.Width = 0;
  lblVictory.Caption = how.outcome == Outcome::Victory ? "MISSION ACCOMPLISHED" : "MISSION FAILED";
  bool& flag = how.outcome == Outcome::Victory  ? vex_.blnVictory
               : how.outcome == Outcome::Breach ? vex_.blnBreached
                                                : vex_.blnDestroyed;
  if (how.flag == Flag::SetBeforeReport) flag = true;
  if (how.report == Report::Opens) mnuScore_Click();
  if (how.score == Score::PlainBeforeCard) showScore(false);
  flag = true;
  game_.form<frmWin>().ShowModal();
  if (how.score == Score::SignedAfterCard) showScore(true);
  if (!isLoaded() || game_.rt.ended()) return;
  if (game_.rt.msgBox(how.question, mb::YesNoExclamation, "Start Over?") == mb::AnsYes) ResetMission();
}

// ---------------------------------------------------------------- who holds the gun

unsigned frmBulwarn::gunHolds() const {
  unsigned h = 0;
  if (shotUnderWay_) h |= hold::Shot;
  if (attackUnderWay_ || attackLingers_) h |= hold::Attack;
  if (blnReloading) h |= hold::Reload;
  if (blnRepairing) h |= hold::Repair;
  if (isPaused()) h |= hold::Pause;
  if (missionOver_) h |= hold::MissionOver;
  return h;
}

// The one place the gun's controls are set: from what holds the gun now,
// for the controls that depend on the holds that just changed.
void frmBulwarn::follow(unsigned changed) {
  const GunControls c = gunControls(gunHolds());
  cmdFire.Enabled = c.fire;
  KeyPreview = c.fire;
  if (changed & depends::TargetClicks) setTargetClicks(c.targetClicks);
  if (changed & depends::AttackTrigger) tmrEnemy1.Enabled = c.attackTrigger;
  if (changed & depends::Supply) {
    cmdReload.Enabled = c.supply && reloadOffered_;
    cmdRepair.Enabled = c.supply && repairOffered_;
  }
  if (changed & depends::Clocks) {
    for (forms::Timer* t : {&tmrEnemyTime, &tmrMove, &tmrFly, &tmrShot, &tmrHit, &tmrHit2, &tmrBlast, &tmrBlast2,
                            &tmrBlast3, &tmrEnemy2, &tmrEnemy3, &tmrReload, &tmrRepair})
      t->Enabled = c.clocks;
  }
}

// Clicks on the units and on the two zones.
void frmBulwarn::setTargetClicks(bool on) {
  for (int i = 1; i <= kUnits; ++i) imgUnit(i).Enabled = on;
  lblSky.Enabled = on;
  lblBattlefield.Enabled = on;
}

// Reload and Repair are offered by their own rules and usable when nothing
// that excludes them holds the gun.
void frmBulwarn::offerReload(bool on) {
  reloadOffered_ = on;
  cmdReload.Enabled = on && gunControls(gunHolds()).supply;
}

void frmBulwarn::offerRepair(bool on) {
  repairOffered_ = on;
  cmdRepair.Enabled = on && gunControls(gunHolds()).supply;
}

void frmBulwarn::shotBegins() {
  shotUnderWay_ = true;
  follow(hold::Shot);
}

// The shot's chain has ended: the attack trigger counts down what is left of
// the interval, unless the mission is over.
void frmBulwarn::shotEnds() {
  if (!shotUnderWay_) return;
  shotUnderWay_ = false;
  follow(hold::Shot);
  if (!missionOver_) tmrEnemy1.Interval = intEnemyTime;
}

void frmBulwarn::attackBegins() {
  attackUnderWay_ = true;
  follow(hold::Attack);
}

// An attack that ends while a reload or repair runs keeps the targets locked
// until that ends too; a follow-up (which never locked) changes nothing.
void frmBulwarn::attackEnds() {
  if (!attackUnderWay_) return;
  attackUnderWay_ = false;
  attackLingers_ = blnReloading || blnRepairing;
  follow(hold::Attack);
}

void frmBulwarn::supplyEnds() {
  attackLingers_ = false;
  follow(hold::Reload | hold::Repair | hold::Attack);
}

// Stops an attack and its damage where they are, and puts the screen's
// colours back.
void frmBulwarn::stopEnemySequences() {
  tmrEnemy2.Interval = 0;
  tmrEnemy3.Interval = 0;
  intAttackStep = 0;
  intDamageStep = 0;
  for (int i = 1; i <= kUnits; ++i) shpShot(i).Visible = false;
  setFlashColor(forms::kSysDesktop);
  attackUnderWay_ = false;
  attackLingers_ = false;
  follow(hold::Attack);
}

void frmBulwarn::cancelSupply() {
  tmrReload.Interval = 0;
  tmrRepair.Interval = 0;
  blnReloading = false;
  blnRepairing = false;
  supplyEnds();
}

}  // namespace bulwarn

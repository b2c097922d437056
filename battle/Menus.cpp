// The menu bar: pausing and resuming, and the mission and help commands.
#include "battle/Rules.h"
#include "battle/frmBulwarn.h"
#include "platform/Int16.h"
#include "screens/frmAbout.h"
#include "screens/frmIntroG.h"
#include "screens/frmOptionsG.h"
#include "screens/frmScoreG.h"
#include "state/Difficulty.h"
#include "state/Game.h"
#include "state/Scoring.h"

namespace bulwarn {

using forms::sat16;
using namespace rules;
namespace mb = forms::mb;

// ---------------------------------------------------------------- pause

void frmBulwarn::PauseForMenu() {
  reloadOffered_ = false;
  repairOffered_ = false;
  mnuPause.setChecked(true);
  follow(hold::Pause);
  if (lblVictory.Caption.get().empty()) {
    lblMessage.Caption = "\r\n[PAUSED]";
    lblVictory.Caption = "[PAUSED]";
  }
}

void frmBulwarn::mnuPause_Click() {
  if (!mnuPause.checked()) {
    PauseForMenu();
    return;
  }
  if (lblVictory.Caption == "[PAUSED]") lblVictory.Caption = "";
  lblMessage.Caption = "";
  // Offered by their own rules; whatever still holds the gun (a shot, an
  // attack, a reload, a finished mission) keeps what it holds.
  if (vex_.intAmmo < kFullAmmo) reloadOffered_ = true;
  if (HPBar.Width < kRepairOfferWidth) repairOffered_ = true;
  mnuPause.setChecked(false);
  follow(hold::Pause);
}

void frmBulwarn::mnuGame_Click() { PauseForMenu(); }
void frmBulwarn::mnuView_Click() { PauseForMenu(); }
void frmBulwarn::mnuOptions_Click() { PauseForMenu(); }
void frmBulwarn::mnuHelp_Click() { PauseForMenu(); }

// ---------------------------------------------------------------- mission commands

void frmBulwarn::mnuRestart_Click() {
  if (game_.rt.msgBox("Really Restart?", mb::YesNoExclamation, "Restart Mission?") == mb::AnsYes) {
    ResetMission();
    if (isPaused()) mnuPause_Click();
  }
}

void frmBulwarn::mnuNew_Click() {
  if (game_.rt.msgBox("Are You Sure You Want To Start a New Game?", mb::YesNoExclamation, "New Mission?") == mb::AnsYes) {
    Game& game = game_;  // outlives this form, which Unload may destroy
    Unload();
    game.form<frmBulwarn>().Show();
  }
}

void frmBulwarn::mnuExit_Click() {
  if (game_.rt.msgBox("Are You Sure You Want To Abort?", mb::YesNoCritical, "Abort Mission?") == mb::AnsYes)
    unloadEveryForm();
}

void frmBulwarn::mnuLoad_Click() {
  game_.rt.msgBox("This Feature Not Yet Available In This Edition", mb::OkQuestion, "Load Game");
}

void frmBulwarn::mnuSave_Click() {
  game_.rt.msgBox("This Feature Not Yet Available In This Edition", mb::OkQuestion, "Save Game");
}

// ---------------------------------------------------------------- views and help

void frmBulwarn::mnuContents_Click() {
  game_.rt.msgBox("The Help Contents Are Currently Not Available In This Version.", mb::OkQuestion, "Help Files");
}

void frmBulwarn::mnuDifficulty_Click() { game_.form<frmOptionsG>().Show(); }
void frmBulwarn::mnuIntro_Click() { game_.form<frmIntroG>().ShowModal(); }
void frmBulwarn::mnuAbout_Click() { game_.form<frmAbout>().ShowModal(); }

void frmBulwarn::mnuScore_Click() {
  // The ammunition bonus is granted once per mission, however often the
  // report is opened afterwards.
  if (!anyUnitLeft() && !vex_.blnAmmoBonusGranted) {
    vex_.blnAmmoBonusGranted = true;
    vex_.intAmmoBonus = sat16(1LL * scoring::kRoundBonus * vex_.intAmmo);
    vex_.intScore = sat16(vex_.intAmmoBonus + static_cast<long long>(vex_.intScore));
    showScore(true);
  }
  game_.form<frmScoreG>().ShowModal();
}

void frmBulwarn::mnuScoring_Click() {
  using std::to_string;
  std::string text = "The SCORE is calculated by:\r\n\r\nDifficulty:";
  for (const Difficulty& d : kDifficulties) text += "\r\n" + std::string(d.name) + " = +" + to_string(d.bonus);
  text += "\r\n\r\nEND GAME BONUS: Ammo Remaining: +" + to_string(scoring::kRoundBonus) + " per unit" +
          "\r\n\r\nTimes Reloaded: -" + to_string(scoring::kSupplyCost) + " per time" +
          "\r\n\r\nTimes Repaired: -" + to_string(scoring::kSupplyCost) + " per time" +
          "\r\n\r\nEnemies Destroyed: +" + to_string(scoring::kKillPoints) + " per Target";
  game_.rt.msgBox(text, mb::OkInformation, "Calculating Score");
}

}  // namespace bulwarn

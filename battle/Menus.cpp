// The menu bar: pausing and resuming, and the mission and help commands.
#include "battle/Rules.h"
#include "battle/frmBulwarn.h"
#include "platform/Int16.h"
#include "screens/frmAbout.h"
#include "screens/frmIntroG.h"
#include "screens/frmOptionsG.h"
#include "screens/frmScoreG.h"
#include "state/Game.h"

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
  if (g.intAmmo < kFullAmmo) reloadOffered_ = true;
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
  if (p.rt.msgBox("Really Restart?", mb::YesNoExclamation, "Restart Mission?") == mb::AnsYes) {
    ResetMission();
    if (isPaused()) mnuPause_Click();
  }
}

void frmBulwarn::mnuNew_Click() {
  if (p.rt.msgBox("Are You Sure You Want To Start a New Game?", mb::YesNoExclamation, "New Mission?") == mb::AnsYes) {
    Game& game = p;
    Unload();
    game.form<frmBulwarn>().Show();
  }
}

void frmBulwarn::mnuExit_Click() {
  if (p.rt.msgBox("Are You Sure You Want To Abort?", mb::YesNoCritical, "Abort Mission?") == mb::AnsYes)
    unloadEveryForm();
}

void frmBulwarn::mnuLoad_Click() {
  p.rt.msgBox("This Feature Not Yet Available In This Edition", mb::OkQuestion, "Load Game");
}

void frmBulwarn::mnuSave_Click() {
  p.rt.msgBox("This Feature Not Yet Available In This Edition", mb::OkQuestion, "Save Game");
}

// ---------------------------------------------------------------- views and help

void frmBulwarn::mnuContents_Click() {
  p.rt.msgBox("The Help Contents Are Currently Not Available In This Version.", mb::OkQuestion, "Help Files");
}

void frmBulwarn::mnuDifficulty_Click() { p.form<frmOptionsG>().Show(); }
void frmBulwarn::mnuIntro_Click() { p.form<frmIntroG>().ShowModal(); }
void frmBulwarn::mnuAbout_Click() { p.form<frmAbout>().ShowModal(); }

void frmBulwarn::mnuScore_Click() {
  // The ammunition bonus is granted once per mission, however often the
  // report is opened afterwards.
  if (!anyUnitLeft() && !g.blnAmmoBonusGranted) {
    g.blnAmmoBonusGranted = true;
    g.intAmmoBonus = sat16(2 * static_cast<long long>(g.intAmmo));
    g.intScore = sat16(g.intAmmoBonus + static_cast<long long>(g.intScore));
    showScore(true);
  }
  p.form<frmScoreG>().ShowModal();
}

void frmBulwarn::mnuScoring_Click() {
  const char* lines[] = {"The SCORE is calculated by:",
                         "",
                         "Difficulty:",
                         "Easy = +10",
                         "Medium = +20",
                         "Hard = +50",
                         "Impossible = +100",
                         "",
                         "END GAME BONUS: Ammo Remaining: +2 per unit",
                         "",
                         "Times Reloaded: -5 per time",
                         "",
                         "Times Repaired: -5 per time",
                         "",
                         "Enemies Destroyed: +10 per Target"};
  std::string text;
  for (const char* l : lines) {
    if (!text.empty()) text += "\r\n";
    text += l;
  }
  p.rt.msgBox(text, mb::OkInformation, "Calculating Score");
}

}  // namespace bulwarn

#include "screens/frmOptionsG.h"

#include "state/Difficulty.h"
#include "state/Game.h"

namespace bulwarn {

frmOptionsG::frmOptionsG(Game& game) : forms::Form(game.rt, "frmOptionsG"), game_(game) {
  Caption = "Options";
  clientWidth = 4665;
  clientHeight = 5490;
  startPosition = forms::StartPosition::CenterScreen;

  lblTitle.move(120, 60, 4425, 495);
  lblTitle.Caption = "Options";
  lblTitle.ForeColor = 0x00FF0000;
  lblTitle.font = {"MS Sans Serif", 18, true};
  lblTitle.alignment = forms::Align::Center;
  picChess.move(795, 600, 3075, 1875);
  picChess.Picture = game_.picture("picChess", 205, 125);

  fraDifficulty.move(240, 2640, 2175, 1935);
  fraDifficulty.Caption = "Difficulty";
  fraDifficulty.BackColor = 0x00000000;
  fraDifficulty.ForeColor = 0x00FFFFFF;
  struct Opt {
    forms::OptionButton* b;
    const char* caption;
    forms::OleColor color;
  };
  const Opt opts[4] = {{&optEasy, "&Easy", 0x0000FF00},
                       {&optMedium, "&Medium", 0x0000FFFF},
                       {&optHard, "&Hard", 0x000080FF},
                       {&optImpossible, "&Impossible", 0x000000FF}};
  for (int i = 0; i < 4; ++i) {
    opts[i].b->move(240, 360.f + 360.f * static_cast<float>(i), 1815, 315);
    opts[i].b->Caption = opts[i].caption;
    opts[i].b->ForeColor = opts[i].color;
    opts[i].b->BackColor = 0x00000000;
    opts[i].b->font = {"MS Sans Serif", 9.75f, true};
  }

  fraEnabled.move(2520, 2640, 1905, 1935);
  fraEnabled.Caption = "Enabled";
  fraEnabled.BackColor = forms::kSysButtonFace;
  fraEnabled.ForeColor = forms::kSysHighlight;
  chkReload.move(240, 480, 1455, 315);
  chkReload.Caption = "Reloa&d";
  chkRepair.move(240, 960, 1455, 315);
  chkRepair.Caption = "Repai&r";

  cmdOK.move(600, 4860, 1455, 435);
  cmdOK.Caption = "O&K";
  cmdOK.isDefault = true;
  cmdCancel.move(2610, 4860, 1455, 435);
  cmdCancel.Caption = "&Cancel";
  cmdCancel.isCancel = true;
  cmdCancel.Visible = false;
  cmdOK.Click = [this] { cmdOK_Click(); };
  cmdCancel.Click = [this] { cmdCancel_Click(); };
}

bool frmOptionsG::battleVisible() const {
  const forms::Form* battle = game_.rt.loadedForm("frmBulwarn");
  return battle && battle->isVisible();
}

// The option button of the difficulty table's row i.
forms::OptionButton* frmOptionsG::difficultyOption(int i) {
  forms::OptionButton* const options[4] = {&optEasy, &optMedium, &optHard, &optImpossible};
  return options[i];
}

void frmOptionsG::Form_Load() {
  chkReload.Value = game_.vex.blnReloadEnabled ? 1 : 0;
  chkRepair.Value = game_.vex.blnRepairEnabled ? 1 : 0;
  // The stored difficulty, or Easy while none has been chosen.
  forms::OptionButton* chosen = &optEasy;
  for (int i = 0; i < 4; ++i)
    if (game_.vex.strDifficulty == kDifficulties[i].name) chosen = difficultyOption(i);
  chosen->select();
  if (battleVisible()) cmdCancel.Visible = true;
}

void frmOptionsG::cmdOK_Click() {
  for (int i = 0; i < 4; ++i) {
    if (difficultyOption(i)->Value) {
      game_.vex.strDifficulty = kDifficulties[i].name;
      break;
    }
  }
  game_.vex.blnReloadEnabled = chkReload.Value == 1;
  game_.vex.blnRepairEnabled = chkRepair.Value == 1;
  if (battleVisible()) {
    const int answer = game_.rt.msgBox("Changing Difficulty Will Restart Mission\r\n\r\nAre You Sure?",
                                   forms::mb::YesNoQuestion, "Change Difficulty");
    if (answer == forms::mb::AnsYes) game_.vex.blnRestartMission = true;
  }
  Unload();
}

void frmOptionsG::cmdCancel_Click() { Unload(); }

void frmOptionsG::Form_CloseRequested() {
  // Without a Cancel button (start-up) the choice must be confirmed, or the
  // game would start with no difficulty at all: closing counts as OK.
  if (cmdCancel.Visible) {
    cmdCancel_Click();
  } else {
    cmdOK_Click();
  }
}

}  // namespace bulwarn

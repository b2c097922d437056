#include "battle/frmBulwarn.h"

#include "battle/Roster.h"
#include "battle/Rules.h"
#include "state/Game.h"

namespace bulwarn {

using namespace rules;

const char* frmBulwarn::unitDescription(int index) {
  return index >= 1 && index <= kUnits ? unitKind(index).description : "";
}

frmBulwarn::frmBulwarn(Game& game)
    : forms::Form(game.rt, "frmBulwarn"),
      mnuGame(menu("mnuGame", "&Game")),
      mnuRestart(menu("mnuRestart", "&Restart Mission", "F2", &mnuGame)),
      mnuNew(menu("mnuNew", "&New Mission", "Ctrl+N", &mnuGame)),
      mnuPause(menu("mnuPause", "&Pause Game", "F3", &mnuGame)),
      mnu1(menu("mnu1", "-", "", &mnuGame)),
      mnuLoad(menu("mnuLoad", "&Load Mission", "Ctrl+O", &mnuGame)),
      mnuSave(menu("mnuSave", "&Save Mission", "Ctrl+S", &mnuGame)),
      mnu2(menu("mnu2", "-", "", &mnuGame)),
      mnuExit(menu("mnuExit", "&Abort Mission", "Ctrl+X", &mnuGame)),
      mnuView(menu("mnuView", "&View")),
      mnuScore(menu("mnuScore", "View &Score", "", &mnuView)),
      mnuOptions(menu("mnuOptions", "&Options")),
      mnuDifficulty(menu("mnuDifficulty", "&Difficulty", "", &mnuOptions)),
      mnuHelp(menu("mnuHelp", "&Help")),
      mnuIntro(menu("mnuIntro", "&Instructions", "", &mnuHelp)),
      mnu4(menu("mnu4", "-", "", &mnuHelp)),
      mnuContents(menu("mnuContents", "&Contents", "F1", &mnuHelp)),
      mnuScoring(menu("mnuScoring", "&Scoring", "", &mnuHelp)),
      mnu3(menu("mnu3", "-", "", &mnuHelp)),
      mnuAbout(menu("mnuAbout", "&About", "", &mnuHelp)),
      game_(game),
      vex_(game.vex) {
  layout();
  bindHandlers();
}

void frmBulwarn::layout() {
  Caption = "Bulwarn";
  clientWidth = 10455;
  clientHeight = 7815;
  BackColor = forms::kSysDesktop;
  startPosition = forms::StartPosition::Manual;
  iconName = "bulwarn_icon";

  lblSky.move(120, 120, 7635, 2535);
  lblSky.BackColor = kCyan;
  lblSky.border = true;
  lblBattlefield.move(120, 2640, 7635, 3615);
  lblBattlefield.BackColor = kDarkGreen;
  lblBattlefield.border = true;

  lblVictory.move(120, 2640, 7635, 975);
  lblVictory.transparent = true;
  lblVictory.ForeColor = kRed;
  lblVictory.font = {"Stencil", 27.75f, true};
  lblVictory.alignment = forms::Align::Center;

  for (int i = 1; i <= kUnits; ++i) {
    const UnitPlace& place = kRoster[i];
    imgUnit(i).move(place.left, place.top, 990, 750);
    imgUnit(i).Picture = game_.picture(place.kind->picture, 66, 50);
    forms::Shape& s = shpShot(i);
    s.move(place.shotLeft, place.shotTop, 135, 135);
    s.shape = forms::ShapeKind::Circle;
    s.FillColor = kYellow;
    s.BorderColor = kBlack;
    s.Visible = false;
  }

  GunLimit.set(120, 5340, 7740, 5340);
  GunLimit.borderWidth = 5;
  GunLimit.BorderColor = kDarkGreen;

  imgSight.move(3720, 5160, 420, 1065);
  imgSight.Picture = game_.picture("gun", 28, 71);
  imgGunShot.move(3480, 4200, 975, 975);
  imgArrow1.move(120, 5220, 270, 270);
  imgArrow1.Picture = game_.picture("arrow_left", 18, 18);
  imgArrow2.move(7500, 5220, 270, 270);
  imgArrow2.Picture = game_.picture("arrow_right", 18, 18);
  imgSelect.move(900, 1260, 1095, 855);
  imgSelect.Picture = game_.picture("select", 73, 57);
  imgSelect.Visible = false;
  imgHit.move(5580, 1320, 705, 705);
  imgBlastA.move(2400, 1080, 1500, 1155);
  imgBlastG.move(4020, 180, 1500, 2250);
  layoutPanels();

  // Pause Game only toggles; every other shortcut opens its menu first.
  mnuPause.shortcutOpensTitle = false;
}

namespace {
void placeFrame(forms::Frame& f, float l, float t, float w, float h, const char* caption) {
  f.move(l, t, w, h);
  f.Caption = caption;
  f.BackColor = forms::kSysDesktop;
  f.ForeColor = forms::kSysHighlight;
}
}  // namespace

// The message log and the target panel on the right.
void frmBulwarn::layoutPanels() {
  lblMsgBox.move(7920, 120, 2415, 2535);
  lblMsgBox.BackColor = forms::kSysButtonText;
  lblMsgBox.border = true;
  lblMessage.move(8040, -120, 2250, 0);
  lblMessage.transparent = true;
  lblMessage.ForeColor = kRed;
  lblMessage.font = {"MS Sans Serif", 12, true};
  lblMessage.autoSize = true;

  placeFrame(fraSelect, 7920, 2700, 2415, 2355, "Target");
  picTarget.move(720, 300, 995, 755);
  picTarget.BackColor = forms::kSysDesktop;
  imgSelectT.move(660, 240, 1095, 855);
  imgSelectT.Picture = game_.picture("select", 73, 57);
  imgSelectT.Visible = false;
  for (int i = 0; i <= 7; ++i) {
    hp(i).move(720.f + 120.f * static_cast<float>(i), 1140, 135, 135);
    hp(i).BackColor = kGreen;
    hp(i).Visible = false;
  }
  Line8.set(720, 1140, 1680, 1140);
  Line9.set(1680, 1140, 1680, 1260);
  Line10.set(720, 1260, 1680, 1260);
  Line11.set(720, 1140, 720, 1260);
  lblTargetDescription.move(120, 1320, 2175, 915);
  lblTargetDescription.border = true;
  lblTargetDescription.font = {"MS Sans Serif", 8.25f, true};
  lblTargetDescription.BackColor = forms::kSysDesktop;
  lblTargetDescription.ForeColor = forms::kSysButtonText;
  lblTargetDescription.alignment = forms::Align::Center;
  layoutGunPanels();
}

// Score, Fire, the gun's hit points and its ammunition.
void frmBulwarn::layoutGunPanels() {
  placeFrame(fraScore, 7920, 5100, 2415, 675, "Score");
  lblScore.move(120, 240, 2175, 375);
  lblScore.BackColor = kBlack;
  lblScore.ForeColor = kWhite;
  lblScore.font = {"MS Sans Serif", 12, true};
  lblScore.alignment = forms::Align::Right;
  lblScore.border = true;
  lblScore.Caption = "0";

  placeFrame(fraCommand, 8340, 5820, 1995, 975, "Command");
  cmdFire.move(300, 300, 1455, 555);
  cmdFire.Caption = "&Fire!";
  cmdFire.ForeColor = kRed;
  cmdFire.font = {"MS Sans Serif", 12, true};
  cmdFire.takesFocus = false;

  placeFrame(fraHP, 120, 6300, 7455, 495, "Hit Points");
  HPBorder.move(120, 240, 7245, 165);
  HPBorder.FillColor = kBlack;
  HPBorder.BorderColor = kBlack;
  HPBar.move(120, 240, 7245, 165);
  HPBar.FillColor = kGreen;
  HPBar.BorderColor = kBlack;

  cmdRepair.move(7620, 6420, 675, 375);
  cmdRepair.Caption = "&Repair";
  cmdRepair.ForeColor = kGreen;
  cmdRepair.font = {"MS Sans Serif", 8.25f, true};
  cmdRepair.Enabled = false;
  cmdRepair.takesFocus = false;

  placeFrame(fraAmmo, 120, 6840, 9135, 915, "Ammunition");
  for (int i = 0; i <= 24; ++i) {
    picAmmo(i).move(60.f + 360.f * static_cast<float>(i), 240, 375, 615);
    picAmmo(i).BackColor = forms::kSysDesktop;
    picAmmo(i).Picture = game_.picture("ammo_round", 20, 36);
  }
  cmdReload.move(9480, 7200, 735, 375);
  cmdReload.Caption = "&Reload";
  cmdReload.ForeColor = kBlue;
  cmdReload.font = {"MS Sans Serif", 8.25f, true};
  cmdReload.Enabled = false;
  cmdReload.takesFocus = false;
}

void frmBulwarn::bindHandlers() {
  for (int i = 1; i <= 8; ++i) imgUnit(i).Click = [this, i] { imgUnit_Click(i); };
  imgHit.Click = [this] { imgHit_Click(); };
  lblSky.Click = [this] { lblSky_Click(); };
  lblBattlefield.Click = [this] { lblBattlefield_Click(); };
  imgSight.Click = [this] { imgSight_Click(); };
  cmdFire.Click = [this] { cmdFire_Click(); };
  cmdReload.Click = [this] { cmdReload_Click(); };
  cmdRepair.Click = [this] { cmdRepair_Click(); };

  tmrShot.Tick = [this] { tmrShot_Timer(); };
  tmrHit.Tick = [this] { tmrHit_Timer(); };
  tmrHit2.Tick = [this] { tmrHit2_Timer(); };
  tmrBlast.Tick = [this] { tmrBlast_Timer(); };
  tmrBlast2.Tick = [this] { tmrBlast2_Timer(); };
  tmrBlast3.Tick = [this] { tmrBlast3_Timer(); };
  tmrMove.Tick = [this] { tmrMove_Timer(); };
  tmrFly.Tick = [this] { tmrFly_Timer(); };
  tmrEnemyTime.Tick = [this] { tmrEnemyTime_Timer(); };
  tmrEnemy1.Tick = [this] { tmrEnemy1_Timer(); };
  tmrEnemy2.Tick = [this] { tmrEnemy2_Timer(); };
  tmrEnemy3.Tick = [this] { tmrEnemy3_Timer(); };
  tmrReload.Tick = [this] { tmrReload_Timer(); };
  tmrRepair.Tick = [this] { tmrRepair_Timer(); };

  mnuGame.Click = [this] { mnuGame_Click(); };
  mnuView.Click = [this] { mnuView_Click(); };
  mnuOptions.Click = [this] { mnuOptions_Click(); };
  mnuHelp.Click = [this] { mnuHelp_Click(); };
  mnuRestart.Click = [this] { mnuRestart_Click(); };
  mnuNew.Click = [this] { mnuNew_Click(); };
  mnuPause.Click = [this] { mnuPause_Click(); };
  mnuLoad.Click = [this] { mnuLoad_Click(); };
  mnuSave.Click = [this] { mnuSave_Click(); };
  mnuExit.Click = [this] { mnuExit_Click(); };
  mnuScore.Click = [this] { mnuScore_Click(); };
  mnuDifficulty.Click = [this] { mnuDifficulty_Click(); };
  mnuIntro.Click = [this] { mnuIntro_Click(); };
  mnuContents.Click = [this] { mnuContents_Click(); };
  mnuScoring.Click = [this] { mnuScoring_Click(); };
  mnuAbout.Click = [this] { mnuAbout_Click(); };
}

}  // namespace bulwarn

#include "battle/frmBulwarn.h"

#include <cmath>
#include <cstdio>

#include "battle/Program.h"
#include "platform/Int16.h"
#include "screens/frmAbout.h"
#include "screens/frmIntroG.h"
#include "screens/frmLoad.h"
#include "screens/frmOptionsG.h"
#include "screens/frmPics.h"
#include "screens/frmScoreG.h"
#include "screens/frmWin.h"

namespace bulwarn {

using forms::sat16;
namespace mb = forms::mb;

namespace {

constexpr forms::OleColor kCyan = 0x00FFFF00;
constexpr forms::OleColor kDarkGreen = 0x00008000;
constexpr forms::OleColor kGreen = 0x0000C000;
constexpr forms::OleColor kYellow = 0x0000FFFF;
constexpr forms::OleColor kOrange = 0x000080FF;
constexpr forms::OleColor kRed = 0x000000FF;
constexpr forms::OleColor kBlue = 0x00FF0000;
constexpr forms::OleColor kBlack = 0x00000000;
constexpr forms::OleColor kWhite = 0x00FFFFFF;
const char* const kCrLf = "\r\n";

// VB's Int(): rounds toward minus infinity.
int Int(float v) { return static_cast<int>(std::floor(v)); }

// Str() of a single: a leading blank for values >= 0, no needless decimals.
std::string strSingle(float v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.7g", static_cast<double>(v));
  return (v >= 0 ? " " : "") + std::string(buf);
}

const char* unitPictureName(int index) {
  switch (index) {
    case 1:
    case 6: return "unit_rocket";
    case 2:
    case 5: return "unit_tank";
    case 3:
    case 4: return "unit_ifv";
    default: return "unit_fighter";
  }
}

// Kill and destruction tests visit the units in this order.
constexpr int kKillOrder[8] = {2, 5, 4, 3, 1, 6, 8, 7};
// Advance factor of the ground units by index.
constexpr int kAdvance[7] = {0, 1, 2, 3, 3, 2, 1};

}  // namespace

const char* frmBulwarn::unitDescription(int index) {
  switch (index) {
    case 1:
    case 6: return "M.R.L.S. - Multiple Rocket Launch System";
    case 2:
    case 5: return "Armour - Main Battle Tank";
    case 3:
    case 4: return "Mechanized Infantry Fighting Vehicle";
    case 7:
    case 8: return "Air Superiority Fighter/Interceptor";
    default: return "";
  }
}

frmBulwarn::frmBulwarn(Program& program)
    : forms::Form(program.rt, "frmBulwarn"),
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
      p(program),
      g(program.vex) {
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

  const float groundLeft[7] = {0, 300, 1560, 2820, 4080, 5340, 6600};
  for (int i = 1; i <= 6; ++i) imgUnit(i).move(groundLeft[i], 2640, 990, 750);
  imgUnit(7).move(360, 300, 990, 750);
  imgUnit(8).move(6540, 300, 990, 750);
  for (int i = 1; i <= 8; ++i) imgUnit(i).Picture = p.picture(unitPictureName(i), 66, 50);

  const float shot[9][2] = {{0, 0},       {660, 2760},  {2340, 2880}, {3420, 2820}, {4320, 2820},
                            {5400, 2880}, {7080, 2760}, {780, 660},   {7020, 660}};
  for (int i = 1; i <= 8; ++i) {
    forms::Shape& s = shpShot(i);
    s.move(shot[i][0], shot[i][1], 135, 135);
    s.shape = forms::ShapeKind::Circle;
    s.FillColor = kYellow;
    s.BorderColor = kBlack;
    s.Visible = false;
  }

  GunLimit.set(120, 5340, 7740, 5340);
  GunLimit.borderWidth = 5;
  GunLimit.BorderColor = kDarkGreen;

  imgSight.move(3720, 5160, 420, 1065);
  imgSight.Picture = p.picture("gun", 28, 71);
  imgGunShot.move(3480, 4200, 975, 975);
  imgArrow1.move(120, 5220, 270, 270);
  imgArrow1.Picture = p.picture("arrow_left", 18, 18);
  imgArrow2.move(7500, 5220, 270, 270);
  imgArrow2.Picture = p.picture("arrow_right", 18, 18);
  imgSelect.move(900, 1260, 1095, 855);
  imgSelect.Picture = p.picture("select", 73, 57);
  imgSelect.Visible = false;
  imgHit.move(5580, 1320, 705, 705);
  imgBlastA.move(2400, 1080, 1500, 1155);
  imgBlastG.move(4020, 180, 1500, 2250);

  lblMsgBox.move(7920, 120, 2415, 2535);
  lblMsgBox.BackColor = forms::kSysButtonText;
  lblMsgBox.border = true;
  lblMessage.move(8040, -120, 2250, 0);
  lblMessage.transparent = true;
  lblMessage.ForeColor = kRed;
  lblMessage.font = {"MS Sans Serif", 12, true};
  lblMessage.autoSize = true;

  auto frame = [](forms::Frame& f, float l, float t, float w, float h, const char* caption) {
    f.move(l, t, w, h);
    f.Caption = caption;
    f.BackColor = forms::kSysDesktop;
    f.ForeColor = forms::kSysHighlight;
  };
  frame(fraSelect, 7920, 2700, 2415, 2355, "Target");
  picTarget.move(720, 300, 995, 755);
  picTarget.BackColor = forms::kSysDesktop;
  imgSelectT.move(660, 240, 1095, 855);
  imgSelectT.Picture = p.picture("select", 73, 57);
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

  frame(fraScore, 7920, 5100, 2415, 675, "Score");
  lblScore.move(120, 240, 2175, 375);
  lblScore.BackColor = kBlack;
  lblScore.ForeColor = kWhite;
  lblScore.font = {"MS Sans Serif", 12, true};
  lblScore.alignment = forms::Align::Right;
  lblScore.border = true;
  lblScore.Caption = "0";

  frame(fraCommand, 8340, 5820, 1995, 975, "Command");
  cmdFire.move(300, 300, 1455, 555);
  cmdFire.Caption = "&Fire!";
  cmdFire.ForeColor = kRed;
  cmdFire.font = {"MS Sans Serif", 12, true};
  cmdFire.takesFocus = false;

  frame(fraHP, 120, 6300, 7455, 495, "Hit Points");
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

  frame(fraAmmo, 120, 6840, 9135, 915, "Ammunition");
  for (int i = 0; i <= 24; ++i) {
    picAmmo(i).move(60.f + 360.f * static_cast<float>(i), 240, 375, 615);
    picAmmo(i).BackColor = forms::kSysDesktop;
    picAmmo(i).Picture = p.picture("ammo_round", 20, 36);
  }
  cmdReload.move(9480, 7200, 735, 375);
  cmdReload.Caption = "&Reload";
  cmdReload.ForeColor = kBlue;
  cmdReload.font = {"MS Sans Serif", 8.25f, true};
  cmdReload.Enabled = false;
  cmdReload.takesFocus = false;

  // The attack countdown only keeps time for other handlers: the runtime may
  // run its ticks in a batch instead of waking a hundred times a second.
  tmrEnemyTime.silent = true;

  // Pause Game only toggles; every other shortcut opens its menu first.
  mnuPause.shortcutOpensTitle = false;
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

// ---------------------------------------------------------------- start-up

void frmBulwarn::Form_Load() {
  // 1. Screen check: only exactly 800 x 600 passes silently.
  const forms::ScreenInfo s = p.rt.screen();
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
    p.rt.msgBox(text, mb::OkOnly, "Bulwarn");
  }
  if (!isLoaded()) return;
  // 2. to 5. Briefing, options and loading screen, one after another.
  p.frmIntroG().ShowModal();
  g.blnReloadEnabled = true;
  g.blnRepairEnabled = true;
  // A dialog still open from the menu (New Mission chosen meanwhile) cannot be
  // shown modally: drop it, as if cancelled, so start-up asks afresh.
  if (forms::Form* open = p.rt.loadedForm("frmOptionsG")) open->Unload();
  p.frmOptionsG().ShowModal();
  p.frmLoad().ShowModal();
  if (!isLoaded() || p.rt.ended()) return;
  // 6. to 8. The first mission's start values and the rates of its timers.
  p.rt.Randomize();
  g.intAmmo = 25;
  for (int i = 1; i <= 8; ++i) intHP[i] = 8;
  intFly7X = 1;
  intFly7Y = 1;
  intFly8X = -1;
  intFly8Y = 1;
  tmrEnemy1.Interval = 5000;
  tmrEnemyTime.Interval = 10;
  intEnemyTime = 5000;
  tmrMove.Interval = 500;
  tmrFly.Interval = 100;
  // 9. A new game starts clean: an earlier mission's score, counters and
  // outcome must not leak into it (a stale victory flag would announce a
  // later defeat as a victory).
  g.intScore = 0;
  g.intKills = 0;
  g.intReloads = 0;
  g.intRepairs = 0;
  g.blnVictory = g.blnDestroyed = g.blnBreached = false;
  g.blnAmmoBonusGranted = false;
  g.intAmmoBonus = 0;
  g.intStartBonus = static_cast<std::int16_t>(difficultyBonus(g.strDifficulty));
  g.intScore = sat16(g.intScore + g.intStartBonus);
  showScore(false);
  // 10. Top of the screen, centred horizontally.
  Top = 0;
  Left = (s.widthTwips - clientWidth) / 2;
  // 11. Keys reach the gun whichever button has the focus.
  KeyPreview = true;
}

void frmBulwarn::Form_Activate() {
  if (g.blnRestartMission) {
    g.blnRestartMission = false;
    ResetMission();
    // Resumes the game that opening the Options menu paused.
    if (isPaused()) mnuPause_Click();
  }
  cmdReload.Visible = g.blnReloadEnabled;
  cmdRepair.Visible = g.blnRepairEnabled;
}

void frmBulwarn::Form_CloseRequested() {
  // Closing the battle window ends the program, as Abort Mission does.
  unloadEveryForm();
}

void frmBulwarn::unloadEveryForm() {
  static const char* const order[] = {"frmBulwarn", "frmIntroG", "frmOptionsG", "frmLoad",
                                      "frmPics",    "frmAbout",  "frmScoreG",   "frmWin"};
  for (const char* name : order) {
    if (forms::Form* f = p.rt.loadedForm(name)) f->Unload();
  }
  // Nothing else may keep the program alive.
  p.rt.unloadAll();
}

// ---------------------------------------------------------------- reset

void frmBulwarn::ResetMission() {
  g.intAmmo = 25;
  for (int i = 0; i <= 24; ++i) picAmmo(i).Visible = true;
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
  for (int i = 1; i <= 8; ++i) intHP[i] = 8;
  for (int i = 1; i <= 8; ++i) {
    imgUnit(i).Visible = true;
    imgUnit(i).Enabled = true;
  }
  for (int i = 1; i <= 6; ++i) {
    imgUnit(i).Top = lblBattlefield.Top + 10;
    shpShot(i).Top = lblBattlefield.Top + 10;
  }
  for (int i = 7; i <= 8; ++i) {
    imgUnit(i).Top = lblSky.Top + 10;
    shpShot(i).Top = lblSky.Top + 10;
  }
  g.intScore = 0;
  g.intKills = 0;
  g.blnVictory = g.blnDestroyed = g.blnBreached = false;
  g.blnAmmoBonusGranted = false;
  g.intAmmoBonus = 0;
  // Reloads and repairs count per mission, so the score report adds up.
  g.intReloads = 0;
  g.intRepairs = 0;
  tmrEnemy1.Interval = 5000;
  tmrEnemyTime.Interval = 10;
  intEnemyTime = 5000;
  // The gauge and the bar are full again: nothing to reload or repair.
  cmdReload.Enabled = false;
  cmdRepair.Enabled = false;
  if (!isPaused()) {
    // Give the gun back completely: a mission won at the end of a shot would
    // otherwise start with the keys and zone clicks still locked.
    setGunControls(true);
    tmrEnemy1.Enabled = true;
    tmrEnemyTime.Enabled = true;
    tmrMove.Enabled = true;
    tmrFly.Enabled = true;
  }
  g.intStartBonus = static_cast<std::int16_t>(difficultyBonus(g.strDifficulty));
  g.intScore = sat16(g.intScore + g.intStartBonus);
  showScore(false);
}

void frmBulwarn::showScore(bool signPosition) {
  lblScore.Caption = signPosition ? forms::strSigned(g.intScore) : forms::strPlain(g.intScore);
}

// Every end of a mission: nothing moves or attacks any more.
void frmBulwarn::haltEnemy() {
  tmrEnemy1.Enabled = false;
  tmrEnemy1.Interval = 0;
  tmrEnemyTime.Enabled = false;
  tmrMove.Enabled = false;
  tmrFly.Enabled = false;
  stopEnemySequences();
}

// The question after the end card; Yes starts a fresh mission.
bool frmBulwarn::offerNewMission(const char* prompt) {
  if (p.rt.msgBox(prompt, 52, "Start Over?") != mb::AnsYes) return false;
  ResetMission();
  return true;
}

bool frmBulwarn::missionOver() const { return g.blnVictory || g.blnDestroyed || g.blnBreached; }

// ---------------------------------------------------------------- messages

void frmBulwarn::TrimMessages() {
  if (lblMessage.Height > 2505.f) lblMessage.Caption = "";
}

void frmBulwarn::PostMessage(const std::string& text) {
  TrimMessages();
  lblMessage.Caption = lblMessage.Caption + kCrLf + text;
}

// ---------------------------------------------------------------- selection

void frmBulwarn::imgUnit_Click(int index) {
  ClearTarget();
  forms::Image& u = imgUnit(index);
  imgSelect.Visible = true;
  imgSelect.Left = u.Left - 60;
  imgSelect.Top = u.Top - 60;
  imgSelectT.Visible = true;
  intTarget = static_cast<std::int16_t>(index);
  picTarget.Picture = u.Picture;
  picTarget.BackColor = index > 6 ? lblSky.BackColor.get() : lblBattlefield.BackColor.get();
  for (int i = 0; i <= 7; ++i) hp(i).Visible = true;
  lblTargetDescription.BackColor = kYellow;
  lblTargetDescription.ForeColor = kRed;
  ShowTargetHP(intHP[index]);
  lblTargetDescription.Caption = unitDescription(index);
}

void frmBulwarn::ClearTarget() {
  imgSelect.Visible = false;
  imgSelectT.Visible = false;
  picTarget.Picture = nullptr;
  for (int i = 0; i <= 7; ++i) hp(i).Visible = false;
  picTarget.BackColor = forms::kSysDesktop;
  lblTargetDescription.Caption = "";
  lblTargetDescription.BackColor = forms::kSysDesktop;
  lblTargetDescription.ForeColor = forms::kSysButtonText;
}

void frmBulwarn::ShowTargetHP(std::int16_t hitPoints) {
  if (hitPoints >= 8) return;
  if (hitPoints >= 1) {
    for (int i = hitPoints; i <= 7; ++i) hp(i).Visible = false;
    return;
  }
  for (int i = 0; i <= 7; ++i) hp(i).Visible = false;
  ClearTarget();
}

void frmBulwarn::imgHit_Click() {
  if (imgUnit.has(intTarget) && imgUnit(intTarget).Enabled) imgUnit_Click(intTarget);
}

void frmBulwarn::lblSky_Click() { ClearTarget(); }
void frmBulwarn::lblBattlefield_Click() { ClearTarget(); }
void frmBulwarn::imgSight_Click() { ClearTarget(); }

// ---------------------------------------------------------------- traverse

int frmBulwarn::lineOfFire() const {
  const float left = imgSight.Left;
  const float right = imgSight.Left + imgSight.Width;
  for (int i = 1; i <= 8; ++i) {
    const forms::Image& u = imgUnit(i);
    if (left >= u.Left && right <= u.Left + u.Width && u.Visible) return i;
  }
  return 0;
}

void frmBulwarn::Form_KeyDown(int& keyCode, int /*shift*/) {
  if (keyCode == 37 && imgSight.Left > lblBattlefield.Left + 100) {
    imgSight.Left -= 100;
    imgGunShot.Left -= 100;
  } else if (keyCode == 39 && lblBattlefield.Left + lblBattlefield.Width - 100 > imgSight.Left + imgSight.Width) {
    imgSight.Left += 100;
    imgGunShot.Left += 100;
  } else if (keyCode == 13 || keyCode == 32) {
    cmdFire_Click();
    if (!isLoaded()) return;
  }
  const int i = lineOfFire();
  if (i) {
    imgUnit_Click(i);
  } else {
    ClearTarget();
  }
}

// ---------------------------------------------------------------- firing

// Clicks on the units and on the two zones.
void frmBulwarn::setTargetClicks(bool on) {
  for (int i = 1; i <= 8; ++i) imgUnit(i).Enabled = on;
  lblSky.Enabled = on;
  lblBattlefield.Enabled = on;
}

// Everything the player acts with: Fire, the keys, and the target clicks.
void frmBulwarn::setGunControls(bool on) {
  cmdFire.Enabled = on;
  KeyPreview = on;
  setTargetClicks(on);
}

void frmBulwarn::lockGun() {
  setGunControls(false);
  tmrEnemy1.Enabled = false;
}

void frmBulwarn::releaseGun() {
  if (isPaused()) {
    // A pause holds the gun: the resume gives it back and starts the attack
    // timer with the countdown's remaining time.
    tmrEnemy1.Interval = intEnemyTime;
    return;
  }
  // A reload or repair started while the shot played keeps the gun out of
  // action until it ends itself, as it does after an enemy attack.
  if (!blnReloading && !blnRepairing) {
    cmdFire.Enabled = true;
    KeyPreview = true;
  }
  setTargetClicks(true);
  // A finished mission gets no more enemy attacks.
  if (!missionOver()) {
    tmrEnemy1.Enabled = true;
    tmrEnemy1.Interval = intEnemyTime;
  }
}

int frmBulwarn::damageForDifficulty() const {
  const std::string& d = g.strDifficulty;
  if (d == "Easy") return intDamageEasy;
  if (d == "Medium") return intDamageMedium;
  if (d == "Hard") return intDamageHard;
  if (d == "Impossible") return intDamageImpossible;
  return 0;
}

void frmBulwarn::cmdFire_Click() {
  lockGun();
  const int found = lineOfFire();
  if (found) {
    imgUnit_Click(found);
    p.rt.Randomize();
    const int a = Int(p.rt.Rnd() * 2) + 1;
    p.rt.Randomize();
    const int b = Int(p.rt.Rnd() * 2) + 1;
    if (a != b) {
      if (imgSelect.Visible && g.intAmmo > 0) PostMessage("Miss");
      blnDirectHit = false;
    } else {
      blnDirectHit = true;
      if (imgSelect.Visible && g.intAmmo > 0) PostMessage("Direct Hit");
      intDamageEasy = static_cast<std::int16_t>(Int(p.rt.Rnd() * 5) + 4);
      intDamageMedium = static_cast<std::int16_t>(Int(p.rt.Rnd() * 4) + 3);
      intDamageHard = static_cast<std::int16_t>(Int(p.rt.Rnd() * 3) + 2);
      intDamageImpossible = static_cast<std::int16_t>(Int(p.rt.Rnd() * 2) + 1);
      if (g.intAmmo > 0 && imgUnit.has(intTarget)) {
        intHP[intTarget] = sat16(intHP[intTarget] - damageForDifficulty());
      }
    }
  } else {
    PostMessage(imgSelect.Visible ? "Target Not In Line Of Fire!" : "Target Not Identified!");
    ClearTarget();
    releaseGun();
  }
  // Spend the round; an empty gun keeps counting down, but never wraps.
  if (imgSelect.Visible) {
    g.intAmmo = sat16(g.intAmmo - 1);
    p.sound.PlayMaingun();
  }
  if (g.intAmmo < 25) cmdReload.Enabled = true;
  if (imgSelect.Visible && g.intAmmo >= 0) {
    picAmmo(g.intAmmo).Visible = false;
    tmrShot.Interval = 50;
  } else if (g.intAmmo < 0) {
    PostMessage("OUT OF AMMUNITION!");
    releaseGun();
  } else {
    // Nothing was fired (the unit above the gun had no hit points left and
    // dropped out of the selection): give the gun back rather than lock it
    // for good.
    releaseGun();
  }
  // Every enemy already gone: the mission is won.
  bool anyVisible = false;
  for (int i = 1; i <= 8; ++i) anyVisible = anyVisible || imgUnit(i).Visible;
  if (!anyVisible && !missionOver()) {
    // Ends like every other mission: the enemy's timers stop and the banner
    // tells the outcome (a mission never ends twice).
    lblVictory.Caption = "MISSION ACCOMPLISHED";
    haltEnemy();
    // The outcome is recorded before the score report opens, so nothing that
    // ticks while the report is up can end the mission a second time.
    g.blnVictory = true;
    mnuScore_Click();
    showScore(false);
    p.frmWin().ShowModal();
    offerNewMission("Would You Like To Start a New Game?");
  }
}

void frmBulwarn::tmrShot_Timer() {
  if (intShotStep < 12) {
    imgGunShot.Visible = true;
    imgGunShot.Picture = p.frmPics().imgGunBlast(intShotStep).Picture;
    ++intShotStep;
    return;
  }
  if (intShotStep == 12) {
    imgGunShot.Visible = false;
    if (blnDirectHit) {
      tmrHit.Interval = 50;
      p.sound.PlayArtilleryHit();
    } else {
      releaseGun();
    }
    intShotStep = 0;
    tmrShot.Interval = 0;
  }
}

// ---------------------------------------------------------------- hits and blasts

void frmBulwarn::tmrHit_Timer() {
  if (imgUnit.has(intTarget)) {
    forms::Image& u = imgUnit(intTarget);
    imgHit.Visible = true;
    imgHit.Left = u.Left + 120;
    imgHit.Top = u.Top;
    frmPics& pics = p.frmPics();
    forms::ControlArray<forms::Image>* set = nullptr;
    switch (intTarget) {
      case 1:
      case 6: set = &pics.imgHitD; break;
      case 2:
      case 5: set = &pics.imgHitC; break;
      case 3:
      case 4: set = &pics.imgHitB; break;
      default: set = &pics.imgHitA; break;
    }
    if (set->has(intHitStep)) imgHit.Picture = (*set)(intHitStep).Picture;
  }
  ++intHitStep;
  if (intHitStep >= 15) {
    intHitStep = 0;
    tmrHit2.Interval = 50;
    tmrHit.Interval = 0;
  }
}

void frmBulwarn::tmrHit2_Timer() {
  imgHit.Visible = false;
  if (imgUnit.has(intTarget)) ShowTargetHP(intHP[intTarget]);
  for (int k : kKillOrder) {
    if (imgUnit(k).Visible && intHP[k] <= 0) {
      tmrBlast.Interval = 50;
      break;
    }
  }
  if (tmrBlast.Interval != 50) rearmGun();
  tmrHit2.Interval = 0;
}

void frmBulwarn::tmrBlast_Timer() {
  p.rt.Randomize();
  intBlastKind = static_cast<std::int16_t>(Int(2 * p.rt.Rnd() + 1));
  frmPics& pics = p.frmPics();
  for (int k : kKillOrder) {
    forms::Image& u = imgUnit(k);
    if (!u.Visible || intHP[k] > 0) continue;
    forms::Image& blast = k <= 6 ? imgBlastG : imgBlastA;
    if (k <= 6) {
      blast.Left = u.Left - 200;
      blast.Top = u.Top - 1000;
    } else {
      blast.Left = u.Left - 200;
      blast.Top = u.Top - 200;
    }
    blast.Visible = true;
    u.Visible = false;
    u.Enabled = false;
    PostMessage("Target Destroyed");
    g.intScore = sat16(g.intScore + 10);
    g.intKills = sat16(g.intKills + 1);
    if (k <= 6) {
      if (intBlastKind == 1) {
        imgBlastG.Picture = pics.imgBlastA(0).Picture;
        p.sound.PlayLargExplos();
      } else {
        imgBlastG.Picture = pics.imgBlastB(0).Picture;
        p.sound.PlayBattleBang();
      }
    } else {
      imgBlastA.Picture = pics.imgBlastC(0).Picture;
      p.sound.PlayJetCrash();
    }
  }
  tmrBlast2.Interval = 50;
  tmrBlast.Interval = 0;
}

void frmBulwarn::tmrBlast2_Timer() {
  ++intBlastStep;
  frmPics& pics = p.frmPics();
  if (pics.imgBlastA.has(intBlastStep)) {
    if (imgBlastG.Visible) {
      imgBlastG.Picture = (intBlastKind == 1 ? pics.imgBlastA : pics.imgBlastB)(intBlastStep).Picture;
    } else if (imgBlastA.Visible) {
      imgBlastA.Picture = pics.imgBlastC(intBlastStep).Picture;
    }
  }
  if (intBlastStep >= 15) {
    intBlastStep = 0;
    tmrBlast3.Interval = 50;
    tmrBlast2.Interval = 0;
  }
}

void frmBulwarn::tmrBlast3_Timer() {
  imgBlastG.Visible = false;
  imgBlastA.Visible = false;
  bool anyVisible = false;
  for (int i = 1; i <= 8; ++i) anyVisible = anyVisible || imgUnit(i).Visible;
  if (!anyVisible && missionOver()) {
    // Already won (or lost) while the explosion played: nothing more to do.
  } else if (!anyVisible) {
    haltEnemy();
    lblVictory.Caption = "MISSION ACCOMPLISHED";
    tmrBlast3.Interval = 0;
    g.blnVictory = true;  // before the report: see cmdFire_Click
    mnuScore_Click();
    p.frmWin().ShowModal();
    showScore(true);
    offerNewMission("Would You Like To Start a New Game?");
  } else {
    rearmGun();
  }
  tmrBlast3.Interval = 0;
}

void frmBulwarn::rearmGun() {
  showScore(true);
  releaseGun();
}

// ---------------------------------------------------------------- ground advance

void frmBulwarn::tmrMove_Timer() {
  for (int k = 1; k <= 6; ++k) {
    if (intHP[k] <= 0) continue;
    const int step = intHP[k] * kAdvance[k];
    imgUnit(k).Top += static_cast<float>(step);
    shpShot(k).Top += static_cast<float>(step);
  }
  if (imgSelect.Visible && imgUnit.has(intTarget)) {
    imgSelect.Left = imgUnit(intTarget).Left - 60;
    imgSelect.Top = imgUnit(intTarget).Top - 60;
  }
  bool breached = false;
  for (int k = 1; k <= 6; ++k) {
    const float lower = imgUnit(k).Top + imgUnit(k).Height;
    if (lower > GunLimit.Y1) breached = true;
  }
  if (!breached) return;
  GunLimit.BorderColor = kRed;
  lblVictory.Caption = "MISSION FAILED";
  haltEnemy();
  g.blnBreached = true;
  mnuScore_Click();
  showScore(false);
  p.frmWin().ShowModal();
  offerNewMission("Would You Like To Start Over?");
}

// ---------------------------------------------------------------- flight

void frmBulwarn::tmrFly_Timer() {
  const float skyLeft = lblSky.Left, skyTop = lblSky.Top, skyW = lblSky.Width, skyH = lblSky.Height;
  auto fly = [&](int k, std::int16_t& dx, std::int16_t& dy, float sideLo, float sideHi) {
    if (intHP[k] <= 0) return;
    forms::Image& u = imgUnit(k);
    const float speed = intHP[k];
    u.Left += static_cast<float>(dx) * speed;
    shpShot(k).Left += static_cast<float>(dx) * speed;
    u.Top += static_cast<float>(dy) * speed;
    shpShot(k).Top += static_cast<float>(dy) * speed;
    const float right = u.Left + u.Width;
    if (u.Left <= sideLo || right >= sideHi) {
      dx = static_cast<std::int16_t>(-dx);
      p.rt.Randomize();
      dy = static_cast<std::int16_t>(Int(p.rt.Rnd() * 3 - 1));
    }
    const float bottom = u.Top + u.Height;
    if (u.Top <= skyTop + 10 || bottom >= skyTop + skyH - 10) {
      dy = static_cast<std::int16_t>(-dy);
      p.rt.Randomize();
      dx = static_cast<std::int16_t>(Int(p.rt.Rnd() * 3 - 1));
    }
  };
  const float half = skyW / 2;
  for (int step = 0; step < 10; ++step) {
    fly(7, intFly7X, intFly7Y, skyLeft + 10, skyLeft + half - 10);
    fly(8, intFly8X, intFly8Y, skyLeft + half + 10, skyLeft + skyW - 10);
    if (imgSelect.Visible && imgUnit.has(intTarget)) {
      imgSelect.Left = imgUnit(intTarget).Left - 60;
      imgSelect.Top = imgUnit(intTarget).Top - 60;
    }
  }
}

// ---------------------------------------------------------------- enemy attacks

void frmBulwarn::tmrEnemyTime_Timer() {
  if (intEnemyTime == 10) {
    intEnemyTime = 5000;
  } else {
    intEnemyTime = static_cast<std::int16_t>(intEnemyTime - 10);
  }
}

void frmBulwarn::tmrEnemy1_Timer() {
  // No attack begins during a pause or after the mission has ended.
  if (isPaused() || missionOver()) return;
  PostMessage("Enemy Attack");
  if (tmrEnemy1.Interval < 5000) tmrEnemy1.Interval = 5000;
  setGunControls(false);
  tmrEnemy2.Interval = 50;
}

void frmBulwarn::setFlashColor(forms::OleColor c) {
  BackColor = c;
  fraCommand.BackColor = c;
  fraHP.BackColor = c;
  fraSelect.BackColor = c;
  fraAmmo.BackColor = c;
}

bool frmBulwarn::shotUnderWay() const {
  return tmrShot.Interval != 0 || tmrHit.Interval != 0 || tmrHit2.Interval != 0 || tmrBlast.Interval != 0 ||
         tmrBlast2.Interval != 0 || tmrBlast3.Interval != 0;
}

void frmBulwarn::releaseAfterAttack() {
  // A shot still playing keeps its own lock until it ends: a second round
  // fired in the middle of it would overwrite its hit, and a unit it had
  // already destroyed would never explode (the mission could not be won).
  if (blnReloading || blnRepairing || isPaused() || shotUnderWay()) return;
  setGunControls(true);
}

void frmBulwarn::stopEnemySequences() {
  tmrEnemy2.Interval = 0;
  tmrEnemy3.Interval = 0;
  intAttackStep = 0;
  intDamageStep = 0;
  for (int i = 1; i <= 8; ++i) shpShot(i).Visible = false;
  setFlashColor(forms::kSysDesktop);
}

void frmBulwarn::tmrEnemy2_Timer() {
  const bool attackerShown = imgUnit.has(intAttacker) && imgUnit(intAttacker).Visible;
  if (intAttackStep >= 1 && intAttackStep <= 8 && !attackerShown) {
    // The attacker was destroyed meanwhile: it cannot hit any more.
    if (shpShot.has(intAttacker)) shpShot(intAttacker).Visible = false;
    releaseAfterAttack();
    intAttackStep = 0;
    tmrEnemy2.Interval = 0;
    return;
  }
  switch (intAttackStep) {
    case 0: {
      bool anyVisible = false;
      for (int i = 1; i <= 8; ++i) anyVisible = anyVisible || imgUnit(i).Visible;
      if (!anyVisible) {
        // Nobody left to attack with: the attack is abandoned.
        tmrEnemy1.Enabled = false;
        tmrEnemy1.Interval = 0;
        releaseAfterAttack();
        tmrEnemy2.Interval = 0;
        return;
      }
      while (true) {
        intAttacker = static_cast<std::int16_t>(Int(p.rt.Rnd() * 8 + 1));
        if (imgUnit.has(intAttacker) && imgUnit(intAttacker).Visible) break;
      }
      imgUnit_Click(intAttacker);
      shpShot(intAttacker).Visible = true;
      shpShot(intAttacker).FillColor = kOrange;
      switch (intAttacker) {
        case 2:
        case 5: p.sound.PlayCannonAttack(); break;
        case 3:
        case 4: p.sound.PlayMachGunAttack(); break;
        default: p.sound.PlayMissileAttack(); break;
      }
      intAttackStep = 1;
      break;
    }
    case 1:
    case 3:
    case 5:
      shpShot(intAttacker).FillColor = kYellow;
      ++intAttackStep;
      break;
    case 2:
    case 4:
    case 6:
      shpShot(intAttacker).FillColor = kOrange;
      ++intAttackStep;
      break;
    case 7:
      shpShot(intAttacker).Visible = false;
      intAttackStep = 8;
      break;
    case 8: {
      releaseAfterAttack();
      p.rt.Randomize();
      const int a = Int(2 * p.rt.Rnd() + 1);
      p.rt.Randomize();
      const int b = Int(2 * p.rt.Rnd() + 1);
      if (a == b) {
        PostMessage("Enemy Hit");
        setFlashColor(kRed);
        tmrEnemy3.Interval = 50;
        intAttackStep = 0;
      } else {
        intAttackStep = 0;
        PostMessage("Enemy Miss");
      }
      tmrEnemy2.Interval = 0;
      break;
    }
    default:
      intAttackStep = 0;
      tmrEnemy2.Interval = 0;
      break;
  }
}

void frmBulwarn::tmrEnemy3_Timer() {
  switch (intDamageStep) {
    case 0:
      setFlashColor(kOrange);
      intDamageStep = 1;
      return;
    case 1:
      setFlashColor(kYellow);
      intDamageStep = 2;
      return;
    case 2:
      setFlashColor(kOrange);
      intDamageStep = 3;
      return;
    case 3:
      setFlashColor(kRed);
      intDamageStep = 4;
      return;
    case 4: break;
    default:
      intDamageStep = 0;
      tmrEnemy3.Interval = 0;
      return;
  }
  const std::string& d = g.strDifficulty;
  if (d == "Easy") intGunDamage = static_cast<std::int16_t>(Int(p.rt.Rnd() * 201 + 200));
  if (d == "Medium") intGunDamage = static_cast<std::int16_t>(Int(p.rt.Rnd() * 301 + 300));
  if (d == "Hard") intGunDamage = static_cast<std::int16_t>(Int(p.rt.Rnd() * 501 + 500));
  if (d == "Impossible") intGunDamage = static_cast<std::int16_t>(Int(p.rt.Rnd() * 2001 + 1000));
  setFlashColor(forms::kSysDesktop);
  bool survived = true;
  if (HPBar.Width < static_cast<float>(intGunDamage)) {
    survived = false;
    // The gun is destroyed.
    HPBar.Width = 0;
    haltEnemy();
    lblVictory.Caption = "MISSION FAILED";
    g.blnDestroyed = true;
    p.frmWin().ShowModal();
    if (!offerNewMission("Would You Like To Start Over?")) {
      cmdFire.Enabled = false;
      cmdReload.Enabled = false;
      cmdRepair.Enabled = false;
      KeyPreview = false;  // a destroyed gun fires no more, by key either
    }
  } else {
    HPBar.Width -= static_cast<float>(intGunDamage);
    if (!blnReloading && !blnRepairing && !isPaused()) cmdRepair.Enabled = true;
    const float w = HPBar.Width;
    if (w > 2124 && w < 4720) {
      HPBar.FillColor = kYellow;
    } else if (w <= 2124) {
      HPBar.FillColor = kRed;
    }
  }
  tmrEnemy3.Interval = 0;
  intDamageStep = 0;
  if (!survived) return;
  // A follow-up from the same attacker, while it is still there and the game runs.
  const bool attackerShown = imgUnit.has(intAttacker) && imgUnit(intAttacker).Visible;
  if (!attackerShown || isPaused() || missionOver()) return;
  const int v = Int(p.rt.Rnd() * 3 + 1);
  if (v > intSalvoCount) {
    intSalvoCount = static_cast<std::int16_t>(intSalvoCount + 1);
    intAttackStep = 1;
    tmrEnemy2.Interval = 50;
  } else {
    intSalvoCount = 0;
  }
}

// ---------------------------------------------------------------- reload and repair

void frmBulwarn::cmdReload_Click() {
  cmdFire.Enabled = false;
  cmdRepair.Enabled = false;
  cmdReload.Enabled = false;
  KeyPreview = false;
  tmrReload.Interval = 500;
  blnReloading = true;
}

void frmBulwarn::tmrReload_Timer() {
  int first = -1;
  for (int i = 0; i <= 24; ++i) {
    if (!picAmmo(i).Visible) {
      first = i;
      break;
    }
  }
  if (first >= 0 && first < 24) {
    picAmmo(first).Visible = true;
    return;
  }
  if (first == 24) {
    picAmmo(24).Visible = true;
    g.intReloads = sat16(g.intReloads + 1);
    g.intAmmo = 25;
    g.intScore = sat16(g.intScore - 5);
    showScore(true);
  }
  // Also the target clicks an attack may have left locked during the reload.
  setGunControls(true);
  if (HPBar.Width < HPBorder.Width) cmdRepair.Enabled = true;
  tmrReload.Interval = 0;
  blnReloading = false;
}

void frmBulwarn::cmdRepair_Click() {
  cmdFire.Enabled = false;
  cmdReload.Enabled = false;
  KeyPreview = false;
  cmdRepair.Enabled = false;
  tmrRepair.Interval = 10;
  blnRepairing = true;
}

void frmBulwarn::tmrRepair_Timer() {
  const float h = HPBar.Width;
  const float b = HPBorder.Width;
  if (h >= b) {
    setGunControls(true);
    if (g.intAmmo < 25) cmdReload.Enabled = true;
    tmrRepair.Interval = 0;
    blnRepairing = false;
    return;
  }
  if (h >= b - 10) {
    HPBar.Width = b;
    g.intRepairs = sat16(g.intRepairs + 1);
    g.intScore = sat16(g.intScore - 5);
    showScore(true);
  } else {
    HPBar.Width = h + 10;
  }
  const float nh = HPBar.Width;
  const double bd = b;
  if (static_cast<float>(bd / 3) < nh && nh < static_cast<float>(0.6 * bd)) {
    HPBar.FillColor = kYellow;
  } else if (nh > static_cast<float>(2 * bd / 3)) {
    HPBar.FillColor = kGreen;
  }
}

// ---------------------------------------------------------------- pause and menus

void frmBulwarn::PauseForMenu() {
  tmrShot.Enabled = false;
  tmrEnemy1.Enabled = false;
  tmrReload.Enabled = false;
  tmrRepair.Enabled = false;
  tmrEnemyTime.Enabled = false;
  tmrMove.Enabled = false;
  tmrFly.Enabled = false;
  setGunControls(false);
  cmdReload.Enabled = false;
  cmdRepair.Enabled = false;
  if (lblVictory.Caption.get().empty()) {
    lblMessage.Caption = std::string(kCrLf) + "[PAUSED]";
    lblVictory.Caption = "[PAUSED]";
  }
  mnuPause.setChecked(true);
}

void frmBulwarn::mnuPause_Click() {
  if (!mnuPause.checked()) {
    PauseForMenu();
    return;
  }
  if (lblVictory.Caption == "[PAUSED]") {
    lblMessage.Caption = "";
    lblVictory.Caption = "";
  }
  if (missionOver()) {
    // A finished mission stays finished: nothing moves, attacks or fires again
    // until a new mission starts.
    lblMessage.Caption = "";
    mnuPause.setChecked(false);
    return;
  }
  // A reload or repair under way keeps the gun until it ends itself; so does
  // a shot still playing (Fire, keys, clicks and the attack trigger), or a
  // second round could go off in the middle of the first.
  const bool busy = blnReloading || blnRepairing;
  const bool shooting = shotUnderWay();
  if (!busy && !shooting) cmdFire.Enabled = true;
  if (g.intAmmo < 25) {
    if (!busy) cmdReload.Enabled = true;
    tmrReload.Enabled = true;
  }
  if (HPBar.Width < 7080.f && !busy) cmdRepair.Enabled = true;
  tmrRepair.Enabled = true;  // an idle timer has interval 0 and stays silent
  if (!busy && !shooting) KeyPreview = true;
  if (!shooting) setTargetClicks(true);
  lblMessage.Caption = "";
  tmrShot.Enabled = true;
  if (!shooting) tmrEnemy1.Enabled = true;
  tmrEnemyTime.Enabled = true;
  tmrReload.Enabled = true;
  tmrMove.Enabled = true;
  tmrFly.Enabled = true;
  mnuPause.setChecked(false);
}

void frmBulwarn::mnuGame_Click() { PauseForMenu(); }
void frmBulwarn::mnuView_Click() { PauseForMenu(); }
void frmBulwarn::mnuOptions_Click() { PauseForMenu(); }
void frmBulwarn::mnuHelp_Click() { PauseForMenu(); }

void frmBulwarn::mnuRestart_Click() {
  if (p.rt.msgBox("Really Restart?", 52, "Restart Mission?") == mb::AnsYes) {
    ResetMission();
    if (isPaused()) mnuPause_Click();
  }
}

void frmBulwarn::mnuNew_Click() {
  if (p.rt.msgBox("Are You Sure You Want To Start a New Game?", 52, "New Mission?") == mb::AnsYes) {
    Program& program = p;
    Unload();
    program.frmBulwarn().Show();
  }
}

void frmBulwarn::mnuExit_Click() {
  if (p.rt.msgBox("Are You Sure You Want To Abort?", 20, "Abort Mission?") == mb::AnsYes) unloadEveryForm();
}

void frmBulwarn::mnuLoad_Click() { p.rt.msgBox("This Feature Not Yet Available In This Edition", 32, "Load Game"); }

void frmBulwarn::mnuSave_Click() { p.rt.msgBox("This Feature Not Yet Available In This Edition", 32, "Save Game"); }

void frmBulwarn::mnuContents_Click() {
  p.rt.msgBox("The Help Contents Are Currently Not Available In This Version.", 32, "Help Files");
}

void frmBulwarn::mnuDifficulty_Click() { p.frmOptionsG().Show(); }
void frmBulwarn::mnuIntro_Click() { p.frmIntroG().ShowModal(); }
void frmBulwarn::mnuAbout_Click() { p.frmAbout().ShowModal(); }

void frmBulwarn::mnuScore_Click() {
  bool anyVisible = false;
  for (int i = 1; i <= 8; ++i) anyVisible = anyVisible || imgUnit(i).Visible;
  // The ammunition bonus is granted once per mission, however often the
  // report is opened afterwards.
  if (!anyVisible && !g.blnAmmoBonusGranted) {
    g.blnAmmoBonusGranted = true;
    g.intAmmoBonus = sat16(2 * static_cast<long long>(g.intAmmo));
    g.intScore = sat16(g.intAmmoBonus + static_cast<long long>(g.intScore));
    showScore(true);
  }
  p.frmScoreG().ShowModal();
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
    if (!text.empty()) text += kCrLf;
    text += l;
  }
  p.rt.msgBox(text, 64, "Calculating Score");
}

}  // namespace bulwarn

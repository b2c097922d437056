#include "screens/frmIntroG.h"

#include "state/Game.h"

namespace bulwarn {

namespace {
struct IntroLine {
  float top;
  const char* text;
};
const IntroLine kLines[20] = {
    {0, "Introduction"},
    {420, "Greetings Recruit,"},
    {840, "Welcome To The Virtual Gunnery Training Program."},
    {1020, "In this lesson you will be placed in command of a Bulwarn Field Gun simulation."},
    {1200, "In this mission you must defend your sector from enemy attack."},
    {1380, "Aim your turret and fire at anything that moves!"},
    {1620, "Don't let them breach the parimeter line!"},
    {1860, "Instructions:"},
    {2100, "- Use the Left and Right Arrow Keys to move the gun."},
    {2280, "- Move the gun until it is aligned with an enemy target."},
    {2475,
     "- You can tell when an enemy is in your line of fire when it is automatically selected by the "
     "Auto-Targeting System"},
    {2880, "- Press the [Fire] button to shoot a round."},
    {3060, "- There is a random chance that you will hit the target or miss."},
    {3240,
     "- If you run out of Ammunition, press the [Reload] button, it may take some time to Reload, and while "
     "Reloading you cannot move or fire the gun"},
    {3780, "Important Tips/Notes:"},
    {4020, "- The Enemy will periodically attack and there is a random chance that your position will take damage."},
    {4440, "- You can repair damage but it takes some time and you can't do anything in that time "},
    {4680,
     "- At Harder Difficulties Your Shots Do Less Damage and The Enemy Can Take More Punishment, while the "
     "enemies attacks become more powerful. "},
    {5220, "P.S.    To Add A Little More Challenge To The Game, Calibrate The Difficulty Using The Options Menu!"},
    {5640, "(The Default Setting is Easy)"},
};
}  // namespace

frmIntroG::frmIntroG(Game& game) : forms::Form(game.rt, "frmIntroG") {
  Caption = "Introduction/Instructions";
  clientWidth = 9255;
  clientHeight = 6555;
  BackColor = 0x00FF8080;
  startPosition = forms::StartPosition::CenterScreen;

  picTank1.move(1050, 240, 990, 750);
  picTank1.Picture = game.picture("intro_tank", 66, 50);
  picTank1.BackColor = 0x00FF8080;
  picAdvance.move(60, 1380, 3075, 1875);
  picAdvance.Picture = game.picture("picAdvance", 205, 125);
  picArrows.move(90, 3720, 3000, 1800);
  picArrows.Picture = game.picture("intro_arrows", 200, 120);
  picArrows.BackColor = 0x00FF8080;

  for (int i = 0; i <= 19; ++i) {
    forms::Label& l = lblIntro(i);
    const float next = i < 19 ? kLines[i + 1].top : kLines[i].top + 300;
    l.move(3180, kLines[i].top, 6015, next - kLines[i].top);
    l.Caption = kLines[i].text;
    l.BackColor = 0x00FF8080;
    l.ForeColor = 0x0000FFFF;
    l.transparent = true;
    const bool heading = i == 0 || i == 7 || i == 14;
    l.font = heading ? forms::Font{"MS Sans Serif", 12, true} : forms::Font{"MS Sans Serif", 8.25f, false};
    if (i == 19) l.alignment = forms::Align::Center;
  }
  cmdOK.move(5580, 6060, 1215, 375);
  cmdOK.Caption = "O&K";
  cmdOK.isDefault = true;
  cmdOK.Click = [this] { cmdOK_Click(); };
}

}  // namespace bulwarn

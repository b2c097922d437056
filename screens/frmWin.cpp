#include "screens/frmWin.h"

#include "state/Game.h"

namespace bulwarn {

frmWin::frmWin(Game& game) : forms::Form(game.rt, "frmWin"), p(game) {
  Caption = "Mission End";
  clientWidth = 7620;
  clientHeight = 5865;
  BackColor = 0x00FF0000;
  startPosition = forms::StartPosition::WindowsDefault;
  struct Slot {
    forms::PictureBox* pic;
    const char* name;
    float top;
  };
  const Slot slots[8] = {{&picPeace, "picPeace", 60},           {&picGrid, "picGrid", 60},
                         {&picConquer, "picConquer", 60},       {&picCity, "picCity", 1980},
                         {&picCityRuins, "picCityRuins", 1980}, {&picTankRuins, "picTankRuins", 1980},
                         {&picLiberate, "picLiberate", 3900},   {&picInvade, "picInvade", 3900}};
  for (const Slot& s : slots) {
    s.pic->move(120, s.top, 3075, 1875);
    s.pic->Picture = p.picture(s.name, 205, 125);
    s.pic->Visible = false;
  }
  struct Text {
    forms::Label* l;
    float top, height;
    forms::OleColor color;
    forms::Font font;
  };
  const Text texts[5] = {{&lblTitle, 60, 615, 0x000000FF, {"MS Sans Serif", 13.5f, true}},
                         {&lblMission, 780, 855, 0x0000FFFF, {"MS Sans Serif", 9.75f, true}},
                         {&lblStatus, 1740, 1095, 0x0000FFFF, {"MS Sans Serif", 9.75f, true}},
                         {&lblRank, 2940, 615, 0x0000FFFF, {"MS Sans Serif", 9.75f, true}},
                         {&lblWin, 3660, 735, 0x000000FF, {"MS Sans Serif", 13.5f, true}}};
  for (const Text& t : texts) {
    t.l->move(3435, t.top, 3975, t.height);
    t.l->BackColor = forms::kSysHighlight;
    t.l->ForeColor = t.color;
    t.l->border = true;
    t.l->font = t.font;
    t.l->alignment = forms::Align::Center;
  }
  cmdFinish.move(4800, 4980, 1575, 495);
  cmdFinish.Caption = "&Finish";
  cmdFinish.isDefault = true;
  cmdFinish.Click = [this] { cmdFinish_Click(); };
}

void frmWin::Form_Load() {
  const modVexilla& g = p.vex;
  const char* title = nullptr;
  const char* mission = nullptr;
  const char* status = nullptr;
  const char* rank = nullptr;
  const char* win = nullptr;
  forms::PictureBox* top = nullptr;
  forms::PictureBox* middle = nullptr;
  forms::PictureBox* bottom = nullptr;
  if (g.blnVictory) {
    title = "MISSION ACCOMLISHED";
    mission = "Enemy Forces are Retreating from this Sector!";
    status = "This Sector has been Secured! Peace has been Restored!";
    rank = "Status: PROMOTED TO PEACEKEEPER";
    win = "VICTORY!";
    top = &picPeace;
    middle = &picCity;
    bottom = &picLiberate;
  } else if (g.blnDestroyed) {
    title = "MISSION FAILED";
    mission = "You are a Casualty of War!";
    status = "Enemy Forces have Pillaged the Area and Laid Waste to the City!";
    rank = "Status: KILLED IN ACTION";
    win = "DEFEAT!";
    top = &picConquer;
    middle = &picTankRuins;
    bottom = &picInvade;
  } else if (g.blnBreached) {
    title = "MISSION FAILED";
    mission = "Enemy Forces have breached the Perimeter!";
    status = "The City lies in Ruins and the Sector has been Overrun!";
    rank = "Status: PRISONER OF WAR";
    win = "DEFEAT!";
    top = &picGrid;
    middle = &picCityRuins;
    bottom = &picInvade;
  } else {
    return;
  }
  lblTitle.Caption = title;
  lblMission.Caption = mission;
  lblStatus.Caption = status;
  lblRank.Caption = rank;
  lblWin.Caption = win;
  top->Visible = true;
  middle->Visible = true;
  bottom->Visible = true;
}

}  // namespace bulwarn

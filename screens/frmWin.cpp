#include "screens/frmWin.h"

#include "state/Game.h"

namespace bulwarn {

frmWin::frmWin(Game& game) : forms::Form(game.rt, "frmWin"), game_(game) {
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
    s.pic->Picture = game_.picture(s.name, 205, 125);
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

namespace {

// What the card says and shows for each outcome.
struct Card {
  const char* title;
  const char* mission;
  const char* status;
  const char* rank;
  const char* win;
  forms::PictureBox frmWin::*top;
  forms::PictureBox frmWin::*middle;
  forms::PictureBox frmWin::*bottom;
};

const Card kVictory{"MISSION ACCOMLISHED",
                    "Enemy Forces are Retreating from this Sector!",
                    "This Sector has been Secured! Peace has been Restored!",
                    "Status: PROMOTED TO PEACEKEEPER",
                    "VICTORY!",
                    &frmWin::picPeace,
                    &frmWin::picCity,
                    &frmWin::picLiberate};
const Card kDestroyed{"MISSION FAILED",
                      "You are a Casualty of War!",
                      "Enemy Forces have Pillaged the Area and Laid Waste to the City!",
                      "Status: KILLED IN ACTION",
                      "DEFEAT!",
                      &frmWin::picConquer,
                      &frmWin::picTankRuins,
                      &frmWin::picInvade};
const Card kBreached{"MISSION FAILED",
                     "Enemy Forces have breached the Perimeter!",
                     "The City lies in Ruins and the Sector has been Overrun!",
                     "Status: PRISONER OF WAR",
                     "DEFEAT!",
                     &frmWin::picGrid,
                     &frmWin::picCityRuins,
                     &frmWin::picInvade};

}  // namespace

void frmWin::Form_Load() {
  const modVexilla& vex = game_.vex;
  const Card* card = vex.blnVictory     ? &kVictory
                     : vex.blnDestroyed ? &kDestroyed
                     : vex.blnBreached  ? &kBreached
                                        : nullptr;
  if (!card) return;
  lblTitle.Caption = card->title;
  lblMission.Caption = card->mission;
  lblStatus.Caption = card->status;
  lblRank.Caption = card->rank;
  lblWin.Caption = card->win;
  (this->*card->top).Visible = true;
  (this->*card->middle).Visible = true;
  (this->*card->bottom).Visible = true;
}

}  // namespace bulwarn

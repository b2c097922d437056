#include "screens/frmLoad.h"

#include "state/Game.h"
#include "screens/frmPics.h"

namespace bulwarn {

frmLoad::frmLoad(Game& game) : forms::Form(game.rt, "frmLoad"), game_(game) {
  Caption = "Form1";
  clientWidth = 6165;
  clientHeight = 2190;
  BackColor = 0x00008000;
  startPosition = forms::StartPosition::CenterScreen;
  shpBorder.move(0, 0, 6145, 2175);
  shpBorder.filled = false;
  shpBorder.BorderColor = 0x00000000;
  lblLoad.move(2040, 240, 2175, 495);
  lblLoad.Caption = "Loading . . .";
  lblLoad.ForeColor = 0x000000FF;
  lblLoad.BackColor = 0x00008000;
  lblLoad.font = {"MS Sans Serif", 18, true};
  lblLoad.alignment = forms::Align::Center;
  ProgressBar.move(60, 1080, 6015, 315);
  tmrLoad.Tick = [this] { tmrLoad_Timer(); };
}

void frmLoad::Form_Load() {
  ProgressBar.Value = 0;
  tmrLoad.Interval = 10;
}

void frmLoad::tmrLoad_Timer() {
  if (ProgressBar.Value == 50.f) game_.form<frmPics>();  // loads the picture store once
  if (ProgressBar.Value == 100.f) {
    Unload();
  } else {
    ProgressBar.Value = ProgressBar.Value + 2;
  }
}

}  // namespace bulwarn

#include "screens/frmAbout.h"

#include "state/Game.h"

namespace bulwarn {

frmAbout::frmAbout(Game& game) : forms::Form(game.rt, "frmAbout") {
  Caption = "About";
  clientWidth = 6600;
  clientHeight = 4785;
  startPosition = forms::StartPosition::CenterScreen;
  imgLogo.move(82, 60, 6435, 1800);
  imgLogo.Picture = game.picture("about_logo", 429, 120);
  forms::PictureBox* slides[5] = {&picFighter, &picShip, &picGarage, &picBase, &picPod};
  const char* names[5] = {"picFighter", "picShip", "picGarage", "picBase", "picPod"};
  for (int i = 0; i < 5; ++i) {
    slides[i]->move(120, 2040, 3075, 1875);
    slides[i]->Picture = game.picture(names[i], 205, 125);
    slides[i]->Visible = false;
  }
  const char* text[7] = {"Bulwarn",
                         "A field-gun defence game",
                         "Version 2.0",
                         "Design and programming: the Bulwarn team",
                         "Artwork and sound effects made for this game",
                         "Built with C++17 and Qt 6",
                         "Thank you for playing. Hold the line!"};
  const float tops[7] = {1980, 2370, 2640, 3000, 3330, 3660, 3990};
  for (int i = 0; i <= 6; ++i) {
    lblAbout(i).move(3360, tops[i], 3120, i == 0 ? 390 : 330);
    lblAbout(i).Caption = text[i];
    lblAbout(i).transparent = true;
    lblAbout(i).font = i == 0 ? forms::Font{"MS Sans Serif", 13.5f, true} : forms::Font{"MS Sans Serif", 8.25f, false};
  }
  cmdDone.move(5160, 4320, 1215, 375);
  cmdDone.Caption = "&Done";
  cmdDone.isDefault = true;
  cmdDone.Click = [this] { cmdDone_Click(); };
  tmrSlides.Tick = [this] { tmrSlides_Timer(); };
}

void frmAbout::Form_Load() {
  picFighter.Visible = true;
  // A slide a second, counted from the moment the box is loaded.
  tmrSlides.Interval = 1000;
}

void frmAbout::tmrSlides_Timer() {
  forms::PictureBox* cycle[5] = {&picFighter, &picShip, &picGarage, &picBase, &picPod};
  for (int i = 0; i < 5; ++i) {
    if (cycle[i]->Visible) {
      cycle[i]->Visible = false;
      cycle[(i + 1) % 5]->Visible = true;
      return;
    }
  }
}

}  // namespace bulwarn

#include "screens/frmPics.h"

#include <cstdio>

#include "state/Game.h"

namespace bulwarn {

namespace {
void fill(Game& game, forms::ControlArray<forms::Image>& arr, const char* prefix, int w, int h) {
  for (int i = arr.lbound(); i <= arr.ubound(); ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "%s_%02d", prefix, i);
    arr(i).move(0, 0, static_cast<float>(w) * 15.f, static_cast<float>(h) * 15.f);
    arr(i).Picture = game.picture(name, w, h);
  }
}
}  // namespace

frmPics::frmPics(Game& game) : forms::Form(game.rt, "frmPics") {
  Caption = "Animations Archive";
  clientWidth = 1500;
  clientHeight = 2250;
  fill(game, imgGunBlast, "gunblast", 65, 65);
  fill(game, imgHitA, "hitA", 47, 51);
  fill(game, imgHitB, "hitB", 47, 51);
  fill(game, imgHitC, "hitC", 47, 51);
  fill(game, imgHitD, "hitD", 47, 51);
  fill(game, imgBlastA, "blastA", 100, 150);
  fill(game, imgBlastB, "blastB", 100, 150);
  fill(game, imgBlastC, "blastC", 100, 77);
}

}  // namespace bulwarn

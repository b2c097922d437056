#include "screens/frmPics.h"

#include <cstdio>

#include "state/Game.h"

namespace bulwarn {

namespace {
void fill(Game& p, forms::ControlArray<forms::Image>& arr, const char* prefix, int w, int h) {
  for (int i = arr.lbound(); i <= arr.ubound(); ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "%s_%02d", prefix, i);
    arr(i).move(0, 0, static_cast<float>(w) * 15.f, static_cast<float>(h) * 15.f);
    arr(i).Picture = p.picture(name, w, h);
  }
}
}  // namespace

frmPics::frmPics(Game& p) : forms::Form(p.rt, "frmPics") {
  Caption = "Animations Archive";
  clientWidth = 1500;
  clientHeight = 2250;
  fill(p, imgGunBlast, "gunblast", 65, 65);
  fill(p, imgHitA, "hitA", 47, 51);
  fill(p, imgHitB, "hitB", 47, 51);
  fill(p, imgHitC, "hitC", 47, 51);
  fill(p, imgHitD, "hitD", 47, 51);
  fill(p, imgBlastA, "blastA", 100, 150);
  fill(p, imgBlastB, "blastB", 100, 150);
  fill(p, imgBlastC, "blastC", 100, 77);
}

}  // namespace bulwarn

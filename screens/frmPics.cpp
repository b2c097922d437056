#include "screens/frmPics.h"

#include <cstdio>

#include "battle/Program.h"
#include "battle/frmBulwarn.h"

namespace bulwarn {

namespace {
void fill(Program& p, forms::ControlArray<forms::Image>& arr, const char* prefix, int w, int h) {
  for (int i = arr.lbound(); i <= arr.ubound(); ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "%s_%02d", prefix, i);
    arr(i).move(0, 0, static_cast<float>(w) * 15.f, static_cast<float>(h) * 15.f);
    arr(i).Picture = p.picture(name, w, h);
  }
}
}  // namespace

frmPics::frmPics(Program& p) : forms::Form(p.rt, "frmPics") {
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
  // The impact frames are shown squeezed into the battle screen's impact
  // picture, which is less tall than they are: drawn ahead at that size too,
  // the first hit of each kind does not have to draw them in play.
  if (frmBulwarn* battle = p.battleIfLoaded()) {
    std::vector<forms::Picture> frames;
    for (auto* set : {&imgHitA, &imgHitB, &imgHitC, &imgHitD})
      for (int i = set->lbound(); i <= set->ubound(); ++i) frames.push_back((*set)(i).Picture);
    p.rt.expectPictures(battle->imgHit, frames);
  }
}

}  // namespace bulwarn

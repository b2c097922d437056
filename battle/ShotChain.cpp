// The player's shot: Fire, the muzzle flash, the impact on the target, its
// destruction and the victory test. Each link of the chain arms the next.
#include "battle/Draw.h"
#include "battle/Roster.h"
#include "battle/Rules.h"
#include "battle/frmBulwarn.h"
#include "platform/Int16.h"
#include "screens/frmPics.h"
#include "state/Difficulty.h"
#include "state/Game.h"
#include "state/Scoring.h"

namespace bulwarn {

using forms::sat16;
using namespace rules;

namespace {

forms::ControlArray<forms::Image>& hitFrames(frmPics& pics, HitFrames set) {
  switch (set) {
    case HitFrames::A: return pics.imgHitA;
    case HitFrames::B: return pics.imgHitB;
    case HitFrames::C: return pics.imgHitC;
    case HitFrames::D: break;
  }
  return pics.imgHitD;
}

}  // namespace

// The four damage values, drawn in the difficulty table's order on every hit;
// returns the one for the current difficulty, 0 when it matches none.
void frmBulwarn::rollDamage() {
  std::int16_t* const damage[4] = {&intDamageEasy, &intDamageMedium, &intDamageHard, &intDamageImpossible};
  int applied = 0;
  for (int i = 0; i < 4; ++i) {
    const Difficulty& d = kDifficulties[i];
    *damage[i] = static_cast<std::int16_t>(draw(game_.rt, d.hitSpan, d.hitBase));
    if (vex_.strDifficulty == d.name) applied = *damage[i];
  }
  if (vex_.intAmmo > 0 && imgUnit.has(intTarget)) intHP[intTarget] = sat16(intHP[intTarget] - applied);
}

void frmBulwarn::cmdFire_Click() {
  shotBegins();
  const int found = lineOfFire();
  if (found) {
    imgUnit_Click(found);
    game_.rt.Randomize();
    const int a = draw(game_.rt, 2, 1);
    game_.rt.Randomize();
    const int b = draw(game_.rt, 2, 1);
    blnDirectHit = a == b;
    if (imgSelect.Visible && vex_.intAmmo > 0) PostMessage(blnDirectHit ? "Direct Hit" : "Miss");
    if (blnDirectHit) rollDamage();
  } else {
    PostMessage(imgSelect.Visible ? "Target Not In Line Of Fire!" : "Target Not Identified!");
    ClearTarget();
    shotEnds();
  }
  // Spend the round; an empty gun keeps counting down, but never wraps.
  if (imgSelect.Visible) {
    vex_.intAmmo = sat16(vex_.intAmmo - 1);
    game_.sound.PlayMaingun();
  }
  if (vex_.intAmmo < kFullAmmo) offerReload(true);
  if (imgSelect.Visible && vex_.intAmmo >= 0) {
    picAmmo(vex_.intAmmo).Visible = false;
    tmrShot.Interval = kAnimationTick;
  } else {
    if (vex_.intAmmo < 0) PostMessage("OUT OF AMMUNITION!");
    // Also when nothing was fired because the unit above the gun had no hit
    // points left and dropped out of the selection.
    shotEnds();
  }
  // Every enemy already gone: the mission is won.
  if (!anyUnitLeft() && !missionOver()) endMission(kVictoryOnFire);
}

void frmBulwarn::tmrShot_Timer() {
  if (intShotStep < kShotFrames) {
    imgGunShot.Visible = true;
    imgGunShot.Picture = game_.form<frmPics>().imgGunBlast(intShotStep).Picture;
    ++intShotStep;
    return;
  }
  if (intShotStep == kShotFrames) {
    imgGunShot.Visible = false;
    if (blnDirectHit) {
      tmrHit.Interval = kAnimationTick;
      game_.sound.PlayArtilleryHit();
    } else {
      shotEnds();
    }
    intShotStep = 0;
    tmrShot.Interval = 0;
  }
}

// ---------------------------------------------------------------- impact

void frmBulwarn::tmrHit_Timer() {
  if (imgUnit.has(intTarget)) {
    forms::Image& u = imgUnit(intTarget);
    imgHit.Visible = true;
    imgHit.Left = u.Left + 120;
    imgHit.Top = u.Top;
    forms::ControlArray<forms::Image>& set = hitFrames(game_.form<frmPics>(), unitKind(intTarget).hitFrames);
    if (set.has(intHitStep)) imgHit.Picture = set(intHitStep).Picture;
  }
  ++intHitStep;
  if (intHitStep >= kHitFrames) {
    intHitStep = 0;
    tmrHit2.Interval = kAnimationTick;
    tmrHit.Interval = 0;
  }
}

void frmBulwarn::tmrHit2_Timer() {
  imgHit.Visible = false;
  if (imgUnit.has(intTarget)) ShowTargetHP(intHP[intTarget]);
  for (int k : kKillOrder) {
    if (imgUnit(k).Visible && intHP[k] <= 0) {
      tmrBlast.Interval = kAnimationTick;
      break;
    }
  }
  if (tmrBlast.Interval != kAnimationTick) rearmGun();
  tmrHit2.Interval = 0;
}

// ---------------------------------------------------------------- destruction

void frmBulwarn::tmrBlast_Timer() {
  game_.rt.Randomize();
  intBlastKind = static_cast<std::int16_t>(draw(game_.rt, 2, 1));
  frmPics& pics = game_.form<frmPics>();
  // Both blast images stand visible, without a picture, until a first blast
  // ends: only the blast of a unit destroyed now may show and play.
  imgBlastG.Visible = false;
  imgBlastA.Visible = false;
  for (int k : kKillOrder) {
    forms::Image& u = imgUnit(k);
    if (!u.Visible || intHP[k] > 0) continue;
    const bool air = isAircraft(k);
    forms::Image& blast = air ? imgBlastA : imgBlastG;
    blast.Left = u.Left - 200;
    blast.Top = u.Top - (air ? 200 : 1000);
    blast.Visible = true;
    u.Visible = false;
    u.Enabled = false;
    PostMessage("Target Destroyed");
    vex_.intScore = sat16(vex_.intScore + scoring::kKillPoints);
    vex_.intKills = sat16(vex_.intKills + 1);
    if (air) {
      imgBlastA.Picture = pics.imgBlastC(0).Picture;
      game_.sound.PlayJetCrash();
    } else if (intBlastKind == 1) {
      imgBlastG.Picture = pics.imgBlastA(0).Picture;
      game_.sound.PlayLargExplos();
    } else {
      imgBlastG.Picture = pics.imgBlastB(0).Picture;
      game_.sound.PlayBattleBang();
    }
  }
  tmrBlast2.Interval = kAnimationTick;
  tmrBlast.Interval = 0;
}

void frmBulwarn::tmrBlast2_Timer() {
  ++intBlastStep;
  frmPics& pics = game_.form<frmPics>();
  if (pics.imgBlastA.has(intBlastStep)) {
    // A ground unit and an aircraft destroyed together both explode.
    if (imgBlastG.Visible) {
      imgBlastG.Picture = (intBlastKind == 1 ? pics.imgBlastA : pics.imgBlastB)(intBlastStep).Picture;
    }
    if (imgBlastA.Visible) {
      imgBlastA.Picture = pics.imgBlastC(intBlastStep).Picture;
    }
  }
  if (intBlastStep >= kBlastFrames) {
    intBlastStep = 0;
    tmrBlast3.Interval = kAnimationTick;
    tmrBlast2.Interval = 0;
  }
}

void frmBulwarn::tmrBlast3_Timer() {
  imgBlastG.Visible = false;
  imgBlastA.Visible = false;
  if (anyUnitLeft()) {
    rearmGun();
  } else {
    endMission(kVictoryAfterBlast);
    // The chain is over; the mission's end (or the new mission) decides what
    // the player gets back.
    shotEnds();
  }
  tmrBlast3.Interval = 0;
}

// The end of a shot that leaves the mission running.
void frmBulwarn::rearmGun() {
  showScore(true);
  shotEnds();
}

}  // namespace bulwarn

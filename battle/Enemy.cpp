// The enemy: the ground advance and the perimeter, the aircraft's flight, and
// the attacks on the gun with the damage they do.
#include "battle/Draw.h"
#include "battle/Roster.h"
#include "battle/Rules.h"
#include "battle/frmBulwarn.h"
#include "state/Difficulty.h"
#include "state/Game.h"

namespace bulwarn {

using namespace rules;

// ---------------------------------------------------------------- ground advance

void frmBulwarn::tmrMove_Timer() {
  for (int k = 1; k <= kUnits; ++k) {
    if (isAircraft(k) || intHP[k] <= 0) continue;
    const auto step = static_cast<float>(intHP[k] * unitKind(k).advance);
    imgUnit(k).Top += step;
    shpShot(k).Top += step;
  }
  followTarget();
  bool breached = false;
  for (int k = 1; k <= kUnits; ++k) {
    const float lower = imgUnit(k).Top + imgUnit(k).Height;
    if (!isAircraft(k) && lower > GunLimit.Y1) breached = true;
  }
  if (breached) endMission(kBreach);
}

// ---------------------------------------------------------------- flight

// One step of aircraft k inside its half of the sky: it bounces off the
// edges with a new random course.
void frmBulwarn::flyAircraft(int k, std::int16_t& dx, std::int16_t& dy, float sideLo, float sideHi) {
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
    game_.rt.Randomize();
    dy = static_cast<std::int16_t>(draw(game_.rt, 3, -1));
  }
  const float bottom = u.Top + u.Height;
  if (u.Top <= lblSky.Top + 10 || bottom >= lblSky.Top + lblSky.Height - 10) {
    dy = static_cast<std::int16_t>(-dy);
    game_.rt.Randomize();
    dx = static_cast<std::int16_t>(draw(game_.rt, 3, -1));
  }
}

void frmBulwarn::tmrFly_Timer() {
  const float left = lblSky.Left, half = lblSky.Width / 2, right = lblSky.Left + lblSky.Width;
  for (int step = 0; step < 10; ++step) {
    flyAircraft(7, intFly7X, intFly7Y, left + 10, left + half - 10);
    flyAircraft(8, intFly8X, intFly8Y, left + half + 10, right - 10);
    followTarget();
  }
}

// ---------------------------------------------------------------- attacks

void frmBulwarn::tmrEnemyTime_Timer() {
  if (intEnemyTime == kCountdownTick) {
    intEnemyTime = kAttackInterval;
  } else {
    intEnemyTime = static_cast<std::int16_t>(intEnemyTime - kCountdownTick);
  }
}

void frmBulwarn::tmrEnemy1_Timer() {
  PostMessage("Enemy Attack");
  if (tmrEnemy1.Interval < kAttackInterval) tmrEnemy1.Interval = kAttackInterval;
  attackBegins();
  tmrEnemy2.Interval = kAnimationTick;
}

void frmBulwarn::setFlashColor(forms::OleColor c) {
  BackColor = c;
  fraCommand.BackColor = c;
  fraHP.BackColor = c;
  fraSelect.BackColor = c;
  fraAmmo.BackColor = c;
}

// Step 0 of an attack: a unit still on the field becomes the target and fires.
void frmBulwarn::chooseAttacker() {
  do {
    intAttacker = static_cast<std::int16_t>(draw(game_.rt, kUnits, 1));
  } while (!imgUnit(intAttacker).Visible);
  imgUnit_Click(intAttacker);
  shpShot(intAttacker).Visible = true;
  shpShot(intAttacker).FillColor = kOrange;
  (game_.sound.*unitKind(intAttacker).attackCue)();
}

// Step 8: the gun is given back and the hit is rolled.
void frmBulwarn::rollEnemyHit() {
  attackEnds();
  game_.rt.Randomize();
  const int a = draw(game_.rt, 2, 1);
  game_.rt.Randomize();
  const int b = draw(game_.rt, 2, 1);
  intAttackStep = 0;
  if (a == b) {
    PostMessage("Enemy Hit");
    setFlashColor(kRed);
    tmrEnemy3.Interval = kAnimationTick;
  } else {
    PostMessage("Enemy Miss");
  }
  tmrEnemy2.Interval = 0;
}

void frmBulwarn::tmrEnemy2_Timer() {
  const bool attackerShown = imgUnit.has(intAttacker) && imgUnit(intAttacker).Visible;
  // Abandoned: nobody left to attack with at step 0, or the attacker was
  // destroyed while it fired.
  const bool nobody = intAttackStep == 0 && !anyUnitLeft();
  if (nobody || (intAttackStep >= 1 && intAttackStep <= 8 && !attackerShown)) {
    if (nobody) {
      tmrEnemy1.Enabled = false;
      tmrEnemy1.Interval = 0;
    }
    if (shpShot.has(intAttacker)) shpShot(intAttacker).Visible = false;
    attackEnds();
    intAttackStep = 0;
    tmrEnemy2.Interval = 0;
    return;
  }
  switch (intAttackStep) {
    case 0: chooseAttacker(); break;
    case 1:
    case 3:
    case 5: shpShot(intAttacker).FillColor = kYellow; break;
    case 2:
    case 4:
    case 6: shpShot(intAttacker).FillColor = kOrange; break;
    case 7: shpShot(intAttacker).Visible = false; break;
    case 8: rollEnemyHit(); return;
    default:
      intAttackStep = 0;
      tmrEnemy2.Interval = 0;
      return;
  }
  ++intAttackStep;
}

// ---------------------------------------------------------------- damage

void frmBulwarn::tmrEnemy3_Timer() {
  constexpr forms::OleColor kFlash[4] = {kOrange, kYellow, kOrange, kRed};
  if (intDamageStep >= 0 && intDamageStep < 4) {
    setFlashColor(kFlash[intDamageStep]);
    ++intDamageStep;
    return;
  }
  if (intDamageStep == 4) {
    applyGunDamage();
  } else {
    intDamageStep = 0;
    tmrEnemy3.Interval = 0;
  }
}

// Step 4 of the damage: the bar shortens, or the gun is lost; a survived hit
// may be followed by another attack from the same unit.
void frmBulwarn::applyGunDamage() {
  if (const Difficulty* d = findDifficulty(vex_.strDifficulty))
    intGunDamage = static_cast<std::int16_t>(draw(game_.rt, d->gunSpan, d->gunBase));
  setFlashColor(forms::kSysDesktop);
  if (HPBar.Width < static_cast<float>(intGunDamage)) {
    endMission(kGunLost);  // which stops the damage sequence with the rest
    return;
  }
  HPBar.Width -= static_cast<float>(intGunDamage);
  if (!blnReloading && !blnRepairing) offerRepair(true);
  const float w = HPBar.Width;
  if (w > kBarRedAtOrBelow && w < kBarYellowBelow) {
    HPBar.FillColor = kYellow;
  } else if (w <= kBarRedAtOrBelow) {
    HPBar.FillColor = kRed;
  }
  tmrEnemy3.Interval = 0;
  intDamageStep = 0;
  // A follow-up from the same attacker, while it is still on the field.
  if (!imgUnit.has(intAttacker) || !imgUnit(intAttacker).Visible) return;
  const int v = draw(game_.rt, 3, 1);
  if (v > intSalvoCount) {
    intSalvoCount = static_cast<std::int16_t>(intSalvoCount + 1);
    intAttackStep = 1;
    tmrEnemy2.Interval = kAnimationTick;
  } else {
    intSalvoCount = 0;
  }
}

}  // namespace bulwarn

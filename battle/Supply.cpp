// Reload and repair: each takes the gun out of action while it runs and costs
// score when it completes.
#include "battle/Rules.h"
#include "battle/frmBulwarn.h"
#include "platform/Int16.h"
#include "state/Game.h"
#include "state/Scoring.h"

namespace bulwarn {

using forms::sat16;
using namespace rules;

// Reload and repair start alike: neither is offered while one runs, and the
// gun is held until it ends.
void frmBulwarn::startSupply(forms::Timer& clock, int tick, bool& running, unsigned holds) {
  reloadOffered_ = false;
  repairOffered_ = false;
  clock.Interval = tick;
  running = true;
  follow(holds);
}

// A completed reload or repair is counted and paid for.
void frmBulwarn::chargeSupply(std::int16_t& count) {
  count = sat16(count + 1);
  vex_.intScore = sat16(vex_.intScore - scoring::kSupplyCost);
  showScore(true);
}

void frmBulwarn::cmdReload_Click() { startSupply(tmrReload, kReloadTick, blnReloading, hold::Reload); }

// One round back per tick, lowest empty place first; the last one completes
// the reload.
void frmBulwarn::tmrReload_Timer() {
  int first = -1;
  for (int i = 0; i < kFullAmmo; ++i) {
    if (!picAmmo(i).Visible) {
      first = i;
      break;
    }
  }
  if (first >= 0 && first < kFullAmmo - 1) {
    picAmmo(first).Visible = true;
    return;
  }
  if (first == kFullAmmo - 1) {
    picAmmo(first).Visible = true;
    vex_.intAmmo = kFullAmmo;
    chargeSupply(vex_.intReloads);
  }
  // The gun is full: Reload stays off (whatever a resume offered meanwhile),
  // Repair is offered if the bar is short.
  reloadOffered_ = false;
  if (HPBar.Width < HPBorder.Width) repairOffered_ = true;
  tmrReload.Interval = 0;
  blnReloading = false;
  supplyEnds();
}

void frmBulwarn::cmdRepair_Click() { startSupply(tmrRepair, kRepairTick, blnRepairing, hold::Repair); }

void frmBulwarn::tmrRepair_Timer() {
  const float h = HPBar.Width;
  const float b = HPBorder.Width;
  if (h >= b) {
    // The bar is full: Repair stays off, Reload is offered if rounds are missing.
    repairOffered_ = false;
    if (vex_.intAmmo < kFullAmmo) reloadOffered_ = true;
    tmrRepair.Interval = 0;
    blnRepairing = false;
    supplyEnds();
    return;
  }
  if (h >= b - kRepairStep) {
    HPBar.Width = b;
    chargeSupply(vex_.intRepairs);
  } else {
    HPBar.Width = h + kRepairStep;
  }
  const float nh = HPBar.Width;
  const double bd = b;
  if (static_cast<float>(bd / 3) < nh && nh < static_cast<float>(0.6 * bd)) {
    HPBar.FillColor = kYellow;
  } else if (nh > static_cast<float>(2 * bd / 3)) {
    HPBar.FillColor = kGreen;
  }
}

}  // namespace bulwarn

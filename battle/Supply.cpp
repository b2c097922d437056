// Reload and repair: each takes the gun out of action while it runs and costs
// score when it completes.
#include "battle/Rules.h"
#include "battle/frmBulwarn.h"
#include "platform/Int16.h"
#include "state/Game.h"

namespace bulwarn {

using forms::sat16;
using namespace rules;

void frmBulwarn::cmdReload_Click() {
  reloadOffered_ = false;
  repairOffered_ = false;
  tmrReload.Interval = kReloadTick;
  blnReloading = true;
  follow(hold::Reload);
}

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
    g.intReloads = sat16(g.intReloads + 1);
    g.intAmmo = kFullAmmo;
    g.intScore = sat16(g.intScore - kSupplyCost);
    showScore(true);
  }
  // The gun is full: Reload stays off (whatever a resume offered meanwhile),
  // Repair is offered if the bar is short.
  reloadOffered_ = false;
  if (HPBar.Width < HPBorder.Width) repairOffered_ = true;
  tmrReload.Interval = 0;
  blnReloading = false;
  supplyEnds();
}

void frmBulwarn::cmdRepair_Click() {
  reloadOffered_ = false;
  repairOffered_ = false;
  tmrRepair.Interval = kRepairTick;
  blnRepairing = true;
  follow(hold::Repair);
}

void frmBulwarn::tmrRepair_Timer() {
  const float h = HPBar.Width;
  const float b = HPBorder.Width;
  if (h >= b) {
    // The bar is full: Repair stays off, Reload is offered if rounds are missing.
    repairOffered_ = false;
    if (g.intAmmo < kFullAmmo) reloadOffered_ = true;
    tmrRepair.Interval = 0;
    blnRepairing = false;
    supplyEnds();
    return;
  }
  if (h >= b - kRepairStep) {
    HPBar.Width = b;
    g.intRepairs = sat16(g.intRepairs + 1);
    g.intScore = sat16(g.intScore - kSupplyCost);
    showScore(true);
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

// The gun's traverse and auto-targeting, target selection and the target
// panel, and the message log.
#include "battle/Roster.h"
#include "battle/Rules.h"
#include "battle/frmBulwarn.h"
#include "platform/Keys.h"

namespace bulwarn {

using namespace rules;

// ---------------------------------------------------------------- messages

void frmBulwarn::TrimMessages() {
  if (lblMessage.Height > kMessageLogLimit) lblMessage.Caption = "";
}

void frmBulwarn::PostMessage(const std::string& text) {
  TrimMessages();
  lblMessage.Caption = lblMessage.Caption + "\r\n" + text;
}

// ---------------------------------------------------------------- selection

void frmBulwarn::imgUnit_Click(int index) {
  ClearTarget();
  forms::Image& u = imgUnit(index);
  imgSelect.Visible = true;
  imgSelect.Left = u.Left - 60;
  imgSelect.Top = u.Top - 60;
  imgSelectT.Visible = true;
  intTarget = static_cast<std::int16_t>(index);
  picTarget.Picture = u.Picture;
  picTarget.BackColor = isAircraft(index) ? lblSky.BackColor.get() : lblBattlefield.BackColor.get();
  for (int i = 0; i <= 7; ++i) hp(i).Visible = true;
  lblTargetDescription.BackColor = kYellow;
  lblTargetDescription.ForeColor = kRed;
  ShowTargetHP(intHP[index]);
  lblTargetDescription.Caption = unitDescription(index);
}

void frmBulwarn::ClearTarget() {
  imgSelect.Visible = false;
  imgSelectT.Visible = false;
  picTarget.Picture = nullptr;
  for (int i = 0; i <= 7; ++i) hp(i).Visible = false;
  picTarget.BackColor = forms::kSysDesktop;
  lblTargetDescription.Caption = "";
  lblTargetDescription.BackColor = forms::kSysDesktop;
  lblTargetDescription.ForeColor = forms::kSysButtonText;
}

void frmBulwarn::ShowTargetHP(std::int16_t hitPoints) {
  if (hitPoints >= 8) return;
  if (hitPoints >= 1) {
    for (int i = hitPoints; i <= 7; ++i) hp(i).Visible = false;
    return;
  }
  for (int i = 0; i <= 7; ++i) hp(i).Visible = false;
  ClearTarget();
}

void frmBulwarn::imgHit_Click() {
  if (imgUnit.has(intTarget) && imgUnit(intTarget).Enabled) imgUnit_Click(intTarget);
}

void frmBulwarn::lblSky_Click() { ClearTarget(); }
void frmBulwarn::lblBattlefield_Click() { ClearTarget(); }
void frmBulwarn::imgSight_Click() { ClearTarget(); }

// The marker follows the selected unit as it moves.
void frmBulwarn::followTarget() {
  if (imgSelect.Visible && imgUnit.has(intTarget)) {
    imgSelect.Left = imgUnit(intTarget).Left - 60;
    imgSelect.Top = imgUnit(intTarget).Top - 60;
  }
}

// ---------------------------------------------------------------- traverse

// The first unit, in index order, whose picture spans the whole gun.
int frmBulwarn::lineOfFire() const {
  const float left = imgSight.Left;
  const float right = imgSight.Left + imgSight.Width;
  for (int i = 1; i <= kUnits; ++i) {
    const forms::Image& u = imgUnit(i);
    if (left >= u.Left && right <= u.Left + u.Width && u.Visible) return i;
  }
  return 0;
}

bool frmBulwarn::anyUnitLeft() const {
  for (int i = 1; i <= kUnits; ++i)
    if (imgUnit(i).Visible) return true;
  return false;
}

void frmBulwarn::Form_KeyDown(int& keyCode, int /*shift*/) {
  if (keyCode == forms::Key::Left && imgSight.Left > lblBattlefield.Left + kTraverseMargin) {
    imgSight.Left -= kTraverseStep;
    imgGunShot.Left -= kTraverseStep;
  } else if (keyCode == forms::Key::Right &&
             lblBattlefield.Left + lblBattlefield.Width - kTraverseMargin > imgSight.Left + imgSight.Width) {
    imgSight.Left += kTraverseStep;
    imgGunShot.Left += kTraverseStep;
  } else if (keyCode == forms::Key::Enter || keyCode == forms::Key::Space) {
    cmdFire_Click();
    if (!isLoaded()) return;
  }
  const int i = lineOfFire();
  if (i) {
    imgUnit_Click(i);
  } else {
    ClearTarget();
  }
}

}  // namespace bulwarn

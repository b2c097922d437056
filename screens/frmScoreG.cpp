#include "screens/frmScoreG.h"

#include "platform/Int16.h"
#include "state/Difficulty.h"
#include "state/Game.h"
#include "state/Scoring.h"

namespace bulwarn {

namespace {
constexpr forms::OleColor kBack = 0x00C0C000;
}

frmScoreG::frmScoreG(Game& game) : forms::Form(game.rt, "frmScoreG"), game_(game) {
  Caption = "Score";
  clientWidth = 7455;
  clientHeight = 5475;
  BackColor = kBack;
  startPosition = forms::StartPosition::CenterScreen;
  picLight.move(120, 240, 3075, 1875);
  picLight.Picture = game_.picture("picLight", 205, 125);
  picChair.move(120, 2400, 3075, 1875);
  picChair.Picture = game_.picture("picChair", 205, 125);
  layoutScoring();
  layoutFinal();
  cmdDone.move(5580, 4920, 1455, 435);
  cmdDone.Caption = "&Done";
  cmdDone.isDefault = true;
  cmdDone.Click = [this] { cmdDone_Click(); };
}

// The breakdown: one row a source of points, its count and what it scored.
void frmScoreG::layoutScoring() {
  fraScoring.move(3360, 120, 3975, 3135);
  fraScoring.Caption = "Scoring";
  fraScoring.BackColor = kBack;
  fraScoring.ForeColor = forms::kSysHighlight;
  struct Row {
    forms::Label* caption;
    const char* text;
    forms::Label* a;
    forms::Label* b;
  };
  const Row rows[5] = {{&lblDifficulty, "Difficulty:", &lblDiff, &lblNumDiff},
                       {&lblReload, "Number of Reloads:", &lblNumReload, &lblReloadP},
                       {&lblRepair, "Times Repaired:", &lblNumRepair, &lblRepairP},
                       {&lblAmmo, "Ammo BONUS: [Included At End]", &lblAmmoNum, &lblABonus},
                       {&lblEnemies, "Enemies Destroyed:", &lblTargets, &lblNumKills}};
  for (int i = 0; i < 5; ++i) {
    const float top = 300.f + 555.f * static_cast<float>(i);
    rows[i].caption->move(120, top, 1935, 480);
    rows[i].caption->Caption = rows[i].text;
    rows[i].caption->font = {"MS Sans Serif", 8.25f, true};
    rows[i].caption->BackColor = kBack;
    rows[i].a->move(2100, top, 960, 315);
    rows[i].b->move(3120, top, 735, 315);
    for (forms::Label* v : {rows[i].a, rows[i].b}) {
      v->BackColor = 0x00FFFFFF;
      v->border = true;
      v->alignment = forms::Align::Right;
      v->font = {"MS Sans Serif", 8.25f, true};
    }
  }
  lblDiff.alignment = forms::Align::Center;
}

void frmScoreG::layoutFinal() {
  fraFinal.move(3360, 3360, 3975, 1395);
  fraFinal.Caption = "Final Score";
  fraFinal.BackColor = kBack;
  fraFinal.ForeColor = forms::kSysHighlight;
  lblTotal.move(120, 360, 1935, 375);
  lblTotal.Caption = "Total Score:";
  lblTotal.font = {"MS Sans Serif", 9.75f, true};
  lblTotal.BackColor = kBack;
  lblScore.move(2100, 300, 1755, 435);
  lblScore.BackColor = 0x00000000;
  lblScore.ForeColor = 0x00FFFFFF;
  lblScore.font = {"MS Sans Serif", 12, true};
  lblScore.alignment = forms::Align::Right;
  lblScore.border = true;
  lblComment.move(120, 840, 3735, 435);
  lblComment.font = {"MS Sans Serif", 9.75f, true};
  lblComment.ForeColor = 0x00000080;
  lblComment.BackColor = kBack;
  lblComment.alignment = forms::Align::Center;
}

const char* frmScoreG::verdict(int s) {
  if (s > 0 && s < 90) return "Your Current Score is Laughable";
  if (s >= 90 && s < 120) return "Your Current Score is Acceptable";
  if (s >= 120 && s < 180) return "Your Current Score is Remarkable";
  if (s >= 180 && s < 250) return "Your Current Score is Exceptional";
  if (s >= 250) return "Your Current Score is Incredible";
  return nullptr;
}

void frmScoreG::Form_Load() {
  const modVexilla& vex = game_.vex;
  using forms::strPlain;
  lblDiff.Caption = vex.strDifficulty;
  const int bonus = difficultyBonus(vex.strDifficulty);
  if (bonus) lblNumDiff.Caption = strPlain(bonus);
  lblNumReload.Caption = strPlain(vex.intReloads);
  lblReloadP.Caption = strPlain(-1LL * scoring::kSupplyCost * vex.intReloads);
  lblNumRepair.Caption = strPlain(vex.intRepairs);
  lblRepairP.Caption = strPlain(-1LL * scoring::kSupplyCost * vex.intRepairs);
  lblAmmoNum.Caption = strPlain(vex.intAmmo);
  lblABonus.Caption = strPlain(1LL * scoring::kRoundBonus * vex.intAmmo);
  lblTargets.Caption = strPlain(vex.intKills);
  lblNumKills.Caption = strPlain(1LL * scoring::kKillPoints * vex.intKills);
  lblScore.Caption = strPlain(vex.intScore);
  if (const char* v = verdict(vex.intScore)) lblComment.Caption = v;
}

}  // namespace bulwarn

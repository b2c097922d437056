// Every form as the player first sees it, written out as text (one line per
// control: place, size, look and state) and compared with tests/golden/<form>.txt.
// After a deliberate change of layout, run tools/golden and review the diff.
#include "Golden.h"
#include "screens/frmAbout.h"
#include "screens/frmPics.h"
#include "screens/frmScoreG.h"
#include "screens/frmWin.h"

namespace bulwarn::test {
namespace {

using forms::Form;
using golden::render;
using Layouts = GameTest;

TEST_F(Layouts, EveryFormMatchesItsGoldenFile) {
  boot();
  // Start-up's three cards as they open; the options dialog then takes its default.
  for (const char* name : {"frmIntroG", "frmOptionsG", "frmLoad"})
    rt->onModal(name, [this](Form& f) { expectGolden(f.name(), render(f)); });
  program->start();
  expectGolden("frmBulwarn", render(battle()));
  expectGolden("frmPics", render(program->frmPics()));
  expectGolden("frmAbout", render(program->frmAbout()));
  program->frmAbout().Unload();

  // The score report of a mission on Hard: 3 reloads, 2 repairs, 5 kills, 7 rounds left.
  modVexilla& g = vex();
  g.strDifficulty = "Hard";
  g.intReloads = 3;
  g.intRepairs = 2;
  g.intKills = 5;
  g.intAmmo = 7;
  g.intScore = 50 - 25 + 50;
  expectGolden("frmScoreG", render(program->frmScoreG()));
  program->frmScoreG().Unload();

  // The end card blank, then for each outcome.
  const std::pair<const char*, bool modVexilla::*> cards[] = {{"frmWin", nullptr},
                                                              {"frmWin-victory", &modVexilla::blnVictory},
                                                              {"frmWin-destroyed", &modVexilla::blnDestroyed},
                                                              {"frmWin-breached", &modVexilla::blnBreached}};
  for (const auto& [file, outcome] : cards) {
    g.blnVictory = g.blnDestroyed = g.blnBreached = false;
    if (outcome) g.*outcome = true;
    expectGolden(file, render(program->frmWin()));
    program->frmWin().Unload();
  }
}

}  // namespace
}  // namespace bulwarn::test

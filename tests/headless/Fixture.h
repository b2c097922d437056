// A program on the headless runtime, started with the default answers
// (800 x 600 screen, OK on every card, Easy, Reload and Repair offered).
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "battle/Program.h"
#include "battle/frmBulwarn.h"
#include "platform/headless/HeadlessRuntime.h"

namespace bulwarn::test {

using forms::HeadlessRuntime;
namespace Key = forms::Key;
namespace mb = forms::mb;

class GameTest : public ::testing::Test {
 protected:
  // Starts the program; `difficulty` is chosen in the start-up options dialog.
  void start(const std::string& difficulty = "Easy", std::uint64_t seed = 12345) {
    forms::HeadlessConfig cfg;
    cfg.seed = seed;
    rt = std::make_unique<HeadlessRuntime>(cfg);
    program = std::make_unique<Program>(*rt);
    chooseDifficulty(difficulty);
    program->start();
    rt->clearModal("frmOptionsG");
  }

  void chooseDifficulty(const std::string& difficulty) {
    rt->onModal("frmOptionsG", [this, difficulty](forms::Form&) {
      if (!difficulty.empty()) rt->click("opt" + difficulty);
      rt->click("cmdOK");
    });
  }

  frmBulwarn& battle() { return program->frmBulwarn(); }
  modVexilla& vex() { return program->vex; }
  std::string messages() { return battle().lblMessage.Caption; }

  // Moves the gun (by arrow keys) until its Left is `left`.
  void gunTo(float left) {
    while (battle().imgSight.Left > left) rt->pressKey(Key::Left);
    while (battle().imgSight.Left < left) rt->pressKey(Key::Right);
  }

  // Stops the enemy side so a test can shoot in peace.
  void silenceEnemy() {
    battle().tmrEnemy1.Enabled = false;
    battle().tmrMove.Enabled = false;
    battle().tmrFly.Enabled = false;
  }

  std::unique_ptr<HeadlessRuntime> rt;
  std::unique_ptr<Program> program;
};

}  // namespace bulwarn::test

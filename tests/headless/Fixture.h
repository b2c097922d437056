// A program on the headless runtime, started with the default answers
// (800 x 600 screen, OK on every card, Easy, Reload and Repair offered).
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "battle/frmBulwarn.h"
#include "common/Battle.h"
#include "game/Program.h"
#include "platform/headless/HeadlessRuntime.h"

namespace bulwarn::test {

using forms::HeadlessRuntime;
namespace Key = forms::Key;
namespace mb = forms::mb;

constexpr forms::OleColor kRed = 0x000000FF, kGreen = 0x0000C000, kYellow = 0x0000FFFF, kOrange = 0x000080FF;

class GameTest : public ::testing::Test {
 protected:
  // Starts the program; `difficulty` is chosen in the start-up options dialog.
  // `config` may be changed before (screen size, seed).
  void start(const std::string& difficulty = "Easy", std::uint64_t seed = 12345) {
    config.seed = seed;
    boot();
    rt->onModal("frmOptionsG", [this, difficulty](forms::Form&) {
      rt->click("opt" + difficulty);
      rt->click("cmdOK");
    });
    program->start();
    rt->clearModal("frmOptionsG");
  }

  // A fresh program on a fresh runtime, not started yet.
  void boot() {
    program.reset();  // the old program's forms leave its runtime first
    rt = std::make_unique<HeadlessRuntime>(config);
    program = std::make_unique<Program>(*rt);
  }

  frmBulwarn& battle() { return program->frmBulwarn(); }
  modVexilla& vex() { return program->vex; }
  std::string messages() { return battle().lblMessage.Caption; }

  std::vector<std::string> messageLines() { return logLines(messages()); }
  std::string lastMessage() {
    auto lines = messageLines();
    return lines.empty() ? std::string() : lines.back();
  }
  int countMessages(const std::string& text) {
    auto lines = messageLines();
    return static_cast<int>(std::count(lines.begin(), lines.end(), text));
  }

  // What the player can use right now, as words: "Fire Reload Repair keys
  // units zones" (units: all eight take clicks; zones: the sky and the ground).
  // gun() leaves out Reload and Repair, which a shot or an attack never holds.
  std::string gun() { return usable(false); }
  std::string usable(bool buttons = true) {
    frmBulwarn& b = battle();
    bool units = true;
    for (int k = 1; k <= 8; ++k) units = units && b.imgUnit(k).Enabled;
    std::string s;
    auto add = [&](bool on, const char* word) {
      if (on) s += (s.empty() ? "" : " ") + std::string(word);
    };
    add(b.cmdFire.Enabled, "Fire");
    add(buttons && b.cmdReload.Enabled, "Reload");
    add(buttons && b.cmdRepair.Enabled, "Repair");
    add(b.KeyPreview, "keys");
    add(units, "units");
    add(b.lblSky.Enabled && b.lblBattlefield.Enabled, "zones");
    return s;
  }

  // Moves the gun (by arrow keys) until its Left is `left`, or just past it.
  // Gives up (a failure, not a hang) when the keys do not move the gun.
  void gunTo(float left) {
    for (int presses = 0; battle().imgSight.Left < left || battle().imgSight.Left >= left + 100; ++presses) {
      if (presses > 80) {
        ADD_FAILURE() << "the gun does not traverse to " << left;
        return;
      }
      rt->pressKey(battle().imgSight.Left < left ? Key::Right : Key::Left);
    }
  }
  // Puts the gun under unit k wherever it is (first reachable place it covers).
  void aimAt(int k) {
    const float l = battle().imgUnit(k).Left;
    gunTo(std::ceil((l - 20.f) / 100.f) * 100.f + 20.f);
  }

  // Stops the enemy side so a test can shoot in peace.
  void silenceEnemy() {
    battle().tmrEnemy1.Enabled = false;
    battle().tmrMove.Enabled = false;
    battle().tmrFly.Enabled = false;
  }

  bool shotChainIdle() { return test::shotChainIdle(battle()); }
  // Presses Enter and lets the shot play out; true when it hit.
  bool shoot() {
    rt->pressKey(Key::Enter);
    const bool hit = battle().blnDirectHit;
    rt->advanceUntil([&] { return shotChainIdle(); }, 5000);
    return hit;
  }
  int rolls() { return countMessages("Enemy Hit") + countMessages("Enemy Miss"); }
  // Lets the damage step of an enemy hit run now (its colour flashes are over).
  void landEnemyHit() {
    battle().intDamageStep = 4;
    battle().tmrEnemy3.Interval = 50;
    rt->advance(50);
  }

  // Sets the generator so that its next draw is `bits` / 2^24 (0 the smallest,
  // 0xFFFFFF the largest, 1 - 2^-24); with `reseedAt`, the next after a reseed
  // at that time.
  void setNextDraw(std::uint32_t bits, long long reseedAt = -1) {
    constexpr std::uint64_t kStep = 0x9E3779B97F4A7C15ull;
    std::uint64_t state = unmix(static_cast<std::uint64_t>(bits) << 40) - kStep;
    if (reseedAt >= 0) {
      forms::Random probe(0);
      probe.mix(config.timeOfDayMs + static_cast<std::uint64_t>(reseedAt));
      state = unmix(state) ^ unmix(probe.state());
    }
    rt->random().seed(state);
  }
  // Undoes the generator's 64-bit finalizer.
  static std::uint64_t unmix(std::uint64_t z) {
    auto inverse = [](std::uint64_t a) {
      std::uint64_t x = a;
      for (int i = 0; i < 6; ++i) x *= 2 - a * x;
      return x;
    };
    z ^= z >> 31 ^ z >> 62;
    z *= inverse(0x94D049BB133111EBull);
    z ^= z >> 27 ^ z >> 54;
    z *= inverse(0xBF58476D1CE4E5B9ull);
    return z ^ z >> 30 ^ z >> 60;
  }

  forms::HeadlessConfig config;
  std::unique_ptr<HeadlessRuntime> rt;
  std::unique_ptr<Program> program;
};

}  // namespace bulwarn::test

// Who holds the gun. Several activities can hold it at once: the player's
// shot, an enemy attack, a reload, a repair, the pause and a finished mission.
// Handlers only say what begins and what ends; what the player may use follows
// from everything that still holds the gun, so an activity that ends never
// hands back what another one still needs.
#pragma once

namespace bulwarn {

namespace hold {
constexpr unsigned Shot = 1u << 0;         // from Fire to the end of the round's chain
constexpr unsigned Attack = 1u << 1;       // from "Enemy Attack" to its hit roll
constexpr unsigned Reload = 1u << 2;       // while blnReloading
constexpr unsigned Repair = 1u << 3;       // while blnRepairing
constexpr unsigned Pause = 1u << 4;        // while Pause Game is checked
constexpr unsigned MissionOver = 1u << 5;  // from the ending until a reset or a new game
}  // namespace hold

struct GunControls {
  bool fire;           // Fire, and the keys that traverse and fire (key preview)
  bool targetClicks;   // clicks on the units, the sky and the battlefield
  bool attackTrigger;  // the enemy's attack timer may start an attack
  bool supply;         // Reload and Repair may be used, where offered
  bool clocks;         // the game's timers run
};

constexpr GunControls gunControls(unsigned holds) {
  using namespace hold;
  return {
      holds == 0,
      // A reload or repair leaves the targets to click; the rest hold them.
      (holds & (Shot | Attack | Pause | MissionOver)) == 0,
      // An enemy attack under way does not stop the next one from coming.
      (holds & (Shot | Pause | MissionOver)) == 0,
      // A shot or an attack leaves Reload and Repair as they are.
      (holds & (Reload | Repair | Pause | MissionOver)) == 0,
      (holds & (Pause | MissionOver)) == 0,
  };
}

// Which controls depend on which holds: a change of hold touches only these,
// so each control changes at the moments its own rules name.
namespace depends {
constexpr unsigned TargetClicks = hold::Shot | hold::Attack | hold::Pause | hold::MissionOver;
constexpr unsigned AttackTrigger = hold::Shot | hold::Pause | hold::MissionOver;
constexpr unsigned Supply = hold::Reload | hold::Repair | hold::Pause | hold::MissionOver;
constexpr unsigned Clocks = hold::Pause | hold::MissionOver;
}  // namespace depends

}  // namespace bulwarn

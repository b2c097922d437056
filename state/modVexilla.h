// The game-wide variables every screen reads and writes.
#pragma once

#include <cstdint>
#include <string>

namespace bulwarn {

struct modVexilla {
  std::string strDifficulty;  // "Easy", "Medium", "Hard" or "Impossible" once chosen
  std::int16_t intAmmo = 0;
  std::int16_t intReloads = 0;
  std::int16_t intRepairs = 0;
  std::int16_t intScore = 0;
  std::int16_t intKills = 0;
  bool blnVictory = false;
  bool blnDestroyed = false;
  bool blnBreached = false;
  bool blnReloadEnabled = false;
  bool blnRepairEnabled = false;
  bool blnRestartMission = false;
  // The end-of-game ammunition bonus is granted once per mission.
  bool blnAmmoBonusGranted = false;
  std::int16_t intAmmoBonus = 0;   // what it added, for the record
  std::int16_t intStartBonus = 0;  // the difficulty bonus this mission started with
};

}  // namespace bulwarn

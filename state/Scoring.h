// How the score is made, read by the battle, the score report and the help
// text alike. The start bonus of each difficulty is in Difficulty.h.
#pragma once

namespace bulwarn::scoring {

constexpr int kKillPoints = 10;  // each enemy destroyed
constexpr int kSupplyCost = 5;   // each completed reload or repair
constexpr int kRoundBonus = 2;   // each round left once every enemy is destroyed

}  // namespace bulwarn::scoring

// The four difficulties and everything that depends on them, in one table.
#pragma once

#include <string>

namespace bulwarn {

struct Difficulty {
  const char* name;  // exactly as the options dialog stores it
  int bonus;         // score at the start of a mission
  // A direct hit takes Int(Rnd * hitSpan) + hitBase hit points off the target.
  int hitBase, hitSpan;
  // An enemy hit takes Int(Rnd * gunSpan) + gunBase twips off the gun's bar.
  int gunBase, gunSpan;
};

// In the order the options dialog lists them, which is also the order in
// which a hit draws the four damage values.
inline constexpr Difficulty kDifficulties[4] = {
    {"Easy", 10, 4, 5, 200, 201},
    {"Medium", 20, 3, 4, 300, 301},
    {"Hard", 50, 2, 3, 500, 501},
    {"Impossible", 100, 1, 2, 1000, 2001},
};

// Exact, case-sensitive match; null when the name is none of the four (the
// empty string before the first options dialog), which then gives no bonus
// and no damage.
const Difficulty* findDifficulty(const std::string& name);

// The bonus a mission starts with; 0 for a difficulty that matches none.
int difficultyBonus(const std::string& name);

}  // namespace bulwarn

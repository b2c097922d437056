#include "state/Difficulty.h"

namespace bulwarn {

const Difficulty* findDifficulty(const std::string& name) {
  for (const Difficulty& d : kDifficulties)
    if (name == d.name) return &d;
  return nullptr;
}

int difficultyBonus(const std::string& name) {
  const Difficulty* d = findDifficulty(name);
  return d ? d->bonus : 0;
}

}  // namespace bulwarn

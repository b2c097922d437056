// Everything play can change on the battle screen, to compare two moments:
// the counts, each unit's hit points and place, the bar, the gun and the gauge.
#pragma once

#include <array>
#include <vector>

#include "battle/frmBulwarn.h"
#include "state/modVexilla.h"

namespace bulwarn::test {

struct Snapshot {
  int score = 0, kills = 0, ammo = 0, reloads = 0, repairs = 0, ammoBonus = 0;
  std::array<int, 8> hp{};  // units 1 .. 8
  std::vector<float> places;

  static Snapshot of(const modVexilla& g, const frmBulwarn& b) {
    Snapshot s{g.intScore, g.intKills, g.intAmmo, g.intReloads, g.intRepairs, g.intAmmoBonus, {}, {}};
    for (int k = 1; k <= 8; ++k) {
      s.hp[k - 1] = b.intHP[k];
      s.places.push_back(b.imgUnit(k).Left);
      s.places.push_back(b.imgUnit(k).Top);
      s.places.push_back(b.imgUnit(k).Visible ? 1.f : 0.f);
    }
    s.places.push_back(b.HPBar.Width);
    s.places.push_back(b.imgSight.Left);
    for (int i = 0; i <= 24; ++i) s.places.push_back(b.picAmmo(i).Visible ? 1.f : 0.f);
    return s;
  }
  bool operator==(const Snapshot& o) const {
    return score == o.score && kills == o.kills && ammo == o.ammo && reloads == o.reloads && repairs == o.repairs &&
           ammoBonus == o.ammoBonus && hp == o.hp && places == o.places;
  }
};

}  // namespace bulwarn::test

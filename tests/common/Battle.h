// What tests and the monkey read off the battle screen alike: whether the
// player's shot is still playing, and everything play can change, to compare
// two moments.
#pragma once

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "battle/frmBulwarn.h"
#include "state/modVexilla.h"

namespace bulwarn::test {

// The picture a control shows, by name; empty for none.
inline std::string pictureName(const forms::Picture& p) { return p ? p->name : std::string(); }

// The message log's lines, oldest first, without the empty ones.
inline std::vector<std::string> logLines(const std::string& log) {
  std::vector<std::string> out;
  for (size_t pos = 0, end = 0; pos < log.size(); pos = end + 2) {
    end = std::min(log.find("\r\n", pos), log.size());
    if (end > pos) out.push_back(log.substr(pos, end - pos));
  }
  return out;
}

// No link of the shot's chain (flash, impact, explosion, victory test) is armed.
inline bool shotChainIdle(const frmBulwarn& b) {
  return b.tmrShot.Interval == 0 && b.tmrHit.Interval == 0 && b.tmrHit2.Interval == 0 && b.tmrBlast.Interval == 0 &&
         b.tmrBlast2.Interval == 0 && b.tmrBlast3.Interval == 0;
}

// The counts, each unit's hit points and place, the bar, the gun, the gauge
// and what the effects and the attack's colours show.
struct Snapshot {
  int score = 0, kills = 0, ammo = 0, reloads = 0, repairs = 0, ammoBonus = 0;
  std::array<int, 8> hp{};  // units 1 .. 8
  std::vector<float> places;
  std::vector<std::string> looks;

  static Snapshot of(const modVexilla& g, const frmBulwarn& b) {
    Snapshot s{g.intScore, g.intKills, g.intAmmo, g.intReloads, g.intRepairs, g.intAmmoBonus, {}, {}, {}};
    for (int k = 1; k <= 8; ++k) {
      s.hp[k - 1] = b.intHP[k];
      s.places.insert(s.places.end(), {b.imgUnit(k).Left, b.imgUnit(k).Top, b.imgUnit(k).Visible ? 1.f : 0.f,
                                       b.shpShot(k).Visible ? 1.f : 0.f});
      s.looks.push_back(std::to_string(b.shpShot(k).FillColor));
    }
    s.places.insert(s.places.end(), {b.HPBar.Width, b.imgSight.Left});
    s.looks.push_back(std::to_string(b.HPBar.FillColor) + " " + std::to_string(b.BackColor));
    for (int i = 0; i <= 24; ++i) s.places.push_back(b.picAmmo(i).Visible ? 1.f : 0.f);
    for (const forms::Image* i : {&b.imgGunShot, &b.imgHit, &b.imgBlastA, &b.imgBlastG})
      s.looks.push_back(pictureName(i->Picture) + (i->Visible ? " shown" : " hidden"));
    return s;
  }
  bool operator==(const Snapshot& o) const {
    return score == o.score && kills == o.kills && ammo == o.ammo && reloads == o.reloads && repairs == o.repairs &&
           ammoBonus == o.ammoBonus && hp == o.hp && places == o.places && looks == o.looks;
  }
};

}  // namespace bulwarn::test

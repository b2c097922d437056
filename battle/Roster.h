// The enemy: what each kind of unit is, and which unit stands where. To add
// or change a kind, edit kKinds; to field it, point a row of kRoster at it.
#pragma once

#include "sound/modSoundG.h"

namespace bulwarn {

// The picture store's impact frame sets, frmPics.imgHitA .. imgHitD.
enum class HitFrames { A, B, C, D };

struct UnitKind {
  const char* picture;             // artwork, 66 x 50 pixels
  const char* description;         // as the target panel names it
  HitFrames hitFrames;             // impact animation over the unit
  void (modSoundG::*attackCue)();  // its weapon, heard when it attacks
  int advance;                     // ground units: twips per hit point per advance tick
  bool air;                        // flies in the sky zone; explodes as an aircraft
};

inline constexpr UnitKind kRocketLauncher{
    "unit_rocket", "M.R.L.S. - Multiple Rocket Launch System", HitFrames::D, &modSoundG::PlayMissileAttack, 1, false};
inline constexpr UnitKind kTank{"unit_tank", "Armour - Main Battle Tank", HitFrames::C, &modSoundG::PlayCannonAttack, 2,
                                false};
inline constexpr UnitKind kFightingVehicle{
    "unit_ifv", "Mechanized Infantry Fighting Vehicle", HitFrames::B, &modSoundG::PlayMachGunAttack, 3, false};
inline constexpr UnitKind kFighter{
    "unit_fighter", "Air Superiority Fighter/Interceptor", HitFrames::A, &modSoundG::PlayMissileAttack, 0, true};

struct UnitPlace {
  const UnitKind* kind;
  float left, top;          // design position of imgUnit(i)
  float shotLeft, shotTop;  // its muzzle flash shpShot(i), inside the picture
};

// imgUnit(1) .. imgUnit(8); row 0 is unused, as the array has no index 0.
// Ground units first: the line-of-fire search prefers the lower index.
inline constexpr UnitPlace kRoster[9] = {
    {nullptr, 0, 0, 0, 0},
    {&kRocketLauncher, 300, 2640, 660, 2760},
    {&kTank, 1560, 2640, 2340, 2880},
    {&kFightingVehicle, 2820, 2640, 3420, 2820},
    {&kFightingVehicle, 4080, 2640, 4320, 2820},
    {&kTank, 5340, 2640, 5400, 2880},
    {&kRocketLauncher, 6600, 2640, 7080, 2760},
    {&kFighter, 360, 300, 780, 660},
    {&kFighter, 6540, 300, 7020, 660},
};
constexpr int kUnits = 8;

inline const UnitKind& unitKind(int index) { return *kRoster[index].kind; }
inline bool isAircraft(int index) { return unitKind(index).air; }

// Kill and destruction tests visit the units in this order.
inline constexpr int kKillOrder[kUnits] = {2, 5, 4, 3, 1, 6, 8, 7};

}  // namespace bulwarn

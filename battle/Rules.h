// The battle's numbers and colours, named once.
#pragma once

#include "platform/Colors.h"

namespace bulwarn::rules {

// Time, in milliseconds.
constexpr int kAttackInterval = 5000;  // between enemy attacks while the player holds fire
constexpr int kCountdownTick = 10;     // the attack countdown's step
constexpr int kAnimationTick = 50;     // every animation: shot, impact, blast, attack, damage
constexpr int kMoveTick = 500;         // ground advance
constexpr int kFlyTick = 100;          // flight of the aircraft
constexpr int kReloadTick = 500;       // one round back per tick
constexpr int kRepairTick = 10;        // the bar grows by kRepairStep per tick

// Animation lengths, in ticks.
constexpr int kShotFrames = 12;   // muzzle flash frames; the flash ends on the next tick
constexpr int kHitFrames = 15;    // impact frames shown over the target
constexpr int kBlastFrames = 15;  // explosion frames after the first

// The gun.
constexpr int kFullAmmo = 25;
constexpr int kFullHitPoints = 8;  // every enemy unit at the start of a mission
constexpr float kTraverseStep = 100;
constexpr float kTraverseMargin = 100;  // kept from either edge of the battlefield
constexpr float kRepairStep = 10;
// A resumed game offers Repair only below this bar width.
constexpr float kRepairOfferWidth = 7080;
// An enemy hit turns the bar yellow below the first width and red at or below the second.
constexpr float kBarYellowBelow = 4720;
constexpr float kBarRedAtOrBelow = 2124;

// The message log is emptied before a line is added once it is taller than this.
constexpr float kMessageLogLimit = 2505;

// Colours (0x00BBGGRR).
constexpr forms::OleColor kCyan = 0x00FFFF00;
constexpr forms::OleColor kDarkGreen = 0x00008000;
constexpr forms::OleColor kGreen = 0x0000C000;
constexpr forms::OleColor kYellow = 0x0000FFFF;
constexpr forms::OleColor kOrange = 0x000080FF;
constexpr forms::OleColor kRed = 0x000000FF;
constexpr forms::OleColor kBlue = 0x00FF0000;
constexpr forms::OleColor kBlack = 0x00000000;
constexpr forms::OleColor kWhite = 0x00FFFFFF;

}  // namespace bulwarn::rules

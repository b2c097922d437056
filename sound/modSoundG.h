// The eight sound cues. Each builds the file's path beside the program and asks
// the platform to play it without waiting; a missing file is silent.
#pragma once

#include <string>

namespace forms {
class Runtime;
}

namespace bulwarn {

class modSoundG {
 public:
  explicit modSoundG(forms::Runtime& rt) : rt_(rt) {}
  void PlayMaingun();
  void PlayArtilleryHit();
  void PlayLargExplos();
  void PlayBattleBang();
  void PlayJetCrash();
  void PlayCannonAttack();
  void PlayMachGunAttack();
  void PlayMissileAttack();

 private:
  void play(const char* fileName);
  forms::Runtime& rt_;
};

}  // namespace bulwarn

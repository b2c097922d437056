#include "sound/modSoundG.h"

#include "platform/Runtime.h"

namespace bulwarn {

void modSoundG::play(const char* fileName) {
  std::string path = rt_.appPath();
  path += rt_.pathSeparator();
  path += fileName;
  rt_.playAsync(path);
}

void modSoundG::PlayMaingun() { play("Maingun.WAV"); }
void modSoundG::PlayArtilleryHit() { play("ArtilleryHit.WAV"); }
void modSoundG::PlayLargExplos() { play("LargExplos.WAV"); }
void modSoundG::PlayBattleBang() { play("BattleBang.WAV"); }
void modSoundG::PlayJetCrash() { play("JetCrash.WAV"); }
void modSoundG::PlayCannonAttack() { play("CannonAttack.WAV"); }
void modSoundG::PlayMachGunAttack() { play("MachGunAttack.WAV"); }
void modSoundG::PlayMissileAttack() { play("MissileAttack.WAV"); }

}  // namespace bulwarn

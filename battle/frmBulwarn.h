// The battle screen: the start-up form, its controls, the mission's state and
// every handler of the fight. One class, its handlers kept in files by concern:
//   frmBulwarn.cpp  the controls' layout and the wiring of their events
//   Mission.cpp     start-up, reset, the end of a mission, who holds the gun
//   Traverse.cpp    gun traverse, target selection, the message log
//   ShotChain.cpp   Fire, the muzzle flash, impact, explosion and victory
//   Enemy.cpp       ground advance, flight, enemy attacks and damage
//   Supply.cpp      reload and repair
//   Menus.cpp       pause, resume and the menu commands
#pragma once

#include <cstdint>
#include <string>

#include "battle/Gun.h"
#include "battle/Rules.h"
#include "platform/Form.h"

namespace bulwarn {

class Game;
struct modVexilla;

class frmBulwarn : public forms::Form {
 public:
  explicit frmBulwarn(Game& game);

  // ---- controls, in drawing order ----
  forms::Label lblSky{this, "lblSky"};
  forms::Label lblBattlefield{this, "lblBattlefield"};
  forms::Line GunLimit{this, "GunLimit"};
  forms::Image imgArrow1{this, "imgArrow1"};
  forms::Image imgArrow2{this, "imgArrow2"};
  forms::Image imgSight{this, "imgSight"};
  forms::ControlArray<forms::Image> imgUnit{this, "imgUnit", 1, 8};
  forms::ControlArray<forms::Shape> shpShot{this, "shpShot", 1, 8};
  forms::Image imgSelect{this, "imgSelect"};
  forms::Image imgHit{this, "imgHit"};
  forms::Image imgGunShot{this, "imgGunShot"};
  forms::Image imgBlastG{this, "imgBlastG"};
  forms::Image imgBlastA{this, "imgBlastA"};
  forms::Label lblVictory{this, "lblVictory"};

  forms::Label lblMsgBox{this, "lblMsgBox"};
  forms::Label lblMessage{this, "lblMessage"};

  forms::Frame fraSelect{this, "fraSelect"};
  forms::PictureBox picTarget{this, "picTarget", -1, &fraSelect};
  forms::Image imgSelectT{this, "imgSelectT", -1, &fraSelect};
  forms::ControlArray<forms::Label> hp{this, "hp", 0, 7, &fraSelect};
  forms::Line Line8{this, "Line8", -1, &fraSelect};
  forms::Line Line9{this, "Line9", -1, &fraSelect};
  forms::Line Line10{this, "Line10", -1, &fraSelect};
  forms::Line Line11{this, "Line11", -1, &fraSelect};
  forms::Label lblTargetDescription{this, "lblTargetDescription", -1, &fraSelect};

  forms::Frame fraScore{this, "fraScore"};
  forms::Label lblScore{this, "lblScore", -1, &fraScore};

  forms::Frame fraCommand{this, "fraCommand"};
  forms::CommandButton cmdFire{this, "cmdFire", -1, &fraCommand};

  forms::Frame fraHP{this, "fraHP"};
  forms::Shape HPBorder{this, "HPBorder", -1, &fraHP};
  forms::Shape HPBar{this, "HPBar", -1, &fraHP};
  forms::CommandButton cmdRepair{this, "cmdRepair"};

  forms::Frame fraAmmo{this, "fraAmmo"};
  forms::ControlArray<forms::PictureBox> picAmmo{this, "picAmmo", 0, 24, &fraAmmo};
  forms::CommandButton cmdReload{this, "cmdReload"};

  forms::Timer tmrEnemy1{this, "tmrEnemy1"};
  forms::Timer tmrEnemy2{this, "tmrEnemy2"};
  forms::Timer tmrEnemy3{this, "tmrEnemy3"};
  forms::Timer tmrEnemyTime{this, "tmrEnemyTime"};
  forms::Timer tmrShot{this, "tmrShot"};
  forms::Timer tmrHit{this, "tmrHit"};
  forms::Timer tmrHit2{this, "tmrHit2"};
  forms::Timer tmrBlast{this, "tmrBlast"};
  forms::Timer tmrBlast2{this, "tmrBlast2"};
  forms::Timer tmrBlast3{this, "tmrBlast3"};
  forms::Timer tmrMove{this, "tmrMove"};
  forms::Timer tmrFly{this, "tmrFly"};
  forms::Timer tmrReload{this, "tmrReload"};
  forms::Timer tmrRepair{this, "tmrRepair"};

  // ---- menu bar ----
  forms::MenuItem& mnuGame;
  forms::MenuItem& mnuRestart;
  forms::MenuItem& mnuNew;
  forms::MenuItem& mnuPause;
  forms::MenuItem& mnu1;
  forms::MenuItem& mnuLoad;
  forms::MenuItem& mnuSave;
  forms::MenuItem& mnu2;
  forms::MenuItem& mnuExit;
  forms::MenuItem& mnuView;
  forms::MenuItem& mnuScore;
  forms::MenuItem& mnuOptions;
  forms::MenuItem& mnuDifficulty;
  forms::MenuItem& mnuHelp;
  forms::MenuItem& mnuIntro;
  forms::MenuItem& mnu4;
  forms::MenuItem& mnuContents;
  forms::MenuItem& mnuScoring;
  forms::MenuItem& mnu3;
  forms::MenuItem& mnuAbout;

  // ---- the mission's own variables ----
  std::int16_t intTarget = 0;
  std::int16_t intHP[9] = {0, 8, 8, 8, 8, 8, 8, 8, 8};  // intHP1 .. intHP8 at [1] .. [8]
  std::int16_t intDamageEasy = 0, intDamageMedium = 0, intDamageHard = 0, intDamageImpossible = 0;
  bool blnDirectHit = false;
  bool blnReloading = false;
  bool blnRepairing = false;
  std::int16_t intEnemyTime = rules::kAttackInterval;
  std::int16_t intAttacker = 0;
  std::int16_t intSalvoCount = 0;
  std::int16_t intGunDamage = 0;
  std::int16_t intBlastKind = 0;
  std::int16_t intShotStep = 0, intHitStep = 0, intBlastStep = 0, intAttackStep = 0, intDamageStep = 0;
  std::int16_t intFly7X = 1, intFly7Y = 1, intFly8X = -1, intFly8Y = 1;

  // ---- form events ----
  void Form_Load() override;
  void Form_Activate() override;
  void Form_KeyDown(int& keyCode, int shift) override;
  void Form_CloseRequested() override;

  // ---- procedures ----
  void ResetMission();
  void imgUnit_Click(int index);
  void ClearTarget();
  void ShowTargetHP(std::int16_t hitPoints);
  void TrimMessages();
  void PostMessage(const std::string& text);
  void PauseForMenu();
  bool isPaused() const { return mnuPause.checked(); }
  // From the moment a mission ends until a reset or a new game.
  bool missionOver() const { return missionOver_; }
  // What holds the gun now (hold:: bits, see Gun.h).
  unsigned gunHolds() const;

  // ---- handlers ----
  void imgHit_Click();
  void lblSky_Click();
  void lblBattlefield_Click();
  void imgSight_Click();
  void cmdFire_Click();
  void cmdReload_Click();
  void cmdRepair_Click();
  void tmrShot_Timer();
  void tmrHit_Timer();
  void tmrHit2_Timer();
  void tmrBlast_Timer();
  void tmrBlast2_Timer();
  void tmrBlast3_Timer();
  void tmrMove_Timer();
  void tmrFly_Timer();
  void tmrEnemyTime_Timer();
  void tmrEnemy1_Timer();
  void tmrEnemy2_Timer();
  void tmrEnemy3_Timer();
  void tmrReload_Timer();
  void tmrRepair_Timer();

  void mnuGame_Click();
  void mnuView_Click();
  void mnuOptions_Click();
  void mnuHelp_Click();
  void mnuRestart_Click();
  void mnuNew_Click();
  void mnuPause_Click();
  void mnuLoad_Click();
  void mnuSave_Click();
  void mnuExit_Click();
  void mnuScore_Click();
  void mnuDifficulty_Click();
  void mnuIntro_Click();
  void mnuContents_Click();
  void mnuScoring_Click();
  void mnuAbout_Click();

  static const char* unitDescription(int index);

 private:
  enum class Outcome { Victory, Breach, GunLost };
  enum class Report { Opens, Skipped };                     // the score report
  enum class Flag { SetBeforeReport, SetBeforeCard };       // the outcome's flag in modVexilla
  enum class Score { Kept, PlainBeforeCard, SignedAfterCard };  // how lblScore is rewritten
  struct Ending;
  static const Ending kVictoryAfterBlast, kVictoryOnFire, kBreach, kGunLost;

  // frmBulwarn.cpp
  void layout();
  void layoutPanels();
  void layoutGunPanels();
  void bindHandlers();

  // Mission.cpp: the gun's holds and the one place its controls follow them.
  void follow(unsigned changed);
  void setTargetClicks(bool on);
  void offerReload(bool on);
  void offerRepair(bool on);
  void shotBegins();
  void shotEnds();
  void attackBegins();
  void attackEnds();
  void supplyEnds();
  void startValues();
  void endMission(const Ending& how);
  void stopEnemySequences();
  void cancelSupply();
  void showScore(bool signPosition);
  void unloadEveryForm();
  void hintRuntime();

  // The rest, by file.
  int lineOfFire() const;
  bool anyUnitLeft() const;
  void rollDamage();
  void rearmGun();
  void advanceGround();
  void flyAircraft(int k, std::int16_t& dx, std::int16_t& dy, float sideLo, float sideHi);
  void followTarget();
  void chooseAttacker();
  void rollEnemyHit();
  void applyGunDamage();
  void setFlashColor(forms::OleColor c);
  void startSupply(forms::Timer& clock, int tick, bool& running, unsigned holds);
  void chargeSupply(std::int16_t& count);

  Game& game_;
  modVexilla& vex_;
  bool shotUnderWay_ = false;
  bool attackUnderWay_ = false;
  bool attackLingers_ = false;  // an attack ended during a reload or repair
  bool missionOver_ = false;
  bool reloadOffered_ = false;
  bool repairOffered_ = false;
};

}  // namespace bulwarn

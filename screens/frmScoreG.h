// The score report: the breakdown of the score and a verdict on it.
#pragma once

#include "platform/Form.h"

namespace bulwarn {

class Game;

class frmScoreG : public forms::Form {
 public:
  explicit frmScoreG(Game& game);
  std::string defaultButton() const override { return "cmdDone"; }

  forms::PictureBox picLight{this, "picLight"};
  forms::PictureBox picChair{this, "picChair"};
  forms::Frame fraScoring{this, "fraScoring"};
  forms::Label lblDifficulty{this, "lblDifficulty", -1, &fraScoring};
  forms::Label lblDiff{this, "lblDiff", -1, &fraScoring};
  forms::Label lblNumDiff{this, "lblNumDiff", -1, &fraScoring};
  forms::Label lblReload{this, "lblReload", -1, &fraScoring};
  forms::Label lblNumReload{this, "lblNumReload", -1, &fraScoring};
  forms::Label lblReloadP{this, "lblReloadP", -1, &fraScoring};
  forms::Label lblRepair{this, "lblRepair", -1, &fraScoring};
  forms::Label lblNumRepair{this, "lblNumRepair", -1, &fraScoring};
  forms::Label lblRepairP{this, "lblRepairP", -1, &fraScoring};
  forms::Label lblAmmo{this, "lblAmmo", -1, &fraScoring};
  forms::Label lblAmmoNum{this, "lblAmmoNum", -1, &fraScoring};
  forms::Label lblABonus{this, "lblABonus", -1, &fraScoring};
  forms::Label lblEnemies{this, "lblEnemies", -1, &fraScoring};
  forms::Label lblTargets{this, "lblTargets", -1, &fraScoring};
  forms::Label lblNumKills{this, "lblNumKills", -1, &fraScoring};
  forms::Frame fraFinal{this, "fraFinal"};
  forms::Label lblTotal{this, "lblTotal", -1, &fraFinal};
  forms::Label lblScore{this, "lblScore", -1, &fraFinal};
  forms::Label lblComment{this, "lblComment", -1, &fraFinal};
  forms::CommandButton cmdDone{this, "cmdDone"};

  void Form_Load() override;
  void cmdDone_Click() { Unload(); }
  static const char* verdict(int score);

 private:
  void layoutScoring();
  void layoutFinal();
  Game& game_;
};

}  // namespace bulwarn

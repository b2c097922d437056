// The options dialog: difficulty, and whether Reload and Repair are offered.
#pragma once

#include "platform/Form.h"

namespace bulwarn {

class Game;

class frmOptionsG : public forms::Form {
 public:
  explicit frmOptionsG(Game& game);
  std::string defaultButton() const override { return "cmdOK"; }

  forms::Label lblTitle{this, "lblTitle"};
  forms::PictureBox picChess{this, "picChess"};
  forms::Frame fraDifficulty{this, "fraDifficulty"};
  forms::OptionButton optEasy{this, "optEasy", -1, &fraDifficulty};
  forms::OptionButton optMedium{this, "optMedium", -1, &fraDifficulty};
  forms::OptionButton optHard{this, "optHard", -1, &fraDifficulty};
  forms::OptionButton optImpossible{this, "optImpossible", -1, &fraDifficulty};
  forms::Frame fraEnabled{this, "fraEnabled"};
  forms::CheckBox chkReload{this, "chkReload", -1, &fraEnabled};
  forms::CheckBox chkRepair{this, "chkRepair", -1, &fraEnabled};
  forms::CommandButton cmdOK{this, "cmdOK"};
  forms::CommandButton cmdCancel{this, "cmdCancel"};

  void Form_Load() override;
  void Form_CloseRequested() override;
  void cmdOK_Click();
  void cmdCancel_Click();

 private:
  bool battleVisible() const;
  forms::OptionButton* difficultyOption(int i);
  Game& game_;
};

}  // namespace bulwarn

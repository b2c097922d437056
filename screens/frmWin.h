// The end-of-mission card: the outcome in five lines and three photographs.
#pragma once

#include "platform/Form.h"

namespace bulwarn {

class Game;

class frmWin : public forms::Form {
 public:
  explicit frmWin(Game& game);
  std::string defaultButton() const override { return "cmdFinish"; }

  forms::PictureBox picPeace{this, "picPeace"};
  forms::PictureBox picGrid{this, "picGrid"};
  forms::PictureBox picConquer{this, "picConquer"};
  forms::PictureBox picCity{this, "picCity"};
  forms::PictureBox picCityRuins{this, "picCityRuins"};
  forms::PictureBox picTankRuins{this, "picTankRuins"};
  forms::PictureBox picLiberate{this, "picLiberate"};
  forms::PictureBox picInvade{this, "picInvade"};
  forms::Label lblTitle{this, "lblTitle"};
  forms::Label lblMission{this, "lblMission"};
  forms::Label lblStatus{this, "lblStatus"};
  forms::Label lblRank{this, "lblRank"};
  forms::Label lblWin{this, "lblWin"};
  forms::CommandButton cmdFinish{this, "cmdFinish"};

  void Form_Load() override;
  void cmdFinish_Click() { Unload(); }

 private:
  Game& game_;
};

}  // namespace bulwarn

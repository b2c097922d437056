// The briefing and instructions card.
#pragma once

#include "platform/Form.h"

namespace bulwarn {

class Game;

class frmIntroG : public forms::Form {
 public:
  explicit frmIntroG(Game& game);
  std::string defaultButton() const override { return "cmdOK"; }

  forms::PictureBox picTank1{this, "picTank1"};
  forms::PictureBox picAdvance{this, "picAdvance"};
  forms::PictureBox picArrows{this, "picArrows"};
  forms::ControlArray<forms::Label> lblIntro{this, "lblIntro", 0, 19};
  forms::CommandButton cmdOK{this, "cmdOK"};

  void cmdOK_Click() { Unload(); }
};

}  // namespace bulwarn

// The About box with its slide show.
#pragma once

#include "platform/Form.h"

namespace bulwarn {

class Game;

class frmAbout : public forms::Form {
 public:
  explicit frmAbout(Game& game);
  std::string defaultButton() const override { return "cmdDone"; }

  forms::Image imgLogo{this, "imgLogo"};
  forms::PictureBox picFighter{this, "picFighter"};
  forms::PictureBox picShip{this, "picShip"};
  forms::PictureBox picGarage{this, "picGarage"};
  forms::PictureBox picBase{this, "picBase"};
  forms::PictureBox picPod{this, "picPod"};
  forms::ControlArray<forms::Label> lblAbout{this, "lblAbout", 0, 6};
  forms::CommandButton cmdDone{this, "cmdDone"};
  forms::Timer tmrSlides{this, "tmrSlides"};

  void Form_Load() override;
  void tmrSlides_Timer();
  void cmdDone_Click() { Unload(); }
};

}  // namespace bulwarn

// The loading screen: fills its bar in about half a second and loads the
// picture store half-way.
#pragma once

#include "platform/Form.h"

namespace bulwarn {

class Game;

class frmLoad : public forms::Form {
 public:
  explicit frmLoad(Game& game);

  forms::Shape shpBorder{this, "shpBorder"};
  forms::Label lblLoad{this, "lblLoad"};
  forms::ProgressBar ProgressBar{this, "ProgressBar"};
  forms::Timer tmrLoad{this, "tmrLoad"};

  void Form_Load() override;
  void tmrLoad_Timer();

 private:
  Game& game_;
};

}  // namespace bulwarn

// The hidden picture store: every animation frame the battle screen shows.
#pragma once

#include "platform/Form.h"

namespace bulwarn {

class Game;

class frmPics : public forms::Form {
 public:
  explicit frmPics(Game& game);

  forms::ControlArray<forms::Image> imgGunBlast{this, "imgGunBlast", 0, 11};
  forms::ControlArray<forms::Image> imgHitA{this, "imgHitA", 0, 15};
  forms::ControlArray<forms::Image> imgHitB{this, "imgHitB", 0, 15};
  forms::ControlArray<forms::Image> imgHitC{this, "imgHitC", 0, 15};
  forms::ControlArray<forms::Image> imgHitD{this, "imgHitD", 0, 15};
  forms::ControlArray<forms::Image> imgBlastA{this, "imgBlastA", 0, 15};
  forms::ControlArray<forms::Image> imgBlastB{this, "imgBlastB", 0, 15};
  forms::ControlArray<forms::Image> imgBlastC{this, "imgBlastC", 0, 15};
};

}  // namespace bulwarn

// The running program: the start-up form and every form's default instance by
// its name. It sits above the battle screen and the other screens, which reach
// each other through the shared Game below them. No globals: a test builds a
// fresh Program on its own runtime.
#pragma once

#include "state/Game.h"

namespace bulwarn {

class frmBulwarn;
class frmIntroG;
class frmOptionsG;
class frmLoad;
class frmPics;
class frmAbout;
class frmScoreG;
class frmWin;

class Program : public Game {
 public:
  using Game::Game;

  // Loads and shows the start-up form (the battle screen), which runs start-up.
  void start();

  // Default instances: created and loaded on first use.
  ::bulwarn::frmBulwarn& frmBulwarn();
  ::bulwarn::frmIntroG& frmIntroG();
  ::bulwarn::frmOptionsG& frmOptionsG();
  ::bulwarn::frmLoad& frmLoad();
  ::bulwarn::frmPics& frmPics();
  ::bulwarn::frmAbout& frmAbout();
  ::bulwarn::frmScoreG& frmScoreG();
  ::bulwarn::frmWin& frmWin();

  // The loaded instance, or null; never creates one.
  ::bulwarn::frmBulwarn* battleIfLoaded() const;
  ::bulwarn::frmPics* picsIfLoaded() const;
};

}  // namespace bulwarn

// The running program: the game-wide state, the sound module and the default
// instance of every form, each created on first use. No globals: a test builds
// a fresh Program on its own runtime.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "battle/modVexilla.h"
#include "platform/Picture.h"
#include "platform/Runtime.h"
#include "sound/modSoundG.h"

namespace bulwarn {

class frmBulwarn;
class frmIntroG;
class frmOptionsG;
class frmLoad;
class frmPics;
class frmAbout;
class frmScoreG;
class frmWin;

class Program {
 public:
  explicit Program(forms::Runtime& runtime);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Loads and shows the start-up form (the battle screen), which runs start-up.
  void start();

  forms::Runtime& rt;
  modVexilla vex;
  modSoundG sound;

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

  // Shared picture handles: the same name always gives the same image.
  forms::Picture picture(const std::string& name, int w, int h);

 private:
  template <class T>
  T& instance(std::unique_ptr<T>& slot);

  std::unique_ptr<::bulwarn::frmBulwarn> bulwarn_;
  std::unique_ptr<::bulwarn::frmIntroG> intro_;
  std::unique_ptr<::bulwarn::frmOptionsG> options_;
  std::unique_ptr<::bulwarn::frmLoad> load_;
  std::unique_ptr<::bulwarn::frmPics> pics_;
  std::unique_ptr<::bulwarn::frmAbout> about_;
  std::unique_ptr<::bulwarn::frmScoreG> score_;
  std::unique_ptr<::bulwarn::frmWin> win_;
  std::map<std::string, forms::Picture> pictures_;
};

}  // namespace bulwarn

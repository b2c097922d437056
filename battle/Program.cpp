#include "battle/Program.h"

#include "battle/frmBulwarn.h"
#include "screens/frmAbout.h"
#include "screens/frmIntroG.h"
#include "screens/frmLoad.h"
#include "screens/frmOptionsG.h"
#include "screens/frmPics.h"
#include "screens/frmScoreG.h"
#include "screens/frmWin.h"

namespace bulwarn {

int difficultyBonus(const std::string& d) {
  if (d == "Easy") return 10;
  if (d == "Medium") return 20;
  if (d == "Hard") return 50;
  if (d == "Impossible") return 100;
  return 0;
}

Program::Program(forms::Runtime& runtime) : rt(runtime), sound(runtime) {}

Program::~Program() {
  // Take every form out of the runtime before it dies, without raising events.
  auto drop = [this](forms::Form* f) {
    if (f) rt.discardForm(*f);
  };
  drop(bulwarn_.get());
  drop(intro_.get());
  drop(options_.get());
  drop(load_.get());
  drop(pics_.get());
  drop(about_.get());
  drop(score_.get());
  drop(win_.get());
}

template <class T>
T& Program::instance(std::unique_ptr<T>& slot) {
  if (!slot) {
    slot = std::make_unique<T>(*this);
    T* raw = slot.get();
    raw->releaseFromOwner = [&slot, raw]() -> std::unique_ptr<forms::Form> {
      if (slot.get() != raw) return nullptr;
      return std::unique_ptr<forms::Form>(slot.release());
    };
    rt.loadForm(*raw);
    // A form unloaded during its own load lives on until the current event
    // ends; callers then find it unloaded and leave it alone.
    return *raw;
  }
  return *slot;
}

void Program::start() {
  // One event, so a form unloaded during start-up outlives every use of it.
  rt.dispatch([this] { frmBulwarn().Show(); });
}

::bulwarn::frmBulwarn& Program::frmBulwarn() { return instance(bulwarn_); }
::bulwarn::frmIntroG& Program::frmIntroG() { return instance(intro_); }
::bulwarn::frmOptionsG& Program::frmOptionsG() { return instance(options_); }
::bulwarn::frmLoad& Program::frmLoad() { return instance(load_); }
::bulwarn::frmPics& Program::frmPics() { return instance(pics_); }
::bulwarn::frmAbout& Program::frmAbout() { return instance(about_); }
::bulwarn::frmScoreG& Program::frmScoreG() { return instance(score_); }
::bulwarn::frmWin& Program::frmWin() { return instance(win_); }

::bulwarn::frmBulwarn* Program::battleIfLoaded() const { return bulwarn_.get(); }
::bulwarn::frmPics* Program::picsIfLoaded() const { return pics_.get(); }

forms::Picture Program::picture(const std::string& name, int w, int h) {
  auto it = pictures_.find(name);
  if (it != pictures_.end()) return it->second;
  auto p = forms::makePicture(name, w, h);
  pictures_.emplace(name, p);
  return p;
}

}  // namespace bulwarn

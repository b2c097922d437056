#include "game/Program.h"

#include "battle/frmBulwarn.h"
#include "screens/frmAbout.h"
#include "screens/frmIntroG.h"
#include "screens/frmLoad.h"
#include "screens/frmOptionsG.h"
#include "screens/frmPics.h"
#include "screens/frmScoreG.h"
#include "screens/frmWin.h"

namespace bulwarn {

void Program::start() {
  // One event, so a form unloaded during start-up outlives every use of it.
  rt.dispatch([this] { frmBulwarn().Show(); });
}

::bulwarn::frmBulwarn& Program::frmBulwarn() { return form<::bulwarn::frmBulwarn>(); }
::bulwarn::frmIntroG& Program::frmIntroG() { return form<::bulwarn::frmIntroG>(); }
::bulwarn::frmOptionsG& Program::frmOptionsG() { return form<::bulwarn::frmOptionsG>(); }
::bulwarn::frmLoad& Program::frmLoad() { return form<::bulwarn::frmLoad>(); }
::bulwarn::frmPics& Program::frmPics() { return form<::bulwarn::frmPics>(); }
::bulwarn::frmAbout& Program::frmAbout() { return form<::bulwarn::frmAbout>(); }
::bulwarn::frmScoreG& Program::frmScoreG() { return form<::bulwarn::frmScoreG>(); }
::bulwarn::frmWin& Program::frmWin() { return form<::bulwarn::frmWin>(); }

::bulwarn::frmBulwarn* Program::battleIfLoaded() const { return loadedForm<::bulwarn::frmBulwarn>(); }
::bulwarn::frmPics* Program::picsIfLoaded() const { return loadedForm<::bulwarn::frmPics>(); }

}  // namespace bulwarn

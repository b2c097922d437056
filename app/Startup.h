// What the program sets up before Qt starts, and the scripted way from start-up
// to the battle screen used by the install smoke test and the play benchmark.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "game/Program.h"
#include "battle/frmBulwarn.h"
#include "platform/qt/QtRuntime.h"

namespace bulwarn {

// Call before the QApplication exists. Whoever set a variable keeps their choice.
inline void preferCheapRepaints() {
  // Our repaints are small rectangles. Through shared memory each one costs a
  // round trip to the X server before the next paint may begin; sent over the
  // socket they cost less.
  if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM")) qputenv("QT_XCB_NO_MITSHM", "1");
  // Qt's own event loop wakes up more cheaply than the GLib one, and nothing
  // here needs GLib's: some 25 wake-ups a second in play add up.
  if (!qEnvironmentVariableIsSet("QT_NO_GLIB")) qputenv("QT_NO_GLIB", "1");
}

// One step towards the battle screen: answers the message box or start-up
// card in front with its default button. True once the battle screen is up
// and in front, and nothing was answered.
inline bool stepTowardsBattle(forms::QtRuntime& rt, Program& program) {
  if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
    QAbstractButton* b = box->defaultButton();
    if (!b) b = box->buttons().value(0);
    if (b) b->click();
    return false;
  }
  forms::Form* front = rt.activeForm();
  frmBulwarn* battle = program.battleIfLoaded();
  if (front && battle && front == battle && battle->isVisible()) return true;
  if (front && !front->defaultButton().empty())
    if (forms::Control* c = front->find(front->defaultButton())) rt.userClick(*c);
  return false;
}

}  // namespace bulwarn

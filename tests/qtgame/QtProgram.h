// The real program on the Qt runtime, offscreen, brought to the battle screen
// by its own start-up path: every card and question is answered with its
// default button for as long as the test runs, as a player keen to play would.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "app/Startup.h"
#include "platform/qt/FormWindow.h"

namespace qtgame {

class QtProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    rt.setDataDir(BULWARN_SOURCE_DIR "/assets");
    // On a timer, so that it answers inside the cards' own event loops too.
    QObject::connect(&poll_, &QTimer::timeout, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box && declineNewMission && box->windowTitle() == "Start Over?") {
        box->button(QMessageBox::No)->click();
      } else {
        up_ = bulwarn::stepTowardsBattle(rt, program);
      }
    });
    poll_.start(30);
    QTimer::singleShot(0, [this] { program.start(); });
    ASSERT_TRUE(QTest::qWaitFor([this] { return up_; }, 15000));
    window = rt.window(battle())->windowHandle();
  }
  void TearDown() override {
    poll_.stop();
    rt.unloadAll();
  }

  bulwarn::frmBulwarn& battle() { return program.frmBulwarn(); }
  void key(Qt::Key k, Qt::KeyboardModifiers mods = {}) { QTest::keyClick(window, k, mods); }
  // A mouse click at a point of the battle screen, in twips, through its window.
  void clickAt(float x, float y) {
    QWidget* w = rt.window(battle());
    const QPoint at = w->findChild<forms::ClientArea*>("client")->mapTo(w, QPoint(int(x / 15), int(y / 15)));
    QTest::mouseClick(window, Qt::LeftButton, {}, at);
  }

  forms::QtRuntime rt;
  bulwarn::Program program{rt};
  QWindow* window = nullptr;
  bool declineNewMission = false;  // answers "Start Over?" with No

 private:
  QTimer poll_;
  bool up_ = false;
};

}  // namespace qtgame

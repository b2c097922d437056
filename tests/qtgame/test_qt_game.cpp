// The real program on the Qt runtime, offscreen: start-up answered by its
// default buttons, then the battle screen checked by its pixels. With
// BULWARN_SCREENSHOT_DIR set it also saves pictures of the screens.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QScreen>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <cmath>
#include <functional>

#include "game/Program.h"
#include "battle/frmBulwarn.h"
#include "platform/qt/QtRuntime.h"
#include "screens/frmAbout.h"
#include "screens/frmWin.h"

namespace {

using bulwarn::Program;

// Answers every modal card and message box with its default button until
// `done` says stop; returns false on a time-out.
bool pumpUntil(const std::function<bool()>& done, int timeoutMs = 15000) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > timeoutMs) return false;
    QApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  return true;
}

void autoAnswer(forms::QtRuntime& rt, QTimer& poll) {
  QObject::connect(&poll, &QTimer::timeout, [&rt] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      if (QAbstractButton* b =
              box->defaultButton() ? static_cast<QAbstractButton*>(box->defaultButton()) : box->buttons().value(0))
        b->click();
      return;
    }
    forms::Form* front = rt.activeForm();
    if (front && front->isModal() && !front->defaultButton().empty())
      if (forms::Control* c = front->find(front->defaultButton())) rt.userClick(*c);
  });
  poll.start(30);
}

void save(forms::QtRuntime& rt, forms::Form& f, const char* name) {
  const QByteArray dir = qgetenv("BULWARN_SCREENSHOT_DIR");
  if (dir.isEmpty()) return;
  QDir().mkpath(QString::fromLocal8Bit(dir));
  rt.window(f)->grab().save(QString::fromLocal8Bit(dir) + "/" + name + ".png");
}

// A pixel of the client area at a point given in twips.
QColor at(forms::QtRuntime& rt, forms::Form& f, float x, float y) {
  const QImage img = rt.grab(f);
  const qreal dpr = img.devicePixelRatio();
  return img.pixelColor(static_cast<int>(x / 15 * dpr), static_cast<int>(y / 15 * dpr));
}

TEST(QtGame, StartUpReachesTheBattleScreenLaidOutAsDesigned) {
  forms::QtRuntime rt;
  rt.setDataDir(BULWARN_SOURCE_DIR "/assets");
  Program program(rt);
  QTimer poll;
  autoAnswer(rt, poll);
  QTimer::singleShot(0, [&] { program.start(); });
  ASSERT_TRUE(pumpUntil([&] {
    auto* b = program.battleIfLoaded();
    return b && b->isVisible() && rt.activeForm() == b;
  }));
  poll.stop();
  bulwarn::frmBulwarn& b = program.frmBulwarn();
  b.PauseForMenu();  // hold everything still for the pictures
  b.lblVictory.Caption = "";
  QApplication::processEvents();

  EXPECT_EQ(rt.window(b)->windowTitle(), QStringLiteral("Bulwarn"));
  // Where the game puts it (centred across, at the top), unless the screen is
  // too small for it: then its title bar still is on the screen.
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  const QRect frame = rt.window(b)->frameGeometry();
  EXPECT_GE(frame.left(), area.left());
  EXPECT_GE(frame.top(), area.top());
  if (frame.width() <= area.width()) {
    EXPECT_EQ(frame.left(), static_cast<int>(std::lround(b.Left / 15)));
  }
  // Sky, battlefield and the ammunition gauge where the layout puts them.
  EXPECT_EQ(at(rt, b, 7000, 2400), QColor(0, 255, 255));             // sky, right of the fighters
  EXPECT_EQ(at(rt, b, 3000, 4800), QColor(0, 128, 0));               // battlefield
  const QColor gauge = at(rt, b, 120 + 60 + 187, 6840 + 240 + 300);  // middle of the first round
  EXPECT_NE(gauge, QColor(0, 128, 128)) << "a round is drawn in the gauge, not the frame's colour";
  EXPECT_EQ(at(rt, b, 7920 + 1200, 120 + 1200), QColor(0, 0, 0));  // the message panel
  // A target in the panel and a few lines in the log, as in a fight.
  b.imgUnit_Click(3);
  b.lblMessage.Caption = "\r\nEnemy Attack\r\nEnemy Miss\r\nDirect Hit";
  QApplication::processEvents();
  EXPECT_EQ(at(rt, b, 7920 + 120 + 300, 2700 + 1320 + 300), QColor(255, 255, 0));  // description on yellow
  save(rt, b, "battle");

  // Pictures of the three end cards and the About box, for looking at.
  bulwarn::modVexilla& g = program.vex;
  for (const char* card : {"win", "win_destroyed", "win_breached"}) {
    g.blnVictory = card == std::string("win");
    g.blnDestroyed = card == std::string("win_destroyed");
    g.blnBreached = card == std::string("win_breached");
    bulwarn::frmWin& win = program.frmWin();
    win.Show();
    QApplication::processEvents();
    save(rt, win, card);
    win.Unload();
  }
  program.frmAbout().Show();
  QApplication::processEvents();
  save(rt, program.frmAbout(), "about");
  rt.unloadAll();
}

}  // namespace

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}

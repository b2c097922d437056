// CPU of the real battle screen in play, repeatable: the whole program on the
// Qt runtime with every start-up card answered, then a fixed key script (a key
// every 200 ms) for N seconds with the random numbers seeded alike each run,
// so two builds can be compared on the same mission. Run it on a real display
// (bench/run starts Xvfb). Prints CPU time of the process as % of one core.
#include <sys/resource.h>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <cstdlib>

#include "battle/Program.h"
#include "battle/frmBulwarn.h"
#include "platform/qt/QtRuntime.h"

namespace {

// The same seed every run, so the enemy behaves alike.
class FixedSeedRuntime : public forms::QtRuntime {
 protected:
  std::uint64_t timeOfDayEntropy() const override { return 0x1234567u; }
};

double cpuSeconds() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
         static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
  const int seconds = argc > 1 ? std::atoi(argv[1]) : 30;
  // As the program sets them.
  if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM")) qputenv("QT_XCB_NO_MITSHM", "1");
  if (!qEnvironmentVariableIsSet("QT_NO_GLIB")) qputenv("QT_NO_GLIB", "1");
  QApplication app(argc, argv);
  FixedSeedRuntime rt;
  bulwarn::Program program(rt);

  const Qt::Key keys[] = {Qt::Key_Left,  Qt::Key_Left,  Qt::Key_Right, Qt::Key_Right, Qt::Key_Return,
                          Qt::Key_Right, Qt::Key_Right, Qt::Key_Left,  Qt::Key_Left,  Qt::Key_Space};
  int sent = 0;
  double cpu0 = 0;
  QElapsedTimer wall;
  QTimer driver;
  QObject::connect(&driver, &QTimer::timeout, [&] {
    // Start-up cards and any box that comes up: their default answer.
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      QAbstractButton* b = box->defaultButton();
      if (!b) b = box->buttons().value(0);
      if (b) b->click();
      return;
    }
    forms::Form* front = rt.activeForm();
    bulwarn::frmBulwarn* battle = program.battleIfLoaded();
    if (!front || !battle || front != battle || !battle->isVisible()) {
      if (front && !front->defaultButton().empty())
        if (forms::Control* c = front->find(front->defaultButton())) rt.userClick(*c);
      return;
    }
    if (!wall.isValid()) {
      wall.start();
      cpu0 = cpuSeconds();
    }
    if (wall.elapsed() >= seconds * 1000) {
      const double cpu = cpuSeconds() - cpu0;
      std::printf("%-24s %10.2f %% of a core  (%d keys, %.1f s)\n", "play-cpu-fixed-seed",
                  100.0 * cpu / (static_cast<double>(wall.elapsed()) / 1000.0), sent, wall.elapsed() / 1000.0);
      std::fflush(stdout);
      rt.unloadAll();
      return;
    }
    if (QWindow* w = rt.window(*battle)->windowHandle()) {
      const Qt::Key k = keys[sent++ % 10];
      QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier);
      QKeyEvent release(QEvent::KeyRelease, k, Qt::NoModifier);
      QCoreApplication::sendEvent(w, &press);
      QCoreApplication::sendEvent(w, &release);
    }
  });
  driver.start(200);
  program.start();
  return rt.exec();
}

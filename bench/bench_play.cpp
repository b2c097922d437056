// CPU of the real battle screen in play, repeatable: the whole program on the
// Qt runtime with every start-up card answered, then a fixed key script (a key
// every 200 ms) for N seconds with the random numbers seeded alike each run,
// so two builds can be compared on the same mission. Run it on a real display
// (bench/run starts Xvfb). Prints CPU time of the process as % of one core.
#include <sys/resource.h>

#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <cstdlib>

#include "app/Startup.h"

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
  bulwarn::preferCheapRepaints();  // as the program does
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
    if (!bulwarn::stepTowardsBattle(rt, program)) return;
    bulwarn::frmBulwarn* battle = program.battleIfLoaded();
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

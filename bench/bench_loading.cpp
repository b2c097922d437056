// The loading screen's frames: the longest the GUI thread is away while the
// loading bar runs (the picture store is loaded half-way). Run it at each
// QT_SCALE_FACTOR; prints the longest and the 99th-percentile gap between
// ticks of a 5 ms probe timer while the loading screen is up.
#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "game/Program.h"
#include "platform/qt/QtRuntime.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  forms::QtRuntime rt;
  rt.setDataDir(BULWARN_SOURCE_DIR "/assets");
  bulwarn::Program program(rt);
  QElapsedTimer clock;
  clock.start();
  std::vector<double> gaps;
  double last = -1;
  bool seen = false;
  // Answers the cards before the loading screen with their default buttons.
  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      QAbstractButton* b = box->defaultButton();
      if (!b) b = box->buttons().value(0);
      if (b) b->click();
      return;
    }
    forms::Form* front = rt.activeForm();
    if (!front || front->name() == "frmLoad" || front->defaultButton().empty()) return;
    if (forms::Control* c = front->find(front->defaultButton())) rt.userClick(*c);
  });
  answer.start(50);
  QTimer probe;
  probe.setTimerType(Qt::PreciseTimer);
  QObject::connect(&probe, &QTimer::timeout, [&] {
    const bool loading = rt.loadedForm("frmLoad") != nullptr;
    const double now = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    if (loading) {
      if (last >= 0) gaps.push_back(now - last);
      last = now;
      seen = true;
    } else if (seen) {
      rt.unloadAll();
    }
  });
  probe.start(5);
  program.start();
  rt.exec();
  std::sort(gaps.begin(), gaps.end());
  const double worst = gaps.empty() ? 0 : gaps.back();
  const double p99 = gaps.empty() ? 0 : gaps[std::min(gaps.size() - 1, gaps.size() * 99 / 100)];
  const char* scale = std::getenv("QT_SCALE_FACTOR");
  std::printf("loading-screen scale %-5s frames %4zu  longest %7.1f ms  p99 %6.1f ms\n", scale ? scale : "1",
              gaps.size(), worst, p99);
  return 0;
}

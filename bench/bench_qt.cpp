// The Qt realisation under load: timer fidelity of the battle screen's timer
// rates running together, and the time a sound cue spends on the game's thread.
#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <vector>

#include "game/Program.h"
#include "platform/Form.h"
#include "platform/qt/QtRuntime.h"
#include "screens/frmPics.h"

namespace {

using Clock = std::chrono::steady_clock;

// The battle screen's steady timers: two at 10 ms, and 50, 100, 500 ms.
class TimerForm : public forms::Form {
 public:
  explicit TimerForm(forms::Runtime& rt) : forms::Form(rt, "frmBench") {
    Caption = "timer bench";
    clientWidth = 3000;
    clientHeight = 1500;
    lbl.move(120, 120, 2000, 400);
    lbl.BackColor = 0x00FFFF00;
  }
  forms::Label lbl{this, "lbl"};
  forms::Timer t10a{this, "t10a"}, t10b{this, "t10b"}, t50{this, "t50"}, t100{this, "t100"}, t500{this, "t500"};
  forms::Timer stop{this, "stop"};
};

double pct(std::vector<double> v, double p) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[std::min(v.size() - 1, static_cast<size_t>(p / 100.0 * static_cast<double>(v.size())))];
}

}  // namespace

int main(int argc, char** argv) {
  const int seconds = argc > 1 ? std::atoi(argv[1]) : 20;
  QApplication app(argc, argv);
  forms::QtRuntime rt;
  TimerForm f(rt);
  std::map<std::string, std::vector<Clock::time_point>> ticks;
  std::map<std::string, int> nominal;
  auto hook = [&](forms::Timer& t, int ms) {
    nominal[t.name()] = ms;
    t.Tick = [&ticks, &t] { ticks[t.name()].push_back(Clock::now()); };
  };
  hook(f.t10a, 10);
  hook(f.t10b, 10);
  hook(f.t50, 50);
  hook(f.t100, 100);
  hook(f.t500, 500);
  f.stop.Tick = [&] { rt.unloadAll(); };
  rt.loadForm(f);
  f.Show();
  // The flying aircraft repaint every 100 ms while this runs, as in play.
  f.t10a.Interval = 10;
  f.t10b.Interval = 10;
  f.t50.Interval = 50;
  f.t100.Interval = 100;
  f.t500.Interval = 500;
  f.stop.Interval = seconds * 1000;
  rt.exec();

  std::printf("%-24s %10s %10s %9s %9s %9s\n", "timer", "delivered", "nominal", "share", "p50 ms", "p99 ms");
  for (auto& [name, ts] : ticks) {
    std::vector<double> gaps;
    for (size_t i = 1; i < ts.size(); ++i)
      gaps.push_back(std::chrono::duration<double, std::milli>(ts[i] - ts[i - 1]).count());
    // Ticks due before the stop (a tick due at the same instant as the stop loses the tie).
    const int expected = (seconds * 1000 - 1) / nominal[name];
    std::printf("qt-timer %-15s %10zu %10d %8.1f%% %9.2f %9.2f\n", name.c_str(), ts.size(), expected,
                100.0 * static_cast<double>(ts.size()) / expected, pct(gaps, 50), pct(gaps, 99));
  }

  // The picture store: every animation frame rendered at the screen's ratio.
  {
    forms::QtRuntime prt;
    prt.setDataDir(BULWARN_SOURCE_DIR "/assets");
    bulwarn::Program program(prt);
    const auto t0 = Clock::now();
    program.frmPics();
    const auto t1 = Clock::now();
    QCoreApplication::processEvents();  // the frames are handed to the drawing thread once the program is idle
    const auto t2 = Clock::now();
    const auto ms = [](Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); };
    std::printf(
        "%-24s %10s %10s %9s %9.1f %9s  (ms on the GUI thread, of which handing the frames to the drawing thread "
        "%.1f)\n",
        "picture-store-load", "124", "", "", ms(t2 - t0), "", ms(t2 - t1));
  }

  // Sound: time spent on the game's thread inside a cue call.
  std::vector<double> calls;
  const std::string path = rt.appPath() + "/Maingun.WAV";
  for (int i = 0; i < 1000; ++i) {
    const auto t0 = Clock::now();
    rt.playAsync(path);
    calls.push_back(std::chrono::duration<double, std::micro>(Clock::now() - t0).count());
    if (i % 50 == 0) QCoreApplication::processEvents();
  }
  std::printf("%-24s %10s %10s %9s %9.2f %9.2f  (microseconds)\n", "sound-cue-call", "1000", "", "", pct(calls, 50),
              pct(calls, 99));
  return 0;
}

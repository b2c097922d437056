// CPU and memory of the battle screen in play and paused, repeatable: the
// whole program on the Qt runtime under an X server (bench/run starts Xvfb),
// every start-up card answered, then a player that presses a key every 200 ms
// through the X server (XTest), so keys take the same path as a real player's.
// The player acts when the game is awake anyway, so it adds no wake-ups.
// The player aims: it traverses the gun under the nearest unit still standing
// and fires when in line, and reloads with the mouse when the gun is empty.
// The random numbers are seeded alike each run, so two builds can be compared
// on the same mission. Then F3 pauses the game for as long again.
// Prints CPU time of the process as % of one core, and the peak RSS. With
// BULWARN_BENCH_XSERVER_PID it also prints the X server's CPU over the same
// spans: what a repaint costs is shared between the two.
#include <sys/resource.h>
#include <time.h>
#include <unistd.h>
#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <QAbstractEventDispatcher>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "app/Startup.h"
#include "bench/XInput.h"
#include "replay/Recorder.h"

namespace {

using bench::FakeInput;
using bench::FixedSeedRuntime;

double seconds(clockid_t clock) {
  timespec t{};
  clock_gettime(clock, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// The key a player presses next: fire when the sight is under a unit, else
// traverse towards the nearest ground unit still standing.
FakeInput::Key aim(const bulwarn::frmBulwarn& b) {
  const float left = b.imgSight.Left, right = left + b.imgSight.Width, centre = (left + right) / 2;
  float best = 0, bestDistance = 1e9f;
  for (int i = 1; i <= 8; ++i) {
    const forms::Image& u = b.imgUnit(i);
    if (!u.Visible) continue;
    if (left >= u.Left && right <= u.Left + u.Width) return FakeInput::Return;
    const float middle = u.Left + u.Width / 2, distance = std::fabs(middle - centre);
    if (i <= 6 && distance < bestDistance) {
      bestDistance = distance;
      best = middle;
    }
  }
  return best > centre ? FakeInput::Right : FakeInput::Left;
}

constexpr int kMoveMs = 200;  // a key every 200 ms

double percent(double cpu, double wall) { return 100.0 * cpu / wall; }

// CPU seconds another process has used so far (user and system), or -1.
double cpuOf(long pid) {
  if (pid <= 0) return -1;
  std::FILE* f = std::fopen(("/proc/" + std::to_string(pid) + "/stat").c_str(), "r");
  if (!f) return -1;
  char buf[1024] = {};
  const size_t n = std::fread(buf, 1, sizeof buf - 1, f);
  std::fclose(f);
  buf[n] = 0;
  // The command name may hold spaces; the fields after it are plain.
  const char* rest = std::strrchr(buf, ')');
  unsigned long utime = 0, stime = 0;
  if (!rest || std::sscanf(rest + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %lu %lu", &utime, &stime) != 2)
    return -1;
  return static_cast<double>(utime + stime) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

}  // namespace

int main(int argc, char** argv) {
  const int secs = argc > 1 ? std::atoi(argv[1]) : 30;
  bulwarn::preferCheapRepaints();  // as the program does
  QApplication app(argc, argv);
  FakeInput input;
  if (!input.ok()) {
    std::fprintf(stderr, "bench_play: needs an X server with the XTEST extension and a keyboard map\n");
    return 2;
  }
  FixedSeedRuntime rt;
  bulwarn::Program program(rt);
  // BULWARN_BENCH_RECORD=FOLDER: the game is recorded into it, as the program records.
  std::unique_ptr<bulwarn::replay::FileJournal> journal;
  std::unique_ptr<bulwarn::replay::Recorder> recorder;
  if (const char* folder = std::getenv("BULWARN_BENCH_RECORD"); folder && *folder) {
    journal = std::make_unique<bulwarn::replay::FileJournal>();
    journal->start(bulwarn::replay::newRecordingPath(folder));
    recorder = std::make_unique<bulwarn::replay::Recorder>(rt, *journal, BULWARN_VERSION);
  }

  // The player's own thinking is not the game's work: its time is left out.
  double playerCpu = 0;
  double cpu0 = 0;
  const char* xpidText = std::getenv("BULWARN_BENCH_XSERVER_PID");
  const long xpid = xpidText ? std::atol(xpidText) : 0;
  double xcpu0 = 0;
  int keys = 0, shots = 0, reloads = 0;
  bool playing = false;
  xcb_window_t focused = 0;
  QElapsedTimer wall;
  bool paused = false;
  // The player looks at the game when the game has done its work and is about
  // to sleep: a real player's keyboard wakes the game only through the X
  // server, so the player must not wake it with a timer of its own. The timer
  // only stands in while nothing else wakes the program (start-up cards, a box).
  QElapsedTimer clock;
  clock.start();
  qint64 nextMove = 0;  // on a 200 ms grid, so the keys keep their rate
  QTimer player;
  player.setSingleShot(true);
  auto report = [&](const char* what) {
    const double cpu = seconds(CLOCK_PROCESS_CPUTIME_ID) - cpu0 - playerCpu;
    std::printf("%-24s %10.2f %% of a core  (%d keys, %d shots, %d reloads, %.1f s)\n", what,
                percent(cpu, static_cast<double>(wall.elapsed()) / 1000.0), keys, shots, reloads,
                static_cast<double>(wall.elapsed()) / 1000.0);
    if (const double x = cpuOf(xpid); x >= 0)
      std::printf("%-24s %10.2f %% of a core\n", (std::string("x-server-") + (what + 4)).c_str(),
                  percent(x - xcpu0, static_cast<double>(wall.elapsed()) / 1000.0));
    std::fflush(stdout);
  };
  auto move = [&] {
    const double t0 = seconds(CLOCK_THREAD_CPUTIME_ID);
    struct Count {  // every path out of this handler counts its time
      double t0;
      double& total;
      ~Count() { total += seconds(CLOCK_THREAD_CPUTIME_ID) - t0; }
    } count{t0, playerCpu};
    nextMove = std::max(nextMove + kMoveMs, clock.elapsed() + kMoveMs / 2);
    player.start(playing ? kMoveMs * 2 : kMoveMs);
    // Start-up cards and any box that comes up (a mission won or lost): their default answer.
    if (!bulwarn::stepTowardsBattle(rt, program)) return;
    bulwarn::frmBulwarn& battle = *program.battleIfLoaded();
    QWidget* window = rt.window(battle);
    if (focused != window->winId()) {
      focused = static_cast<xcb_window_t>(window->winId());
      input.focus(focused);
    }
    if (!playing) {
      playing = true;
      wall.start();
      playerCpu = 0;
      cpu0 = seconds(CLOCK_PROCESS_CPUTIME_ID) - (seconds(CLOCK_THREAD_CPUTIME_ID) - t0);
      xcpu0 = cpuOf(xpid);
    }
    if (wall.elapsed() >= secs * 1000) {
      report("cpu-in-play");
      // Paused: no keys, and nothing of ours wakes the program. The count
      // starts a second after the pause, when its own repaints are done.
      input.key(FakeInput::F3);
      paused = true;
      player.stop();
      QTimer::singleShot(1000, [&] {
        wall.start();
        playerCpu = 0;
        cpu0 = seconds(CLOCK_PROCESS_CPUTIME_ID);
        xcpu0 = cpuOf(xpid);
        QTimer::singleShot(secs * 1000, [&] {
          report("cpu-paused");
          rusage u{};
          getrusage(RUSAGE_SELF, &u);
          std::printf("%-24s %10.1f MB\n", "peak-rss", static_cast<double>(u.ru_maxrss) / 1024.0);
          std::fflush(stdout);
          rt.unloadAll();
        });
      });
      return;
    }
    // An empty gun is reloaded with the Reload button, as a player would.
    if (program.vex.intAmmo <= 0 && battle.cmdReload.Visible && battle.cmdReload.Enabled) {
      if (auto* b = window->findChild<QPushButton*>("cmdReload"); b && b->isVisible()) {
        input.click(b->mapToGlobal(b->rect().center()));
        ++reloads;
        return;
      }
    }
    const FakeInput::Key k = aim(battle);
    if (k == FakeInput::Return && battle.KeyPreview) ++shots;
    input.key(k);
    ++keys;
  };
  QObject::connect(&player, &QTimer::timeout, move);
  QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, [&] {
    // Within half a 50 ms beat of the grid: the game's timers wake it on that beat.
    if (playing && !paused && clock.elapsed() >= nextMove - 25) move();
  });
  player.start(kMoveMs);
  program.start();
  return rt.exec();
}

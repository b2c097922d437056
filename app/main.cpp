// The program: the Qt forms runtime with the battle screen as its start-up form.
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "app/Options.h"
#include "app/ShowReplay.h"
#include "app/Signals.h"
#include "app/Startup.h"
#include "app/Display.h"
#include "replay/Recorder.h"
#include "replay/Replay.h"

namespace {

// Smoke test for installs and packages (BULWARN_SMOKE_TEST=1): answers every
// start-up card with its default button, and ends the program once the
// battle screen is up. Exit code 0 when it got there within 20 s.
void armSmokeTest(forms::QtRuntime& rt, bulwarn::Program& program, int& exitCode) {
  exitCode = 1;
  auto* poll = new QTimer(qApp);
  auto* started = new QElapsedTimer;
  started->start();
  QObject::connect(poll, &QTimer::timeout, [&rt, &program, &exitCode, started] {
    if (bulwarn::stepTowardsBattle(rt, program)) {
      std::printf("bulwarn: battle screen reached, data in %s\n", rt.appPath().c_str());
      std::fflush(stdout);
      exitCode = 0;
      rt.unloadAll();
    }
    if (started->elapsed() > 20000) {
      std::fprintf(stderr, "bulwarn: smoke test timed out\n");
      rt.unloadAll();
    }
  });
  poll->start(50);
}

}  // namespace

int main(int argc, char* argv[]) {
  bulwarn::Options options;
  if (const int done = bulwarn::parseOptions(argc, argv, options); done >= 0) return done;
  // A replay needs no window unless it is to be watched.
  if (!options.replay.empty() && !options.show) return bulwarn::replay::replayCommand(options.replay, stdout, stderr);
  std::string noDisplay;
  if (!forms::chooseReachableDisplay(argc, argv, &noDisplay)) {
    std::fprintf(stderr, "bulwarn: no display found (%s); start it from a desktop session\n", noDisplay.c_str());
    return 2;
  }
  bulwarn::preferCheapRepaints();
  auto startGuard = std::make_unique<forms::DisplayStartGuard>();
  QApplication app(argc, argv);
  startGuard.reset();
  QApplication::setApplicationName("Bulwarn");
  if (options.show) return bulwarn::showReplay(options.replay);
  forms::QtRuntime rt;
  // Every window of the game carries its emblem.
  rt.setAppIcon("bulwarn_icon");
  bulwarn::Program program(rt);
  int smokeExit = 0;
  const bool smoke = std::getenv("BULWARN_SMOKE_TEST") != nullptr;
  if (smoke) armSmokeTest(rt, program, smokeExit);
  // The flight recorder: every game into a file of its own (an install check is no game).
  std::unique_ptr<bulwarn::replay::FileJournal> journal;
  std::unique_ptr<bulwarn::replay::Recorder> recorder;
  if (options.record && !smoke) {
    const std::string folder = bulwarn::replay::recordingsFolder();
    if (folder.empty()) {
      std::fprintf(stderr, "bulwarn: no home folder to record into; this game is not recorded\n");
    } else {
      journal = std::make_unique<bulwarn::replay::FileJournal>();
      const std::string path = bulwarn::replay::newRecordingPath(folder);
      journal->start(path, [folder, path] { bulwarn::replay::pruneRecordings(folder, 10, path); });
      recorder = std::make_unique<bulwarn::replay::Recorder>(rt, *journal, BULWARN_VERSION);
    }
  }
  // A signal ends the game as its last window closing would: the recording gets its end.
  bulwarn::endOnSignals([&rt, &recorder](const char* signal) {
    if (recorder) recorder->endingBy(signal);
    rt.unloadAll();
  });
  program.start();
  const int rc = rt.exec();
  recorder.reset();
  journal.reset();  // the writer writes what is left and stops
  return smoke ? smokeExit : rc;
}

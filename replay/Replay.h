// Replay: a recording played back on the headless runtime as fast as it goes,
// each event at its recorded time, and what the game looks like at the end.
#pragma once

#include <cstdio>
#include <functional>
#include <stdexcept>
#include <string>

#include "game/Program.h"
#include "platform/headless/HeadlessRuntime.h"
#include "replay/Recording.h"

namespace bulwarn::replay {

// The recording asks for something the game does not do at that moment.
class Divergence : public std::runtime_error {
 public:
  Divergence(const Event& e, const std::string& what);
  int line() const { return line_; }

 private:
  int line_;
};

// Plays a recording on a runtime: each input and tick at its recorded time
// through the runtime's own input calls, checked against the game as it goes.
// The runtime hands it its waits (modal forms, message boxes) and takes its
// clock and time of day from it.
class Player {
 public:
  Player(forms::Runtime& rt, const Recording& rec) : rt_(rt), rec_(rec), reader_(rec) {}

  // Calls into the game from outside: the first starts the program (set by
  // replay()); a test that set up the game between events adds its own.
  std::vector<std::function<void()>> calls;
  // Runs before each event with its time: watching a replay waits for it.
  std::function<void(long long at)> pace;

  // Plays every event (throws Divergence). False when the recording stops
  // while the game waits for it (a game that was killed).
  bool play();
  void runModal(forms::Form& f);
  int answer(const std::string& prompt, int style);
  long long clock() const { return clock_; }
  const Event* lastEvent() const { return last_.line > 0 ? &last_ : nullptr; }
  const Recording& recording() const { return rec_; }

 private:
  struct RecordingStops {};
  bool more();
  const Event& take();
  const Event& peekOrStop();
  // By value: the game may read further events (a modal form it opens) before it returns.
  void apply(Event e);
  void applyClick(const Event& e);
  void applyMenu(const Event& e);
  void applyTick(const Event& e);
  forms::Form& formOf(const Event& e);

  forms::Runtime& rt_;
  const Recording& rec_;
  EventReader reader_;
  Event ahead_, last_;
  bool haveAhead_ = false;
  long long clock_ = 0;
  std::size_t callsMade_ = 0;
};

// The screen a recording was made on.
forms::ScreenInfo screenOf(const Header& h);

// A runtime with the recording in charge: its clock, screen, beat, time of
// day, answers and returns come from the recording. Replay uses it on the
// headless runtime, `--show` on the Qt one.
template <class Base>
class Replaying : public Base {
 public:
  explicit Replaying(const Recording& rec) : player_(*this, rec) { this->random().seed(rec.header.seed); }
  Player& player() { return player_; }

  long long nowMs() const override { return player_.clock(); }
  forms::ScreenInfo screen() const override { return screenOf(player_.recording().header); }
  long long timerBeat() const override { return player_.recording().header.beat; }
  std::uint64_t timeOfDayAtStart() const override { return player_.recording().header.tod; }

 protected:
  void runModal(forms::Form& f) override { player_.runModal(f); }
  int showMsgBox(const std::string& prompt, int style, const std::string&) override {
    return player_.answer(prompt, style);
  }

 private:
  mutable Player player_;
};

// The headless runtime a recording drives, as fast as it goes.
using ReplayRuntime = Replaying<forms::HeadlessRuntime>;

struct Outcome {
  int exitCode = 0;     // 0 replayed, 1 diverged
  std::string state;    // the final state (also when it diverged: the state then)
  std::string message;  // for stderr: divergence, notes
};

// Runs `play` (a player's play()) and says how it went: exit code 0, or 1 when
// it diverged, and notes on a recording that stops early or has no end.
Outcome settle(const Player& player, const std::function<bool()>& play);

// Replays on a fresh program; `setUp` adds calls after start-up (tests).
Outcome replay(const Recording& rec, const std::vector<std::function<void(Program&)>>& setUp = {});

// `bulwarn --replay FILE`: the final state on `out`, notes and errors on
// `err`; 0 replayed, 1 diverged (naming the event and its line), 2 not a
// readable recording.
int replayCommand(const std::string& path, std::FILE* out, std::FILE* err);

// What a player would want to compare: score, kills, ammunition, the gun,
// every unit, the message log and the outcome, one fact a line.
std::string describe(const Program& p);

}  // namespace bulwarn::replay

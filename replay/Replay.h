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

// The runtime a recording drives: its clock, answers, returns and random
// values all come from the recording, and its inputs are the recorded ones.
class ReplayRuntime : public forms::HeadlessRuntime {
 public:
  explicit ReplayRuntime(const Recording& rec);

  // Calls into the game from outside: the first starts the program (set by
  // replay()); a test that set up the game between events adds its own.
  std::vector<std::function<void()>> calls;

  // Plays every event (throws Divergence). False when the recording stops
  // while the game waits for it (a game that was killed).
  bool play();
  const Event* lastEvent() const { return next_ > 0 ? &rec_.events[next_ - 1] : nullptr; }

  long long nowMs() const override { return clock_; }
  forms::ScreenInfo screen() const override;
  long long timerBeat() const override { return rec_.header.beat; }

 protected:
  void runModal(forms::Form& f) override;
  int showMsgBox(const std::string& prompt, int style, const std::string& title) override;
  std::uint64_t timeOfDayEntropy() const override;

 private:
  struct RecordingStops {};
  const Event& take() const;
  const Event* peek() const { return next_ < rec_.events.size() ? &rec_.events[next_] : nullptr; }
  void apply(const Event& e);
  forms::Form& formOf(const Event& e);

  const Recording& rec_;
  mutable std::size_t next_ = 0;
  mutable long long clock_ = 0;
  std::size_t callsMade_ = 0;
};

struct Outcome {
  int exitCode = 0;     // 0 replayed, 1 diverged
  std::string state;    // the final state (also when it diverged: the state then)
  std::string message;  // for stderr: divergence, notes
};

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

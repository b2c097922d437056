// A monkey player: plays whole programs on the headless runtime from a seed or
// from a byte stream (the fuzzer), checking the game's invariants after every
// event. A failure names the seed and the event count that reproduce it.
#pragma once

#include <algorithm>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "battle/frmBulwarn.h"
#include "common/Battle.h"
#include "game/Program.h"
#include "platform/headless/HeadlessRuntime.h"
#include "replay/Recorder.h"

namespace bulwarn::monkey {

struct Stats {
  long long events = 0;
  long long programs = 0;  // programs started (each Abort ends one)
  long long missions = 0;  // missions that ended: victory, breach or loss of the gun
  long long victories = 0, breaches = 0, defeats = 0;
  long long gameMs = 0;  // virtual time played
  // Interleavings the gun's invariants need: an attack seen under way while
  // a reload or repair ran, and an attack, reload or repair that ended while
  // the player's round was still in the air.
  long long attacks = 0, attacksDuringSupply = 0, endedInMidShot = 0;
  long long hits = 0, misses = 0;  // the rolls of the attacks
  std::string failure;  // empty while every invariant holds
};

// Where the monkey's choices come from: a seeded generator, or fuzzer bytes.
class Choices {
 public:
  virtual ~Choices() = default;
  virtual std::uint32_t next(std::uint32_t n) = 0;  // uniform in [0, n)
  virtual bool exhausted() const { return false; }
};

class SeededChoices : public Choices {
 public:
  explicit SeededChoices(std::uint64_t seed) : gen_(seed) {}
  std::uint32_t next(std::uint32_t n) override { return n <= 1 ? 0 : static_cast<std::uint32_t>(gen_() % n); }

 private:
  std::mt19937_64 gen_;
};

class ByteChoices : public Choices {
 public:
  ByteChoices(const std::uint8_t* data, size_t size) : data_(data), size_(size) {}
  std::uint32_t next(std::uint32_t n) override {
    if (n <= 1) return 0;
    std::uint32_t v = 0;
    for (int i = 0; i < 2; ++i) v = (v << 8) | (pos_ < size_ ? data_[pos_++] : 0u);
    return v % n;
  }
  bool exhausted() const override { return pos_ >= size_; }

 private:
  const std::uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};

class Monkey {
 public:
  Monkey(Choices& choices, std::uint64_t runtimeSeed);
  ~Monkey();
  // Plays until maxEvents events have been played, an invariant breaks, or the
  // choices run out. Returns the statistics (failure set on a broken invariant).
  Stats play(long long maxEvents);
  // Benchmarks time the game alone, without the invariant checks.
  void setChecking(bool on) { checking_ = on; }
  // Every program is recorded; a failure writes its recording into this
  // folder ("" for none) and names the file. With `verify`, each program's
  // recording is also replayed when it ends and must end in the same state.
  void setRecording(std::string folder, bool verify) {
    recordingFolder_ = std::move(folder);
    verifyReplays_ = verify;
  }
  long long replaysVerified() const { return replaysVerified_; }

 private:
  void startProgram();
  void oneEvent();
  void modalTurn(forms::Form& f);
  int answer(const forms::MsgBoxRecord& r);
  void check(const char* after);
  void checkGaugeAndScore(const frmBulwarn& b);
  void checkOutcome(const frmBulwarn& b);
  void checkStillness(const frmBulwarn& b);
  void checkLiveness(const frmBulwarn& b);
  void checkGun(const frmBulwarn& b);
  void fail(const std::string& what);
  void verifyReplay();
  std::string saveRecording();
  forms::Control* randomControl(forms::Form& f);

  Choices& ch_;
  std::uint64_t rtSeed_;
  std::unique_ptr<forms::HeadlessRuntime> rt_;
  std::unique_ptr<Program> program_;
  std::unique_ptr<replay::MemoryJournal> journal_;
  std::unique_ptr<replay::Recorder> recorder_;
  std::string recordingFolder_ = ".";
  bool verifyReplays_ = false;
  long long replaysVerified_ = 0;
  Stats stats_;
  long long lastUsableMs_ = 0;
  long long lastHeldMs_ = 0;  // the gun was usable, or something visibly held it
  long long lastCheckMs_ = 0;
  long long supplyMs_ = 0;
  float lastBar_ = 0;  // game time a reload or repair has run with the clocks on
  const frmBulwarn* lastForm_ = nullptr;
  std::string missionDifficulty_;
  bool bonusSeen_ = false;  // the ammunition bonus of this mission has been checked
  test::Snapshot last_;
  bool over_ = false;  // at this look: the mission has ended
  int gone_ = 0;       // at this look: units no longer on the field
  bool lastPaused_ = false;
  bool lastOver_ = false;
  std::string lastLog_;             // the message log at the last look
  bool attackOpen_ = false;         // "Enemy Attack" seen, its roll not yet
  int unitsAtAttack_ = 0;           // units on the field when it began
  int hitsToLand_ = 0;              // "Enemy Hit" seen, its damage not yet
  float barAtLastLook_ = 0;
  bool lastShotIdle_ = true;        // at the last look
  bool lastOtherHold_ = false;      // an attack, reload or repair, at the last look
  bool resetExpected_ = false;      // the player answered Yes to starting afresh
  bool resetAnsweredOver_ = false;  // ... to starting the mission over
  int modalTurns_ = 0;
  bool skilled_ = false;
  bool checking_ = true;
  long long key13Wait_ = 60;        // this program is played by a sharpshooter
  std::deque<std::string> recent_;  // the last events, told with a failure
  void note(std::string what);
};

}  // namespace bulwarn::monkey

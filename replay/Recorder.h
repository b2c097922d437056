// The flight recorder: hears every event that enters the game (the runtime's
// observer) and keeps it as a line of its recording, in memory or in a file.
//
// The file is written by a thread of its own, never by the game's: the game
// only queues a copy of each event. The writer empties the queue at least
// once a second and at once when the game starts to wait for the player (a
// modal form or a message box opens: every mission ends with one), always in
// whole lines, so a game killed at any moment leaves a recording that reads
// back up to its last line. A failed write (disk full, read-only) is told
// once, and the game plays on without recording.
#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/Runtime.h"
#include "replay/Recording.h"

namespace bulwarn::replay {

// Where the lines go.
class Journal {
 public:
  virtual ~Journal() = default;
  virtual void begin(const Header& h) = 0;  // the header line, before any event
  // An event's line; a journal with a thread of its own formats it there.
  virtual void append(Event&& e) = 0;
  virtual void checkpoint() {}
  virtual bool failed() const { return false; }
};

class MemoryJournal : public Journal {
 public:
  void begin(const Header& h) override { text_ += headerLine(h) + '\n'; }
  void append(Event&& e) override { text_ += eventLine(e) + '\n'; }
  const std::string& text() const { return text_; }

 private:
  std::string text_;
};

class FileJournal : public Journal {
 public:
  // Starts the writer, which creates the file (and its folder, 0700) and
  // then runs `housekeeping` (pruning old recordings), all on its own thread.
  void start(std::string path, std::function<void()> housekeeping = {});
  ~FileJournal() override;
  void begin(const Header& h) override;
  // Only a copy of the event waits: the game's thread never formats a line.
  void append(Event&& e) override;
  void checkpoint() override;
  bool failed() const override { return failed_.load(std::memory_order_relaxed); }
  const std::string& path() const { return path_; }
  // Say what went wrong, once, and warnings (stderr by default).
  void setReporter(std::function<void(const std::string&)> r) { report_ = std::move(r); }

 private:
  void run();
  bool create();
  bool writeOut(const std::string& chunk);
  std::string path_;
  int fd_ = -1;
  long long written_ = 0;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::string header_;        // written before the first event
  std::vector<Event> queue_;  // events waiting to be written, in order
  bool urgent_ = false, stop_ = false;
  std::atomic<bool> failed_{false};
  std::function<void(const std::string&)> report_;
  std::thread writer_;
};

class Recorder : public forms::EventObserver {
 public:
  // Starts recording the runtime's events into the journal: the header now.
  Recorder(forms::Runtime& rt, Journal& journal, const std::string& programVersion);
  ~Recorder() override;
  Recorder(const Recorder&) = delete;
  Recorder& operator=(const Recorder&) = delete;

  void heard(const forms::RuntimeEvent& e) override;
  void waiting() override { journal_.checkpoint(); }
  long long lines() const { return lines_; }
  // The program is being ended by a signal (its name goes on the end line).
  void endingBy(std::string signal) { signal_ = std::move(signal); }

 private:
  forms::Runtime& rt_;
  Journal& journal_;
  long long lines_ = 0;
  std::string signal_;
};

// The folder recordings go to: $XDG_STATE_HOME/bulwarn, or
// ~/.local/state/bulwarn; empty when neither can be known.
std::string recordingsFolder();
// A new file name for a game starting now, in that folder:
// bulwarn-YYYYMMDDTHHMMSSZ-PID.replay, the time in UTC.
std::string newRecordingPath(const std::string& folder);
// Keeps the newest `keep` recordings in the folder, the one being written
// (`writing`) always among them, and removes older ones. Only files named as
// newRecordingPath names them are counted or removed; their names say how old.
void pruneRecordings(const std::string& folder, int keep, const std::string& writing);

}  // namespace bulwarn::replay

// The recording of one game: a header line and one line per event that
// entered the game (docs/replay.md). Lines are written from the runtime's
// events as they happen and read back, strictly, for replay.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/Runtime.h"

namespace bulwarn::replay {

constexpr int kFormatVersion = 1;
constexpr const char* kMagic = "bulwarn-recording";
constexpr std::size_t kMaxBytes = 64u << 20;  // an hour of play is a few MB
constexpr std::size_t kMaxLine = 200;
constexpr long long kMaxTime = 7LL * 24 * 3600 * 1000;  // a week of play, in ms

struct Header {
  int format = kFormatVersion;
  std::string version;  // of the program that recorded
  float screenW = 0, screenH = 0, tppX = 15, tppY = 15;
  std::uint64_t seed = 0;
  long long beat = 0;
  std::uint64_t tod = 0;  // the time of day (ms) at clock 0: Randomize mixes in tod + the clock
  std::string started;    // wall-clock time of the start, for people; optional
};

using Kind = forms::RuntimeEvent::Kind;

// An event: what its line says, with forms, controls, timers and menu items
// by name. The recorder copies one out of the game (so the line can be
// written later, on another thread, after the form is gone); replay reads one
// from each line.
struct Event {
  Kind kind = Kind::Call;
  long long at = 0;
  int line = 0;            // in the file (replay)
  std::string form, name;  // name: control, timer or menu item; for an end, the signal that ended the program
  int index = -1;          // of a control in an array
  int code = 0, shift = 0;
  bool hasPoint = false;
  float x = 0, y = 0;
};

// A recording read and checked whole, its events kept as the text they came
// in: a 64 MB file takes 64 MB, and replay reads the events one at a time.
struct Recording {
  Header header;
  std::string text;
  std::size_t body = 0, bodyEnd = 0;  // the event lines: after the header, up to the last whole line
  long long events = 0, lastAt = 0;   // how many, and the time of the last
  bool complete = false;              // ends with the program's end
  std::string note;                   // what was left out (a line cut off at the end)
};

// The events of a recording, in order.
class EventReader {
 public:
  explicit EventReader(const Recording& rec) : rec_(rec), pos_(rec.body) {}
  bool next(Event& e);  // false after the last

 private:
  const Recording& rec_;
  std::size_t pos_;
  int line_ = 1;
  long long last_ = 0;
};

class FormatError : public std::runtime_error {
 public:
  FormatError(int line, const std::string& what)
      : std::runtime_error(line > 0 ? "line " + std::to_string(line) + ": " + what : what), line_(line) {}
  int line() const { return line_; }

 private:
  int line_;
};

std::string headerLine(const Header& h);
Event recordOf(const forms::RuntimeEvent& e);
// The line of an event (without the newline).
std::string eventLine(const Event& e);
inline std::string eventLine(const forms::RuntimeEvent& e) { return eventLine(recordOf(e)); }
// Reads a recording; a malformed one throws FormatError naming its line.
Recording parse(std::string text);
// Reads a file as pictures and sounds are read: only a regular file, opened
// without waiting (a FIFO), of at most kMaxBytes; otherwise FormatError with the reason.
Recording readFile(const std::string& path);

const char* kindName(Kind k);

}  // namespace bulwarn::replay

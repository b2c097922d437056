// The recording of one game: a header line and one line per event that
// entered the game (docs/replay.md). Lines are written from the runtime's
// events as they happen and read back, strictly, for replay.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

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

// An event line, with its forms and controls by name.
struct Event {
  Kind kind = Kind::Call;
  long long at = 0;
  int line = 0;
  std::string form, name;  // name: control, timer or menu item
  int index = -1;          // of a control in an array
  int code = 0, shift = 0;
  bool hasPoint = false;
  float x = 0, y = 0;
};

struct Recording {
  Header header;
  std::vector<Event> events;
  bool complete = false;  // ends with the program's end
  std::string note;       // what was left out (a line cut off at the end)
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
// What the line of an event says, with the names copied out of the game, so
// the line can be written later, on another thread, after the form is gone.
struct EventRecord {
  Kind kind = Kind::Call;
  long long at = 0;
  std::string form, name;  // the form, and the control or menu item
  int index = -1;          // of a control array's member
  int code = 0, shift = 0;
  bool hasPoint = false;
  float x = 0, y = 0;
};
EventRecord recordOf(const forms::RuntimeEvent& e);
// The line of an event (without the newline).
std::string eventLine(const EventRecord& r);
inline std::string eventLine(const forms::RuntimeEvent& e) { return eventLine(recordOf(e)); }
// Reads a recording; a malformed one throws FormatError naming its line.
Recording parse(std::string_view text);
Recording readFile(const std::string& path);

const char* kindName(Kind k);

}  // namespace bulwarn::replay

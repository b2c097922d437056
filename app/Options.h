// The command line: play (recorded unless --no-record), or replay a recording.
#pragma once

#include <string>

namespace bulwarn {

struct Options {
  bool record = true;
  std::string replay;  // a recording to replay
  bool show = false;   // ... in the window, at real speed
};

// Reads the arguments. Returns -1 to go on, or the exit code when the program
// is done already (--help, --version: 0; a bad argument: 2, told on stderr).
int parseOptions(int argc, const char* const argv[], Options& out);

}  // namespace bulwarn

#include "app/Options.h"

#include <cstdio>
#include <cstring>

namespace bulwarn {

namespace {

const char* const kUsage =
    "Usage: bulwarn [--no-record] [-platform NAME]\n"
    "       bulwarn --replay FILE [--show]\n"
    "\n"
    "Hold the perimeter with a field gun.\n"
    "\n"
    "  --no-record     do not record this game\n"
    "  --replay FILE   replay a recorded game without a window and print its final\n"
    "                  state (exit 1 if the game does not follow the recording,\n"
    "                  2 if the file is not a readable recording)\n"
    "  --show          with --replay: replay it in the window, at real speed\n"
    "  -platform NAME  the Qt platform to use (xcb, wayland, offscreen ...)\n"
    "  --help          show this help and exit\n"
    "  --version       show the version and exit\n"
    "\n"
    "Every game is recorded into $XDG_STATE_HOME/bulwarn (by default\n"
    "~/.local/state/bulwarn); the last 10 games are kept.\n";

int bad(const std::string& what) {
  std::fprintf(stderr, "bulwarn: %s\nTry 'bulwarn --help' for more information.\n", what.c_str());
  return 2;
}

}  // namespace

int parseOptions(int argc, const char* const argv[], Options& out) {
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--help" || a == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (a == "--version") {
      std::printf("bulwarn %s\n", BULWARN_VERSION);
      return 0;
    }
    if (a == "--no-record") {
      out.record = false;
    } else if (a == "-platform" || a == "--platform") {
      // Qt reads it; the display probe honours it too.
      if (++i >= argc) return bad(a + " needs a platform name");
    } else if (a == "--show") {
      out.show = true;
    } else if (a == "--replay" || a.rfind("--replay=", 0) == 0) {
      std::string file = a.size() > 8 ? a.substr(9) : std::string();
      if (a == "--replay") {
        if (i + 1 >= argc) return bad("--replay needs a file");
        file = argv[++i];
      }
      if (file.empty()) return bad("--replay needs a file");
      if (!out.replay.empty()) return bad("only one --replay at a time");
      out.replay = file;
    } else {
      return bad("unknown option '" + a + "'");
    }
  }
  if (out.show && out.replay.empty()) return bad("--show goes with --replay FILE");
  return -1;
}

}  // namespace bulwarn

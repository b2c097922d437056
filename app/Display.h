// Finding a display before Qt looks for one. Qt aborts the program when the
// platform it picked cannot connect (an X display that is not there, a
// Wayland session without a compositor), with advice about reinstalling.
// The program checks first, picks a display that answers, and otherwise says
// plainly that there is none.
#pragma once

#include <string>

namespace forms {

// Chooses a platform that can reach its display, setting QT_QPA_PLATFORM when
// only one of X11 and Wayland answers. False (with the reason) when none can.
bool chooseReachableDisplay(int argc, char** argv, std::string* why);

// While one lives, a fatal error from Qt (a platform plugin that fails after
// all, or is missing) ends the program with a one-line message and exit
// status 2 instead of an abort. Hold one while the QApplication is built
// (the X display found open is held open until then).
class DisplayStartGuard {
 public:
  DisplayStartGuard();
  ~DisplayStartGuard();
  DisplayStartGuard(const DisplayStartGuard&) = delete;
  DisplayStartGuard& operator=(const DisplayStartGuard&) = delete;
};

}  // namespace forms

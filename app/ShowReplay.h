// `bulwarn --replay FILE --show`: a recording replayed in the game's windows
// at its own pace, for a person to watch. Input is ignored; closing a window
// ends it.
#pragma once

#include <string>

namespace bulwarn {

// Needs the QApplication. Returns the exit code (as --replay, and 0 when the
// watcher closed the window).
int showReplay(const std::string& path);

}  // namespace bulwarn

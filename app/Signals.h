// SIGTERM, SIGINT and SIGHUP (a session logging out, Ctrl+C in a terminal)
// end the program as closing its last window would, so that its recording
// gets its end line. The handler only writes the signal's number to a pipe;
// Qt's event loop reads it there and ends the program outside the handler.
#pragma once

#include <functional>

namespace bulwarn {

// Needs the QApplication. `end` runs in the event loop, with the signal's
// name ("SIGTERM"); a second signal of the same kind kills at once. A signal
// ignored when the program started (nohup) stays ignored.
void endOnSignals(std::function<void(const char* signal)> end);

}  // namespace bulwarn

// The audio server as the sound thread needs to know it. Qt's audio output
// connects to the server once, and tries again only once, three seconds after
// losing it: a server that is down at the first cue, or down for longer than
// that, would mean silence for the rest of the session. So the sound thread
// asks the server itself whether it answers, and hears at once when it goes.
#pragma once

#include <functional>
#include <memory>

namespace forms {

// True when an audio server answers within `timeoutMs` (found the way Qt's
// audio output finds it).
bool audioServerAnswers(int timeoutMs);

// Keeps a connection to the audio server open and calls `onLost` (on a
// thread of its own) once when it breaks. Empty when no server answers.
class AudioServerWatch {
 public:
  static std::unique_ptr<AudioServerWatch> start(std::function<void()> onLost);
  ~AudioServerWatch();
  AudioServerWatch(const AudioServerWatch&) = delete;
  AudioServerWatch& operator=(const AudioServerWatch&) = delete;

 private:
  AudioServerWatch() = default;
  struct Impl;
  std::unique_ptr<Impl> d_;
};

}  // namespace forms

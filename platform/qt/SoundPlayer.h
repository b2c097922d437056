// Sound cues on their own thread. QSoundEffect waits for its audio stream on
// the thread that owns it, so the game's thread only posts a request and moves
// on; the audio thread owns a few effects per file so a cue can overlap itself.
#pragma once

#include <QObject>
#include <QString>
#include <QThread>
#include <atomic>
#include <map>
#include <vector>

class QSoundEffect;

namespace forms {

// Lives on the audio thread; every member is touched only there.
class SoundWorker : public QObject {
  Q_OBJECT
 public:
  void play(const QString& path);
  int plays() const { return plays_.load(); }

 private:
  struct Cue {
    std::vector<QSoundEffect*> effects;
    std::vector<bool> pending;  // play as soon as that instance has loaded
    size_t next = 0;
    bool failed = false;
    bool warned = false;
  };
  Cue& cue(const QString& path);
  void warnOnce(Cue& c, const QString& why, const QString& path);

  std::map<QString, Cue> cues_;
  bool checkedDevice_ = false;
  bool noDevice_ = false;
  std::atomic<int> plays_{0};
};

class SoundPlayer {
 public:
  SoundPlayer() = default;
  ~SoundPlayer();
  SoundPlayer(const SoundPlayer&) = delete;
  SoundPlayer& operator=(const SoundPlayer&) = delete;

  // Returns at once; the audio thread starts on first use.
  void play(const QString& path);
  // Requests handled so far (for tests).
  int handled() const { return worker_ ? worker_->plays() : 0; }

 private:
  QThread thread_;
  SoundWorker* worker_ = nullptr;
};

}  // namespace forms

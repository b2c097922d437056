// Sound cues on their own thread. Opening an audio stream waits for the audio
// server, so the game's thread only posts a request and moves on. Each cue
// sounding gets a stream of its own, given all its samples at once: it starts
// at once and needs no feeding while it plays, so it wakes nobody up.
#pragma once

#include <QAudioFormat>
#include <QByteArray>
#include <QObject>
#include <QString>
#include <QThread>
#include <atomic>
#include <deque>
#include <map>
#include <optional>

class QAudioSink;

namespace forms {

// The samples of a PCM WAV file, or why there are none.
struct WavSound {
  QAudioFormat format;
  QByteArray samples;
};
std::optional<WavSound> readWav(const QByteArray& file, QString* why = nullptr);

// Lives on the audio thread; every member is touched only there.
class SoundWorker : public QObject {
  Q_OBJECT
 public:
  ~SoundWorker() override;
  void play(const QString& path);
  int plays() const { return plays_.load(); }

 private:
  struct Cue {
    WavSound sound;
    std::deque<QAudioSink*> sounding;  // oldest first
    bool failed = false;
    bool warned = false;
  };
  Cue& cue(const QString& path);
  void warnOnce(Cue& c, const QString& why, const QString& path);
  void finish(Cue& c, QAudioSink* sink);

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

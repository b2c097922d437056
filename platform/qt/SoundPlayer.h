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
#include <memory>
#include <optional>

class QAudioSink;
class QMediaDevices;
class QTimer;

namespace forms {

// The samples of a PCM WAV file, or why there are none.
struct WavSound {
  QAudioFormat format;
  QByteArray samples;
};
std::optional<WavSound> readWav(const QByteArray& file, QString* why = nullptr);

class AudioServerWatch;

// Lives on the audio thread; every member is touched only there.
class SoundWorker : public QObject {
  Q_OBJECT
 public:
  explicit SoundWorker(std::shared_ptr<std::atomic<bool>> stopping);
  ~SoundWorker() override;
  // `askedMs`: when the game asked for it (steady clock); a cue that waited
  // too long behind the audio server is dropped, its moment has passed.
  void play(const QString& path, qint64 askedMs);
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

  // Where sound can go. Silent until an output is found, and again whenever
  // the audio server goes away; looked for anew every few seconds meanwhile.
  enum class Output { Unknown, Silent, Ready };
  bool outputReady();
  void lookForOutput();
  void serverLost();
  void watchServer();
  void cueFailed(Cue& c, const QString& path);
  void becomeSilent(const QString& why);

  std::map<QString, Cue> cues_;
  Output output_ = Output::Unknown;
  bool wasSilent_ = false;       // sound has been off: say so when it is back
  std::unique_ptr<AudioServerWatch> watch_;
  int watchGeneration_ = 0;
  QMediaDevices* devices_ = nullptr;
  QTimer* retry_ = nullptr;
  std::shared_ptr<std::atomic<bool>> stopping_;
  std::atomic<int> plays_{0};
};

class SoundPlayer {
 public:
  SoundPlayer() = default;
  // Waits a moment for the audio thread to wind down, and leaves without it
  // if it does not: the program's exit never waits on the audio server.
  ~SoundPlayer();
  SoundPlayer(const SoundPlayer&) = delete;
  SoundPlayer& operator=(const SoundPlayer&) = delete;

  // Returns at once; the audio thread starts on first use.
  void play(const QString& path);
  // Requests handled so far (for tests).
  int handled() const { return worker_ ? worker_->plays() : 0; }

 private:
  QThread* thread_ = nullptr;
  SoundWorker* worker_ = nullptr;
  std::shared_ptr<std::atomic<bool>> stopping_ = std::make_shared<std::atomic<bool>>(false);
};

}  // namespace forms

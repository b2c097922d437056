#include "SoundPlayer.h"

#include "AudioServer.h"
#include "SafeFile.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QDebug>
#include <QFileInfo>
#include <QMediaDevices>
#include <QPointer>
#include <QTimer>
#include <QtEndian>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <chrono>
#include <cstring>

namespace forms {

namespace {
// A cue that repeats quickly (a volley of shots) may sound up to this many times at once.
constexpr size_t kInstancesPerCue = 3;
// A stream is closed this long after its sound should have ended: room for the
// audio server's own buffering.
constexpr int kGraceMs = 300;
// A cue that waited longer than this (behind an audio server that went away) is not played late.
constexpr qint64 kStaleMs = 250;
// While there is no output: how often it is looked for, and how long a server may take to answer.
constexpr int kLookAgainMs = 2000;
constexpr int kServerAnswerMs = 300;
// While the server is gone: how often it is asked whether it is back.
constexpr unsigned long kServerPollMs = 250;
// How long the program's exit waits for the audio thread.
constexpr int kExitWaitMs = 1500;

qint64 nowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

quint16 u16(const char* p) { return qFromLittleEndian<quint16>(p); }
quint32 u32(const char* p) { return qFromLittleEndian<quint32>(p); }

std::optional<WavSound> fail(QString* why, const char* text) {
  if (why) *why = QString::fromLatin1(text);
  return std::nullopt;
}
}  // namespace

std::optional<WavSound> readWav(const QByteArray& file, QString* why) {
  const char* d = file.constData();
  const qsizetype size = file.size();
  if (size < 12 || std::memcmp(d, "RIFF", 4) != 0 || std::memcmp(d + 8, "WAVE", 4) != 0) {
    return fail(why, "is not a WAV file");
  }
  std::optional<WavSound> out;
  bool haveFormat = false;
  int blockAlign = 0;
  // Chunks follow one another, each padded to an even length; a size that runs
  // past the end of the file (a file cut short) keeps what is there.
  for (qsizetype at = 12; at + 8 <= size;) {
    const quint32 length = u32(d + at + 4);
    const char* body = d + at + 8;
    const qsizetype available = std::min<qsizetype>(length, size - at - 8);
    if (std::memcmp(d + at, "fmt ", 4) == 0 && available >= 16) {
      quint16 tag = u16(body);
      const int channels = u16(body + 2);
      const int rate = static_cast<int>(u32(body + 4));
      blockAlign = u16(body + 12);
      const int bits = u16(body + 14);
      if (tag == 0xFFFE && available >= 26) tag = u16(body + 24);  // extensible: the sub-format's tag
      QAudioFormat::SampleFormat sample = QAudioFormat::Unknown;
      if (tag == 1 && bits == 8) sample = QAudioFormat::UInt8;
      if (tag == 1 && bits == 16) sample = QAudioFormat::Int16;
      if (tag == 1 && bits == 32) sample = QAudioFormat::Int32;
      if (tag == 3 && bits == 32) sample = QAudioFormat::Float;
      if (sample == QAudioFormat::Unknown || channels < 1 || channels > 8 || rate < 1000 || rate > 384000 ||
          blockAlign != channels * bits / 8) {
        return fail(why, "is in a sample format that cannot be played");
      }
      out.emplace();
      out->format.setSampleFormat(sample);
      out->format.setChannelCount(channels);
      out->format.setSampleRate(rate);
      haveFormat = true;
    } else if (std::memcmp(d + at, "data", 4) == 0) {
      if (!haveFormat) {
        return fail(why, "has its samples before its format");
      }
      const qsizetype whole = available - available % blockAlign;
      if (whole <= 0) break;
      out->samples = file.mid(at + 8, whole);
      return out;
    }
    at += 8 + static_cast<qsizetype>(length) + (length & 1);
  }
  return fail(why, haveFormat ? "has no samples" : "has no sound format");
}

SoundWorker::SoundWorker(std::shared_ptr<std::atomic<bool>> stopping) : stopping_(std::move(stopping)) {}

SoundWorker::~SoundWorker() {
  for (auto& [path, c] : cues_)
    while (!c.sounding.empty()) finish(c, c.sounding.front());
}

void SoundWorker::warnOnce(Cue& c, const QString& why, const QString& path) {
  if (c.warned) return;
  c.warned = true;
  qWarning().noquote() << QStringLiteral("bulwarn: sound %1 %2; playing nothing").arg(path, why);
}

void SoundWorker::becomeSilent(const QString& why) {
  if (!wasSilent_) qWarning().noquote() << QStringLiteral("bulwarn: %1; playing no sounds until one is found").arg(why);
  output_ = Output::Silent;
  wasSilent_ = true;
  if (!retry_) {
    retry_ = new QTimer(this);
    retry_->setInterval(kLookAgainMs);
    connect(retry_, &QTimer::timeout, this, &SoundWorker::lookForOutput);
  }
  retry_->start();
}

// Qt's audio output is started only once a server answers: started without
// one, it would never look for one again.
void SoundWorker::lookForOutput() {
  if (!watch_) {
    if (!audioServerAnswers(kServerAnswerMs)) {
      becomeSilent(QStringLiteral("no audio output found (no audio server answers)"));
      return;
    }
    watchServer();
  }
  if (!devices_) {
    devices_ = new QMediaDevices(this);
    // An output that appears later (a headset plugged in) is taken up at once.
    connect(devices_, &QMediaDevices::audioOutputsChanged, this, [this] {
      if (output_ == Output::Silent) lookForOutput();
    });
  }
  if (QMediaDevices::audioOutputs().isEmpty()) {
    becomeSilent(QStringLiteral("no audio output found"));
    return;
  }
  if (retry_) retry_->stop();
  output_ = Output::Ready;
}

void SoundWorker::watchServer() {
  const int generation = ++watchGeneration_;
  QPointer<SoundWorker> self(this);
  watch_ = AudioServerWatch::start([self, generation] {
    QMetaObject::invokeMethod(
        self,
        [self, generation] {
          // Only the watch in place counts: an older one may report late.
          if (self && self->watchGeneration_ == generation) self->serverLost();
        },
        Qt::QueuedConnection);
  });
}

// A cue that could not be played: the server may have gone (the watch is
// told a moment later), or the trouble is this cue's alone.
void SoundWorker::cueFailed(Cue& c, const QString& path) {
  if (!audioServerAnswers(kServerAnswerMs)) {
    serverLost();
    return;
  }
  warnOnce(c, QStringLiteral("could not be played"), path);
  output_ = Output::Unknown;  // looked for again at the next cue
}

bool SoundWorker::outputReady() {
  if (output_ == Output::Unknown) lookForOutput();
  return output_ == Output::Ready;
}

// The server has gone (stopped, restarted, crashed). Qt's audio output tries
// once to reconnect, three seconds after it lost the server, and never again;
// so this thread waits here, with its events held back, until the server
// answers again. Qt's attempt then finds it. The game's thread never waits:
// its cues queue up meanwhile, and are dropped as stale.
void SoundWorker::serverLost() {
  ++watchGeneration_;
  watch_.reset();
  if (!wasSilent_) qWarning().noquote() << QStringLiteral("bulwarn: the audio server has gone; sound is off until it is back");
  output_ = Output::Silent;
  wasSilent_ = true;
  if (retry_) retry_->stop();
  while (!stopping_->load()) {
    if (audioServerAnswers(kServerAnswerMs)) break;
    QThread::msleep(kServerPollMs);
  }
  if (stopping_->load()) return;
  watchServer();
  // Qt's own reconnection is due now; outputs are looked for once it has had its turn.
  output_ = Output::Unknown;
}

SoundWorker::Cue& SoundWorker::cue(const QString& path) {
  auto it = cues_.find(path);
  if (it != cues_.end()) return it->second;
  Cue& c = cues_[path];
  if (!QFileInfo::exists(path)) {
    c.failed = true;
    warnOnce(c, QStringLiteral("not found"), path);
    return c;
  }
  FileRefusal refused;
  const std::optional<QByteArray> bytes = readRegularFile(path, kMaxSoundBytes, &refused);
  if (!bytes) {
    c.failed = true;
    warnOnce(c, refused.why, path);
    return c;
  }
  QString why;
  std::optional<WavSound> sound = readWav(*bytes, &why);
  if (!sound) {
    c.failed = true;
    warnOnce(c, why, path);
    return c;
  }
  c.sound = std::move(*sound);
  return c;
}

void SoundWorker::finish(Cue& c, QAudioSink* sink) {
  auto it = std::find(c.sounding.begin(), c.sounding.end(), sink);
  if (it == c.sounding.end()) return;  // already finished (stopping says so once more)
  c.sounding.erase(it);
  sink->disconnect(this);
  sink->stop();
  sink->deleteLater();
}

void SoundWorker::play(const QString& path, qint64 askedMs) {
  ++plays_;
  if (stopping_->load() || nowMs() - askedMs > kStaleMs) return;
  // Without an output the cue is not even read; a missing file still says so.
  if (!outputReady()) {
    if (!cues_.count(path) && !QFileInfo::exists(path)) cue(path);
    return;
  }
  Cue& c = cue(path);
  if (c.failed) return;
  while (c.sounding.size() >= kInstancesPerCue) finish(c, c.sounding.front());  // the oldest gives way
  auto* sink = new QAudioSink(c.sound.format, this);
  // Room for the whole cue: it is written once, now, and plays out on its own
  // (should a stream ever take less, the cue is cut short, nothing worse).
  sink->setBufferSize(c.sound.samples.size());
  QIODevice* out = sink->start();
  const qint64 written = out ? out->write(c.sound.samples) : -1;
  if (written <= 0) {
    sink->stop();
    delete sink;
    // Right after the server's return Qt may not have reconnected yet: the
    // outage was announced already, and the output is looked for again.
    if (wasSilent_) {
      output_ = Output::Unknown;
      return;
    }
    cueFailed(c, path);
    return;
  }
  if (wasSilent_) {
    wasSilent_ = false;
    qWarning().noquote() << QStringLiteral("bulwarn: sound is back on");
  }
  c.sounding.push_back(sink);
  // The stream is closed once the cue has had time to play out. Not when Qt
  // says it has gone idle: that comes before the server has played every
  // sample, and closing then would cut the sound's tail off.
  QObject::connect(sink, &QAudioSink::stateChanged, this, [this, path, sink](QAudio::State s) {
    if (s != QAudio::StoppedState) return;
    Cue& cc = cues_[path];
    const bool failed = sink->error() != QAudio::NoError;
    finish(cc, sink);
    if (failed && output_ == Output::Ready) cueFailed(cc, path);
  });
  const qint64 ms = c.sound.format.durationForBytes(static_cast<qint32>(c.sound.samples.size())) / 1000;
  QTimer::singleShot(static_cast<int>(ms) + kGraceMs, sink, [this, path, sink] { finish(cues_[path], sink); });
}

SoundPlayer::~SoundPlayer() {
  if (!thread_) return;
  stopping_->store(true);
  thread_->quit();
  if (thread_->wait(QDeadlineTimer(kExitWaitMs))) {
    delete thread_;
    return;
  }
  // Stuck in the audio server (one that is stopped, say). The thread and its
  // worker are left as they are, never destroyed, and the process ends
  // around them without tearing down the audio library they are inside:
  // that would wait on them, or abort.
  qWarning().noquote() << QStringLiteral("bulwarn: the audio thread did not stop in time; leaving without it");
  thread_ = nullptr;
  worker_ = nullptr;
  static bool registered = false;
  if (!registered) {
    registered = true;
    on_exit(
        [](int status, void*) {
          std::fflush(nullptr);
          std::_Exit(status);
        },
        nullptr);
  }
}

void SoundPlayer::play(const QString& path) {
  if (!worker_) {
    thread_ = new QThread;
    worker_ = new SoundWorker(stopping_);
    worker_->moveToThread(thread_);
    // The streams die on their own thread as it winds down.
    QObject::connect(thread_, &QThread::finished, worker_, &QObject::deleteLater);
    thread_->setObjectName(QStringLiteral("bulwarn-audio"));
    thread_->start();
  }
  SoundWorker* w = worker_;
  const qint64 asked = nowMs();
  QMetaObject::invokeMethod(
      w, [w, path, asked] { w->play(path, asked); }, Qt::QueuedConnection);
}

}  // namespace forms

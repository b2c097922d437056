#include "SoundPlayer.h"

#include "SafeFile.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QDebug>
#include <QFileInfo>
#include <QMediaDevices>
#include <QTimer>
#include <QtEndian>
#include <algorithm>
#include <cstring>

namespace forms {

namespace {
// A cue that repeats quickly (a volley of shots) may sound up to this many times at once.
constexpr size_t kInstancesPerCue = 3;
// A stream is closed this long after its sound should have ended: room for the
// audio server's own buffering.
constexpr int kGraceMs = 300;

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

SoundWorker::~SoundWorker() {
  for (auto& [path, c] : cues_)
    while (!c.sounding.empty()) finish(c, c.sounding.front());
}

void SoundWorker::warnOnce(Cue& c, const QString& why, const QString& path) {
  if (c.warned) return;
  c.warned = true;
  qWarning().noquote() << QStringLiteral("bulwarn: sound %1 %2; playing nothing").arg(path, why);
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
  if (!checkedDevice_) {
    checkedDevice_ = true;
    noDevice_ = QMediaDevices::audioOutputs().isEmpty();
    if (noDevice_) qWarning().noquote() << QStringLiteral("bulwarn: no audio output found; playing no sounds");
  }
  if (noDevice_) {
    c.failed = true;  // said once above; the file is not even read
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

void SoundWorker::play(const QString& path) {
  ++plays_;
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
    warnOnce(c, QStringLiteral("could not be played"), path);
    sink->stop();
    delete sink;
    return;
  }
  c.sounding.push_back(sink);
  // The stream is closed once the cue has had time to play out. Not when Qt
  // says it has gone idle: that comes before the server has played every
  // sample, and closing then would cut the sound's tail off.
  QObject::connect(sink, &QAudioSink::stateChanged, this, [this, path, sink](QAudio::State s) {
    if (s != QAudio::StoppedState) return;
    Cue& cc = cues_[path];
    if (sink->error() != QAudio::NoError) warnOnce(cc, QStringLiteral("could not be played"), path);
    finish(cc, sink);
  });
  const qint64 ms = c.sound.format.durationForBytes(static_cast<qint32>(c.sound.samples.size())) / 1000;
  QTimer::singleShot(static_cast<int>(ms) + kGraceMs, sink, [this, path, sink] { finish(cues_[path], sink); });
}

SoundPlayer::~SoundPlayer() {
  if (thread_.isRunning()) {
    thread_.quit();
    thread_.wait();
  }
}

void SoundPlayer::play(const QString& path) {
  if (!worker_) {
    worker_ = new SoundWorker;
    worker_->moveToThread(&thread_);
    // The streams die on their own thread as it winds down.
    QObject::connect(&thread_, &QThread::finished, worker_, &QObject::deleteLater);
    thread_.setObjectName(QStringLiteral("bulwarn-audio"));
    thread_.start();
  }
  SoundWorker* w = worker_;
  QMetaObject::invokeMethod(
      w, [w, path] { w->play(path); }, Qt::QueuedConnection);
}

}  // namespace forms

#include "SoundPlayer.h"

#include <QAudioDevice>
#include <QDebug>
#include <QFileInfo>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

namespace forms {

namespace {
// A cue that repeats quickly (a volley of shots) may sound up to this many times at once.
constexpr size_t kInstancesPerCue = 3;
}  // namespace

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
    c.failed = true;  // nothing to play on; said once above
    return c;
  }
  c.pending.assign(kInstancesPerCue, false);
  for (size_t i = 0; i < kInstancesPerCue; ++i) {
    auto* e = new QSoundEffect(this);
    QObject::connect(e, &QSoundEffect::statusChanged, this, [this, path, i, e] {
      Cue& cc = cues_[path];
      if (e->status() == QSoundEffect::Error) {
        cc.failed = true;
        warnOnce(cc, QStringLiteral("could not be played"), path);
      } else if (e->status() == QSoundEffect::Ready && cc.pending[i]) {
        cc.pending[i] = false;
        e->play();
      }
    });
    e->setSource(QUrl::fromLocalFile(path));
    c.effects.push_back(e);
  }
  return c;
}

void SoundWorker::play(const QString& path) {
  ++plays_;
  Cue& c = cue(path);
  if (c.failed || c.effects.empty()) return;
  // Prefer an idle instance so a cue overlaps itself; otherwise restart the oldest.
  size_t pick = c.next;
  for (size_t k = 0; k < c.effects.size(); ++k) {
    const size_t i = (c.next + k) % c.effects.size();
    if (!c.effects[i]->isPlaying()) {
      pick = i;
      break;
    }
  }
  c.next = (pick + 1) % c.effects.size();
  QSoundEffect* e = c.effects[pick];
  if (e->status() == QSoundEffect::Ready) {
    e->play();
  } else {
    c.pending[pick] = true;
  }
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
    // The effects die on their own thread as it winds down.
    QObject::connect(&thread_, &QThread::finished, worker_, &QObject::deleteLater);
    thread_.setObjectName(QStringLiteral("bulwarn-audio"));
    thread_.start();
  }
  SoundWorker* w = worker_;
  QMetaObject::invokeMethod(
      w, [w, path] { w->play(path); }, Qt::QueuedConnection);
}

}  // namespace forms

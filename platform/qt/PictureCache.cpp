#include "PictureCache.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QSvgRenderer>
#include <algorithm>
#include <cmath>
#include <utility>

namespace forms {

namespace {
// Enough for every frame of every animation at 2x without re-rendering.
constexpr int kCacheBytes = 128 * 1024 * 1024;

QSize devicePixels(QSize logical, qreal dpr) {
  return {std::max(1, static_cast<int>(std::lround(logical.width() * dpr))),
          std::max(1, static_cast<int>(std::lround(logical.height() * dpr)))};
}
}  // namespace

QPixmap placeholderPixmap(QSize logical, qreal dpr) {
  const QSize px = devicePixels(logical, dpr);
  QPixmap pm(px);
  pm.fill(Qt::black);
  QPainter p(&pm);
  const int cell = std::max(2, static_cast<int>(std::lround(6 * dpr)));
  for (int y = 0; y < px.height(); y += cell)
    for (int x = (y / cell) % 2 * cell; x < px.width(); x += 2 * cell) p.fillRect(x, y, cell, cell, Qt::magenta);
  p.setPen(QPen(Qt::white, std::max(1.0, dpr)));
  p.drawLine(0, 0, px.width() - 1, px.height() - 1);
  p.drawLine(px.width() - 1, 0, 0, px.height() - 1);
  p.end();
  pm.setDevicePixelRatio(dpr);
  return pm;
}

PictureCache::PictureCache() : pixmaps_(kCacheBytes) {}

PictureCache::~PictureCache() = default;

void PictureCache::setDataDir(const QString& dir) {
  if (dir == dataDir_) return;
  dataDir_ = dir;
  renderers_.clear();
  pixmaps_.clear();
}

QSvgRenderer* PictureCache::renderer(const QString& name) {
  auto it = renderers_.find(name);
  if (it != renderers_.end()) return it->get();
  const QString path = QDir(dataDir_).filePath(QStringLiteral("pictures/") + name + QStringLiteral(".svg"));
  std::shared_ptr<QSvgRenderer> r;
  if (!QFileInfo::exists(path)) {
    qWarning().noquote()
        << QStringLiteral("bulwarn: picture '%1' not found at %2; showing a placeholder").arg(name, path);
  } else {
    r = std::make_shared<QSvgRenderer>(path);
    if (!r->isValid()) {
      qWarning().noquote()
          << QStringLiteral("bulwarn: picture '%1' could not be read from %2; showing a placeholder").arg(name, path);
      r.reset();
    }
  }
  renderers_.insert(name, r);
  return r.get();
}

bool PictureCache::available(const QString& name) { return renderer(name) != nullptr; }

QPixmap PictureCache::pixmap(const std::string& name, QSize logical, qreal dpr) {
  if (logical.isEmpty()) return {};
  Key key{name, logical.width(), logical.height(), static_cast<int>(std::lround(dpr * 100))};
  if (QPixmap* hit = pixmaps_.object(key)) return *hit;
  QPixmap pm;
  if (QSvgRenderer* r = renderer(QString::fromStdString(name))) {
    pm = QPixmap(devicePixels(logical, dpr));
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    r->render(&p, QRectF(QPointF(0, 0), QSizeF(pm.size())));
    p.end();
    pm.setDevicePixelRatio(dpr);
  } else {
    pm = placeholderPixmap(logical, dpr);
  }
  ++renders_;
  const qsizetype cost = static_cast<qsizetype>(pm.width()) * pm.height() * 4;
  pixmaps_.insert(std::move(key), new QPixmap(pm), std::min<qsizetype>(cost, kCacheBytes));
  return pm;
}

}  // namespace forms

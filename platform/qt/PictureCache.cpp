#include "PictureCache.h"

#include "SafeFile.h"

#include <QDebug>
#include <QDir>
#include <QImage>
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
// The bounding box of the pixels with any alpha, in logical pixels, rounded outwards.
QRect inkOf(const QImage& rendered, qreal dpr) {
  const QImage img = rendered.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  int left = img.width(), right = -1, top = img.height(), bottom = -1;
  for (int y = 0; y < img.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(img.constScanLine(y));
    for (int x = 0; x < img.width(); ++x) {
      if (qAlpha(row[x]) == 0) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  if (right < 0) return {};
  const auto down = [dpr](int v) { return static_cast<int>(std::floor(v / dpr)); };
  const auto up = [dpr](int v) { return static_cast<int>(std::ceil(v / dpr)); };
  return QRect(QPoint(down(left), down(top)), QPoint(up(right + 1) - 1, up(bottom + 1) - 1));
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
  FileRefusal refused;
  const std::optional<QByteArray> bytes = readRegularFile(path, kMaxPictureBytes, &refused);
  QString why = bytes ? svgRefusal(*bytes) : refused.why;
  if (why.isEmpty()) {
    r = std::make_shared<QSvgRenderer>(*bytes);
    if (!r->isValid()) why = QStringLiteral("could not be read");
  }
  if (!why.isEmpty()) {
    r.reset();
    const QString where = refused.missing ? QStringLiteral("not found at %1").arg(path) : QStringLiteral("at %1 %2").arg(path, why);
    qWarning().noquote() << QStringLiteral("bulwarn: picture '%1' %2; showing a placeholder").arg(name, where);
  }
  renderers_.insert(name, r);
  return r.get();
}

bool PictureCache::available(const QString& name) { return renderer(name) != nullptr; }

QPixmap PictureCache::pixmap(const std::string& name, QSize logical, qreal dpr) {
  const Rendered* r = rendered(name, logical, dpr);
  return r ? r->pixmap : QPixmap();
}

QRect PictureCache::ink(const std::string& name, QSize logical, qreal dpr) {
  const Rendered* r = rendered(name, logical, dpr);
  return r ? r->ink : QRect();
}

const PictureCache::Rendered* PictureCache::rendered(const std::string& name, QSize logical, qreal dpr) {
  if (logical.isEmpty()) return nullptr;
  Key key{name, logical.width(), logical.height(), static_cast<int>(std::lround(dpr * 100))};
  if (const Rendered* hit = pixmaps_.object(key)) return hit;
  auto* out = new Rendered{QPixmap(), QRect(QPoint(0, 0), logical)};
  if (QSvgRenderer* r = renderer(QString::fromStdString(name))) {
    QPixmap& pm = out->pixmap;
    pm = QPixmap(devicePixels(logical, dpr));
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    r->render(&p, QRectF(QPointF(0, 0), QSizeF(pm.size())));
    p.end();
    pm.setDevicePixelRatio(dpr);
    out->ink = inkOf(pm.toImage(), dpr);
  } else {
    out->pixmap = placeholderPixmap(logical, dpr);
  }
  ++renders_;
  const qsizetype cost = static_cast<qsizetype>(out->pixmap.width()) * out->pixmap.height() * 4;
  pixmaps_.insert(std::move(key), out, std::min<qsizetype>(cost, kCacheBytes));
  return out;
}

}  // namespace forms

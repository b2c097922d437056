#include "PictureCache.h"

#include "SafeFile.h"

#include <QDebug>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <algorithm>
#include <cmath>
#include <mutex>
#include <optional>
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

PictureCache::PictureCache() : pixmaps_(kCacheBytes) {
  // One worker: the GUI thread keeps the other core.
  pool_.setMaxThreadCount(1);
}

PictureCache::~PictureCache() = default;

void PictureCache::setDataDir(const QString& dir) {
  if (dir == dataDir_) return;
  dataDir_ = dir;
  pool_.waitForDone();
  pending_.clear();
  svg_.clear();
  pixmaps_.clear();
}

// The checked contents of a picture's file, empty when it cannot be shown
// (said once). Any thread: the worker reads the files it draws.
QByteArray PictureCache::svgOf(const QString& name) {
  {
    std::lock_guard<std::mutex> lock(svgMutex_);
    auto it = svg_.find(name);
    if (it != svg_.end()) return *it;
  }
  const QString path = QDir(dataDir_).filePath(QStringLiteral("pictures/") + name + QStringLiteral(".svg"));
  FileRefusal refused;
  const std::optional<QByteArray> bytes = readRegularFile(path, kMaxPictureBytes, &refused);
  QString why = bytes ? svgRefusal(*bytes) : refused.why;
  if (why.isEmpty() && !QSvgRenderer(*bytes).isValid()) why = QStringLiteral("could not be read");
  const QByteArray svg = why.isEmpty() ? *bytes : QByteArray();
  std::lock_guard<std::mutex> lock(svgMutex_);
  if (svg_.contains(name)) return svg_.value(name);  // the other thread was first, and has spoken
  svg_.insert(name, svg);
  if (!why.isEmpty()) {
    const QString where =
        refused.missing ? QStringLiteral("not found at %1").arg(path) : QStringLiteral("at %1 %2").arg(path, why);
    qWarning().noquote() << QStringLiteral("bulwarn: picture '%1' %2; showing a placeholder").arg(name, where);
  }
  return svg;
}

bool PictureCache::available(const QString& name) { return !svgOf(name).isEmpty(); }

QPixmap PictureCache::pixmap(const std::string& name, QSize logical, qreal dpr) {
  const Rendered* r = rendered(name, logical, dpr);
  return r ? r->pixmap : QPixmap();
}

QRect PictureCache::ink(const std::string& name, QSize logical, qreal dpr) {
  const Rendered* r = rendered(name, logical, dpr);
  return r ? r->ink : QRect();
}

PictureCache::Drawn PictureCache::draw(const QByteArray& svg, QSize logical, qreal dpr) {
  QSvgRenderer renderer(svg);
  Drawn out{QImage(devicePixels(logical, dpr), QImage::Format_ARGB32_Premultiplied), {}};
  out.image.fill(Qt::transparent);
  QPainter p(&out.image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  renderer.render(&p, QRectF(QPointF(0, 0), QSizeF(out.image.size())));
  p.end();
  out.ink = inkOf(out.image, dpr);
  return out;
}

void PictureCache::prefetch(const std::vector<std::pair<std::string, QSize>>& todo, qreal dpr) {
  for (const auto& [name, logical] : todo) {
    if (logical.isEmpty()) continue;
    Key key{name, logical.width(), logical.height(), static_cast<int>(std::lround(dpr * 100))};
    if (pixmaps_.contains(key) || pending_.contains(key)) continue;
    auto promise = std::make_shared<std::promise<Drawn>>();
    pending_.insert(key, promise->get_future().share());
    pool_.start([this, promise, qname = QString::fromStdString(name), logical = logical, dpr] {
      const QByteArray svg = svgOf(qname);
      promise->set_value(svg.isEmpty() ? Drawn{} : draw(svg, logical, dpr));
    });
    ++renders_;
  }
}

const PictureCache::Rendered* PictureCache::rendered(const std::string& name, QSize logical, qreal dpr) {
  if (logical.isEmpty()) return nullptr;
  Key key{name, logical.width(), logical.height(), static_cast<int>(std::lround(dpr * 100))};
  if (const Rendered* hit = pixmaps_.object(key)) return hit;
  auto* out = new Rendered{QPixmap(), QRect(QPoint(0, 0), logical)};
  Drawn drawn;
  bool counted = false;  // a picture drawn ahead was counted when it was asked for
  if (auto it = pending_.find(key); it != pending_.end()) {
    drawn = it->get();  // drawn ahead on the worker, or about to be
    pending_.erase(it);
    counted = true;
  } else if (const QByteArray svg = svgOf(QString::fromStdString(name)); !svg.isEmpty()) {
    drawn = draw(svg, logical, dpr);
    ++renders_;
    counted = true;
  }
  if (!drawn.image.isNull()) {
    out->pixmap = QPixmap::fromImage(std::move(drawn.image));
    out->pixmap.setDevicePixelRatio(dpr);
    out->ink = drawn.ink;
  } else {
    out->pixmap = placeholderPixmap(logical, dpr);
    if (!counted) ++renders_;
  }
  const qsizetype cost = static_cast<qsizetype>(out->pixmap.width()) * out->pixmap.height() * 4;
  pixmaps_.insert(std::move(key), out, std::min<qsizetype>(cost, kCacheBytes));
  return out;
}

}  // namespace forms

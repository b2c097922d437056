// Pictures by name: SVG files rendered once per (name, size, pixel ratio) so a
// repaint only blits. A missing or broken file shows a loud placeholder and is
// reported once, so a gap in the art never stops the game.
#pragma once

#include <QByteArray>
#include <QCache>
#include <QHash>
#include <QImage>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <QThreadPool>
#include <future>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

class QSvgRenderer;

namespace forms {

class PictureCache {
 public:
  PictureCache();
  ~PictureCache();
  PictureCache(const PictureCache&) = delete;
  PictureCache& operator=(const PictureCache&) = delete;

  // The folder that holds pictures/<name>.svg.
  void setDataDir(const QString& dir);

  // The picture at a logical size, rendered for the given device pixel ratio.
  // Looked up on every repaint of every picture, so the lookup builds no strings.
  QPixmap pixmap(const std::string& name, QSize logical, qreal dpr);
  QPixmap pixmap(const QString& name, QSize logical, qreal dpr) { return pixmap(name.toStdString(), logical, dpr); }
  // The part of that picture that is not fully transparent, in logical pixels
  // from its top-left corner (empty when nothing shows). A sprite that moves
  // or changes frame repaints only this: most frames of an explosion are a
  // small cloud in a large square.
  QRect ink(const std::string& name, QSize logical, qreal dpr);
  // Renders these on a worker thread, so that drawing a hundred animation
  // frames never holds up the window that is showing (the loading bar). A
  // lookup of one that is not finished yet waits for just that one.
  void prefetch(const std::vector<std::pair<std::string, QSize>>& todo, qreal dpr);
  // False when the file is missing or unreadable (a placeholder is drawn).
  bool available(const QString& name);
  int renderCount() const { return renders_; }

 private:
  QByteArray svgOf(const QString& name);

  QString dataDir_;
  struct Key {
    std::string name;
    int width, height, dprPercent;
    bool operator==(const Key& o) const {
      return width == o.width && height == o.height && dprPercent == o.dprPercent && name == o.name;
    }
    friend size_t qHash(const Key& k, size_t seed = 0) noexcept {
      return qHashMulti(seed, std::hash<std::string>()(k.name), k.width, k.height, k.dprPercent);
    }
  };
  struct Rendered {
    QPixmap pixmap;
    QRect ink;
  };
  // A picture drawn on any thread: QImage, unlike QPixmap, may be painted off
  // the GUI thread.
  struct Drawn {
    QImage image;
    QRect ink;
  };
  static Drawn draw(const QByteArray& svg, QSize logical, qreal dpr);
  const Rendered* rendered(const std::string& name, QSize logical, qreal dpr);
  QCache<Key, Rendered> pixmaps_;
  // Each picture's checked file by name, empty for one that cannot be shown;
  // shared with the worker.
  std::mutex svgMutex_;
  QHash<QString, QByteArray> svg_;
  QHash<Key, std::shared_future<Drawn>> pending_;
  int renders_ = 0;
  // Last: destroyed first, it waits for the drawing under way.
  QThreadPool pool_;
};

// The checker-and-cross image shown in place of a missing picture.
QPixmap placeholderPixmap(QSize logical, qreal dpr);

}  // namespace forms

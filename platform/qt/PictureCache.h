// Pictures by name: SVG files rendered once per (name, size, pixel ratio) so a
// repaint only blits. A missing or broken file shows a loud placeholder and is
// reported once, so a gap in the art never stops the game.
#pragma once

#include <QCache>
#include <QHash>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <memory>
#include <string>

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
  const QString& dataDir() const { return dataDir_; }

  // The picture at a logical size, rendered for the given device pixel ratio.
  // Looked up on every repaint of every picture, so the lookup builds no strings.
  QPixmap pixmap(const std::string& name, QSize logical, qreal dpr);
  QPixmap pixmap(const QString& name, QSize logical, qreal dpr) { return pixmap(name.toStdString(), logical, dpr); }
  // The part of that picture that is not fully transparent, in logical pixels
  // from its top-left corner (empty when nothing shows). A sprite that moves
  // or changes frame repaints only this: most frames of an explosion are a
  // small cloud in a large square.
  QRect ink(const std::string& name, QSize logical, qreal dpr);
  // False when the file is missing or unreadable (a placeholder is drawn).
  bool available(const QString& name);
  int renderCount() const { return renders_; }

 private:
  QSvgRenderer* renderer(const QString& name);

  QString dataDir_;
  // One renderer per name; nullptr marks a picture that could not be loaded.
  QHash<QString, std::shared_ptr<QSvgRenderer>> renderers_;
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
  const Rendered* rendered(const std::string& name, QSize logical, qreal dpr);
  QCache<Key, Rendered> pixmaps_;
  int renders_ = 0;
};

// The checker-and-cross image shown in place of a missing picture.
QPixmap placeholderPixmap(QSize logical, qreal dpr);

}  // namespace forms

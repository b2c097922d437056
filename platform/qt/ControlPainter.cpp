#include "ControlPainter.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <functional>

#include "CaptionImages.h"
#include "PictureCache.h"

namespace forms {

QColor toQColor(OleColor c) {
  const Rgb rgb = resolveColor(c);
  return QColor(rgb.r, rgb.g, rgb.b);
}

QFont toQFont(const Font& f) {
  QFont q;
  if (f.name == "Stencil") {
    // A heavy, narrow display face stands in for the stencil lettering.
    q.setFamily(QStringLiteral("DejaVu Sans Condensed"));
    q.setStretch(QFont::Condensed);
    q.setBold(true);
  } else {
    q.setFamily(f.name == "MS Sans Serif" ? QStringLiteral("DejaVu Sans") : QString::fromStdString(f.name));
    q.setBold(f.bold);
  }
  // Points at 96 dpi, as the label layout in the model assumes.
  q.setPixelSize(std::max(1, static_cast<int>(std::lround(f.size * 4.0f / 3.0f))));
  q.setStyleStrategy(QFont::PreferAntialias);
  return q;
}

int toPixels(float twips) { return static_cast<int>(std::lround(twips / kTwipsPerPixel)); }

QRect toPixels(const RectF& r) {
  const int x0 = toPixels(r.x), y0 = toPixels(r.y);
  const int x1 = toPixels(r.x + r.w), y1 = toPixels(r.y + r.h);
  return {x0, y0, std::max(0, x1 - x0), std::max(0, y1 - y0)};
}

bool isPainted(ControlKind k) {
  switch (k) {
    case ControlKind::Label:
    case ControlKind::Image:
    case ControlKind::PictureBox:
    case ControlKind::Shape:
    case ControlKind::Line:
    case ControlKind::Frame: return true;
    default: return false;
  }
}

namespace {
// The part of the client area that a control's frames leave visible.
QRect containerClip(const Control& c) {
  QRect clip(-100000, -100000, 200000, 200000);
  for (const Control* k = c.container(); k; k = k->container()) clip &= toPixels(k->absoluteRect());
  return clip;
}

QRect ownRect(const Control& c) {
  QRect r = toPixels(c.absoluteRect());
  // Lines and circles are antialiased or have pens that may stray a pixel.
  if (c.kind() == ControlKind::Line || c.kind() == ControlKind::Shape) r.adjust(-1, -1, 1, 1);
  return r;
}
}  // namespace

QRect paintRect(const Control& c) {
  if (!c.shownOnForm()) return {};
  return ownRect(c) & containerClip(c);
}

QRect inkRect(const Control& c, PictureCache& pics, qreal dpr) {
  const QRect r = paintRect(c);
  if (c.kind() != ControlKind::Image || r.isEmpty()) return r;
  const Picture& pic = static_cast<const Image&>(c).Picture.get();
  if (!pic) return {};
  const QSize size = pictureSize(c, *pic);
  return r & pics.ink(pic->name, size, dpr).translated(toPixels(c.absoluteRect()).topLeft());
}

namespace {

// A one-pixel outline through the edge pixels of `r`, drawn with fills: they
// are the cheapest thing to clip, and frames are repainted for any change inside.
void outline(QPainter& p, const QRect& r, const QColor& c) {
  p.fillRect(r.x(), r.y(), r.width(), 1, c);
  p.fillRect(r.x(), r.bottom(), r.width(), 1, c);
  p.fillRect(r.x(), r.y(), 1, r.height(), c);
  p.fillRect(r.right(), r.y(), 1, r.height(), c);
}

// The 3D sunken edge of a picture box: two pixels on each side.
void sunkenEdge(QPainter& p, const QRect& r) {
  const QColor shadow(128, 128, 128), dark(0, 0, 0), light(255, 255, 255), face(192, 192, 192);
  p.fillRect(r.x(), r.y(), r.width(), 1, shadow);
  p.fillRect(r.x(), r.y(), 1, r.height(), shadow);
  p.fillRect(r.x(), r.bottom(), r.width(), 1, light);
  p.fillRect(r.right(), r.y(), 1, r.height(), light);
  p.fillRect(r.x() + 1, r.y() + 1, r.width() - 2, 1, dark);
  p.fillRect(r.x() + 1, r.y() + 1, 1, r.height() - 2, dark);
  p.fillRect(r.x() + 1, r.bottom() - 1, r.width() - 2, 1, face);
  p.fillRect(r.right() - 1, r.y() + 1, 1, r.height() - 2, face);
}

void paintLabel(QPainter& p, const Label& l, const Look& look, const QRect& r, qreal dpr) {
  if (!l.transparent) p.fillRect(r, toQColor(look.back));
  QRect text = r;
  if (l.border) {
    outline(p, r, QColor(0, 0, 0));
    text.adjust(1, 1, -1, -1);
  }
  if (!look.text || text.isEmpty()) return;
  // A disabled label shows its text greyed out.
  const QColor pen = look.greyed ? QColor(128, 128, 128) : toQColor(look.fore);
  p.drawImage(text.topLeft(), labelCaption(l, *look.text, text.size(), pen, dpr));
}

void paintPicture(QPainter& p, const Control& c, const PictureData* pic, QPoint at, PictureCache& pics, qreal dpr) {
  const QSize size = pic ? pictureSize(c, *pic) : QSize();
  if (!size.isEmpty()) p.drawPixmap(at, pics.pixmap(pic->name, size, dpr));
}

void paintShape(QPainter& p, const Shape& s, const Look& look, const QRect& r) {
  QRect body = r;
  if (s.shape == ShapeKind::Circle) {
    const int d = std::min(r.width(), r.height());
    body = QRect(r.x() + (r.width() - d) / 2, r.y() + (r.height() - d) / 2, d, d);
    p.setRenderHint(QPainter::Antialiasing, true);
  }
  p.setBrush(s.filled ? QBrush(toQColor(look.back)) : QBrush(Qt::NoBrush));
  if (s.borderVisible) {
    QPen pen(toQColor(look.fore), 1);
    pen.setJoinStyle(Qt::MiterJoin);
    p.setPen(pen);
  } else {
    p.setPen(Qt::NoPen);
  }
  // The border lies inside the control's rectangle.
  const QRectF inner = s.borderVisible ? QRectF(body).adjusted(0.5, 0.5, -0.5, -0.5) : QRectF(body);
  if (s.shape == ShapeKind::Circle) {
    p.drawEllipse(inner);
  } else {
    p.drawRect(inner);
  }
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setBrush(Qt::NoBrush);
}

void paintLine(QPainter& p, const Line& l, const Look& look) {
  QPen pen(toQColor(look.fore), std::max(1, l.borderWidth));
  pen.setCapStyle(Qt::SquareCap);
  p.setPen(pen);
  p.drawLine(look.line);
}

void paintFrame(QPainter& p, const Frame& f, const Look& look, const QRect& r, qreal dpr) {
  const QColor back = toQColor(look.back);
  p.fillRect(r, back);
  const bool captioned = look.text != nullptr;
  const QImage caption = captioned ? frameCaption(f, *look.text, toQColor(look.fore), dpr) : QImage();
  const QSizeF captionSize = captioned ? caption.deviceIndependentSize() : QSizeF();
  const int captionH = static_cast<int>(captionSize.height());
  const int top = captioned ? captionH / 2 : 0;
  // Etched edge: a shadow line with a highlight one pixel below and right.
  const QRect edge(r.x(), r.y() + top, r.width() - 1, r.height() - top - 1);
  if (edge.width() > 1 && edge.height() > 1) {
    outline(p, edge, QColor(128, 128, 128));
    outline(p, edge.adjusted(1, 1, 1, 1), QColor(255, 255, 255));
  }
  if (!captioned) return;
  // Never past the frame's own rectangle, which is painted unclipped.
  const int w = static_cast<int>(captionSize.width());
  const QRect text(r.x() + 8, r.y(), std::min(w + 4, std::max(0, r.width() - 10)), std::min(captionH, r.height()));
  p.fillRect(text, back);
  const int shown = std::max(0, std::min(w, text.width() - 2));
  p.drawImage(QRectF(text.x() + 2, text.y(), shown, text.height()), caption,
              QRectF(0, 0, shown * dpr, text.height() * dpr));
}

}  // namespace

QSize pictureSize(const Control& c, const PictureData& pic) {
  if (c.kind() == ControlKind::Image && static_cast<const Image&>(c).stretch) return toPixels(c.absoluteRect()).size();
  return {pic.width, pic.height};
}

Look lookAt(const Control& c) {
  Look k;
  k.shown = c.shownOnForm();
  switch (c.kind()) {
    case ControlKind::Label: {
      const auto& l = static_cast<const Label&>(c);
      k.back = l.BackColor;
      // Colour and state show only through the caption: the battlefield's
      // empty labels are disabled and enabled with every shot and attack.
      if (l.Caption.get().empty()) break;
      k.text = &l.Caption.get();
      k.fore = l.ForeColor;
      k.greyed = !l.enabledOnForm();
      break;
    }
    case ControlKind::Image: k.picture = static_cast<const Image&>(c).Picture.get().get(); break;
    case ControlKind::PictureBox:
      k.picture = static_cast<const PictureBox&>(c).Picture.get().get();
      k.back = static_cast<const PictureBox&>(c).BackColor;
      break;
    case ControlKind::Shape:
      k.back = static_cast<const Shape&>(c).FillColor;
      k.fore = static_cast<const Shape&>(c).BorderColor;
      break;
    case ControlKind::Line: {
      const auto& l = static_cast<const Line&>(c);
      QPointF at;  // the container's corner, twips
      for (const Control* box = l.container(); box; box = box->container()) at += QPointF(box->Left, box->Top);
      k.fore = l.BorderColor;
      k.line = QLineF((QPointF(l.X1, l.Y1) + at) / kTwipsPerPixel, (QPointF(l.X2, l.Y2) + at) / kTwipsPerPixel);
      break;
    }
    case ControlKind::Frame: {
      const auto& f = static_cast<const Frame&>(c);
      k.back = f.BackColor;
      k.fore = f.ForeColor;
      if (!f.Caption.get().empty()) k.text = &f.Caption.get();
      break;
    }
    default: break;
  }
  return k;
}

std::size_t lookOf(const Control& c) {
  const Look k = lookAt(c);
  size_t h = 0;
  auto mix = [&h](size_t v) { h ^= v + 0x9E3779B97F4A7C15ull + (h << 6) + (h >> 2); };
  for (size_t v : {size_t(k.shown), size_t(k.back), size_t(k.fore), size_t(k.greyed)}) mix(v);
  mix(k.text ? std::hash<std::string>()(*k.text) : 0);
  mix(std::hash<const void*>()(k.picture));
  for (qreal v : {k.line.x1(), k.line.y1(), k.line.x2(), k.line.y2()}) mix(std::hash<qreal>()(v));
  return h;
}

void paintControl(QPainter& p, const Control& c, PictureCache& pics, qreal dpr) {
  const QRect r = toPixels(c.absoluteRect());
  const Look look = lookAt(c);
  switch (c.kind()) {
    case ControlKind::Label: paintLabel(p, static_cast<const Label&>(c), look, r, dpr); break;
    case ControlKind::Image: paintPicture(p, c, look.picture, r.topLeft(), pics, dpr); break;
    case ControlKind::PictureBox: {
      const auto& pb = static_cast<const PictureBox&>(c);
      p.fillRect(r, toQColor(look.back));
      QRect inside = r;
      if (pb.border) {
        sunkenEdge(p, r);
        inside.adjust(2, 2, -2, -2);
      }
      if (look.picture) {
        p.save();
        p.setClipRect(inside, Qt::IntersectClip);
        paintPicture(p, c, look.picture, inside.topLeft(), pics, dpr);
        p.restore();
      }
      break;
    }
    case ControlKind::Shape: paintShape(p, static_cast<const Shape&>(c), look, r); break;
    case ControlKind::Line: paintLine(p, static_cast<const Line&>(c), look); break;
    case ControlKind::Frame: paintFrame(p, static_cast<const Frame&>(c), look, r, dpr); break;
    default: break;
  }
}

}  // namespace forms

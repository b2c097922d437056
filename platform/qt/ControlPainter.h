// Drawing of the passive controls (labels, images, picture boxes, shapes,
// lines, frames) straight from the model, and the twips-to-pixels rules that
// drawing, repainting and mouse hit-testing share.
#pragma once

#include <QColor>
#include <QFont>
#include <QLineF>
#include <QRect>
#include <cstddef>
#include <string>

#include "platform/Controls.h"

class QPainter;

namespace forms {

class PictureCache;

constexpr float kTwipsPerPixel = 15.0f;

QColor toQColor(OleColor c);
// The game's fonts mapped to ones every Debian machine has, sized as at 96 dpi.
QFont toQFont(const Font& f);
// A twips rectangle in logical pixels; edges are rounded separately so
// neighbouring controls tile without gaps.
QRect toPixels(const RectF& r);
int toPixels(float twips);

// Controls drawn from the model rather than by a Qt widget.
bool isPainted(ControlKind k);
// The pixels a control can touch, clipped by its frames; empty when hidden.
QRect paintRect(const Control& c);
// The pixels a control's painting really changes: its paint rectangle, and
// for an image only where its picture is not transparent.
QRect inkRect(const Control& c, PictureCache& pics, qreal dpr);
// What a painted control shows, besides its place and the design fixed when
// its form was built (fonts, borders, alignment): read from the model here
// alone. The painter draws from it, and the repaint digest is its hash, so a
// change the painting shows always changes the digest.
struct Look {
  bool shown = false;
  OleColor back = 0;                  // background; a shape's fill
  OleColor fore = 0;                  // text; a shape's border; a line
  const std::string* text = nullptr;  // the caption, when one shows
  bool greyed = false;                // a disabled label's caption
  const PictureData* picture = nullptr;
  QLineF line;  // a line's ends, logical pixels
};
Look lookAt(const Control& c);
// The digest of lookAt(c): a control whose digest and ink are as they were needs no repaint.
std::size_t lookOf(const Control& c);

// The logical size a control shows `pic` at: a stretched image's own size, else the picture's.
QSize pictureSize(const Control& c, const PictureData& pic);

void paintControl(QPainter& p, const Control& c, PictureCache& pics, qreal dpr);

}  // namespace forms

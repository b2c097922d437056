// Drawing of the passive controls (labels, images, picture boxes, shapes,
// lines, frames) straight from the model, and the twips-to-pixels rules that
// drawing, repainting and mouse hit-testing share.
#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <cstddef>

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
// A digest of everything about a painted control that shows, but its
// rectangle: what its painting below reads must go into it, or a change of it
// is never repainted.
std::size_t lookOf(const Control& c);
// The part of the client area that a control's frames leave visible.
QRect containerClip(const Control& c);

// The logical size a control shows `pic` at: a stretched image's own size, else the picture's.
QSize pictureSize(const Control& c, const Picture& pic);

void paintControl(QPainter& p, const Control& c, PictureCache& pics, qreal dpr);

}  // namespace forms

#include "ClientArea.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWindow>
#include <algorithm>
#include <cmath>

#include "ControlPainter.h"
#include "FormWindow.h"
#include "platform/HitTest.h"
#include "platform/Runtime.h"

namespace forms {

qreal pixelRatioOf(const QWidget& w) {
  // Asked of the window itself: QWidget's own answer looks the screen up anew
  // every time, which costs more than the rest of a small repaint's bookkeeping.
  const QWindow* win = w.window()->windowHandle();
  return win ? win->devicePixelRatio() : w.devicePixelRatioF();
}

ClientArea::ClientArea(FormWindow& owner, QSize size) : QWidget(&owner), owner_(owner) {
  setFixedSize(size);
  // Every pixel is painted from the model; Qt need not clear it first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
}

void ClientArea::refresh(const Control& c) {
  if (std::find(dirty_.begin(), dirty_.end(), &c) == dirty_.end()) dirty_.push_back(&c);
  flushUnlessInEvent();
}

void ClientArea::refreshBackground() {
  planner_.backgroundChanged(rect());
  flushUnlessInEvent();
}

void ClientArea::flushUnlessInEvent() {
  const Form* f = owner_.form();
  // Outside an event nothing marks an end to wait for: Qt gathers the changes.
  if (!f || f->runtime().eventDepth() == 0) flushDirty(Repaint::Later);
}

void ClientArea::flushDirty(Repaint when) {
  // Called for every window at the end of every event; most have nothing to do.
  if (dirty_.empty() && planner_.idle()) return;
  const Form* f = owner_.form();
  if (!f) {
    dirty_.clear();
    planner_.forgetAll();
    return;
  }
  // A hidden window (the picture store) keeps its changes until it shows:
  // the ink of its pictures would wait for them to be drawn, for nothing.
  if (!isVisible()) return;
  const qreal dpr = pixelRatioOf(*this);
  for (const Control* c : dirty_) planner_.touched(c, inkRect(*c, owner_.pictures(), dpr), lookOf(*c));
  dirty_.clear();
  // One repaint for the whole event, now: each call into the widget's repaint
  // bookkeeping costs more than collecting the rectangles here, and a posted
  // update would cost a trip through the event queue as well.
  const QRegion changed = planner_.plan();
  if (changed.isEmpty()) return;
  if (when == Repaint::Now) {
    repaint(changed);
  } else {
    update(changed);
  }
}

QPointF ClientArea::twipsAt(QPointF p) const {
  // The middle of the device pixel under the pointer.
  const qreal dpr = pixelRatioOf(*this);
  auto twips = [dpr](qreal v) { return static_cast<float>((std::floor(v * dpr) + 0.5) / dpr * kTwipsPerPixel); };
  return {twips(p.x()), twips(p.y())};
}

Control* ClientArea::hitTest(QPointF p) const {
  const Form* f = owner_.form();
  if (!f) return nullptr;
  const QPointF at = twipsAt(p);
  return forms::hitTest(*f, static_cast<float>(at.x()), static_cast<float>(at.y()));
}

void ClientArea::paintEvent(QPaintEvent* e) {
  QPainter p(this);
  const Form* f = owner_.form();
  if (!f) {
    p.fillRect(e->rect(), palette().window());
    return;
  }
  const QRegion& dirty = e->region();
  for (const QRect& r : dirty) p.fillRect(r, toQColor(f->BackColor));
  const qreal dpr = pixelRatioOf(*this);
  for (const Control* c : f->controls()) {
    if (!isPainted(c->kind())) continue;
    const QRect r = paintRect(*c);
    if (r.isEmpty() || !dirty.intersects(r)) continue;
    // A control never paints outside its rectangle and its frames; Qt holds
    // the painter to the dirty region on top of that.
    p.setClipRect(r);
    paintControl(p, *c, owner_.pictures(), dpr);
  }
  emit painted(dirty);
}

void ClientArea::mousePressEvent(QMouseEvent* e) {
  // Also the presses a disabled button passes on: the core finds the button
  // there, and the runtime drops its click rather than let it through.
  if (e->button() == Qt::LeftButton) pressed_ = hitTest(e->position());
  e->accept();
}

void ClientArea::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) return;
  Control* was = pressed_;
  pressed_ = nullptr;
  // A click is a press and a release on the same control.
  if (was && hitTest(e->position()) == was) {
    const QPointF at = twipsAt(e->position());
    owner_.form()->runtime().userClickAt(*owner_.form(), static_cast<float>(at.x()), static_cast<float>(at.y()));
  }
  e->accept();
}

}  // namespace forms

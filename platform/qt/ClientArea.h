// The client area of a form's window: the passive controls painted from the
// model, repainted only where an event changed how they look, and mouse
// clicks taken to the control the player sees under the pointer.
#pragma once

#include <QPointF>
#include <QWidget>
#include <vector>

#include "RepaintPlanner.h"
#include "platform/Controls.h"

namespace forms {

class FormWindow;

// The pixel ratio a widget is painted at; pictures are drawn ahead at it too.
qreal pixelRatioOf(const QWidget& w);

class ClientArea : public QWidget {
  Q_OBJECT
 public:
  ClientArea(FormWindow& owner, QSize size);
  // Repaints what a control covered before and covers now. Inside an event
  // the repaint waits for the event's end, and a control that ends up looking
  // as it did (cleared and rebuilt, say) is not repainted at all.
  void refresh(const Control& c);
  // The form's own background changed: repaints only where it shows.
  void refreshBackground();
  // Repaints what changed since the last flush: now (at the end of an event),
  // or later, when Qt next gathers its updates.
  enum class Repaint { Now, Later };
  void flushDirty(Repaint when = Repaint::Now);
  void forget() {
    planner_.forgetAll();
    dirty_.clear();
  }
  // The control a click at a point lands on (the runtime core decides).
  Control* hitTest(QPointF p) const;
  // A point of the client area (logical pixels) in twips, as clicks take it.
  QPointF twipsAt(QPointF p) const;

 signals:
  // Where the client area has just been painted.
  void painted(const QRegion& where);

 protected:
  void paintEvent(QPaintEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;

 private:
  FormWindow& owner_;
  RepaintPlanner planner_;
  // Inside an event the flush waits for the event's end (the runtime calls it).
  void flushUnlessInEvent();

  std::vector<const Control*> dirty_;
  Control* pressed_ = nullptr;
};

}  // namespace forms

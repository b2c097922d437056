// The window of one loaded form: a fixed-size client area that paints the
// passive controls from the model, real Qt widgets for buttons, check boxes,
// option buttons and the progress bar, and the menu bar. It turns user input
// into the runtime's input calls and never decides anything itself.
#pragma once

#include <QPointer>
#include <QWidget>
#include <unordered_map>
#include <vector>

#include "RepaintPlanner.h"
#include "platform/Form.h"

class QAction;
class QEventLoop;
class QKeyEvent;
class QMenu;
class QMenuBar;
class QPainter;

namespace forms {

class PictureCache;
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

class FormWindow : public QWidget {
  Q_OBJECT
 public:
  FormWindow(Form& form, PictureCache& pictures);
  ~FormWindow() override;

  // Null once the form has been unloaded: the model is no longer ours to read.
  Form* form() const { return form_; }
  ClientArea* client() const { return client_; }
  PictureCache& pictures() const { return pictures_; }
  QMenuBar* menuBar() const { return menuBar_; }
  QAction* action(const MenuItem& m) const;
  QWidget* widget(const Control& c) const;

  void syncControl(Control& c);
  void syncMenu(MenuItem& m);
  void syncForm(Aspect aspect);
  void placeOnScreen();
  // Moves the window (frame and all) there, but never so that its top-left
  // corner is off the screen.
  void moveOnScreen(QPoint topLeft);
  void detach();

  // The nested loop of a modal show, quit when the form goes away.
  QPointer<QEventLoop> modalLoop;

 protected:
  void closeEvent(QCloseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;

 private:
  void buildMenu(MenuItem& m, QMenu* into);
  void createWidget(Control& c);
  void syncWidget(Control& c);
  void syncDescendants(const Control& container);
  void clickButtonWhere(bool (*pick)(const Control&));

  Form* form_;
  Runtime* rt_;
  PictureCache& pictures_;
  ClientArea* client_ = nullptr;
  QMenuBar* menuBar_ = nullptr;
  std::unordered_map<const Control*, QWidget*> widgets_;
  std::unordered_map<const MenuItem*, QAction*> actions_;
};

}  // namespace forms

// The window of one loaded form: a fixed-size client area that paints the
// passive controls from the model, real Qt widgets for buttons, check boxes,
// option buttons and the progress bar, and the menu bar. It turns user input
// into the runtime's input calls and never decides anything itself.
#pragma once

#include <QPointer>
#include <QWidget>
#include <unordered_map>
#include <vector>

#include "ClientArea.h"
#include "platform/Form.h"

class QAction;
class QEventLoop;
class QKeyEvent;
class QMenu;
class QMenuBar;

namespace forms {

class PictureCache;

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

// The controls a form owns. Their properties are plain data in twips; the
// realisation reads them to draw and is told of every change.
#pragma once

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "Colors.h"
#include "Picture.h"
#include "Property.h"

namespace forms {

class Form;

enum class ControlKind {
  Label,
  Image,
  PictureBox,
  Shape,
  Line,
  Frame,
  CommandButton,
  CheckBox,
  OptionButton,
  Timer,
  ProgressBar
};

struct Font {
  std::string name = "MS Sans Serif";
  float size = 8.25f;  // points
  bool bold = false;
};

enum class Align { Left, Right, Center };

struct RectF {
  float x = 0, y = 0, w = 0, h = 0;
  bool contains(float px, float py) const { return px >= x && py >= y && px < x + w && py < y + h; }
};

class Control : public PropertyOwner {
 public:
  Control(Form* form, ControlKind kind, std::string name, int index, Control* container);
  virtual ~Control() = default;  // NOLINT
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  ControlKind kind() const { return kind_; }
  const std::string& name() const { return name_; }
  int index() const { return index_; }  // -1 when the control is not in an array
  Form* form() const { return form_; }
  Control* container() const { return container_; }
  bool isContainer() const { return kind_ == ControlKind::Frame; }

  // Position relative to the form's client area, through the containers.
  RectF absoluteRect() const;
  // True when this control and every container above it is visible / enabled.
  bool shownOnForm() const;
  bool enabledOnForm() const;

  void move(float left, float top, float width, float height);

  Property<float> Left{this, 0.f, Aspect::Geometry};
  Property<float> Top{this, 0.f, Aspect::Geometry};
  Property<float> Width{this, 0.f, Aspect::Geometry};
  Property<float> Height{this, 0.f, Aspect::Geometry};
  Property<bool> Visible{this, true, Aspect::Visible};
  Property<bool> Enabled{this, true, Aspect::Enabled};

  // Raised by a user click that the runtime let through, or called by code.
  std::function<void()> Click;

  // Called by Property on every change; forwards to the form's runtime.
  void changed(Aspect aspect, int propId) override;

 private:
  Form* form_;
  ControlKind kind_;
  std::string name_;
  int index_;
  Control* container_;
};

class Label : public Control {
 public:
  Label(Form* f, std::string name, int index = -1, Control* container = nullptr)
      : Control(f, ControlKind::Label, std::move(name), index, container) {}
  Property<std::string> Caption{this, std::string(), Aspect::Text};
  Property<OleColor> BackColor{this, kSysButtonFace, Aspect::Look};
  Property<OleColor> ForeColor{this, kSysButtonText, Aspect::Look};
  bool transparent = false;  // BackStyle 0
  bool border = false;       // single border
  bool autoSize = false;     // height follows the text (word-wrapped to the width)
  bool wordWrap = true;
  Align alignment = Align::Left;
  Font font;

  // Lines as the label lays them out (caption split at CR LF, word-wrapped for
  // auto-size labels). Both realisations use this, so they agree on the height.
  std::vector<std::string> layoutLines() const;
  static float lineHeightTwips(const Font& f);
  void changed(Aspect aspect, int propId) override;
};

class Image : public Control {
 public:
  Image(Form* f, std::string name, int index = -1, Control* container = nullptr)
      : Control(f, ControlKind::Image, std::move(name), index, container) {}
  Property<forms::Picture> Picture{this, nullptr, Aspect::Look};
  bool stretch = true;
};

class PictureBox : public Control {
 public:
  PictureBox(Form* f, std::string name, int index = -1, Control* container = nullptr)
      : Control(f, ControlKind::PictureBox, std::move(name), index, container) {}
  Property<forms::Picture> Picture{this, nullptr, Aspect::Look};
  Property<OleColor> BackColor{this, kSysButtonFace, Aspect::Look};
  bool border = false;
};

enum class ShapeKind { Rectangle, Circle };

class Shape : public Control {
 public:
  Shape(Form* f, std::string name, int index = -1, Control* container = nullptr)
      : Control(f, ControlKind::Shape, std::move(name), index, container) {}
  Property<OleColor> FillColor{this, 0, Aspect::Look};
  Property<OleColor> BorderColor{this, 0, Aspect::Look};
  ShapeKind shape = ShapeKind::Rectangle;
  bool filled = true;
  bool borderVisible = true;
};

class Line : public Control {
 public:
  Line(Form* f, std::string name, int index = -1, Control* container = nullptr)
      : Control(f, ControlKind::Line, std::move(name), index, container) {}
  Property<float> X1{this, 0.f, Aspect::Geometry};
  Property<float> Y1{this, 0.f, Aspect::Geometry};
  Property<float> X2{this, 0.f, Aspect::Geometry};
  Property<float> Y2{this, 0.f, Aspect::Geometry};
  Property<OleColor> BorderColor{this, 0, Aspect::Look};
  int borderWidth = 1;  // pixels
  void set(float x1, float y1, float x2, float y2);
  RectF bounds() const;  // the area the line covers, relative to its container
};

class Frame : public Control {
 public:
  Frame(Form* f, std::string name, int index = -1, Control* container = nullptr)
      : Control(f, ControlKind::Frame, std::move(name), index, container) {}
  Property<std::string> Caption{this, std::string(), Aspect::Text};
  Property<OleColor> BackColor{this, kSysDesktop, Aspect::Look};
  Property<OleColor> ForeColor{this, kSysHighlight, Aspect::Look};
  Font font{"MS Sans Serif", 9.75f, true};
};

class CommandButton : public Control {
 public:
  CommandButton(Form* f, std::string name, int index = -1, Control* container = nullptr)
      : Control(f, ControlKind::CommandButton, std::move(name), index, container) {}
  Property<std::string> Caption{this, std::string(), Aspect::Text};
  Property<OleColor> ForeColor{this, kSysButtonText, Aspect::Look};
  Font font;
  bool isDefault = false;  // Enter presses it on its dialog
  bool isCancel = false;   // Escape presses it on its dialog
  bool takesFocus = true;  // battle-screen buttons take no focus, so keys reach the form
};

class CheckBox : public Control {
 public:
  CheckBox(Form* f, std::string name, int index = -1, Control* container = nullptr)
      : Control(f, ControlKind::CheckBox, std::move(name), index, container) {}
  Property<std::string> Caption{this, std::string(), Aspect::Text};
  Property<int> Value{this, 0, Aspect::Value};  // 0 unticked, 1 ticked
  Property<OleColor> ForeColor{this, kSysButtonText, Aspect::Look};
  Property<OleColor> BackColor{this, kSysButtonFace, Aspect::Look};
  Font font;
};

class OptionButton : public Control {
 public:
  OptionButton(Form* f, std::string name, int index = -1, Control* container = nullptr)
      : Control(f, ControlKind::OptionButton, std::move(name), index, container) {}
  Property<std::string> Caption{this, std::string(), Aspect::Text};
  Property<bool> Value{this, false, Aspect::Value};
  Property<OleColor> ForeColor{this, kSysButtonText, Aspect::Look};
  Property<OleColor> BackColor{this, kSysButtonFace, Aspect::Look};
  Font font;
  // Selecting one option clears the others of the same container.
  void select();
};

class Timer : public Control {
 public:
  enum : int { kIntervalProp = 1, kEnabledProp = 2 };
  Timer(Form* f, std::string name) : Control(f, ControlKind::Timer, std::move(name), -1, nullptr) { Visible = false; }
  // Assigning a positive interval restarts the count, even with the same value.
  Property<int> Interval{this, 0, Aspect::Timer, kIntervalProp, true};
  // Enabled is the base property; a change to it also reaches the scheduler.
  std::function<void()> Tick;
  // A silent timer's handler changes nothing on screen, only state that other
  // handlers read. The runtime need not wake up for it: its due ticks run, in
  // order, just before any other event or timer is handled.
  bool silent = false;
  ~Timer() override;
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;
  void changed(Aspect aspect, int propId) override;

};

class ProgressBar : public Control {
 public:
  ProgressBar(Form* f, std::string name) : Control(f, ControlKind::ProgressBar, std::move(name), -1, nullptr) {}
  Property<float> Value{this, 0.f, Aspect::Value};
  float Min = 0, Max = 100;
};

// A control array with the index base it was designed with; a bad index throws.
template <class T>
class ControlArray {
 public:
  ControlArray(Form* f, const std::string& name, int first, int last, Control* container = nullptr) : first_(first) {
    for (int i = first; i <= last; ++i) items_.push_back(std::make_unique<T>(f, name, i, container));
  }
  T& operator()(int i) {
    if (i < first_ || i >= first_ + static_cast<int>(items_.size()))
      throw std::out_of_range("control array index " + std::to_string(i));
    return *items_[static_cast<size_t>(i - first_)];
  }
  const T& operator()(int i) const { return const_cast<ControlArray*>(this)->operator()(i); }
  int lbound() const { return first_; }
  int ubound() const { return first_ + static_cast<int>(items_.size()) - 1; }
  bool has(int i) const { return i >= lbound() && i <= ubound(); }

 private:
  int first_;
  std::vector<std::unique_ptr<T>> items_;
};

// Menu items: titles on the bar hold items; "-" is a separator.
class MenuItem {
 public:
  MenuItem(Form* f, std::string name, std::string caption, std::string shortcut = {}, MenuItem* parent = nullptr);
  MenuItem(const MenuItem&) = delete;
  MenuItem& operator=(const MenuItem&) = delete;
  const std::string& name() const { return name_; }
  MenuItem* parent() const { return parent_; }
  Form* form() const { return form_; }
  bool isSeparator() const { return caption_ == "-"; }
  const std::string& caption() const { return caption_; }
  const std::string& shortcut() const { return shortcut_; }  // "F2", "Ctrl+N", or empty
  const std::vector<MenuItem*>& items() const { return items_; }

  bool checked() const { return checked_; }
  void setChecked(bool c);
  bool enabled() const { return enabled_; }
  void setEnabled(bool e);

  // A shortcut acts as if the player had opened the item's title first, unless
  // this is false (a plain toggle).
  bool shortcutOpensTitle = true;
  std::function<void()> Click;

 private:
  Form* form_;
  std::string name_;
  std::string caption_;
  std::string shortcut_;
  MenuItem* parent_;
  std::vector<MenuItem*> items_;
  bool checked_ = false;
  bool enabled_ = true;
};

}  // namespace forms

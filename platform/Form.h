// A form: a fixed-size window that owns its controls and menu bar and receives
// the runtime's events through its handlers.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Controls.h"

namespace forms {

class Runtime;

enum class StartPosition { Manual, CenterScreen, WindowsDefault };

class Form : public PropertyOwner {
 public:
  Form(Runtime& runtime, std::string name);
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const std::string& name() const { return name_; }
  Runtime& runtime() const { return runtime_; }

  // Look, set in the form's constructor.
  Property<std::string> Caption{this, std::string(), Aspect::Text};
  Property<OleColor> BackColor{this, kSysButtonFace, Aspect::Look};
  Property<float> Left{this, 0.f, Aspect::Geometry};  // outer window position, twips
  Property<float> Top{this, 0.f, Aspect::Geometry};
  float clientWidth = 0;   // twips
  float clientHeight = 0;  // twips
  StartPosition startPosition = StartPosition::CenterScreen;
  std::string iconName;  // window icon picture, empty for the program's default

  // Keys reach Form_KeyDown before any control while this is true.
  bool KeyPreview = false;

  // Lifecycle (a form is loaded when constructed through its owner).
  void Show();
  void ShowModal();
  void Unload();
  bool isVisible() const { return visible_; }
  bool isLoaded() const { return loaded_ && !unloaded_; }
  bool isModal() const { return modal_; }

  // Handlers the runtime raises.
  virtual void Form_Load() {}
  virtual void Form_Activate() {}
  virtual void Form_KeyDown(int& /*keyCode*/, int /*shift*/) {}
  // The window's own close control; by default it unloads the form.
  virtual void Form_CloseRequested() { Unload(); }
  // Name of the button that a plain "OK" closes the form with (headless default answer).
  virtual std::string defaultButton() const { return {}; }

  // Structure, in creation (= drawing) order.
  const std::vector<Control*>& controls() const { return controls_; }
  Control* find(const std::string& name, int index = -1) const;
  const std::vector<MenuItem*>& menuBar() const { return menuBar_; }
  const std::vector<MenuItem*>& menuItems() const { return menuItems_; }
  MenuItem* findMenu(const std::string& name) const;

  // Bookkeeping used by controls, menus and the runtime.
  void registerControl(Control* c) { controls_.push_back(c); }
  void registerMenu(MenuItem* m);
  void changed(Aspect aspect, int propId) override;
  void controlChanged(Control& c, Aspect aspect, int propId);
  void menuChanged(MenuItem& m);

  // Set by the owner: hands over ownership when the form is unloaded, so the
  // runtime can destroy it once the current event has returned.
  std::function<std::unique_ptr<Form>()> releaseFromOwner;

 private:
  friend class Runtime;
  Runtime& runtime_;
  std::string name_;
  std::vector<Control*> controls_;
  std::vector<MenuItem*> menuBar_;
  std::vector<MenuItem*> menuItems_;
  std::vector<std::unique_ptr<MenuItem>> ownedMenus_;
  bool loaded_ = false;
  bool unloaded_ = false;
  bool visible_ = false;
  bool modal_ = false;

 public:
  // Menus are created through the form that owns them.
  MenuItem& menu(std::string name, std::string caption, std::string shortcut = {}, MenuItem* parent = nullptr);
};

}  // namespace forms

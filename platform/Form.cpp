#include "Form.h"

#include "Runtime.h"

namespace forms {

Form::Form(Runtime& runtime, std::string name) : runtime_(runtime), name_(std::move(name)) {}

Form::~Form() = default;

void Form::Show() { runtime_.showForm(*this, false); }
void Form::ShowModal() { runtime_.showForm(*this, true); }
void Form::Unload() { runtime_.unloadForm(*this); }

Control* Form::find(const std::string& name, int index) const {
  for (Control* c : controls_)
    if (c->name() == name && (index < 0 || c->index() == index)) return c;
  return nullptr;
}

MenuItem* Form::findMenu(const std::string& name) const {
  for (MenuItem* m : menuItems_)
    if (m->name() == name) return m;
  return nullptr;
}

MenuItem& Form::menu(std::string name, std::string caption, std::string shortcut, MenuItem* parent) {
  ownedMenus_.push_back(
      std::make_unique<MenuItem>(this, std::move(name), std::move(caption), std::move(shortcut), parent));
  MenuItem* m = ownedMenus_.back().get();
  registerMenu(m);
  return *m;
}

void Form::registerMenu(MenuItem* m) {
  menuItems_.push_back(m);
  if (!m->parent()) menuBar_.push_back(m);
}

void Form::changed(Aspect aspect, int propId) {
  if (isLoaded()) runtime_.formChanged(*this, aspect, propId);
}

void Form::controlChanged(Control& c, Aspect aspect, int propId) {
  if (isLoaded()) runtime_.controlChanged(c, aspect, propId);
}

void Form::menuChanged(MenuItem& m) {
  if (isLoaded()) runtime_.menuChanged(m);
}

}  // namespace forms

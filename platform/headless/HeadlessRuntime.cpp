#include "HeadlessRuntime.h"

#include <algorithm>

namespace forms {

HeadlessRuntime::HeadlessRuntime(HeadlessConfig cfg) : cfg_(std::move(cfg)) { random().seed(cfg_.seed); }

HeadlessRuntime::~HeadlessRuntime() = default;

ScreenInfo HeadlessRuntime::screen() const {
  ScreenInfo s;
  s.twipsPerPixelX = s.twipsPerPixelY = 15;
  s.widthTwips = static_cast<float>(cfg_.screenWidthPx) * 15.f;
  s.heightTwips = static_cast<float>(cfg_.screenHeightPx) * 15.f;
  return s;
}

void HeadlessRuntime::advance(long long ms) {
  const long long target = now_ + std::max(0LL, ms);
  while (!ended()) {
    Timer* t = nextTimer();
    if (!t || timerState(*t).due > target) break;
    now_ = std::max(now_, timerState(*t).due);
    fireTimer(*t, now_);
  }
  now_ = std::max(now_, target);
}

bool HeadlessRuntime::advanceUntil(const std::function<bool()>& pred, long long maxMs, long long stepMs) {
  for (long long waited = 0; !pred(); waited += stepMs) {
    if (waited >= maxMs || ended()) return pred();
    advance(stepMs);
  }
  return true;
}

Form& HeadlessRuntime::target(const std::string& form) const {
  Form* f = form.empty() ? activeForm() : loadedForm(form);
  if (!f) throw std::invalid_argument(form.empty() ? "no active form" : "form not loaded: " + form);
  return *f;
}

Control& HeadlessRuntime::control(const std::string& name, int index, const std::string& form) const {
  Control* c = target(form).find(name, index);
  if (!c) throw std::invalid_argument("no control " + name + (index >= 0 ? "(" + std::to_string(index) + ")" : ""));
  return *c;
}

MenuItem& HeadlessRuntime::menuItem(const std::string& name, const std::string& form) const {
  MenuItem* m = target(form).findMenu(name);
  if (!m) throw std::invalid_argument("no menu item " + name);
  return *m;
}

Runtime::KeyTaken HeadlessRuntime::pressKey(int keyCode, int shift) {
  Form* f = activeForm();
  return f ? userKey(*f, keyCode, shift) : KeyTaken::None;
}

bool HeadlessRuntime::click(const std::string& name, int index, const std::string& form) {
  return userClick(control(name, index, form));
}

bool HeadlessRuntime::clickAt(const std::string& form, float x, float y) { return userClickAt(target(form), x, y); }

bool HeadlessRuntime::openMenu(const std::string& title, const std::string& form) {
  return userOpenMenu(menuItem(title, form));
}

bool HeadlessRuntime::chooseMenu(const std::string& item, const std::string& form) {
  MenuItem& m = menuItem(item, form);
  MenuItem* title = &m;
  while (title->parent()) title = title->parent();
  if (title != &m && !userOpenMenu(*title)) return false;
  if (!m.form()->isLoaded()) return false;
  return userChooseMenu(m);
}

bool HeadlessRuntime::pressShortcut(const std::string& shortcut, const std::string& form) {
  Form& f = target(form);
  for (MenuItem* m : f.menuItems())
    if (m->shortcut() == shortcut) return userShortcut(*m);
  return false;
}

void HeadlessRuntime::closeWindow(const std::string& form) { userClose(target(form)); }

std::vector<std::string> HeadlessRuntime::loadedFormNames() const {
  std::vector<std::string> out;
  for (Form* f : loadedForms()) out.push_back(f->name());
  return out;
}

std::vector<std::string> HeadlessRuntime::soundNames() const {
  std::vector<std::string> out;
  for (const auto& s : sounds_) {
    auto cut = s.path.find_last_of("/\\");
    out.push_back(cut == std::string::npos ? s.path : s.path.substr(cut + 1));
  }
  return out;
}

bool HeadlessRuntime::defaultAnswer(Form& f) {
  const std::string button = f.defaultButton();
  if (!button.empty()) {
    if (Control* c = f.find(button)) {
      if (userClick(*c)) return true;
    }
  }
  return false;
}

void HeadlessRuntime::runModal(Form& f) {
  const long long start = now_;
  auto it = scripts_.find(f.name());
  if (it != scripts_.end()) {
    auto script = it->second;  // a copy: the script may replace itself
    script(f);
  } else if (modalResponder_) {
    modalResponder_(f);
  }
  while (f.isLoaded() && !ended()) {
    if (defaultAnswer(f) && (!f.isLoaded() || ended())) break;
    Timer* t = nextTimer();
    if (!t || now_ - start > cfg_.modalLimitMs) throw StuckModal("modal form " + f.name() + " cannot close");
    advance(timerState(*t).due - now_);
  }
}

int HeadlessRuntime::showMsgBox(const std::string& prompt, int style, const std::string& title) {
  MsgBoxRecord r{prompt, style, title, 0, now_};
  if (!answers_.empty()) {
    r.answer = answers_.front();
    answers_.pop_front();
  } else if (msgResponder_) {
    r.answer = msgResponder_(r);
  } else {
    r.answer = mb::hasYesNo(style) ? mb::AnsYes : mb::AnsOk;
  }
  msgBoxes_.push_back(r);
  return r.answer;
}

void HeadlessRuntime::startSound(const std::string& path) { sounds_.push_back({path, now_}); }

}  // namespace forms

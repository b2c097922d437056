// The runtime core's share of user input: hit testing, menu shortcuts and
// access keys, and each input from the realisation run as one event.
#include <algorithm>
#include <cctype>

#include "Form.h"
#include "HitTest.h"
#include "Keys.h"
#include "Runtime.h"

namespace forms {

namespace {

bool isWidget(ControlKind k) {
  return k == ControlKind::CommandButton || k == ControlKind::CheckBox || k == ControlKind::OptionButton ||
         k == ControlKind::ProgressBar;
}

RectF intersect(const RectF& a, const RectF& b) {
  const float x0 = std::max(a.x, b.x), y0 = std::max(a.y, b.y);
  const float x1 = std::min(a.x + a.w, b.x + b.w), y1 = std::min(a.y + a.h, b.y + b.h);
  return {x0, y0, std::max(0.f, x1 - x0), std::max(0.f, y1 - y0)};
}

bool menuUsable(const MenuItem& m) {
  for (const MenuItem* p = &m; p; p = p->parent())
    if (!p->enabled()) return false;
  return !m.isSeparator();
}

}  // namespace

bool catchesClicks(const Control& c) {
  switch (c.kind()) {
    case ControlKind::Shape:
    case ControlKind::Line:
    case ControlKind::Timer: return false;
    case ControlKind::Image: return static_cast<const Image&>(c).Picture.get() != nullptr;
    case ControlKind::Label: return !static_cast<const Label&>(c).transparent || static_cast<bool>(c.Click);
    default: return true;
  }
}

RectF hitRect(const Control& c) {
  if (!c.shownOnForm()) return {};
  RectF r = c.absoluteRect();
  for (const Control* k = c.container(); k; k = k->container()) r = intersect(r, k->absoluteRect());
  return r;
}

Control* hitTest(const Form& f, float x, float y) {
  const auto& cs = f.controls();
  for (bool widgets : {true, false}) {
    for (auto it = cs.rbegin(); it != cs.rend(); ++it) {
      Control* c = *it;
      if (isWidget(c->kind()) == widgets && catchesClicks(*c) && hitRect(*c).contains(x, y)) return c;
    }
  }
  return nullptr;
}

KeyChord parseShortcut(const std::string& text) {
  KeyChord k;
  std::string rest = text;
  for (const auto& [prefix, bit] :
       {std::pair<const char*, int>{"Ctrl+", KeyShift::Ctrl}, {"Shift+", KeyShift::Shift}, {"Alt+", KeyShift::Alt}}) {
    const std::string p = prefix;
    if (rest.compare(0, p.size(), p) == 0) {
      k.shift |= bit;
      rest.erase(0, p.size());
    }
  }
  if (rest.size() == 1 && std::isalnum(static_cast<unsigned char>(rest[0]))) {
    k.code = std::toupper(static_cast<unsigned char>(rest[0]));
  } else if (rest.size() >= 2 && rest.size() <= 3 && rest[0] == 'F') {
    int n = 0;
    for (size_t i = 1; i < rest.size(); ++i) {
      if (!std::isdigit(static_cast<unsigned char>(rest[i]))) return {};
      n = n * 10 + (rest[i] - '0');
    }
    if (n >= 1 && n <= 24) k.code = Key::F1 + n - 1;
  } else if (rest == "Del") {
    k.code = Key::Delete;
  } else if (rest == "Ins") {
    k.code = Key::Insert;
  }
  return k.code ? k : KeyChord{};
}

char accessKeyOf(const std::string& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;  // "&&" is a literal ampersand
      continue;
    }
    const auto ch = static_cast<unsigned char>(caption[i + 1]);
    return std::isalnum(ch) ? static_cast<char>(std::toupper(ch)) : '\0';
  }
  return '\0';
}

std::string withoutAccessMarks(const std::string& caption) {
  std::string out;
  out.reserve(caption.size());
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) ++i;  // "&x" shows x; "&&" shows "&"
    out += caption[i];
  }
  return out;
}

// ---- input from the realisation ----

// An input from the realisation, from its check to the start of its event.
class Runtime::Input {
 public:
  Input(Runtime& rt, RuntimeEvent e) : rt_(rt), was_(rt.routing_) {
    if (!was_) {
      rt.clock_ = rt.nowMs();
      e.at = rt.clock_;
      rt.tell(e);
    }
    rt.routing_ = true;
  }
  ~Input() { rt_.routing_ = was_; }
  Input(const Input&) = delete;
  Input& operator=(const Input&) = delete;

 private:
  Runtime& rt_;
  bool was_;
};

void Runtime::dispatch(const std::function<void()>& fn) {
  if (depth_ == 0 && !routing_) {
    Input call(*this, RuntimeEvent{RuntimeEvent::Kind::Call});
    dispatchAt(fn, clock_);
    return;
  }
  dispatchAt(fn, clockMs());
}

Runtime::KeyTaken Runtime::userKey(Form& f, int keyCode, int shift) {
  if (!accepts(f)) return KeyTaken::None;
  RuntimeEvent e{RuntimeEvent::Kind::Key};
  e.form = &f;
  e.code = keyCode;
  e.shift = shift;
  Input input(*this, e);
  const KeyChord pressed{keyCode, shift};
  for (MenuItem* m : f.menuItems()) {
    const KeyChord sc = parseShortcut(m->shortcut());
    if (sc.code != 0 && sc == pressed && userShortcut(*m)) return KeyTaken::Shortcut;
  }
  if (shift == KeyShift::Alt && keyCode > 0 && keyCode < 128) {
    const auto letter = static_cast<char>(keyCode);
    for (Control* c : f.controls()) {
      const std::string* caption = nullptr;
      switch (c->kind()) {
        case ControlKind::CommandButton: caption = &static_cast<CommandButton*>(c)->Caption.get(); break;
        case ControlKind::CheckBox: caption = &static_cast<CheckBox*>(c)->Caption.get(); break;
        case ControlKind::OptionButton: caption = &static_cast<OptionButton*>(c)->Caption.get(); break;
        default: break;
      }
      if (caption && accessKeyOf(*caption) == letter && userClick(*c)) return KeyTaken::AccessKey;
    }
    for (MenuItem* title : f.menuBar())
      if (accessKeyOf(title->caption()) == letter && userOpenMenu(*title)) return KeyTaken::AccessKey;
  }
  const bool preview = f.KeyPreview;
  dispatch([&f, keyCode, shift] {
    if (f.KeyPreview) {
      int code = keyCode;
      f.Form_KeyDown(code, shift);
    }
  });
  return preview ? KeyTaken::Preview : KeyTaken::None;
}

bool Runtime::userClickAt(Form& f, float x, float y) {
  Control* c = hitTest(f, x, y);
  if (!c || !clickable(*c)) return false;
  RuntimeEvent e{RuntimeEvent::Kind::Click};
  e.control = c;
  e.hasPoint = true;
  e.x = x;
  e.y = y;
  Input input(*this, e);
  return userClick(*c);
}

bool Runtime::clickable(const Control& c) const {
  const Form* f = c.form();
  return f && accepts(*f) && c.shownOnForm() && c.enabledOnForm();
}

bool Runtime::userClick(Control& c) {
  if (!clickable(c)) return false;
  RuntimeEvent e{RuntimeEvent::Kind::Click};
  e.control = &c;
  Input input(*this, e);
  dispatch([&c] {
    if (c.kind() == ControlKind::CheckBox) {
      auto& cb = static_cast<CheckBox&>(c);
      cb.Value = cb.Value ? 0 : 1;
    } else if (c.kind() == ControlKind::OptionButton) {
      static_cast<OptionButton&>(c).select();
    }
    if (c.Click) c.Click();
  });
  return true;
}

bool Runtime::userMenu(RuntimeEvent::Kind how, MenuItem& m) {
  Form* f = m.form();
  if (!f || !accepts(*f) || !menuUsable(m)) return false;
  if (how == RuntimeEvent::Kind::OpenMenu && m.parent()) return false;  // only titles open
  RuntimeEvent e{how};
  e.menu = &m;
  Input input(*this, e);
  dispatch([&m, how] {
    MenuItem* title = &m;
    while (title->parent()) title = title->parent();
    // A shortcut acts as if its title had been opened first, unless it is a plain toggle.
    if (how == RuntimeEvent::Kind::Shortcut && m.shortcutOpensTitle && title != &m && title->Click) title->Click();
    if (m.Click && m.form()->isLoaded()) m.Click();
  });
  return true;
}

bool Runtime::userClose(Form& f) {
  if (!f.isLoaded()) return false;
  if (!modal_.empty() && !accepts(f)) return false;  // a modal form in front keeps the others open
  RuntimeEvent e{RuntimeEvent::Kind::Close};
  e.form = &f;
  Input input(*this, e);
  dispatch([&f] { f.Form_CloseRequested(); });
  return true;
}

}  // namespace forms

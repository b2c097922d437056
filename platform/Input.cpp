// The runtime core's share of user input: hit testing, menu shortcuts and
// access keys.
#include <algorithm>
#include <cctype>

#include "Form.h"
#include "HitTest.h"
#include "Keys.h"

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
  for (const auto& [prefix, bit] : {std::pair<const char*, int>{"Ctrl+", KeyShift::Ctrl},
                                    {"Shift+", KeyShift::Shift},
                                    {"Alt+", KeyShift::Alt}}) {
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

}  // namespace forms

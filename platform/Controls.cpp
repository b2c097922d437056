#include "Controls.h"

#include <algorithm>
#include <cmath>

#include "Form.h"
#include "Keys.h"
#include "Runtime.h"

namespace forms {

Control::Control(Form* form, ControlKind kind, std::string name, int index, Control* container)
    : form_(form), kind_(kind), name_(std::move(name)), index_(index), container_(container) {
  if (form_) form_->registerControl(this);
}

RectF Control::absoluteRect() const {
  RectF r{Left, Top, Width, Height};
  if (kind_ == ControlKind::Line) r = static_cast<const Line*>(this)->bounds();
  for (const Control* c = container_; c; c = c->container()) {
    r.x += c->Left;
    r.y += c->Top;
  }
  return r;
}

bool Control::shownOnForm() const {
  for (const Control* c = this; c; c = c->container())
    if (!c->Visible) return false;
  return true;
}

bool Control::enabledOnForm() const {
  for (const Control* c = this; c; c = c->container())
    if (!c->Enabled) return false;
  return true;
}

void Control::move(float left, float top, float width, float height) {
  Left = left;
  Top = top;
  Width = width;
  Height = height;
}

void Control::changed(Aspect aspect, int propId) {
  if (form_) form_->controlChanged(*this, aspect, propId);
}

float Label::lineHeightTwips(const Font& f) {
  // One text line: the font's pixel size with 25 % leading, whole pixels.
  const float px = std::ceil(f.size * 4.0f / 3.0f * 1.25f);
  return px * 15.0f;
}

static size_t charsPerLine(const Label& l) {
  // A fixed average glyph width (0.55 em, a little more for bold) keeps the
  // wrap independent of installed fonts; the Qt view fits each line to it.
  const float em = l.font.size * 4.0f / 3.0f;
  const float glyph = em * (l.font.bold ? 0.6f : 0.55f) * 15.0f;
  const float n = std::floor(l.Width / glyph);
  return n < 1 ? 1 : static_cast<size_t>(n);
}

// Where the n-th character the player sees begins in a caption with access-key marks.
static size_t rawIndex(const std::string& raw, size_t n) {
  size_t i = 0;
  for (size_t shown = 0; i < raw.size() && shown < n; ++shown) i += (raw[i] == '&' && i + 1 < raw.size()) ? 2 : 1;
  return i;
}

std::vector<std::string> Label::layoutLines() const {
  std::vector<std::string> out;
  const std::string& text = Caption.get();
  size_t pos = 0;
  const size_t limit = (autoSize && wordWrap) ? charsPerLine(*this) : std::string::npos;
  while (true) {
    size_t nl = text.find('\n', pos);
    std::string para = text.substr(pos, nl == std::string::npos ? std::string::npos : nl - pos);
    if (!para.empty() && para.back() == '\r') para.pop_back();
    // Greedy word wrap, by the characters shown ("&&" is one, "&x" marks x).
    while (withoutAccessMarks(para).size() > limit) {
      const size_t end = rawIndex(para, limit);
      size_t cut = para.rfind(' ', end);
      if (cut == std::string::npos || cut == 0) cut = end;
      out.push_back(para.substr(0, cut));
      size_t next = cut;
      while (next < para.size() && para[next] == ' ') ++next;
      para = para.substr(next);
    }
    out.push_back(para);
    if (nl == std::string::npos) break;
    pos = nl + 1;
  }
  return out;
}

void Label::changed(Aspect aspect, int propId) {
  if (autoSize && aspect == Aspect::Text) {
    Height = static_cast<float>(Caption.get().empty() ? 0 : layoutLines().size()) * lineHeightTwips(font);
  }
  Control::changed(aspect, propId);
}

void Line::set(float x1, float y1, float x2, float y2) {
  X1 = x1;
  Y1 = y1;
  X2 = x2;
  Y2 = y2;
}

RectF Line::bounds() const {
  const float w = static_cast<float>(borderWidth) * 15.0f;
  const float x = std::min(X1.get(), X2.get()), y = std::min(Y1.get(), Y2.get());
  return {x - w / 2, y - w / 2, std::fabs(X2 - X1) + w, std::fabs(Y2 - Y1) + w};
}

void OptionButton::select() {
  if (form()) {
    for (Control* c : form()->controls()) {
      if (c != this && c->kind() == ControlKind::OptionButton && c->container() == container())
        static_cast<OptionButton*>(c)->Value = false;
    }
  }
  Value = true;
}

Timer::~Timer() {
  // Only a loaded form's timers are in the schedule.
  if (form() && form()->isLoaded()) form()->runtime().forgetTimer(*this);
}

void Timer::changed(Aspect aspect, int propId) {
  if (aspect == Aspect::Timer || aspect == Aspect::Enabled) {
    if (form()) form()->runtime().timerChanged(*this, aspect == Aspect::Enabled ? kEnabledProp : propId);
    return;
  }
  Control::changed(aspect, propId);
}

MenuItem::MenuItem(Form* f, std::string name, std::string caption, std::string shortcut, MenuItem* parent)
    : form_(f), name_(std::move(name)), caption_(std::move(caption)), shortcut_(std::move(shortcut)), parent_(parent) {
  if (parent_) parent_->items_.push_back(this);
}

void MenuItem::setChecked(bool c) {
  if (c == checked_) return;
  checked_ = c;
  if (form_) form_->menuChanged(*this);
}

void MenuItem::setEnabled(bool e) {
  if (e == enabled_) return;
  enabled_ = e;
  if (form_) form_->menuChanged(*this);
}

std::string strSigned(long long v) { return v >= 0 ? " " + std::to_string(v) : std::to_string(v); }
std::string strPlain(long long v) { return std::to_string(v); }

}  // namespace forms

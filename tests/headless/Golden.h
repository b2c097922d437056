// Forms and moments of play written out as text, one line per control (place,
// size, look and state), and compared with a checked-in file under
// tests/golden/. After a deliberate change, run tools/golden and read the diff:
// every changed line is a change the player will see.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "Fixture.h"

namespace bulwarn::test {
namespace golden {

using namespace forms;

inline std::string num(float v) {
  char b[32];
  std::snprintf(b, sizeof b, "%g", static_cast<double>(v));
  return b;
}
inline std::string hex(OleColor c) {
  char b[16];
  std::snprintf(b, sizeof b, "0x%08X", c);
  return b;
}
inline std::string quoted(const std::string& s) {
  std::string out = "\"";
  for (char c : s) out += c == '\r' ? std::string("\\r") : c == '\n' ? std::string("\\n") : std::string(1, c);
  return out + "\"";
}
inline std::string font(const Font& f) { return " font=" + quoted(f.name) + " " + num(f.size) + (f.bold ? " bold" : ""); }
inline std::string picture(const Picture& p) {
  return p ? " picture=" + p->name + " " + std::to_string(p->width) + "x" + std::to_string(p->height) : "";
}
inline std::string flag(bool on, const char* word) { return on ? std::string(" ") + word : std::string(); }
inline std::string look(const std::string& caption, OleColor back, OleColor fore, const Font& f) {
  return " caption=" + quoted(caption) + " back=" + hex(back) + " fore=" + hex(fore) + font(f);
}

// What a control of each kind shows beyond its place, its kind first.
inline std::string looks(const Control& c) {
  if (auto* l = dynamic_cast<const Label*>(&c))
    return "label" + look(l->Caption, l->BackColor, l->ForeColor, l->font) + flag(l->transparent, "transparent") +
           flag(l->border, "border") + flag(l->autoSize, "autosize") + flag(!l->wordWrap, "nowrap") +
           flag(l->alignment == Align::Center, "centred") + flag(l->alignment == Align::Right, "right");
  if (auto* i = dynamic_cast<const Image*>(&c)) return "image" + picture(i->Picture) + flag(!i->stretch, "unstretched");
  if (auto* p = dynamic_cast<const PictureBox*>(&c))
    return "picturebox" + picture(p->Picture) + " back=" + hex(p->BackColor) + flag(p->border, "border");
  if (auto* p = dynamic_cast<const Shape*>(&c))
    return std::string(p->shape == ShapeKind::Circle ? "circle" : "rectangle") + " fill=" + hex(p->FillColor) +
           " border=" + hex(p->BorderColor) + flag(!p->filled, "unfilled") + flag(!p->borderVisible, "borderless");
  if (auto* l = dynamic_cast<const Line*>(&c))
    return "line " + num(l->X1) + "," + num(l->Y1) + " to " + num(l->X2) + "," + num(l->Y2) +
           " width=" + std::to_string(l->borderWidth) + " colour=" + hex(l->BorderColor);
  if (auto* f = dynamic_cast<const Frame*>(&c)) return "frame" + look(f->Caption, f->BackColor, f->ForeColor, f->font);
  if (auto* b = dynamic_cast<const CommandButton*>(&c))
    return "button caption=" + quoted(b->Caption) + " fore=" + hex(b->ForeColor) + font(b->font) +
           flag(b->isDefault, "default") + flag(b->isCancel, "cancel") + flag(!b->takesFocus, "nofocus");
  if (auto* b = dynamic_cast<const CheckBox*>(&c))
    return "checkbox" + look(b->Caption, b->BackColor, b->ForeColor, b->font) + " value=" + std::to_string(b->Value);
  if (auto* b = dynamic_cast<const OptionButton*>(&c))
    return "option" + look(b->Caption, b->BackColor, b->ForeColor, b->font) + flag(b->Value, "selected");
  if (auto* p = dynamic_cast<const ProgressBar*>(&c))
    return "progressbar value=" + num(p->Value) + " range=" + num(p->Min) + ".." + num(p->Max);
  auto& t = dynamic_cast<const Timer&>(c);
  return "timer interval=" + std::to_string(t.Interval) + flag(!t.Enabled, "off") + flag(t.silent, "silent");
}

// name(index) [in container] left,top widthxheight kind and look [hidden] [disabled]
inline std::string describe(const Control& c) {
  std::string s = c.name() + (c.index() != -1 ? "(" + std::to_string(c.index()) + ")" : "");
  if (c.kind() == ControlKind::Timer) return s + " " + looks(c);
  if (c.container()) s += " in " + c.container()->name();
  if (c.kind() != ControlKind::Line)
    s += " " + num(c.Left) + "," + num(c.Top) + " " + num(c.Width) + "x" + num(c.Height);
  return s + " " + looks(c) + flag(!c.Visible, "hidden") + flag(!c.Enabled, "disabled");
}

inline std::vector<std::string> render(const Form& f) {
  static const char* const places[] = {"manual", "centred", "system-placed"};
  std::vector<std::string> out{f.name() + " caption=" + quoted(f.Caption) + " client " + num(f.clientWidth) + "x" +
                               num(f.clientHeight) + " back=" + hex(f.BackColor) + " at " + num(f.Left) + "," +
                               num(f.Top) + " " + places[static_cast<int>(f.startPosition)] +
                               (f.iconName.empty() ? "" : " icon=" + f.iconName) + flag(f.KeyPreview, "keypreview")};
  for (const MenuItem* m : f.menuItems())
    out.push_back(std::string(m->parent() ? "  " : "") + "menu " + m->name() + " " + quoted(m->caption()) +
                  (m->shortcut().empty() ? "" : " " + m->shortcut()) + flag(m->checked(), "checked") +
                  flag(!m->enabled(), "disabled") + flag(!m->shortcutOpensTitle && !m->shortcut().empty(), "toggle"));
  for (const Control* c : f.controls()) out.push_back(describe(*c));
  return out;
}

inline void expectGolden(const std::string& form, const std::vector<std::string>& lines) {
  const std::string path = std::string(BULWARN_GOLDEN_DIR) + "/" + form + ".txt";
  if (std::getenv("BULWARN_UPDATE_GOLDEN")) {
    std::ofstream out(path, std::ios::binary);
    for (const auto& l : lines) out << l << "\n";
    return;
  }
  std::ifstream in(path, std::ios::binary);
  ASSERT_TRUE(in) << path << " is missing: run tools/golden";
  std::vector<std::string> golden;
  for (std::string l; std::getline(in, l);) golden.push_back(l);
  std::ostringstream diff;
  for (const auto& l : golden)
    if (std::find(lines.begin(), lines.end(), l) == lines.end()) diff << "\n- " << l;
  for (const auto& l : lines)
    if (std::find(golden.begin(), golden.end(), l) == golden.end()) diff << "\n+ " << l;
  EXPECT_TRUE(golden == lines) << form << " differs from " << path << " (- golden, + now):" << diff.str();
}

// What the given controls show over the next `ms` milliseconds, looked at every
// `step`: each line that changed, and each sound recorded, with its time.
inline std::vector<std::string> story(HeadlessRuntime& rt, const std::vector<const Control*>& controls, long long ms,
                                      long long step = 50) {
  std::vector<std::string> out, last(controls.size());
  size_t heard = 0;
  for (long long t = 0; t <= ms; t += step) {
    if (t) rt.advance(step);
    const std::string at = "+" + std::to_string(t) + " ";
    for (size_t i = 0; i < controls.size(); ++i)
      if (std::string now = describe(*controls[i]); now != last[i]) out.push_back(at + (last[i] = now));
    const std::vector<std::string> sounds = rt.soundNames();
    for (; heard < sounds.size(); ++heard) out.push_back(at + "sound " + sounds[heard]);
  }
  return out;
}

}  // namespace golden
using golden::expectGolden;
}  // namespace bulwarn::test

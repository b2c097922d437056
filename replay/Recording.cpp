#include "replay/Recording.h"

#include <charconv>

#include "platform/Form.h"
#include "platform/SafeOpen.h"

namespace bulwarn::replay {

namespace {

constexpr struct {
  Kind kind;
  const char* name;
} kKinds[] = {{Kind::Call, "call"},     {Kind::Key, "key"},           {Kind::Click, "click"},
              {Kind::OpenMenu, "open"}, {Kind::ChooseMenu, "choose"}, {Kind::Shortcut, "shortcut"},
              {Kind::Close, "close"},   {Kind::Tick, "tick"},         {Kind::Skip, "skip"},
              {Kind::Answer, "answer"}, {Kind::Return, "return"},     {Kind::End, "end"}};

template <class T>
void appendNumber(std::string& out, T v, int base = 10) {
  char buf[32];
  auto r = std::to_chars(buf, buf + sizeof buf, v, base);
  out.append(buf, r.ptr);
}

void appendFloat(std::string& out, float v) {
  char buf[32];
  auto r = std::to_chars(buf, buf + sizeof buf, v);  // shortest text that reads back exactly
  out.append(buf, r.ptr);
}

void appendControl(std::string& out, const std::string& name, int index) {
  out += name;
  if (index >= 0) {
    out += '(';
    appendNumber(out, index);
    out += ')';
  }
}

bool isName(std::string_view s) {
  if (s.empty() || s.size() > 64) return false;
  for (char c : s)
    if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_')) return false;
  return true;
}

class LineReader {
 public:
  LineReader(std::string_view line, int number) : rest_(line), number_(number) {}
  std::string_view word(const char* what) {
    if (rest_.empty()) fail(std::string("missing ") + what);
    const auto sp = rest_.find(' ');
    std::string_view w = rest_.substr(0, sp);
    rest_ = sp == std::string_view::npos ? std::string_view() : rest_.substr(sp + 1);
    if (w.empty()) fail("two spaces in a row");
    return w;
  }
  bool more() const { return !rest_.empty(); }
  void done() {
    if (!rest_.empty()) fail("unexpected '" + std::string(rest_.substr(0, 40)) + "' at the end of the line");
  }
  template <class T>
  T number(const char* what, T lo, T hi, int base = 10) {
    const std::string_view w = word(what);
    T v{};
    auto r = std::from_chars(w.data(), w.data() + w.size(), v, base);
    if (r.ec != std::errc() || r.ptr != w.data() + w.size() || v < lo || v > hi)
      fail(std::string("bad ") + what + " '" + std::string(w.substr(0, 40)) + "'");
    return v;
  }
  float real(const char* what) { return realFrom(word(what), what); }
  float realFrom(std::string_view w, const char* what) {
    float v = 0;
    auto r = std::from_chars(w.data(), w.data() + w.size(), v);
    if (r.ec != std::errc() || r.ptr != w.data() + w.size() || !(v > -1e9f && v < 1e9f))
      fail(std::string("bad ") + what + " '" + std::string(w.substr(0, 40)) + "'");
    return v;
  }
  std::string name(const char* what) {
    const std::string_view w = word(what);
    if (!isName(w)) fail(std::string("bad ") + what + " '" + std::string(w.substr(0, 40)) + "'");
    return std::string(w);
  }
  // name or name(index)
  void control(Event& e) {
    std::string_view w = word("control");
    const auto open = w.find('(');
    if (open != std::string_view::npos) {
      if (w.back() != ')') fail("bad control '" + std::string(w.substr(0, 40)) + "'");
      const std::string_view idx = w.substr(open + 1, w.size() - open - 2);
      int v = -1;
      auto r = std::from_chars(idx.data(), idx.data() + idx.size(), v);
      if (idx.empty() || r.ec != std::errc() || r.ptr != idx.data() + idx.size() || v < 0 || v > 9999)
        fail("bad control index '" + std::string(w.substr(0, 40)) + "'");
      e.index = v;
      w = w.substr(0, open);
    }
    if (!isName(w)) fail("bad control '" + std::string(w.substr(0, 40)) + "'");
    e.name = std::string(w);
  }
  [[noreturn]] void fail(const std::string& what) const { throw FormatError(number_, what); }

 private:
  std::string_view rest_;
  int number_;
};

Header parseHeader(std::string_view line) {
  LineReader r(line, 1);
  if (r.word("header") != kMagic) r.fail("not a Bulwarn recording (no header line)");
  Header h;
  h.format = r.number<int>("format version", 0, 1 << 30);
  if (h.format != kFormatVersion)
    r.fail("format version " + std::to_string(h.format) + " is not supported (this program reads version " +
           std::to_string(kFormatVersion) + ")");
  bool version = false, screen = false, tpp = false, seed = false, beat = false, tod = false;
  while (r.more()) {
    const std::string_view w = r.word("field");
    const auto eq = w.find('=');
    if (eq == std::string_view::npos) r.fail("bad header field '" + std::string(w.substr(0, 40)) + "'");
    const std::string_view key = w.substr(0, eq), value = w.substr(eq + 1);
    auto pair = [&](float& a, float& b, const char* what) {
      const auto x = value.find('x');
      if (x == std::string_view::npos) r.fail(std::string("bad ") + what);
      a = r.realFrom(value.substr(0, x), what);
      b = r.realFrom(value.substr(x + 1), what);
      if (a <= 0 || b <= 0) r.fail(std::string("bad ") + what);
    };
    if (key == "version" && !version) {
      if (value.empty() || value.size() > 32) r.fail("bad version");
      h.version = std::string(value);
      version = true;
    } else if (key == "screen" && !screen) {
      pair(h.screenW, h.screenH, "screen size");
      screen = true;
    } else if (key == "tpp" && !tpp) {
      pair(h.tppX, h.tppY, "twips per pixel");
      tpp = true;
    } else if (key == "seed" && !seed) {
      LineReader v(value, 1);
      h.seed = v.number<std::uint64_t>("seed", 0, UINT64_MAX, 16);
      seed = true;
    } else if (key == "beat" && !beat) {
      LineReader v(value, 1);
      h.beat = v.number<long long>("beat", 0, 60000);
      beat = true;
    } else if (key == "tod" && !tod) {
      LineReader v(value, 1);
      h.tod = v.number<std::uint64_t>("time of day", 0, UINT64_MAX);
      tod = true;
    } else if (key == "started" && h.started.empty() && !value.empty() && value.size() <= 40) {
      h.started = std::string(value);
    } else {
      r.fail("unknown or repeated header field '" + std::string(key.substr(0, 40)) + "'");
    }
  }
  if (!(version && screen && tpp && seed && beat && tod))
    r.fail("the header lacks a field (version, screen, tpp, seed, beat, tod)");
  return h;
}

Event parseEvent(std::string_view line, int number, long long last) {
  LineReader r(line, number);
  Event e;
  e.line = number;
  e.at = r.number<long long>("time", 0, kMaxTime);
  if (e.at < last) r.fail("out of order: time " + std::to_string(e.at) + " comes after " + std::to_string(last));
  const std::string_view kind = r.word("event kind");
  bool known = false;
  for (const auto& k : kKinds)
    if (kind == k.name) {
      e.kind = k.kind;
      known = true;
    }
  if (!known) r.fail("unknown event '" + std::string(kind.substr(0, 40)) + "'");
  switch (e.kind) {
    case Kind::Call: break;
    case Kind::End:
      if (r.more()) e.name = r.name("signal");
      break;
    case Kind::Key:
      e.form = r.name("form");
      e.code = r.number<int>("key code", 0, 65535);
      e.shift = r.number<int>("shift state", 0, 7);
      break;
    case Kind::Click:
      e.form = r.name("form");
      r.control(e);
      if (r.more()) {
        e.hasPoint = true;
        e.x = r.real("x");
        e.y = r.real("y");
      }
      break;
    case Kind::OpenMenu:
    case Kind::ChooseMenu:
    case Kind::Shortcut:
    case Kind::Tick:
    case Kind::Skip:
      e.form = r.name("form");
      e.name = r.name(e.kind == Kind::Tick || e.kind == Kind::Skip ? "timer" : "menu item");
      break;
    case Kind::Close:
    case Kind::Return: e.form = r.name("form"); break;
    case Kind::Answer: e.code = r.number<int>("answer", 0, 7); break;
  }
  r.done();
  return e;
}

}  // namespace

const char* kindName(Kind k) {
  for (const auto& x : kKinds)
    if (x.kind == k) return x.name;
  return "?";
}

std::string headerLine(const Header& h) {
  std::string s = kMagic;
  s += ' ';
  appendNumber(s, h.format);
  s += " version=" + h.version + " screen=";
  appendFloat(s, h.screenW);
  s += 'x';
  appendFloat(s, h.screenH);
  s += " tpp=";
  appendFloat(s, h.tppX);
  s += 'x';
  appendFloat(s, h.tppY);
  s += " seed=";
  appendNumber(s, h.seed, 16);
  s += " beat=";
  appendNumber(s, h.beat);
  s += " tod=";
  appendNumber(s, h.tod);
  if (!h.started.empty()) s += " started=" + h.started;
  return s;
}

Event recordOf(const forms::RuntimeEvent& e) {
  Event r;
  r.kind = e.kind;
  r.at = e.at;
  r.code = e.code;
  r.shift = e.shift;
  switch (e.kind) {
    case Kind::Key:
    case Kind::Close:
    case Kind::Return: r.form = e.form->name(); break;
    case Kind::Click:
    case Kind::Tick:
    case Kind::Skip:
      r.form = e.control->form()->name();
      r.name = e.control->name();
      r.index = e.control->index();
      r.hasPoint = e.hasPoint;
      r.x = e.x;
      r.y = e.y;
      break;
    case Kind::OpenMenu:
    case Kind::ChooseMenu:
    case Kind::Shortcut:
      r.form = e.menu->form()->name();
      r.name = e.menu->name();
      break;
    default: break;
  }
  return r;
}

std::string eventLine(const Event& e) {
  std::string s;
  s.reserve(48);
  appendNumber(s, e.at);
  s += ' ';
  s += kindName(e.kind);
  switch (e.kind) {
    case Kind::Call: break;
    case Kind::End:
      if (!e.name.empty()) s += ' ' + e.name;
      break;
    case Kind::Key:
      s += ' ' + e.form + ' ';
      appendNumber(s, e.code);
      s += ' ';
      appendNumber(s, e.shift);
      break;
    case Kind::Click:
      s += ' ' + e.form + ' ';
      appendControl(s, e.name, e.index);
      if (e.hasPoint) {
        s += ' ';
        appendFloat(s, e.x);
        s += ' ';
        appendFloat(s, e.y);
      }
      break;
    case Kind::OpenMenu:
    case Kind::ChooseMenu:
    case Kind::Shortcut:
    case Kind::Tick:
    case Kind::Skip: s += ' ' + e.form + ' ' + e.name; break;
    case Kind::Close:
    case Kind::Return: s += ' ' + e.form; break;
    case Kind::Answer:
      s += ' ';
      appendNumber(s, e.code);
      break;
  }
  return s;
}

namespace {

// The next line of the text from `pos`, checked to be a line of text; false
// when none is left, or the rest is a line cut off (no newline).
bool nextLine(std::string_view text, std::size_t& pos, int number, std::string_view& line) {
  if (pos >= text.size()) return false;
  const std::size_t nl = text.find('\n', pos);
  if (nl == std::string_view::npos) return false;
  line = text.substr(pos, nl - pos);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);  // a copy that passed through Windows
  pos = nl + 1;
  if (line.size() > kMaxLine) throw FormatError(number, "line too long (" + std::to_string(line.size()) + " bytes)");
  for (char c : line)
    if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) > 0x7e)
      throw FormatError(number, "not a line of text (byte " + std::to_string(static_cast<unsigned char>(c)) + ")");
  return true;
}

}  // namespace

bool EventReader::next(Event& e) {
  std::string_view line;
  if (pos_ >= rec_.bodyEnd || !nextLine(rec_.text, pos_, line_ + 1, line)) return false;
  e = parseEvent(line, ++line_, last_);
  last_ = e.at;
  return true;
}

Recording parse(std::string text) {
  if (text.size() > kMaxBytes)
    throw FormatError(0, "the file is too large for a recording (" + forms::megabytes(static_cast<long long>(text.size())) +
                             " MB; at most " + forms::megabytes(kMaxBytes) + " MB)");
  if (text.empty()) throw FormatError(0, "the file is empty");
  Recording rec;
  rec.text = std::move(text);
  const std::string_view all = rec.text;
  std::size_t pos = 0;
  std::string_view line;
  // The writer only ever writes whole lines; a line cut off is the end of
  // a game that was killed while its last lines were being written.
  if (!nextLine(all, pos, 1, line)) throw FormatError(1, "the header line is cut off");
  rec.header = parseHeader(line);
  rec.body = pos;
  int number = 1;
  while (nextLine(all, pos, number + 1, line)) {
    ++number;
    if (rec.complete) throw FormatError(number, "an event after the end of the program");
    const Event e = parseEvent(line, number, rec.lastAt);
    rec.lastAt = e.at;
    ++rec.events;
    if (e.kind == Kind::End) rec.complete = true;
  }
  rec.bodyEnd = pos;
  if (pos < all.size()) rec.note = "line " + std::to_string(number + 1) + " is cut off and left out";
  return rec;
}

Recording readFile(const std::string& path) {
  forms::OpenRefusal refusal;
  std::string text;
  if (!forms::readWholeFile(path, kMaxBytes, text, refusal))
    throw FormatError(0, "cannot read it: " + (refusal.missing ? "there is no such file" : "it " + refusal.why));
  return parse(std::move(text));
}

}  // namespace bulwarn::replay

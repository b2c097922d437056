#include "replay/Replay.h"

#include <charconv>

#include "battle/frmBulwarn.h"
#include "platform/HitTest.h"

namespace bulwarn::replay {

namespace {

std::string said(const Event& e) {
  std::string s = std::to_string(e.at) + " " + kindName(e.kind);
  if (!e.form.empty()) s += " " + e.form;
  if (!e.name.empty()) s += " " + e.name + (e.index >= 0 ? "(" + std::to_string(e.index) + ")" : "");
  if (e.kind == Kind::Key) s += " " + std::to_string(e.code) + " " + std::to_string(e.shift);
  if (e.kind == Kind::Answer) s += " " + std::to_string(e.code);
  return s;
}

std::string num(float v) {
  char buf[32];
  auto r = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, r.ptr);
}

}  // namespace

Divergence::Divergence(const Event& e, const std::string& what)
    : std::runtime_error("line " + std::to_string(e.line) + " (" + said(e) + "): " + what), line_(e.line) {}

forms::ScreenInfo screenOf(const Header& h) {
  forms::ScreenInfo s;
  s.widthTwips = h.screenW;
  s.heightTwips = h.screenH;
  s.twipsPerPixelX = h.tppX;
  s.twipsPerPixelY = h.tppY;
  return s;
}

bool Player::more() {
  if (!haveAhead_) haveAhead_ = reader_.next(ahead_);
  return haveAhead_;
}

const Event& Player::peekOrStop() {
  if (!more()) throw RecordingStops{};
  return ahead_;
}

const Event& Player::take() {
  peekOrStop();
  last_ = std::move(ahead_);
  haveAhead_ = false;
  return last_;
}

bool Player::play() {
  try {
    while (more()) {
      if (rt_.ended() && ahead_.kind != Kind::End)
        throw Divergence(ahead_, "the game has ended, but the recording goes on");
      apply(take());
    }
  } catch (const RecordingStops&) {
    return false;
  }
  return true;
}

forms::Form& Player::formOf(const Event& e) {
  forms::Form* f = rt_.loadedForm(e.form);
  if (!f) throw Divergence(e, "no form " + e.form + " is open");
  return *f;
}

void Player::apply(Event e) {
  if (pace) pace(e.at);
  clock_ = e.at;
  switch (e.kind) {
    case Kind::Call: {
      if (callsMade_ >= calls.size())
        throw Divergence(e, "a call into the game from outside (a test's set-up) that this replay cannot repeat");
      auto call = calls[callsMade_++];
      call();
      return;
    }
    case Kind::Key: {
      forms::Form& f = formOf(e);
      if (!rt_.accepts(f)) throw Divergence(e, f.name() + " takes no input now");
      rt_.userKey(f, e.code, e.shift);
      return;
    }
    case Kind::Click: return applyClick(e);
    case Kind::OpenMenu:
    case Kind::ChooseMenu:
    case Kind::Shortcut: return applyMenu(e);
    case Kind::Close:
      if (!rt_.userClose(formOf(e))) throw Divergence(e, "the window cannot be closed now");
      return;
    case Kind::Tick:
    case Kind::Skip: return applyTick(e);
    case Kind::Answer: throw Divergence(e, "an answer, but no message box is open");
    case Kind::Return: throw Divergence(e, "a return from a modal form, but none is open");
    case Kind::End:
      // A signal ended the program from outside, wherever it was.
      if (!e.name.empty()) rt_.unloadAll();
      if (!rt_.ended()) throw Divergence(e, "the program ends here, but the game goes on");
      return;
  }
}

void Player::applyClick(const Event& e) {
  forms::Form& f = formOf(e);
  forms::Control* c = f.find(e.name, e.index);
  if (!c) throw Divergence(e, f.name() + " has no such control");
  if (e.hasPoint) {
    forms::Control* hit = forms::hitTest(f, e.x, e.y);
    if (hit != c)
      throw Divergence(e,
                       "a click at " + num(e.x) + ", " + num(e.y) + " lands on " +
                           (hit ? hit->name() + (hit->index() >= 0 ? "(" + std::to_string(hit->index()) + ")" : "")
                                : std::string("nothing")) +
                           " here");
    if (!rt_.userClickAt(f, e.x, e.y))
      throw Divergence(e, "the click is not taken (hidden, disabled or behind a modal form)");
  } else if (!rt_.userClick(*c)) {
    throw Divergence(e, "the click is not taken (hidden, disabled or behind a modal form)");
  }
}

void Player::applyMenu(const Event& e) {
  forms::Form& f = formOf(e);
  forms::MenuItem* m = f.findMenu(e.name);
  if (!m) throw Divergence(e, f.name() + " has no such menu item");
  const bool taken = e.kind == Kind::OpenMenu     ? rt_.userOpenMenu(*m)
                     : e.kind == Kind::ChooseMenu ? rt_.userChooseMenu(*m)
                                                  : rt_.userShortcut(*m);
  if (!taken) throw Divergence(e, "the menu item cannot be used now");
}

// A tick must be the one the schedule has due first, as the live program
// would have fired it.
void Player::applyTick(const Event& e) {
  forms::Form& f = formOf(e);
  forms::Control* c = f.find(e.name);
  if (!c || c->kind() != forms::ControlKind::Timer) throw Divergence(e, f.name() + " has no such timer");
  auto& t = static_cast<forms::Timer&>(*c);
  const forms::Runtime::TimerState s = rt_.timerState(t);
  if (t.silent) throw Divergence(e, "a tick of a silent timer (its ticks follow from the schedule)");
  if (!s.scheduled) throw Divergence(e, "a tick of a timer that is not running");
  if (s.running != (e.kind == Kind::Skip))
    throw Divergence(e, s.running ? "a tick of a timer whose handler is still running"
                                  : "a dropped tick of a timer whose handler is not running");
  if (s.due > e.at) throw Divergence(e, "a tick of a timer due only at " + std::to_string(s.due));
  forms::Timer* first = rt_.nextTimer(false);
  if (first && first != &t)
    throw Divergence(e, "a tick of a timer while " + first->name() + " is due first (at " +
                            std::to_string(rt_.timerState(*first).due) + ")");
  rt_.fireTimer(t, e.at);
}

void Player::runModal(forms::Form& f) {
  const std::string name = f.name();
  while (!rt_.ended()) {
    if (peekOrStop().kind == Kind::Return) {
      const Event& e = take();
      if (pace) pace(e.at);
      clock_ = e.at;
      if (e.form != name) throw Divergence(e, "a return from " + e.form + ", but " + name + " is the modal form open");
      if (f.isLoaded()) throw Divergence(e, "a return from " + name + ", which is still open");
      return;
    }
    if (ahead_.kind == Kind::Answer)
      throw Divergence(ahead_, "an answer, but no message box is open (" + name + " is in front)");
    apply(take());
  }
}

int Player::answer(const std::string& prompt, int style) {
  const bool yesNo = forms::mb::hasYesNo(style);
  while (!rt_.ended()) {
    if (peekOrStop().kind == Kind::Answer) {
      const Event& e = take();
      if (pace) pace(e.at);
      clock_ = e.at;
      const bool fits =
          yesNo ? (e.code == forms::mb::AnsYes || e.code == forms::mb::AnsNo) : e.code == forms::mb::AnsOk;
      if (!fits) throw Divergence(e, "an answer the message box '" + prompt.substr(0, 60) + "' does not offer");
      return e.code;
    }
    if (ahead_.kind == Kind::Return)
      throw Divergence(ahead_, "a return from a modal form, but the message box '" + prompt.substr(0, 60) + "' is open");
    apply(take());
  }
  return yesNo ? forms::mb::AnsNo : forms::mb::AnsOk;
}

Outcome settle(const Player& player, const std::function<bool()>& play) {
  Outcome out;
  const Recording& rec = player.recording();
  std::string notes = rec.note.empty() ? "" : "note: " + rec.note + "\n";
  try {
    if (!play()) {
      notes += "note: the recording stops while the game waits (line " +
               std::to_string(player.lastEvent() ? player.lastEvent()->line : 1) +
               "): the game was killed or is still running; this is the state then\n";
    } else if (!rec.complete) {
      notes +=
          "note: the recording has no end (the game did not exit normally); this is the state after its last event\n";
    }
  } catch (const Divergence& d) {
    out.exitCode = 1;
    notes += std::string("replay diverges at ") + d.what() + "\n";
  }
  out.message = notes;
  return out;
}

Outcome replay(const Recording& rec, const std::vector<std::function<void(Program&)>>& setUp) {
  ReplayRuntime rt(rec);
  Program program(rt);
  Player& player = rt.player();
  player.calls.push_back([&program] { program.start(); });
  for (const auto& s : setUp) player.calls.push_back([&rt, &program, s] { rt.dispatch([&] { s(program); }); });
  Outcome out = settle(player, [&player] { return player.play(); });
  out.state = describe(program);
  return out;
}

int replayCommand(const std::string& path, std::FILE* out, std::FILE* err) {
  Recording rec;
  try {
    rec = readFile(path);
  } catch (const FormatError& e) {
    std::fprintf(err, "bulwarn: %s: %s\n", path.c_str(), e.what());
    return 2;
  }
  if (rec.header.version != BULWARN_VERSION)
    std::fprintf(err, "bulwarn: note: recorded by version %s, replayed by %s\n", rec.header.version.c_str(),
                 BULWARN_VERSION);
  const Outcome o = replay(rec);
  std::fputs(o.state.c_str(), out);
  std::fflush(out);
  if (!o.message.empty()) std::fprintf(err, "bulwarn: %s: %s", path.c_str(), o.message.c_str());
  return o.exitCode;
}

std::string describe(const Program& p) {
  const modVexilla& g = p.vex;
  std::string s;
  const frmBulwarn* b = p.battleIfLoaded();
  if (b && !b->isLoaded()) b = nullptr;
  const char* outcome = g.blnVictory ? "victory" : g.blnDestroyed ? "gun lost" : g.blnBreached ? "breach" : "none";
  s += std::string("outcome: ") + outcome + (b && b->isPaused() ? " (paused)" : "") + "\n";
  s += "difficulty: " + g.strDifficulty + "\n";
  s += "score: " + std::to_string(g.intScore) + "\n";
  s += "kills: " + std::to_string(g.intKills) + "\n";
  s += "ammunition: " + std::to_string(g.intAmmo) + "\n";
  s += "reloads: " + std::to_string(g.intReloads) + ", repairs: " + std::to_string(g.intRepairs) + "\n";
  if (!b) return s + "battle screen: not open\n";
  s += "gun: left " + num(b->imgSight.Left) + ", hit points " + num(b->HPBar.Width) + "\n";
  for (int k = 1; k <= 8; ++k) {
    const forms::Image& u = b->imgUnit(k);
    s += "unit " + std::to_string(k) + ": left " + num(u.Left) + ", top " + num(u.Top) + ", hit points " +
         std::to_string(b->intHP[k]) + (u.Visible ? "" : ", gone") + "\n";
  }
  s += "banner: " + std::string(b->lblVictory.Caption.get()) + "\n";
  s += "messages:\n";
  const std::string log = b->lblMessage.Caption;
  std::size_t pos = 0;
  while (pos <= log.size()) {
    const std::size_t nl = log.find("\r\n", pos);
    const std::string line = log.substr(pos, nl == std::string::npos ? std::string::npos : nl - pos);
    if (!line.empty()) s += "  " + line + "\n";
    if (nl == std::string::npos) break;
    pos = nl + 2;
  }
  return s;
}

}  // namespace bulwarn::replay

#include "Runtime.h"

#include <algorithm>

#include "HitTest.h"
#include "Keys.h"

namespace forms {

namespace {

// Counts nesting of events; forms unloaded meanwhile die when the outermost ends.
class EventScope {
 public:
  explicit EventScope(int& depth) : depth_(depth) { ++depth_; }
  ~EventScope() { --depth_; }
  EventScope(const EventScope&) = delete;
  EventScope& operator=(const EventScope&) = delete;

 private:
  int& depth_;
};

template <class T>
void erase(std::vector<T*>& v, const T* x) {
  v.erase(std::remove(v.begin(), v.end(), x), v.end());
}

}  // namespace

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

Runtime::Runtime() = default;

Runtime::~Runtime() {
  // Forms still loaded at shutdown belong to their owner; only the graveyard is ours.
  graveyard_.clear();
}

void Runtime::catchUpSilent(long long upTo) {
  if (catchingUp_) return;
  catchingUp_ = true;
  struct Reset {
    bool& b;
    ~Reset() { b = false; }
  } reset{catchingUp_};
  while (true) {
    Timer* best = nullptr;
    for (Timer* t : timers_)
      if (t->silent && !t->running && t->due <= upTo &&
          (!best || t->due < best->due || (t->due == best->due && t->seq < best->seq)))
        best = t;
    if (!best) break;
    tick(*best, best->due);  // every tick, none dropped: it is only late
  }
}

void Runtime::tell(RuntimeEvent e) {
  if (observer_) observer_->heard(e);
}

void Runtime::waitEnded(RuntimeEvent e) {
  if (ended_) return;
  clock_ = nowMs();
  e.at = clock_;
  tell(e);
}

void Runtime::Randomize() { random_.mix(timeOfDayAtStart() + static_cast<std::uint64_t>(clockMs())); }

long long Runtime::firstTick(long long start, long long interval) const {
  const long long beat = timerBeat();
  const long long due = start + interval;
  if (beat <= 0 || interval % beat != 0) return due;
  return std::max(start + 1, (due + beat / 2) / beat * beat);
}

void Runtime::dispatch(const std::function<void()>& fn) {
  if (depth_ == 0 && !routing_) {
    Input call(*this, RuntimeEvent{RuntimeEvent::Kind::Call});
    dispatchAt(fn, clock_);
    return;
  }
  dispatchAt(fn, clockMs());
}

void Runtime::dispatchAt(const std::function<void()>& fn, long long at) {
  catchUpSilent(at);
  {
    EventScope scope(depth_);
    // Inputs that arrive during this event (in a modal form it opens) are new ones.
    struct NotRouting {
      bool& r;
      bool was;
      explicit NotRouting(bool& rr) : r(rr), was(rr) { r = false; }
      ~NotRouting() { r = was; }
    } notRouting(routing_);
    fn();
  }
  onEventEnd();
  if (depth_ == 0) flushGraveyard();
}

void Runtime::flushGraveyard() {
  while (true) {
    // A form whose modal show is still on the stack waits for it to return:
    // the show's loop reads it until then.
    std::vector<std::unique_ptr<Form>> dead;
    for (auto it = graveyard_.begin(); it != graveyard_.end();) {
      if (std::find(modalShows_.begin(), modalShows_.end(), it->get()) != modalShows_.end()) {
        ++it;
      } else {
        dead.push_back(std::move(*it));
        it = graveyard_.erase(it);
      }
    }
    if (dead.empty()) break;
    for (auto& f : dead) onFormDestroyed(*f);
    dead.clear();
  }
}

int Runtime::msgBox(const std::string& prompt, int style, const std::string& title) {
  if (ended_) return mb::hasYesNo(style) ? mb::AnsNo : mb::AnsOk;
  if (observer_) observer_->waiting();
  const int answer = showMsgBox(prompt, style, title);
  RuntimeEvent e{RuntimeEvent::Kind::Answer};
  e.code = answer;
  waitEnded(e);
  return answer;
}

void Runtime::playAsync(const std::string& path) { startSound(path); }

Form* Runtime::loadedForm(const std::string& name) const {
  for (Form* f : loaded_)
    if (f->name() == name) return f;
  return nullptr;
}

bool Runtime::accepts(const Form& f) const {
  if (!f.isVisible() || !f.isLoaded()) return false;
  if (modal_.empty()) return true;
  const Form* top = modal_.back();
  if (&f == top) return true;
  // Forms shown above the topmost modal form (opened from it) take input too.
  auto itTop = std::find(zorder_.begin(), zorder_.end(), top);
  auto itF = std::find(zorder_.begin(), zorder_.end(), &f);
  return itF != zorder_.end() && itTop != zorder_.end() && itF > itTop;
}

void Runtime::loadForm(Form& f) {
  if (f.loaded_) return;
  f.loaded_ = true;
  loaded_.push_back(&f);
  // Timers given a rate in the form's design start with the form.
  for (Control* c : f.controls()) {
    if (c->kind() != ControlKind::Timer) continue;
    auto* t = static_cast<Timer*>(c);
    if (t->Enabled && t->Interval > 0 && !t->scheduled) schedule(*t, firstTick(clockMs(), t->Interval));
  }
  onFormLoaded(f);
  onTimersChanged();
  dispatch([&f] { f.Form_Load(); });
}

void Runtime::activate(Form& f) {
  dispatch([&f] { f.Form_Activate(); });
}

void Runtime::showForm(Form& f, bool modal) {
  if (ended_) return;
  if (!f.loaded_) loadForm(f);
  if (!f.isLoaded() || ended_) return;  // Form_Load may unload it again
  if (f.visible_) {
    // Already shown: bring it to the front, never a second instance.
    if (activeForm() != &f) {
      erase(zorder_, &f);
      zorder_.push_back(&f);
      onFormShown(f, f.modal_);
      activate(f);
    }
    return;
  }
  f.visible_ = true;
  f.modal_ = modal;
  zorder_.push_back(&f);
  if (modal) modal_.push_back(&f);
  onFormShown(f, modal);
  activate(f);
  if (modal && f.isLoaded() && !ended_) {
    struct Showing {
      std::vector<Form*>& shows;
      Form* form;
      ~Showing() { erase(shows, form); }
    } showing{modalShows_, &f};
    modalShows_.push_back(&f);
    if (observer_) observer_->waiting();
    runModal(f);
    RuntimeEvent e{RuntimeEvent::Kind::Return};
    e.form = &f;
    waitEnded(e);
  }
  // An unload inside the modal show, outside any event, left the form to us.
  if (depth_ == 0) flushGraveyard();
}

void Runtime::unloadForm(Form& f) {
  if (!f.loaded_ || f.unloaded_) return;
  const bool wasFront = activeForm() == &f;
  f.unloaded_ = true;
  f.visible_ = false;
  erase(zorder_, &f);
  erase(modal_, &f);
  erase(loaded_, &f);
  for (Control* c : f.controls())
    if (c->kind() == ControlKind::Timer) unschedule(*static_cast<Timer*>(c));
  onFormHidden(f);
  onTimersChanged();
  if (f.releaseFromOwner) {
    if (auto owned = f.releaseFromOwner()) graveyard_.push_back(std::move(owned));
  }
  if (loaded_.empty()) {
    if (!ended_) {
      ended_ = true;
      RuntimeEvent e{RuntimeEvent::Kind::End};
      e.at = clockMs();
      tell(e);
      onEnded();
    }
  } else if (wasFront && activeForm()) {
    activate(*activeForm());
  }
  if (depth_ == 0) flushGraveyard();
}

void Runtime::discardForm(Form& f) {
  if (f.loaded_ && !f.unloaded_) {
    f.unloaded_ = true;
    f.visible_ = false;
    erase(zorder_, &f);
    erase(modal_, &f);
    erase(loaded_, &f);
    for (Control* c : f.controls())
      if (c->kind() == ControlKind::Timer) unschedule(*static_cast<Timer*>(c));
    onFormHidden(f);
    onFormDestroyed(f);
    onTimersChanged();
  }
}

void Runtime::unloadAll() {
  while (!loaded_.empty()) unloadForm(*loaded_.back());
}

void Runtime::keyDown(Form& f, int keyCode, int shift) {
  if (!accepts(f)) return;
  dispatch([&f, keyCode, shift] {
    if (f.KeyPreview) {
      int code = keyCode;
      f.Form_KeyDown(code, shift);
    }
  });
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
  keyDown(f, keyCode, shift);
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

static bool menuUsable(const MenuItem& m) {
  for (const MenuItem* p = &m; p; p = p->parent())
    if (!p->enabled()) return false;
  return !m.isSeparator();
}

bool Runtime::userOpenMenu(MenuItem& title) {
  Form* f = title.form();
  if (!f || !accepts(*f) || title.parent() || !menuUsable(title)) return false;
  RuntimeEvent e{RuntimeEvent::Kind::OpenMenu};
  e.menu = &title;
  Input input(*this, e);
  dispatch([&title] {
    if (title.Click) title.Click();
  });
  return true;
}

bool Runtime::userChooseMenu(MenuItem& item) {
  Form* f = item.form();
  if (!f || !accepts(*f) || !menuUsable(item)) return false;
  RuntimeEvent e{RuntimeEvent::Kind::ChooseMenu};
  e.menu = &item;
  Input input(*this, e);
  dispatch([&item] {
    if (item.Click) item.Click();
  });
  return true;
}

bool Runtime::userShortcut(MenuItem& item) {
  Form* f = item.form();
  if (!f || !accepts(*f) || !menuUsable(item)) return false;
  RuntimeEvent e{RuntimeEvent::Kind::Shortcut};
  e.menu = &item;
  Input input(*this, e);
  dispatch([&item] {
    MenuItem* title = item.parent();
    while (title && title->parent()) title = title->parent();
    if (item.shortcutOpensTitle && title && title->Click) title->Click();
    if (item.Click && item.form()->isLoaded()) item.Click();
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

// ---- timers ----

void Runtime::schedule(Timer& t, long long due) {
  t.due = due;
  t.seq = ++seq_;
  if (!t.scheduled) {
    t.scheduled = true;
    timers_.push_back(&t);
  }
}

void Runtime::unschedule(Timer& t) {
  if (!t.scheduled) return;
  t.scheduled = false;
  erase(timers_, &t);
}

void Runtime::timerChanged(Timer& t, int propId) {
  Form* f = t.form();
  if (!f || !f->isLoaded()) return;
  const bool live = t.Enabled && t.Interval > 0;
  if (!live) {
    unschedule(t);
  } else if (propId == Timer::kIntervalProp || !t.scheduled) {
    // A new interval, or Enabled turned on: the count starts afresh.
    schedule(t, firstTick(clockMs(), t.Interval));
  }
  onTimersChanged();
}

Timer* Runtime::nextTimer(bool includeSilent) const {
  Timer* best = nullptr;
  for (Timer* t : timers_)
    if (!includeSilent && t->silent)
      continue;
    else if (!best || t->due < best->due || (t->due == best->due && t->seq < best->seq))
      best = t;
  return best;
}

void Runtime::fireTimer(Timer& t, long long now) {
  if (!t.scheduled) return;
  // A tick from the realisation's clock. A silent timer's ticks follow from
  // the schedule alone (they catch up before any event): nobody is told.
  clock_ = now;
  if (!t.silent) {
    RuntimeEvent e{t.running ? RuntimeEvent::Kind::Skip : RuntimeEvent::Kind::Tick};
    e.at = now;
    e.control = &t;
    tell(e);
  }
  tick(t, now);
}

void Runtime::tick(Timer& t, long long now) {
  if (!t.scheduled) return;
  const long long interval = t.Interval;
  const long long wasDue = t.due;
  long long next = t.due + interval;
  if (next <= now) {
    next = now + interval;  // late: the missed ticks are dropped, not fired in a burst
  }
  t.due = next;
  t.seq = ++seq_;
  if (t.running) {
    onTimersChanged();  // never re-enter a timer's own handler: the tick is dropped
    return;
  }
  dispatchAt(
      [&t] {
        struct Running {
          Timer& t;
          explicit Running(Timer& tt) : t(tt) { t.running = true; }
          ~Running() { t.running = false; }
          Running(const Running&) = delete;
          Running& operator=(const Running&) = delete;
        } guard(t);
        if (t.Tick) t.Tick();
      },
      wasDue);
  onTimersChanged();
}

// ---- change notifications ----

void Runtime::controlChanged(Control& c, Aspect aspect, int propId) { onControlChanged(c, aspect, propId); }
void Runtime::formChanged(Form& f, Aspect aspect, int propId) { onFormChanged(f, aspect, propId); }

}  // namespace forms

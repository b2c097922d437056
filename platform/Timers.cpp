// The runtime core's timer schedule: which timers tick and when, ticks late
// or dropped, and silent timers catching up before each event.
#include <algorithm>

#include "Form.h"
#include "Runtime.h"

namespace forms {

const Runtime::Slot* Runtime::slotOf(const Timer& t) const {
  for (const Slot& s : schedule_)
    if (s.timer == &t) return &s;
  return nullptr;
}

Runtime::Slot* Runtime::slotOf(const Timer& t) {
  for (Slot& s : schedule_)
    if (s.timer == &t) return &s;
  return nullptr;
}

bool Runtime::isRunning(const Timer& t) const {
  return std::find(running_.begin(), running_.end(), &t) != running_.end();
}

Runtime::TimerState Runtime::timerState(const Timer& t) const {
  const Slot* s = slotOf(t);
  return {s != nullptr, isRunning(t), s ? s->due : 0};
}

long long Runtime::firstTick(long long start, long long interval) const {
  const long long beat = timerBeat();
  const long long due = start + interval;
  if (beat <= 0 || interval % beat != 0) return due;
  return std::max(start + 1, (due + beat / 2) / beat * beat);
}

void Runtime::schedule(Timer& t, long long due) {
  Slot* s = slotOf(t);
  if (!s) s = &schedule_.emplace_back(Slot{&t, 0, 0});
  s->due = due;
  s->seq = ++seq_;
}

void Runtime::unschedule(Timer& t) {
  schedule_.erase(std::remove_if(schedule_.begin(), schedule_.end(), [&t](const Slot& s) { return s.timer == &t; }),
                  schedule_.end());
}

void Runtime::scheduleDesigned(const Form& f) {
  // Timers given a rate in the form's design start with the form.
  for (Control* c : f.controls()) {
    if (c->kind() != ControlKind::Timer) continue;
    auto* t = static_cast<Timer*>(c);
    if (t->Enabled && t->Interval > 0 && !slotOf(*t)) schedule(*t, firstTick(clockMs(), t->Interval));
  }
}

void Runtime::unscheduleAll(const Form& f) {
  for (Control* c : f.controls())
    if (c->kind() == ControlKind::Timer) unschedule(*static_cast<Timer*>(c));
}

void Runtime::timerChanged(Timer& t, int propId) {
  Form* f = t.form();
  if (!f || !f->isLoaded()) return;
  const bool live = t.Enabled && t.Interval > 0;
  if (!live) {
    unschedule(t);
  } else if (propId == Timer::kIntervalProp || !slotOf(t)) {
    // A new interval, or Enabled turned on: the count starts afresh.
    schedule(t, firstTick(clockMs(), t.Interval));
  }
  onTimersChanged();
}

Timer* Runtime::nextTimer(bool includeSilent) const {
  const Slot* best = nullptr;
  for (const Slot& s : schedule_)
    if ((includeSilent || !s.timer->silent) && (!best || s.before(*best))) best = &s;
  return best ? best->timer : nullptr;
}

void Runtime::catchUpSilent(long long upTo) {
  if (catchingUp_) return;
  catchingUp_ = true;
  struct Reset {
    bool& b;
    ~Reset() { b = false; }
  } reset{catchingUp_};
  while (true) {
    const Slot* best = nullptr;
    for (const Slot& s : schedule_)
      if (s.timer->silent && s.due <= upTo && !isRunning(*s.timer) && (!best || s.before(*best))) best = &s;
    if (!best) break;
    tick(*best->timer, best->due);  // every tick, none dropped: it is only late
  }
}

void Runtime::fireTimer(Timer& t, long long now) {
  if (!slotOf(t)) return;
  // A tick from the realisation's clock. A silent timer's ticks follow from
  // the schedule alone (they catch up before any event): nobody is told.
  clock_ = now;
  if (!t.silent) {
    RuntimeEvent e{isRunning(t) ? RuntimeEvent::Kind::Skip : RuntimeEvent::Kind::Tick};
    e.at = now;
    e.control = &t;
    tell(e);
  }
  tick(t, now);
}

void Runtime::tick(Timer& t, long long now) {
  Slot* s = slotOf(t);
  if (!s) return;
  const long long wasDue = s->due;
  s->due += t.Interval;
  if (s->due <= now) s->due = now + t.Interval;  // late: the missed ticks are dropped, not fired in a burst
  s->seq = ++seq_;
  if (isRunning(t)) {
    onTimersChanged();  // never re-enter a timer's own handler: the tick is dropped
    return;
  }
  dispatchAt(
      [this, &t] {
        running_.push_back(&t);  // handlers nest, so the last one in is the first out
        struct Running {
          std::vector<const Timer*>& running;
          ~Running() { running.pop_back(); }
        } guard{running_};
        if (t.Tick) t.Tick();
      },
      wasDue);
  onTimersChanged();
}

}  // namespace forms

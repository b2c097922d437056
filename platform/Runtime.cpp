// The runtime core: the forms' lifecycle (load, show, modal show, unload,
// activation), events and the graveyard of forms unloaded during one, and
// the waits for message boxes. Timers are in Timers.cpp, input in Input.cpp.
#include "Runtime.h"

#include <algorithm>

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

Runtime::Runtime() = default;

Runtime::~Runtime() {
  // Forms still loaded at shutdown belong to their owner; only the graveyard is ours.
  graveyard_.clear();
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
}  // the others die here

int Runtime::msgBox(const std::string& prompt, int style, const std::string& title) {
  if (ended_) return mb::hasYesNo(style) ? mb::AnsNo : mb::AnsOk;
  if (observer_) observer_->waiting();
  // The box is application-modal: it stands above every form open now (a
  // null in the modal stack), below any modal form shown while it waits.
  struct Box {
    std::vector<Form*>& modal;
    explicit Box(std::vector<Form*>& m) : modal(m) { modal.push_back(nullptr); }
    ~Box() { modal.erase(std::find(modal.rbegin(), modal.rend(), nullptr).base() - 1); }
  } box(modal_);
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
  if (!top) return false;  // a message box is open
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
  scheduleDesigned(f);
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

bool Runtime::discardForm(Form& f) {
  if (!f.isLoaded()) return false;
  f.unloaded_ = true;
  f.visible_ = false;
  erase(zorder_, &f);
  erase(modal_, &f);
  erase(loaded_, &f);
  unscheduleAll(f);
  onFormUnloaded(f);
  onTimersChanged();
  return true;
}

void Runtime::unloadForm(Form& f) {
  const bool wasFront = activeForm() == &f;
  if (!discardForm(f)) return;
  if (f.releaseFromOwner) {
    if (auto owned = f.releaseFromOwner()) graveyard_.push_back(std::move(owned));
  }
  if (loaded_.empty()) {
    end();
  } else if (wasFront && activeForm()) {
    activate(*activeForm());
  }
  if (depth_ == 0) flushGraveyard();
}

void Runtime::end() {
  if (ended_) return;
  ended_ = true;
  RuntimeEvent e{RuntimeEvent::Kind::End};
  e.at = clockMs();
  tell(e);
  onEnded();
}

void Runtime::unloadAll() {
  while (!loaded_.empty()) unloadForm(*loaded_.back());
}

void Runtime::controlChanged(Control& c, Aspect aspect, int propId) { onControlChanged(c, aspect, propId); }
void Runtime::formChanged(Form& f, Aspect aspect, int propId) { onFormChanged(f, aspect, propId); }

}  // namespace forms

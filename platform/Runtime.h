// The forms runtime: everything the game needs of a windowing platform. This
// core holds what both realisations share (form lifecycle, activation, modal
// stack, deferred unload, the timer schedule, input filtering, random numbers);
// a realisation supplies windows, a clock, message boxes and sound.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Form.h"
#include "Random.h"

namespace forms {

struct ScreenInfo {
  float widthTwips = 12000;
  float heightTwips = 9000;
  float twipsPerPixelX = 15;
  float twipsPerPixelY = 15;
};

// Message box styles and answers used by the game.
namespace mb {
constexpr int OkOnly = 0, YesNo = 4, Critical = 16, Question = 32, Exclamation = 48, Information = 64;
// The combinations the game asks with.
constexpr int OkQuestion = OkOnly | Question;          // 32
constexpr int OkInformation = OkOnly | Information;    // 64
constexpr int YesNoCritical = YesNo | Critical;        // 20
constexpr int YesNoQuestion = YesNo | Question;        // 36
constexpr int YesNoExclamation = YesNo | Exclamation;  // 52
constexpr int AnsOk = 1, AnsCancel = 2, AnsYes = 6, AnsNo = 7;
inline bool hasYesNo(int style) { return (style & 7) == YesNo; }
}  // namespace mb

// One thing that entered the game from outside, as a flight recorder hears it:
// an input or a timer tick from the realisation, a call into the game from
// outside any event (start-up), an answer or return the game waited for, the
// end of the program. `at` is the game's clock.
struct RuntimeEvent {
  enum class Kind { Call, Key, Click, OpenMenu, ChooseMenu, Shortcut, Close, Tick, Skip, Answer, Return, End };
  Kind kind = Kind::Call;
  long long at = 0;
  const Form* form = nullptr;        // key, close, return
  const Control* control = nullptr;  // click, tick, skip (a tick dropped: its handler still runs)
  const MenuItem* menu = nullptr;    // open, choose, shortcut
  int code = 0, shift = 0;           // key; the answer in code
  bool hasPoint = false;             // a click at a point of the form, in twips
  float x = 0, y = 0;
};

class EventObserver {
 public:
  virtual ~EventObserver() = default;
  virtual void heard(const RuntimeEvent& e) = 0;
  // The game waits for the player: a modal form or a message box opens.
  virtual void waiting() {}
};

class Runtime {
 public:
  Runtime();
  virtual ~Runtime();
  Runtime(const Runtime&) = delete;
  Runtime& operator=(const Runtime&) = delete;

  // ---- services for the game ----
  int msgBox(const std::string& prompt, int style, const std::string& title);
  virtual ScreenInfo screen() const = 0;
  virtual std::string appPath() const = 0;  // the program's directory, no trailing separator
  virtual char pathSeparator() const { return '/'; }
  void playAsync(const std::string& path);  // returns at once; failures are silent
  float Rnd() { return random_.next(); }
  void Randomize();
  Random& random() { return random_; }
  virtual long long nowMs() const = 0;  // the realisation's clock, monotonic milliseconds
  // The game's clock: the realisation's, read once when an input, a timer tick
  // or a call from outside begins, and again when a message box or modal form
  // the game waited for returns; constant in between. The times of those
  // moments alone therefore fix every timer's schedule, and a recording of
  // them replays exactly. Outside any event it is the realisation's clock.
  long long clockMs() const { return depth_ > 0 || routing_ ? clock_ : nowMs(); }
  // The time of day (ms) when the game's clock read 0. Randomize mixes in the
  // time of day, this plus the game's clock, so the draws too follow from the
  // times of the events.
  virtual std::uint64_t timeOfDayAtStart() const = 0;
  // Timers whose interval is a multiple of the beat (ms; 0 for none) tick
  // first on a common beat, so that they wake the program together.
  virtual long long timerBeat() const { return 0; }
  // Everything that enters the game is told to the observer (null for none).
  void setObserver(EventObserver* o) { observer_ = o; }
  EventObserver* observer() const { return observer_; }
  // A hint: `where` will show these pictures later (the frames of an
  // animation). A realisation that draws pictures ahead draws them at its size.
  virtual void expectPictures(const Image& /*where*/, const std::vector<Picture>& /*pictures*/) {}

  // ---- forms (called through Form) ----
  void loadForm(Form& f);
  void showForm(Form& f, bool modal);
  void unloadForm(Form& f);
  void unloadAll();  // every loaded form, front to back; ends the program
  // Takes a loaded form out of the runtime (its lists, the timer schedule, the
  // screen) without raising any event: its owner is shutting down. Unloading
  // starts with it. False when the form was not loaded.
  bool discardForm(Form& f);
  bool ended() const { return ended_; }
  Form* activeForm() const { return zorder_.empty() ? nullptr : zorder_.back(); }
  const std::vector<Form*>& loadedForms() const { return loaded_; }
  const std::vector<Form*>& visibleForms() const { return zorder_; }  // back to front
  Form* loadedForm(const std::string& name) const;
  // A form takes user input when no modal form or message box stands above it.
  bool accepts(const Form& f) const;

  // ---- input from the realisation; each runs as one event ----
  // What took a key press: a menu shortcut, an access key (Alt+letter of a
  // button, check box, option button or menu title), the form's key preview,
  // or nobody (key preview off, or the form blocked by a modal one).
  enum class KeyTaken { Shortcut, AccessKey, Preview, None };
  // A key pressed on form f: shortcuts and access keys first, then every
  // other key, Ctrl and Alt ones too, to Form_KeyDown while KeyPreview is on.
  KeyTaken userKey(Form& f, int keyCode, int shift);
  bool userClick(Control& c);                     // false when filtered (hidden, disabled, blocked by a modal form)
  bool clickable(const Control& c) const;         // what userClick does not filter
  // A click at (x, y) twips of f's client area, on the control hitTest finds
  // there; false when it lands on no control or its click is filtered.
  bool userClickAt(Form& f, float x, float y);
  // A menu title opened, an item chosen (its title opened already) or an
  // item's shortcut pressed: `how` is OpenMenu, ChooseMenu or Shortcut.
  bool userMenu(RuntimeEvent::Kind how, MenuItem& m);
  bool userOpenMenu(MenuItem& title) { return userMenu(RuntimeEvent::Kind::OpenMenu, title); }
  bool userChooseMenu(MenuItem& item) { return userMenu(RuntimeEvent::Kind::ChooseMenu, item); }
  bool userShortcut(MenuItem& item) { return userMenu(RuntimeEvent::Kind::Shortcut, item); }
  bool userClose(Form& f);  // false when filtered (not loaded, or a modal form in front)
  // Runs fn as one event now. Outside any event it is a call into the game
  // from outside (start-up), which the observer hears.
  void dispatch(const std::function<void()>& fn);
  // Runs fn as one event at time `at`: silent timers due by then tick first.
  void dispatchAt(const std::function<void()>& fn, long long at);
  int eventDepth() const { return depth_; }

  // ---- timers ----
  // The schedule is the runtime's own; others (the realisations, replay, the
  // monkey) read it through these.
  struct TimerState {
    bool scheduled = false;  // ticking: enabled, with an interval, on a loaded form
    bool running = false;    // its handler is on the stack
    long long due = 0;       // the game's clock at its next tick, while scheduled
  };
  TimerState timerState(const Timer& t) const;
  // Earliest due timer, ties in scheduling order; silent ones only if asked.
  Timer* nextTimer(bool includeSilent = true) const;
  // A tick from the realisation's clock: `now` is the game's clock for it.
  void fireTimer(Timer& t, long long now);
  // From the timer itself: Interval or Enabled changed, or it is going away.
  void timerChanged(Timer& t, int propId);
  void forgetTimer(Timer& t) { unschedule(t); }

  // ---- change notifications from the model ----
  void controlChanged(Control& c, Aspect aspect, int propId);
  void formChanged(Form& f, Aspect aspect, int propId);
  void menuChanged(MenuItem& m) { onMenuChanged(m); }

 protected:
  // Realisation hooks.
  virtual void onFormLoaded(Form&) {}
  virtual void onFormShown(Form&, bool /*modal*/) {}
  // Unloaded or discarded: hidden for good; the form dies later (or at its owner's hands).
  virtual void onFormUnloaded(Form&) {}
  // Runs a nested event loop until the form is unloaded or the program ends.
  virtual void runModal(Form& f) = 0;
  virtual int showMsgBox(const std::string& prompt, int style, const std::string& title) = 0;
  virtual void startSound(const std::string& path) = 0;
  virtual void onTimersChanged() {}
  virtual void onControlChanged(Control&, Aspect, int) {}
  virtual void onFormChanged(Form&, Aspect, int) {}
  virtual void onMenuChanged(MenuItem&) {}
  virtual void onEnded() {}
  // After every event (at any depth): a view may settle what the event changed.
  virtual void onEventEnd() {}

  // Destroys forms unloaded during the event that has just ended.
  void flushGraveyard();

 private:
  // Timers (Timers.cpp).
  struct Slot {
    Timer* timer;
    long long due;
    unsigned long long seq;  // ties go to the one scheduled first
    bool before(const Slot& o) const { return due < o.due || (due == o.due && seq < o.seq); }
  };
  const Slot* slotOf(const Timer& t) const;
  Slot* slotOf(const Timer& t);
  bool isRunning(const Timer& t) const;
  void unschedule(Timer& t);
  void schedule(Timer& t, long long due);
  void unscheduleAll(const Form& f);
  void scheduleDesigned(const Form& f);
  void catchUpSilent(long long upTo);
  void tick(Timer& t, long long now);
  // When a timer started at `start` ticks first: on the beat (moved by at
  // most half a beat either way) when its interval is a multiple of it.
  long long firstTick(long long start, long long interval) const;

  // Forms (Runtime.cpp).
  void activate(Form& f);
  void end();

  // Input (Input.cpp): an input from the realisation begins. It stamps the
  // game's clock and tells the observer, unless it is part of routing another
  // input (told already). Routing lasts until the input's event begins.
  class Input;
  void tell(RuntimeEvent e);
  void waitEnded(RuntimeEvent e);

  Random random_;
  std::vector<Form*> loaded_;
  std::vector<Form*> zorder_;
  std::vector<Form*> modal_;
  std::vector<std::unique_ptr<Form>> graveyard_;
  std::vector<Form*> modalShows_;  // forms whose modal show is running, innermost last
  std::vector<Slot> schedule_;
  std::vector<const Timer*> running_;  // timers whose handler is on the stack
  unsigned long long seq_ = 0;
  int depth_ = 0;
  long long clock_ = 0;
  bool routing_ = false;
  EventObserver* observer_ = nullptr;
  bool ended_ = false;
  bool catchingUp_ = false;
};

}  // namespace forms

// The headless forms runtime and its test driver.
//
// Time is a virtual millisecond clock that only moves when the driver says so;
// modal forms and message boxes are answered by scripts (or sensible defaults:
// OK / Finish / Done and Yes); every message box and sound is recorded. A test
// builds a Program on it and plays it as a user would:
//
//   HeadlessRuntime rt;                   // 800 x 600 screen, fixed seed
//   Program p(rt); p.start();             // start-up with default answers
//   rt.pressKey(Key::Right);              // a key to the active form, as typed:
//   rt.pressKey('N', KeyShift::Ctrl);     //   shortcuts and access keys first, then key preview
//   rt.click("imgUnit", 3);               // a user click: honours Visible/Enabled
//   rt.clickAt("frmBulwarn", 6000, 1500); // a click at a point (twips): whatever is seen there
//   rt.chooseMenu("mnuRestart");          // opens its title, then chooses it
//   rt.answerNext(mb::AnsNo);             // the next message box gets "No"
//   rt.onModal("frmWin", [&](Form& f){ ...; rt.click("cmdFinish"); });
//   rt.advance(5000);                     // timers fire in order, exactly
//   rt.control("lblMessage");             // read any control by name
//   rt.msgBoxes(), rt.sounds(), rt.ended()
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "../Keys.h"
#include "../Runtime.h"

namespace forms {

struct MsgBoxRecord {
  std::string prompt;
  int style = 0;
  std::string title;
  int answer = 0;
  long long timeMs = 0;
};

struct SoundRecord {
  std::string path;
  long long timeMs = 0;
};

// Thrown when a modal form can never close (no script, no button, no timer).
class StuckModal : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct HeadlessConfig {
  int screenWidthPx = 800;
  int screenHeightPx = 600;
  std::string appPath = "/opt/bulwarn";
  std::uint64_t seed = 12345;
  std::uint64_t timeOfDayMs = 12ull * 3600 * 1000;  // the clock starts at noon
  long long modalLimitMs = 30 * 60 * 1000;          // a modal form left open longer is stuck
  long long beatMs = 0;                              // the Qt runtime's is 50: the same schedule, without a display
};

class HeadlessRuntime : public Runtime {
 public:
  explicit HeadlessRuntime(HeadlessConfig cfg = {});
  ~HeadlessRuntime() override;

  // ---- time ----
  long long nowMs() const override { return now_; }
  // Moves the clock on by ms, firing every due timer in order at its exact time.
  void advance(long long ms);
  // Advances in steps of stepMs until pred() holds or maxMs have passed; returns pred().
  bool advanceUntil(const std::function<bool()>& pred, long long maxMs, long long stepMs = 10);

  // ---- input (to the active form unless a form is named) ----
  KeyTaken pressKey(int keyCode, int shift = 0);
  bool click(const std::string& name, int index = -1, const std::string& form = {});
  // A click at a point of a form's client area, in twips; it goes to the control
  // the player sees there (hitTest), as a mouse click does. An empty name is the active form.
  bool clickAt(const std::string& form, float x, float y);
  bool openMenu(const std::string& title, const std::string& form = {});
  bool chooseMenu(const std::string& item, const std::string& form = {});         // opens the title first
  bool pressShortcut(const std::string& shortcut, const std::string& form = {});  // "F2", "Ctrl+N"
  void closeWindow(const std::string& form = {});

  // ---- answers ----
  void answerNext(int answer) { answers_.push_back(answer); }
  void setMsgBoxResponder(std::function<int(const MsgBoxRecord&)> fn) { msgResponder_ = std::move(fn); }
  // Runs each time the named form is shown modally; the default answer follows if it stays open.
  void onModal(const std::string& form, std::function<void(Form&)> script) { scripts_[form] = std::move(script); }
  void clearModal(const std::string& form) { scripts_.erase(form); }
  // Runs for modal forms without a script of their own (the monkey uses it).
  void setModalResponder(std::function<void(Form&)> fn) { modalResponder_ = std::move(fn); }

  // ---- inspection ----
  Form* form(const std::string& name) const { return loadedForm(name); }
  Control& control(const std::string& name, int index = -1, const std::string& form = {}) const;
  MenuItem& menuItem(const std::string& name, const std::string& form = {}) const;
  std::vector<std::string> loadedFormNames() const;
  const std::vector<MsgBoxRecord>& msgBoxes() const { return msgBoxes_; }
  const std::vector<SoundRecord>& sounds() const { return sounds_; }
  std::vector<std::string> soundNames() const;  // file names only, in order
  // Forgets the message boxes and sounds so far, so a test reads one moment's.
  void clearRecords() {
    msgBoxes_.clear();
    sounds_.clear();
  }

  // ---- platform ----
  ScreenInfo screen() const override;
  std::string appPath() const override { return cfg_.appPath; }
  long long timerBeat() const override { return cfg_.beatMs; }
  std::uint64_t timeOfDayAtStart() const override { return cfg_.timeOfDayMs; }

 protected:
  void runModal(Form& f) override;
  int showMsgBox(const std::string& prompt, int style, const std::string& title) override;
  void startSound(const std::string& path) override;

 private:
  Form& target(const std::string& form) const;
  bool defaultAnswer(Form& f);

  HeadlessConfig cfg_;
  long long now_ = 0;
  std::deque<int> answers_;
  std::function<int(const MsgBoxRecord&)> msgResponder_;
  std::function<void(Form&)> modalResponder_;
  std::map<std::string, std::function<void(Form&)>> scripts_;
  std::vector<MsgBoxRecord> msgBoxes_;
  std::vector<SoundRecord> sounds_;
};

}  // namespace forms

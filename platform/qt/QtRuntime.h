// The forms runtime on Qt 6 Widgets: every loaded form is a window, game
// timers share one precise QTimer, message boxes are QMessageBoxes and sounds
// play on an audio thread. Create it after the QApplication:
//
//   QApplication app(argc, argv);
//   forms::QtRuntime rt;
//   bulwarn::Program program(rt);
//   program.start();
//   return rt.exec();   // until every form is unloaded
#pragma once

#include <QImage>
#include <memory>
#include <string>

#include "platform/Runtime.h"

class QWidget;

namespace forms {

class QtRuntime : public Runtime {
 public:
  QtRuntime();
  ~QtRuntime() override;

  // Runs the event loop until the program has ended; returns the exit code.
  int exec();

  // Where pictures/<name>.svg are found; the program's directory by default.
  void setDataDir(std::string dir);
  // Every window's emblem, drawn from pictures/<name>.svg like any other picture
  // (so read with the same care).
  void setAppIcon(const std::string& name);

  // For tests and tools: a form's window and its client area as painted
  // (device pixels, at the window's device pixel ratio).
  QWidget* window(Form& f) const;
  QImage grab(Form& f) const;
  // Sound requests the audio thread has taken so far.
  int soundsHandled() const;
  // Pictures drawn from their files so far (each size and pixel ratio once).
  int picturesDrawn() const;

  // ---- platform ----
  ScreenInfo screen() const override;
  std::string appPath() const override;
  long long nowMs() const override;
  std::uint64_t timeOfDayAtStart() const override { return startedAt_; }
  // Timers whose rate is a multiple of 50 ms tick on one common beat: the
  // aircraft, the units and every animation then wake the program together
  // instead of each on its own.
  long long timerBeat() const override { return 50; }
  void expectPictures(const Image& where, const std::vector<Picture>& pictures) override;

 protected:
  void onFormLoaded(Form& f) override;
  void onFormShown(Form& f, bool modal) override;
  void onFormUnloaded(Form& f) override;
  void runModal(Form& f) override;
  int showMsgBox(const std::string& prompt, int style, const std::string& title) override;
  void startSound(const std::string& path) override;
  void onTimersChanged() override;
  void onControlChanged(Control& c, Aspect aspect, int propId) override;
  void onFormChanged(Form& f, Aspect aspect, int propId) override;
  void onMenuChanged(MenuItem& m) override;
  void onEnded() override;
  void onEventEnd() override;

 private:
  struct Impl;
  friend struct Impl;
  void fireDueTimers();
  std::unique_ptr<Impl> d_;
  std::uint64_t startedAt_ = 0;  // ms since the epoch when the clock started
};

}  // namespace forms

#include "QtRuntime.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QIcon>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPointer>
#include <QScopedValueRollback>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <stdexcept>
#include <utility>
#include <vector>

#include "ControlPainter.h"
#include "FormWindow.h"
#include "KeyCodes.h"
#include "PictureCache.h"
#include "SoundPlayer.h"

namespace forms {

namespace {

FormWindow* viewOf(const Form& f) { return static_cast<FormWindow*>(f.view); }

// Keys a key-preview form keeps to itself so no focused widget acts on them too.
bool previewOnly(int vbCode) { return (vbCode >= 37 && vbCode <= 40) || vbCode == 32 || vbCode == 13; }

}  // namespace

struct QtRuntime::Impl : QObject {
  explicit Impl(QtRuntime& o) : owner(o) {}

  bool eventFilter(QObject* watched, QEvent* e) override {
    const QEvent::Type type = e->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease) return false;
    // Real key events reach the form's QWindow first and exactly once; that is
    // where the form previews them. Mnemonics (access keys) Qt has taken before.
    if (!watched->isWindowType()) return false;
    auto* window = static_cast<QWindow*>(watched);
    FormWindow* fw = windowOf(window);
    if (!fw || !fw->form()) return false;
    const auto* ke = static_cast<QKeyEvent*>(e);
    auto held = keysDown.find(ke->key());
    const bool pressedHere = held != keysDown.end() && held->second.window == window;
    if (type == QEvent::KeyRelease) {
      // A release is no key for the form. One whose press went to another
      // window (which that press closed) goes nowhere; nor does the release of
      // a key the form kept to itself, so no focused button acts on it.
      const bool kept = !pressedHere || held->second.kept;
      if (held != keysDown.end() && !ke->isAutoRepeat()) keysDown.erase(held);
      return kept;
    }
    // A key held down since another window took its press repeats nothing here.
    if (ke->isAutoRepeat() && !pressedHere) return true;
    const int code = vbKeyCode(ke->key(), ke->modifiers());
    // The shift state comes with each key, never from presses remembered, so a
    // modifier whose release went elsewhere cannot stay down.
    const Runtime::KeyTaken taken = owner.userKey(*fw->form(), code, vbShiftState(ke->modifiers()));
    const bool kept = taken == Runtime::KeyTaken::Shortcut || taken == Runtime::KeyTaken::AccessKey ||
                      (taken == Runtime::KeyTaken::Preview && previewOnly(code));
    keysDown[ke->key()] = {window, kept};
    return kept;
  }

  FormWindow* windowOf(const QWindow* w) const {
    for (const auto& fw : windows)
      if (fw && fw->windowHandle() == w) return fw.data();
    return nullptr;
  }

  // Points the one single-shot QTimer at the earliest due game timer. A
  // fresh start() also lets it fire inside a nested loop run by a handler,
  // which Qt would not do for a timer whose timeout is still being handled.
  void rearm() {
    // Silent timers wake nobody: they catch up before the next event.
    Timer* t = owner.ended() ? nullptr : owner.nextTimer(false);
    if (!t) {
      timer.stop();
      return;
    }
    const long long due = owner.timerState(*t).due;
    if (timer.isActive() && armedDue == due) return;
    // Round up so the tick never arrives before the timer is due.
    const long long waitNs = due * 1000000LL - clock.nsecsElapsed();
    const long long waitMs = waitNs <= 0 ? 0 : (waitNs + 999999) / 1000000;
    armedDue = due;
    timer.start(static_cast<int>(std::min<long long>(waitMs, 1LL << 30)));
  }

  void flushWindows() {
    for (const QPointer<FormWindow>& w : windows)
      if (w && w->client()) w->client()->flushDirty();
  }

  // Pictures by name and the logical size they will be shown at.
  using Shown = std::vector<std::pair<std::string, QSize>>;
  // Draws them ahead at the window's pixel ratio, off the GUI thread, so
  // showing them later only blits.
  void drawAhead(const FormWindow& window, const Shown& todo) { pictures.prefetch(todo, pixelRatioOf(window)); }

  QtRuntime& owner;
  // Keys held down: the window that saw each press, and whether the form kept it.
  struct Held {
    const QWindow* window = nullptr;
    bool kept = false;
  };
  std::map<int, Held> keysDown;
  QElapsedTimer clock;
  QTimer timer;
  long long armedDue = 0;
  int roundDepth = -1;  // event depth of the timer round under way, if any
  PictureCache pictures;
  SoundPlayer sound;
  std::vector<QPointer<FormWindow>> windows;
  QEventLoop* mainLoop = nullptr;
  std::vector<QEventLoop*> loops;            // modal loops, innermost last
  std::vector<QPointer<QMessageBox>> boxes;  // message boxes waiting for an answer
};

QtRuntime::QtRuntime() : d_(std::make_unique<Impl>(*this)) {
  if (!QCoreApplication::instance()) throw std::logic_error("QtRuntime needs a QApplication first");
  d_->clock.start();
  startedAt_ = static_cast<std::uint64_t>(QDateTime::currentMSecsSinceEpoch());
  d_->timer.setSingleShot(true);
  d_->timer.setTimerType(Qt::PreciseTimer);
  QObject::connect(&d_->timer, &QTimer::timeout, d_.get(), [this] { fireDueTimers(); });
  // Hiding a form's window is not the end of the program; the forms decide that.
  QGuiApplication::setQuitOnLastWindowClosed(false);
  d_->pictures.setDataDir(QString::fromStdString(appPath()));
}

QtRuntime::~QtRuntime() {
  d_->timer.stop();
  for (auto& w : d_->windows) delete w.data();
  d_->windows.clear();
}

int QtRuntime::exec() {
  if (!ended()) {
    QEventLoop loop;
    d_->mainLoop = &loop;
    loop.exec();
    d_->mainLoop = nullptr;
  }
  // Windows of unloaded forms were only scheduled for deletion.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  return 0;
}

void QtRuntime::setDataDir(std::string dir) { d_->pictures.setDataDir(QString::fromStdString(dir)); }

void QtRuntime::setAppIcon(const std::string& name) {
  if (!d_->pictures.available(QString::fromStdString(name))) return;  // said why once; Qt's own icon stays
  QIcon icon;
  for (int s : {16, 24, 32, 48, 64, 128}) icon.addPixmap(d_->pictures.pixmap(name, QSize(s, s), 1.0));
  QApplication::setWindowIcon(icon);
}

QWidget* QtRuntime::window(Form& f) const { return viewOf(f); }

QImage QtRuntime::grab(Form& f) const {
  FormWindow* w = viewOf(f);
  return w ? w->client()->grab().toImage() : QImage();
}

int QtRuntime::soundsHandled() const { return d_->sound.handled(); }
int QtRuntime::picturesDrawn() const { return d_->pictures.renderCount(); }

// ---- platform ----

ScreenInfo QtRuntime::screen() const {
  ScreenInfo s;
  if (QScreen* scr = QGuiApplication::primaryScreen()) {
    s.widthTwips = static_cast<float>(scr->size().width()) * kTwipsPerPixel;
    s.heightTwips = static_cast<float>(scr->size().height()) * kTwipsPerPixel;
  }
  s.twipsPerPixelX = s.twipsPerPixelY = kTwipsPerPixel;
  return s;
}

// The program's files lie beside it in the build tree; an installed program
// finds them in ../share/bulwarn.
std::string QtRuntime::appPath() const {
  const QString exeDir = QCoreApplication::applicationDirPath();
  const QDir dir(exeDir);
  if (dir.exists(QStringLiteral("pictures"))) return exeDir.toStdString();
  const QString shared = dir.absoluteFilePath(QStringLiteral("../share/bulwarn"));
  if (QDir(shared).exists()) return QDir::cleanPath(shared).toStdString();
  return exeDir.toStdString();
}

long long QtRuntime::nowMs() const { return d_->clock.elapsed(); }

void QtRuntime::expectPictures(const Image& where, const std::vector<Picture>& pictures) {
  const Form* f = where.form();
  FormWindow* w = f ? viewOf(*f) : nullptr;
  if (!w) return;
  Impl::Shown todo;
  for (const Picture& pic : pictures)
    if (pic) todo.emplace_back(pic->name, pictureSize(where, pic));
  // When idle, like the form's own pictures: nothing waits for them.
  QPointer<FormWindow> window(w);
  QTimer::singleShot(0, d_.get(), [this, window, todo] {
    if (window && window->form()) d_->drawAhead(*window, todo);
  });
}


// ---- forms ----

void QtRuntime::onFormLoaded(Form& f) {
  auto* w = new FormWindow(f, d_->pictures);
  f.view = w;
  // Render the form's pictures at the size and pixel ratio they will be drawn
  // at as soon as the program is idle (during the card or dialog in front), so
  // an animation never waits for its frames and the first window is not held
  // up either. The hidden picture store is loaded during the loading screen
  // for exactly this.
  QPointer<FormWindow> window(w);
  QTimer::singleShot(0, d_.get(), [this, window] {
    if (!window || !window->form()) return;
    Form& form = *window->form();
    QElapsedTimer clock;
    clock.start();
    Impl::Shown todo;
    for (const Control* c : form.controls()) {
      Picture pic;
      if (c->kind() == ControlKind::Image) pic = static_cast<const Image*>(c)->Picture;
      if (c->kind() == ControlKind::PictureBox) pic = static_cast<const PictureBox*>(c)->Picture;
      if (pic && c->shownOnForm()) todo.emplace_back(pic->name, pictureSize(*c, pic));
    }
    d_->drawAhead(*window, todo);
    preloadMs_[form.name()] = static_cast<double>(clock.nsecsElapsed()) / 1e6;
  });
  d_->windows.erase(std::remove(d_->windows.begin(), d_->windows.end(), nullptr), d_->windows.end());
  d_->windows.emplace_back(w);
}

void QtRuntime::onFormShown(Form& f, bool modal) {
  FormWindow* w = viewOf(f);
  if (!w) return;
  if (!w->isVisible()) {
    // Keep a modal form above the one it was opened from, and a form opened
    // from a modal one usable (Qt blocks windows that are not its children).
    const auto& front = visibleForms();
    Form* below = nullptr;
    for (auto it = front.rbegin(); it != front.rend(); ++it) {
      if (*it == &f) continue;
      if (modal || (*it)->isModal()) {
        below = *it;
        break;
      }
    }
    w->setWindowModality(modal ? Qt::ApplicationModal : Qt::NonModal);
    w->placeOnScreen();
    w->winId();  // the platform window must exist to take a transient parent
    // Keys are previewed where they arrive first. Watching this window alone
    // spares every other event of the program a call.
    w->windowHandle()->installEventFilter(d_.get());
    if (FormWindow* parent = below ? viewOf(*below) : nullptr) {
      parent->winId();
      w->windowHandle()->setTransientParent(parent->windowHandle());
    }
    w->show();
  }
  w->raise();
  w->activateWindow();
}

void QtRuntime::runModal(Form& f) {
  FormWindow* w = viewOf(f);
  if (!w || !f.isLoaded() || ended()) return;
  // A timer's handler may be what opened this form: the other timers must go
  // on ticking inside this loop, and the QTimer is idle while a tick is handled.
  d_->rearm();
  QEventLoop loop;
  w->modalLoop = &loop;
  d_->loops.push_back(&loop);
  loop.exec();
  d_->loops.erase(std::remove(d_->loops.begin(), d_->loops.end(), &loop), d_->loops.end());
  // The form may be gone now; it is not touched again.
}

void QtRuntime::onFormHidden(Form& f) {
  FormWindow* w = viewOf(f);
  if (!w) return;
  if (w->modalLoop) w->modalLoop->quit();
  for (auto it = d_->keysDown.begin(); it != d_->keysDown.end();)
    it = it->second.window == w->windowHandle() ? d_->keysDown.erase(it) : std::next(it);
  if (f.isLoaded()) {
    w->hide();
  } else {
    // Unloaded for good: the window lets go of the model before it may die.
    w->detach();
    f.view = nullptr;
    w->deleteLater();
  }
  // Give the keyboard back to the form now in front.
  if (Form* front = activeForm()) {
    if (FormWindow* fw = viewOf(*front); fw && fw->isVisible()) {
      fw->raise();
      fw->activateWindow();
    }
  }
}

void QtRuntime::onFormDestroyed(Form& f) {
  if (FormWindow* w = viewOf(f)) {
    w->detach();
    w->deleteLater();
  }
  f.view = nullptr;
}

void QtRuntime::onEnded() {
  d_->timer.stop();
  for (QEventLoop* l : d_->loops) l->quit();
  for (auto& b : d_->boxes)
    if (b) b->done(0);
  if (d_->mainLoop) d_->mainLoop->quit();
}

// ---- timers ----

void QtRuntime::onTimersChanged() { d_->rearm(); }

void QtRuntime::onEventEnd() {
  // Timers due together are drawn together, after the last of them.
  if (d_->roundDepth == eventDepth()) return;
  d_->flushWindows();
}

void QtRuntime::fireDueTimers() {
  // One instant for the whole round: a timer fired now is due again later, so
  // the round ends even when handlers are slow. A handler that runs a nested
  // loop re-enters here; the core keeps a running timer from re-entering itself.
  const long long now = nowMs();
  {
    // A handler's nested loop draws its own events; only this level waits.
    const QScopedValueRollback<int> round(d_->roundDepth, eventDepth());
    // Silent timers catch up before each event instead, tick by tick.
    while (!ended()) {
      Timer* t = nextTimer(false);
      if (!t || timerState(*t).due > now) break;
      fireTimer(*t, now);
    }
  }
  d_->flushWindows();
  d_->rearm();
}

// ---- changes ----

void QtRuntime::onControlChanged(Control& c, Aspect, int) {
  if (FormWindow* w = c.form() ? viewOf(*c.form()) : nullptr) w->syncControl(c);
}

void QtRuntime::onFormChanged(Form& f, Aspect aspect, int) {
  if (FormWindow* w = viewOf(f)) w->syncForm(aspect);
}

void QtRuntime::onMenuChanged(MenuItem& m) {
  if (FormWindow* w = m.form() ? viewOf(*m.form()) : nullptr) w->syncMenu(m);
}

// ---- dialogs and sound ----

int QtRuntime::showMsgBox(const std::string& prompt, int style, const std::string& title) {
  const bool yesNo = mb::hasYesNo(style);
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  switch (style & 0x70) {
    case mb::Critical: icon = QMessageBox::Critical; break;
    case mb::Question: icon = QMessageBox::Question; break;
    case mb::Exclamation: icon = QMessageBox::Warning; break;
    case mb::Information: icon = QMessageBox::Information; break;
    default: break;
  }
  QWidget* parent = nullptr;
  if (Form* front = activeForm()) {
    if (FormWindow* fw = viewOf(*front); fw && fw->isVisible()) parent = fw;
  }
  QString text = QString::fromStdString(prompt);
  text.remove(QLatin1Char('\r'));
  // The box lives on the heap: a timer may unload the form it belongs to meanwhile.
  QPointer<QMessageBox> box = new QMessageBox(icon, QString::fromStdString(title), text,
                                              yesNo ? (QMessageBox::Yes | QMessageBox::No) : QMessageBox::Ok, parent);
  box->setTextFormat(Qt::PlainText);
  box->setWindowModality(Qt::ApplicationModal);
  if (yesNo) {
    box->setDefaultButton(QMessageBox::Yes);
    box->setEscapeButton(QMessageBox::No);
  }
  d_->rearm();  // timers keep ticking behind the box
  d_->boxes.emplace_back(box);
  box->exec();
  d_->boxes.erase(std::remove(d_->boxes.begin(), d_->boxes.end(), box), d_->boxes.end());
  int answer = yesNo ? mb::AnsNo : mb::AnsOk;
  if (box) {
    if (yesNo && box->standardButton(box->clickedButton()) == QMessageBox::Yes) answer = mb::AnsYes;
    delete box.data();
  }
  return answer;
}

void QtRuntime::startSound(const std::string& path) { d_->sound.play(QString::fromStdString(path)); }

}  // namespace forms

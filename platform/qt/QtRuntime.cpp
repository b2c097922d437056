#include "QtRuntime.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QIcon>
#include <QMessageBox>
#include <QPointer>
#include <QScopedValueRollback>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <functional>
#include <stdexcept>
#include <utility>
#include <vector>

#include "ControlPainter.h"
#include "FormWindow.h"
#include "KeyCodes.h"
#include "PictureCache.h"
#include "SoundPlayer.h"

namespace forms {

struct QtRuntime::Impl : QObject {
  explicit Impl(QtRuntime& o) : owner(o), keys(o, [this](const QWindow* w) { return formShownIn(w); }) {}

  // The runtime's own map from a loaded form to its window.
  FormWindow* windowOf(const Form& f) const {
    for (const View& v : windows)
      if (v.form == &f) return v.window;
    return nullptr;
  }

  Form* formShownIn(const QWindow* w) const {
    for (const View& v : windows)
      if (v.form && v.window && v.window->windowHandle() == w) return v.window->form();
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
    for (const View& v : windows)
      if (v.form && v.window) v.window->client()->flushDirty();
  }

  // Pictures by name and the logical size they will be shown at.
  using Shown = std::vector<std::pair<std::string, QSize>>;
  // Draws `todo()` ahead at the window's pixel ratio, off the GUI thread, once
  // the program is idle: nothing waits for them, and showing them later only blits.
  void drawAheadWhenIdle(FormWindow* w, std::function<Shown(const Form&)> todo) {
    QTimer::singleShot(0, this, [this, window = QPointer<FormWindow>(w), todo] {
      if (window && window->form()) pictures.prefetch(todo(*window->form()), pixelRatioOf(*window));
    });
  }

  QtRuntime& owner;
  KeyRouter keys;
  QElapsedTimer clock;
  QTimer timer;
  long long armedDue = 0;
  int roundDepth = -1;  // event depth of the timer round under way, if any
  PictureCache pictures;
  SoundPlayer sound;
  // Every window made, each with its form until that is unloaded; a window
  // whose form has gone waits for deletion.
  struct View {
    const Form* form;
    QPointer<FormWindow> window;
  };
  std::vector<View> windows;
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
  for (auto& v : d_->windows) delete v.window.data();
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

QWidget* QtRuntime::window(Form& f) const { return d_->windowOf(f); }

QImage QtRuntime::grab(Form& f) const {
  FormWindow* w = d_->windowOf(f);
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
  FormWindow* w = where.form() ? d_->windowOf(*where.form()) : nullptr;
  if (!w) return;
  Impl::Shown todo;
  for (const Picture& pic : pictures)
    if (pic) todo.emplace_back(pic->name, pictureSize(where, *pic));
  d_->drawAheadWhenIdle(w, [todo](const Form&) { return todo; });
}

// ---- forms ----

void QtRuntime::onFormLoaded(Form& f) {
  auto* w = new FormWindow(f, d_->pictures);
  d_->windows.erase(
      std::remove_if(d_->windows.begin(), d_->windows.end(), [](const Impl::View& v) { return !v.window; }),
      d_->windows.end());
  d_->windows.push_back({&f, w});
  // The form's pictures are drawn at the size and pixel ratio they will be
  // shown at as soon as the program is idle (during the card or dialog in
  // front), so an animation never waits for its frames and the first window
  // is not held up either. The hidden picture store is loaded during the
  // loading screen for exactly this.
  d_->drawAheadWhenIdle(w, [](const Form& form) {
    Impl::Shown todo;
    for (const Control* c : form.controls()) {
      Picture pic;
      if (c->kind() == ControlKind::Image) pic = static_cast<const Image*>(c)->Picture;
      if (c->kind() == ControlKind::PictureBox) pic = static_cast<const PictureBox*>(c)->Picture;
      if (pic && c->shownOnForm()) todo.emplace_back(pic->name, pictureSize(*c, *pic));
    }
    return todo;
  });
}

void QtRuntime::onFormShown(Form& f, bool modal) {
  FormWindow* w = d_->windowOf(f);
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
    d_->keys.watch(w->windowHandle());
    if (FormWindow* parent = below ? d_->windowOf(*below) : nullptr) {
      parent->winId();
      w->windowHandle()->setTransientParent(parent->windowHandle());
    }
    w->show();
  }
  w->raise();
  w->activateWindow();
}

void QtRuntime::runModal(Form& f) {
  FormWindow* w = d_->windowOf(f);
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

void QtRuntime::onFormUnloaded(Form& f) {
  auto v = std::find_if(d_->windows.begin(), d_->windows.end(), [&f](const Impl::View& x) { return x.form == &f; });
  if (v == d_->windows.end()) return;
  v->form = nullptr;
  if (FormWindow* w = v->window) {
    d_->keys.forget(w->windowHandle());
    // The window lets go of the model before it may die, after the event under way.
    w->detach();
    w->deleteLater();
  }
  // Give the keyboard back to the form now in front.
  if (Form* front = activeForm()) {
    if (FormWindow* fw = d_->windowOf(*front); fw && fw->isVisible()) {
      fw->raise();
      fw->activateWindow();
    }
  }
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
  if (FormWindow* w = c.form() ? d_->windowOf(*c.form()) : nullptr) w->syncControl(c);
}

void QtRuntime::onFormChanged(Form& f, Aspect aspect, int) {
  if (FormWindow* w = d_->windowOf(f)) w->syncForm(aspect);
}

void QtRuntime::onMenuChanged(MenuItem& m) {
  if (FormWindow* w = m.form() ? d_->windowOf(*m.form()) : nullptr) w->syncMenu(m);
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
    if (FormWindow* fw = d_->windowOf(*front); fw && fw->isVisible()) parent = fw;
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

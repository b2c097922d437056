#include "app/ShowReplay.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <cstdio>

#include "game/Program.h"
#include "platform/qt/QtRuntime.h"
#include "replay/Replay.h"

namespace bulwarn {

namespace {

// The Qt runtime with the recording in charge; its own timers never start.
class ShowRuntime : public replay::Replaying<forms::QtRuntime> {
 public:
  using Replaying::Replaying;

 protected:
  void onTimersChanged() override {}
  int showMsgBox(const std::string& prompt, int style, const std::string& title) override {
    // Shown for the watcher; the recording answers it.
    QString text = QString::fromStdString(prompt);
    text.remove(QLatin1Char('\r'));
    QPointer<QMessageBox> box = new QMessageBox(QMessageBox::NoIcon, QString::fromStdString(title), text,
                                                forms::mb::hasYesNo(style) ? (QMessageBox::Yes | QMessageBox::No)
                                                                           : QMessageBox::Ok);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->show();
    struct Close {
      QPointer<QMessageBox>& b;
      ~Close() {
        if (b) b->close();
      }
    } close{box};
    return Replaying::showMsgBox(prompt, style, title);
  }
};

// Swallows the watcher's input; a window closed by the watcher ends the show.
class Spectator : public QObject {
 public:
  bool closed = false;
  QEventLoop* waiting = nullptr;
  bool eventFilter(QObject* o, QEvent* e) override {
    switch (e->type()) {
      case QEvent::KeyPress:
      case QEvent::KeyRelease:
      case QEvent::ShortcutOverride:
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::Wheel:
      case QEvent::ContextMenu: return true;
      case QEvent::Close:
        if (e->spontaneous() && o->isWidgetType() && static_cast<QWidget*>(o)->isWindow()) {
          closed = true;
          if (waiting) waiting->quit();
          return true;
        }
        return false;
      default: return false;
    }
  }
};

struct Closed {};

}  // namespace

int showReplay(const std::string& path) {
  replay::Recording rec;
  try {
    rec = replay::readFile(path);
  } catch (const replay::FormatError& e) {
    std::fprintf(stderr, "bulwarn: %s: %s\n", path.c_str(), e.what());
    return 2;
  }
  ShowRuntime rt(rec);
  Program program(rt);
  Spectator spectator;
  qApp->installEventFilter(&spectator);
  replay::Player& player = rt.player();
  player.calls.push_back([&program] { program.start(); });
  QElapsedTimer wall;
  wall.start();
  // Waits, showing the windows, until the recording's time for the next event.
  auto waitUntil = [&](long long at) {
    while (!spectator.closed) {
      const long long left = at - wall.elapsed();
      if (left <= 0) return;
      QEventLoop loop;
      spectator.waiting = &loop;
      QTimer::singleShot(static_cast<int>(std::min(left, 200LL)), &loop, &QEventLoop::quit);
      loop.exec();
      spectator.waiting = nullptr;
    }
  };
  player.pace = [&](long long at) {
    waitUntil(at);
    if (spectator.closed) throw Closed{};
  };
  replay::Outcome out;
  try {
    out = replay::settle(player, [&player] { return player.play(); });
    // What the game came to stays on screen until the watcher closes it.
    if (!rt.ended()) waitUntil(1LL << 60);
  } catch (const Closed&) {
    return 0;
  }
  std::fputs(replay::describe(program).c_str(), stdout);
  if (!out.message.empty()) std::fprintf(stderr, "bulwarn: %s: %s", path.c_str(), out.message.c_str());
  return out.exitCode;
}

}  // namespace bulwarn

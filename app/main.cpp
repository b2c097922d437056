// The program: the Qt forms runtime with the battle screen as its start-up form.
#include <QApplication>
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "battle/Program.h"
#include "platform/qt/QtRuntime.h"

namespace {

// Qt aborts when it cannot reach a display; say so plainly instead.
bool displayReachable() {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (platform && *platform && std::strncmp(platform, "xcb", 3) != 0 && std::strncmp(platform, "wayland", 7) != 0)
    return true;  // offscreen, vnc, ...: no display needed
  const char* x = std::getenv("DISPLAY");
  const char* w = std::getenv("WAYLAND_DISPLAY");
  return (x && *x) || (w && *w);
}

}  // namespace

int main(int argc, char* argv[]) {
  if (!displayReachable()) {
    std::fprintf(stderr, "bulwarn: no display found (DISPLAY is not set); start it from a desktop session\n");
    return 2;
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName("Bulwarn");
  forms::QtRuntime rt;
  bulwarn::Program program(rt);
  program.start();
  return rt.exec();
}

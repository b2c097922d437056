#include "Display.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <QString>
#include <QtGlobal>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace forms {

namespace {

std::string env(const char* name) {
  const char* v = std::getenv(name);
  return v ? v : "";
}

// The connection that found the X display open. It stays open until Qt has
// made its own: an X server whose last client leaves resets itself, and Qt
// connecting during that reset would fail (Xvfb started for the game alone).
xcb_connection_t* heldX = nullptr;

void releaseX() {
  if (heldX) xcb_disconnect(heldX);
  heldX = nullptr;
}

bool xSilent = false;  // the last display tried took the connection but did not answer

// Opens the X display as Qt's xcb plugin would (authorisation included). A
// stopped server takes the connection and never answers, and xcb_connect has
// no deadline: it runs on a thread of its own, given 2 s as the audio server is.
bool xReachable() {
  xSilent = false;
  if (env("DISPLAY").empty()) return false;
  releaseX();
  struct Probe {
    std::mutex mutex;
    std::condition_variable done;
    bool answered = false, abandoned = false;
    xcb_connection_t* connection = nullptr;
  };
  auto probe = std::make_shared<Probe>();
  std::thread([probe] {
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    const std::lock_guard<std::mutex> lock(probe->mutex);
    if (probe->abandoned) {
      xcb_disconnect(c);
      return;
    }
    probe->connection = c;
    probe->answered = true;
    probe->done.notify_one();
  }).detach();
  std::unique_lock<std::mutex> lock(probe->mutex);
  if (!probe->done.wait_for(lock, std::chrono::seconds(2), [&] { return probe->answered; })) {
    probe->abandoned = true;
    xSilent = true;
    return false;
  }
  xcb_connection_t* c = probe->connection;
  if (c && xcb_connection_has_error(c) == 0) {
    heldX = c;
    return true;
  }
  if (c) xcb_disconnect(c);
  return false;
}

std::string waylandName() {
  const std::string name = env("WAYLAND_DISPLAY");
  return name.empty() ? "wayland-0" : name;
}

// Connects to the compositor's socket, found as libwayland finds it.
bool waylandReachable() {
  if (!env("WAYLAND_SOCKET").empty()) return true;  // handed over already connected
  const std::string name = waylandName();
  std::string path = name;
  if (name[0] != '/') {
    const std::string runtime = env("XDG_RUNTIME_DIR");
    if (runtime.empty()) return false;
    path = runtime + "/" + name;
  }
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  if (path.size() >= sizeof(addr.sun_path)) return false;
  std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  const bool ok = ::connect(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof(addr)) == 0;
  ::close(fd);
  return ok;
}

std::string xProblem() {
  const std::string d = env("DISPLAY");
  if (d.empty()) return "DISPLAY is not set";
  return "the X display " + d + (xSilent ? " does not answer within 2 s" : " cannot be opened");
}

std::string waylandProblem() { return "the Wayland display " + waylandName() + " cannot be reached"; }

// The platforms asked for, on the command line (-platform) or in QT_QPA_PLATFORM.
std::string requestedPlatforms(int argc, char** argv) {
  for (int i = 1; i + 1 < argc; ++i)
    if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0) return argv[i + 1];
  return env("QT_QPA_PLATFORM");
}

QtMessageHandler previousHandler = nullptr;
std::vector<std::pair<QtMsgType, QString>> held;

}  // namespace

bool chooseReachableDisplay(int argc, char** argv, std::string* why) {
  const std::string requested = requestedPlatforms(argc, argv);
  if (!requested.empty()) {
    // Qt tries each in turn ("wayland;xcb"); one that can start is enough.
    std::vector<std::string> problems;
    size_t from = 0;
    while (from <= requested.size()) {
      size_t to = requested.find(';', from);
      if (to == std::string::npos) to = requested.size();
      const std::string entry = requested.substr(from, to - from);
      const std::string name = entry.substr(0, entry.find(':'));
      from = to + 1;
      if (name.empty()) continue;
      if (name == "xcb") {
        if (xReachable()) return true;
        problems.push_back(xProblem());
      } else if (name.rfind("wayland", 0) == 0) {
        if (waylandReachable()) return true;
        problems.push_back(waylandProblem());
      } else {
        return true;  // offscreen, vnc, eglfs ...: no display server to ask
      }
    }
    std::string joined;
    for (const std::string& p : problems) joined += (joined.empty() ? "" : " and ") + p;
    *why = "the platform " + requested + " was asked for, but " + joined;
    releaseX();
    return false;
  }
  const bool x = xReachable(), wayland = waylandReachable();
  if (x && wayland) return true;  // Qt picks as usual
  if (x || wayland) {
    // Only one answers: Qt must not try the other first and give up.
    qputenv("QT_QPA_PLATFORM", x ? "xcb" : "wayland");
    return true;
  }
  if (env("DISPLAY").empty() && env("WAYLAND_DISPLAY").empty()) {
    *why = "DISPLAY is not set";
  } else if (env("WAYLAND_DISPLAY").empty()) {
    *why = xProblem();
  } else {
    *why = (env("DISPLAY").empty() ? waylandProblem() : xProblem() + " and " + waylandProblem());
  }
  return false;
}

// What the platform plugins say while Qt starts is held back: if the start
// fails, the last of it is the reason given; if not, it is passed on.
DisplayStartGuard::DisplayStartGuard() {
  held.clear();
  previousHandler = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& msg) {
    if (type != QtFatalMsg) {
      if (context.category && std::strncmp(context.category, "qt.qpa", 6) == 0) {
        held.emplace_back(type, msg);
      } else if (previousHandler) {
        previousHandler(type, context, msg);
      } else {
        std::fprintf(stderr, "%s\n", msg.toLocal8Bit().constData());
      }
      return;
    }
    const QString reason = held.empty() ? QStringLiteral("Qt's platform plugin could not start") : held.back().second;
    std::fprintf(stderr, "bulwarn: no display found (%s); start it from a desktop session\n",
                 reason.toLocal8Bit().constData());
    std::fflush(stderr);
    std::_Exit(2);
  });
}

DisplayStartGuard::~DisplayStartGuard() {
  releaseX();
  qInstallMessageHandler(previousHandler);
  for (const auto& [type, msg] : held) {
    const QMessageLogContext context(nullptr, 0, nullptr, "qt.qpa");
    qt_message_output(type, context, msg);
  }
  held.clear();
}

}  // namespace forms

#include "app/Signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>

namespace bulwarn {

namespace {

int pipeFds[2] = {-1, -1};

void caught(int signal) {
  const int saved = errno;
  const auto byte = static_cast<unsigned char>(signal);
  // A full pipe has a signal waiting to be read already.
  [[maybe_unused]] const ssize_t written = ::write(pipeFds[1], &byte, 1);
  errno = saved;
}

}  // namespace

void endOnSignals(std::function<void(const char* signal)> end) {
  if (::pipe2(pipeFds, O_CLOEXEC | O_NONBLOCK) != 0) return;  // the signals keep their defaults
  auto* notifier = new QSocketNotifier(pipeFds[0], QSocketNotifier::Read, qApp);
  QObject::connect(notifier, &QSocketNotifier::activated, [end = std::move(end)] {
    unsigned char byte = 0;
    while (::read(pipeFds[0], &byte, 1) == 1)
      end(byte == SIGTERM ? "SIGTERM" : byte == SIGINT ? "SIGINT" : "SIGHUP");
  });
  struct sigaction sa {};
  sa.sa_handler = caught;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = SA_RESTART | SA_RESETHAND;
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
    struct sigaction was {};
    if (::sigaction(signal, nullptr, &was) == 0 && was.sa_handler != SIG_IGN) ::sigaction(signal, &sa, nullptr);
  }
}

}  // namespace bulwarn

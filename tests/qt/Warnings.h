// The warnings the program logs, kept for the tests to count.
#pragma once

#include <QString>
#include <QtGlobal>
#include <algorithm>
#include <mutex>
#include <vector>

namespace toy {

// Collects every warning logged while it lives (the sound thread logs too).
class Warnings {
 public:
  Warnings() {
    std::lock_guard<std::mutex> lock(mutex());
    all().clear();
    qInstallMessageHandler([](QtMsgType t, const QMessageLogContext&, const QString& m) {
      std::lock_guard<std::mutex> lock(mutex());
      if (t == QtWarningMsg) all().push_back(m);
    });
  }
  ~Warnings() { qInstallMessageHandler(nullptr); }
  Warnings(const Warnings&) = delete;
  Warnings& operator=(const Warnings&) = delete;
  // How many of them mention `part`.
  static long about(const QString& part) {
    std::lock_guard<std::mutex> lock(mutex());
    return std::count_if(all().begin(), all().end(), [&](const QString& l) { return l.contains(part); });
  }

 private:
  static std::vector<QString>& all() {
    static std::vector<QString> w;
    return w;
  }
  static std::mutex& mutex() {
    static std::mutex m;
    return m;
  }
};

}  // namespace toy

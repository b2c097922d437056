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
    const std::lock_guard<std::mutex> lock(mutex_);
    all_.clear();
    qInstallMessageHandler(keep);
  }
  ~Warnings() { qInstallMessageHandler(nullptr); }
  // How many of them mention `part`.
  static long about(const QString& part) {
    const std::lock_guard<std::mutex> lock(mutex_);
    return std::count_if(all_.begin(), all_.end(), [&](const QString& l) { return l.contains(part); });
  }

 private:
  static void keep(QtMsgType type, const QMessageLogContext&, const QString& message) {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (type == QtWarningMsg) all_.push_back(message);
  }
  inline static std::mutex mutex_;
  inline static std::vector<QString> all_;
};

}  // namespace toy

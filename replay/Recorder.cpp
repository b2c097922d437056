#include "replay/Recorder.h"

#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <vector>

namespace bulwarn::replay {

namespace fs = std::filesystem;

// ---- the file and its writer ----

namespace {

// Creates the folder and any parent missing, each 0700 as the XDG base
// directory rules ask (others are not to plant files there); empty, or why not.
std::string makeFolder(const std::string& dir) {
  struct stat st {};
  if (::stat(dir.c_str(), &st) == 0) return S_ISDIR(st.st_mode) ? "" : dir + " is not a folder";
  if (const auto slash = dir.rfind('/'); slash != std::string::npos && slash > 0)
    if (std::string why = makeFolder(dir.substr(0, slash)); !why.empty()) return why;
  if (::mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST)
    return "cannot create the folder " + dir + ": " + std::strerror(errno);
  return "";
}

}  // namespace

bool FileJournal::create() {
  const std::string folder = fs::path(path_).parent_path().string();
  std::string why = folder.empty() ? "" : makeFolder(folder);
  if (why.empty()) {
    fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd_ < 0) why = path_ + ": " + std::strerror(errno);
  }
  if (!why.empty()) {
    failed_ = true;
    report_("cannot record this game (" + why + "); playing on without recording");
    return false;
  }
  struct stat st {};
  if (!folder.empty() && ::stat(folder.c_str(), &st) == 0 && (st.st_mode & (S_IWGRP | S_IWOTH)))
    report_("warning: others can write to " + folder + ", where this game is recorded");
  return true;
}

void FileJournal::start(std::string path, std::function<void()> housekeeping) {
  path_ = std::move(path);
  if (!report_) report_ = [](const std::string& m) { std::fprintf(stderr, "bulwarn: %s\n", m.c_str()); };
  // A file size limit (ulimit -f) then fails the write, which is told once,
  // instead of killing the game.
  std::signal(SIGXFSZ, SIG_IGN);
  writer_ = std::thread([this, housekeeping = std::move(housekeeping)] {
    pthread_setname_np(pthread_self(), "recorder");  // for top, ps and debuggers
    if (create() && housekeeping) housekeeping();
    run();
  });
}

FileJournal::~FileJournal() {
  if (writer_.joinable()) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      stop_ = true;
    }
    wake_.notify_one();
    writer_.join();
  }
  if (fd_ >= 0) ::close(fd_);
}

void FileJournal::begin(const Header& h) {
  if (failed()) return;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    header_ = headerLine(h) + '\n';
  }
  wake_.notify_one();
}

void FileJournal::append(Event&& e) {
  if (failed()) return;
  bool first = false;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    first = queue_.empty();
    queue_.push_back(std::move(e));
  }
  if (first) wake_.notify_one();
}

void FileJournal::checkpoint() {
  if (failed()) return;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    urgent_ = true;
  }
  wake_.notify_one();
}

void FileJournal::run() {
  std::unique_lock<std::mutex> lock(mutex_);
  std::vector<Event> events;
  while (true) {
    // Asleep while there is nothing to write; then events gather for at most a second.
    wake_.wait(lock, [this] { return stop_ || urgent_ || !header_.empty() || !queue_.empty(); });
    wake_.wait_for(lock, std::chrono::seconds(1), [this] { return stop_ || urgent_; });
    std::string chunk;
    chunk.swap(header_);
    events.swap(queue_);  // the game's thread goes on with the emptied vector
    urgent_ = false;
    const bool stopping = stop_;
    lock.unlock();
    for (const Event& e : events) {
      chunk += eventLine(e);
      chunk += '\n';
    }
    events.clear();
    if (!chunk.empty() && !failed()) writeOut(chunk);
    lock.lock();
    if (stopping && queue_.empty()) return;
  }
}

bool FileJournal::writeOut(const std::string& chunk) {
  std::size_t done = 0;
  while (done < chunk.size()) {
    const ssize_t n = ::write(fd_, chunk.data() + done, chunk.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      const int err = n < 0 ? errno : ENOSPC;
      // Cut back to the last whole line, so the file still reads to its end.
      if (::ftruncate(fd_, static_cast<off_t>(written_)) != 0) {
      }
      failed_ = true;
      report_("cannot go on recording this game (" + path_ + ": " + std::strerror(err) +
              "); playing on without recording");
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  written_ += static_cast<long long>(chunk.size());
  return true;
}

// ---- the recorder ----

Recorder::Recorder(forms::Runtime& rt, Journal& journal, const std::string& programVersion)
    : rt_(rt), journal_(journal) {
  Header h;
  h.version = programVersion;
  const forms::ScreenInfo s = rt.screen();
  h.screenW = s.widthTwips;
  h.screenH = s.heightTwips;
  h.tppX = s.twipsPerPixelX;
  h.tppY = s.twipsPerPixelY;
  h.seed = rt.random().state();
  h.beat = rt.timerBeat();
  h.tod = rt.timeOfDayAtStart();
  const std::time_t now = std::time(nullptr);
  std::tm utc{};
  char when[32];
  if (gmtime_r(&now, &utc) && std::strftime(when, sizeof when, "%Y-%m-%dT%H:%M:%SZ", &utc)) h.started = when;
  journal_.begin(h);
  rt_.setObserver(this);
}

Recorder::~Recorder() {
  if (rt_.observer() == this) rt_.setObserver(nullptr);
  journal_.checkpoint();
}

void Recorder::heard(const forms::RuntimeEvent& e) {
  if (journal_.failed()) return;
  Event r = recordOf(e);
  if (e.kind == Kind::End) r.name = signal_;
  journal_.append(std::move(r));
  ++lines_;
  if (e.kind == Kind::End) journal_.checkpoint();
}

// ---- where recordings are kept ----

std::string recordingsFolder() {
  // Only an absolute XDG_STATE_HOME counts; a relative one is to be ignored.
  const char* state = std::getenv("XDG_STATE_HOME");
  if (state && state[0] == '/') return std::string(state) + "/bulwarn";
  const char* home = std::getenv("HOME");
  if (home && home[0] == '/') return std::string(home) + "/.local/state/bulwarn";
  return {};
}

namespace {

// When a recording named by newRecordingPath started, as a key that sorts
// oldest first; empty for any other name.
std::string startedOf(const std::string& n) {
  // bulwarn-YYYYMMDDTHHMMSSZ-PID.replay
  constexpr std::size_t kStamp = 8, kPid = kStamp + 17, kExt = 7;
  if (n.size() < kPid + 1 + kExt || n.size() > kPid + 10 + kExt || n.compare(0, kStamp, "bulwarn-") != 0 ||
      n.compare(n.size() - kExt, kExt, ".replay") != 0 || n[kStamp + 8] != 'T' || n.compare(kStamp + 15, 2, "Z-") != 0)
    return {};
  auto digits = [&n](std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to; ++i)
      if (n[i] < '0' || n[i] > '9') return false;
    return true;
  };
  if (!digits(kStamp, kStamp + 8) || !digits(kStamp + 9, kStamp + 15) || !digits(kPid, n.size() - kExt)) return {};
  // Same second: the process ids, padded to sort as numbers.
  return n.substr(kStamp, 15) + std::string(kPid + 10 + kExt - n.size(), '0') + n.substr(kPid, n.size() - kExt - kPid);
}

}  // namespace

std::string newRecordingPath(const std::string& folder) {
  const std::time_t now = std::time(nullptr);
  std::tm utc{};
  char when[32] = "19700101T000000Z";
  if (gmtime_r(&now, &utc)) std::strftime(when, sizeof when, "%Y%m%dT%H%M%SZ", &utc);
  return folder + "/bulwarn-" + when + "-" + std::to_string(::getpid()) + ".replay";
}

void pruneRecordings(const std::string& folder, int keep, const std::string& writing) {
  std::error_code ec;
  std::vector<std::pair<std::string, fs::path>> found;  // by when they started
  const fs::path current = fs::path(writing).filename();
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const fs::path name = it->path().filename();
    if (name == current || !it->is_regular_file(ec)) continue;
    if (std::string key = startedOf(name.string()); !key.empty()) found.emplace_back(std::move(key), it->path());
  }
  std::sort(found.begin(), found.end());
  // The one being written is the newest, whatever the clock said.
  for (std::size_t i = 0; i + static_cast<std::size_t>(keep) < found.size() + 1; ++i) fs::remove(found[i].second, ec);
}

}  // namespace bulwarn::replay

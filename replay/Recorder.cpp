#include "replay/Recorder.h"

#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
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

void FileJournal::start(std::string path, std::function<void()> housekeeping) {
  path_ = std::move(path);
  if (!report_) report_ = [](const std::string& m) { std::fprintf(stderr, "bulwarn: %s\n", m.c_str()); };
  writer_ = std::thread([this, housekeeping = std::move(housekeeping)] {
    pthread_setname_np(pthread_self(), "recorder");  // for top, ps and debuggers
    std::error_code ec;
    fs::create_directories(fs::path(path_).parent_path(), ec);
    fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd_ < 0) {
      failed_ = true;
      report_("cannot record this game (" + path_ + ": " + std::strerror(errno) + "); playing on without recording");
    } else if (housekeeping) {
      housekeeping();
    }
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
bool isRecordingName(const std::string& n) {
  return n.size() > 15 && n.compare(0, 8, "bulwarn-") == 0 && n.compare(n.size() - 7, 7, ".replay") == 0;
}
}  // namespace

std::string newRecordingPath(const std::string& folder) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  char when[32] = "unknown";
  if (localtime_r(&now, &local)) std::strftime(when, sizeof when, "%Y%m%d-%H%M%S", &local);
  return folder + "/bulwarn-" + when + "-" + std::to_string(::getpid()) + ".replay";
}

void pruneRecordings(const std::string& folder, int keep) {
  std::error_code ec;
  std::vector<fs::path> found;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
    if (isRecordingName(it->path().filename().string()) && it->is_regular_file(ec)) found.push_back(it->path());
  // Names begin with the date and time: the oldest sort first.
  std::sort(found.begin(), found.end());
  for (std::size_t i = 0; i + static_cast<std::size_t>(keep) < found.size(); ++i) fs::remove(found[i], ec);
}

}  // namespace bulwarn::replay

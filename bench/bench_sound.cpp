// Sound start under a real audio server: the time from a cue call on the
// game's thread to the first samples of that cue handed to the server.
// bench/run starts a private PulseAudio server with a null sink for it.
//
// This program defines pa_stream_write and pa_stream_connect_playback itself,
// so Qt's audio output calls these first (the executable's symbols come
// first); they note when a stream opens and when the first non-silent samples
// go out, and hand everything on to libpulse.
#include <dlfcn.h>

#include <QApplication>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "platform/qt/QtRuntime.h"

namespace {

using Clock = std::chrono::steady_clock;

std::int64_t nowNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch()).count();
}

// Written on PulseAudio's thread, read on the main thread.
std::atomic<std::int64_t> firstSound{0};  // first non-silent write since the last arming
std::atomic<std::int64_t> lastSound{0};   // the latest non-silent write
std::atomic<bool> armed{false};
std::atomic<long> writes{0};
std::atomic<std::int64_t> lastConnect{0};  // the latest new playback stream

bool audible(const void* data, size_t n) {
  const auto* b = static_cast<const unsigned char*>(data);
  return data && std::any_of(b, b + n, [](unsigned char c) { return c != 0; });
}

double pct(std::vector<double> v, double p) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[std::min(v.size() - 1, static_cast<size_t>(p / 100.0 * static_cast<double>(v.size())))];
}

}  // namespace

// The types are libpulse's, spelled without its headers: pointers, a callback,
// an offset and an enum passed as int.
extern "C" int pa_stream_write(void* s, const void* data, size_t nbytes, void (*freeCb)(void*), std::int64_t offset,
                               int seek) {
  using Fn = int (*)(void*, const void*, size_t, void (*)(void*), std::int64_t, int);
  static const auto real = reinterpret_cast<Fn>(dlsym(RTLD_NEXT, "pa_stream_write"));
  ++writes;
  if (audible(data, nbytes)) {
    const std::int64_t t = nowNs();
    lastSound = t;
    if (armed.exchange(false)) firstSound = t;
  }
  return real ? real(s, data, nbytes, freeCb, offset, seek) : -1;
}

extern "C" int pa_stream_connect_playback(void* s, const char* dev, const void* attr, int flags, const void* volume,
                                          void* syncStream) {
  using Fn = int (*)(void*, const char*, const void*, int, const void*, void*);
  static const auto real = reinterpret_cast<Fn>(dlsym(RTLD_NEXT, "pa_stream_connect_playback"));
  lastConnect = nowNs();
  return real ? real(s, dev, attr, flags, volume, syncStream) : -1;
}

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  QApplication app(argc, argv);
  forms::QtRuntime rt;
  const char* cues[] = {"Maingun.WAV",  "ArtilleryHit.WAV", "LargExplos.WAV",    "BattleBang.WAV",
                        "JetCrash.WAV", "CannonAttack.WAV", "MachGunAttack.WAV", "MissileAttack.WAV"};
  std::vector<double> cold, warm, opened;
  int lost = 0;
  for (int r = 0; r <= rounds && !(r > 0 && writes.load() == 0); ++r) {
    for (const char* name : cues) {
      // Let the cue before go quiet, so its samples are not taken for this one's.
      while (nowNs() - lastSound.load() < 200'000'000) std::this_thread::sleep_for(std::chrono::milliseconds(5));
      firstSound = 0;
      armed = true;
      const std::int64_t t0 = nowNs();
      rt.playAsync(std::string(BULWARN_SOURCE_DIR "/assets/sounds/") + name);
      while (firstSound.load() == 0 && nowNs() - t0 < 3'000'000'000)
        std::this_thread::sleep_for(std::chrono::microseconds(100));
      const std::int64_t t1 = firstSound.load();
      armed = false;
      if (t1 == 0 && writes.load() == 0) break;  // nothing to play on: no point waiting for the rest
      if (t1 == 0) {
        ++lost;
        continue;
      }
      (r == 0 ? cold : warm).push_back(static_cast<double>(t1 - t0) / 1e6);
      if (r > 0 && lastConnect.load() > t0) opened.push_back(static_cast<double>(lastConnect.load() - t0) / 1e6);
    }
  }
  if (writes.load() == 0) {
    std::printf("%-24s  no samples reached an audio server (none running?); not measured\n", "sound-start");
    return 0;
  }
  std::printf("%-24s %10s %10s %9s %9s %9s\n", "sound start", "cues", "lost", "", "p50 ms", "p99 ms");
  std::printf("%-24s %10zu %10s %9s %9.2f %9.2f  (first play of each cue: loads it)\n", "sound-start-first",
              cold.size(), "", "", pct(cold, 50), pct(cold, 99));
  std::printf("%-24s %10zu %10d %9s %9.2f %9.2f  (call to first samples written)\n", "sound-start", warm.size(), lost,
              "", pct(warm, 50), pct(warm, 99));
  std::printf("%-24s %10zu %10s %9s %9.2f %9.2f  (of which: call to its stream opened)\n", "sound-stream-open",
              opened.size(), "", "", pct(opened, 50), pct(opened, 99));
  return lost == 0 ? 0 : 1;
}

// Headless simulation speed: whole programs played by the monkey on the
// virtual clock. Prints game-seconds per wall-second and events per second.
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "monkey/Monkey.h"

int main(int argc, char** argv) {
  const long long events = argc > 1 ? std::atoll(argv[1]) : 400000;
  const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
  std::printf("%-28s %12s %14s %14s %10s\n", "run", "events", "events/s", "game s/wall s", "missions");
  for (int r = 0; r < runs; ++r) {
    bulwarn::monkey::SeededChoices choices(1000 + static_cast<unsigned>(r));
    bulwarn::monkey::Monkey m(choices, 1000 + static_cast<unsigned>(r));
    m.setChecking(false);
    const auto t0 = std::chrono::steady_clock::now();
    const auto s = m.play(events);
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    std::printf("headless-sim seed %-10d %12lld %14.0f %14.0f %10lld%s\n", 1000 + r, s.events,
                static_cast<double>(s.events) / wall, static_cast<double>(s.gameMs) / 1000.0 / wall, s.missions,
                s.failure.empty() ? "" : "  FAILED");
  }
  return 0;
}

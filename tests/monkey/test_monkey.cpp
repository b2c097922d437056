// The monkey under fixed seeds (CI), and an exploratory run with a seed from
// the clock (label monkey-long; BULWARN_MONKEY_EVENTS sets its length).
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <iostream>

#include "Monkey.h"

namespace bulwarn::monkey {
namespace {

long long envOr(const char* name, long long fallback) {
  const char* v = std::getenv(name);
  return v && *v ? std::atoll(v) : fallback;
}

// Each program it plays is also replayed from its recording, and must end alike.
Stats playSeed(std::uint64_t seed, long long events) {
  SeededChoices choices(seed);
  Monkey m(choices, seed);
  m.setRecording(".", true);
  const Stats s = m.play(events);
  EXPECT_EQ(s.failure, "") << "reproduce: seed " << seed << ", after " << s.events << " events";
  EXPECT_GE(m.replaysVerified(), s.programs);
  std::cout << "seed " << seed << ": " << s.events << " events, " << s.programs << " programs, " << s.missions
            << " missions (" << s.victories << " won, " << s.breaches << " breached, " << s.defeats << " gun lost), "
            << s.gameMs / 1000 << " s of game time; " << s.attacks << " attacks, " << s.attacksDuringSupply
            << " looks at one during a reload or repair, " << s.endedInMidShot << " ends in mid-shot\n";
  return s;
}

TEST(Monkey, FixedSeedsKeepEveryInvariant) {
  const long long perSeed = envOr("BULWARN_MONKEY_EVENTS_PER_SEED", 50000);
  Stats all;
  for (std::uint64_t seed : {1u, 2u, 3u, 4u, 5u, 6u, 7u, 8u}) {
    const Stats s = playSeed(seed, perSeed);
    all.victories += s.victories;
    all.breaches += s.breaches;
    all.defeats += s.defeats;
    all.attacksDuringSupply += s.attacksDuringSupply;
    all.endedInMidShot += s.endedInMidShot;
    all.hits += s.hits;
    all.misses += s.misses;
  }
  // The seeds reach every ending and the interleavings the gun's invariants are about.
  EXPECT_GT(all.victories, 0);
  EXPECT_GT(all.breaches, 0);
  EXPECT_GT(all.defeats, 0);
  EXPECT_GT(all.attacksDuringSupply, 0);
  EXPECT_GT(all.endedInMidShot, 0);
  EXPECT_GT(all.hits, 0);
  EXPECT_GT(all.misses, 0);
}

TEST(MonkeyLong, SeedFromTheClock) {
  const auto seed = static_cast<std::uint64_t>(
      envOr("BULWARN_MONKEY_SEED", std::chrono::system_clock::now().time_since_epoch().count()));
  playSeed(seed, envOr("BULWARN_MONKEY_EVENTS", 1000000));
}

}  // namespace
}  // namespace bulwarn::monkey

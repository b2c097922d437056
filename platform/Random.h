// The game's random generator: single-precision draws in [0, 1) with 24 random
// bits. Reseeding mixes the time of day into the current state, so two reseeds
// in the same clock tick still give independent draws.
#pragma once

#include <cstdint>

namespace forms {

class Random {
 public:
  explicit Random(std::uint64_t seed = 0x5EEDB0B5u) : state_(seed) {}
  void seed(std::uint64_t s) { state_ = s; }
  void mix(std::uint64_t entropy) { state_ = splitmix(state_ ^ splitmix(entropy + 0x9E3779B97F4A7C15ull)); }
  float next() {
    state_ += 0x9E3779B97F4A7C15ull;
    std::uint64_t z = splitmix(state_);
    return static_cast<float>(z >> 40) * (1.0f / 16777216.0f);
  }
  std::uint64_t state() const { return state_; }

 private:
  static std::uint64_t splitmix(std::uint64_t z) {
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  std::uint64_t state_;
};

}  // namespace forms

// libFuzzer entry: the input bytes choose the monkey's events and answers; any
// broken invariant or sanitizer finding is a crash the fuzzer keeps.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "monkey/Monkey.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  bulwarn::monkey::ByteChoices choices(data, size);
  bulwarn::monkey::Monkey m(choices, 7);
  const auto s = m.play(static_cast<long long>(size));
  if (!s.failure.empty()) {
    std::fprintf(stderr, "invariant broken after %lld events: %s\n", s.events, s.failure.c_str());
    std::abort();
  }
  return 0;
}

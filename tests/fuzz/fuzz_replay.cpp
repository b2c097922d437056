// libFuzzer entry: any bytes as a recording. The reader refuses what it cannot
// read with a FormatError; what it reads is replayed, and may only end, stop
// or diverge, never crash (sanitizers watch).
#include <cstdint>
#include <string_view>

#include "replay/Recording.h"
#include "replay/Replay.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    const bulwarn::replay::Recording rec = bulwarn::replay::parse(std::string(text));
    // Long spans of time only cost catching up silent ticks; keep runs quick.
    if (rec.lastAt <= 600000) bulwarn::replay::replay(rec);
  } catch (const bulwarn::replay::FormatError&) {
  }
  return 0;
}

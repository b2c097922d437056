// The game's numbers are 16-bit signed; arithmetic on them saturates instead of
// wrapping, so no sum can silently turn a score or a count into nonsense.
#pragma once

#include <cstdint>
#include <limits>
#include <string>

namespace forms {

constexpr std::int16_t sat16(long long v) {
  return v > std::numeric_limits<std::int16_t>::max()   ? std::numeric_limits<std::int16_t>::max()
         : v < std::numeric_limits<std::int16_t>::min() ? std::numeric_limits<std::int16_t>::min()
                                                        : static_cast<std::int16_t>(v);
}

// VB's Str$: a leading blank for zero and positive values.
std::string strSigned(long long v);
// Plain decimal text: a minus sign when negative, no leading blank.
std::string strPlain(long long v);

}  // namespace forms

// The battle's random draws.
#pragma once

#include <cmath>

#include "platform/Runtime.h"

namespace bulwarn {

// A fresh draw R in [0, 1) turned into one of the n whole numbers base ..
// base + n - 1, each as likely: the whole part of R × n, plus base. Taking the
// whole part before adding keeps the top: R × n stays below n in single
// precision even for the largest R, whereas R × n + base rounds up to base + n.
inline int draw(forms::Runtime& rt, int n, int base) {
  return static_cast<int>(std::floor(rt.Rnd() * static_cast<float>(n))) + base;
}

}  // namespace bulwarn

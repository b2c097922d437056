// OLE colours: 0x00BBGGRR, or 0x8000000N for system colour N.
#pragma once

#include <cstdint>

namespace forms {

using OleColor = std::uint32_t;

struct Rgb {
  std::uint8_t r, g, b;
  bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

constexpr OleColor kSysDesktop = 0x80000001;     // system colour 1
constexpr OleColor kSysHighlight = 0x8000000D;   // system colour 13
constexpr OleColor kSysButtonFace = 0x8000000F;  // system colour 15
constexpr OleColor kSysButtonText = 0x80000012;  // system colour 18

constexpr OleColor rgbOle(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return static_cast<OleColor>(r) | (static_cast<OleColor>(g) << 8) | (static_cast<OleColor>(b) << 16);
}

// Resolves system colours by the classic palette; plain colours are split.
Rgb resolveColor(OleColor c);

}  // namespace forms

#include "Colors.h"

namespace forms {

Rgb resolveColor(OleColor c) {
  if (c & 0x80000000u) {
    switch (c & 0xFFu) {
      case 1: return {0, 128, 128};     // desktop
      case 5: return {255, 255, 255};   // window
      case 8: return {0, 0, 0};         // window text
      case 13: return {0, 0, 128};      // highlight
      case 14: return {255, 255, 255};  // highlight text
      case 15: return {192, 192, 192};  // button face
      case 16: return {128, 128, 128};  // button shadow
      case 18: return {0, 0, 0};        // button text
      default: return {192, 192, 192};
    }
  }
  return {static_cast<std::uint8_t>(c & 0xFF), static_cast<std::uint8_t>((c >> 8) & 0xFF),
          static_cast<std::uint8_t>((c >> 16) & 0xFF)};
}

}  // namespace forms

// Key codes as Form_KeyDown receives them (the classic virtual-key codes).
#pragma once

namespace forms {

namespace Key {
constexpr int Enter = 13, Escape = 27, Space = 32;
constexpr int Left = 37, Up = 38, Right = 39, Down = 40;
}  // namespace Key

}  // namespace forms

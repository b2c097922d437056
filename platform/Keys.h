// Key codes as Form_KeyDown receives them (the classic virtual-key codes), the
// shift state that comes with them, and menu shortcuts in those terms.
#pragma once

#include <string>

namespace forms {

namespace Key {
constexpr int Backspace = 8, Tab = 9, Clear = 12, Enter = 13;
constexpr int Shift = 16, Control = 17, Alt = 18, Pause = 19, CapsLock = 20, Escape = 27, Space = 32;
constexpr int PageUp = 33, PageDown = 34, End = 35, Home = 36;
constexpr int Left = 37, Up = 38, Right = 39, Down = 40;
constexpr int Insert = 45, Delete = 46;
constexpr int D0 = 48, D9 = 57;  // the digits row: '0' .. '9'
constexpr int A = 65, Z = 90;    // letters: 'A' .. 'Z'
constexpr int Menu = 93;         // the context-menu key
constexpr int Numpad0 = 96, Numpad9 = 105;
constexpr int Multiply = 106, Add = 107, Subtract = 109, Decimal = 110, Divide = 111;
constexpr int F1 = 112, F2 = 113, F3 = 114, F12 = 123, F24 = 135;
constexpr int NumLock = 144, ScrollLock = 145;
// Punctuation, as on a US keyboard.
constexpr int Semicolon = 186, Equals = 187, Comma = 188, Minus = 189, Period = 190, Slash = 191;
constexpr int Backquote = 192, BracketLeft = 219, Backslash = 220, BracketRight = 221, Quote = 222;
}  // namespace Key

// Shift state bits.
namespace KeyShift {
constexpr int Shift = 1, Ctrl = 2, Alt = 4;
}

// A key with the modifiers held for it.
struct KeyChord {
  int code = 0;
  int shift = 0;
  bool operator==(const KeyChord& o) const { return code == o.code && shift == o.shift; }
};

// A menu shortcut as the menus spell it ("F2", "Ctrl+N", "Shift+F3"); code 0
// when the text names no key.
KeyChord parseShortcut(const std::string& text);

// Access keys: "&Fire!" is pressed with Alt+F and shows the F underlined; "&&"
// is a literal ampersand. The key's letter or digit in capitals, or 0.
char accessKeyOf(const std::string& caption);
// A caption as it reads on screen, without its access-key marks.
std::string withoutAccessMarks(const std::string& caption);

}  // namespace forms

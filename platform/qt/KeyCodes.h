// Qt keys in the game's terms: classic virtual-key codes and shift state.
#pragma once

#include <Qt>

namespace forms {

// The virtual-key code of a key as Qt reports it (a US keyboard's codes for
// punctuation); 0 for keys no form reads (media, browser and system keys).
int vbKeyCode(int qtKey, Qt::KeyboardModifiers mods);
// Shift state bits: 1 Shift, 2 Ctrl, 4 Alt.
int vbShiftState(Qt::KeyboardModifiers mods);

}  // namespace forms

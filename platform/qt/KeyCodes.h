// Qt keys in the game's terms: VB key codes and shift state.
#pragma once

#include <Qt>

namespace forms {

// The VB key code of a Qt key, 0 for keys the game has no code for.
int vbKeyCode(int qtKey, Qt::KeyboardModifiers mods);
// Shift state bits: 1 Shift, 2 Ctrl, 4 Alt.
int vbShiftState(Qt::KeyboardModifiers mods);

}  // namespace forms

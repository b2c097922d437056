// Qt keys in the game's terms: classic virtual-key codes and shift state, and
// the key events of the forms' windows taken to the runtime.
#pragma once

#include <QObject>
#include <Qt>
#include <functional>
#include <map>

class QWindow;

namespace forms {

class Form;
class Runtime;

// The virtual-key code of a key as Qt reports it (a US keyboard's codes for
// punctuation); 0 for keys no form reads (media, browser and system keys).
int vbKeyCode(int qtKey, Qt::KeyboardModifiers mods);
// Shift state bits: 1 Shift, 2 Ctrl, 4 Alt.
int vbShiftState(Qt::KeyboardModifiers mods);

// Watches the forms' windows for keys. Real key events reach a form's QWindow
// first and exactly once, so that is where the form takes them (mnemonics Qt
// has taken before); watching those windows alone spares every other event
// of the program a call.
class KeyRouter : public QObject {
 public:
  // `formOf` finds the form a window shows (null for none).
  KeyRouter(Runtime& rt, std::function<Form*(const QWindow*)> formOf);
  void watch(QWindow* w);
  // The window has gone: the keys held down in it are forgotten.
  void forget(const QWindow* w);

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  Runtime& rt_;
  std::function<Form*(const QWindow*)> formOf_;
  // Keys held down: the window that saw each press, and whether the form kept it.
  struct Held {
    const QWindow* window = nullptr;
    bool kept = false;
  };
  std::map<int, Held> keysDown_;
};

}  // namespace forms

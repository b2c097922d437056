#include "KeyCodes.h"

#include <QKeyEvent>
#include <QWindow>

#include "platform/Keys.h"
#include "platform/Runtime.h"

namespace forms {

namespace {

// Keys a key-preview form keeps to itself so no focused widget acts on them too.
bool previewOnly(int code) {
  return (code >= Key::Left && code <= Key::Down) || code == Key::Space || code == Key::Enter;
}

// Keys of the keypad, which Qt reports with KeypadModifier (with Num Lock on;
// off, they arrive as the arrows, Home, End and so on).
int keypadCode(int qtKey) {
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return Key::Numpad0 + (qtKey - Qt::Key_0);
  switch (qtKey) {
    case Qt::Key_Asterisk: return Key::Multiply;
    case Qt::Key_Plus: return Key::Add;
    case Qt::Key_Minus: return Key::Subtract;
    case Qt::Key_Period:
    case Qt::Key_Comma: return Key::Decimal;  // the keypad's decimal key, whatever the locale prints
    case Qt::Key_Slash: return Key::Divide;
    default: return 0;
  }
}

// Qt names the character a key types, so a shifted key arrives as its symbol:
// each is mapped back to the key that types it on a US keyboard.
int symbolCode(int qtKey) {
  switch (qtKey) {
    case Qt::Key_Exclam: return '1';
    case Qt::Key_At: return '2';
    case Qt::Key_NumberSign: return '3';
    case Qt::Key_Dollar: return '4';
    case Qt::Key_Percent: return '5';
    case Qt::Key_AsciiCircum: return '6';
    case Qt::Key_Ampersand: return '7';
    case Qt::Key_Asterisk: return '8';
    case Qt::Key_ParenLeft: return '9';
    case Qt::Key_ParenRight: return '0';
    case Qt::Key_Semicolon:
    case Qt::Key_Colon: return Key::Semicolon;
    case Qt::Key_Equal:
    case Qt::Key_Plus: return Key::Equals;
    case Qt::Key_Comma:
    case Qt::Key_Less: return Key::Comma;
    case Qt::Key_Minus:
    case Qt::Key_Underscore: return Key::Minus;
    case Qt::Key_Period:
    case Qt::Key_Greater: return Key::Period;
    case Qt::Key_Slash:
    case Qt::Key_Question: return Key::Slash;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde: return Key::Backquote;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft: return Key::BracketLeft;
    case Qt::Key_Backslash:
    case Qt::Key_Bar: return Key::Backslash;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight: return Key::BracketRight;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl: return Key::Quote;
    default: return 0;
  }
}

}  // namespace

int vbKeyCode(int qtKey, Qt::KeyboardModifiers mods) {
  if (mods.testFlag(Qt::KeypadModifier))
    if (const int k = keypadCode(qtKey)) return k;
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return qtKey;  // same codes as ASCII digits
  if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return qtKey;  // and capitals
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return Key::F1 + (qtKey - Qt::Key_F1);
  if (const int k = symbolCode(qtKey)) return k;
  switch (qtKey) {
    case Qt::Key_Backspace: return Key::Backspace;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return Key::Tab;  // Qt's name for Shift+Tab
    case Qt::Key_Clear: return Key::Clear;  // keypad 5 with Num Lock off
    case Qt::Key_Return:
    case Qt::Key_Enter: return Key::Enter;
    case Qt::Key_Shift: return Key::Shift;
    case Qt::Key_Control: return Key::Control;
    case Qt::Key_Alt:
    case Qt::Key_AltGr: return Key::Alt;
    case Qt::Key_Pause: return Key::Pause;
    case Qt::Key_CapsLock: return Key::CapsLock;
    case Qt::Key_Escape: return Key::Escape;
    case Qt::Key_Space: return Key::Space;
    case Qt::Key_PageUp: return Key::PageUp;
    case Qt::Key_PageDown: return Key::PageDown;
    case Qt::Key_End: return Key::End;
    case Qt::Key_Home: return Key::Home;
    case Qt::Key_Left: return Key::Left;
    case Qt::Key_Up: return Key::Up;
    case Qt::Key_Right: return Key::Right;
    case Qt::Key_Down: return Key::Down;
    case Qt::Key_Insert: return Key::Insert;
    case Qt::Key_Delete: return Key::Delete;
    case Qt::Key_Menu: return Key::Menu;
    case Qt::Key_NumLock: return Key::NumLock;
    case Qt::Key_ScrollLock: return Key::ScrollLock;
    default: return 0;
  }
}

int vbShiftState(Qt::KeyboardModifiers mods) {
  int s = 0;
  if (mods.testFlag(Qt::ShiftModifier)) s |= KeyShift::Shift;
  if (mods.testFlag(Qt::ControlModifier)) s |= KeyShift::Ctrl;
  if (mods.testFlag(Qt::AltModifier)) s |= KeyShift::Alt;
  return s;
}

KeyRouter::KeyRouter(Runtime& rt, std::function<Form*(const QWindow*)> formOf) : rt_(rt), formOf_(std::move(formOf)) {}

void KeyRouter::watch(QWindow* w) { w->installEventFilter(this); }

void KeyRouter::forget(const QWindow* w) {
  for (auto it = keysDown_.begin(); it != keysDown_.end();)
    it = it->second.window == w ? keysDown_.erase(it) : std::next(it);
}

bool KeyRouter::eventFilter(QObject* watched, QEvent* e) {
  const QEvent::Type type = e->type();
  if ((type != QEvent::KeyPress && type != QEvent::KeyRelease) || !watched->isWindowType()) return false;
  auto* window = static_cast<QWindow*>(watched);
  Form* form = formOf_(window);
  if (!form) return false;
  const auto* ke = static_cast<QKeyEvent*>(e);
  auto held = keysDown_.find(ke->key());
  const bool pressedHere = held != keysDown_.end() && held->second.window == window;
  if (type == QEvent::KeyRelease) {
    // A release is no key for the form. One whose press went to another
    // window (which that press closed) goes nowhere; nor does the release of
    // a key the form kept to itself, so no focused button acts on it.
    const bool kept = !pressedHere || held->second.kept;
    if (held != keysDown_.end() && !ke->isAutoRepeat()) keysDown_.erase(held);
    return kept;
  }
  // A key held down since another window took its press repeats nothing here.
  if (ke->isAutoRepeat() && !pressedHere) return true;
  const int code = vbKeyCode(ke->key(), ke->modifiers());
  // The shift state comes with each key, never from presses remembered, so a
  // modifier whose release went elsewhere cannot stay down.
  const Runtime::KeyTaken taken = rt_.userKey(*form, code, vbShiftState(ke->modifiers()));
  const bool kept = taken == Runtime::KeyTaken::Shortcut || taken == Runtime::KeyTaken::AccessKey ||
                    (taken == Runtime::KeyTaken::Preview && previewOnly(code));
  keysDown_[ke->key()] = {window, kept};
  return kept;
}

}  // namespace forms

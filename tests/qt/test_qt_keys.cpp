// Keys as Qt reports them, keys that outlive their window, and access keys in captions.
#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QWindow>

#include "ToyForms.h"
#include "platform/Keys.h"
#include "platform/qt/KeyCodes.h"

namespace toy {
namespace {

// Qt names the character a key types; the form gets the key's classic code.
// (Letters, digits and Space, whose Qt key is their code, are left out.)
TEST(KeyCodes, EveryKeyArrivesWithTheCodeOfTheKeyThatTypedIt) {
  struct Case {
    int qt;
    Qt::KeyboardModifiers mods;
    int code;
  };
  const Qt::KeyboardModifiers none, shift = Qt::ShiftModifier, pad = Qt::KeypadModifier;
  const Case cases[] = {
      {Qt::Key_Exclam, shift, '1'},       {Qt::Key_ParenRight, shift, '0'},   {Qt::Key_Asterisk, shift, '8'},
      {Qt::Key_Semicolon, none, 186},     {Qt::Key_Colon, shift, 186},        {Qt::Key_Equal, none, 187},
      {Qt::Key_Plus, shift, 187},         {Qt::Key_Comma, none, 188},         {Qt::Key_Less, shift, 188},
      {Qt::Key_Minus, none, 189},         {Qt::Key_Underscore, shift, 189},   {Qt::Key_Period, none, 190},
      {Qt::Key_Greater, shift, 190},      {Qt::Key_Slash, none, 191},         {Qt::Key_Question, shift, 191},
      {Qt::Key_QuoteLeft, none, 192},     {Qt::Key_AsciiTilde, shift, 192},   {Qt::Key_BracketLeft, none, 219},
      {Qt::Key_BraceLeft, shift, 219},    {Qt::Key_Backslash, none, 220},     {Qt::Key_Bar, shift, 220},
      {Qt::Key_BracketRight, none, 221},  {Qt::Key_BraceRight, shift, 221},   {Qt::Key_Apostrophe, none, 222},
      {Qt::Key_QuoteDbl, shift, 222},     {Qt::Key_F1, none, 112},            {Qt::Key_F12, none, 123},
      {Qt::Key_F24, none, 135},           {Qt::Key_0, pad, 96},               {Qt::Key_9, pad, 105},
      {Qt::Key_Asterisk, pad, 106},       {Qt::Key_Plus, pad, 107},           {Qt::Key_Minus, pad, 109},
      {Qt::Key_Period, pad, 110},         {Qt::Key_Comma, pad, 110},          {Qt::Key_Slash, pad, 111},
      {Qt::Key_Enter, pad, 13},           {Qt::Key_Home, pad, 36},            {Qt::Key_Clear, pad, 12},
      {Qt::Key_Left, none, 37},           {Qt::Key_Up, none, 38},             {Qt::Key_Right, none, 39},
      {Qt::Key_Down, none, 40},           {Qt::Key_Home, none, 36},           {Qt::Key_End, none, 35},
      {Qt::Key_PageUp, none, 33},         {Qt::Key_PageDown, none, 34},       {Qt::Key_Insert, none, 45},
      {Qt::Key_Delete, none, 46},         {Qt::Key_Return, none, 13},         {Qt::Key_Escape, none, 27},
      {Qt::Key_Tab, none, 9},             {Qt::Key_Backtab, shift, 9},        {Qt::Key_Backspace, none, 8},
      {Qt::Key_Shift, shift, 16},         {Qt::Key_Control, none, 17},        {Qt::Key_Alt, none, 18},
      {Qt::Key_Pause, none, 19},          {Qt::Key_CapsLock, none, 20},       {Qt::Key_NumLock, none, 144},
      {Qt::Key_ScrollLock, none, 145},    {Qt::Key_Menu, none, 93},
  };
  for (const Case& c : cases)
    EXPECT_EQ(forms::vbKeyCode(c.qt, c.mods), c.code) << "Qt key 0x" << std::hex << c.qt;
  EXPECT_EQ(forms::vbShiftState(Qt::ShiftModifier | Qt::AltModifier | Qt::KeypadModifier), 5);
  EXPECT_EQ(forms::vbShiftState(Qt::ControlModifier), 2);
}

void send(QWindow* w, QEvent::Type type, int key, Qt::KeyboardModifiers mods, bool repeat) {
  QKeyEvent e(type, key, mods, QString(), repeat);
  QCoreApplication::sendEvent(w, &e);
}

// Enter held on a dialog that closes on it: the keyboard goes on repeating it
// into the window behind, which must not fire for each repeat, and Ctrl, let go
// there, must not stay down for the keys after.
TEST_F(QtForms, AKeyHeldFromAWindowThatClosedOnItsPressRepeatsNothingAndLeavesNoModifierDown) {
  auto& battle = make();
  battle.KeyPreview = true;
  battle.Show();
  auto& dialog = make("frmDialog");
  dialog.Show();
  QWindow* front = rt.window(dialog)->windowHandle();
  QWindow* behind = rt.window(battle)->windowHandle();
  send(front, QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier, false);
  send(front, QEvent::KeyPress, Qt::Key_Return, Qt::ControlModifier, false);
  dialog.Unload();
  for (int i = 0; i < 3; ++i) {
    send(behind, QEvent::KeyRelease, Qt::Key_Return, Qt::ControlModifier, true);
    send(behind, QEvent::KeyPress, Qt::Key_Return, Qt::ControlModifier, true);
  }
  send(behind, QEvent::KeyRelease, Qt::Key_Return, Qt::ControlModifier, false);
  send(behind, QEvent::KeyRelease, Qt::Key_Control, Qt::NoModifier, false);
  EXPECT_TRUE(battle.keys.empty());
  // A key pressed and held here repeats, with no modifier left over.
  send(behind, QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier, false);
  send(behind, QEvent::KeyRelease, Qt::Key_Left, Qt::NoModifier, true);
  send(behind, QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier, true);
  send(behind, QEvent::KeyRelease, Qt::Key_Left, Qt::NoModifier, false);
  EXPECT_EQ(battle.keys, (std::vector<std::pair<int, int>>{{37, 0}, {37, 0}}));
}

// The bounding box of dark pixels in a logical rectangle of a grab.
QRect inkIn(const QImage& img, QRect r) {
  QRect ink;
  forEachPixel(img, r,
               [&](int x, int y, const QColor& c) { ink |= c.lightness() < 128 ? QRect(x, y, 1, 1) : QRect(); });
  return ink;
}

TEST_F(QtForms, LabelCaptionsUnderlineTheirAccessKeyAndShowADoubledAmpersandOnce) {
  auto& f = make();
  f.lblRed.BackColor = 0x00FFFFFF;
  f.lblRed.ForeColor = 0;
  f.Show();
  // Inside the label by a pixel: at a fractional scale its edge rows blend
  // with the form around it.
  const QRect box(21, 31, 98, 48);
  auto ink = [&](const char* caption) {
    f.lblRed.Caption = caption;
    QApplication::processEvents();
    return inkIn(rt.grab(f), box);
  };
  const QRect plain = ink("Fire"), marked = ink("&Fire");
  ASSERT_FALSE(plain.isEmpty());
  const double near = 2 * rt.grab(f).devicePixelRatio();  // an underline may reach a pixel past the glyphs
  // No ampersand drawn: the word starts and ends where it did; the underline reaches lower.
  EXPECT_NEAR(marked.left(), plain.left(), near);
  EXPECT_NEAR(marked.right(), plain.right(), near);
  EXPECT_GT(marked.bottom(), plain.bottom());
  // "&&" is one ampersand, drawn; "&B" is B underlined.
  const QRect ab = ink("AB"), doubled = ink("A&&B"), single = ink("A&B");
  EXPECT_GT(doubled.width(), ab.width());
  EXPECT_NEAR(single.width(), ab.width(), near);
}

}  // namespace
}  // namespace toy

// Shortcuts and access keys as the menus and captions spell them, and the
// lines of an auto-size label whose caption carries access-key marks.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/Controls.h"
#include "platform/Keys.h"

namespace {

using namespace forms;

TEST(Shortcuts, MenuShortcutTextsNameTheirKeyAndModifiers) {
  EXPECT_EQ(parseShortcut("F2"), (KeyChord{Key::F2, 0}));
  EXPECT_EQ(parseShortcut("F24"), (KeyChord{Key::F24, 0}));
  EXPECT_EQ(parseShortcut("Ctrl+N"), (KeyChord{'N', KeyShift::Ctrl}));
  EXPECT_EQ(parseShortcut("Ctrl+Shift+F3"), (KeyChord{Key::F3, KeyShift::Ctrl | KeyShift::Shift}));
  EXPECT_EQ(parseShortcut("Alt+x"), (KeyChord{'X', KeyShift::Alt}));
  EXPECT_EQ(parseShortcut("Del"), (KeyChord{Key::Delete, 0}));
  for (const char* junk : {"", "F0", "F25", "Ctrl+", "Ctrl+Foo", "Hyper+N"}) EXPECT_EQ(parseShortcut(junk).code, 0) << junk;
}

TEST(AccessKeys, TheFirstMarkedLetterIsTheKeyAndDoubledAmpersandsAreText) {
  EXPECT_EQ(accessKeyOf("&Fire!"), 'F');
  EXPECT_EQ(accessKeyOf("O&k"), 'K');
  EXPECT_EQ(accessKeyOf("Salt && &Pepper"), 'P');
  EXPECT_EQ(accessKeyOf("Salt && Pepper"), '\0');
  EXPECT_EQ(accessKeyOf("Trailing&"), '\0');
  EXPECT_EQ(withoutAccessMarks("&Fire!"), "Fire!");
  EXPECT_EQ(withoutAccessMarks("Salt && &Pepper"), "Salt & Pepper");
  EXPECT_EQ(withoutAccessMarks("Trailing&"), "Trailing&");
}

// The label wraps what the player reads: marks take no room, so a marked
// caption needs as many lines, and as much height, as the same text unmarked.
TEST(AutoSizeLabels, AccessKeyMarksTakeNoRoomInTheLayout) {
  Label plain(nullptr, "plain"), marked(nullptr, "marked");
  for (Label* l : {&plain, &marked}) {
    l->autoSize = true;
    l->Width = 1500;  // about ten characters to a line
  }
  plain.Caption = "Reload + Repair at once";
  marked.Caption = "&Reload && Repair at once";
  EXPECT_EQ(marked.layoutLines().size(), plain.layoutLines().size());
  EXPECT_EQ(marked.Height.get(), plain.Height.get());
  std::string joined;
  for (const std::string& line : marked.layoutLines()) joined += withoutAccessMarks(line) + "|";
  std::string expected;
  for (std::string line : plain.layoutLines()) {
    std::replace(line.begin(), line.end(), '+', '&');
    expected += line + "|";
  }
  EXPECT_EQ(joined, expected);
}

}  // namespace

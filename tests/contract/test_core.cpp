// The runtime core's own helpers: shortcuts and access keys as the menus and
// captions spell them, the lines of an auto-size label whose caption carries
// access-key marks, and reading a data file that may be of any kind or size.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>

#include "platform/Controls.h"
#include "platform/Keys.h"
#include "platform/SafeOpen.h"

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
  // Not sized to its caption: the painter wraps it to its width, line ends are its only breaks.
  plain.autoSize = false;
  plain.Caption = "Reload and Repair, then Fire at once\r\nagain";
  EXPECT_EQ(plain.layoutLines(), (std::vector<std::string>{"Reload and Repair, then Fire at once", "again"}));
}

// Only a regular file within its limit is read, whole; anything else is
// refused at once with a reason, without waiting on it or reading it.
TEST(SafeOpen, OnlyRegularFilesWithinTheLimitAreReadAndEveryOtherIsRefusedWithItsReason) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / ("bulwarn-safe-open-" + std::to_string(::getpid()));
  fs::create_directories(dir / "folder");
  const auto file = [&](const char* name, std::size_t size) {
    std::ofstream(dir / name, std::ios::binary) << std::string(size, 'x');
    return (dir / name).string();
  };
  ::mkfifo((dir / "fifo").c_str(), 0600);
  fs::create_symlink(file("real", 3), dir / "link");
  std::ofstream(dir / "huge").close();
  fs::resize_file(dir / "huge", 2200ull << 20);  // sparse: no room on disk
  const struct {
    std::string path;
    long long limit;
    std::string content, why;
  } cases[] = {
      {file("exact", 1000), 1000, std::string(1000, 'x'), ""},
      {file("empty", 0), 1000, "", ""},
      {(dir / "link").string(), 1000, "xxx", ""},
      {file("over", 1001), 1000, "", "is too large (0.0 MB; at most 0.0 MB is read)"},
      {(dir / "huge").string(), 16 << 20, "", "is too large (2200.0 MB; at most 16.0 MB is read)"},
      {(dir / "missing").string(), 1000, "", "not found"},
      {(dir / "fifo").string(), 1000, "", "is a FIFO, not a regular file"},
      {"/dev/zero", 1000, "", "is a character device, not a regular file"},
      {(dir / "folder").string(), 1000, "", "is a folder, not a regular file"},
      {"/proc/self/mem", 1000, "", "could not be read (Input/output error)"},  // a read that fails
      {"/proc/self/maps", 64, "", "is too large (it grew past 0.0 MB)"},       // says size 0, holds more
  };
  const auto started = std::chrono::steady_clock::now();
  for (const auto& c : cases) {
    std::string out = "old";
    forms::OpenRefusal refusal;
    EXPECT_EQ(forms::readWholeFile(c.path, c.limit, out, refusal), c.why.empty()) << c.path;
    EXPECT_EQ(refusal.why, c.why) << c.path;
    EXPECT_EQ(refusal.missing, c.why == "not found") << c.path;
    if (c.why.empty()) {
      EXPECT_EQ(out, c.content) << c.path;
    }
  }
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(1)) << "a refusal waited or read";
  fs::remove_all(dir);
}

}  // namespace

// Recordings: a game recorded on the headless runtime replays to the same
// final state; broken files and recordings the game does not follow fail
// cleanly, naming their line; the file writer keeps whole lines and the last
// ten games.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <thread>

#include "Fixture.h"
#include "replay/Recorder.h"
#include "replay/Replay.h"

namespace bulwarn::test {
namespace {

namespace rp = bulwarn::replay;
namespace fs = std::filesystem;

// A game played by the script, recorded from its start.
struct Recorded {
  explicit Recorded(forms::HeadlessConfig cfg = {}) : rt(cfg), program(rt), recorder(rt, journal, BULWARN_VERSION) {
    rt.onModal("frmOptionsG", [this](forms::Form&) {
      rt.click("optMedium");
      rt.click("cmdOK");
    });
    program.start();
    rt.clearModal("frmOptionsG");
  }
  frmBulwarn& battle() { return program.frmBulwarn(); }
  HeadlessRuntime rt;
  Program program;
  rp::MemoryJournal journal;
  rp::Recorder recorder;
};

TEST(Replay, AWholeProgramWithEveryKindOfInputReplaysToTheSameState) {
  Recorded g;
  frmBulwarn& b = g.battle();
  // Keys, shots, clicks at points and by name, menus, answers, a close, waits.
  ASSERT_TRUE(g.rt.clickAt("frmBulwarn", b.imgUnit(2).Left + 200, b.imgUnit(2).Top + 200));
  for (int i = 0; i < 6; ++i) g.rt.pressKey(Key::Right);
  g.rt.pressKey(Key::Enter);
  g.rt.advance(300);
  g.rt.openMenu("mnuGame");  // pauses, in the middle of the shot
  g.rt.advance(700);
  g.rt.chooseMenu("mnuPause");
  g.rt.advance(6000);  // an attack comes and goes
  g.rt.answerNext(mb::AnsNo);
  g.rt.pressShortcut("F2");  // opens its title (a pause) before it asks
  g.rt.pressShortcut("F3");
  for (int i = 0; i < 40 && !g.program.vex.blnVictory && !g.program.vex.blnBreached && !g.program.vex.blnDestroyed;
       ++i) {
    g.rt.pressKey(i % 3 ? Key::Space : Key::Left);
    g.rt.advance(900);
  }
  g.rt.onModal("frmAbout", [&](forms::Form&) {
    g.rt.advance(1500);
    g.rt.closeWindow("frmAbout");
  });
  g.rt.chooseMenu("mnuAbout");  // a slide show, closed by its window
  g.rt.pressShortcut("F3");
  g.rt.advance(20000);
  const std::string played = rp::describe(g.program);
  g.rt.answerNext(mb::AnsYes);
  g.rt.chooseMenu("mnuExit");
  ASSERT_TRUE(g.rt.ended());
  const std::string text = g.journal.text();
  EXPECT_TRUE(rp::parse(text).complete);
  EXPECT_NE(text.find(" click frmBulwarn imgUnit(2) "), std::string::npos) << "the click at a point is recorded";
  const rp::Outcome o = rp::replay(rp::parse(text));
  EXPECT_EQ(o.exitCode, 0) << o.message;
  EXPECT_EQ(o.state, rp::describe(g.program));
  EXPECT_NE(played.find("unit 8: left"), std::string::npos);
  EXPECT_NE(played.find("\nmessages:\n  Enemy Attack\n"), std::string::npos) << played;
  EXPECT_EQ(played.find('\r'), std::string::npos) << "one message a line";
}

// Every file the replay command may be given: what it prints on stderr and
// how it exits (0 replayed, 1 diverged, 2 unreadable), naming the line at fault.
TEST(Replay, EveryRecordingReplaysOrFailsCleanlyNamingItsLine) {
  const fs::path dir = fs::temp_directory_path() / ("bulwarn-replay-cmd-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  Recorded g;
  g.rt.advance(2000);
  const std::string good = g.journal.text();
  const std::string header = good.substr(0, good.find('\n') + 1);
  const std::string next = "line " + std::to_string(std::count(good.begin(), good.end(), '\n') + 1);
  std::string crlf;
  for (char c : good) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  const std::string startUp = good.substr(0, good.find(" return frmIntroG"));
  std::string calls = header;  // 8 MB of short lines: replay holds about that much, not an object per line
  while (calls.size() < (8u << 20)) calls += "0 call\n";
  const fs::path fifo = dir / "fifo", big = dir / "big";
  ::mkfifo(fifo.c_str(), 0600);
  std::ofstream(big).close();
  fs::resize_file(big, 200u << 20);  // sparse
  const struct {
    std::string text;  // the file's content; or, for a path that is no file of ours, the path itself
    int rc;
    std::string says;
    bool sameAsGood = false;  // ends in the state the good recording ends in
  } cases[] = {
      {calls, 1, "cannot repeat"},  // first, so that the peak it makes is its own
      {good, 0, "the recording has no end", true},  // the game is still running
      {crlf, 0, "the recording has no end", true},  // Windows line ends
      {good + "3100 tick frmBul", 0, next + " is cut off and left out", true},  // a game killed while writing
      {startUp.substr(0, startUp.rfind('\n') + 1), 0, "the recording stops while the game waits"},
      {"", 2, "empty"},
      {"hello world\n", 2, "line 1: not a Bulwarn recording"},
      {std::string("bulwarn-recording 1\0\x01\x02\n", 23), 2, "line 1: not a line of text"},
      {"\x7f" "ELF\x02\x01\x01", 2, "cut off"},
      {"bulwarn-recording 0 version=2.0\n", 2, "line 1: format version 0 is not supported"},
      {"bulwarn-recording 2 version=2.0\n", 2, "line 1: format version 2 is not supported"},
      {"bulwarn-recording 1 version=2.0 screen=0x9000\n", 2, "line 1: bad screen size"},
      {"bulwarn-recording 1 version=2.0 screen=12000x9000\n", 2, "line 1: the header lacks a field"},
      {header.substr(0, 30), 2, "line 1: the header line is cut off"},
      {header + "100 call\n50 tick frmBulwarn tmrFly\n", 2, "line 3: out of order"},
      {header + "100 fly frmBulwarn\n", 2, "line 2: unknown event 'fly'"},
      {header + "100 key frmBulwarn 99999999 0\n", 2, "line 2: bad key code"},
      {header + "100 click frmBulwarn imgUnit(x) 1 2\n", 2, "line 2: bad control index"},
      {header + "100 click frmBulwarn imgUnit(3) 1 nan\n", 2, "line 2: bad y"},
      {header + "100 click frmBulwarn " + std::string(65, 'a') + "\n", 2, "bad control '" + std::string(40, 'a') + "'"},
      {"bulwarn-recording 1 version=2.0 screen\n", 2, "line 1: bad header field 'screen'"},
      {"bulwarn-recording 1 colour=red" + header.substr(19), 2, "line 1: unknown or repeated header field 'colour'"},
      {header + "100 answer 6 7\n", 2, "line 2: unexpected"},
      {header + "100 key frm-Bulwarn 13 0\n", 2, "line 2: bad form 'frm-Bulwarn'"},
      {header + "100 end\n200 call\n", 2, "line 3: an event after the end"},
      {header + std::string(300, '9') + "\n", 2, "line 2: line too long"},
      {header + std::string(rp::kMaxBytes, '\n'), 2, "too large"},
      {good + "3000 tick frmBulwarn tmrHit\n", 1, next + " (3000 tick frmBulwarn tmrHit): a tick of a timer that is not running"},
      {good + "3000 key frmBulwarn 0 0\n", 0, "the recording has no end"},  // the smallest key code
      {good + "3000 answer 6\n", 1, "no message box is open"},
      {good + "3000 click frmBulwarn cmdLaunch\n", 1, next + " (3000 click frmBulwarn cmdLaunch): frmBulwarn has no such control"},
      {good + "3000 click frmBulwarn " + std::string(63, 'z') + "Z\n", 1, "has no such control"},
      {header + "100 click frmBulwarn imgUnit(10000)\n", 2, "line 2: bad control index"},
      {good + "3000 key frmBulwarn 113 0\n3100 return frmOptionsG\n", 1,
       "a return from a modal form, but the message box 'Really Restart?' is open"},
      {good + "3000 tick frmBulwarn tmrEnemyTime\n", 1, "silent"},  // never recorded
      // A key the player cannot send: F2 again while the first one's box is open.
      {good + "3000 key frmBulwarn 113 0\n3100 key frmBulwarn 113 0\n", 1, "(3100 key frmBulwarn 113 0): frmBulwarn takes no input"},
      {(dir / "missing").string(), 2, "cannot read it: there is no such file"},
      {fifo.string(), 2, "cannot read it: it is a FIFO, not a regular file"},
      {big.string(), 2, "cannot read it: it is too large (200.0 MB; at most 64.0 MB is read)"},
  };
  std::string goodState;
  for (const auto& c : cases) {
    std::string path = c.text;
    if (c.text.rfind(dir.string(), 0) != 0) {
      path = (dir / "recording").string();
      std::ofstream(path, std::ios::binary | std::ios::trunc) << c.text;
    }
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    rusage before{}, after{};
    ::getrusage(RUSAGE_SELF, &before);
    const int rc = rp::replayCommand(path, out, err);
    ::getrusage(RUSAGE_SELF, &after);
    if (&c == &cases[0]) {
      EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 3 * 8 * 1024) << "KB more at the peak";
    }
    auto all = [](std::FILE* f) {
      std::string s(1 << 16, '\0');
      std::rewind(f);
      s.resize(std::fread(s.data(), 1, s.size(), f));
      std::fclose(f);
      return s;
    };
    const std::string said = all(err), state = all(out);
    SCOPED_TRACE(c.says);
    EXPECT_EQ(rc, c.rc) << said;
    EXPECT_NE(said.find(c.says), std::string::npos) << said;
    if (c.sameAsGood) {
      if (goodState.empty()) goodState = state;
      EXPECT_EQ(state, goodState);
      EXPECT_EQ(state.rfind("outcome: none\n", 0), 0u) << state;
    }
  }
  fs::remove_all(dir);
}

TEST(Recorder, TheWriterKeepsWholeLinesOnDiskTheLastTenGamesAndReportsAFailureOnce) {
  const fs::path dir = fs::temp_directory_path() / ("bulwarn-recorder-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  // Twelve recordings from a clock ahead of ours (set back since, or a
  // timezone to the east), and files of the user's that only look alike.
  for (int i = 10; i < 22; ++i) std::ofstream(dir / ("bulwarn-20990101T0000" + std::to_string(i) + "Z-1.replay"));
  const char* theirs[] = {"notes.txt", "bulwarn-2020-crash-keep.replay", "bulwarn-my-best-game.replay",
                          "bulwarn-20200101-000000-1.replay", "bulwarn-2099O101T000000Z-1.replay",
                          "bulwarn-20990101T000000Z-12345678901.replay", "bulwarn-20990101T0000O0Z-1.replay", "bulwarn-20990101T000000Z-1.rePlay"};
  for (const char* name : theirs) std::ofstream(dir / name);
  // The file gets word for word the lines that are formatted at once in memory.
  struct Both : rp::Journal {
    rp::FileJournal file;
    rp::MemoryJournal memory;
    void begin(const rp::Header& h) override {
      file.begin(h);
      memory.begin(h);
    }
    void append(rp::Event&& e) override {
      memory.append(rp::Event(e));
      file.append(std::move(e));
    }
    void checkpoint() override { file.checkpoint(); }
  };
  const std::string recording = rp::newRecordingPath(dir.string());
  std::string inMemory;
  {
    Both both;
    rp::FileJournal& journal = both.file;
    journal.start(recording, [d = dir.string(), recording] { rp::pruneRecordings(d, 10, recording); });
    HeadlessRuntime rt;
    Program program(rt);
    rp::Recorder recorder(rt, both, BULWARN_VERSION);
    program.start();
    rt.advance(3000);
    // Within about a second, without the recorder's end, the file reads back
    // to its last line: what a kill leaves behind.
    std::string text;
    for (int i = 0; i < 40 && text.find(" tick ") == std::string::npos; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
      std::ifstream in(recording, std::ios::binary);
      text.assign(std::istreambuf_iterator<char>(in), {});
    }
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.back(), '\n');
    EXPECT_NO_THROW(rp::parse(text));
    rt.advance(2000);
    rt.answerNext(mb::AnsYes);
    EXPECT_TRUE(rt.chooseMenu("mnuExit"));
    inMemory = both.memory.text();
  }
  {
    std::ifstream in(recording, std::ios::binary);
    const std::string written{std::istreambuf_iterator<char>(in), {}};
    EXPECT_GT(std::count(written.begin(), written.end(), '\n'), 20);
    EXPECT_EQ(written, inMemory);
  }
  // The newest ten by their names' time, this game's among them, whatever the clock; nothing else touched.
  for (int i = 10; i < 22; ++i)
    EXPECT_EQ(fs::exists(dir / ("bulwarn-20990101T0000" + std::to_string(i) + "Z-1.replay")), i >= 13) << i;
  for (const char* name : theirs) EXPECT_TRUE(fs::exists(dir / name)) << name;

  // Folders and disks that fail: one message each, and the game plays on.
  const fs::path ro = dir / "readonly";
  fs::create_directories(ro);
  ::chmod(ro.c_str(), 0500);
  fs::create_directories(dir / "open");
  ::chmod((dir / "open").c_str(), 0777);
  const std::string relative = "bulwarn-recordings-" + std::to_string(::getpid());  // from the current folder
  const bool root = ::geteuid() == 0;  // root writes anyway; /proc never takes a file, nor /sys a folder
  const struct {
    std::string path;
    rlim_t limit;  // of the file's size: a disk that fills up
    const char* says;
  } cases[] = {
      {root ? "/proc/bulwarn-cannot-be-here.replay" : (ro / "x.replay").string(), 0, "playing on without recording"},
      {root ? "/sys/bulwarn-nowhere/x.replay" : (ro / "sub/x.replay").string(), 0, "cannot create the folder"},
      {(dir / "open/x.replay").string(), 0, "warning: others can write to"},
      {(dir / "new/deeper/x.replay").string(), 0, ""},  // created 0700, whatever the umask
      {relative + "/x.replay", 0, ""},
      {(dir / "full.replay").string(), 2500, "File too large"},
  };
  const mode_t umask = ::umask(0);
  for (const auto& c : cases) {
    std::vector<std::string> said;
    rlimit was{};
    ::getrlimit(RLIMIT_FSIZE, &was);
    {
      rp::FileJournal journal;
      journal.setReporter([&](const std::string& m) { said.push_back(m); });
      journal.start(c.path);
      HeadlessRuntime rt;
      Program program(rt);
      rp::Recorder recorder(rt, journal, BULWARN_VERSION);
      rlimit small = was;
      if (c.limit) small.rlim_cur = c.limit;
      ::setrlimit(RLIMIT_FSIZE, &small);
      program.start();
      rt.advance(c.limit ? 60000 : 5000);
      EXPECT_TRUE(program.battleIfLoaded());
    }
    ::setrlimit(RLIMIT_FSIZE, &was);
    EXPECT_EQ(said.size(), *c.says ? 1u : 0u) << c.path;
    for (const std::string& m : said) EXPECT_NE(m.find(c.says), std::string::npos) << m;
  }
  ::umask(umask);
  ::chmod(ro.c_str(), 0700);
  for (const fs::path& folder : {dir / "new", dir / "new/deeper", fs::path(relative)})
    EXPECT_EQ(fs::status(folder).permissions(), fs::perms::owner_all) << folder;
  fs::remove_all(relative);
  // The full disk's file is cut back to its last whole line.
  std::ifstream in(dir / "full.replay", std::ios::binary);
  const std::string kept((std::istreambuf_iterator<char>(in)), {});
  EXPECT_LE(kept.size(), 2500u);
  if (!kept.empty()) {
    EXPECT_EQ(kept.back(), '\n');
    EXPECT_NO_THROW(rp::parse(kept));
  }
  fs::remove_all(dir);
}

}  // namespace
}  // namespace bulwarn::test

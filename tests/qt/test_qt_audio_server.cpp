// Sound through a real audio server that comes and goes: a private PulseAudio
// server with a null sink, started, stopped and frozen by the tests. Each test
// runs in a process of its own (Qt's audio output is one per process).
//
// This program defines pa_stream_write itself, so Qt's audio output calls it
// first (the executable's symbols come first): it counts the samples that
// really reach the server, and hands them on to libpulse.
#include <dlfcn.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <memory>

#include "Warnings.h"
#include "Wav.h"
#include "platform/qt/AudioServer.h"
#include "platform/qt/QtRuntime.h"

namespace {
std::atomic<long> audibleWrites{0};
}

extern "C" int pa_stream_write(void* s, const void* data, size_t nbytes, void (*freeCb)(void*), std::int64_t offset,
                               int seek) {
  using Fn = int (*)(void*, const void*, size_t, void (*)(void*), std::int64_t, int);
  static const auto real = reinterpret_cast<Fn>(dlsym(RTLD_NEXT, "pa_stream_write"));
  const auto* b = static_cast<const unsigned char*>(data);
  if (data && std::any_of(b, b + nbytes, [](unsigned char c) { return c != 0; })) ++audibleWrites;
  return real ? real(s, data, nbytes, freeCb, offset, seek) : -1;
}

namespace {

QString serverDir;  // where the private server's socket lies (set in main)

// The private server: started, stopped, frozen and thawed on demand; killed
// with the test process whatever happens to it.
class PrivateServer {
 public:
  ~PrivateServer() { stop(); }
  bool start(QString* why) {
    proc_ = std::make_unique<QProcess>();
    // Its log goes to a file: a pipe nobody reads would fill up and stop it.
    proc_->setProcessChannelMode(QProcess::MergedChannels);
    proc_->setStandardOutputFile(serverDir + "/server.log");
    proc_->setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGKILL); });
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", serverDir);
    env.insert("PULSE_RUNTIME_PATH", serverDir + "/runtime");
    proc_->setProcessEnvironment(env);
    proc_->start("pulseaudio", {"-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
                                "--load=module-null-sink sink_name=bulwarn_test",
                                "--load=module-native-protocol-unix auth-anonymous=1 socket=" + serverDir + "/native"});
    if (!proc_->waitForStarted(5000)) {
      *why = "pulseaudio cannot start: " + proc_->errorString();
      proc_.reset();
      return false;
    }
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 10000) {
      if (forms::audioServerAnswers(300)) return true;
      if (proc_->state() != QProcess::Running) break;
      QThread::msleep(50);
    }
    proc_->kill();
    proc_->waitForFinished(3000);
    QFile log(serverDir + "/server.log");
    *why = "pulseaudio did not answer: " +
           (log.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(log.readAll()).right(400) : "");
    proc_.reset();
    return false;
  }
  void stop() {
    if (!proc_) return;
    ::kill(static_cast<pid_t>(proc_->processId()), SIGCONT);
    proc_->terminate();
    if (!proc_->waitForFinished(5000)) {
      proc_->kill();
      proc_->waitForFinished(3000);
    }
    proc_.reset();
  }
  void freeze() { ::kill(static_cast<pid_t>(proc_->processId()), SIGSTOP); }

 private:
  std::unique_ptr<QProcess> proc_;
};

// 0.1 s of a tone: mono 16-bit at 22,050 Hz.
QByteArray toneWav() {
  QByteArray samples;
  for (int i = 0; i < 2205; ++i) {
    const auto v = static_cast<qint16>(8000 * std::sin(i * 0.2));
    samples.append(reinterpret_cast<const char*>(&v), 2);
  }
  return toy::wav(1, 1, 22050, 16, {}, samples);
}

class AudioServer : public ::testing::Test {
 protected:
  void SetUp() override {
    QFile f(dir.filePath("TONE.WAV"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(toneWav());
    tone = dir.filePath("TONE.WAV").toStdString();
  }
  // Plays the tone every 200 ms until some of it reaches the server; false after `ms`.
  bool soundsWithin(forms::QtRuntime& rt, int ms) {
    const long before = audibleWrites.load();
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) {
      rt.playAsync(tone);
      if (QTest::qWaitFor([&] { return audibleWrites.load() > before; }, 200)) return true;
    }
    return false;
  }
  void startServer() {
    QString why;
    if (!server.start(&why)) GTEST_SKIP() << why.toStdString();
  }

  toy::Warnings warnings;
  QTemporaryDir dir;
  std::string tone;
  PrivateServer server;
};

// No server at the first cue: silence, said once. Sound starts when one
// appears, and comes back after every restart, however long it was away.
TEST_F(AudioServer, SoundStartsWhenAServerAppearsAndComesBackAfterEveryRestart) {
  forms::QtRuntime rt;
  EXPECT_FALSE(soundsWithin(rt, 1000));
  EXPECT_EQ(warnings.about("no audio output found"), 1);
  startServer();
  if (IsSkipped()) return;
  EXPECT_TRUE(soundsWithin(rt, 6000)) << "no sound 6 s after the server came";
  for (int outage : {500, 5000}) {  // shorter and longer than Qt's own one retry
    server.stop();
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < outage) {
      rt.playAsync(tone);  // the game goes on meanwhile, and is never held up
      QTest::qWait(100);
    }
    startServer();
    EXPECT_TRUE(soundsWithin(rt, 8000)) << "no sound 8 s after a restart (down for " << outage << " ms)";
  }
  EXPECT_EQ(warnings.about("no audio output found"), 1);
  EXPECT_EQ(warnings.about("the audio server has gone"), 2);
  EXPECT_EQ(warnings.about("sound is back on"), 3);
  EXPECT_EQ(warnings.about("could not be played"), 0) << "the outage is announced once, not per cue";
}

// The cues before and after files of the wrong kind still sound: the audio
// thread never waits on a file (a FIFO used to hold up every later cue).
TEST_F(AudioServer, CueFilesMissingOrOfTheWrongKindOrSizeAreRefusedAtOnceAndTheOthersStillSound) {
  startServer();
  if (IsSkipped()) return;
  forms::QtRuntime rt;
  ASSERT_TRUE(soundsWithin(rt, 5000));
  const QString fifo = dir.filePath("FIFO.WAV"), zero = dir.filePath("ZERO.WAV"), huge = dir.filePath("HUGE.WAV");
  ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  ASSERT_TRUE(QFile::link("/dev/zero", zero));
  {
    QFile f(huge);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.resize(2200LL * 1024 * 1024));  // sparse: no room on disk
  }
  const int handled = rt.soundsHandled();
  QElapsedTimer clock;
  clock.start();
  for (int i = 0; i < 3; ++i)
    for (const QString& bad : {fifo, zero, huge, dir.filePath("NONE.WAV")}) rt.playAsync(bad.toStdString());
  EXPECT_LT(clock.elapsed(), 100) << "starting sounds held up the game";
  EXPECT_TRUE(QTest::qWaitFor([&] { return rt.soundsHandled() == handled + 12; }, 3000));
  EXPECT_TRUE(soundsWithin(rt, 3000));
  EXPECT_EQ(warnings.about("FIFO.WAV is a FIFO, not a regular file"), 1);
  EXPECT_EQ(warnings.about("ZERO.WAV is a character device, not a regular file"), 1);
  EXPECT_EQ(warnings.about("HUGE.WAV is too large (2200.0 MB; at most 16.0 MB is read)"), 1);
  EXPECT_EQ(warnings.about("NONE.WAV"), 1);
}

// A server that is frozen (stopped, not gone) holds up whoever talks to it.
// The program still leaves at once: it does not wait for the audio thread long.
TEST_F(AudioServer, TheProgramLeavesPromptlyWhileTheServerIsFrozen) {
  startServer();
  if (IsSkipped()) return;
  auto rt = std::make_unique<forms::QtRuntime>();
  ASSERT_TRUE(soundsWithin(*rt, 5000));
  server.freeze();
  for (int i = 0; i < 5; ++i) {
    rt->playAsync(tone);
    QTest::qWait(100);
  }
  QElapsedTimer clock;
  clock.start();
  rt.reset();
  EXPECT_LT(clock.elapsed(), 2500) << "leaving waited on the audio thread";
  server.stop();
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  QTemporaryDir dir(QDir::tempPath() + "/bulwarn-pulse-XXXXXX");
  serverDir = dir.path();
  // Qt's audio output and the program's own look-ups find this server only.
  qputenv("PULSE_SERVER", QFile::encodeName("unix:" + serverDir + "/native"));
  qputenv("PULSE_CLIENTCONFIG", "/dev/null");
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}

// The event loop draws timers due together in one repaint; the sound thread reads WAV files.
#include <map>

#include "ToyForms.h"
#include "Wav.h"
#include "platform/qt/SoundPlayer.h"

namespace toy {
namespace {

// Timers due together are drawn together: one repaint for the round, not one per timer.
TEST_F(QtForms, TimersDueTogetherAreDrawnInOneRepaint) {
  auto& f = make();
  int slow = 0, fast = 0;
  f.tmrSlow.Tick = [&] {
    ++slow;
    f.lblRed.Left = f.lblRed.Left + 15;
  };
  f.tmrFast.Tick = [&] {
    ++fast;
    f.shpDot.Left = f.shpDot.Left + 15;
  };
  f.Show();
  QTest::qWait(50);
  int paints = 0;
  QObject::connect(rt.window(f)->findChild<ClientArea*>("client"), &ClientArea::painted, [&] { ++paints; });
  rt.dispatch([&] {
    f.tmrSlow.Interval = 50;
    f.tmrFast.Interval = 50;
  });
  ASSERT_TRUE(QTest::qWaitFor([&] { return fast >= 6; }, 3000));
  f.tmrSlow.Interval = 0;
  f.tmrFast.Interval = 0;
  EXPECT_GE(slow, 6);
  EXPECT_LE(paints, fast + 1);
  EXPECT_GE(paints, fast - 1);  // and every round is drawn
}

// The chunks the sound thread knows, whole frames, and a reason for every file it cannot play.
TEST(WavFiles, SamplesAndFormatAreReadAndEveryUnplayableFileSaysWhy) {
  const QByteArray frames("\x01\x02\x03\x04\x05\x06\x07\x08", 8);
  // Mono 16-bit, with an odd-sized chunk (padded to even) before the samples.
  auto sound = readWav(wav(1, 1, 22050, 16, QByteArray("LIST\x03\0\0\0abc\0", 12), frames));
  ASSERT_TRUE(sound);
  EXPECT_EQ(sound->format.sampleRate(), 22050);
  EXPECT_EQ(sound->format.channelCount(), 1);
  EXPECT_EQ(sound->format.sampleFormat(), QAudioFormat::Int16);
  EXPECT_EQ(sound->samples, frames);
  // 8-bit stereo and float; and a file cut short keeps its whole frames only.
  EXPECT_EQ(readWav(wav(1, 2, 8000, 8, {}, frames))->format.sampleFormat(), QAudioFormat::UInt8);
  EXPECT_EQ(readWav(wav(3, 1, 44100, 32, {}, frames))->format.sampleFormat(), QAudioFormat::Float);
  EXPECT_EQ(readWav(wav(1, 2, 22050, 16, {}, frames.left(7), 4000))->samples, frames.left(4));

  auto why = [](const QByteArray& file) {
    QString reason;
    EXPECT_FALSE(readWav(file, &reason));
    return reason;
  };
  EXPECT_EQ(why("not a sound at all"), "is not a WAV file");
  EXPECT_EQ(why(wav(1, 1, 22050, 24, {}, frames)), "is in a sample format that cannot be played");
  EXPECT_EQ(why(wav(2, 1, 22050, 4, {}, frames)), "is in a sample format that cannot be played");  // ADPCM
  EXPECT_EQ(why(wav(1, 1, 22050, 16, {}, {})), "has no samples");
  EXPECT_EQ(why(wav(1, 1, 22050, 16, {}, frames).left(36)), "has no samples");
  EXPECT_EQ(why(QByteArray("RIFF\x04\0\0\0WAVE", 12)), "has no sound format");
  QByteArray noFormat = wav(1, 1, 22050, 16, {}, frames);
  noFormat.replace(12, 4, "junk");
  EXPECT_EQ(why(noFormat), "has its samples before its format");

  // The game's own cues: mono 16-bit at 22,050 Hz, as long as they sound.
  const std::map<QString, int> ms{{"ArtilleryHit", 1000}, {"BattleBang", 2300},   {"CannonAttack", 1149},
                                  {"JetCrash", 2500},     {"LargExplos", 2400},   {"MachGunAttack", 1200},
                                  {"Maingun", 1700},      {"MissileAttack", 1900}};
  for (const auto& [name, length] : ms) {
    QFile file(QStringLiteral(BULWARN_SOURCE_DIR "/assets/sounds/%1.WAV").arg(name));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
    const auto cue = readWav(file.readAll());
    ASSERT_TRUE(cue) << name.toStdString();
    EXPECT_EQ(cue->format.durationForBytes(static_cast<qint32>(cue->samples.size())) / 1000, length)
        << name.toStdString();
  }
}

}  // namespace
}  // namespace toy

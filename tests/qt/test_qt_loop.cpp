// The event loop: timers, modal forms, message boxes, sound and the program's end.
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

#include "ToyForms.h"

namespace toy {
namespace {

// Answers the message box that is about to open.
void answerNextBox(std::function<void(QMessageBox&)> act) {
  QTimer::singleShot(0, [act] {
    // The box may not be up yet when this runs; wait for it.
    auto box = [] { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()); };
    if (QTest::qWaitFor([&] { return box() != nullptr; }, 2000)) act(*box());
  });
}

class TwoTimerForm : public ToyForm {
 public:
  explicit TwoTimerForm(Runtime& rt) : ToyForm(rt, "frmTimers") {}
  Timer tmrFast{this, "tmrFast"};
  Timer tmrSlow{this, "tmrSlow"};
};

TEST_F(QtForms, TimersTickAtTheirIntervalWhileAnotherWaitsOnAModalForm) {
  auto& f = make<TwoTimerForm>();
  auto& dialog = make<SmallForm>("frmDialog");
  int fastTicks = 0, slowTicks = 0, inSlow = 0, worstNesting = 0;
  int fastDuringModal = 0, slowDuringModal = 0;
  bool modalOpen = false;
  f.tmrFast.Tick = [&] {
    ++fastTicks;
    if (modalOpen) ++fastDuringModal;
  };
  f.tmrSlow.Tick = [&] {
    worstNesting = std::max(worstNesting, ++inSlow);
    ++slowTicks;
    if (slowTicks == 1) {
      // The player closes the dialog after a while; no game timer changes meanwhile.
      QTimer::singleShot(400, [&] { dialog.Unload(); });
      modalOpen = true;
      dialog.ShowModal();  // nested loop inside a timer's handler
      modalOpen = false;
    } else if (modalOpen) {
      ++slowDuringModal;
    }
    --inSlow;
  };
  f.Show();
  QElapsedTimer clock;
  clock.start();
  f.tmrFast.Interval = 40;
  f.tmrSlow.Interval = 60;
  ASSERT_TRUE(waitFor([&] { return slowTicks >= 3; }, 3000));
  const qint64 took = clock.elapsed();

  EXPECT_EQ(worstNesting, 1) << "the slow timer's handler was re-entered";
  EXPECT_EQ(slowDuringModal, 0);
  // The fast timer kept ticking at about its interval while the dialog was up.
  EXPECT_GE(fastDuringModal, 5);
  EXPECT_LE(fastDuringModal, 11);
  // Overall, never more ticks than time allows: missed ticks are not made up in a burst.
  EXPECT_LE(fastTicks, took / 40 + 1);
}

TEST_F(QtForms, TimerIntervalIsKeptWithoutDrift) {
  auto& f = make<ToyForm>();
  std::vector<qint64> at;
  QElapsedTimer clock;
  f.tmrTick.Tick = [&] { at.push_back(clock.elapsed()); };
  f.Show();
  clock.start();
  f.tmrTick.Interval = 50;
  ASSERT_TRUE(waitFor([&] { return at.size() >= 10; }, 3000));
  f.tmrTick.Enabled = false;
  // Ten ticks of 50 ms: the tenth lands near 500 ms, never before.
  EXPECT_GE(at[9], 500);
  EXPECT_LE(at[9], 560);
  EXPECT_GE(at[0], 50);
  const size_t count = at.size();
  pump(120);
  EXPECT_EQ(at.size(), count) << "a disabled timer ticked";
}

TEST_F(QtForms, ModalShowReturnsWhenTheFormUnloads) {
  auto& owner = make<ToyForm>();
  auto& dialog = make<SmallForm>("frmDialog");
  owner.Show();
  const int activations = owner.activations;
  QTimer::singleShot(50, [&] { dialog.Unload(); });
  QElapsedTimer clock;
  clock.start();
  dialog.ShowModal();
  EXPECT_LT(clock.elapsed(), 1000);
  EXPECT_EQ(rt.loadedForm("frmDialog"), nullptr);
  EXPECT_EQ(rt.activeForm(), &owner);
  EXPECT_EQ(owner.activations, activations + 1);  // the owner is in front again
}

TEST_F(QtForms, MessageBoxesAnswerYesNoOrOk) {
  auto& f = make<ToyForm>();
  f.Show();
  answerNextBox([](QMessageBox& box) {
    EXPECT_EQ(box.icon(), QMessageBox::Question);
    EXPECT_EQ(box.windowTitle(), "Quit");
    EXPECT_EQ(box.text(), "Really?\nSure?");
    box.button(QMessageBox::Yes)->click();
  });
  EXPECT_EQ(rt.msgBox("Really?\r\nSure?", mb::YesNo | mb::Question, "Quit"), mb::AnsYes);
  answerNextBox([](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); });
  EXPECT_EQ(rt.msgBox("Again?", mb::YesNo | mb::Exclamation, "Quit"), mb::AnsNo);
  answerNextBox([](QMessageBox& box) {
    EXPECT_EQ(box.icon(), QMessageBox::Information);
    EXPECT_NE(box.button(QMessageBox::Ok), nullptr);
    box.button(QMessageBox::Ok)->click();
  });
  EXPECT_EQ(rt.msgBox("Done.", mb::OkOnly | mb::Information, "Bulwarn"), mb::AnsOk);
}

TEST_F(QtForms, ExecReturnsOnceEveryFormIsUnloaded) {
  auto& a = make<ToyForm>("frmA");
  auto& b = make<SmallForm>("frmB");
  a.Show();
  b.Show();
  QTimer::singleShot(20, [&] { b.Unload(); });
  QTimer::singleShot(40, [&] { a.Unload(); });
  QElapsedTimer clock;
  clock.start();
  EXPECT_EQ(rt.exec(), 0);
  EXPECT_TRUE(rt.ended());
  EXPECT_LT(clock.elapsed(), 2000);
  EXPECT_EQ(rt.exec(), 0);  // already over: returns at once
}

TEST_F(QtForms, ModalFormsAndMessageBoxesCloseWhenTheProgramEnds) {
  auto& a = make<ToyForm>("frmA");
  auto& dialog = make<SmallForm>("frmDialog");
  a.Show();
  int answer = 0;
  QTimer::singleShot(20, [&] { answer = rt.msgBox("Still there?", mb::YesNo, "Bulwarn"); });
  QTimer::singleShot(60, [&] { rt.unloadAll(); });
  QElapsedTimer clock;
  clock.start();
  dialog.ShowModal();
  EXPECT_TRUE(rt.ended());
  EXPECT_EQ(answer, mb::AnsNo);
  EXPECT_LT(clock.elapsed(), 1000);
}

TEST_F(QtForms, SoundsNeverBlockAndMissingFilesWarnOnce) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  // A short silent WAV: 8 kHz mono 16-bit, 800 samples.
  QFile wav(dir.filePath("TICK.WAV"));
  ASSERT_TRUE(wav.open(QIODevice::WriteOnly));
  const quint32 samples = 800, dataBytes = samples * 2;
  auto u32 = [&](quint32 v) { wav.write(reinterpret_cast<const char*>(&v), 4); };
  auto u16 = [&](quint16 v) { wav.write(reinterpret_cast<const char*>(&v), 2); };
  wav.write("RIFF");
  u32(36 + dataBytes);
  wav.write("WAVEfmt ");
  u32(16);
  u16(1);
  u16(1);
  u32(8000);
  u32(16000);
  u16(2);
  u16(16);
  wav.write("data");
  u32(dataBytes);
  wav.write(QByteArray(static_cast<int>(dataBytes), '\0'));
  wav.close();

  std::vector<QString> warnings;
  static std::vector<QString>* sink;
  sink = &warnings;
  qInstallMessageHandler([](QtMsgType t, const QMessageLogContext&, const QString& m) {
    if (t == QtWarningMsg && m.startsWith("bulwarn:")) sink->push_back(m);
  });
  QElapsedTimer clock;
  clock.start();
  for (int i = 0; i < 4; ++i) {
    rt.playAsync(dir.filePath("TICK.WAV").toStdString());
    rt.playAsync(dir.filePath("NONE.WAV").toStdString());
  }
  EXPECT_LT(clock.elapsed(), 100) << "starting sounds blocked the game";
  EXPECT_TRUE(waitFor([&] { return rt.soundsHandled() == 8; }, 3000));
  pump(100);
  qInstallMessageHandler(nullptr);
  int missing = 0;
  for (const auto& w : warnings) missing += w.contains("NONE.WAV") ? 1 : 0;
  EXPECT_EQ(missing, 1);
}

}  // namespace
}  // namespace toy

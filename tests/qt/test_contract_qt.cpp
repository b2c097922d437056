// The runtime contract on the Qt realisation (offscreen): real windows, real
// time, input sent to the windows as the platform would send it.
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <deque>
#include <string_view>

#include "contract/Contract.h"
#include "platform/qt/FormWindow.h"
#include "platform/qt/KeyCodes.h"
#include "platform/qt/QtRuntime.h"

namespace contract {

// The Qt key a key code is typed with, as the runtime maps it back: a named
// key, or the character the key types without Shift on a US keyboard.
Qt::Key qtKeyFor(int code) {
  for (const char c : std::string_view(" 0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ;=,-./`[\\]'"))
    if (forms::vbKeyCode(c, {}) == code) return static_cast<Qt::Key>(c);
  for (int k = Qt::Key_Escape; k <= Qt::Key_F24; ++k)
    if (forms::vbKeyCode(k, {}) == code) return static_cast<Qt::Key>(k);
  ADD_FAILURE() << "no Qt key for code " << code;
  return Qt::Key_unknown;
}

Qt::KeyboardModifiers qtModifiers(int shift) {
  Qt::KeyboardModifiers m;
  if (shift & KeyShift::Shift) m |= Qt::ShiftModifier;
  if (shift & KeyShift::Ctrl) m |= Qt::ControlModifier;
  if (shift & KeyShift::Alt) m |= Qt::AltModifier;
  return m;
}

class QtDriver {
 public:
  static constexpr long long kSlack = 150;  // a busy machine's timers run late

  QtDriver() {
    rt_.setDataDir(BULWARN_SOURCE_DIR "/assets");
    QObject::connect(&poll_, &QTimer::timeout, [this] { answerBox(); });
    poll_.start(10);
  }
  ~QtDriver() { rt_.unloadAll(); }
  QtDriver(const QtDriver&) = delete;
  QtDriver& operator=(const QtDriver&) = delete;

  Runtime& rt() { return rt_; }
  FormOwner& forms() { return forms_; }
  void show(Form& f) {
    f.Show();
    if (QWidget* w = rt_.window(f)) {
      EXPECT_TRUE(QTest::qWaitForWindowActive(w));
    }
  }
  void click(Form& f, float x, float y) {
    QWidget* w = rt_.window(f);
    ASSERT_TRUE(w);
    auto* client = w->findChild<ClientArea*>("client");
    const QPoint at = client->mapTo(w, QPoint(static_cast<int>(x / 15), static_cast<int>(y / 15)));
    QTest::mouseClick(w->windowHandle(), Qt::LeftButton, {}, at);
    QTest::qWait(1);
  }
  void key(Form& f, int code, int shift) {
    QWidget* w = rt_.window(f);
    ASSERT_TRUE(w);
    QTest::keyClick(w->windowHandle(), qtKeyFor(code), qtModifiers(shift));
    if (shift & KeyShift::Alt) {
      QTest::qWait(300);  // a button pressed by its access key clicks once its press has shown (100 ms)
      closePopups();      // a menu opened by its access key
    }
  }
  void openMenu(MenuItem& title) {
    if (QMenu* menu = openTitle(title)) menu->close();
  }
  void chooseMenu(MenuItem& item) {
    MenuItem* title = &item;
    while (title->parent()) title = title->parent();
    if (QMenu* menu = openTitle(*title))
      QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action(item)).center());
    QTest::qWait(1);
    closePopups();  // a disabled item leaves its menu open
  }
  void wait(long long ms) { QTest::qWait(static_cast<int>(ms)); }
  void answerNextBox(int answer, long long afterMs = 0) { answers_.push_back({answer, afterMs, -1}); }
  void whileModal(Form& f, const std::function<void()>& act) {
    QTimer::singleShot(0, [act] { act(); });
    f.ShowModal();
  }

 private:
  QAction* action(MenuItem& m) { return static_cast<FormWindow*>(rt_.window(*m.form()))->action(m); }
  QMenu* openTitle(MenuItem& title) {
    QAction* a = action(title);
    QMenuBar* bar = static_cast<FormWindow*>(rt_.window(*title.form()))->menuBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(a).center());
    return a->menu() && QTest::qWaitFor([a] { return a->menu()->isVisible(); }, 300) ? a->menu() : nullptr;
  }
  static void closePopups() {
    while (QWidget* p = QApplication::activePopupWidget()) p->close();
  }
  void answerBox() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || answers_.empty()) return;
    Answer& next = answers_.front();
    if (next.seenAt < 0) next.seenAt = rt_.nowMs();
    if (rt_.nowMs() - next.seenAt < next.afterMs) return;
    const auto button = next.answer == mb::AnsYes  ? QMessageBox::Yes
                        : next.answer == mb::AnsNo ? QMessageBox::No
                                                   : QMessageBox::Ok;
    answers_.pop_front();
    if (QAbstractButton* b = box->button(button)) b->click();
  }

  struct Answer {
    int answer;
    long long afterMs;
    long long seenAt;
  };
  QtRuntime rt_;
  FormOwner forms_{rt_};
  QTimer poll_;
  std::deque<Answer> answers_;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Qt, RuntimeContract, QtDriver);

}  // namespace contract

// Input: mouse clicks, keys and menus reach the model as a player would cause them.
#include <QCheckBox>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QWindow>

#include "ToyForms.h"

namespace toy {
namespace {

using Log = std::vector<std::string>;

QWidget* clientOf(QtRuntime& rt, Form& f) { return rt.window(f)->findChild<QWidget*>("client"); }

void showActive(QtRuntime& rt, Form& f) {
  f.Show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(rt.window(f)));
}

TEST_F(QtForms, ButtonAndCheckBoxClicksReachTheModel) {
  auto& f = make<ToyForm>();
  f.Show();
  auto* fire = rt.window(f)->findChild<QPushButton*>("cmdFire");
  auto* sound = rt.window(f)->findChild<QCheckBox*>("chkSound");
  ASSERT_TRUE(fire && sound);
  EXPECT_EQ(fire->text(), "&Fire");
  EXPECT_EQ(fire->geometry(), QRect(170, 50, 80, 30));  // frame-relative twips, placed on the form

  QTest::mouseClick(fire, Qt::LeftButton);
  EXPECT_EQ(f.log, Log{"cmdFire"});

  const QPoint box(8, sound->height() / 2);  // on the tick box itself
  QTest::mouseClick(sound, Qt::LeftButton, {}, box);
  EXPECT_EQ(f.chkSound.Value, 1);
  EXPECT_TRUE(sound->isChecked());
  QTest::mouseClick(sound, Qt::LeftButton, {}, box);
  EXPECT_EQ(f.chkSound.Value, 0);
  EXPECT_FALSE(sound->isChecked());
  // Code sets the value: the widget follows.
  f.chkSound.Value = 1;
  EXPECT_TRUE(sound->isChecked());

  // A disabled frame disables the button inside it.
  f.fraBox.Enabled = false;
  EXPECT_FALSE(fire->isEnabled());
  f.log.clear();
  QTest::mouseClick(fire, Qt::LeftButton);
  EXPECT_TRUE(f.log.empty());
}

TEST_F(QtForms, ClicksOnPaintedControlsGoToTheTopmostOneThatListens) {
  auto& f = make<ToyForm>();
  f.Show();
  QWidget* client = clientOf(rt, f);
  QTest::mouseClick(client, Qt::LeftButton, {}, QPoint(50, 50));
  EXPECT_EQ(f.log, Log{"lblRed"});
  // The transparent label above the image has no handler: the image gets the click.
  QTest::mouseClick(client, Qt::LeftButton, {}, QPoint(30, 110));
  EXPECT_EQ(f.log, (Log{"lblRed", "imgMissing"}));
  // A press on one control and release on another is no click.
  QTest::mousePress(client, Qt::LeftButton, {}, QPoint(50, 50));
  QTest::mouseRelease(client, Qt::LeftButton, {}, QPoint(30, 110));
  EXPECT_EQ(f.log.size(), 2u);
  // A disabled control swallows the click; a hidden one is not there.
  f.lblRed.Enabled = false;
  QTest::mouseClick(client, Qt::LeftButton, {}, QPoint(50, 50));
  f.imgMissing.Visible = false;
  QTest::mouseClick(client, Qt::LeftButton, {}, QPoint(30, 110));
  EXPECT_EQ(f.log.size(), 2u);
}

TEST_F(QtForms, KeyPreviewFormGetsKeysAndNoButtonActsOnThem) {
  auto& f = make<ToyForm>();
  f.KeyPreview = true;
  showActive(rt, f);
  auto* fire = rt.window(f)->findChild<QPushButton*>("cmdFire");
  fire->setFocus();  // even a focused button must not fire on Space or Enter
  QWindow* win = rt.window(f)->windowHandle();

  QTest::keyClick(win, Qt::Key_Space);
  QTest::keyClick(win, Qt::Key_Return);
  QTest::keyClick(win, Qt::Key_Left);
  QTest::keyClick(win, Qt::Key_Right, Qt::ShiftModifier);
  QTest::keyClick(win, Qt::Key_A);
  QTest::keyClick(win, Qt::Key_F5);
  // Shift on its own is a key too, as the form sees it.
  const std::vector<std::pair<int, int>> expected{{32, 0}, {13, 0}, {37, 0}, {16, 1}, {39, 1}, {65, 0}, {116, 0}};
  EXPECT_EQ(f.keys, expected);
  EXPECT_TRUE(f.log.empty()) << f.log.front();
  EXPECT_TRUE(fire->hasFocus());  // arrows did not move the focus either

  // A held key repeats.
  const size_t before = f.keys.size();
  QTest::keyPress(win, Qt::Key_Up);
  QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier, QString(), true);
  QCoreApplication::sendEvent(win, &repeat);
  QTest::keyRelease(win, Qt::Key_Up);
  EXPECT_EQ(f.keys.size(), before + 2);
  EXPECT_EQ(f.keys.back(), std::make_pair(38, 0));
}

TEST_F(QtForms, WithoutKeyPreviewKeysWorkTheWidgetsAsInADialog) {
  auto& f = make<ToyForm>();
  f.cmdFire.isDefault = true;
  showActive(rt, f);
  auto* sound = rt.window(f)->findChild<QCheckBox*>("chkSound");
  sound->setFocus();
  QWindow* win = rt.window(f)->windowHandle();
  QTest::keyClick(win, Qt::Key_Space);  // ticks the focused check box
  EXPECT_EQ(f.chkSound.Value, 1);
  QTest::keyClick(win, Qt::Key_Return);  // presses the default button
  EXPECT_EQ(f.log, (Log{"chkSound", "cmdFire"}));
  EXPECT_TRUE(f.keys.empty());
}

TEST_F(QtForms, MenuShortcutsOpenTheTitleFirstAndChoicesDoNot) {
  auto& f = make<ToyForm>();
  f.KeyPreview = true;  // shortcuts still work on a key-preview form
  showActive(rt, f);
  QWindow* win = rt.window(f)->windowHandle();

  QTest::keyClick(win, Qt::Key_F2);
  EXPECT_EQ(f.log, (Log{"mnuGame", "mnuNew"}));
  EXPECT_TRUE(f.keys.empty());

  // Choosing with the mouse: opening the title raises its click, the item raises its own.
  f.log.clear();
  auto* bar = rt.window(f)->findChild<QMenuBar*>();
  QAction* title = bar->actions().at(0);
  QMenu* menu = title->menu();
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(title).center());
  ASSERT_TRUE(waitFor([&] { return menu->isVisible(); }));
  EXPECT_EQ(f.log, Log{"mnuGame"});
  QAction* item = menu->actions().at(0);
  QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
  EXPECT_EQ(f.log, (Log{"mnuGame", "mnuNew"}));
  ASSERT_TRUE(waitFor([&] { return !menu->isVisible(); }));
  rt.window(f)->activateWindow();  // the offscreen platform does not hand activation back by itself
  ASSERT_TRUE(QTest::qWaitForWindowActive(rt.window(f)));

  // A checked item shows the model's tick, whichever way it was chosen.
  f.log.clear();
  QAction* soundItem = menu->actions().at(2);
  EXPECT_EQ(soundItem->text(), "&Sound");
  QTest::keyClick(win, Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(f.log, (Log{"mnuGame", "mnuSound"}));
  EXPECT_TRUE(soundItem->isChecked());
  // A disabled item does nothing.
  f.mnuNew.setEnabled(false);
  EXPECT_FALSE(menu->actions().at(0)->isEnabled());
  f.log.clear();
  QTest::keyClick(win, Qt::Key_F2);
  EXPECT_TRUE(f.log.empty());
}

TEST_F(QtForms, TheCloseButtonAsksTheForm) {
  struct Stubborn : ToyForm {
    using ToyForm::ToyForm;
    void Form_CloseRequested() override { ++asked; }
    int asked = 0;
  };
  auto& stubborn = make<Stubborn>();
  stubborn.Show();
  rt.window(stubborn)->close();
  EXPECT_EQ(stubborn.asked, 1);
  EXPECT_TRUE(stubborn.isLoaded());
  EXPECT_TRUE(rt.window(stubborn)->isVisible());

  // By default the form unloads (and is gone once the event is over).
  auto& plain = make<SmallForm>();
  plain.Show();
  rt.window(plain)->close();
  EXPECT_EQ(rt.loadedForm("frmSmall"), nullptr);
}

}  // namespace
}  // namespace toy

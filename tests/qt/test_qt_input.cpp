// Input: mouse clicks, keys and menus reach the model as a player would cause them.
#include <QCheckBox>
#include <QMenuBar>
#include <QPushButton>
#include <QWindow>

#include "ToyForms.h"

namespace toy {
namespace {

TEST_F(QtForms, ButtonAndCheckBoxClicksReachTheModel) {
  auto& f = make();
  f.Show();
  auto* fire = rt.window(f)->findChild<QPushButton*>("cmdFire");
  auto* sound = rt.window(f)->findChild<QCheckBox*>("chkSound");
  ASSERT_TRUE(fire && sound);
  EXPECT_EQ(fire->geometry(), QRect(170, 50, 80, 30));  // frame-relative twips, placed on the form
  QTest::mouseClick(fire, Qt::LeftButton);
  const QPoint box(8, sound->height() / 2);  // on the tick box itself
  QTest::mouseClick(sound, Qt::LeftButton, {}, box);
  EXPECT_EQ(f.log, (Log{"cmdFire", "chkSound"}));
  EXPECT_EQ(f.chkSound.Value, 1);
  QTest::mouseClick(sound, Qt::LeftButton, {}, box);
  EXPECT_EQ(f.chkSound.Value, 0);
}

TEST_F(QtForms, KeyPreviewFormGetsKeysAndMenuShortcutsRaiseTitleThenItem) {
  auto& f = make();
  f.KeyPreview = true;
  f.Show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(rt.window(f)));
  QWindow* win = rt.window(f)->windowHandle();
  rt.window(f)->findChild<QPushButton*>("cmdFire")->setFocus();  // even a focused button stays quiet
  QTest::keyClick(win, Qt::Key_Space);
  QTest::keyClick(win, Qt::Key_Return);
  QTest::keyClick(win, Qt::Key_Right, Qt::ShiftModifier);  // Shift on its own is a key too
  const std::vector<std::pair<int, int>> expected{{32, 0}, {13, 0}, {16, 1}, {39, 1}};
  EXPECT_EQ(f.keys, expected);
  EXPECT_TRUE(f.log.empty());

  QTest::keyClick(win, Qt::Key_F2);  // a shortcut is not a key for the form
  EXPECT_EQ(f.log, (Log{"mnuGame", "mnuNew"}));
  EXPECT_EQ(f.keys.size(), expected.size());
  QTest::keyClick(win, Qt::Key_F2, Qt::ShiftModifier);  // nor is it Shift+F2
  EXPECT_EQ(f.log.size(), 2u);
  // An item that cannot be chosen leaves its key to the form.
  f.mnuNew.setEnabled(false);
  QTest::keyClick(win, Qt::Key_F2);
  EXPECT_EQ(f.log.size(), 2u);
  EXPECT_EQ(f.keys.back(), (std::pair<int, int>{113, 0}));
  f.mnuNew.setEnabled(true);
  // With the mouse: opening the title raises its click, choosing the item raises only the item's.
  f.log.clear();
  auto* bar = rt.window(f)->findChild<QMenuBar*>();
  QAction* title = bar->actions().at(0);
  QMenu* menu = title->menu();
  EXPECT_TRUE(menu->actions().at(0)->text().endsWith("\tF2"));  // the menu shows the shortcut
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(title).center());
  ASSERT_TRUE(QTest::qWaitFor([&] { return menu->isVisible(); }));
  EXPECT_EQ(f.log, Log{"mnuGame"});
  QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(menu->actions().at(0)).center());
  EXPECT_EQ(f.log, (Log{"mnuGame", "mnuNew"}));
}

}  // namespace
}  // namespace toy

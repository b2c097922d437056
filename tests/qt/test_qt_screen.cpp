// Windows on a screen too small for them: the title bar stays where it can be
// grabbed. Windows that fit are placed exactly as before.
#include <QScreen>

#include "ToyForms.h"

namespace toy {
namespace {

QRect screenArea() { return QGuiApplication::primaryScreen()->availableGeometry(); }

TEST_F(QtForms, AWindowLargerThanTheScreenKeepsItsTitleBarOnTheScreen) {
  const QRect area = screenArea();
  // Centred: a form that fits sits in the middle, as ever.
  auto& small = make("frmSmall");
  small.Show();
  QWidget* w = rt.window(small);
  EXPECT_EQ(w->pos(), area.center() - QPoint(w->width() / 2, w->height() / 2));
  // One wider and taller than the screen starts at its top-left corner.
  auto& big = make("frmBig");
  big.clientWidth = static_cast<float>(area.width() + 200) * 15;
  big.clientHeight = static_cast<float>(area.height() + 100) * 15;
  big.Show();
  QWidget* b = rt.window(big);
  ASSERT_GT(b->width(), area.width());
  EXPECT_EQ(b->frameGeometry().topLeft(), area.topLeft());
  // Only as wide as needed: centred across, top edge down.
  auto& wide = make("frmWide");
  wide.clientWidth = static_cast<float>(area.width() + 60) * 15;
  wide.clientHeight = 1500;
  wide.Show();
  QWidget* wi = rt.window(wide);
  EXPECT_EQ(wi->pos(), QPoint(area.left(), area.center().y() - wi->height() / 2));

  // Placed by the form itself (the battle screen centres itself from the
  // screen's size, and so asks for a negative Left on a small screen).
  auto& manual = make("frmManual");
  manual.startPosition = StartPosition::Manual;
  manual.Left = -435;  // -29 px
  manual.Top = 600;
  manual.Show();
  EXPECT_EQ(rt.window(manual)->pos(), QPoint(area.left(), std::max(area.top(), 40)));
  manual.Left = 1500;  // on the screen: exactly where asked
  manual.Top = 1500;
  EXPECT_EQ(rt.window(manual)->pos(), QPoint(std::max(area.left(), 100), std::max(area.top(), 100)));
  manual.Top = -3000;
  EXPECT_EQ(rt.window(manual)->frameGeometry().top(), area.top());
}

}  // namespace
}  // namespace toy

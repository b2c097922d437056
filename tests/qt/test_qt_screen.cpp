// Screens as players have them: too small for a window (its title bar stays
// where it can be grabbed; windows that fit are placed exactly as before), and
// scaled by a fraction (controls edge to edge still meet, with no seam).
#include <QScreen>
#include <deque>

#include "ToyForms.h"
#include "platform/qt/ControlPainter.h"

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

// A grid of labels edge to edge, in widths that are no whole number of
// pixels (1000 twips is 66.67 px), on a form of another colour.
class GridForm : public Form {
 public:
  explicit GridForm(Runtime& rt) : Form(rt, "frmGrid") {
    clientWidth = 6000;
    clientHeight = 4500;
    BackColor = rgbOle(0, 0, 128);
    for (int row = 0; row < 4; ++row)
      for (int col = 0; col < 5; ++col) {
        Label& l = cells.emplace_back(this, "lblCell", row * 5 + col);
        l.move(100 + 1000.f * col, 130 + 700.f * row, 1000, 700);
        l.BackColor = (row + col) % 2 ? rgbOle(200, 30, 40) : rgbOle(0, 160, 0);
      }
  }
  std::deque<Label> cells;
};

TEST_F(QtForms, ControlsEdgeToEdgeMeetWithoutASeamAtAnyScale) {
  GridForm f(rt);
  f.Show();
  const QImage img = rt.grab(f);
  const qreal dpr = img.devicePixelRatio();
  // The device pixels the grid covers: its edges in whole logical pixels,
  // then in device pixels as the painter rounds them.
  auto device = [dpr](float twips) { return qRound(toPixels(twips) * dpr); };
  const QRect grid(QPoint(device(100), device(130)), QPoint(device(5100) - 1, device(2930) - 1));
  int seams = 0, outside = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) {
      const bool navy = img.pixelColor(x, y) == QColor(0, 0, 128);
      (grid.contains(x, y) ? seams : outside) += grid.contains(x, y) ? navy : !navy;
    }
  EXPECT_EQ(seams, 0) << "the form's colour shows between cells at scale " << dpr;
  EXPECT_EQ(outside, 0) << "cells spill past the grid's edge at scale " << dpr;
  f.Unload();
}

}  // namespace
}  // namespace toy

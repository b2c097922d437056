// Windows and painting: what the player sees of a form.
#include <QBackingStore>
#include <QCheckBox>
#include <QMenuBar>
#include <QPushButton>

#include "ToyForms.h"

namespace toy {
namespace {

// The colour of a logical pixel of a grabbed client area.
QColor at(const QImage& img, int x, int y) {
  const qreal dpr = img.devicePixelRatio();
  return img.pixelColor(static_cast<int>(x * dpr + dpr / 2), static_cast<int>(y * dpr + dpr / 2));
}

const QColor kRed(200, 30, 40), kNavy(0, 0, 128), kYellow(255, 255, 0);

// A handler that clears a control and rebuilds it as it was (the target panel on
// every key press) costs no repaint; a real change repaints only what it touched.
TEST_F(QtForms, AControlRebuiltUnchangedWithinOneEventIsNotRepainted) {
  auto& f = make();
  f.Show();
  const auto colour = f.lblRed.BackColor.get();
  EXPECT_TRUE(paintedBy(f, [&] {
                rt.dispatch([&] {
                  f.lblRed.Visible = false;
                  f.lblRed.BackColor = 0x00FFFFFF;
                  f.lblRed.BackColor = colour;
                  f.lblRed.Visible = true;
                });
              }).isEmpty());
  // Nor does disabling a label with no caption (the battlefield, on every shot).
  EXPECT_TRUE(paintedBy(f, [&] { f.lblRed.Enabled = false; }).isEmpty());
  f.lblRed.Enabled = true;
  const QRegion moved = paintedBy(f, [&] { rt.dispatch([&] { f.lblRed.Left = 450; }); });  // 20 -> 30 px
  ASSERT_FALSE(moved.isEmpty());
  EXPECT_TRUE(QRegion(QRect(20, 30, 110, 50)).contains(moved.boundingRect()));

  // The form flashing a new colour: what sits on the background (the opaque
  // label, the frame's children) stays as it was.
  const QRegion flash = paintedBy(f, [&] { rt.dispatch([&] { f.BackColor = rgbOle(255, 0, 0); }); });
  EXPECT_TRUE(flash.contains(QPoint(5, 5)));
  const QImage img = rt.grab(f);
  EXPECT_EQ(at(img, 5, 5), QColor(255, 0, 0));
  EXPECT_EQ(at(img, 60, 50), kRed);
  EXPECT_EQ(at(img, 180, 110), kYellow);

  // Likewise a frame's new colour: the opaque tag on it stays.
  const QRegion frame = paintedBy(f, [&] { rt.dispatch([&] { f.fraBox.BackColor = rgbOle(255, 0, 0); }); });
  EXPECT_TRUE(frame.contains(QPoint(165, 130)));
  const QImage after = rt.grab(f);
  EXPECT_EQ(at(after, 165, 130), QColor(255, 0, 0));
  EXPECT_EQ(at(after, 235, 110), QColor(255, 255, 255));
  // Hidden, the tag is no longer in the way.
  f.lblTag.Visible = false;
  EXPECT_EQ(at(rt.grab(f), 235, 110), QColor(255, 0, 0));
}

// Captions are drawn once and then reused: a changed caption, colour or state
// must still show at once, and an old caption must look as it did.
TEST_F(QtForms, CaptionsShowTheirCurrentTextInTheirCurrentColour) {
  auto& f = make();
  f.Show();
  const QRect box(30, 30, 100, 50);
  auto part = [&](QRect r) {  // logical rectangle of a fresh grab
    const QImage img = rt.grab(f);
    const qreal dpr = img.devicePixelRatio();
    return img.copy(QRectF(r.topLeft() * dpr, r.size() * dpr).toRect());
  };
  // Antialiased text on the red label: yellow ink raises green, grey ink raises green and blue.
  auto textPixels = [&](bool grey) {
    int n = 0;
    forEachPixel(rt.grab(f), box, [&](int, int, const QColor& c) {
      n += (grey ? c.blue() > 90 : c.green() > 150 && c.blue() < 60) ? 1 : 0;
    });
    return n;
  };
  f.lblRed.ForeColor = rgbOle(255, 255, 0);
  f.lblRed.Caption = "Direct Hit";
  const QImage first = part(box);
  EXPECT_GT(textPixels(false), 20);
  f.lblRed.Caption = "Enemy Miss Enemy Miss";
  EXPECT_NE(part(box), first);
  f.lblRed.Caption = "Direct Hit";
  EXPECT_EQ(part(box), first);
  EXPECT_FALSE(paintedBy(f, [&] { f.lblRed.Enabled = false; }).isEmpty());  // greyed on screen too
  EXPECT_EQ(textPixels(false), 0);
  EXPECT_GT(textPixels(true), 20);

  // A frame's caption likewise, on its top edge.
  const QRect edge(160, 20, 140, 14);
  f.fraBox.Caption = "Target";
  const QImage target = part(edge);
  f.fraBox.Caption = "Score";
  EXPECT_NE(part(edge), target);
  f.fraBox.Caption = "Target";
  EXPECT_EQ(part(edge), target);
}

// Buttons and check boxes are Qt's own widgets: placed where their twips say,
// showing each change of their control at once, and clicked as Qt clicks them.
TEST_F(QtForms, ButtonsAndCheckBoxesFollowTheirControlsAndMenusShowTheirShortcuts) {
  auto& f = make();
  f.cmdFire.Caption = "Fire";
  f.Show();
  auto* fire = rt.window(f)->findChild<QPushButton*>("cmdFire");
  auto* sound = rt.window(f)->findChild<QCheckBox*>("chkSound");
  ASSERT_TRUE(fire && sound);
  EXPECT_EQ(fire->geometry(), QRect(170, 50, 80, 30));  // frame-relative twips, placed on the form
  auto look = [fire] { return fire->grab().toImage(); };
  const QImage plain = look();
  f.cmdFire.Caption = "Reload";
  const QImage reload = look();
  EXPECT_NE(reload, plain);
  f.cmdFire.ForeColor = rgbOle(255, 0, 0);
  const QImage red = look();
  EXPECT_NE(red, reload);
  f.cmdFire.Enabled = false;
  EXPECT_NE(look(), red);
  f.cmdFire.Enabled = true;
  EXPECT_EQ(look(), red);

  const QPoint box(8, sound->height() / 2);  // on the tick box itself
  QTest::mouseClick(sound, Qt::LeftButton, {}, box);
  EXPECT_EQ(f.log, Log{"chkSound"});
  EXPECT_EQ(f.chkSound.Value, 1);
  QTest::mouseClick(sound, Qt::LeftButton, {}, box);
  EXPECT_EQ(f.chkSound.Value, 0);
  EXPECT_TRUE(static_cast<FormWindow*>(rt.window(f))->action(f.mnuNew)->text().endsWith("\tF2"));
}

// A sprite's picture is mostly transparent (an explosion is a small cloud in a
// large square): moving it or changing its frame repaints where the old and new
// pictures show, and nothing is left behind.
TEST_F(QtForms, ASpriteRepaintsOnlyWhereItsPictureShowsAndLeavesNothingBehind) {
  QTemporaryDir dir;
  ASSERT_TRUE(QDir(dir.path()).mkdir("pictures"));
  const QString pictures = dir.filePath("pictures/");
  writeFile(pictures + "spot_a.svg", svg(R"(<rect x="2" y="3" width="4" height="5" fill="#ff0000"/>)"));
  writeFile(pictures + "spot_b.svg", svg(R"(<rect x="14" y="12" width="4" height="6" fill="#ffff00"/>)"));
  writeFile(pictures + "nothing.svg", svg(""));
  rt.setDataDir(dir.path().toStdString());
  auto& f = make();
  f.imgBlue.Picture = makePicture("spot_a", 20, 20);  // at 20, 150, 20 x 20 px
  f.Show();
  rt.grab(f);
  auto within = [](const QRegion& painted, QRegion allowed) {
    QRegion slack;
    for (const QRect& r : allowed) slack += r.adjusted(-1, -1, 1, 1);  // antialiasing may reach a pixel out
    return !painted.isEmpty() && (painted - slack).isEmpty();
  };

  const QRegion moved = paintedBy(f, [&] { rt.dispatch([&] { f.imgBlue.Left = 450; }); });  // 20 -> 30 px
  EXPECT_TRUE(within(moved, QRegion(22, 153, 4, 5) + QRect(32, 153, 4, 5))) << moved.boundingRect().x();
  QImage img = rt.grab(f);
  EXPECT_EQ(at(img, 24, 155), kNavy);
  EXPECT_EQ(at(img, 34, 155), QColor(255, 0, 0));

  const QRegion changed = paintedBy(f, [&] { rt.dispatch([&] { f.imgBlue.Picture = makePicture("spot_b", 20, 20); }); });
  EXPECT_TRUE(within(changed, QRegion(32, 153, 4, 5) + QRect(44, 162, 4, 6)));
  img = rt.grab(f);
  EXPECT_EQ(at(img, 34, 155), kNavy);
  EXPECT_EQ(at(img, 46, 165), kYellow);

  // A picture with nothing in it: only the old spot goes, and moving it costs nothing.
  const QRegion emptied = paintedBy(f, [&] { rt.dispatch([&] { f.imgBlue.Picture = makePicture("nothing", 20, 20); }); });
  EXPECT_TRUE(within(emptied, QRegion(44, 162, 4, 6)));
  EXPECT_EQ(at(rt.grab(f), 46, 165), kNavy);
  EXPECT_TRUE(paintedBy(f, [&] { rt.dispatch([&] { f.imgBlue.Left = 600; }); }).isEmpty());
}

// What reaches the screen after each kind of change is what the whole window
// looks like when drawn afresh: nothing left behind, nothing painted over a
// neighbour or the menu bar, children (the button) intact, whichever way the
// change was painted. Compared on the screen itself: at a fractional scale the
// client area starts between two device pixels, so a grab of it alone (which
// starts on one) rounds every edge the other way.
TEST_F(QtForms, EveryChangeIsPaintedOnScreenAsTheFormNowLooks) {
  auto& f = make();
  f.Show();
  QTest::qWait(50);
  QWidget* window = rt.window(f);
  auto* client = window->findChild<ClientArea*>("client");
  ASSERT_NE(client, nullptr);
  ASSERT_GT(client->mapTo(window, QPoint(0, 0)).y(), 0) << "the menu bar should put the client area lower down";
  // The window's backing store is what has been sent to the screen.
  auto onScreen = [&] {
    const auto* store = dynamic_cast<const QImage*>(window->backingStore()->paintDevice());
    return store ? store->convertToFormat(QImage::Format_RGB32).copy() : QImage();  // a copy: the store is drawn on in place
  };
  auto step = [&](const char* what, const std::function<void()>& change) {
    rt.dispatch(change);
    QTest::qWait(20);
    const QImage shown = onScreen();
    // The whole window drawn afresh by Qt, now (a timer may be moving things):
    // the client area with its buttons, and the menu bar.
    client->repaint();
    window->findChild<QMenuBar*>()->repaint();
    const QImage expected = onScreen();
    ASSERT_EQ(shown.size(), expected.size()) << what;
    QRect wrong;
    for (int y = 0; y < shown.height(); ++y)
      for (int x = 0; x < shown.width(); ++x)
        if (shown.pixel(x, y) != expected.pixel(x, y)) wrong |= QRect(x, y, 1, 1);
    EXPECT_TRUE(wrong.isEmpty()) << what << ": device pixels " << wrong.x() << "," << wrong.y() << " "
                                 << wrong.width() << "x" << wrong.height() << " differ";
  };
  step("a label half under the frame", [&] { f.lblRed.Left = 1800; });
  step("the dot moves in its frame", [&] { f.shpDot.Left = 600; });
  step("the tag moves under the button", [&] { f.lblTag.move(300, 600, 900, 300); });
  step("the frame changes colour", [&] { f.fraBox.BackColor = rgbOle(255, 0, 0); });
  step("the form flashes", [&] { f.BackColor = rgbOle(255, 255, 0); });
  step("a label pokes out over the menu bar", [&] { f.lblRed.move(3000, -300, 3000, 900); });
  step("the label goes", [&] { f.lblRed.Visible = false; });
  step("the frame moves, children and all", [&] { f.fraBox.Left = 2000; });
  // And on a timer, as the battle's sprites move.
  int ticks = 0;
  f.tmrFast.Tick = [&] {
    ++ticks;
    f.shpDot.Left = f.shpDot.Left + 45;
  };
  step("a timer starts", [&] { f.tmrFast.Interval = 20; });
  ASSERT_TRUE(QTest::qWaitFor([&] { return ticks >= 3; }, 2000));
  step("the timer stops", [&] { f.tmrFast.Interval = 0; });
}

}  // namespace
}  // namespace toy

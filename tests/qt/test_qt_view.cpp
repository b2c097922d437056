// Windows and painting: what the player sees of a form.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QMenuBar>
#include <QPaintEvent>
#include <QRegion>
#include <QScreen>
#include <QTemporaryDir>

#include "ToyForms.h"

namespace toy {
namespace {

// Collects warnings so a test can count them.
std::vector<QString>* g_warnings = nullptr;
void collect(QtMsgType type, const QMessageLogContext&, const QString& msg) {
  if (type == QtWarningMsg && g_warnings) g_warnings->push_back(msg);
}
struct WarningLog {
  WarningLog() {
    g_warnings = &lines;
    qInstallMessageHandler(collect);
  }
  ~WarningLog() {
    qInstallMessageHandler(nullptr);
    g_warnings = nullptr;
  }
  int count(const QString& part) const {
    int n = 0;
    for (const auto& l : lines) n += l.contains(part) ? 1 : 0;
    return n;
  }
  std::vector<QString> lines;
};

// The colour of a logical pixel of a grabbed client area.
QColor at(const QImage& img, int x, int y) {
  const qreal dpr = img.devicePixelRatio();
  return img.pixelColor(static_cast<int>(x * dpr + dpr / 2), static_cast<int>(y * dpr + dpr / 2));
}

int countWhere(const QImage& img, QRect logical, const std::function<bool(QColor)>& pred) {
  const qreal dpr = img.devicePixelRatio();
  int n = 0;
  for (int y = static_cast<int>(logical.top() * dpr); y < static_cast<int>((logical.bottom() + 1) * dpr); ++y)
    for (int x = static_cast<int>(logical.left() * dpr); x < static_cast<int>((logical.right() + 1) * dpr); ++x)
      n += pred(img.pixelColor(x, y)) ? 1 : 0;
  return n;
}

int countColour(const QImage& img, QRect logical, const QColor& c) {
  return countWhere(img, logical, [&](QColor p) { return p == c; });
}

// Text ink: antialiased glyphs are rarely pure black.
int countInk(const QImage& img, QRect logical) {
  return countWhere(img, logical, [](QColor p) { return p.lightness() < 128; });
}

const QColor kRed(200, 30, 40), kNavy(0, 0, 128), kGreen(0, 128, 0), kYellow(255, 255, 0);

TEST_F(QtForms, WindowHasCaptionFixedClientSizeMenuBarAndNoMinMax) {
  auto& f = make<ToyForm>();
  f.Show();
  QWidget* w = rt.window(f);
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(w->isVisible());
  EXPECT_EQ(w->windowTitle(), "Toy form");
  const QImage img = rt.grab(f);
  EXPECT_EQ(img.size(), QSize(320, 240) * img.devicePixelRatio());
  auto* bar = w->findChild<QMenuBar*>();
  ASSERT_NE(bar, nullptr);
  ASSERT_EQ(bar->actions().size(), 1);
  EXPECT_EQ(bar->actions()[0]->text(), "&Game");
  EXPECT_FALSE(w->windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(w->windowFlags() & Qt::WindowMaximizeButtonHint);
  // Fixed size: the window cannot be resized.
  EXPECT_EQ(w->minimumSize(), w->maximumSize());
  EXPECT_EQ(f.activations, 1);

  f.Caption = "Renamed";
  EXPECT_EQ(w->windowTitle(), "Renamed");
}

TEST_F(QtForms, StartPositionCentresOrPlacesTheWindow) {
  auto& centred = make<SmallForm>("frmCentred");
  centred.Show();
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  const QRect g = rt.window(centred)->frameGeometry();
  EXPECT_NEAR(g.center().x(), screen.center().x(), 2);
  EXPECT_NEAR(g.center().y(), screen.center().y(), 2);

  auto& placed = make<SmallForm>("frmPlaced");
  placed.startPosition = StartPosition::Manual;
  placed.Left = 1500;
  placed.Top = 750;
  placed.Show();
  EXPECT_EQ(rt.window(placed)->pos(), QPoint(100, 50));
  placed.Left = 3000;  // the game moves a shown form
  EXPECT_EQ(rt.window(placed)->pos(), QPoint(200, 50));
}

TEST_F(QtForms, ControlsArePaintedWhereTheirTwipsSay) {
  auto& f = make<ToyForm>();
  f.Show();
  QImage img = rt.grab(f);
  // The label covers logical pixels 20..119 x 30..79, exactly.
  EXPECT_EQ(at(img, 20, 30), kRed);
  EXPECT_EQ(at(img, 119, 79), kRed);
  EXPECT_EQ(at(img, 19, 30), kNavy);
  EXPECT_EQ(at(img, 20, 29), kNavy);
  EXPECT_EQ(at(img, 120, 50), kNavy);
  EXPECT_EQ(at(img, 60, 80), kNavy);
  // A frame child is placed relative to the frame: the dot is at 170..189 x 100..119.
  EXPECT_EQ(at(img, 180, 110), kYellow);
  EXPECT_EQ(at(img, 165, 110), kGreen);
  EXPECT_EQ(at(img, 195, 110), kGreen);

  // Hidden controls leave the form's colour; moved ones are drawn in their new place.
  f.lblRed.Visible = false;
  f.fraBox.Left = 2550;  // the frame and its dot move 10 px right
  img = rt.grab(f);
  EXPECT_EQ(at(img, 60, 50), kNavy);
  EXPECT_EQ(at(img, 190, 110), kYellow);
  EXPECT_EQ(at(img, 175, 110), kGreen);
  // A hidden frame hides its children, painted or real.
  f.fraBox.Visible = false;
  img = rt.grab(f);
  EXPECT_EQ(at(img, 190, 110), kNavy);
  EXPECT_FALSE(rt.window(f)->findChild<QWidget*>("cmdFire")->isVisible());
}

class MessageForm : public Form {
 public:
  explicit MessageForm(Runtime& rt) : Form(rt, "frmMessage") {
    clientWidth = 4500;
    clientHeight = 3000;
    lblMessage.autoSize = true;
    lblMessage.BackColor = rgbOle(255, 255, 255);
    lblMessage.ForeColor = rgbOle(0, 0, 0);
    lblMessage.move(300, 300, 900, 0);  // 60 px wide: about seven glyphs a line
  }
  Label lblMessage{this, "lblMessage"};
};

TEST_F(QtForms, AutoSizeLabelDrawsTheModelsLinesOnly) {
  auto& f = make<MessageForm>();
  f.Show();
  f.lblMessage.Caption = "AAAAA BBBBB";
  ASSERT_EQ(f.lblMessage.layoutLines().size(), 2u);
  const int lineH = static_cast<int>(Label::lineHeightTwips(f.lblMessage.font) / 15);
  EXPECT_EQ(static_cast<int>(f.lblMessage.Height.get() / 15), 2 * lineH);
  const QImage img = rt.grab(f);
  EXPECT_GT(countInk(img, QRect(20, 20, 60, lineH)), 0);
  EXPECT_GT(countInk(img, QRect(20, 20 + lineH, 60, lineH)), 0);
  // Nothing below the label's last line.
  EXPECT_EQ(countInk(img, QRect(20, 20 + 2 * lineH, 60, 20)), 0);
}

// Repainting follows the model: a move repaints the old and new places, not the window.
TEST_F(QtForms, AChangeRepaintsOnlyWhatItTouched) {
  auto& f = make<ToyForm>();
  f.Show();
  QWidget* client = rt.window(f)->findChild<QWidget*>("client");
  ASSERT_NE(client, nullptr);
  pump(50);

  struct Spy : QObject {
    QRegion painted;
    bool eventFilter(QObject*, QEvent* e) override {
      if (e->type() == QEvent::Paint) painted += static_cast<QPaintEvent*>(e)->region();
      return false;
    }
  } spy;
  client->installEventFilter(&spy);
  f.lblRed.Left = 450;  // 20 -> 30 px
  pump(50);
  client->removeEventFilter(&spy);
  ASSERT_FALSE(spy.painted.isEmpty());
  EXPECT_TRUE(QRegion(QRect(20, 30, 110, 50)).contains(spy.painted.boundingRect()))
      << "painted " << spy.painted.boundingRect().x() << "," << spy.painted.boundingRect().y() << " "
      << spy.painted.boundingRect().width() << "x" << spy.painted.boundingRect().height();
}

// A handler that clears a control and rebuilds it as it was (the target panel
// on every key press) costs no repaint; a real change still repaints.
TEST_F(QtForms, AControlRebuiltUnchangedWithinOneEventIsNotRepainted) {
  auto& f = make<ToyForm>();
  f.Show();
  QWidget* client = rt.window(f)->findChild<QWidget*>("client");
  ASSERT_NE(client, nullptr);
  pump(50);
  struct Spy : QObject {
    QRegion painted;
    bool eventFilter(QObject*, QEvent* e) override {
      if (e->type() == QEvent::Paint) painted += static_cast<QPaintEvent*>(e)->region();
      return false;
    }
  } spy;
  client->installEventFilter(&spy);
  const auto colour = f.lblRed.BackColor.get();
  rt.dispatch([&] {
    f.lblRed.Visible = false;
    f.lblRed.BackColor = 0x00FFFFFF;
    f.lblRed.BackColor = colour;
    f.lblRed.Visible = true;
  });
  pump(50);
  EXPECT_TRUE(spy.painted.isEmpty());
  rt.dispatch([&] { f.lblRed.BackColor = 0x00FFFFFF; });
  pump(50);
  client->removeEventFilter(&spy);
  EXPECT_FALSE(spy.painted.isEmpty());
}

class PictureForm : public ToyForm {
 public:
  explicit PictureForm(Runtime& rt) : ToyForm(rt, "frmPictures") {
    imgSecond.move(1200, 1500, 480, 480);  // the same missing picture twice
    imgSecond.Picture = imgMissing.Picture.get();
    imgBlue.move(300, 2250, 300, 300);  // 20, 150, 20 x 20 px, stretched from 10 x 10
    imgBlue.Picture = makePicture("blue_square", 10, 10);
    picBroken.move(1200, 2250, 300, 300);
    picBroken.Picture = makePicture("broken", 20, 20);
  }
  Image imgSecond{this, "imgSecond"};
  Image imgBlue{this, "imgBlue"};
  PictureBox picBroken{this, "picBroken"};
};

TEST_F(QtForms, PicturesRenderFromSvgAndMissingOnesShowAPlaceholderWithOneWarning) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QDir(dir.path()).mkdir("pictures");
  QFile good(dir.filePath("pictures/blue_square.svg"));
  ASSERT_TRUE(good.open(QIODevice::WriteOnly));
  good.write(R"(<svg xmlns="http://www.w3.org/2000/svg" width="10" height="10" viewBox="0 0 10 10">)"
             R"(<rect width="10" height="10" fill="#0000ff"/></svg>)");
  good.close();
  QFile bad(dir.filePath("pictures/broken.svg"));
  ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
  bad.write("<svg this is not");
  bad.close();
  rt.setDataDir(dir.path().toStdString());

  WarningLog log;
  auto& f = make<PictureForm>();
  f.Show();
  QImage img = rt.grab(f);
  img = rt.grab(f);  // repainting does not warn again

  EXPECT_GT(countColour(img, QRect(20, 100, 32, 32), QColor(Qt::magenta)), 100);
  EXPECT_GT(countColour(img, QRect(80, 100, 32, 32), QColor(Qt::magenta)), 100);
  EXPECT_EQ(countColour(img, QRect(20, 150, 20, 20), QColor(0, 0, 255)),
            400 * img.devicePixelRatio() * img.devicePixelRatio());
  EXPECT_GT(countColour(img, QRect(80, 150, 20, 20), QColor(Qt::magenta)), 50);
  EXPECT_EQ(log.count("'no_such_picture' not found"), 1);
  EXPECT_EQ(log.count("'broken'"), 1);
  EXPECT_EQ(log.count("blue_square"), 0);
}

}  // namespace
}  // namespace toy

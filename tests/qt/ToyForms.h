// A toy form, a fixture that owns forms as the game's Program does, and shared probes.
#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <list>

#include "Warnings.h"
#include "platform/Form.h"
#include "platform/qt/FormWindow.h"
#include "platform/qt/QtRuntime.h"

namespace toy {

using namespace forms;
using Log = std::vector<std::string>;

// 320 x 240 px: a frame holds a button, a dot and a tag; pictures are missing (twice), good, corrupt.
class ToyForm : public Form {
 public:
  explicit ToyForm(Runtime& rt, std::string name = "frmToy") : Form(rt, std::move(name)) {
    Caption = "Toy form";
    clientWidth = 4800;
    clientHeight = 3600;
    BackColor = rgbOle(0, 0, 128);
    lblRed.move(300, 450, 1500, 750);  // 20, 30, 100 x 50 px
    lblRed.BackColor = rgbOle(200, 30, 40);
    fraBox.move(2400, 300, 2100, 1800);  // 160, 20, 140 x 120 px
    fraBox.BackColor = rgbOle(0, 128, 0);
    cmdFire.move(150, 450, 1200, 450);  // inside the frame: 170, 50, 80 x 30 px
    cmdFire.Click = [this] { log.push_back("cmdFire"); };
    shpDot.move(150, 1200, 300, 300);  // inside the frame: 170, 100, 20 x 20 px
    shpDot.FillColor = shpDot.BorderColor = rgbOle(255, 255, 0);
    lblTag.move(900, 1200, 450, 300);  // inside the frame: 220, 100, 30 x 20 px
    lblTag.BackColor = rgbOle(255, 255, 255);
    chkSound.move(300, 2700, 1800, 360);
    chkSound.Click = [this] { log.push_back("chkSound"); };
    imgMissing.move(300, 1500, 480, 480);  // 20, 100, 32 x 32 px
    imgMissing.Picture = makePicture("no_such_picture", 32, 32);
    imgAgain.move(1200, 1500, 480, 480);  // 80, 100
    imgAgain.Picture = imgMissing.Picture.get();
    imgBlue.move(300, 2250, 300, 300);  // 20, 150, 20 x 20 px, stretched from 10 x 10
    imgBlue.Picture = makePicture("blue_square", 10, 10);
    picBroken.move(1200, 2250, 300, 300);  // 80, 150
    picBroken.Picture = makePicture("broken", 20, 20);
  }
  void Form_KeyDown(int& keyCode, int shift) override { keys.push_back({keyCode, shift}); }

  Label lblRed{this, "lblRed"};
  Frame fraBox{this, "fraBox"};
  CommandButton cmdFire{this, "cmdFire", -1, &fraBox};
  Shape shpDot{this, "shpDot", -1, &fraBox};
  Label lblTag{this, "lblTag", -1, &fraBox};
  CheckBox chkSound{this, "chkSound"};
  Image imgMissing{this, "imgMissing"}, imgAgain{this, "imgAgain"}, imgBlue{this, "imgBlue"};
  PictureBox picBroken{this, "picBroken"};
  Timer tmrFast{this, "tmrFast"}, tmrSlow{this, "tmrSlow"};
  MenuItem& mnuGame = menu("mnuGame", "&Game");
  MenuItem& mnuNew = menu("mnuNew", "&New", "F2", &mnuGame);
  Log log;
  std::vector<std::pair<int, int>> keys;
};

inline void writeFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

// An SVG picture `side` units square that draws `elements`.
inline QByteArray svg(const QByteArray& elements, int side = 20) {
  const QByteArray n = QByteArray::number(side);
  return R"(<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" width=")" + n +
         R"(" height=")" + n + R"(" viewBox="0 0 )" + n + " " + n + R"(">)" + elements + "</svg>";
}

// Calls `fn(x, y, colour)` for each device pixel of a grab inside a logical
// rectangle. At a fractional scale an edge may fall on the middle of a device
// pixel; the painter rounds it (half up), and so does this.
template <class Fn>
void forEachPixel(const QImage& img, QRect r, Fn fn) {
  const qreal dpr = img.devicePixelRatio();
  auto device = [dpr](int logical) { return qRound(logical * dpr); };
  for (int y = device(r.top()); y < device(r.bottom() + 1); ++y)
    for (int x = device(r.left()); x < device(r.right() + 1); ++x) fn(x, y, img.pixelColor(x, y));
}

// Device pixels of colour `c` inside a logical rectangle: those the painter fills for it.
inline int countColour(const QImage& img, QRect r, const QColor& c) {
  int n = 0;
  forEachPixel(img, r, [&](int, int, const QColor& p) { n += p == c ? 1 : 0; });
  return n;
}

// Owns forms as the game's Program does and collects the warnings logged.
class QtForms : public ::testing::Test {
 protected:
  ToyForm& make(std::string name = "frmToy") {
    Form* raw = owned_.emplace_back(std::make_unique<ToyForm>(rt, std::move(name))).get();
    raw->releaseFromOwner = [this, raw] {
      auto it = std::find_if(owned_.begin(), owned_.end(), [raw](const auto& p) { return p.get() == raw; });
      if (it == owned_.end()) return std::unique_ptr<Form>();
      auto out = std::move(*it);
      owned_.erase(it);
      return out;
    };
    return static_cast<ToyForm&>(*raw);
  }
  void TearDown() override { rt.unloadAll(); }

  // The part of the form's client area repainted because of what `act` did.
  QRegion paintedBy(Form& f, const std::function<void()>& act) {
    QRegion painted;
    auto* client = rt.window(f)->findChild<ClientArea*>("client");
    QTest::qWait(50);
    const auto spy = QObject::connect(client, &ClientArea::painted, [&](const QRegion& r) { painted += r; });
    act();
    QTest::qWait(50);
    QObject::disconnect(spy);
    return painted;
  }

  Warnings warnings;  // before the runtime: it hears the runtime's last words too
  QtRuntime rt;

 private:
  std::list<std::unique_ptr<Form>> owned_;
};

}  // namespace toy

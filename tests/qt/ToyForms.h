// Small forms that exercise the Qt realisation the way the game's forms do,
// and a fixture that owns them as the game's Program would.
#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QTest>
#include <functional>
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "platform/Form.h"
#include "platform/qt/QtRuntime.h"

namespace toy {

using namespace forms;

// 320 x 240 px: a red label, a picture that is not there, a frame holding a
// button and a shape, a check box, a timer and a Game menu.
class ToyForm : public Form {
 public:
  explicit ToyForm(Runtime& rt, std::string name = "frmToy") : Form(rt, std::move(name)) {
    Caption = "Toy form";
    clientWidth = 4800;
    clientHeight = 3600;
    BackColor = rgbOle(0, 0, 128);
    lblRed.move(300, 450, 1500, 750);  // 20, 30, 100 x 50 px
    lblRed.BackColor = rgbOle(200, 30, 40);
    lblRed.Click = [this] { log.push_back("lblRed"); };
    imgMissing.move(300, 1500, 480, 480);  // 20, 100, 32 x 32 px
    imgMissing.Picture = makePicture("no_such_picture", 32, 32);
    imgMissing.Click = [this] { log.push_back("imgMissing"); };
    lblGlass.move(300, 1500, 480, 480);  // a see-through label over the image, nobody listens to it
    lblGlass.transparent = true;
    fraBox.move(2400, 300, 2100, 1800);  // 160, 20, 140 x 120 px
    fraBox.Caption = "Box";
    fraBox.BackColor = rgbOle(0, 128, 0);
    cmdFire.move(150, 450, 1200, 450);  // inside the frame: 170, 50
    cmdFire.Caption = "&Fire";
    cmdFire.Click = [this] { log.push_back("cmdFire"); };
    shpDot.move(150, 1200, 300, 300);  // inside the frame: 170, 100, 20 x 20 px
    shpDot.FillColor = rgbOle(255, 255, 0);
    shpDot.BorderColor = rgbOle(255, 255, 0);
    chkSound.move(300, 2700, 1800, 360);
    chkSound.Caption = "Sound";
    chkSound.Click = [this] { log.push_back("chkSound"); };
    mnuGame.Click = [this] { log.push_back("mnuGame"); };
    mnuNew.Click = [this] { log.push_back("mnuNew"); };
    mnuSound.Click = [this] {
      log.push_back("mnuSound");
      mnuSound.setChecked(!mnuSound.checked());
    };
  }

  void Form_Activate() override { ++activations; }
  void Form_KeyDown(int& keyCode, int shift) override { keys.push_back({keyCode, shift}); }

  Label lblRed{this, "lblRed"};
  Image imgMissing{this, "imgMissing"};
  Label lblGlass{this, "lblGlass"};
  Frame fraBox{this, "fraBox"};
  CommandButton cmdFire{this, "cmdFire", -1, &fraBox};
  Shape shpDot{this, "shpDot", -1, &fraBox};
  CheckBox chkSound{this, "chkSound"};
  Timer tmrTick{this, "tmrTick"};
  MenuItem& mnuGame = menu("mnuGame", "&Game");
  MenuItem& mnuNew = menu("mnuNew", "&New", "F2", &mnuGame);
  MenuItem& mnuSep = menu("mnuSep", "-", {}, &mnuGame);
  MenuItem& mnuSound = menu("mnuSound", "&Sound", "Ctrl+S", &mnuGame);

  std::vector<std::string> log;
  std::vector<std::pair<int, int>> keys;
  int activations = 0;
};

// A plain dialog-like form.
class SmallForm : public Form {
 public:
  explicit SmallForm(Runtime& rt, std::string name = "frmSmall") : Form(rt, std::move(name)) {
    Caption = "Small";
    clientWidth = 1500;
    clientHeight = 900;
  }
};

// Owns forms as the game's Program does: an unloaded form is handed to the
// runtime, which destroys it once the current event is over.
class QtForms : public ::testing::Test {
 protected:
  template <class F, class... Args>
  F& make(Args&&... args) {
    owned_.push_back(std::make_unique<F>(rt, std::forward<Args>(args)...));
    Form* raw = owned_.back().get();
    raw->releaseFromOwner = [this, raw]() -> std::unique_ptr<Form> {
      for (auto it = owned_.begin(); it != owned_.end(); ++it) {
        if (it->get() == raw) {
          auto out = std::move(*it);
          owned_.erase(it);
          return out;
        }
      }
      return nullptr;
    };
    return static_cast<F&>(*raw);
  }
  void TearDown() override { rt.unloadAll(); }

  static void pump(int ms) { QTest::qWait(ms); }
  static bool waitFor(const std::function<bool()>& pred, int ms = 2000) { return QTest::qWaitFor(pred, ms); }

  QtRuntime rt;

 private:
  std::list<std::unique_ptr<Form>> owned_;
};

}  // namespace toy

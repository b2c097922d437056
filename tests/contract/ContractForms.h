// Small forms for the runtime contract suite, owned as the game's Program
// owns its forms, and a log that every one of them writes to.
#pragma once

#include <algorithm>
#include <functional>
#include <list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/Form.h"
#include "platform/Keys.h"
#include "platform/Runtime.h"

namespace contract {

using namespace forms;
using Log = std::vector<std::string>;

// 320 x 240 px. The sky and the ground are opaque labels that listen; a unit
// flies in the sky under an empty image that listens too (a blast not yet
// drawn); a see-through label and a shape lie about; a frame holds a label
// and lets another stick out of it; a button with an access key and an option
// button sit on the ground under a label created after them; a hidden and a
// disabled image lie on the ground, and a disabled button beside them.
class PlayForm : public Form {
 public:
  PlayForm(Runtime& rt, std::string name, Log& log) : Form(rt, std::move(name)), log_(log) {
    Caption = "Play";
    clientWidth = 4800;
    clientHeight = 3600;
    lblSky.move(0, 0, 4800, 1800);
    lblGround.move(0, 1800, 4800, 1800);
    imgUnit.move(600, 600, 900, 600);
    imgUnit.Picture = makePicture("gun", 60, 40);
    imgBlast.move(300, 300, 1500, 1200);  // covers the unit and some sky
    lblGlass.move(2400, 300, 900, 900);
    lblGlass.transparent = true;
    lblTagged.move(3450, 300, 900, 900);
    lblTagged.transparent = true;
    shpDot.move(2400, 2100, 300, 300);
    fraBox.move(3000, 2100, 1500, 1200);
    lblInFrame.move(150, 300, 600, 300);
    lblOverhang.move(1200, 750, 900, 300);  // its right part lies outside the frame
    cmdFire.move(300, 2400, 1200, 450);
    cmdFire.Caption = "&Fire";
    optA.move(1500, 2850, 300, 300);  // under the label too
    lblOverButton.move(900, 2250, 900, 900);
    imgHidden.move(1800, 2850, 450, 450);
    imgHidden.Picture = makePicture("gun", 30, 30);
    imgHidden.Visible = false;
    imgOff.move(2400, 2850, 450, 450);
    imgOff.Picture = makePicture("gun", 30, 30);
    imgOff.Enabled = false;
    cmdOff.move(300, 3000, 1200, 450);
    cmdOff.Caption = "&Off";
    cmdOff.Enabled = false;
    for (Control* c : controls())
      if (c != &lblGlass) c->Click = [this, c] { note(c->name()); };
    mnuGame.Click = [this] { note("mnuGame"); };
    mnuNew.Click = [this] { note("mnuNew"); };
    mnuPause.Click = [this] { note("mnuPause"); };
    mnuPause.shortcutOpensTitle = false;
    mnuOff.Click = [this] { note("mnuOff"); };
    mnuOff.setEnabled(false);
    mnuHelp.Click = [this] { note("mnuHelp"); };
  }
  ~PlayForm() override {
    if (destroyed) *destroyed = true;
  }
  PlayForm(const PlayForm&) = delete;
  PlayForm& operator=(const PlayForm&) = delete;
  void Form_Load() override { note("Load"); }
  void Form_Activate() override { note("Activate"); }
  void Form_KeyDown(int& keyCode, int shift) override {
    // The modifier keys themselves come and go with a real keyboard.
    if (keyCode < Key::Shift || keyCode > Key::Alt) keys.push_back({keyCode, shift});
  }
  void note(const std::string& what) { log_.push_back(name() + "." + what); }

  Label lblSky{this, "lblSky"}, lblGround{this, "lblGround"};
  Image imgUnit{this, "imgUnit"}, imgBlast{this, "imgBlast"};
  Label lblGlass{this, "lblGlass"}, lblTagged{this, "lblTagged"};
  Shape shpDot{this, "shpDot"};
  Frame fraBox{this, "fraBox"};
  Label lblInFrame{this, "lblInFrame", -1, &fraBox}, lblOverhang{this, "lblOverhang", -1, &fraBox};
  CommandButton cmdFire{this, "cmdFire"};
  OptionButton optA{this, "optA"};
  Label lblOverButton{this, "lblOverButton"};
  Image imgHidden{this, "imgHidden"}, imgOff{this, "imgOff"};
  CommandButton cmdOff{this, "cmdOff"};
  Timer tmrA{this, "tmrA"}, tmrB{this, "tmrB"};
  MenuItem& mnuGame = menu("mnuGame", "&Game");
  MenuItem& mnuNew = menu("mnuNew", "&New", "F2", &mnuGame);
  MenuItem& mnuPause = menu("mnuPause", "&Pause", "F3", &mnuGame);
  MenuItem& mnuBar = menu("mnuBar", "-", "", &mnuGame);
  MenuItem& mnuOff = menu("mnuOff", "&Off", "Ctrl+O", &mnuGame);
  MenuItem& mnuHelp = menu("mnuHelp", "&Help");
  MenuItem& mnuAbout = menu("mnuAbout", "&About", "", &mnuHelp);
  std::vector<KeyChord> keys;
  bool* destroyed = nullptr;  // set when the form is destroyed

 private:
  Log& log_;
};

// Owns forms; an unloaded one is handed to the runtime, which destroys it
// once the event that unloaded it has returned.
class FormOwner {
 public:
  explicit FormOwner(Runtime& rt) : rt_(rt) {}
  PlayForm& make(const std::string& name) {
    Form* raw = owned_.emplace_back(std::make_unique<PlayForm>(rt_, name, log)).get();
    raw->releaseFromOwner = [this, raw] {
      auto it = std::find_if(owned_.begin(), owned_.end(), [raw](const auto& p) { return p.get() == raw; });
      if (it == owned_.end()) return std::unique_ptr<Form>();
      auto out = std::move(*it);
      owned_.erase(it);
      return out;
    };
    return static_cast<PlayForm&>(*raw);
  }
  bool owns(const Form* f) const {
    return std::any_of(owned_.begin(), owned_.end(), [f](const auto& p) { return p.get() == f; });
  }
  Log log;

 private:
  Runtime& rt_;
  std::list<std::unique_ptr<Form>> owned_;
};

}  // namespace contract

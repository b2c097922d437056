// The runtime contract, written once and run against each realisation. A
// test plays toy forms through a driver, as a player would:
//
//   struct Driver {
//     Runtime& rt();  FormOwner& forms();
//     void show(Form&);                        // shown and in front
//     void click(Form&, float x, float y);     // a mouse click at a point, twips
//     void key(Form&, int code, int shift);    // a key typed into the form's window
//     void openMenu(MenuItem& title);          // opened with the mouse, then closed
//     void chooseMenu(MenuItem& item);         // its title opened, then the item clicked
//     void wait(long long ms);                 // time passes, events run
//     void answerNextBox(int answer, long long afterMs = 0);  // the next message box
//     void whileModal(Form&, std::function<void()>);  // shown modally; runs while it is up
//     static constexpr long long kSlack;       // ms a real clock may be late
//   };
#pragma once

#include <gtest/gtest.h>

#include "ContractForms.h"
#include "platform/HitTest.h"

namespace contract {

template <class Driver>
class RuntimeContract : public ::testing::Test {
 protected:
  Driver d;
  Log& log() { return d.forms().log; }
  // Clears the log and returns what it held.
  Log take() {
    Log out;
    out.swap(log());
    return out;
  }
};

TYPED_TEST_SUITE_P(RuntimeContract);

TYPED_TEST_P(RuntimeContract, TheFrontFormIsActivatedWhenShownAndWhenTheOneBeforeItGoes) {
  auto& d = this->d;
  PlayForm& a = d.forms().make("frmA");
  PlayForm& b = d.forms().make("frmB");
  d.show(a);
  d.show(b);
  EXPECT_EQ(this->take(), (Log{"frmA.Load", "frmA.Activate", "frmB.Load", "frmB.Activate"}));
  d.show(a);  // brought to the front again: activated, not loaded twice
  d.show(a);  // already in front: nothing
  EXPECT_EQ(this->take(), Log{"frmA.Activate"});
  b.Unload();  // not the front form: nobody is activated
  EXPECT_EQ(this->take(), Log{});
  PlayForm& c = d.forms().make("frmC");
  d.whileModal(c, [&] { c.Unload(); });
  EXPECT_EQ(this->take(), (Log{"frmC.Load", "frmC.Activate", "frmA.Activate"}));
  EXPECT_EQ(d.rt().activeForm(), &a);
}

TYPED_TEST_P(RuntimeContract, AFormUnloadedByItsOwnHandlerDiesWhenTheEventEnds) {
  auto& d = this->d;
  PlayForm& store = d.forms().make("frmStore");
  d.rt().loadForm(store);  // loaded, never shown: keeps the program alive meanwhile
  PlayForm& a = d.forms().make("frmA");
  d.show(a);
  PlayForm* fresh = nullptr;
  bool destroyed = false, destroyedInHandler = true;
  a.destroyed = &destroyed;
  a.lblSky.Click = [&] {
    a.Unload();
    a.lblSky.Caption = "after unload";  // still safe to touch
    destroyedInHandler = destroyed;
    fresh = &d.forms().make("frmA");  // a new instance under the same name
    fresh->Show();
  };
  d.click(a, 450, 450);
  EXPECT_FALSE(destroyedInHandler);
  EXPECT_TRUE(destroyed) << "the unloaded form outlived its event";
  ASSERT_NE(fresh, nullptr);
  EXPECT_EQ(d.rt().loadedForm("frmA"), fresh);
  EXPECT_EQ(d.rt().activeForm(), fresh);
  EXPECT_FALSE(d.rt().ended());
  fresh->Unload();
  EXPECT_FALSE(d.rt().ended()) << "a hidden form is still loaded";
  store.Unload();
  EXPECT_TRUE(d.rt().ended()) << "the program ends with its last form";
}

TYPED_TEST_P(RuntimeContract, AModalFormHoldsItsCallerAndBlocksTheFormsBehindIt) {
  auto& d = this->d;
  PlayForm& a = d.forms().make("frmA");
  PlayForm& dialog = d.forms().make("frmDialog");
  d.show(a);
  a.KeyPreview = true;
  a.tmrA.Interval = 50;
  int ticks = 0;
  a.tmrA.Tick = [&] { ++ticks; };
  bool returned = false;
  this->take();
  d.whileModal(dialog, [&] {
    d.click(a, 900, 900);  // the unit behind the dialog
    d.key(a, Key::Left, 0);
    d.click(dialog, 450, 450);  // the dialog itself takes input
    d.wait(300);                // timers of other forms keep ticking
    EXPECT_FALSE(returned);
    dialog.Unload();
  });
  returned = true;
  EXPECT_EQ(this->take(), (Log{"frmDialog.Load", "frmDialog.Activate", "frmDialog.lblSky", "frmA.Activate"}));
  EXPECT_TRUE(a.keys.empty());
  EXPECT_GE(ticks, 3);
  // Free again.
  d.click(a, 900, 900);
  d.key(a, Key::Left, 0);
  EXPECT_EQ(this->take(), Log{"frmA.imgUnit"});
  EXPECT_EQ(a.keys.size(), 1u);
}

TYPED_TEST_P(RuntimeContract, TimersStartAfreshOnEveryIntervalOrEnableAndStopOnZero) {
  auto& d = this->d;
  const long long slack = TypeParam::kSlack;
  PlayForm& a = d.forms().make("frmA");
  d.show(a);
  int ticks = 0;
  a.tmrA.Tick = [&] { ++ticks; };
  a.tmrA.Interval = 300;  // enabled by design: a positive interval starts it
  for (int i = 0; i < 4; ++i) {
    d.wait(150);
    a.tmrA.Interval = 300;  // the same value again still starts the count afresh
  }
  EXPECT_EQ(ticks, 0) << "re-assigning the interval did not restart the count";
  d.wait(300 + slack);
  EXPECT_EQ(ticks, 1);
  a.tmrA.Interval = 100;  // a new rate from now
  d.wait(350);
  // Three ticks; a real clock may be late by one either way.
  EXPECT_GE(ticks - 1, slack ? 2 : 3);
  EXPECT_LE(ticks - 1, slack ? 4 : 3);
  // Disabled, it keeps its interval and stays quiet; enabled, it counts from then.
  a.tmrA.Enabled = false;
  const int before = ticks;
  d.wait(250);
  EXPECT_EQ(ticks, before);
  EXPECT_EQ(a.tmrA.Interval, 100);
  a.tmrA.Interval = 400;  // no start while disabled
  d.wait(50);
  a.tmrA.Enabled = true;
  d.wait(200);
  EXPECT_EQ(ticks, before) << "enabling did not start the count afresh";
  d.wait(200 + slack);
  EXPECT_EQ(ticks, before + 1);
  a.tmrA.Interval = 0;  // stops it
  d.wait(600);
  EXPECT_EQ(ticks, before + 1);
  EXPECT_TRUE(a.tmrA.Enabled);
}

// Timers whose interval is a multiple of the 50 ms beat tick on it, whenever
// they were started: the program then wakes once for all of them. Others keep
// their own rate.
TYPED_TEST_P(RuntimeContract, TimersOnMultiplesOfTheBeatShareItsWakeUps) {
  auto& d = this->d;
  PlayForm& a = d.forms().make("frmA");
  d.show(a);
  std::vector<long long> slow, fast, odd;
  a.tmrA.Tick = [&] { slow.push_back(d.rt().nowMs()); };
  a.tmrB.Tick = [&] { (a.tmrB.Interval == 50 ? fast : odd).push_back(d.rt().nowMs()); };
  a.tmrA.Interval = 100;
  d.wait(37);
  long long started = d.rt().nowMs();
  a.tmrB.Interval = 50;
  d.wait(500 + TypeParam::kSlack);
  ASSERT_GE(fast.size(), 6u);
  EXPECT_GE(fast[0] - started, 25) << "the first tick came too early";
  int together = 0;
  for (long long t : slow) {
    if (t < fast[0] || t > fast.back()) continue;
    EXPECT_TRUE(std::any_of(fast.begin(), fast.end(), [t](long long x) { return std::llabs(x - t) <= 2; })) << t;
    ++together;
  }
  EXPECT_GE(together, 3);
  a.tmrB.Interval = 0;
  d.wait(13);
  started = d.rt().nowMs();
  a.tmrB.Interval = 70;
  d.wait(100);
  a.tmrA.Interval = 0;
  a.tmrB.Interval = 0;
  ASSERT_FALSE(odd.empty());
  EXPECT_NEAR(odd[0] - started, 70, TypeParam::kSlack ? 15 : 0);
}

TYPED_TEST_P(RuntimeContract, ATimersHandlerIsNeverReenteredWhileOthersTick) {
  auto& d = this->d;
  PlayForm& a = d.forms().make("frmA");
  PlayForm& dialog = d.forms().make("frmDialog");
  d.show(a);
  int slowTicks = 0, slowInModal = 0, fastInModal = 0;
  bool modal = false;
  a.tmrB.Tick = [&] { fastInModal += modal; };
  a.tmrA.Tick = [&] {
    if (++slowTicks == 1) {
      modal = true;
      d.whileModal(dialog, [&] {
        d.wait(400);  // the player takes a while
        dialog.Unload();
      });
      modal = false;
    }
    slowInModal += modal;
  };
  a.tmrB.Interval = 40;
  a.tmrA.Interval = 60;
  d.wait(60 + 400 + 200 + TypeParam::kSlack);
  EXPECT_GE(slowTicks, 3);
  EXPECT_EQ(slowInModal, 0) << "the timer's handler was re-entered";
  EXPECT_GE(fastInModal, 5);  // about 400 / 40 ticks while the dialog was up
  EXPECT_LE(fastInModal, 11);
}

TYPED_TEST_P(RuntimeContract, ClicksLandOnWhatThePlayerSeesThere) {
  auto& d = this->d;
  PlayForm& a = d.forms().make("frmA");
  d.show(a);
  this->take();
  auto clickedAt = [&](float x, float y) {
    d.click(a, x, y);
    Log got = this->take();
    return got.empty() ? std::string("nothing") : got.size() == 1 ? got[0].substr(5) : "several";
  };
  // The empty image lies on top, but shows nothing: the click reaches the unit and the sky.
  EXPECT_EQ(clickedAt(900, 900), "imgUnit");
  EXPECT_EQ(clickedAt(450, 450), "lblSky");
  // Given a picture it is seen, and hit.
  a.imgBlast.Picture = makePicture("blastA_00", 100, 80);
  EXPECT_EQ(clickedAt(900, 900), "imgBlast");
  a.imgBlast.Picture = nullptr;
  // A see-through label passes the click on unless it listens; shapes always do.
  EXPECT_EQ(clickedAt(2700, 600), "lblSky");
  EXPECT_EQ(clickedAt(3600, 600), "lblTagged");
  EXPECT_EQ(clickedAt(2550, 2250), "lblGround");
  // A frame's controls lie on it and are cut by it; the frame itself is solid.
  EXPECT_EQ(clickedAt(3300, 2550), "lblInFrame");
  EXPECT_EQ(clickedAt(4350, 3000), "lblOverhang");
  EXPECT_EQ(clickedAt(4650, 3000), "lblGround");
  EXPECT_EQ(clickedAt(3900, 2250), "fraBox");
  // Buttons stand above painted controls, whatever was created later.
  EXPECT_EQ(clickedAt(1200, 2550), "cmdFire");
  EXPECT_EQ(clickedAt(1650, 2550), "lblOverButton");
  EXPECT_EQ(clickedAt(1650, 3000), "optA");
  // Hidden controls are not there; disabled ones swallow the click.
  EXPECT_EQ(clickedAt(1995, 3000), "lblGround");
  EXPECT_EQ(clickedAt(2595, 3000), "nothing");
  EXPECT_EQ(clickedAt(600, 3300), "nothing");
  // A hidden frame hides its controls; a disabled one disables them.
  a.fraBox.Visible = false;
  EXPECT_EQ(clickedAt(3300, 2550), "lblGround");
  a.fraBox.Visible = true;
  a.fraBox.Enabled = false;
  EXPECT_EQ(clickedAt(3300, 2550), "nothing");
  a.fraBox.Enabled = true;
  // The unit moved away: its old place is sky again.
  a.imgUnit.Left = 3000;
  EXPECT_EQ(clickedAt(900, 900), "lblSky");
  // Both realisations ask the same core question.
  EXPECT_EQ(hitTest(a, 2595, 3000), &a.imgOff);
  EXPECT_EQ(hitTest(a, 450, 450), &a.lblSky);
}

TYPED_TEST_P(RuntimeContract, KeyPreviewSeesEveryKeyWithItsShiftState) {
  auto& d = this->d;
  PlayForm& a = d.forms().make("frmA");
  d.show(a);
  d.key(a, Key::Left, 0);
  EXPECT_TRUE(a.keys.empty()) << "key preview is off";
  a.KeyPreview = true;
  // Arrows, punctuation, a letter, a digit, an F key; Alt with no access key, Ctrl with no shortcut.
  const std::vector<KeyChord> typed{
      {Key::Left, 0},        {Key::Right, KeyShift::Ctrl},   {Key::Period, 0},     {Key::Comma, 0},
      {Key::Slash, 0},       {Key::Semicolon, 0},            {Key::BracketLeft, 0}, {Key::Quote, 0},
      {Key::Minus, 0},       {'A', 0},                       {'7', 0},             {Key::F1 + 4, 0},
      {Key::Period, KeyShift::Shift}, {'X', KeyShift::Alt},  {'Q', KeyShift::Ctrl}, {Key::Up, KeyShift::Shift | KeyShift::Ctrl},
      {Key::Enter, 0},       {Key::Space, 0},                {Key::Escape, 0},     {Key::Home, 0},
      {Key::Delete, 0}};
  for (const KeyChord& k : typed) d.key(a, k.code, k.shift);
  EXPECT_EQ(a.keys, typed);
  EXPECT_EQ(this->take(), (Log{"frmA.Load", "frmA.Activate"})) << "a key pressed a button or a menu";
}

TYPED_TEST_P(RuntimeContract, ShortcutsAndAccessKeysAreTakenBeforeKeyPreview) {
  auto& d = this->d;
  PlayForm& a = d.forms().make("frmA");
  d.show(a);
  a.KeyPreview = true;
  this->take();
  d.key(a, Key::F2, 0);  // opens the title first, as a player would
  d.key(a, Key::F3, 0);  // a plain toggle: the item alone
  EXPECT_EQ(this->take(), (Log{"frmA.mnuGame", "frmA.mnuNew", "frmA.mnuPause"}));
  d.key(a, Key::F2, KeyShift::Shift);  // not the shortcut
  d.key(a, 'O', KeyShift::Ctrl);       // the shortcut of an item that cannot be chosen
  EXPECT_EQ(this->take(), Log{});
  EXPECT_EQ(a.keys, (std::vector<KeyChord>{{Key::F2, KeyShift::Shift}, {'O', KeyShift::Ctrl}}));
  a.keys.clear();
  d.key(a, 'F', KeyShift::Alt);  // the button's access key
  d.key(a, 'H', KeyShift::Alt);  // a menu title's
  EXPECT_EQ(this->take(), (Log{"frmA.cmdFire", "frmA.mnuHelp"}));
  EXPECT_TRUE(a.keys.empty());
  a.cmdFire.Enabled = false;  // a disabled button's access key is just a key
  d.key(a, 'F', KeyShift::Alt);
  EXPECT_EQ(this->take(), Log{});
  EXPECT_EQ(a.keys, (std::vector<KeyChord>{{'F', KeyShift::Alt}}));
}

TYPED_TEST_P(RuntimeContract, MenuTitlesRaiseTheirClickWhenOpenedAndItemsWhenChosen) {
  auto& d = this->d;
  PlayForm& a = d.forms().make("frmA");
  d.show(a);
  this->take();
  d.openMenu(a.mnuHelp);
  EXPECT_EQ(this->take(), Log{"frmA.mnuHelp"});
  d.chooseMenu(a.mnuNew);
  EXPECT_EQ(this->take(), (Log{"frmA.mnuGame", "frmA.mnuNew"}));
  d.chooseMenu(a.mnuOff);  // disabled: the title opens, the item does nothing
  EXPECT_EQ(this->take(), Log{"frmA.mnuGame"});
  a.mnuGame.setEnabled(false);  // a disabled title opens nothing
  d.chooseMenu(a.mnuNew);
  d.key(a, Key::F2, 0);
  EXPECT_EQ(this->take(), Log{});
  a.mnuGame.setEnabled(true);
  a.mnuNew.setChecked(true);
  EXPECT_TRUE(a.mnuNew.checked());
}

TYPED_TEST_P(RuntimeContract, MessageBoxesReturnTheButtonThePlayerChose) {
  auto& d = this->d;
  PlayForm& a = d.forms().make("frmA");
  d.show(a);
  d.answerNextBox(mb::AnsYes);
  EXPECT_EQ(d.rt().msgBox("Quit?", mb::YesNoQuestion, "Play"), mb::AnsYes);
  d.answerNextBox(mb::AnsNo);
  EXPECT_EQ(d.rt().msgBox("Restart?", mb::YesNoCritical, "Play"), mb::AnsNo);
  d.answerNextBox(mb::AnsOk);
  EXPECT_EQ(d.rt().msgBox("Out of ammunition", mb::OkInformation, "Play"), mb::AnsOk);
  // Timers keep ticking behind a box, but the forms behind it take no input;
  // a modal form shown over it does.
  int ticks = 0;
  std::vector<bool> taken;
  PlayForm& dialog = d.forms().make("frmDialog");
  a.tmrA.Tick = [&] {
    if (++ticks != 2) return;
    auto& rt = d.rt();
    taken = {rt.userKey(a, Key::F2, 0) != Runtime::KeyTaken::None, rt.userClick(a.cmdFire),
             rt.userOpenMenu(a.mnuGame), rt.userClose(a)};
    d.whileModal(dialog, [&] {
      taken.push_back(rt.accepts(dialog));
      dialog.Unload();
    });
  };
  a.tmrA.Interval = 50;
  d.answerNextBox(mb::AnsOk, 300);
  EXPECT_EQ(d.rt().msgBox("Paused", mb::OkQuestion, "Play"), mb::AnsOk);
  EXPECT_GE(ticks, 3);
  EXPECT_EQ(taken, (std::vector<bool>{false, false, false, false, true}));
  // Once the program has ended nobody is asked: No, or OK.
  a.tmrA.Interval = 0;
  d.rt().unloadAll();
  EXPECT_EQ(d.rt().msgBox("Quit?", mb::YesNoExclamation, "Play"), mb::AnsNo);
  EXPECT_EQ(d.rt().msgBox("Bye", mb::OkOnly, "Play"), mb::AnsOk);
}

REGISTER_TYPED_TEST_SUITE_P(RuntimeContract, TheFrontFormIsActivatedWhenShownAndWhenTheOneBeforeItGoes,
                            AFormUnloadedByItsOwnHandlerDiesWhenTheEventEnds,
                            AModalFormHoldsItsCallerAndBlocksTheFormsBehindIt,
                            TimersStartAfreshOnEveryIntervalOrEnableAndStopOnZero,
                            TimersOnMultiplesOfTheBeatShareItsWakeUps,
                            ATimersHandlerIsNeverReenteredWhileOthersTick, ClicksLandOnWhatThePlayerSeesThere,
                            KeyPreviewSeesEveryKeyWithItsShiftState,
                            ShortcutsAndAccessKeysAreTakenBeforeKeyPreview,
                            MenuTitlesRaiseTheirClickWhenOpenedAndItemsWhenChosen,
                            MessageBoxesReturnTheButtonThePlayerChose);

}  // namespace contract

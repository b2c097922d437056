// What the benchmarks that play the real program share: a runtime whose
// random numbers are seeded alike every run, and input as the X server
// delivers it from a keyboard and a mouse (XTest).
#pragma once

#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <QPoint>
#include <cstdint>
#include <cstdlib>
#include <utility>

#include "platform/qt/QtRuntime.h"

namespace bench {

// The same seed every run, so the enemy behaves alike.
class FixedSeedRuntime : public forms::QtRuntime {
 protected:
  std::uint64_t timeOfDayAtStart() const override { return 0x1234567u; }
};

// Input as the X server delivers it from a keyboard and a mouse.
class FakeInput {
 public:
  FakeInput() : c_(xcb_connect(nullptr, nullptr)) {
    if (xcb_connection_has_error(c_)) return;
    const xcb_setup_t* setup = xcb_get_setup(c_);
    root_ = xcb_setup_roots_iterator(setup).data->root;
    // Which keycodes carry the keysyms we press.
    const int first = setup->min_keycode, count = setup->max_keycode - setup->min_keycode + 1;
    auto* map = xcb_get_keyboard_mapping_reply(c_, xcb_get_keyboard_mapping(c_, setup->min_keycode, count), nullptr);
    if (!map) return;
    const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(map);
    for (int k = 0; k < count; ++k) {
      const xcb_keysym_t s = syms[k * map->keysyms_per_keycode];
      for (auto& [sym, code] : codes_)
        if (s == sym && code == 0) code = static_cast<xcb_keycode_t>(first + k);
    }
    free(map);
  }
  ~FakeInput() { xcb_disconnect(c_); }
  FakeInput(const FakeInput&) = delete;
  FakeInput& operator=(const FakeInput&) = delete;

  bool ok() const {
    if (xcb_connection_has_error(c_)) return false;
    for (const auto& kc : codes_)
      if (kc.second == 0) return false;
    return true;
  }
  xcb_connection_t* connection() const { return c_; }
  enum Key { Left, Right, Return, F3 };
  void key(Key k) {
    send(XCB_KEY_PRESS, codes_[k].second);
    send(XCB_KEY_RELEASE, codes_[k].second);
    xcb_flush(c_);
  }
  void click(QPoint global) {
    xcb_test_fake_input(c_, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, root_, static_cast<int16_t>(global.x()),
                        static_cast<int16_t>(global.y()), 0);
    send(XCB_BUTTON_PRESS, 1);
    send(XCB_BUTTON_RELEASE, 1);
    xcb_flush(c_);
  }
  // Under an X server without a window manager nobody gives a window the keyboard.
  void focus(xcb_window_t w) {
    xcb_set_input_focus(c_, XCB_INPUT_FOCUS_POINTER_ROOT, w, XCB_CURRENT_TIME);
    xcb_flush(c_);
  }

 private:
  void send(uint8_t type, uint8_t detail) {
    xcb_test_fake_input(c_, type, detail, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
  }
  xcb_connection_t* c_;
  xcb_window_t root_ = 0;
  std::pair<xcb_keysym_t, xcb_keycode_t> codes_[4] = {{0xff51, 0}, {0xff53, 0}, {0xff0d, 0}, {0xffc0, 0}};
};

}  // namespace bench

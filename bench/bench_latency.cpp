// Key to screen: the time from an arrow key sent to the X server (XTest) to
// the gun drawn at its new place in the window's pixels on the X server, as a
// player would see it. The enemy is kept from attacking, so every key moves
// the gun. Prints the median, the 99th percentile and the worst of N keys.
#include <xcb/xcb.h>

#include <QMenuBar>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

#include "app/Startup.h"
#include "bench/XInput.h"

namespace {

using Clock = std::chrono::steady_clock;

// A row of pixels across the gun's track, read from the X server.
std::vector<std::uint8_t> strip(xcb_connection_t* c, xcb_window_t w, int y, int width) {
  auto* reply = xcb_get_image_reply(
      c,
      xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, w, 0, static_cast<int16_t>(y), static_cast<uint16_t>(width), 1, ~0u),
      nullptr);
  if (!reply) return {};
  const std::uint8_t* data = xcb_get_image_data(reply);
  std::vector<std::uint8_t> out(data, data + xcb_get_image_data_length(reply));
  free(reply);
  return out;
}

double pct(std::vector<double> v, double p) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[std::min(v.size() - 1, static_cast<size_t>(p / 100.0 * static_cast<double>(v.size())))];
}

}  // namespace

int main(int argc, char** argv) {
  const int keys = argc > 1 ? std::atoi(argv[1]) : 200;
  bulwarn::preferCheapRepaints();  // as the program does
  QApplication app(argc, argv);
  bench::FixedSeedRuntime rt;
  bulwarn::Program program(rt);
  std::vector<double> ms;
  std::thread player;
  std::atomic<bool> done{false};
  QTimer step;
  QObject::connect(&step, &QTimer::timeout, [&] {
    if (player.joinable()) {
      if (done) rt.unloadAll();
      return;
    }
    if (!bulwarn::stepTowardsBattle(rt, program)) return;
    bulwarn::frmBulwarn& battle = *program.battleIfLoaded();
    // Nothing but the player's keys holds the gun.
    battle.tmrEnemy1.Enabled = false;
    battle.tmrMove.Enabled = false;
    QWidget* window = rt.window(battle);
    const int menu = window->findChild<QMenuBar*>() ? window->findChild<QMenuBar*>()->height() : 0;
    const auto id = static_cast<xcb_window_t>(window->winId());
    const int y = menu + static_cast<int>(battle.imgSight.Top + battle.imgSight.Height / 2) / 15;
    const int width = static_cast<int>(battle.lblBattlefield.Left + battle.lblBattlefield.Width) / 15;
    player = std::thread([&ms, &done, keys, id, y, width] {
      bench::FakeInput input;
      xcb_connection_t* c = input.connection();
      input.focus(id);
      std::this_thread::sleep_for(std::chrono::milliseconds(500));
      for (int i = 0; i < keys; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(60));
        const auto before = strip(c, id, y, width);
        // Twenty steps one way, then twenty back: the gun stays on its track.
        input.key(i / 20 % 2 == 0 ? bench::FakeInput::Right : bench::FakeInput::Left);
        const auto t0 = Clock::now();
        while (Clock::now() - t0 < std::chrono::milliseconds(500)) {
          if (strip(c, id, y, width) != before) {
            ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
            break;
          }
        }
      }
      done = true;
    });
  });
  step.start(50);
  program.start();
  const int rc = rt.exec();
  if (player.joinable()) player.join();
  std::printf("key-to-screen            %4zu of %d keys  p50 %6.2f ms  p99 %6.2f ms  worst %6.2f ms\n", ms.size(), keys,
              pct(ms, 50), pct(ms, 99), ms.empty() ? 0.0 : *std::max_element(ms.begin(), ms.end()));
  return rc;
}

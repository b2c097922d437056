#include "AudioServer.h"

#include <pulse/pulseaudio.h>

#include <atomic>
#include <chrono>

namespace forms {

namespace {
constexpr const char* kClientName = "bulwarn-watch";

bool finalState(pa_context_state_t s) { return s == PA_CONTEXT_FAILED || s == PA_CONTEXT_TERMINATED; }
}  // namespace

bool audioServerAnswers(int timeoutMs) {
  pa_mainloop* loop = pa_mainloop_new();
  if (!loop) return false;
  pa_context* c = pa_context_new(pa_mainloop_get_api(loop), kClientName);
  bool ready = false;
  if (c && pa_context_connect(c, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) >= 0) {
    // A server that is stopped accepts the connection and never answers: hence the deadline.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
      const pa_context_state_t s = pa_context_get_state(c);
      if (s == PA_CONTEXT_READY) {
        ready = true;
        break;
      }
      if (finalState(s)) break;
      const auto left = std::chrono::duration_cast<std::chrono::microseconds>(deadline - std::chrono::steady_clock::now());
      if (left.count() <= 0) break;
      if (pa_mainloop_prepare(loop, static_cast<int>(left.count())) < 0 || pa_mainloop_poll(loop) < 0 ||
          pa_mainloop_dispatch(loop) < 0)
        break;
    }
    pa_context_disconnect(c);
  }
  if (c) pa_context_unref(c);
  pa_mainloop_free(loop);
  return ready;
}

struct AudioServerWatch::Impl {
  pa_threaded_mainloop* loop = nullptr;
  pa_context* context = nullptr;
  std::function<void()> onLost;
  std::atomic<bool> told{false};

  static void stateChanged(pa_context* c, void* self) {
    auto* d = static_cast<Impl*>(self);
    if (finalState(pa_context_get_state(c)) && !d->told.exchange(true)) d->onLost();
  }
};

std::unique_ptr<AudioServerWatch> AudioServerWatch::start(std::function<void()> onLost) {
  std::unique_ptr<AudioServerWatch> w(new AudioServerWatch);
  w->d_ = std::make_unique<Impl>();
  Impl& d = *w->d_;
  d.onLost = std::move(onLost);
  d.loop = pa_threaded_mainloop_new();
  if (!d.loop) return nullptr;
  if (pa_threaded_mainloop_start(d.loop) < 0) {
    pa_threaded_mainloop_free(d.loop);
    d.loop = nullptr;
    return nullptr;
  }
  // Not waited for: a server that fails to answer now counts as lost, like one that goes later.
  pa_threaded_mainloop_lock(d.loop);
  d.context = pa_context_new(pa_threaded_mainloop_get_api(d.loop), kClientName);
  bool connecting = false;
  if (d.context) {
    pa_context_set_state_callback(d.context, &Impl::stateChanged, &d);
    connecting = pa_context_connect(d.context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) >= 0;
  }
  pa_threaded_mainloop_unlock(d.loop);
  if (!connecting) return nullptr;
  return w;
}

AudioServerWatch::~AudioServerWatch() {
  if (!d_ || !d_->loop) return;
  pa_threaded_mainloop_lock(d_->loop);
  if (d_->context) {
    pa_context_set_state_callback(d_->context, nullptr, nullptr);
    pa_context_disconnect(d_->context);
    pa_context_unref(d_->context);
  }
  pa_threaded_mainloop_unlock(d_->loop);
  pa_threaded_mainloop_stop(d_->loop);
  pa_threaded_mainloop_free(d_->loop);
}

}  // namespace forms

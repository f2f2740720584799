// CheckEvent with nothing pending, with 10 displays and 100 intervals not yet due, in microseconds
// per call, beside an empty protected call of the script engine (the least a dispatch costs) in
// the same run; the same call with the mouse moved over a picture of 100 buttons (hover tracking)
// beside it without the move; and the latency from a key pushed into SDL's queue to its callback, in pump calls
// (platform pump plus poll, as a CheckEvent frame loop makes them).
#include <SDL2/SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

#include "display/display.h"
#include "display/input_events.h"
#include "engine/vm.h"
#include "events/buttons.h"
#include "events/events.h"
#include "platform/platform.h"

namespace {

double now_s() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

int32_t g_calls = 0;
int32_t counted(qmState*) {
  ++g_calls;
  return 0;
}
int32_t empty(qmState*) { return 0; }

// Best of several interleaved rounds, microseconds per call.
template <class A, class B>
void measure(A a, B b, double* ua, double* ub) {
  *ua = *ub = 1e30;
  for (int round = 0; round < 15; ++round) {
    const int n = 20000;
    double t0 = now_s();
    for (int i = 0; i < n; ++i) a();
    *ua = std::min(*ua, (now_s() - t0) * 1e6 / n);
    t0 = now_s();
    for (int i = 0; i < n; ++i) b();
    *ub = std::min(*ub, (now_s() - t0) * 1e6 / n);
  }
}

}  // namespace

int main() {
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  if (platform_init() != 0) {
    std::printf("bench_events: no SDL events\n");
    return 0;
  }
  qmState* L = vm_open();
  qm::event_sources_reset();
  qm::poller_reset();
  std::vector<qmDisplay> displays(10);
  std::vector<qmDisplayPlatform> platforms(10);
  for (size_t i = 0; i < displays.size(); ++i) {
    qmDisplay& d = displays[i];
    std::memset(d.callbacks, 0xff, sizeof d.callbacks);
    d.header.id = qm::ObjectId{int32_t(i + 1), nullptr};
    d.header.next = i + 1 < displays.size() ? &displays[i + 1].header : nullptr;
    d.win.platform = &platforms[i];
  }
  qm::display_system().list = &displays[0].header;
  vm_push_cfunction(L, counted);
  const int32_t cb = vm_ref_new(L, QM_REGISTRYINDEX);
  for (int32_t i = 0; i < 100; ++i) qm::interval_add(qm::ObjectId{i + 1, nullptr}, 3600 * 1000, cb, -1, nullptr);
  // Intervals are due at once when set: serve those firings first.
  for (int i = 0; i < 300; ++i) {
    int32_t n = 0;
    qm::event_pump(L, false, &n);
    vm_set_top(L, 0);
  }

  double check_us = 0, pcall_us = 0;
  measure(
      [&] {
        int32_t n = 0;
        qm::event_pump(L, false, &n);
        vm_set_top(L, 0);
      },
      [&] {
        vm_push_cfunction(L, empty);
        vm_pcall(L, 0, 0, 0);
      },
      &check_us, &pcall_us);
  std::printf("CheckEvent, nothing pending (10 displays, 100 intervals): %.3f us/call\n", check_us);
  std::printf("empty protected call:                                     %.3f us/call\n", pcall_us);
  std::printf("ratio: %.1f\n", check_us / pcall_us);

  // Hover tracking: display 1 shows a picture with 100 buttons, none under the mouse, and the
  // mouse moved before every call.
  qm::buttons_install();
  qm::qmBGPic pic{};
  displays[0].bgpic = &pic;
  for (int32_t i = 0; i < 100; ++i) {
    qm::qmBGPicButton* b = qm::button_new(&pic);
    b->id = qm::ObjectId{i + 1, nullptr};
    b->x1 = 100 + (i % 10) * 20, b->y1 = 100 + (i / 10) * 20;
    b->x2 = b->x1 + 9, b->y2 = b->y1 + 9;
    b->callbacks[qm::BCB_OVER] = b->callbacks[qm::BCB_OUT] = cb;
  }
  double hover_us = 0, still_us = 0;
  measure(
      [&] {
        displays[0].mouse_moved = 1;
        int32_t n = 0;
        qm::event_pump(L, false, &n);
        vm_set_top(L, 0);
      },
      [&] {
        int32_t n = 0;
        qm::event_pump(L, false, &n);
        vm_set_top(L, 0);
      },
      &hover_us, &still_us);
  std::printf("CheckEvent, mouse moved over 100 buttons (hover tracking): %.3f us/call\n", hover_us);
  std::printf("CheckEvent, the same without a move:                       %.3f us/call\n", still_us);
  std::printf("ratio: %.1f\n", hover_us / still_us);
  qm::buttons_free_all(nullptr, &pic);
  displays[0].bgpic = nullptr;

  // Latency: a key down pushed into SDL's queue, then frames of one platform pump and one poll.
  displays[0].callbacks[qm::HSLOT_ONKEYDOWN][0] = cb;
  qm::input_set_display_lookup([](uint32_t) -> qmDisplay* {
    return qm::display_of(qm::display_system().list);
  });
  qm::input_events_install();
  int32_t worst = 0;
  for (int k = 0; k < 20; ++k) {
    const int32_t before = g_calls;
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.windowID = 1;
    e.key.keysym.sym = SDLK_a;
    e.key.keysym.scancode = SDL_SCANCODE_A;
    SDL_PushEvent(&e);
    e.type = SDL_KEYUP;
    int32_t frames = 0;
    while (g_calls == before && frames < 1000) {
      ++frames;
      platform_pump_events(L);
      int32_t n = 0;
      qm::event_pump(L, false, &n);
      vm_set_top(L, 0);
      SDL_Delay(1);
    }
    SDL_PushEvent(&e);
    worst = std::max(worst, frames);
  }
  std::printf("injected key to its callback: at most %d pump calls\n", worst);
  qm::display_system().list = nullptr;
  qm::intervals_free_all(L);
  qm::poller_reset();
  vm_close_state(L);
  platform_exit();
  return 0;
}

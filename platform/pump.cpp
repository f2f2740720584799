// The pump, the blocking wait and the waits built on them, with the quit request, the quit signal
// and the wake flag.
#include <SDL2/SDL.h>

#include <algorithm>
#include <atomic>

#include "engine/errcodes.h"
#include "platform/platform.h"
#include "platform/platform_internal.h"

namespace {

constexpr int64_t kPumpGapUs = 10000;    // the pump's early return with nothing queued
constexpr int64_t kWaitSliceUs = 10000;  // the longest block before the wake flag is looked at

std::atomic<bool> g_quit_request{false};
std::atomic<int> g_quit_signal{0};
std::atomic<bool> g_wake{false};
EventTranslator g_translator = nullptr;
PumpFinisher g_finisher = nullptr;
int64_t g_last_pump_us = 0;

// One event off SDL's queue. Consecutive motions of one mouse in one window become the last of
// them (with the relative motion summed), so a fast mouse cannot back the queue up.
bool take_one_event(SDL_Event* ev) {
  if (SDL_PeepEvents(ev, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) != 1) return false;
  if (ev->type != SDL_MOUSEMOTION) return true;
  // The motions behind are looked at a batch at a time and taken in one call: the queue's lock
  // is taken twice a batch instead of twice a motion.
  constexpr int kBatch = 64;
  SDL_Event batch[kBatch];
  for (;;) {
    const int n = SDL_PeepEvents(batch, kBatch, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT);
    int same = 0;
    while (same < n && batch[same].type == SDL_MOUSEMOTION && batch[same].motion.windowID == ev->motion.windowID &&
           batch[same].motion.which == ev->motion.which) {
      batch[same].motion.xrel += ev->motion.xrel;
      batch[same].motion.yrel += ev->motion.yrel;
      *ev = batch[same];
      ++same;
    }
    if (same == 0) return true;
    // The first `same` events of the queue are these motions, so taking motions takes them.
    SDL_PeepEvents(batch, same, SDL_GETEVENT, SDL_MOUSEMOTION, SDL_MOUSEMOTION);
    if (same < kBatch) return true;
  }
}

int pending_events() {
  SDL_PumpEvents();
  return SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT);
}

// A quit signal becomes an SDL_QUIT, so that it takes the one quit path of the window system's.
void post_quit_signal() {
  if (!platform_internal::take_quit_signal()) return;
  SDL_Event ev{};
  ev.type = SDL_QUIT;
  ev.quit.timestamp = SDL_GetTicks();
  SDL_PushEvent(&ev);
}

// Something for the main loop to look at: an event pushed by the input script, a timer that fell
// due, the wake flag, a quit signal.
bool something_happened() {
  bool any = platform_internal::take_wake();
  any |= platform_internal::quit_signal_pending();
  any |= platform_event_script_feed() > 0;
  any |= platform_timers_fire_due() > 0;
  return any;
}

// Blocks until something happens or the clock reaches deadline_us.
void wait_until(int64_t deadline_us) {
  Clock& clock = platform_clock();
  for (;;) {
    if (something_happened()) return;
    int64_t now = clock.now_us();
    if (now >= deadline_us) return;
    int64_t slice = std::min(kWaitSliceUs, deadline_us - now);
    for (int64_t due : {platform_timers_next_due_us(), platform_event_script_next_due_us()}) {
      if (due >= 0) slice = std::min(slice, due);
    }
    if (!SDL_WasInit(SDL_INIT_EVENTS)) {
      // Before platform_init (a library test calling a wait) there is no queue to block on.
      clock.sleep_us(std::max<int64_t>(slice, 1));
      if (deadline_us == INT64_MAX) return;
      continue;
    }
    if (clock.is_fake()) {
      if (pending_events() > 0) return;
      // A fake clock moves only on request: with nothing ever due, a wait would never end.
      if (deadline_us == INT64_MAX && platform_timers_next_due_us() < 0 &&
          platform_event_script_next_due_us() < 0) {
        return;
      }
      clock.sleep_us(std::max<int64_t>(slice, 1));
      continue;
    }
    int ms = int(std::max<int64_t>((slice + 999) / 1000, 1));
    if (SDL_WaitEventTimeout(nullptr, ms) == 1) return;
  }
}

}  // namespace

namespace platform_internal {

void note_quit_signal() { g_quit_signal.store(1); }
bool quit_signal_pending() { return g_quit_signal.load() != 0; }
bool take_quit_signal() { return g_quit_signal.exchange(0) != 0; }
void clear_quit_signal() { g_quit_signal.store(0); }
bool take_wake() { return g_wake.exchange(false); }
void reset_pump_state() { g_last_pump_us = platform_clock().now_us(); }

}  // namespace platform_internal

bool platform_quit_requested() { return g_quit_request.load(); }
void platform_set_quit_request(bool on) { g_quit_request.store(on); }

void platform_wake() { g_wake.store(true); }

void platform_set_event_translator(EventTranslator translator) { g_translator = translator; }
void platform_set_pump_finisher(PumpFinisher finisher) { g_finisher = finisher; }

int32_t platform_pump_events(qmState* L) {
  Clock& clock = platform_clock();
  post_quit_signal();
  platform_event_script_feed();
  platform_timers_fire_due();
  if (pending_events() <= 0 && clock.now_us() - g_last_pump_us < kPumpGapUs) return 0;

  int32_t quit = 0;
  SDL_Event ev;
  if (take_one_event(&ev)) {
    platform_input_track(ev);
    if (ev.type == SDL_WINDOWEVENT) platform_window_handle_event(ev);
    if (g_translator) {
      quit = g_translator(L, ev);
    } else if (ev.type == SDL_QUIT) {
      quit = 1;
    }
  }
  // What the program drew since the last frame shows up between frames too.
  platform_present_pending();
  if (g_finisher && g_finisher(L)) quit = 1;
  if (quit) platform_set_quit_request(true);
  int32_t result = platform_quit_requested() ? 1 : 0;
  g_last_pump_us = clock.now_us();
  return result;
}

int32_t platform_wait_event() {
  if (pending_events() > 0) return 0;
  wait_until(INT64_MAX);
  return 0;
}

void platform_delay(int64_t ms) {
  if (ms > 0) platform_clock().sleep_us(ms * 1000);
}

int32_t platform_wait_ms(int64_t ms) {
  if (ms <= 100) {
    platform_delay(ms);
    return 0;
  }
  Clock& clock = platform_clock();
  const int64_t deadline = clock.now_us() + ms * 1000;
  for (;;) {
    if (pending_events() <= 0) wait_until(deadline);
    if (clock.now_us() >= deadline) return 0;
    if (platform_pump_events(platform_main_state())) return qm::ERR_USERABORT;
  }
}

// The pump with the quit request, the quit signal and the wake flag. The waits built on the pump
// are in wait.cpp.
#include <SDL2/SDL.h>

#include <algorithm>
#include <atomic>

#include "platform/platform.h"
#include "platform/platform_internal.h"

namespace {

constexpr int64_t kPumpGapUs = 10000;  // the pump's early return with nothing queued

std::atomic<bool> g_quit_request{false};
std::atomic<int> g_quit_signal{0};
std::atomic<bool> g_wake{false};
// Set by every wake and cleared by the next full pump: a wake is a promise that the finishers run,
// even when it comes within the early-return gap of the last pump and nothing is queued. A
// finisher that was woken once (the sound layer's) is not woken again until it has run.
std::atomic<bool> g_wake_owed{false};
EventTranslator g_translator = nullptr;
// The finishers: the display library's and the sound layer's.
constexpr int kMaxFinishers = 4;
PumpFinisher g_finishers[kMaxFinishers] = {};
int64_t g_last_pump_us = 0;
// The libraries' due sources: the video library's.
constexpr int kMaxDueSources = 4;
WaitDueSource g_due_sources[kMaxDueSources] = {};

// Puts f into the first free slot of the list, unless it is there already.
template <typename F, size_t N>
void add_once(F (&list)[N], F f) {
  for (F& slot : list) {
    if (slot == f) return;
    if (!slot) {
      slot = f;
      return;
    }
  }
}

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

bool changes_held_input(uint32_t type) {
  return type == SDL_KEYDOWN || type == SDL_KEYUP || type == SDL_MOUSEBUTTONDOWN || type == SDL_MOUSEBUTTONUP;
}

// A quit signal becomes an SDL_QUIT, so that it takes the one quit path of the window system's.
void post_quit_signal() {
  if (!platform_internal::take_quit_signal()) return;
  SDL_Event ev{};
  ev.type = SDL_QUIT;
  ev.quit.timestamp = SDL_GetTicks();
  SDL_PushEvent(&ev);
}

}  // namespace

namespace platform_internal {

void note_quit_signal() { g_quit_signal.store(1); }
bool quit_signal_pending() { return g_quit_signal.load() != 0; }
bool take_quit_signal() { return g_quit_signal.exchange(0) != 0; }
void clear_quit_signal() { g_quit_signal.store(0); }
bool take_wake() { return g_wake.exchange(false); }
void reset_pump_state() { g_last_pump_us = platform_clock().now_us(); }

int64_t next_due_us() {
  int64_t next = -1;
  for (WaitDueSource source : g_due_sources) {
    if (!source) break;
    const int64_t due = source();
    if (due >= 0 && (next < 0 || due < next)) next = due;
  }
  return next;
}

int pending_events() {
  SDL_PumpEvents();
  return SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT);
}

}  // namespace platform_internal

bool platform_quit_requested() { return g_quit_request.load(); }
void platform_set_quit_request(bool on) { g_quit_request.store(on); }

void platform_wake() {
  g_wake_owed.store(true);
  g_wake.store(true);
  platform_internal::wake_signal();
}

void platform_set_event_translator(EventTranslator translator) { g_translator = translator; }
void platform_add_pump_finisher(PumpFinisher finisher) { add_once(g_finishers, finisher); }
void platform_add_wait_due(WaitDueSource source) { add_once(g_due_sources, source); }

int32_t platform_pump_events(qmState* L) {
  Clock& clock = platform_clock();
  post_quit_signal();
  platform_event_script_feed();
  platform_timers_fire_due();
  const int queued = platform_internal::pending_events();
  if (queued <= 0 && !g_wake_owed.load() && clock.now_us() - g_last_pump_us < kPumpGapUs &&
      platform_internal::next_due_us() != 0)
    return 0;
  g_wake_owed.store(false);

  // What is queued now is served now, up to the first key or button that goes down or up: a
  // program that looks at the held keys and buttons between pumps (WaitLeftMouse, IsKeyDown in
  // a key's handler) sees every press and release. What arrives meanwhile waits for the next
  // pump, so that a flood of input cannot hold the program.
  int32_t quit = 0;
  SDL_Event ev;
  for (int n = 0; n < queued && take_one_event(&ev); ++n) {
    platform_input_track(ev);
    if (ev.type == SDL_WINDOWEVENT) platform_window_handle_event(ev);
    if (g_translator) {
      quit |= g_translator(L, ev);
    } else if (ev.type == SDL_QUIT) {
      quit = 1;
    }
    if (changes_held_input(ev.type)) break;
  }
  // What the program drew since the last frame shows up between frames too.
  platform_present_pending();
  for (PumpFinisher f : g_finishers)
    if (f && f(L)) quit = 1;
  if (quit && !platform_quit_requested()) {
    platform_set_quit_request(true);
    // The script sees the quit at its next line, not only at the next tick.
    platform_internal::tick_now();
  }
  int32_t result = platform_quit_requested() ? 1 : 0;
  g_last_pump_us = clock.now_us();
  return result;
}

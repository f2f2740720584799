// Waiting: the one place where the player's thread blocks. A wait blocks on the window system's
// connection and on the wake descriptor together, until input arrives, something wakes it (another
// thread, a quit signal), a platform timer or an input-script line falls due, or its deadline
// comes; it never sleeps blind. The tick that paces the line hook is stopped while it blocks, and
// every window shows what was drawn into it before the thread blocks.
//
// The x11 driver's connection is waited on directly: SDL's own wait would neither see the wake
// descriptor nor a signal, and SDL polls every millisecond on drivers without one (offscreen,
// dummy), which have no outside input at all. Other drivers (wayland) are looked at every 10 ms.
#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <climits>
#include <cstring>
#include <vector>

#include "engine/errcodes.h"
#include "platform/platform.h"
#include "platform/platform_internal.h"
#include "platform/window.h"
#include "platform/window_internal.h"

namespace {

// Input that cannot be waited on is looked at this often.
constexpr int64_t kPollSliceUs = 10000;
// The longest block: SDL does some work of its own in its pump on its own clock (focus changes
// after a grab, 200 ms late), which no input would wake us for.
constexpr int64_t kLongestBlockUs = 200000;

std::atomic<int> g_wake_fd{-1};

// The connection the window system's input arrives on, or -1: none to wait for (no window, a
// driver without outside input) or, with *look_often set, input that cannot be waited on.
int input_fd(bool* look_often) {
  *look_often = false;
  if (!platform_video_started()) return -1;
  const char* driver = SDL_GetCurrentVideoDriver();
  if (!driver || std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0)
    return -1;
  if (std::strcmp(driver, "x11") != 0) {
    *look_often = true;
    return -1;
  }
  for (const qmDisplayWindow* d : window_system().open) {
    if (!d->platform || !d->platform->window) continue;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(d->platform->window, &info) && info.subsystem == SDL_SYSWM_X11)
      return ConnectionNumber(info.info.x11.display);
  }
  return -1;
}

WaitDescriptorSource g_descriptor_source = nullptr;

// Blocks for at most timeout_us until the window system has input, the wake descriptor is
// written or, with `libraries`, a library's descriptor is ready; true for the last. The caller has just moved
// everything already read from the connection into SDL's queue, so input still to come shows on
// the connection.
bool block(int64_t timeout_us, bool libraries) {
  bool look_often = false;
  const int fd = input_fd(&look_often);
  timeout_us = std::clamp<int64_t>(timeout_us, 0, look_often ? kPollSliceUs : kLongestBlockUs);
  static std::vector<pollfd> fds;
  static std::vector<int32_t> library_fds;
  fds.clear();
  library_fds.clear();
  const int wake = g_wake_fd.load();
  if (wake >= 0) fds.push_back(pollfd{wake, POLLIN, 0});
  if (fd >= 0) fds.push_back(pollfd{fd, POLLIN, 0});
  const size_t first_library = fds.size();
  if (libraries && g_descriptor_source) g_descriptor_source(&library_fds);
  for (int32_t d : library_fds) fds.push_back(pollfd{d, POLLIN | POLLRDHUP, 0});
  const timespec ts{time_t(timeout_us / 1000000), long(timeout_us % 1000000) * 1000};
  platform_internal::tick_pause();
  ppoll(fds.data(), nfds_t(fds.size()), &ts, nullptr);  // an interruption is a wake-up like any other
  platform_internal::tick_resume();
  uint64_t count;
  if (wake >= 0 && read(wake, &count, sizeof count) < 0) {
    // nothing written: nothing to take
  }
  for (size_t i = first_library; i < fds.size(); ++i)
    if (fds[i].revents) return true;
  return false;
}

// Something for the main loop to look at: an event pushed by the input script, a timer that fell
// due, the wake flag, a quit signal, a library's due time.
bool something_happened() {
  bool any = platform_internal::take_wake();
  any |= platform_internal::quit_signal_pending();
  any |= platform_event_script_feed() > 0;
  any |= platform_timers_fire_due() > 0;
  any |= platform_internal::next_due_us() == 0;
  return any;
}

// Blocks until something is there to serve or the clock reaches deadline_us. The libraries'
// descriptors end only the event loops' wait: their events are taken by the event poller alone,
// so another wait would find them ready again and again until its deadline.
void wait_for_events(int64_t deadline_us, bool libraries) {
  Clock& clock = platform_clock();
  for (;;) {
    // An event loop that still waits still looks at its events: an input script's "wait events"
    // line that fell due meanwhile ends here, or the script would stand still for good.
    if (libraries) platform_event_script_events_looked_at();
    if (something_happened()) return;
    const bool events = SDL_WasInit(SDL_INIT_EVENTS) != 0;
    if (events && platform_internal::pending_events() > 0) return;
    const int64_t now = clock.now_us();
    if (now >= deadline_us) return;
    int64_t slice = deadline_us - now;
    for (int64_t due : {platform_timers_next_due_us(), platform_event_script_next_due_us(),
                        platform_internal::next_due_us()}) {
      if (due >= 0) slice = std::min(slice, due);
    }
    if (clock.is_fake()) {
      // A fake clock moves only on request: with nothing ever due, a wait would never end.
      if (deadline_us == INT64_MAX && platform_timers_next_due_us() < 0 &&
          platform_event_script_next_due_us() < 0 && platform_internal::next_due_us() < 0)
        return;
      clock.sleep_us(std::max<int64_t>(std::min(slice, kPollSliceUs), 1));
      continue;
    }
    if (!events) {
      // Before platform_init (a library test calling a wait) there is no queue to watch.
      clock.sleep_us(std::max<int64_t>(std::min(slice, kPollSliceUs), 1));
      if (deadline_us == INT64_MAX) return;
      continue;
    }
    // What the program drew since the last present shows before the player sleeps: a wait
    // for input can last until the user acts, and the user acts on what the window shows.
    platform_present_pending();
    if (block(slice, libraries)) return;
  }
}

}  // namespace

namespace platform_internal {

void wake_open() {
  if (g_wake_fd.load() < 0) g_wake_fd.store(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC));
}

void wake_close() {
  const int fd = g_wake_fd.exchange(-1);
  if (fd >= 0) close(fd);
}

void wake_signal() {
  const int fd = g_wake_fd.load();
  const uint64_t one = 1;
  if (fd >= 0 && write(fd, &one, sizeof one) < 0) {
    // the counter is full: the wait wakes anyway
  }
}

}  // namespace platform_internal

void platform_set_wait_descriptors(WaitDescriptorSource source) { g_descriptor_source = source; }

int32_t platform_wait_event() {
  wait_for_events(INT64_MAX, true);
  return 0;
}

int32_t platform_wait_until(qmState* L, int64_t deadline_us) {
  Clock& clock = platform_clock();
  if (!platform_initialised()) {
    // Nothing to serve before the platform starts (library tests): the time passes.
    const int64_t left = deadline_us - clock.now_us();
    if (left > 0) clock.sleep_us(left);
    return 0;
  }
  for (;;) {
    if (platform_pump_events(L) || platform_quit_requested()) return qm::ERR_USERABORT;
    if (clock.now_us() >= deadline_us) return 0;
    wait_for_events(deadline_us, false);
  }
}

void platform_delay(int64_t ms) {
  if (ms > 0) platform_clock().sleep_us(ms * 1000);
}

int32_t platform_wait_ms(int64_t ms) {
  return platform_wait_until(platform_main_state(),
                             platform_clock().now_us() + std::max<int64_t>(ms, 0) * 1000);
}

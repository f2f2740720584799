// The tick that paces the per-line hook: a signal every 10 ms of monotonic time, from a POSIX
// timer, to the thread that started it. The handler only calls the function it was given (the
// line hook arms the engine's hook there), so the script's thread stays the only thread and the
// executor tests nothing but its attention word between ticks.
//
// The tick follows elapsed time, so a program that spends most of its time in VWait or Wait still
// gets its events served while it runs. A wait of this layer stops the tick while it blocks (it
// serves the events itself, and a tick would only wake it) and starts it again, a whole period
// away, when the wait returns.
#include <signal.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

#include "platform/platform.h"
#include "platform/platform_internal.h"

namespace {

constexpr long kTickNs = 10 * 1000 * 1000;
constexpr int kTickSignal = SIGVTALRM;

// The signal handler reads it, so it is a lock-free atomic.
static_assert(std::atomic<void (*)()>::is_always_lock_free);
std::atomic<void (*)()> g_fire{nullptr};

// errno is kept for the code the signal interrupted.
void on_tick(int) {
  int saved = errno;
  if (void (*fire)() = g_fire.load(std::memory_order_relaxed)) fire();
  errno = saved;
}

struct Ticker {
  timer_t timer{};
  bool running = false;
  bool paused = false;
  bool handler_installed = false;

  bool set(long first_ns) {
    struct itimerspec every {};
    every.it_interval.tv_nsec = first_ns ? kTickNs : 0;
    every.it_value.tv_nsec = first_ns;
    return timer_settime(timer, 0, &every, nullptr) == 0;
  }
};

Ticker g_ticker;

}  // namespace

bool platform_tick_start(void (*fire)()) {
  Ticker& t = g_ticker;
  if (t.running) platform_tick_stop();
  g_fire.store(fire, std::memory_order_relaxed);
  if (!t.handler_installed) {
    // Installed once and kept: a tick already on its way when the timer is deleted then finds
    // no function instead of the default action, which would end the process. SA_RESTART keeps
    // the system calls that a tick interrupts going.
    struct sigaction sa {};
    sa.sa_handler = on_tick;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    if (sigaction(kTickSignal, &sa, nullptr) != 0) return false;
    t.handler_installed = true;
  }
  // Sent to this thread only: other threads (SDL's, sound) never see the signal.
  struct sigevent ev {};
  ev.sigev_notify = SIGEV_THREAD_ID;
  ev.sigev_signo = kTickSignal;
  ev._sigev_un._tid = gettid();  // glibc names no field for it
  if (timer_create(CLOCK_MONOTONIC, &ev, &t.timer) != 0) return false;
  if (!t.set(kTickNs)) {
    timer_delete(t.timer);
    return false;
  }
  t.running = true;
  t.paused = false;
  return true;
}

void platform_tick_stop() {
  Ticker& t = g_ticker;
  if (t.running) timer_delete(t.timer);
  t.running = false;
  t.paused = false;
  g_fire.store(nullptr, std::memory_order_relaxed);
}

namespace platform_internal {

void tick_pause() {
  Ticker& t = g_ticker;
  if (t.running && !t.paused && t.set(0)) t.paused = true;
}

void tick_resume() {
  Ticker& t = g_ticker;
  if (t.running && t.paused && t.set(kTickNs)) t.paused = false;
}

void tick_now() {
  if (void (*fire)() = g_fire.load(std::memory_order_relaxed)) fire();
}

}  // namespace platform_internal

// The per-line hook: it runs on every new line of every program, so its common case must cost
// nothing. The hook stays installed with its line mask disarmed; a timer arms the mask after
// every 10 ms that the script's thread spends running, and the hook, on the next new line,
// disarms it again and serves the host's events. Between ticks the executor sees a clear mask
// exactly as without a hook: no clock read, no system call and no call per line.
//
// The tick is a signal from a timer on the thread's own processor clock rather than a thread of
// its own: a second thread would put every allocation of the process on the locked path. The
// processor clock runs only while the script's thread runs, so a player that waits is never
// woken by the tick, and ticks stay at least 10 ms apart in elapsed time too.
#include <signal.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

#include "engine/vm.h"
#include "runtime/startup.h"

namespace qm {

namespace {

constexpr long kPumpIntervalNs = 10 * 1000 * 1000;
constexpr int kTickSignal = SIGVTALRM;

// The signal handler reads these, so they are lock-free atomics.
static_assert(std::atomic<qmState*>::is_always_lock_free && std::atomic<uint8_t>::is_always_lock_free &&
              std::atomic<uint32_t>::is_always_lock_free);
std::atomic<qmState*> g_state{nullptr};

// Arming a hook is two atomic operations (vm_store_hook_mask), safe in a signal handler; errno
// is kept for the code the signal interrupted.
void on_tick(int) {
  int saved = errno;
  if (qmState* L = g_state.load(std::memory_order_relaxed)) vm_arm_hook(L, QM_MASK_LINE);
  errno = saved;
}

struct Ticker {
  timer_t timer{};
  bool running = false;
  bool handler_installed = false;

  // false when the system refuses the timer; the hook then simply never serves events.
  bool start(qmState* L) {
    g_state.store(L, std::memory_order_relaxed);
    if (!handler_installed) {
      // Installed once and kept: a tick already on its way when the timer is deleted then finds
      // no state instead of the default action, which would end the process.
      struct sigaction sa {};
      sa.sa_handler = on_tick;
      sigemptyset(&sa.sa_mask);
      sa.sa_flags = SA_RESTART;
      if (sigaction(kTickSignal, &sa, nullptr) != 0) return false;
      handler_installed = true;
    }
    // The thread's own clock, with the signal sent to the thread itself: other threads (sound,
    // for one) neither drive the tick nor see the signal.
    struct sigevent ev {};
    ev.sigev_notify = SIGEV_THREAD_ID;
    ev.sigev_signo = kTickSignal;
    ev._sigev_un._tid = gettid();  // glibc names no field for it
    if (timer_create(CLOCK_THREAD_CPUTIME_ID, &ev, &timer) != 0) return false;
    struct itimerspec every {};
    every.it_interval.tv_nsec = kPumpIntervalNs;
    every.it_value.tv_nsec = kPumpIntervalNs;
    if (timer_settime(timer, 0, &every, nullptr) != 0) {
      timer_delete(timer);
      return false;
    }
    running = true;
    return true;
  }

  void halt() {
    if (running) timer_delete(timer);
    running = false;
    g_state.store(nullptr, std::memory_order_relaxed);
  }
};

Ticker g_ticker;
uint64_t g_pumps = 0;

void line_hook(qmState* L, qmDebug*, int32_t* result) {
  vm_arm_hook(L, 0);
  g_pumps++;
  int32_t (*pump)(qmState*) = startup_libraries().pump_events;
  *result = pump ? pump(L) : 0;
}

}  // namespace

void line_hook_install(qmState* L) {
  vm_set_hook(L, line_hook, QM_MASK_LINE, 0);
  vm_arm_hook(L, 0);
  if (!g_ticker.running) g_ticker.start(L);
}

uint64_t line_hook_pumps() { return g_pumps; }

void line_hook_remove(qmState* L) {
  g_ticker.halt();
  vm_set_hook(L, nullptr, 0, 0);
}

}  // namespace qm

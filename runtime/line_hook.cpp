// The per-line hook: it runs on every new line of every program, so its common case must cost
// nothing. The hook stays installed with its line mask disarmed; a ticker thread arms the mask
// every 10 ms, and the hook, on the next new line, disarms it again and serves the host's events.
// Between ticks the executor sees a clear mask exactly as without a hook: no clock read, no
// system call and no call per line.
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "engine/vm.h"
#include "runtime/startup.h"

namespace qm {

namespace {

constexpr auto kPumpInterval = std::chrono::milliseconds(10);

// The ticker. It waits on a condition variable rather than sleeping so that stopping it at exit
// does not wait out a whole interval.
struct Ticker {
  std::mutex mutex;
  std::condition_variable wake;
  bool stop = false;
  qmState* state = nullptr;
  std::thread thread;

  void start(qmState* L) {
    stop = false;
    state = L;
    thread = std::thread([this] {
      std::unique_lock<std::mutex> lock(mutex);
      while (!wake.wait_for(lock, kPumpInterval, [this] { return stop; })) vm_arm_hook(state, QM_MASK_LINE);
    });
  }

  void halt() {
    if (!thread.joinable()) return;
    {
      std::lock_guard<std::mutex> lock(mutex);
      stop = true;
    }
    wake.notify_one();
    thread.join();
    state = nullptr;
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
  if (!g_ticker.thread.joinable()) g_ticker.start(L);
}

uint64_t line_hook_pumps() { return g_pumps; }

void line_hook_remove(qmState* L) {
  g_ticker.halt();
  vm_set_hook(L, nullptr, 0, 0);
}

}  // namespace qm

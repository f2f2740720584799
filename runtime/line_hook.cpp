// The per-line hook: it runs on every new line of every program, so its common case must cost
// nothing. The hook stays installed with its line mask disarmed; the platform's tick arms the
// mask every 10 ms of elapsed time, and the hook, on the next new line, disarms it again and
// serves the host's events. Between ticks the executor sees a clear mask exactly as without a
// hook: no clock read, no system call and no call per line.
//
// The tick is a signal on the script's own thread rather than a thread of its own: a second
// thread would put every allocation of the process on the locked path. It follows elapsed time,
// so a program that spends most of its time waiting is still served in the time it computes;
// the waits serve events themselves and stop the tick while they block.
#include <atomic>

#include "engine/vm.h"
#include "platform/platform.h"
#include "runtime/startup.h"

namespace qm {

namespace {

// The tick's function reads it in a signal handler, so it is a lock-free atomic.
static_assert(std::atomic<qmState*>::is_always_lock_free && std::atomic<uint8_t>::is_always_lock_free &&
              std::atomic<uint32_t>::is_always_lock_free);
std::atomic<qmState*> g_state{nullptr};
bool g_ticking = false;
uint64_t g_pumps = 0;

// Arming a hook is two atomic operations (vm_store_hook_mask), safe in a signal handler.
void arm() {
  if (qmState* L = g_state.load(std::memory_order_relaxed)) vm_arm_hook(L, QM_MASK_LINE);
}

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
  g_state.store(L, std::memory_order_relaxed);
  // Without a tick the hook simply never serves events.
  if (!g_ticking) g_ticking = platform_tick_start(arm);
}

uint64_t line_hook_pumps() { return g_pumps; }

void line_hook_remove(qmState* L) {
  if (g_ticking) platform_tick_stop();
  g_ticking = false;
  g_state.store(nullptr, std::memory_order_relaxed);
  vm_set_hook(L, nullptr, 0, 0);
}

}  // namespace qm

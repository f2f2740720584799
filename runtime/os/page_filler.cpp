#include "runtime/os/page_filler.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdint>

void qmPageFiller::start(char* block, size_t from, size_t to) {
  stop();
  reached_ = from;
  if (!block || to <= from) return;
  stopping_.store(false, std::memory_order_relaxed);
  written_.store(from, std::memory_order_relaxed);
  thread_ = std::thread([this, block, from, to] { fill(block, from, to); });
}

size_t qmPageFiller::stop() {
  if (thread_.joinable()) {
    stopping_.store(true, std::memory_order_relaxed);
    thread_.join();
  }
  return reached_;
}

void qmPageFiller::fill(char* block, size_t from, size_t to) {
#ifdef MADV_POPULATE_WRITE
  // A step at a time, so that a stop waits for one step at most.
  constexpr uintptr_t kPage = 4096, kStep = uintptr_t(1) << 20;
  const uintptr_t base = uintptr_t(block);
  uintptr_t at = (base + from + kPage - 1) & ~(kPage - 1);
  const uintptr_t end = (base + to) & ~(kPage - 1);
  while (at < end && !stopping_.load(std::memory_order_relaxed)) {
    // Pages the writer reached came in at its touch: going on behind it would only compete.
    const uintptr_t reached = (base + written_.load(std::memory_order_relaxed) + kPage - 1) & ~(kPage - 1);
    if (reached > at) at = reached;
    if (at >= end) break;
    const uintptr_t n = std::min(kStep, end - at);
    if (madvise(reinterpret_cast<void*>(at), n, MADV_POPULATE_WRITE) != 0) break;
    at += n;
    reached_ = at - base;
  }
#else
  (void)block, (void)from, (void)to;
#endif
}

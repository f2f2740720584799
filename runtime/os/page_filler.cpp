#include "runtime/os/page_filler.h"

#include <algorithm>
#include <cstdint>

#include "runtime/os/qmos.h"

void qmPageFiller::start(char* block, size_t from, size_t to, size_t lead) {
  stop();
  reached_ = from;
  if (!block || to <= from) return;
  written_.store(from, std::memory_order_relaxed);
  thread_ = std::thread([this, block, from, to, lead] { fill(block, from, to, lead); });
}

size_t qmPageFiller::stop() {
  if (thread_.joinable()) {
    // Past any end: the thread ends at its next look, also one that waits for the writer.
    written_.store(SIZE_MAX);
    written_.notify_one();
    thread_.join();
  }
  return reached_;
}

void qmPageFiller::fill(char* block, size_t from, size_t to, size_t lead) {
  // A step at a time, so that a stop waits for one step at most.
  constexpr uintptr_t kPage = 4096, kStep = uintptr_t(1) << 20;
  const uintptr_t base = uintptr_t(block);
  uintptr_t at = (base + from + kPage - 1) & ~(kPage - 1);
  const uintptr_t end = (base + to) & ~(kPage - 1);
  while (at < end) {
    const size_t written = written_.load(std::memory_order_relaxed);
    if (written >= to) break;
    // Pages the writer reached came in at its touch: going on behind it would only compete.
    at = std::max(at, (base + written + kPage - 1) & ~(kPage - 1));
    if (at >= end) break;
    const uintptr_t limit = std::min(end, (base + written + std::min(lead, to - written)) & ~(kPage - 1));
    const uintptr_t step = std::min(kStep, end - at);
    if (limit < at + step) {
      // Less than a step of room before the lead: sleep until the writer has made a step's room.
      // (limit < end here, so the lead is the whole lead.)
      const size_t wanted = at - base + step;
      const size_t wake = wanted > lead ? std::max(wanted - lead, written + 1) : written + 1;
      wake_at_.store(wake);
      const size_t now = written_.load();
      if (now < wake) written_.wait(now);
      wake_at_.store(SIZE_MAX, std::memory_order_relaxed);
      continue;
    }
    if (!qmos_prefault(reinterpret_cast<void*>(at), step)) break;
    at += step;
    reached_ = at - base;
  }
}

#include "runtime/os/page_filler.h"

#include <algorithm>
#include <cstdint>
#include <exception>

#include "runtime/os/qmos.h"

namespace {

// Steps end on 2 MB boundaries: a block marked for large pages then gets whole ones.
constexpr uintptr_t kPage = 4096, kStep = uintptr_t(2) << 20;

// Lowers an atomic word to value when value is below it.
template <class T>
void store_least(std::atomic<T>& word, T value) {
  for (T least = word.load(); value < least && !word.compare_exchange_weak(least, value);) {
  }
}

// Half the processors, at most four: enough to stay ahead of a receive on loopback.
unsigned worker_count() {
  const unsigned n = std::thread::hardware_concurrency() / 2;
  return std::clamp(n, 1u, 4u);
}

}  // namespace

void qmPageFiller::start(char* block, size_t from, size_t to, size_t lead) {
  stop();
  from_ = from;
  base_ = uintptr_t(block);
  if (!block || to <= from) return;
  written_.store(from, std::memory_order_relaxed);
  wake_at_.store(SIZE_MAX, std::memory_order_relaxed);
  next_.store((base_ + from + kPage - 1) & ~(kPage - 1), std::memory_order_relaxed);
  failed_.store(UINTPTR_MAX, std::memory_order_relaxed);
  // Only a hint: where the system gives fewer threads (a cap on memory or on processes), the
  // workers it gave fill the range, and with none the pages come at the writer's first touch.
  const unsigned n = worker_count();
  try {
    workers_.reserve(n);
    for (unsigned i = 0; i < n; ++i) workers_.emplace_back([this, block, to, lead] { fill(block, to, lead); });
  } catch (const std::exception&) {
  }
}

size_t qmPageFiller::stop() {
  if (workers_.empty()) return from_;
  // Past any end: each worker ends at its next look, also one that waits for the writer.
  written_.store(SIZE_MAX);
  written_.notify_all();
  for (std::thread& t : workers_) t.join();
  workers_.clear();
  // Every step taken is done now, except any the system refused.
  const uintptr_t reached = std::min(next_.load(), failed_.load());
  from_ = std::max(from_, size_t(reached - base_));
  return from_;
}

void qmPageFiller::fill(char* block, size_t to, size_t lead) {
  // A step at a time, so that a stop waits for one step at most.
  const uintptr_t base = uintptr_t(block);
  const uintptr_t end = (base + to) & ~(kPage - 1);
  for (;;) {
    const size_t written = written_.load();
    if (written >= to) return;
    uintptr_t next = next_.load();
    // Pages the writer reached came in at its touch: going on behind it would only compete.
    const uintptr_t at = std::max(next, (base + written + kPage - 1) & ~(kPage - 1));
    if (at >= end) return;
    const uintptr_t limit = std::min(end, (base + written + std::min(lead, to - written)) & ~(kPage - 1));
    const uintptr_t step = std::min((at + kStep) & ~(kStep - 1), end) - at;
    if (limit < at + step) {
      // Less than a step of room before the lead: sleep until the writer has made a step's room.
      // (limit < end here, so the lead is the whole lead.)
      const size_t wanted = at - base + step;
      const size_t wake = wanted > lead ? std::max(wanted - lead, written + 1) : written + 1;
      store_least(wake_at_, wake);
      const size_t now = written_.load();
      if (now < wake) written_.wait(now);
      continue;
    }
    if (!next_.compare_exchange_weak(next, at + step)) continue;  // another worker took it
    if (!qmos_prefault(reinterpret_cast<void*>(at), step)) {
      store_least(failed_, at);
      return;
    }
  }
}

// A thread that makes the pages of a block present ahead of a writer.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <thread>
#include <vector>

// Makes the pages of a block that a writer fills from its start (a download) present on threads
// of their own, so that the system clears them while the writer waits for data instead of when it
// first writes there. Several workers take the range a step at a time, since one cannot keep up
// with a fast receive where each page's first access is dear. One range at a time. The writer
// reports how far it has written; the workers move on past what the writer reached without them,
// and work no more than a lead ahead of it (pages the writer may never reach would be cleared for
// nothing). Once there, they sleep until the writer has made room for a whole step: a writer that
// moves in small pieces then wakes them once a step, not once a piece. stop() returns once no
// worker touches the block any more: call it before the block is moved or freed. Only a hint, as
// qmos_prefault: where the system cannot populate a range, the workers end and the pages come at
// the first touch.
class qmPageFiller {
 public:
  qmPageFiller() = default;
  qmPageFiller(const qmPageFiller&) = delete;
  qmPageFiller& operator=(const qmPageFiller&) = delete;
  ~qmPageFiller() { stop(); }
  // Starts filling [from, to) of block, at most lead bytes ahead of the writer, after stopping a
  // range that is still being filled.
  void start(char* block, size_t from, size_t to, size_t lead);
  // The writer has written the block up to offset written.
  void advance(size_t written) {
    // Both sides store, then look at the other's word (sequentially consistent): either the
    // writer sees the offset a worker waits for, or the worker sees this one and does not sleep.
    // The writer that takes the offset away wakes the workers, once.
    written_.store(written);
    for (size_t wake = wake_at_.load(); written >= wake;)
      if (wake_at_.compare_exchange_weak(wake, SIZE_MAX)) {
        written_.notify_all();
        break;
      }
  }
  // The offset up to which the pages were made present (the start of the range when none was).
  size_t stop();
  bool running() const { return !workers_.empty(); }

 private:
  void fill(char* block, size_t to, size_t lead);
  std::vector<std::thread> workers_;
  std::atomic<size_t> written_{0};
  std::atomic<size_t> wake_at_{SIZE_MAX};     // the least offset a sleeping worker waits for
  std::atomic<uintptr_t> next_{0};            // the address of the next step to take
  std::atomic<uintptr_t> failed_{UINTPTR_MAX};  // the least step the system could not populate
  size_t from_ = 0;
  uintptr_t base_ = 0;
};

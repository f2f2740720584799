// A thread that makes the pages of a block present ahead of a writer.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <thread>

// Makes the pages of a block that a writer fills from its start (a download) present on a thread
// of its own, so that the system clears them while the writer waits for data instead of when it
// first writes there. One range at a time. The writer reports how far it has written; the thread
// moves on past what the writer reached without it, and works no more than a lead ahead of it
// (pages the writer may never reach would be cleared for nothing). Once there, it sleeps until the
// writer has made room for a whole step: a writer that moves in small pieces then wakes it once a
// step, not once a piece. stop() returns once the thread
// touches the block no more: call it before the block is moved or freed. Only a hint, as
// qmos_prefault: where the system cannot populate a range, the thread ends and the pages come at
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
    // writer sees the offset the thread waits for, or the thread sees this one and does not sleep.
    // The writer that takes the offset away wakes the thread, once.
    written_.store(written);
    for (size_t wake = wake_at_.load(); written >= wake;)
      if (wake_at_.compare_exchange_weak(wake, SIZE_MAX)) {
        written_.notify_one();
        break;
      }
  }
  // The offset up to which the pages were made present (the start of the range when none was).
  size_t stop();
  bool running() const { return thread_.joinable(); }

 private:
  void fill(char* block, size_t from, size_t to, size_t lead);
  std::thread thread_;
  std::atomic<size_t> written_{0};
  std::atomic<size_t> wake_at_{SIZE_MAX};  // the offset the sleeping thread waits for
  size_t reached_ = 0;  // the thread's own until it is joined
};

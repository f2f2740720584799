// The page filler: it makes a block's pages present ahead of a writer, no further than its lead,
// never changes a byte the writer wrote, and touches the block no more once stopped.
#include "runtime/os/page_filler.h"

#include <gtest/gtest.h>
#include <pthread.h>
#include <sys/mman.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstring>
#include <thread>
#include <vector>

#include "runtime/os/qmos.h"

namespace {

constexpr size_t kPage = 4096;

// A fresh private mapping: none of its pages is present until touched.
struct Mapping {
  explicit Mapping(size_t size) : size(size) {
    void* p = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    data = p == MAP_FAILED ? nullptr : static_cast<char*>(p);
    // Small pages whatever the system's default, so that the pages counted are the ones filled.
    if (data) madvise(data, size, MADV_NOHUGEPAGE);
  }
  ~Mapping() {
    if (data) munmap(data, size);
  }
  size_t present() const {
    std::vector<unsigned char> v(size / kPage);
    if (mincore(data, size, v.data()) != 0) return 0;
    size_t n = 0;
    for (unsigned char c : v) n += c & 1;
    return n;
  }
  char* data;
  size_t size;
};

#ifdef MADV_POPULATE_WRITE

bool wait_for_pages(const Mapping& m, size_t pages) {
  for (int i = 0; i < 2000 && m.present() < pages; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  return m.present() >= pages;
}

TEST(PageFiller, FillsTheRangeOnlyAndReportsHowFar) {
  Mapping m(16 << 20);
  ASSERT_TRUE(m.data);
  qmPageFiller f;
  f.start(m.data, 4 << 20, 12 << 20, m.size);
  ASSERT_TRUE(wait_for_pages(m, (8 << 20) / kPage));
  EXPECT_EQ(f.stop(), size_t(12) << 20);
  // Nothing outside the range came in.
  EXPECT_EQ(m.present(), (8u << 20) / kPage);
  EXPECT_FALSE(f.running());
}

TEST(PageFiller, StaysWithinItsLeadAheadOfTheWriter) {
  Mapping m(32 << 20);
  ASSERT_TRUE(m.data);
  const size_t lead = 4 << 20;
  qmPageFiller f;
  f.start(m.data, 0, m.size, lead);
  ASSERT_TRUE(wait_for_pages(m, lead / kPage));
  std::this_thread::sleep_for(std::chrono::milliseconds(5));
  EXPECT_EQ(m.present(), lead / kPage);
  // The writer got to 8 MB (without touching the pages): the filler goes on from there.
  f.advance(8 << 20);
  ASSERT_TRUE(wait_for_pages(m, 2 * lead / kPage));
  std::this_thread::sleep_for(std::chrono::milliseconds(5));
  EXPECT_EQ(m.present(), 2 * lead / kPage);
  EXPECT_EQ(f.stop(), (8u << 20) + lead);
}

TEST(PageFiller, FollowsAWriterThatMovesInSmallPieces) {
  // The threads sleep until the writer has made room for a whole step (2 MB), so they trail the
  // lead by less than a step, and never pass it.
  Mapping m(32 << 20);
  ASSERT_TRUE(m.data);
  const size_t lead = 4 << 20, step = 2 << 20, piece = 16384;
  qmPageFiller f;
  f.start(m.data, 0, m.size, lead);
  size_t written = 0;
  auto write_to = [&](size_t end) {
    for (; written < end; written += piece) {
      std::memset(m.data + written, 1, piece);
      f.advance(written + piece);
    }
  };
  write_to(8 * step);
  ASSERT_TRUE(wait_for_pages(m, (written + lead - step) / kPage));
  std::this_thread::sleep_for(std::chrono::milliseconds(5));
  EXPECT_LE(m.present(), (written + lead) / kPage);
  // Less than a step before the end: the rest of the range is filled without waiting for a step.
  write_to(m.size - lead + step / 2);
  ASSERT_TRUE(wait_for_pages(m, m.size / kPage));
  EXPECT_EQ(f.stop(), m.size);
}

TEST(PageFiller, KeepsEveryByteTheWriterWrites) {
  Mapping m(32 << 20);
  ASSERT_TRUE(m.data);
  qmPageFiller f;
  f.start(m.data, 0, m.size, 4 << 20);
  // The writer fills the block from its start in uneven pieces, as a receive does.
  size_t at = 0;
  for (size_t piece = 1; at < m.size; piece = piece * 7 % 300007 + 1) {
    const size_t n = std::min(piece, m.size - at);
    for (size_t i = 0; i < n; ++i) m.data[at + i] = char((at + i) * 31 % 251);
    at += n;
    f.advance(at);
  }
  f.stop();
  for (size_t i = 0; i < m.size; ++i)
    if (m.data[i] != char(i * 31 % 251)) FAIL() << "byte " << i << " changed";
}

TEST(PageFiller, TouchesTheBlockNoMoreOnceStopped) {
  for (int round = 0; round < 20; ++round) {
    Mapping m(64 << 20);
    ASSERT_TRUE(m.data);
    qmPageFiller f;
    f.start(m.data, 0, m.size, m.size);
    const size_t reached = f.stop();
    const size_t present = m.present();
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    EXPECT_EQ(m.present(), present);
    EXPECT_LE(reached, m.size);
    EXPECT_EQ(reached % kPage, 0u);
  }
}

TEST(PageFiller, RestartsOnAMovedBlock) {
  // A growth moves the block: the filler is stopped, and started again on the new block from
  // where it got to.
  Mapping a(16 << 20), b(32 << 20);
  ASSERT_TRUE(a.data && b.data);
  qmPageFiller f;
  f.start(a.data, 0, a.size, a.size);
  const size_t reached = f.stop();
  f.start(b.data, reached, b.size, b.size);
  ASSERT_TRUE(wait_for_pages(b, (b.size - reached) / kPage));
  EXPECT_EQ(f.stop(), b.size);
}

// The one routine that makes pages present answers whether it could, and the filler gives up on
// a block where it could not (here: pages that may not be written).
TEST(PageFiller, GivesUpWhereThePagesCannotBeMadePresent) {
  Mapping m(8 << 20);
  ASSERT_TRUE(m.data);
  ASSERT_EQ(mprotect(m.data, m.size, PROT_READ), 0);
  EXPECT_FALSE(qmos_prefault(m.data, m.size));
  qmPageFiller f;
  f.start(m.data, 1 << 20, m.size, m.size);
  EXPECT_EQ(f.stop(), size_t(1) << 20);
  EXPECT_EQ(m.present(), 0u);
  ASSERT_EQ(mprotect(m.data, m.size, PROT_READ | PROT_WRITE), 0);
  // Whole pages inside the range only: the partial pages at either end stay as they were.
  EXPECT_TRUE(qmos_prefault(m.data + 100, 3 * kPage));
  EXPECT_EQ(m.present(), 2u);
  EXPECT_TRUE(qmos_prefault(m.data + 100, 100));
}

#endif

// Threads the system will not give (here: stacks too large to map) leave the filler idle; the
// block is the writer's as before.
TEST(PageFiller, NoThreadsToBeHadIsNoFiller) {
  pthread_attr_t before, huge;
  ASSERT_EQ(pthread_getattr_default_np(&before), 0);
  ASSERT_EQ(pthread_attr_init(&huge), 0);
  ASSERT_EQ(pthread_attr_setstacksize(&huge, size_t(1) << 46), 0);
  ASSERT_EQ(pthread_setattr_default_np(&huge), 0);
  std::vector<char> block(1 << 20);
  qmPageFiller f;
  f.start(block.data(), 0, block.size(), block.size());
  EXPECT_EQ(pthread_setattr_default_np(&before), 0);
  EXPECT_FALSE(f.running());
  EXPECT_EQ(f.stop(), 0u);
  pthread_attr_destroy(&huge);
  pthread_attr_destroy(&before);
}

TEST(PageFiller, AnEmptyRangeStartsNoThread) {
  std::vector<char> block(kPage);
  qmPageFiller f;
  f.start(block.data(), kPage, kPage, kPage);
  EXPECT_FALSE(f.running());
  f.start(nullptr, 0, kPage, kPage);
  EXPECT_FALSE(f.running());
  EXPECT_EQ(f.stop(), 0u);
}

}  // namespace

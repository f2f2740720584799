// The input event queue on a fake clock, without SDL: order and loss when full, removal in every
// position, the resize absorbed by a scaled display, expiry, and payload ownership (ASan catches
// a payload freed twice or never).
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "events/input_queue.h"
#include "platform/platform.h"

namespace {

qmDisplay* display(uintptr_t n) { return reinterpret_cast<qmDisplay*>(n * 16); }

void* payload(const char* text) {
  void* p = std::malloc(std::strlen(text) + 2);
  std::memcpy(p, text, std::strlen(text) + 1);
  static_cast<char*>(p)[std::strlen(text) + 1] = '\0';
  return p;
}

class InputQueue : public ::testing::Test {
 protected:
  void SetUp() override {
    platform_set_clock(&clock);
    input_queue_remove(-1, 1);
    input_queue_set_timeout_ms(1500);
    input_queue_set_resize_absorbed(nullptr);
  }
  void TearDown() override {
    input_queue_remove(-1, 1);
    platform_set_clock(nullptr);
  }
  std::vector<int32_t> a_values() {
    std::vector<int32_t> out;
    qmInputEvent e;
    input_queue_lock();
    for (int32_t i = 0; input_queue_peek(i, &e, false); ++i) out.push_back(e.a);
    input_queue_unlock();
    return out;
  }
  FakeClock clock;
};

TEST_F(InputQueue, KeepsTheFirst256InOrderAndRefusesMore) {
  for (int32_t i = 0; i < INPUT_QUEUE_SIZE; ++i) EXPECT_TRUE(input_queue_post(display(1), INPUT_KEY, i, 0, 65, nullptr));
  // The 257th is refused and its payload stays the producer's to free.
  void* p = payload("lost");
  EXPECT_FALSE(input_queue_post(display(1), INPUT_DROP, 999, 0, 0, p));
  std::free(p);
  std::vector<int32_t> a = a_values();
  ASSERT_EQ(a.size(), 256u);
  for (int32_t i = 0; i < 256; ++i) EXPECT_EQ(a[i], i);
}

TEST_F(InputQueue, RemovesInEveryPositionAndFreesEachPayloadOnce) {
  struct Case {
    int32_t n;
    std::vector<int32_t> left;
  };
  const Case cases[] = {
      {-1, {}},            // all
      {0, {1, 2, 3, 4}},   // the oldest
      {2, {3, 4}},         // up to the middle
      {4, {}},             // exactly the last
      {9, {}},             // beyond the last: clamped, never a stale slot freed again
      {255, {}},           //
      {256, {0, 1, 2, 3, 4}},  // above the array: nothing
  };
  for (const Case& c : cases) {
    for (int32_t i = 0; i < 5; ++i) ASSERT_TRUE(input_queue_post(display(1), INPUT_DROP, i, 0, 0, payload("f")));
    input_queue_remove(c.n, 1);
    EXPECT_EQ(a_values(), c.left) << "n = " << c.n;
    // Refill over the cleared tail, then remove all: a moved-from slot that kept its payload
    // would be freed twice here.
    ASSERT_TRUE(input_queue_post(display(1), INPUT_DROP, 7, 0, 0, payload("g")));
    input_queue_remove(-1, 1);
    EXPECT_EQ(input_queue_count(), 0);
  }
  input_queue_remove(-1, 1);  // on an empty queue
  EXPECT_EQ(input_queue_count(), 0);
}

TEST_F(InputQueue, PeekCanTakeThePayload) {
  void* p = payload("a.txt");
  ASSERT_TRUE(input_queue_post(display(2), INPUT_DROP, 3, 4, 0, p));
  qmInputEvent e;
  input_queue_lock();
  EXPECT_EQ(input_queue_peek(0, &e, true), 1);
  EXPECT_EQ(input_queue_peek(1, &e, false), 0);
  input_queue_unlock();
  EXPECT_EQ(e.payload, p);
  input_queue_remove(0, 1);  // the entry no longer owns it
  std::free(p);
}

TEST_F(InputQueue, ResizeOfAScaledDisplayNeverQueued) {
  input_queue_set_resize_absorbed([](const qmDisplay* d) { return d == display(2); });
  EXPECT_FALSE(input_queue_post(display(2), INPUT_RESIZED, 0, 0, 0, nullptr));
  EXPECT_TRUE(input_queue_post(display(1), INPUT_RESIZED, 0, 0, 0, nullptr));
  EXPECT_TRUE(input_queue_post(display(2), INPUT_MOVED, 0, 0, 0, nullptr));
  EXPECT_EQ(input_queue_count(), 2);
}

TEST_F(InputQueue, ExpiresOldEntriesOnTheMonotonicClock) {
  input_queue_post(display(1), INPUT_KEY, 0, 0, 65, nullptr);
  clock.advance_ms(1000);
  input_queue_post(display(1), INPUT_KEY, 1, 0, 65, payload("x"));
  clock.advance_ms(501);
  input_queue_post(display(1), INPUT_KEY, 2, 0, 65, nullptr);
  // A wall-clock step does not age anything.
  clock.set_wall_us(0);
  input_queue_expire();
  EXPECT_EQ(a_values(), (std::vector<int32_t>{1, 2}));

  // Timeout 0: anything older than the current millisecond goes.
  input_queue_set_timeout_ms(0);
  input_queue_expire();
  EXPECT_EQ(a_values(), (std::vector<int32_t>{2}));
  clock.advance_ms(2);
  input_queue_expire();
  EXPECT_EQ(input_queue_count(), 0);
}

TEST_F(InputQueue, DetachingADisplayKeepsItsEntries) {
  input_queue_post(display(1), INPUT_LEFTMOUSE, 5, 6, 1, nullptr);
  input_queue_post(display(2), INPUT_LEFTMOUSE, 7, 8, 1, nullptr);
  input_queue_detach_display(display(1));
  qmInputEvent e;
  input_queue_lock();
  input_queue_peek(0, &e, false);
  EXPECT_EQ(e.display, nullptr);
  input_queue_peek(1, &e, false);
  EXPECT_EQ(e.display, display(2));
  input_queue_unlock();
}

}  // namespace

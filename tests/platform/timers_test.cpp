// Platform timers on a fake clock: when intervals and timeouts fire and how the poller collects
// them.
#include <gtest/gtest.h>

#include "platform/platform.h"

namespace {

qm::ObjectId id(int32_t n) { return qm::ObjectId{n, nullptr}; }

class Timers : public ::testing::Test {
 protected:
  void SetUp() override { platform_set_clock(&clock); }
  void TearDown() override {
    platform_timers_free_all();
    platform_set_clock(nullptr);
  }
  // Every (kind, id number) that one collection pass reports.
  std::vector<std::pair<int32_t, int32_t>> collect() {
    std::vector<std::pair<int32_t, int32_t>> out;
    qmPlatformTimer* cursor = nullptr;
    do {
      int32_t kind;
      qm::ObjectId got;
      cursor = qmos_timer_expiry_read(cursor, &kind, &got);
      if (kind != TIMER_NONE) out.emplace_back(kind, got.number);
    } while (cursor);
    return out;
  }
  using Fired = std::vector<std::pair<int32_t, int32_t>>;
  FakeClock clock;
};

TEST_F(Timers, IntervalFiresAtOnceThenOncePerPeriodWithoutCatchUp) {
  ASSERT_EQ(platform_timer_control(TIMER_ADD_INTERVAL, id(1), 100), 0);
  EXPECT_EQ(collect(), (Fired{{TIMER_INTERVAL, 1}}));
  EXPECT_EQ(collect(), Fired{});
  clock.advance_ms(99);
  EXPECT_EQ(collect(), Fired{});
  clock.advance_ms(1);
  EXPECT_EQ(collect(), (Fired{{TIMER_INTERVAL, 1}}));
  // Two periods pass between collections: reported once.
  clock.advance_ms(100);
  platform_timers_fire_due();
  clock.advance_ms(100);
  EXPECT_EQ(collect(), (Fired{{TIMER_INTERVAL, 1}}));
  // Far behind: due again one period after now, not once per missed period.
  clock.advance_ms(1050);
  EXPECT_EQ(collect(), (Fired{{TIMER_INTERVAL, 1}}));
  clock.advance_ms(99);
  EXPECT_EQ(collect(), Fired{});
  EXPECT_EQ(platform_timers_next_due_us(), 1000);
}

TEST_F(Timers, TimeoutFiresOnceAndItsRecordGoes) {
  ASSERT_EQ(platform_timer_control(TIMER_ADD_TIMEOUT, id(7), 50), 0);
  ASSERT_EQ(platform_timer_control(TIMER_ADD_INTERVAL, id(7), 1000), 0);  // same id, other kind
  EXPECT_EQ(collect(), (Fired{{TIMER_INTERVAL, 7}}));
  clock.advance_ms(50);
  EXPECT_EQ(collect(), (Fired{{TIMER_TIMEOUT, 7}}));
  EXPECT_EQ(platform_timer_find(TIMER_TIMEOUT, id(7)), nullptr);
  EXPECT_NE(platform_timer_find(TIMER_INTERVAL, id(7)), nullptr);
  clock.advance_ms(500);
  EXPECT_EQ(collect(), Fired{});
}

TEST_F(Timers, RestartRemoveAndUnknownIds) {
  ASSERT_EQ(platform_timer_control(TIMER_ADD_INTERVAL, id(1), 100), 0);
  ASSERT_EQ(platform_timer_control(TIMER_ADD_INTERVAL, id(2), 100), 0);
  collect();
  clock.advance_ms(60);
  // Restart: due at once, then on the new period.
  platform_timer_control(TIMER_RESTART_INTERVAL, id(1), 20);
  EXPECT_EQ(collect(), (Fired{{TIMER_INTERVAL, 1}}));
  clock.advance_ms(20);
  EXPECT_EQ(collect(), (Fired{{TIMER_INTERVAL, 1}}));
  // Unknown ids and operations change nothing.
  EXPECT_EQ(platform_timer_control(TIMER_REMOVE_INTERVAL, id(9), 0), 0);
  EXPECT_EQ(platform_timer_control(TIMER_REMOVE_TIMEOUT, id(1), 0), 0);
  EXPECT_EQ(platform_timer_control(TIMER_RESTART_INTERVAL, id(9), 5), 0);
  EXPECT_EQ(platform_timer_control(17, id(1), 5), 0);
  EXPECT_EQ(platform_timer_control(TIMER_REMOVE_INTERVAL, id(1), 0), 0);
  EXPECT_EQ(platform_timer_find(TIMER_INTERVAL, id(1)), nullptr);
  clock.advance_ms(100);
  EXPECT_EQ(collect(), (Fired{{TIMER_INTERVAL, 2}}));
}

TEST_F(Timers, CursorWhoseRecordWasRemovedEndsTheScan) {
  platform_timer_control(TIMER_ADD_INTERVAL, id(1), 10);
  platform_timer_control(TIMER_ADD_INTERVAL, id(2), 10);
  int32_t kind;
  qm::ObjectId got;
  qmPlatformTimer* cursor = qmos_timer_expiry_read(nullptr, &kind, &got);
  ASSERT_EQ(cursor, platform_timer_find(TIMER_INTERVAL, id(2)));
  platform_timer_control(TIMER_REMOVE_INTERVAL, id(2), 0);
  EXPECT_EQ(qmos_timer_expiry_read(cursor, &kind, &got), nullptr);
  EXPECT_EQ(kind, TIMER_NONE);
}

}  // namespace

// Process services that need no SDL: date texts on a fixed clock (run with LC_ALL=C, TZ=UTC),
// path conversion, message ports.
#include <gtest/gtest.h>

#include "engine/errcodes.h"
#include "platform/platform.h"
#include "runtime/errors.h"

namespace {

TEST(PlatformProcess, DateModesOnAFixedClock) {
  FakeClock clock;
  clock.set_wall_us(1767323045LL * 1000000);  // Friday 2026-01-02 03:04:05 UTC
  platform_set_clock(&clock);
  struct Case {
    int32_t mode;
    const char *text1, *text2;
  };
  const Case cases[] = {
      {0, "01/02/26", "keep"}, {1, "01-02-26", "03:04:05"}, {2, "03:04:05", "keep"},
      {3, "Friday", "keep"},   {7, "keep", "keep"},
  };
  for (const Case& c : cases) {
    std::string t1 = "keep", t2 = "keep";
    platform_format_date(c.mode, &t1, &t2);
    EXPECT_EQ(t1, c.text1) << c.mode;
    EXPECT_EQ(t2, c.text2) << c.mode;
  }
  platform_set_clock(nullptr);
}

TEST(PlatformProcess, PathsToTheFileSystemsForm) {
  std::string out;
  ASSERT_TRUE(platform_path_to_native("Data\\Pics\\caf\xE9.png", &out));
  EXPECT_EQ(out, "Data/Pics/caf\xC3\xA9.png");
  EXPECT_FALSE(platform_path_to_native(std::string_view("a\0b", 3), &out));
}

TEST(PlatformProcess, MessagePortsDoNotExist) {
  EXPECT_EQ(platform_port_create(), qm::ERR_CREATEPORT);
  EXPECT_EQ(platform_port_send("REXXPORT"), qm::ERR_FINDPORT);
}

}  // namespace

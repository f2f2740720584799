#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "gfx/gfxmath.h"

namespace qm {
namespace {

TEST(Isqrt, KnownValues) {
  struct Case { int32_t n, r; } cases[] = {{-1, -1}, {INT32_MIN, -1}, {0, 0}, {1, 1}, {255, 15},
                                           {256, 16}, {1023, 31}, {65535, 255}, {65536, 256},
                                           {2147395599, 46339}, {2147395600, 46340},
                                           {2147483647, 46340}};
  for (const auto& c : cases) EXPECT_EQ(isqrt(c.n), c.r) << c.n;
}

TEST(WindowWidth, Rules) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct Case { double radius, sigma; int32_t w2, w1; } cases[] = {
      {0, 0.5, 3, 3},  {0, 1.0, 7, 7},   {0, 2.0, 11, 11}, {1.5, 0, 5, 5},
      {0, 0.0, 1, 1},  {-1, 0.0, 1, 1},  {0, 1e-11, 1, 1}, {0, nan, 1, 1},
      // A huge sigma ends at the cap instead of searching (2D) for ever.
      {0, 1e9, kMaxWindowWidth, kMaxWindowWidth - 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.radius << " " << c.sigma);
    EXPECT_EQ(window_width_2d(c.radius, c.sigma), c.w2);
    EXPECT_EQ(window_width_1d(c.radius, c.sigma), c.w1);
  }
}

TEST(RgbToHsl, Table) {
  struct Case { uint8_t r, g, b; double h, s, l; } cases[] = {
      {255, 0, 0, 0.0, 1.0, 0.5},
      {0, 255, 0, 0.3333333333333333, 1.0, 0.5},
      {0, 0, 255, 0.6666666666666666, 1.0, 0.5},
      {128, 128, 128, 0.0, 0.0, 128 * 0.00392156862745098},
      {255, 255, 0, 1.0 / 6.0, 1.0, 0.5},
      {255, 0, 255, 5.0 / 6.0, 1.0, 0.5},
      {64, 32, 32, 0.0, 1.0 / 3.0, 48 * 0.00392156862745098},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << int(c.r) << "," << int(c.g) << "," << int(c.b));
    double h, s, l;
    rgb_to_hsl(c.r, c.g, c.b, &h, &s, &l);
    EXPECT_NEAR(h, c.h, 1e-12);
    EXPECT_NEAR(s, c.s, 1e-12);
    EXPECT_NEAR(l, c.l, 1e-12);
  }
}

TEST(Ripple, TablesAndLimits) {
  std::vector<int32_t> dist(5 * 4);
  std::vector<double> sines(kEffectTableSize);
  qmRipple r{dist.data(), sines.data(), 32.0, 1.0, 5, 4, 2, 1, nullptr, 2, 0, 0};
  ripple_setup(r);
  EXPECT_EQ(dist[0], 2);       // (0,0) to (2,1): sqrt 5
  EXPECT_EQ(dist[1 * 5 + 2], 0);
  EXPECT_EQ(dist[3 * 5 + 4], 2);  // sqrt 8
  EXPECT_DOUBLE_EQ(sines[0], 0.0);
  EXPECT_NEAR(sines[1000], std::sin(1.0), 1e-12);
  for (int32_t y = 0; y < 4; ++y)
    for (int32_t x = 0; x < 5; ++x) {
      ripple_point(0.0, x, y, r);
      EXPECT_GE(r.result_x, 0);
      EXPECT_LT(r.result_x, 5);
      EXPECT_GE(r.result_y, 0);
      EXPECT_LT(r.result_y, 4);
    }
  // The centre pixel never moves; a zero wave length or radius gives no NaN displacement.
  r.cursor = dist.data() + 1 * 5 + 2;
  ripple_point(1.0, 2, 1, r);
  EXPECT_EQ(r.result_x, 2);
  EXPECT_EQ(r.result_y, 1);
  r.wave_length = 0.0;
  r.radius = 0;
  r.cursor = dist.data();
  ripple_point(0.0, 0, 0, r);
  EXPECT_EQ(r.result_x, 0);
  EXPECT_EQ(r.result_y, 0);
}

}  // namespace
}  // namespace qm

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "engine/numconv.h"
#include "gfx/bitmap.h"
#include "gfx/gradient.h"

namespace qm {
namespace {

qmRampStop stop(int32_t position, uint32_t rgb) {
  return qmRampStop{position, uint16_t(((rgb >> 16) & 0xFF) * 257),
                    uint16_t(((rgb >> 8) & 0xFF) * 257), uint16_t((rgb & 0xFF) * 257), 0};
}

uint32_t ramp_at(const std::vector<qmRampStop>& stops, int32_t spread, int32_t p) {
  qmRampSegment seg{};
  seg.stops = stops.data();
  seg.count = int32_t(stops.size());
  seg.spread = spread;
  seg.stale = 1;
  return ramp_color(seg, p);
}

TEST(Ramp, SpreadModes) {
  const std::vector<qmRampStop> bw = {stop(0, 0x000000), stop(65536, 0xFFFFFF)};
  // Pad: outside the stops one colour with reciprocal 0.
  qmRampSegment seg{};
  seg.stops = bw.data();
  seg.count = 2;
  seg.spread = RAMP_PAD;
  ramp_find_segment(seg, -5);
  EXPECT_EQ(seg.reciprocal, 0);
  EXPECT_EQ(seg.rb0, 0u);
  EXPECT_EQ(seg.rb1, 0u);
  EXPECT_EQ(ramp_at(bw, RAMP_PAD, -5), 0x000000u);
  EXPECT_EQ(ramp_at(bw, RAMP_PAD, 32768), 0x7F7F7Fu);
  EXPECT_EQ(ramp_at(bw, RAMP_PAD, 70000), 0xFFFFFFu);
  // Reflect: 1.5 mirrors to 0.5, 1.25 equals 0.75.
  EXPECT_EQ(ramp_at(bw, RAMP_REFLECT, 98304), ramp_at(bw, RAMP_REFLECT, 32768));
  EXPECT_EQ(ramp_at(bw, RAMP_REFLECT, 81920), ramp_at(bw, RAMP_REFLECT, 49152));
  EXPECT_EQ(ramp_at(bw, RAMP_REFLECT, 49152), 0xBFBFBFu);
  // Repeat: one period later gives the same colour; before the first stop the ramp wraps from
  // the last stop to the first.
  EXPECT_EQ(ramp_at(bw, RAMP_REPEAT, 65536 + 16384), ramp_at(bw, RAMP_REPEAT, 16384));
  const std::vector<qmRampStop> inner = {stop(16384, 0xFF0000), stop(49152, 0x0000FF)};
  EXPECT_EQ(ramp_at(inner, RAMP_REPEAT, 0), 0x7F007Fu);  // midway from blue back to red
  // Any other mode: black outside the stops.
  EXPECT_EQ(ramp_at(inner, 0, 0), 0u);
  EXPECT_EQ(ramp_at(inner, 0, 60000), 0u);
  EXPECT_EQ(ramp_at(inner, 0, 16384), 0xFF0000u);
}

struct Target {
  int32_t w, h, ppr;
  std::vector<uint32_t> px;
  Target(int32_t w_, int32_t h_) : w(w_), h(h_), ppr(bitmap_pixels_per_row(w_)),
                                   px(size_t(ppr) * size_t(h_), 0xDEADBEEF) {}
  uint32_t rgb(int32_t x, int32_t y) const { return px[size_t(y) * size_t(ppr) + size_t(x)] & 0xFFFFFF; }
};

void render(Target& t, const qmGradient& g) {
  qmGradientRequest r{t.px.data(), 4, PIXFMT_XRGB, 0, 0, t.w, t.h, t.ppr, &g};
  gradient_render(r);
}

qmGradient two_colours(int32_t type, int32_t angle, uint32_t from, uint32_t to) {
  qmGradient g{};
  g.type = type;
  g.angle = angle;
  g.start_colour = from;
  g.end_colour = to;
  g.centre_x = g.centre_y = 0.5;
  g.balance = 0.5;
  return g;
}

// Channel of a two-colour linear gradient for the integer ramp index k of 0..H.
uint32_t mix(uint32_t from, uint32_t to, int64_t k, int64_t h) {
  uint32_t out = 0;
  for (int shift : {16, 8, 0}) {
    const int64_t a = (from >> shift) & 0xFF, b = (to >> shift) & 0xFF;
    out |= uint32_t(a + (b - a) * k / h) << shift;
  }
  return out;
}

TEST(Gradient, LinearTwoColourAngles) {
  const int32_t W = 8, H = 6;
  const uint32_t from = 0x102030, to = 0xF0C080;
  struct Case { int32_t angle; int64_t (*k)(int64_t x, int64_t y); } cases[] = {
      {0, [](int64_t, int64_t y) { return y; }},                       // top to bottom
      {360, [](int64_t, int64_t y) { return y; }},
      {90, [](int64_t x, int64_t) { return H * x / W; }},              // left to right
      {-270, [](int64_t x, int64_t) { return H * x / W; }},
      {180, [](int64_t, int64_t y) { return H - y; }},                 // bottom to top
      {270, [](int64_t x, int64_t) { return H * (W - x) / W; }},       // right to left
      {45, [](int64_t x, int64_t y) { return H * (x + y) / (W + H); }},  // diagonal
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.angle);
    Target t(W, H);
    render(t, two_colours(GRADIENT_LINEAR, c.angle, from, to));
    for (int32_t y = 0; y < H; ++y)
      for (int32_t x = 0; x < W; ++x) EXPECT_EQ(t.rgb(x, y), mix(from, to, c.k(x, y), H)) << x << "," << y;
  }
  // The last row stops one step short of the end colour.
  Target t(1, 4);
  render(t, two_colours(GRADIENT_LINEAR, 0, 0x000000, 0xFFFFFF));
  EXPECT_EQ(t.rgb(0, 3), 0xBFBFBFu);
}

// The two-colour linear rule with one division per pixel, as the renderer's oracle: the renderer
// carries the quotient from pixel to pixel instead and must give the same pixels at every angle.
uint32_t direct_linear(const qmGradient& g, int64_t W, int64_t H, int64_t x, int64_t y) {
  int32_t a = g.angle % 360;
  if (a < 0) a += 360;
  const double t = a * 3.141592653589793 / 180.0;
  const int64_t K = to_i32(std::cos(t) * -255.0), S = to_i32(std::sin(t) * 255.0);
  const bool back = a >= 91 && a <= 270;
  const int64_t V = ((a >= 91 && a <= 180) || (a >= 271 && a <= 359)) ? -H : H;
  const int64_t R = back ? H - y : y;
  const int64_t N = (back ? H : 0) * W * S - R * V * K + x * (back ? -1 : 1) * S * V;
  const int64_t D = W * S - K * V;
  const int64_t k = D != 0 ? N / D : 0;
  uint32_t out = 0;  // channels keep their low byte, as the pixel packers do
  for (int shift : {16, 8, 0}) {
    const int64_t from = (g.start_colour >> shift) & 0xFF, to = (g.end_colour >> shift) & 0xFF;
    out |= uint32_t((from + (to - from) * k / H) & 0xFF) << shift;
  }
  return out;
}

TEST(Gradient, LinearTwoColourMatchesOneDivisionPerPixel) {
  const int32_t sizes[][2] = {{1, 1}, {7, 5}, {33, 17}, {5, 40}, {200, 3}};
  for (const auto& size : sizes)
    for (int32_t angle = -360; angle <= 360; angle += 13) {
      const int32_t W = size[0], H = size[1];
      Target t(W, H);
      const qmGradient g = two_colours(GRADIENT_LINEAR, angle, 0x10E030, 0xF02080);
      render(t, g);
      for (int32_t y = 0; y < H; ++y)
        for (int32_t x = 0; x < W; ++x)
          ASSERT_EQ(t.rgb(x, y), direct_linear(g, W, H, x, y)) << W << "x" << H << " " << angle << " " << x << "," << y;
    }
}

// Large radial and conical pictures look their colours up in a table of the whole ramp; every
// pixel must still be the ramp's own colour at the pixel's position, with fmod for the turn.
TEST(Gradient, LargeRadialAndConicalMatchTheRamp) {
  const int32_t W = 400, H = 400;
  const uint32_t from = 0xFF2000, to = 0x0010FF;
  const double cx = double(int32_t(W * 0.5 * 65536.0)) / 65536.0, cy = double(int32_t(H * 0.5 * 65536.0)) / 65536.0;
  auto position = [](double v) { return v >= 2147483647.0 ? INT32_MAX : int32_t(v); };
  {
    Target t(W, H);
    render(t, two_colours(GRADIENT_RADIAL, 0, from, to));
    const std::vector<qmRampStop> ramp = {stop(0, from), stop(65536, to)};
    const int64_t radius = position(0.5 * std::sqrt(double(W) * W + double(H) * H) * 1.0 * 65536.0);
    const double scale = 65536.0 * 65536.0 / double(radius);
    for (int32_t y = 0; y < H; ++y)
      for (int32_t x = 0; x < W; ++x) {
        const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
        ASSERT_EQ(t.rgb(x, y), ramp_at(ramp, RAMP_PAD, position(std::sqrt(dx * dx + dy * dy) * scale))) << x << "," << y;
      }
  }
  for (int32_t angle : {0, 30, 400, -725}) {
    Target t(W, H);
    render(t, two_colours(GRADIENT_CONICAL, angle, from, to));
    const std::vector<qmRampStop> ramp = {stop(0, to), stop(32768, from), stop(65536, to)};
    const double turn = angle * 3.141592653589793 / 180.0, two_pi = 6.283185307179586;
    for (int32_t y = 0; y < H; ++y)
      for (int32_t x = 0; x < W; ++x) {
        const double a = std::fmod(std::atan2(y + 0.5 - cy, x + 0.5 - cx) + two_pi + turn, two_pi);
        ASSERT_EQ(t.rgb(x, y), ramp_at(ramp, RAMP_REFLECT, position((a / -two_pi + 1.0) * 65536.0)))
            << angle << " " << x << "," << y;
      }
  }
}

TEST(Gradient, LargeLinearKeepsItsColours) {
  Target t(4000, 4000);
  render(t, two_colours(GRADIENT_LINEAR, 90, 0x000000, 0xFFFFFF));
  for (int32_t x : {0, 1000, 2000, 3999}) {
    const uint32_t v = uint32_t(255 * x / 4000);
    EXPECT_EQ(t.rgb(x, 3999), v << 16 | v << 8 | v) << x;
  }
}

TEST(Gradient, RadialAndConical) {
  // Radial: start colour at the centre growing to the end colour at the radius.
  Target r(9, 9);
  render(r, two_colours(GRADIENT_RADIAL, 0, 0x000000, 0xFFFFFF));
  EXPECT_LT(r.rgb(4, 4) & 0xFF, 0x10u);
  EXPECT_GT(r.rgb(0, 0) & 0xFF, 0xC0u);
  EXPECT_EQ(r.rgb(0, 4), r.rgb(8, 4));
  EXPECT_LT(r.rgb(2, 4) & 0xFF, r.rgb(1, 4) & 0xFF);
  // A border of 1.0 gives a radius below one unit: it counts as one, so everything past the
  // first unit from the centre takes the end colour.
  qmGradient b = two_colours(GRADIENT_RADIAL, 0, 0x000000, 0xFFFFFF);
  b.border = 1.0;
  render(r, b);
  EXPECT_EQ(r.rgb(0, 0), 0xFFFFFFu);
  EXPECT_EQ(r.rgb(6, 4), 0xFFFFFFu);
  EXPECT_LT(r.rgb(4, 4) & 0xFF, 0xC0u);

  // Conical without stops: end colour at angle 0, start colour at the balance angle (half a
  // turn here).
  Target c(9, 9);
  render(c, two_colours(GRADIENT_CONICAL, 0, 0xFF0000, 0x0000FF));
  EXPECT_EQ(c.rgb(8, 4), 0x0000FFu);
  const uint32_t left = c.rgb(0, 4);
  EXPECT_GE((left >> 16) & 0xFF, 0xFDu);
  EXPECT_LE(left & 0xFF, 0x02u);
}

TEST(Gradient, StopsAndRequests) {
  qmGradient g = two_colours(GRADIENT_LINEAR, 0, 0, 0);
  g.stop_count = 3;
  g.stops[0] = {0xFF0000, 0.0};
  g.stops[1] = {0x00FF00, 0.5};
  g.stops[2] = {0x0000FF, 1.0};
  Target t(2, 9);
  render(t, g);
  // Pixel centres project onto the axis (0, 0)-(0, 8): row 0 at 1/16 of the ramp, row 4 just
  // past the middle stop, row 8 beyond the end (padded).
  EXPECT_EQ(t.rgb(0, 0), 0xDF1F00u);
  EXPECT_EQ(t.rgb(1, 4), 0x00DF1Fu);
  EXPECT_EQ(t.rgb(0, 8), 0x0000FFu);
  // Nothing is written for other depths, no rows or an unknown format.
  Target u(2, 2);
  qmGradientRequest bad{u.px.data(), 2, PIXFMT_XRGB, 0, 0, 2, 2, u.ppr, &g};
  gradient_render(bad);
  bad.bytes_per_pixel = 4;
  bad.height = 0;
  gradient_render(bad);
  bad.height = 2;
  bad.format = 3;
  gradient_render(bad);
  EXPECT_EQ(u.px[0], 0xDEADBEEFu);
  // Format 11 packs blue, green, red from the top byte down.
  qmGradient solid = two_colours(GRADIENT_LINEAR, 0, 0x112233, 0x112233);
  qmGradientRequest eleven{u.px.data(), 4, PIXFMT_BGRX, 0, 0, 2, 2, u.ppr, &solid};
  gradient_render(eleven);
  EXPECT_EQ(u.px[0], 0x33221100u);
}

}  // namespace
}  // namespace qm

// The pixel, polygon, fade and roll effects' own numbers: steps, totals and the frames they draw,
// on a bare request that draws into a bitmap of its own (no display) so that every frame can be
// read back whole; and what the realtime alpha effects put into a layer's effect alpha.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <vector>

#include "display/brush.h"
#include "fx/fx.h"
#include "gfx/bitmap.h"
#include "gfx/blit.h"
#include "gfx/blitpixels.h"
#include "gfx/polygon.h"
#include "gfx/effects.h"
#include "gfx/gfxmath.h"
#include "runtime/random.h"
#include "tests/fx/fx_harness.h"

namespace fxtest {
namespace {

using namespace qm;

constexpr uint32_t kOld = 0x0000FF, kNew = 0x00FF00;

using Paint = std::function<uint32_t(int32_t x, int32_t y)>;
Paint flat(uint32_t colour) {
  return [colour](int32_t, int32_t) { return colour; };
}
// Every row (column) its own colour, so that a moved or stretched line shows.
uint32_t row_colour(int32_t, int32_t y) {
  return 0x010000u * uint32_t(y + 1) | 0x80;
}
uint32_t column_colour(int32_t x, int32_t) {
  return 0x000100u * uint32_t(x % 250 + 1) | 0x400000u * uint32_t(x / 250 + 1);
}

qmBitmap* painted(int32_t w, int32_t h, const Paint& paint) {
  qmBitmap* b = qmos_alloc_bitmap(w, h);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) qmos_write_pixel(b, x, y, paint(x, y));
  return b;
}

struct Bare {
  int32_t step = 0, total = 0, w = 0, h = 0;
  std::vector<std::vector<uint32_t>> frames;
  uint32_t at(size_t frame, int32_t x, int32_t y) const {
    return frames[frame][size_t(y) * size_t(w) + size_t(x)];
  }
  bool all(size_t frame, const Paint& paint) const {
    for (int32_t y = 0; y < h; ++y)
      for (int32_t x = 0; x < w; ++x)
        if (at(frame, x, y) != paint(x, y)) return false;
    return true;
  }
};

struct BareCase {
  int32_t id, w, h, speed, parameter = -1;
  Paint fresh = flat(kNew), old = flat(kOld);
  bool setup_only = false, no_old = false;
};

// Sets the effect up and, unless setup_only, draws it to its end into the request's own target.
Bare run_bare(const BareCase& c) {
  Bare out;
  out.w = c.w, out.h = c.h;
  qmFXRequest r;
  r.effect = c.id;
  r.width = c.w, r.height = c.h;
  r.clip_width = c.w, r.clip_height = c.h;
  r.speed = r.speed_given = c.speed;
  r.parameter = c.parameter;
  r.newpic = painted(c.w, c.h, c.fresh);
  r.oldpic = c.no_old ? nullptr : painted(c.w, c.h, c.old);
  r.target = painted(c.w, c.h, c.old);
  const FxEffect* e = fx_effect(c.id);
  r.step = e->step;
  r.free_state = e->release;
  EXPECT_EQ(r.step(&r, nullptr), 0) << "id " << c.id;
  out.step = r.speed, out.total = r.frames;
  r.phase = 1;
  for (int32_t done = 0; !c.setup_only && !done && int32_t(out.frames.size()) < 100000;) {
    EXPECT_EQ(r.step(&r, &done), 0);
    std::vector<uint32_t> px(size_t(c.w) * size_t(c.h));
    for (int32_t y = 0; y < c.h; ++y)
      for (int32_t x = 0; x < c.w; ++x)
        px[size_t(y) * size_t(c.w) + size_t(x)] = qmos_read_pixel(r.target, x, y);
    out.frames.push_back(std::move(px));
  }
  if (r.free_state) r.free_state(&r);
  std::free(r.priv);
  qmos_free_bitmap(r.newpic);
  qmos_free_bitmap(r.oldpic);
  qmos_free_bitmap(r.target);
  fx_free_scaling(&r);
  return out;
}

TEST(PixelEffects, StepsAndTotals) {
  const struct {
    int32_t id, w, h, speed, step, total;
  } cases[] = {
      {139, 64, 48, -1, 4, 64},       // DISSOLVE: fx_step_count(256, 4, 1)
      {139, 64, 48, 100, 8, 32},      //   a speed above 8 is 8
      {138, 64, 48, 1, 2, 360},       // STRUDEL: at least 2 degrees a frame
      {138, 64, 48, 40, 16, 45},      //   at most 16
      {132, 64, 48, 5, 5, 25},        // PIXELZOOM1: one block size a frame, whatever the speed
      {133, 64, 48, -3, -3, 49},      // PIXELZOOM2 between two pictures
      {116, 64, 48, -1, 10, 52},      // FADE: fx_step_count(501, 10, 0)
      {116, 64, 48, -2, 20, 26},      //   FASTSPEED
      {117, 64, 48, -3, 5, 103},      // BLEND at SLOWSPEED
      {117, 64, 48, 0, 10, 52},       //   a speed of 0 is NORMALSPEED's
      {135, 64, 48, -1, 25, 50},      // WATER2: 2 x 25 frames
      {134, 64, 48, 1000, 100, 200},  //   at most 100 a side
      {115, 64, 48, 200, 120, 3},     // CROSSFADE: at most 120, done on the third frame
      {84, 64, 240, 100, 8, 30},      // ROLLTOP: speed 100 gives 8 pixels a frame
      {84, 64, 240, 3, 1, 240},       //   speed 3 gives 1
      {87, 640, 4, -2, 5, 128},       // WALLPAPERLEFT along the width
      {124, 20, 100, -1, 1, 200},     // VFLIPCOIN: down to a line and back
      {124, 20, 100, 30, 30, 7},      //   fx_step_count(170, 30, 0)
      {121, 100, 20, 30, 30, 4},      // CRUSHRIGHT: fx_step_count(70, 30, 0)
      {97, 100, 100, -1, 10, 40},     // CLOCKWIPE: 397 pixels of border at 10
      {98, 64, 48, -1, 5, 50},        // STAR: until its width (5 k + 10) is 4 x 64
      {98, 48, 64, -1, 5, 49},        //   a tall picture's star is 3/4 as wide as high
  };
  for (const auto& c : cases) {
    const Bare b = run_bare({c.id, c.w, c.h, c.speed, -1, flat(kNew), flat(kOld), true});
    if (c.step >= 0) {
      EXPECT_EQ(b.step, c.step) << "id " << c.id << " speed " << c.speed;
    }
    EXPECT_EQ(b.total, c.total) << "id " << c.id << " speed " << c.speed;
  }
}

// Every effect draws the total it reports and ends on the new picture, whatever the speed.
TEST(PixelEffects, EveryEffectEndsOnTheNewPictureInItsTotal) {
  for (int32_t id : {84,  85,  86,  87,  97,  98,  114, 115, 116, 117, 120, 121, 122,
                     123, 124, 125, 126, 127, 132, 133, 134, 135, 136, 137, 138, 139})
    for (int32_t speed : {-1, -2, -3, 1, 37, 1 << 20})
      for (const auto& size : {std::pair{64, 48}, std::pair{5, 31}, std::pair{1, 1}}) {
        const Bare b = run_bare({id, size.first, size.second, speed, -1, row_colour});
        ASSERT_EQ(int32_t(b.frames.size()), b.total) << "id " << id << " speed " << speed;
        ASSERT_TRUE(b.all(b.frames.size() - 1, row_colour)) << "id " << id << " speed " << speed;
      }
}

TEST(PixelEffects, DissolveShowsMapValue254OnlyWithItsLastFrame) {
  constexpr int32_t w = 64, h = 48;
  random_seed(99);
  std::vector<uint8_t> map(size_t(w) * h);
  for (uint8_t& v : map) v = uint8_t(random_next() % 255);
  random_seed(99);
  const Bare b = run_bare({139, w, h, -1});
  ASSERT_EQ(b.frames.size(), 64u);
  int32_t checked = 0;
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) {
      const uint8_t v = map[size_t(y) * w + size_t(x)];
      if (v != 254 && v != 0) continue;
      ++checked;
      // Threshold 4 a frame: value 0 shows from the first frame, 254 only at 256.
      EXPECT_EQ(b.at(0, x, y), v == 0 ? kNew : kOld) << x << "," << y;
      EXPECT_EQ(b.at(62, x, y), v == 0 ? kNew : kOld) << x << "," << y;
      EXPECT_EQ(b.at(63, x, y), kNew);
    }
  EXPECT_GT(checked, 4);
}

TEST(PixelEffects, CoinFlipSqueezesTheOldPictureToALineOnTheFill) {
  constexpr uint32_t fill = 0xABCDEF;
  const Bare b = run_bare({124, 20, 100, -1, int32_t(fill), row_colour, flat(kOld)});
  ASSERT_EQ(b.frames.size(), 200u);
  // p = 100: one centred line of the old picture, the rest the fill.
  for (int32_t y = 0; y < 100; ++y) EXPECT_EQ(b.at(99, 3, y), y == 49 ? kOld : fill) << y;
  // p = 101: a line of the new picture opens.
  EXPECT_NE(b.at(100, 3, 49), kOld);
  EXPECT_NE(b.at(100, 3, 49), fill);
  EXPECT_TRUE(b.all(199, row_colour));
  // A random parameter fills with black.
  const Bare black = run_bare({126, 50, 10, -1, -1});
  EXPECT_EQ(black.at(24, 0, 0), 0u);
  EXPECT_EQ(black.at(24, 25, 0), kOld);
}

// The last frame is the new picture at its own size, also when 2 x 100 is no multiple of 30.
TEST(PixelEffects, CoinFlipsEndOnTheNewPictureUnstretched) {
  for (int32_t id : {124, 125})
    for (int32_t speed : {30, 7, 199}) {
      const Bare b = run_bare({id, 20, 100, speed, 0, row_colour});
      EXPECT_TRUE(b.all(b.frames.size() - 1, row_colour)) << "id " << id << " speed " << speed;
    }
  for (int32_t id : {126, 127}) {
    const Bare b = run_bare({id, 100, 20, 30, 0, column_colour});
    EXPECT_TRUE(b.all(b.frames.size() - 1, column_colour)) << "id " << id;
  }
}

TEST(PixelEffects, CrushesEndOnTheNewPictureWholeAndSplitOnTheWay) {
  const Bare right = run_bare({121, 100, 20, 30, -1, column_colour});
  ASSERT_EQ(right.frames.size(), 4u);
  EXPECT_TRUE(right.all(3, column_colour));
  // p = 30: the new picture squeezed into the right 30 columns, the old one into the rest.
  EXPECT_EQ(right.at(0, 69, 5), kOld);
  EXPECT_NE(right.at(0, 70, 5), kOld);
  const Bare top = run_bare({122, 20, 100, 30, -1, row_colour});
  EXPECT_NE(top.at(0, 0, 29), kOld);
  EXPECT_EQ(top.at(0, 0, 30), kOld);
  EXPECT_TRUE(top.all(3, row_colour));
}

// What of a frame is new: its box, and whether the corners are.
struct Shape {
  int32_t x0 = 1 << 30, y0 = 1 << 30, x1 = -1, y1 = -1;
  bool corners = false;
};
Shape shape_of(const Bare& b, size_t frame) {
  Shape s;
  for (int32_t y = 0; y < b.h; ++y)
    for (int32_t x = 0; x < b.w; ++x)
      if (b.at(frame, x, y) == kNew)
        s.x0 = std::min(s.x0, x), s.y0 = std::min(s.y0, y), s.x1 = std::max(s.x1, x),
        s.y1 = std::max(s.y1, y);
  const int32_t r = b.w - 1, d = b.h - 1;
  s.corners = b.at(frame, 0, 0) == kNew && b.at(frame, r, 0) == kNew && b.at(frame, 0, d) == kNew &&
              b.at(frame, r, d) == kNew;
  return s;
}

TEST(PixelEffects, SunGrowsCirclesOnASquareUntilTheyCoverTheCorners) {
  const Bare b = run_bare({114, 61, 61, 3});
  ASSERT_EQ(int32_t(b.frames.size()), b.total);
  ASSERT_GT(b.frames.size(), 3u);
  EXPECT_FALSE(shape_of(b, b.frames.size() - 3).corners);
  for (size_t f = 0; f + 1 < b.frames.size(); ++f) {
    const Shape s = shape_of(b, f);
    // A circle: as wide as high, centred.
    EXPECT_EQ(s.x1 - s.x0, s.y1 - s.y0) << "frame " << f + 1;
    EXPECT_EQ(s.x0 + s.x1, 60) << "frame " << f + 1;
  }
  EXPECT_TRUE(shape_of(b, b.frames.size() - 1).corners);
  // A wide picture's ellipse is wider than high.
  const Bare wide = run_bare({114, 90, 30, -1});
  const Shape e = shape_of(wide, 0);
  EXPECT_GT(e.x1 - e.x0, 2 * (e.y1 - e.y0));
}

TEST(PixelEffects, StarGrowsToFourTimesTheWidthShowingTheWholePictureLast) {
  const Bare b = run_bare({98, 64, 48, -1});
  ASSERT_EQ(b.frames.size(), 50u);
  // The first star is small and centred; its dents still leave the corners at 3 x the width.
  const Shape first = shape_of(b, 0);
  EXPECT_LT(first.x1 - first.x0, 16);
  EXPECT_NEAR((first.x0 + first.x1) / 2, 32, 1);
  EXPECT_FALSE(shape_of(b, 35).corners);
  EXPECT_TRUE(b.all(49, flat(kNew)));
}

// Every frame of STAR shows the new picture exactly where its stars so far lie, also where a thin
// side makes a star's points reach past its nominal box (a side of 1 to 4 pixels): the star of size
// r filled as the effect fills it, from its eleven points clipped to the picture.
TEST(PixelEffects, StarFramesShowEveryPixelTheirStarsCover) {
  for (const auto& size : {std::pair{37, 23}, std::pair{3, 40}, std::pair{40, 2}, std::pair{4, 64}}) {
    const int32_t w = size.first, h = size.second;
    const Bare b = run_bare({98, w, h, -1});
    ASSERT_EQ(int32_t(b.frames.size()), b.total);
    const int32_t bpr = mask_bytes_per_row(w);
    std::vector<uint8_t> covered(size_t(bpr) * size_t(h), 0);
    for (int32_t k = 1; k < b.total; ++k) {
      const int64_t r = int64_t(k) * b.step + 10;
      const bool wide = w >= h;
      const double ratio = wide ? double(h) / w : double(w) / h;
      const int64_t other = std::max<int64_t>(int64_t(double(r) * ratio + 1), 1);
      const int64_t sw = wide ? r : other, sh = wide ? other : r;
      const int64_t x0 = (w - sw) / 2, y0 = (h - sh) / 2, a = int64_t(0.4 * double(sw)),
                    bb = int64_t(0.3 * double(sw)), c = y0 + int64_t(0.375 * double(sh)),
                    d = y0 + int64_t(0.6 * double(sh)), e = sw / 5;
      const int64_t pts[11][2] = {{x0, c},          {x0 + a, c},          {x0 + sw / 2, y0},
                                  {x0 + sw - a, c}, {x0 + sw - 1, c},     {x0 + sw - bb, d},
                                  {x0 + sw - e, y0 + sh - 1},             {x0 + sw / 2, y0 + sh - sh / 4},
                                  {x0 + e, y0 + sh - 1},                  {x0 + bb, d},
                                  {x0, c}};
      std::vector<qmPoint> p(11 * 16), q(11 * 16);
      for (int32_t i = 0; i < 11; ++i) p[size_t(i)] = {int32_t(pts[i][0]), int32_t(pts[i][1])};
      int32_t n = polygon_clip_edge(11, p.data(), q.data(), 0, 0);
      n = polygon_clip_edge(n, q.data(), p.data(), 0, 1);
      n = polygon_clip_edge(n, p.data(), q.data(), w - 1, 2);
      n = polygon_clip_edge(n, q.data(), p.data(), h - 1, 3);
      std::vector<int32_t> scratch(p.size());
      if (n > 0) plane_fill_polygon(covered.data(), bpr, scratch.data(), p.data(), n);
      for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
          const bool in = covered[size_t(y) * size_t(bpr) + size_t(x >> 3)] & (0x80 >> (x & 7));
          ASSERT_EQ(b.at(size_t(k) - 1, x, y), in ? kNew : kOld)
              << w << "x" << h << " frame " << k << " at " << x << "," << y;
        }
    }
    EXPECT_TRUE(b.all(size_t(b.total) - 1, flat(kNew))) << w << "x" << h;
  }
}

TEST(PixelEffects, ClockWipeSweepsTenPixelsOfBorderAFrameBackToTheTopMiddle) {
  const Bare b = run_bare({97, 100, 100, -1});
  ASSERT_EQ(b.frames.size(), 40u);
  // Along the top edge from the middle: the hand at x = 50 + 10 k after frame k.
  for (int32_t k = 1; k <= 4; ++k) {
    EXPECT_EQ(b.at(size_t(k - 1), 50 + 10 * k, 0), kNew) << k;
    EXPECT_EQ(b.at(size_t(k - 1), 52 + 10 * k, 0), kOld) << k;
  }
  // Down the right edge: 49 pixels to the corner, then y = 11 after frame 6.
  EXPECT_EQ(b.at(5, 99, 11), kNew);
  EXPECT_EQ(b.at(5, 99, 13), kOld);
  // The last wedge closes the circle just left of the middle.
  EXPECT_EQ(b.at(38, 47, 0), kOld);
  EXPECT_EQ(b.at(38, 43, 0), kNew);
  EXPECT_TRUE(b.all(39, flat(kNew)));
}

TEST(PixelEffects, FadeTintsTheOldPictureToTheColourThenTheNewOneBack) {
  const Bare b = run_bare({116, 8, 8, -1, 0x000000});
  ASSERT_EQ(b.frames.size(), 52u);
  auto tinted = [](uint32_t colour, int32_t amount) {
    qmBitmap* p = painted(1, 1, flat(colour));
    bitmap_tint(p, 0, 0, 1, 1, 0, amount);
    const uint32_t v = qmos_read_pixel(p, 0, 0);
    qmos_free_bitmap(p);
    return v;
  };
  EXPECT_EQ(b.at(24, 0, 0), tinted(kOld, 250));  // L = 250
  EXPECT_EQ(b.at(25, 0, 0), tinted(kNew, 251));  // L = 260: the new picture
  EXPECT_EQ(b.at(26, 0, 0), tinted(kNew, 241));
  EXPECT_EQ(b.at(50, 0, 0), tinted(kNew, 1));  // L = 510
  EXPECT_EQ(b.at(51, 0, 0), kNew);
  // BLEND tints the new picture from the start.
  const Bare blend = run_bare({117, 8, 8, -2, 0x000000});
  EXPECT_EQ(blend.at(0, 0, 0), tinted(kNew, 20));
}

TEST(PixelEffects, WaterRipplesTheNewPictureWithItsWaveLength) {
  constexpr int32_t w = 64, h = 48;
  // Without an old picture the frame is the ripple itself.
  BareCase c{135, w, h, -1, -1, row_colour};
  c.no_old = true;
  const Bare b = run_bare(c);
  ASSERT_EQ(b.frames.size(), 50u);
  auto rippled = [&](double wave_length, int32_t t) {
    std::vector<int32_t> distances(size_t(w) * h);
    std::vector<double> sines(kEffectTableSize);
    std::vector<uint32_t> source(size_t(w) * h), target(size_t(w) * h);
    for (int32_t y = 0; y < h; ++y)
      for (int32_t x = 0; x < w; ++x) source[size_t(y) * w + size_t(x)] = row_colour(x, y);
    qmRippleRender r{};
    r.ripple.distances = distances.data(), r.ripple.sines = sines.data();
    r.ripple.wave_length = wave_length;
    r.ripple.width = w, r.ripple.height = h, r.ripple.centre_x = w / 2, r.ripple.centre_y = h / 2;
    r.ripple.radius = w / 2;
    ripple_setup(r.ripple);
    r.source = source.data(), r.source_ppr = w, r.target = target.data(), r.target_ppr = w;
    r.damping = 0.05, r.duration = 25;
    ripple_render(r, t);
    return target;
  };
  EXPECT_EQ(b.frames[9], rippled(64.0, 10));
  EXPECT_NE(b.frames[9], rippled(32.0, 10));
}

TEST(PixelEffects, RollsShowABandOfTheirSizeBeforeTheFlatPart) {
  const struct {
    int32_t id, w, h, n;
  } cases[] = {
      {84, 8, 240, 20},   // ROLLTOP: 240 / 12
      {84, 8, 120, 20},   //   120 / 12 is less than 20
      {87, 640, 4, 320},  // WALLPAPERLEFT: 640 / 2
  };
  for (const auto& c : cases) {
    const bool columns = c.id == 87;
    const Paint paint = columns ? Paint(column_colour) : Paint(row_colour);
    const Bare b = run_bare({c.id, c.w, c.h, 10, -1, paint});  // 2 pixels a frame
    const int32_t extent = columns ? c.w : c.h;
    const size_t frame = size_t(extent / 2 / 2);  // P = extent / 2 + 2, after frame extent / 4 + 1
    const int32_t p = 2 * int32_t(frame + 1);
    auto line = [&](int32_t i) { return columns ? b.at(frame, i, 1) : b.at(frame, 1, i); };
    auto fresh = [&](int32_t i) { return columns ? paint(i, 1) : paint(1, i); };
    EXPECT_EQ(line(p - c.n), fresh(p - c.n))
        << "id " << c.id << ": the flat part ends before the band";
    EXPECT_NE(line(p - c.n + 1), fresh(p - c.n + 1)) << "id " << c.id;
    EXPECT_NE(line(p - c.n + 1), kOld) << "id " << c.id << ": the band starts n lines before P";
    EXPECT_EQ(line(p + 1), kOld) << "id " << c.id;
  }
}

// The swirl at turns past a whole circle takes each pixel where the full turn puts it.
TEST(PixelEffects, SwirlRenderTurnsPastAWholeCircle) {
  constexpr int32_t w = 48, h = 32;
  std::vector<double> sines(kEffectTableSize), cosines(kEffectTableSize);
  swirl_setup(sines.data(), cosines.data());
  std::vector<uint32_t> source(size_t(w) * h), target(size_t(w) * h);
  for (size_t i = 0; i < source.size(); ++i) source[i] = uint32_t(i);
  for (int32_t degrees : {540, 720}) {
    qmSwirl s{source.data(), w, target.data(), w, nullptr, 0, nullptr, 0, w, h, sines.data(),
              cosines.data()};
    swirl_render(s, degrees);
    const double cx = w * 0.5, cy = h * 0.5, radius = cx, ax = 1.0, ay = double(w) / h;
    const double t = degrees * 3.141592653589793 / 180.0;
    int32_t turned = 0;
    for (int32_t y = 0; y < h; ++y)
      for (int32_t x = 0; x < w; ++x) {
        const double dx = ax * (x - cx), dy = ay * (y - cy), d2 = dx * dx + dy * dy;
        double ux = x, uy = y;
        if (d2 < radius * radius) {
          const double f = 1.0 - std::floor(std::sqrt(std::floor(d2))) / radius, a = t * f * f;
          ux = std::clamp((dx * std::cos(a) - dy * std::sin(a)) / ax + cx, 0.0, w - 1.0);
          uy = std::clamp((dx * std::sin(a) + dy * std::cos(a)) / ay + cy, 0.0, h - 1.0);
          turned += a > 6.2832 ? 1 : 0;
        }
        const uint32_t from = target[size_t(y) * w + size_t(x)];
        EXPECT_LE(std::abs(int32_t(from % w) - ux), 1.01) << degrees << " at " << x << "," << y;
        EXPECT_LE(std::abs(int32_t(from / w) - uy), 1.01) << degrees << " at " << x << "," << y;
      }
    EXPECT_GT(turned, 20) << degrees;
  }
}

// The vector loops take every pixel and alpha byte from where the per-pixel loop does, on wide
// and tall pictures (the scale divides the other coordinate), of odd and even sizes (the rows
// below the middle follow from those above it), in rows that end between vector steps, at every
// kind of turn (the first ones hold many sums on whole numbers), with the alpha plane's rows no
// longer than the picture's (its last bytes are read one at a time), at full screen, and on a
// picture so wide that its squared distances pass what float roots give exactly.
TEST(PixelEffects, SwirlVectorAndPerPixelLoopsAgree) {
  std::vector<double> sines(kEffectTableSize), cosines(kEffectTableSize);
  swirl_setup(sines.data(), cosines.data());
  for (const auto& [w, h] : {std::pair{37, 23}, std::pair{23, 37}, std::pair{64, 64}, std::pair{5, 1},
                             std::pair{1, 1}, std::pair{301, 200}, std::pair{120, 67}, std::pair{66, 121},
                             std::pair{1920, 1080}, std::pair{4200, 2}}) {
    const int32_t ppr = w + 3, bpr = w;
    std::vector<uint32_t> source(size_t(ppr) * h);
    std::vector<uint8_t> source_alpha(size_t(bpr) * h);
    for (size_t i = 0; i < source.size(); ++i) source[i] = uint32_t(i * 2654435761u);
    for (size_t i = 0; i < source_alpha.size(); ++i) source_alpha[i] = uint8_t(i * 7);
    for (int32_t degrees : {0, 1, 8, 90, 359, 540, 719, 720}) {
      std::vector<uint32_t> fast(source.size(), 1), slow(source.size(), 1);
      std::vector<uint8_t> fast_alpha(source_alpha.size(), 1), slow_alpha(source_alpha.size(), 1);
      qmSwirl s{source.data(), ppr, fast.data(), ppr, source_alpha.data(), bpr, fast_alpha.data(), bpr, w, h,
                sines.data(), cosines.data()};
      swirl_render(s, degrees);
      swirl_force_scalar(true);
      s.target = slow.data(), s.target_alpha = slow_alpha.data();
      swirl_render(s, degrees);
      swirl_force_scalar(false);
      ASSERT_EQ(fast, slow) << w << "x" << h << " at " << degrees;
      ASSERT_EQ(fast_alpha, slow_alpha) << w << "x" << h << " at " << degrees;
    }
  }
}

// An alpha plane of one value moves as a fill of that value: every byte of the target's plane
// holds it, and the pixels go where they go without a plane.
TEST(PixelEffects, SwirlOfAUniformAlphaPlaneFillsTheTargetsPlane) {
  constexpr int32_t w = 45, h = 30, ppr = 48, bpr = 46;
  std::vector<double> sines(kEffectTableSize), cosines(kEffectTableSize);
  swirl_setup(sines.data(), cosines.data());
  std::vector<uint32_t> source(size_t(ppr) * h), with(source.size(), 1), without(source.size(), 1);
  for (size_t i = 0; i < source.size(); ++i) source[i] = uint32_t(i * 2654435761u);
  std::vector<uint8_t> source_alpha(size_t(bpr) * h, 77), target_alpha(source_alpha.size(), 1);
  qmSwirl s{source.data(), ppr, with.data(), ppr, source_alpha.data(), bpr, target_alpha.data(), bpr, w, h,
            sines.data(), cosines.data()};
  swirl_render(s, 300);
  s.target = without.data(), s.source_alpha = nullptr, s.target_alpha = nullptr;
  swirl_render(s, 300);
  EXPECT_EQ(with, without);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < bpr; ++x)
      ASSERT_EQ(target_alpha[size_t(y) * bpr + size_t(x)], x < w ? 77 : 1) << x << "," << y;
}

// The same for the ripple: distances computed in the vector loop (small pictures) and read from
// the table (a far corner beyond what float roots give exactly), a centre off the middle, rows that
// end between vector steps, the alpha bytes, and frames from the first to still water.
TEST(PixelEffects, RippleVectorAndPerPixelLoopsAgree) {
  const struct {
    int32_t w, h, cx, cy;
    double wave_length;
  } cases[] = {{37, 23, 18, 11, 16.0}, {23, 37, 0, 36, 64.0}, {5, 1, 2, 0, 8.0}, {1, 1, 0, 0, 8.0},
               {301, 200, 150, 100, 64.0}, {2100, 3, 0, 1, 32.0}};
  for (const auto& c : cases) {
    const int32_t ppr = c.w + 3;
    std::vector<uint32_t> source(size_t(ppr) * c.h);
    std::vector<uint8_t> source_alpha(source.size());
    for (size_t i = 0; i < source.size(); ++i) source[i] = uint32_t(i * 2654435761u), source_alpha[i] = uint8_t(i * 7);
    std::vector<int32_t> distances(size_t(c.w) * c.h);
    std::vector<double> sines(kEffectTableSize);
    qmRippleRender r{};
    r.ripple = {distances.data(), sines.data(), c.wave_length, 0.0, c.w, c.h, c.cx, c.cy, nullptr,
                std::max(c.cx, c.cy), 0, 0};
    ripple_setup(r.ripple);
    r.source = source.data(), r.source_ppr = ppr, r.source_alpha = source_alpha.data(), r.source_alpha_bpr = ppr;
    r.damping = 0.05, r.duration = 25;
    for (int32_t t : {1, 2, 7, 30, 49, 50}) {
      std::vector<uint32_t> fast(source.size(), 1), slow(source.size(), 1);
      std::vector<uint8_t> fast_alpha(source.size(), 1), slow_alpha(source.size(), 1);
      r.target = fast.data(), r.target_ppr = ppr, r.target_alpha = fast_alpha.data(), r.target_alpha_bpr = ppr;
      ripple_render(r, t);
      ripple_force_scalar(true);
      r.target = slow.data(), r.target_alpha = slow_alpha.data();
      ripple_render(r, t);
      ripple_force_scalar(false);
      ASSERT_EQ(fast, slow) << c.w << "x" << c.h << " at " << t;
      ASSERT_EQ(fast_alpha, slow_alpha) << c.w << "x" << c.h << " at " << t;
    }
  }
}

TEST(PixelEffects, RippleCalmsFromAmplitudeOneToStillWaterAsItsPhaseMovesOn) {
  constexpr int32_t duration = 25;
  EXPECT_DOUBLE_EQ(ripple_amplitude(0, duration, 0.05), 1.0);
  EXPECT_DOUBLE_EQ(ripple_amplitude(2 * duration, duration, 0.05), 0.0);
  for (int32_t t = 0; t < 2 * duration; ++t) {
    // Falls by at least the damping a frame, and the waves travel outwards.
    EXPECT_LE(ripple_amplitude(t + 1, duration, 0.05),
              ripple_amplitude(t, duration, 0.05) * std::exp(-0.05) + 1e-12);
    EXPECT_GT(ripple_phase(t + 1), ripple_phase(t));
  }
  // At rest the picture is itself.
  constexpr int32_t w = 40, h = 30;
  std::vector<int32_t> distances(size_t(w) * h);
  std::vector<double> sines(kEffectTableSize);
  std::vector<uint32_t> source(size_t(w) * h), target(size_t(w) * h, 0);
  for (size_t i = 0; i < source.size(); ++i) source[i] = uint32_t(i) + 1;
  qmRippleRender r{};
  r.ripple = {distances.data(), sines.data(), 16.0, 0.0, w, h, w / 2, h / 2, nullptr, w / 2, 0, 0};
  ripple_setup(r.ripple);
  r.source = source.data(), r.source_ppr = w, r.target = target.data(), r.target_ppr = w;
  r.damping = 0.05, r.duration = duration;
  ripple_render(r, 2 * duration);
  EXPECT_EQ(target, source);
  ripple_render(r, 1);
  EXPECT_NE(target, source);
}

// ---- on a display
// --------------------------------------------------------------------------------

class AlphaEffects : public FxHarness {
 protected:
  struct Seen {
    std::vector<int32_t> levels;
    std::vector<std::vector<uint8_t>> alphas;  // the layer's effect alpha after each frame
  };
  static int32_t watch(const qmFXRequest* r, int32_t what, void* user) {
    if (what != FXOBS_FRAME) return 0;
    auto* s = static_cast<Seen*>(user);
    s->levels.push_back(r->level);
    const qmAlphaChannel* a = r->layer && r->layer->effect ? r->layer->effect->alpha : nullptr;
    s->alphas.emplace_back(
        a ? std::vector<uint8_t>(a->data, a->data + size_t(a->bytes_per_row) * a->height)
          : std::vector<uint8_t>{});
    return 0;
  }
  Seen run_layer(int32_t id, Kind kind, int32_t speed) {
    FxCase c;
    c.id = id, c.kind = kind, c.w = 16, c.h = 8;
    reset(c);
    Seen seen;
    FxObserver o{watch, &seen};
    fx_set_observer(&o);
    const qmtest::Outcome out =
        call_table(kind == Kind::Hide ? "HideLayerFX" : "ShowLayerFX", {1.0}, [&] {
          set_number("type", id);
          set_number("speed", speed);
          set_number("parameter", 0);
          set_number("forcerealtimelayers", 1);
        });
    fx_set_observer(nullptr);
    EXPECT_EQ(out.code, 0);
    return seen;
  }
};

// The effect alpha of a realtime CROSSFADE and of FADE while it fades the colour is the picture's
// visibility scaled by the level; the layer's own path is the only one there is.
TEST_F(AlphaEffects, CrossfadeAndFadeScaleTheLayersAlphaByTheLevel) {
  EXPECT_EQ(qmos_gfx_caps() & 2, 0);
  for (const Kind kind : {Kind::ShowRealtime, Kind::Hide}) {
    const Seen cross = run_layer(115, kind, 40);
    ASSERT_EQ(cross.levels.size(), 7u);
    const Seen fade = run_layer(116, kind, -2);
    ASSERT_EQ(fade.levels.size(), 26u);
    // The layer is fully visible (an alpha ramp: the hide) or through its holed mask (255 or 0).
    // The picture's visibility: its holed mask (a shown layer) or its alpha ramp (the hide).
    const qmBrush* b = brush(1);
    auto visible = [&](int32_t x) {
      if (b->alpha) return int32_t(b->alpha->data[size_t(x)]);
      return b->mask && !qmos_read_pixel(b->mask, x, 0) ? 0 : 255;
    };
    auto check = [&](const Seen& s, size_t frame) {
      const int32_t level = s.levels[frame];
      const std::vector<uint8_t>& a = s.alphas[frame];
      ASSERT_FALSE(a.empty());
      for (int32_t x = 0; x < 16; ++x)
        EXPECT_EQ(a[size_t(x)], visible(x) * level / 255) << "frame " << frame + 1 << " x " << x;
    };
    for (size_t f = 0; f < cross.levels.size(); ++f) check(cross, f);
    // FADE: the colour fades in over the first half of a show (L = 20 .. 240), the picture out
    // over a hide's second (L = 260 .. 511).
    for (size_t f = kind == Kind::Hide ? 12 : 0; f < (kind == Kind::Hide ? 26u : 12u); ++f)
      check(fade, f);
    EXPECT_EQ(cross.levels.front(), kind == Kind::Hide ? 255 - 40 : 40);
  }
}

// HideLayerFX with a roll ends at every speed, with the total it drew.
TEST_F(AlphaEffects, RollsEndTheirHidesAtEverySpeed) {
  for (int32_t id : {84, 87})
    for (int32_t speed : kSpeeds) {
      FxCase c;
      c.id = id, c.kind = Kind::Hide, c.speed = speed;
      const RunResult r = run(c);
      EXPECT_EQ(r.failure, "") << c.name();
      EXPECT_EQ(r.total, r.frames) << c.name();
    }
}

}  // namespace
}  // namespace fxtest

// The effect families' own numbers: steps, totals and the frames they draw, run on a bare request
// that draws into a bitmap of its own (no display), so that each frame can be read back whole.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <vector>

#include "fx/fx.h"
#include "fx/steps.h"
#include "gfx/bitmap.h"
#include "tests/fx/puzzle_linear.h"

namespace {

using namespace qm;

// The pictures: each pixel tells its picture and its place.
uint32_t new_px(int32_t x, int32_t y) { return 0xA00000u + (uint32_t(x) << 8) + uint32_t(y); }
uint32_t old_px(int32_t x, int32_t y) { return 0x500000u + (uint32_t(x) << 8) + uint32_t(y); }
bool is_new(uint32_t p) { return (p >> 20) == 0xA; }

// What a bare run drew: the step after setup, the total, and the target after each frame.
struct Bare {
  int32_t step = 0, total = 0;
  std::vector<std::vector<uint32_t>> frames;
  int32_t w = 0, h = 0;
  uint32_t at(size_t frame, int32_t x, int32_t y) const { return frames[frame][size_t(y) * size_t(w) + size_t(x)]; }
  // The columns (rows) that a frame changed, against the frame before it.
  std::vector<int32_t> changed_columns(size_t frame) const {
    std::vector<int32_t> out;
    for (int32_t x = 0; x < w; ++x)
      for (int32_t y = 0; y < h; ++y)
        if (at(frame, x, y) != (frame ? at(frame - 1, x, y) : old_px(x, y))) {
          out.push_back(x);
          break;
        }
    return out;
  }
};

qmBitmap* painted(int32_t w, int32_t h, uint32_t (*pixel)(int32_t, int32_t)) {
  qmBitmap* b = qmos_alloc_bitmap(w, h);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) qmos_write_pixel(b, x, y, pixel(x, y));
  return b;
}

// Sets the effect up and, unless setup_only, draws it to its end (at most `cap` frames).
Bare run_bare(int32_t id, int32_t w, int32_t h, int32_t speed, int32_t parameter = -1, bool setup_only = false,
              int32_t cap = 100000, bool hide = false) {
  Bare out;
  out.w = w, out.h = h;
  qmFXRequest r;
  r.effect = id;
  r.width = w, r.height = h;
  r.clip_width = w, r.clip_height = h;
  r.speed = r.speed_given = speed;
  r.parameter = parameter;
  r.hide = hide ? 1 : 0;
  r.newpic = painted(w, h, new_px);
  r.oldpic = painted(w, h, old_px);
  r.target = painted(w, h, old_px);
  const FxEffect* e = fx_effect(id);
  r.step = e->step;
  r.free_state = e->release;
  EXPECT_EQ(r.step(&r, nullptr), 0);
  out.step = r.speed, out.total = r.frames;
  r.phase = 1;
  for (int32_t done = 0; !setup_only && !done && int32_t(out.frames.size()) < cap;) {
    EXPECT_EQ(r.step(&r, &done), 0);
    std::vector<uint32_t> px(size_t(w) * size_t(h));
    for (int32_t y = 0; y < h; ++y)
      for (int32_t x = 0; x < w; ++x) px[size_t(y) * size_t(w) + size_t(x)] = qmos_read_pixel(r.target, x, y);
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

// The bounding box of the new picture's pixels in a frame.
struct Box {
  int32_t x = 0, y = 0, w = 0, h = 0;
  bool operator==(const Box&) const = default;
};
Box new_box(const Bare& b, size_t frame) {
  int32_t x0 = b.w, y0 = b.h, x1 = -1, y1 = -1;
  for (int32_t y = 0; y < b.h; ++y)
    for (int32_t x = 0; x < b.w; ++x)
      if (is_new(b.at(frame, x, y))) x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
  return x1 < 0 ? Box{} : Box{x0, y0, x1 - x0 + 1, y1 - y0 + 1};
}

TEST(StripFamilies, StepsAndTotals) {
  const struct {
    int32_t id, w, h, speed, step, total;
  } cases[] = {
      {28, 64, 48, -1, 1, 13},       // BARS at NORMALSPEED: 13 frames whatever the size
      {28, 640, 3, -2, 2, 9},        //   FASTSPEED: 9
      {28, 5, 5, -3, 1, 13},         //   SLOWSPEED gives 0, raised to 1
      {14, 64, 48, 100, 4, 2},       // a blind speed above half a slat: half a slat (HBLINDS8)
      {23, 300, 48, 1000, 64, 2},    //   VBLINDS128
      {29, 640, 8, -1, 2, 2},        // QUARTERS divides the width, but steps at most h / 4
      {24, 64, 48, 40, 16, 2},       // opening curtains at most w / 4
      {25, 64, 48, 40, 32, 2},       // closing ones at most w / 2
      {26, 48, 64, 40, 16, 2},       //   the same across the height
      {30, 64, 48, 33, 1, 32},       // REVEALLEFT above w / 2 crawls a pixel a frame
      {32, 64, 48, 25, 24, 2},       // REVEALTOP above h / 2 runs at h / 2
      {38, 64, 48, 17, 1, 64},       // RECT above L / 4 falls back to a pixel, not to L / 4
      {88, 64, 48, 16, 16, 4},       //   RECTBACK at exactly L / 4
      {83, 64, 48, 17, 1, 112},      // DIAGONAL above w / 4 runs at a pixel
      {82, 64, 48, 2, 5, 13 * 10},   // PUZZLE's side is at least 5, one more column and row
      {106, 64, 48, 5, 5, 7},        // SWISS: fx_step_count(L / 2, step, 1)
      {106, 64, 48, 100, 30, 2},     //   a step of at most 30
  };
  for (const auto& c : cases) {
    const Bare b = run_bare(c.id, c.w, c.h, c.speed, -1, true);
    EXPECT_EQ(b.step, c.step) << "id " << c.id;
    EXPECT_EQ(b.total, c.total) << "id " << c.id;
  }
}

TEST(StripFamilies, VlinesOnFourColumns) {
  // Even columns forwards, then the odd ones backwards, the fifth brought within the picture.
  for (int32_t speed : {-1, -2, -3, 1, 50}) {
    const Bare b = run_bare(37, 4, 3, speed);
    ASSERT_EQ(b.frames.size(), 5u);
    EXPECT_EQ(b.total, 5);
    const std::vector<std::vector<int32_t>> expected = {{0}, {2}, {3}, {}, {1}};
    for (size_t f = 0; f < 5; ++f) EXPECT_EQ(b.changed_columns(f), expected[f]) << "frame " << f << " speed " << speed;
  }
}

TEST(StripFamilies, RevealBandsAreAPixelWiderThanTheStep) {
  const Bare b = run_bare(30, 64, 4, 40);  // above w / 2: 1-pixel steps, 2-pixel bands
  ASSERT_GE(b.frames.size(), 3u);
  EXPECT_EQ(b.changed_columns(0), (std::vector<int32_t>{0, 1}));
  EXPECT_EQ(b.changed_columns(1), (std::vector<int32_t>{2, 3}));
}

TEST(StripFamilies, CurtainsEndWhole) {
  // The last bands overlap bands already drawn; every pixel is new at the end.
  for (int32_t id : {24, 25, 26, 27})
    for (int32_t w : {1, 2, 7, 64}) {
      const Bare b = run_bare(id, w, 9, -2);
      EXPECT_EQ(int32_t(b.frames.size()), b.total);
      EXPECT_EQ(new_box(b, b.frames.size() - 1), (Box{0, 0, w, 9})) << "id " << id << " w " << w;
      for (uint32_t p : b.frames.back()) ASSERT_TRUE(is_new(p)) << "id " << id << " w " << w;
    }
}

TEST(RectFamilies, FirstRectangleOfEachAnchor) {
  // The first frame paints the ring between the rectangle of length 0 and that of one step: on a
  // 9 x 5 object at 1 pixel the rectangle is 1 x 1 (trunc(5/9 + 1)), on 5 x 9 it is 1 x 1 too.
  const struct {
    int32_t w, h;
    Box expected[9];  // centre, north, north-east, east, south-east, south, south-west, west, north-west
  } cases[] = {
      {9, 5, {{4, 2, 1, 1}, {4, 0, 1, 1}, {8, 0, 1, 1}, {8, 2, 1, 1}, {8, 4, 1, 1}, {4, 4, 1, 1}, {0, 4, 1, 1},
              {0, 2, 1, 1}, {0, 0, 1, 1}}},
      {5, 9, {{2, 4, 1, 1}, {2, 0, 1, 1}, {4, 0, 1, 1}, {4, 4, 1, 1}, {4, 8, 1, 1}, {2, 8, 1, 1}, {0, 8, 1, 1},
              {0, 4, 1, 1}, {0, 0, 1, 1}}},
  };
  for (const auto& c : cases)
    for (int32_t k = 0; k < 9; ++k) {
      const Bare b = run_bare(38 + k, c.w, c.h, 1, -1, false, 1);
      EXPECT_EQ(new_box(b, 0), c.expected[k]) << c.w << "x" << c.h << " anchor " << k;
    }
}

TEST(RectFamilies, ShapesAndEnds) {
  // A square grows symmetric about its centre; a flat object's short side is never 0.
  const Bare square = run_bare(38, 21, 21, 2);
  for (size_t f = 0; f + 1 < square.frames.size(); ++f) {
    const Box box = new_box(square, f);
    EXPECT_EQ(box.x + box.w, 21 - box.x) << "frame " << f;
    EXPECT_EQ(box.y + box.h, 21 - box.y) << "frame " << f;
  }
  const Bare flat = run_bare(38, 200, 2, 1);
  EXPECT_GE(new_box(flat, 0).h, 1);
  // Every member of both families ends whole, however the step divides the object.
  for (int32_t id : {38, 39, 40, 41, 42, 43, 44, 45, 46, 88, 89, 90, 91, 92, 93, 94, 95, 96})
    for (int32_t speed : {1, 3, 7}) {
      const Bare b = run_bare(id, 37, 23, speed);
      EXPECT_EQ(int32_t(b.frames.size()), b.total) << id;
      for (uint32_t p : b.frames.back()) ASSERT_TRUE(is_new(p)) << "id " << id << " speed " << speed;
    }
}


TEST(PieceFamilies, PuzzleOrderIsThePermutationOfTheLinearSearch) {
  for (int32_t seed = 0; seed < 1000; ++seed) {
    const int32_t n = 1 + seed % 97 + (seed % 7 == 0 ? 300 : 0);
    srand48(seed);
    const std::vector<int32_t> expected = fxtest::puzzle_linear_order(n);
    srand48(seed);
    std::vector<int32_t> order(static_cast<size_t>(n));
    ASSERT_EQ(fx_puzzle_order(order.data(), n), 0);
    ASSERT_EQ(order, expected) << "seed " << seed << " n " << n;
    std::set<int32_t> seen(order.begin(), order.end());
    ASSERT_EQ(int32_t(seen.size()), n);
    ASSERT_EQ(*seen.begin(), 0);
    ASSERT_EQ(*seen.rbegin(), n - 1);
  }
}

TEST(PieceFamilies, SpiralTotalIsTheFramesDrawn) {
  for (auto [w, h] : {std::pair{1, 1}, {1, 200}, {200, 1}, {64, 48}, {37, 23}})
    for (int32_t speed : {-1, -2, -3, 1, 30}) {
      const Bare b = run_bare(105, w, h, speed);
      EXPECT_EQ(int32_t(b.frames.size()), b.total) << w << "x" << h << " speed " << speed;
      for (uint32_t p : b.frames.back()) ASSERT_TRUE(is_new(p)) << w << "x" << h << " speed " << speed;
    }
}

// ---- moving pictures -----------------------------------------------------------------------------

// A frame composed from plain copies: for each pixel, the picture and the place it comes from.
struct Expected {
  int32_t w, h;
  std::vector<uint32_t> px;
  Expected(int32_t w_, int32_t h_) : w(w_), h(h_), px(size_t(w_) * size_t(h_), 0) {}
  void copy(uint32_t (*pic)(int32_t, int32_t), int32_t sx, int32_t sy, int32_t cw, int32_t ch, int32_t dx, int32_t dy) {
    for (int32_t y = 0; y < ch; ++y)
      for (int32_t x = 0; x < cw; ++x) {
        const int32_t tx = dx + x, ty = dy + y;
        if (tx < 0 || ty < 0 || tx >= w || ty >= h || sx + x < 0 || sy + y < 0 || sx + x >= w || sy + y >= h) continue;
        px[size_t(ty) * size_t(w) + size_t(tx)] = pic(sx + x, sy + y);
      }
  }
  void fill(uint32_t colour, int32_t x0, int32_t y0, int32_t cw, int32_t ch) {
    for (int32_t y = std::max(y0, 0); y < std::min(y0 + ch, h); ++y)
      for (int32_t x = std::max(x0, 0); x < std::min(x0 + cw, w); ++x) px[size_t(y) * size_t(w) + size_t(x)] = colour;
  }
};

void expect_frame(const Bare& b, size_t frame, const Expected& e, const char* what) {
  for (int32_t y = 0; y < e.h; ++y)
    for (int32_t x = 0; x < e.w; ++x)
      ASSERT_EQ(b.at(frame, x, y), e.px[size_t(y) * size_t(e.w) + size_t(x)])
          << what << " frame " << frame << " at (" << x << ", " << y << ")";
}

constexpr int32_t kW = 37, kH = 23;  // odd: the halving errors show

TEST(MovingFamilies, PushesMidway) {
  for (int32_t id = 78; id <= 81; ++id) {
    const Bare b = run_bare(id, kW, kH, 5);
    ASSERT_GE(b.frames.size(), 3u);
    const size_t f = b.frames.size() / 2;
    const int32_t d = int32_t(f + 1) * 5;
    Expected e(kW, kH);
    const int32_t nx[4] = {d - kW, kW - d, 0, 0}, ny[4] = {0, 0, d - kH, kH - d};
    const int32_t ox[4] = {d, -d, 0, 0}, oy[4] = {0, 0, d, -d};
    e.copy(new_px, 0, 0, kW, kH, nx[id - 78], ny[id - 78]);
    e.copy(old_px, 0, 0, kW, kH, ox[id - 78], oy[id - 78]);
    expect_frame(b, f, e, "PUSH");
    // The last frame: new at (0, 0), old wholly outside.
    Expected last(kW, kH);
    last.copy(new_px, 0, 0, kW, kH, 0, 0);
    expect_frame(b, b.frames.size() - 1, last, "PUSH's last");
  }
}

TEST(MovingFamilies, GatesMidwayOnOddSides) {
  for (int32_t id = 74; id <= 77; ++id) {
    const bool rows = id <= 75, close = id % 2 == 1;
    const int32_t e = rows ? kH : kW, step = 2;
    const Bare b = run_bare(id, kW, kH, step);
    ASSERT_GE(b.frames.size(), 3u);
    const size_t f = b.frames.size() / 2;
    const int32_t k = int32_t(f + 1) * step;
    Expected x(kW, kH);
    // Lines [from, from + n) of a picture at line `at`.
    auto lines = [&](uint32_t (*pic)(int32_t, int32_t), int32_t from, int32_t n, int32_t at) {
      if (rows) x.copy(pic, 0, from, kW, n, 0, at);
      else x.copy(pic, from, 0, n, kH, at, 0);
    };
    if (close) {
      // The new picture's halves, e / 2 and e - e / 2 lines, close over the old one.
      const int32_t half = e / 2, t = k, b2 = e - k;
      lines(old_px, 0, e, 0);
      lines(new_px, 0, half, t - half);
      lines(new_px, half, e - half, b2);
    } else {
      // The old picture's halves part from the rounded-up middle.
      const int32_t c = e / 2 + e % 2, t = c - k, b2 = e - c + k;
      lines(new_px, 0, e, 0);
      lines(old_px, 0, e / 2, t - e / 2);
      lines(old_px, e / 2, e - e / 2, b2);
    }
    expect_frame(b, f, x, close ? "CLOSEGATE" : "OPENGATE");
  }
}

TEST(MovingFamilies, SlidesMidwayWithTheColourStrip) {
  constexpr uint32_t kColour = 0x123456;
  for (int32_t id = 101; id <= 104; ++id) {
    const bool across = id <= 102;
    const int32_t e = across ? kW : kH, step = 4;
    const Bare b = run_bare(id, kW, kH, step, int32_t(kColour));
    ASSERT_GE(b.frames.size(), 6u);
    // One frame in each half: the old picture leaving over the colour, the new one coming in.
    for (size_t f : {b.frames.size() / 4, b.frames.size() * 3 / 4}) {
      const int32_t d = int32_t(f + 1) * step;
      Expected x(kW, kH);
      x.fill(kColour, 0, 0, kW, kH);
      const bool first = d <= e;
      int32_t at = 0;
      switch (id) {
        case 101: at = first ? d : 2 * kW - d; break;
        case 102: at = first ? -d : d - 2 * kW; break;
        case 103: at = first ? d : 2 * kH - d; break;
        default: at = first ? -d : d - 2 * kH; break;
      }
      x.copy(first ? old_px : new_px, 0, 0, kW, kH, across ? at : 0, across ? 0 : at);
      expect_frame(b, f, x, "SLIDE");
    }
  }
  // RANDOMPARAMETER slides over black.
  const Bare black = run_bare(101, kW, kH, 4);
  EXPECT_EQ(black.at(0, 0, 0), 0u);
}

TEST(MovingFamilies, CardsTurnAtHalfTheOddHeight) {
  for (int32_t id : {111, 112}) {
    const bool top = id == 111;
    const int32_t step = 3;
    const Bare b = run_bare(id, kW, kH, step);
    for (size_t f = 0; f + 1 < b.frames.size(); ++f) {
      const int32_t d = int32_t(f + 1) * step, a = d < kH / 2 ? d : kH - d;
      Expected x(kW, kH);
      auto first = top ? new_px : old_px, second = top ? old_px : new_px;
      if (top == (d < kH / 2)) {
        x.copy(first, 0, a, kW, a, 0, 0);
        x.copy(second, 0, 0, kW, kH - a, 0, a);
      } else {
        x.copy(first, 0, a, kW, kH - a, 0, 0);
        x.copy(second, 0, std::max(kH - 2 * a, 0), kW, a, 0, kH - a);
      }
      expect_frame(b, f, x, top ? "CARDTOP" : "CARDBOTTOM");
    }
  }
}

TEST(MovingFamilies, StrangePushesInterlaceAtEvenSteps) {
  for (int32_t id : {99, 100}) {
    const bool columns = id == 99;
    const Bare b = run_bare(id, kW, kH, 3);  // an odd speed runs as the next even one
    EXPECT_EQ(b.step, 4);
    const int32_t e = columns ? kW : kH;
    const size_t f = b.frames.size() / 2;
    const int32_t d = int32_t(f + 1) * 4;
    ASSERT_LT(d, e);
    Expected x(kW, kH);
    x.copy(old_px, 0, 0, kW, kH, 0, 0);
    // Rows of the far part through plane 0 (its odd rows), of the near part through plane 1.
    for (int32_t y = 0; y < kH; ++y) {
      if (columns) {
        if (y % 2 == 1) x.copy(new_px, e - d, y, d, 1, 0, y);
        else x.copy(new_px, 0, y, d, 1, e - d, y);
      } else {
        const int32_t far = y + kH - d, near = y - (kH - d);
        if (y < d && far % 2 == 1) x.copy(new_px, 0, far, kW, 1, 0, y);
        if (y >= kH - d && near % 2 == 0) x.copy(new_px, 0, near, kW, 1, 0, y);
      }
    }
    expect_frame(b, f, x, columns ? "HSTRANGEPUSH" : "VSTRANGEPUSH");
  }
}

TEST(MovingFamilies, ScalingEffectsKeepTheirSides) {
  // No side below 1 on the way; the last frame is the picture unscaled; STRETCHRIGHT ends at full
  // width.
  for (int32_t id : {55, 56, 57, 58, 59, 60, 61, 62, 66, 69, 118, 119, 128, 129, 130, 131}) {
    const Bare b = run_bare(id, 200, 3, 7);
    EXPECT_EQ(int32_t(b.frames.size()), b.total) << id;
    Expected whole(200, 3);
    whole.copy(new_px, 0, 0, 200, 3, 0, 0);
    expect_frame(b, b.frames.size() - 1, whole, "the last");
  }
  // ZOOMIN's colour: RANDOMPARAMETER is black.
  const Bare zoomin = run_bare(118, kW, kH, 2);
  EXPECT_EQ(zoomin.at(0, 0, 0), 0u);
}

TEST(MovingFamilies, FlowStepsAndTheShortPicture) {
  // The step is capped at 30; a hide of an object shorter than two steps takes one frame.
  EXPECT_EQ(run_bare(70, 64, 300, 100, -1, true).step, 30);
  EXPECT_EQ(run_bare(73, 300, 64, 100, -1, true).step, 30);
  for (int32_t id = 70; id <= 73; ++id) {
    const bool rows = id <= 71;
    EXPECT_EQ(run_bare(id, rows ? 64 : 30, rows ? 30 : 64, 20, -1, true, 0, true).total, 1) << id;
  }
  // A step above the extent (10 at speed 20) starts the first band at the edge: the one frame
  // shows the picture whole.
  for (int32_t id = 70; id <= 73; ++id) {
    const bool rows = id <= 71;
    const Bare b = run_bare(id, rows ? 16 : 10, rows ? 10 : 16, 20);
    ASSERT_EQ(b.frames.size(), 1u) << id;
    EXPECT_EQ(b.step, 10) << id;
    for (int32_t y = 0; y < b.h; ++y)
      for (int32_t x = 0; x < b.w; ++x) ASSERT_EQ(b.at(0, x, y), new_px(x, y)) << id << " at " << x << ", " << y;
  }
}

TEST(MovingFamilies, TurnDownTurnsTheLargerHalfOfAnOddHeight) {
  // Past the middle the upper half is new and unscaled, the rows from m on show the new picture's
  // lower half (its m + 1 rows) squeezed into the unfolded part, and the old rest stays below.
  const int32_t m = kH / 2, step = 1;
  const Bare b = run_bare(128, kW, kH, step);
  ASSERT_EQ(int32_t(b.frames.size()), kH);
  const size_t f = size_t(kH - 2);  // d = kH - 1: all but the last row unfolded
  for (int32_t x = 0; x < kW; ++x) {
    for (int32_t y = 0; y < m; ++y) ASSERT_EQ(b.at(f, x, y), new_px(x, y));
    for (int32_t y = m; y < kH - 1; ++y) {
      const uint32_t p = b.at(f, x, y);
      ASSERT_TRUE(is_new(p) && int32_t(p & 0xFF) >= m && int32_t((p >> 8) & 0xFF) == x) << x << ", " << y;
    }
    ASSERT_EQ(b.at(f, x, kH - 1), old_px(x, kH - 1));
  }
}

}  // namespace

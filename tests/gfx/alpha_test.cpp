#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gfx/alpha.h"
#include "gfx/bitmap.h"
#include "gfx/shape.h"

namespace qm {
namespace {

int blend(int c, int n, int a) { return c + (((n - c) * a) >> 8); }

uint32_t blend11(uint32_t t, uint32_t s, int a) {  // format 11: 0xBBGGRR00
  uint32_t out = 0;
  for (int shift : {8, 16, 24})
    out |= uint32_t(blend(int((t >> shift) & 0xFF), int((s >> shift) & 0xFF), a)) << shift;
  return out;
}

TEST(AlphaBlend, EveryWeightMatchesTheChannelFormula) {
  // Rows 0..255 hold one alpha value each; rows 256..511 mix the values within every group of
  // pixels. Pixel i takes channel pair i mod 7, covering both blend directions.
  const uint32_t targets[7] = {0x00000000, 0xFFFFFF00, 0x10F08000, 0x80808080, 0x01FE7F00,
                               0xFF00FF11, 0x12345600};
  const uint32_t sources[7] = {0xFFFFFF00, 0x00000000, 0xF0108000, 0x7F817F22, 0xFE01807F,
                               0x00FF00EE, 0x65432100};
  const int32_t w = 19, ppr = 20, rows = 512;
  for (bool sse2 : {false, true}) {
    SCOPED_TRACE(sse2 ? "sse2" : "default");
    alpha_force_sse2(sse2);
    std::vector<uint32_t> src(size_t(ppr) * rows), dst(size_t(ppr) * rows);
    std::vector<uint8_t> alpha(size_t(ppr) * rows);
    auto weight = [](int r, int i) { return r < 256 ? r : (r + i * 37) & 255; };
    for (int r = 0; r < rows; ++r)
      for (int i = 0; i < w; ++i) {
        src[size_t(r * ppr + i)] = sources[i % 7];
        dst[size_t(r * ppr + i)] = targets[i % 7];
        alpha[size_t(r * ppr + i)] = uint8_t(weight(r, i));
      }
    qmAlphaBlendRequest req{src.data(), 0, 0, 0, 0, ppr, dst.data(), 0, 0, ppr, w, rows,
                            alpha.data(), ppr, PIXFMT_BGRX};
    alpha_blend_pixels(req);
    for (int r = 0; r < rows; ++r)
      for (int i = 0; i < w; ++i) {
        const int a = weight(r, i);
        const uint32_t t = targets[i % 7], s = sources[i % 7];
        const uint32_t expect = a == 0 ? t : a == 255 ? s : blend11(t, s, a);
        ASSERT_EQ(dst[size_t(r * ppr + i)], expect) << "row " << r << " pixel " << i;
      }
    // 0 leaves, 128 is the midpoint rule, 255 copies the source word exactly.
    EXPECT_EQ(dst[0], targets[0]);
    EXPECT_EQ(dst[size_t(128 * ppr)], 0x7F7F7F00u);
    EXPECT_EQ(dst[size_t(255 * ppr + 3)], sources[3]);
  }
  alpha_force_sse2(false);
}

struct Combine {
  uint32_t target[4];
  uint8_t target_alpha[4];
};

Combine run_combine(int32_t mode, const uint8_t* a8, const uint16_t* a16, const uint8_t* ta,
                    int32_t level = 255) {
  Combine c{{0x00000000, 0x00000000, 0xFFFFFF00, 0x80808000}, {0, 0, 0, 0}};
  if (ta) std::copy(ta, ta + 4, c.target_alpha);
  qmAlphaCombineRequest r{};
  r.target = c.target;
  r.target_ppr = 4;
  r.width = 4;
  r.height = 1;
  r.alpha = a8;
  r.target_alpha = ta ? c.target_alpha : nullptr;
  r.alpha_bpr = 4;
  r.target_alpha_bpr = 4;
  r.format = PIXFMT_BGRX;
  r.colour = 0xFF000000;  // blue
  r.mode = mode;
  r.level = level;
  r.alpha16 = a16;
  r.alpha16_row = 4;
  alpha_combine(r);
  return c;
}

TEST(AlphaCombine, Modes) {
  const uint8_t a[4] = {0, 255, 128, 64};
  Combine m0 = run_combine(0, a, nullptr, nullptr);
  EXPECT_EQ(m0.target[0], 0u);
  EXPECT_EQ(m0.target[1], 0xFF000000u);
  EXPECT_EQ(m0.target[2], 0xFF000000u);
  Combine m1 = run_combine(1, a, nullptr, nullptr);
  EXPECT_EQ(m1.target[0], 0u);
  EXPECT_EQ(m1.target[1], 0xFF000000u);
  EXPECT_EQ(m1.target[2], blend11(0xFFFFFF00, 0xFF000000, 128));
  EXPECT_EQ(m1.target[3], blend11(0x80808000, 0xFF000000, 64));
  // Mode 4: coverage 0..64; 64 sets, 63 weighs 252.
  const uint8_t cov[4] = {0, 64, 63, 32};
  Combine m4 = run_combine(4, cov, nullptr, nullptr);
  EXPECT_EQ(m4.target[1], 0xFF000000u);
  EXPECT_EQ(m4.target[2], blend11(0xFFFFFF00, 0xFF000000, 252));
  EXPECT_EQ(m4.target[3], blend11(0x80808000, 0xFF000000, 128));
  // Mode 2: an empty target alpha takes the colour unblended and level x a / 255; a filled one
  // blends and merges.
  const uint8_t ta[4] = {0, 0, 100, 200};
  Combine m2 = run_combine(2, a, nullptr, ta, 200);
  EXPECT_EQ(m2.target[0], 0u);
  EXPECT_EQ(m2.target_alpha[0], 0);
  EXPECT_EQ(m2.target[1], 0xFF000000u);
  EXPECT_EQ(m2.target_alpha[1], 200);
  EXPECT_EQ(m2.target[2], blend11(0xFFFFFF00, 0xFF000000, 128));
  EXPECT_EQ(m2.target_alpha[2], 200 * ((((128 - 100) * 128) >> 8) + 100) / 255);
  EXPECT_EQ(m2.target_alpha[3], 200 * ((((64 - 200) * 64) >> 8) + 200) / 255);
  // Mode 3: 16-bit source, low byte as weight, 0 leaves.
  const uint16_t a16[4] = {0, 0x1FF, 0x0180, 0x0040};
  Combine m3 = run_combine(3, nullptr, a16, ta, 255);
  EXPECT_EQ(m3.target[0], 0u);
  EXPECT_EQ(m3.target[1], 0xFF000000u);
  EXPECT_EQ(m3.target_alpha[1], uint8_t(255 * 0x1FF / 255));
  EXPECT_EQ(m3.target[2], blend11(0xFFFFFF00, 0xFF000000, 0x80));
}

// Renders plotted points as rows of alpha digits: '.' for untouched, else the opacity / 26.
std::vector<std::string> plot_rows(qmShapeState& s, int32_t w, int32_t h) {
  std::vector<std::string> rows;
  for (int32_t y = 0; y < h; ++y) {
    std::string r;
    for (int32_t x = 0; x < w; ++x) {
      const int v = s.alpha[y * s.alpha_bpr + x];
      r += v == 0xEE ? '.' : char('0' + v / 26);
    }
    rows.push_back(r);
  }
  return rows;
}

struct Canvas {
  std::vector<uint32_t> px = std::vector<uint32_t>(8 * 8, 0);
  std::vector<uint8_t> alpha = std::vector<uint8_t>(8 * 8, 0xEE);
  qmShapeState state{};
  Canvas(int32_t pen) {
    state.pixels = px.data();
    state.ppr = 8;
    state.bytes_per_pixel = 4;
    state.alpha = alpha.data();
    state.alpha_bpr = 8;
    state.format = PIXFMT_BGRX;
    state.colour = 0xFFFFFF00;
    state.opacity = state.base_opacity = 255;
    state.width = 8;
    state.height = 6;
    state.pen_width = pen;
  }
};

TEST(Lines, AntiAliasedPixelSet) {
  Canvas c(1);
  shape_aa_line(c.state, 4, 2, 0, 0);  // drawn from its left end whichever way given
  EXPECT_EQ(plot_rows(c.state, 6, 4),
            (std::vector<std::string>{"94....", "0494..", "..049.", "....0."}));
  Canvas d(1);
  shape_aa_line(d.state, 1, 0, 2, 4);  // higher than wide: two pixels side by side per row
  EXPECT_EQ(plot_rows(d.state, 4, 5),
            (std::vector<std::string>{".90.", ".72.", ".44.", ".27.", "..90"}));
  // Off the canvas nothing is written, whatever the coordinates.
  Canvas e(1);
  shape_aa_line(e.state, -100000, -3, 100000, 3);
  shape_thick_line(e.state, 2000000000, 0, -2000000000, 1);
}

TEST(Lines, ThickPixelSets) {
  struct Case { int32_t pen, x1, y1, x2, y2; std::vector<std::string> rows; } cases[] = {
      {3, 0, 2, 5, 2, {"......", "999999", "999999", "999999", "......"}},
      {2, 2, 0, 2, 3, {".99...", ".99...", ".99...", ".99...", "......"}},
      {1, 0, 0, 3, 3, {"9.....", ".9....", "..9...", "...9..", "......"}},
      {1, 0, 0, 4, 1, {"99....", "..999.", "......", "......", "......"}},
      // Starting far off the target: the same pixels as the walk from the start.
      {1, -4000000, -1000000, 4, 1, {"99....", "..999.", "......", "......", "......"}},
      {2, 3, -1000000007, 3, 1000000000, {"..99..", "..99..", "..99..", "..99..", "..99.."}},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.pen);
    Canvas c(k.pen);
    shape_thick_line(c.state, k.x1, k.y1, k.x2, k.y2);
    EXPECT_EQ(plot_rows(c.state, 6, 5), k.rows);
  }
}

TEST(Shape, PlotClipAndCoverage) {
  Canvas c(1);
  std::vector<uint8_t> mask(8 * 1, 0xFF);
  c.state.clip = 1;
  c.state.clip_x = 1;
  c.state.clip_y = 1;
  c.state.clip_width = 3;
  c.state.clip_height = 1;
  c.state.clip_mask = mask.data();
  c.state.clip_mask_bpr = 1;
  mask[0] = 0xA0;  // clip columns 0 and 2, i.e. canvas x 1 and 3
  const uint8_t cov[8] = {255, 255, 255, 255, 128, 200, 255, 255};
  c.state.base_opacity = 128;
  shape_fill_coverage(c.state, cov, 4, 2, 4, 0, 0, true);
  EXPECT_EQ(plot_rows(c.state, 5, 3), (std::vector<std::string>{".....", ".3.4.", "....."}));
}

}  // namespace
}  // namespace qm

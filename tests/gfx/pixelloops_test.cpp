#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <vector>

#include "gfx/bitmap.h"
#include "gfx/pixelloops.h"
#include "gfx/pixelops.h"

namespace qm {
namespace {

// A plain buffer of w x h words with the bitmap row rule.
struct Pixels {
  int32_t w, h, ppr;
  std::vector<uint32_t> v;
  Pixels(int32_t w_, int32_t h_, uint32_t fill = 0)
      : w(w_), h(h_), ppr(bitmap_pixels_per_row(w_)), v(size_t(ppr) * size_t(h_), fill) {}
  uint32_t& at(int32_t x, int32_t y) { return v[size_t(y) * size_t(ppr) + size_t(x)]; }
};

// Reference: the 4-connected region of non-border pixels around (x, y).
std::vector<bool> region(Pixels& p, int32_t x, int32_t y, uint32_t border) {
  std::vector<bool> in(size_t(p.w) * size_t(p.h), false);
  std::deque<std::pair<int32_t, int32_t>> q{{x, y}};
  while (!q.empty()) {
    auto [cx, cy] = q.front();
    q.pop_front();
    if (cx < 0 || cy < 0 || cx >= p.w || cy >= p.h) continue;
    const size_t k = size_t(cy) * size_t(p.w) + size_t(cx);
    if (in[k] || p.at(cx, cy) == border) continue;
    in[k] = true;
    q.insert(q.end(), {{cx + 1, cy}, {cx - 1, cy}, {cx, cy + 1}, {cx, cy - 1}});
  }
  return in;
}

TEST(FloodFill, ClosedOutlineWithWall) {
  Pixels p(16, 16, 0);
  const uint32_t border = 0x0000FF00, fill = 0xFF000000;
  for (int32_t i = 2; i <= 13; ++i) p.at(i, 2) = p.at(i, 13) = p.at(2, i) = p.at(13, i) = border;
  for (int32_t y = 3; y <= 11; ++y) p.at(7, y) = border;  // a wall with a gap at its foot
  p.at(9, 5) = border;                                    // and a lone post
  const auto expect = region(p, 4, 4, border);
  Pixels before = p;
  qmFloodFill f{p.v.data(), 16, 16, p.ppr, border, fill, 0, 0};
  ASSERT_EQ(flood_fill_span(f, 4, 4, 0xFFFFFFFF), 0);
  for (int32_t y = 0; y < 16; ++y)
    for (int32_t x = 0; x < 16; ++x) {
      SCOPED_TRACE(testing::Message() << x << "," << y);
      EXPECT_EQ(p.at(x, y), expect[size_t(y) * 16 + size_t(x)] ? fill : before.at(x, y));
    }
  EXPECT_EQ(p.at(12, 12), fill);  // reached only round the wall
  EXPECT_EQ(p.at(0, 0), 0u);
}

TEST(FloodFill, StartOnBorderOrOutsideChangesNothing) {
  Pixels p(8, 8, 0);
  const uint32_t border = 7;
  for (int32_t i = 0; i < 8; ++i) p.at(i, 3) = border;
  Pixels before = p;
  qmFloodFill f{p.v.data(), 8, 8, p.ppr, border, 9, 0, 0};
  EXPECT_EQ(flood_fill_span(f, 2, 3, 0xFFFFFFFF), 0);
  EXPECT_EQ(flood_fill_span(f, -1, 0, 0xFFFFFFFF), 0);
  EXPECT_EQ(flood_fill_span(f, 8, 0, 0xFFFFFFFF), 0);
  EXPECT_EQ(flood_fill_span(f, 0, 8, 0xFFFFFFFF), 0);
  EXPECT_EQ(p.v, before.v);
  // A sub-area: only inside it.
  qmFloodFill sub{p.v.data(), 3, 2, p.ppr, border, 9, 4, 0};
  EXPECT_EQ(flood_fill_span(sub, 5, 1, 0xFFFFFFFF), 0);
  EXPECT_EQ(p.at(4, 0), 9u);
  EXPECT_EQ(p.at(6, 1), 9u);
  EXPECT_EQ(p.at(7, 1), 0u);
  EXPECT_EQ(p.at(3, 0), 0u);
  EXPECT_EQ(p.at(5, 2), 0u);
}

TEST(FloodFill, LargeOpenAreaAndMaskedFillColour) {
  Pixels p(2000, 2000, 0);
  qmFloodFill f{p.v.data(), 2000, 2000, p.ppr, 1, 2, 0, 0};
  ASSERT_EQ(flood_fill_span(f, 1000, 1000, 0xFFFFFFFF), 0);
  size_t filled = 0;
  for (int32_t y = 0; y < 2000; ++y)
    for (int32_t x = 0; x < 2000; ++x) filled += p.at(x, y) == 2;
  EXPECT_EQ(filled, size_t(2000) * 2000);
  // The fill colour has bits the compare mask drops: filled pixels must still count as filled.
  Pixels q(64, 64, 0x00000011);
  qmFloodFill g{q.v.data(), 64, 64, q.ppr, 0xABCDEF00, 0x112233FF, 0, 0};
  ASSERT_EQ(flood_fill_span(g, 5, 5, 0xFFFFFF00), 0);
  EXPECT_EQ(q.at(63, 63), 0x112233FFu);
}

TEST(Loops, MaskFromColorAndTemplate) {
  Pixels p(9, 1, 0);
  p.at(1, 0) = 0xFF000000;  // same colour in the compared bits
  p.at(8, 0) = 0x00000001;
  uint8_t mask[2] = {0xFF, 0xFF};
  mask_from_color(p.v.data(), mask, 9, 1, 2, 0, p.ppr, 0xFFFFFF);
  EXPECT_EQ(mask[0], 0x00);
  EXPECT_EQ(mask[1], 0xFF);  // bit of pixel 8 set, spare bits untouched
}

TEST(Loops, AlphaMergeModes) {
  // s and d for four pixels: (0, 9) (100, 0) (100, 50) (255, 50).
  const uint8_t s[4] = {0, 100, 100, 255};
  struct Case { int32_t mode; uint8_t d[4]; } cases[] = {
      {0, {0, 100, 100, 255}},  {1, {9, 100, 100, 255}}, {2, {9, 155, 155, 0}},
      {3, {9, 255, 255, 255}},  {4, {9, 39, 39, 100}},   {5, {9, 0, 155, 0}},
      {6, {9, 100, 100, 100}},  {7, {0, 0, 100, 255}},   {8, {9, 0, 50, 255}},
      {9, {0, 100, 100, 255}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mode);
    uint8_t d[4] = {9, 0, 50, 50};
    alpha_merge_loop(s, 0, 0, d, 0, 0, 4, 1, 4, 4, c.mode, 100);
    EXPECT_EQ(std::memcmp(d, c.d, 4), 0) << int(d[0]) << " " << int(d[1]) << " " << int(d[2])
                                         << " " << int(d[3]);
  }
  uint8_t a[8] = {255, 128, 0, 1, 255, 255, 255, 255}, b[8];
  alpha_scale_loop(a, b, 128, 4, 2);
  EXPECT_EQ(b[0], 128);
  EXPECT_EQ(b[1], 64);
  alpha_scale_loop(a, b, 255, 4, 2);
  EXPECT_EQ(std::memcmp(a, b, 8), 0);
  uint8_t inv[4] = {0, 1, 0xF0, 0xFF};
  bytes_invert(inv, 1, 4);  // spare bytes too
  EXPECT_EQ(inv[3], 0);
  EXPECT_EQ(inv[2], 0x0F);
}

TEST(Loops, ReplaceColourChains) {
  Pixels p(3, 1, 0);
  p.at(0, 0) = 0xAA000001;  // matches 1 under the compare mask
  p.at(1, 0) = 2;
  p.at(2, 0) = 5;
  const uint32_t pairs[] = {1, 2, 2, 3, 0xFFFFFFFF, 0};
  pixels_replace_color(3, 1, pairs, p.v.data(), p.ppr, 0xFFFFFF);
  EXPECT_EQ(p.at(0, 0), 3u);
  EXPECT_EQ(p.at(1, 0), 3u);
  EXPECT_EQ(p.at(2, 0), 5u);
}

TEST(Loops, FlipMaskRowKeepsBitsBeyondWidth) {
  uint8_t mask[2] = {0x80, 0x7F};  // pixel 0 set; pixels 9..15 set beyond the width of 9
  uint8_t scratch[2];
  qmFlipRequest r{nullptr, 9, 1, 12, mask, 2, nullptr, 0, 1, 4, scratch};
  pixels_flip(r);
  EXPECT_EQ(mask[0], 0x00);
  EXPECT_EQ(mask[1], 0xFF);  // pixel 8 now set, 9..15 unchanged
}

TEST(Loops, PixelateAndThresholdSelect) {
  const uint32_t expect[3][5] = {{0, 0, 2, 2, 4}, {0, 0, 2, 2, 4}, {20, 20, 22, 22, 24}};
  // In place with an alpha plane, and into another picture without planes.
  Pixels p(5, 3, 0), plain(5, 3, 9);
  for (int32_t y = 0; y < 3; ++y)
    for (int32_t x = 0; x < 5; ++x) p.at(x, y) = uint32_t(y * 10 + x);
  qmPixelateRequest q{p.v.data(), plain.v.data(), nullptr, nullptr, nullptr, nullptr,
                      p.ppr, plain.ppr, 0, 0, 0, 0, 5, 3, 2};
  pixels_pixelate(q);
  std::vector<uint8_t> alpha(8 * 3, 7);
  qmPixelateRequest r{p.v.data(), p.v.data(), nullptr, nullptr, alpha.data(), alpha.data(),
                      p.ppr, p.ppr, 0, 0, 8, 8, 5, 3, 2};
  pixels_pixelate(r);
  for (int32_t y = 0; y < 3; ++y)
    for (int32_t x = 0; x < 5; ++x) {
      EXPECT_EQ(p.at(x, y), expect[y][x]) << x << "," << y;
      EXPECT_EQ(plain.at(x, y), expect[y][x]) << x << "," << y;
    }
  alpha[0] = 0;  // top-left sample now invisible: block size covering all clears every byte
  qmPixelateRequest all = r;
  all.block = 8;
  pixels_pixelate(all);
  EXPECT_EQ(alpha[8 * 2 + 4], 0);
  EXPECT_EQ(p.at(4, 2), 24u);

  const uint8_t map[4] = {0, 100, 200, 255};
  const uint8_t src[4] = {10, 20, 30, 40};
  uint8_t dst[4];
  qmSelectRequest sel{src, dst, 4, 1, 4, 4, map, 1, 0};
  alpha_threshold_select(sel, 0);
  EXPECT_EQ(std::memcmp(dst, "\0\0\0\0", 4), 0);
  alpha_threshold_select(sel, 256);
  EXPECT_EQ(std::memcmp(dst, src, 4), 0);
  alpha_threshold_select(sel, 200);
  EXPECT_EQ(dst[1], 20);
  EXPECT_EQ(dst[2], 0);
  sel.invert = 1;
  alpha_threshold_select(sel, 200);
  EXPECT_EQ(dst[1], 0);
  EXPECT_EQ(dst[2], 30);
}

// The mask form builds whole bytes at once: against the rule pixel by pixel at widths round a
// byte, with and without a source mask; the bits of the last byte beyond the width stay. The
// pick composes what that mask selects of the fresh picture over the old one.
TEST(Loops, ThresholdSelectAndPickMatchPixelByPixel) {
  uint32_t seed = 5;
  auto next = [&] { return seed = seed * 1103515245u + 12345u, seed >> 16; };
  for (int32_t w : {1, 7, 8, 9, 21, 64, 67}) {
    constexpr int32_t h = 3, bpr = 12;
    std::vector<uint8_t> map(size_t(w) * h), source(size_t(bpr) * h);
    for (uint8_t& v : map) v = uint8_t(next() % 255);
    for (uint8_t& v : source) v = uint8_t(next());
    for (int32_t invert = 0; invert < 2; ++invert)
      for (const bool with_source : {false, true}) {
        std::vector<uint8_t> got(size_t(bpr) * h, 0xA5), want = got;
        qmSelectRequest q{with_source ? source.data() : nullptr, got.data(), w, h, bpr, bpr, map.data(), 0, invert};
        alpha_threshold_select(q, 100);
        for (int32_t y = 0; y < h; ++y)
          for (int32_t x = 0; x < w; ++x) {
            const uint8_t m = map[size_t(y * w + x)];
            const bool on = (invert ? m >= 100 : m < 100) && (!with_source || mask_bit(&source[size_t(y * bpr)], x));
            uint8_t* row = &want[size_t(y * bpr)];
            if (on) mask_bit_set(row, x);
            else mask_bit_clear(row, x);
          }
        ASSERT_EQ(got, want) << w << " " << invert << " " << with_source;
      }
    Pixels fresh(w, h), old(w, h), out(w, h);
    for (uint32_t& p : fresh.v) p = next();
    for (uint32_t& p : old.v) p = next();
    for (const bool with_mask : {false, true}) {
      qmPickRequest q{fresh.v.data(), old.v.data(), out.v.data(), map.data(), with_mask ? source.data() : nullptr,
                      fresh.ppr, old.ppr, out.ppr, bpr, w, h};
      pixels_threshold_pick(q, 100);
      for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
          const bool on = map[size_t(y * w + x)] < 100 && (!with_mask || mask_bit(&source[size_t(y * bpr)], x));
          ASSERT_EQ(out.at(x, y), on ? fresh.at(x, y) : old.at(x, y)) << w << " " << x << "," << y;
        }
    }
  }
}

// A wave of columns equals the wave of rows on the transposed picture, transposed back: pixels
// with their alpha, and pixels with their mask bits (a mask with holes, and one that shows all
// but a few rows, whose other rows the columns copy without reading it).
TEST(Loops, WaveOfColumnsIsTheTransposedWaveOfRows) {
  constexpr int32_t w = 37, h = 23, n = 12;
  uint32_t seed = 17;
  auto next = [&] { return seed = seed * 1103515245u + 12345u, seed >> 16; };
  std::vector<double> offsets(n);
  for (int32_t i = 0; i < n; ++i) offsets[size_t(i)] = (int32_t(next() % 400) - 200) * 0.01;
  enum Visibility { kAlpha, kMaskWithHoles, kMaskNearlyFull };
  for (const Visibility visibility : {kAlpha, kMaskWithHoles, kMaskNearlyFull}) {
    const bool with_mask = visibility != kAlpha;
    Pixels src(w, h), dst(w, h, 7), tsrc(h, w), tdst(h, w, 7);
    std::vector<uint8_t> sa(size_t(w) * h), da(size_t(w) * h, 3), tsa(sa.size()), tda(sa.size(), 3);
    const int32_t mbpr = (w + 7) / 8, tmbpr = (h + 7) / 8;
    std::vector<uint8_t> sm(size_t(mbpr) * h), dm(sm.size(), 0x5A), tsm(size_t(tmbpr) * w), tdm(tsm.size(), 0);
    for (int32_t y = 0; y < h; ++y)
      for (int32_t x = 0; x < w; ++x) {
        src.at(x, y) = tsrc.at(y, x) = next();
        sa[size_t(y * w + x)] = tsa[size_t(x * h + y)] = uint8_t(next() % 3 ? next() : 0);
        const bool shown = visibility == kMaskNearlyFull ? y % 7 != 3 || x % 5 : next() % 2;
        if (shown) mask_bit_set(&sm[size_t(y * mbpr)], x), mask_bit_set(&tsm[size_t(x * tmbpr)], y);
      }
    // The transposed destination's mask starts as the destination's does.
    for (int32_t y = 0; y < h; ++y)
      for (int32_t x = 0; x < w; ++x)
        if (mask_bit(&dm[size_t(y * mbpr)], x)) mask_bit_set(&tdm[size_t(x * tmbpr)], y);
    for (int32_t position : {-3, 5, 20, 40, 50}) {
      auto run = [&](Pixels& s, Pixels& d, std::vector<uint8_t>& sal, std::vector<uint8_t>& dal, std::vector<uint8_t>& smk,
                     std::vector<uint8_t>& dmk, int32_t bpr, int32_t columns) {
        qmWaveRecord r{};
        r.source = s.v.data(), r.source_ppr = s.ppr, r.dest = d.v.data(), r.dest_ppr = d.ppr;
        if (with_mask) {
          r.source_mask = smk.data(), r.dest_mask = dmk.data(), r.source_mask_bpr = r.dest_mask_bpr = bpr;
        } else {
          r.source_alpha = sal.data(), r.dest_alpha = dal.data(), r.source_alpha_bpr = r.dest_alpha_bpr = s.w;
        }
        r.offsets = offsets.data(), r.n = n, r.width = s.w, r.height = s.h;
        r.columns = columns, r.position = position, r.bytes_per_pixel = 4;
        wave_render(r);
        return std::pair{r.lines_copied, r.first_line};
      };
      const auto by_columns = run(src, dst, sa, da, sm, dm, mbpr, 1);
      const auto by_rows = run(tsrc, tdst, tsa, tda, tsm, tdm, tmbpr, 0);
      ASSERT_EQ(by_columns, by_rows) << position;
      for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
          ASSERT_EQ(dst.at(x, y), tdst.at(y, x)) << with_mask << " " << position << " " << x << "," << y;
          if (with_mask)
            ASSERT_EQ(mask_bit(&dm[size_t(y * mbpr)], x), mask_bit(&tdm[size_t(x * tmbpr)], y)) << x << "," << y;
          else
            ASSERT_EQ(da[size_t(y * w + x)], tda[size_t(x * h + y)]) << x << "," << y;
        }
    }
  }
}

TEST(Loops, ExtendEdges) {
  Pixels p(2, 2, 0);
  p.at(0, 0) = 1, p.at(1, 0) = 2, p.at(0, 1) = 3, p.at(1, 1) = 4;
  int32_t row = 0;
  uint32_t* e = pixels_extend_edges(p.v.data(), 2, 2, p.ppr, 3, nullptr, &row);
  ASSERT_TRUE(e);
  EXPECT_EQ(row, 8);
  // n / 2 = 1 in from top and left, 2 below and right.
  const uint32_t expect[5][5] = {
      {1, 1, 2, 2, 2}, {1, 1, 2, 2, 2}, {3, 3, 4, 4, 4}, {3, 3, 4, 4, 4}, {3, 3, 4, 4, 4}};
  for (int32_t y = 0; y < 5; ++y)
    for (int32_t x = 0; x < 5; ++x) EXPECT_EQ(e[y * row + x], expect[y][x]) << x << "," << y;
  std::free(e);
  const uint8_t b[2] = {5, 6};
  uint8_t* eb = bytes_extend_edges(b, 2, 1, 4, 2, nullptr, &row);
  ASSERT_TRUE(eb);
  EXPECT_EQ(row, 4);
  EXPECT_EQ(eb[0], 5);
  EXPECT_EQ(eb[3], 6);
  EXPECT_EQ(eb[2 * row + 3], 6);
  std::free(eb);
}

}  // namespace
}  // namespace qm

namespace qm {
namespace {

TEST(Loops, MaskCopyConversionsAndUnalignedMask) {
  // Ten pixels from source column 3: the mask is read at unaligned bit positions.
  std::vector<uint32_t> src(16), dst(16, 0);
  for (uint32_t i = 0; i < 16; ++i) src[i] = 0xAABBCC00u | i;
  const uint8_t mask[2] = {0x1F, 0xE0};  // columns 3..10 set, 11.. clear
  struct Case { int32_t conversion; uint32_t (*f)(uint32_t); } cases[] = {
      {0, [](uint32_t v) { return v; }},
      {1, [](uint32_t v) { return (v & 0xFF) << 24 | 0xCCBB00u; }},  // low three bytes reversed
      {2, [](uint32_t v) { return v << 8; }},
  };
  for (const auto& c : cases) {
    std::fill(dst.begin(), dst.end(), 7u);
    mask_copy_loop(src.data(), dst.data(), mask, 3, 0, 0, 0, 10, 1, 16, 2, 16, c.conversion);
    for (int32_t i = 0; i < 10; ++i)
      EXPECT_EQ(dst[size_t(i)], i < 8 ? c.f(src[size_t(3 + i)]) : 7u) << c.conversion << " " << i;
  }
}

// Every width from 0 to past two 128-byte blocks at every start within a 32-byte line, two rows,
// both ways: the filled words and nothing around them.
TEST(Loops, FillCoversExactlyItsRectangle) {
  for (bool sse2 : {false, true}) {
    fill_force_sse2(sse2);
    alignas(32) uint32_t row[4][96];
    for (int32_t x = 0; x < 8; ++x)
      for (int32_t w = 0; w <= 80; ++w) {
        std::memset(row, 0, sizeof row);
        fill_loop(&row[0][0], 96, x, 1, w, 2, 0xA5A5A5A5u);
        for (int32_t j = 0; j < 4; ++j)
          for (int32_t i = 0; i < 96; ++i)
            ASSERT_EQ(row[j][i], (j == 1 || j == 2) && i >= x && i < x + w ? 0xA5A5A5A5u : 0u)
                << (sse2 ? "sse2 " : "") << "x " << x << " w " << w << " at " << j << "," << i;
      }
  }
  fill_force_sse2(false);
}

TEST(Loops, AlphaAndMaskPlanes) {
  // alpha_to_mask_loop: only 255 is a set source bit (the 1 counts as clear); the bits combine
  // with the mask by mode.
  const uint8_t alpha[4] = {0, 1, 255, 0};
  struct Case { int32_t mode; uint8_t expect; } cases[] = {
      {0, 0x5A}, {1, 0x52}, {2, 0x4A}, {3, 0x5A}, {4, 0x42}, {5, 0x5A}};
  for (const auto& c : cases) {
    uint8_t m = 0x52;  // 0101 0010: columns 1, 3, 6
    alpha_to_mask_loop(alpha, 0, 0, 4, &m, 2, 0, 1, 4, 1, c.mode);
    EXPECT_EQ(m, c.expect) << c.mode;
  }
  // mask_to_alpha_loop writes the value where bits are set.
  uint8_t plane[8] = {9, 9, 9, 9, 9, 9, 9, 9};
  const uint8_t bits = 0xA0;
  mask_to_alpha_loop(&bits, 0, 0, 1, plane, 1, 0, 8, 4, 1, 200);
  EXPECT_EQ(plane[1], 200);
  EXPECT_EQ(plane[2], 9);
  EXPECT_EQ(plane[3], 200);
  // clip_combine: the clip mask, read from clip column 0 on, gates the source plane read from
  // source column 1 on.
  const uint8_t clip = 0x80;         // clip column 0 only
  const uint8_t source_bits = 0x60;  // source columns 1, 2
  uint8_t scratch[2] = {0xFF, 0xFF};
  clip_combine_mask(&clip, 1, 0, 0, &source_bits, 1, 1, 0, 2, 1, scratch, 8);
  EXPECT_EQ(scratch[0], 0xDF);  // column 1 on (both set), column 2 cleared (clip off)
  uint8_t ascratch[4] = {5, 5, 5, 5};
  const uint8_t salpha[4] = {10, 20, 30, 40};
  clip_combine_alpha(&clip, 1, 0, 0, salpha, 4, 1, 0, 2, 1, ascratch, 4);
  EXPECT_EQ(ascratch[1], 20);
  EXPECT_EQ(ascratch[2], 0);
  EXPECT_EQ(ascratch[0], 5);
  // alpha_to_white and argb_extract_alpha.
  uint32_t px[4] = {1, 2, 3, 4};
  const uint8_t a2[4] = {0, 7, 0, 255};
  alpha_to_white(px, 4, 1, PIXFMT_BGRX, 4, a2, 4);
  EXPECT_EQ(px[0], 0u);
  EXPECT_EQ(px[1], 0xFFFFFF00u);
  alpha_to_white(px, 4, 1, PIXFMT_XRGB, 4, a2, 4);
  EXPECT_EQ(px[3], 0xFFFFFFu);
  const uint32_t argb[2] = {0x80123456, 0x01FFFFFF};
  uint8_t out[4] = {};
  argb_extract_alpha(argb, 2, 1, 2, out, 4);
  EXPECT_EQ(out[0], 0x80);
  EXPECT_EQ(out[1], 0x01);
}


// The shaped-clip gate against a bit-by-bit reference, over clip and source offsets that put
// the whole-byte middle part at every bit alignment, with and without a source mask.
TEST(Loops, ClipCombineMaskMatchesBitByBit) {
  uint32_t seed = 12345;
  auto next = [&] { return seed = seed * 1103515245u + 12345u, uint8_t(seed >> 16); };
  constexpr int32_t kBpr = 8, kRows = 3, kWidth = 60;
  uint8_t clip[kBpr * kRows], source[kBpr * kRows];
  for (uint8_t& b : clip) b = next();
  for (uint8_t& b : source) b = next();
  for (int32_t with_source = 0; with_source < 2; ++with_source)
    for (int32_t cx = 0; cx < 9; ++cx)
      for (int32_t sx = 0; sx < 9; ++sx) {
        const int32_t w = 40, h = 2;
        uint8_t got[kBpr * kRows], want[kBpr * kRows];
        std::memset(got, 0xA5, sizeof got);
        std::memcpy(want, got, sizeof want);
        const uint8_t* s = with_source ? source : nullptr;
        clip_combine_mask(clip, kBpr, cx, 1, s, kBpr, sx, 1, w, h, got, kWidth);
        const int32_t bpr = mask_bytes_per_row(kWidth);
        for (int32_t j = 0; j < h; ++j)
          for (int32_t i = 0; i < w; ++i) {
            const bool on = mask_bit(clip + (1 + j) * kBpr, cx + i) && (!s || mask_bit(s + (1 + j) * kBpr, sx + i));
            if (on) mask_bit_set(want + (1 + j) * bpr, sx + i);
            else mask_bit_clear(want + (1 + j) * bpr, sx + i);
          }
        ASSERT_EQ(std::memcmp(got, want, sizeof got), 0) << "clip x " << cx << ", source x " << sx;
      }
}

}  // namespace
}  // namespace qm

namespace qm {
namespace {

// The masked copy against a bit-by-bit reference on shape-like masks (long runs of set and clear
// bytes, ragged bytes between them), at every bit alignment of the mask and for each conversion.
TEST(Loops, MaskCopyMatchesBitByBit) {
  uint32_t seed = 777;
  auto next = [&] { return seed = seed * 1103515245u + 12345u, seed >> 16; };
  constexpr int32_t kWidth = 300, kRows = 4, kBpr = kWidth / 8 + 2;
  std::vector<uint8_t> mask(size_t(kBpr) * kRows);
  for (size_t k = 0; k < mask.size();) {
    const uint32_t kind = next() % 3, run = 1 + next() % 24;
    for (uint32_t r = 0; r < run && k < mask.size(); ++r, ++k)
      mask[k] = kind == 0 ? 0x00 : kind == 1 ? 0xFF : uint8_t(next());
  }
  std::vector<uint32_t> src(size_t(kWidth) * kRows);
  for (uint32_t& p : src) p = next() << 16 | next();
  for (int32_t conversion = 0; conversion < 3; ++conversion)
    for (int32_t sx = 0; sx < 9; ++sx) {
      const int32_t w = kWidth - 9, h = kRows;
      std::vector<uint32_t> got(src.size(), 0x5A5A5A5Au), want = got;
      mask_copy_loop(src.data(), got.data(), mask.data(), sx, 0, 0, 0, w, h, kWidth, kBpr, kWidth, conversion);
      for (int32_t j = 0; j < h; ++j)
        for (int32_t i = 0; i < w; ++i) {
          if (!mask_bit(mask.data() + j * kBpr, sx + i)) continue;
          const uint32_t v = src[size_t(j * kWidth + sx + i)];
          want[size_t(j * kWidth + i)] =
              conversion == 0 ? v : conversion == 1 ? __builtin_bswap32(v) & 0xFFFFFF00u : v << 8;
        }
      ASSERT_EQ(got, want) << "conversion " << conversion << ", source x " << sx;
    }
}

// Plain copies at every width up to past the wide loop and every destination alignment: exactly
// the rectangle changes, also where the row's wide moves overlap at its ends; so too for a copy
// past 1 MiB, which reads a source 16 bytes off the stores in halves; a copy within one bitmap
// whose rows overlap reads the old pixels.
TEST(Loops, CopyRowsAtEveryWidthAndAlignment) {
  constexpr int32_t kPpr = 96, kRows = 3;
  std::vector<uint32_t> src(size_t(kPpr) * kRows);
  for (size_t i = 0; i < src.size(); ++i) src[i] = uint32_t(i * 2654435761u);
  for (int32_t w = 1; w <= 80; ++w)
    for (int32_t dx = 0; dx < 8; ++dx) {
      std::vector<uint32_t> got(src.size(), 0x5A5A5A5Au), want = got;
      copy_loop(src.data(), got.data(), 3, 0, dx, 1, w, 2, kPpr, kPpr, 0);
      for (int32_t j = 0; j < 2; ++j)
        for (int32_t i = 0; i < w; ++i) want[size_t((1 + j) * kPpr + dx + i)] = src[size_t(j * kPpr + 3 + i)];
      ASSERT_EQ(got, want) << "width " << w << ", destination x " << dx;
    }
  constexpr int32_t kBigPpr = 1040, kBigW = 1029, kBigH = 258;  // 265,482 pixels
  std::vector<uint32_t> big(size_t(kBigPpr) * (kBigH + 1));
  for (size_t i = 0; i < big.size(); ++i) big[i] = uint32_t(i * 2654435761u);
  for (int32_t dx = 0; dx < 8; ++dx) {
    std::vector<uint32_t> got(big.size(), 0x5A5A5A5Au), want = got;
    copy_loop(big.data(), got.data(), 3, 0, dx, 1, kBigW, kBigH, kBigPpr, kBigPpr, 0);
    for (int32_t j = 0; j < kBigH; ++j)
      for (int32_t i = 0; i < kBigW; ++i)
        want[size_t((1 + j) * kBigPpr + dx + i)] = big[size_t(j * kBigPpr + 3 + i)];
    ASSERT_EQ(got, want) << "large copy, destination x " << dx;
  }
  std::vector<uint32_t> self = src, want = src;
  copy_loop(self.data(), self.data(), 0, 0, 5, 1, 64, 2, kPpr, kPpr, 0);
  for (int32_t j = 1; j >= 0; --j)
    for (int32_t i = 63; i >= 0; --i) want[size_t((1 + j) * kPpr + 5 + i)] = src[size_t(j * kPpr + i)];
  EXPECT_EQ(self, want);
}

}  // namespace
}  // namespace qm

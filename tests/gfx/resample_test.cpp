#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>
#include <tuple>
#include <vector>

#include "engine/errcodes.h"
#include "gfx/bitmap.h"
#include "gfx/pixelops.h"
#include "gfx/polygon.h"
#include "gfx/scale.h"
#include "gfx/transform.h"
#include "gfx_test_util.h"

namespace qm {
namespace {

using test::AlphaPtr;
using test::BitmapPtr;
using test::MaskPtr;
using test::pixel;

// A grey value v in every channel of a format 11 word, with junk in the alpha slot.
uint32_t grey(uint32_t v) { return v << 24 | v << 16 | v << 8 | 0x5A; }

TEST(Scale, BilinearTwoByTwoToFourByFour) {
  BitmapPtr src(qmos_alloc_bitmap(2, 2));
  *pixel(src.get(), 0, 0) = grey(0);
  *pixel(src.get(), 1, 0) = grey(255);
  *pixel(src.get(), 0, 1) = grey(100);
  *pixel(src.get(), 1, 1) = grey(200);
  qmBitmap* out = nullptr;
  ASSERT_EQ(bitmap_draw(src.get(), nullptr, nullptr, 0, 0, nullptr, 2, 2, 4, 4, 1, &out, nullptr,
                        nullptr),
            0);
  BitmapPtr dst(out);
  const uint32_t expect[4][4] = {
      {0, 63, 127, 191}, {25, 78, 132, 187}, {50, 94, 138, 183}, {75, 109, 144, 179}};
  for (int32_t y = 0; y < 4; ++y)
    for (int32_t x = 0; x < 4; ++x)
      EXPECT_EQ(*pixel(dst.get(), x, y), grey(expect[y][x]) & 0xFFFFFF00u) << x << "," << y;
}

TEST(Scale, NearestPicksTheSourcePixelUnderEachCorner) {
  // No picks: the source pixel under each destination pixel's corner, i * from / to (sizes
  // whose products never land near a whole number, wide enough for the loop's long steps).
  struct Case { int32_t from, to; std::vector<int32_t> picks; } cases[] = {
      {3, 7, {0, 0, 0, 1, 1, 2, 2}}, {7, 3, {0, 2, 4}}, {5, 5, {0, 1, 2, 3, 4}}, {40, 17, {}}, {9, 23, {}}};
  for (auto& c : cases) {
    for (int32_t i = int32_t(c.picks.size()); i < c.to; ++i) c.picks.push_back(i * c.from / c.to);
    SCOPED_TRACE(testing::Message() << c.from << " -> " << c.to);
    BitmapPtr src(qmos_alloc_bitmap(c.from, c.from));
    for (int32_t y = 0; y < c.from; ++y)
      for (int32_t x = 0; x < c.from; ++x) *pixel(src.get(), x, y) = uint32_t(y * 64 + x) << 8;
    qmBitmap* out = nullptr;
    ASSERT_EQ(bitmap_draw(src.get(), nullptr, nullptr, 0, 0, nullptr, c.from, c.from, c.to, c.to,
                          0, &out, nullptr, nullptr),
              0);
    BitmapPtr dst(out);
    for (int32_t y = 0; y < c.to; ++y)
      for (int32_t x = 0; x < c.to; ++x)
        EXPECT_EQ(*pixel(dst.get(), x, y), uint32_t(c.picks[y] * 64 + c.picks[x]) << 8);
  }
  // Only the height changes (the rows are copied as they stand), from column 2 of the source.
  BitmapPtr src(qmos_alloc_bitmap(13, 7));
  for (int32_t y = 0; y < 7; ++y)
    for (int32_t x = 0; x < 13; ++x) *pixel(src.get(), x, y) = uint32_t(y * 64 + x) << 8;
  for (const int32_t to : {3, 16}) {
    qmBitmap* out = nullptr;
    ASSERT_EQ(bitmap_draw(src.get(), nullptr, nullptr, 2, 0, nullptr, 11, 7, 11, to, 0, &out, nullptr, nullptr), 0);
    BitmapPtr dst(out);
    for (int32_t y = 0; y < to; ++y)
      for (int32_t x = 0; x < 11; ++x) EXPECT_EQ(*pixel(dst.get(), x, y), uint32_t(y * 7 / to * 64 + x + 2) << 8) << to;
  }
}

// A part of a nearest-neighbour copy drawn into a bitmap at a place of its own is that part of the
// whole copy, pixel for pixel, and nothing around it changes.
TEST(Scale, NearestPartIsThatPartOfTheWholeCopy) {
  BitmapPtr src(qmos_alloc_bitmap(41, 29));
  for (int32_t y = 0; y < 29; ++y)
    for (int32_t x = 0; x < 41; ++x) *pixel(src.get(), x, y) = uint32_t(y * 64 + x) << 8;
  struct Case { int32_t x, y, w, h, nw, nh, cx, cy, cw, ch, tx, ty; } cases[] = {
      {0, 0, 41, 29, 17, 11, 0, 0, 17, 11, 3, 2},   // shrunk, whole
      {0, 0, 41, 29, 17, 11, 5, 4, 9, 6, 0, 0},     // shrunk, an inner part
      {3, 2, 30, 20, 77, 53, 60, 40, 17, 13, 1, 1},  // enlarged: rows repeat, the part ends at the corner
      {1, 1, 39, 27, 39, 50, 7, 13, 20, 30, 4, 5},   // the width kept: rows copied from column 7 on
      {0, 0, 41, 29, 90, 29, 81, 0, 9, 29, 0, 0},    // the height kept
      {10, 10, 1, 1, 5, 3, 4, 2, 1, 1, 0, 0},        // one pixel
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.nw << "x" << c.nh << " part " << c.cx << "," << c.cy);
    qmBitmap* whole = nullptr;
    ASSERT_EQ(bitmap_draw(src.get(), nullptr, nullptr, c.x, c.y, nullptr, c.w, c.h, c.nw, c.nh, 0, &whole, nullptr,
                          nullptr),
              0);
    BitmapPtr expect(whole);
    BitmapPtr dst(qmos_alloc_bitmap(c.cw + c.tx + 3, c.ch + c.ty + 2));
    for (int32_t y = 0; y < dst->height; ++y)
      for (int32_t x = 0; x < dst->width; ++x) *pixel(dst.get(), x, y) = 0x11u;
    ASSERT_EQ(bitmap_draw_part(src.get(), c.x, c.y, c.w, c.h, c.nw, c.nh, c.cx, c.cy, c.cw, c.ch, dst.get(), c.tx,
                               c.ty),
              0);
    for (int32_t y = 0; y < dst->height; ++y)
      for (int32_t x = 0; x < dst->width; ++x) {
        const bool in = x >= c.tx && y >= c.ty && x < c.tx + c.cw && y < c.ty + c.ch;
        ASSERT_EQ(*pixel(dst.get(), x, y), in ? *pixel(expect.get(), c.cx + x - c.tx, c.cy + y - c.ty) : 0x11u)
            << x << "," << y;
      }
  }
  // Refused, with nothing written: a rectangle outside the source, a part outside the copy, a part
  // past the target's edge.
  BitmapPtr dst(qmos_alloc_bitmap(10, 10));
  for (auto [x, w, cx, cw, tx] : {std::tuple{-1, 10, 0, 5, 0}, std::tuple{35, 7, 0, 5, 0}, std::tuple{0, 10, 6, 5, 0},
                                  std::tuple{0, 10, 0, 0, 0}, std::tuple{0, 10, 0, 5, 6}})
    EXPECT_EQ(bitmap_draw_part(src.get(), x, 0, w, 10, 10, 10, cx, 0, cw, 5, dst.get(), tx, 0), ERR_WRONGUSAGE)
        << x << " " << w << " " << cx << " " << cw << " " << tx;
}

// A copy made into planes kept from before, larger than the copy and full of other bits, is the
// copy bitmap_draw makes into new planes: pixels, mask bits and alpha bytes, by nearest
// neighbour and bilinear.
TEST(Scale, CopyIntoKeptPlanesIsTheCopyIntoNewOnes) {
  BitmapPtr src(qmos_alloc_bitmap(23, 17));
  MaskPtr mask(qmos_alloc_mask(23, 17, 0));
  AlphaPtr alpha(qmos_alloc_alpha(23, 17, 0));
  for (int32_t y = 0; y < 17; ++y)
    for (int32_t x = 0; x < 23; ++x) {
      *pixel(src.get(), x, y) = uint32_t(y * 64 + x) << 8;
      qmos_write_pixel(mask.get(), x, y, (x * 7 + y * 3) % 5 < 2 ? MASKVISIBLE : MASKINVISIBLE);
      alpha->data[y * alpha->bytes_per_row + x] = uint8_t(x * 11 + y);
    }
  BitmapPtr kept(qmos_alloc_bitmap(64, 48));
  MaskPtr kept_mask(qmos_alloc_mask(64, 48, 0));
  AlphaPtr kept_alpha(qmos_alloc_alpha(64, 48, 0));
  struct Case { int32_t x, y, w, h, nw, nh, interpolate; } cases[] = {
      {0, 0, 23, 17, 9, 5, 0}, {2, 1, 20, 15, 61, 47, 0}, {0, 0, 23, 17, 13, 40, 1}, {5, 5, 1, 1, 3, 2, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.nw << "x" << c.nh << " interpolate " << c.interpolate);
    qmBitmap* nb = nullptr;
    qmMask* nm = nullptr;
    qmAlphaChannel* na = nullptr;
    ASSERT_EQ(bitmap_draw(src.get(), mask.get(), nullptr, c.x, c.y, nullptr, c.w, c.h, c.nw, c.nh, c.interpolate,
                          &nb, &nm, nullptr),
              0);
    ASSERT_EQ(bitmap_draw(src.get(), nullptr, alpha.get(), c.x, c.y, nullptr, c.w, c.h, c.nw, c.nh, c.interpolate,
                          nullptr, nullptr, &na),
              0);
    BitmapPtr new_bitmap(nb);
    MaskPtr new_mask(nm);
    AlphaPtr new_alpha(na);
    std::memset(kept->pixels, 0x5A, size_t(kept->bytes_per_row) * 48);
    std::memset(kept_mask->data, 0xFF, size_t(kept_mask->bytes_per_row) * 48);
    std::memset(kept_alpha->data, 0x5A, size_t(kept_alpha->bytes_per_row) * 48);
    ASSERT_EQ(bitmap_draw_into(src.get(), mask.get(), nullptr, c.x, c.y, c.w, c.h, c.nw, c.nh, c.interpolate,
                               kept.get(), kept_mask.get(), nullptr),
              0);
    ASSERT_EQ(bitmap_draw_into(src.get(), nullptr, alpha.get(), c.x, c.y, c.w, c.h, c.nw, c.nh, c.interpolate,
                               kept.get(), nullptr, kept_alpha.get()),
              0);
    for (int32_t y = 0; y < c.nh; ++y)
      for (int32_t x = 0; x < c.nw; ++x) {
        ASSERT_EQ(*pixel(kept.get(), x, y), *pixel(new_bitmap.get(), x, y)) << x << "," << y;
        ASSERT_EQ(qmos_read_pixel(kept_mask.get(), x, y), qmos_read_pixel(new_mask.get(), x, y)) << x << "," << y;
        ASSERT_EQ(kept_alpha->data[y * kept_alpha->bytes_per_row + x], new_alpha->data[y * new_alpha->bytes_per_row + x])
            << x << "," << y;
      }
  }
  // Refused: a mask or alpha plane without its target, a target smaller than the copy, a rectangle
  // outside the source.
  EXPECT_EQ(bitmap_draw_into(src.get(), mask.get(), nullptr, 0, 0, 23, 17, 9, 5, 0, kept.get(), nullptr, nullptr),
            ERR_WRONGUSAGE);
  EXPECT_EQ(bitmap_draw_into(src.get(), nullptr, alpha.get(), 0, 0, 23, 17, 9, 5, 0, kept.get(), nullptr, nullptr),
            ERR_WRONGUSAGE);
  EXPECT_EQ(bitmap_draw_into(src.get(), mask.get(), nullptr, 0, 0, 23, 17, 65, 5, 0, kept.get(), kept_mask.get(),
                             nullptr),
            ERR_WRONGUSAGE);
  EXPECT_EQ(bitmap_draw_into(src.get(), nullptr, nullptr, 1, 0, 23, 17, 9, 5, 0, kept.get(), nullptr, nullptr),
            ERR_WRONGUSAGE);
}

// The bilinear rule written out plainly, per channel, for one format 11 source.
uint32_t bilinear_reference(const qmBitmap* src, int32_t sw, int32_t sh, int32_t dw, int32_t dh,
                            int32_t x, int32_t y) {
  const int32_t xs = int32_t(double(int64_t(sw - 1) << 16) / dw);
  const int32_t ys = int32_t(double(int64_t(sh - 1) << 16) / dh);
  const int64_t px = int64_t(xs) * x, py = int64_t(ys) * y;
  const int32_t c = int32_t(px >> 16), r = int32_t(py >> 16);
  const int32_t fx = int32_t(px & 0xFFFF), fy = int32_t(py & 0xFFFF);
  const int32_t c1 = sw > 1 ? c + 1 : c, r1 = sh > 1 ? r + 1 : r;
  const int32_t ppr = src->bytes_per_row / 4;
  auto p = [&](int32_t cx, int32_t cy) { return src->pixels[cy * ppr + cx]; };
  uint32_t out = 0;
  for (int shift : {8, 16, 24}) {
    auto ch = [&](uint32_t w) { return int32_t((w >> shift) & 0xFF); };
    const int32_t top = ch(p(c, r)) + (((ch(p(c1, r)) - ch(p(c, r))) * fx) >> 16);
    const int32_t bottom = ch(p(c, r1)) + (((ch(p(c1, r1)) - ch(p(c, r1))) * fx) >> 16);
    out |= uint32_t((top + (((bottom - top) * fy) >> 16)) & 255) << shift;
  }
  return out;
}

TEST(Scale, BilinearMatchesTheRuleAtOddSizes) {
  struct Case { int32_t sw, sh, dw, dh; } cases[] = {
      {7, 5, 4, 3}, {5, 3, 11, 9}, {9, 9, 5, 7}, {33, 17, 20, 31}, {2, 40, 3, 13}, {40, 2, 1, 9},
      // Downscales whose rows are read by one destination row alone, or by two.
      {61, 97, 13, 23}, {90, 50, 22, 17}, {35, 35, 21, 20}};
  for (bool sse2 : {false, true}) {
    scale_force_sse2(sse2);
    for (const auto& c : cases) {
      SCOPED_TRACE(testing::Message() << c.sw << "x" << c.sh << " -> " << c.dw << "x" << c.dh
                                      << (sse2 ? " sse2" : ""));
      BitmapPtr src(qmos_alloc_bitmap(c.sw, c.sh));
      for (int32_t y = 0; y < c.sh; ++y)
        for (int32_t x = 0; x < c.sw; ++x)
          *pixel(src.get(), x, y) = uint32_t((x * 73 + y * 151) & 0xFF) << 24 |
                                    uint32_t((x * y * 37 + 11) & 0xFF) << 16 |
                                    uint32_t((255 - x * 29 - y * 3) & 0xFF) << 8 | 0x77;
      BitmapPtr dst(qmos_alloc_bitmap(c.dw, c.dh));
      ASSERT_EQ(bitmap_draw(src.get(), nullptr, nullptr, 0, 0, dst.get(), c.sw, c.sh, c.dw, c.dh, 1,
                            nullptr, nullptr, nullptr),
                0);
      for (int32_t y = 0; y < c.dh; ++y)
        for (int32_t x = 0; x < c.dw; ++x)
          ASSERT_EQ(*pixel(dst.get(), x, y), bilinear_reference(src.get(), c.sw, c.sh, c.dw, c.dh, x, y))
              << x << "," << y;
    }
  }
  scale_force_sse2(false);
}

TEST(Scale, OnePixelWideSourceRepeatsItsColumn) {
  BitmapPtr src(qmos_alloc_bitmap(1, 2));
  *pixel(src.get(), 0, 0) = grey(10) & ~0xFFu;
  *pixel(src.get(), 0, 1) = grey(90) & ~0xFFu;
  BitmapPtr dst(qmos_alloc_bitmap(5, 2));
  ASSERT_EQ(bitmap_draw(src.get(), nullptr, nullptr, 0, 0, dst.get(), 1, 2, 5, 2, 1, nullptr,
                        nullptr, nullptr),
            0);
  for (int32_t x = 0; x < 5; ++x) {
    EXPECT_EQ(*pixel(dst.get(), x, 0), grey(10) & ~0xFFu);
    EXPECT_EQ(*pixel(dst.get(), x, 1), grey(50) & ~0xFFu);  // halfway down: 10 + 80 / 2
  }
}

TEST(Scale, PlanesAndRequests) {
  MaskPtr mask(qmos_alloc_mask(4, 2, 1));
  mask->data[0] = 0x50;  // columns 1 and 3 of row 0
  qmBitmap* bm = reinterpret_cast<qmBitmap*>(1);
  qmMask* m = nullptr;
  // Only a mask: a new mask, no bitmap.
  ASSERT_EQ(bitmap_draw(nullptr, mask.get(), nullptr, 1, 0, nullptr, 3, 2, 6, 2, 0, &bm, &m,
                        nullptr),
            0);
  EXPECT_EQ(bm, nullptr);
  MaskPtr scaled(m);
  ASSERT_TRUE(scaled);
  // Source columns 1,1,2,2,3,3: bits 1 1 0 0 1 1; the two spare bits are not written.
  EXPECT_EQ(scaled->data[0] & 0xFC, 0xCC);
  EXPECT_EQ(scaled->data[1] & 0xFC, 0x00);

  // A new size of 0 x 10 makes nothing and writes no out-parameter.
  qmBitmap* untouched = reinterpret_cast<qmBitmap*>(1);
  EXPECT_EQ(bitmap_draw(nullptr, mask.get(), nullptr, 0, 0, nullptr, 4, 2, 0, 10, 0, &untouched,
                        nullptr, nullptr),
            0);
  EXPECT_EQ(untouched, reinterpret_cast<qmBitmap*>(1));

  // Only an alpha plane: scaled, not left uninitialised.
  AlphaPtr alpha(qmos_alloc_alpha(2, 1, 1));
  alpha->data[0] = 10;
  alpha->data[1] = 200;
  qmAlphaChannel* a = nullptr;
  for (int32_t interpolate : {0, 1}) {
    ASSERT_EQ(bitmap_draw(nullptr, nullptr, alpha.get(), 0, 0, nullptr, 2, 1, 4, 1, interpolate,
                          nullptr, nullptr, &a),
              0);
    AlphaPtr sa(a);
    if (interpolate) {
      const uint8_t expect[4] = {10, 57, 105, 152};
      EXPECT_EQ(std::memcmp(sa->data, expect, 4), 0);
    } else {
      const uint8_t expect[4] = {10, 10, 200, 200};
      EXPECT_EQ(std::memcmp(sa->data, expect, 4), 0);
    }
  }
  // A mask and an alpha plane together: each is scaled as it is alone, in both modes.
  MaskPtr row_mask(qmos_alloc_mask(2, 1, 1));
  row_mask->data[0] = 0x40;  // column 1
  for (int32_t interpolate : {0, 1}) {
    qmMask* lone_m = nullptr;
    qmMask* both_m = nullptr;
    qmAlphaChannel* lone_a = nullptr;
    qmAlphaChannel* both_a = nullptr;
    ASSERT_EQ(bitmap_draw(nullptr, row_mask.get(), nullptr, 0, 0, nullptr, 2, 1, 4, 1, interpolate, nullptr,
                          &lone_m, nullptr),
              0);
    ASSERT_EQ(bitmap_draw(nullptr, nullptr, alpha.get(), 0, 0, nullptr, 2, 1, 4, 1, interpolate, nullptr, nullptr,
                          &lone_a),
              0);
    ASSERT_EQ(bitmap_draw(nullptr, row_mask.get(), alpha.get(), 0, 0, nullptr, 2, 1, 4, 1, interpolate, nullptr,
                          &both_m, &both_a),
              0);
    MaskPtr m1(lone_m), m2(both_m);
    AlphaPtr a1(lone_a), a2(both_a);
    EXPECT_EQ(m2->data[0] & 0xF0, m1->data[0] & 0xF0) << "interpolate " << interpolate;
    EXPECT_EQ(std::memcmp(a2->data, a1->data, 4), 0) << "interpolate " << interpolate;
  }

  // A rectangle outside the source, or a target too small, is refused before any work.
  BitmapPtr src(qmos_alloc_bitmap(4, 4)), small(qmos_alloc_bitmap(2, 2));
  EXPECT_EQ(bitmap_draw(src.get(), nullptr, nullptr, 2, 0, nullptr, 3, 4, 8, 8, 0, &bm, nullptr,
                        nullptr),
            ERR_WRONGUSAGE);
  EXPECT_EQ(bitmap_draw(src.get(), nullptr, nullptr, -1, 0, nullptr, 2, 2, 8, 8, 1, &bm, nullptr,
                        nullptr),
            ERR_WRONGUSAGE);
  EXPECT_EQ(bitmap_draw(src.get(), nullptr, nullptr, 0, 0, small.get(), 4, 4, 3, 3, 0, nullptr,
                        nullptr, nullptr),
            ERR_WRONGUSAGE);
  // Growing and shrinking the tables across calls.
  for (int32_t n : {3, 9, 5, 17}) {
    qmBitmap* o = nullptr;
    ASSERT_EQ(bitmap_draw(src.get(), nullptr, nullptr, 0, 0, nullptr, 4, 4, n, n, 1, &o, nullptr,
                          nullptr),
              0);
    qmos_free_bitmap(o);
  }
  effects_free_buffers();
}

TEST(Scale, LargeUpscaleStaysInsideTheSource) {
  // Many rows of float sums: the last destination row must not read past the source.
  BitmapPtr src(qmos_alloc_bitmap(3, 3));
  qmos_fill_bitmap_rect(src.get(), 0, 0, 3, 3, 0x808080);
  BitmapPtr dst(qmos_alloc_bitmap(1, 20000));
  ASSERT_EQ(bitmap_draw(src.get(), nullptr, nullptr, 0, 0, dst.get(), 1, 3, 1, 20000, 0, nullptr,
                        nullptr, nullptr),
            0);
  EXPECT_EQ(qmos_read_pixel(dst.get(), 0, 19999), 0x808080u);
}

TEST(Transform, CornersGiveTheExtent) {
  const double turn[4] = {0, 1, -1, 0};
  int32_t w, h;
  double mx, my;
  rect_transform_corners(turn, 10, 4, &w, &h, &mx, &my);
  EXPECT_EQ(w, 4);
  EXPECT_EQ(h, 10);
  EXPECT_EQ(mx, -4.0);
  EXPECT_EQ(my, 0.0);
  const double nan[4] = {0.0 / 0.0, 0, 0, 1};
  rect_transform_corners(nan, 10, 4, &w, &h, nullptr, nullptr);
  EXPECT_EQ(w, 0);
}

std::vector<std::string> mask_rows(const uint8_t* data, int32_t bpr, int32_t w, int32_t h) {
  std::vector<std::string> rows;
  for (int32_t y = 0; y < h; ++y) {
    std::string r;
    for (int32_t x = 0; x < w; ++x) r += mask_bit(data + y * bpr, x) ? '#' : '.';
    rows.push_back(r);
  }
  return rows;
}

TEST(Polygon, RectangleConcaveAndTriangle) {
  struct Case {
    std::vector<qmPoint> points;
    std::vector<std::string> rows;
  } cases[] = {
      {{{0, 0}, {4, 0}, {4, 2}, {0, 2}}, {"#####....", "#####....", "#####....", "........."}},
      {{{0, 0}, {8, 0}, {8, 4}, {6, 4}, {6, 2}, {2, 2}, {2, 4}, {0, 4}},
       {"#########", "#########", "###...###", "###...###", "###...###"}},
      {{{0, 0}, {8, 8}, {0, 8}},
       {"#........", "##.......", "###......", "####.....", "#####....", "######...", "#######..",
        "########.", "#########"}},
  };
  for (const auto& c : cases) {
    std::vector<uint8_t> mask(2 * 9, 0);
    std::vector<int32_t> scratch(c.points.size());
    plane_fill_polygon(mask.data(), 2, scratch.data(), c.points.data(), int32_t(c.points.size()));
    EXPECT_EQ(mask_rows(mask.data(), 2, 9, int32_t(c.rows.size())), c.rows);
  }
}

}  // namespace
}  // namespace qm

namespace qm {
namespace {

struct TransformCase {
  std::vector<uint32_t> src = std::vector<uint32_t>(8 * 3);
  std::vector<uint8_t> smask = std::vector<uint8_t>(1 * 3);
  std::vector<uint8_t> salpha = std::vector<uint8_t>(8 * 3);
  std::vector<uint32_t> dst = std::vector<uint32_t>(8 * 3, 0xEEEEEE00);
  std::vector<uint8_t> dmask = std::vector<uint8_t>(1 * 3, 0x00);
  std::vector<uint8_t> dalpha = std::vector<uint8_t>(8 * 3, 0xEE);
  double block[6] = {1, 0, 0, 1, 0, 0};
  qmTransformJob job{};
  TransformCase() {
    for (int32_t i = 0; i < 24; ++i) src[size_t(i)] = uint32_t(i + 1) << 8;
    smask = {0xA0, 0x50, 0xF0};  // 1010 / 0101 / 1111 over 4 columns
    for (int32_t i = 0; i < 24; ++i) salpha[size_t(i)] = uint8_t(i * 10);
    job.source = src.data();
    job.dest = dst.data();
    job.source_width = 4;
    job.source_height = 3;
    job.source_ppr = 8;
    job.dest_width = 4;
    job.dest_height = 3;
    job.dest_ppr = 8;
    job.dest_mask = dmask.data();
    job.source_mask_bpr = job.dest_mask_bpr = 1;
    job.dest_alpha = dalpha.data();
    job.source_alpha_bpr = job.dest_alpha_bpr = 8;
    job.transform = block;
    job.format = PIXFMT_BGRX;
    job.bytes_per_pixel = 4;
  }
};

TEST(Transform, IdentityCopiesPixelsAndPlanes) {
  for (int32_t smooth : {0, 1}) {
    SCOPED_TRACE(smooth);
    TransformCase m;
    m.job.source_mask = m.smask.data();
    m.job.smooth = smooth;
    transform_pixels(m.job);
    for (int32_t y = 0; y < 3; ++y) {
      for (int32_t x = 0; x < 4; ++x) {
        const bool on = mask_bit(&m.smask[size_t(y)], x);
        EXPECT_EQ(mask_bit(&m.dmask[size_t(y)], x), on) << x << "," << y;
        // With smoothing a pixel whose own bit is clear takes a visible neighbour's colour.
        if (!smooth || on) {
          EXPECT_EQ(m.dst[size_t(y * 8 + x)], m.src[size_t(y * 8 + x)]);
        }
      }
    }
    TransformCase a;
    a.job.source_alpha = a.salpha.data();
    a.job.smooth = smooth;
    transform_pixels(a.job);
    for (int32_t y = 0; y < 3; ++y)
      for (int32_t x = 0; x < 4; ++x) {
        EXPECT_EQ(a.dalpha[size_t(y * 8 + x)], a.salpha[size_t(y * 8 + x)]);
        if (a.salpha[size_t(y * 8 + x)]) {
          EXPECT_EQ(a.dst[size_t(y * 8 + x)], a.src[size_t(y * 8 + x)]);
        }
      }
    EXPECT_EQ(a.dmask[0], 0x00);  // an alpha source leaves the mask alone
  }
}

// The smooth loop's four-pixel path against its one-pixel path: random pictures, odd sizes and
// padded rows, turns, mirrors, shears and scales, every 32-bit format, with and without planes.
TEST(Transform, SmoothFourPixelPathMatchesThePixelLoop) {
  std::mt19937 rng(26);
  struct Case { int32_t w, h; double m[4]; double tx, ty; int32_t format; };
  const double c = std::cos(0.5236), s = std::sin(0.5236);
  const Case cases[] = {
      {37, 29, {c, s, -s, c}, 15.3, 0.25, PIXFMT_BGRX},
      {64, 1, {c, s, -s, c}, 3.0, 1.0, PIXFMT_XRGB},
      {1, 23, {0.3, -1.9, 1.1, 0.2}, 30.7, 5.5, PIXFMT_RGBX},
      {53, 41, {-1, 0, 0, 1}, 53, 0, PIXFMT_XBGR},
      {45, 33, {1.7, 0.4, -0.2, 1.3}, 9.9, -4.1, PIXFMT_BGRX},
      {71, 67, {0.37, 0.05, -0.11, 0.41}, 12.2, 7.7, PIXFMT_BGRX},
      {19, 17, {0, 3.1, -2.9, 0}, 70.5, 0.5, PIXFMT_XRGB},
      {40, 40, {1, 0, 0, 1}, -20.4, 60.2, PIXFMT_BGRX},
  };
  for (const Case& k : cases) {
    // Each case without and with a source alpha plane (a quarter of it 0).
    for (bool with_alpha : {false, true}) {
      SCOPED_TRACE(testing::Message() << k.w << "x" << k.h << " m0 " << k.m[0] << " format "
                                      << k.format << (with_alpha ? " alpha" : ""));
      const int32_t ppr = k.w + 3, abpr = k.w + 1, dw = 83, dh = 79, dppr = dw + 5;
      const int32_t mbpr = (dw + 7) / 8 + 1, dabpr = dw + 2;
      std::vector<uint32_t> src(size_t(ppr) * size_t(k.h));
      for (uint32_t& p : src) p = uint32_t(rng());
      std::vector<uint8_t> salpha(size_t(abpr) * size_t(k.h));
      for (uint8_t& a : salpha) a = rng() % 4 ? uint8_t(rng()) : 0;
      const double block[6] = {k.m[0], k.m[1], k.m[2], k.m[3], k.tx, k.ty};
      std::vector<uint32_t> dst[2];
      std::vector<uint8_t> mask[2], alpha[2];
      for (int path = 0; path < 2; ++path) {
        dst[path].assign(size_t(dppr) * dh, 0xEEEEEEEE);
        mask[path].assign(size_t(mbpr) * dh, 0);
        alpha[path].assign(size_t(dabpr) * dh, 0xEE);
        qmTransformJob j{};
        j.source = src.data();
        j.dest = dst[path].data();
        j.dest_mask = k.w != 40 ? mask[path].data() : nullptr;  // one case without planes
        j.dest_alpha = k.w != 40 ? alpha[path].data() : nullptr;
        j.source_alpha = with_alpha ? salpha.data() : nullptr;
        j.source_width = k.w;
        j.source_height = k.h;
        j.source_ppr = ppr;
        j.source_alpha_bpr = abpr;
        j.dest_width = dw;
        j.dest_height = dh;
        j.dest_ppr = dppr;
        j.dest_mask_bpr = mbpr;
        j.dest_alpha_bpr = dabpr;
        j.transform = block;
        j.smooth = 1;
        j.format = k.format;
        j.bytes_per_pixel = 4;
        transform_force_scalar(path == 0);
        transform_pixels(j);
      }
      transform_force_scalar(false);
      EXPECT_EQ(dst[0], dst[1]);
      EXPECT_EQ(mask[0], mask[1]);
      EXPECT_EQ(alpha[0], alpha[1]);
      EXPECT_NE(std::count(dst[0].begin(), dst[0].end(), 0xEEEEEEEE), ptrdiff_t(dst[0].size()));
      if (with_alpha && k.w != 40) {
        EXPECT_NE(std::count(alpha[0].begin(), alpha[0].end(), 0xEE), ptrdiff_t(alpha[0].size()));
      }
    }
  }
}

TEST(Transform, SingularOrNonFiniteDrawsNothing) {
  const double nan = 0.0 / 0.0, inf = 1.0 / 0.0;
  const double blocks[][6] = {{1, 2, 2, 4, 0, 0}, {0, 0, 0, 0, 0, 0}, {nan, 0, 0, 1, 0, 0},
                              {1, 0, 0, 1, inf, 0}, {1e-300, 0, 0, 1e-300, 0, 0}};
  for (const auto& b : blocks) {
    TransformCase t;
    std::copy(b, b + 6, t.block);
    transform_pixels(t.job);
    EXPECT_EQ(t.dst, std::vector<uint32_t>(8 * 3, 0xEEEEEE00));
    EXPECT_EQ(t.dmask, std::vector<uint8_t>(3, 0));
  }
}

TEST(Wave, ColumnsMoveByTheirOffsets) {
  // Four columns 0..3 (pixel value = column); offsets of one step shift by one column.
  std::vector<uint32_t> src(8), dst(8, 99);
  for (uint32_t i = 0; i < 4; ++i) src[i] = i;
  const double step = 6.283185307179586 / 4;
  const double offsets[4] = {0, step, -step, 100 * step};
  qmWaveRecord w{};
  w.source = src.data();
  w.dest = dst.data();
  w.offsets = offsets;
  w.source_ppr = w.dest_ppr = 8;
  w.width = 4;
  w.height = 1;
  w.columns = 1;
  w.n = 4;
  w.position = 4;  // o = 0: target columns 1..4
  w.bytes_per_pixel = 4;
  wave_render(w);
  // t = 1 takes s = 4 + 0 + 0 (outside); t = 2 takes 5 (outside); t = 3 takes 3 - 1 + 0 = 3.
  EXPECT_EQ(w.first_line, 3);
  EXPECT_EQ(w.lines_copied, 1);
  EXPECT_EQ(dst[3], 3u);
  EXPECT_EQ(dst[1], 99u);
  w.n = 0;
  wave_render(w);
  EXPECT_EQ(w.first_line, -100000);
  EXPECT_EQ(w.lines_copied, 0);
}

}  // namespace
}  // namespace qm

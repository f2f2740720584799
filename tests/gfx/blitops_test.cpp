// The blit layer's companions: alpha copies, texture tiling, polygon clipping, arc points,
// transformed bounds, and colour through an alpha plane against pixman.
#include <gtest/gtest.h>
#include <pixman.h>

#include <random>
#include <vector>

#include "gfx/bitmap.h"
#include "gfx/blitpixels.h"
#include "gfx_test_util.h"

namespace qm {
namespace {

using test::AlphaPtr;
using test::BitmapPtr;

TEST(BlitOps, AlphaCopyRectModesTruthTable) {
  // Columns: (s, d) = (0, 50), (128, 0), (128, 50), (255, 50); intensity 100.
  const uint8_t s[4] = {0, 128, 128, 255}, d[4] = {50, 0, 50, 50};
  const uint8_t want[10][4] = {
      {0, 128, 128, 255},  // 0 copy
      {50, 128, 128, 255}, // 1 copy non-zero
      {50, 127, 127, 0},   // 2 inverse of non-zero
      {50, 255, 255, 255}, // 3 full where non-zero
      {50, 50, 50, 100},   // 4 scaled by the intensity
      {50, 0, 127, 0},     // 5 inverse where both non-zero
      {50, 100, 100, 100}, // 6 the intensity where non-zero
      {0, 0, 128, 255},    // 7 copy where both non-zero, else 0
      {50, 0, 50, 255},    // 8 full where full
      {0, 128, 128, 255},  // above 8 as 0
  };
  AlphaPtr src(qmos_alloc_alpha(4, 1, 1)), dst(qmos_alloc_alpha(6, 2, 1));
  for (int i = 0; i < 4; ++i) src->data[i] = s[i];
  for (int32_t mode = 0; mode < 10; ++mode) {
    for (int i = 0; i < 4; ++i) dst->data[dst->bytes_per_row + 1 + i] = d[i];
    alpha_copy_rect(src.get(), 0, 0, dst.get(), 1, 1, 4, 1, mode, 100);
    for (int i = 0; i < 4; ++i)
      EXPECT_EQ(dst->data[dst->bytes_per_row + 1 + i], want[mode][i]) << mode << " " << i;
  }
  // The clipped form moves a negative destination inside and cuts at both planes.
  AlphaPtr big(qmos_alloc_alpha(8, 1, 1));
  for (int i = 0; i < 8; ++i) big->data[i] = uint8_t(10 + i);
  AlphaPtr small(qmos_alloc_alpha(4, 1, 1));
  alpha_copy_rect_clipped(big.get(), 0, 0, small.get(), -3, 0, 8, 1, 8, 1, 4, 1, 0, 0);
  EXPECT_EQ(std::vector<uint8_t>(small->data, small->data + 4), (std::vector<uint8_t>{13, 14, 15, 16}));
}

TEST(BlitOps, TextureFillMatchesANaiveTiler) {
  const int32_t tw = 5, th = 3, W = 23, H = 17;
  BitmapPtr tex(qmos_alloc_bitmap(tw, th));
  for (int32_t y = 0; y < th; ++y)
    for (int32_t x = 0; x < tw; ++x) *test::pixel(tex.get(), x, y) = uint32_t(1 + y * tw + x) << 8;
  const int32_t offsets[][2] = {{0, 0}, {3, 1}, {-1, -4}, {5, 3}, {-5, -3}, {12, -7}, {-13, 8}};
  for (const auto& o : offsets) {
    SCOPED_TRACE(testing::Message() << o[0] << "," << o[1]);
    BitmapPtr dst(qmos_alloc_bitmap(W, H));
    qmos_fill_bitmap_rect(dst.get(), 0, 0, W, H, 0);
    texture_fill(dst.get(), 2, 1, 19, 14, tex.get(), o[0], o[1], tw, th);
    std::vector<uint32_t> raw(size_t(19) * 15, 0);
    texture_fill_raw(raw.data(), 0, 1, 19, 14, tex->pixels, o[0], o[1], tw, th,
                     tex->bytes_per_row / 4);
    const int32_t ox = ((o[0] % tw) + tw) % tw, oy = ((o[1] % th) + th) % th;
    for (int32_t y = 0; y < H; ++y)
      for (int32_t x = 0; x < W; ++x) {
        const bool in = x >= 2 && x < 21 && y >= 1 && y < 15;
        const uint32_t want =
            in ? *test::pixel(tex.get(), (ox + x - 2) % tw, (oy + y - 1) % th) : 0u;
        ASSERT_EQ(*test::pixel(dst.get(), x, y), want) << x << "," << y;
        if (in) {
          ASSERT_EQ(raw[size_t(y) * 19 + size_t(x - 2)], want) << x << "," << y;
        }
      }
  }
  // A texture side below 1 draws nothing (and divides by nothing).
  BitmapPtr dst(qmos_alloc_bitmap(4, 4));
  qmos_fill_bitmap_rect(dst.get(), 0, 0, 4, 4, 0);
  texture_fill(dst.get(), 0, 0, 4, 4, tex.get(), -3, 2, 0, th);
  std::vector<uint32_t> raw(16, 7);
  texture_fill_raw(raw.data(), 0, 0, 4, 4, tex->pixels, 1, -1, tw, 0, tw);
  EXPECT_EQ(qmos_read_pixel(dst.get(), 0, 0), 0u);
  EXPECT_EQ(raw[0], 7u);
  // A rectangle reaching past the target is cut to it.
  texture_fill(dst.get(), -2, -2, 10, 10, tex.get(), 0, 0, tw, th);
  EXPECT_EQ(*test::pixel(dst.get(), 0, 0), *test::pixel(tex.get(), 2, 2));
}

TEST(BlitOps, PolygonClipEdgeOnATriangle) {
  const qmPoint tri[3] = {{0, 0}, {10, 0}, {0, 10}};
  struct Case {
    int32_t edge, boundary;
    std::vector<std::pair<int32_t, int32_t>> want;
  } cases[] = {
      {2, 5, {{0, 0}, {5, 0}, {5, 5}, {0, 10}}},  // x <= 5
      {0, 5, {{5, 0}, {10, 0}, {5, 5}}},          // x >= 5
      {3, 3, {{0, 0}, {10, 0}, {7, 3}, {0, 3}}},  // y <= 3: a vertical edge crosses too
      {1, 4, {{6, 4}, {0, 10}, {0, 4}}},          // y >= 4
      {0, 20, {}},                                // everything cut
  };
  for (const Case& c : cases) {
    qmPoint out[8];
    const int32_t n = polygon_clip_edge(3, tri, out, c.boundary, c.edge);
    std::vector<std::pair<int32_t, int32_t>> got;
    for (int32_t i = 0; i < n; ++i) got.emplace_back(out[i].x, out[i].y);
    EXPECT_EQ(got, c.want) << "edge " << c.edge;
  }
}

TEST(BlitOps, ArcMakePoints) {
  std::vector<qmPoint> p(size_t(arc_point_count(0, 360)));
  ASSERT_EQ(p.size(), 361u);
  ASSERT_EQ(arc_make_points(p.data(), 10, 5, 0, 360), 361);
  EXPECT_EQ(p[0].x, 20);  // 21 x 1024 / 2048 + 10
  EXPECT_EQ(p[0].y, 5);
  EXPECT_EQ(p[90].x, 10);
  EXPECT_EQ(p[90].y, 10);
  EXPECT_EQ(p[180].x, 0);  // -10.5 truncates toward zero
  EXPECT_EQ(p[360].x, p[0].x);
  EXPECT_EQ(p[360].y, p[0].y);
  // A part arc is closed through the centre and its first point.
  ASSERT_EQ(arc_point_count(10, 20), 13);
  std::vector<qmPoint> q(13);
  ASSERT_EQ(arc_make_points(q.data(), 10, 5, 10, 20), 13);
  EXPECT_EQ(q[0].x, 20);  // cos 10 -> 1008, sin 10 -> 177
  EXPECT_EQ(q[0].y, 5);
  EXPECT_EQ(q[11].x, 10);
  EXPECT_EQ(q[11].y, 5);
  EXPECT_EQ(q[12].x, q[0].x);
  EXPECT_EQ(q[12].y, q[0].y);
  // The table keeps the integer parts: cos 91 is -17, sin 30 exactly 512.
  qmPoint r[4];
  arc_make_points(r, 1023, 1023, 91, 91);
  EXPECT_EQ(r[0].x, 2047 * -17 / 2048 + 1023);
  arc_make_points(r, 1023, 1023, 30, 30);
  EXPECT_EQ(r[0].y, 2047 * 512 / 2048 + 1023);
  // Negative angles read the table from its end, never before it.
  qmPoint a[4], b[4];
  arc_make_points(a, 50, 50, -10, -10);
  arc_make_points(b, 50, 50, 350, 350);
  EXPECT_EQ(a[0].x, b[0].x);
  EXPECT_EQ(a[0].y, b[0].y);
}

TEST(BlitOps, RectTransformBounds) {
  const double turn[4] = {0, 1, -1, 0};
  int32_t x, y, w, h;
  rect_transform_bounds(100, 200, 10, 4, 0.5, 0.5, turn, &x, &y, &w, &h);
  // Corners about (5, 2): u in -5..4, v in -2..1; x' = -v + 5 in 4..7, y' = u + 2 in -3..6.
  EXPECT_EQ(x, 104);
  EXPECT_EQ(y, 197);
  EXPECT_EQ(w, 4);
  EXPECT_EQ(h, 10);
  // Corners that all lie beyond 100000 still give their own bounds: a half turn about the far
  // corner puts x' in 300001..600000 and y' in 250001..500000.
  const double half[4] = {-1, 0, 0, -1};
  rect_transform_bounds(0, 0, 300000, 250000, 1.0, 1.0, half, &x, &y, &w, &h);
  EXPECT_EQ(x, 300001);
  EXPECT_EQ(y, 250001);
  EXPECT_EQ(w, 300000);
  EXPECT_EQ(h, 250000);
  rect_transform_bounds(0, 0, 3, 3, 0, 0, half, nullptr, nullptr, nullptr, nullptr);
}

// Colour through an alpha plane (mode 1) and a bitmap through an alpha plane against pixman's
// OVER with an a8 mask: the two may round apart by at most 2 per channel.
TEST(BlitOps, AlphaCompositionAgreesWithPixman) {
  const int32_t W = 67, H = 9;
  std::mt19937 rng(7);
  BitmapPtr ours(qmos_alloc_bitmap(W, H)), theirs(qmos_alloc_bitmap(W, H)),
      src(qmos_alloc_bitmap(W, H));
  AlphaPtr a(qmos_alloc_alpha(W, H, 0));
  for (int32_t y = 0; y < H; ++y)
    for (int32_t x = 0; x < W; ++x) {
      *test::pixel(ours.get(), x, y) = *test::pixel(theirs.get(), x, y) = rng() & 0xFFFFFF00u;
      *test::pixel(src.get(), x, y) = rng() & 0xFFFFFF00u;
      a->data[y * a->bytes_per_row + x] = uint8_t(x < 4 ? x * 85 : rng());
    }
  // Our words are 0xBBGGRR00: pixman's b8g8r8x8.
  auto wrap = [](qmBitmap* b) {
    return pixman_image_create_bits(PIXMAN_b8g8r8x8, b->width, b->height, b->pixels,
                                    b->bytes_per_row);
  };
  pixman_image_t* mask = pixman_image_create_bits(PIXMAN_a8, W, H,
                                                  reinterpret_cast<uint32_t*>(a->data),
                                                  a->bytes_per_row);
  pixman_image_t* dst = wrap(theirs.get());
  auto compare = [&](const char* what) {
    SCOPED_TRACE(what);
    int worst = 0;
    for (int32_t y = 0; y < H; ++y)
      for (int32_t x = 0; x < W; ++x) {
        const uint32_t p = *test::pixel(ours.get(), x, y), q = *test::pixel(theirs.get(), x, y);
        for (int shift : {8, 16, 24}) {
          const int diff = std::abs(int((p >> shift) & 0xFF) - int((q >> shift) & 0xFF));
          worst = std::max(worst, diff);
        }
      }
    EXPECT_LE(worst, 2);
  };

  const pixman_color_t colour{0xC8C8, 0x3030, 0x9090, 0xFFFF};
  pixman_image_t* solid = pixman_image_create_solid_fill(&colour);
  BLTALPHACHANNEL(a.get(), 0, 0, ours.get(), 0, 0, W, H, 0xC83090, 1, nullptr, 255, nullptr, 0,
                  nullptr);
  pixman_image_composite32(PIXMAN_OP_OVER, solid, mask, dst, 0, 0, 0, 0, 0, 0, W, H);
  compare("colour");
  BLTBITMAP(ours.get(), 0, 0, theirs.get(), 0, 0, W, H);  // each step from the same start

  pixman_image_t* source = wrap(src.get());
  BLTALPHABITMAP(src.get(), 0, 0, ours.get(), 0, 0, W, H, a.get());
  pixman_image_composite32(PIXMAN_OP_OVER, source, mask, dst, 0, 0, 0, 0, 0, 0, W, H);
  compare("bitmap");

  pixman_image_unref(source);
  pixman_image_unref(solid);
  pixman_image_unref(dst);
  pixman_image_unref(mask);
}

}  // namespace
}  // namespace qm

// Image distortion: identities, planes, errors, and agreement with ImageMagick's -distort in the
// centre of the image, where both engines sample the same source region.
#include "gfx/distort.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <vector>

#include "engine/errcodes.h"
#include "gfx/bitmap.h"
#include "magick.h"

namespace {

using namespace qm;

const std::string kPhoto = std::string(QM_GFX_FIXTURES) + "/photo.jpg";

struct Out {
  int32_t code = -1;
  qmBitmap* bm = nullptr;
  qmMask* mask = nullptr;
  qmAlphaChannel* alpha = nullptr;
  int32_t w = 0, h = 0;
  ~Out() {
    if (bm != nullptr) qmos_free_bitmap(bm);
    qmos_free_mask(mask);
    qmos_free_alpha(alpha);
  }
};

void distort(Out& o, qmBitmap* src, qmMask* m, qmAlphaChannel* a, int32_t method,
             std::vector<double> v, int32_t smooth) {
  o.code = bitmap_distort(src, m, a, src->width, src->height, method, int32_t(v.size()), v.data(),
                          smooth, &o.bm, &o.mask, &o.alpha, &o.w, &o.h);
}

// A small bitmap whose every pixel is distinct.
qmBitmap* numbered(int w, int h) {
  qmBitmap* bm = qmos_alloc_bitmap(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      bm->pixels[y * (bm->bytes_per_row / 4) + x] = uint32_t((y * w + x + 1) << 8);
  return bm;
}
uint32_t px(const qmBitmap* bm, int x, int y) {
  return bm->pixels[y * (bm->bytes_per_row / 4) + x];
}

TEST(Distort, BarrelIdentityReproducesTheSource) {
  for (auto [w, h] : {std::pair{7, 5}, std::pair{8, 6}}) {
    qmBitmap* src = numbered(w, h);
    Out o;
    distort(o, src, nullptr, nullptr, DISTORT_BARREL, {0, 0, 0, 1}, 0);
    ASSERT_EQ(o.code, 0);
    ASSERT_EQ(o.w, w);
    ASSERT_EQ(o.h, h);
    ASSERT_NE(o.mask, nullptr);  // no source planes, nearest: a mask
    EXPECT_EQ(o.alpha, nullptr);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        EXPECT_EQ(px(o.bm, x, y), px(src, x, y)) << x << "," << y;
        EXPECT_TRUE(mask_bit(o.mask->data + y * o.mask->bytes_per_row, x));
      }
    qmos_free_bitmap(src);
  }
}

TEST(Distort, BarrelCentrePixelOfAnEvenImage) {
  // The centre of an 8 x 8 image lies at 3.5: target pixel 3 stands on it and, under a strong
  // pinch, still takes source pixel 3 (not a corner neighbour); pixel 4 moves in from 3.5 + 0.2.
  qmBitmap* src = numbered(8, 8);
  Out o;
  distort(o, src, nullptr, nullptr, DISTORT_BARREL, {0.5, 0, 0, 0.2}, 0);
  ASSERT_EQ(o.code, 0);
  EXPECT_EQ(px(o.bm, 3, 3), px(src, 3, 3));
  EXPECT_EQ(px(o.bm, 4, 4), px(src, 3, 3));
  qmos_free_bitmap(src);
}

TEST(Distort, PlanesOfTheResult) {
  qmBitmap* src = numbered(8, 8);
  qmMask* m = qmos_alloc_mask(8, 8, 1);
  qmos_mask_rect_op(m, 0, 0, 4, 8, MASKVISIBLE);  // left half visible
  qmAlphaChannel* a = qmos_alloc_alpha(8, 8, 1);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) a->data[y * a->bytes_per_row + x] = uint8_t(30 * x);
  const std::vector<double> id{0, 0, 0, 1};
  {
    Out o;  // mask, smooth: a mask whose bits follow the filtered alpha
    distort(o, src, m, nullptr, DISTORT_BARREL, id, 1);
    ASSERT_EQ(o.code, 0);
    ASSERT_NE(o.mask, nullptr);
    EXPECT_EQ(o.alpha, nullptr);
    EXPECT_TRUE(mask_bit(o.mask->data + 3 * o.mask->bytes_per_row, 1));
    EXPECT_FALSE(mask_bit(o.mask->data + 3 * o.mask->bytes_per_row, 7));
  }
  {
    Out o;  // mask and alpha: still a mask
    distort(o, src, m, a, DISTORT_BARREL, id, 0);
    ASSERT_NE(o.mask, nullptr);
    EXPECT_EQ(o.alpha, nullptr);
  }
  {
    Out o;  // alpha only, nearest: alpha copied
    distort(o, src, nullptr, a, DISTORT_BARREL, id, 0);
    ASSERT_NE(o.alpha, nullptr);
    EXPECT_EQ(o.alpha->data[2 * o.alpha->bytes_per_row + 5], 150);
  }
  {
    Out o;  // no planes, smooth: an opaque alpha plane
    distort(o, src, nullptr, nullptr, DISTORT_BARREL, id, 1);
    ASSERT_NE(o.alpha, nullptr);
    EXPECT_EQ(o.mask, nullptr);
    EXPECT_EQ(o.alpha->data[4 * o.alpha->bytes_per_row + 4], 255);
  }
  qmos_free_mask(m);
  qmos_free_alpha(a);
  qmos_free_bitmap(src);
}

TEST(Distort, PerspectiveHorizonIsTransparent) {
  // The top edge pulled almost together puts the horizon inside the output: the rows above it
  // stay transparent (word 0 and mask bit clear), the rows below carry the image.
  qmBitmap* src = numbered(40, 40);
  Out o;
  distort(o, src, nullptr, nullptr, DISTORT_PERSPECTIVE,
          {0, 0, 19, 30, 40, 0, 21, 30, 40, 40, 40, 40, 0, 40, 0, 40}, 0);
  ASSERT_EQ(o.code, 0);
  int blank = 0, drawn = 0;
  for (int y = 0; y < o.h; ++y)
    for (int x = 0; x < o.w; ++x) {
      bool bit = mask_bit(o.mask->data + y * o.mask->bytes_per_row, x);
      if (!bit) {
        EXPECT_EQ(px(o.bm, x, y), 0u);
        ++blank;
      } else {
        ++drawn;
      }
    }
  EXPECT_GT(blank, 0);
  EXPECT_GT(drawn, 0);
  qmos_free_bitmap(src);
}

TEST(Distort, ArgumentCountsAndErrors) {
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    const char* what;
    int32_t method;
    std::vector<double> values;
    int32_t code;
  };
  const Case cases[] = {
      {"barrel 3 values", DISTORT_BARREL, {0.1, 0, 0}, 0},
      {"barrel 7 values", DISTORT_BARREL, {0, 0, 0, 1, 0, 0, 0}, ERR_WRONGUSAGE},
      {"barrel 9 values", DISTORT_BARREL, {0, 0, 0, 1, 0, 0, 0, 1, 0}, ERR_WRONGUSAGE},
      {"barrel 10 values", DISTORT_BARREL, {0, 0, 0, 1, 0, 0, 0, 1, 5, 5}, 0},
      {"polar none", DISTORT_POLAR, {}, 0},
      {"polar 3 values", DISTORT_POLAR, {10, 0, 5}, ERR_WRONGUSAGE},
      {"polar 7 values", DISTORT_POLAR, {10, 0, 5, 5, 0, 90, 1}, ERR_WRONGUSAGE},
      {"polar inner above outer", DISTORT_POLAR, {5, 10}, ERR_WRONGUSAGE},
      {"arc 0 degrees", DISTORT_ARC, {0}, ERR_WRONGUSAGE},
      {"arc 360 degrees", DISTORT_ARC, {360}, 0},
      {"arc outer radius 0", DISTORT_ARC, {90, 0, 0}, ERR_WRONGUSAGE},
      {"arc equal radii", DISTORT_ARC, {90, 0, 20, 20}, ERR_WRONGUSAGE},
      {"arc 5 values", DISTORT_ARC, {90, 0, 20, 10, 1}, ERR_WRONGUSAGE},
      {"perspective all to one point",
       DISTORT_PERSPECTIVE,
       {0, 0, 5, 5, 16, 0, 5, 5, 16, 16, 5, 5, 0, 16, 5, 5},
       ERR_WRONGUSAGE},
      {"perspective ragged pair",
       DISTORT_PERSPECTIVE,
       {0, 0, 0, 0, 16, 0, 16, 0, 16, 16, 16, 16, 0, 16, 0, 16, 1},
       ERR_WRONGUSAGE},
      {"perspective short (an affine fit)",
       DISTORT_PERSPECTIVE,
       {0, 0, 0, 0, 16, 0, 16, 0},
       ERR_WRONGUSAGE},
      {"perspective huge output",
       DISTORT_PERSPECTIVE,
       {0, 0, 0, 0, 16, 0, 1e7, 0, 16, 16, 1e7, 1e7, 0, 16, 0, 1e7},
       ERR_WRONGUSAGE},
      {"perspective too big to allocate",
       DISTORT_PERSPECTIVE,
       {0, 0, 0, 0, 16, 0, 30000, 0, 16, 16, 30000, 30000, 0, 16, 0, 30000},
       ERR_MEM},
      {"non-finite value", DISTORT_BARREL, {inf, 0, 0}, ERR_WRONGUSAGE},
      {"NaN value", DISTORT_POLAR, {std::nan(""), 0}, ERR_WRONGUSAGE},
      {"method 0", 0, {}, ERR_WRONGUSAGE},
      {"method 2 (no command uses it)", 2, {1, 0, 0, 1, 0, 0}, ERR_WRONGUSAGE},
      {"method 13", 13, {0, 0, 0, 1}, ERR_WRONGUSAGE},
      {"method 15", 15, {}, ERR_WRONGUSAGE},
  };
  qmBitmap* src = numbered(16, 16);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Out o;
    distort(o, src, nullptr, nullptr, c.method, c.values, 0);
    EXPECT_EQ(o.code, c.code);
    if (c.code != 0) {
      EXPECT_EQ(o.bm, nullptr);
    }
  }
  {
    Out o;  // polar without values: the nearest-edge radius 8 gives an output about 16 square
    distort(o, src, nullptr, nullptr, DISTORT_POLAR, {}, 0);
    EXPECT_NEAR(o.w, 17, 1);
    EXPECT_NEAR(o.h, 17, 1);
  }
  qmos_free_bitmap(src);

  qmBitmap* flat = numbered(16, 1);  // an arc of a one-row image has no thickness
  Out o;
  distort(o, flat, nullptr, nullptr, DISTORT_ARC, {90}, 0);
  EXPECT_EQ(o.code, ERR_WRONGUSAGE);
  qmos_free_bitmap(flat);

  Out empty;  // a source of no width has no output geometry
  qmBitmap* src16 = numbered(16, 16);
  const double barrel[3] = {0.1, 0, 0};
  empty.code = bitmap_distort(src16, nullptr, nullptr, 0, 16, DISTORT_BARREL, 3, barrel, 0,
                              &empty.bm, &empty.mask, &empty.alpha, &empty.w, &empty.h);
  EXPECT_EQ(empty.code, ERR_WRONGUSAGE);
  qmos_free_bitmap(src16);

  Out none;
  none.code = bitmap_distort(nullptr, nullptr, nullptr, 8, 8, DISTORT_BARREL, 0, nullptr, 0,
                             &none.bm, &none.mask, &none.alpha, &none.w, &none.h);
  EXPECT_EQ(none.code, ERR_WRONGUSAGE);
}

TEST(Distort, GaussJordanAndPerspectiveInverse) {
  // Full pivoting on a system whose first pivot is not on the diagonal, two right-hand sides.
  std::vector<std::vector<double>> m{{0, 2, 1}, {1, 1, 1}, {4, 0, 3}};
  double b1[3] = {5, 6, 17}, b2[3] = {2, 2, 4};  // solutions (2, 1, 3) and (1, 1, 0)
  std::vector<double*> vectors{b1, b2};
  ASSERT_TRUE(matrix_gauss_jordan(m, vectors, 3));
  const double x1[3] = {2, 1, 3}, x2[3] = {1, 1, 0};
  for (int i = 0; i < 3; ++i) {
    EXPECT_NEAR(b1[i], x1[i], 1e-12);
    EXPECT_NEAR(b2[i], x2[i], 1e-12);
  }
  std::vector<std::vector<double>> singular{{1, 2}, {2, 4}};
  double b3[2] = {1, 2};
  std::vector<double*> v3{b3};
  EXPECT_FALSE(matrix_gauss_jordan(singular, v3, 2));

  // The forward coefficients undo the reverse mapping.
  const double c[9] = {1.2, 0.1, -3, 0.05, 0.9, 2, 0.001, -0.002, 1};
  double f[8];
  perspective_invert(c, f);
  for (auto [x, y] : {std::pair{10.0, 20.0}, std::pair{-5.0, 7.5}}) {
    double q = c[6] * x + c[7] * y + 1;
    double u = (c[0] * x + c[1] * y + c[2]) / q, v = (c[3] * x + c[4] * y + c[5]) / q;
    double s = f[6] * u + f[7] * v + 1;
    EXPECT_NEAR((f[0] * u + f[1] * v + f[2]) / s, x, 1e-9);
    EXPECT_NEAR((f[3] * u + f[4] * v + f[5]) / s, y, 1e-9);
  }
}

TEST(Distort, AgreesWithImageMagickInTheCentre) {
  if (!qmtest::have_tool("convert")) GTEST_SKIP() << "ImageMagick is not installed";
  qmtest::RgbImage img;
  ASSERT_TRUE(qmtest::decode_jpeg(kPhoto, img));
  qmBitmap* src = qmtest::bitmap_from_rgb(img);
  struct Case {
    const char* name;
    int32_t method;
    std::vector<double> values;
    std::string magick;  // -distort arguments
    double min_psnr;
  };
  const Case cases[] = {
      {"barrel",
       DISTORT_BARREL,
       {0.1, -0.05, 0.02, 0.93, 64, 48},
       "-distort Barrel '0.1 -0.05 0.02 0.93 64 48'",
       45},
      {"arc", DISTORT_ARC, {120, 10, 90, 30}, "-distort Arc '120 10 90 30'", 40},
      {"polar", DISTORT_POLAR, {48, 8}, "+distort Polar '48 8'", 40},
      {"perspective",
       DISTORT_PERSPECTIVE,
       {0, 0, 10, 5, 128, 0, 118, 12, 128, 96, 125, 90, 0, 96, 3, 85},
       "+distort Perspective '0,0 10,5 128,0 118,12 128,96 125,90 0,96 3,85'",
       40},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Out o;
    distort(o, src, nullptr, nullptr, c.method, c.values, 1);
    ASSERT_EQ(o.code, 0);
    qmtest::RgbaImage ours = qmtest::rgba_from_bitmap(o.bm, o.mask, o.alpha), theirs;
    ASSERT_TRUE(
        qmtest::run_tool("convert {in} -virtual-pixel transparent " + c.magick + " -depth 8 {out}",
                         img, theirs, "pam"));
    ASSERT_EQ(theirs.width, ours.width);
    ASSERT_EQ(theirs.height, ours.height);
    // The middle half of the output, where both engines see the inside of the source (for the
    // polar map, the part of it below the hole at the centre, away from the seam at the top).
    const int top = c.method == DISTORT_POLAR ? ours.height / 2 + 10 : ours.height / 4;
    double p = qmtest::psnr(ours, theirs, ours.width / 4, top, ours.width * 3 / 4,
                            ours.height * 3 / 4 + (c.method == DISTORT_POLAR ? 12 : 0));
    std::printf("%s: %.1f dB\n", c.name, p);
    if (std::getenv("QM_DUMP")) {
      qmtest::write_ppm(std::string("/tmp/ours_") + c.name + ".ppm", qmtest::rgb_of(ours));
      qmtest::write_ppm(std::string("/tmp/theirs_") + c.name + ".ppm", qmtest::rgb_of(theirs));
    }
    EXPECT_GE(p, c.min_psnr);
  }
  qmos_free_bitmap(src);
}

}  // namespace

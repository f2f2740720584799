// The effects against outside judges on the photo fixture: ImageMagick by PSNR (its Q16 pipeline
// rounds where ours truncates, so near and not equal), netpbm's pnminvert exactly.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <string>

#include "gfx/bitmap.h"
#include "gfx/effects.h"
#include "magick.h"

namespace {

using namespace qm;

const std::string kPhoto = std::string(QM_GFX_FIXTURES) + "/photo.jpg";

struct Case {
  const char* name;
  std::function<int32_t(qmBitmap*, int32_t, int32_t)> ours;
  std::string magick;  // arguments between the input and the output file
  double min_psnr;
};

// ImageMagick's own emboss equalizes its result afterwards, so the emboss window is judged by
// its plain convolution: the 3 x 3 window for radius 1, sigma 1, from the formula (non-zero on
// the diagonal where u = -v, -8 where u or v is negative), normalised by its sum.
std::string emboss_window() {
  double k[9] = {}, sum = 0;
  for (int v = -1; v <= 1; ++v)
    for (int u = -1; u <= 1; ++u)
      if (u == -v) {
        double g = std::exp(-(u * u + v * v) / 2.0) / (2 * M_PI);
        k[(v + 1) * 3 + u + 1] = (u < 0 || v < 0 ? -8.0 : 8.0) * g;
        sum += k[(v + 1) * 3 + u + 1];
      }
  std::string out = "-convolve '";
  for (int i = 0; i < 9; ++i) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%s%.9f", i ? "," : "", k[i] / sum);
    out += buf;
  }
  return out + "'";
}

TEST(EffectsMagick, AgreeWithImageMagick) {
  if (!qmtest::have_tool("convert")) GTEST_SKIP() << "ImageMagick is not installed";
  qmtest::RgbImage img;
  ASSERT_TRUE(qmtest::decode_jpeg(kPhoto, img));
  const Case cases[] = {
      {"blur",
       [](qmBitmap* b, int32_t w, int32_t h) {
         return bitmap_convolve(CONVOLVE_BLUR, b, nullptr, w, h, 3, 1.5, nullptr);
       },
       "-blur 3x1.5", 60},
      {"sharpen",
       [](qmBitmap* b, int32_t w, int32_t h) {
         return bitmap_convolve(CONVOLVE_SHARPEN, b, nullptr, w, h, 2, 1, nullptr);
       },
       "-sharpen 2x1", 50},
      {"emboss",
       [](qmBitmap* b, int32_t w, int32_t h) {
         return bitmap_convolve(CONVOLVE_EMBOSS, b, nullptr, w, h, 1, 1, nullptr);
       },
       emboss_window(), 50},
      {"edge",
       [](qmBitmap* b, int32_t w, int32_t h) {
         return bitmap_convolve(CONVOLVE_EDGE, b, nullptr, w, h, 1, 0, nullptr);
       },
       "-edge 1", 60},
      {"charcoal",
       [](qmBitmap* b, int32_t w, int32_t h) { return bitmap_charcoal(b, nullptr, w, h, 1, 1); },
       "-charcoal 1x1", 22},
      {"oilpaint", [](qmBitmap* b, int32_t w, int32_t h) { return bitmap_oilpaint(b, w, h, 2); },
       "-paint 2", 27},
      {"solarize", [](qmBitmap* b, int32_t w, int32_t h) { return bitmap_solarize(b, w, h, 128); },
       "-solarize 50%", 60},
      {"sepiatone",
       [](qmBitmap* b, int32_t w, int32_t h) { return bitmap_sepiatone(b, w, h, 204); },
       "-sepia-tone 80%", 30},
      {"modulate",
       [](qmBitmap* b, int32_t w, int32_t h) { return bitmap_modulate(b, w, h, 1.1, 0.8, 1.2); },
       "-modulate 110,80,120", 60},
      {"gamma",
       [](qmBitmap* b, int32_t w, int32_t h) { return bitmap_gamma(b, w, h, 1.6, 1, 0.7); },
       "-channel R -gamma 1.6 -channel B -gamma 0.7 +channel", 45},
      {"contrast",
       [](qmBitmap* b, int32_t w, int32_t h) { return bitmap_contrast(b, w, h, 1, 1, nullptr); },
       "-contrast", 60},
      {"contrast lowered",
       [](qmBitmap* b, int32_t w, int32_t h) { return bitmap_contrast(b, w, h, 0, 2, nullptr); },
       "+contrast +contrast", 45},
      {"swirl",
       [](qmBitmap* b, int32_t w, int32_t h) {
         return bitmap_swirl(b, nullptr, nullptr, w, h, 90);
       },
       "-swirl 90", 30},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    qmBitmap* bm = qmtest::bitmap_from_rgb(img);
    ASSERT_EQ(c.ours(bm, bm->width, bm->height), 0);
    qmtest::RgbaImage ours = qmtest::rgba_from_bitmap(bm), theirs;
    qmos_free_bitmap(bm);
    ASSERT_TRUE(qmtest::run_tool("convert {in} " + c.magick + " -depth 8 {out}", img, theirs));
    ASSERT_EQ(theirs.width, ours.width);
    double p = qmtest::psnr(ours, theirs, 0, 0, ours.width, ours.height);
    std::printf("%-18s %.1f dB\n", c.name, p);
    EXPECT_GE(p, c.min_psnr);
  }
}

TEST(EffectsMagick, InvertIsExactAgainstPnminvert) {
  if (!qmtest::have_tool("pnminvert")) GTEST_SKIP() << "netpbm is not installed";
  qmtest::RgbImage img;
  ASSERT_TRUE(qmtest::decode_jpeg(kPhoto, img));
  qmBitmap* bm = qmtest::bitmap_from_rgb(img);
  ASSERT_EQ(bitmap_invert(bm, bm->width, bm->height, nullptr), 0);
  qmtest::RgbaImage ours = qmtest::rgba_from_bitmap(bm), theirs;
  qmos_free_bitmap(bm);
  ASSERT_TRUE(qmtest::run_tool("pnminvert {in} > {out}", img, theirs));
  EXPECT_EQ(ours.data, theirs.data);
}

}  // namespace

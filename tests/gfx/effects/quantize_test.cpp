// argb_quantize: byte-for-byte against libjpeg-turbo's two-pass quantiser (same histogram, box
// and inverse-map rules; no dithering), then the cases the peer cannot judge.
#include "gfx/quantize.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "jpeg_fixture.h"

namespace {

const std::string kPhoto = std::string(QM_GFX_FIXTURES) + "/photo.jpg";

struct Result {
  int ok;
  int32_t count;
  std::vector<uint8_t> indices;
  std::vector<uint32_t> palette;
};

Result quantize_words(const std::vector<uint32_t>& words, int w, int h, int ppr, int32_t colours,
                      int32_t transparent = -1, int reserve = 0, int dither = 0) {
  Result r;
  r.count = colours;
  r.indices.assign(static_cast<size_t>(w) * h, 0xEE);
  r.palette.assign(257, 0xDEADBEEF);
  r.ok = qm::argb_quantize(words.data(), 11, 4, w, h, ppr, r.indices.data(), r.palette.data(),
                           &r.count, transparent, reserve, dither);
  r.palette.resize(static_cast<size_t>(std::max(r.count, 0)));
  return r;
}

std::vector<uint32_t> solid(int n, uint32_t r, uint32_t g, uint32_t b) {
  return std::vector<uint32_t>(static_cast<size_t>(n), b << 24 | g << 16 | r << 8);
}

TEST(Quantize, MatchesLibjpegTwoPassQuantiser) {
  qmtest::RgbImage img;
  ASSERT_TRUE(qmtest::decode_jpeg(kPhoto, img));
  const int ppr = (img.width & ~3) + 4;
  std::vector<uint32_t> words = qmtest::to_format11(img, ppr);
  for (int colours : {8, 16, 64, 256}) {
    SCOPED_TRACE(colours);
    qmtest::IndexedImage peer;
    ASSERT_TRUE(qmtest::decode_jpeg_quantized(kPhoto, colours, peer));
    Result ours = quantize_words(words, img.width, img.height, ppr, colours);
    ASSERT_EQ(ours.ok, 1);
    EXPECT_EQ(ours.palette, peer.palette);
    EXPECT_EQ(ours.indices, peer.indices);
  }
}

TEST(Quantize, ReadsEveryPixelFormat) {
  // One colour per format, written in that format; every read must land on the same cell.
  struct Case {
    int format, bpp;
    std::vector<uint8_t> bytes;
  };
  // 0xF8FC08 is exact in 5-6-5; in 5-5-5 the green loses its low bits (0xF8).
  const Case cases[] = {
      {0, 2, {0xE1, 0x7F}},  // 0x7FE1: r=0xF8 g=0xF8 b=0x08
      {1, 2, {0xFF, 0x07}},  // 0x07FF: b=0x08 g=0xF8 r=0xF8 after the exchange
      {2, 2, {0x7F, 0xE1}},
      {4, 2, {0xE1, 0xFF}},  // 0xFFE1
      {5, 2, {0xFF, 0x0F}},  // 0x0FFF
      {8, 3, {0xF8, 0xFC, 0x08}},
      {9, 3, {0x08, 0xFC, 0xF8}},
      {10, 4, {0x08, 0xFC, 0xF8, 0x77}},  // top byte ignored
      {11, 4, {0x00, 0xF8, 0xFC, 0x08}},
      {12, 4, {0x00, 0x08, 0xFC, 0xF8}},
      {13, 4, {0xF8, 0xFC, 0x08, 0x00}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.format);
    uint8_t index = 0xEE;
    uint32_t pal[257];
    int32_t count = 256;
    ASSERT_EQ(
        qm::argb_quantize(c.bytes.data(), c.format, c.bpp, 1, 1, 1, &index, pal, &count, -1, 0, 0),
        1);
    ASSERT_EQ(count, 1);
    EXPECT_EQ(index, 0);
    uint32_t want_g = c.format < 4 ? 0xFA : 0xFE;  // cell centre of green 0xF8 or 0xFC
    EXPECT_EQ(pal[0], 0xFC0000u | want_g << 8 | 0x0C);
  }
}

TEST(Quantize, SmallCases) {
  // Pure red gives the centre of its cell, not the pixel's own colour.
  Result red = quantize_words(solid(6, 255, 0, 0), 3, 2, 3, 256);
  EXPECT_EQ(red.palette, (std::vector<uint32_t>{0xFC0204}));
  EXPECT_EQ(red.indices, std::vector<uint8_t>(6, 0));

  // Black and white asked for 2: cut along green at cell 31.
  std::vector<uint32_t> bw = solid(4, 0, 0, 0);
  bw[1] = bw[3] = 0xFFFFFF00u;
  Result two = quantize_words(bw, 4, 1, 4, 2);
  EXPECT_EQ(two.palette, (std::vector<uint32_t>{0x040204, 0xFCFEFC}));
  EXPECT_EQ(two.indices, (std::vector<uint8_t>{0, 1, 0, 1}));

  // Only the transparent colour: white (empty box) and the transparent entry, every index 1.
  Result tr = quantize_words(solid(4, 0x12, 0x34, 0x56), 2, 2, 2, 16, 0x123456);
  EXPECT_EQ(tr.palette, (std::vector<uint32_t>{0xFFFFFF, 0x123456}));
  EXPECT_EQ(tr.indices, std::vector<uint8_t>(4, 1));

  // Reserve flag: 256 is lowered to 255 and one black entry follows the chosen colours.
  Result res = quantize_words(solid(4, 255, 0, 0), 4, 1, 4, 256, -1, 1);
  EXPECT_EQ(res.palette, (std::vector<uint32_t>{0xFC0204, 0x000000}));

  // A count below 1 counts as 1.
  Result zero = quantize_words(bw, 4, 1, 4, 0);
  EXPECT_EQ(zero.count, 1);
  EXPECT_EQ(zero.indices, std::vector<uint8_t>(4, 0));
}

TEST(Quantize, DitherKeepsTheMeanAndSkipsTransparentPixels) {
  // A grey ramp reduced to 4 colours: averaged over 8 x 16 blocks, the dithered image stays
  // closer to the ramp than the plain mapping does.
  const int w = 64, h = 16;
  std::vector<uint32_t> img(static_cast<size_t>(w) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      img[static_cast<size_t>(y) * w + x] = solid(1, x * 4, x * 4, x * 4)[0];
  Result flat = quantize_words(img, w, h, w, 4);
  Result dith = quantize_words(img, w, h, w, 4, -1, 0, 1);
  ASSERT_EQ(flat.palette, dith.palette);
  auto block_error = [&](const Result& r) {
    double total = 0;
    for (int bx = 0; bx < w; bx += 8) {
      double sum = 0, want = 0;
      for (int y = 0; y < h; ++y)
        for (int x = bx; x < bx + 8; ++x) {
          sum += (r.palette[r.indices[static_cast<size_t>(y) * w + x]] >> 8) & 255;
          want += x * 4;
        }
      total += std::abs(sum - want) / (8 * h);
    }
    return total;
  };
  EXPECT_LT(block_error(dith), block_error(flat) / 2);

  std::vector<uint32_t> holes = img;
  holes[40] = holes[41] = 0x11223300u;  // transparent colour 0x332211 in format 11
  Result th = quantize_words(holes, w, h, w, 4, 0x332211, 0, 1);
  EXPECT_EQ(th.indices[40], th.count - 1);
  EXPECT_EQ(th.palette.back(), 0x332211u);
}

}  // namespace

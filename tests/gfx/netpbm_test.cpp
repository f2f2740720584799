// Flips, turns and inversion judged by netpbm's own tools on a PPM fixture.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "gfx/bitmap.h"
#include "gfx/pixelloops.h"
#include "gfx/pixelops.h"
#include "gfx/scale.h"
#include "gfx/transform.h"
#include "gfx_test_util.h"

namespace qm {
namespace {

using test::BitmapPtr;

struct Image {
  int32_t w = 0, h = 0;
  std::vector<uint8_t> rgb;
};

Image read_ppm(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string magic;
  int max = 0;
  Image im;
  in >> magic >> im.w >> im.h >> max;
  in.get();
  if (magic != "P6" || max != 255) return Image{};
  im.rgb.resize(size_t(im.w) * size_t(im.h) * 3);
  in.read(reinterpret_cast<char*>(im.rgb.data()), std::streamsize(im.rgb.size()));
  return im;
}

BitmapPtr to_bitmap(const Image& im) {
  BitmapPtr bm(qmos_alloc_bitmap(im.w, im.h));
  for (int32_t y = 0; y < im.h; ++y)
    for (int32_t x = 0; x < im.w; ++x) {
      const uint8_t* p = &im.rgb[(size_t(y) * size_t(im.w) + size_t(x)) * 3];
      qmos_write_pixel(bm.get(), x, y, uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2]);
    }
  return bm;
}

Image from_bitmap(const qmBitmap* bm) {
  Image im{bm->width, bm->height, {}};
  for (int32_t y = 0; y < bm->height; ++y)
    for (int32_t x = 0; x < bm->width; ++x) {
      const uint32_t c = qmos_read_pixel(bm, x, y);
      im.rgb.insert(im.rgb.end(), {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)});
    }
  return im;
}

class Netpbm : public testing::Test {
 protected:
  void SetUp() override {
    source_ = read_ppm(std::string(QM_PPM_FIXTURES) + "/turns.ppm");
    ASSERT_EQ(source_.w, 7);
    ASSERT_EQ(source_.h, 5);
  }
  // The fixture run through a netpbm command, e.g. "pamflip -lr".
  Image tool(const std::string& command) {
    // CTest runs test binaries side by side: the file name must be this process's own.
    const std::string out =
        testing::TempDir() + "netpbm_out_" + std::to_string(getpid()) + ".ppm";
    const std::string cmd =
        command + " " + QM_PPM_FIXTURES + "/turns.ppm > " + out + " 2>/dev/null";
    EXPECT_EQ(std::system(cmd.c_str()), 0) << cmd;
    return read_ppm(out);
  }
  Image source_;
};

TEST_F(Netpbm, FlipsMatchPamflip) {
  for (int32_t horizontal : {1, 0}) {
    SCOPED_TRACE(horizontal);
    BitmapPtr bm = to_bitmap(source_);
    uint8_t scratch[8];
    qmFlipRequest r{bm->pixels, bm->width, bm->height, bm->bytes_per_row / 4, nullptr, 0,
                    nullptr, 0, horizontal, 4, scratch};
    pixels_flip(r);
    const Image expect = tool(horizontal ? "pamflip -lr" : "pamflip -tb");
    EXPECT_EQ(from_bitmap(bm.get()).rgb, expect.rgb);
  }
}

TEST_F(Netpbm, InvertMatchesPnminvert) {
  BitmapPtr bm = to_bitmap(source_);
  pixels_invert(bm->pixels, bm->width, bm->height, bm->bytes_per_row / 4);
  EXPECT_EQ(from_bitmap(bm.get()).rgb, tool("pnminvert").rgb);
}

// Quarter and half turns through the affine resampler, with and without smoothing, are exact.
TEST_F(Netpbm, TurnsMatchPamflip) {
  struct Case { const char* command; double m[4]; } cases[] = {
      {"pamflip -cw", {0, 1, -1, 0}},
      {"pamflip -ccw", {0, -1, 1, 0}},
      {"pamflip -r180", {-1, 0, 0, -1}},
      {"pamflip -lr", {-1, 0, 0, 1}},
  };
  BitmapPtr src = to_bitmap(source_);
  for (const auto& c : cases) {
    const Image expect = tool(c.command);
    for (int32_t smooth : {0, 1}) {
      SCOPED_TRACE(testing::Message() << c.command << " smooth " << smooth);
      int32_t nw, nh;
      double minx, miny;
      rect_transform_corners(c.m, src->width, src->height, &nw, &nh, &minx, &miny);
      ASSERT_EQ(nw, expect.w);
      ASSERT_EQ(nh, expect.h);
      BitmapPtr dst(qmos_alloc_bitmap(nw, nh));
      qmos_fill_bitmap_rect(dst.get(), 0, 0, nw, nh, 0x123456);
      const double block[6] = {c.m[0], c.m[1], c.m[2], c.m[3], -minx, -miny};
      qmTransformJob job{};
      job.source = src->pixels;
      job.dest = dst->pixels;
      job.source_width = src->width;
      job.source_height = src->height;
      job.source_ppr = src->bytes_per_row / 4;
      job.dest_width = nw;
      job.dest_height = nh;
      job.dest_ppr = dst->bytes_per_row / 4;
      job.transform = block;
      job.smooth = smooth;
      job.format = src->format;
      job.bytes_per_pixel = 4;
      transform_pixels(job);
      EXPECT_EQ(from_bitmap(dst.get()).rgb, expect.rgb);
    }
  }
}

}  // namespace
}  // namespace qm

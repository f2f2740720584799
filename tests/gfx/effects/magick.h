// Outside judges of the graphics tests: ImageMagick's convert and netpbm's filters, run on PPM/PAM
// files in a scratch folder. Tests skip (GTEST_SKIP) only when the tool is genuinely absent.
#pragma once

#include <string>
#include <vector>

#include "jpeg_fixture.h"

namespace qmtest {

struct RgbaImage {
  int width = 0, height = 0, channels = 0;  // 3 or 4
  std::vector<uint8_t> data;
};

bool have_tool(const std::string& name);

// Writes img as binary PPM, runs `tool <args with {in} and {out} replaced>` and reads the result
// (PPM or PAM, 8 bits per sample). False when the command or the read fails.
bool run_tool(const std::string& command_line, const RgbImage& img, RgbaImage& out,
              const std::string& out_ext = "ppm");

bool write_ppm(const std::string& path, const RgbImage& img);
bool read_pnm(const std::string& path, RgbaImage& out);

// Peak signal-to-noise ratio over the RGB channels of the given rectangle (infinity when equal).
double psnr(const RgbaImage& a, const RgbaImage& b, int x0, int y0, int x1, int y1);

}  // namespace qmtest

namespace qm {
struct qmBitmap;
struct qmMask;
struct qmAlphaChannel;
}  // namespace qm

namespace qmtest {

// A new player bitmap (format 11) holding the image; free with qm::qmos_free_bitmap.
qm::qmBitmap* bitmap_from_rgb(const RgbImage& img);
// The bitmap's pixels as RGB, plus a fourth channel from the alpha plane or the mask (255 where
// set) when one is given.
RgbaImage rgba_from_bitmap(const qm::qmBitmap* bm, const qm::qmMask* mask = nullptr,
                           const qm::qmAlphaChannel* alpha = nullptr);
// RGB samples of an RgbaImage as an RgbImage (for feeding it to a tool).
RgbImage rgb_of(const RgbaImage& img);

}  // namespace qmtest

// Picture export judged by pngcheck, pngtopam, djpeg, giftext and giftopnm; the JPEG quantisation
// tables against libjpeg-turbo's own jpeg_set_quality.
#include "display/codecs/export.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <map>

#include <jpeglib.h>

#include "display/codecs/picture_save.h"
#include "engine/errcodes.h"
#include "engine/vm.h"
#include "runtime/args.h"
#include "runtime/errors.h"
#include "runtime/plugins/plugins.h"
#include "gfx/bitmap.h"
#include "picture_tools.h"
#include "tests/gfx/gfx_test_util.h"

namespace qm {
namespace {

// A 13 x 7 picture with smooth colours and every kind of alpha.
std::vector<uint32_t> sample_pixels() {
  std::vector<uint32_t> p;
  for (int32_t y = 0; y < 7; ++y)
    for (int32_t x = 0; x < 13; ++x)
      p.push_back(uint32_t((x * 19 + y * 5) & 255) << 24 | uint32_t(x * 18) << 16 |
                  uint32_t(y * 36) << 8 | uint32_t(255 - x * 10 - y * 3));
  return p;
}

// The largest difference of the red, green and blue channels.
int channel_distance(uint32_t a, uint32_t b) {
  int d = 0;
  for (int s = 0; s < 24; s += 8) d = std::max(d, std::abs(int((a >> s) & 255) - int((b >> s) & 255)));
  return d;
}

std::string hex(uint32_t v) {
  char buf[16];
  snprintf(buf, sizeof buf, "%08X", v);
  return buf;
}

TEST(ImageExport, PngPassesPngcheckAndDecodesToTheSourcePixels) {
  for (int32_t alpha : {0, 1}) {
    SCOPED_TRACE(alpha);
    test::Scratch dir;
    const std::string path = dir.file("p.png");
    const std::vector<uint32_t> source = sample_pixels();
    std::vector<uint32_t> pixels = source;
    ASSERT_EQ(image_write_file(IMGFMT_PNG, pixels.data(), 13, 7, path.c_str(), IMAGE_NO_TRANSPARENT,
                               alpha, 90, 256, 0),
              0);
    EXPECT_EQ(pixels, source);  // the caller's pixels are never changed
    int status = -1;
    const std::string check = test::run_tool("pngcheck '" + path + "'", &status);
    EXPECT_EQ(status, 0) << check;
    const auto pam = test::parse_pnm_stream(test::run_tool("pngtopam -alphapam '" + path + "'"));
    ASSERT_EQ(pam.size(), 1u);
    ASSERT_EQ(pam[0].width, 13);
    ASSERT_EQ(pam[0].height, 7);
    for (int32_t i = 0; i < 13 * 7; ++i) {
      const uint32_t want = alpha ? source[size_t(i)] : source[size_t(i)] | 0xFF000000u;
      ASSERT_EQ(hex(pam[0].argb(i % 13, i / 13)), hex(want)) << i;
    }
  }
}

// Zigzag position k holds the coefficient at natural position kZigzag[k].
constexpr int kZigzag[64] = {0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,
                             12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6,  7,  14, 21, 28,
                             35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51,
                             58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

// The writers of the reader formats behind the same dispatch, judged by netpbm.
TEST(ImageExport, BmpAndIlbmDecodeToTheSourcePixels) {
  struct Case {
    int32_t format;
    const char* tool;
  } cases[] = {{IMGFMT_BMP, "bmptopnm"}, {IMGFMT_ILBM, "ilbmtoppm"}};
  const std::vector<uint32_t> source = sample_pixels();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tool);
    test::Scratch dir;
    const std::string path = dir.file("p");
    std::vector<uint32_t> pixels = source;
    ASSERT_EQ(image_write_file(c.format, pixels.data(), 13, 7, path.c_str(), IMAGE_NO_TRANSPARENT, 0, 90,
                               256, 0),
              0);
    EXPECT_EQ(pixels, source);
    const auto ppm = test::parse_pnm_stream(test::run_tool(std::string(c.tool) + " '" + path + "'"));
    ASSERT_EQ(ppm.size(), 1u);
    ASSERT_EQ(ppm[0].width, 13);
    ASSERT_EQ(ppm[0].height, 7);
    for (int32_t i = 0; i < 13 * 7; ++i)
      ASSERT_EQ(hex(ppm[0].argb(i % 13, i / 13) & 0xFFFFFF), hex(source[size_t(i)] & 0xFFFFFF)) << i;
  }
}

// The DQT tables of a JPEG stream, in natural order, by table number.
std::map<int, std::vector<uint16_t>> quant_tables(const std::vector<uint8_t>& jpeg) {
  std::map<int, std::vector<uint16_t>> tables;
  for (size_t i = 2; i + 4 < jpeg.size() && jpeg[i] == 0xFF;) {
    const uint8_t marker = jpeg[i + 1];
    const size_t len = size_t(jpeg[i + 2]) << 8 | jpeg[i + 3];
    if (marker == 0xDB)
      for (size_t at = i + 4; at < i + 2 + len;) {
        const int precision = jpeg[at] >> 4, id = jpeg[at] & 15;
        std::vector<uint16_t> t(64);
        for (int k = 0; k < 64; ++k)
          t[size_t(kZigzag[k])] =
              precision ? uint16_t(jpeg[at + 1 + 2 * size_t(k)] << 8 | jpeg[at + 2 + 2 * size_t(k)])
                        : jpeg[at + 1 + size_t(k)];
        tables[id] = t;
        at += 1 + 64 * size_t(precision ? 2 : 1);
      }
    if (marker == 0xDA) break;
    i += 2 + len;
  }
  return tables;
}

// What jpeg_set_quality makes of a quality, for tables 0 (luminance) and 1 (chrominance).
std::map<int, std::vector<uint16_t>> reference_tables(int quality) {
  jpeg_compress_struct cinfo;
  jpeg_error_mgr err;
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_compress(&cinfo);
  cinfo.in_color_space = JCS_RGB;
  cinfo.input_components = 3;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  std::map<int, std::vector<uint16_t>> tables;
  for (int id = 0; id < 2; ++id)
    tables[id] = std::vector<uint16_t>(cinfo.quant_tbl_ptrs[id]->quantval,
                                       cinfo.quant_tbl_ptrs[id]->quantval + 64);
  jpeg_destroy_compress(&cinfo);
  return tables;
}

TEST(ImageExport, JpegIsBaselineJfifWithTheQualityTables) {
  const std::vector<uint32_t> source = sample_pixels();
  std::map<int, std::vector<std::vector<uint16_t>>> seen;
  for (int quality : {90, 100}) {
    SCOPED_TRACE(quality);
    qmJpegRequest r{source.data(), 13 * 4, 13, 7, quality, {}, 0};
    platform_jpeg_encode_memory(&r);
    ASSERT_EQ(r.error, 0);
    const std::vector<uint8_t> jpeg(r.data.bytes, r.data.bytes + r.data.length);
    picture_data_release(&r.data);
    ASSERT_GT(jpeg.size(), 20u);
    EXPECT_EQ(jpeg[2], 0xFF);
    EXPECT_EQ(jpeg[3], 0xE0);  // APP0 at byte 2
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&jpeg[6]), 5), std::string("JFIF\0", 5));
    const auto tables = quant_tables(jpeg);
    EXPECT_EQ(tables, reference_tables(quality));
    // Baseline: a SOF0 frame.
    bool sof0 = false;
    for (size_t i = 0; i + 1 < jpeg.size(); ++i) sof0 |= jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0;
    EXPECT_TRUE(sof0);
  }
  EXPECT_NE(reference_tables(90), reference_tables(100));
}

TEST(ImageExport, JpegFileDecodesWithDjpegWithinTolerance) {
  test::Scratch dir;
  const std::string path = dir.file("p.jpg");
  const std::vector<uint32_t> source = sample_pixels();
  std::vector<uint32_t> pixels = source;
  ASSERT_EQ(image_write_file(IMGFMT_JPEG, pixels.data(), 13, 7, path.c_str(), IMAGE_NO_TRANSPARENT, 1,
                             100, 256, 0),
            0);
  EXPECT_EQ(pixels, source);
  const auto ppm = test::parse_pnm_stream(test::run_tool("djpeg -pnm '" + path + "'"));
  ASSERT_EQ(ppm.size(), 1u);
  ASSERT_EQ(ppm[0].width, 13);
  // Chroma is subsampled 2 x 2: single samples may stray further than the average.
  int worst = 0, total = 0;
  for (int32_t i = 0; i < 13 * 7; ++i) {
    const int d = channel_distance(ppm[0].argb(i % 13, i / 13), source[size_t(i)]);
    worst = std::max(worst, d);
    total += d;
  }
  EXPECT_LE(worst, 32);
  EXPECT_LE(total / (13 * 7), 6);
}

struct GifExport {
  uint32_t transparent;
  int32_t alpha;
  std::string control;      // giftext: disposal, transparency, delay, index
  std::vector<uint8_t> shown;  // giftopnm's alpha per pixel, 255 opaque
};

TEST(ImageExport, GifDeclaresTransparencyOnlyWhenThePictureHasIt) {
  // Four pixels: red, green, blue, and a half-transparent grey whose colour is the key.
  const std::vector<uint32_t> source{0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0x40808080};
  const GifExport cases[] = {
      {IMAGE_NO_TRANSPARENT, 0, "1 no 0 -1", {255, 255, 255, 255}},
      {0x808080, 0, "1 yes 0 3", {255, 255, 255, 0}},
      {IMAGE_NO_TRANSPARENT, 1, "1 yes 0 4", {255, 255, 255, 0}},
  };
  for (const GifExport& c : cases) {
    SCOPED_TRACE(c.control);
    test::Scratch dir;
    const std::string path = dir.file("p.gif");
    std::vector<uint32_t> pixels = source;
    ASSERT_EQ(image_write_file(IMGFMT_GIF, pixels.data(), 4, 1, path.c_str(), c.transparent, c.alpha, 90,
                               256, 0),
              0);
    EXPECT_EQ(pixels, source);
    const std::string text = test::run_tool("giftext '" + path + "'");
    const size_t at = text.find("Disposal Mode: ");
    ASSERT_NE(at, std::string::npos) << text;
    std::vector<std::string> values;
    for (size_t i = at; values.size() < 5; i = text.find('\n', i) + 1)
      values.push_back(text.substr(text.find(": ", i) + 2, text.find('\n', i) - text.find(": ", i) - 2));
    EXPECT_EQ(values[0] + " " + values[2] + " " + values[3] + " " + values[4], c.control) << text;
    test::run_tool("giftopnm -alphaout='" + dir.file("a.pbm") + "' '" + path + "'");
    const auto rgb = test::parse_pnm_stream(test::run_tool("giftopnm '" + path + "'"));
    const auto alpha = test::parse_pnm_stream(test::run_tool("cat '" + dir.file("a.pbm") + "'"));
    ASSERT_EQ(rgb.size(), 1u);
    // The quantiser answers with the centres of its colour cells.
    for (int32_t x = 0; x < 3; ++x) EXPECT_LE(channel_distance(rgb[0].argb(x, 0), source[size_t(x)]), 4) << x;
    if (c.shown[3] == 255) {
      EXPECT_TRUE(alpha.empty() || alpha[0].samples == c.shown);
    } else {
      ASSERT_EQ(alpha.size(), 1u);
      EXPECT_EQ(alpha[0].samples, c.shown);
    }
  }
}

TEST(ImageExport, BuildArgbReplacesHiddenPixelsWithTheColour) {
  test::BitmapPtr bm(qmos_alloc_bitmap(4, 1));
  const uint32_t colours[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0x123456};
  for (int32_t x = 0; x < 4; ++x) qmos_write_pixel(bm.get(), x, 0, colours[x]);
  test::MaskPtr mask(qmos_alloc_mask(4, 1, 1));
  mask_bit_set(mask->data, 0);
  mask_bit_set(mask->data, 2);
  test::AlphaPtr alpha(qmos_alloc_alpha(4, 1, 1));
  alpha->data[0] = 255, alpha->data[1] = 0, alpha->data[2] = 128, alpha->data[3] = 0;
  struct Case {
    const qmMask* mask;
    const qmAlphaChannel* alpha;
    int32_t mode;
    std::vector<uint32_t> want;
  } cases[] = {
      {nullptr, nullptr, 0, {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFF123456}},
      {mask.get(), nullptr, 1, {0xFFFF0000, 0x0000FF00, 0xFF0000FF, 0x00123456}},
      {mask.get(), nullptr, 0, {0xFFFF0000, 0x00F0F0F0, 0xFF0000FF, 0x00F0F0F0}},
      {nullptr, alpha.get(), 0, {0xFFFF0000, 0x00F0F0F0, 0x800000FF, 0x00F0F0F0}},
  };
  for (const Case& c : cases) {
    uint32_t* p = image_build_argb(bm.get(), 4, 1, c.mask, c.alpha, 0xF0F0F0, c.mode);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(std::vector<uint32_t>(p, p + 4), c.want);
    qmos_free_pixels(p);
  }
}

// Formats of image-saver plug-ins: a saver that takes ARGB gets a copy of the pixels with their
// alpha; one that takes palette pictures gets them reduced, with the transparent entry last.
TEST(ImageExport, PluginSaversGetArgbOrPalettePictures) {
  qmState* L = vm_open();
  ASSERT_NE(L, nullptr);
  err_install(L);
  testing::internal::CaptureStdout();
  ASSERT_EQ(register_plugin_formats(L, QM_SAVER_DIR "/player"), 0);
  testing::internal::GetCapturedStdout();
  test::Scratch dir;
  const std::vector<uint32_t> source{0xFFFF0000, 0x80123456, 0x00ABCDEF};
  std::vector<uint32_t> pixels = source;
  const std::string path = dir.file("out.txt");
  auto saved = [&](int32_t format) {
    EXPECT_EQ(image_write_file(format, pixels.data(), 3, 1, path.c_str(), IMAGE_NO_TRANSPARENT, 1, 75, 256, 0), 0);
    const std::vector<uint8_t> b = test::read_bytes(path);
    return std::string(b.begin(), b.end());
  };
  EXPECT_EQ(saved(201), "3 1 12 0 75 0 0 1\nFFFF0000 80123456 00ABCDEF \n");
  // Three colours and the reserved entry 3 for the pixel without coverage.
  const std::string pal = saved(202);
  EXPECT_EQ(pal.substr(0, pal.find('\n')), "3 1 3 1 75 4 3 2");
  EXPECT_EQ(pal.substr(pal.rfind("000000 ")), "000000 \n");
  EXPECT_EQ(pixels, source);
  EXPECT_EQ(image_write_file(203, pixels.data(), 3, 1, path.c_str(), IMAGE_NO_TRANSPARENT, 0, 90, 256, 0),
            ERR_UNKNOWNIMGOUT);
  plugin_unload_all();
  vm_close_state(L);
}

// The save options are read only from the last argument given: a table field by field, or a
// number for the quality.
TEST(ImageExport, SaveOptionsFromTheLastArgument) {
  qmState* L = vm_open();
  ASSERT_NE(L, nullptr);
  struct Case {
    const char* what;
    int32_t args;  // the options stand at argument 2 of this many
    int kind;      // 0 table {quality 70, colors 16}, 1 number 55, 2 nil
    int32_t quality, colors, dither;
  } cases[] = {
      {"table", 2, 0, 70, 16, 0}, {"number", 2, 1, 55, 256, 0}, {"nil", 2, 2, 90, 256, 0},
      {"not the last argument", 3, 1, 42, 256, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    vm_set_top(L, 0);
    vm_push_string(L, "file");
    if (c.kind == 0) {
      vm_new_table(L);
      table_set_number(L, "quality", 70);
      table_set_number(L, "colors", 16);
    } else if (c.kind == 1) {
      vm_push_number(L, 55);
    } else {
      vm_push_nil(L);
    }
    if (c.args == 3) vm_push_number(L, 1);
    int32_t quality = 42, colors = 256, dither = 0;
    image_read_save_options(L, 2, &quality, &colors, &dither);
    EXPECT_EQ(quality, c.quality);
    EXPECT_EQ(colors, c.colors);
    EXPECT_EQ(dither, c.dither);
  }
  vm_close_state(L);
}

TEST(ImageExport, WriterErrors) {
  test::Scratch dir;
  const std::vector<uint32_t> px(4, 0xFF000000);
  const std::string bad = dir.file("no/such/p");
  struct Case {
    int32_t format, error;
  } cases[] = {{IMGFMT_PNG, ERR_SAVEPNG}, {IMGFMT_JPEG, ERR_WRITEFILE}, {IMGFMT_GIF, ERR_WRITEFILE}};
  for (const Case& c : cases)
    EXPECT_EQ(image_write_file(c.format, px.data(), 2, 2, bad.c_str(), IMAGE_NO_TRANSPARENT, 0, 90, 256, 0), c.error)
        << c.format;
  EXPECT_EQ(image_write_file(5, px.data(), 2, 2, dir.file("x").c_str(), IMAGE_NO_TRANSPARENT, 0, 90, 256, 0),
            ERR_UNKNOWNIMGOUT);
}

}  // namespace
}  // namespace qm

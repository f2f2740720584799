// BMP reading against bmptopnm, writing judged by bmptopnm and one golden file, and the files the
// reader must refuse.
#include <algorithm>

#include "display/codecs/codecs.h"
#include "engine/endian.h"
#include "engine/errcodes.h"
#include "reader_tools.h"

using namespace pictest;

namespace {

// A BMP file of our own making: header, palette and pixel data as given.
std::vector<uint8_t> make_bmp(int32_t width, int32_t height, int32_t bits, uint32_t compression,
                              const std::vector<uint32_t>& palette,
                              const std::vector<uint8_t>& data, uint32_t info_size = 40) {
  std::vector<uint8_t> b(14 + std::max(info_size, 40u) + palette.size() * 4, 0);
  b[0] = 'B';
  b[1] = 'M';
  qm::put_le32(&b[10], uint32_t(b.size()));
  qm::put_le32(&b[14], info_size);
  qm::put_le32(&b[18], uint32_t(width));
  qm::put_le32(&b[22], uint32_t(height));
  qm::put_le16(&b[26], 1);
  qm::put_le16(&b[28], uint16_t(bits));
  qm::put_le32(&b[30], compression);
  qm::put_le32(&b[46], uint32_t(palette.size()));
  for (size_t i = 0; i < palette.size(); ++i) qm::put_le32(&b[14 + info_size + 4 * i], palette[i]);
  b.insert(b.end(), data.begin(), data.end());
  qm::put_le32(&b[2], uint32_t(b.size()));
  return b;
}

Picture load_bytes(const std::string& name, const std::vector<uint8_t>& bytes) {
  write_bytes(tmp(name), bytes);
  return load_ok(tmp(name));
}

TEST(Bmp, DecodesLikeBmptopnm) {
  const std::string d = data_dir();
  // bmptopnm refuses ImageMagick's RLE8 (a run crosses the end of the last row): ImageMagick
  // judges those.
  struct Case {
    const char* name;
    std::string make;
    bool im_peer = false;
  } cases[] = {
      {"bpp1.bmp", "ppmtobmp -bpp=1 " + d + "/seed2.ppm"},
      {"bpp4.bmp", "ppmtobmp -bpp=4 " + d + "/seed16.ppm"},
      {"bpp8.bmp", "ppmtobmp -bpp=8 " + d + "/seed16.ppm"},
      {"bpp24.bmp", "ppmtobmp -bpp=24 " + d + "/seed.ppm"},
      {"bmp3_24.bmp", "convert " + d + "/seed.ppm BMP3:-"},
      {"v5_24.bmp", "convert " + d + "/seed.ppm BMP:-"},
      {"v5_palette.bmp", "convert " + d + "/seed16.ppm -type Palette BMP:-"},
      {"v5_bilevel.bmp", "convert " + d + "/seed2.ppm -type Palette BMP:-"},
      {"rle8.bmp", "convert " + d + "/seed.ppm -colors 200 -type Palette -compress RLE BMP3:-", true},
      {"rle8_runs.bmp", "convert " + d + "/seed16.ppm -type Palette -compress RLE BMP3:-", true},
  };
  for (const Case& c : cases) {
    sh(c.make + " > " + tmp(c.name));
    sh((c.im_peer ? "convert BMP:" + tmp(c.name) + " PPM:-" : "bmptopnm " + tmp(c.name)) + " > " +
       tmp(std::string(c.name) + ".ppm"));
    Picture ours = load_ok(tmp(c.name));
    EXPECT_FALSE(ours.has_alpha) << c.name;
    expect_same(ours, read_pnm(tmp(std::string(c.name) + ".ppm")), 0xFFFFFFFF, c.name);
  }
}

TEST(Bmp, Rle8DeltasEndOfBitmapAndAbsoluteRuns) {
  // 4 x 5, palette 0 grey, 1 red, 2 green, 3 blue. Rows are stored bottom-up.
  std::vector<uint32_t> pal = {0x101010, 0xFF0000, 0x00FF00, 0x0000FF};
  std::vector<uint8_t> rle = {
      3, 1, 0, 0,                 // bottom row: red red red, then index 0 to the end
      0, 6, 2, 3, 2, 3, 1, 1,     // an absolute run longer than the row: read whole, kept to 4
      0, 0,                       // end of line
      0, 2, 2, 1,                 // delta: two right, one up (the row is stored first)
      1, 3,                       // x = 2: blue
      0, 1,                       // end of bitmap: the top row keeps index 0
  };
  Picture p = load_bytes("rle8_codes.bmp", make_bmp(4, 5, 8, 1, pal, rle));
  const uint32_t K = 0x101010, R = 0xFF0000, G = 0x00FF00, B = 0x0000FF;
  std::vector<uint32_t> want = {
      K, K, K, K,  // never reached
      K, K, B, K,  // after the delta
      K, K, K, K,  // passed over by the delta
      G, B, G, B,  // the absolute run, cut at the width
      R, R, R, K,
  };
  EXPECT_EQ(p.pixels, want);

  // Data cut inside a run, and a header that claims more data than the file holds: decoding
  // stops at the end of the file.
  std::vector<uint8_t> cut = {2, 1, 0, 5, 3};
  Picture q = load_bytes("rle8_cut.bmp", make_bmp(2, 2, 8, 1, pal, cut));
  EXPECT_EQ(q.pixels, (std::vector<uint32_t>{K, K, R, R}));
  std::vector<uint8_t> liar = make_bmp(2, 1, 8, 1, pal, {2, 3});
  qm::put_le32(&liar[2], 1u << 30);
  EXPECT_EQ(load_bytes("rle8_liar.bmp", liar).pixels, (std::vector<uint32_t>{B, B}));
}

// A picture as ImageMagick decodes it, alpha in the top byte when the decode has alpha.
Picture im_decode(const std::string& file) {
  sh("convert BMP:" + file + " PAM:- > " + file + ".pam");
  return read_pnm(file + ".pam");
}

TEST(Bmp, SixteenAndThirtyTwoBitsLikeImageMagick) {
  const std::string d = data_dir();
  // The V4 file is ImageMagick's V5 file with the shorter header's size: the masks stand at the
  // same place.
  sh("convert " + d + "/seed_alpha.pam BMP:- > " + tmp("v4_alpha.bmp"));
  std::vector<uint8_t> v4 = read_bytes(tmp("v4_alpha.bmp"));
  qm::put_le32(&v4[14], 108);
  write_bytes(tmp("v4_alpha.bmp"), v4);
  // Hand-made: 5-5-5 and 8-8-8 without bit fields (the top bits are not alpha), and bit fields
  // after the 40-byte header (given as its palette) in 5-6-5 and 10-10-10.
  write_bytes(tmp("rgb16.bmp"),
              make_bmp(3, 1, 16, 0, {}, {0xFF, 0xFF, 0x21, 0x84, 0x10, 0x02, 0, 0}));
  write_bytes(tmp("rgb32.bmp"), make_bmp(2, 1, 32, 0, {}, {1, 2, 3, 0x80, 0xFD, 0xFE, 0xFF, 0x7F}));
  write_bytes(tmp("bf565.bmp"), make_bmp(2, 1, 16, 3, {0xF800, 0x7E0, 0x1F},
                                         {0x41, 0x08, 0xFF, 0xFF}));
  write_bytes(tmp("bf1010.bmp"), make_bmp(2, 1, 32, 3, {0x3FF00000, 0xFFC00, 0x3FF},
                                          {0xFF, 0x03, 0x00, 0x80, 0x00, 0x00, 0x00, 0x20}));
  struct Case {
    const char* name;
    std::string make;  // empty: written above
    bool alpha;
  } cases[] = {
      {"rgb565.bmp", "convert " + d + "/seed.ppm -define bmp:subtype=RGB565 BMP:-", false},
      {"rgb555.bmp", "convert " + d + "/seed.ppm -define bmp:subtype=RGB555 BMP:-", false},
      {"v5_alpha.bmp", "convert " + d + "/seed_alpha.pam BMP:-", true},
      {"bmp3_32.bmp", "convert " + d + "/seed_alpha.pam -define bmp3:alpha=true BMP3:-", false},
      {"v4_alpha.bmp", "", true},
      {"rgb16.bmp", "", false},
      {"rgb32.bmp", "", false},
      {"bf565.bmp", "", false},
      {"bf1010.bmp", "", false},
  };
  for (const Case& c : cases) {
    if (!c.make.empty()) sh(c.make + " > " + tmp(c.name));
    Picture ours = load_ok(tmp(c.name));
    EXPECT_EQ(ours.has_alpha, c.alpha) << c.name;
    // Without alpha the top byte is 0, whatever the peer makes of the unused bits.
    expect_same(ours, im_decode(tmp(c.name)), c.alpha ? 0xFFFFFFFF : 0xFFFFFF, c.name);
    if (!c.alpha) {
      for (uint32_t px : ours.pixels) ASSERT_EQ(px >> 24, 0u) << c.name;
    }
  }
  Picture seed = read_pnm(d + "/seed_alpha.pam");
  expect_same(load_ok(tmp("v5_alpha.bmp")), seed, 0xFFFFFFFF, "the seed itself");

  // With alpha demanded the plane holds the mask's values; a picture without the mask has none.
  qm::qmAlphaChannel* plane = nullptr;
  ASSERT_EQ(qm::imagesource_open(tmp("v4_alpha.bmp").c_str(), nullptr, -1, 0, 1, nullptr, &plane,
                                 nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr),
            0);
  ASSERT_NE(plane, nullptr);
  for (int32_t y = 0; y < seed.height; ++y)
    for (int32_t x = 0; x < seed.width; ++x)
      ASSERT_EQ(plane->data[size_t(y) * size_t(plane->bytes_per_row) + size_t(x)],
                seed.pixels[size_t(y) * size_t(seed.width) + size_t(x)] >> 24);
  qm::qmos_free_alpha(plane);
  EXPECT_EQ(qm::imagesource_open(tmp("bmp3_32.bmp").c_str(), nullptr, -1, 0, 1, nullptr, &plane,
                                 nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr),
            qm::ERR_NOALPHA);
  int32_t w = 0, h = 0, a = 0;
  EXPECT_EQ(qm::image_get_info(tmp("v5_alpha.bmp").c_str(), nullptr, &w, &h, &a), 1);
  EXPECT_EQ(a, 1);
}

TEST(Bmp, ShortPaletteIsBlackBeyondItsEnd) {
  // Two colours declared on an 8-bit picture that uses index 200.
  Picture p = load_bytes("short_pal.bmp", make_bmp(2, 1, 8, 0, {0x123456, 0xABCDEF}, {1, 200, 0, 0}));
  EXPECT_EQ(p.pixels, (std::vector<uint32_t>{0xABCDEF, 0}));
}

TEST(Bmp, LastRowWithoutItsPadding) {
  // 1 x 2, 24 bits: the bottom row padded, the top row's pad byte missing.
  Picture p = load_bytes("no_last_pad.bmp",
                         make_bmp(1, 2, 24, 0, {}, {0x03, 0x02, 0x01, 0, 0x06, 0x05, 0x04}));
  EXPECT_EQ(p.pixels, (std::vector<uint32_t>{0x040506, 0x010203}));
}

TEST(Bmp, RefusesWhatItCannotDecode) {
  std::vector<uint8_t> row24(4 * 3 + 0, 0);
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
    int32_t error;
  } cases[] = {
      {"width0", make_bmp(0, 1, 24, 0, {}, row24), qm::ERR_LOADPICTURE2},
      {"width_negative", make_bmp(-4, 1, 24, 0, {}, row24), qm::ERR_LOADPICTURE2},
      {"height0", make_bmp(4, 0, 24, 0, {}, row24), qm::ERR_LOADPICTURE2},
      {"top_down", make_bmp(4, -1, 24, 0, {}, row24), qm::ERR_LOADPICTURE2},
      {"bitfields24", make_bmp(1, 1, 24, 3, {}, {0, 0, 0, 0}), qm::ERR_LOADPICTURE2},
      {"bitfields_cut", make_bmp(1, 1, 32, 3, {}, {}), qm::ERR_LOADPICTURE2},
      {"bits32_rle8", make_bmp(1, 1, 32, 1, {}, {0, 0, 0, 0}), qm::ERR_LOADPICTURE2},
      {"bits32_truncated", make_bmp(2, 2, 32, 0, {}, {0, 0, 0, 0}), qm::ERR_LOADPICTURE2},
      {"rle4", make_bmp(2, 1, 4, 2, {0, 0}, {0, 1, 0, 1}), qm::ERR_LOADPICTURE2},
      {"os2_header", make_bmp(1, 1, 24, 0, {}, {0, 0, 0, 0}, 12), qm::ERR_LOADPICTURE2},
      {"truncated_data", make_bmp(4, 4, 24, 0, {}, row24), qm::ERR_LOADPICTURE2},
      {"too_wide", make_bmp(40000, 1, 24, 0, {}, row24), qm::ERR_MEM},
      {"too_many_pixels", make_bmp(20000, 20000, 24, 0, {}, row24), qm::ERR_MEM},
      {"header_cut", {'B', 'M', 0, 0, 0, 0}, qm::ERR_LOADPICTURE2},
  };
  for (const Case& c : cases) {
    write_bytes(tmp(c.name), c.bytes);
    Picture p;
    EXPECT_EQ(load(tmp(c.name), &p), c.error) << c.name;
  }
}

TEST(Bmp, WriterGoldenBytesAndRoundTrip) {
  // Width 1: three data bytes and one pad byte per row, bottom row first, alpha dropped.
  const uint32_t two[] = {0xFF112233, 0x00445566};
  ASSERT_EQ(qm::bmp_write(tmp("golden.bmp").c_str(), two, 1, 2), 0);
  std::vector<uint8_t> want = {'B', 'M', 62, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0,
                               1,   0,   0,  0, 2, 0, 0, 0, 1, 0, 24, 0};
  want.resize(54, 0);
  for (uint8_t b : {0x66, 0x55, 0x44, 0x00, 0x33, 0x22, 0x11, 0x00}) want.push_back(b);
  EXPECT_EQ(read_bytes(tmp("golden.bmp")), want);

  expect_round_trip(qm::bmp_write, "written.bmp", "bmptopnm");
  EXPECT_EQ(qm::bmp_write(tmp("nodir/x.bmp").c_str(), two, 1, 2), qm::ERR_WRITEFILE);
}

}  // namespace

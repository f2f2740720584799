// The importer: JPEG against djpeg, TIFF against its source, pictures from memory.
#include <cstdlib>
#include <cstring>

#include "display/codecs/codecs.h"
#include "engine/errcodes.h"
#include "reader_tools.h"

using namespace pictest;

namespace {

// Every component within tolerance; the top byte must be 0 (JPEG has no alpha).
void expect_close(const Picture& ours, const Picture& peer, int32_t tolerance, const char* what) {
  ASSERT_EQ(ours.width, peer.width) << what;
  ASSERT_EQ(ours.height, peer.height) << what;
  for (size_t i = 0; i < ours.pixels.size(); ++i) {
    uint32_t a = ours.pixels[i], b = peer.pixels[i];
    ASSERT_EQ(a >> 24, 0u) << what;
    for (int32_t s = 0; s < 24; s += 8)
      ASSERT_LE(std::abs(int32_t((a >> s) & 255) - int32_t((b >> s) & 255)), tolerance)
          << what << " pixel " << i;
  }
}

Picture import(const std::string& file, int32_t* error = nullptr) {
  Picture p;
  uint32_t* px = nullptr;
  int32_t alpha = -1;
  int32_t err = qm::platform_picture_load(file.c_str(), nullptr, 0, &p.width, &p.height, &px,
                                          &alpha, nullptr);
  if (error) *error = err;
  else EXPECT_EQ(err, 0) << file;
  if (err) return p;
  p.has_alpha = alpha != 0;
  p.pixels.assign(px, px + size_t(p.width) * size_t(p.height));
  qm::qmos_free_pixels(px);
  return p;
}

TEST(Import, JpegLikeDjpeg) {
  const std::string d = data_dir();
  struct Case {
    const char* name;
    std::string make;
  } cases[] = {
      {"rgb.jpg", "cjpeg -quality 90 " + d + "/seed.ppm"},
      {"grey.jpg", "cjpeg -grayscale " + d + "/seed.ppm"},
      {"progressive.jpg", "cjpeg -progressive -optimize " + d + "/seed.ppm"},
      {"exif.jpg", "convert " + d + "/seed.ppm -set exif:Artist q JPEG:-"},
  };
  for (const Case& c : cases) {
    std::string file = tmp(c.name);
    sh(c.make + " > " + file);
    sh("djpeg -pnm " + file + " > " + file + ".ppm");
    Picture ours = load_ok(file);  // through the front end: JFIF or Exif at byte 6
    EXPECT_FALSE(ours.has_alpha);
    expect_close(ours, read_pnm(file + ".ppm"), 1, c.name);
  }
}

TEST(Import, CmykJpegBecomesRgb) {
  // Adobe's inverted CMYK, whose first segment is Adobe's own.
  std::string file = tmp("cmyk.jpg");
  sh("convert " + data_dir() + "/seed.ppm -colorspace CMYK " + file);
  sh("convert " + file + " -colorspace sRGB PPM:" + file + ".ppm");
  Picture ours = load_ok(file);
  EXPECT_FALSE(ours.has_alpha);
  expect_close(ours, read_pnm(file + ".ppm"), 2, "cmyk");
}

TEST(Import, JpegWithAnyFirstSegment) {
  // Real photos begin with a quantisation table (no application segment) or with a segment of
  // another kind: the front end hands every stream to the importer.
  sh("cjpeg " + data_dir() + "/seed.ppm > " + tmp("jfif.jpg"));
  const std::vector<uint8_t> jfif = read_bytes(tmp("jfif.jpg"));
  ASSERT_EQ(jfif[3], 0xE0);
  std::vector<uint8_t> dqt = jfif;
  dqt.erase(dqt.begin() + 2, dqt.begin() + 4 + (jfif[4] << 8 | jfif[5]));
  ASSERT_EQ(dqt[3], 0xDB);
  std::vector<uint8_t> other = jfif;
  std::memcpy(other.data() + 6, "XXXX", 4);
  write_bytes(tmp("dqt.jpg"), dqt);
  write_bytes(tmp("other.jpg"), other);
  for (const char* name : {"dqt.jpg", "other.jpg"}) {
    sh("convert " + tmp(name) + " PPM:" + tmp(name) + ".ppm");
    Picture ours = load_ok(tmp(name));
    EXPECT_FALSE(ours.has_alpha);
    expect_close(ours, read_pnm(tmp(name) + ".ppm"), 1, name);
  }
}

TEST(Import, FromMemoryAndBrokenData) {
  sh("cjpeg " + data_dir() + "/seed.ppm > " + tmp("mem.jpg"));
  std::vector<uint8_t> bytes = read_bytes(tmp("mem.jpg"));
  std::memcpy(bytes.data() + 6, "AVI1", 4);  // a motion-JPEG frame carries no JFIF tag
  Picture ref = import(tmp("mem.jpg"));
  uint32_t* px = nullptr;
  int32_t w = 0, h = 0, a = -1;
  ASSERT_EQ(qm::platform_picture_load_memory(bytes.data(), bytes.size(), &w, &h, &px, &a, nullptr),
            0);
  EXPECT_EQ(w, ref.width);
  EXPECT_EQ(a, 0);
  EXPECT_EQ(std::vector<uint32_t>(px, px + size_t(w) * size_t(h)), ref.pixels);
  qm::qmos_free_pixels(px);

  std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + long(bytes.size() / 2));
  EXPECT_EQ(qm::platform_picture_load_memory(cut.data(), cut.size(), &w, &h, &px, &a, nullptr),
            qm::ERR_LOADPICTURE2);
  std::vector<uint8_t> junk = {0xFF, 0xD8, 0xFF, 0xE0, 0, 2, 0xFF, 0x00};
  EXPECT_EQ(qm::platform_picture_load_memory(junk.data(), junk.size(), &w, &h, &px, &a, nullptr),
            qm::ERR_LOADPICTURE2);
  // Header only: the size without decoding.
  w = h = 0;
  EXPECT_EQ(qm::platform_picture_load_memory(bytes.data(), bytes.size(), &w, &h, nullptr, &a,
                                             nullptr),
            0);
  EXPECT_EQ(w, 37);
  EXPECT_EQ(h, 23);
}

TEST(Import, TiffKeepsStraightAlpha) {
  const std::string d = data_dir();
  Picture rgb = read_pnm(d + "/seed.ppm");
  Picture rgba = read_pnm(d + "/seed_alpha.pam");
  struct Case {
    const char* name;
    std::string make;
    const Picture& want;
  } cases[] = {
      {"plain.tif", "convert " + d + "/seed.ppm -compress None TIFF:-", rgb},
      {"lzw_msb.tif", "convert " + d + "/seed.ppm -compress LZW -endian MSB TIFF:-", rgb},
      {"tiled.tif", "convert " + d + "/seed.ppm -compress LZW -define tiff:tile-geometry=16x16 TIFF:-", rgb},
      {"netpbm.tif", "pnmtotiff " + d + "/seed16.ppm", read_pnm(d + "/seed16.ppm")},
      {"alpha.tif", "convert " + d + "/seed_alpha.pam -compress Zip TIFF:-", rgba},
      {"alpha16.tif", "convert " + d + "/seed_alpha.pam -depth 16 TIFF:-", rgba},
  };
  for (const Case& c : cases) {
    std::string file = tmp(c.name);
    sh(c.make + " > " + file);
    Picture ours = load_ok(file);
    EXPECT_EQ(ours.has_alpha, c.want.has_alpha) << c.name;
    expect_same(ours, c.want, 0xFFFFFFFF, c.name);
  }
  // Rows as stored whatever the orientation tag says, as ImageMagick decodes them.
  for (const char* orient : {"TopRight", "BottomRight", "BottomLeft", "LeftTop", "RightTop",
                             "RightBottom", "LeftBottom"}) {
    std::string file = tmp(std::string("orient_") + orient + ".tif");
    sh("convert " + d + "/seed.ppm -orient " + orient + " TIFF:- > " + file);
    sh("convert " + file + " PPM:" + file + ".ppm");
    expect_same(load_ok(file), read_pnm(file + ".ppm"), 0xFFFFFFFF, orient);
    expect_same(load_ok(file), rgb, 0xFFFFFFFF, orient);
  }
  // Alpha beside grey or palette colours is not kept: the colours load, and alpha demanded fails.
  for (const char* kind :
       {"-colorspace Gray", "-colorspace Gray -depth 16", "-type PaletteAlpha"}) {
    std::string file = tmp("kind.tif");
    sh("convert " + d + "/seed_alpha.pam " + kind + " -define tiff:alpha=unassociated TIFF:- > " +
       file);
    sh("convert " + file + " -alpha off PPM:" + file + ".ppm");
    Picture ours = load_ok(file);
    EXPECT_FALSE(ours.has_alpha) << kind;
    expect_same(ours, read_pnm(file + ".ppm"), 0xFFFFFFFF, kind);
    EXPECT_EQ(qm::imagesource_open(file.c_str(), nullptr, -1, 0, 1, nullptr, nullptr, nullptr,
                                   nullptr, nullptr, nullptr, nullptr, nullptr, nullptr),
              qm::ERR_NOALPHA)
        << kind;
  }
  // Premultiplied alpha is not reported and the colours load as stored, without alpha.
  std::string file = tmp("assoc.tif");
  sh("convert " + d + "/seed_alpha.pam -define tiff:alpha=associated TIFF:- > " + file);
  Picture assoc = load_ok(file);
  EXPECT_FALSE(assoc.has_alpha);
  for (uint32_t p : assoc.pixels) ASSERT_EQ(p >> 24, 0u);

  std::vector<uint8_t> cut = read_bytes(tmp("plain.tif"));
  cut.resize(cut.size() / 2);
  write_bytes(tmp("cut.tif"), cut);
  Picture p;
  EXPECT_EQ(load(tmp("cut.tif"), &p), qm::ERR_LOADPICTURE2);
}

}  // namespace

// PNG reading against pngtopam for every colour type and depth, and broken files.
#include <zlib.h>

#include "display/codecs/codecs.h"
#include "engine/endian.h"
#include "engine/errcodes.h"
#include "reader_tools.h"

using namespace pictest;

namespace {

TEST(Png, DecodesLikePngtopam) {
  const std::string d = data_dir();
  const std::string rgba = "pamtopng " + d + "/seed_alpha.pam | convert - ";
  // pngtopam -alphapam always writes an alpha channel (255 where the picture has none).
  struct Case {
    const char* name;
    std::string make;
    bool alpha;
  } cases[] = {
      {"rgb8.png", "pnmtopng " + d + "/seed.ppm", false},
      {"rgba8.png", "pamtopng " + d + "/seed_alpha.pam", true},
      {"palette.png", "convert " + d + "/seed16.ppm PNG8:-", false},
      {"palette_trns.png", "pnmtopng -transparent=rgb:ff/ff/ff " + d + "/seed16.ppm", true},
      {"rgb_trns.png", "pnmtopng -transparent=rgb:fa/c8/0a " + d + "/seed2.ppm", true},
      {"png24.png", "convert " + d + "/seed.ppm PNG24:-", false},
      {"png32.png", rgba + "PNG32:-", true},
      {"png48.png", "convert " + d + "/seed.ppm -depth 16 PNG48:-", false},
      {"png64.png", rgba + "-depth 16 PNG64:-", true},
      {"grey1.png", "convert " + d + "/seed2.ppm -colorspace Gray -type Bilevel PNG:-", false},
      {"grey8.png", "convert " + d + "/seed.ppm -colorspace Gray -type Grayscale PNG:-", false},
      {"grey_alpha.png", rgba + "-colorspace Gray -type GrayscaleAlpha PNG:-", true},
      {"grey16.png", "convert " + d + "/seed.ppm -colorspace Gray -depth 16 PNG:-", false},
      {"interlaced.png", rgba + "-interlace PNG PNG32:-", true},
  };
  for (const Case& c : cases) {
    std::string file = tmp(c.name);
    sh(c.make + " > " + file);
    sh("pngcheck -q " + file);
    sh("pngtopam -alphapam " + file + " > " + file + ".pam");
    Picture peer = read_pnm(file + ".pam");
    Picture ours = load_ok(file);
    EXPECT_EQ(ours.has_alpha, c.alpha) << c.name;
    if (!c.alpha)
      for (uint32_t& p : peer.pixels) p ^= 0xFF000000;  // opaque: ours leaves the top byte 0
    expect_same(ours, peer, 0xFFFFFFFF, c.name);
  }
  // The interlaced picture is the same as its plain twin.
  expect_same(load_ok(tmp("interlaced.png")), load_ok(tmp("png32.png")), 0xFFFFFFFF, "Adam7");
}

// A one-chunk change with its CRC made right again.
void put_chunk_crc(std::vector<uint8_t>& png, size_t chunk) {
  uint32_t len = qm::get_be32(&png[chunk]);
  uint32_t crc = uint32_t(crc32(0, &png[chunk + 4], uInt(len + 4)));
  qm::put_be32(&png[chunk + 8 + len], crc);
}

TEST(Png, BrokenFilesFailCleanly) {
  sh("pnmtopng " + data_dir() + "/seed.ppm > " + tmp("good.png"));
  const std::vector<uint8_t> good = read_bytes(tmp("good.png"));
  std::vector<uint8_t> cut_idat(good.begin(), good.begin() + long(good.size() * 2 / 3));
  std::vector<uint8_t> cut_end(good.begin(), good.end() - 12);  // IEND missing
  std::vector<uint8_t> bad_crc = good;
  bad_crc[16] ^= 1;  // width in IHDR, CRC left as it was
  std::vector<uint8_t> bad_sig = good;
  bad_sig[5] = 'x';
  std::vector<uint8_t> huge = good;
  qm::put_be32(&huge[16], 40000);
  put_chunk_crc(huge, 8);
  std::vector<uint8_t> zero = good;
  qm::put_be32(&zero[16], 0);
  put_chunk_crc(zero, 8);
  struct Case {
    const char* name;
    const std::vector<uint8_t>& bytes;
    int32_t error;
  } cases[] = {
      {"cut_idat.png", cut_idat, qm::ERR_LOADPICTURE2},
      {"cut_end.png", cut_end, qm::ERR_LOADPICTURE2},
      {"bad_crc.png", bad_crc, qm::ERR_LOADPICTURE2},
      {"bad_sig.png", bad_sig, qm::ERR_LOADPICTURE2},
      {"zero_width.png", zero, qm::ERR_LOADPICTURE2},
      {"too_wide.png", huge, qm::ERR_MEM},
  };
  for (const Case& c : cases) {
    write_bytes(tmp(c.name), c.bytes);
    Picture p;
    EXPECT_EQ(load(tmp(c.name), &p), c.error) << c.name;
  }
  int32_t err = -1;
  EXPECT_EQ(qm::png_load(tmp("missing.png").c_str(), nullptr, nullptr, nullptr, nullptr, &err),
            qm::ERR_READFILE);
  EXPECT_EQ(err, qm::ERR_READFILE);
}

}  // namespace

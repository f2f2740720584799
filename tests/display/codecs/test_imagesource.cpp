// The front end: detection by content, alpha planes, reference counts, linked files.
#include <cstring>

#include "display/codecs/codecs.h"
#include "engine/errcodes.h"
#include "reader_tools.h"
#include "runtime/vfile.h"

using namespace pictest;

namespace {

std::string seed() { return data_dir() + "/seed.ppm"; }

TEST(ImageSource, DetectsByContentNotByName) {
  sh("pnmtopng " + seed() + " > " + tmp("png_named.bmp"));
  sh("ppmtobmp " + seed() + " > " + tmp("bmp_named.png"));
  Picture peer = read_pnm(seed());
  expect_same(load_ok(tmp("png_named.bmp")), peer, 0xFFFFFFFF, "png named .bmp");
  expect_same(load_ok(tmp("bmp_named.png")), peer, 0xFFFFFFFF, "bmp named .png");
}

TEST(ImageSource, GifLoadsAsAStillPicture) {
  // Two frames: the picture is the first, without alpha, as giftopnm shows it.
  sh("convert " + data_dir() + "/seed16.ppm " + data_dir() + "/seed2.ppm " + tmp("anim.gif"));
  sh("giftopnm " + tmp("anim.gif") + " > " + tmp("anim.ppm"));
  Picture still = load_ok(tmp("anim.gif"));
  EXPECT_FALSE(still.has_alpha);
  expect_same(still, read_pnm(tmp("anim.ppm")), 0xFFFFFFFF, "first frame");
  expect_same(still, read_pnm(data_dir() + "/seed16.ppm"), 0xFFFFFFFF, "first frame");
}

TEST(ImageSource, RefusesWhatNoReaderKnows) {
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
  } cases[] = {
      {"anim.iff", {'F', 'O', 'R', 'M', 0, 0, 0, 4, 'A', 'N', 'I', 'M'}},
      {"sound.iff", {'F', 'O', 'R', 'M', 0, 0, 0, 4, '8', 'S', 'V', 'X'}},
      {"jpeg_junk.jpg", {0xFF, 0xD8, 0xFF, 0xE0, 0, 2, 0xFF, 0x00}},
      {"text.txt", {'h', 'e', 'l', 'l', 'o'}},
      {"empty", {}},
  };
  for (const Case& c : cases) {
    write_bytes(tmp(c.name), c.bytes);
    Picture p;
    EXPECT_EQ(load(tmp(c.name), &p), qm::ERR_LOADPICTURE2) << c.name;
    EXPECT_EQ(qm::image_get_info(tmp(c.name).c_str(), nullptr, nullptr, nullptr, nullptr), 0);
  }
  Picture p;
  EXPECT_EQ(load(tmp("missing.png"), &p), qm::ERR_READFILE);
  EXPECT_EQ(qm::image_get_info(tmp("missing.png").c_str(), nullptr, nullptr, nullptr, nullptr), 0);
}

TEST(ImageSource, InfoReadsHeadersOnly) {
  sh("pnmtopng " + seed() + " > " + tmp("info.png"));
  // A picture whose data is cut away still answers from its header.
  std::vector<uint8_t> bytes = read_bytes(tmp("info.png"));
  bytes.resize(60);
  write_bytes(tmp("info_cut.png"), bytes);
  int32_t vec = -1, w = 0, h = 0, a = -1;
  EXPECT_EQ(qm::image_get_info(tmp("info_cut.png").c_str(), &vec, &w, &h, &a), 1);
  EXPECT_EQ(vec, 0);
  EXPECT_EQ(w, 37);
  EXPECT_EQ(h, 23);
  EXPECT_EQ(a, 0);
  Picture p;
  EXPECT_EQ(load(tmp("info_cut.png"), &p), qm::ERR_LOADPICTURE2);
}

TEST(ImageSource, AlphaPlaneOnlyFromPicturesWithAlpha) {
  sh("pamtopng " + data_dir() + "/seed_alpha.pam > " + tmp("alpha.png"));
  sh("ppmtobmp " + seed() + " > " + tmp("noalpha.bmp"));
  Picture peer = read_pnm(data_dir() + "/seed_alpha.pam");

  qm::qmImageSource* src = nullptr;
  qm::qmAlphaChannel* alpha = nullptr;
  int32_t w = 0, h = 0, has = 0;
  ASSERT_EQ(qm::imagesource_open(tmp("alpha.png").c_str(), nullptr, -1, 0, 1, &src, &alpha,
                                 nullptr, nullptr, &w, &h, nullptr, &has, nullptr),
            0);
  ASSERT_NE(alpha, nullptr);
  EXPECT_EQ(has, 1);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x)
      ASSERT_EQ(alpha->data[y * alpha->bytes_per_row + x], peer.pixels[size_t(y * w + x)] >> 24);
  qm::qmos_free_alpha(alpha);
  qm::imagesource_release(src);

  src = reinterpret_cast<qm::qmImageSource*>(1);
  EXPECT_EQ(qm::imagesource_open(tmp("noalpha.bmp").c_str(), nullptr, -1, 0, 1, &src, &alpha,
                                 nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr),
            qm::ERR_NOALPHA);
  EXPECT_EQ(src, reinterpret_cast<qm::qmImageSource*>(1));  // nothing handed out
}

TEST(ImageSource, ReferenceCountsAndEmptySources) {
  qm::qmImageSource* s = qm::imagesource_new_empty(64, 32);
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(qm::imagesource_owns_pixels(s), 1);
  qm::imagesource_pixels(s)[64 * 32 - 1] = 7;  // the whole buffer is there (ASan checks)
  qm::imagesource_retain(s);
  qm::imagesource_release(s);
  EXPECT_EQ(s->refcount, 1);
  qm::imagesource_release(s);  // freed here, once (ASan would report a double free)
  EXPECT_EQ(qm::imagesource_new_empty(32768, 1), nullptr);
  EXPECT_EQ(qm::imagesource_new_empty(20000, 20000), nullptr);
}

TEST(ImageSource, LinkedFileLoadsLikeARealOne) {
  sh("pnmtopng " + seed() + " > " + tmp("inner.png"));
  std::vector<uint8_t> inner = read_bytes(tmp("inner.png"));
  std::vector<uint8_t> host(100, 0xAB);
  host.insert(host.end(), inner.begin(), inner.end());
  host.insert(host.end(), 50, 0xCD);
  write_bytes(tmp("host.bin"), host);
  char name[VFILE_NAME_SIZE];
  ASSERT_EQ(vfile_make_chunk_name("pic.png", name, sizeof name, 100, inner.size(), 0,
                                  tmp("host.bin").c_str()),
            1);
  expect_same(load_ok(name), read_pnm(seed()), 0xFFFFFFFF, "linked png");
}

}  // namespace

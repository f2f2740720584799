// The image cache: a second load of the same file is served from the cache, sharing the decoded
// picture, and freeing the cache releases each picture exactly once.
#include "display/codecs/imagecache.h"

#include <gtest/gtest.h>

#include "display/codecs/codecs.h"
#include "display/codecs/export.h"
#include "engine/errcodes.h"
#include "gfx/bitmap.h"
#include "picture_tools.h"

namespace qm {
namespace {

// What the brush and anim loaders do with their "cache" option.
int32_t load_cached(const std::string& name, int32_t want_alpha, qmImageSource** source,
                    qmAlphaChannel** alpha) {
  int32_t w = 0, h = 0, ppr = 0, has_alpha = 0;
  if (imagecache_find(name.c_str(), want_alpha, &w, &h, nullptr, source, alpha, nullptr) == 0) return 0;
  int32_t rc = imagesource_open(name.c_str(), nullptr, -1, 0, want_alpha, source, alpha, nullptr, nullptr, &w,
                                &h, &ppr, &has_alpha, nullptr);
  if (rc) return rc;
  return imagecache_add(name.c_str(), w, h, ppr, *source, alpha ? *alpha : nullptr, has_alpha);
}

TEST(ImageCache, SecondLoadSharesThePictureAndFreeReleasesItOnce) {
  test::Scratch dir;
  const std::string path = dir.file("Pic.png");
  const std::vector<uint32_t> px{0xFF102030, 0x80405060, 0x00708090, 0xFFA0B0C0};
  ASSERT_EQ(image_write_file(IMGFMT_PNG, px.data(), 2, 2, path.c_str(), IMAGE_NO_TRANSPARENT, 1, 90, 256, 0), 0);

  const int64_t hits = imagecache_hits();
  qmImageSource *first = nullptr, *second = nullptr;
  qmAlphaChannel *alpha1 = nullptr, *alpha2 = nullptr;
  ASSERT_EQ(load_cached(path, 1, &first, &alpha1), 0);
  EXPECT_EQ(imagecache_hits(), hits);
  // Names compare without regard to case.
  const std::string upper = dir.file("PIC.PNG");
  ASSERT_EQ(load_cached(upper, 1, &second, &alpha2), 0);
  EXPECT_EQ(imagecache_hits(), hits + 1);
  EXPECT_EQ(second, first);
  EXPECT_EQ(first->refcount, 3);  // the cache and the two loads
  // Each load has an alpha plane of its own with the same values.
  ASSERT_NE(alpha1, nullptr);
  ASSERT_NE(alpha2, nullptr);
  EXPECT_NE(alpha1->data, alpha2->data);
  for (int32_t y = 0; y < 2; ++y)
    for (int32_t x = 0; x < 2; ++x) {
      EXPECT_EQ(alpha2->data[y * alpha2->bytes_per_row + x], px[size_t(y * 2 + x)] >> 24);
      EXPECT_EQ(alpha1->data[y * alpha1->bytes_per_row + x], alpha2->data[y * alpha2->bytes_per_row + x]);
    }
  qmos_free_alpha(alpha1);
  qmos_free_alpha(alpha2);

  // Freeing one user keeps the picture for the other.
  imagesource_release(first);
  EXPECT_EQ(second->refcount, 2);
  EXPECT_EQ(imagesource_pixels(second)[3] & 0xFFFFFF, 0xA0B0C0u);
  imagesource_release(second);
  EXPECT_EQ(second->refcount, 1);
  // The cache's reference goes last (ASan reports a double release or a leak).
  imagecache_free_all();
  EXPECT_EQ(imagecache_find(path.c_str(), 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr),
            ERR_CACHEERROR);
}

TEST(ImageCache, AlphaWantedButNoneStored) {
  test::Scratch dir;
  const std::string path = dir.file("opaque.gif");
  const std::vector<uint32_t> px{0xFF102030, 0xFF405060};
  ASSERT_EQ(image_write_file(IMGFMT_GIF, px.data(), 2, 1, path.c_str(), IMAGE_NO_TRANSPARENT, 0, 90, 256, 0), 0);
  qmImageSource* src = nullptr;
  ASSERT_EQ(load_cached(path, 0, &src, nullptr), 0);
  imagesource_release(src);
  int32_t w = 0, h = 0, word1 = -1, word2 = -1;
  qmAlphaChannel* alpha = nullptr;
  EXPECT_EQ(imagecache_find(path.c_str(), 1, &w, &h, &word1, &src, &alpha, &word2), ERR_CACHEERROR);
  EXPECT_EQ(alpha, nullptr);
  ASSERT_EQ(imagecache_find(path.c_str(), 0, &w, &h, &word1, &src, nullptr, &word2), 0);
  EXPECT_EQ(w, 2);
  EXPECT_EQ(h, 1);
  EXPECT_EQ(word1, 2);  // the words come back as the loader stored them
  EXPECT_EQ(word2, 0);
  imagesource_release(src);
  imagecache_free_all();
}

}  // namespace
}  // namespace qm

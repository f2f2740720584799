// The image cache list.
#include "display/codecs/imagecache.h"

#include <new>
#include <string>
#include <vector>

#include "display/codecs/codecs.h"
#include "engine/errcodes.h"
#include "engine/latin1.h"
#include "gfx/bitmap.h"

namespace qm {

namespace {

constexpr size_t kNameMax = 1023;

struct CacheEntry {
  std::string name;
  int32_t width, height;
  int32_t word1, word2;
  qmImageSource* source;  // one reference held
  qmAlphaChannel* alpha;  // our copy, or null
};

std::vector<CacheEntry>& cache() {
  static std::vector<CacheEntry> entries;
  return entries;
}

int64_t g_hits = 0;

}  // namespace

int32_t imagecache_add(const char* name, int32_t width, int32_t height, int32_t word1,
                       qmImageSource* source, const qmAlphaChannel* alpha, int32_t word2) {
  qmAlphaChannel* copy = nullptr;
  if (alpha) {
    copy = alpha_plane_copy(alpha, width, height);
    if (!copy) return ERR_MEM;
  }
  try {
    std::string key(name);
    if (key.size() > kNameMax) key.resize(kNameMax);
    cache().push_back(CacheEntry{std::move(key), width, height, word1, word2, source, copy});
  } catch (const std::bad_alloc&) {
    qmos_free_alpha(copy);
    return ERR_MEM;
  }
  imagesource_retain(source);
  return 0;
}

int32_t imagecache_find(const char* name, int32_t want_alpha, int32_t* width, int32_t* height,
                        int32_t* word1, qmImageSource** source, qmAlphaChannel** alpha,
                        int32_t* word2) {
  for (const CacheEntry& e : cache()) {
    if (str_case_ncmp(e.name.c_str(), name, kNameMax) != 0) continue;
    if (want_alpha && !e.alpha) return ERR_CACHEERROR;
    if (want_alpha && alpha) {
      *alpha = alpha_plane_copy(e.alpha, e.width, e.height);
      if (!*alpha) return ERR_MEM;
    }
    if (width) *width = e.width;
    if (height) *height = e.height;
    if (word1) *word1 = e.word1;
    if (word2) *word2 = e.word2;
    if (source) {
      imagesource_retain(e.source);
      *source = e.source;
    }
    ++g_hits;
    return 0;
  }
  return ERR_CACHEERROR;
}

void imagecache_free_all() {
  for (CacheEntry& e : cache()) {
    imagesource_release(e.source);
    qmos_free_alpha(e.alpha);
  }
  cache().clear();
}

int64_t imagecache_hits() { return g_hits; }

}  // namespace qm

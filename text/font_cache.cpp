// The font cache: the one way scripts open fonts. It owns every font it opened until the text
// library's clean-up.
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "engine/errcodes.h"
#include "engine/latin1.h"
#include "runtime/vfile.h"
#include "text/font_driver.h"

using namespace qm;

namespace {

struct CacheEntry {
  std::string name;  // after the pseudo names are mapped
  int32_t size;
  int32_t engine;
  int32_t cache;
  qmFont* font;
};
std::vector<CacheEntry> g_cache;

struct PseudoName {
  const char* pseudo;
  const char* name;
  bool inbuilt;  // the engine becomes 4
};
constexpr PseudoName kPseudoNames[] = {
    {":::default_bitmap", "quill", false},
    {":::default_truetype", "Bitstream Vera Sans", true},
    {":::default_sans", "Bitstream Vera Sans", true},
    {":::default_serif", "Bitstream Vera Serif", true},
    {":::default_mono", "Bitstream Vera Sans Mono", true},
};

qmFont* lookup(const std::string& name, int32_t size, int32_t engine, int32_t cache) {
  for (const CacheEntry& e : g_cache) {
    if (e.cache == cache && e.engine == engine && e.size == size &&
        str_case_cmp(e.name.c_str(), name.c_str()) == 0)
      return e.font;
  }
  return nullptr;
}

int32_t open_into_cache(const std::string& name, int32_t size, int32_t engine, int32_t cache,
                        int32_t linked, qmFont** out) {
  if (qmFont* font = lookup(name, size, engine, cache)) {
    font_set_scale(font, 1.0, 1.0);
    *out = font;
    return 0;
  }
  qmFont* font = nullptr;
  if (int32_t err = font_open(name.c_str(), size, engine, cache, linked, &font)) return err;
  try {
    g_cache.push_back(CacheEntry{name, size, engine, cache, font});
  } catch (const std::bad_alloc&) {
    font_close(font);
    return ERR_MEM;
  }
  *out = font;
  return 0;
}

}  // namespace

int32_t font_open_cached(const char* name, int32_t size, int32_t engine, int32_t cache,
                         int32_t linked, qmFont** out) {
  *out = nullptr;
  std::string wanted = name;
  bool mapped = false;
  for (const PseudoName& p : kPseudoNames) {
    if (std::strcmp(name, p.pseudo) == 0) {
      wanted = p.name;
      if (p.inbuilt) engine = FONTENGINE_INBUILT;
      mapped = true;
      break;
    }
  }
  if (!mapped && !vfile_is_virtual(name)) {
    // A native font is named, never given as a file.
    const std::string base = vfile_basename(name);
    if (engine != FONTENGINE_INBUILT && base.size() != wanted.size()) return ERR_FONTPATH;
    if (wanted.size() >= 5 && str_case_cmp(wanted.c_str() + wanted.size() - 5, ".font") == 0)
      wanted.resize(wanted.size() - 5);
  }
  const int32_t err = open_into_cache(wanted, size, engine, cache, linked, out);
  if (err == 0 || engine != FONTENGINE_INBUILT) return err;
  return open_into_cache(wanted, size, FONTENGINE_NATIVE, cache, linked, out);
}

void font_cache_free_all() {
  for (const CacheEntry& e : g_cache) font_close(e.font);
  std::vector<CacheEntry>().swap(g_cache);
}

void font_cache_free_vector_fonts() {
  for (const CacheEntry& e : g_cache) font_release_vector_font(e.font);
}

void font_cache_free_glyph_caches(const qmFont* only) {
  for (const CacheEntry& e : g_cache) {
    if (!only || e.font == only) font_free_glyph_cache(e.font);
  }
}

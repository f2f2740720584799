// The font driver: opening by engine, dispatch by kind, scaling, linked font chunks, the font
// folders and UTF-8 decoding.
#include "text/font_driver.h"

#include <algorithm>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>

#include "engine/endian.h"
#include "engine/errcodes.h"
#include "engine/latin1.h"
#include "engine/numconv.h"
#include "engine/strutil.h"
#include "gfx/bitmap.h"
#include "platform/fonts.h"
#include "runtime/errors.h"
#include "runtime/os/qmos.h"
#include "runtime/plugins/plugins.h"
#include "runtime/vfile.h"
#include "text/bitmap_font.h"
#include "text/code_points.h"
#include "text/font_list.h"
#include "text/truetype.h"

using namespace qm;

namespace {

constexpr int32_t kMaxFontSize = 32767;

qmFont* g_default = nullptr;
FontVectorRelease g_vector_release = nullptr;
std::vector<std::string> g_paths;

bool ends_with_nocase(const std::string& text, const char* tail) {
  const size_t n = std::strlen(tail);
  return text.size() >= n && str_case_cmp(text.c_str() + text.size() - n, tail) == 0;
}

// The message of ERR_OPENFONT names the font and the size.
int32_t open_failed(const char* name, int32_t size) {
  const std::string shown = vfile_is_virtual(name) ? vfile_basename(name) : std::string(name);
  char text[1024];
  std::snprintf(text, sizeof text, "Cannot open font %s with size %" PRId32 "!", shown.c_str(),
                size);
  err_set_string_arg(text);
  err_set_number_arg(size);
  return ERR_OPENFONT;
}

// A font linked into the applet: a big-endian flags word, then either a bitmap font contents file
// (flag 2 clear) or platform font data (flag 2 set), after a length and that many bytes of the
// platform's own data when flag 4 is set too. The name becomes the virtual name of what follows.
int32_t read_linked_chunk(const char* name, std::string* rebuilt, bool* platform) {
  err_set_string_arg(name);
  qmVirtualName v;
  if (!vfile_parse_name(name, &v) || v.memory) return ERR_READFILE;
  qmFileHandle* h = qmos_open(name, QMOS_MODE_READ);
  if (!h) return ERR_READFILE;
  uint8_t word[4];
  uint64_t skip = 4;
  bool ok = qmos_read(h, word, 4) == 4;
  const uint32_t flags = ok ? get_be32(word) : 0;
  *platform = (flags & 2) != 0;
  if (ok && (flags & 6) == 6) {
    // The platform data's length comes from the file: it must lie within the chunk.
    ok = qmos_read(h, word, 4) == 4 && get_be32(word) <= v.length - 8;
    if (ok) skip = 8 + uint64_t(get_be32(word));
  }
  qmos_close(h);
  if (!ok || skip > v.length) return ERR_READFILE;
  char out[VFILE_NAME_SIZE];
  if (!vfile_make_chunk_name(v.display.c_str(), out, sizeof out, int64_t(v.offset + skip),
                             v.length - skip, 0, v.host.c_str()))
    return ERR_READFILE;
  *rebuilt = out;
  return 0;
}

// Engine 0: a bitmap font file, then the platform engine, as the chunk (if any) allows.
bool open_native(const char* name, int32_t size, bool chunk, bool bitmap_allowed,
                 bool platform_allowed, qmFont* font) {
  if (bitmap_allowed) {
    if (chunk) {
      if (bitmap_font_read(name, size, font, nullptr)) return true;
    } else {
      std::string path;
      if (font_find_file(name, &path) && bitmap_font_read(path.c_str(), size, font, name))
        return true;
    }
  }
  return platform_allowed && platform_font_open(name, size, nullptr, font) == 1;
}

bool platform_serves(const qmFont* font) {
  return font->kind == FONTKIND_PLATFORM ||
         (font->platform_served &&
          (font->kind == FONTKIND_BITMAP || font->kind == FONTKIND_COLOURBITMAP));
}

bool bitmap_kind(const qmFont* font) {
  return font->kind == FONTKIND_BITMAP || font->kind == FONTKIND_COLOURBITMAP;
}

}  // namespace

int32_t font_init() {
  if (g_default) return 0;
  if (int32_t err = ttf_init()) return err;
  platform_font_set_library(ttf_library());
  try {
    g_default = bitmap_font_default_create();
  } catch (const std::bad_alloc&) {
    g_default = nullptr;
  }
  if (!g_default) {
    font_shutdown();
    return ERR_MEM;
  }
  // Plug-ins see the faces in the order of their sizes: Sans, Sans Mono, Serif.
  const qmEmbeddedFace* faces = ttf_embedded_faces();
  const qmPluginFontBlock blocks[] = {{faces[0].data, faces[0].size},
                                      {faces[2].data, faces[2].size},
                                      {faces[1].data, faces[1].size}};
  plugin_set_font_services(reinterpret_cast<qmPluginFunction>(font_open_cached), blocks, 3);
  return 0;
}

void font_shutdown() {
  plugin_set_font_services(nullptr, nullptr, 0);
  bitmap_font_free_default(g_default);
  g_default = nullptr;
  platform_font_shutdown();
  ttf_shutdown();
  font_list_free();
  std::vector<std::string>().swap(g_paths);
}

qmFont* font_default() {
  return g_default;
}

int32_t font_open(const char* name, int32_t size, int32_t engine, int32_t flags, int32_t linked,
                  qmFont** out) {
  *out = nullptr;
  std::string chunk_name;
  const bool chunk = linked && vfile_is_virtual(name);
  bool platform_chunk = false;
  if (chunk) {
    if (int32_t err = read_linked_chunk(name, &chunk_name, &platform_chunk)) return err;
  }
  const char* open_name = chunk ? chunk_name.c_str() : name;
  // No engine makes lines taller than a picture may be.
  if ((engine != FONTENGINE_NATIVE && engine != FONTENGINE_INBUILT) || size < 1 ||
      size > kMaxFontSize)
    return open_failed(name, size);
  if (engine == FONTENGINE_NATIVE && !chunk && g_default && size == 8 &&
      str_case_cmp(name, "quill") == 0) {
    *out = g_default;
    return 0;
  }
  auto* font = new (std::nothrow) qmFont{};
  if (!font) return ERR_MEM;
  font->x_scale = font->y_scale = 1.0;
  bool ok;
  if (engine == FONTENGINE_INBUILT) {
    // A font linked as a bitmap or platform font is for engine 0 only.
    ok = !chunk && ttf_open(name, size, flags, font);
  } else {
    ok = open_native(open_name, size, chunk, !chunk || !platform_chunk, !chunk || platform_chunk,
                     font);
  }
  if (!ok) {
    delete font;
    return open_failed(name, size);
  }
  *out = font;
  return 0;
}

void font_close(qmFont* font) {
  if (!font || font == g_default) return;
  font_release_vector_font(font);
  if (font->kind == FONTKIND_INBUILT)
    ttf_close(font);
  else if (platform_serves(font))
    platform_font_close(font);
  else if (bitmap_kind(font))
    bitmap_font_close(font);
  delete font;
}

int32_t font_render(qmFont* font, const qmFontTarget& target, int32_t x, int32_t y,
                    const char* text, size_t length, int32_t style, int32_t encoding,
                    const qmClipRect& clip, int32_t mode) {
  if (!font) font = g_default;
  if (!font) return 0;
  // Nothing is drawn outside the bitmap, whatever size the caller gave.
  qmFontTarget t = target;
  if (t.bitmap) {
    t.width = std::min(t.width, t.bitmap->width);
    t.height = std::min(t.height, t.bitmap->height);
  }
  if (platform_serves(font)) {
    const int32_t colour = mode == FONTRENDER_COLOUR ? int32_t(t.colour & 0xFFFFFF) : -1;
    return platform_font_render(font, t, x, y, text, length, style, encoding == FONTENCODING_UTF8,
                                clip, colour);
  }
  if (font->kind != FONTKIND_INBUILT && !bitmap_kind(font)) return 0;
  CodePoints codes;
  if (!codes.decode(text, length, encoding)) return ERR_MEM;
  if (font->kind == FONTKIND_INBUILT)
    return ttf_render(font, t, x, y, codes.data(), codes.size(), style, clip, mode);
  bitmap_font_render(font, t, x, y, codes.data(), codes.size(), mode, clip);
  return 0;
}

int32_t font_measure(qmFont* font, const char* text, size_t length, int32_t style, int32_t encoding,
                     qmFontExtent* out) {
  *out = qmFontExtent{};
  if (!font) font = g_default;
  if (!font) return 0;
  if (platform_serves(font))
    return platform_font_measure(font, text, length, style, encoding == FONTENCODING_UTF8, out);
  if (font->kind != FONTKIND_INBUILT && !bitmap_kind(font)) return 0;
  CodePoints codes;
  if (!codes.decode(text, length, encoding)) return ERR_MEM;
  if (font->kind == FONTKIND_INBUILT)
    ttf_measure(font, codes.data(), codes.size(), style, out);
  else
    bitmap_font_measure(font, codes.data(), codes.size(), out);
  return 0;
}

void font_set_scale(qmFont* font, double x, double y) {
  if (!font || !font->scalable || (font->x_scale == x && font->y_scale == y)) return;
  font->x_scale = x;
  font->y_scale = y;
  font->height = to_i32(std::ceil(font->base_height * y));
  font->baseline = to_i32(std::ceil(font->base_baseline * y));
  if (font->kind == FONTKIND_INBUILT)
    ttf_set_scale(font, x, y);
  else if (platform_serves(font))
    platform_font_set_transform(font, x, y);
}

int32_t font_kerning(qmFont* font, const char* text, size_t length, int32_t style,
                     int32_t encoding) {
  if (!font) return 0;
  if (platform_serves(font))
    return platform_font_kerning(font, text, length, style, encoding == FONTENCODING_UTF8);
  if (font->kind != FONTKIND_INBUILT) return 0;
  CodePoints codes;
  if (!codes.decode(text, length, encoding)) return 0;
  return ttf_kerning(font, codes.data(), codes.size());
}

int32_t font_capability(const qmFont* font) {
  return font && platform_serves(font) ? platform_font_capability() : 0;
}

void font_free_glyph_cache(qmFont* font) {
  if (font && font->kind == FONTKIND_INBUILT) ttf_free_glyph_cache(font);
}

void font_set_vector_release(FontVectorRelease release) {
  g_vector_release = release;
}

void font_release_vector_font(qmFont* font) {
  if (font->vector_font && g_vector_release) g_vector_release(font);
  font->vector_font = nullptr;
}

bool font_find_file(const char* name, std::string* path) {
  std::string file = name;
  if (!ends_with_nocase(file, ".font")) file += ".font";
  std::vector<std::string> tries;
  for (const std::string& folder : g_paths) {
    char joined[4096];
    if (qm::copy_bounded(joined, sizeof joined, folder.c_str()) &&
        path_add_part(joined, sizeof joined, file.c_str()))
      tries.push_back(joined);
  }
  tries.push_back(file);
  tries.push_back("Fonts/" + file);
  for (const std::string& t : tries) {
    if (qmFileHandle* h = qmos_open(t.c_str(), QMOS_MODE_READ)) {
      qmos_close(h);
      *path = t;
      return true;
    }
  }
  return false;
}

bool font_path_add(const std::string& folder) {
  for (const std::string& p : g_paths) {
    if (str_case_cmp(p.c_str(), folder.c_str()) == 0) return true;
  }
  try {
    g_paths.push_back(folder);
  } catch (const std::bad_alloc&) {
    return false;
  }
  font_list_free();
  return true;
}

const std::vector<std::string>& font_paths() {
  return g_paths;
}

int32_t utf8_decode(const char* text, size_t length, int32_t utf8, uint32_t* buffer,
                    size_t buffer_size, uint32_t** out, size_t* count, bool* allocated) {
  *out = nullptr;
  *count = 0;
  *allocated = false;
  if (!utf8) return ERR_USERABORT;
  uint32_t* points = buffer;
  if (length > buffer_size) {
    points = new (std::nothrow) uint32_t[length];
    if (!points) return ERR_USERABORT;
  }
  const auto* p = reinterpret_cast<const unsigned char*>(text);
  size_t n = 0;
  for (size_t i = 0; i < length;) {
    const unsigned char lead = p[i];
    if (lead < 0x80) {
      points[n++] = lead;
      ++i;
      continue;
    }
    // The count of leading one bits is the sequence's length: one is a stray continuation byte,
    // six or more (0xFC..0xFF) lead nothing.
    int ones = 0;
    while (ones < 8 && (lead & (0x80u >> ones))) ++ones;
    bool ok = ones >= 2 && ones <= 5 && i + size_t(ones) <= length;
    uint32_t cp = ok ? lead & (0x7Fu >> ones) : 0;
    for (int k = 1; ok && k < ones; ++k) {
      const unsigned char c = p[i + size_t(k)];
      ok = (c & 0xC0) == 0x80;
      cp = (cp << 6) | (c & 0x3F);
    }
    if (!ok) {
      if (points != buffer) delete[] points;
      return ERR_USERABORT;
    }
    points[n++] = cp;
    i += size_t(ones);
  }
  *out = points;
  *count = n;
  *allocated = points != buffer;
  return 0;
}

void utf8_decode_free(uint32_t* points) {
  delete[] points;
}

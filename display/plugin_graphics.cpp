// The graphics library's side of the plug-ins' graphics table: pictures read by the picture
// readers under the names scripts use (linked files included), and brushes locked for a plug-in.
#include <cstdint>
#include <string>

#include "display/brush.h"
#include "display/codecs/codecs.h"
#include "display/graphics.h"
#include "display/picture.h"
#include "gfx/bitmap.h"
#include "runtime/applet.h"
#include "runtime/plugins/plugins.h"

namespace qm {
namespace {

// Reads the picture behind a script's file name; header only without pixels. False for a missing
// or unreadable file and for a picture larger than pictures may be.
bool read_picture(const char* name, uint32_t** pixels, int32_t* width, int32_t* height,
                  int32_t* has_alpha) {
  std::string file = linked_file_lookup(picture_state(), name, 0, nullptr);
  int32_t w = 0, h = 0, alpha = 0;
  uint32_t* px = nullptr;
  if (qmos_detect_picture(file.c_str(), nullptr, -1, 0, pixels ? &px : nullptr, nullptr, nullptr,
                          &w, &h, &alpha) != 0)
    return false;
  if (!picture_size_allowed(w, h) || (pixels && !px)) {
    qmos_free_pixels(px);
    return false;
  }
  if (pixels) *pixels = px;
  if (width) *width = w;
  if (height) *height = h;
  if (has_alpha) *has_alpha = alpha != 0;
  return true;
}

int32_t picture_info(const char* name, int32_t* width, int32_t* height, int32_t* has_alpha) {
  return read_picture(name, nullptr, width, height, has_alpha) ? 1 : 0;
}

// Plug-ins take words with red in the low byte: 0xAARRGGBB becomes 0xAABBGGRR, and a picture
// without alpha is opaque.
uint32_t* picture_load(const char* name, int32_t* width, int32_t* height, int32_t* has_alpha) {
  uint32_t* px = nullptr;
  int32_t w = 0, h = 0, alpha = 0;
  if (!read_picture(name, &px, &w, &h, &alpha)) return nullptr;
  const uint32_t opaque = alpha ? 0 : 0xFF000000u;
  const size_t count = size_t(w) * size_t(h);
  for (size_t i = 0; i < count; ++i) {
    uint32_t c = px[i];
    px[i] = (c & 0xFF00FF00u) | ((c >> 16) & 0xFFu) | ((c & 0xFFu) << 16) | opaque;
  }
  if (width) *width = w;
  if (height) *height = h;
  if (has_alpha) *has_alpha = alpha;
  return px;
}

int32_t lock_brush(int32_t id, qmPluginBrushLock* r) {
  qmBrush* b = nullptr;
  if (brush_find(ObjectId{id, nullptr}, BRUSHFIND_NOVECTOR, &b) != 0 || !b || !b->bitmap) return 0;
  const qmBitmap* bm = b->bitmap;
  r->pixels = bm->pixels;
  r->width = bm->width;
  r->height = bm->height;
  r->bytes_per_row = bm->bytes_per_row;
  r->bytes_per_pixel = bm->bytes_per_pixel;
  if (b->mask) {
    r->mask = b->mask->data;
    r->mask_bytes_per_row = b->mask->bytes_per_row;
  }
  if (b->alpha) {
    r->alpha = b->alpha->data;
    r->alpha_bytes_per_row = b->alpha->bytes_per_row;
  }
  r->brush = b;
  ++b->locked;
  return 1;
}

// The record names its brush by address: only a brush still in the list is unlocked.
void unlock_brush(qmPluginBrushLock* r) {
  for (ObjectHeader* o = *brush_list(); o; o = o->next) {
    if (o != r->brush) continue;
    qmBrush* b = reinterpret_cast<qmBrush*>(o);
    if (b->locked > 0) --b->locked;
    break;
  }
  *r = qmPluginBrushLock{};
}

const PluginGraphicsServices kServices = {picture_info, picture_load, qmos_free_pixels, lock_brush,
                                          unlock_brush};

}  // namespace

void plugin_graphics_open() { plugin_set_graphics_services(&kServices); }
void plugin_graphics_close() { plugin_set_graphics_services(nullptr); }

}  // namespace qm

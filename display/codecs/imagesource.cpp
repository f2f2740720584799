// Image sources: the one front end of every picture load. Image-loader plug-ins are asked first;
// then the built-in detector picks a reader by the file's first bytes.
#include <cstdlib>
#include <cstring>
#include <new>

#include "display/codecs/codecs.h"
#include "display/codecs/picture_io.h"
#include "engine/errcodes.h"
#include "gfx/pixelloops.h"
#include "runtime/errors.h"
#include "runtime/plugins/plugins.h"

namespace qm {

namespace {

// A plug-in of kind 2 is called through the manager's indirect path, which answers 0 to
// everything: such a plug-in never claims a picture.
constexpr int32_t kIndirectPluginKind = 2;

bool is_image_loader(const qmPluginNode* n) {
  return (n->caps & QMPLUGIN_CAP_IMAGE) && n->handle && n->handle->entry &&
         n->handle->entry->kind != kIndirectPluginKind;
}

// A plug-in's report is used only when it describes a picture the player can hold.
bool plugin_report_valid(const qmPluginImageInfo& info) {
  return info.width >= 1 && info.height >= 1 && info.pixels_per_row >= info.width &&
         picture_size_allowed(info.pixels_per_row, info.height);
}

void set_out(int32_t* p, int32_t v) {
  if (p) *p = v;
}

qmImageSource* new_source() {
  auto* s = static_cast<qmImageSource*>(std::calloc(1, sizeof(qmImageSource)));
  if (s) s->refcount = 1;
  return s;
}

// Copies the top byte of every pixel into a new plane; null when it cannot be made.
qmAlphaChannel* alpha_from_pixels(const uint32_t* pixels, int32_t width, int32_t height,
                                  int32_t pixels_per_row) {
  qmAlphaChannel* a = qmos_alloc_alpha(width, height, 0);
  if (!a) return nullptr;
  argb_extract_alpha(pixels, width, height, pixels_per_row, a->data, a->bytes_per_row);
  return a;
}

}  // namespace

qmPictureFormat picture_format_of(const uint8_t* h) {
  if (!std::memcmp(h, "FORM", 4) && !std::memcmp(h + 8, "ILBM", 4)) return PICFMT_ILBM;
  if (h[0] == 0x89 && !std::memcmp(h + 1, "PNG", 3)) return PICFMT_PNG;
  // Any first segment: photos may begin with a quantisation table, Adobe's segment or no
  // application segment at all. The importer refuses a stream it cannot decode.
  if (h[0] == 0xFF && h[1] == 0xD8 && h[2] == 0xFF) return PICFMT_JPEG;
  if (h[0] == 'B' && h[1] == 'M') return PICFMT_BMP;
  if (!std::memcmp(h, "MM\0*", 4) || !std::memcmp(h, "II*\0", 4)) return PICFMT_TIFF;
  if (!std::memcmp(h, "GIF87a", 6) || !std::memcmp(h, "GIF89a", 6)) return PICFMT_GIF;
  return PICFMT_UNKNOWN;
}

int32_t qmos_detect_picture(const char* name, const int32_t* user_palette, int32_t pen,
                            int32_t use_transparent, uint32_t** pixels, uint32_t** palette,
                            int32_t* transparent, int32_t* width, int32_t* height,
                            int32_t* has_alpha) {
  err_set_string_arg(name);
  uint8_t head[PICTURE_PROBE_SIZE] = {};
  {
    FilePtr fh(qmos_open(name, QMOS_MODE_READ));
    if (!fh) return ERR_READFILE;
    qmos_read(fh.get(), head, sizeof head);
  }

  int32_t w = 0, h = 0, alpha = 0, trans = -1;
  uint32_t* px = nullptr;
  uint32_t* pal = nullptr;
  uint32_t** want = pixels ? &px : nullptr;
  int32_t err = ERR_LOADPICTURE2;
  switch (picture_format_of(head)) {
    case PICFMT_ILBM:
      err = ilbm_load(name, user_palette, pen, use_transparent, &trans, &w, &h, want,
                      (pixels && palette) ? &pal : nullptr);
      break;
    case PICFMT_PNG:
      err = png_load(name, &w, &h, want, &alpha, nullptr);
      break;
    case PICFMT_BMP:
      err = bmp_load(name, &w, &h, want, &alpha);
      break;
    case PICFMT_JPEG:
    case PICFMT_TIFF:
    case PICFMT_GIF:
      err = platform_picture_load(name, nullptr, 0, &w, &h, want, &alpha, nullptr);
      break;
    case PICFMT_UNKNOWN:
      break;
  }
  if (err) return err;
  if (pixels) *pixels = px;
  if (palette) *palette = pal;
  set_out(transparent, trans);
  set_out(width, w);
  set_out(height, h);
  set_out(has_alpha, alpha);
  return 0;
}

int32_t imagesource_open(const char* name, const int32_t* user_palette, int32_t pen,
                         int32_t use_transparent, int32_t load_alpha, qmImageSource** source,
                         qmAlphaChannel** alpha_out, uint32_t** palette_out,
                         int32_t* transparent_out, int32_t* width_out, int32_t* height_out,
                         int32_t* ppr_out, int32_t* has_alpha_out, int32_t* is_vector_out) {
  qmImageSource* s = new_source();
  if (!s) return ERR_MEM;

  int32_t w = 0, h = 0, ppr = 0, has_alpha = 0, is_vector = 0, transparent = -1;
  uint32_t* palette = nullptr;
  bool want_alpha = load_alpha != 0;

  for (qmPluginNode* n = plugin_list(); n; n = n->next) {
    if (!is_image_loader(n)) continue;
    qmPluginEntry* e = n->handle->entry;
    auto load = plugin_entry<qmPluginLoadImageFn>(e, PLUGIN_EP_LOAD_IMAGE);
    auto get = plugin_entry<qmPluginGetImageFn>(e, PLUGIN_EP_GET_IMAGE);
    auto free_image = plugin_entry<qmPluginFreeImageFn>(e, PLUGIN_EP_FREE_IMAGE);
    if (!load || !get || !free_image) continue;
    qmPluginImageInfo info{};
    void* handle = load(name, &info);
    if (!handle) continue;
    s->loader = e;
    s->handle = handle;
    uint32_t* px = plugin_report_valid(info) ? get(handle, &info) : nullptr;
    // GetImage may update the record: it is checked again before the pixels are trusted.
    if (!px || !plugin_report_valid(info)) {
      err_set_string_arg(name);
      imagesource_release(s);
      return ERR_LOADPICTURE2;
    }
    s->pixels = px;
    w = info.width;
    h = info.height;
    ppr = info.pixels_per_row;
    has_alpha = info.has_alpha != 0;
    is_vector = info.type == 1;
    if (info.alpha_required) want_alpha = true;
    break;
  }

  if (!s->loader) {
    uint32_t* px = nullptr;
    int32_t err = qmos_detect_picture(name, user_palette, pen, use_transparent, &px,
                                      palette_out ? &palette : nullptr, &transparent, &w, &h,
                                      &has_alpha);
    if (err) {
      std::free(s);
      return err;
    }
    s->handle = px;
    s->pixels = px;
    ppr = w;
  }

  qmAlphaChannel* alpha = nullptr;
  if (want_alpha) {
    int32_t err = 0;
    if (!has_alpha) {
      err_set_string_arg(name);
      err = ERR_NOALPHA;
    } else if (alpha_out && !(alpha = alpha_from_pixels(s->pixels, w, h, ppr))) {
      err = ERR_MEM;
    }
    if (err) {
      std::free(palette);
      imagesource_release(s);
      return err;
    }
  }

  if (source) *source = s;
  else imagesource_release(s);
  if (alpha_out) *alpha_out = alpha;
  if (palette_out) *palette_out = palette;
  set_out(transparent_out, transparent);
  set_out(width_out, w);
  set_out(height_out, h);
  set_out(ppr_out, ppr);
  set_out(has_alpha_out, has_alpha);
  set_out(is_vector_out, is_vector);
  return 0;
}

void imagesource_retain(qmImageSource* s) {
  if (s) ++s->refcount;
}

void imagesource_release(qmImageSource* s) {
  if (!s || --s->refcount > 0) return;
  if (s->handle) {
    if (s->loader) {
      auto free_image = plugin_entry<qmPluginFreeImageFn>(s->loader, PLUGIN_EP_FREE_IMAGE);
      if (free_image) free_image(s->handle);
    } else {
      qmos_free_pixels(static_cast<uint32_t*>(s->handle));
    }
  }
  if (s->owns_pixels) qmos_free_pixels(s->pixels);
  std::free(s);
}

uint32_t* imagesource_pixels(const qmImageSource* s) { return s->pixels; }

int32_t imagesource_owns_pixels(const qmImageSource* s) { return s->owns_pixels; }

qmImageSource* imagesource_new_empty(int32_t width, int32_t height) {
  qmImageSource* s = new_source();
  if (!s) return nullptr;
  s->pixels = picture_alloc(width, height);
  if (!s->pixels) {
    std::free(s);
    return nullptr;
  }
  s->owns_pixels = 1;
  return s;
}

int32_t image_get_info(const char* name, int32_t* is_vector, int32_t* width, int32_t* height,
                       int32_t* has_alpha) {
  for (qmPluginNode* n = plugin_list(); n; n = n->next) {
    if (!is_image_loader(n)) continue;
    auto is_image = plugin_entry<qmPluginIsImageFn>(n->handle->entry, PLUGIN_EP_IS_IMAGE);
    qmPluginImageInfo info{};
    if (!is_image || !is_image(name, &info)) continue;
    set_out(width, info.width);
    set_out(height, info.height);
    set_out(has_alpha, info.has_alpha != 0);
    set_out(is_vector, info.type == 1);
    return 1;
  }
  int32_t w = 0, h = 0, a = 0;
  if (qmos_detect_picture(name, nullptr, -1, 0, nullptr, nullptr, nullptr, &w, &h, &a)) return 0;
  set_out(width, w);
  set_out(height, h);
  set_out(has_alpha, a);
  set_out(is_vector, 0);
  return 1;
}

int32_t image_render_vector(qmState*, qmImageSource* s, const double* matrix, double tx,
                            double ty, int32_t width, int32_t height, uint32_t,
                            qmBitmap** bitmap, qmMask** mask, qmAlphaChannel** alpha) {
  if (!s || !s->loader) return ERR_TFIMAGE;
  auto transform = plugin_entry<qmPluginTransformImageFn>(s->loader, PLUGIN_EP_TRANSFORM_IMAGE);
  auto get = plugin_entry<qmPluginGetImageFn>(s->loader, PLUGIN_EP_GET_IMAGE);
  if (!transform || !get) return ERR_TFIMAGE;
  qmPluginTransformInfo t{{matrix[0], matrix[1], matrix[2], matrix[3]}, tx, ty};
  if (!transform(s->handle, &t, width, height)) return ERR_TFIMAGE;
  qmPluginImageInfo info{};
  info.width = width;
  info.height = height;
  info.pixels_per_row = width;
  uint32_t* px = get(s->handle, &info);
  // The bitmap is width x height whatever the plug-in reports; its rows must cover that.
  if (!px || info.pixels_per_row < width || !picture_size_allowed(info.pixels_per_row, height))
    return ERR_TFIMAGE;
  s->pixels = px;

  qmAlphaChannel* a = nullptr;
  if (info.has_alpha && !(a = alpha_from_pixels(px, width, height, info.pixels_per_row)))
    return ERR_MEM;
  qmBitmap* bm = nullptr;
  qmMask* m = nullptr;
  int32_t err = qmos_scale_bitmap(px, -1, width, height, info.pixels_per_row, &bm, &m);
  if (err) {
    qmos_free_alpha(a);
    return err;
  }
  *bitmap = bm;
  if (mask) *mask = nullptr;
  if (alpha) *alpha = a;
  else qmos_free_alpha(a);
  return 0;
}

}  // namespace qm

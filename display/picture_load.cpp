// LoadBrush and LoadBGPic: pictures from files through the image sources. Loaded pictures become
// bitmaps at once; this host has one pixel format for every bitmap, so nothing waits for the
// first display to know its format.
#include "display/picture_load.h"

#include <algorithm>

#include "display/bgpic.h"
#include "display/brush.h"
#include "display/codecs/codecs.h"
#include "display/codecs/imagecache.h"
#include "display/fill.h"
#include "engine/errcodes.h"
#include "engine/numconv.h"
#include "engine/vm.h"
#include "gfx/bitmap.h"
#include "gfx/blitpixels.h"
#include "gfx/pixelloops.h"
#include "runtime/args.h"
#include "runtime/errors.h"
#include "runtime/messages.h"
#include "runtime/os/qmos.h"
#include "runtime/registry.h"

namespace qm {

namespace {

constexpr uint32_t kNoColour = 0xFFFFFFFF;

int32_t colour_of(uint32_t bits) { return bits == kNoColour ? -1 : int32_t(bits & 0xFFFFFF); }

int32_t table_colour(qmState* L, int32_t t, const char* key, int32_t fallback) {
  uint32_t bits = fallback < 0 ? kNoColour : uint32_t(fallback);
  opt_get_uint(L, t, key, &bits, nullptr);
  return colour_of(bits);
}


// A picture from the image cache: the entry's source with one more reference, and its alpha plane
// when asked for.
int32_t cache_open(const char* name, bool want_alpha, LoadedPicture* out) {
  int32_t flags = 0;
  if (int32_t err = imagecache_find(name, want_alpha ? 1 : 0, &out->width, &out->height, &out->pixels_per_row,
                                    &out->source, want_alpha ? &out->alpha : nullptr, &flags))
    return err;
  out->has_alpha = flags & 1;
  out->is_vector = flags >> 1 & 1;
  return 0;
}

}  // namespace

ConsoleReport::ConsoleReport(int32_t message, const std::string& name) {
  console_print_file(err_get_message(message), name.c_str(), true);
}
ConsoleReport::~ConsoleReport() { ok ? console_print_done() : console_print_failed(); }

int32_t picture_open_cached(const char* name, const char* cache, const char* cached_load, bool cache_alpha,
                            int32_t pen, int32_t use_transparent, bool load_alpha, LoadedPicture* out) {
  // The image cache serves only the declared objects, which the start-up makes before the program runs.
  const bool declaring = runtime_flags().word6 != 0;
  if (declaring && cached_load[0]) return cache_open(cached_load, load_alpha, out);
  const bool alpha_for_cache = declaring && cache[0] && cache_alpha && !load_alpha;
  if (int32_t err = picture_open(name, nullptr, pen, use_transparent, load_alpha || alpha_for_cache, out)) return err;
  if (declaring && cache[0]) {
    if (int32_t err = imagecache_add(cache, out->width, out->height, out->pixels_per_row, out->source, out->alpha,
                                     out->has_alpha | out->is_vector << 1))
      return err;
  }
  if (alpha_for_cache) {
    qmos_free_alpha(out->alpha);
    out->alpha = nullptr;
  }
  return 0;
}

LoadedPicture::~LoadedPicture() {
  if (source) imagesource_release(source);
  qmos_free_alpha(alpha);
  if (palette) qmos_free(palette);
}

int32_t picture_open(const char* name, const int32_t* user_palette, int32_t pen, int32_t use_transparent,
                     bool load_alpha, LoadedPicture* out) {
  return imagesource_open(name, user_palette, pen, use_transparent, load_alpha ? 1 : 0, &out->source,
                          &out->alpha, &out->palette, &out->transparent, &out->width, &out->height,
                          &out->pixels_per_row, &out->has_alpha, &out->is_vector);
}

int32_t picture_make_planes(qmState* L, const LoadedPicture& picture, int32_t x, int32_t y, int32_t width,
                            int32_t height, int32_t transparent, Planes* out) {
  if (picture.is_vector) {
    const double identity[4] = {1, 0, 0, 1};
    return image_render_vector(L, picture.source, identity, 0, 0, width, height, 0, &out->bitmap, &out->mask,
                               &out->alpha);
  }
  const uint32_t* pixels = imagesource_pixels(picture.source) + ptrdiff_t(y) * picture.pixels_per_row + x;
  if (int32_t err = qmos_scale_bitmap(pixels, transparent, width, height, picture.pixels_per_row, &out->bitmap,
                                      &out->mask))
    return err;
  if (picture.alpha) {
    if (!(out->alpha = qmos_alloc_alpha(width, height, 0))) return ERR_MEM;
    argb_extract_alpha(pixels, width, height, picture.pixels_per_row, out->alpha->data, out->alpha->bytes_per_row);
  }
  return 0;
}

int32_t cmd_loadbrush(qmState* L) {
  arg_check_count(L, 2, 5);
  const int32_t argc = vm_get_top(L);
  const NewId id = vm_type(L, 1) == QM_TNIL ? NewId{true, automatic_id()} : NewId{false, arg_get_id(L, 1)};
  int32_t transparent = -1, pen = -1, use_transparent = 0, global_alpha = -1;
  int32_t x = 0, y = 0, width = 0, height = 0;
  bool load_alpha = false, cache_alpha = false;
  char cache[1024] = "", cached_load[1024] = "";
  if (argc == 5) {
    transparent = colour_of(to_u32_bits(vm_arg_check_number(L, 3)));
    pen = to_i32(vm_arg_check_number(L, 4));
    use_transparent = to_i32(vm_arg_check_number(L, 5));
  } else if (argc == 3 && vm_type(L, 3) == QM_TTABLE) {
    transparent = table_colour(L, 3, "transparency", -1);
    load_alpha = table_flag(L, 3, "loadalpha");
    opt_get_int(L, 3, "globalalpha", &global_alpha, nullptr);
    opt_get_int(L, 3, "x", &x, nullptr);
    opt_get_int(L, 3, "y", &y, nullptr);
    opt_get_int(L, 3, "width", &width, nullptr);
    opt_get_int(L, 3, "height", &height, nullptr);
    opt_get_string(L, 3, "cache", cache, sizeof cache, nullptr);
    opt_get_string(L, 3, "cachedload", cached_load, sizeof cached_load, nullptr);
    cache_alpha = table_flag(L, 3, "cachealpha");  // "hardware" has no effect here
  } else if (argc == 3) {
    transparent = colour_of(to_u32_bits(vm_arg_opt_number(L, 3, -1)));
  }
  if (transparent != -1 && (load_alpha || global_alpha != -1)) return ERR_MASKNALPHA;
  const std::string name = arg_get_linked_file(L, 2, 0, nullptr);
  if (!id.automatic)
    if (int32_t err = brush_lookup(L, id.id, false)) return err;
  ConsoleReport report(MSG_LOADING_BRUSH, name);
  LoadedPicture picture;
  if (int32_t err = picture_open_cached(name.c_str(), cache, cached_load, cache_alpha, pen, use_transparent, load_alpha,
                                        &picture))
    return err;

  if (x < 0 || y < 0) return ERR_NEGCOORDS;
  if (x >= picture.width || y >= picture.height) return ERR_COORDSRANGE;
  // A size not given (or not positive, as declarations pass it) is the picture's; any size is cut to it.
  width = std::min(width > 0 ? width : picture.width, picture.width - x);
  height = std::min(height > 0 ? height : picture.height, picture.height - y);
  const bool whole = x == 0 && y == 0 && width == picture.width && height == picture.height;
  if (picture.is_vector && !whole) return ERR_BRUSHTYPE;
  if (picture.is_vector) transparent = -1;
  else if (picture.transparent != -1) transparent = picture.transparent;

  Planes planes;
  if (int32_t err = picture_make_planes(L, picture, x, y, width, height, transparent, &planes)) return err;
  if (global_alpha != -1) {
    const int32_t value = std::clamp(global_alpha, 0, 255);
    if (!planes.alpha) {
      if (!(planes.alpha = qmos_alloc_alpha(width, height, 0))) return ERR_MEM;
      alpha_fill_rect(planes.alpha, 0, 0, width, height, uint8_t(value));
    } else {
      alpha_scale_intensity(planes.alpha, planes.alpha, height, value);
    }
  }
  qmImageSource* kept = nullptr;
  if (picture.is_vector) std::swap(kept, picture.source);
  qmBrush* b = nullptr;
  const int32_t err = brush_new_from_bitmap(id.id, picture.is_vector ? BRUSHKIND_VECTOR : BRUSHKIND_BITMAP, width,
                                            height, width, 0, kept, planes.bitmap, transparent, planes.mask,
                                            planes.alpha, &b);
  planes.release();
  if (err) return err;
  if (picture.is_vector) b->src_width = width, b->src_height = height;
  report.ok = true;
  return push_new_id(L, id, b);
}

namespace {

// The palette table: colours from index 0, at most 256, up to the first nil; the list handed to
// the reader ends with -1.
void read_palette(qmState* L, int32_t t, int32_t* palette) {
  int32_t n = 0;
  for (; n < 256; ++n) {
    vm_raw_geti(L, t, n);
    if (vm_type(L, -1) == QM_TNIL) {
      vm_pop(L, 1);
      break;
    }
    palette[n] = int32_t(to_u32_bits(vm_arg_check_number_field(L, -1, "palette")) & 0xFFFFFF);
    vm_pop(L, 1);
  }
  palette[n] = -1;
}

}  // namespace

int32_t cmd_loadbgpic(qmState* L) {
  arg_check_count(L, 2, 4);
  const int32_t argc = vm_get_top(L);
  int32_t transparent = -1;
  bool load_alpha = false, has_palette = false;
  int32_t palette[257];
  FillOptions fill;
  struct FillGuard {
    FillOptions& f;
    ~FillGuard() { fill_options_free(f); }
  } guard{fill};
  if (argc == 4) {
    vm_arg_check_table(L, 4);
    read_palette(L, 4, palette);
    has_palette = true;
  } else if (argc == 3 && vm_type(L, 3) == QM_TTABLE) {
    transparent = table_colour(L, 3, "transparency", -1);
    load_alpha = table_flag(L, 3, "loadalpha");
    if (int32_t err = fill_options_read(L, 3, &fill)) return err;
  } else if (argc == 3) {
    transparent = colour_of(to_u32_bits(vm_arg_opt_number(L, 3, -1)));
  }
  if (load_alpha && transparent != -1) return ERR_MASKNALPHA;
  const std::string name = arg_get_linked_file(L, 2, 0, nullptr);
  NewId id;
  if (int32_t err = bgpic_prepare_id(L, 1, &id)) return err;
  ConsoleReport report(MSG_LOADING_BGPIC, name);
  LoadedPicture picture;
  if (int32_t err = picture_open(name.c_str(), has_palette ? palette : nullptr, -1, 0, load_alpha, &picture))
    return err;
  if (picture.is_vector) transparent = -1;
  else if (picture.transparent != -1) transparent = picture.transparent;
  Planes planes;
  if (int32_t err = picture_make_planes(L, picture, 0, 0, picture.width, picture.height, transparent, &planes))
    return err;
  if (int32_t err = fill_behind(fill, picture.width, picture.height, planes)) return err;
  qmImageSource* kept = nullptr;
  if (picture.is_vector) std::swap(kept, picture.source);
  uint32_t* colours = nullptr;
  std::swap(colours, picture.palette);
  qmBGPic* pic = nullptr;
  const FillOptions owned = fill;
  fill.texture = nullptr;  // the picture owns the texture copy from here on
  const int32_t err = bgpic_create(id.id, picture.is_vector ? 1 : 0, picture.width, picture.height, picture.width,
                                   kept, planes.bitmap, colours, transparent, planes.mask, planes.alpha, &owned, &pic);
  planes.release();
  if (err) return err;
  report.ok = true;
  return push_new_id(L, id, pic);
}

}  // namespace qm

// Gradient and texture fills of background pictures and brushes.
#include "display/fill.h"


#include "display/bgpic.h"
#include "display/brush.h"
#include "display/picture.h"
#include "engine/errcodes.h"
#include "engine/numconv.h"
#include "engine/vm.h"
#include "gfx/bitmap.h"
#include "gfx/blitpixels.h"
#include "runtime/args.h"
#include "runtime/errors.h"

namespace qm {

namespace {

int32_t read_fraction(qmState* L, int32_t t, const char* key, double* out) {
  opt_get_float(L, t, key, out, nullptr);
  return (*out < 0.0 || *out > 1.0 || *out != *out) ? ERR_WRONGUSAGE : 0;
}

// Value at index i of the table at t, pushed; the caller pops it.
int32_t push_index(qmState* L, int32_t t, int32_t i) {
  vm_raw_geti(L, t, i);
  return vm_type(L, -1);
}

int32_t read_stops(qmState* L, int32_t t, const char* key, qmGradient* g) {
  vm_push_string(L, key);
  vm_get_table(L, t);
  const int32_t type = vm_type(L, -1);
  if (type == QM_TNIL) {
    vm_pop(L, 1);
    return 0;
  }
  if (type != QM_TTABLE) {
    vm_pop(L, 1);
    return ERR_TABEXPECTED;
  }
  const int32_t list = vm_get_top(L);
  int32_t count = 0, err = 0;
  for (;; ++count) {
    const int32_t colour_type = push_index(L, list, 2 * count);
    if (colour_type == QM_TNIL) {
      vm_pop(L, 1);
      break;
    }
    if (count == 64) err = ERR_INTERNAL;
    else if (colour_type != QM_TNUMBER) err = ERR_NUMTABLEARG;
    if (err) {
      vm_pop(L, 1);
      break;
    }
    const uint32_t colour = to_u32_bits(vm_to_number(L, -1));
    vm_pop(L, 1);
    const int32_t position_type = push_index(L, list, 2 * count + 1);
    const double position = vm_to_number(L, -1);
    vm_pop(L, 1);
    if (position_type == QM_TNIL) err = ERR_MISSINGPARAMTR;
    else if (position_type != QM_TNUMBER) err = ERR_NUMTABLEARG;
    else if (!(position >= 0.0 && position <= 1.0)) err = ERR_WRONGUSAGE;
    if (err) break;
    g->stops[count] = qmGradientStop{colour & 0xFFFFFF, position};
  }
  vm_pop(L, 1);
  if (err == ERR_NUMTABLEARG) err_set_string_arg(key);
  if (err) return err;
  if (count == 1) return ERR_WRONGUSAGE;
  g->stop_count = count;
  return 0;
}

}  // namespace

void gradient_defaults(qmGradient* g) {
  g->type = GRADIENT_LINEAR;
  g->centre_x = 0.5;
  g->centre_y = 0.5;
  g->balance = 0.5;
  g->border = 0.0;
}

int32_t gradient_read_table(qmState* L, int32_t t, bool display_keys, qmGradient* g) {
  t = vm_abs_index(L, t);
  if (g->type == GRADIENT_RADIAL || g->type == GRADIENT_CONICAL) {
    const char* keys[4] = {"centerx", "centery", "balance", "border"};
    const char* long_keys[4] = {"gradientcenterx", "gradientcentery", "gradientbalance", "gradientborder"};
    double* fields[4] = {&g->centre_x, &g->centre_y, &g->balance, &g->border};
    for (int32_t i = 0; i < 4; ++i)
      if (int32_t err = read_fraction(L, t, display_keys ? long_keys[i] : keys[i], fields[i])) return err;
  }
  return read_stops(L, t, display_keys ? "gradientcolors" : "colors", g);
}

int32_t gradient_from_args(qmState* L, int32_t style_arg, int32_t angle_arg, int32_t table_arg, qmGradient* g) {
  const int32_t style = to_i32(vm_arg_check_number(L, style_arg));
  *g = qmGradient{};
  g->start_colour = to_u32_bits(vm_arg_check_number(L, style_arg + 1)) & 0xFFFFFF;
  g->end_colour = to_u32_bits(vm_arg_check_number(L, style_arg + 2)) & 0xFFFFFF;
  gradient_defaults(g);
  switch (style) {
    case 0: g->angle = 0; break;
    case 1: g->angle = 90; break;
    case GRADIENT_LINEAR:
    case GRADIENT_CONICAL:
      g->type = style;
      g->angle = to_i32(vm_arg_opt_number(L, angle_arg, 0));
      break;
    case GRADIENT_RADIAL: g->type = style; break;
    default: return ERR_WRONGUSAGE;
  }
  if (vm_get_top(L) >= table_arg && vm_type(L, table_arg) != QM_TNIL) {
    vm_arg_check_table(L, table_arg);
    return gradient_read_table(L, table_arg, false, g);
  }
  return 0;
}

int32_t gradient_read_fill_keys(qmState* L, int32_t t, qmGradient* g) {
  t = vm_abs_index(L, t);
  gradient_defaults(g);
  opt_get_int(L, t, "gradientstyle", &g->type, nullptr);
  if (g->type < GRADIENT_LINEAR || g->type > GRADIENT_CONICAL) return ERR_WRONGUSAGE;
  opt_get_uint(L, t, "gradientstartcolor", &g->start_colour, nullptr);
  opt_get_uint(L, t, "gradientendcolor", &g->end_colour, nullptr);
  opt_get_int(L, t, "gradientangle", &g->angle, nullptr);
  g->start_colour &= 0xFFFFFF;
  g->end_colour &= 0xFFFFFF;
  return gradient_read_table(L, t, true, g);
}

int32_t fill_options_read(qmState* L, int32_t t, FillOptions* fill) {
  t = vm_abs_index(L, t);
  int32_t style = FILLNONE;
  opt_get_int(L, t, "fillstyle", &style, nullptr);
  switch (style) {
    case FILLNONE: break;
    case FILLCOLOR: opt_get_uint(L, t, "fillcolor", &fill->colour, nullptr); break;
    case FILLGRADIENT:
      if (int32_t err = gradient_read_fill_keys(L, t, &fill->gradient)) return err;
      break;
    case FILLTEXTURE:
      opt_get_id(L, t, "texturebrush", &fill->texture_brush, nullptr);
      opt_get_int(L, t, "texturex", &fill->texture_x, nullptr);
      opt_get_int(L, t, "texturey", &fill->texture_y, nullptr);
      break;
    default: return ERR_WRONGUSAGE;
  }
  fill->kind = style;
  return 0;
}

void gradient_fill_bitmap(const qmGradient& g, qmBitmap* bitmap) {
  qmGradientRequest r{bitmap->pixels, bitmap->bytes_per_pixel, bitmap->format, 0, 0, bitmap->width,
                      bitmap->height, bitmap->bytes_per_row / 4, &g};
  gradient_render(r);
}

int32_t fill_render(FillOptions& fill, int32_t width, int32_t height, qmBitmap** out) {
  *out = nullptr;
  if (fill.kind == FILLTEXTURE && !fill.texture) {
    qmBrush* b = nullptr;
    if (int32_t err = brush_find(fill.texture_brush, BRUSHFIND_NOVECTOR, &b)) return err;
    Planes copy;
    if (int32_t err = planes_copy(b->bitmap, nullptr, nullptr, b->width, b->height, &copy)) return err;
    fill.texture = copy.bitmap;
    fill.texture_width = b->width;
    fill.texture_height = b->height;
    copy.release();
  }
  // Gradients and textures cover every pixel themselves.
  const bool covers = fill.kind == FILLGRADIENT || fill.kind == FILLTEXTURE;
  qmBitmap* bm = covers ? (picture_size_allowed(width, height) ? qmos_alloc_bitmap(width, height) : nullptr)
                        : bitmap_new_filled(width, height, fill.kind == FILLCOLOR ? fill.colour : 0);
  if (!bm) return ERR_MEM;
  if (fill.kind == FILLGRADIENT) gradient_fill_bitmap(fill.gradient, bm);
  if (fill.kind == FILLTEXTURE)
    texture_fill(bm, 0, 0, width, height, fill.texture, fill.texture_x, fill.texture_y, fill.texture_width,
                 fill.texture_height);
  *out = bm;
  return 0;
}

void fill_options_free(FillOptions& fill) {
  qmos_free_bitmap(fill.texture);
  fill.texture = nullptr;
}

}  // namespace qm

// DisplayBrush and DisplayBrushPart: the option reader, and the worker that turns, scales,
// tints and fades the picture as asked and blits it onto the current output. A plain picture
// goes straight from the brush's planes; private planes are made only for the stages that change
// pixels.
#include "display/showbrush.h"
#include "display/clipregion.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "display/brush.h"
#include "display/display.h"
#include "display/frame.h"
#include "display/graphics.h"
#include "display/hooks.h"
#include "display/picture.h"
#include "display/target.h"
#include "engine/errcodes.h"
#include "engine/numconv.h"
#include "engine/vm.h"
#include "gfx/bitmap.h"
#include "gfx/blit.h"
#include "gfx/blitpixels.h"
#include "gfx/compose.h"
#include "gfx/effects.h"
#include "gfx/scale.h"
#include "platform/window.h"

namespace qm {

namespace {

int64_t g_private_planes = 0;

bool is_identity(const double* m) { return m[0] == 1.0 && m[1] == 0.0 && m[2] == 0.0 && m[3] == 1.0; }
bool is_plain_scale(const double* m) { return m[1] == 0.0 && m[2] == 0.0 && m[0] >= 0.0 && m[3] >= 0.0; }

bool field_present(qmState* L, int32_t t, const char* key) {
  vm_push_string(L, key);
  vm_get_table(L, t);
  const bool present = vm_type(L, -1) != QM_TNIL;
  vm_pop(L, 1);
  return present;
}

bool any_filter(const FilterSlot* slots) {
  return std::any_of(slots, slots + kFilterSlots, [](const FilterSlot& f) { return f.active != 0; });
}

// Draw-tag defaults that leave a picture as it is (no turn or scale, filter, tint or fading).
bool leaves_picture(const DrawTagDefaults& def) {
  return is_identity(def.transform.matrix) && def.tags.tint <= 0 && def.tags.transparency <= 0 &&
         !any_filter(def.tags.filters);
}

void defaults_into(qmTransformTags* tt, qmDrawTagOptions* dt, int32_t width, int32_t height, int32_t smooth) {
  const DrawTagDefaults& def = drawtag_defaults();
  *tt = def.transform;
  tt->width = width;
  tt->height = height;
  tt->smooth = smooth || def.transform.smooth;
  if (!dt) return;
  const qmDrawTagOptions& d = def.tags;
  dt->name[0] = 0;
  dt->hidden = d.hidden;
  dt->insert_position = d.insert_position;
  dt->transparency = d.transparency;
  dt->tint = d.tint;
  dt->tint_colour = d.tint_colour;
  dt->shadow = d.shadow;
  dt->border = d.border;
  // Most records come here fresh and most defaults have no filter, every slot empty: rewriting
  // the slots costs more than the checks.
  if (any_filter(d.filters)) std::copy(std::begin(d.filters), std::end(d.filters), dt->filters);
  else if (any_filter(dt->filters)) std::fill(std::begin(dt->filters), std::end(dt->filters), FilterSlot{});
  dt->style_needed = d.style_needed;
}

// The rectangle that a showing puts on the output, and the planes it is read from. Filled whole by
// place(): not cleared first, since clearing showed up in the cost of small showings.
struct View {
  const qmBitmap* bitmap;
  const qmMask* mask;
  const qmAlphaChannel* alpha;
  int32_t x, y, w, h;         // the rectangle shown
  int32_t plane_w, plane_h;  // the planes' own size
};

// A view with the private planes of one showing, freed together.
struct Work : View {
  Planes own;  // what this showing made
  explicit Work(const View& v) : View(v) {}
  bool owned() const { return own.bitmap != nullptr; }
};

// Takes the three planes (each may be nullptr) as the picture from now on: the whole of them.
void adopt(Work& w, qmBitmap* bm, qmMask* mask, qmAlphaChannel* alpha, int32_t width, int32_t height) {
  qmos_free_bitmap(w.own.bitmap);
  qmos_free_mask(w.own.mask);
  qmos_free_alpha(w.own.alpha);
  w.own.bitmap = bm, w.own.mask = mask, w.own.alpha = alpha;
  w.bitmap = bm, w.mask = mask, w.alpha = alpha;
  w.x = w.y = 0;
  w.w = w.plane_w = width;
  w.h = w.plane_h = height;
  g_private_planes += (bm ? 1 : 0) + (mask ? 1 : 0) + (alpha ? 1 : 0);
}

// A private copy of the shown rectangle, so that its pixels may change.
int32_t make_private(Work& w) {
  if (w.owned()) return 0;
  qmBitmap* bm = qmos_alloc_bitmap(w.w, w.h);
  qmMask* mask = w.mask ? qmos_alloc_mask(w.w, w.h, 1) : nullptr;
  qmAlphaChannel* alpha = w.alpha ? qmos_alloc_alpha(w.w, w.h, 1) : nullptr;
  if (!bm || (w.mask && !mask) || (w.alpha && !alpha)) {
    qmos_free_bitmap(bm);
    qmos_free_mask(mask);
    qmos_free_alpha(alpha);
    return ERR_MEM;
  }
  BLTBITMAP(w.bitmap, w.x, w.y, bm, 0, 0, w.w, w.h);
  for (int32_t row = 0; row < w.h; ++row) {
    if (mask) {
      const uint8_t* in = w.mask->data + size_t(w.y + row) * size_t(w.mask->bytes_per_row);
      uint8_t* out = mask->data + size_t(row) * size_t(mask->bytes_per_row);
      for (int32_t col = 0; col < w.w; ++col)
        if (mask_bit(in, w.x + col)) mask_bit_set(out, col);
    }
    if (alpha)
      std::memcpy(alpha->data + size_t(row) * size_t(alpha->bytes_per_row),
                  w.alpha->data + size_t(w.y + row) * size_t(w.alpha->bytes_per_row) + w.x, size_t(w.w));
  }
  adopt(w, bm, mask, alpha, w.w, w.h);
  return 0;
}

// Transparency t above 0: the picture's alpha scaled by (255 - t) / 255, or made from its mask or
// filled with 255 - t.
int32_t fade(Work& w, int32_t t) {
  if (int32_t err = make_private(w)) return err;
  const uint8_t level = uint8_t(255 - t);
  qmAlphaChannel* alpha = w.own.alpha;
  if (alpha) {
    for (int32_t row = 0; row < w.h; ++row) {
      uint8_t* p = alpha->data + size_t(row) * size_t(alpha->bytes_per_row);
      for (int32_t col = 0; col < w.w; ++col) p[col] = uint8_t((p[col] * level) / 255);
    }
    return 0;
  }
  alpha = qmos_alloc_alpha(w.w, w.h, 1);
  if (!alpha) return ERR_MEM;
  ++g_private_planes;
  for (int32_t row = 0; row < w.h; ++row) {
    uint8_t* p = alpha->data + size_t(row) * size_t(alpha->bytes_per_row);
    const uint8_t* m = w.own.mask ? w.own.mask->data + size_t(row) * size_t(w.own.mask->bytes_per_row) : nullptr;
    for (int32_t col = 0; col < w.w; ++col) p[col] = (!m || mask_bit(m, col)) ? level : 0;
  }
  qmos_free_mask(w.own.mask);
  w.own.mask = nullptr;
  w.mask = nullptr;
  w.own.alpha = alpha;
  w.alpha = alpha;
  return 0;
}

// The size of a width x height picture after the matrix (at least 1 x 1).
void transformed_size(const double* m, int32_t width, int32_t height, int32_t* out_w, int32_t* out_h) {
  if (is_identity(m)) {
    *out_w = width, *out_h = height;
  } else if (is_plain_scale(m)) {
    *out_w = to_i32(m[0] * width), *out_h = to_i32(m[3] * height);
  } else {
    rect_transform_corners(m, width, height, out_w, out_h, nullptr, nullptr);
  }
  *out_w = std::max(*out_w, 1);
  *out_h = std::max(*out_h, 1);
}

int32_t transform(Work& w, const double* m, int32_t smooth) {
  qmBitmap* bm = nullptr;
  qmMask* mask = nullptr;
  qmAlphaChannel* alpha = nullptr;
  int32_t nw = 0, nh = 0;
  if (is_plain_scale(m)) {
    transformed_size(m, w.w, w.h, &nw, &nh);
    if (int32_t err = bitmap_draw(w.bitmap, w.mask, w.alpha, w.x, w.y, nullptr, w.w, w.h, nw, nh, smooth, &bm,
                                  w.mask ? &mask : nullptr, w.alpha ? &alpha : nullptr))
      return err;
  } else if (int32_t err = bitmap_transform_new(w.bitmap, w.mask, w.alpha, w.x, w.y, w.w, w.h, m, smooth, &bm, &mask,
                                                &alpha, &nw, &nh)) {
    return err;
  }
  adopt(w, bm, mask, alpha, nw, nh);
  return 0;
}

}  // namespace

int64_t brush_render_private_planes() { return g_private_planes; }

int32_t image_apply_transparency_tint(const qmDrawTagOptions& dt, qmBitmap* bitmap, qmMask** mask,
                                      qmAlphaChannel** alpha, int32_t width, int32_t height) {
  if (any_filter(dt.filters))
    if (int32_t err = layer_hooks().apply_filters(dt.filters, bitmap, *mask, *alpha, width, height)) return err;
  if (dt.tint > 0) bitmap_tint(bitmap, 0, 0, width, height, dt.tint_colour, dt.tint);
  if (dt.transparency <= 0) return 0;
  const int32_t level = 255 - std::min(dt.transparency, 255);
  if (*alpha) {
    alpha_scale_intensity(*alpha, *alpha, height, level);
    return 0;
  }
  qmAlphaChannel* faded = qmos_alloc_alpha(width, height, 1);
  if (!faded) return ERR_MEM;
  if (*mask) mask_expand_to_alpha(*mask, 0, 0, faded, 0, 0, width, height, uint8_t(level));
  else alpha_fill_rect(faded, 0, 0, width, height, uint8_t(level));
  qmos_free_mask(*mask);
  *mask = nullptr;
  *alpha = faded;
  return 0;
}

int32_t brush_display_options(qmState* L, int32_t index, int32_t object_width, int32_t object_height,
                              int32_t preset_width, int32_t preset_height, int32_t smooth_default,
                              qmTransformTags* tt, qmDrawTagOptions* dt, int32_t flags) {
  // 1, 2.
  if (flags & DISPOPT_RESET) defaults_into(tt, dt, preset_width, preset_height, smooth_default);
  if (index < 1 || vm_get_top(L) != index) return 0;  // below 1: the caller has no table
  if (vm_type(L, index) != QM_TTABLE) return (flags & DISPOPT_TABLEONLY) ? ERR_TABEXPECTED : 0;
  const int32_t t = index;
  // 3. An explicit matrix.
  double m[4];
  int32_t given = 0;
  opt_get_number4(L, t, "transform", m, &given);
  if (given) {
    if (m[0] == 0.0 || m[3] == 0.0) return ERR_WRONGUSAGE;
    std::copy(m, m + 4, tt->matrix);
    std::copy(m, m + 4, tt->explicit_matrix);
    tt->explicit_flag = 1;
  } else {
    // 4. Scale, size and rotation.
    int32_t sx_given = 0, sy_given = 0, w_given = 0, h_given = 0, r_given = 0;
    opt_get_float(L, t, "scalex", &tt->scale_x, &sx_given);
    if (sx_given && tt->scale_x == 0.0) return ERR_WRONGUSAGE;
    opt_get_float(L, t, "scaley", &tt->scale_y, &sy_given);
    if (sy_given && tt->scale_y == 0.0) return ERR_WRONGUSAGE;
    if (!sx_given && !sy_given && !(flags & DISPOPT_NOSIZE)) {
      opt_get_int(L, t, "width", &tt->width, &w_given);
      opt_get_int(L, t, "height", &tt->height, &h_given);
      if (w_given || h_given)
        if (int32_t err = size_keep_aspect(object_width, object_height, &tt->width, &tt->height)) return err;
    }
    if (!(flags & DISPOPT_NOROTATE)) {
      double r = 0.0;
      opt_get_float(L, t, "rotate", &r, &r_given);
      if (r_given) tt->rotate = to_i32(std::fmod(std::trunc(r), 360.0));
    }
    if (sx_given || sy_given || w_given || h_given || r_given) {
      double sx = tt->scale_x, sy = tt->scale_y;
      if (w_given || h_given) {
        sx = object_width > 0 ? double(tt->width) / object_width : 1.0;
        sy = object_height > 0 ? double(tt->height) / object_height : 1.0;
      }
      const double rad = tt->rotate * (M_PI / 180.0);
      double c = std::cos(rad), s = std::sin(rad);
      if (tt->rotate % 90 == 0) c = std::round(c), s = std::round(s);  // right angles stay exact
      tt->matrix[0] = c * sx;
      tt->matrix[1] = s * sx;
      tt->matrix[2] = -s * sy;
      tt->matrix[3] = c * sy;
      tt->explicit_flag = 1;
    } else {
      tt->explicit_flag = 0;
    }
  }
  // 5. Smoothing and anchor.
  if (field_present(L, t, "smoothscale")) tt->smooth = table_flag(L, t, "smoothscale") ? 1 : 0;
  opt_get_float(L, t, "anchorx", &tt->anchor_x, nullptr);
  opt_get_float(L, t, "anchory", &tt->anchor_y, nullptr);
  if (!(tt->anchor_x >= 0.0 && tt->anchor_x <= 1.0 && tt->anchor_y >= 0.0 && tt->anchor_y <= 1.0))
    return ERR_WRONGUSAGE;
  // 6. The style options.
  if (!dt) return 0;
  if (field_present(L, t, "hidden")) dt->hidden = table_flag(L, t, "hidden") ? 1 : 0;
  double v = 0.0;
  bool fraction = false;
  if (opt_get_number_or_percent(L, t, "transparency", 255.0, false, &v, &fraction, nullptr))
    dt->transparency = std::clamp(to_i32(v), 0, 255);
  if (opt_get_number_or_percent(L, t, "tint", 255.0, false, &v, &fraction, nullptr))
    dt->tint = std::clamp(to_i32(v), 0, 255);
  opt_get_uint(L, t, "tintcolor", &dt->tint_colour, nullptr);
  dt->tint_colour &= 0xFFFFFF;
  int32_t pos = 0, pos_given = 0;
  opt_get_layer_id(L, t, "insertpos", &pos, &pos_given);
  if (pos_given) {
    if (pos < 0) return ERR_INVINSERT;
    const OutputHooks& o = output_hooks();
    const int32_t count = layer_hooks().layer_count(o.current_bgpic());
    dt->insert_position = std::min(pos, count + 1);
  }
  if (int32_t err = opt_get_shadow(L, t, &dt->shadow, nullptr)) return err;
  if (int32_t err = opt_get_border(L, t, false, &dt->border, nullptr)) return err;
  bool filters_given = false;
  if (int32_t err = layer_hooks().read_filters(L, t, dt->filters, &filters_given)) return err;
  dt->style_needed = (dt->hidden || dt->transparency > 0 || dt->tint > 0 || any_filter(dt->filters) ||
                      dt->shadow.on || dt->border.on)
                         ? 1
                         : 0;
  std::string name;
  int32_t name_given = 0;
  opt_get_string_alloc(L, t, "name", 0, nullptr, &name, &name_given);
  if (name_given) {
    if (name.size() >= sizeof dt->name) return ERR_NAMETOOLONG;
    std::memcpy(dt->name, name.c_str(), name.size() + 1);
  }
  return 0;
}

namespace {

// What showing takes from the options besides the layer's records.
struct ShowStyle {
  const double* matrix = nullptr;
  int32_t smooth = 0;
  double anchor_x = 0.0, anchor_y = 0.0;
  const FilterSlot* filters = nullptr;  // nullptr: no filter is active
  int32_t tint = 0;
  uint32_t tint_colour = 0;
  int32_t transparency = 0;
};

// Steps 4 and 5: x and y resolved as position specials against the output with the shown size and
// the anchor, the source position against the object, and the source rectangle checked and cut to
// the object. 0 with *v and x, y, or an error.
int32_t place(const ShowSource& src, const ShowStyle& style, bool identity, int32_t source_x, int32_t source_y,
              int32_t* x, int32_t* y, int32_t width, int32_t height, View* v) {
  if (src.kind == OBJ_BRUSHPART || src.kind == OBJ_BGPICPART) {
    source_x = coord_resolve_special_x(source_x, width, src.width, 0.0);
    source_y = coord_resolve_special_y(source_y, height, src.height, 0.0);
  } else {
    source_x = source_y = 0;
  }
  if (src.kind == OBJ_BGPICPART) {
    if (*x == -1) *x = source_x;
    if (*y == -1) *y = source_y;
  }
  int32_t shown_w = width, shown_h = height;
  if (!identity) transformed_size(style.matrix, width, height, &shown_w, &shown_h);
  *x = coord_resolve_special_x(*x, shown_w, 0, style.anchor_x) + src.offset_x;
  *y = coord_resolve_special_y(*y, shown_h, 0, style.anchor_y) + src.offset_y;
  if (source_x < 0 || source_y < 0) return ERR_NEGCOORDS;
  if (source_x >= src.width || source_y >= src.height) return ERR_COORDSRANGE;
  v->bitmap = src.bitmap, v->mask = src.mask, v->alpha = src.alpha;
  v->x = source_x, v->y = source_y;
  v->w = std::min(width, src.width - source_x);
  v->h = std::min(height, src.height - source_y);
  v->plane_w = src.width, v->plane_h = src.height;
  return 0;
}

// Step 10: the view straight onto the output, the position moved by the anchor.
void put(qmState* L, const ShowOutput& out, const View& v, int32_t x, int32_t y, const ShowStyle& style) {
  qmDisplay* d = out.display;
  if (style.anchor_x != 0.0) x = to_i32(double(x) - std::trunc(double(v.w) * style.anchor_x));
  if (style.anchor_y != 0.0) y = to_i32(double(y) - std::trunc(double(v.h) * style.anchor_y));
  if ((d->win.flags & WINFLAG_SCALEMODE_LAYER) && d->scale_width > 0 && d->scale_height > 0 &&
      (d->scale_x != 1.0 || d->scale_y != 1.0) && !drawtarget_offscreen())
    return;  // the layers are scaled by the redraw engine
  if (d->double_buffer) dblbuf_mark(d, x, y, v.w, v.h);
  SAFEBLT(L, v.bitmap, v.x, v.y, drawtarget_dest(), x, y, v.w, v.h, v.plane_w, v.plane_h, out.width, out.height,
          BLIT_FRONT | BLIT_REDRAW, v.mask, v.alpha, clipregion_active());
}

// Steps 4 to 10 of a showing once its options are known; tt and dt are the option records, which
// only a layer needs (nullptr while layers are off).
int32_t show_placed(qmState* L, const ShowOutput& out, const ShowSource& src, int32_t source_x, int32_t source_y,
                    int32_t x, int32_t y, int32_t width, int32_t height, const ShowStyle& style,
                    const qmTransformTags* tt, const qmDrawTagOptions* dt, bool copy) {
  const bool identity = is_identity(style.matrix);
  View v;
  if (int32_t err = place(src, style, identity, source_x, source_y, &x, &y, width, height, &v)) return err;
  // 6.
  if (int32_t err = drawtarget_prepare(L)) return err;
  Work w(v);
  // 9. With layers the picture becomes a layer that carries the options.
  if (out.display->layers) {
    ImageLayerRequest request;
    request.type = src.kind;
    request.id = src.id;
    request.x = v.x, request.y = v.y, request.width = v.w, request.height = v.h;
    if (copy) {
      // The layer owns a private copy of the part: the picture may change or go.
      if (int32_t err = make_private(w)) return err;
      request.bitmap = w.own.bitmap, request.mask = w.own.mask, request.alpha = w.own.alpha;
      request.x = request.y = 0;
      w.own.release();
    }
    request.dest_x = x, request.dest_y = y;
    request.transform = tt;
    request.style = dt;
    request.frame = src.frame;
    return src.kind == OBJ_ANIM ? anim_hooks().insert_layer(L, request) : layer_hooks().insert_image_layer(request);
  }
  // 8. Without layers: transformed, tinted and faded as asked, each on private planes. A part of
  // the picture that is being drawn into is read from a copy, so that overlapping rectangles read
  // the old pixels.
  if (src.drawn_into)
    if (int32_t err = make_private(w)) return err;
  if (!identity)
    if (int32_t err = transform(w, style.matrix, style.smooth)) return err;
  if (style.filters) {
    if (int32_t err = make_private(w)) return err;
    if (int32_t err = layer_hooks().apply_filters(style.filters, w.own.bitmap, w.own.mask, w.own.alpha, w.w, w.h))
      return err;
  }
  if (style.tint > 0) {
    if (int32_t err = make_private(w)) return err;
    bitmap_tint(w.own.bitmap, 0, 0, w.w, w.h, style.tint_colour, style.tint);
  }
  if (style.transparency > 0)
    if (int32_t err = fade(w, style.transparency)) return err;
  put(L, out, w, x, y, style);
  return 0;
}

}  // namespace

int32_t show_picture(qmState* L, const ShowOutput& out, const ShowSource& src, int32_t source_x, int32_t source_y,
                     int32_t x, int32_t y, int32_t width, int32_t height, int32_t option_index, bool copy) {
  // 2.
  if (width < 1 || height < 1) return ERR_BADDIMENSIONS;
  // 3. Without an option table the options are the draw-tag defaults. While layers are off no
  // layer keeps the option records, so they are not built: the defaults are read where they are.
  if (!out.display->layers && vm_get_top(L) != option_index) {
    const DrawTagDefaults& def = drawtag_defaults();
    ShowStyle style;
    style.matrix = def.transform.matrix;
    style.smooth = def.transform.smooth ? 1 : 0;
    style.anchor_x = def.transform.anchor_x, style.anchor_y = def.transform.anchor_y;
    style.filters = any_filter(def.tags.filters) ? def.tags.filters : nullptr;
    style.tint = def.tags.tint, style.tint_colour = def.tags.tint_colour;
    style.transparency = def.tags.transparency;
    if (!leaves_picture(def) || src.drawn_into)
      return show_placed(L, out, src, source_x, source_y, x, y, width, height, style, nullptr, nullptr, copy);
    // A plain picture: straight from the object's planes.
    View v;
    if (int32_t err = place(src, style, true, source_x, source_y, &x, &y, width, height, &v)) return err;
    if (int32_t err = drawtarget_prepare(L)) return err;
    put(L, out, v, x, y, style);
    return 0;
  }
  qmTransformTags tt;
  qmDrawTagOptions dt;
  if (int32_t err = brush_display_options(L, option_index, width, height, width, height, src.smooth, &tt, &dt,
                                          DISPOPT_RESET | (src.kind == OBJ_BGPICPART ? 0 : DISPOPT_TABLEONLY)))
    return err;
  ShowStyle style;
  style.matrix = tt.matrix;
  style.smooth = tt.smooth;
  style.anchor_x = tt.anchor_x, style.anchor_y = tt.anchor_y;
  style.filters = any_filter(dt.filters) ? dt.filters : nullptr;
  style.tint = dt.tint, style.tint_colour = dt.tint_colour;
  style.transparency = dt.transparency;
  return show_placed(L, out, src, source_x, source_y, x, y, width, height, style, &tt, &dt, copy);
}

bool show_output(ShowOutput* out) {
  // The output's size without the region, asked once: it also tells whether there is an output.
  out->display = display_current();
  out->width = out->height = 0;
  return out->display && clipregion_output_size(&out->width, &out->height);
}

namespace {

// Step 1: showing the selected object (for an anim, the selected frame) ends the selection, so the
// picture goes to the display; *out is asked again.
void end_selection_shown(qmState* L, ShowOutput* out, int32_t object_type, const ObjectId& id, int32_t frame = 0) {
  const OutputTarget* t = drawtarget_selected();
  if (!t || t->object_type != object_type || !(t->id == id) || (object_type == OBJ_ANIM && t->frame != frame))
    return;
  drawtarget_end(L, out->display, false);
  show_output(out);
}

}  // namespace

int32_t brush_render(qmState* L, const ObjectId& id, bool part, int32_t source_x, int32_t source_y, int32_t x,
                     int32_t y, int32_t width, int32_t height, int32_t option_index) {
  ShowOutput out;
  if (!show_output(&out)) return ERR_CLOSEDDISPDRAW;
  end_selection_shown(L, &out, OBJ_BRUSH, id);
  qmDisplay* d = out.display;
  qmBrush* b = nullptr;
  if (int32_t err = brush_find(id, 0, &b)) return err;
  if (!b->bitmap || (part && b->kind == BRUSHKIND_VECTOR)) return ERR_BRUSHTYPE;
  if (b->kind == BRUSHKIND_VECTOR && b->transformed && d->layers) return ERR_TFVBRUSH;
  if (!part) {
    width = b->width, height = b->height;
    // A whole brush without options, with layers off and draw-tag defaults that leave the picture
    // as it is and place it by its corner: straight onto the output, with nothing built on the way.
    if (!d->layers && vm_get_top(L) != option_index && width >= 1 && height >= 1) {
      const DrawTagDefaults& def = drawtag_defaults();
      if (leaves_picture(def) && def.transform.anchor_x == 0.0 && def.transform.anchor_y == 0.0) {
        x = coord_resolve_special_x(x, width, 0, 0.0);
        y = coord_resolve_special_y(y, height, 0, 0.0);
        if (int32_t err = drawtarget_prepare(L)) return err;
        View v;
        v.bitmap = b->bitmap, v.mask = b->mask, v.alpha = b->alpha;
        v.x = v.y = 0;
        v.w = v.plane_w = width;
        v.h = v.plane_h = height;
        put(L, out, v, x, y, ShowStyle{});
        return 0;
      }
    }
  }
  ShowSource src;
  src.kind = part ? OBJ_BRUSHPART : OBJ_BRUSH;
  src.id = id;
  src.bitmap = b->bitmap, src.mask = b->mask, src.alpha = b->alpha;
  src.width = b->width, src.height = b->height;
  return show_picture(L, out, src, source_x, source_y, x, y, width, height, option_index, false);
}

int32_t anim_frame_render(qmState* L, const ObjectId& id, int32_t frame, int32_t x, int32_t y, int32_t option_index) {
  ShowOutput out;
  if (!show_output(&out)) return ERR_CLOSEDDISPDRAW;
  end_selection_shown(L, &out, OBJ_ANIM, id, frame);
  AnimFrameSlots f;
  if (int32_t err = anim_hooks().frame(L, id, frame, &f)) return err;
  if (frame < 0 || frame >= f.count || !anim_frame_held(f)) return ERR_ANIMFRAME;
  ShowSource src;
  src.kind = OBJ_ANIM;
  src.id = id;
  src.frame = frame;
  src.bitmap = *f.bitmap;
  src.mask = *f.mask;
  src.alpha = *f.alpha;
  src.width = f.width, src.height = f.height;
  return show_picture(L, out, src, 0, 0, x, y, f.width, f.height, option_index, false);
}

namespace {

// DisplayBrush(id, x, y [, table])
int32_t cmd_displaybrush(qmState* L) {
  arg_check_count(L, 3, 4);
  const ObjectId id = arg_get_id(L, 1);
  const int32_t x = to_i32(vm_arg_check_number(L, 2)), y = to_i32(vm_arg_check_number(L, 3));
  return brush_render(L, id, false, 0, 0, x, y, 0, 0, 4);
}

// DisplayBrushPart(id, source x, source y, x, y, width, height [, table])
int32_t cmd_displaybrushpart(qmState* L) {
  arg_check_count(L, 7, 8);
  const ObjectId id = arg_get_id(L, 1);
  int32_t v[6];
  for (int32_t i = 0; i < 6; ++i) v[i] = to_i32(vm_arg_check_number(L, i + 2));
  return brush_render(L, id, true, v[0], v[1], v[2], v[3], v[4], v[5], 8);
}

}  // namespace

int32_t showbrush_init_commands(qmState* L) {
  static const qmCommand kCommands[] = {
      {"DisplayBrush", cmd_displaybrush},
      {"DisplayBrushPart", cmd_displaybrushpart},
      {nullptr, nullptr},
  };
  vm_push_value(L, QM_GLOBALSINDEX);
  int32_t err = vm_register_commands(L, nullptr, kCommands, 0);
  vm_set_top(L, 0);
  return err ? err : library_register_name(kCommands, "brush");
}

}  // namespace qm

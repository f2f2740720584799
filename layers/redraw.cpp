// The redraw engine.
#include "layers/redraw.h"

#include <algorithm>
#include <cmath>

#include "display/display.h"
#include "engine/errcodes.h"
#include "gfx/bitmap.h"
#include "gfx/blit.h"
#include "gfx/blitpixels.h"
#include "gfx/effects.h"
#include "layers/filters.h"
#include "platform/platform.h"

namespace qm {

namespace {

int64_t g_built = 0;

constexpr int32_t kIntoBitmap = BLIT_INTERNAL | BLIT_DESTONLY;

// Grow-only scratch bitmaps kept from one redraw to the next, so that composing through a shaped
// clip region allocates nothing once they are big enough. nullptr without memory.
enum ScratchSlot { SCRATCH_MIX = 0, SCRATCH_FILL = 1 };
qmBitmap* scratch_bitmap(ScratchSlot slot, int32_t w, int32_t h) {
  static qmBitmap* pool[2] = {nullptr, nullptr};
  qmBitmap*& b = pool[slot];
  if (!b || b->width < w || b->height < h) {
    qmBitmap* grown = qmos_alloc_bitmap(b ? std::max(b->width, w) : w, b ? std::max(b->height, h) : h);
    if (!grown) return nullptr;
    qmos_free_bitmap(b);
    b = grown;
  }
  return b;
}

// The filtered copy of the layer's unfiltered image, built once.
int32_t build_filtered(qmState* L, qmLayer* layer, qmLayerState* t) {
  LayerPlanes plain;
  if (int32_t error = layer_build_transformed(L, layer, t, false, &plain)) return error;
  LayerImage& f = t->filtered;
  if (int32_t error =
          bitmap_new_with_parts(plain.bitmap, plain.mask, plain.alpha, plain.part_x, plain.part_y, t->width, t->height,
                                0, &f.bitmap, plain.mask ? &f.mask : nullptr, plain.alpha ? &f.alpha : nullptr))
    return error;
  ++g_built;
  return layer_apply_filters(layer->filters, f.bitmap, f.mask, f.alpha, t->width, t->height);
}

void draw_layer_image(const RedrawSource& s, const LayerPlanes& p, int32_t sx, int32_t sy, const Rect& r,
                      int32_t transparency, const qmClipRegion* clip) {
  qmBitmap* dest = s.dest;
  if (transparency <= 0) {
    SAFEBLT(s.L, p.bitmap, sx, sy, dest, r.x, r.y, r.width, r.height, p.width, p.height, dest->width, dest->height,
            kIntoBitmap, p.mask, p.alpha, clip);
    return;
  }
  // Fully transparent: nothing of it shows.
  if (transparency >= 255) return;
  const int32_t level = 255 - transparency;
  if (!clip || !clip->mask) {
    bitmap_mix(dest, p.bitmap, p.mask, r.x, r.y, sx, sy, r.width, r.height, level, p.alpha, p.width, p.height);
    return;
  }
  // A shaped clip: mix into a copy of what is under it, then put that back through the clip.
  qmBitmap* tmp = scratch_bitmap(SCRATCH_MIX, r.width, r.height);
  if (!tmp) return;
  BLTBITMAP(dest, r.x, r.y, tmp, 0, 0, r.width, r.height);
  bitmap_mix(tmp, p.bitmap, p.mask, 0, 0, sx, sy, r.width, r.height, level, p.alpha, p.width, p.height);
  SAFEBLT(s.L, tmp, 0, 0, dest, r.x, r.y, r.width, r.height, tmp->width, tmp->height, dest->width, dest->height,
          kIntoBitmap, nullptr, nullptr, clip);
}

void draw_shadow(const RedrawSource& s, qmLayer* layer, qmLayerState* t, const Rect& work) {
  if (!t->shadow) {
    LayerPlanes p;
    if (t->border.bitmap)
      p = {t->border.bitmap, t->border.mask, t->border.alpha, t->border_w, t->border_h, 0, 0};
    else if (layer_build_transformed(s.L, layer, t, true, &p) != 0)
      return;
    int32_t opacity = 255 - int32_t(layer->shadow_colour >> 24);
    if (layer->shadow_fade) opacity = int32_t(opacity * double(layer->shadow_fade - 1) / 255.0);
    const int32_t w = t->border.bitmap ? t->border_w : t->width, h = t->border.bitmap ? t->border_h : t->height;
    t->shadow = shadow_alpha_new(p.alpha, p.mask, p.part_x, p.part_y, w, h, layer->shadow_radius, layer->shadow_sigma,
                                 opacity, 0, 0);
    if (!t->shadow) return;
    ++g_built;
  }
  const Rect at = layer_shadow_rect(layer, t, s.scale_x, s.scale_y);
  const Rect r = rect_intersect(at, work);
  if (r.width <= 0 || r.height <= 0) return;
  const uint32_t colour = layer->shadow_colour & 0xFFFFFF;
  const qmClipRegion* clip = t->clip;
  if (clip && clip->mask) {
    qmBitmap* fill = scratch_bitmap(SCRATCH_FILL, at.width, at.height);
    if (!fill) return;
    qmos_fill_bitmap_rect(fill, r.x - at.x, r.y - at.y, r.width, r.height, colour);
    LayerPlanes p{fill, nullptr, t->shadow, at.width, at.height, 0, 0};
    draw_layer_image(s, p, r.x - at.x, r.y - at.y, r, 0, clip);
    return;
  }
  bltalphachannel_clipped(t->shadow, r.x - at.x, r.y - at.y, s.dest, r.x, r.y, r.width, r.height, at.width, at.height,
                          s.dest->width, s.dest->height, colour, 0, nullptr, 0, nullptr, 0, nullptr);
}

// A border image at full opacity takes the border colour's transparency: an alpha plane is scaled,
// a mask becomes an alpha plane of that value, a plain rectangle gets one filled with it.
int32_t border_opacity(LayerImage& image, int32_t w, int32_t h, int32_t opacity) {
  if (opacity >= 255) return 0;
  if (image.alpha) {
    alpha_scale_intensity(image.alpha, image.alpha, image.alpha->height, opacity);
    return 0;
  }
  qmAlphaChannel* alpha = qmos_alloc_alpha(w, h, 1);
  if (!alpha) return ERR_MEM;
  if (image.mask) mask_expand_to_alpha(image.mask, 0, 0, alpha, 0, 0, w, h, uint8_t(opacity));
  else alpha_fill_rect(alpha, 0, 0, w, h, uint8_t(opacity));
  qmos_free_mask(image.mask);
  image.mask = nullptr;
  image.alpha = alpha;
  return 0;
}

// The border image that the library of a drawn kind renders: the outline of what the layer draws,
// or of a plain rectangle's box under a rotation or shear. ERR_UNSUPPORTEDFEAT when neither applies.
int32_t build_drawn_border(qmState* L, qmLayer* layer, qmLayerState* t, const Matrix2& m) {
  // A text object's layer shows text, whose border its library draws as for the other text kinds.
  int32_t kind = layer_kind_is_drawn(layer->type) || layer->type == OBJ_TEXTOBJECT ? layer->type : 0;
  if (!kind && (m.m[1] != 0.0 || m.m[2] != 0.0)) {
    LayerPlanes content;
    if (layer_build_transformed(L, layer, layer->content, false, &content) == 0 && !content.mask && !content.alpha)
      kind = OBJ_BOX;
  }
  if (!kind) return ERR_UNSUPPORTEDFEAT;
  LayerImage image;
  Rect at;
  if (int32_t error = layer_services().drawn_border(L, layer, t, kind, std::max(layer->border_size, 0), &image, &at))
    return error;
  if (int32_t error = border_opacity(image, at.width, at.height, 255 - int32_t(layer->border_colour >> 24))) {
    layer_image_free(image);
    return error;
  }
  t->border = image;
  t->border_x = at.x, t->border_y = at.y;
  t->border_w = at.width, t->border_h = at.height;
  ++g_built;
  return 0;
}

// The border image: the layer's outline grown by the border size in the border colour, its
// opacity from the colour's top byte. A plain rectangle keeps no alpha plane when opaque.
int32_t build_border(qmState* L, qmLayer* layer, qmLayerState* t) {
  // A transformed layer's border grows with it: the offset is how far the turned or scaled border
  // reaches past the turned or scaled layer.
  Matrix2 m = layer->transform.matrix;
  if (t == layer->display && t != layer->unscaled) {
    const qmDisplay* d = display_current();
    const double sx = d ? d->scale_x : 1.0, sy = d ? d->scale_y : 1.0;
    m.m[0] *= sx, m.m[1] *= sx, m.m[2] *= sy, m.m[3] *= sy;
  }
  const int32_t drawn = build_drawn_border(L, layer, t, m);
  if (drawn != ERR_UNSUPPORTEDFEAT) return drawn;
  LayerPlanes p;
  if (int32_t error = layer_build_transformed(L, layer, t, true, &p)) return error;
  int32_t b = std::max(layer->border_size, 0);
  if (b > 0 && !m.is_identity()) b = std::max(1, transform_border_offset(m, t->content_w, t->content_h, b));
  const int32_t w = t->width + 2 * b, h = t->height + 2 * b;
  qmBitmap* bitmap = qmos_alloc_bitmap(w, h);
  if (!bitmap) return ERR_MEM;
  qmos_fill_bitmap_rect(bitmap, 0, 0, w, h, layer->border_colour & 0xFFFFFF);
  LayerImage image{bitmap, nullptr, nullptr};
  if (p.mask || p.alpha) {
    image.alpha =
        shadow_alpha_new(p.alpha, p.mask, p.part_x, p.part_y, t->width, t->height, b, b / 3.0, 255, 1, b > 3 ? 1 : 0);
    if (!image.alpha) {
      layer_image_free(image);
      return ERR_MEM;
    }
  }
  if (int32_t error = border_opacity(image, w, h, 255 - int32_t(layer->border_colour >> 24))) {
    layer_image_free(image);
    return error;
  }
  t->border = image;
  t->border_x = t->border_y = b;
  t->border_w = w;
  t->border_h = h;
  ++g_built;
  return 0;
}

Rect border_rect(const qmLayerState* t) {
  return {sat_i32(int64_t(t->bounds_x) - t->border_x), sat_i32(int64_t(t->bounds_y) - t->border_y), t->border_w,
          t->border_h};
}

void draw_border(const RedrawSource& s, qmLayer* layer, qmLayerState* t, const Rect& work) {
  if (!t->border.bitmap && build_border(s.L, layer, t) != 0) return;
  const Rect at = border_rect(t);
  const Rect r = rect_intersect(at, work);
  if (r.width <= 0 || r.height <= 0) return;
  int32_t opacity = 255 - layer->transparency;
  if (layer->border_fade) opacity = opacity * (layer->border_fade - 1) / 255;
  const LayerPlanes p{t->border.bitmap, t->border.mask, t->border.alpha, at.width, at.height, 0, 0};
  draw_layer_image(s, p, r.x - at.x, r.y - at.y, r, 255 - opacity, t->clip);
}

void draw_layer(const RedrawSource& s, qmLayer* layer, const Rect& area) {
  qmLayerState* t = s.unscaled ? layer->unscaled : layer->display;
  Rect work = area;
  if (t->clip) work = rect_intersect(work, Rect{t->clip->x, t->clip->y, t->clip->width, t->clip->height});
  if (layer->hidden || layer->off_display || work.width <= 0 || work.height <= 0) return;
  if (layer_has_filters(layer->filters) && !t->filtered.bitmap && build_filtered(s.L, layer, t) != 0) return;
  if (layer->shadow && layer->border && !t->border.bitmap) build_border(s.L, layer, t);
  if (layer->shadow) draw_shadow(s, layer, t, work);
  if (layer->border) {
    draw_border(s, layer, t, work);
    // A drawn shape whose outline is its border shows through the border image alone.
    if ((layer_kind_is_shape(layer->type) || layer->type == OBJ_VECTORPATH) && t->fill_style == 0 &&
        (t->colour & 0xFFFFFF) == (layer->border_colour & 0xFFFFFF))
      return;
  }
  if (const qmLayerEffect* e = layer->effect; e && e->bitmap && t == layer->display) {
    // A running transition effect: its image holds the transformed layer as far as it has come.
    const Rect r = rect_intersect(Rect{e->x, e->y, e->width, e->height}, work);
    if (r.width <= 0 || r.height <= 0) return;
    const LayerPlanes p{e->bitmap, e->mask, e->alpha, e->width, e->height, 0, 0};
    draw_layer_image(s, p, r.x - e->x, r.y - e->y, r, layer->transparency, t->clip);
    return;
  }
  const Rect r = rect_intersect(Rect{t->bounds_x, t->bounds_y, t->width, t->height}, work);
  if (r.width <= 0 || r.height <= 0) return;
  LayerPlanes p;
  if (layer_build_transformed(s.L, layer, t, true, &p) != 0) return;
  draw_layer_image(s, p, r.x - t->bounds_x + p.part_x, r.y - t->bounds_y + p.part_y, r, layer->transparency, t->clip);
}

}  // namespace

int64_t layer_images_built() {
  return g_built;
}

int32_t layer_build_transformed(qmState* L, qmLayer* layer, qmLayerState* t, bool with_filters, LayerPlanes* out) {
  if (with_filters && layer_has_filters(layer->filters)) {
    if (!t->filtered.bitmap)
      if (int32_t error = build_filtered(L, layer, t)) return error;
    *out = {t->filtered.bitmap, t->filtered.mask, t->filtered.alpha, t->width, t->height, 0, 0};
    return 0;
  }
  const LayerImage& own = t->transformed.bitmap ? t->transformed : t->content;
  if (own.bitmap) {
    *out = {own.bitmap, own.mask, own.alpha, t->width, t->height, 0, 0};
    return 0;
  }
  switch (layer->type) {
    case OBJ_BRUSH:
    case OBJ_BRUSHPART: {
      qmBrushPlanes b{};
      if (int32_t error = gfx_services().brush_find(L, layer->object, &b)) return error;
      *out = {b.bitmap, b.mask, b.alpha, b.width, b.height, 0, 0};
      break;
    }
    case OBJ_BGPICPART: {
      qmBGPic* pic = nullptr;
      if (int32_t error = bgpic_find(layer->object, 0, &pic)) return error;
      *out = {
          pic->current.bitmap, pic->current.mask, pic->current.alpha, pic->display_width, pic->display_height, 0, 0};
      break;
    }
    // Anim frames and text objects come from their libraries; the state's kind words hold the
    // anim's current frame, not a part.
    case OBJ_ANIM: {
      int32_t count = 0;
      return layer_services().anim_frame(L, layer->object, t->kind[0], out, &count);
    }
    case OBJ_TEXTOBJECT:
      return layer_services().textobject_image(L, layer->object, out);
    default:
      return ERR_WRONGUSAGE;
  }
  if (layer->type != OBJ_BRUSH) {
    out->part_x = t->kind[0];
    out->part_y = t->kind[1];
  }
  return out->bitmap ? 0 : ERR_WRONGUSAGE;
}

Rect layer_shadow_rect(const qmLayer* layer, const qmLayerState* t, double scale_x, double scale_y) {
  const Rect base = layer->border && t->border.bitmap ? border_rect(t) : Rect{t->bounds_x, t->bounds_y, t->width, t->height};
  // Far out or scaled far up, the sums stay in 64 bits and the rectangle saturates.
  const int64_t r = to_i32_sat(layer->shadow_radius);
  const int64_t dx = to_i32_sat(layer->shadow_size * scale_x), dy = to_i32_sat(layer->shadow_size * scale_y);
  // Directions 0 to 7 from up, clockwise: the offset along each axis.
  static constexpr int32_t kStepX[8] = {0, 1, 1, 1, 0, -1, -1, -1}, kStepY[8] = {-1, -1, 0, 1, 1, 1, 0, -1};
  const int32_t dir = layer->shadow_direction;
  const int64_t x = base.x + (dir >= 0 && dir < 8 ? kStepX[dir] * dx : 0);
  const int64_t y = base.y + (dir >= 0 && dir < 8 ? kStepY[dir] * dy : 0);
  return {sat_i32(x - r), sat_i32(y - r), sat_i32(base.width + 2 * r), sat_i32(base.height + 2 * r)};
}

Rect layer_bounds(const qmLayer* layer, const qmLayerState* t, double scale_x, double scale_y) {
  Rect r{t->bounds_x, t->bounds_y, t->width, t->height};
  if (layer->border) {
    // Without its image yet, the border grows the layer by the border size at the state's scale
    // (and a border that a drawing library renders by the few pixels of a stroke's or an
    // anti-aliased rim).
    const double scale = t == layer->content ? 1.0 : std::max({scale_x, scale_y, 1.0});
    const int32_t rim = layer->content && layer->content->drawn ? 3 : 0;
    const int64_t b = int64_t(to_i32_sat(std::ceil(std::max(layer->border_size, 0) * scale))) + rim;
    rect_union(r, t->border.bitmap ? border_rect(t)
                                   : Rect{sat_i32(r.x - b), sat_i32(r.y - b), sat_i32(r.width + 2 * b),
                                          sat_i32(r.height + 2 * b)});
  }
  if (layer->shadow) rect_union(r, layer_shadow_rect(layer, t, scale_x, scale_y));
  return r;
}

void dirty_rects_add_layer(DirtyList& list, const qmLayer* layer, const qmLayerState* state, double scale_x,
                           double scale_y) {
  dirty_list_add(list, layer_bounds(layer, state, scale_x, scale_y), true);
}

bool layer_is_unobscured(const qmBGPic*, const qmLayer* layer) {
  const qmLayerState* t = layer->display;
  const Corners mine = to_corners(Rect{t->bounds_x, t->bounds_y, t->width, t->height});
  for (const qmLayer* l = layer->next; l; l = l->next) {
    if (l->hidden || l->off_display || l->type == OBJ_NOOBJECT) continue;
    const qmLayerState* u = l->display;
    if (rect_overlaps(mine, to_corners(Rect{u->bounds_x, u->bounds_y, u->width, u->height}))) return false;
  }
  return true;
}

void layers_redraw(const RedrawSource& s, int32_t x, int32_t y, int32_t w, int32_t h, int32_t flags) {
  if (w < 1 || h < 1) {
    platform_debug_printf("ERROR! REDRAW CALLED WITH WIDTH/HEIGHT <= 0\n");
    return;
  }
  if (x < 0 || y < 0) {
    platform_debug_printf("ERROR! REDRAW CALLED WITH NEGATIVE X/Y COORDINATES\n");
    return;
  }
  if (!s.dest) {
    platform_debug_printf("ERROR! REDRAW CALLED WITHOUT DSTBM\n");
    return;
  }
  if (!s.pic) return;
  // Composition writes into the given bitmap only; it needs no current output, so a redraw made
  // while none is current (a snapshot, the end of the program) draws through a stand-in.
  static qmBlitOutput stand_in{};
  qmBlitGlobals& g = blit_globals();
  const bool borrowed = !g.current && !g.fallback;
  if (borrowed) g.fallback = &stand_in;
  struct Restore {
    bool on;
    ~Restore() {
      if (on) blit_globals().fallback = nullptr;
    }
  } restore{borrowed};
  // The picture's size, never beyond the planes themselves (a scaled display's picture may be
  // smaller than its display size).
  int32_t sw = std::min(s.unscaled ? s.pic->unscaled_width : s.pic->display_width, s.dest->width);
  int32_t sh = std::min(s.unscaled ? s.pic->unscaled_height : s.pic->display_height, s.dest->height);
  if (s.background) {
    sw = std::min(sw, s.background->width);
    sh = std::min(sh, s.background->height);
  }
  if (int64_t(x) + w > sw) w = sw - x;
  if (int64_t(y) + h > sh) h = sh - y;
  if (w < 1 || h < 1) return;
  const Rect area{x, y, w, h};
  if (!(flags & REDRAW_SPRITESONLY)) {
    if (s.background)
      SAFEBLT(s.L, s.background, x, y, s.dest, x, y, w, h, sw, sh, sw, sh, BLIT_NOCLIP | kIntoBitmap, nullptr, nullptr,
              nullptr);
    for (qmLayer* layer = layers_bottom(s.pic); layer; layer = layer->next)
      if (layer->type != OBJ_NOOBJECT) draw_layer(s, layer, area);
  }
  if (flags & REDRAW_NOSPRITES) return;
  if (auto sprites = layer_services().draw_sprites) sprites(s.L, s.pic, s.dest, area);
}

bool planes_overlap_test(const OverlapSide& a, const OverlapSide& b) {
  if (!rect_overlaps(to_corners(a.rect), to_corners(b.rect))) return false;
  const OverlapSide* sides[2] = {&a, &b};
  bool planes = false;
  for (const OverlapSide* s : sides) planes |= s->mask || s->alpha || (s->clip && s->clip->mask);
  if (!planes) return true;
  const Rect both = rect_intersect(a.rect, b.rect);
  for (int32_t y = both.y; y < both.y + both.height; ++y) {
    for (int32_t x = both.x; x < both.x + both.width; ++x) {
      bool solid = true;
      for (const OverlapSide* s : sides) {
        const int32_t px = x - s->rect.x + s->source_x, py = y - s->rect.y + s->source_y;
        if (s->mask && !mask_bit(s->mask->data + size_t(py) * size_t(s->mask->bytes_per_row), px)) solid = false;
        if (s->alpha && s->alpha->data[size_t(py) * size_t(s->alpha->bytes_per_row) + size_t(px)] == 0) solid = false;
        if (s->clip && s->clip->mask) {
          const int32_t cx = x - s->clip->x, cy = y - s->clip->y;
          if (cx < 0 || cy < 0 || cx >= s->clip->width || cy >= s->clip->height ||
              !mask_bit(s->clip->mask->data + size_t(cy) * size_t(s->clip->mask_bpr), cx))
            solid = false;
        }
      }
      if (solid) return true;
    }
  }
  return false;
}

}  // namespace qm

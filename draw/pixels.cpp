// Single pixels and clearing: Plot, ReadPixel and Cls on every kind of output.
#include <algorithm>

#include "display/asyncdraw.h"
#include "display/clipregion.h"
#include "display/display.h"
#include "display/target.h"
#include "draw/pixels.h"
#include "engine/errcodes.h"
#include "gfx/bitmap.h"
#include "gfx/blit.h"
#include "gfx/blitpixels.h"
#include "layers/layers.h"
#include "layers/sprite.h"

namespace qm {

namespace {

// The output's size and the rectangle of its active clip region within it.
bool clip_rect(Rect* r) {
  int32_t w = 0, h = 0;
  if (!clipregion_output_size(&w, &h)) return false;
  *r = Rect{0, 0, w, h};
  if (const qmClipRegion* c = clipregion_active()) *r = rect_intersect(*r, Rect{c->x, c->y, c->width, c->height});
  return true;
}

// True when (x, y) lies within the clip rectangle and, for a shaped region, on a set bit.
bool point_inside(const Rect& r, int32_t x, int32_t y) {
  if (x < r.x || y < r.y || int64_t(x) >= int64_t(r.x) + r.width || int64_t(y) >= int64_t(r.y) + r.height)
    return false;
  const qmClipRegion* c = clipregion_active();
  return !c || !c->mask || mask_bit(c->mask->data + size_t(y - c->y) * size_t(c->mask_bpr), x - c->x);
}

// A shown sprite's solid pixel covers (x, y) of the display's picture.
bool under_sprite(const qmBGPic* pic, int32_t x, int32_t y) {
  for (const SpriteEntry* e = sprite_entries(pic); e; e = sprite_entry_next(e)) {
    const qmSpriteRect& r = e->rect;
    if (x < r.x || y < r.y || x >= r.x + r.width || y >= r.y + r.height) continue;
    const qmBitmap* bitmap = nullptr;
    const qmMask* mask = nullptr;
    const qmAlphaChannel* alpha = nullptr;
    if (!sprite_get_frame(e->sprite, e->frame - 1, &bitmap, &mask, &alpha)) continue;
    const int32_t u = x - r.x, v = y - r.y;
    if (mask && !mask_bit(mask->data + size_t(v) * size_t(mask->bytes_per_row), u)) continue;
    if (alpha && alpha->data[size_t(v) * size_t(alpha->bytes_per_row) + size_t(u)] == 0) continue;
    return true;
  }
  return false;
}

}  // namespace

int32_t draw_plot(qmState* L, int32_t x, int32_t y, uint32_t colour) {
  qmDisplay* d = display_current();
  if (!d) return ERR_CLOSEDDISPDRAW;
  if (d->layers) return ERR_LAYERSUPPORT2;
  if (int32_t err = drawtarget_prepare(L)) return err;
  Rect area;
  if (!clip_rect(&area)) return ERR_CLOSEDDISPDRAW;
  if (!point_inside(area, x, y)) return 0;
  if (d->output_type == kOutputDisplay && under_sprite(d->bgpic, x, y)) return 0;
  // One pixel through the blit layer, which knows every kind of output: see-through colours blend
  // with what is there (or, on a target with an alpha channel, set the alpha to 255 - t).
  qmBitmap* dot = qmos_alloc_bitmap(1, 1);
  const int32_t t = int32_t(colour >> 24);
  qmAlphaChannel* alpha = t ? qmos_alloc_alpha(1, 1, 0) : nullptr;
  if (!dot || (t && !alpha)) {
    qmos_free_bitmap(dot);
    qmos_free_alpha(alpha);
    return ERR_MEM;
  }
  qmos_write_pixel(dot, 0, 0, colour & 0xFFFFFF);
  if (alpha) alpha->data[0] = uint8_t(255 - t);
  int32_t w = 0, h = 0;
  clipregion_output_size(&w, &h);
  if (d->double_buffer) dblbuf_mark(d, x, y, 1, 1);
  SAFEBLT(L, dot, 0, 0, drawtarget_dest(), x, y, 1, 1, 1, 1, w, h, BLIT_FRONT | BLIT_REDRAW, nullptr, alpha,
          clipregion_active());
  qmos_free_bitmap(dot);
  qmos_free_alpha(alpha);
  return 0;
}

int32_t draw_read_pixel(qmState* L, int32_t x, int32_t y, double* out) {
  qmDisplay* d = display_current();
  if (!d) return ERR_CLOSEDDISPDRAW;
  if (int32_t err = drawtarget_prepare(L)) return err;
  Rect area;
  if (!clip_rect(&area)) return ERR_CLOSEDDISPDRAW;
  if (!point_inside(area, x, y)) return ERR_PIXELRANGE;
  switch (d->output_type) {
    case TARGET_MASK:
      *out = d->draw_mask ? double(qmos_read_pixel(d->draw_mask, x, y)) : 1.0;
      return 0;
    case TARGET_ALPHA:
      *out = d->draw_alpha ? double(d->draw_alpha->data[size_t(y) * size_t(d->draw_alpha->bytes_per_row) + size_t(x)])
                           : 255.0;
      return 0;
    default: break;
  }
  const qmBitmap* bitmap = drawtarget_dest();
  if (!bitmap && d->output_type == kOutputDisplay && d->bgpic) bitmap = d->bgpic->current.bitmap;
  *out = bitmap ? double(qmos_read_pixel(bitmap, x, y)) : 0.0;
  return 0;
}

int32_t draw_cls(qmState* L, uint32_t colour) {
  qmDisplay* d = display_current();
  if (!d) return ERR_CLOSEDDISPDRAW;
  const int32_t type = d->output_type;
  // Brushes, masks and alpha channels are cleared to the colour.
  const OutputTarget* selected = drawtarget_selected();
  if (type == TARGET_MASK || type == TARGET_ALPHA || (selected && selected->object_type != OBJ_BGPIC && !d->layers)) {
    if (int32_t err = drawtarget_prepare(L)) return err;
    const int32_t w = selected ? selected->width : 0, h = selected ? selected->height : 0;
    qmBitmap* bitmap = type == TARGET_PICTURE ? drawtarget_dest() : nullptr;
    const qmBlitGlobals& g = blit_globals();
    if (bitmap) qmos_fill_bitmap_rect(bitmap, 0, 0, w, h, colour & 0xFFFFFF);
    if (d->draw_alpha) {
      const uint8_t value = bitmap || g.alpha_intensity == -1 ? 255 : uint8_t(g.alpha_intensity);
      alpha_fill_rect(d->draw_alpha, 0, 0, w, h, value);
    }
    if (d->draw_mask) qmos_mask_rect_op(d->draw_mask, 0, 0, w, h, type == TARGET_MASK ? g.mask_mode : MASKVANILLACOPY);
    if (d->double_buffer) dblbuf_mark(d, 0, 0, w, h);
    return 0;
  }
  qmBGPic* pic = d->layers ? layers_current_picture() : d->bgpic;
  if (!pic) return ERR_CLOSEDDISPDRAW;
  if (d->layers) {
    // Every layer is checked before anything changes.
    for (qmLayer* l = layers_bottom(pic); l; l = l->next)
      if (asyncdraw_owns_layer(l)) return ERR_REMADLAYER;
    if (selected)
      for (qmLayer* l = layers_bottom(pic); l; l = l->next)
        if (!l->hidden) dirty_rects_add_layer(d->dirty, l, l->display, d->scale_x, d->scale_y);
    bgpic_layers_free(L, pic);
  } else if (!selected) {
    // The display (or its back buffer) gets its picture's clean image back.
    if (int32_t err = sprites_remove_all(L, false)) return err;
    qmBitmap* back = d->double_buffer ? drawtarget_dest() : nullptr;
    for (qmBitmap* target : {pic->current.bitmap, back})
      if (d->buffer1 && target && target->width == d->buffer1->width && target->height == d->buffer1->height)
        BLTBITMAP(d->buffer1, 0, 0, target, 0, 0, target->width, target->height);
    if (back) dblbuf_mark(d, 0, 0, back->width, back->height);
  }
  if (type == kOutputDisplay) display_refresh_whole(L, &d->output, 0);
  return 0;
}

}  // namespace qm

// The preparation of a transition by the kind of object it shows: the pictures the effect draws
// (newpic with its mask and alpha, the old background), where they stand, the busy counter of the
// source object, and for layers whether the effect draws directly or into the layer's effect image.
#include <algorithm>

#include "display/asyncdraw.h"
#include "display/bgpic.h"
#include "display/brush.h"
#include "display/display.h"
#include "display/graphics.h"
#include "engine/errcodes.h"
#include "fx/internal.h"
#include "gfx/blit.h"
#include "layers/layers.h"
#include "platform/window.h"
#include "runtime/errors.h"

namespace qm {

void fx_recompose(qmFXRequest* r, const Rect& area, bool present) {
  qmDisplay* d = r->display;
  if (!d || !d->bgpic || !d->buffer2) return;
  if (present) {
    display_refresh_rect(r->script, area);
    return;
  }
  Rect a = area;
  if (a.x < 0) a.width += a.x, a.x = 0;
  if (a.y < 0) a.height += a.y, a.y = 0;
  rect_clip_to_size(d->bgpic->display_width, d->bgpic->display_height, a);
  if (a.width < 1 || a.height < 1) return;
  RedrawSource s;
  s.L = r->script;
  s.pic = d->bgpic;
  s.background = d->buffer1 ? d->buffer1 : d->bgpic->current.bitmap;
  s.dest = d->buffer2;
  s.scale_x = d->scale_x, s.scale_y = d->scale_y;
  layers_redraw(s, a.x, a.y, a.width, a.height, 0);
}

qmBitmap* fx_grab_display(qmFXRequest* r, int32_t x, int32_t y, int32_t w, int32_t h, qmLayer* skip) {
  qmDisplay* d = r->display;
  qmBitmap* out = fx_alloc_bitmap(w, h);
  if (!out) return nullptr;
  qmos_fill_bitmap_rect(out, 0, 0, w, h, 0);
  // What lies outside the drawing area stays black: only the visible part is grabbed.
  Rect a{x, y, w, h};
  if (a.x < 0) a.width += a.x, a.x = 0;
  if (a.y < 0) a.height += a.y, a.y = 0;
  rect_clip_to_size(r->clip_width, r->clip_height, a);
  if (a.width < 1 || a.height < 1) return out;
  if (d->layers && d->buffer2) {
    const int32_t type = skip ? skip->type : 0;
    if (skip) skip->type = OBJ_NOOBJECT;  // left out of the composition
    fx_recompose(r, a, false);
    if (skip) skip->type = type;
    BLTBITMAP(d->buffer2, a.x, a.y, out, a.x - x, a.y - y, a.width, a.height);
    if (skip) fx_recompose(r, a, false);
  } else {
    BLTBITMAP(d->bgpic->current.bitmap, a.x, a.y, out, a.x - x, a.y - y, a.width, a.height);
  }
  return out;
}

int32_t fx_take_layer_image(qmFXRequest* r) {
  qmLayer* layer = r->layer;
  qmLayerState* t = layer->display;
  LayerPlanes p;
  if (int32_t err = layer_build_transformed(r->script, layer, t, true, &p)) return err;
  const int32_t w = std::min(t->width, p.width - p.part_x), h = std::min(t->height, p.height - p.part_y);
  if (w < 1 || h < 1) return ERR_BADDIMENSIONS;
  qmBitmap* bitmap = nullptr;
  qmMask* mask = nullptr;
  qmAlphaChannel* alpha = nullptr;
  if (int32_t err = fx_copy_planes(p.bitmap, p.mask, p.alpha, p.part_x, p.part_y, w, h, &bitmap, &mask, &alpha))
    return err;
  if (r->own_newpic) qmos_free_bitmap(r->newpic);
  if (r->own_mask) qmos_free_mask(r->mask);
  if (r->own_alpha) qmos_free_alpha(r->alpha);
  r->newpic = bitmap, r->mask = mask, r->alpha = alpha;
  r->own_newpic = 1, r->own_mask = mask ? 1 : 0, r->own_alpha = alpha ? 1 : 0;
  r->width = w, r->height = h;
  r->x = t->bounds_x, r->y = t->bounds_y;
  return 0;
}

namespace {

void take_busy(qmFXRequest* r, int32_t* counter) {
  r->busy = counter;
  ++*counter;
}

// bgpicemu: the layer stands for a background picture, drawn with its layers into newpic.
void draw_emulated_picture(qmFXRequest* r) {
  if (!r->bgpicemu || !r->bgpic || !r->newpic) return;
  r->bgpic->redraw = 1;
  fx_redraw_step(r, 2);
}

int32_t prepare_layer(qmFXRequest* r) {
  qmDisplay* d = r->display;
  if (!d->layers) return ERR_NOLAYERS;
  qmBGPic* pic = d->bgpic;
  if (!r->layer) {
    r->layer = layer_at_index(pic, r->id.number);
    if (!r->layer) return ERR_LAYERRANGE;
  }
  qmLayer* layer = r->layer;
  if (!r->inserted && asyncdraw_owns_layer(layer)) return ERR_ALREADYASYNC;
  r->was_hidden = layer->hidden;
  qmLayerState* t = layer->display;
  if (r->bgpicemu) r->bgpic->redraw = 0;
  // Scroll effects move the layer itself, drawn directly.
  if (fx_in_set(r->effect, FXSET_SCROLL)) {
    const Rect b = layer_bounds(layer, t, d->scale_x, d->scale_y);
    r->width = b.width, r->height = b.height;
    r->x = r->layer_x = layer->unscaled->pos_x;
    r->y = r->layer_y = layer->unscaled->pos_y;
    r->realtime = 0;
    if (r->bgpicemu) {
      const int32_t x = r->x, y = r->y, w = r->width, h = r->height;
      if (int32_t err = fx_take_layer_image(r)) return err;
      r->x = x, r->y = y, r->width = w, r->height = h;
      draw_emulated_picture(r);
    }
    return 0;
  }
  r->realtime = r->forcerealtimelayers || r->async || r->bgpicemu || fx_layer_styled(layer) || t->clip || r->scaled ||
                        layer->transparency > 0 || (r->hide && fx_in_set(r->effect, FXSET_HIDEREALTIME)) ||
                        !layer_is_unobscured(pic, layer)
                    ? 1
                    : 0;
  r->x = t->bounds_x, r->y = t->bounds_y;
  if (!r->hide || r->realtime) {
    if (int32_t err = fx_take_layer_image(r)) return err;
  } else {
    // A direct hide draws what lies under the layer over it.
    r->width = t->width, r->height = t->height;
    r->newpic = fx_grab_display(r, r->x, r->y, r->width, r->height, layer);
    if (!r->newpic) return ERR_MEM;
    r->own_newpic = 1;
  }
  if (!r->realtime) return 0;
  r->full_redraw = fx_layer_styled(layer) ? 1 : 0;
  draw_emulated_picture(r);
  if (int32_t err = fx_setup_buffers(r)) return err;
  if (d->output_type == kOutputDisplay && !layer->hidden) layer_refresh(r->script, pic, layer);
  return 0;
}

int32_t prepare_brush(qmFXRequest* r) {
  qmBrush* b = nullptr;
  if (int32_t err = brush_find(r->id, 0, &b)) return err;
  if (!b->bitmap) return ERR_BRUSHTYPE;
  take_busy(r, &b->locked);
  r->x = coord_resolve_special_x(r->x, b->width, 0, 0.0);
  r->y = coord_resolve_special_y(r->y, b->height, 0, 0.0);
  if (!r->display->layers) {
    r->width = b->width, r->height = b->height;
    r->newpic = b->bitmap, r->mask = b->mask, r->alpha = b->alpha;
    return 0;
  }
  // With layers the brush becomes a new top layer, hidden until the effect's first frame.
  qmLayer* layer = nullptr;
  if (!fx_allocation_allowed()) return ERR_MEM;
  if (int32_t err = insert_object_layer(r->script, 0, OBJ_BRUSH, r->id, r->x, r->y, true, true, &layer)) return err;
  r->layer = layer;
  r->inserted = 1;
  r->kind = OBJ_LAYER;
  return prepare_layer(r);
}

int32_t prepare_part(qmFXRequest* r) {
  qmDisplay* d = r->display;
  if (r->layers && !d->layers) return ERR_WRONGUSAGE;
  qmBGPic* pic = nullptr;
  if (int32_t err = bgpic_find(r->id, 0, &pic)) return err;
  take_busy(r, &pic->lock);
  if (r->part_x < 0 || r->part_y < 0) return ERR_NEGCOORDS;
  if (r->part_x >= pic->display_width || r->part_y >= pic->display_height) return ERR_COORDSRANGE;
  const int32_t w = std::min(r->width, pic->display_width - r->part_x);
  const int32_t h = std::min(r->height, pic->display_height - r->part_y);
  if (w < 1 || h < 1) return ERR_BADDIMENSIONS;
  qmBitmap* bitmap = nullptr;
  qmMask* mask = nullptr;
  qmAlphaChannel* alpha = nullptr;
  if (int32_t err = fx_copy_planes(pic->current.bitmap, pic->current.mask, pic->current.alpha, r->part_x, r->part_y,
                                   w, h, &bitmap, &mask, &alpha))
    return err;
  r->x = coord_resolve_special_x(r->x, w, 0, 0.0);
  r->y = coord_resolve_special_y(r->y, h, 0, 0.0);
  if (!d->layers) {
    r->newpic = bitmap, r->mask = mask, r->alpha = alpha;
    r->own_newpic = 1, r->own_mask = mask ? 1 : 0, r->own_alpha = alpha ? 1 : 0;
    r->width = w, r->height = h;
    return 0;
  }
  // A new top layer, hidden until the first frame: with `layers` it keeps the copy of the part,
  // else it shows the part of the picture itself.
  LayerSpec spec;
  spec.type = OBJ_BGPICPART;
  spec.id = pic->header.id;
  spec.x = r->x, spec.y = r->y, spec.width = w, spec.height = h;
  if (r->layers) {
    spec.image = {bitmap, mask, alpha};
  } else {
    qmos_free_bitmap(bitmap);
    qmos_free_mask(mask);
    qmos_free_alpha(alpha);
    spec.part_x = r->part_x, spec.part_y = r->part_y;
  }
  spec.flags = LAYER_SCALED | LAYER_NOREFRESH | LAYER_HIDDEN;
  qmLayer* layer = nullptr;
  if (int32_t err = layer_new(r->script, d->bgpic, spec, &layer)) return err;
  r->layer = layer;
  r->inserted = 1;
  r->kind = OBJ_LAYER;
  return prepare_layer(r);
}

// The display's picture as it shows now, at its display size.
qmBitmap* shown_picture(qmFXRequest* r) {
  qmDisplay* d = r->display;
  const qmBitmap* shown = d->layers && d->buffer2 ? d->buffer2 : d->bgpic->current.bitmap;
  const int32_t w = d->bgpic->display_width, h = d->bgpic->display_height;
  qmBitmap* copy = fx_alloc_bitmap(w, h);
  if (!copy) return nullptr;
  BLTBITMAP(shown, 0, 0, copy, 0, 0, std::min(w, shown->width), std::min(h, shown->height));
  return copy;
}

int32_t prepare_picture(qmFXRequest* r) {
  qmDisplay* d = r->display;
  bool window_resized = false;
  if (r->clear) {
    // ClearScreen: the display's own picture becomes one colour.
    r->bgpic_old = shown_picture(r);
    r->newpic = fx_alloc_bitmap(d->bgpic->display_width, d->bgpic->display_height);
    r->own_newpic = 1;
    if (!r->bgpic_old || !r->newpic) return ERR_MEM;
    qmos_fill_bitmap_rect(r->newpic, 0, 0, r->newpic->width, r->newpic->height, r->colour & 0xFFFFFF);
  } else {
    qmBGPic* pic = nullptr;
    if (int32_t err = bgpic_find(r->id, 0, &pic)) return err;
    if (asyncdraw_picture_busy(pic) || asyncdraw_picture_busy(d->bgpic)) return ERR_WRONGUSAGE;
    if (!fx_allocation_allowed()) return ERR_MEM;
    const int32_t old_w = d->win.width, old_h = d->win.height;
    if (int32_t err = bgpic_fx_pictures(r->script, r->id, r->bg_x, r->bg_y, &r->newpic, &r->bgpic_old)) return err;
    r->own_newpic = 1;
    d = r->display = display_current();
    // Until its first frame the effect shows the old picture: the window gets it whole when the
    // new picture changed the window's size.
    window_resized = d->win.width != old_w || d->win.height != old_h;
  }
  r->cur_bgpic = d->bgpic;
  take_busy(r, &d->bgpic->lock);
  r->width = r->newpic->width, r->height = r->newpic->height;
  r->x = r->y = 0;
  // The old picture stands in the display and both its buffers until the effect draws the new one
  // (a new picture's switch has put it in the buffers). The picture that the frames draw into goes
  // last, so that the first frame finds it in the cache.
  qmBitmap* const buffers[] = {r->clear ? d->buffer1 : nullptr, r->clear ? d->buffer2 : nullptr,
                               d->bgpic->current.bitmap};
  for (qmBitmap* b : buffers)
    if (b && b->width == r->bgpic_old->width && b->height == r->bgpic_old->height)
      BLTBITMAP(r->bgpic_old, 0, 0, b, 0, 0, b->width, b->height);
  if (window_resized)
    display_present_rect(d->bgpic->current.bitmap, 0, 0, &d->output, 0, 0, r->width, r->height, 1);
  else if (d->win.state == DISPSTATE_OPEN && !d->output.scaled)
    platform_window_touch(&d->win);  // the first frame presents into it
  return 0;
}

int32_t prepare_textobject(qmFXRequest* r) {
  // Text objects arrive with the text library; until then none can be found.
  if (r->id.handle) return ERR_FINDARRAY;
  err_set_number_arg(r->id.number);
  return ERR_FINDTEXTOBJECT;
}

}  // namespace

int32_t fx_prepare(qmFXRequest* r) {
  switch (r->kind) {
    case OBJ_BRUSH: return prepare_brush(r);
    case OBJ_TEXTOBJECT: return prepare_textobject(r);
    case OBJ_BGPICPART: return prepare_part(r);
    case OBJ_BGPIC: return prepare_picture(r);
    case OBJ_LAYER:
    case OBJ_HIDELAYER:
    case OBJ_REMOVELAYER: return prepare_layer(r);
    default: return ERR_WRONGUSAGE;
  }
}

}  // namespace qm

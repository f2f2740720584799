// The life of a transition after its preparation: the layer's effect image, the end of an effect
// (finish) and its release (free), the async callbacks with their control codes, seeking, and the
// rebuild after the layer changed under a running effect.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <new>

#include "display/asyncdraw.h"
#include "display/display.h"
#include "engine/errcodes.h"
#include "fx/internal.h"
#include "gfx/blit.h"
#include "gfx/blitpixels.h"
#include "layers/layers.h"

namespace qm {

namespace {

qmLayerEffect* effect_of(const qmFXRequest* r) { return r->layer ? r->layer->effect : nullptr; }

// The layer's rectangle on the display, drawn again whatever the layer's state now.
void refresh_layer_area(qmFXRequest* r, qmLayer* layer) {
  qmDisplay* d = r->display;
  if (!d || !d->bgpic || d != display_current()) return;
  refresh_dirty_rect(r->script, layer_bounds(layer, layer->display, d->scale_x, d->scale_y));
}

// Removes a layer made for the effect and shows what lay under it.
void drop_layer(qmFXRequest* r) {
  qmLayer* layer = r->layer;
  qmDisplay* d = r->display;
  const Rect area = layer_bounds(layer, layer->display, d->scale_x, d->scale_y);
  r->layer = nullptr;
  r->inserted = 0;
  layer_remove(r->script, d->bgpic, layer);
  if (d->bgpic && d == display_current()) refresh_dirty_rect(r->script, area);
}

void release_busy(qmFXRequest* r) {
  if (r->busy) --*r->busy;
  r->busy = nullptr;
}

void free_async_copies(qmFXRequest* r) {
  qmos_free_mask(r->async_mask);
  qmos_free_alpha(r->async_alpha);
  r->async_mask = nullptr;
  r->async_alpha = nullptr;
}

void free_pictures(qmFXRequest* r) {
  if (r->own_newpic) qmos_free_bitmap(r->newpic);
  if (r->own_mask) qmos_free_mask(r->mask);
  if (r->own_alpha) qmos_free_alpha(r->alpha);
  r->newpic = nullptr, r->mask = nullptr, r->alpha = nullptr;
  r->own_newpic = r->own_mask = r->own_alpha = 0;
  qmos_free_bitmap(r->oldpic);
  qmos_free_bitmap(r->bgpic_old);
  r->oldpic = r->bgpic_old = nullptr;
  fx_free_scaling(r);
  free_async_copies(r);
}

bool is_layer_kind(int32_t kind) { return kind == OBJ_LAYER || kind == OBJ_HIDELAYER || kind == OBJ_REMOVELAYER; }

}  // namespace

int32_t fx_setup_buffers(qmFXRequest* r) {
  qmLayer* layer = r->layer;
  if (!layer) return 0;
  layer_effect_free(layer);
  const int32_t w = r->width, h = r->height;
  const bool alpha_effect = fx_in_set(r->effect, FXSET_ALPHA);
  if (!fx_allocation_allowed()) return ERR_MEM;
  auto* e = new (std::nothrow) qmLayerEffect;
  if (!e) return ERR_MEM;
  e->x = r->x, e->y = r->y, e->width = w, e->height = h;
  e->bitmap = fx_alloc_bitmap(w, h);
  bool ok = e->bitmap != nullptr;
  if (ok && (alpha_effect || r->alpha)) {
    e->alpha = fx_alloc_alpha(w, h, 1);
    ok = e->alpha && (!r->async || (r->async_alpha = fx_alloc_alpha(w, h, 1)));
  } else if (ok && !fx_in_set(r->effect, FXSET_TWOPICTURE)) {
    e->mask = fx_alloc_mask(w, h, 1);
    ok = e->mask && (!r->async || (r->async_mask = fx_alloc_mask(w, h, 1)));
  }
  layer->effect = e;
  r->has_buffers = 1;
  if (!ok) {
    fx_free_buffers(r);
    free_async_copies(r);
    return ERR_MEM;
  }
  BLTBITMAP(r->newpic, 0, 0, e->bitmap, 0, 0, w, h);
  if (r->hide) {
    // A hide starts from the layer whole.
    if (alpha_effect) {
      fx_alpha_from_source(e->alpha, r->mask, r->alpha, w, h);
      if (r->async_alpha) alpha_fill_rect(r->async_alpha, 0, 0, w, h, 255);
    } else {
      fx_blit_rect(r->newpic, 0, 0, e->bitmap, e->mask, e->alpha, 0, 0, w, h, w, h, w, h, r->mask, r->alpha, r,
                   FXB_NOREFRESH);
    }
  }
  return 0;
}

void fx_free_buffers(qmFXRequest* r) {
  if (r->has_buffers && r->layer) layer_effect_free(r->layer);
  r->has_buffers = 0;
  qmLayer* layer = r->layer;
  if (!layer) return;
  if (r->drop_layer) {
    r->drop_layer = 0;
    drop_layer(r);
  } else if (r->restore_layer) {
    r->restore_layer = 0;
    layer->hidden = r->hide ? 0 : 1;
    refresh_layer_area(r, layer);
  }
}

void fx_final_put(qmFXRequest* r) {
  qmDisplay* d = r->display;
  if (r->final_put || !r->newpic || !d || !d->bgpic || d->bgpic != r->cur_bgpic) return;
  qmBitmap* front = d->bgpic->current.bitmap;
  if (front->width != r->newpic->width || front->height != r->newpic->height) return;
  r->final_put = 1;
  for (qmBitmap* b : {front, d->buffer1, d->buffer2})
    if (b && b->width == front->width && b->height == front->height)
      BLTBITMAP(r->newpic, 0, 0, b, 0, 0, b->width, b->height);
  if (d == display_current() && d->win.state == DISPSTATE_OPEN) display_refresh(r->script, d);
}

void fx_finish(qmFXRequest* r, int32_t normal) {
  qmLayer* layer = r->layer;
  // A picture ends on its new image in the display and both buffers.
  if (r->kind == OBJ_BGPIC && !r->resized) {
    fx_observe(r, FXOBS_FINAL);
    fx_final_put(r);
  }
  fx_free_buffers(r);
  release_busy(r);
  layer = r->layer;
  if (layer && r->kind == OBJ_HIDELAYER) {
    layer->hidden = 1;
    if (normal && fx_layer_styled(layer)) {
      layer->border_fade = 0;
      refresh_layer_area(r, layer);
    }
  } else if (layer && r->kind == OBJ_REMOVELAYER) {
    if (normal && fx_layer_styled(layer)) {
      layer->border_fade = 0;
      layer->hidden = 1;
      refresh_layer_area(r, layer);
    }
    qmDisplay* d = r->display;
    r->layer = nullptr;
    layer_remove(r->script, d->bgpic, layer);
  }
  r->finished = 1;
}

void fx_free(qmFXRequest* r, int32_t normal) {
  if (!r) return;
  release_busy(r);
  const bool had_buffers = r->has_buffers != 0;
  fx_free_buffers(r);
  if (r->priv) {
    if (r->free_state) r->free_state(r);
    std::free(r->priv);
    r->priv = nullptr;
  }
  // A picture that the display switched to gets its own image back if the effect did not finish.
  if (r->kind == OBJ_BGPIC && !r->resized) fx_final_put(r);
  free_pictures(r);
  if (qmLayer* layer = r->layer; layer && is_layer_kind(r->kind)) {
    bool refresh = had_buffers;
    if (layer->shadow_fade) layer_free_images(layer, LAYER_IMAGE_SHADOW);
    layer->shadow_fade = layer->border_fade = 0;
    if (!normal && !r->finished) {
      if (r->inserted) {
        // The layer was made for the effect: it goes with it.
        drop_layer(r);
        refresh = false;
      } else if (!r->hide) {
        layer->hidden = 1;
        refresh = true;
      } else {
        refresh = true;
      }
    } else if (!r->hide) {
      // The border faded in with the effect: drawn at its full level once it is over.
      refresh = true;
    }
    if (refresh && r->layer) refresh_layer_area(r, r->layer);
  }
  delete r;
}

int32_t fx_seek_frame(qmFXRequest* r, int32_t frame, int32_t force) {
  if (!r->step) return 0;
  frame = std::clamp(frame, 0, r->frames);
  if (fx_in_set(r->effect, FXSET_DIRECTSEEK)) {
    r->phase = 2;
    r->frame = frame;
    int32_t done = 0;
    const int32_t err = r->step(r, &done);
    r->phase = 1;
    return err;
  }
  qmLayerEffect* e = effect_of(r);
  const int32_t w = r->width, h = r->height;
  if (frame == r->frame && !force) {
    // Only the effect image is drawn again from the source, with what the effect made visible.
    if (!e) return 0;
    BLTBITMAP(r->newpic, 0, 0, e->bitmap, 0, 0, std::min(w, e->width), std::min(h, e->height));
    if (e->mask && r->async_mask) {
      qmos_blit_mask_bits(r->async_mask, 0, 0, e->mask, 0, 0, w, h, MASKVANILLACOPY);
      if (r->mask) qmos_blit_mask_bits(r->mask, 0, 0, e->mask, 0, 0, w, h, MASKAND);
    } else if (e->alpha && r->async_alpha) {
      alpha_copy_rect(r->async_alpha, 0, 0, e->alpha, 0, 0, w, h, 0, 0);
      if (r->alpha) alpha_copy_rect(r->alpha, 0, 0, e->alpha, 0, 0, w, h, 7, 0);
      else if (r->mask) alpha_copy_rect(r->async_alpha, 0, 0, e->alpha, 0, 0, w, h, 0, 0);
    }
    return 0;
  }
  // A replay from the start state: nothing visible for a show, the layer whole for a hide.
  if (e) {
    if (r->hide)
      fx_blit_rect(r->newpic, 0, 0, e->bitmap, e->mask, e->alpha, 0, 0, w, h, w, h, e->width, e->height, r->mask,
                   r->alpha, r, FXB_NOREFRESH);
    else
      fx_blit_rect(r->newpic, 0, 0, e->bitmap, e->mask, e->alpha, 0, 0, w, h, w, h, e->width, e->height, nullptr,
                   nullptr, r, FXB_HIDE | FXB_NOREFRESH);
  }
  const int32_t quiet = r->quiet;
  r->quiet = 1;
  r->frame = 0;
  int32_t err = 0, done = 0;
  for (int32_t i = 0; i < frame && !done && !err; ++i) err = r->step(r, &done);
  r->quiet = quiet;
  r->frame = frame;
  return err;
}

namespace {

// The layer changed under a realtime effect: the effect takes its new image, size and place, and
// seeks back to where it was (a new size sets the effect up again, at the same share of its frames).
int32_t rebuild(qmFXRequest* r) {
  qmLayer* layer = r->layer;
  if (!r->realtime) {
    if (r->bgpicemu && fx_in_set(r->effect, FXSET_SCROLL)) {
      const int32_t x = r->x, y = r->y, w = r->width, h = r->height;
      if (int32_t err = fx_take_layer_image(r)) return err;
      r->x = x, r->y = y, r->width = w, r->height = h;
      if (r->bgpic) r->bgpic->redraw = 1;
      fx_redraw_step(r, 2);
    }
    return 0;
  }
  const int32_t old_w = r->width, old_h = r->height;
  layer_free_caches(layer);
  if (int32_t err = fx_take_layer_image(r)) return err;
  if (r->bgpicemu && r->bgpic) {
    r->bgpic->redraw = 1;
    fx_redraw_step(r, 2);
  }
  if (r->width == old_w && r->height == old_h) {
    if (qmLayerEffect* e = effect_of(r)) e->x = r->x, e->y = r->y;
  } else {
    const int32_t old_frame = r->frame, old_frames = std::max(r->frames, 1);
    fx_free_buffers(r);
    free_async_copies(r);
    if (int32_t err = fx_setup_buffers(r)) return err;
    if (r->bgpicemu) {
      qmBitmap* old = fx_alloc_bitmap(r->width, r->height);
      if (!old) return ERR_MEM;
      qmos_fill_bitmap_rect(old, 0, 0, r->width, r->height, 0);
      qmos_free_bitmap(r->oldpic);
      r->oldpic = old;
    }
    if (int32_t err = fx_setup_step(r)) return err;
    if (old_frame != 0)
      r->frame = std::clamp(int32_t(std::lrint(double(r->frames) * old_frame / old_frames)), 1, r->frames);
  }
  if (r->frame <= 0) return 0;
  r->rebuilding = 1;
  const int32_t err = fx_seek_frame(r, r->frame, 1);
  r->rebuilding = 0;
  return err;
}

}  // namespace

int32_t fx_async_draw_frame(void* data, int32_t* finished) {
  auto* r = static_cast<qmFXRequest*>(data);
  if (r->finished || (is_layer_kind(r->kind) && !r->layer)) {
    *finished = 1;
    return 0;
  }
  const bool emulated = r->bgpicemu && !fx_in_set(r->effect, FXSET_TWOPICTURE | FXSET_SCROLL);
  if (emulated && fx_redraw_step(r, 2)) {
    if (int32_t err = fx_seek_frame(r, r->frame, 0)) return err;
    refresh_layer_area(r, r->layer);
  } else if (r->realtime && r->layer) {
    // The effect follows its layer when the program moved it.
    const qmLayerState* t = r->layer->display;
    if (t->bounds_x != r->x || t->bounds_y != r->y) {
      qmDisplay* d = r->display;
      Rect area = layer_bounds(r->layer, t, d->scale_x, d->scale_y);
      if (qmLayerEffect* e = effect_of(r)) rect_union(area, Rect{e->x, e->y, e->width, e->height});
      r->x = t->bounds_x, r->y = t->bounds_y;
      if (qmLayerEffect* e = effect_of(r)) e->x = r->x, e->y = r->y;
      if (!r->quiet) refresh_dirty_rect(r->script, area);
    }
  }
  int32_t done = 0;
  const int32_t err = r->step(r, &done);
  if (done) *finished = 1;
  fx_observe(r, FXOBS_FRAME);
  return err;
}

intptr_t fx_layer_event(int32_t code, intptr_t argument, void* data) {
  auto* r = static_cast<qmFXRequest*>(data);
  switch (code) {
    case ADCTL_LAYERGONE:
      // The layer goes (with its effect image): the effect lets go of it and ends.
      if (reinterpret_cast<qmLayer*>(argument) == r->layer && r->layer) {
        r->layer = nullptr;
        r->has_buffers = 0;
        r->inserted = 0;
      }
      return 0;
    case ADCTL_LAYERCHANGED:
      if (!r->layer || reinterpret_cast<qmLayer*>(argument) != r->layer) return 0;
      return rebuild(r);
    case ADCTL_TOTAL: return r->frames;
    case ADCTL_CURRENT: return r->frame;
    case ADCTL_SEEK: return argument ? fx_seek_frame(r, *reinterpret_cast<int32_t*>(argument), 0) : 0;
    case ADCTL_REDRAW:
      if (r->layer) {
        refresh_layer_area(r, r->layer);
      } else if (qmDisplay* d = r->display; d && d->bgpic && d == display_current()) {
        display_present_rect(d->bgpic->current.bitmap, r->x, r->y, &d->output, r->x, r->y, r->width, r->height, 0);
      }
      return 0;
    case ADCTL_LAYER:
      if (argument) *reinterpret_cast<void**>(argument) = r->layer;
      return 0;
    case ADCTL_PICTURE:
      if (argument) {
        void* picture = r->bgpicemu ? static_cast<void*>(r->bgpic)
                        : r->kind == OBJ_BGPIC ? static_cast<void*>(r->cur_bgpic)
                                               : nullptr;
        *reinterpret_cast<void**>(argument) = picture;
      }
      return 0;
    case ADCTL_PICTUREFRAME: r->quiet = argument ? 1 : 0; return 0;
    default: return 0;
  }
}

}  // namespace qm

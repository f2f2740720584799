// A layer as a drawing target (SelectLayer, and SelectMask or SelectAlphaChannel of a layer): the
// layer first gets planes of its own, drawing changes them in place, and the end of the select
// shows the layer anew.
#include "display/asyncdraw.h"
#include "display/display.h"
#include "display/hooks.h"
#include "engine/errcodes.h"
#include "gfx/bitmap.h"
#include "gfx/effects.h"
#include "layers/layers.h"

namespace qm {

namespace {

// The layer still exists on some picture.
bool layer_alive(const qmLayer* layer) {
  for (ObjectHeader* h = bgpic_list(); h; h = h->next)
    if (layer_index_of(reinterpret_cast<qmBGPic*>(h), layer) > 0) return true;
  return false;
}

int32_t layer_target(qmState* L, int32_t position, int32_t frame, LayerTargetPlanes* out) {
  qmBGPic* pic = nullptr;
  if (int32_t err = layer_precondition(&pic)) return err;
  qmLayer* layer = layer_at_index(pic, position);
  if (!layer) return ERR_LAYERRANGE;
  LayerImage image;
  if (int32_t err = layer_render_to_bitmap(L, layer, frame, &image)) return err;
  *out = {layer, image.bitmap, image.mask, image.alpha, layer->content->content_w, layer->content->content_h};
  return 0;
}

void layer_target_get(void* record, LayerTargetPlanes* out) {
  auto* layer = static_cast<qmLayer*>(record);
  const LayerImage& image = layer->content->content;
  *out = {layer, image.bitmap, image.mask, image.alpha, layer->content->content_w, layer->content->content_h};
}

void layer_target_replace(void* record, int32_t which, void* plane) {
  LayerImage& image = static_cast<qmLayer*>(record)->content->content;
  if (which == 0) {
    qmos_free_mask(image.mask);
    image.mask = static_cast<qmMask*>(plane);
  } else {
    qmos_free_alpha(image.alpha);
    image.alpha = static_cast<qmAlphaChannel*>(plane);
  }
}

// What was drawn shows: the images made from the old content go, a transformed or display-scaled
// layer is built again, and its place is refreshed.
void layer_target_end(qmState* L, void* record, bool drawn) {
  auto* layer = static_cast<qmLayer*>(record);
  if (!drawn || !layer_alive(layer)) return;
  layer_free_caches(layer);
  if (layer->unscaled != layer->content || layer->display != layer->content) layer_rebuild(L, layer);
  if (qmDisplay* d = display_current()) layer_refresh(L, d->bgpic, layer);
}

}  // namespace

int32_t layer_render_to_bitmap(qmState* L, qmLayer* layer, int32_t, LayerImage* out) {
  if (asyncdraw_owns_layer(layer)) return ERR_RENDERADLAYER;
  qmLayerState* c = layer->content;
  const int32_t type = layer->type;
  if (!c->content.bitmap) {
    switch (type) {
      case OBJ_BRUSH:
      case OBJ_BRUSHPART:
      case OBJ_BGPICPART:
      case OBJ_ANIM: {
        // The layer takes its own copy of what it shows (an anim's frame shown now), so drawing
        // leaves the object alone.
        LayerPlanes p;
        if (int32_t err = layer_build_transformed(L, layer, c, false, &p)) return err;
        LayerImage copy;
        if (int32_t err =
                bitmap_new_with_parts(p.bitmap, p.mask, p.alpha, p.part_x, p.part_y, c->content_w, c->content_h, 0,
                                      &copy.bitmap, p.mask ? &copy.mask : nullptr, p.alpha ? &copy.alpha : nullptr))
          return err;
        c->content = copy;
        for (qmLayerState* t : {layer->content, layer->unscaled, layer->display}) t->kind[0] = t->kind[1] = 0;
        break;
      }
      case OBJ_TEXTOBJECT:
        return ERR_UNSUPPORTEDFEAT;
      default:
        if (!layer_kind_is_shape(type) && type != OBJ_TEXTOUT && type != OBJ_PRINT && type != OBJ_VECTORPATH)
          return ERR_WRONGUSAGE;
        if (int32_t err = render_layer_content(L, layer, c)) return err;
        if (!c->content.bitmap) return ERR_WRONGUSAGE;
        break;
    }
  }
  // A drawn kind becomes a brush layer showing its own planes: it is no longer drawn again from its
  // description.
  if (type != OBJ_BRUSH && type != OBJ_BRUSHPART && type != OBJ_BGPICPART) {
    layer->type = OBJ_BRUSH;
    c->drawn.reset();
  }
  *out = c->content;
  return 0;
}

void layer_target_install() {
  LayerHooks& hooks = layer_hooks();
  hooks.layer_target = layer_target;
  hooks.layer_target_get = layer_target_get;
  hooks.layer_target_replace = layer_target_replace;
  hooks.layer_target_end = layer_target_end;
}

}  // namespace qm

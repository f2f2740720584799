// The layers behind the display library's LayerHooks and the blit layer's redraw service.
#include <cstring>

#include "display/asyncdraw.h"
#include "display/display.h"
#include "display/hooks.h"
#include "engine/errcodes.h"
#include "layers/layers.h"

namespace qm {

namespace {

// A brush also shows through its parts; any other object through placeholders and picture parts.
bool type_matches(int32_t layer_type, int32_t type) {
  if (layer_type == type) return true;
  if (type == OBJ_BRUSH) return layer_type == OBJ_BRUSHPART;
  return layer_type == OBJ_NOOBJECT || layer_type == OBJ_BGPICPART;
}

template <typename F>
bool for_each_layer(F&& f) {
  for (ObjectHeader* h = bgpic_list(); h; h = h->next)
    for (qmLayer* l = layers_bottom(reinterpret_cast<qmBGPic*>(h)); l; l = l->next)
      if (f(l)) return true;
  return false;
}

bool shows_object(int32_t type, const ObjectId& id, const void* skip) {
  return for_each_layer([&](qmLayer* l) { return l != skip && type_matches(l->type, type) && l->object == id; });
}

bool redirect_object(int32_t type, const ObjectId& from, const ObjectId& to) {
  bool any = false;
  for_each_layer([&](qmLayer* l) {
    if (type_matches(l->type, type) && l->object == from) {
      l->object = to;
      any = true;
    }
    return false;
  });
  return any;
}

int32_t redraw_rect(qmBGPic* pic, qmBitmap* target, int32_t x, int32_t y, int32_t w, int32_t h) {
  if (!pic) return 0;
  RedrawSource s;
  s.pic = pic;
  s.background = pic->current.bitmap;
  s.dest = target;
  layers_redraw(s, x, y, w, h, REDRAW_NOSPRITES);
  return 0;
}

// The request names the source rectangle; the layer shows it at the picture's origin until the
// showing command hands a position along.
int32_t insert_image_layer(const ImageLayerRequest& r) {
  qmDisplay* d = display_current();
  if (!d || !d->layers || !d->bgpic) return ERR_NOLAYERS;
  LayerSpec spec;
  spec.type = r.type == OBJ_BGPIC ? OBJ_BGPICPART : r.type;
  spec.id = r.id;
  spec.width = r.width;
  spec.height = r.height;
  spec.image = {r.bitmap, r.mask, r.alpha};
  qmLayer* layer = nullptr;
  if (int32_t err = layer_new(nullptr, d->bgpic, spec, &layer)) return err;
  if (!spec.image.bitmap) {
    layer->content->kind[0] = r.x;
    layer->content->kind[1] = r.y;
  }
  refresh_dirty_rect(nullptr, layer_bounds(layer, layer->display, d->scale_x, d->scale_y));
  return 0;
}

int32_t layer_count(const qmBGPic* pic) { return layers_count(pic); }
void free_layers(qmBGPic* pic) { bgpic_layers_free(nullptr, pic); }

void redraw_service(qmState* L, qmBlitOutput* output, qmBlitPicture* picture, qmBitmap* dest, int32_t x, int32_t y,
                    int32_t w, int32_t h, int32_t, int32_t flags) {
  // With layers off the picture is its own composition: drawing went straight into it.
  if (!picture || !picture->owner || !output || !output->layers_on) return;
  auto* pic = static_cast<qmBGPic*>(picture->owner);
  RedrawSource s;
  s.L = L;
  s.pic = pic;
  qmDisplay* d = output && output->object_type == kOutputDisplay && output->owner
                     ? display_of(static_cast<qmDisplayWindow*>(output->owner))
                     : nullptr;
  s.background = d && d->bgpic == pic && d->buffer1 ? d->buffer1 : pic->current.bitmap;
  s.dest = dest;
  if (d) {
    s.scale_x = d->scale_x;
    s.scale_y = d->scale_y;
  }
  layers_redraw(s, x, y, w, h, flags);
}

}  // namespace

void layers_install_hooks() {
  LayerHooks& hooks = layer_hooks();
  hooks.shows_object = shows_object;
  hooks.redirect_object = redirect_object;
  hooks.redraw_rect = redraw_rect;
  hooks.insert_image_layer = insert_image_layer;
  hooks.layer_count = layer_count;
  hooks.free_layers = free_layers;
  gfx_services().layers_redraw = redraw_service;
  layer_services().async_draw_error = [](const qmLayer* l) { return asyncdraw_owns_layer(l) ? ERR_RENDERADLAYER : 0; };
  asyncdraw_set_layer_dirty([](qmDisplay* d, void* layer) {
    auto* l = static_cast<qmLayer*>(layer);
    if (d && d->bgpic) display_dirty_add_rect(d->dirty, layer_bounds(l, l->display, d->scale_x, d->scale_y),
                                              d->bgpic->display_width, d->bgpic->display_height);
  });
}

}  // namespace qm

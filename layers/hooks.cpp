// The layers behind the display library's LayerHooks and the blit layer's redraw service.
#include "display/hooks.h"

#include <cstring>

#include "display/asyncdraw.h"
#include "display/clipregion.h"
#include "display/display.h"
#include "display/graphics.h"
#include "display/showbrush.h"
#include "engine/errcodes.h"
#include "layers/layers.h"
#include "layers/sprite.h"

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
  // A clip region is shown by the layers that it clips.
  if (type == OBJ_CLIPREGION) {
    qmClipRegionRecord* r = nullptr;
    if (clipregion_find(id, &r) != 0) return false;
    return for_each_layer([&](qmLayer* l) {
      return l != skip &&
             (l->content->clip == &r->region || l->unscaled->clip == &r->region || l->display->clip == &r->region);
    });
  }
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

// What a picture's layers are composed on. A display's own picture with layers on lies on the
// display's background buffer 1, which also holds what FreeLayers and RemoveSprites kept; with
// layers off drawing goes straight into the picture, which is then its own background.
const qmBitmap* background_of(const qmDisplay* d, const qmBGPic* pic) {
  return d && d->bgpic == pic && d->layers && d->buffer1 ? d->buffer1 : pic->current.bitmap;
}

int32_t redraw_rect(qmBGPic* pic, qmBitmap* target, int32_t x, int32_t y, int32_t w, int32_t h) {
  if (!pic) return 0;
  RedrawSource s;
  s.pic = pic;
  // A picture whose display image is at a display's scale size is drawn at its own size.
  s.unscaled = pic->display_width != pic->width || pic->display_height != pic->height;
  s.background = s.unscaled ? pic->working.bitmap : background_of(display_current(), pic);
  s.dest = target;
  layers_redraw(s, x, y, w, h, REDRAW_NOSPRITES);
  return 0;
}

}  // namespace

TransformBlock layer_transform_of(const qmTransformTags& tt) {
  TransformBlock b;
  b.scale_x = tt.scale_x, b.scale_y = tt.scale_y;
  b.target_width = tt.width, b.target_height = tt.height;
  b.rotation = tt.rotate;
  // The options' matrix maps (x, y) to (a x + c y, b x + d y).
  b.explicit_matrix.m[0] = tt.explicit_matrix[0];
  b.explicit_matrix.m[1] = tt.explicit_matrix[2];
  b.explicit_matrix.m[2] = tt.explicit_matrix[1];
  b.explicit_matrix.m[3] = tt.explicit_matrix[3];
  // The options mark scale and rotation as a matrix too; only a given "transform" is explicit.
  b.explicit_flag = tt.explicit_flag && !b.explicit_matrix.is_identity() ? 1 : 0;
  b.smooth = tt.smooth;
  b.anchor_x = tt.anchor_x, b.anchor_y = tt.anchor_y;
  return b;
}

LayerStyle layer_style_of(const qmDrawTagOptions& dt) {
  LayerStyle s;
  s.hidden = dt.hidden;
  s.insert_position = dt.insert_position;
  s.transparency = dt.transparency;
  s.tint = dt.tint;
  s.tint_colour = dt.tint_colour;
  s.shadow = dt.shadow.on;
  s.shadow_colour = dt.shadow.color;
  s.shadow_size = dt.shadow.size;
  s.shadow_direction = dt.shadow.direction;
  s.shadow_radius = dt.shadow.radius;
  s.shadow_sigma = dt.shadow.sigma;
  s.border = dt.border.on;
  s.border_colour = dt.border.color;
  s.border_size = dt.border.size;
  s.filters = dt.filters;
  s.name = dt.name;
  return s;
}

namespace {

// A showing command's image as a new layer at the request's place, with its options.
int32_t insert_image_layer(const ImageLayerRequest& r) {
  qmBGPic* pic = layers_current_picture();
  qmDisplay* d = display_current();
  if (!d || !d->layers || !pic) return ERR_NOLAYERS;
  LayerSpec spec;
  spec.type = r.type == OBJ_BGPIC ? OBJ_BGPICPART : r.type;
  spec.id = r.id;
  spec.x = r.dest_x, spec.y = r.dest_y;
  spec.width = r.width;
  spec.height = r.height;
  spec.image = {r.bitmap, r.mask, r.alpha};
  if (!r.bitmap) spec.part_x = r.x, spec.part_y = r.y;
  TransformBlock block;
  if (r.transform) {
    block = layer_transform_of(*r.transform);
    spec.transform = &block;
  }
  LayerStyle style;
  if (r.style) {
    style = layer_style_of(*r.style);
    spec.style = &style;
  }
  spec.flags = LAYER_SCALED;
  return layer_new(nullptr, pic, spec, nullptr);
}

int32_t layer_count(const qmBGPic* pic) {
  return layers_count(pic);
}
void free_layers(qmBGPic* pic) {
  bgpic_layers_free(nullptr, pic);
}

void redraw_service(qmState* L, qmBlitOutput* output, qmBlitPicture* picture, qmBitmap* dest, int32_t x, int32_t y,
                    int32_t w, int32_t h, int32_t, int32_t flags) {
  if (!picture || !picture->owner || !output) return;
  auto* pic = static_cast<qmBGPic*>(picture->owner);
  // With layers off the picture is its own composition (drawing went straight into it): only
  // shown sprites are drawn over a copy of it.
  if (!output->layers_on) {
    sprites_compose(pic, dest, Rect{x, y, w, h}, flags);
    return;
  }
  RedrawSource s;
  s.L = L;
  s.pic = pic;
  qmDisplay* d = output && output->object_type == kOutputDisplay && output->owner
                     ? display_of(static_cast<qmDisplayWindow*>(output->owner))
                     : nullptr;
  s.background = background_of(d, pic);
  s.dest = dest;
  if (d) {
    s.scale_x = d->scale_x;
    s.scale_y = d->scale_y;
  }
  layers_redraw(s, x, y, w, h, flags);
}

}  // namespace

int32_t insert_object_layer(qmState* L, int32_t position, int32_t kind, const ObjectId& id, int32_t x, int32_t y,
                            bool no_refresh, bool hidden, qmLayer** out) {
  qmBGPic* pic = nullptr;
  if (int32_t err = layer_precondition(&pic)) return err;
  if (position < 0) return ERR_INVINSERT;
  const int32_t count = layers_count(pic);
  if (position == 0 || position > count) position = count + 1;
  const int32_t flags = LAYER_SCALED | LAYER_NOREFRESH | (hidden ? LAYER_HIDDEN : 0);
  if (kind == OBJ_BRUSH) {
    qmBrushPlanes b{};
    if (int32_t err = gfx_services().brush_find(L, id, &b)) return err;
    if (!b.bitmap) return ERR_BRUSHTYPE;
    LayerSpec spec;
    spec.type = OBJ_BRUSH;
    spec.id = id;
    spec.x = coord_resolve_special_x(x, b.width, 0, 0.0);
    spec.y = coord_resolve_special_y(y, b.height, 0, 0.0);
    spec.width = b.width, spec.height = b.height;
    spec.insert_position = position;
    spec.flags = flags;
    if (int32_t err = layer_new(L, pic, spec, nullptr)) return err;
  } else if (kind == OBJ_ANIM || kind == OBJ_TEXTOBJECT) {
    if (int32_t err = layer_services().insert_object(L, kind, id, x, y, position, flags)) return err;
  } else {
    return ERR_WRONGUSAGE;
  }
  qmLayer* layer = layer_at_index(pic, position);
  if (out) *out = layer;
  if (layer && !hidden && !no_refresh) layer_refresh(L, pic, layer);
  return 0;
}

void layers_install_hooks() {
  LayerHooks& hooks = layer_hooks();
  hooks.shows_object = shows_object;
  hooks.redirect_object = redirect_object;
  hooks.redraw_rect = redraw_rect;
  hooks.insert_image_layer = insert_image_layer;
  hooks.layer_count = layer_count;
  hooks.free_layers = free_layers;
  hooks.read_filters = filters_read_table;
  hooks.apply_filters = layer_apply_filters;
  hooks.flush_dirty = layers_flush_dirty;
  hooks.rebuild_layers = layers_rebuild_display;
  layer_target_install();
  gfx_services().layers_redraw = redraw_service;
  layer_services().async_draw_error = [](const qmLayer* l) { return asyncdraw_owns_layer(l) ? ERR_RENDERADLAYER : 0; };
  asyncdraw_set_layer_dirty([](qmDisplay* d, void* layer) {
    auto* l = static_cast<qmLayer*>(layer);
    if (d && d->bgpic)
      display_dirty_add_rect(d->dirty, layer_bounds(l, l->display, d->scale_x, d->scale_y), d->bgpic->display_width,
                             d->bgpic->display_height);
  });
}

}  // namespace qm

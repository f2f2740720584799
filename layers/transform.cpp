// Transformed layers: the unscaled state of a layer whose matrix is not the identity holds the
// content resampled at its on-screen size, about the content's middle.
#include "gfx/transform.h"

#include <cmath>

#include "display/display.h"
#include "engine/errcodes.h"
#include "engine/numconv.h"
#include "gfx/bitmap.h"
#include "layers/layers.h"

namespace qm {

namespace {

// A state that shares its content with the content state but has its own images.
qmLayerState* new_state_like(const qmLayerState* c) {
  auto* t = new (std::nothrow) qmLayerState;
  if (!t) return nullptr;
  t->pos_x = c->pos_x, t->pos_y = c->pos_y;
  t->content_w = c->content_w, t->content_h = c->content_h;
  t->anchored_x = c->anchored_x, t->anchored_y = c->anchored_y;
  t->kind[0] = c->kind[0], t->kind[1] = c->kind[1];
  t->colour = c->colour, t->fill_style = c->fill_style;
  return t;
}

void drop_own_state(qmLayer* layer) {
  qmLayerState* own = layer->unscaled != layer->content ? layer->unscaled : nullptr;
  if (layer->display != layer->content && layer->display != own) layer_state_free(layer->display);
  layer_state_free(own);
  layer->unscaled = layer->display = layer->content;
}

void drop_display_state(qmLayer* layer) {
  if (layer->display != layer->content && layer->display != layer->unscaled) layer_state_free(layer->display);
  layer->display = layer->unscaled;
}

int32_t rendered_state(qmLayer* layer, LayerImage image, const Rect& at, double mid_x, double mid_y, const Matrix2& m,
                       bool display, qmLayerState** out);
int32_t carry_clip(qmLayer* layer, qmLayerState* t, const Matrix2& m, double mid_x, double mid_y, bool display);

// A new state with the content resampled through m, the content's middle landing on (mid_x,
// mid_y) of the picture. The content's clip region follows: shared by an unscaled state when the
// layer shares it, else a copy carried the same way. 0, ERR_MEM or the source's look-up error.
int32_t build_state(qmState* L, qmLayer* layer, const Matrix2& m, double mid_x, double mid_y, int32_t smooth,
                    bool display, qmLayerState** out) {
  qmLayerState* c = layer->content;
  // A drawn layer is rendered again at its new geometry where its library can.
  if (layer_kind_is_drawn(layer->type)) {
    LayerImage drawn;
    Rect placed;
    const int32_t error = layer_services().render_transformed(L, layer, m, &drawn, &placed);
    if (error == 0) return rendered_state(layer, drawn, placed, mid_x, mid_y, m, display, out);
    if (error != ERR_UNSUPPORTEDFEAT) return error;
  }
  LayerPlanes p;
  if (int32_t error = layer_build_transformed(L, layer, c, false, &p)) return error;
  const double cx = c->content_w / 2.0, cy = c->content_h / 2.0;
  const Rect at = rect_transform_bounds(m, mid_x - cx, mid_y - cy, c->content_w, c->content_h, 0.5, 0.5);
  if (at.width < 1 || at.height < 1) return ERR_BADDIMENSIONS;
  qmLayerState* t = new_state_like(c);
  if (!t) return ERR_MEM;
  t->bounds_x = at.x, t->bounds_y = at.y;
  t->width = at.width, t->height = at.height;
  t->transformed.bitmap = qmos_alloc_bitmap(at.width, at.height);
  // Outside the turned content nothing shows: an alpha plane when the content has one, else a mask.
  if (p.alpha)
    t->transformed.alpha = qmos_alloc_alpha(at.width, at.height, 1);
  else
    t->transformed.mask = qmos_alloc_mask(at.width, at.height, 1);
  if (!t->transformed.bitmap || !(t->transformed.alpha || t->transformed.mask)) {
    layer_state_free(t);
    return ERR_MEM;
  }
  // Content point q goes to M (q - middle) + (mid_x, mid_y), relative to the new bounds.
  const double ox = mid_x - at.x - (m.m[0] * cx + m.m[1] * cy);
  const double oy = mid_y - at.y - (m.m[2] * cx + m.m[3] * cy);
  const double job_matrix[6] = {m.m[0], m.m[2], m.m[1], m.m[3], ox, oy};
  qmTransformJob job{};
  const size_t ppr = size_t(p.bitmap->bytes_per_row / 4);
  job.source = p.bitmap->pixels + size_t(p.part_y) * ppr + size_t(p.part_x);
  job.dest = t->transformed.bitmap->pixels;
  job.source_mask = p.mask ? p.mask->data + size_t(p.part_y) * size_t(p.mask->bytes_per_row) : nullptr;
  job.dest_mask = t->transformed.mask ? t->transformed.mask->data : nullptr;
  job.source_alpha =
      p.alpha ? p.alpha->data + size_t(p.part_y) * size_t(p.alpha->bytes_per_row) + size_t(p.part_x) : nullptr;
  job.dest_alpha = t->transformed.alpha ? t->transformed.alpha->data : nullptr;
  job.sx = p.part_x, job.sy = p.part_y;
  job.source_width = c->content_w, job.source_height = c->content_h;
  job.source_ppr = p.bitmap->bytes_per_row / 4;
  job.dest_width = at.width, job.dest_height = at.height;
  job.dest_ppr = t->transformed.bitmap->bytes_per_row / 4;
  job.source_mask_bpr = p.mask ? p.mask->bytes_per_row : 0;
  job.dest_mask_bpr = t->transformed.mask ? t->transformed.mask->bytes_per_row : 0;
  job.source_alpha_bpr = p.alpha ? p.alpha->bytes_per_row : 0;
  job.dest_alpha_bpr = t->transformed.alpha ? t->transformed.alpha->bytes_per_row : 0;
  job.transform = job_matrix;
  job.smooth = smooth;
  job.format = p.bitmap->format;
  job.bytes_per_pixel = 4;
  // Without a source mask every pixel reached is solid: mark the reached ones through a full mask.
  qmMask* full = nullptr;
  if (!p.mask && !p.alpha) {
    full = qmos_alloc_mask(c->content_w + p.part_x, c->content_h + p.part_y, 1);
    if (!full) {
      layer_state_free(t);
      return ERR_MEM;
    }
    qmos_mask_rect_op(full, 0, 0, c->content_w + p.part_x, c->content_h + p.part_y, MASKVISIBLE);
    job.source_mask = full->data + size_t(p.part_y) * size_t(full->bytes_per_row);
    job.source_mask_bpr = full->bytes_per_row;
  }
  transform_pixels(job);
  qmos_free_mask(full);
  if (int32_t error = carry_clip(layer, t, m, mid_x, mid_y, display)) {
    layer_state_free(t);
    return error;
  }
  *out = t;
  return 0;
}

// A new state holding a rendered image whose corner lies at `at` from the content's corner in the
// content's pixels turned about its middle, which lands on (mid_x, mid_y).
int32_t rendered_state(qmLayer* layer, LayerImage image, const Rect& at, double mid_x, double mid_y, const Matrix2& m,
                       bool display, qmLayerState** out) {
  const qmLayerState* c = layer->content;
  qmLayerState* t = new_state_like(c);
  if (!t) {
    layer_image_free(image);
    return ERR_MEM;
  }
  t->transformed = image;
  t->bounds_x = to_i32(std::floor(mid_x - c->content_w / 2.0 + at.x + 0.5));
  t->bounds_y = to_i32(std::floor(mid_y - c->content_h / 2.0 + at.y + 0.5));
  t->width = at.width, t->height = at.height;
  if (int32_t error = carry_clip(layer, t, m, mid_x, mid_y, display)) {
    layer_state_free(t);
    return error;
  }
  *out = t;
  return 0;
}

// The content's clip region follows a new state: shared by an unscaled state when the layer shares
// it, else a copy turned the same way.
int32_t carry_clip(qmLayer* layer, qmLayerState* t, const Matrix2& m, double mid_x, double mid_y, bool display) {
  const qmLayerState* c = layer->content;
  if (c->clip) {
    if (layer->clip_share && !display) {
      t->clip = c->clip;
    } else {
      t->clip = clip_transform(c->clip, m, c->anchored_x + c->content_w / 2.0, c->anchored_y + c->content_h / 2.0,
                               mid_x, mid_y);
      if (!t->clip) return ERR_MEM;
      t->clip_owned = 1;
    }
  }
  return 0;
}

// The display's layer scaling: true with the factors when the display scales the layers of its
// picture, which holds the layer, by something other than 1 x 1.
bool display_scales(const qmDisplay* d, const qmLayer* layer, double* sx, double* sy) {
  if (!d || !d->scale_layer || d->scale_width < 1 || d->scale_height < 1 || !d->bgpic) return false;
  if (d->scale_x == 1.0 && d->scale_y == 1.0) return false;
  if (layer_index_of(d->bgpic, layer) < 0) return false;
  *sx = d->scale_x;
  *sy = d->scale_y;
  return true;
}

}  // namespace

int32_t layer_rebuild_display(qmState* L, qmLayer* layer) {
  return layer_rebuild_display_on(L, display_current(), layer);
}

int32_t layer_rebuild_display_on(qmState* L, qmDisplay* d, qmLayer* layer) {
  double sx = 1.0, sy = 1.0;
  if (!display_scales(d, layer, &sx, &sy)) {
    drop_display_state(layer);
    return 0;
  }
  const qmLayerState* c = layer->content;
  Matrix2 m = layer->transform.matrix;
  m.m[0] *= sx, m.m[1] *= sx, m.m[2] *= sy, m.m[3] *= sy;
  const double mid_x = (c->anchored_x + c->content_w / 2.0) * sx, mid_y = (c->anchored_y + c->content_h / 2.0) * sy;
  qmLayerState* t = nullptr;
  if (int32_t error = build_state(L, layer, m, mid_x, mid_y, d->smooth_scale, true, &t)) return error;
  // The display state's position is the content position at the display's scale.
  t->pos_x = to_i32(std::nearbyint(c->pos_x * sx));
  t->pos_y = to_i32(std::nearbyint(c->pos_y * sy));
  drop_display_state(layer);
  layer->display = t;
  return 0;
}

int32_t layer_set_transform(qmState* L, qmLayer* layer, const TransformBlock& block) {
  qmLayerState* c = layer->content;
  layer->transform = block;
  layer->transform.matrix = style_build_transform(block, c->content_w, c->content_h);
  transform_check_uniform_scale(layer->transform);
  const Matrix2& m = layer->transform.matrix;
  if (m.is_identity()) {
    drop_own_state(layer);
    return layer_rebuild_display(L, layer);
  }
  qmLayerState* t = nullptr;
  if (int32_t error = build_state(L, layer, m, c->anchored_x + c->content_w / 2.0, c->anchored_y + c->content_h / 2.0,
                                  block.smooth, false, &t))
    return error;
  drop_own_state(layer);
  layer->unscaled = layer->display = t;
  return layer_rebuild_display(L, layer);
}

int32_t layers_rebuild_display(qmState* L, qmDisplay* d) {
  if (!d || !d->bgpic) return 0;
  for (qmLayer* l = layers_bottom(d->bgpic); l; l = l->next)
    if (l->type != OBJ_NOOBJECT)
      if (int32_t error = layer_rebuild_display_on(L, d, l)) return error;
  return 0;
}

}  // namespace qm

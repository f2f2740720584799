// Shape layers: the layers ask the renderer for a shape layer's content and for its border image.
#include <algorithm>
#include <cmath>

#include "display/display.h"
#include "draw/shape.h"
#include "engine/errcodes.h"
#include "layers/layers.h"

namespace qm {

namespace {

// The entries found installed: the kinds that are not shapes go on to them.
LayerServices g_next{};

// The description a layer keeps, as the renderer reads it; the box is the content's size.
ShapeDesc desc_of(const qmLayer* layer, const qmLayerState* c, int32_t type) {
  const LayerDrawn& d = *c->drawn;
  ShapeDesc s;
  ShapeGeometry& g = s.geometry;
  g.type = type;
  g.width = c->content_w, g.height = c->content_h;
  std::copy(d.corners, d.corners + 4, g.corners);
  g.start_angle = d.start_angle, g.end_angle = d.end_angle, g.clockwise = d.clockwise;
  g.vertices = &d.vertices;
  if (type == OBJ_LINE) {
    const int32_t x0 = std::min(d.x1, d.x2), y0 = std::min(d.y1, d.y2);
    s.line[0] = int64_t(d.x1) - x0, s.line[1] = int64_t(d.y1) - y0;
    s.line[2] = int64_t(d.x2) - x0, s.line[3] = int64_t(d.y2) - y0;
    s.thickness = d.thickness;
  }
  s.colour = c->colour & 0xFFFFFF;
  s.style = d.style;
  (void)layer;
  return s;
}

int32_t render_content(qmLayer* layer, qmLayerState* state) {
  if (!layer_kind_is_shape(layer->type)) return g_next.render_content(layer, state);
  if (state->content.bitmap) return 0;
  if (!state->drawn) return ERR_WRONGUSAGE;
  const ShapeDesc d = desc_of(layer, state, layer->type);
  ShapeImage img;
  if (int32_t err = shape_render_image(nullptr, d, ShapeUse::Content, 0, &img)) return err;
  state->content = {img.bitmap, img.mask, img.alpha};
  // A line is its stroke: with a border in its colour the border image stands for it.
  state->fill_style = layer->type == OBJ_LINE ? FILLNONE : d.style.draw.fill_style;
  return 0;
}

int32_t drawn_border(qmState* L, qmLayer* layer, qmLayerState* t, int32_t kind, int32_t size, LayerImage* out,
                     Rect* at) {
  const bool plain_box = kind == OBJ_BOX && !layer_kind_is_shape(layer->type);
  if (!layer_kind_is_shape(kind) || (!plain_box && !layer->content->drawn))
    return g_next.drawn_border(L, layer, t, kind, size, out, at);
  const qmLayerState* c = layer->content;
  ShapeDesc d;
  if (plain_box) {
    d.geometry.type = OBJ_BOX;
    d.geometry.width = c->content_w, d.geometry.height = c->content_h;
    d.style.draw.fill_style = FILLCOLOR;
  } else {
    d = desc_of(layer, c, kind);
  }
  d.colour = layer->border_colour & 0xFFFFFF;
  d.matrix = drawn_state_matrix(layer, t);
  ShapeImage img;
  if (int32_t err = shape_render_image(L, d, ShapeUse::Border, std::max(size, 0), &img)) return err;
  *out = {img.bitmap, img.mask, img.alpha};
  *at = drawn_border_place(layer, t, img);
  return 0;
}

int32_t render_transformed(qmState* L, qmLayer* layer, const Matrix2& m, LayerImage* out, Rect* at) {
  if (!layer_kind_is_shape(layer->type) || !layer->content->drawn)
    return g_next.render_transformed(L, layer, m, out, at);
  ShapeDesc d = desc_of(layer, layer->content, layer->type);
  d.matrix = m;
  ShapeImage img;
  if (int32_t err = shape_render_image(L, d, ShapeUse::Content, 0, &img)) return err;
  *out = {img.bitmap, img.mask, img.alpha};
  *at = Rect{img.x, img.y, img.width, img.height};
  return 0;
}

// The display's scale when t is a display-scaled state of its own, else 1 x 1.
void state_scale(const qmLayer* layer, const qmLayerState* t, double* sx, double* sy) {
  *sx = *sy = 1.0;
  if (t == layer->display && t != layer->unscaled)
    if (const qmDisplay* d = display_current()) *sx = d->scale_x, *sy = d->scale_y;
}

}  // namespace

Matrix2 drawn_state_matrix(const qmLayer* layer, const qmLayerState* t) {
  if (t == layer->content) return Matrix2{};
  Matrix2 m = layer->transform.matrix;
  double sx = 1.0, sy = 1.0;
  state_scale(layer, t, &sx, &sy);
  m.m[0] *= sx, m.m[1] *= sx, m.m[2] *= sy, m.m[3] *= sy;
  return m;
}

Rect drawn_border_place(const qmLayer* layer, const qmLayerState* t, const ShapeImage& img) {
  // As the layers place a rendered state: the content's middle (on the picture, at the state's
  // scale) where the turned frame puts it, halves rounding up.
  const qmLayerState* c = layer->content;
  double sx = 1.0, sy = 1.0;
  state_scale(layer, t, &sx, &sy);
  const double mid_x = (c->anchored_x + c->content_w / 2.0) * sx, mid_y = (c->anchored_y + c->content_h / 2.0) * sy;
  const double corner_x = std::floor(mid_x - c->content_w / 2.0 + img.x + 0.5);
  const double corner_y = std::floor(mid_y - c->content_h / 2.0 + img.y + 0.5);
  return Rect{int32_t(t->bounds_x - corner_x), int32_t(t->bounds_y - corner_y), img.width, img.height};
}

void shape_install_layer_services() {
  LayerServices& s = layer_services();
  g_next = s;
  s.render_content = render_content;
  s.drawn_border = drawn_border;
  s.render_transformed = render_transformed;
}

}  // namespace qm

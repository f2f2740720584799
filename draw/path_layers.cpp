// Path layers: a VECTORPATH layer keeps its drawing (the operations, the stroke settings and the
// draw style) in its description, which the layers hand back whenever they need the content, the
// content at a transform or the display's scale, or the border.
#include <algorithm>
#include <cmath>
#include <new>

#include "display/display.h"
#include "draw/paths.h"
#include "engine/errcodes.h"
#include "layers/layers.h"

namespace qm {

namespace {

LayerServices g_next{};

bool is_path(const qmLayer* layer) {
  return layer->type == OBJ_VECTORPATH && layer->content && layer->content->drawn;
}

PathDraw draw_of(const LayerDrawn& drawn, uint32_t colour) {
  PathDraw d;
  d.ops = drawn.path_ops.empty() ? nullptr : drawn.path_ops.data();
  d.ops_size = drawn.path_ops.size() * 4;
  d.stroke.line_join = drawn.line_join, d.stroke.line_cap = drawn.line_cap, d.stroke.fill_rule = drawn.fill_rule;
  d.stroke.dash_offset = drawn.dash_offset;
  d.stroke.dashes = drawn.dashes;
  d.style = drawn.style;
  d.colour = colour & 0xFFFFFF;
  d.path = drawn.path;
  return d;
}

int32_t find(qmState*, const ObjectId& id, std::vector<uint32_t>* ops) {
  qmPath* p = nullptr;
  if (int32_t err = path_find(id, &p)) return err;
  if (!ops) return 0;
  try {
    const auto* words = static_cast<const uint32_t*>(path_ops(p));
    ops->assign(words, words + (p->ops ? p->used / 4 + 1 : 0));
  } catch (const std::bad_alloc&) {
    return ERR_MEM;
  }
  return 0;
}

int32_t render_content(qmLayer* layer, qmLayerState* state) {
  if (layer->type != OBJ_VECTORPATH) return g_next.render_content(layer, state);
  if (state->content.bitmap) return 0;
  if (!state->drawn) return ERR_WRONGUSAGE;
  const PathDraw d = draw_of(*state->drawn, state->colour);
  ShapeImage img;
  if (int32_t err = path_render_content(d, Matrix2{}, &img)) return err;
  state->content = {img.bitmap, nullptr, img.alpha};
  state->content_w = state->width = img.width;
  state->content_h = state->height = img.height;
  state->fill_style = d.style.draw.fill_style;
  return 0;
}

int32_t render_transformed(qmState* L, qmLayer* layer, const Matrix2& m, LayerImage* out, Rect* at) {
  if (!is_path(layer)) return g_next.render_transformed(L, layer, m, out, at);
  const PathDraw d = draw_of(*layer->content->drawn, layer->content->colour);
  ShapeImage img;
  if (int32_t err = path_render_content(d, m, &img)) return err;
  *out = {img.bitmap, nullptr, img.alpha};
  *at = Rect{img.x, img.y, img.width, img.height};
  return 0;
}

int32_t drawn_border(qmState* L, qmLayer* layer, qmLayerState* t, int32_t kind, int32_t size, LayerImage* out,
                     Rect* at) {
  if (kind != OBJ_VECTORPATH || !is_path(layer)) return g_next.drawn_border(L, layer, t, kind, size, out, at);
  const PathDraw d = draw_of(*layer->content->drawn, layer->border_colour);
  ShapeImage img;
  if (int32_t err = path_render_border(d, drawn_state_matrix(layer, t), size, &img)) return err;
  *out = {img.bitmap, nullptr, img.alpha};
  *at = drawn_border_place(layer, t, img);
  return 0;
}

}  // namespace

void path_install_layer_services() {
  LayerServices& s = layer_services();
  g_next = s;
  s.path_find = find;
  s.render_content = render_content;
  s.render_transformed = render_transformed;
  s.drawn_border = drawn_border;
}

}  // namespace qm

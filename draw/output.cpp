// Shapes onto the output: drawn into the current output target, or made a shape layer.
#include <algorithm>
#include <cmath>

#include "display/clipregion.h"
#include "display/display.h"
#include "display/graphics.h"
#include "display/hooks.h"
#include "display/showbrush.h"
#include "display/target.h"
#include "draw/shape.h"
#include "engine/errcodes.h"
#include "engine/numconv.h"
#include "gfx/bitmap.h"
#include "gfx/blit.h"
#include "gfx/blitpixels.h"
#include "gfx/effects.h"
#include "layers/layers.h"

namespace qm {

namespace {

bool any_filter(const FilterSlot* slots) {
  return std::any_of(slots, slots + kFilterSlots, [](const FilterSlot& f) { return f.active != 0; });
}

// The option table's filters, tint and transparency, applied to the image's own planes.
int32_t apply_options(const qmDrawTagOptions& dt, ShapeImage& img) {
  if (any_filter(dt.filters))
    if (int32_t err = layer_hooks().apply_filters(dt.filters, img.bitmap, img.mask, img.alpha, img.width, img.height))
      return err;
  if (dt.tint > 0) bitmap_tint(img.bitmap, 0, 0, img.width, img.height, dt.tint_colour, dt.tint);
  if (dt.transparency > 0) {
    const int32_t level = 255 - std::min(dt.transparency, 255);
    if (img.alpha) {
      alpha_scale_intensity(img.alpha, img.alpha, img.height, level);
    } else {
      qmAlphaChannel* alpha = qmos_alloc_alpha(img.width, img.height, 1);
      if (!alpha) return ERR_MEM;
      mask_expand_to_alpha(img.mask, 0, 0, alpha, 0, 0, img.width, img.height, uint8_t(level));
      qmos_free_mask(img.mask);
      img.mask = nullptr;
      img.alpha = alpha;
    }
  }
  return 0;
}

// Where the corner of the shape's box lands: the anchor point of the (turned) shape at (x, y).
void box_origin(const ShapeDesc& d, int32_t x, int32_t y, int64_t* ox, int64_t* oy) {
  const ShapeGeometry& g = d.geometry;
  const double ax = g.width * d.anchor_x, ay = g.height * d.anchor_y;
  double tx = ax, ty = ay;
  if (!d.matrix.is_identity()) {
    const double px = (g.width - 1) / 2.0, py = (g.height - 1) / 2.0;
    const double u = ax - px, v = ay - py;
    tx = px + d.matrix.m[0] * u + d.matrix.m[1] * v;
    ty = py + d.matrix.m[2] * u + d.matrix.m[3] * v;
  }
  *ox = int64_t(x) - to_i64(std::trunc(std::clamp(tx, -1e15, 1e15)));
  *oy = int64_t(y) - to_i64(std::trunc(std::clamp(ty, -1e15, 1e15)));
}

int32_t draw_direct(qmState* L, const ShapeCall& c) {
  qmDisplay* d = display_current();
  int32_t out_w = 0, out_h = 0;
  if (!d || !clipregion_output_size(&out_w, &out_h)) return ERR_CLOSEDDISPDRAW;
  if (int32_t err = drawtarget_prepare(L)) return err;
  ShapeImage img;
  if (int32_t err = shape_render_image(L, c.desc, ShapeUse::Draw, 0, &img)) return err;
  if (c.options)
    if (int32_t err = apply_options(*c.options, img)) {
      img.release();
      return err;
    }
  int64_t ox = 0, oy = 0;
  box_origin(c.desc, c.x, c.y, &ox, &oy);
  // Far off the output nothing shows: only positions within reach are handed on.
  const int64_t px = ox + img.x, py = oy + img.y;
  if (px < -(int64_t(1) << 30) || py < -(int64_t(1) << 30) || px > (int64_t(1) << 30) || py > (int64_t(1) << 30)) {
    img.release();
    return 0;
  }
  if (d->double_buffer) dblbuf_mark(d, int32_t(px), int32_t(py), img.width, img.height);
  SAFEBLT(L, img.bitmap, 0, 0, drawtarget_dest(), int32_t(px), int32_t(py), img.width, img.height, img.width,
          img.height, out_w, out_h, BLIT_FRONT | BLIT_REDRAW, img.mask, img.alpha, clipregion_active());
  img.release();
  return 0;
}

// With layers on the shape becomes a layer of its type that keeps its description. The form
// style's edge and shadow become the layer's border and shadow, a wide outline a border in the
// shape's colour, the colour's transparency the layer's.
int32_t make_layer(qmState* L, qmBGPic* pic, const ShapeCall& c) {
  const ShapeDesc& d = c.desc;
  const ShapeGeometry& g = d.geometry;
  LayerDrawn drawn;
  drawn.style = d.style;
  qmShapeEffects& fx = drawn.style.effects;
  LayerStyle style = c.options ? layer_style_of(*c.options) : LayerStyle{};
  const int32_t form = d.style.draw.form_style;
  const bool filled = d.style.draw.fill_style != FILLNONE && g.type != OBJ_LINE;
  if (filled && (form & FORM_EDGE)) {
    style.border = 1;
    style.border_colour = fx.edge_colour;
    style.border_size = fx.edge_size;
  }
  if (filled && (form & FORM_SHADOW)) {
    style.shadow = 1;
    style.shadow_colour = fx.shadow_colour;
    style.shadow_size = fx.shadow_size;
    style.shadow_direction = fx.shadow_direction;
  }
  drawn.style.draw.form_style &= ~(FORM_EDGE | FORM_SHADOW);
  if (!(drawn.style.draw.form_style & ~FORM_NORMAL)) drawn.style.draw.form_style = FORM_NORMAL;
  const int32_t wide = g.type == OBJ_LINE ? d.thickness : filled ? 1 : fx.line_width;
  if (wide >= 2) {
    style.border = 1;
    style.border_colour = d.colour & 0xFFFFFF;
    style.border_size = std::max(1, wide / 2);
  }
  fx.line_width = 1;
  if ((d.colour >> 24) && style.transparency <= 0) style.transparency = int32_t(d.colour >> 24);
  drawn.size_x = g.width, drawn.size_y = g.height;
  std::copy(g.corners, g.corners + 4, drawn.corners);
  drawn.start_angle = g.start_angle, drawn.end_angle = g.end_angle, drawn.clockwise = g.clockwise;
  drawn.radius_a = g.width / 2, drawn.radius_b = g.height / 2;
  if (g.vertices) drawn.vertices = *g.vertices;
  LayerSpec spec;
  spec.type = g.type;
  spec.x = c.x, spec.y = c.y;
  spec.width = g.width, spec.height = g.height;
  if (g.type == OBJ_LINE) {
    // The end points are picture coordinates; the layer stands at their top-left.
    drawn.x1 = c.x + d.line[0], drawn.y1 = c.y + d.line[1];
    drawn.x2 = c.x + d.line[2], drawn.y2 = c.y + d.line[3];
    drawn.thickness = 1;
  }
  TransformBlock block;
  if (c.transform) block = layer_transform_of(*c.transform);
  // The shape's own size is its content size, which changes with the shape: only a size the
  // options asked for stays as the layer's target size.
  if (block.target_width == g.width && block.target_height == g.height) block.target_width = block.target_height = 0;
  spec.transform = &block;
  spec.style = &style;
  spec.drawn = &drawn;
  spec.colour = d.colour & 0xFFFFFF;
  spec.flags = LAYER_SCALED;
  return layer_new(L, pic, spec, nullptr);
}

}  // namespace

int32_t shape_draw(qmState* L, const ShapeCall& call) {
  qmDisplay* d = display_current();
  qmBGPic* pic = nullptr;
  if (d && d->layers && layer_precondition(&pic) == 0) return make_layer(L, pic, call);
  return draw_direct(L, call);
}

}  // namespace qm

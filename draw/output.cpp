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

// The output as plain pixels that a shape can go straight into: a selected picture without a mask
// or alpha channel of its own to keep, or the display's picture while it is shown as it is (no
// layers, sprites or scaling), under no shaped clip region. The rectangle is the output's size
// within its clip region.
struct PlainTarget {
  qmBitmap* bitmap = nullptr;
  qmBlitOutput* present = nullptr;  // the display to show the change on, or none
  Rect clip;
};

bool plain_target(int32_t out_w, int32_t out_h, PlainTarget* t) {
  qmBlitOutput* out = blit_globals().current;
  const qmClipRegion* region = clipregion_active();
  if (!out || (region && region->mask)) return false;
  if (qmBitmap* dest = drawtarget_dest()) {
    if (out->target_mask || out->target_alpha) return false;
    t->bitmap = dest;
  } else {
    if (out->object_type != kOutputDisplay || out->layers_on || out->scaled || !out->front) return false;
    if (out->picture && out->picture->sprites) return false;
    t->bitmap = out->front;
    t->present = out;
  }
  t->clip = rect_intersect(Rect{0, 0, out_w, out_h}, Rect{0, 0, t->bitmap->width, t->bitmap->height});
  if (region) t->clip = rect_intersect(t->clip, Rect{region->x, region->y, region->width, region->height});
  return true;
}

// What a direct drawing changed: shown on the display, or marked for the double buffer's Flip.
void plain_done(qmDisplay* d, const PlainTarget& t, const Rect& r) {
  if (r.width <= 0 || r.height <= 0) return;
  if (t.present) display_present_rect(t.bitmap, r.x, r.y, t.present, r.x, r.y, r.width, r.height, 0);
  else if (d->double_buffer) dblbuf_mark(d, r.x, r.y, r.width, r.height);
}

bool options_leave_colours(const ShapeCall& c) {
  if (!c.options) return true;
  const qmDrawTagOptions& o = *c.options;
  return !any_filter(o.filters) && o.tint <= 0 && o.transparency <= 0;
}

// A plain box (no rounding, turn or anti-aliasing, a one-pixel outline when unfilled): its shadow,
// edge and body are rectangles.
bool plain_box(const ShapeDesc& d) {
  const ShapeGeometry& g = d.geometry;
  const qmDrawStyle& s = d.style;
  return g.type == OBJ_BOX && d.matrix.is_identity() && !(s.draw.form_style & FORM_ANTIALIAS) &&
         g.corners[0] == 0 && g.corners[1] == 0 && g.corners[2] == 0 && g.corners[3] == 0 &&
         (s.draw.fill_style != FILLNONE || s.effects.line_width <= 1);
}

void fill_clipped(qmBitmap* b, const Rect& clip, Rect r, uint32_t rgb) {
  r = rect_intersect(r, clip);
  if (r.width > 0 && r.height > 0) qmos_fill_bitmap_rect(b, r.x, r.y, r.width, r.height, rgb);
}

// The edge size and shadow distance of a box, 0 when off.
void box_effects(const ShapeDesc& d, int32_t* e, int32_t* sd) {
  const qmDrawStyle& s = d.style;
  const bool filled = s.draw.fill_style != FILLNONE;
  const int32_t form = s.draw.form_style;
  *e = filled && (form & FORM_EDGE) ? std::clamp(s.effects.edge_size, 1, 64) : 0;
  *sd = filled && (form & FORM_SHADOW) ? std::clamp(s.effects.shadow_size, 1, 64) : 0;
}

Rect draw_plain_box(const ShapeDesc& d, const PlainTarget& t, int64_t ox, int64_t oy) {
  const qmDrawStyle& s = d.style;
  const qmShapeEffects& fx = s.effects;
  const bool filled = s.draw.fill_style != FILLNONE;
  int32_t e = 0, sd = 0;
  box_effects(d, &e, &sd);
  auto at = [](int64_t v) { return int32_t(std::clamp<int64_t>(v, INT32_MIN / 2, INT32_MAX / 2)); };
  const Rect body{at(ox), at(oy), d.geometry.width, d.geometry.height};
  const Rect object{body.x - e, body.y - e, body.width + 2 * e, body.height + 2 * e};
  Rect changed = object;
  if (sd) {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
    anchor_offset(sd, fx.shadow_direction, &left, &top, &right, &bottom);
    const Rect shadow{object.x + right - left, object.y + bottom - top, object.width, object.height};
    fill_clipped(t.bitmap, t.clip, shadow, fx.shadow_colour & 0xFFFFFF);
    rect_union(changed, shadow);
  }
  if (e) fill_clipped(t.bitmap, t.clip, object, fx.edge_colour & 0xFFFFFF);
  const uint32_t rgb = d.colour & 0xFFFFFF;
  if (filled) {
    fill_clipped(t.bitmap, t.clip, body, rgb);
  } else {
    for (const Rect& side : {Rect{body.x, body.y, body.width, 1}, Rect{body.x, body.y + body.height - 1, body.width, 1},
                             Rect{body.x, body.y, 1, body.height}, Rect{body.x + body.width - 1, body.y, 1, body.height}})
      fill_clipped(t.bitmap, t.clip, side, rgb);
  }
  return rect_intersect(changed, t.clip);
}

// Liang-Barsky in 64 bits: the segment cut to the rectangle; false when it misses it.
bool clip_segment(const Rect& r, int64_t& x0, int64_t& y0, int64_t& x1, int64_t& y1) {
  const int64_t dx = x1 - x0, dy = y1 - y0;
  const int64_t p[4] = {-dx, dx, -dy, dy};
  const int64_t q[4] = {x0 - r.x, int64_t(r.x) + r.width - 1 - x0, y0 - r.y, int64_t(r.y) + r.height - 1 - y0};
  double lo = 0.0, hi = 1.0;
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    const double u = double(q[i]) / double(p[i]);
    if (p[i] < 0) lo = std::max(lo, u);
    else hi = std::min(hi, u);
    if (lo > hi) return false;
  }
  const int64_t sx = x0, sy = y0;
  x0 = sx + std::llround(lo * double(dx)), y0 = sy + std::llround(lo * double(dy));
  x1 = sx + std::llround(hi * double(dx)), y1 = sy + std::llround(hi * double(dy));
  return true;
}

// A one-pixel line of one colour, cut to the output first.
Rect draw_plain_line(const ShapeDesc& d, const PlainTarget& t, int64_t ox, int64_t oy) {
  int64_t x0 = ox + d.line[0], y0 = oy + d.line[1], x1 = ox + d.line[2], y1 = oy + d.line[3];
  if (t.clip.width <= 0 || t.clip.height <= 0 || !clip_segment(t.clip, x0, y0, x1, y1)) return Rect{};
  qmos_draw_line(t.bitmap, int32_t(x0), int32_t(y0), int32_t(x1), int32_t(y1), d.colour & 0xFFFFFF);
  return Rect{int32_t(std::min(x0, x1)), int32_t(std::min(y0, y1)), int32_t(std::llabs(x1 - x0) + 1),
              int32_t(std::llabs(y1 - y0) + 1)};
}

// Opaque shapes of plain colours on a plain output skip the image: 1 when drawn, 0 when the image
// is needed, or an error.
int32_t draw_plain(const ShapeCall& c, int32_t out_w, int32_t out_h) {
  const ShapeDesc& d = c.desc;
  PlainTarget t;
  if (shape_ways() == ShapeWays::Image || !options_leave_colours(c) || !shape_direct_possible(d) ||
      !plain_target(out_w, out_h, &t))
    return 0;
  int64_t ox = 0, oy = 0;
  box_origin(d, c.x, c.y, &ox, &oy);
  qmDisplay* display = display_current();
  const bool line = d.geometry.type == OBJ_LINE;
  if (line && d.thickness == 1 && d.matrix.is_identity() && !(d.style.draw.form_style & FORM_ANTIALIAS)) {
    plain_done(display, t, draw_plain_line(d, t, ox, oy));
    return 1;
  }
  if (plain_box(d)) {
    // The same size limit as a box drawn through its image.
    int32_t e = 0, sd = 0;
    box_effects(d, &e, &sd);
    if (!picture_size_allowed(int64_t(d.geometry.width) + 2 * e + sd, int64_t(d.geometry.height) + 2 * e + sd))
      return ERR_MEM;
    plain_done(display, t, draw_plain_box(d, t, ox, oy));
    return 1;
  }
  Rect changed;
  if (int32_t err = shape_render_onto(d, t.bitmap, t.clip, ox, oy, &changed)) return err;
  plain_done(display, t, changed);
  return 1;
}

// The image with its corner at (px, py) onto the current output (out_w x out_h), after the
// options' filters, tint and transparency; the image is released.
int32_t image_onto_output(qmState* L, qmDisplay* d, ShapeImage& img, int64_t px, int64_t py, int32_t out_w,
                          int32_t out_h, const qmDrawTagOptions* options) {
  if (options)
    if (int32_t err = image_apply_transparency_tint(*options, img.bitmap, &img.mask, &img.alpha, img.width,
                                                    img.height)) {
      img.release();
      return err;
    }
  // Far off the output nothing shows: only positions within reach are handed on.
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

int32_t draw_direct(qmState* L, const ShapeCall& c) {
  qmDisplay* d = display_current();
  int32_t out_w = 0, out_h = 0;
  if (!d || !clipregion_output_size(&out_w, &out_h)) return ERR_CLOSEDDISPDRAW;
  if (int32_t err = drawtarget_prepare(L)) return err;
  const int32_t plain = draw_plain(c, out_w, out_h);
  if (plain != 0) return plain == 1 ? 0 : plain;
  ShapeImage img;
  if (int32_t err = shape_render_image(L, c.desc, ShapeUse::Draw, 0, &img)) return err;
  int64_t ox = 0, oy = 0;
  box_origin(c.desc, c.x, c.y, &ox, &oy);
  return image_onto_output(L, d, img, ox + img.x, oy + img.y, out_w, out_h, c.options);
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
  const bool filled = d.style.draw.fill_style != FILLNONE && g.type != OBJ_LINE;
  LayerStyle style = drawn_layer_style(&drawn.style, d.colour, filled, c.options);
  const int32_t wide = g.type == OBJ_LINE ? d.thickness : filled ? 1 : fx.line_width;
  if (wide >= 2) {
    style.border = 1;
    style.border_colour = d.colour & 0xFFFFFF;
    style.border_size = std::max(1, wide / 2);
  }
  fx.line_width = 1;
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
    drawn.x1 = int32_t(c.x + d.line[0]), drawn.y1 = int32_t(c.y + d.line[1]);
    drawn.x2 = int32_t(c.x + d.line[2]), drawn.y2 = int32_t(c.y + d.line[3]);
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

LayerStyle drawn_layer_style(qmDrawStyle* s, uint32_t colour, bool filled, const qmDrawTagOptions* options) {
  LayerStyle style = options ? layer_style_of(*options) : LayerStyle{};
  const qmShapeEffects& fx = s->effects;
  const int32_t form = s->draw.form_style;
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
  s->draw.form_style &= ~(FORM_EDGE | FORM_SHADOW);
  if (!(s->draw.form_style & ~FORM_NORMAL)) s->draw.form_style = FORM_NORMAL;
  if ((colour >> 24) && style.transparency <= 0) style.transparency = int32_t(colour >> 24);
  return style;
}

int32_t shape_image_show(qmState* L, ShapeImage& img, int64_t x, int64_t y, const qmDrawTagOptions* options) {
  qmDisplay* d = display_current();
  int32_t out_w = 0, out_h = 0;
  int32_t err = !d || !clipregion_output_size(&out_w, &out_h) ? ERR_CLOSEDDISPDRAW : drawtarget_prepare(L);
  if (err) {
    img.release();
    return err;
  }
  return image_onto_output(L, d, img, x, y, out_w, out_h, options);
}

int32_t shape_draw(qmState* L, const ShapeCall& call) {
  qmDisplay* d = display_current();
  qmBGPic* pic = nullptr;
  if (d && d->layers && layer_precondition(&pic) == 0) return make_layer(L, pic, call);
  return draw_direct(L, call);
}

}  // namespace qm

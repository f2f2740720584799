// Path drawing: the path's extents from the plug-in, its coverage in planes of that size, coloured
// by the fill style with the edge and the shadow, onto the output or as a VECTORPATH layer; the
// shapes in path mode; and the layers' services for path layers.
//
// A rendering is laid out in a frame: the content is the path's extents in whole pixels, as the
// path is drawn or shown by a layer (filled, or stroked with its line width); a matrix turns it
// about the content's middle; and an image holds a box of the path (the content itself, or a
// larger outline for an edge or a border) turned so, its corner `at` pixels from the content's
// corner in the turned frame. The plug-in maps path point p to T(p - origin) with T the frame's
// affine map, origin the content's corner.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "display/display.h"
#include "display/graphics.h"
#include "display/picture.h"
#include "display/showbrush.h"
#include "display/target.h"
#include "draw/paths.h"
#include "draw/shape.h"
#include "engine/errcodes.h"
#include "engine/numconv.h"
#include "gfx/bitmap.h"
#include "gfx/blitpixels.h"
#include "gfx/compose.h"
#include "layers/layers.h"

namespace qm {

namespace {

// What the style makes of one rendering.
struct Look {
  int32_t fill = FILLNONE;
  bool aa = false;
  int32_t edge = 0, shadow = 0, direction = SHDWSOUTHEAST;
  bool filled = false;  // the outer outline is the filled area (else a stroke of `width`)
  int32_t width = 1;
  uint32_t rgb = 0, edge_rgb = 0, shadow_rgb = 0;
  int32_t transparency = 0, edge_transparency = 0, shadow_transparency = 0;
};

// effects: the form style's edge and shadow are drawn (a layer draws them itself instead).
Look look_of(const PathDraw& d, bool effects) {
  const qmDrawStyle& s = d.style;
  const qmShapeEffects& fx = s.effects;
  Look v;
  v.fill = s.draw.fill_style >= FILLNONE && s.draw.fill_style <= FILLTEXTURE ? s.draw.fill_style : FILLNONE;
  v.aa = (s.draw.form_style & FORM_ANTIALIAS) != 0;
  if (effects && v.fill != FILLNONE) {
    if (s.draw.form_style & FORM_EDGE) v.edge = std::clamp(fx.edge_size, 1, 64);
    if (s.draw.form_style & FORM_SHADOW) v.shadow = std::clamp(fx.shadow_size, 1, 64);
  }
  v.direction = fx.shadow_direction >= 0 && fx.shadow_direction <= 7 ? fx.shadow_direction : SHDWSOUTHEAST;
  v.filled = v.fill != FILLNONE && !v.edge;
  v.width = v.edge ? 2 * v.edge : std::max(1, fx.line_width);
  v.rgb = d.colour & 0xFFFFFF, v.transparency = effects ? int32_t(d.colour >> 24) : 0;
  v.edge_rgb = fx.edge_colour & 0xFFFFFF, v.edge_transparency = int32_t(fx.edge_colour >> 24);
  v.shadow_rgb = fx.shadow_colour & 0xFFFFFF, v.shadow_transparency = int32_t(fx.shadow_colour >> 24);
  return v;
}

// A box of whole pixels in path coordinates; x1 and y1 exclusive.
struct PixelBox {
  int64_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  int64_t width() const { return x1 - x0; }
  int64_t height() const { return y1 - y0; }
};

// Far beyond any picture: extents past it cannot become an image.
constexpr double kFar = double(int64_t(1) << 40);

// Extents to whole pixels: ERR_EMPTYPATH below half a pixel either way, ERR_MEM for extents that
// are not numbers, lie beyond reach or make an image past the picture cap.
int32_t whole_pixels(const PathBox& b, PixelBox* out) {
  for (double v : {b.left, b.top, b.right, b.bottom})
    if (!(std::fabs(v) < kFar)) return ERR_MEM;
  if (!(b.right - b.left >= 0.5 && b.bottom - b.top >= 0.5)) return ERR_EMPTYPATH;
  *out = PixelBox{int64_t(std::floor(b.left)), int64_t(std::floor(b.top)), int64_t(std::ceil(b.right)),
                  int64_t(std::ceil(b.bottom))};
  return picture_size_allowed(out->width(), out->height()) ? 0 : ERR_MEM;
}

// The plug-in's calls for one path.
struct Plugin {
  qmPluginEntry* entry = nullptr;
  const void* ops = nullptr;
  qmVecStroke stroke{};

  int32_t measure(int32_t kind, int32_t width, PixelBox* out) const {
    PathBox b;
    if (int32_t err = path_measure(entry, ops, stroke, kind, width, 0, 0, &b)) return err;
    return whole_pixels(b, out);
  }
  // Coverage into the plane through the affine map t, from the path's point `origin` on.
  bool cover(qmAlphaChannel* plane, bool filled, int32_t width, uint32_t colour, const double origin[2],
             const double t[6]) const {
    auto draw = plugin_entry<qmVecDrawPathFn>(entry, PLUGIN_EP_DRAW_PATH);
    if (entry->kind == 2 || !draw) return false;
    qmVecRender r{};
    r.size = sizeof r;
    r.ops = ops;
    r.stroke_block = stroke;
    r.stroke = &r.stroke_block;
    r.filled = filled ? 1 : 0;
    r.line_width = width;
    r.colour = colour;
    r.plane = plane->data;
    r.bytes_per_row = plane->bytes_per_row;
    r.width = plane->width, r.height = plane->height;
    r.origin_x = origin[0], r.origin_y = origin[1];
    r.transform = t;
    return draw(&r) != 0;
  }
};

Plugin plugin_for(qmPluginEntry* entry, const PathDraw& d, bool aa) {
  Plugin p;
  p.entry = entry;
  p.ops = d.ops;
  p.stroke = path_stroke_block(d.stroke, aa);
  return p;
}

// The content's corner and size, the matrix, and the image's box in the turned frame.
struct Frame {
  PixelBox content;
  Matrix2 m;
  int32_t at_x = 0, at_y = 0;  // the image's corner from the content's corner, turned
  int32_t width = 0, height = 0;
  double t[6] = {1, 0, 0, 1, 0, 0};

  double origin[2] = {0, 0};
  double mid_x() const { return content.width() / 2.0; }
  double mid_y() const { return content.height() / 2.0; }
  // Where a point of the content's own pixels goes in the turned frame.
  void turn(double u, double v, double* x, double* y) const {
    const double du = u - mid_x(), dv = v - mid_y();
    *x = mid_x() + m.m[0] * du + m.m[1] * dv;
    *y = mid_y() + m.m[2] * du + m.m[3] * dv;
  }
};

// Frames the box b (path coordinates) around content under m. ERR_MEM past the picture cap.
int32_t frame_box(const PixelBox& content, const Matrix2& m, const PixelBox& b, Frame* f) {
  f->content = content;
  f->m = m;
  f->origin[0] = double(content.x0), f->origin[1] = double(content.y0);
  const double u0 = double(b.x0 - content.x0), v0 = double(b.y0 - content.y0);
  const double u1 = double(b.x1 - content.x0), v1 = double(b.y1 - content.y0);
  double x0 = kFar, y0 = kFar, x1 = -kFar, y1 = -kFar;
  for (const auto& [u, v] : {std::pair{u0, v0}, {u1, v0}, {u0, v1}, {u1, v1}}) {
    double x = u, y = v;
    if (!m.is_identity()) f->turn(u, v, &x, &y);
    x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
  }
  if (!(x1 - x0 < kFar && y1 - y0 < kFar)) return ERR_MEM;
  const double ax = std::floor(x0), ay = std::floor(y0);
  const int64_t w = int64_t(std::ceil(x1) - ax), h = int64_t(std::ceil(y1) - ay);
  if (w < 1 || h < 1 || !picture_size_allowed(w, h) || !(std::fabs(ax) < 1e9 && std::fabs(ay) < 1e9)) return ERR_MEM;
  f->at_x = int32_t(ax), f->at_y = int32_t(ay), f->width = int32_t(w), f->height = int32_t(h);
  // pixel = M (u - mid) + mid - at; cairo's order: xx, yx, xy, yy, x0, y0.
  double cx = 0, cy = 0;
  f->turn(0, 0, &cx, &cy);
  const double t[6] = {m.m[0], m.m[2], m.m[1], m.m[3], cx - ax, cy - ay};
  std::copy(t, t + 6, f->t);
  return 0;
}

// The fill style's colours over the rectangle r of the bitmap (the rest in the plain colour).
int32_t paint_fill(qmState* L, const Look& v, const qmDrawStyle& s, qmBitmap* b, const Rect& r, const Matrix2& m) {
  const qmGradient& g = s.draw.gradient;
  qmos_fill_bitmap_rect(b, 0, 0, b->width, b->height, v.fill == FILLGRADIENT ? g.start_colour & 0xFFFFFF : v.rgb);
  const Rect in = rect_intersect(r, Rect{0, 0, b->width, b->height});
  if (in.width < 1 || in.height < 1) return 0;
  if (v.fill == FILLGRADIENT) DRAWGRADIENT(b, in.x, in.y, in.width, in.height, &g);
  if (v.fill != FILLTEXTURE) return 0;
  const qmShapeStyle style{FILLTEXTURE, 0, s.draw.texture_brush, s.draw.texture_x, s.draw.texture_y, s.effects};
  const double matrix[4] = {m.m[0], m.m[1], m.m[2], m.m[3]};
  return path_fill_pattern(L ? L : picture_state(), b, in.x, in.y, in.width, in.height, &style,
                           m.is_identity() ? nullptr : matrix);
}

// Renders the image of frame f with the look v: the coloured bitmap and its alpha plane, the shadow
// beside it. img->x and img->y get the image's corner from the content's corner, turned. `fill_box`
// is where the gradient or texture lies, in path coordinates. ERR_DRAWPATH when the plug-in fails.
int32_t render(qmState* L, const Plugin& p, const PathDraw& d, const Look& v, const Frame& f, const PixelBox& fill_box,
               ShapeImage* img) {
  *img = ShapeImage{};
  int64_t dx = 0, dy = 0;
  if (v.shadow) {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
    anchor_offset(v.shadow, v.direction, &left, &top, &right, &bottom);
    dx = right - left, dy = bottom - top;
  }
  const int64_t w = f.width + std::llabs(dx), h = f.height + std::llabs(dy);
  if (!picture_size_allowed(w, h)) return ERR_MEM;
  // The object stands right of and below a shadow cast up or to the left.
  const int32_t sx = int32_t(dx < 0 ? -dx : 0), sy = int32_t(dy < 0 ? -dy : 0);
  double t[6];
  std::copy(f.t, f.t + 6, t);
  t[4] += sx, t[5] += sy;
  ShapeImage out;
  out.width = int32_t(w), out.height = int32_t(h);
  out.x = f.at_x - sx, out.y = f.at_y - sy;
  out.bitmap = qmos_alloc_bitmap(out.width, out.height);
  out.alpha = qmos_alloc_alpha(out.width, out.height, 1);
  // The fill's coverage and the texture, and the edge's coverage.
  Planes work, edge;
  auto fail = [&](int32_t err) {
    out.release();
    return err;
  };
  if (!out.bitmap || !out.alpha) return fail(ERR_MEM);
  // The gradient or texture over the fill's box; a turned one over the whole object.
  Rect fill_rect{sx, sy, f.width, f.height};
  if (f.m.is_identity())
    fill_rect = Rect{int32_t(fill_box.x0 - f.content.x0 - f.at_x + sx), int32_t(fill_box.y0 - f.content.y0 - f.at_y + sy),
                     int32_t(fill_box.width()), int32_t(fill_box.height())};
  const bool textured = v.fill == FILLGRADIENT || v.fill == FILLTEXTURE;
  if (!v.edge && !v.shadow) {
    if (int32_t err = paint_fill(L, v, d.style, out.bitmap, fill_rect, f.m)) return fail(err);
    const uint32_t colour = (uint32_t(std::clamp(v.transparency, 0, 255)) << 24) | v.rgb;
    if (!p.cover(out.alpha, v.filled, v.width, colour, f.origin, t)) return fail(ERR_DRAWPATH);
    *img = out;
    return 0;
  }
  work.alpha = qmos_alloc_alpha(out.width, out.height, 1);
  if (v.edge) edge.alpha = qmos_alloc_alpha(out.width, out.height, 1);
  if (textured) work.bitmap = qmos_alloc_bitmap(out.width, out.height);
  if (!work.alpha || (v.edge && !edge.alpha) || (textured && !work.bitmap)) return fail(ERR_MEM);
  if (textured)
    if (int32_t err = paint_fill(L, v, d.style, work.bitmap, fill_rect, f.m)) return fail(err);
  if (!p.cover(work.alpha, true, 1, v.rgb, f.origin, t)) return fail(ERR_DRAWPATH);
  // The edge lies under the whole fill: its outline stroked, and the area within.
  if (v.edge && (!p.cover(edge.alpha, false, v.width, v.edge_rgb, f.origin, t) ||
                 !p.cover(edge.alpha, true, 1, v.edge_rgb, f.origin, t)))
    return fail(ERR_DRAWPATH);
  qmos_fill_bitmap_rect(out.bitmap, 0, 0, out.width, out.height, v.shadow ? v.shadow_rgb : v.edge_rgb);
  qmShapeMerge m{};
  m.fill = work.alpha;
  m.edge = edge.alpha;
  m.target = out.bitmap;
  m.target_alpha = out.alpha;
  m.shadow = v.shadow > 0;
  m.edge_on = v.edge > 0;
  m.shadow_x = int32_t(dx), m.shadow_y = int32_t(dy);
  m.edge_width = m.fill_width = m.target_width = out.width;
  m.edge_height = m.fill_height = m.target_height = out.height;
  m.fill_colour = v.rgb, m.shadow_colour = v.shadow_rgb, m.edge_colour = v.edge_rgb;
  m.fill_transparency = v.transparency;
  m.shadow_transparency = v.shadow_transparency;
  m.edge_transparency = v.edge_transparency;
  m.texture = work.bitmap;
  shape_merge_alpha(m);
  *img = out;
  return 0;
}

// The content box and the fill's box of a rendering: the outer outline (filled or stroked) and,
// for a stroke under a gradient or texture, the filled area (a one-pixel outline when the path
// encloses nothing). Only a gradient or a texture is laid over the fill's box, and measuring the
// filled area of a long self-crossing stroke costs more than stroking it, so plain colours skip it.
// bound: a box that holds the filled area's coverage serves as the content box.
int32_t measure(const Plugin& p, const Look& v, PixelBox* outer, PixelBox* fill_box, bool bound = false) {
  const int32_t kind = !v.filled ? QMVEC_EXTENTS_STROKED : bound ? QMVEC_EXTENTS_FILL_BOUND : QMVEC_EXTENTS_FILLED;
  if (int32_t err = p.measure(kind, v.width, outer)) return err;
  *fill_box = *outer;
  if (v.filled || (v.fill != FILLGRADIENT && v.fill != FILLTEXTURE)) return 0;
  if (int32_t err = p.measure(QMVEC_EXTENTS_FILLED, 1, fill_box); err == ERR_EMPTYPATH) {
    if (p.measure(QMVEC_EXTENTS_STROKED, 1, fill_box) != 0) *fill_box = *outer;
  } else if (err) {
    return err;
  }
  return 0;
}

int32_t saturate(int64_t v) { return int32_t(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

Matrix2 tags_matrix(const qmTransformTags* tt) {
  Matrix2 m;
  if (tt) m.m[0] = tt->matrix[0], m.m[1] = tt->matrix[2], m.m[2] = tt->matrix[1], m.m[3] = tt->matrix[3];
  return m;
}

// Whether a larger content box than the exact extents draws the same pixels: the path is filled
// in a plain colour without edge or shadow, unturned, its own coordinates place it (no anchor, no
// position special), and the output keeps no mask or alpha plane in step with the image. The
// content box then only frames the coverage; the gradient's and the texture's place, the turn's
// middle, an anchor, a special, a layer's size and the planes the image's rectangle is copied
// into depend on it.
bool bound_draws_alike(const Look& v, const PathDraw& d, const qmDisplay* display, bool layered,
                       const qmTransformTags* tt) {
  const bool picture_only = display && (display->output_type == kOutputDisplay || display->output_type == TARGET_PICTURE) &&
                            !display->draw_mask && !display->draw_alpha;
  return picture_only && !layered && v.filled && !v.shadow && v.fill != FILLGRADIENT && v.fill != FILLTEXTURE &&
         d.add_origin && tags_matrix(tt).is_identity() && (!tt || (tt->anchor_x == 0 && tt->anchor_y == 0));
}

// The position of a content box anywhere within b at (x, y) stays plain and within reach.
bool plainly_placed(const PixelBox& b, int64_t x, int64_t y) {
  constexpr int64_t reach = int64_t(1) << 30;
  for (int64_t p : {x + b.x0, x + b.x1, y + b.y0, y + b.y1})
    if (p < -reach || p > reach) return false;
  const auto clear = [](int64_t lo, int64_t hi) {
    return hi < POS_CENTER - 4999 || lo > POS_BOTTOMOUT + 4999;
  };
  return clear(x + b.x0, x + b.x1) && clear(y + b.y0, y + b.y1);
}

// With layers on the path becomes a VECTORPATH layer: its content is the path in its fill style;
// the edge and the shadow become the layer's border and shadow, the colour's transparency the
// layer's, and the layer keeps its own copy of the operations.
int32_t make_layer(qmState* L, qmBGPic* pic, const PathDraw& d, ShapeImage& img, int32_t x, int32_t y,
                   const qmTransformTags* tt, const qmDrawTagOptions* dt) {
  LayerDrawn drawn;
  drawn.style = d.style;
  LayerStyle style = drawn_layer_style(&drawn.style, d.colour, d.style.draw.fill_style != FILLNONE, dt);
  drawn.path = d.path;
  const auto* words = static_cast<const uint32_t*>(d.ops);
  drawn.path_ops.assign(words, words + d.ops_size / 4);
  drawn.line_join = d.stroke.line_join, drawn.line_cap = d.stroke.line_cap, drawn.fill_rule = d.stroke.fill_rule;
  drawn.dash_offset = d.stroke.dash_offset;
  drawn.dashes = d.stroke.dashes;
  LayerSpec spec;
  spec.type = OBJ_VECTORPATH;
  spec.id = d.path;
  spec.x = x, spec.y = y;
  spec.width = img.width, spec.height = img.height;
  // The content's size changes with the path (a wider line, new dashes): the layer shows it at its
  // own size, scaled only by the options' scale and turn.
  TransformBlock block;
  if (tt) block = layer_transform_of(*tt);
  block.target_width = block.target_height = 0;
  spec.transform = &block;
  spec.style = &style;
  spec.image = {img.bitmap, nullptr, img.alpha};
  img = ShapeImage{};
  spec.drawn = &drawn;
  spec.colour = d.colour & 0xFFFFFF;
  spec.flags = LAYER_SCALED;
  return layer_new(L, pic, spec, nullptr);
}

}  // namespace

int32_t path_draw(qmState* L, PathDraw& d, int32_t x, int32_t y, const qmTransformTags* tt,
                  const qmDrawTagOptions* dt) {
  if (!d.ops) return ERR_EMPTYPATH;
  qmPluginEntry* entry = path_plugin();
  if (!entry) return ERR_VECGFXPLUGIN;
  qmDisplay* display = display_current();
  qmBGPic* pic = nullptr;
  const bool layered = display && display->layers && layer_precondition(&pic) == 0;
  // A layer's position is refused beyond the limit of positions, as for the other shapes: the
  // program's, before the path's origin moves it to the extents' corner.
  if (layered && (!position_in_range(x) || !position_in_range(y))) return ERR_WRONGUSAGE;
  const Look v = look_of(d, !layered);
  const Plugin p = plugin_for(entry, d, v.aa);
  PixelBox outer, fill_box;
  const bool bound = bound_draws_alike(v, d, display, layered, tt);
  if (int32_t err = measure(p, v, &outer, &fill_box, bound)) return err;
  if (bound && !plainly_placed(outer, x, y))
    if (int32_t err = measure(p, v, &outer, &fill_box)) return err;
  d.origin_x = double(outer.x0), d.origin_y = double(outer.y0);
  int64_t px = x, py = y;
  if (d.add_origin) px += outer.x0, py += outer.y0, d.add_origin = false;
  // A layer is made untransformed: the layers turn it.
  const Matrix2 m = layered ? Matrix2{} : tags_matrix(tt);
  Frame f;
  if (int32_t err = frame_box(outer, m, outer, &f)) return err;
  ShapeImage img;
  if (int32_t err = render(L, p, d, v, f, fill_box, &img)) return err;
  const double ax = tt ? tt->anchor_x : 0.0, ay = tt ? tt->anchor_y : 0.0;
  const int32_t cw = int32_t(outer.width()), ch = int32_t(outer.height());
  const int32_t rx = coord_resolve_special_x(saturate(px), cw, 0, ax);
  const int32_t ry = coord_resolve_special_y(saturate(py), ch, 0, ay);
  if (layered) {
    const int32_t err = make_layer(L, pic, d, img, rx, ry, tt, dt);
    img.release();
    return err;
  }
  // The anchor point of the (turned) content lands at the position.
  double anchor_x = cw * ax, anchor_y = ch * ay;
  if (!m.is_identity()) f.turn(cw * ax, ch * ay, &anchor_x, &anchor_y);
  const int64_t cx = int64_t(rx) - to_i64(std::trunc(anchor_x)), cy = int64_t(ry) - to_i64(std::trunc(anchor_y));
  return shape_image_show(L, img, cx + img.x, cy + img.y, dt);
}

int32_t path_render_content(const PathDraw& d, const Matrix2& m, ShapeImage* out) {
  *out = ShapeImage{};
  if (!d.ops) return ERR_EMPTYPATH;
  qmPluginEntry* entry = path_plugin();
  if (!entry) return ERR_VECGFXPLUGIN;
  const Look v = look_of(d, false);
  const Plugin p = plugin_for(entry, d, v.aa);
  PixelBox outer, fill_box;
  if (int32_t err = measure(p, v, &outer, &fill_box)) return err;
  Frame f;
  if (int32_t err = frame_box(outer, m, outer, &f)) return err;
  return render(nullptr, p, d, v, f, fill_box, out);
}

int32_t path_render_border(const PathDraw& d, const Matrix2& m, int32_t size, ShapeImage* out) {
  *out = ShapeImage{};
  qmPluginEntry* entry = d.ops ? path_plugin() : nullptr;
  if (!entry) return d.ops ? ERR_VECGFXPLUGIN : ERR_EMPTYPATH;
  const Look v = look_of(d, false);
  const Plugin p = plugin_for(entry, d, v.aa);
  PixelBox content, fill_box, grown;
  if (int32_t err = measure(p, v, &content, &fill_box)) return err;
  // The outline grown by size on every side: a stroke that much wider, over the area when filled.
  const int32_t width = (v.filled ? 0 : v.width) + 2 * std::max(size, 0);
  if (int32_t err = p.measure(false, std::max(width, 1), &grown)) return err;
  grown.x0 = std::min(grown.x0, content.x0), grown.y0 = std::min(grown.y0, content.y0);
  grown.x1 = std::max(grown.x1, content.x1), grown.y1 = std::max(grown.y1, content.y1);
  Frame f;
  if (int32_t err = frame_box(content, m, grown, &f)) return err;
  ShapeImage img;
  img.width = f.width, img.height = f.height, img.x = f.at_x, img.y = f.at_y;
  img.bitmap = qmos_alloc_bitmap(img.width, img.height);
  img.alpha = qmos_alloc_alpha(img.width, img.height, 1);
  if (!img.bitmap || !img.alpha) {
    img.release();
    return ERR_MEM;
  }
  qmos_fill_bitmap_rect(img.bitmap, 0, 0, img.width, img.height, d.colour & 0xFFFFFF);
  if ((width > 0 && !p.cover(img.alpha, false, width, 0, f.origin, f.t)) ||
      (v.fill != FILLNONE && !p.cover(img.alpha, true, 1, 0, f.origin, f.t))) {
    img.release();
    return ERR_DRAWPATH;
  }
  *out = img;
  return 0;
}

int32_t draw_shape_as_path(qmState* L, const PathShape& shape, int32_t x, int32_t y, uint32_t colour,
                           const qmTransformTags* tt, const qmDrawTagOptions* dt) {
  qmPath* path = nullptr;
  if (path_new(L, automatic_id(), &path)) return ERR_MEM;
  const double a = shape.a, b = shape.b;
  auto real = PathOperand::number;
  auto integer = PathOperand::integer;
  auto arc = [&](double cx, double cy, double start, double end, int32_t clockwise) {
    const PathOperand o[7] = {real(cx), real(cy), real(a), real(b), real(start), real(end), integer(clockwise)};
    return path_append(path, QMVEC_OP_ARC, o, 7);
  };
  auto point = [&](int32_t op, double px, double py) {
    const PathOperand o[3] = {integer(0), real(px), real(py)};
    return path_append(path, op, o, 3);
  };
  int32_t err = 0;
  switch (shape.type) {
    case OBJ_BOX: {
      const PathOperand o[8] = {real(0), real(0), real(a), real(b), integer(shape.corners[0]), integer(shape.corners[1]),
                                integer(shape.corners[2]), integer(shape.corners[3])};
      err = path_append(path, QMVEC_OP_BOX, o, 8);
      break;
    }
    case OBJ_CIRCLE:
    case OBJ_ELLIPSE: err = arc(a, b, 0, 360, 1); break;
    case OBJ_POLYGON:
      if (shape.vertices)
        for (size_t i = 0; i < shape.vertices->size() && !err; ++i)
          err = point(i == 0 ? QMVEC_OP_MOVE : QMVEC_OP_LINE, (*shape.vertices)[i].x, (*shape.vertices)[i].y);
      break;
    case OBJ_ARC:
      err = point(QMVEC_OP_MOVE, a, b);
      if (!err) err = arc(a, b, shape.start_angle, shape.end_angle, shape.clockwise);
      break;
    default: break;
  }
  if (!err) err = path_append(path, QMVEC_OP_CLOSE, nullptr, 0);
  if (!err) {
    // A layer made of it names no path: the path is gone when the call ends.
    PathDraw d = path_drawing(path, colour);
    d.path = ObjectId{};
    err = path_draw(L, d, x, y, tt, dt);
  }
  path_free(L, path);
  return err;
}

}  // namespace qm

// The shape renderer: outlines to planes.
#include <emmintrin.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "display/picture.h"
#include "draw/raster.h"
#include "draw/shape.h"
#include "draw/spans.h"
#include "engine/errcodes.h"
#include "engine/numconv.h"
#include "gfx/bitmap.h"
#include "gfx/blitpixels.h"
#include "gfx/compose.h"
#include "gfx/pixelloops.h"
#include "gfx/shape.h"

namespace qm {

void ShapeImage::release() {
  qmos_free_bitmap(bitmap);
  qmos_free_mask(mask);
  qmos_free_alpha(alpha);
  bitmap = nullptr, mask = nullptr, alpha = nullptr;
}

namespace {

// What the style makes of one shape.
struct Derived {
  int32_t fill = FILLNONE;
  bool aa = false;
  int32_t edge = 0, shadow = 0, direction = SHDWSOUTHEAST;
  uint32_t rgb = 0, edge_rgb = 0, shadow_rgb = 0;
  int32_t transparency = 0, edge_transparency = 0, shadow_transparency = 0;
  int32_t line_width = 1;  // the outline of an unfilled shape, or a line's thickness
};

Derived derive(const ShapeDesc& d, ShapeUse use) {
  const qmDrawStyle& s = d.style;
  const qmShapeEffects& fx = s.effects;
  Derived v;
  v.fill = s.draw.fill_style >= FILLNONE && s.draw.fill_style <= FILLTEXTURE ? s.draw.fill_style : FILLNONE;
  v.aa = (s.draw.form_style & FORM_ANTIALIAS) != 0;
  v.rgb = d.colour & 0xFFFFFF;
  v.transparency = use == ShapeUse::Draw ? int32_t(d.colour >> 24) : 0;
  const double scale = d.matrix.is_identity() ? 1.0 : std::fabs(d.matrix.m[0]);
  const bool line = d.geometry.type == OBJ_LINE;
  const bool filled = v.fill != FILLNONE && !line;
  if (use == ShapeUse::Draw && filled) {
    if (s.draw.form_style & FORM_EDGE) v.edge = std::clamp(fx.edge_size, 1, 64);
    if (s.draw.form_style & FORM_SHADOW) v.shadow = std::clamp(to_i32(std::nearbyint(fx.shadow_size * scale)), 1, 64);
  }
  v.direction = fx.shadow_direction >= 0 && fx.shadow_direction <= 7 ? fx.shadow_direction : SHDWSOUTHEAST;
  v.edge_rgb = fx.edge_colour & 0xFFFFFF, v.edge_transparency = int32_t(fx.edge_colour >> 24);
  v.shadow_rgb = fx.shadow_colour & 0xFFFFFF, v.shadow_transparency = int32_t(fx.shadow_colour >> 24);
  const int32_t width = line ? d.thickness : filled ? 1 : fx.line_width;
  if (use == ShapeUse::Draw || line) v.line_width = std::max(1, to_i32(std::nearbyint(std::max(width, 1) * scale)));
  if (v.line_width < 1) v.line_width = 1;  // a scale that would not convert
  return v;
}

// How far a stroke of that thickness reaches past its middle line.
int64_t stroke_reach(int32_t thickness) { return thickness > 1 ? (int64_t(thickness) + 1) / 2 : 0; }

void shadow_offset(int32_t direction, int32_t d, int64_t* dx, int64_t* dy) {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
  anchor_offset(d, direction, &left, &top, &right, &bottom);
  *dx = right - left;
  *dy = bottom - top;
}

// The outlines of one shape and the boxes they make.
struct Layout {
  Outline fill;    // the shape itself (a line: its two end points)
  Outline grown;   // the edge or border outline (empty: the fill outline grown by a stroke)
  int32_t grow = 0;  // polygons and lines grow by a stroke of 2 grow + 1 instead
  OutlineBox frame, object, image;
  int64_t shadow_x = 0, shadow_y = 0;
};

bool grows_by_stroke(int32_t type) { return type == OBJ_POLYGON || type == OBJ_LINE; }

int32_t lay_out(const ShapeDesc& d, const Derived& v, ShapeUse use, int32_t grow, Layout* l) {
  const ShapeGeometry& g = d.geometry;
  OutlineTransform t{d.matrix, (g.width - 1) / 2.0, (g.height - 1) / 2.0};
  if (g.type == OBJ_LINE) {
    l->fill = {t.apply(double(d.line[0]), double(d.line[1])), t.apply(double(d.line[2]), double(d.line[3]))};
    l->frame = outline_box(l->fill);
  } else if (!shape_outline_points(g, t, 0, &l->fill, &l->frame)) {
    return ERR_WRONGUSAGE;
  }
  const int32_t by = use == ShapeUse::Border ? grow : v.edge;
  l->grow = by;
  l->object = l->frame;
  if (by > 0) {
    if (grows_by_stroke(g.type)) {
      l->object = l->frame.grown(by, by, by, by);
    } else {
      OutlineBox frame;
      shape_outline_points(g, t, by, &l->grown, &frame);
      l->object = frame;
      l->object.add(outline_box(l->grown));
    }
  }
  // A stroke reaches past the outline by half its width.
  if (use != ShapeUse::Content && (v.fill == FILLNONE || g.type == OBJ_LINE)) {
    const int64_t reach = stroke_reach(v.line_width) + (use == ShapeUse::Border ? by : 0);
    l->object = l->object.grown(reach, reach, reach, reach);
  }
  l->image = l->object;
  if (v.shadow > 0) {
    shadow_offset(v.direction, v.shadow, &l->shadow_x, &l->shadow_y);
    l->image.add(l->object.moved(l->shadow_x, l->shadow_y));
  }
  if (use == ShapeUse::Content && d.matrix.is_identity()) l->image = {0, 0, g.width - 1, g.height - 1};
  else if (v.aa && use != ShapeUse::Content) l->image = l->image.grown(2, 2, 3, 3);
  if (l->image.width() < 1 || l->image.height() < 1 ||
      !picture_size_allowed(l->image.width(), l->image.height()))
    return ERR_MEM;
  return 0;
}

// The outline in image coordinates, moved by (dx, dy).
std::vector<qmPoint> in_image(const Outline& o, const Layout& l, int64_t dx = 0, int64_t dy = 0) {
  std::vector<qmPoint> out;
  out.reserve(o.size());
  // Points of a shape that fits the image lie within it; clamping only guards the far-out
  // points of a pie whose outline the image cuts.
  auto fit = [](int64_t v) { return int32_t(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); };
  for (const OutlinePoint& p : o) out.push_back({fit(p.x - l.image.x0 + dx), fit(p.y - l.image.y0 + dy)});
  return out;
}

// One raster of the image's size, cleared for each element drawn through it.
struct Coverage {
  qmRaster r{};
  ~Coverage() { raster_destroy(&r); }
  int32_t make(const Layout& l) {
    const int32_t status = raster_create(int32_t(l.image.width()), int32_t(l.image.height()), &r);
    return status == 0 ? 0 : status == RASTER_UNAVAILABLE ? ERR_GFXLIB : ERR_MEM;
  }
  void clear() {
    if (r.coverage) std::memset(r.coverage, 0, size_t(r.bpr) * size_t(r.height));
  }
  qmAlphaChannel* wrap() { return qmos_wrap_alpha(r.coverage, r.width, r.height, r.bpr); }
};

// Draws what one colour covers: the outline filled, stroked, or both (a line: its stroke).
void cover(qmRaster& r, const std::vector<qmPoint>& p, bool line, bool fill, int32_t stroke, bool aa) {
  if (line) {
    if (p.size() >= 2) raster_fill_edges(&r, p[0].x, p[0].y, p[1].x, p[1].y, aa, std::min(stroke, 255));
    return;
  }
  if (fill) raster_fill_polygon(&r, p.data(), int32_t(p.size()), aa, 0);
  if (stroke > 0) raster_fill_polygon(&r, p.data(), int32_t(p.size()), aa, std::min(stroke, 255));
}

// The grown outline (edge or border): the grown shape's own outline, or for polygons and lines
// the shape with a stroke of twice the size around it.
void cover_grown(qmRaster& r, const ShapeDesc& d, const Derived& v, const Layout& l, bool filled, int64_t dx,
                 int64_t dy, bool aa) {
  const bool line = d.geometry.type == OBJ_LINE;
  if (!grows_by_stroke(d.geometry.type) && filled) {
    cover(r, in_image(l.grown, l, dx, dy), false, true, 0, aa);
    return;
  }
  const int32_t stroke = (line || !filled ? v.line_width : 0) + 2 * l.grow;
  cover(r, in_image(l.fill, l, dx, dy), line, filled, stroke, aa);
}

// The pixel state that plots coverage into the image's planes.
qmShapeState plot_state(const ShapeImage& img, uint32_t rgb, int32_t transparency, const qmBitmap* texture) {
  qmShapeState s{};
  s.pixels = img.bitmap->pixels;
  s.ppr = img.bitmap->bytes_per_row / 4;
  s.bytes_per_pixel = 4;
  s.format = img.bitmap->format;
  s.colour = color_to_pixel_format(rgb, s.format);
  if (texture) {
    s.texture = texture->pixels;
    s.texture_ppr = texture->bytes_per_row / 4;
  }
  if (img.mask) s.mask = img.mask->data, s.mask_bpr = img.mask->bytes_per_row;
  if (img.alpha) s.alpha = img.alpha->data, s.alpha_bpr = img.alpha->bytes_per_row;
  s.opacity = s.base_opacity = 255 - std::clamp(transparency, 0, 255);
  s.mask_mode = MASKVISIBLE;
  s.width = img.width;
  s.height = img.height;
  s.pen_width = 1;
  return s;
}

void plot(const ShapeImage& img, const qmRaster& r, uint32_t rgb, int32_t transparency, const qmBitmap* texture,
          bool aa) {
  qmShapeState s = plot_state(img, rgb, transparency, texture);
  shape_fill_coverage(s, r.coverage, r.width, r.height, r.bpr, 0, 0, aa);
}

// The gradient or the texture over the fill's box, in an image of the shape image's size.
int32_t make_texture(qmState* L, const ShapeDesc& d, const Derived& v, const Layout& l, qmBitmap** out) {
  *out = nullptr;
  if (v.fill != FILLGRADIENT && v.fill != FILLTEXTURE) return 0;
  const int32_t w = int32_t(l.image.width()), h = int32_t(l.image.height());
  qmBitmap* tex = qmos_alloc_bitmap(w, h);
  if (!tex) return ERR_MEM;
  const qmGradient& g = d.style.draw.gradient;
  qmos_fill_bitmap_rect(tex, 0, 0, w, h, v.fill == FILLGRADIENT ? g.start_colour & 0xFFFFFF : v.rgb);
  // The fill's box within the image.
  const OutlineBox f = l.frame;
  const int32_t fx = int32_t(std::max<int64_t>(f.x0 - l.image.x0, 0)), fy = int32_t(std::max<int64_t>(f.y0 - l.image.y0, 0));
  const int32_t fw = int32_t(std::min<int64_t>(f.width(), w - fx)), fh = int32_t(std::min<int64_t>(f.height(), h - fy));
  if (fw < 1 || fh < 1) {
    *out = tex;
    return 0;
  }
  if (v.fill == FILLGRADIENT) {
    DRAWGRADIENT(tex, fx, fy, fw, fh, &g);
  } else {
    const qmShapeStyle style{FILLTEXTURE, 0, d.style.draw.texture_brush, d.style.draw.texture_x,
                             d.style.draw.texture_y, d.style.effects};
    const double m[4] = {d.matrix.m[0], d.matrix.m[1], d.matrix.m[2], d.matrix.m[3]};
    if (int32_t err = path_fill_pattern(L ? L : picture_state(), tex, fx, fy, fw, fh, &style,
                                        d.matrix.is_identity() ? nullptr : m)) {
      qmos_free_bitmap(tex);
      return err;
    }
  }
  *out = tex;
  return 0;
}

// The planes of the image: an alpha plane where anything is see-through or anti-aliased, else a
// mask. The bitmap starts in the colour of what lies lowest, so that anti-aliased pixels blend
// towards it and never towards black.
int32_t make_planes(const Derived& v, const Layout& l, ShapeUse use, ShapeImage* img) {
  img->width = int32_t(l.image.width());
  img->height = int32_t(l.image.height());
  const bool see_through = v.transparency > 0 || v.aa || (v.edge && v.edge_transparency > 0) ||
                           (v.shadow && v.shadow_transparency > 0);
  img->bitmap = qmos_alloc_bitmap(img->width, img->height);
  if (see_through) img->alpha = qmos_alloc_alpha(img->width, img->height, 1);
  else img->mask = qmos_alloc_mask(img->width, img->height, 1);
  if (!img->bitmap || (!img->alpha && !img->mask)) {
    img->release();
    return ERR_MEM;
  }
  const uint32_t lowest = use == ShapeUse::Draw && v.shadow ? v.shadow_rgb : use == ShapeUse::Draw && v.edge ? v.edge_rgb : v.rgb;
  qmos_fill_bitmap_rect(img->bitmap, 0, 0, img->width, img->height, lowest);
  return 0;
}

// Anti-aliased filled shapes: the fill and edge coverage merged with the shadow by the graphics
// core, so that the fill's soft rim lies over the edge instead of cutting a hole into it.
int32_t merge_aa(const ShapeDesc& d, const Derived& v, const Layout& l, const ShapeImage& img, const qmBitmap* tex) {
  Coverage fill, edge;
  if (int32_t err = fill.make(l)) return err;
  if (int32_t err = v.edge ? edge.make(l) : 0) return err;
  cover(fill.r, in_image(l.fill, l), false, true, 0, true);
  if (v.edge) cover_grown(edge.r, d, v, l, true, 0, 0, true);
  qmAlphaChannel* fill_plane = fill.wrap();
  qmAlphaChannel* edge_plane = v.edge ? edge.wrap() : nullptr;
  if (!fill_plane || (v.edge && !edge_plane)) {
    qmos_free_alpha(fill_plane);
    qmos_free_alpha(edge_plane);
    return ERR_MEM;
  }
  qmShapeMerge m{};
  m.fill = fill_plane;
  m.edge = edge_plane;
  m.target = img.bitmap;
  m.target_alpha = img.alpha;
  m.shadow = v.shadow > 0;
  m.edge_on = v.edge > 0;
  m.shadow_x = int32_t(l.shadow_x), m.shadow_y = int32_t(l.shadow_y);
  m.edge_width = m.fill_width = m.target_width = img.width;
  m.edge_height = m.fill_height = m.target_height = img.height;
  m.fill_colour = v.rgb, m.shadow_colour = v.shadow_rgb, m.edge_colour = v.edge_rgb;
  m.fill_transparency = v.transparency;
  m.shadow_transparency = v.shadow_transparency;
  m.edge_transparency = v.edge_transparency;
  m.texture = tex;
  shape_merge_alpha(m);
  qmos_free_alpha(fill_plane);
  qmos_free_alpha(edge_plane);
  return 0;
}

// Puts the colour through the raster's coverage onto the bitmap, the raster's corner at (x, y),
// within clip: full coverage as runs of the colour, partial coverage blended.
void compose_coverage(qmBitmap* b, const Rect& clip, const qmRaster& r, int64_t x, int64_t y, uint32_t rgb) {
  const int64_t x0 = std::max<int64_t>(clip.x, x), y0 = std::max<int64_t>(clip.y, y);
  const int64_t x1 = std::min<int64_t>(int64_t(clip.x) + clip.width, x + r.width);
  const int64_t y1 = std::min<int64_t>(int64_t(clip.y) + clip.height, y + r.height);
  if (x0 >= x1 || y0 >= y1 || !r.coverage) return;
  const uint32_t value = color_to_pixel_format(rgb, b->format);
  const int32_t ppr = b->bytes_per_row / 4;
  const int32_t n = int32_t(x1 - x0);
  for (int64_t row = y0; row < y1; ++row) {
    const uint8_t* c = r.coverage + size_t(row - y) * size_t(r.bpr) + size_t(x0 - x);
    uint32_t* p = b->pixels + size_t(row) * size_t(ppr) + size_t(x0);
    for (int32_t i = 0; i < n;) {
      // Sixteen bytes at a time: past empty ones, and to the end of a run of full ones.
      if (i + 64 <= n) {
        const __m128i* q = reinterpret_cast<const __m128i*>(c + i);
        const __m128i any = _mm_or_si128(_mm_or_si128(_mm_loadu_si128(q), _mm_loadu_si128(q + 1)),
                                         _mm_or_si128(_mm_loadu_si128(q + 2), _mm_loadu_si128(q + 3)));
        if (_mm_movemask_epi8(_mm_cmpeq_epi8(any, _mm_setzero_si128())) == 0xFFFF) {
          i += 64;
          continue;
        }
      }
      if (i + 16 <= n) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(c + i));
        const uint32_t empty = uint32_t(_mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_setzero_si128())));
        if (empty == 0xFFFF) {
          i += 16;
          continue;
        }
        if (empty & 1) {
          i += __builtin_ctz(~empty);
          continue;
        }
      }
      const uint32_t a = c[i];
      if (a == 0) {
        ++i;
      } else if (a == 255) {
        int32_t j = i + 1;
        const __m128i full = _mm_set1_epi8(char(0xFF));
        // Whole cache lines of full coverage first.
        for (; j + 64 <= n; j += 64) {
          const __m128i* q = reinterpret_cast<const __m128i*>(c + j);
          const __m128i all = _mm_and_si128(_mm_and_si128(_mm_loadu_si128(q), _mm_loadu_si128(q + 1)),
                                            _mm_and_si128(_mm_loadu_si128(q + 2), _mm_loadu_si128(q + 3)));
          if (_mm_movemask_epi8(_mm_cmpeq_epi8(all, full)) != 0xFFFF) break;
        }
        for (; j + 16 <= n; j += 16) {
          const uint32_t same = uint32_t(
              _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(c + j)), full)));
          if (same != 0xFFFF) {
            j += __builtin_ctz(~same);
            break;
          }
        }
        while (j < n && c[j] == 255) ++j;
        fill_loop(p, 0, i, 0, j - i, 1, value);
        i = j;
      } else {
        const uint32_t t = p[i];
        uint32_t out = 0;
        for (int shift = 0; shift < 32; shift += 8) {
          const int32_t tc = int32_t((t >> shift) & 255), sc = int32_t((value >> shift) & 255);
          out |= uint32_t(tc + ((sc - tc) * int32_t(a) + 127) / 255) << shift;
        }
        p[i++] = out;
      }
    }
  }
}

ShapeWays g_ways = ShapeWays::Fastest;

// Puts the colour on the spans' pixels, the spans' raster corner at (x, y), within clip.
void paint_spans(qmBitmap* b, const Rect& clip, const RowSpans& spans, int64_t x, int64_t y, uint32_t rgb) {
  const uint32_t value = color_to_pixel_format(rgb, b->format);
  const int32_t ppr = b->bytes_per_row / 4;
  const int64_t right = int64_t(clip.x) + clip.width - 1, bottom = int64_t(clip.y) + clip.height - 1;
  auto paint = [&](int32_t row_in, int32_t x0_in, int32_t x1_in) {
    const int64_t row = y + row_in;
    if (row < clip.y || row > bottom) return;
    const int64_t x0 = std::max<int64_t>(x + x0_in, clip.x), x1 = std::min<int64_t>(x + x1_in, right);
    if (x0 <= x1) fill_loop(b->pixels, ppr, int32_t(x0), int32_t(row), int32_t(x1 - x0 + 1), 1, value);
  };
  for (int32_t r = spans.first; r < spans.end; ++r) {
    const size_t i = size_t(r - spans.first);
    if (spans.lo[i] <= spans.hi[i]) paint(r, spans.lo[i], spans.hi[i]);
  }
  for (const RowSpan& s : spans.apart) paint(s.y, s.x0, s.x1);
}

// Without anti-aliasing a filled shape or a one-pixel outline goes on as row spans, which give the
// raster's pixels without the raster. False when the shape needs the raster: a line, a wider
// outline, a polygon's edge (a stroke) or an outline reaching past the image.
bool paint_by_spans(const ShapeDesc& d, const Derived& v, const Layout& l, qmBitmap* target, const Rect& clip,
                    int64_t x, int64_t y) {
  const int32_t type = d.geometry.type;
  const bool filled = v.fill != FILLNONE;
  if (g_ways != ShapeWays::Fastest || v.aa || type == OBJ_LINE || (!filled && v.line_width != 1) ||
      (v.edge && grows_by_stroke(type)))
    return false;
  const int32_t w = int32_t(l.image.width()), h = int32_t(l.image.height());
  // Only the rows that land within the clip, at either place the spans go.
  const int64_t top = clip.y, bottom = int64_t(clip.y) + clip.height;
  const int64_t shadow_y = v.shadow ? l.shadow_y : 0;
  const int32_t first = int32_t(std::clamp<int64_t>(std::min(top - y, top - y - shadow_y), 0, h));
  const int32_t end = int32_t(std::clamp<int64_t>(std::max(bottom - y, bottom - y - shadow_y), 0, h));
  const std::vector<qmPoint> shape = in_image(l.fill, l);
  RowSpans spans, under;
  spans.reset(first, end);
  if (!polygon_spans(shape.data(), int32_t(shape.size()), filled, w, h, &spans)) return false;
  if (v.edge) {
    const std::vector<qmPoint> grown = in_image(l.grown, l);
    under.reset(first, end);
    if (!polygon_spans(grown.data(), int32_t(grown.size()), true, w, h, &under)) return false;
  }
  // Lowest first; the shadow is the edge (or the shape) moved.
  const RowSpans& below = v.edge ? under : spans;
  if (v.shadow) paint_spans(target, clip, below, x + l.shadow_x, y + l.shadow_y, v.shadow_rgb);
  if (v.edge) paint_spans(target, clip, below, x, y, v.edge_rgb);
  paint_spans(target, clip, spans, x, y, v.rgb);
  return true;
}

}  // namespace

void shape_ways_limit(ShapeWays ways) { g_ways = ways; }
ShapeWays shape_ways() { return g_ways; }

bool shape_direct_possible(const ShapeDesc& d) {
  const Derived v = derive(d, ShapeUse::Draw);
  return (v.fill == FILLNONE || v.fill == FILLCOLOR) && v.transparency == 0 &&
         !(v.edge && v.edge_transparency) && !(v.shadow && v.shadow_transparency);
}

int32_t shape_render_onto(const ShapeDesc& d, qmBitmap* target, const Rect& clip, int64_t ox, int64_t oy,
                          Rect* changed) {
  const Derived v = derive(d, ShapeUse::Draw);
  Layout l;
  if (int32_t err = lay_out(d, v, ShapeUse::Draw, 0, &l)) return err;
  const int64_t x = ox + l.image.x0, y = oy + l.image.y0;
  const bool line = d.geometry.type == OBJ_LINE;
  const bool filled = v.fill != FILLNONE && !line;
  *changed = rect_intersect(clip, Rect{int32_t(std::clamp<int64_t>(x, INT32_MIN / 2, INT32_MAX / 2)),
                                       int32_t(std::clamp<int64_t>(y, INT32_MIN / 2, INT32_MAX / 2)),
                                       int32_t(l.image.width()), int32_t(l.image.height())});
  if (paint_by_spans(d, v, l, target, clip, x, y)) return 0;
  Coverage c;
  if (int32_t err = c.make(l)) return err;
  // The shadow is the edge (or the shape) moved: one raster serves both.
  if (v.shadow || v.edge) {
    if (v.edge) cover_grown(c.r, d, v, l, true, 0, 0, v.aa);
    else cover(c.r, in_image(l.fill, l), false, true, 0, v.aa);
    if (v.shadow) compose_coverage(target, clip, c.r, x + l.shadow_x, y + l.shadow_y, v.shadow_rgb);
    if (v.edge) compose_coverage(target, clip, c.r, x, y, v.edge_rgb);
    if (v.edge) c.clear();
  }
  if (v.edge || !v.shadow) cover(c.r, in_image(l.fill, l), line, filled, filled ? 0 : v.line_width, v.aa);
  compose_coverage(target, clip, c.r, x, y, v.rgb);
  return 0;
}

int32_t shape_render_image(qmState* L, const ShapeDesc& d, ShapeUse use, int32_t grow, ShapeImage* out) {
  *out = ShapeImage{};
  const Derived v = derive(d, use);
  Layout l;
  if (int32_t err = lay_out(d, v, use, grow, &l)) return err;
  ShapeImage img;
  if (int32_t err = make_planes(v, l, use, &img)) return err;
  img.x = int32_t(std::clamp<int64_t>(l.image.x0, INT32_MIN, INT32_MAX));
  img.y = int32_t(std::clamp<int64_t>(l.image.y0, INT32_MIN, INT32_MAX));
  const bool line = d.geometry.type == OBJ_LINE;
  const bool filled = v.fill != FILLNONE && !line;
  qmBitmap* tex = nullptr;
  auto fail = [&](int32_t err) {
    qmos_free_bitmap(tex);
    img.release();
    return err;
  };
  if (use == ShapeUse::Border) {
    Coverage c;
    if (int32_t err = c.make(l)) return fail(err);
    cover_grown(c.r, d, v, l, filled, 0, 0, v.aa);
    plot(img, c.r, v.rgb, 0, nullptr, v.aa);
    *out = img;
    return 0;
  }
  if (int32_t err = make_texture(L, d, v, l, &tex)) return fail(err);
  if (v.aa && filled && use == ShapeUse::Draw) {
    if (int32_t err = merge_aa(d, v, l, img, tex)) return fail(err);
  } else {
    Coverage c;
    if (int32_t err = c.make(l)) return fail(err);
    // Lowest first: the shadow (of the edge when there is one), the edge, the shape.
    if (v.shadow) {
      if (v.edge) cover_grown(c.r, d, v, l, true, l.shadow_x, l.shadow_y, false);
      else cover(c.r, in_image(l.fill, l, l.shadow_x, l.shadow_y), false, true, 0, false);
      plot(img, c.r, v.shadow_rgb, v.shadow_transparency, nullptr, false);
      c.clear();
    }
    if (v.edge) {
      cover_grown(c.r, d, v, l, true, 0, 0, false);
      plot(img, c.r, v.edge_rgb, v.edge_transparency, nullptr, false);
      c.clear();
    }
    cover(c.r, in_image(l.fill, l), line, filled, filled ? 0 : v.line_width, v.aa);
    plot(img, c.r, v.rgb, v.transparency, tex, v.aa);
  }
  qmos_free_bitmap(tex);
  *out = img;
  return 0;
}

}  // namespace qm

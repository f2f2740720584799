// Transformed copies, pattern fills and shape composition.
#include "gfx/compose.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "engine/errcodes.h"
#include "engine/numconv.h"
#include "gfx/blitpixels.h"
#include "gfx/scale.h"
#include "gfx/shape.h"
#include "gfx/transform.h"

namespace qm {

namespace {

bool rect_inside(int32_t x, int32_t y, int32_t w, int32_t h, int32_t width, int32_t height) {
  return x >= 0 && y >= 0 && w >= 0 && h >= 0 && int64_t(x) + w <= width &&
         int64_t(y) + h <= height;
}

}  // namespace

int32_t bitmap_transform_new(const qmBitmap* source, const qmMask* source_mask,
                             const qmAlphaChannel* source_alpha, int32_t x, int32_t y, int32_t w,
                             int32_t h, const double* matrix, int32_t smooth, qmBitmap** out_bitmap,
                             qmMask** out_mask, qmAlphaChannel** out_alpha, int32_t* out_width,
                             int32_t* out_height) {
  if ((source && !rect_inside(x, y, w, h, source->width, source->height)) ||
      (source_mask && !rect_inside(x, y, w, h, source_mask->width, source_mask->height)) ||
      (source_alpha && !rect_inside(x, y, w, h, source_alpha->width, source_alpha->height)))
    return ERR_WRONGUSAGE;

  // 1. The new size. A singular or non-finite matrix has no extent and leaves a 1 x 1 result
  // that the resampler never draws into.
  int32_t nw = 0, nh = 0;
  double min_x = 0, min_y = 0;
  const bool finite = std::isfinite(matrix[0]) && std::isfinite(matrix[1]) &&
                      std::isfinite(matrix[2]) && std::isfinite(matrix[3]);
  if (finite) rect_transform_corners(matrix, w, h, &nw, &nh, &min_x, &min_y);
  nw = std::max(nw, 1);
  nh = std::max(nh, 1);

  // 2, 3. The new planes.
  qmBitmap* bitmap = nullptr;
  qmMask* mask = nullptr;
  qmAlphaChannel* alpha = nullptr;
  auto free_all = [&] {
    qmos_free_bitmap(bitmap);
    qmos_free_mask(mask);
    qmos_free_alpha(alpha);
  };
  if (source && (bitmap = qmos_alloc_bitmap(nw, nh)) == nullptr) return ERR_MEM;
  if (source_alpha) alpha = qmos_alloc_alpha(nw, nh, 1);
  else mask = qmos_alloc_mask(nw, nh, 1);
  if (!alpha && !mask) {
    free_all();
    return ERR_MEM;
  }

  // 4 to 7. The job.
  const double block[6] = {matrix[0], matrix[1], matrix[2], matrix[3], -min_x, -min_y};
  qmTransformJob job{};
  qmBitmapLock s{}, d{};
  if (source) {
    const bool ok = qmos_lock_bitmap(source, &s) && qmos_lock_bitmap(bitmap, &d);
    if (!ok || s.bytes_per_pixel != 4) {
      qmos_unlock_bitmap(&d);
      qmos_unlock_bitmap(&s);
      free_all();
      return ERR_LOCKBMAP;
    }
    job.source = s.pixels + ptrdiff_t(y) * s.pixels_per_row + x;
    job.dest = d.pixels;
    job.source_ppr = s.pixels_per_row;
    job.dest_ppr = d.pixels_per_row;
    job.format = s.format;
    job.bytes_per_pixel = s.bytes_per_pixel;
  }
  job.sx = x;
  job.sy = y;
  job.source_width = w;
  job.source_height = h;
  job.dest_width = nw;
  job.dest_height = nh;
  if (source_mask) {
    job.source_mask = source_mask->data + ptrdiff_t(y) * source_mask->bytes_per_row;
    job.source_mask_bpr = source_mask->bytes_per_row;
  }
  if (mask) {
    job.dest_mask = mask->data;
    job.dest_mask_bpr = mask->bytes_per_row;
  }
  if (source_alpha) {
    job.source_alpha = source_alpha->data + ptrdiff_t(y) * source_alpha->bytes_per_row + x;
    job.source_alpha_bpr = source_alpha->bytes_per_row;
    job.dest_alpha = alpha->data;
    job.dest_alpha_bpr = alpha->bytes_per_row;
  }
  job.transform = block;
  job.smooth = smooth;
  transform_pixels(job);
  qmos_unlock_bitmap(&d);
  qmos_unlock_bitmap(&s);

  // 8. The results.
  if (out_bitmap) *out_bitmap = bitmap;
  else qmos_free_bitmap(bitmap);
  if (out_mask) *out_mask = mask;
  else qmos_free_mask(mask);
  if (out_alpha) *out_alpha = alpha;
  else qmos_free_alpha(alpha);
  if (out_width) *out_width = nw;
  if (out_height) *out_height = nh;
  return 0;
}

void arc_points_float(const double* m, double pivot_x, double pivot_y, int32_t width,
                      int32_t height, qmPoint* points, int32_t count, int32_t normalise,
                      int32_t* out_min_x, int32_t* out_min_y, int32_t* out_width,
                      int32_t* out_height) {
  const int32_t px = to_i32(width * pivot_x), py = to_i32(height * pivot_y);
  int32_t lo_x = 100000, lo_y = 100000, hi_x = -100000, hi_y = -100000;
  for (int32_t i = 0; i < count; ++i) {
    const double u = double(points[i].x) - px, v = double(points[i].y) - py;
    points[i].x = int32_t(int64_t(to_i32(m[0] * u + m[2] * v)) + px);
    points[i].y = int32_t(int64_t(to_i32(m[1] * u + m[3] * v)) + py);
    lo_x = std::min(lo_x, points[i].x), hi_x = std::max(hi_x, points[i].x);
    lo_y = std::min(lo_y, points[i].y), hi_y = std::max(hi_y, points[i].y);
  }
  if (normalise) {
    for (int32_t i = 0; i < count; ++i) {
      points[i].x = int32_t(int64_t(points[i].x) - lo_x);
      points[i].y = int32_t(int64_t(points[i].y) - lo_y);
    }
  }
  if (out_min_x) *out_min_x = lo_x;
  if (out_min_y) *out_min_y = lo_y;
  if (out_width) *out_width = int32_t(int64_t(hi_x) - lo_x + 1);
  if (out_height) *out_height = int32_t(int64_t(hi_y) - lo_y + 1);
}

int32_t path_fill_pattern(qmState* state, qmBitmap* target, int32_t x, int32_t y, int32_t width,
                          int32_t height, const qmShapeStyle* style, const double* matrix) {
  qmBrushPlanes brush{};
  if (int32_t err = gfx_services().brush_find(state, style->texture_brush, &brush)) return err;
  if (brush.bitmap == nullptr) return 0;
  const qmBitmap* texture = brush.bitmap;
  qmBitmap* scaled = nullptr;
  int32_t tw = brush.width, th = brush.height;
  // Only the magnitudes of the diagonal count: a mirrored texture tiles unmirrored.
  if (matrix && !(std::fabs(matrix[0]) == 1.0 && std::fabs(matrix[3]) == 1.0)) {
    tw = to_i32(brush.width * std::fabs(matrix[0]));
    th = to_i32(brush.height * std::fabs(matrix[3]));
    if (tw < 1 || th < 1) return 0;
    const qmBlitOutput* out = blit_globals().current;
    const int32_t smooth = out ? out->smooth_scale : 0;
    if (int32_t err = bitmap_draw(brush.bitmap, nullptr, nullptr, 0, 0, nullptr, brush.width,
                                  brush.height, tw, th, smooth, &scaled, nullptr, nullptr))
      return err;
    texture = scaled;
  }
  texture_fill(target, x, y, width, height, texture, style->texture_x, style->texture_y, tw, th);
  qmos_free_bitmap(scaled);
  return 0;
}

void shape_fill_spans(int32_t left, int32_t top, int32_t width, int32_t height, qmBitmap* target,
                      const qmPoint* points, int32_t count, uint32_t colour, int32_t transparency,
                      int32_t mask_mode, int32_t filled, qmMask* target_mask,
                      qmAlphaChannel* target_alpha, const qmClipRegion* clip,
                      const qmBitmap* texture, const int32_t* line, int32_t line_width,
                      int32_t antialias, int32_t outline_width) {
  // 1. The pixel state; points outside every given plane are dropped.
  qmShapeState s{};
  int32_t tw = INT32_MAX, th = INT32_MAX;
  bool any = false;
  if (target_mask) {
    s.mask = target_mask->data;
    s.mask_bpr = target_mask->bytes_per_row;
    tw = std::min(tw, target_mask->width), th = std::min(th, target_mask->height), any = true;
  }
  if (target_alpha) {
    s.alpha = target_alpha->data;
    s.alpha_bpr = target_alpha->bytes_per_row;
    tw = std::min(tw, target_alpha->width), th = std::min(th, target_alpha->height), any = true;
  }
  qmBitmapLock t{}, tx{};
  if (target) {
    if (!qmos_lock_bitmap(target, &t)) return;
    s.pixels = t.pixels;
    s.ppr = t.pixels_per_row;
    s.bytes_per_pixel = t.bytes_per_pixel;
    s.format = t.format;
    s.colour = color_to_pixel_format(colour & 0xFFFFFF, t.format);
    tw = std::min(tw, t.width), th = std::min(th, t.height), any = true;
  }
  if (texture) {
    if (!qmos_lock_bitmap(texture, &tx)) {
      qmos_unlock_bitmap(&t);
      return;
    }
    s.texture = tx.pixels;
    s.texture_ppr = tx.pixels_per_row;
    // The texture is read at the target position: it bounds the drawing too.
    tw = std::min(tw, tx.width), th = std::min(th, tx.height);
  }
  s.width = any ? tw : 0;
  s.height = any ? th : 0;
  s.pen_width = 1;
  s.opacity = s.base_opacity = 255 - std::clamp(transparency, 0, 255);
  s.mask_mode = mask_mode;
  if (clip) {
    s.clip = 1;
    s.clip_x = clip->x;
    s.clip_y = clip->y;
    s.clip_width = clip->width;
    s.clip_height = clip->height;
    s.clip_mask = clip->mask ? clip->mask->data : nullptr;
    s.clip_mask_bpr = clip->mask_bpr;
  }
  auto unlock = [&] {
    qmos_unlock_bitmap(&tx);
    qmos_unlock_bitmap(&t);
  };

  // 2. A one-pixel line goes straight to the line routines.
  if (line && line_width == 1) {
    const int32_t x1 = left + line[0], y1 = top + line[1], x2 = left + line[2],
                  y2 = top + line[3];
    if (antialias) shape_aa_line(s, x1, y1, x2, y2);
    else shape_thick_line(s, x1, y1, x2, y2);
    unlock();
    return;
  }

  // 3, 4. Everything else through the coverage rasteriser and the span walker.
  qmGfxServices& sv = gfx_services();
  qmRaster r{};
  if (width < 1 || height < 1 || sv.raster_create(width, height, &r) != 0 || !r.coverage) {
    unlock();
    return;
  }
  if (line) sv.raster_fill_edges(&r, line[0], line[1], line[2], line[3], antialias, line_width);
  else if (points && count > 0)
    sv.raster_fill_polygon(&r, points, count, filled ? 0 : antialias, filled ? 0 : outline_width);
  shape_fill_coverage(s, r.coverage, width, height, r.bpr, left, top, antialias != 0);
  sv.raster_destroy(&r);
  unlock();
}

namespace {

// (x, y, w, h) cut to a width x height plane; false when nothing is left.
bool cut(int32_t& x, int32_t& y, int32_t& w, int32_t& h, int32_t width, int32_t height) {
  const int64_t x0 = std::max<int64_t>(x, 0), y0 = std::max<int64_t>(y, 0);
  const int64_t x1 = std::min<int64_t>(int64_t(x) + w, width);
  const int64_t y1 = std::min<int64_t>(int64_t(y) + h, height);
  if (x1 <= x0 || y1 <= y0) return false;
  x = int32_t(x0), y = int32_t(y0), w = int32_t(x1 - x0), h = int32_t(y1 - y0);
  return true;
}

}  // namespace

void rect_fill_parts(qmBitmap* bitmap, int32_t x, int32_t y, int32_t width, int32_t height,
                     qmMask* mask, qmAlphaChannel* alpha, uint32_t colour, int32_t transparency,
                     int32_t filled) {
  const uint8_t value = uint8_t(255 - std::clamp(transparency, 0, 255));
  auto bitmap_part = [&](int32_t px, int32_t py, int32_t pw, int32_t ph) {
    if (bitmap && cut(px, py, pw, ph, bitmap->width, bitmap->height))
      qmos_fill_bitmap_rect(bitmap, px, py, pw, ph, colour);
  };
  auto mask_part = [&](int32_t px, int32_t py, int32_t pw, int32_t ph) {
    if (mask && cut(px, py, pw, ph, mask->width, mask->height))
      qmos_mask_rect_op(mask, px, py, pw, ph, MASKVISIBLE);
  };
  auto alpha_part = [&](int32_t px, int32_t py, int32_t pw, int32_t ph) {
    if (alpha && cut(px, py, pw, ph, alpha->width, alpha->height))
      alpha_fill_rect(alpha, px, py, pw, ph, value);
  };
  if (filled) {
    bitmap_part(x, y, width, height);
    mask_part(x, y, width, height);
    alpha_part(x, y, width, height);
    return;
  }
  auto edges = [&](auto&& part) {
    part(x, y, 1, height);
    part(x, y, width, 1);
    part(x + width - 1, y, 1, height);
    part(x, y + height - 1, width, 1);
  };
  edges(bitmap_part);
  edges(mask_part);
  edges(alpha_part);
}

void shape_merge_alpha(const qmShapeMerge& m) {
  const int32_t shadow_op = 255 - m.shadow_transparency, edge_op = 255 - m.edge_transparency,
                fill_op = 255 - m.fill_transparency;
  // Colour (or the texture) through a plane read from its (0, 0), clipped to the target.
  auto draw = [&](const qmAlphaChannel* plane, int32_t pw, int32_t ph, int32_t px, int32_t py,
                  uint32_t colour, const qmBitmap* texture, int32_t mode, bool into_alpha,
                  int32_t level) {
    if (plane == nullptr || m.target == nullptr) return;
    bltalphachannel_clipped(plane, 0, 0, m.target, px, py, pw, ph, pw, ph, m.target_width,
                            m.target_height, colour, mode, into_alpha ? m.target_alpha : nullptr,
                            level, nullptr, 0, texture);
  };
  auto alpha = [&](const qmAlphaChannel* plane, int32_t pw, int32_t ph, int32_t px, int32_t py,
                   int32_t mode, int32_t intensity) {
    if (plane == nullptr || m.target_alpha == nullptr) return;
    alpha_copy_rect_clipped(plane, 0, 0, m.target_alpha, px, py, pw, ph, pw, ph, m.target_width,
                            m.target_height, mode, intensity);
  };
  auto into_alpha = [&](const qmAlphaChannel* plane, int32_t pw, int32_t ph, int32_t px,
                        int32_t py, int32_t transparency, int32_t opacity) {
    if (transparency) alpha(plane, pw, ph, px, py, 4, opacity);
    else alpha(plane, pw, ph, px, py, 1, 0);
  };
  const qmAlphaChannel* fill = m.fill;
  const int32_t fw = m.fill_width, fh = m.fill_height, ew = m.edge_width, eh = m.edge_height;
  auto fill_after_edge = [&] {
    const int32_t fx = m.fill_x, fy = m.fill_y;
    if (m.fill_transparency == 255) {
      alpha(fill, fw, fh, fx, fy, 2, 0);
    } else if (m.fill_transparency != 0) {
      alpha(fill, fw, fh, fx, fy, 2, 0);
      draw(fill, fw, fh, fx, fy, m.fill_colour, m.texture, 2, true, fill_op);
    } else if (m.edge_transparency == 0) {
      draw(fill, fw, fh, fx, fy, m.fill_colour, m.texture, 1, false, 0);
    } else {
      alpha(fill, fw, fh, fx, fy, 2, 0);
      draw(fill, fw, fh, fx, fy, m.fill_colour, m.texture, 2, true, 255);
    }
  };
  if (m.shadow && m.edge_on) {
    draw(m.edge, ew, eh, m.shadow_x, m.shadow_y, m.shadow_colour, nullptr, 0, false, 0);
    into_alpha(m.edge, ew, eh, m.shadow_x, m.shadow_y, m.shadow_transparency, shadow_op);
    draw(m.edge, ew, eh, m.object_x, m.object_y, m.edge_colour, nullptr, 2, true, edge_op);
    fill_after_edge();
  } else if (m.shadow) {
    draw(fill, fw, fh, m.shadow_x, m.shadow_y, m.shadow_colour, nullptr, 0, false, 0);
    into_alpha(fill, fw, fh, m.shadow_x, m.shadow_y, m.shadow_transparency, shadow_op);
    draw(fill, fw, fh, m.object_x, m.object_y, m.fill_colour, m.texture, 2, true, 255);
  } else if (m.edge_on) {
    draw(m.edge, ew, eh, m.object_x, m.object_y, m.edge_colour, nullptr, 0, false, 0);
    into_alpha(m.edge, ew, eh, m.object_x, m.object_y, m.edge_transparency, edge_op);
    fill_after_edge();
  } else {
    into_alpha(fill, fw, fh, m.object_x, m.object_y, m.fill_transparency, fill_op);
    draw(fill, fw, fh, m.object_x, m.object_y, m.fill_colour, m.texture, 0, false, 0);
  }
}

void shape_record_free(qmShapeRecord* shape) {
  if (shape == nullptr) return;
  std::free(shape->points);
  std::free(shape);
}

int32_t shape_insert_layer(qmState* state, int32_t type, const int32_t geometry[4],
                           const double* block, const qmDrawTags* tags, qmBitmap* bitmap,
                           qmMask* mask, qmAlphaChannel* alpha, const qmShapeRecord* shape,
                           int32_t insert_position, int32_t flags) {
  // A typed copy: the record holds a pointer, so its size is the host's, not a byte count.
  auto* copy = static_cast<qmShapeRecord*>(std::malloc(sizeof(qmShapeRecord)));
  bool ok = copy != nullptr;
  if (ok) {
    *copy = shape ? *shape : qmShapeRecord{};
    copy->points = nullptr;
    if (type == kShapePolygon && shape && shape->points && shape->count > 0) {
      const size_t bytes = sizeof(qmPoint) * size_t(shape->count);
      copy->points = static_cast<qmPoint*>(std::malloc(bytes));
      if (copy->points) std::memcpy(copy->points, shape->points, bytes);
      else ok = false;
    }
  }
  if (!ok) {
    shape_record_free(copy);
    qmos_free_bitmap(bitmap);
    qmos_free_mask(mask);
    qmos_free_alpha(alpha);
    return ERR_MEM;
  }
  return gfx_services().layer_new(state, type, nullptr, geometry, block, tags, bitmap, mask, alpha,
                                  copy, insert_position, flags);
}

}  // namespace qm

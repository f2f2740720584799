// Transformed copies, pattern fills, scan-converted shapes, the shape merge, the hand-over to
// the layers and the style rules, with a fake brush lookup, rasteriser and layer constructor.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <vector>

#include "engine/errcodes.h"
#include "gfx/blitpixels.h"
#include "gfx/compose.h"
#include "gfx_test_util.h"

namespace qm {
namespace {

using test::AlphaPtr;
using test::BitmapPtr;
using test::MaskPtr;

using test::tag;
BitmapPtr make_source(int32_t w, int32_t h) { return test::make_tagged(w, h); }

struct Transformed {
  int32_t result;
  BitmapPtr bitmap;
  MaskPtr mask;
  AlphaPtr alpha;
  int32_t w = -1, h = -1;
};

Transformed transform(const qmBitmap* b, const qmMask* m, const qmAlphaChannel* a, int32_t x,
                      int32_t y, int32_t w, int32_t h, const double* matrix, int32_t smooth = 0) {
  Transformed t;
  qmBitmap* ob = nullptr;
  qmMask* om = nullptr;
  qmAlphaChannel* oa = nullptr;
  t.result = bitmap_transform_new(b, m, a, x, y, w, h, matrix, smooth, &ob, &om, &oa, &t.w, &t.h);
  t.bitmap.reset(ob);
  t.mask.reset(om);
  t.alpha.reset(oa);
  return t;
}

TEST(Compose, TransformIdentityTurnAlphaOnlyAndSingular) {
  const double identity[4] = {1, 0, 0, 1};
  BitmapPtr src = make_source(12, 7);
  Transformed id = transform(src.get(), nullptr, nullptr, 1, 1, 10, 5, identity);
  ASSERT_EQ(id.result, 0);
  EXPECT_EQ(id.w, 10);
  EXPECT_EQ(id.h, 5);
  ASSERT_TRUE(id.bitmap && id.mask);
  EXPECT_FALSE(id.alpha);
  for (int32_t y = 0; y < 5; ++y)
    for (int32_t x = 0; x < 10; ++x) {
      ASSERT_EQ(*test::pixel(id.bitmap.get(), x, y), tag(x + 1, y + 1));
      ASSERT_EQ(qmos_read_pixel(id.mask.get(), x, y), 1u);  // made even without a source mask
    }

  // A quarter turn of a 4 x 11 source is 11 x 4 with (0, 0) at (10, 0).
  const double turn[4] = {0, 1, -1, 0};
  BitmapPtr tall = make_source(4, 11);
  Transformed q = transform(tall.get(), nullptr, nullptr, 0, 0, 4, 11, turn);
  ASSERT_EQ(q.result, 0);
  EXPECT_EQ(q.w, 11);
  EXPECT_EQ(q.h, 4);
  EXPECT_EQ(*test::pixel(q.bitmap.get(), 10, 0), tag(0, 0));
  EXPECT_EQ(*test::pixel(q.bitmap.get(), 0, 3), tag(3, 10));

  // Only an alpha plane: an alpha plane comes back, no bitmap and no mask.
  AlphaPtr a(qmos_alloc_alpha(6, 4, 1));
  for (int32_t i = 0; i < 4 * a->bytes_per_row; ++i) a->data[i] = uint8_t(i * 7);
  Transformed ao = transform(nullptr, nullptr, a.get(), 1, 1, 5, 3, identity);
  ASSERT_EQ(ao.result, 0);
  EXPECT_FALSE(ao.bitmap);
  EXPECT_FALSE(ao.mask);
  ASSERT_TRUE(ao.alpha);
  EXPECT_EQ(ao.alpha->data[0], a->data[a->bytes_per_row + 1]);
  EXPECT_EQ(ao.alpha->data[ao.alpha->bytes_per_row * 2 + 4], a->data[a->bytes_per_row * 3 + 5]);

  // A singular or non-finite matrix: a 1 x 1 result with nothing visible.
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double singular[][4] = {{0, 0, 0, 0}, {1, 2, 2, 4}, {nan, 0, 0, 1}, {1e308, 0, 0, 1e308}};
  for (const auto& m : singular) {
    Transformed s = transform(src.get(), nullptr, nullptr, 0, 0, 12, 7, m);
    ASSERT_EQ(s.result, 0) << m[0];
    for (int32_t y = 0; y < s.h; ++y)
      for (int32_t x = 0; x < s.w; ++x) ASSERT_EQ(qmos_read_pixel(s.mask.get(), x, y), 0u) << m[0];
  }
  Transformed nn = transform(src.get(), nullptr, nullptr, 0, 0, 12, 7, singular[2]);
  EXPECT_EQ(nn.w, 1);
  EXPECT_EQ(nn.h, 1);

  // A rectangle outside the source is refused and nothing is written.
  Transformed bad = transform(src.get(), nullptr, nullptr, 5, 0, 10, 5, identity);
  EXPECT_EQ(bad.result, ERR_WRONGUSAGE);
  EXPECT_EQ(bad.w, -1);
}

TEST(Compose, ArcPointsFloat) {
  const double turn[4] = {0, 1, -1, 0};
  qmPoint p[2] = {{0, 0}, {10, 10}};
  int32_t mx, my, w, h;
  arc_points_float(turn, 0.5, 0.5, 10, 10, p, 2, 0, &mx, &my, &w, &h);
  EXPECT_EQ(p[0].x, 10);
  EXPECT_EQ(p[0].y, 0);
  EXPECT_EQ(p[1].x, 0);
  EXPECT_EQ(p[1].y, 10);
  EXPECT_EQ(w, 11);
  // With normalising the minimum moves to 0.
  qmPoint n[1] = {{3, 4}};
  const double id[4] = {1, 0, 0, 1};
  arc_points_float(id, 0, 0, 1, 1, n, 1, 1, &mx, &my, nullptr, nullptr);
  EXPECT_EQ(mx, 3);
  EXPECT_EQ(n[0].x, 0);
  EXPECT_EQ(n[0].y, 0);
  // No points: the untouched seeds.
  arc_points_float(id, 0, 0, 1, 1, nullptr, 0, 0, &mx, &my, &w, &h);
  EXPECT_EQ(mx, 100000);
  EXPECT_EQ(my, 100000);
  EXPECT_EQ(w, -199999);
  EXPECT_EQ(h, -199999);
}

// --- fakes -----------------------------------------------------------------------------------

qmBitmap* g_brush = nullptr;
int32_t g_raster_calls = 0, g_polygon_aa = -1, g_polygon_outline = -1;

class ComposeServices : public ::testing::Test {
 protected:
  void SetUp() override {
    g_raster_calls = 0;
    g_polygon_aa = g_polygon_outline = -1;
    qmGfxServices& s = gfx_services();
    s.brush_find = [](qmState*, const ObjectId& id, qmBrushPlanes* out) {
      if (id.number != 5 || !g_brush) return ERR_FINDBRUSH;
      *out = {g_brush, nullptr, nullptr, g_brush->width, g_brush->height};
      return 0;
    };
    // A stub rasteriser: a polygon covers its bounding box fully.
    s.raster_create = [](int32_t w, int32_t h, qmRaster* r) {
      ++g_raster_calls;
      r->bpr = w;
      r->coverage = static_cast<uint8_t*>(std::calloc(size_t(w) * size_t(h), 1));
      r->handle = reinterpret_cast<void*>(intptr_t(h));
      return r->coverage ? 0 : -1;
    };
    s.raster_destroy = [](qmRaster* r) { std::free(r->coverage); };
    s.raster_fill_polygon = [](qmRaster* r, const qmPoint* p, int32_t n, int32_t aa,
                               int32_t outline) {
      g_polygon_aa = aa;
      g_polygon_outline = outline;
      int32_t x0 = p[0].x, x1 = p[0].x, y0 = p[0].y, y1 = p[0].y;
      for (int32_t i = 1; i < n; ++i)
        x0 = std::min(x0, p[i].x), x1 = std::max(x1, p[i].x), y0 = std::min(y0, p[i].y),
        y1 = std::max(y1, p[i].y);
      for (int32_t y = y0; y <= y1; ++y)
        for (int32_t x = x0; x <= x1; ++x) r->coverage[y * r->bpr + x] = 255;
    };
  }
  void TearDown() override {
    gfx_services_reset();
    blit_globals() = qmBlitGlobals{};
  }
};

TEST_F(ComposeServices, PathFillPatternScalesByTheDiagonalMagnitudes) {
  BitmapPtr brush = make_source(3, 2);
  g_brush = brush.get();
  qmShapeStyle style{};
  style.texture_brush.number = 5;
  BitmapPtr target(qmos_alloc_bitmap(12, 8));
  qmos_fill_bitmap_rect(target.get(), 0, 0, 12, 8, 0);
  // A mirrored doubling tiles the brush at twice its size, unmirrored.
  const double m[4] = {-2, 0.3, 0.7, 2};
  ASSERT_EQ(path_fill_pattern(nullptr, target.get(), 0, 0, 12, 8, &style, m), 0);
  for (int32_t y = 0; y < 8; ++y)
    for (int32_t x = 0; x < 12; ++x)
      ASSERT_EQ(*test::pixel(target.get(), x, y), tag((x / 2) % 3, (y / 2) % 2)) << x << "," << y;
  // Without a matrix the offsets shift the pattern.
  style.texture_x = 1;
  ASSERT_EQ(path_fill_pattern(nullptr, target.get(), 0, 0, 12, 8, &style, nullptr), 0);
  EXPECT_EQ(*test::pixel(target.get(), 0, 0), tag(1, 0));
  // A scale below one pixel draws nothing; an unknown brush is the lookup's error.
  qmos_fill_bitmap_rect(target.get(), 0, 0, 12, 8, 0);
  const double tiny[4] = {0.1, 0, 0, 1};
  EXPECT_EQ(path_fill_pattern(nullptr, target.get(), 0, 0, 12, 8, &style, tiny), 0);
  EXPECT_EQ(*test::pixel(target.get(), 0, 0), 0u);
  style.texture_brush.number = 6;
  EXPECT_EQ(path_fill_pattern(nullptr, target.get(), 0, 0, 12, 8, &style, nullptr), ERR_FINDBRUSH);
  g_brush = nullptr;
}

TEST_F(ComposeServices, ShapeFillSpansThroughTheRasteriser) {
  BitmapPtr target(qmos_alloc_bitmap(8, 8));
  qmos_fill_bitmap_rect(target.get(), 0, 0, 8, 8, 0);
  MaskPtr mask(qmos_alloc_mask(8, 8, 1));
  AlphaPtr alpha(qmos_alloc_alpha(8, 8, 1));
  // A 4 x 4 box at (6, 2): only columns 6 and 7 lie on the target; the rest is dropped.
  const qmPoint box[4] = {{0, 0}, {3, 0}, {3, 3}, {0, 3}};
  shape_fill_spans(6, 2, 4, 4, target.get(), box, 4, 0x112233, 55, MASKVISIBLE, 1, mask.get(),
                   alpha.get(), nullptr, nullptr, nullptr, 0, 1, 2);
  EXPECT_EQ(g_polygon_aa, 0);  // a filled shape: anti-alias and outline are not handed on
  EXPECT_EQ(g_polygon_outline, 0);
  for (int32_t y = 0; y < 8; ++y)
    for (int32_t x = 0; x < 8; ++x) {
      const bool in = x >= 6 && y >= 2 && y < 6;
      ASSERT_EQ(qmos_read_pixel(target.get(), x, y), in ? 0x112233u : 0u) << x << "," << y;
      ASSERT_EQ(qmos_read_pixel(mask.get(), x, y), in ? 1u : 0u);
      // Anti-aliased: full coverage gives the base opacity 200.
      ASSERT_EQ(alpha->data[y * alpha->bytes_per_row + x], in ? 200 : 0);
    }
  // An outline hands anti-alias and width on.
  shape_fill_spans(0, 0, 4, 4, target.get(), box, 4, 0, 0, MASKVISIBLE, 0, nullptr, nullptr,
                   nullptr, nullptr, nullptr, 0, 1, 2);
  EXPECT_EQ(g_polygon_aa, 1);
  EXPECT_EQ(g_polygon_outline, 2);
  // A one-pixel line needs no raster.
  g_raster_calls = 0;
  const int32_t line[4] = {0, 7, 7, 7};
  shape_fill_spans(0, 0, 8, 8, target.get(), nullptr, 0, 0xFFFFFF, 0, MASKVISIBLE, 0, nullptr,
                   nullptr, nullptr, nullptr, line, 1, 0, 0);
  EXPECT_EQ(g_raster_calls, 0);
  EXPECT_EQ(qmos_read_pixel(target.get(), 3, 7), 0xFFFFFFu);
}

TEST(Compose, RectFillParts) {
  BitmapPtr b(qmos_alloc_bitmap(6, 5));
  MaskPtr m(qmos_alloc_mask(6, 5, 1));
  AlphaPtr a(qmos_alloc_alpha(6, 5, 1));
  qmos_fill_bitmap_rect(b.get(), 0, 0, 6, 5, 0);
  rect_fill_parts(b.get(), 1, 1, 4, 3, m.get(), a.get(), 0xABCDEF, 55, 0);
  for (int32_t y = 0; y < 5; ++y)
    for (int32_t x = 0; x < 6; ++x) {
      const bool edge = x >= 1 && x <= 4 && y >= 1 && y <= 3 && (x == 1 || x == 4 || y == 1 || y == 3);
      EXPECT_EQ(qmos_read_pixel(b.get(), x, y), edge ? 0xABCDEFu : 0u) << x << "," << y;
      EXPECT_EQ(qmos_read_pixel(m.get(), x, y), edge ? 1u : 0u);
      EXPECT_EQ(a->data[y * a->bytes_per_row + x], edge ? 200 : 0);
    }
  // Filled, and reaching past the planes: cut to them.
  rect_fill_parts(b.get(), 3, 3, 10, 10, m.get(), a.get(), 0x010203, 0, 1);
  EXPECT_EQ(qmos_read_pixel(b.get(), 5, 4), 0x010203u);
  EXPECT_EQ(a->data[4 * a->bytes_per_row + 5], 255);
  // A 1 x 1 outline is one pixel.
  rect_fill_parts(b.get(), 0, 0, 1, 1, nullptr, nullptr, 0x0F0F0F, 0, 0);
  EXPECT_EQ(qmos_read_pixel(b.get(), 0, 0), 0x0F0F0Fu);
  EXPECT_EQ(qmos_read_pixel(b.get(), 1, 0), 0u);
}

// One row of four pixels, grey levels only: target 64 everywhere, alpha 0, fill plane
// {0, 64, 200, 255}, edge plane {255, 128, 0, 0}; fill colour 200, edge 100, shadow 0; the
// shadow falls one pixel to the right. Expected values worked out from the blend
// c + (((n - c) * a) >> 8) and the alpha copy and combine modes.
TEST(Compose, ShapeMergeAlphaGoldenValues) {
  struct Case {
    const char* name;
    int32_t shadow, edge, shadow_tr, edge_tr, fill_tr;
    int want_pixels[4];
    int want_alpha[4];
  } cases[] = {
      {"neither, opaque", 0, 0, 0, 0, 0, {64, 200, 200, 200}, {0, 64, 200, 255}},
      {"neither, fill transparency 55", 0, 0, 0, 0, 55, {64, 200, 200, 200}, {0, 50, 156, 200}},
      {"edge, all opaque", 0, 1, 0, 0, 0, {100, 125, 170, 200}, {255, 128, 0, 0}},
      {"edge 55, fill 100", 0, 1, 0, 55, 100, {100, 125, 170, 200}, {200, 96, 102, 155}},
      {"shadow without edge", 1, 0, 0, 0, 0, {64, 200, 156, 199}, {0, 64, 170, 254}},
      {"shadow and edge", 1, 1, 0, 0, 0, {100, 87, 156, 200}, {255, 191, 128, 0}},
  };
  const uint8_t fill_v[4] = {0, 64, 200, 255}, edge_v[4] = {255, 128, 0, 0};
  AlphaPtr fill(qmos_alloc_alpha(4, 1, 1)), edge(qmos_alloc_alpha(4, 1, 1));
  for (int i = 0; i < 4; ++i) fill->data[i] = fill_v[i], edge->data[i] = edge_v[i];
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    BitmapPtr target(qmos_alloc_bitmap(4, 1));
    qmos_fill_bitmap_rect(target.get(), 0, 0, 4, 1, 0x404040);
    AlphaPtr ta(qmos_alloc_alpha(4, 1, 1));
    qmShapeMerge m{};
    m.fill = fill.get();
    m.edge = edge.get();
    m.target = target.get();
    m.target_alpha = ta.get();
    m.shadow = c.shadow;
    m.edge_on = c.edge;
    m.shadow_x = 1;
    m.edge_width = m.fill_width = m.target_width = 4;
    m.edge_height = m.fill_height = m.target_height = 1;
    m.fill_colour = 0xC8C8C8;
    m.edge_colour = 0x646464;
    m.shadow_colour = 0;
    m.shadow_transparency = c.shadow_tr;
    m.edge_transparency = c.edge_tr;
    m.fill_transparency = c.fill_tr;
    shape_merge_alpha(m);
    for (int i = 0; i < 4; ++i) {
      const uint32_t p = qmos_read_pixel(target.get(), i, 0);
      EXPECT_EQ(p, uint32_t(c.want_pixels[i]) * 0x010101u) << i;
      EXPECT_EQ(ta->data[i], c.want_alpha[i]) << i;
    }
  }
}

qmShapeRecord* g_layer_shape = nullptr;

TEST_F(ComposeServices, InsertLayerCopiesTheRecordTyped) {
  static int32_t got_type, got_insert;
  gfx_services().layer_new = [](qmState*, int32_t type, const char* name, const int32_t*,
                                const double*, const qmDrawTags*, qmBitmap* b, qmMask* m,
                                qmAlphaChannel* a, qmShapeRecord* shape, int32_t insert,
                                int32_t) {
    EXPECT_EQ(name, nullptr);
    got_type = type;
    got_insert = insert;
    g_layer_shape = shape;
    qmos_free_bitmap(b);
    qmos_free_mask(m);
    qmos_free_alpha(a);
    return 0;
  };
  qmPoint pts[3] = {{1, 2}, {3, 4}, {5, 6}};
  qmShapeRecord shape{};
  shape.tags.edge = 1;
  shape.tags.edge_colour = 0x123456;
  shape.points = pts;
  shape.count = 3;
  const int32_t geometry[4] = {0, 0, 6, 7};
  for (int32_t type : {kShapePolygon, 26}) {
    SCOPED_TRACE(type);
    ASSERT_EQ(shape_insert_layer(nullptr, type, geometry, nullptr, &shape.tags,
                                 qmos_alloc_bitmap(2, 2), nullptr, qmos_alloc_alpha(2, 2, 1),
                                 &shape, -1, 0),
              0);
    ASSERT_NE(g_layer_shape, &shape);
    EXPECT_EQ(got_type, type);
    EXPECT_EQ(got_insert, -1);
    EXPECT_EQ(g_layer_shape->tags.edge_colour, 0x123456u);
    EXPECT_EQ(g_layer_shape->count, 3);
    if (type == kShapePolygon) {
      ASSERT_NE(g_layer_shape->points, nullptr);
      EXPECT_NE(g_layer_shape->points, pts);
      EXPECT_EQ(g_layer_shape->points[2].y, 6);
    } else {
      EXPECT_EQ(g_layer_shape->points, nullptr);
    }
    shape_record_free(g_layer_shape);
  }
}

TEST(Compose, StyleRules) {
  int32_t l, t, r, b;
  anchor_offset(5, SHDWSOUTHEAST, &l, &t, &r, &b);
  EXPECT_EQ((std::vector<int32_t>{l, t, r, b}), (std::vector<int32_t>{0, 0, 5, 5}));
  anchor_offset(5, SHDWNORTHWEST, &l, &t, &r, &b);
  EXPECT_EQ((std::vector<int32_t>{l, t, r, b}), (std::vector<int32_t>{5, 5, 0, 0}));
  anchor_offset(5, 8, &l, &t, &r, &b);
  EXPECT_EQ((std::vector<int32_t>{l, t, r, b}), (std::vector<int32_t>{0, 0, 0, 0}));
  int32_t w = 10, h = 10;
  anchor_adjust_xy(SHDWNORTH, 5, &w, &h);
  EXPECT_EQ(w, 10);
  EXPECT_EQ(h, 15);
  anchor_adjust_xy(SHDWEAST, 5, &w, &h);
  EXPECT_EQ(w, 15);
  EXPECT_EQ(h, 15);
  anchor_adjust_xy(9, 5, &w, &h);
  EXPECT_EQ(w, 15);

  qmShapeStyle s{};
  s.fill_style = 7;
  s.effects = {100, 0, 0, 9, 0, 0};
  style_fix_counts(&s);
  EXPECT_EQ(s.effects.edge_size, 64);
  EXPECT_EQ(s.effects.shadow_size, 1);
  EXPECT_EQ(s.effects.shadow_direction, SHDWSOUTHEAST);
  EXPECT_EQ(s.effects.line_width, 1);
  EXPECT_EQ(s.fill_style, FILLNONE);

  int32_t corners[4] = {-5, 150, 0, 100};
  corners_clamp(corners);
  EXPECT_EQ((std::vector<int32_t>(corners, corners + 4)), (std::vector<int32_t>{0, 100, 0, 100}));

  // Edge and shadow move into the tags; a wide unfilled outline becomes an edge of half its
  // width in the drawing colour; the colour's top byte becomes the colour alpha.
  qmShapeStyle p{};
  p.fill_style = FILLNONE;
  p.effect_flags = STYLE_EDGE | STYLE_SHADOW;
  p.effects = {3, 0x0000FF, 4, SHDWSOUTH, 0x00FF00, 5};
  qmDrawTags tags{};
  uint32_t colour = 0x80FF0000;
  drawtags_path_flags(&p, &tags, &colour);
  EXPECT_EQ(p.effect_flags, 0);
  EXPECT_EQ(tags.shadow, 1);
  EXPECT_EQ(tags.shadow_colour, 0x00FF00u);
  EXPECT_EQ(tags.shadow_direction, SHDWSOUTH);
  EXPECT_EQ(tags.edge, 1);
  EXPECT_EQ(tags.edge_colour, 0xFF0000u);
  EXPECT_EQ(tags.edge_size, 2);
  EXPECT_EQ(p.effects.line_width, 1);
  EXPECT_EQ(tags.colour_alpha, 0x80);
  EXPECT_EQ(colour, 0xFF0000u);
  EXPECT_EQ(tags.effects, 1);
}

}  // namespace
}  // namespace qm

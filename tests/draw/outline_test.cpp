// Outline geometry and the renderer's image layout: corner radii, arc steps, exact small arcs,
// arcs in both directions, shadow growth, unfilled shapes, and the edge of polygons.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "draw/draw.h"
#include "draw/outline.h"
#include "draw/shape.h"
#include "gfx/bitmap.h"
#include "runtime/registry.h"

namespace qm {
namespace {

TEST(Outline, BoxCornerRadii) {
  struct Case {
    int32_t w, h, corners[4], radii[4];
  } cases[] = {
      {10, 40, {100, 100, 100, 100}, {5, 5, 5, 5}},
      {400, 400, {50, 0, 0, 0}, {100, 2, 2, 2}},
      {150, 150, {0, 0, 0, 50}, {0, 0, 0, 37}},  // a zero corner stays 0 below 100 pixels of half size
      {7, 7, {200, -5, 30, 0}, {3, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    int32_t r[4];
    box_corner_radii(c.w, c.h, c.corners, r);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(r[i], c.radii[i]) << c.w << "x" << c.h << " corner " << i;
  }
  ShapeGeometry g;
  g.type = OBJ_BOX, g.width = 6, g.height = 4;
  Outline out;
  ASSERT_TRUE(shape_outline_points(g, OutlineTransform{}, 0, &out, nullptr));
  EXPECT_EQ(out, (Outline{{0, 0}, {5, 0}, {5, 3}, {0, 3}, {0, 0}}));
}

TEST(Outline, ArcStepsByRadius) {
  const int32_t cases[][2] = {{1, 90}, {2, 90}, {3, 30}, {9, 30}, {10, 18}, {14, 18}, {15, 5}, {300, 5}};
  for (const auto& c : cases) EXPECT_EQ(arc_step(c[0]), c[1]) << c[0];
}

// Small round shapes by their exact points: radius 2 is a diamond of right-angle steps, radius 3
// runs in 30-degree steps, anticlockwise from the right, halves rounding up.
TEST(Outline, SmallCirclesExactly) {
  ShapeGeometry g;
  g.type = OBJ_CIRCLE, g.width = g.height = 5;
  Outline out;
  ASSERT_TRUE(shape_outline_points(g, OutlineTransform{}, 0, &out, nullptr));
  EXPECT_EQ(out, (Outline{{4, 2}, {2, 0}, {0, 2}, {2, 4}, {4, 2}}));
  g.width = g.height = 7;
  ASSERT_TRUE(shape_outline_points(g, OutlineTransform{}, 0, &out, nullptr));
  EXPECT_EQ(out, (Outline{{6, 3}, {6, 2}, {5, 0}, {3, 0}, {2, 0}, {0, 2}, {0, 3}, {0, 5}, {2, 6}, {3, 6},
                          {5, 6}, {6, 5}, {6, 3}}));
  // An edge of 2 grows the radius to 5 about the same middle.
  g.width = g.height = 5;
  OutlineBox box;
  ASSERT_TRUE(shape_outline_points(g, OutlineTransform{}, 2, &out, &box));
  EXPECT_EQ(box.x0, -2);
  EXPECT_EQ(box.x1, 6);
  EXPECT_EQ(out.front(), (OutlinePoint{6, 2}));
}

// Renders a shape by itself as a layer's content would be: its box, no margins.
struct Rendered {
  ShapeImage img;
  explicit Rendered(const ShapeDesc& d, ShapeUse use = ShapeUse::Content) {
    EXPECT_EQ(shape_render_image(nullptr, d, use, 0, &img), 0);
  }
  ~Rendered() { img.release(); }
  bool solid(int32_t x, int32_t y) const {
    if (x < 0 || y < 0 || x >= img.width || y >= img.height) return false;
    if (img.mask) return mask_bit(img.mask->data + size_t(y) * size_t(img.mask->bytes_per_row), x);
    return img.alpha->data[size_t(y) * size_t(img.alpha->bytes_per_row) + size_t(x)] != 0;
  }
  uint32_t pixel(int32_t x, int32_t y) const { return qmos_read_pixel(img.bitmap, x, y); }
};

ShapeDesc filled(int32_t type, int32_t w, int32_t h) {
  ShapeDesc d;
  d.geometry.type = type;
  d.geometry.width = w, d.geometry.height = h;
  d.style = draw_style_defaults();
  d.style.draw.fill_style = FILLCOLOR;
  d.colour = 0xFF0000;
  return d;
}

// An arc and the same arc the other way round cover the whole ellipse between them and share only
// the pixels along their two radii.
TEST(Outline, ArcsBothWaysAreComplementary) {
  for (const auto& [start, end] : {std::pair{0, 90}, {30, 200}, {300, 45}}) {
    ShapeDesc a = filled(OBJ_ARC, 41, 31);
    a.geometry.start_angle = start, a.geometry.end_angle = end;
    ShapeDesc b = a;
    b.geometry.clockwise = 1;
    const Rendered ra(a), rb(b), whole(filled(OBJ_ELLIPSE, 41, 31));
    const double cx = 20, cy = 15;
    const double pi = std::acos(-1.0);
    for (int32_t y = 0; y < 31; ++y)
      for (int32_t x = 0; x < 41; ++x) {
        ASSERT_EQ(ra.solid(x, y) || rb.solid(x, y), whole.solid(x, y)) << x << "," << y;
        if (!(ra.solid(x, y) && rb.solid(x, y))) continue;
        // Shared pixels lie on one of the radii at the start and end angles.
        double best = 1e9;
        for (int32_t angle : {start, end}) {
          const double ux = 20 * std::cos(angle * pi / 180), uy = 15 * std::sin(angle * pi / 180);
          const double len = std::hypot(ux, uy), t = std::clamp(((x - cx) * ux + (y - cy) * uy) / (len * len), 0.0, 1.0);
          best = std::min(best, std::hypot(x - cx - t * ux, y - cy - t * uy));
        }
        EXPECT_LE(best, 1.5) << start << ".." << end << " at " << x << "," << y;
      }
  }
}

TEST(Outline, ShadowGrowsTheImageAwayFromTheShape) {
  ShapeDesc d = filled(OBJ_BOX, 10, 10);
  d.style.draw.form_style = FORM_SHADOW;
  d.style.effects.shadow_size = 4;
  d.style.effects.shadow_direction = SHDWSOUTHEAST;
  d.style.effects.shadow_colour = 0x0000FF;
  {
    const Rendered r(d, ShapeUse::Draw);
    EXPECT_EQ(r.img.width, 14);
    EXPECT_EQ(r.img.height, 14);
    EXPECT_EQ(r.img.x, 0);
    EXPECT_EQ(r.img.y, 0);
    EXPECT_EQ(r.pixel(0, 0), 0xFF0000u);
    EXPECT_EQ(r.pixel(13, 13), 0x0000FFu);
    EXPECT_FALSE(r.solid(13, 0));
  }
  d.style.effects.shadow_direction = SHDWNORTHWEST;
  const Rendered up(d, ShapeUse::Draw);
  EXPECT_EQ(up.img.x, -4);
  EXPECT_EQ(up.img.y, -4);
  EXPECT_EQ(up.pixel(0, 0), 0x0000FFu);
  EXPECT_EQ(up.pixel(13, 13), 0xFF0000u);
}

TEST(Outline, UnfilledShapesHaveNoEdgeOrShadow) {
  ShapeDesc d = filled(OBJ_BOX, 10, 10);
  d.style.draw.fill_style = FILLNONE;
  d.style.draw.form_style = FORM_SHADOW | FORM_EDGE;
  const Rendered r(d, ShapeUse::Draw);
  EXPECT_EQ(r.img.width, 10);
  EXPECT_EQ(r.img.height, 10);
  EXPECT_TRUE(r.solid(0, 5));
  EXPECT_FALSE(r.solid(5, 5));
  for (int32_t y = 0; y < 10; ++y)
    for (int32_t x = 0; x < 10; ++x)
      if (r.solid(x, y)) {
        EXPECT_EQ(r.pixel(x, y), 0xFF0000u);
      }
}

TEST(Outline, StyleNormalisation) {
  struct Case {
    int32_t line, shadow, edge, direction, fill;
    int32_t want_line, want_shadow, want_edge, want_direction, want_fill;
  } cases[] = {
      {0, 0, 0, -1, -1, 1, 1, 1, 3, 0},
      {5, 200, 65, 9, 4, 5, 64, 64, 3, 0},
      {-3, 64, 1, 7, 3, 1, 64, 1, 7, 3},
  };
  for (const Case& c : cases) {
    qmDrawStyle s = draw_style_defaults();
    s.effects.line_width = c.line, s.effects.shadow_size = c.shadow, s.effects.edge_size = c.edge;
    s.effects.shadow_direction = c.direction, s.draw.fill_style = c.fill;
    draw_style_normalise(&s);
    EXPECT_EQ(s.effects.line_width, c.want_line);
    EXPECT_EQ(s.effects.shadow_size, c.want_shadow);
    EXPECT_EQ(s.effects.edge_size, c.want_edge);
    EXPECT_EQ(s.effects.shadow_direction, c.want_direction);
    EXPECT_EQ(s.draw.fill_style, c.want_fill);
  }
}

// The edge of a polygon, for convex, concave and star shapes in both orders and for degenerate
// ones: it holds every point within the edge size of the fill (less a pixel), reaches no further
// than the edge size (plus a pixel), and fits the image that the edge size grows.
TEST(Outline, PolygonEdgeEnclosesTheFill) {
  const std::vector<std::vector<LayerVertex>> shapes = {
      {{0, 0}, {30, 0}, {30, 20}, {0, 20}},                               // convex
      {{0, 0}, {30, 0}, {30, 30}, {15, 8}, {0, 30}},                       // concave
      {{20, 0}, {26, 36}, {0, 12}, {40, 12}, {14, 36}},                    // star
      {{0, 0}, {0, 0}, {10, 0}, {20, 0}, {20, 10}, {20, 10}, {0, 10}},     // duplicate and collinear
      {{0, 0}, {10, 5}, {20, 10}},                                         // no area
      {{0, 0}, {40, 1}, {0, 2}},                                           // a sharp spike
  };
  for (int32_t e : {1, 4, 9}) {
    for (size_t i = 0; i < shapes.size(); ++i) {
      for (bool reversed : {false, true}) {
        std::vector<LayerVertex> v = shapes[i];
        if (reversed) std::reverse(v.begin(), v.end());
        v.push_back(v.front());
        double w = 0, h = 0;
        for (const LayerVertex& p : v) w = std::max(w, p.x), h = std::max(h, p.y);
        ShapeDesc d = filled(OBJ_POLYGON, int32_t(w) + 1, int32_t(h) + 1);
        d.geometry.vertices = &v;
        d.style.draw.form_style = FORM_EDGE;
        d.style.effects.edge_size = e;
        d.style.effects.edge_colour = 0x00FF00;
        const Rendered r(d, ShapeUse::Draw);
        SCOPED_TRACE(testing::Message() << "shape " << i << (reversed ? " reversed" : "") << " edge " << e);
        EXPECT_EQ(r.img.x, -e);
        EXPECT_EQ(r.img.y, -e);
        EXPECT_EQ(r.img.width, int32_t(w) + 1 + 2 * e);
        EXPECT_EQ(r.img.height, int32_t(h) + 1 + 2 * e);
        std::vector<std::pair<int32_t, int32_t>> fill;
        for (int32_t y = 0; y < r.img.height; ++y)
          for (int32_t x = 0; x < r.img.width; ++x)
            if (r.solid(x, y) && r.pixel(x, y) == 0xFF0000) fill.push_back({x, y});
        ASSERT_FALSE(fill.empty());
        for (int32_t y = 0; y < r.img.height; ++y)
          for (int32_t x = 0; x < r.img.width; ++x) {
            double nearest = 1e9;
            for (const auto& [fx, fy] : fill) nearest = std::min(nearest, std::hypot(x - fx, y - fy));
            if (nearest <= e - 1) {
              EXPECT_TRUE(r.solid(x, y)) << "gap at " << x << "," << y;
            }
            if (r.solid(x, y)) {
              EXPECT_LE(nearest, e + 1.0) << "spike at " << x << "," << y;
            }
          }
      }
    }
  }
}

}  // namespace
}  // namespace qm

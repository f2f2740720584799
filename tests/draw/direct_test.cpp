// Opaque shapes of plain colours skip the shape image: boxes are rectangle fills, and other shapes
// without anti-aliasing go on as row spans worked out without a raster. Both must give the very
// pixels of the general way (the shape image blitted under the drawing rules), and of the coverage
// rasters, on every output: the display and its window, the double buffer after Flip, a clip
// region, a brush, a brush keeping its mask, and a brush's mask and alpha channel as targets.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "display/snapshot.h"
#include "draw/draw.h"
#include "draw/raster.h"
#include "draw/shape.h"
#include "draw/spans.h"
#include "gfx/bitmap.h"
#include "tests/display/display_harness.h"

namespace {

using namespace qm;

// The spans against the raster for polygons of every kind: random ones (crossing themselves,
// with repeated points and flat edges), filled and outlined, all rows or a band of them.
TEST(Spans, GiveTheRastersPixels) {
  uint32_t seed = 12345;
  auto next = [&](uint32_t n) {
    seed = seed * 1103515245u + 12345u;
    return int32_t((seed >> 8) % n);
  };
  for (int32_t t = 0; t < 3000; ++t) {
    const int32_t w = 1 + next(t < 2500 ? 40 : 700), h = 1 + next(t < 2500 ? 40 : 700);
    const int32_t n = 1 + next(t < 2500 ? 10 : 120);
    std::vector<qmPoint> p;
    for (int32_t i = 0; i < n; ++i) p.push_back({next(uint32_t(w)), next(uint32_t(h))});
    const bool fill = next(2) == 0;
    const int32_t first = next(3) == 0 ? next(uint32_t(h)) : 0;
    const int32_t end = next(3) == 0 ? next(uint32_t(h) + 1) : h;
    qmRaster r{};
    ASSERT_EQ(raster_create(w, h, &r), 0);
    raster_fill_polygon(&r, p.data(), n, 0, fill ? 0 : 1);
    RowSpans s;
    s.reset(first, end);
    ASSERT_TRUE(polygon_spans(p.data(), n, fill, w, h, &s));
    std::vector<uint8_t> got(size_t(r.bpr) * size_t(h));
    auto put = [&](int32_t y, int32_t x0, int32_t x1) {
      ASSERT_TRUE(y >= first && y < end && x0 >= 0 && x1 < w) << y << " " << x0 << ".." << x1;
      std::memset(&got[size_t(y) * size_t(r.bpr) + size_t(x0)], 255, size_t(x1 - x0 + 1));
    };
    for (int32_t y = s.first; y < s.end; ++y)
      if (s.lo[size_t(y - s.first)] <= s.hi[size_t(y - s.first)])
        put(y, s.lo[size_t(y - s.first)], s.hi[size_t(y - s.first)]);
    for (const RowSpan& a : s.apart) put(a.y, a.x0, a.x1);
    for (int32_t y = 0; y < h; ++y)
      for (int32_t x = 0; x < w; ++x) {
        const uint8_t want =
            y >= first && y < end ? r.coverage[size_t(y) * size_t(r.bpr) + size_t(x)] : 0;
        ASSERT_EQ(got[size_t(y) * size_t(r.bpr) + size_t(x)], want)
            << "case " << t << " (" << n << " points, " << (fill ? "filled" : "outline") << ") at "
            << x << "," << y;
      }
    raster_destroy(&r);
  }
}

TEST(Spans, RefuseAPointOutsideTheRaster) {
  const qmPoint p[3] = {{0, 0}, {10, 0}, {5, 10}};
  RowSpans s;
  s.reset(0, 10);
  EXPECT_FALSE(polygon_spans(p, 3, true, 10, 11, &s));
  EXPECT_TRUE(s.apart.empty());
  for (size_t i = 0; i < s.lo.size(); ++i) EXPECT_GT(s.lo[i], s.hi[i]);
}

// One drawing: the style commands, then the shape command with number arguments (and a vertex
// table at position 3 for a polygon).
struct Case {
  const char* name;
  std::vector<std::vector<double>> style;  // SetFillStyle, then SetFormStyle calls
  const char* command;
  std::vector<double> args;
};

std::vector<double> star(int32_t points, double outer, double inner) {
  std::vector<double> xy;
  for (int32_t i = 0; i < 2 * points; ++i) {
    const double r = i % 2 ? inner : outer, a = M_PI * i / points;
    xy.push_back(std::round(outer + r * std::cos(a)));
    xy.push_back(std::round(outer + r * std::sin(a)));
  }
  return xy;
}

const std::vector<double> kFilled{1}, kNone{0}, kWide{0, 3};
const std::vector<double> kEdge{64, 0x00FF80, 4}, kShadow{32, 0x808080, 6, 3},
    kShadowNW{32, 0x404040, 5, 7};

std::vector<Case> cases() {
  std::vector<Case> c;
  // Radii from the smallest outline steps to the largest, at places on, across and off the edges.
  for (double r : {1.0, 2.0, 3.0, 9.0, 14.0, 15.0, 37.0, 130.0})
    for (const auto& [x, y] :
         {std::pair{40.0, 30.0}, {-r / 2, 5.0}, {250.0, 200.0}, {-3 * r, -3 * r}})
      c.push_back({"circle", {kFilled}, "circle", {x, y, r, double(0xFF0000)}});
  c.push_back({"ellipse", {kFilled}, "ellipse", {20, 15, 80, 9, double(0x0000FF)}});
  c.push_back({"turned ellipse", {kFilled}, "ellipse", {60, 40, 70, 25, double(0x0000FF), 33}});
  c.push_back({"rounded box", {kFilled}, "box", {-10, 12, 150, 90, double(0xFFFF00), 40}});
  c.push_back({"box", {kFilled}, "box", {100, -5, 120, 300, double(0x00FFFF)}});
  c.push_back({"pie", {kFilled}, "arc", {30, 20, 90, 60, 20, 290, double(0xFF00FF)}});
  c.push_back({"thin pie", {kFilled}, "arc", {30, 20, 90, 60, 300, 10, double(0xFF00FF), 1}});
  c.push_back({"star", {kFilled}, "polygon", {5, 7, 0, 18, double(0x80FF00)}});
  // Outlines one pixel wide go on as spans too, wider ones through the raster.
  c.push_back({"circle outline", {kNone}, "circle", {10, 10, 60, double(0xFFFFFF)}});
  c.push_back({"rounded outline", {kNone}, "box", {3, 3, 200, 100, double(0xFFFFFF), 25}});
  c.push_back({"star outline", {kNone}, "polygon", {5, 7, 0, 18, double(0xFFFFFF)}});
  c.push_back({"wide outline", {kWide}, "circle", {30, 30, 50, double(0xFFFFFF)}});
  // Edges and shadows below the shape, the shadow both ways; a polygon's edge is a stroke.
  c.push_back({"edge", {kFilled, kEdge}, "circle", {20, 20, 70, double(0xFF0000)}});
  c.push_back({"shadow", {kFilled, kShadow}, "circle", {-20, 20, 70, double(0xFF0000)}});
  c.push_back({"edge and shadow",
               {kFilled, kEdge, kShadowNW},
               "ellipse",
               {8, 2, 110, 40, double(0xFF0000)}});
  c.push_back({"box edge and shadow",
               {kFilled, kEdge, kShadow},
               "box",
               {10, 10, 100, 60, double(0xFF0000), 30}});
  c.push_back({"polygon edge", {kFilled, kEdge}, "polygon", {5, 7, 0, 18, double(0x80FF00)}});
  return c;
}

class DirectTest : public qmtest::DisplayHarness {
 protected:
  void SetUp() override {
    DisplayHarness::SetUp();
    ASSERT_EQ(draw_open(L), 0);
    d = open_display();
  }
  void TearDown() override {
    shape_ways_limit(ShapeWays::Fastest);
    draw_cleanup();
    DisplayHarness::TearDown();
  }
  int32_t run(const char* name, const std::vector<double>& args,
              const std::vector<double>* table = nullptr) {
    vm_set_top(L, 0);
    vm_push_string(L, name);
    vm_get_table(L, QM_GLOBALSINDEX);
    for (size_t i = 0; i < args.size(); ++i) {
      if (table && i == 2) {
        vm_new_table(L);
        for (size_t k = 0; k < table->size(); ++k) {
          vm_push_number(L, (*table)[k]);
          vm_raw_seti(L, -2, int32_t(k));
        }
        continue;
      }
      vm_push_number(L, args[i]);
    }
    return vm_pcall(L, int32_t(args.size()), 0, 0);
  }
  void draw(const Case& c) {
    static const std::vector<double> vertices = star(9, 60, 25);
    ASSERT_EQ(run("setformstyle", {1}), 0);
    ASSERT_EQ(run("setfillstyle", c.style[0]), 0);
    for (size_t i = 1; i < c.style.size(); ++i) ASSERT_EQ(run("setformstyle", c.style[i]), 0);
    ASSERT_EQ(run(c.command, c.args, std::string(c.command) == "polygon" ? &vertices : nullptr), 0);
  }
  static void add_bitmap(std::vector<uint8_t>& out, const qmBitmap* b) {
    for (int32_t y = 0; b && y < b->height; ++y) {
      const uint8_t* row =
          reinterpret_cast<const uint8_t*>(b->pixels) + size_t(y) * size_t(b->bytes_per_row);
      out.insert(out.end(), row, row + size_t(b->width) * 4);
    }
  }
  // Each case drawn each way onto the output as reset gives it, read back by take.
  void compare(const char* output, const std::function<void()>& reset,
               const std::function<std::vector<uint8_t>()>& take) {
    for (const Case& c : cases()) {
      std::vector<uint8_t> got[3];
      const ShapeWays ways[3] = {ShapeWays::Image, ShapeWays::Raster, ShapeWays::Fastest};
      for (int i = 0; i < 3; ++i) {
        shape_ways_limit(ways[i]);
        reset();
        draw(c);
        got[i] = take();
      }
      shape_ways_limit(ShapeWays::Fastest);
      std::string where = std::string(output) + ": " + c.name + " " + c.command;
      for (double a : c.args) where += " " + std::to_string(int64_t(a));
      ASSERT_FALSE(got[0].empty()) << where;
      EXPECT_TRUE(got[1] == got[0]) << where << ": the rasters differ from the image";
      EXPECT_TRUE(got[2] == got[0]) << where << ": the spans differ from the image";
    }
  }
  std::vector<uint8_t> snapshots() {
    std::vector<uint8_t> out;
    for (int32_t type : {SNAPDISPLAY, SNAPWINDOW}) {
      qmBitmap* b = nullptr;
      EXPECT_EQ(display_snapshot(type, &b), 0);
      add_bitmap(out, b);
      qmos_free_bitmap(b);
    }
    return out;
  }
  // A brush of 300 x 240 whose planes start as a pattern, so that a pixel written where it should
  // not be, or left where it should be written, shows.
  void brush_planes(bool with_mask, bool with_alpha) {
    ASSERT_EQ(run("createbrush", {5, 300, 240, 0}), 0);
    qmBrush* b = brush(5);
    if (with_mask) b->mask = qmos_alloc_mask(300, 240, 1);
    if (with_alpha) b->alpha = qmos_alloc_alpha(300, 240, 1);
  }
  void pattern() {
    qmBrush* b = brush(5);
    for (int32_t y = 0; y < b->height; ++y)
      for (int32_t x = 0; x < b->width; ++x)
        b->bitmap->pixels[size_t(y) * size_t(b->bitmap->bytes_per_row / 4) + size_t(x)] =
            uint32_t(x * 0x010305 + y * 0x070100);
    if (b->mask)
      for (size_t i = 0; i < size_t(b->mask->bytes_per_row) * size_t(b->mask->height); ++i)
        b->mask->data[i] = uint8_t(i * 37);
    if (b->alpha)
      for (size_t i = 0; i < size_t(b->alpha->bytes_per_row) * size_t(b->alpha->height); ++i)
        b->alpha->data[i] = uint8_t(i * 11);
  }
  std::vector<uint8_t> planes() {
    qmBrush* b = brush(5);
    std::vector<uint8_t> out;
    add_bitmap(out, b->bitmap);
    if (b->mask)
      out.insert(out.end(), b->mask->data,
                 b->mask->data + size_t(b->mask->bytes_per_row) * b->mask->height);
    if (b->alpha)
      out.insert(out.end(), b->alpha->data,
                 b->alpha->data + size_t(b->alpha->bytes_per_row) * b->alpha->height);
    return out;
  }
  qmDisplay* d = nullptr;
};

TEST_F(DirectTest, TheDisplayAndItsWindow) {
  compare(
      "display", [&] { ASSERT_EQ(run("cls", {double(0x203040)}), 0); },
      [&] { return snapshots(); });
}

TEST_F(DirectTest, TheDoubleBufferAfterFlip) {
  ASSERT_EQ(run("begindoublebuffer", {}), 0);
  auto flip = [&] { ASSERT_EQ(run("flip", {0}), 0); };
  compare(
      "double buffer", [&] { ASSERT_EQ(run("cls", {double(0x203040)}), 0), flip(); },
      [&] { return flip(), snapshots(); });
}

TEST_F(DirectTest, UnderAClipRegion) {
  ASSERT_EQ(run("createclipregion", {1, 14, 30, 20, 150, 100}), 0);
  ASSERT_EQ(run("setclipregion", {1}), 0);
  compare(
      "clip region", [&] { ASSERT_EQ(run("cls", {double(0x203040)}), 0); },
      [&] { return snapshots(); });
}

TEST_F(DirectTest, BrushesAndTheirPlanes) {
  struct Target {
    const char* name;
    bool mask, alpha;
    const char* select;
  } targets[] = {{"brush", false, false, "selectbrush"},
                 {"brush with a mask", true, false, "selectbrush"},
                 {"mask", true, false, "selectmask"},
                 {"alpha channel", false, true, "selectalphachannel"}};
  for (const Target& t : targets) {
    brush_planes(t.mask, t.alpha);
    ASSERT_EQ(run(t.select, {5}), 0);
    compare(
        t.name, [&] { pattern(); }, [&] { return planes(); });
    ASSERT_EQ(run("endselect", {}), 0);
    ASSERT_EQ(run("freebrush", {5}), 0);
  }
}

}  // namespace

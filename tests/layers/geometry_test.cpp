// Geometry, dirty-rectangle lists and the filter reader: tables of cases.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "engine/errcodes.h"
#include "gfx/bitmap.h"
#include "layers/layers.h"

using namespace qm;

TEST(LayerGeometry, RotationAngles) {
  const Matrix2 r90 = transform_from_scale_rotate(0, 0, 10, 10, 1.0, 1.0, 90);
  EXPECT_NEAR(r90.m[0], 0.0, 1e-12);
  EXPECT_NEAR(r90.m[1], -1.0, 1e-12);
  EXPECT_NEAR(r90.m[2], 1.0, 1e-12);
  EXPECT_NEAR(r90.m[3], 0.0, 1e-12);
  const Matrix2 rm90 = transform_from_scale_rotate(0, 0, 10, 10, 1.0, 1.0, -90);
  EXPECT_NEAR(rm90.m[1], 1.0, 1e-12);
  EXPECT_NEAR(rm90.m[2], -1.0, 1e-12);
  const Matrix2 r450 = transform_from_scale_rotate(0, 0, 10, 10, 1.0, 1.0, 450);
  for (int i = 0; i < 4; ++i) EXPECT_NEAR(r450.m[i], r90.m[i], 1e-12);
  // A target size wins over the scale factors.
  const Matrix2 t = transform_from_scale_rotate(200, 100, 100, 100, 3.0, 3.0, 0);
  EXPECT_EQ(t.m[0], 2.0);
  EXPECT_EQ(t.m[3], 1.0);
}

TEST(LayerGeometry, RectRoutines) {
  // Ties go to the even integer so that neighbours stay neighbours.
  EXPECT_EQ(rect_scale({1, 1, 2, 2}, 1.5, 1.5), (Rect{2, 2, 2, 2}));
  EXPECT_EQ(rect_scale({0, 0, 1, 1}, 1.5, 1.5), (Rect{0, 0, 1, 1}));
  Rect u{0, 0, 10, 10};
  rect_union(u, {20, 5, 5, 5});
  EXPECT_EQ(u, (Rect{0, 0, 25, 10}));
  EXPECT_TRUE(rect_overlaps({0, 0, 9, 9}, {9, 9, 20, 20}));
  EXPECT_FALSE(rect_overlaps({0, 0, 9, 9}, {10, 0, 20, 9}));
  Rect c{-5, -5, 10, 10};
  rect_clip_to_size(3, 100, c);
  EXPECT_EQ(c, (Rect{0, 0, 3, 5}));
}

// Far out, scaled far up or grown by a huge shadow, rectangles saturate at the int32 range
// instead of wrapping round to the other side (the sanitizer build traps any overflow).
TEST(LayerGeometry, ExtremeRectanglesSaturate) {
  constexpr int32_t kMax = INT32_MAX, kMin = INT32_MIN;
  EXPECT_EQ(to_corners({kMax - 5, kMin, 20, 10}), (Corners{kMax - 5, kMin, kMax, kMin + 9}));
  EXPECT_EQ(to_rect({kMin, 0, kMax, 0}), (Rect{kMin, 0, kMax, 1}));
  Rect u{kMin, kMin, 10, 10};
  rect_union(u, {kMax - 10, kMax - 10, 20, 20});
  EXPECT_EQ(u, (Rect{kMin, kMin, kMax, kMax}));
  EXPECT_EQ(rect_scale({16777216, -16777216, 20, 10}, 32767.0, 32767.0), (Rect{kMax, kMin, 1, 1}));
  const Rect huge = rect_transform_bounds(Matrix2{{1e10, 0.0, 0.0, 1e10}}, 10, 10, 20, 10, 0.5, 0.5);
  EXPECT_EQ(huge.x, kMin);
  EXPECT_EQ(huge.width, kMax);
  const Rect nan = rect_transform_bounds(Matrix2{{NAN, 0.0, 0.0, 1.0}}, 10, 10, 20, 10, 0.0, 0.0);
  EXPECT_EQ(nan.y, 10);
}

TEST(LayerGeometry, UniformScaleCheck) {
  struct Case {
    double sx, sy;
    int32_t angle;
    int32_t general;
  } cases[] = {{2.0, 3.0, 0, 0}, {2.0, 2.005, 30, 0}, {2.0, 2.02, 30, 1}};
  for (const Case& c : cases) {
    TransformBlock b;
    b.matrix = transform_from_scale_rotate(0, 0, 10, 10, c.sx, c.sy, c.angle);
    transform_check_uniform_scale(b);
    EXPECT_EQ(b.general, c.general) << c.sx << " " << c.sy;
  }
}

namespace {

std::vector<Corners> live(const DirtyList& l) {
  std::vector<Corners> out;
  for (int32_t i = 0; i < l.count; ++i)
    if (dirty_entry(l, i).x1 != kDirtyEmpty) out.push_back(dirty_entry(l, i));
  return out;
}

}  // namespace

TEST(DirtyRects, Merges) {
  struct Case {
    Rect a, b;
    size_t left;
  } cases[] = {
      {{0, 0, 10, 10}, {10, 0, 10, 10}, 1},   // touching edges
      {{0, 0, 10, 10}, {11, 0, 9, 10}, 2},    // one empty column between
      {{0, 0, 10, 10}, {10, 10, 10, 10}, 1},  // corner to corner
      {{0, 0, 10, 10}, {5, 5, 10, 10}, 1},    // overlapping
  };
  for (const Case& c : cases) {
    DirtyList l;
    ASSERT_EQ(dirty_list_init(l, 8), 0);
    dirty_list_add(l, c.a, false);
    dirty_list_add(l, c.b, false);
    dirty_rects_merge(l);
    EXPECT_EQ(live(l).size(), c.left);
    if (c.left == 1) {
      EXPECT_EQ(live(l)[0], (Corners{0, 0, std::max(c.a.x + c.a.width, c.b.x + c.b.width) - 1,
                                     std::max(c.a.y + c.a.height, c.b.y + c.b.height) - 1}));
    }
    dirty_list_free(l);
  }
}

TEST(DirtyRects, FullMarkingGrowthAndFlush) {
  DirtyList d;
  display_dirty_add_rect(d, {0, 0, 64, 48}, 64, 48);
  EXPECT_TRUE(dirty_list_full(d));
  display_dirty_add_rect(d, {1, 1, 2, 2}, 64, 48);
  std::vector<Rect> drawn;
  dirty_rects_flush(d, 64, 48, [&](const Rect& r) { drawn.push_back(r); });
  ASSERT_EQ(drawn.size(), 1u);
  EXPECT_EQ(drawn[0], (Rect{0, 0, 64, 48}));
  dirty_list_free(d);

  DirtyList g;
  ASSERT_EQ(dirty_list_init(g, kDirtyGrowth), 0);
  for (int32_t i = 0; i < 1025; ++i) dirty_list_add(g, {i, 0, 1, 1}, true);
  EXPECT_EQ(g.capacity, 2048);
  EXPECT_EQ(g.count, 1025);
  bool kept = true;
  for (int32_t i = 0; i < 1025; ++i) kept &= dirty_entry(g, i) == (Corners{i, 0, i, 0});
  EXPECT_TRUE(kept);
  dirty_list_free(g);

  // A list that cannot take the rectangle redraws everything instead of dropping it.
  DirtyList s;
  ASSERT_EQ(dirty_list_init(s, 1), 0);
  dirty_list_add(s, {1, 1, 1, 1}, false);
  dirty_list_add(s, {30, 30, 1, 1}, false);
  drawn.clear();
  dirty_rects_flush(s, 64, 48, [&](const Rect& r) { drawn.push_back(r); });
  EXPECT_EQ(drawn, (std::vector<Rect>{{0, 0, 64, 48}}));
  dirty_list_free(s);

  DirtyList f;
  ASSERT_EQ(dirty_list_init(f, 4), 0);
  dirty_list_add(f, {-5, -5, 10, 10}, false);
  dirty_list_add(f, {-20, 0, 5, 5}, false);  // wholly left
  dirty_list_add(f, {60, 40, 10, 10}, false);
  drawn.clear();
  dirty_rects_flush(f, 64, 48, [&](const Rect& r) { drawn.push_back(r); });
  EXPECT_EQ(drawn, (std::vector<Rect>{{0, 0, 5, 5}, {60, 40, 4, 8}}));
  dirty_list_free(f);
}

namespace {

FilterArg num(double v) { return {false, v, {}}; }
FilterArg text(const char* t) { return {true, 0.0, t}; }

}  // namespace

TEST(LayerFilters, Reader) {
  FilterSlot slots[kFilterSlots];
  std::string what;
  FilterEntry blur;
  blur.has_name = true;
  blur.name = "BLUR";
  ASSERT_EQ(filter_entry_apply(slots, blur, 0, &what), 0);
  EXPECT_EQ(slots[0].active, 1);
  EXPECT_EQ(slots[0].priority, 0);
  EXPECT_FLOAT_EQ(slots[0].floats[0], 5.0f);

  FilterEntry tint;
  tint.has_name = true;
  tint.name = "tint";
  tint.args = {num(0xFF0000), text("50%")};
  ASSERT_EQ(filter_entry_apply(slots, tint, 1, &what), 0);
  EXPECT_EQ(slots[kTintSlot].ints[0], 0xFF0000);
  EXPECT_EQ(slots[kTintSlot].ints[1], 127);

  FilterEntry off = blur;
  off.has_disable = true;
  off.disable = 1;
  ASSERT_EQ(filter_entry_apply(slots, off, 2, &what), 0);
  EXPECT_EQ(slots[0].active, 0);

  FilterEntry nameless;
  EXPECT_EQ(filter_entry_apply(slots, nameless, 3, &what), ERR_NOFILTERNAME);
  EXPECT_EQ(what, "3");
  FilterEntry unknown;
  unknown.has_name = true;
  unknown.name = "sparkle";
  EXPECT_EQ(filter_entry_apply(slots, unknown, 4, &what), ERR_UNKNOWNFILTER);
  EXPECT_EQ(what, "sparkle");
}

namespace {

std::vector<int32_t> g_order;
int32_t record(int32_t slot, const FilterSlot&, qmBitmap*, qmMask*, qmAlphaChannel*, int32_t, int32_t) {
  g_order.push_back(slot);
  return 0;
}

}  // namespace

TEST(LayerFilters, PriorityOrder) {
  filter_kernel() = record;
  struct Case {
    uint8_t blur, invert;
    std::vector<int32_t> order;
  } cases[] = {{10, 200, {7, 0}}, {0, 0, {0, 7}}, {200, 10, {0, 7}}};
  for (const Case& c : cases) {
    FilterSlot slots[kFilterSlots];
    slots[0].active = slots[7].active = 1;
    slots[0].priority = c.blur;
    slots[7].priority = c.invert;
    g_order.clear();
    EXPECT_EQ(layer_apply_filters(slots, nullptr, nullptr, nullptr, 1, 1), 0);
    EXPECT_EQ(g_order, c.order);
  }
  filter_kernel_reset();
}

// A clip region's copy for a transformed state: a straight rectangle is scaled and truncated; a
// turned one gets a mask of the turned rectangle; a masked one carries its mask along.
TEST(ClipTransform, StraightTurnedAndMasked) {
  const qmClipRegion box{10, 20, 5, 3, nullptr, 0};
  Matrix2 scale;
  scale.m[0] = 2.0, scale.m[3] = 1.5;
  const qmClipRegion* s = clip_transform(&box, scale, 0, 0, 0, 0);
  ASSERT_NE(s, nullptr);
  EXPECT_EQ((Rect{s->x, s->y, s->width, s->height}), (Rect{20, 30, 10, 4}));
  EXPECT_EQ(s->mask, nullptr);
  clip_free(s);

  // A quarter turn of the 5x3 box about its middle (12.5, 21.5): 3x5, every pixel set.
  Matrix2 turn;
  turn.m[0] = 0, turn.m[1] = -1, turn.m[2] = 1, turn.m[3] = 0;
  const qmClipRegion* t = clip_transform(&box, turn, 12.5, 21.5, 12.5, 21.5);
  ASSERT_NE(t, nullptr);
  EXPECT_EQ((Rect{t->x, t->y, t->width, t->height}), (Rect{11, 19, 3, 5}));
  ASSERT_NE(t->mask, nullptr);
  for (int32_t y = 0; y < 5; ++y)
    for (int32_t x = 0; x < 3; ++x) EXPECT_TRUE(mask_bit(t->mask->data + size_t(y) * size_t(t->mask_bpr), x));
  clip_free(t);

  // A masked region moved by a pure translation keeps its pattern.
  qmMask* m = qmos_alloc_mask(4, 1, 1);
  mask_bit_set(m->data, 1);
  const qmClipRegion masked{0, 0, 4, 1, m, m->bytes_per_row};
  const qmClipRegion* u = clip_transform(&masked, Matrix2{}, 0, 0, 3, 2);
  ASSERT_NE(u, nullptr);
  EXPECT_EQ((Rect{u->x, u->y, u->width, u->height}), (Rect{3, 2, 4, 1}));
  EXPECT_FALSE(mask_bit(u->mask->data, 0));
  EXPECT_TRUE(mask_bit(u->mask->data, 1));
  EXPECT_FALSE(mask_bit(u->mask->data, 2));
  clip_free(u);
  qmos_free_mask(m);

  Matrix2 singular;
  singular.m[0] = 0, singular.m[3] = 0;
  EXPECT_EQ(clip_transform(&box, singular, 0, 0, 0, 0), nullptr);
}

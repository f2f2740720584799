// The redraw engine on small bitmaps, pixel by pixel.
#include <gtest/gtest.h>

#include "gfx/blit.h"
#include "layers/layers.h"

using namespace qm;

namespace {

constexpr uint32_t kBack = 0x000000FF, kRed = 0x00FF0000;

struct RedrawTest : ::testing::Test {
  qmBlitOutput fallback{};
  qmBGPic pic{};
  qmBitmap* background = qmos_alloc_bitmap(16, 16);
  qmBitmap* dest = qmos_alloc_bitmap(16, 16);
  RedrawTest() {
    fallback.object_type = kOutputDisplay;
    blit_globals().fallback = &fallback;
    pic.display_width = pic.display_height = 16;
    qmos_fill_bitmap_rect(background, 0, 0, 16, 16, kBack);
    qmos_fill_bitmap_rect(dest, 0, 0, 16, 16, 0x123456);
  }
  ~RedrawTest() override {
    bgpic_layers_free(nullptr, &pic);
    qmos_free_bitmap(background);
    qmos_free_bitmap(dest);
    blit_globals().fallback = nullptr;
  }
  qmLayer* add(int32_t x, int32_t y, int32_t w, int32_t h, uint32_t colour) {
    LayerSpec spec;
    spec.type = OBJ_BOX;
    spec.x = x, spec.y = y, spec.width = w, spec.height = h;
    spec.colour = colour;
    qmLayer* l = nullptr;
    EXPECT_EQ(layer_new(nullptr, &pic, spec, &l), 0);
    return l;
  }
  void redraw(int32_t x = 0, int32_t y = 0, int32_t w = 16, int32_t h = 16, int32_t flags = REDRAW_NOSPRITES) {
    RedrawSource s;
    s.pic = &pic;
    s.background = background;
    s.dest = dest;
    layers_redraw(s, x, y, w, h, flags);
  }
  uint32_t at(int32_t x, int32_t y) { return qmos_read_pixel(dest, x, y) & 0xFFFFFF; }
};

}  // namespace

TEST_F(RedrawTest, BackgroundAndOneOpaqueLayer) {
  add(4, 4, 3, 2, kRed);
  redraw(0, 0, 8, 8);
  EXPECT_EQ(at(0, 0), kBack);
  EXPECT_EQ(at(4, 4), kRed);
  EXPECT_EQ(at(6, 5), kRed);
  EXPECT_EQ(at(7, 5), kBack);
  EXPECT_EQ(at(6, 6), kBack);
  EXPECT_EQ(at(9, 9), 0x123456u);  // outside the rectangle: untouched
}

TEST_F(RedrawTest, TransparencyEnds) {
  add(0, 0, 4, 4, kRed)->transparency = 255;
  add(8, 8, 4, 4, kRed)->transparency = 0;
  qmLayer* half = add(4, 0, 2, 2, 0xFFFFFF);
  half->transparency = 128;
  redraw();
  EXPECT_EQ(at(1, 1), kBack);
  EXPECT_EQ(at(9, 9), kRed);
  const uint32_t mixed = at(4, 0);
  EXPECT_NE(mixed, kBack);
  EXPECT_NE(mixed, 0xFFFFFFu);
}

TEST_F(RedrawTest, ShadowDownRight) {
  qmLayer* l = add(2, 2, 4, 4, kRed);
  l->shadow = 1;
  l->shadow_direction = 3;
  l->shadow_size = 4;
  l->shadow_radius = 1.0;
  l->shadow_sigma = 0.5;
  l->shadow_colour = 0x00000000;  // opaque black
  EXPECT_EQ(layer_shadow_rect(l, l->display, 1.0, 1.0), (Rect{5, 5, 6, 6}));
  EXPECT_EQ(layer_bounds(l, l->display), (Rect{2, 2, 9, 9}));
  redraw();
  EXPECT_EQ(at(3, 3), kRed);     // the layer over its shadow
  EXPECT_EQ(at(8, 8), 0u);       // the shadow's solid middle
  EXPECT_EQ(at(12, 12), kBack);  // beyond the grown rectangle
  EXPECT_EQ(at(1, 8), kBack);
}

TEST_F(RedrawTest, HiddenAndOffDisplayLayersNeitherDrawnNorShadowed) {
  qmLayer* a = add(0, 0, 4, 4, kRed);
  qmLayer* b = add(8, 8, 4, 4, kRed);
  a->hidden = 1;
  b->off_display = 1;
  for (qmLayer* l : {a, b}) {
    l->shadow = 1;
    l->shadow_size = 2;
    l->shadow_radius = 1.0;
    l->shadow_sigma = 0.5;
  }
  redraw();
  for (int32_t y = 0; y < 16; ++y)
    for (int32_t x = 0; x < 16; ++x) ASSERT_EQ(at(x, y), kBack) << x << "," << y;
}

TEST_F(RedrawTest, RefusalsLeaveTheDestinationAlone) {
  add(0, 0, 16, 16, kRed);
  redraw(0, 0, 0, 4);
  redraw(-1, 0, 4, 4);
  RedrawSource s;
  s.pic = &pic;
  layers_redraw(s, 0, 0, 4, 4, 0);
  EXPECT_EQ(at(0, 0), 0x123456u);
}

TEST_F(RedrawTest, CachedImagesAreBuiltOnce) {
  qmLayer* l = add(2, 2, 4, 4, kRed);
  l->filters[7].active = 1;  // invert
  l->shadow = 1;
  l->shadow_size = 2;
  l->shadow_radius = 1.0;
  l->shadow_sigma = 0.5;
  const int64_t before = layer_images_built();
  redraw();
  EXPECT_EQ(at(3, 3), 0x00FFFFu);  // inverted red
  const int64_t first = layer_images_built();
  EXPECT_GT(first, before);
  redraw();
  EXPECT_EQ(layer_images_built(), first);
}

TEST(PlanesOverlap, Table) {
  qmMask* left = qmos_alloc_mask(4, 4, 1);  // clear
  qmMask* full = qmos_alloc_mask(4, 4, 1);
  qmos_mask_rect_op(full, 0, 0, 4, 4, MASKVISIBLE);
  qmos_mask_rect_op(left, 0, 0, 2, 4, MASKVISIBLE);  // left half set
  qmAlphaChannel* zero = qmos_alloc_alpha(4, 4, 1);
  struct Case {
    OverlapSide a, b;
    bool hit;
  } cases[] = {
      {{{0, 0, 4, 4}}, {{3, 3, 4, 4}}, true},
      {{{0, 0, 4, 4}}, {{4, 0, 4, 4}}, false},
      // Overlap only where a's mask is clear.
      {{{0, 0, 4, 4}, left}, {{2, 0, 4, 4}, full}, false},
      {{{0, 0, 4, 4}, left}, {{1, 0, 4, 4}, full}, true},
      // A side with a set mask but a clear alpha plane has no solid pixel.
      {{{0, 0, 4, 4}, full, zero}, {{0, 0, 4, 4}}, false},
      {{{0, 0, 4, 4}, full}, {{0, 0, 4, 4}}, true},
  };
  int i = 0;
  for (const Case& c : cases) EXPECT_EQ(planes_overlap_test(c.a, c.b), c.hit) << i++;
  qmos_free_mask(left);
  qmos_free_mask(full);
  qmos_free_alpha(zero);
}

TEST_F(RedrawTest, BorderAroundALayerAndUnderItsShadow) {
  qmLayer* l = add(4, 4, 4, 4, kRed);
  l->border = 1;
  l->border_size = 2;
  l->border_colour = 0x0000FF00;  // opaque green
  EXPECT_EQ(layer_bounds(l, l->display), (Rect{2, 2, 8, 8}));
  redraw();
  EXPECT_EQ(at(2, 2), 0x00FF00u);
  EXPECT_EQ(at(9, 9), 0x00FF00u);
  EXPECT_EQ(at(1, 1), kBack);
  EXPECT_EQ(at(10, 10), kBack);
  EXPECT_EQ(at(4, 4), kRed);
  // Half transparent border colour: mixed with the background.
  layer_free_caches(l);
  l->border_colour = 0x8000FF00;
  qmos_fill_bitmap_rect(dest, 0, 0, 16, 16, 0x123456);
  redraw();
  EXPECT_NE(at(2, 2), 0x00FF00u);
  EXPECT_NE(at(2, 2), kBack);
  EXPECT_EQ(at(5, 5), kRed);
}

TEST_F(RedrawTest, RotatedLayerTurnsAboutItsMiddle) {
  qmLayer* l = add(4, 6, 4, 2, kRed);  // middle at (6, 7)
  TransformBlock block;
  block.rotation = 90;
  ASSERT_EQ(layer_set_transform(nullptr, l, block), 0);
  EXPECT_NE(l->display, l->content);
  EXPECT_EQ((Rect{l->display->bounds_x, l->display->bounds_y, l->display->width, l->display->height}),
            (Rect{5, 5, 2, 4}));
  redraw();
  EXPECT_EQ(at(5, 5), kRed);
  EXPECT_EQ(at(6, 8), kRed);
  EXPECT_EQ(at(4, 6), kBack);  // where the unturned layer began
  EXPECT_EQ(at(7, 6), kBack);
  // Back to the identity: one state again (the turned one freed, ASan judges).
  ASSERT_EQ(layer_set_transform(nullptr, l, TransformBlock{}), 0);
  EXPECT_EQ(l->display, l->content);
  redraw();
  EXPECT_EQ(at(4, 6), kRed);
}

// The sprite pass runs after the layers, over the redrawn area only; REDRAW_NOSPRITES leaves it
// out and REDRAW_SPRITESONLY draws nothing else.
TEST_F(RedrawTest, SpritePassAfterTheLayers) {
  static Rect seen;
  static int calls;
  calls = 0;
  layer_services().draw_sprites = [](qmState*, qmBGPic*, qmBitmap* dest, const Rect& area) {
    ++calls;
    seen = area;
    qmos_fill_bitmap_rect(dest, 5, 5, 1, 1, 0x00FF00);
  };
  add(4, 4, 3, 3, kRed);
  redraw(2, 2, 8, 8, 0);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(seen, (Rect{2, 2, 8, 8}));
  EXPECT_EQ(at(5, 5), 0x00FF00u);
  EXPECT_EQ(at(4, 4), kRed);
  redraw(0, 0, 16, 16, REDRAW_NOSPRITES);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(at(5, 5), kRed);
  qmos_fill_bitmap_rect(dest, 0, 0, 16, 16, 0x123456);
  redraw(0, 0, 16, 16, REDRAW_SPRITESONLY);
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(at(5, 5), 0x00FF00u);
  EXPECT_EQ(at(4, 4), 0x123456u);
  layer_services_reset();
}

// A transparent layer under a shaped clip region is mixed only where the region's mask is set,
// also when the scratch bitmap from an earlier, larger redraw is reused.
TEST_F(RedrawTest, TransparentLayerThroughAShapedClip) {
  qmMask* m = qmos_alloc_mask(16, 16, 1);
  qmos_mask_rect_op(m, 0, 0, 6, 16, MASKVISIBLE);
  qmClipRegion clip{0, 0, 16, 16, m, m->bytes_per_row};
  qmLayer* l = add(2, 2, 8, 8, kRed);
  l->transparency = 128;
  l->display->clip = &clip;
  for (const Rect& r : {Rect{0, 0, 16, 16}, Rect{3, 3, 4, 2}}) {
    qmos_fill_bitmap_rect(dest, 0, 0, 16, 16, 0x123456);
    redraw(r.x, r.y, r.width, r.height);
    const uint32_t mixed = at(3, 3);
    EXPECT_GT(mixed >> 16, 0x60u) << r.width;
    EXPECT_GT(mixed & 0xFF, 0x60u) << r.width;
    EXPECT_EQ(at(6, 3), kBack) << r.width;  // outside the region's mask
  }
  l->display->clip = nullptr;
  qmos_free_mask(m);
}

// The border of a turned layer follows the turned outline: it surrounds the turned rectangle,
// not the unturned one.
TEST_F(RedrawTest, BorderOfATurnedLayer) {
  qmLayer* l = add(4, 6, 4, 2, kRed);  // turned: (5, 5) to (6, 8)
  TransformBlock block;
  block.rotation = 90;
  ASSERT_EQ(layer_set_transform(nullptr, l, block), 0);
  l->border = 1;
  l->border_size = 1;
  l->border_colour = 0x0000FF00;
  EXPECT_EQ(layer_bounds(l, l->display), (Rect{4, 4, 4, 6}));
  redraw();
  EXPECT_EQ(at(4, 7), 0x00FF00u);
  EXPECT_EQ(at(7, 6), 0x00FF00u);
  EXPECT_EQ(at(5, 4), 0x00FF00u);
  EXPECT_EQ(at(6, 9), 0x00FF00u);
  EXPECT_EQ(at(5, 5), kRed);
  EXPECT_EQ(at(3, 7), kBack);
  EXPECT_EQ(at(8, 6), kBack);  // where the unturned layer's border would reach
}

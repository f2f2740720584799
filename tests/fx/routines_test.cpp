// The step functions' shared routines: the speed and frame-count rules, fx_blit_rect flag by flag
// on 8 x 8 planes, and where fx_refresh_layer_rect puts a changed rectangle.
#include <gtest/gtest.h>

#include "display/display.h"
#include "fx/fx.h"
#include "gfx/bitmap.h"
#include "gfx/blitpixels.h"
#include "layers/layers.h"
#include "platform/window.h"
#include "tests/layers/layer_harness.h"

namespace {

using namespace qm;

TEST(StepRules, SizeAndCount) {
  const struct {
    int32_t speed, extent, normal, fast, slow, step;
  } sizes[] = {
      {-1, 200, 70, 30, 200, 2}, {-2, 200, 70, 30, 200, 6}, {-3, 16, 16, 8, 40, 1}, {-3, 400, 70, 30, 200, 2},
      {5, 200, 70, 30, 200, 5},  {0, 200, 70, 30, 200, 1},  {-9, 200, 70, 30, 200, 1}, {-1, 0, 70, 30, 200, 1},
      {-1, 16, 16, 8, 40, 1},    {-2, 16, 16, 8, 40, 2},
  };
  for (const auto& c : sizes)
    EXPECT_EQ(fx_step_size(c.speed, c.extent, c.normal, c.fast, c.slow), c.step) << c.speed << " over " << c.extent;
  const struct {
    int32_t extent, step, exact, frames;
  } counts[] = {{100, 30, 0, 5}, {90, 30, 1, 3}, {90, 30, 0, 4}, {0, 30, 0, 1}, {-5, 3, 1, 1}, {198, 2, 0, 100},
                {1, 1, 1, 1},    {7, 100, 1, 1}};
  for (const auto& c : counts)
    EXPECT_EQ(fx_step_count(c.extent, c.step, c.exact), c.frames) << c.extent << " at " << c.step;
}

// 8 x 8 planes: a source of one colour with a mask of its left half, a destination with a clear
// mask and an alpha plane, and the request's async copy (an alpha plane or a mask, as an effect
// image has one or the other).
struct Planes8 {
  qmBitmap* src = qmos_alloc_bitmap(8, 8);
  qmMask* src_mask = qmos_alloc_mask(8, 8, 1);
  qmBitmap* dst = qmos_alloc_bitmap(8, 8);
  qmMask* dst_mask = qmos_alloc_mask(8, 8, 1);
  qmAlphaChannel* dst_alpha = qmos_alloc_alpha(8, 8, 1);
  qmFXRequest r;
  explicit Planes8(bool alpha_copy = false) {
    qmos_fill_bitmap_rect(src, 0, 0, 8, 8, 0xAA0000);
    qmos_fill_bitmap_rect(dst, 0, 0, 8, 8, 0x000011);
    qmos_mask_rect_op(src_mask, 0, 0, 4, 8, MASKVISIBLE);
    if (alpha_copy) r.async_alpha = qmos_alloc_alpha(8, 8, 1);
    else r.async_mask = qmos_alloc_mask(8, 8, 1);
  }
  ~Planes8() {
    for (qmBitmap* b : {src, dst}) qmos_free_bitmap(b);
    for (qmMask* m : {src_mask, dst_mask, r.async_mask}) qmos_free_mask(m);
    for (qmAlphaChannel* a : {dst_alpha, r.async_alpha}) qmos_free_alpha(a);
  }
  int32_t bits(const qmMask* m) const {
    if (!m) return 0;
    int32_t n = 0;
    for (int32_t y = 0; y < 8; ++y)
      for (int32_t x = 0; x < 8; ++x) n += int32_t(qmos_read_pixel(m, x, y));
    return n;
  }
  int32_t alpha_sum(const qmAlphaChannel* a) const {
    if (!a) return 0;
    int32_t n = 0;
    for (int32_t y = 0; y < 8; ++y)
      for (int32_t x = 0; x < 8; ++x) n += a->data[size_t(y) * size_t(a->bytes_per_row) + size_t(x)];
    return n;
  }
  int32_t painted() const {
    int32_t n = 0;
    for (int32_t y = 0; y < 8; ++y)
      for (int32_t x = 0; x < 8; ++x) n += qmos_read_pixel(dst, x, y) == 0xAA0000 ? 1 : 0;
    return n;
  }
};

TEST(BlitRect, ShowsCopiesPixelsAndVisibility) {
  Planes8 p;
  // A negative source corner draws nothing at all.
  fx_blit_rect(p.src, -1, 0, p.dst, p.dst_mask, nullptr, 0, 0, 4, 4, 8, 8, 8, 8, nullptr, nullptr, &p.r, 0);
  EXPECT_EQ(p.painted() + p.bits(p.dst_mask) + p.bits(p.r.async_mask), 0);
  // A plain source sets the rectangle's bits; clipped to both planes.
  fx_blit_rect(p.src, 0, 0, p.dst, p.dst_mask, nullptr, 6, 6, 4, 4, 8, 8, 8, 8, nullptr, nullptr, &p.r, 0);
  EXPECT_EQ(p.painted(), 4);
  EXPECT_EQ(p.bits(p.dst_mask), 4);
  EXPECT_EQ(p.bits(p.r.async_mask), 4);
  // The source mask is copied; FXB_COMBINE adds it to what is set.
  Planes8 q;
  qmos_mask_rect_op(q.dst_mask, 4, 0, 4, 8, MASKVISIBLE);
  fx_blit_rect(q.src, 0, 0, q.dst, q.dst_mask, nullptr, 0, 0, 8, 8, 8, 8, 8, 8, q.src_mask, nullptr, &q.r, FXB_COMBINE);
  EXPECT_EQ(q.bits(q.dst_mask), 64);
  fx_blit_rect(q.src, 0, 0, q.dst, q.dst_mask, nullptr, 0, 0, 8, 8, 8, 8, 8, 8, q.src_mask, nullptr, &q.r, 0);
  EXPECT_EQ(q.bits(q.dst_mask), 32);
  EXPECT_EQ(q.painted(), 64);
  // FXB_THROUGH draws only what the source mask shows.
  Planes8 t(true);
  fx_blit_rect(t.src, 0, 0, t.dst, nullptr, t.dst_alpha, 0, 0, 8, 8, 8, 8, 8, 8, t.src_mask, nullptr, &t.r, FXB_THROUGH);
  EXPECT_EQ(t.painted(), 32);
  EXPECT_EQ(t.alpha_sum(t.dst_alpha), 32 * 255);
}

TEST(BlitRect, HidesAndRestoresVisibility) {
  for (const bool alpha : {false, true}) {
    Planes8 p(alpha);
    qmMask* mask = alpha ? nullptr : p.dst_mask;
    qmAlphaChannel* plane = alpha ? p.dst_alpha : nullptr;
    auto visible = [&] { return alpha ? p.alpha_sum(plane) / 255 : p.bits(mask); };
    fx_blit_rect(p.src, 0, 0, p.dst, mask, plane, 0, 0, 8, 8, 8, 8, 8, 8, nullptr, nullptr, &p.r, 0);
    ASSERT_EQ(visible(), 64);
    // Hiding moves no pixel and clears the rectangle here and in the async copies...
    qmos_fill_bitmap_rect(p.dst, 0, 0, 8, 8, 0x000011);
    fx_blit_rect(p.src, 0, 0, p.dst, mask, plane, 2, 2, 3, 3, 8, 8, 8, 8, nullptr, nullptr, &p.r, FXB_HIDE);
    EXPECT_EQ(visible(), 64 - 9);
    EXPECT_EQ(p.painted(), 0);
    EXPECT_EQ(p.bits(p.r.async_mask) + p.alpha_sum(p.r.async_alpha) / 255, 64 - 9);
    // ...but not with FXB_KEEPASYNC; FXB_UNHIDE makes the rectangle visible again.
    fx_blit_rect(p.src, 0, 0, p.dst, mask, plane, 0, 0, 8, 8, 8, 8, 8, 8, nullptr, nullptr, &p.r,
                 FXB_HIDE | FXB_KEEPASYNC);
    EXPECT_EQ(visible(), 0);
    EXPECT_EQ(p.bits(p.r.async_mask) + p.alpha_sum(p.r.async_alpha) / 255, 64 - 9);
    fx_blit_rect(p.src, 0, 0, p.dst, mask, plane, 0, 0, 8, 8, 8, 8, 8, 8, nullptr, nullptr, &p.r, FXB_HIDE | FXB_UNHIDE);
    EXPECT_EQ(visible(), 64);
  }
}

// A request for layer 1 of the harness's display, drawn into its effect image.
class RefreshTest : public qmtest::LayerHarness {
 protected:
  void SetUp() override {
    LayerHarness::SetUp();
    ASSERT_EQ(code("CreateBrush", {1.0, 20.0, 20.0, double(0x00AA00)}), 0);
    ASSERT_EQ(code("DisplayBrush", {1.0, 10.0, 10.0}), 0);
    r.script = L;
    r.display = d;
    r.layer = layer(1);
    r.realtime = 1;
    r.x = r.y = 10;
    r.width = r.height = 20;
    r.clip_width = d->bgpic->display_width;
    r.clip_height = d->bgpic->display_height;
    r.frames = 4;
    source = qmos_alloc_bitmap(20, 20);
    qmos_fill_bitmap_rect(source, 0, 0, 20, 20, 0x123456);
    display_wait_refresh(L);
  }
  void TearDown() override {
    qmos_free_bitmap(source);
    LayerHarness::TearDown();
  }
  // The rectangles presented by the next frame.
  std::vector<std::string> presented() {
    platform_recorder_start();
    display_wait_refresh(L);
    std::vector<std::string> out;
    for (const std::string& line : platform_recorder_take())
      if (line.rfind("present ", 0) == 0) out.push_back(line.substr(line.find(' ', 8) + 1));
    platform_recorder_stop();
    return out;
  }
  uint32_t shown(int32_t x, int32_t y) { return d->win.platform->screen.row(y)[x] & 0xFFFFFF; }
  qmFXRequest r;
  qmBitmap* source = nullptr;
};

TEST_F(RefreshTest, AnUnobscuredPlainLayerPresentsOnlyTheRectangle) {
  fx_refresh_layer_rect(&r, source, 2, 3, 12, 13, 5, 4, 20, 20, nullptr, nullptr, 0);
  EXPECT_EQ(presented(), std::vector<std::string>{"12,13,5x4"});
  EXPECT_EQ(shown(12, 13), 0x123456u);
  EXPECT_EQ(shown(17, 13), 0x00AA00u);
}

TEST_F(RefreshTest, AnObscuredLayerIsRecomposed) {
  ASSERT_EQ(code("CreateBrush", {2.0, 4.0, 4.0, double(0xFF00FF)}), 0);
  ASSERT_EQ(code("DisplayBrush", {2.0, 14.0, 14.0}), 0);
  display_wait_refresh(L);
  fx_refresh_layer_rect(&r, source, 2, 3, 12, 13, 5, 4, 20, 20, nullptr, nullptr, 0);
  EXPECT_EQ(presented(), std::vector<std::string>{"12,13,5x4"});
  // The layer above stays on top: what shows is the composition, not the source.
  EXPECT_EQ(shown(15, 15), 0xFF00FFu);
  EXPECT_EQ(shown(12, 13), 0x00AA00u);
}

TEST_F(RefreshTest, AStyledLayerIsRecomposedWholeWithItsBorderFaded) {
  ASSERT_EQ(code("SetLayerBorder", {1.0, 1.0, double(0x0000FF), 2.0}), 0);
  display_wait_refresh(L);
  r.frame = 2;
  fx_refresh_layer_rect(&r, source, 2, 3, 12, 13, 5, 4, 20, 20, nullptr, nullptr, 0);
  EXPECT_EQ(r.layer->border_fade, 2 * 255 / 4 + 1);
  EXPECT_EQ(presented(), std::vector<std::string>{"8,8,24x24"});
  r.hide = 1;
  fx_refresh_layer_rect(&r, source, 2, 3, 12, 13, 5, 4, 20, 20, nullptr, nullptr, 0);
  EXPECT_EQ(r.layer->border_fade, 255 - 2 * 255 / 4 + 1);
}

}  // namespace

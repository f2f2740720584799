// The display's dirty list with layers on: what was collected there is recomposed and put on the
// window by VWait, and the list is emptied.
#include <gtest/gtest.h>

#include "display/display.h"
#include "layers/layers.h"
#include "tests/display/display_harness.h"

namespace {

using namespace qm;

class LayerFlush : public qmtest::DisplayHarness {
 protected:
  void SetUp() override {
    DisplayHarness::SetUp();
    ASSERT_EQ(layers_init(L), 0);
    d = open_display();
    platform_present_pending();
  }
  qmDisplay* d = nullptr;
};

TEST_F(LayerFlush, VWaitShowsTheCollectedRectangles) {
  ASSERT_EQ(code("EnableLayers", {}), 0);
  ASSERT_EQ(code("CreateLayer", {4.0, 6.0, 8.0, 8.0}), 0);
  qmLayer* layer = layer_at_index(d->bgpic, 1);
  ASSERT_NE(layer, nullptr);
  // A change that only reached the list: the layer's pixels turn green.
  qmos_fill_bitmap_rect(layer->content->content.bitmap, 0, 0, 8, 8, 0x00FF00);
  display_dirty_add_rect(d->dirty, Rect{4, 6, 8, 8}, d->bgpic->display_width, d->bgpic->display_height);
  EXPECT_EQ(code("VWait", {}), 0);
  EXPECT_EQ(d->dirty.count, 0);
  EXPECT_EQ(qmos_read_pixel(d->buffer2, 4, 6) & 0xFFFFFF, 0x00FF00u);
  EXPECT_EQ(qmos_read_pixel(d->buffer2, 11, 13) & 0xFFFFFF, 0x00FF00u);
  // Nothing collected: VWait recomposes nothing.
  qmos_fill_bitmap_rect(layer->content->content.bitmap, 0, 0, 8, 8, 0x0000FF);
  EXPECT_EQ(code("VWait", {}), 0);
  EXPECT_EQ(qmos_read_pixel(d->buffer2, 4, 6) & 0xFFFFFF, 0x00FF00u);
}

}  // namespace

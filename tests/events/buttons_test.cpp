// Buttons: the hit test on a plain and a scaled display, and buttons leaving their own picture's
// list, with the poller's hold on them, when layers of a picture that no display shows go.
#include <gtest/gtest.h>

#include "display/display.h"
#include "display/hooks.h"
#include "engine/vm.h"
#include "events/buttons.h"
#include "events/events.h"
#include "layers/layers.h"

using namespace qm;

TEST(Buttons, HitTestOfASimpleButtonOnPlainAndScaledDisplays) {
  qmDisplay d{};
  qmBGPicButton b;
  b.x1 = b.x2 = 10;  // 1 x 1 at 10, 10
  b.y1 = b.y2 = 10;
  struct Case {
    int32_t margin_x, margin_y;
    double scale;
    int32_t x, y;
    bool hit;
  } cases[] = {
      {0, 0, 1.0, 10, 10, true},   {0, 0, 1.0, 11, 10, false},  {0, 0, 1.0, 9, 10, false},
      {0, 0, 1.0, 10, 11, false},  {0, 0, 1.0, 10, 9, false},
      // Scaled by 2 behind margins of 10 and 20: the window points 30..31 x 40..41 are the pixel.
      {10, 20, 2.0, 30, 40, true}, {10, 20, 2.0, 31, 41, true}, {10, 20, 2.0, 32, 40, false},
      {10, 20, 2.0, 29, 40, false}, {10, 20, 2.0, 30, 42, false},
  };
  for (const Case& c : cases) {
    d.margin[0] = c.margin_x;
    d.margin[1] = c.margin_y;
    d.scale_x = d.scale_y = c.scale;
    EXPECT_EQ(button_hit_test(nullptr, &d, c.x, c.y, &b), c.hit) << c.x << "," << c.y << " at scale " << c.scale;
  }
  // The border just left of or above a scaled picture is not its first column or row.
  b.x1 = b.x2 = b.y1 = b.y2 = 0;
  EXPECT_FALSE(button_hit_test(nullptr, &d, 9, 20, &b));
  EXPECT_FALSE(button_hit_test(nullptr, &d, 10, 19, &b));
  EXPECT_TRUE(button_hit_test(nullptr, &d, 10, 20, &b));
}

TEST(Buttons, LayersOfAPictureNotShownTakeTheirButtonsAlong) {
  buttons_install();
  qmState* L = vm_open();
  qmBGPic shown{}, other{};
  qmDisplay d{};
  d.bgpic = &shown;
  display_system().current = &d;
  LayerSpec spec;
  spec.type = OBJ_BOX;
  spec.width = spec.height = 4;
  qmLayer* first = nullptr;
  qmLayer* second = nullptr;
  ASSERT_EQ(layer_new(nullptr, &other, spec, &first), 0);
  ASSERT_EQ(layer_new(nullptr, &other, spec, &second), 0);
  qmBGPicButton* on_first = button_new(&other);
  on_first->type = LAYERBUTTON, on_first->layer = first, on_first->id = ObjectId{1, nullptr};
  qmBGPicButton* on_second = button_new(&other);
  on_second->type = LAYERBUTTON, on_second->layer = second, on_second->id = ObjectId{1, nullptr};
  button_new(&shown)->id = ObjectId{1, nullptr};  // the same id on the shown picture stays
  ButtonTracking& t = poller_button_tracking();
  t = ButtonTracking{on_second, on_second, on_first};
  bgpic_layers_free(L, &other);
  EXPECT_EQ(buttons_count(&other), 0);
  EXPECT_EQ(buttons_count(&shown), 1);
  EXPECT_EQ(t.cursor, nullptr);
  EXPECT_EQ(t.hovered, nullptr);
  EXPECT_EQ(t.pressed, nullptr);
  buttons_free_all(L, &shown);
  display_system().current = nullptr;
  poller_reset();
  button_hooks_reset();
  vm_close_state(L);
}

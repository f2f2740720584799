// Layer style, the layer commands and Collision through the engine on an open display: what
// programs cannot reach (groups, anim frames, a scaled display, counted redraws).
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "display/target.h"
#include "engine/errcodes.h"
#include "layers/layers.h"
#include "layers/style.h"
#include "platform/platform.h"
#include "tests/layers/layer_harness.h"

using namespace qm;
using qmtest::Outcome;

namespace {

class LayerCommandsTest : public qmtest::LayerHarness {
 protected:
  // A CreateLayer layer in a group.
  void grouped(int32_t x, int32_t y, int32_t w, int32_t h, const char* group) {
    ASSERT_EQ(code("CreateLayer", {double(x), double(y), double(w), double(h)}), 0);
    std::snprintf(layers_top(d->bgpic)->group, kGroupNameSize, "%s", group);
  }
  std::string transform_of(int32_t n) {
    const Outcome o = call("GetLayerStyle", {double(n)});
    if (o.code) return "error " + std::to_string(o.code);
    vm_push_string(L, "transform");
    vm_get_table(L, 1);
    std::string s;
    for (int32_t i = 0; i < 4; ++i) {
      vm_raw_geti(L, -1 - i, i);
      s += qmtest::describe(L, -1) + (i < 3 ? " " : "");
    }
    return s;
  }
};

}  // namespace

// SetLayerStyle, then GetLayerStyle gives back what was set, for every kind of image layer.
TEST_F(LayerCommandsTest, StyleRoundTripsForEveryImageKind) {
  ASSERT_EQ(code("CreateBrush", {1.0, 20.0, 10.0, double(0xFF0000)}), 0);
  ASSERT_EQ(code("CreateBGPic", {2.0, 40.0, 30.0, double(0x00FF00)}), 0);
  ASSERT_EQ(code("CreateLayer", {5.0, 5.0, 8.0, 8.0}), 0);
  ASSERT_EQ(code("DisplayBrush", {1.0, 0.0, 0.0}), 0);
  ASSERT_EQ(code("DisplayBrushPart", {1.0, 2.0, 3.0, 0.0, 0.0, 6.0, 4.0}), 0);
  // A part of a background picture, as the picture library will insert it.
  LayerSpec spec;
  spec.type = OBJ_BGPICPART;
  spec.id = ObjectId{2, nullptr};
  spec.width = 10, spec.height = 12;
  qmLayer* part = nullptr;
  ASSERT_EQ(layer_new(L, d->bgpic, spec, &part), 0);
  part->content->kind[0] = part->content->kind[1] = 1;
  for (int32_t n = 1; n <= 4; ++n) {
    SCOPED_TRACE(n);
    EXPECT_EQ(transform_of(n), "1 0 0 1");
    Outcome o = call_table("SetLayerStyle", {double(n)}, [&] {
      set_number("x", 17);
      set_number("y", 9);
      set_number("rotate", -370);
      set_number("scaley", 2);
      set_number("anchorx", 0.5);
      set_number("transparency", 40);
      set_number("tint", 99);
      set_number("tintcolor", 0x123456);
      set_number("shadow", 1);
      set_number("shadowsize", 6);
      set_number("shadowdir", 5);
      set_number("border", 1);
      set_number("bordersize", 3);
      set_number("hidden", 1);
    });
    ASSERT_EQ(o.code, 0);
    auto s = style(n);
    const std::map<std::string, std::string> want = {
        {"x", "17"},        {"y", "9"},         {"rotate", "-10"},   {"scaley", "2"},       {"scalex", "1"},
        {"anchorx", "0.5"}, {"transparency", "40"}, {"tint", "99"}, {"tintcolor", "1193046"}, {"shadow", "1"},
        {"shadowsize", "6"}, {"shadowdir", "5"}, {"border", "1"},     {"bordersize", "3"},   {"hidden", "1"},
        {"clipregion", "-1"}};
    for (const auto& [key, value] : want) EXPECT_EQ(s[key], value) << key;
    EXPECT_EQ(transform_of(n), "1 0 0 1");
  }
  EXPECT_EQ(style(3)["partx"], "2");
  EXPECT_EQ(style(3)["partwidth"], "6");
  EXPECT_EQ(style(4)["partheight"], "12");
  // A part key turns a brush layer into a part of it; the part must lie inside the brush.
  Outcome o = call_table("SetLayerStyle", {2.0}, [&] { set_number("partwidth", 5); });
  EXPECT_EQ(o.code, 0);
  EXPECT_EQ(layer(2)->type, OBJ_BRUSHPART);
  o = call_table("SetLayerStyle", {2.0}, [&] { set_number("partx", 18); });
  EXPECT_EQ(o.code, ERR_WRONGUSAGE);
}

// Members of a group take every key but the type and the content keys.
TEST_F(LayerCommandsTest, GroupsTakeStyleButNotContent) {
  ASSERT_EQ(code("CreateBrush", {1.0, 20.0, 10.0}), 0);
  grouped(0, 0, 4, 4, "g");
  grouped(10, 0, 4, 4, "other");
  grouped(20, 0, 4, 4, "G");
  Outcome o = call_table("SetLayerStyle", {std::string("g")}, [&] {
    set_number("transparency", 77);
    set_number("id", 1);
  });
  ASSERT_EQ(o.code, 0);
  EXPECT_EQ(layer(1)->transparency, 77);
  EXPECT_EQ(layer(2)->transparency, 0);
  EXPECT_EQ(layer(3)->transparency, 77);
  EXPECT_EQ(layer(1)->object.number, 0);
  EXPECT_EQ(layer(1)->content->content_w, 4);
  // A layer of its own takes the content.
  o = call_table("SetLayerStyle", {2.0}, [&] { set_number("id", 1); });
  ASSERT_EQ(o.code, 0);
  EXPECT_EQ(layer(2)->object.number, 1);
  EXPECT_EQ(layer(2)->content->content_w, 20);
}

TEST_F(LayerCommandsTest, AnimFrames) {
  ASSERT_EQ(code("CreateLayer", {0.0, 0.0, 4.0, 4.0}), 0);
  qmLayer* l = layer(1);
  l->type = OBJ_ANIM;  // three frames, showing the last
  l->content->kind[0] = 2;
  l->content->kind[1] = 3;
  struct Case {
    double frame;
    int32_t code, index;
  } cases[] = {{0, 0, 0}, {0, 0, 1}, {-1, 0, 2}, {3, 0, 2}, {1, 0, 0}, {4, ERR_ANIMFRAME, 0}, {-2, ERR_ANIMFRAME, 0}};
  for (const Case& c : cases) {
    Outcome o = call_table("SetLayerStyle", {1.0}, [&] { set_number("frame", c.frame); });
    EXPECT_EQ(o.code, c.code) << c.frame;
    EXPECT_EQ(l->content->kind[0], c.index) << c.frame;
  }
  EXPECT_EQ(style(1)["frame"], "1");
  EXPECT_EQ(code("NextFrame", {1.0}), 0);
  EXPECT_EQ(l->content->kind[0], 1);
  // GetLayerStyle's frame (from 1) read back shows the same frame.
  ASSERT_EQ(restyle_with_own(1), 0);
  EXPECT_EQ(l->content->kind[0], 1);
  l->type = OBJ_BRUSH;
  EXPECT_EQ(code("NextFrame", {1.0}), ERR_NOANMLAYER);
}

// Hiding a group redraws each member's rectangle once.
TEST_F(LayerCommandsTest, HideGroupPresentsEachRectangleOnce) {
  grouped(0, 0, 4, 4, "g");
  grouped(100, 50, 4, 4, "g");
  grouped(200, 50, 4, 4, "x");
  ASSERT_EQ(code("VWait", {}), 0);
  platform_recorder_start();
  ASSERT_EQ(code("HideLayer", {std::string("g")}), 0);
  ASSERT_EQ(code("VWait", {}), 0);
  std::string log;
  for (const std::string& line : platform_recorder_take()) log += line + "\n";
  EXPECT_TRUE(layer(1)->hidden && layer(2)->hidden && !layer(3)->hidden);
  auto count = [&](const std::string& what) {
    int32_t n = 0;
    for (size_t at = log.find(what); at != std::string::npos; at = log.find(what, at + 1)) ++n;
    return n;
  };
  EXPECT_EQ(count(" 0,0,4x4"), 1) << log;
  EXPECT_EQ(count(" 100,50,4x4"), 1) << log;
  EXPECT_EQ(count(" 200,50"), 0) << log;
}

// A group shown at CENTER keeps its shape with its union centred; without coordinates it only
// shows.
TEST_F(LayerCommandsTest, ShowGroupCentresTheUnion) {
  grouped(0, 0, 10, 10, "g");
  grouped(30, 10, 10, 10, "g");
  ASSERT_EQ(code("HideLayer", {std::string("g")}), 0);
  ASSERT_EQ(code("ShowLayer", {std::string("g")}), 0);
  EXPECT_EQ(layer(1)->content->pos_x, 0);
  EXPECT_FALSE(layer(1)->hidden);
  ASSERT_EQ(code("ShowLayer", {std::string("g"), double(-100000), 100000.0}), 0);
  const int32_t left = (640 - 40) / 2;
  EXPECT_EQ(layer(1)->content->pos_x, left);
  EXPECT_EQ(layer(2)->content->pos_x, left + 30);
  EXPECT_EQ(layer(1)->content->pos_y, 0);
  EXPECT_EQ(layer(2)->content->pos_y, 10);
  // One layer is placed by its own size.
  ASSERT_EQ(code("ShowLayer", {1.0, double(-100000), double(-100000)}), 0);
  EXPECT_EQ(layer(1)->content->pos_x, (640 - 10) / 2);
  EXPECT_EQ(layer(1)->content->pos_y, (480 - 10) / 2);
}

TEST_F(LayerCommandsTest, RemoveRefusesMoreThan256Members) {
  for (int32_t i = 0; i < 257; ++i) grouped(i, 0, 1, 1, "many");
  EXPECT_EQ(code("RemoveLayer", {std::string("many")}), ERR_INTERNAL);
  EXPECT_EQ(layers_count(d->bgpic), 257);
  std::snprintf(layer(1)->group, kGroupNameSize, "one");
  EXPECT_EQ(code("RemoveLayer", {std::string("many")}), 0);
  EXPECT_EQ(layers_count(d->bgpic), 1);
}

// The output checks come before the layer checks.
TEST_F(LayerCommandsTest, SelectedBrushRefusesLayerCommands) {
  ASSERT_EQ(code("CreateLayer", {0.0, 0.0, 4.0, 4.0}), 0);
  ASSERT_EQ(code("CreateBrush", {1.0, 8.0, 8.0}), 0);
  ASSERT_EQ(code("SelectBrush", {1.0}), 0);
  EXPECT_EQ(code("HideLayer", {1.0}), ERR_SELECTBRUSH);
  EXPECT_EQ(code("LayerToFront", {1.0}), ERR_SELECTBRUSH);
  EXPECT_EQ(call_table("SetLayerStyle", {1.0}, [] {}).code, ERR_SELECTBRUSH);
  // GetLayerStyle answers from the display's own picture.
  EXPECT_EQ(style(1)["x"], "0");
  ASSERT_EQ(code("EndSelect", {}), 0);
}

// On a display scaled by 2, the box is given in picture pixels.
TEST_F(LayerCommandsTest, LayerAgainstBoxOnAScaledDisplay) {
  ASSERT_EQ(code("CreateLayer", {20.0, 20.0, 10.0, 10.0}), 0);
  EXPECT_EQ(first("Collision", {double(OBJ_LAYER_VS_BOX), 1.0, 10.0, 10.0, 5.0, 5.0}), "0");
  d->scale_x = d->scale_y = 2.0;
  EXPECT_EQ(first("Collision", {double(OBJ_LAYER_VS_BOX), 1.0, 10.0, 10.0, 5.0, 5.0}), "1");
  EXPECT_EQ(first("Collision", {double(OBJ_LAYER_VS_BOX), 1.0, 5.0, 5.0, 4.9, 4.9}), "0");
  d->scale_x = d->scale_y = 1.0;
}

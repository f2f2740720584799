// The layer list: positions, moves, names, replacement and freeing.
#include <gtest/gtest.h>

#include <string>

#include "engine/errcodes.h"
#include "layers/layers.h"

using namespace qm;

namespace {

struct ListTest : ::testing::Test {
  qmBGPic pic{};
  ~ListTest() override {
    bgpic_layers_free(nullptr, &pic);
    layer_services_reset();
  }
  qmLayer* add(int32_t number, int32_t position = -1, int32_t flags = 0) {
    LayerSpec spec;
    spec.type = OBJ_BOX;
    spec.id.number = number;
    spec.width = spec.height = 4;
    spec.insert_position = position;
    spec.flags = flags;
    qmLayer* l = nullptr;
    EXPECT_EQ(layer_new(nullptr, &pic, spec, &l), 0);
    return l;
  }
  std::string order() {
    std::string s;
    for (qmLayer* l = layers_bottom(&pic); l; l = l->next) s += char('0' + l->object.number);
    return s;
  }
};

}  // namespace

TEST_F(ListTest, InsertPositionsAndLookups) {
  EXPECT_EQ(layer_at_index(&pic, 1), nullptr);
  add(1);
  add(2);
  add(3, 1);   // bottom
  add(4, 2);   // after the layer at 1
  add(5, 99);  // past the end: on top
  add(6, 0);
  EXPECT_EQ(order(), "341256");
  EXPECT_EQ(layers_count(&pic), 6);
  EXPECT_EQ(layer_at_index(&pic, 0), nullptr);
  EXPECT_EQ(layer_at_index(&pic, 7), nullptr);
  EXPECT_EQ(layer_index_of(&pic, layer_at_index(&pic, 4)), 4);
  EXPECT_EQ(layer_index_of(&pic, nullptr), -1);
}

TEST_F(ListTest, MovesAndSwaps) {
  for (int i = 1; i <= 5; ++i) add(i);
  struct Case {
    int32_t from, to, moved;
    const char* order;
  } cases[] = {{2, 4, 1, "13425"}, {4, 2, 1, "12345"}, {2, 9, 1, "13452"}, {5, 0, 0, "13452"},
               {5, 1, 1, "21345"}, {1, 1, 0, "21345"}};
  for (const Case& c : cases) {
    EXPECT_EQ(layer_move_in_list(&pic, layer_at_index(&pic, c.from), c.to), c.moved) << c.from << "->" << c.to;
    EXPECT_EQ(order(), c.order) << c.from << "->" << c.to;
  }
  bgpic_layers_free(nullptr, &pic);
  for (int i = 1; i <= 4; ++i) add(i);
  layer_swap(&pic, layer_at_index(&pic, 2), layer_at_index(&pic, 3));
  EXPECT_EQ(order(), "1324");
}

TEST_F(ListTest, Names) {
  qmLayer* a = add(1);
  qmLayer* b = add(2);
  EXPECT_EQ(layer_set_name_checked(&pic, a, "Hero"), 0);
  EXPECT_EQ(layer_find_by_name(&pic, "hero"), 1);
  EXPECT_EQ(layer_set_name_checked(&pic, b, "HERO"), ERR_NAMEUSED);
  std::strcpy(a->group, "enemies");
  EXPECT_EQ(layer_set_name_checked(&pic, b, "Enemies"), ERR_NAMEUSED);
  EXPECT_EQ(layer_set_name_checked(&pic, b, std::string(256, 'x').c_str()), ERR_NAMETOOLONG);
  EXPECT_EQ(layer_set_name_checked(&pic, b, std::string(255, 'x').c_str()), 0);
  EXPECT_EQ(layer_set_name_checked(&pic, b, ""), 0);
  EXPECT_EQ(b->name, nullptr);
}

TEST_F(ListTest, ReplacementRefusedByAnAsyncDrawChangesNothing) {
  add(1);
  qmLayer* old = add(2);
  const qmClipRegion* region = new qmClipRegion{0, 0, 4, 4, nullptr, 0};
  old->content->clip = region;
  old->content->clip_owned = 1;
  layer_services().async_draw_error = [](const qmLayer* l) { return l->object.number == 2 ? ERR_WRONGUSAGE : 0; };
  LayerSpec spec;
  spec.type = OBJ_BOX;
  spec.id.number = 7;
  spec.width = spec.height = 4;
  spec.insert_position = 2;
  spec.flags = LAYER_REPLACE;
  spec.image.bitmap = qmos_alloc_bitmap(4, 4);  // handed over: freed on failure
  EXPECT_EQ(layer_new(nullptr, &pic, spec, nullptr), ERR_WRONGUSAGE);
  EXPECT_EQ(order(), "12");
  EXPECT_EQ(old->content->clip, region);
  layer_services_reset();
  // Accepted: the new layer takes the old one's place and its clip region, freed once (ASan).
  spec.image.bitmap = nullptr;
  EXPECT_EQ(layer_new(nullptr, &pic, spec, nullptr), 0);
  EXPECT_EQ(order(), "17");
  EXPECT_EQ(layer_at_index(&pic, 2)->content->clip, region);
}

TEST_F(ListTest, SharedStatesFreedOnce) {
  qmLayer* a = add(1);
  qmLayer* b = add(2);
  qmLayer* c = add(3);
  // Unscaled of its own, display shared with it; all three distinct; all one (ASan judges).
  a->unscaled = a->display = new qmLayerState;
  b->unscaled = new qmLayerState;
  b->display = new qmLayerState;
  c->display = new qmLayerState;
  c->display->shadow = qmos_alloc_alpha(4, 4, 1);
}

TEST_F(ListTest, SetPositionMovesStatesAndCollectsTheRectangle) {
  qmLayer* l = add(1);
  l->transform.anchor_x = 0.5;  // a 4x4 layer anchored at its middle column
  DirtyList dirty;
  ASSERT_EQ(dirty_list_init(dirty, 1), 0);
  struct Case {
    int32_t x, y, relative;
    int32_t pos_x, pos_y, bounds_x;
  } cases[] = {
      {10, 20, 0, 10, 20, 8},
      {kKeepCoordinate, 5, 0, 10, 5, 8},
      {3, 3, 3, 13, 8, 11},
  };
  for (const Case& c : cases) {
    layer_set_position(nullptr, l, c.x, c.y, false, c.relative, &dirty);
    EXPECT_EQ(l->content->pos_x, c.pos_x);
    EXPECT_EQ(l->content->pos_y, c.pos_y);
    EXPECT_EQ(l->display->bounds_x, c.bounds_x);
  }
  // The first move from (0, 0) covers both places; the list grew for the later ones.
  EXPECT_EQ(dirty.count, 3);
  EXPECT_EQ(dirty_entry(dirty, 0), (Corners{0, 0, 11, 23}));
  dirty_list_free(dirty);
}

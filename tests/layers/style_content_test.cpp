// The content keys of text, shape and path layers through SetLayerStyle and GetLayerStyle, where
// programs cannot reach: every drawn kind's round trip (paths need a path that the vectorgraphics
// library will provide), tab and cursor rules, and what the conversions ask of the text and draw
// libraries.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "engine/errcodes.h"
#include "layers/style.h"
#include "tests/layers/layer_harness.h"

using namespace qm;
using qmtest::Outcome;

namespace {

class StyleContentTest : public qmtest::LayerHarness {
 protected:
  void set_list(const char* key, std::initializer_list<double> values) {
    vm_push_string(L, key);
    vm_new_table(L);
    int32_t i = 0;
    for (double v : values) {
      vm_push_number(L, v);
      vm_raw_seti(L, -2, i++);
    }
    vm_set_table(L, -3);
  }
};

// Accepts the path numbered 7.
int32_t path_seven(qmState*, const ObjectId& id, std::vector<uint32_t>*) {
  return id.number == 7 && !id.handle ? 0 : ERR_FINDPATH;
}

}  // namespace

// Each drawn kind made from a brush layer answers its keys, and its own answer set again changes
// nothing: content, size and the default transform stay.
TEST_F(StyleContentTest, EveryDrawnKindRoundTrips) {
  layer_services().path_find = path_seven;
  struct Case {
    int32_t type;
    std::function<void()> keys;
    std::map<std::string, std::string> want;
  };
  const Case cases[] = {
      {OBJ_TEXTOUT, [&] { set_string("text", "Hi"), set_number("align", -100000), set_number("rightmargin", 90); },
       {{"text", "'Hi'"}, {"align", "-100000"}, {"rightmargin", "90"}, {"font", "'quill'"}}},
      {OBJ_PRINT, [&] { set_string("text", "Ho"), set_number("leftmargin", 3), set_number("fontstyle", 4); },
       {{"text", "'Ho'"}, {"leftmargin", "3"}, {"rightmargin", "639"}, {"fontstyle", "4"}}},
      {OBJ_BOX, [&] { set_number("sizex", 9), set_number("cornera", 10), set_number("cornerd", 40); },
       {{"sizex", "9"}, {"sizey", "8"}, {"cornera", "10"}, {"cornerb", "0"}, {"cornerd", "40"}}},
      {OBJ_CIRCLE, [&] { set_number("radius", 4), set_number("fillstyle", 1); },
       {{"radius", "4"}, {"fillstyle", "1"}}},
      {OBJ_ELLIPSE, [&] { set_number("radiusa", 4), set_number("radiusb", 2); }, {{"radiusb", "2"}}},
      {OBJ_ARC,
       [&] {
         set_number("radiusa", 3), set_number("radiusb", 5), set_number("startangle", 30);
         set_number("endangle", 200), set_number("clockwise", 1);
       },
       {{"startangle", "30"}, {"endangle", "200"}, {"clockwise", "1"}, {"radiusb", "5"}}},
      {OBJ_LINE, [&] { set_number("x1", 9), set_number("y1", 3), set_number("x2", 1), set_number("thickness", 2); },
       {{"x", "1"}, {"y", "3"}, {"x1", "9"}, {"x2", "1"}, {"y2", "12"}, {"thickness", "2"}}},
      {OBJ_POLYGON, [&] { set_list("vertices", {4, 4, 10.5, 4, 4, 9}); },
       {{"vertices", "{0 0 6.5 0 0 5 0 0}"}, {"numvertices", "4"}}},
      {OBJ_VECTORPATH,
       [&] {
         set_number("id", 7), set_number("linejoin", 2), set_number("dashoffset", 1.5);
         set_list("dashes", {3, 1});
       },
       {{"id", "7"}, {"linejoin", "2"}, {"dashoffset", "1.5"}, {"dashes", "{3 1}"}, {"fillrule", "0"}}},
  };
  int32_t n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    ASSERT_EQ(code("CreateLayer", {5.0, 5.0, 8.0, 8.0}), 0);
    ++n;
    Outcome o = call_table("SetLayerStyle", {double(n)}, [&] {
      set_number("type", c.type);
      c.keys();
    });
    ASSERT_EQ(o.code, 0);
    EXPECT_EQ(layer(n)->type, c.type);
    const auto before = style(n);
    for (const auto& [key, value] : c.want) EXPECT_EQ(before.at(key), value) << key;
    EXPECT_EQ(before.at("transform"), "{1 0 0 1}");
    const qmLayerState* s = layer(n)->content;
    const int32_t w = s->content_w, h = s->content_h;
    ASSERT_EQ(restyle_with_own(n), 0);
    EXPECT_EQ(style(n), before);
    EXPECT_EQ(s->content_w, w);
    EXPECT_EQ(s->content_h, h);
    EXPECT_NE(s->content.bitmap, nullptr);
  }
}

// A print layer's tab stops are kept ascending; its cursor x outside the margins falls back to the
// left margin; cursor keys cannot come with position or anchor keys.
TEST_F(StyleContentTest, PrintTabsAndCursor) {
  ASSERT_EQ(code("CreateLayer", {0.0, 0.0, 8.0, 8.0}), 0);
  Outcome o = call_table("SetLayerStyle", {1.0}, [&] {
    set_number("type", OBJ_PRINT), set_string("text", "t");
    set_number("leftmargin", 10), set_number("rightmargin", 100);
    set_list("tabs", {30, 10, 20, 10});
  });
  ASSERT_EQ(o.code, 0);
  const LayerDrawn& p = *layer(1)->content->drawn;
  EXPECT_EQ(p.tabs, (std::vector<int32_t>{10, 10, 20, 30}));
  struct Case {
    double x;
    int32_t want;
  } cases[] = {{50, 50}, {10, 10}, {100, 100}, {9, 10}, {101, 10}, {-5, 10}};
  for (const Case& c : cases) {
    EXPECT_EQ(call_table("SetLayerStyle", {1.0}, [&] { set_number("cursorx", c.x), set_number("cursory", 7); }).code, 0);
    EXPECT_EQ(p.cursor_x, c.want) << c.x;
    EXPECT_EQ(p.cursor_y, 7);
  }
  for (const char* key : {"x", "translatey", "anchorx"}) {
    o = call_table("SetLayerStyle", {1.0}, [&] { set_number("cursory", 1), set_number(key, 0); });
    EXPECT_EQ(o.code, ERR_WRONGUSAGE) << key;
  }
  EXPECT_EQ(p.cursor_y, 7);
  // A special coordinate, an offset one included, is no cursor.
  o = call_table("SetLayerStyle", {1.0}, [&] { set_number("cursorx", -80000 + 12); });
  EXPECT_EQ(o.code, ERR_NOCOORDCST);
  // A tab table of another type.
  o = call_table("SetLayerStyle", {1.0}, [&] { set_number("tabs", 5); });
  EXPECT_EQ(o.code, ERR_TABEXPECTED2);
}

// The font is opened again through the font cache only when a font key is given, with the cache
// flag (default 1) and the linked-file flag; its refusal leaves the layer's font as it was.
TEST_F(StyleContentTest, FontKeysReopenTheFont) {
  static std::vector<LayerFont> opened;
  opened.clear();
  layer_services().font_open = [](qmState*, LayerFont* f) {
    opened.push_back(*f);
    return f->size > 100 ? ERR_FINDFONT : 0;
  };
  ASSERT_EQ(code("CreateLayer", {0.0, 0.0, 8.0, 8.0}), 0);
  auto restyle = [&](const std::function<void()>& keys) { return call_table("SetLayerStyle", {1.0}, keys).code; };
  ASSERT_EQ(restyle([&] { set_number("type", OBJ_TEXTOUT), set_string("text", "a"); }), 0);
  EXPECT_TRUE(opened.empty());
  EXPECT_EQ(restyle([&] { set_number("fontsize", 12); }), 0);
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0].name, "quill");
  EXPECT_EQ(opened[0].size, 12);
  EXPECT_EQ(opened[0].cache, 1);
  EXPECT_EQ(opened[0].linked, 0);
  EXPECT_EQ(restyle([&] { set_string("font", ":::chunk1:2*x/f"), set_number("fontcache", 0), set_number("fontengine", 4); }),
            0);
  ASSERT_EQ(opened.size(), 2u);
  EXPECT_EQ(opened[1].linked, 1);
  EXPECT_EQ(opened[1].cache, 0);
  EXPECT_EQ(opened[1].engine, 4);
  EXPECT_EQ(opened[1].size, 12);
  EXPECT_EQ(restyle([&] { set_number("fontsize", 200), set_string("text", "b"); }), ERR_FINDFONT);
  const auto s = style(1);
  EXPECT_EQ(s.at("fontsize"), "12");
  EXPECT_EQ(s.at("text"), "'a'");
}

// A layer turned into text or a shape from another kind starts from the text or draw library's
// current settings; a shape turned into another shape keeps its colour and style.
TEST_F(StyleContentTest, ConversionsStartFromTheLibraries) {
  layer_services().text_style = [](LayerTextStyle* s, uint32_t* colour, LayerFont* f) {
    *s = LayerTextStyle{};
    s->flags = 2;
    *colour = 0x123456;
    *f = LayerFont{};
    f->name = "serif", f->size = 20;
  };
  layer_services().draw_style = [](LayerShapeStyle* s) {
    *s = LayerShapeStyle{};
    s->draw.fill_style = FILLCOLOR;
    s->draw.form_style = 16;
  };
  ASSERT_EQ(code("CreateLayer", {0.0, 0.0, 8.0, 8.0}), 0);
  ASSERT_EQ(code("CreateLayer", {0.0, 0.0, 8.0, 8.0}), 0);
  ASSERT_EQ(call_table("SetLayerStyle", {1.0}, [&] { set_number("type", OBJ_TEXTOUT), set_string("text", "x"); }).code,
            0);
  auto s = style(1);
  EXPECT_EQ(s.at("fontstyle"), "2");
  EXPECT_EQ(s.at("color"), "1193046");
  EXPECT_EQ(s.at("font"), "'serif'");
  EXPECT_EQ(s.at("fontsize"), "20");
  ASSERT_EQ(call_table("SetLayerStyle", {2.0}, [&] { set_number("type", OBJ_BOX), set_number("color", 0xFF); }).code, 0);
  s = style(2);
  EXPECT_EQ(s.at("fillstyle"), "1");
  EXPECT_EQ(s.at("formstyle"), "16");
  EXPECT_EQ(s.at("sizex"), "8");  // the layer's own box
  layer_services_reset();
  ASSERT_EQ(call_table("SetLayerStyle", {2.0}, [&] { set_number("type", OBJ_ELLIPSE), set_number("radiusa", 2), set_number("radiusb", 2); }).code, 0);
  s = style(2);
  EXPECT_EQ(s.at("fillstyle"), "1");
  EXPECT_EQ(s.at("color"), "255");
  // Groups take no content keys.
  std::snprintf(layer(2)->group, kGroupNameSize, "g");
  ASSERT_EQ(call_table("SetLayerStyle", {std::string("g")}, [&] { set_number("radiusa", 9), set_number("transparency", 5); }).code, 0);
  EXPECT_EQ(style(2).at("radiusa"), "2");
  EXPECT_EQ(layer(2)->transparency, 5);
}

// Paths: the id must name a path (none exists until the vectorgraphics library does), and dashes
// are numbers.
TEST_F(StyleContentTest, PathKeys) {
  ASSERT_EQ(code("CreateLayer", {0.0, 0.0, 8.0, 8.0}), 0);
  EXPECT_EQ(call_table("SetLayerStyle", {1.0}, [&] { set_number("type", OBJ_VECTORPATH); }).code, ERR_MISSINGPARAMTR);
  EXPECT_EQ(call_table("SetLayerStyle", {1.0}, [&] { set_number("type", OBJ_VECTORPATH), set_number("id", 7); }).code,
            ERR_FINDPATH);
  layer_services().path_find = path_seven;
  Outcome o = call_table("SetLayerStyle", {1.0}, [&] {
    set_number("type", OBJ_VECTORPATH), set_number("id", 7);
    vm_push_string(L, "dashes");
    vm_new_table(L);
    vm_push_string(L, "long");
    vm_raw_seti(L, -2, 0);
    vm_set_table(L, -3);
  });
  EXPECT_EQ(o.code, ERR_NUMTABLEARG);
  EXPECT_EQ(layer(1)->type, OBJ_BRUSH);
  EXPECT_EQ(call_table("SetLayerStyle", {1.0}, [&] { set_number("type", OBJ_VECTORPATH), set_number("id", 7); }).code, 0);
  EXPECT_EQ(layer(1)->object.number, 7);
}

// Anims and text objects: a layer turned into one needs its id and takes the object's size (an
// anim from its first frame); they come from their libraries, which answer for themselves later.
TEST_F(StyleContentTest, AnimAndTextObjectContent) {
  ASSERT_EQ(code("CreateLayer", {0.0, 0.0, 8.0, 8.0}), 0);
  auto restyle = [&](const std::function<void()>& keys) { return call_table("SetLayerStyle", {1.0}, keys).code; };
  EXPECT_EQ(restyle([&] { set_number("type", OBJ_ANIM), set_number("id", 5); }), ERR_UNSUPPORTEDFEAT);
  static qmBitmap* frame = nullptr;
  frame = qmos_alloc_bitmap(6, 4);
  layer_services().anim_frame = [](qmState*, const ObjectId& id, int32_t, LayerPlanes* out, int32_t* count) {
    if (id.number != 5) return ERR_FINDANIM;
    *out = LayerPlanes{frame, nullptr, nullptr, 6, 4, 0, 0};
    *count = 3;
    return 0;
  };
  layer_services().textobject_image = [](qmState*, const ObjectId&, LayerPlanes* out) {
    *out = LayerPlanes{frame, nullptr, nullptr, 6, 4, 0, 0};
    return 0;
  };
  EXPECT_EQ(restyle([&] { set_number("type", OBJ_ANIM); }), ERR_MISSINGPARAMTR);
  EXPECT_EQ(restyle([&] { set_number("type", OBJ_ANIM), set_number("id", 6); }), ERR_FINDANIM);
  EXPECT_EQ(layer(1)->type, OBJ_BRUSH);
  ASSERT_EQ(restyle([&] { set_number("type", OBJ_ANIM), set_number("id", 5), set_number("frame", -1); }), 0);
  const qmLayerState* c = layer(1)->content;
  EXPECT_EQ(layer(1)->object.number, 5);
  EXPECT_EQ(c->kind[0], 2);
  EXPECT_EQ(c->kind[1], 3);
  EXPECT_EQ(c->content_w, 6);
  EXPECT_EQ(c->content_h, 4);
  ASSERT_EQ(restyle_with_own(1), 0);
  EXPECT_EQ(c->kind[0], 2);
  ASSERT_EQ(restyle([&] { set_number("type", OBJ_TEXTOBJECT), set_number("id", 9); }), 0);
  EXPECT_EQ(layer(1)->type, OBJ_TEXTOBJECT);
  EXPECT_EQ(style(1).at("id"), "9");
  ASSERT_EQ(restyle([&] { set_number("type", OBJ_CIRCLE), set_number("radius", 2); }), 0);
  EXPECT_EQ(layer(1)->object.number, 0);
  layer_services_reset();
  qmos_free_bitmap(frame);
}

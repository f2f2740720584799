// What a drawn layer (a text, a shape or a path) keeps of its content, so that the text and draw
// libraries can render it again whenever the layer is rebuilt. The content state of such a layer
// owns one record; the layer style fills it from style tables and answers it back.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gfx/style.h"
#include "layers/style_table.h"
#include "runtime/registry.h"

namespace qm {

// Text style flags beyond the font engine's (text/font.h).
enum : int32_t { TEXTSTYLE_NORMAL = 1, TEXTSTYLE_SHADOW = 32, TEXTSTYLE_EDGE = 64 };
inline constexpr int32_t kTextAlignLeft = -90000;
// A print layer keeps at most this many tab stops.
inline constexpr int32_t kLayerMaxTabs = 31;

// The text library's style words that a text layer keeps; its colour is the state's colour. The
// SHADOW and EDGE switches are the layer's own shadow and border.
struct LayerTextStyle {
  int32_t flags = TEXTSTYLE_NORMAL;
  uint32_t shadow_colour = 0;
  uint32_t edge_colour = 0x0093DD;
  int32_t shadow_distance = 4, shadow_direction = 3, edge_size = 2;
};
// Shadow distance and edge size into 1..64, a direction above 7 becomes south-east.
void layer_text_style_clamp(LayerTextStyle* style);

// The font of a text layer: how it was asked for, and what the font cache gave for it.
struct LayerFont {
  std::string name = "quill";
  int32_t size = 8, engine = 0, cache = 1;
  int32_t linked = 0;    // the name is a linked or virtual file
  void* font = nullptr;  // the font cache's record; none until the text library opens fonts
};

// The drawing style of a shape or a path layer.
struct LayerShapeStyle {
  LayerDrawStyle draw;
  qmShapeEffects effects{2, 0x0093DD, 4, SHDWSOUTHEAST, 0, 1};
};

struct LayerVertex {
  double x = 0.0, y = 0.0;
};

// One record for every drawn kind; each kind uses its own fields.
struct LayerDrawn {
  // TEXTOUT and PRINT.
  std::string text;
  LayerTextStyle text_style;
  LayerFont font;
  int32_t encoding = 0;
  int32_t align = kTextAlignLeft;
  // For TEXTOUT the right margin is the word-wrap width (0: none).
  int32_t left_margin = 0, right_margin = 0;
  int32_t cursor_x = 0, cursor_y = 0;
  std::vector<int32_t> tabs;  // ascending
  // Kept by the renderer, so that a layer rendered again breaks its lines at the same words.
  std::vector<int32_t> word_breaks, tab_choices;
  // TEXTOUT: the word breaks are the script's word-wrap table, which every render follows.
  int32_t wrap_table = 0;

  // Shapes and paths.
  LayerShapeStyle style;
  int32_t size_x = 0, size_y = 0;
  int32_t corners[4] = {0, 0, 0, 0};  // percent: top-left, bottom-left, bottom-right, top-right
  int32_t radius_a = 0, radius_b = 0;
  int32_t start_angle = 0, end_angle = 0, clockwise = 0;
  int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // picture coordinates; they move with the layer
  int32_t thickness = 1;
  std::vector<LayerVertex> vertices;  // closed, moved so that their box starts at 0, 0

  // VECTORPATH: the path drawn, and its own copy of the path's operations (the buffer's words up to
  // and with its end word), so that the layer outlives changes to the path and the path itself.
  ObjectId path;
  std::vector<uint32_t> path_ops;
  int32_t line_join = 0, line_cap = 0, fill_rule = 0;
  double dash_offset = 0.0;
  std::vector<double> dashes;
};

// TEXTOUT, PRINT, the shapes and VECTORPATH.
bool layer_kind_is_drawn(int32_t type);

}  // namespace qm

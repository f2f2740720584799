// The form, fill, gradient and texture fields of a style table, shared by the drawing commands
// and the layer style: reading them into a drawing style record (with the shadow and border
// switches that a form style carries for a layer) and writing them back for GetLayerStyle.
#pragma once

#include <cstdint>

#include "display/bgpic.h"
#include "gfx/gradient.h"
#include "runtime/registry.h"

struct qmState;

namespace qm {

// Form style bits.
enum : int32_t { FORM_NORMAL = 1, FORM_ANTIALIAS = 16, FORM_SHADOW = 32, FORM_EDGE = 64 };

// The shadow and border switches of a layer, which a form style's SHADOW and EDGE bits turn on
// and off.
struct StyleSwitches {
  int32_t shadow = 0, border = 0;
};

// The drawing style fields a layer of a drawn kind keeps.
struct LayerDrawStyle {
  int32_t form_style = FORM_NORMAL;
  int32_t fill_style = FILLNONE;
  qmGradient gradient{};  // style (type), colours, colour table (stop_count), angle and options
  ObjectId texture_brush;
  int32_t texture_x = 0, texture_y = 0;
};

// Reads "formstyle", "formstyleclear", "fillstyle", the gradient keys and the texture keys of the
// table at t into style. A form style with NORMAL becomes NORMAL alone; otherwise SHADOW and EDGE
// switch the layer's shadow and border in *switches (setting *changed) and the other bits are
// added ("formstyleclear" removes them). *given is set when any field was read. switches may be
// nullptr: the SHADOW and EDGE bits then stay in the form style. 0 or the gradient reader's error.
int32_t read_style_table(qmState* L, int32_t t, StyleSwitches* switches, LayerDrawStyle* style, bool* given,
                         bool* changed);
// Sets "formstyle", "fillstyle", "gradientstyle", "gradientangle", "gradientstartcolor",
// "gradientendcolor", "texturebrush" (an id), "texturex" and "texturey" in the table on top of
// the stack.
void write_style_table(qmState* L, const LayerDrawStyle& style);

}  // namespace qm

// Reading and writing the drawing style fields of a style table.
#include "layers/style_table.h"

#include <utility>

#include "display/fill.h"
#include "engine/vm.h"
#include "runtime/args.h"

namespace qm {

namespace {

// The SHADOW and EDGE bits of a form-style value switch the layer's shadow and border; the rest
// is left in *bits.
void take_switches(StyleSwitches* switches, int32_t* bits, int32_t on, bool* changed) {
  if (!switches) return;
  if (*bits & FORM_SHADOW) {
    switches->shadow = on;
    *changed = true;
  }
  if (*bits & FORM_EDGE) {
    switches->border = on;
    *changed = true;
  }
  *bits &= ~(FORM_SHADOW | FORM_EDGE);
}

}  // namespace

int32_t read_style_table(qmState* L, int32_t t, StyleSwitches* switches, LayerDrawStyle* style, bool* given,
                         bool* changed) {
  t = vm_abs_index(L, t);
  bool any = false;
  int32_t bits = 0, present = 0;
  opt_get_int(L, t, "formstyle", &bits, &present);
  if (present) {
    if (bits & FORM_NORMAL) {
      style->form_style = FORM_NORMAL;
      any = true;
    } else {
      take_switches(switches, &bits, 1, changed);
      // NORMAL stands for no other bit, so that GetLayerStyle's answer reads back the same.
      if (bits) style->form_style = (style->form_style & ~FORM_NORMAL) | bits;
      any |= bits != 0;
    }
  }
  present = 0;
  opt_get_int(L, t, "formstyleclear", &bits, &present);
  if (present) {
    take_switches(switches, &bits, 0, changed);
    style->form_style &= ~bits;
    any |= bits != 0;
  }
  any |= opt_get_int(L, t, "fillstyle", &style->fill_style, nullptr) != 0;
  any |= opt_get_int(L, t, "gradientstyle", &style->gradient.type, nullptr) != 0;
  any |= opt_get_int(L, t, "gradientangle", &style->gradient.angle, nullptr) != 0;
  for (auto [key, colour] : {std::pair{"gradientstartcolor", &style->gradient.start_colour},
                             std::pair{"gradientendcolor", &style->gradient.end_colour}}) {
    if (opt_get_uint(L, t, key, colour, nullptr)) {
      *colour &= 0xFFFFFF;
      style->gradient.stop_count = 0;
      any = true;
    }
  }
  if (style->fill_style == FILLGRADIENT)
    if (int32_t err = gradient_read_table(L, t, true, &style->gradient)) return err;
  any |= opt_get_id(L, t, "texturebrush", &style->texture_brush, nullptr) != 0;
  any |= opt_get_int(L, t, "texturex", &style->texture_x, nullptr) != 0;
  any |= opt_get_int(L, t, "texturey", &style->texture_y, nullptr) != 0;
  if (any) *given = true;
  return 0;
}

void write_style_table(qmState* L, const LayerDrawStyle& style) {
  table_set_number(L, "formstyle", style.form_style);
  table_set_number(L, "fillstyle", style.fill_style);
  table_set_number(L, "gradientstyle", style.gradient.type);
  table_set_number(L, "gradientangle", style.gradient.angle);
  table_set_double(L, "gradientstartcolor", double(style.gradient.start_colour));
  table_set_double(L, "gradientendcolor", double(style.gradient.end_colour));
  table_set_id(L, "texturebrush", style.texture_brush);
  table_set_number(L, "texturex", style.texture_x);
  table_set_number(L, "texturey", style.texture_y);
}

}  // namespace qm

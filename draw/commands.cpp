// The draw library's commands: argument reading, and the constants it registers.
#include <iterator>

#include "display/fill.h"
#include "display/picture.h"
#include "draw/draw.h"
#include "draw/raster.h"
#include "engine/errcodes.h"
#include "engine/numconv.h"
#include "engine/vm.h"
#include "layers/layer.h"
#include "runtime/args.h"

namespace qm {

namespace {

int32_t arg_int(qmState* L, int32_t n) { return to_i32(vm_arg_check_number(L, n)); }
uint32_t arg_colour(qmState* L, int32_t n) { return to_u32_bits(vm_arg_check_number(L, n)); }

// Each style command works on a copy that becomes the style only when it succeeded.
template <typename F>
int32_t change_style(F&& change) {
  qmDrawStyle s = draw_get_style();
  if (int32_t err = change(s)) return err;
  draw_style_normalise(&s);
  draw_get_style() = s;
  return 0;
}

int32_t cmd_setlinewidth(qmState* L) {
  arg_check_count(L, 1, 1);
  const int32_t width = arg_int(L, 1);
  if (width < 1) return ERR_WRONGUSAGE;
  draw_get_style().effects.line_width = width;
  return 0;
}

int32_t cmd_setfillstyle(qmState* L) {
  arg_check_count(L, 1, 6);
  const int32_t n = vm_get_top(L);
  return change_style([&](qmDrawStyle& s) -> int32_t {
    const int32_t style = arg_int(L, 1);
    switch (style) {
      case FILLNONE:
        s.effects.line_width = n >= 2 ? arg_int(L, 2) : 1;
        break;
      case FILLCOLOR: break;
      case FILLGRADIENT: {
        // An option table may follow the colours directly, or after an angle.
        const bool table_fifth = n >= 5 && vm_type(L, 5) == QM_TTABLE;
        if (int32_t err = gradient_from_args(L, 2, table_fifth ? 7 : 5, table_fifth ? 5 : 6, &s.draw.gradient))
          return err;
        break;
      }
      case FILLTEXTURE:
        if (n < 2) return ERR_MISSINGPARAMTR;
        s.draw.texture_brush = arg_get_id(L, 2);
        s.draw.texture_x = n >= 3 ? arg_int(L, 3) : 0;
        s.draw.texture_y = n >= 4 ? arg_int(L, 4) : 0;
        break;
      default: return ERR_WRONGUSAGE;
    }
    s.draw.fill_style = style;
    return 0;
  });
}

int32_t cmd_setformstyle(qmState* L) {
  arg_check_count(L, 1, 4);
  const int32_t n = vm_get_top(L);
  return change_style([&](qmDrawStyle& s) -> int32_t {
    const int32_t form = arg_int(L, 1);
    int32_t& bits = s.draw.form_style;
    qmShapeEffects& fx = s.effects;
    if (form & FORM_NORMAL) {
      if (n > 1) return ERR_TOOMANYARGS;
      bits = FORM_NORMAL;
      return 0;
    }
    if (form == FORM_SHADOW && n >= 2) {
      fx.shadow_colour = arg_colour(L, 2);
      if (n >= 3) fx.shadow_size = arg_int(L, 3);
      if (n >= 4) fx.shadow_direction = arg_int(L, 4);
    } else if (form == FORM_EDGE && n >= 2) {
      if (n > 3) return ERR_TOOMANYARGS;
      fx.edge_colour = arg_colour(L, 2);
      if (n >= 3) fx.edge_size = arg_int(L, 3);
    } else if (n > 1) {
      return ERR_TOOMANYARGS;
    }
    // NORMAL stands for no other bit.
    bits = (bits & ~FORM_NORMAL) | form;
    return 0;
  });
}

const qmCommand kDrawCommands[] = {
    {"SetFillStyle", cmd_setfillstyle},
    {"SetFormStyle", cmd_setformstyle},
    {"SetLineWidth", cmd_setlinewidth},
    {nullptr, nullptr},
};

const qmConstant kDrawConstants[] = {
    {"BLACK", nullptr, 0x000000},  {"MAROON", nullptr, 0x800000}, {"GREEN", nullptr, 0x008000},
    {"OLIVE", nullptr, 0x808000},  {"NAVY", nullptr, 0x000080},   {"PURPLE", nullptr, 0x800080},
    {"TEAL", nullptr, 0x008080},   {"GRAY", nullptr, 0x808080},   {"SILVER", nullptr, 0xC0C0C0},
    {"RED", nullptr, 0xFF0000},    {"LIME", nullptr, 0x00FF00},   {"YELLOW", nullptr, 0xFFFF00},
    {"BLUE", nullptr, 0x0000FF},   {"FUCHSIA", nullptr, 0xFF00FF}, {"AQUA", nullptr, 0x00FFFF},
    {"WHITE", nullptr, 0xFFFFFF},  {"FILLNONE", nullptr, 0},      {"FILLCOLOR", nullptr, 1},
    {"FILLGRADIENT", nullptr, 2},  {"FILLTEXTURE", nullptr, 3},   {"BOX", nullptr, 14},
    {"LINE", nullptr, 17},         {"CIRCLE", nullptr, 15},       {"PLOT", nullptr, 18},
    {"ELLIPSE", nullptr, 16},      {"POLYGON", nullptr, 27},      {"ARC", nullptr, 31},
    {nullptr, nullptr, 0},
};

}  // namespace

int32_t draw_open(qmState* L) {
  raster_install();
  // A layer turned into a shape from another kind starts from the current style.
  layer_services().draw_style = [](LayerShapeStyle* out) { *out = draw_get_style(); };
  draw_get_style() = draw_style_defaults();
  return picture_library_open(L, kDrawCommands, kDrawConstants, "draw", nullptr);
}

void draw_cleanup() { raster_release_spare(); }

}  // namespace qm

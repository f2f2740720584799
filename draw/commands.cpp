// The draw library's commands: argument reading, and the constants it registers.
#include <algorithm>
#include <cmath>
#include <iterator>
#include <type_traits>
#include <vector>

#include "display/fill.h"
#include "display/graphics.h"
#include "display/picture.h"
#include "display/showbrush.h"
#include "draw/draw.h"
#include "draw/paths.h"
#include "draw/pixels.h"
#include "draw/raster.h"
#include "draw/shape.h"
#include "runtime/errors.h"
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

uint32_t opt_colour(qmState* L, int32_t n) {
  return vm_get_top(L) >= n && vm_type(L, n) != QM_TNIL ? arg_colour(L, n) : 0;
}

// The options of a shape command: a table at `index` (read as display options, and by `extra` for
// the command's own fields), or a number there read by `number` and a rotation at `index + 1`
// (for Circle, Ellipse and Polygon the number is the rotation itself: `number` is nullptr).
struct ShapeOptions {
  qmTransformTags tt;
  qmDrawTagOptions dt;
};
template <typename Extra, typename Number>
int32_t read_options(qmState* L, int32_t index, int32_t w, int32_t h, ShapeOptions* o, Extra&& extra,
                     Number&& number) {
  const int32_t n = vm_get_top(L);
  const bool table = n >= index && vm_type(L, index) == QM_TTABLE;
  if (int32_t err = brush_display_options(L, table ? index : 0, w, h, w, h, 0, &o->tt, &o->dt, DISPOPT_RESET))
    return err;
  if (table) return extra(index);
  int32_t rotation_index = index;
  if constexpr (!std::is_same_v<std::decay_t<Number>, std::nullptr_t>) {
    if (n >= index && vm_type(L, index) != QM_TNIL) number(index);
    rotation_index = index + 1;
  }
  if (n >= rotation_index && vm_type(L, rotation_index) != QM_TNIL) {
    // Whole degrees, reduced by the remainder of division by 360 with the sign kept.
    const int32_t angle = int32_t(std::fmod(std::trunc(vm_arg_check_number(L, rotation_index)), 360.0));
    const Matrix2 m = transform_from_scale_rotate(w, h, w, h, 1.0, 1.0, angle);
    o->tt.rotate = angle;
    o->tt.matrix[0] = m.m[0], o->tt.matrix[1] = m.m[2], o->tt.matrix[2] = m.m[1], o->tt.matrix[3] = m.m[3];
  }
  return 0;
}
constexpr std::nullptr_t kNoNumber = nullptr;
int32_t no_extra(int32_t) { return 0; }

// Fills the call from the shape's description and options and draws it at (x, y), which may be
// special positions unless `plain`.
int32_t shape_command(qmState* L, ShapeDesc& desc, int32_t x, int32_t y, const ShapeOptions& o, bool plain = false) {
  ShapeCall call;
  desc.style = draw_get_style();
  desc.matrix.m[0] = o.tt.matrix[0], desc.matrix.m[1] = o.tt.matrix[2];
  desc.matrix.m[2] = o.tt.matrix[1], desc.matrix.m[3] = o.tt.matrix[3];
  desc.anchor_x = o.tt.anchor_x, desc.anchor_y = o.tt.anchor_y;
  call.desc = desc;
  call.x = plain ? x : coord_resolve_special_x(x, desc.geometry.width, 0, o.tt.anchor_x);
  call.y = plain ? y : coord_resolve_special_y(y, desc.geometry.height, 0, o.tt.anchor_y);
  call.transform = &o.tt;
  call.options = &o.dt;
  return shape_draw(L, call);
}

bool table_field(qmState* L, int32_t t, const char* key, int32_t* out) {
  int32_t given = 0;
  opt_get_int(L, t, key, out, &given);
  return given != 0;
}

int32_t cmd_box(qmState* L) {
  arg_check_count(L, 4, 7);
  const int32_t x = arg_int(L, 1), y = arg_int(L, 2), w = arg_int(L, 3), h = arg_int(L, 4);
  ShapeDesc d;
  d.colour = opt_colour(L, 5);
  ShapeOptions o;
  int32_t* corners = d.geometry.corners;
  auto extra = [&](int32_t t) {
    int32_t level = 0;
    if (table_field(L, t, "roundlevel", &level)) std::fill(corners, corners + 4, level);
    const char* keys[4] = {"cornera", "cornerb", "cornerc", "cornerd"};
    for (int32_t i = 0; i < 4; ++i) table_field(L, t, keys[i], &corners[i]);
    return 0;
  };
  auto number = [&](int32_t n) { std::fill(corners, corners + 4, arg_int(L, n)); };
  if (int32_t err = read_options(L, 6, std::max(w, 1), std::max(h, 1), &o, extra, number)) return err;
  corners_clamp(corners);
  if (path_force_on()) {
    PathShape s{OBJ_BOX, w, h};
    std::copy(corners, corners + 4, s.corners);
    return draw_shape_as_path(L, s, x, y, d.colour, &o.tt, &o.dt);
  }
  if (w < 1 || h < 1) return ERR_WRONGUSAGE;
  d.geometry.type = OBJ_BOX;
  d.geometry.width = w, d.geometry.height = h;
  return shape_command(L, d, x, y, o);
}

// Circles and ellipses: radii of at least 1, a box of twice the radius plus one.
int32_t round_shape(qmState* L, int32_t type, int32_t x, int32_t y, int32_t rx, int32_t ry, int32_t index) {
  ShapeDesc d;
  d.colour = opt_colour(L, index);
  ShapeOptions o;
  const int32_t w = int32_t(std::clamp<int64_t>(2 * int64_t(rx) + 1, 1, INT32_MAX));
  const int32_t h = int32_t(std::clamp<int64_t>(2 * int64_t(ry) + 1, 1, INT32_MAX));
  if (int32_t err = read_options(L, index + 1, w, h, &o, no_extra, kNoNumber)) return err;
  if (path_force_on()) return draw_shape_as_path(L, PathShape{type, rx, ry}, x, y, d.colour, &o.tt, &o.dt);
  if (rx < 1 || ry < 1) return ERR_WRONGUSAGE;
  d.geometry.type = type;
  d.geometry.width = w, d.geometry.height = h;
  return shape_command(L, d, x, y, o);
}

int32_t cmd_circle(qmState* L) {
  arg_check_count(L, 3, 5);
  const int32_t r = arg_int(L, 3);
  return round_shape(L, OBJ_CIRCLE, arg_int(L, 1), arg_int(L, 2), r, r, 4);
}

int32_t cmd_ellipse(qmState* L) {
  arg_check_count(L, 4, 6);
  return round_shape(L, OBJ_ELLIPSE, arg_int(L, 1), arg_int(L, 2), arg_int(L, 3), arg_int(L, 4), 5);
}

int32_t cmd_arc(qmState* L) {
  arg_check_count(L, 6, 9);
  const int32_t x = arg_int(L, 1), y = arg_int(L, 2), rx = arg_int(L, 3), ry = arg_int(L, 4);
  const int32_t start = arg_int(L, 5), end = arg_int(L, 6);
  ShapeDesc d;
  d.colour = opt_colour(L, 7);
  ShapeOptions o;
  int32_t clockwise = 0;
  const int32_t w = int32_t(std::clamp<int64_t>(2 * int64_t(rx) + 1, 1, INT32_MAX));
  const int32_t h = int32_t(std::clamp<int64_t>(2 * int64_t(ry) + 1, 1, INT32_MAX));
  auto extra = [&](int32_t t) {
    vm_push_string(L, "clockwise");
    vm_get_table(L, t);
    clockwise = flag_arg(L, -1) ? 1 : 0;
    vm_pop(L, 1);
    return 0;
  };
  auto number = [&](int32_t n) { clockwise = arg_int(L, n) != 0 ? 1 : 0; };
  if (int32_t err = read_options(L, 8, w, h, &o, extra, number)) return err;
  if (path_force_on()) {
    PathShape s{OBJ_ARC, rx, ry};
    s.start_angle = start, s.end_angle = end, s.clockwise = clockwise;
    return draw_shape_as_path(L, s, x, y, d.colour, &o.tt, &o.dt);
  }
  if (rx < 1 || ry < 1 || start < 0 || end < 0) return ERR_WRONGUSAGE;
  if (start == end) return 0;
  d.geometry.type = OBJ_ARC;
  d.geometry.width = w, d.geometry.height = h;
  d.geometry.start_angle = start, d.geometry.end_angle = end, d.geometry.clockwise = clockwise;
  return shape_command(L, d, x, y, o);
}

int32_t cmd_polygon(qmState* L) {
  arg_check_count(L, 4, 6);
  const int32_t x = arg_int(L, 1), y = arg_int(L, 2);
  vm_arg_check_table(L, 3);
  const int32_t count = arg_int(L, 4);
  if (count < 2 || count > 999) return ERR_WRONGUSAGE;
  ShapeDesc d;
  d.colour = opt_colour(L, 5);
  PolygonPoints p;
  if (int32_t err = polygon_read_points(L, 3, count, &p)) return err;
  ShapeOptions o;
  if (int32_t err = read_options(L, 6, p.width, p.height, &o, no_extra, kNoNumber)) return err;
  // The program's coordinates place the vertices; the shape's box starts at their corner.
  auto add = [](int32_t a, int32_t b) { return int32_t(std::clamp<int64_t>(int64_t(a) + b, INT32_MIN, INT32_MAX)); };
  if (path_force_on()) {
    PathShape s{OBJ_POLYGON, int32_t(p.vertices.size())};
    s.vertices = &p.vertices;
    return draw_shape_as_path(L, s, add(x, p.min_x), add(y, p.min_y), d.colour, &o.tt, &o.dt);
  }
  d.geometry.type = OBJ_POLYGON;
  d.geometry.width = p.width, d.geometry.height = p.height;
  d.geometry.vertices = &p.vertices;
  return shape_command(L, d, add(x, p.min_x), add(y, p.min_y), o);
}

int32_t cmd_line(qmState* L) {
  arg_check_count(L, 4, 7);
  const int32_t x1 = arg_int(L, 1), y1 = arg_int(L, 2), x2 = arg_int(L, 3), y2 = arg_int(L, 4);
  ShapeDesc d;
  d.colour = opt_colour(L, 5);
  ShapeOptions o;
  int32_t thickness = 1;
  // A box beyond 32 bits cannot become an image, but a one-pixel line across it is drawn directly.
  const int64_t w = std::llabs(int64_t(x2) - x1) + 1, h = std::llabs(int64_t(y2) - y1) + 1;
  auto extra = [&](int32_t t) {
    table_field(L, t, "thickness", &thickness);
    return 0;
  };
  auto number = [&](int32_t n) { thickness = arg_int(L, n); };
  if (int32_t err = read_options(L, 6, 0, 0, &o, extra, number)) return err;
  const int32_t left = std::min(x1, x2), top = std::min(y1, y2);
  d.geometry.type = OBJ_LINE;
  d.geometry.width = int32_t(std::min<int64_t>(w, INT32_MAX)), d.geometry.height = int32_t(std::min<int64_t>(h, INT32_MAX));
  d.line[0] = int64_t(x1) - left, d.line[1] = int64_t(y1) - top;
  d.line[2] = int64_t(x2) - left, d.line[3] = int64_t(y2) - top;
  d.thickness = std::clamp(thickness, 1, 64);
  // A line has no special positions: its end points stand where they are.
  return shape_command(L, d, left, top, o, true);
}

int32_t cmd_plot(qmState* L) {
  arg_check_count(L, 2, 3);
  const int32_t x = coord_resolve_special_x(arg_int(L, 1), 1, 0, 0.0);
  const int32_t y = coord_resolve_special_y(arg_int(L, 2), 1, 0, 0.0);
  return draw_plot(L, x, y, opt_colour(L, 3));
}

int32_t cmd_readpixel(qmState* L) {
  arg_check_count(L, 2, 2);
  const int32_t x = coord_resolve_special_x(arg_int(L, 1), 1, 0, 0.0);
  const int32_t y = coord_resolve_special_y(arg_int(L, 2), 1, 0, 0.0);
  double value = 0.0;
  if (int32_t err = draw_read_pixel(L, x, y, &value)) return err;
  vm_push_number(L, value);
  return 1;
}

int32_t cmd_cls(qmState* L) {
  arg_check_count(L, 0, 1);
  return draw_cls(L, opt_colour(L, 1));
}

const qmCommand kDrawCommands[] = {
    {"Box", cmd_box},
    {"Plot", cmd_plot},
    {"Ellipse", cmd_ellipse},
    {"Line", cmd_line},
    {"Circle", cmd_circle},
    {"Polygon", cmd_polygon},
    {"SetFillStyle", cmd_setfillstyle},
    {"ReadPixel", cmd_readpixel},
    {"Cls", cmd_cls},
    {"Arc", cmd_arc},
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
  shape_install_layer_services();
  draw_get_style() = draw_style_defaults();
  return picture_library_open(L, kDrawCommands, kDrawConstants, "draw", nullptr);
}

void draw_cleanup() { raster_release_spare(); }

}  // namespace qm

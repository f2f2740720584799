// The content keys of drawn layers: what a text, shape or path layer keeps of its content, read
// from a style table, and answered back for GetLayerStyle.
#include "layers/style_content.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "display/display.h"
#include "display/graphics.h"
#include "engine/errcodes.h"
#include "engine/numconv.h"
#include "engine/vm.h"
#include "runtime/args.h"
#include "runtime/errors.h"

namespace qm {

void layer_text_style_clamp(LayerTextStyle* style) {
  style->shadow_distance = std::clamp(style->shadow_distance, 1, 64);
  style->edge_size = std::clamp(style->edge_size, 1, 64);
  if (style->shadow_direction > 7) style->shadow_direction = SHDWSOUTHEAST;
}

namespace {

bool is_text(int32_t type) { return type == OBJ_TEXTOUT || type == OBJ_PRINT; }
bool is_round(int32_t type) { return type == OBJ_CIRCLE || type == OBJ_ELLIPSE || type == OBJ_ARC; }

const LayerDrawn& drawn_of(const qmLayer* layer) {
  static const LayerDrawn none;
  const qmLayerState* c = layer->content;
  return c && c->drawn ? *c->drawn : none;
}

// A position special (#CENTER and its kin, each with its offset) on one axis.
bool is_special(int32_t v, bool horizontal) {
  const int32_t x_specials[] = {POS_CENTER, POS_LEFT, POS_RIGHT, POS_LEFTOUT, POS_RIGHTOUT};
  const int32_t y_specials[] = {POS_CENTER, POS_TOP, POS_BOTTOM, POS_TOPOUT, POS_BOTTOMOUT};
  for (int32_t s : horizontal ? x_specials : y_specials)
    if (v >= s - 4999 && v <= s + 4999) return true;
  return false;
}

// What a conversion to `type` keeps: TEXTOUT and PRINT keep each other's whole text state, and
// shapes keep a shape's colour and style (and the radii of a round one). Everything else starts
// from the text or draw library's current settings, in the layer's present box.
void conversion_start(const qmLayer* layer, int32_t type, DrawnContent* out) {
  const int32_t from = layer->type;
  const qmLayerState* c = layer->content;
  const LayerDrawn& old = drawn_of(layer);
  LayerDrawn& d = out->drawn;
  if (is_text(type)) {
    if (is_text(from)) return;
    d = LayerDrawn{};
    layer_services().text_style(&d.text_style, &out->colour, &d.font);
    if (d.text_style.flags & ~TEXTSTYLE_NORMAL) d.text_style.flags &= ~TEXTSTYLE_NORMAL;
    if (type == OBJ_PRINT)
      if (const qmDisplay* display = display_current()) {
        d.cursor_x = display->cursor_x, d.cursor_y = display->cursor_y;
        d.left_margin = display->text_margin_left, d.right_margin = display->text_margin_right;
      }
    return;
  }
  d = LayerDrawn{};
  if (layer_kind_is_shape(from)) {
    d.style = old.style;
  } else {
    layer_services().draw_style(&d.style);
    out->colour = 0;
  }
  if (is_round(from)) d.radius_a = old.radius_a, d.radius_b = old.radius_b;
  if (from == OBJ_ARC) d.start_angle = old.start_angle, d.end_angle = old.end_angle, d.clockwise = old.clockwise;
  d.size_x = c->content_w, d.size_y = c->content_h;
  d.x1 = c->anchored_x, d.y1 = c->anchored_y;
  d.x2 = c->anchored_x + std::max(c->content_w, 1) - 1, d.y2 = c->anchored_y + std::max(c->content_h, 1) - 1;
}

// The keys a conversion to `type` cannot do without.
int32_t mandatory_keys(const StyleFields& f, int32_t from, int32_t type) {
  std::vector<const char*> keys;
  switch (type) {
    case OBJ_TEXTOUT:
    case OBJ_PRINT:
      if (!is_text(from)) keys = {"text"};
      break;
    case OBJ_CIRCLE:
      if (!is_round(from)) keys = {"radius"};
      break;
    case OBJ_ELLIPSE:
      if (!is_round(from)) keys = {"radiusa", "radiusb"};
      break;
    case OBJ_ARC:
      keys = {"startangle", "endangle"};
      if (!is_round(from)) keys.insert(keys.end(), {"radiusa", "radiusb"});
      break;
    case OBJ_POLYGON: keys = {"vertices"}; break;
    case OBJ_VECTORPATH: keys = {"id"}; break;
    default: break;
  }
  for (const char* key : keys)
    if (!f.has(key)) return ERR_MISSINGPARAMTR;
  return 0;
}

// A list of numbers from index 0 up to the first nil: at most `limit` entries (ERR_INTERNAL for
// one more); the list not a table ERR_TABEXPECTED2, an entry not a number ERR_NUMTABLEARG, both
// naming the key. *given when the key is present.
int32_t number_list(const StyleFields& f, const char* key, size_t limit, std::vector<double>* out, bool* given) {
  qmState* L = f.L;
  if (!f.push(key)) return 0;
  *given = true;
  if (vm_type(L, -1) != QM_TTABLE) {
    vm_pop(L, 1);
    err_set_string_arg(key);
    return ERR_TABEXPECTED2;
  }
  out->clear();
  for (int32_t i = 0;; ++i) {
    vm_raw_geti(L, -1, i);
    const int32_t type = vm_type(L, -1);
    const double v = type == QM_TNUMBER ? vm_to_number(L, -1) : 0.0;
    vm_pop(L, 1);
    if (type == QM_TNIL) break;
    int32_t err = 0;
    if (type != QM_TNUMBER || !std::isfinite(v)) err = ERR_NUMTABLEARG, err_set_string_arg(key);
    else if (out->size() == limit) err = ERR_INTERNAL;
    if (err) {
      vm_pop(L, 1);
      return err;
    }
    out->push_back(v);
  }
  vm_pop(L, 1);
  return 0;
}

int32_t text_keys(qmState* L, const StyleFields& f, int32_t type, DrawnContent* out) {
  LayerDrawn& d = out->drawn;
  f.colour("color", &out->colour);
  // NORMAL makes the text plain whatever else is set; SHADOW and EDGE switch the layer's own
  // shadow and border.
  const int32_t switches = TEXTSTYLE_SHADOW | TEXTSTYLE_EDGE;
  int32_t bits = 0;
  if (f.integer("fontstyle", &bits)) {
    if (bits & TEXTSTYLE_NORMAL) {
      d.text_style.flags = TEXTSTYLE_NORMAL;
    } else {
      if (bits & TEXTSTYLE_SHADOW) out->shadow = 1;
      if (bits & TEXTSTYLE_EDGE) out->border = 1;
      // NORMAL stands for no other bit, so that GetLayerStyle's answer reads back the same.
      if (bits & ~switches) d.text_style.flags = (d.text_style.flags & ~TEXTSTYLE_NORMAL) | (bits & ~switches);
    }
  }
  if (f.integer("fontstyleclear", &bits)) {
    if (bits & TEXTSTYLE_SHADOW) out->shadow = 0;
    if (bits & TEXTSTYLE_EDGE) out->border = 0;
    d.text_style.flags &= ~(bits & ~switches);
  }
  int32_t encoding = 0;
  if (f.integer("encoding", &encoding)) {
    if (encoding != 0 && encoding != 1) return ERR_WRONGUSAGE;
    d.encoding = encoding;
  }
  f.integer("rightmargin", &d.right_margin);
  if (type == OBJ_TEXTOUT) f.integer("align", &d.align);
  if (type == OBJ_PRINT) {
    f.integer("leftmargin", &d.left_margin);
    if (d.left_margin < 0) return ERR_WRONGUSAGE;
    int32_t v = 0;
    if (f.integer("cursorx", &v)) {
      if (is_special(v, true)) return ERR_NOCOORDCST;
      d.cursor_x = v < d.left_margin || v > d.right_margin ? d.left_margin : v;
      out->cursor = true;
    }
    if (f.integer("cursory", &v)) {
      if (is_special(v, false)) return ERR_NOCOORDCST;
      d.cursor_y = v;
      out->cursor = true;
    }
    std::vector<double> tabs;
    bool given = false;
    if (int32_t err = number_list(f, "tabs", kLayerMaxTabs, &tabs, &given)) return err;
    if (given) {
      d.tabs.clear();
      for (double t : tabs) d.tabs.push_back(to_i32(t));
      std::sort(d.tabs.begin(), d.tabs.end());
    }
  }
  // A negative wrap width or margin has no meaning for the renderer.
  if (d.right_margin < 0) return ERR_WRONGUSAGE;
  layer_text_style_clamp(&d.text_style);
  // Any of the font keys opens the font again through the cache; the others keep the layer's.
  LayerFont font = d.font;
  int32_t name_given = 0;
  bool linked = false;
  std::string name;
  opt_get_string_alloc(L, f.t, "font", 2, &linked, &name, &name_given);
  if (name_given) {
    font.linked = linked || name.rfind(":::chunk", 0) == 0 ? 1 : 0;
    font.name = std::move(name);
  }
  const bool size_given = f.integer("fontsize", &font.size);
  const bool engine_given = f.integer("fontengine", &font.engine);
  if (name_given || size_given || engine_given) {
    font.cache = 1;
    f.integer("fontcache", &font.cache);
    font.font = nullptr;
    if (int32_t err = layer_services().font_open(L, &font)) return err;
    d.font = std::move(font);
  }
  std::string text;
  int32_t text_given = 0;
  opt_get_string_alloc(L, f.t, "text", 0, nullptr, &text, &text_given);
  if (text_given) d.text = std::move(text);
  return 0;
}

// The box of the rounded points: its corner and its size.
void polygon_box(const std::vector<LayerVertex>& v, double* x, double* y, int64_t* w, int64_t* h) {
  auto round = [](double a) { return std::floor(a + 0.5); };
  double x0 = round(v[0].x), y0 = round(v[0].y), x1 = x0, y1 = y0;
  for (const LayerVertex& p : v) {
    x0 = std::min(x0, round(p.x)), x1 = std::max(x1, round(p.x));
    y0 = std::min(y0, round(p.y)), y1 = std::max(y1, round(p.y));
  }
  *x = x0, *y = y0;
  *w = x1 - x0 < 4e9 ? int64_t(x1 - x0) + 1 : INT64_MAX;
  *h = y1 - y0 < 4e9 ? int64_t(y1 - y0) + 1 : INT64_MAX;
}

// "vertices": x, y pairs up to the first missing coordinate, at most 999 of them, closed, moved so
// that their box starts at 0, 0; the box's corner and size go to out.
int32_t vertex_keys(const StyleFields& f, DrawnContent* out) {
  std::vector<double> xy;
  bool given = false;
  if (int32_t err = number_list(f, "vertices", 2 * 999, &xy, &given)) return err;
  if (!given) return 0;
  std::vector<LayerVertex> v;
  for (size_t i = 0; i + 1 < xy.size(); i += 2) v.push_back({xy[i], xy[i + 1]});
  if (v.size() < 2) return ERR_WRONGUSAGE;
  if (v.back().x != v.front().x || v.back().y != v.front().y) v.push_back(v.front());
  double x = 0, y = 0, min_x = v[0].x, min_y = v[0].y;
  int64_t w = 0, h = 0;
  polygon_box(v, &x, &y, &w, &h);
  if (!(std::fabs(x) < 1e9 && std::fabs(y) < 1e9) || w > INT32_MAX || h > INT32_MAX) return ERR_BADDIMENSIONS;
  for (const LayerVertex& p : v) min_x = std::min(min_x, p.x), min_y = std::min(min_y, p.y);
  for (LayerVertex& p : v) p.x -= min_x, p.y -= min_y;
  out->drawn.vertices = std::move(v);
  out->vertices = true;
  out->vertex_x = to_i32(x), out->vertex_y = to_i32(y);
  out->width = int32_t(w), out->height = int32_t(h);
  return 0;
}

int32_t shape_keys(qmState* L, const StyleFields& f, int32_t type, DrawnContent* out) {
  LayerDrawn& d = out->drawn;
  f.colour("color", &out->colour);
  // The form style's SHADOW and EDGE switch the layer's shadow and border, kept aside until the
  // worker commits.
  StyleSwitches switches{out->shadow, out->border};
  bool given = false, changed = false;
  if (int32_t err = read_style_table(L, f.t, &switches, &d.style.draw, &given, &changed)) return err;
  out->shadow = switches.shadow, out->border = switches.border;
  switch (type) {
    case OBJ_BOX: {
      f.integer("sizex", &d.size_x);
      f.integer("sizey", &d.size_y);
      int32_t level = 0;
      if (f.integer("roundlevel", &level)) std::fill(d.corners, d.corners + 4, level);
      const char* corners[4] = {"cornera", "cornerb", "cornerc", "cornerd"};
      for (int32_t i = 0; i < 4; ++i) f.integer(corners[i], &d.corners[i]);
      break;
    }
    case OBJ_CIRCLE:
      if (f.integer("radius", &d.radius_a)) d.radius_b = d.radius_a;
      break;
    case OBJ_ARC:
      f.integer("startangle", &d.start_angle);
      f.integer("endangle", &d.end_angle);
      f.flag("clockwise", &d.clockwise);
      [[fallthrough]];
    case OBJ_ELLIPSE:
      f.integer("radiusa", &d.radius_a);
      f.integer("radiusb", &d.radius_b);
      break;
    case OBJ_LINE: {
      int32_t* ends[4] = {&d.x1, &d.y1, &d.x2, &d.y2};
      const char* keys[4] = {"x1", "y1", "x2", "y2"};
      for (int32_t i = 0; i < 4; ++i) out->line_points |= f.integer(keys[i], ends[i]);
      f.integer("thickness", &d.thickness);
      break;
    }
    case OBJ_POLYGON:
      if (int32_t err = vertex_keys(f, out)) return err;
      break;
    case OBJ_VECTORPATH: {
      int32_t id_given = 0;
      ObjectId id = d.path;
      opt_get_id(L, f.t, "id", &id, &id_given);
      if (id_given) {
        if (int32_t err = layer_services().path_find(L, id, &d.path_ops)) return err;
        d.path = id;
      }
      f.integer("linejoin", &d.line_join);
      f.integer("linecap", &d.line_cap);
      f.integer("fillrule", &d.fill_rule);
      f.number("dashoffset", &d.dash_offset);
      bool dashes = false;
      if (int32_t err = number_list(f, "dashes", size_t(INT32_MAX), &d.dashes, &dashes)) return err;
      break;
    }
    default: break;
  }
  if (layer_kind_is_shape(type)) {
    qmShapeStyle s{d.style.draw.fill_style, 0, d.style.draw.texture_brush, 0, 0, d.style.effects};
    style_fix_counts(&s);
    d.style.draw.fill_style = s.fill_style;
    d.style.effects = s.effects;
  }
  return 0;
}

// The content size a shape's description gives, with the renderers' own limits: boxes and radii
// of at least 1, arc angles of at least 0, line thickness 1..64, corners 0..100.
int32_t shape_size(int32_t type, DrawnContent* out) {
  LayerDrawn& d = out->drawn;
  int64_t w = out->width, h = out->height;
  switch (type) {
    case OBJ_BOX:
      if (d.size_x < 1 || d.size_y < 1) return ERR_WRONGUSAGE;
      corners_clamp(d.corners);
      w = d.size_x, h = d.size_y;
      break;
    case OBJ_ARC:
      if (d.start_angle < 0 || d.end_angle < 0) return ERR_WRONGUSAGE;
      [[fallthrough]];
    case OBJ_CIRCLE:
    case OBJ_ELLIPSE:
      if (d.radius_a < 1 || d.radius_b < 1) return ERR_WRONGUSAGE;
      w = 2 * int64_t(d.radius_a) + 1, h = 2 * int64_t(d.radius_b) + 1;
      break;
    case OBJ_LINE:
      d.thickness = std::clamp(d.thickness, 1, 64);
      w = std::llabs(int64_t(d.x2) - d.x1) + 1, h = std::llabs(int64_t(d.y2) - d.y1) + 1;
      break;
    case OBJ_POLYGON:
      if (d.vertices.size() < 2) return ERR_WRONGUSAGE;
      break;
    default: break;
  }
  if (w < 1 || h < 1 || w > INT32_MAX || h > INT32_MAX) return ERR_BADDIMENSIONS;
  out->width = int32_t(w), out->height = int32_t(h);
  return 0;
}

}  // namespace

void table_set_list(qmState* L, const char* key, const double* values, size_t count) {
  vm_push_string(L, key);
  vm_new_table(L);
  for (size_t i = 0; i < count; ++i) {
    vm_push_number(L, values[i]);
    vm_raw_seti(L, -2, int32_t(i));
  }
  vm_set_table(L, -3);
}

bool drawn_content_given(const StyleFields& f, int32_t type) {
  static const char* const text[] = {"color",    "fontstyle", "fontstyleclear", "encoding", "rightmargin",
                                     "align",    "leftmargin", "cursorx",       "cursory",  "tabs",
                                     "fontsize", "font",       "fontengine",    "text",     nullptr};
  static const char* const style[] = {
      "color",           "formstyle",       "formstyleclear", "fillstyle",      "gradientstyle",
      "gradientangle",   "gradientstartcolor", "gradientendcolor", "gradientcenterx", "gradientcentery",
      "gradientbalance", "gradientborder",  "gradientcolors", "texturebrush",   "texturex",
      "texturey",        nullptr};
  static const char* const box[] = {"sizex", "sizey", "roundlevel", "cornera", "cornerb", "cornerc", "cornerd", nullptr};
  static const char* const circle[] = {"radius", nullptr};
  static const char* const ellipse[] = {"radiusa", "radiusb", nullptr};
  static const char* const arc[] = {"startangle", "endangle", "clockwise", "radiusa", "radiusb", nullptr};
  static const char* const line[] = {"x1", "y1", "x2", "y2", "thickness", nullptr};
  static const char* const polygon[] = {"vertices", nullptr};
  static const char* const path[] = {"id", "linejoin", "linecap", "fillrule", "dashoffset", "dashes", nullptr};
  const char* const* kind = nullptr;
  switch (type) {
    case OBJ_TEXTOUT:
    case OBJ_PRINT: kind = text; break;
    case OBJ_BOX: kind = box; break;
    case OBJ_CIRCLE: kind = circle; break;
    case OBJ_ELLIPSE: kind = ellipse; break;
    case OBJ_ARC: kind = arc; break;
    case OBJ_LINE: kind = line; break;
    case OBJ_POLYGON: kind = polygon; break;
    case OBJ_VECTORPATH: kind = path; break;
    default: return false;
  }
  for (const char* const* lists[2] = {kind, is_text(type) ? nullptr : style}; const char* const* list : lists)
    for (; list && *list; ++list)
      if (f.has(*list)) return true;
  return false;
}

int32_t drawn_content_keys(qmState* L, const StyleFields& f, const qmLayer* layer, int32_t type,
                           DrawnContent* out) {
  const qmLayerState* c = layer->content;
  out->type = type;
  out->colour = c->colour;
  out->drawn = drawn_of(layer);
  out->shadow = layer->shadow, out->border = layer->border;
  out->width = c->content_w, out->height = c->content_h;
  if (type != layer->type) {
    if (int32_t err = mandatory_keys(f, layer->type, type)) return err;
    conversion_start(layer, type, out);
  }
  if (is_text(type)) return text_keys(L, f, type, out);
  if (int32_t err = shape_keys(L, f, type, out)) return err;
  return shape_size(type, out);
}

void drawn_content_push(qmState* L, const qmLayer* layer) {
  const LayerDrawn& d = drawn_of(layer);
  const int32_t type = layer->type;
  table_set_double(L, "color", double(layer->content->colour));
  if (is_text(type)) {
    table_set_number(L, "fontstyle", d.text_style.flags);
    table_set_number(L, "align", d.align);
    table_set_number(L, "leftmargin", d.left_margin);
    table_set_number(L, "rightmargin", d.right_margin);
    table_set_number(L, "fontsize", d.font.size);
    table_set_number(L, "encoding", d.encoding);
    vm_push_string(L, "text");
    vm_push_lstring(L, d.text.data(), d.text.size());
    vm_set_table(L, -3);
    table_set_string(L, "font", d.font.name.c_str());
    return;
  }
  write_style_table(L, d.style.draw);
  switch (type) {
    case OBJ_BOX:
      table_set_number(L, "sizex", d.size_x);
      table_set_number(L, "sizey", d.size_y);
      if (std::all_of(d.corners, d.corners + 4, [&](int32_t v) { return v == d.corners[0]; })) {
        table_set_number(L, "roundlevel", d.corners[0]);
      } else {
        const char* corners[4] = {"cornera", "cornerb", "cornerc", "cornerd"};
        for (int32_t i = 0; i < 4; ++i) table_set_number(L, corners[i], d.corners[i]);
      }
      break;
    case OBJ_CIRCLE: table_set_number(L, "radius", d.radius_a); break;
    case OBJ_ARC:
      table_set_number(L, "startangle", d.start_angle);
      table_set_number(L, "endangle", d.end_angle);
      table_set_number(L, "clockwise", d.clockwise);
      [[fallthrough]];
    case OBJ_ELLIPSE:
      table_set_number(L, "radiusa", d.radius_a);
      table_set_number(L, "radiusb", d.radius_b);
      break;
    case OBJ_LINE:
      table_set_number(L, "thickness", d.thickness);
      table_set_number(L, "x1", d.x1);
      table_set_number(L, "y1", d.y1);
      table_set_number(L, "x2", d.x2);
      table_set_number(L, "y2", d.y2);
      break;
    case OBJ_POLYGON: {
      std::vector<double> flat;
      for (const LayerVertex& p : d.vertices) flat.insert(flat.end(), {p.x, p.y});
      table_set_list(L, "vertices", flat.data(), flat.size());
      table_set_number(L, "numvertices", int32_t(d.vertices.size()));
      break;
    }
    case OBJ_VECTORPATH:
      table_set_id(L, "id", d.path);
      table_set_number(L, "linejoin", d.line_join);
      table_set_number(L, "linecap", d.line_cap);
      table_set_number(L, "fillrule", d.fill_rule);
      table_set_double(L, "dashoffset", d.dash_offset);
      table_set_list(L, "dashes", d.dashes.data(), d.dashes.size());
      break;
    default: break;
  }
}

}  // namespace qm

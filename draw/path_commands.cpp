// The vectorgraphics library's commands: argument reading, the constants it registers, its start
// and its clean-up.
#include <cmath>
#include <cstring>
#include <initializer_list>
#include <new>
#include <string>

#include "display/picture.h"
#include "display/showbrush.h"
#include "draw/paths.h"
#include "engine/errcodes.h"
#include "engine/numconv.h"
#include "engine/vm.h"
#include "gfx/style.h"
#include "runtime/args.h"
#include "runtime/os/qmos.h"
#include "text/font_driver.h"
#include "text/text.h"

namespace qm {

namespace {

bool g_force = false;

int32_t arg_int(qmState* L, int32_t n) { return to_i32(vm_arg_check_number(L, n)); }

// The path an argument names; *code gets the lookup's error.
qmPath* path_arg(qmState* L, int32_t n, int32_t* code) {
  qmPath* p = nullptr;
  *code = path_find(arg_get_id(L, n), &p);
  return p;
}

bool is_empty(const qmPath* p) { return p->ops == nullptr; }

int32_t append(qmState* L, int32_t opcode, std::initializer_list<PathOperand> operands) {
  int32_t err = 0;
  qmPath* p = path_arg(L, 1, &err);
  return err ? err : path_append(p, opcode, operands.begin(), operands.size());
}

PathOperand real_arg(qmState* L, int32_t n) { return PathOperand::number(vm_arg_check_number(L, n)); }

int32_t cmd_startpath(qmState* L) {
  arg_check_count(L, 1, 1);
  const NewId id = new_id_arg(L, 1);
  qmPath* p = nullptr;
  if (int32_t err = path_new(L, id.id, &p)) return err;
  return push_new_id(L, id, p);
}

int32_t cmd_freepath(qmState* L) {
  arg_check_count(L, 1, 1);
  int32_t err = 0;
  qmPath* p = path_arg(L, 1, &err);
  if (err) return err;
  path_free(L, p);
  return 0;
}

int32_t cmd_clearpath(qmState* L) {
  arg_check_count(L, 1, 1);
  int32_t err = 0;
  qmPath* p = path_arg(L, 1, &err);
  if (err) return err;
  path_clear(p);
  return 0;
}

int32_t cmd_ispathempty(qmState* L) {
  arg_check_count(L, 1, 1);
  int32_t err = 0;
  qmPath* p = path_arg(L, 1, &err);
  if (err) return err;
  vm_push_boolean(L, is_empty(p));
  return 1;
}

int32_t point_op(qmState* L, int32_t opcode, int32_t relative) {
  arg_check_count(L, 3, 3);
  return append(L, opcode, {PathOperand::integer(relative), real_arg(L, 2), real_arg(L, 3)});
}
int32_t cmd_moveto(qmState* L) { return point_op(L, QMVEC_OP_MOVE, 0); }
int32_t cmd_lineto(qmState* L) { return point_op(L, QMVEC_OP_LINE, 0); }
int32_t cmd_relmoveto(qmState* L) { return point_op(L, QMVEC_OP_MOVE, 1); }
int32_t cmd_rellineto(qmState* L) { return point_op(L, QMVEC_OP_LINE, 1); }

int32_t curve_op(qmState* L, int32_t relative) {
  arg_check_count(L, 7, 7);
  return append(L, QMVEC_OP_CURVE,
                {PathOperand::integer(relative), real_arg(L, 2), real_arg(L, 3), real_arg(L, 4), real_arg(L, 5),
                 real_arg(L, 6), real_arg(L, 7)});
}
int32_t cmd_curveto(qmState* L) { return curve_op(L, 0); }
int32_t cmd_relcurveto(qmState* L) { return curve_op(L, 1); }

int32_t cmd_startsubpath(qmState* L) {
  arg_check_count(L, 1, 1);
  return append(L, QMVEC_OP_NEWSUBPATH, {});
}

int32_t cmd_closepath(qmState* L) {
  arg_check_count(L, 1, 1);
  return append(L, QMVEC_OP_CLOSE, {});
}

int32_t arc_op(qmState* L, PathOperand x, PathOperand y, PathOperand rx, PathOperand ry, double start, double end,
               int32_t clockwise) {
  return append(L, QMVEC_OP_ARC,
                {x, y, rx, ry, PathOperand::number(start), PathOperand::number(end), PathOperand::integer(clockwise)});
}

int32_t cmd_addarctopath(qmState* L) {
  arg_check_count(L, 7, 8);
  const int32_t clockwise = vm_get_top(L) >= 8 && vm_type(L, 8) != QM_TNIL ? (flag_arg(L, 8) ? 1 : 0) : 1;
  return arc_op(L, real_arg(L, 2), real_arg(L, 3), real_arg(L, 4), real_arg(L, 5), vm_arg_check_number(L, 6),
                vm_arg_check_number(L, 7), clockwise);
}

int32_t cmd_addellipsetopath(qmState* L) {
  arg_check_count(L, 5, 5);
  return arc_op(L, real_arg(L, 2), real_arg(L, 3), real_arg(L, 4), real_arg(L, 5), 0, 360, 1);
}

int32_t cmd_addcircletopath(qmState* L) {
  arg_check_count(L, 4, 4);
  const PathOperand r = real_arg(L, 4);
  return arc_op(L, real_arg(L, 2), real_arg(L, 3), r, r, 0, 360, 1);
}

int32_t cmd_addboxtopath(qmState* L) {
  arg_check_count(L, 5, 6);
  int32_t corners[4] = {0, 0, 0, 0};
  if (vm_get_top(L) >= 6 && vm_type(L, 6) != QM_TNIL) {
    vm_arg_check_table(L, 6);
    int32_t level = 0, given = 0;
    opt_get_int(L, 6, "roundlevel", &level, &given);
    if (given) std::fill(corners, corners + 4, level);
    const char* keys[4] = {"cornera", "cornerb", "cornerc", "cornerd"};
    for (int32_t i = 0; i < 4; ++i) opt_get_int(L, 6, keys[i], &corners[i], &given);
    corners_clamp(corners);
  }
  return append(L, QMVEC_OP_BOX,
                {real_arg(L, 2), real_arg(L, 3), real_arg(L, 4), real_arg(L, 5), PathOperand::integer(corners[0]),
                 PathOperand::integer(corners[1]), PathOperand::integer(corners[2]), PathOperand::integer(corners[3])});
}

int32_t cmd_addtexttopath(qmState* L) {
  arg_check_count(L, 2, 3);
  size_t length = 0;
  const char* text = vm_arg_check_string(L, 2, &length);
  int32_t encoding = text_default_encoding();
  if (vm_get_top(L) >= 3 && vm_type(L, 3) != QM_TNIL) {
    vm_arg_check_table(L, 3);
    int32_t given = 0;
    opt_get_int(L, 3, "encoding", &encoding, &given);
  }
  if (!path_plugin()) return ERR_VECGFXPLUGIN;
  if (encoding != TEXTENCODING_LATIN1 && encoding != TEXTENCODING_UTF8) return ERR_WRONGUSAGE;
  std::string utf8;
  try {
    utf8 = encoding == TEXTENCODING_UTF8 ? std::string(text, length) : qmos_latin1_to_utf8(std::string(text, length));
  } catch (const std::bad_alloc&) {
    return ERR_MEM;
  }
  // The text ends at its first zero, as the plug-in reads it.
  utf8.resize(std::strlen(utf8.c_str()));
  qmFont* font = text_get_current_font();
  if (!font || font->kind != FONTKIND_INBUILT) return ERR_VFONTTYPE;
  uint32_t handle = 0;
  if (int32_t err = path_vector_font(font, &handle)) return err;
  int32_t err = 0;
  qmPath* p = path_arg(L, 1, &err);
  if (err) return err;
  // A path that starts with text starts at (0, 0) by name, so that moving the path moves it.
  const bool first = is_empty(p);
  if (first) {
    const PathOperand origin[3] = {PathOperand::integer(0), PathOperand::number(0), PathOperand::number(0)};
    if (int32_t e = path_append(p, QMVEC_OP_MOVE, origin, 3)) return e;
  }
  const PathOperand operands[3] = {PathOperand::handle(handle), PathOperand::integer(font->size),
                                   PathOperand::string(utf8.c_str(), utf8.size())};
  if (int32_t e = path_append(p, QMVEC_OP_TEXT, operands, 3)) {
    if (first) path_clear(p);
    return e;
  }
  return 0;
}

int32_t cmd_copypath(qmState* L) {
  arg_check_count(L, 2, 2);
  int32_t err = 0;
  qmPath* source = path_arg(L, 1, &err);
  if (err) return err;
  const NewId target = new_id_arg(L, 2);
  if (!target.automatic && target.id == source->header.id) return ERR_WRONGUSAGE;
  qmPath* p = nullptr;
  if ((err = path_copy(L, source, target.id, &p))) return err;
  return push_new_id(L, target, p);
}

int32_t cmd_appendpath(qmState* L) {
  arg_check_count(L, 2, 2);
  int32_t err = 0;
  qmPath* target = path_arg(L, 1, &err);
  if (err) return err;
  qmPath* source = path_arg(L, 2, &err);
  if (err) return err;
  if (target == source) return ERR_WRONGUSAGE;
  return path_append_path(target, source);
}

int32_t translate(qmPluginEntry* plugin, qmPath* p, double dx, double dy) {
  auto move = plugin_entry<qmVecTranslatePathFn>(plugin, PLUGIN_EP_TRANSLATE_PATH);
  if (plugin->kind == 2 || !move) return 0;
  qmVecTranslate t{};
  t.size = sizeof t;
  t.ops = p->ops;
  t.x = dx, t.y = dy;
  move(&t);
  return 0;
}

int32_t cmd_translatepath(qmState* L) {
  arg_check_count(L, 3, 3);
  const double dx = vm_arg_check_number(L, 2), dy = vm_arg_check_number(L, 3);
  int32_t err = 0;
  qmPath* p = path_arg(L, 1, &err);
  if (err) return err;
  if ((dx == 0 && dy == 0) || is_empty(p)) return 0;
  qmPluginEntry* plugin = path_plugin();
  if (!plugin) return ERR_VECGFXPLUGIN;
  return translate(plugin, p, dx, dy);
}

// The commands that need the plug-in find it before the path.
qmPath* plugin_path_arg(qmState* L, qmPluginEntry** plugin, int32_t* code) {
  *plugin = path_plugin();
  if (!*plugin) {
    *code = ERR_VECGFXPLUGIN;
    return nullptr;
  }
  return path_arg(L, 1, code);
}

int32_t cmd_normalizepath(qmState* L) {
  arg_check_count(L, 1, 1);
  qmPluginEntry* plugin = nullptr;
  int32_t err = 0;
  qmPath* p = plugin_path_arg(L, &plugin, &err);
  if (err) return err;
  if (is_empty(p)) return 0;
  const qmVecStroke stroke = path_stroke_block(path_vector_style(), false);
  PathBox box;
  if (path_measure(plugin, p->ops, stroke, true, 1, 0, 0, &box) != 0) return 0;
  return translate(plugin, p, -box.left, -box.top);
}

int32_t cmd_getpathextents(qmState* L) {
  arg_check_count(L, 1, 1);
  qmPluginEntry* plugin = nullptr;
  int32_t err = 0;
  qmPath* p = plugin_path_arg(L, &plugin, &err);
  if (err) return err;
  PathBox box;
  if (!is_empty(p)) {
    const qmDrawStyle& style = draw_get_style();
    const qmVecStroke stroke = path_stroke_block(path_vector_style(), false);
    path_measure(plugin, p->ops, stroke, style.draw.fill_style != FILLNONE, style.effects.line_width, 0, 0, &box);
  }
  for (double v : {box.left, box.top, box.right, box.bottom}) vm_push_number(L, v);
  return 4;
}

int32_t cmd_getcurrentpoint(qmState* L) {
  arg_check_count(L, 1, 1);
  qmPluginEntry* plugin = nullptr;
  int32_t err = 0;
  qmPath* p = plugin_path_arg(L, &plugin, &err);
  if (err) return err;
  double x = 0, y = 0;
  auto point = plugin_entry<qmVecGetCurrentPointFn>(plugin, PLUGIN_EP_GET_CURRENT_POINT);
  if (!is_empty(p) && plugin->kind != 2 && point) {
    const qmVecStroke stroke = path_stroke_block(path_vector_style(), false);
    point(p->ops, &stroke, &x, &y);
  }
  vm_push_number(L, x);
  vm_push_number(L, y);
  return 2;
}

int32_t cmd_setlinejoin(qmState* L) {
  arg_check_count(L, 1, 1);
  path_vector_style().line_join = arg_int(L, 1);
  return 0;
}

int32_t cmd_setlinecap(qmState* L) {
  arg_check_count(L, 1, 1);
  path_vector_style().line_cap = arg_int(L, 1);
  return 0;
}

int32_t cmd_setfillrule(qmState* L) {
  arg_check_count(L, 1, 1);
  path_vector_style().fill_rule = arg_int(L, 1);
  return 0;
}

int32_t cmd_setdash(qmState* L) {
  arg_check_count(L, 2, 0);
  const int32_t n = vm_get_top(L);
  const double offset = vm_arg_check_number(L, 1);
  qmVectorStyle& s = path_vector_style();
  std::vector<double> dashes;
  if (vm_arg_check_number(L, 2) >= 0) {
    try {
      dashes.reserve(size_t(n - 1));
    } catch (const std::bad_alloc&) {
      s.dashes.clear();
      s.dash_offset = 0;
      return ERR_MEM;
    }
    for (int32_t i = 2; i <= n; ++i) dashes.push_back(vm_arg_check_number(L, i));
  }
  s.dash_offset = dashes.empty() ? 0.0 : offset;
  s.dashes = std::move(dashes);
  return 0;
}

int32_t cmd_forcepathuse(qmState* L) {
  arg_check_count(L, 1, 1);
  g_force = flag_arg(L, 1);
  return 0;
}

int32_t cmd_drawpath(qmState* L) {
  arg_check_count(L, 3, 5);
  const int32_t n = vm_get_top(L);
  const ObjectId id = arg_get_id(L, 1);
  const int32_t x = arg_int(L, 2), y = arg_int(L, 3);
  const uint32_t colour = n >= 4 && vm_type(L, 4) != QM_TNIL ? to_u32_bits(vm_arg_check_number(L, 4)) : 0;
  qmTransformTags tt;
  qmDrawTagOptions dt;
  if (int32_t err = brush_display_options(L, n >= 5 ? 5 : 0, 0, 0, 0, 0, 0, &tt, &dt, DISPOPT_RESET | DISPOPT_NOSIZE))
    return err;
  if (!path_plugin()) return ERR_VECGFXPLUGIN;
  qmPath* p = nullptr;
  if (int32_t err = path_find(id, &p)) return err;
  PathDraw d = path_drawing(p, colour);
  return path_draw(L, d, x, y, &tt, &dt);
}

const qmCommand kCommands[] = {
    {"StartPath", cmd_startpath},
    {"FreePath", cmd_freepath},
    {"ClearPath", cmd_clearpath},
    {"IsPathEmpty", cmd_ispathempty},
    {"MoveTo", cmd_moveto},
    {"LineTo", cmd_lineto},
    {"RelMoveTo", cmd_relmoveto},
    {"RelLineTo", cmd_rellineto},
    {"CurveTo", cmd_curveto},
    {"RelCurveTo", cmd_relcurveto},
    {"StartSubPath", cmd_startsubpath},
    {"ClosePath", cmd_closepath},
    {"AddArcToPath", cmd_addarctopath},
    {"AddEllipseToPath", cmd_addellipsetopath},
    {"AddCircleToPath", cmd_addcircletopath},
    {"AddBoxToPath", cmd_addboxtopath},
    {"AddTextToPath", cmd_addtexttopath},
    {"CopyPath", cmd_copypath},
    {"AppendPath", cmd_appendpath},
    {"TranslatePath", cmd_translatepath},
    {"NormalizePath", cmd_normalizepath},
    {"GetPathExtents", cmd_getpathextents},
    {"GetCurrentPoint", cmd_getcurrentpoint},
    {"SetLineJoin", cmd_setlinejoin},
    {"SetLineCap", cmd_setlinecap},
    {"SetFillRule", cmd_setfillrule},
    {"SetDash", cmd_setdash},
    {"ForcePathUse", cmd_forcepathuse},
    {"DrawPath", cmd_drawpath},
    {nullptr, nullptr},
};

const qmConstant kConstants[] = {
    {"JOINMITER", nullptr, QMVEC_JOIN_MITER},     {"JOINROUND", nullptr, QMVEC_JOIN_ROUND},
    {"JOINBEVEL", nullptr, QMVEC_JOIN_BEVEL},     {"CAPBUTT", nullptr, QMVEC_CAP_BUTT},
    {"CAPROUND", nullptr, QMVEC_CAP_ROUND},       {"CAPSQUARE", nullptr, QMVEC_CAP_SQUARE},
    {"FILLRULEWINDING", nullptr, QMVEC_FILL_WINDING}, {"FILLRULEEVENODD", nullptr, QMVEC_FILL_EVENODD},
    {nullptr, nullptr, 0},
};

}  // namespace

bool path_force_on() { return g_force; }

int32_t vectorgraphics_init(qmState* L) {
  path_vector_style() = qmVectorStyle{};
  g_force = false;
  font_set_vector_release(font_free_vector_font);
  path_install_layer_services();
  return picture_library_open(L, kCommands, kConstants, "vectorgraphics", path_list_head());
}

}  // namespace qm

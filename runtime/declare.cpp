#include "runtime/declare.h"

#include <unistd.h>

#include <cstring>
#include <new>

#include "engine/errcodes.h"
#include "engine/latin1.h"
#include "engine/strutil.h"
#include "engine/vm.h"
#include "runtime/errors.h"
#include "runtime/os/qmos.h"
#include "runtime/registry.h"
#include "runtime/vfile.h"

namespace qm {

void declaration_set_gradient_defaults(qmGradient* g) {
  g->type = GRADIENT_LINEAR;
  g->centre_x = 0.5;
  g->centre_y = 0.5;
  g->balance = 0.5;
  g->border = 0.0;
}

namespace {

bool ends_with_case(const std::string& s, const char* tail) {
  size_t n = std::strlen(tail);
  return s.size() >= n && str_case_cmp(s.c_str() + s.size() - n, tail) == 0;
}

// Relative source names of files, pictures and sounds resolve against the directory current
// when they were declared; a font only when it is a TrueType or OpenType file of the inbuilt
// engine (other font names are font names, not paths).
bool records_current_dir(const Declaration& d) {
  switch (d.type) {
    case DECL_BGPIC: case DECL_BRUSH: case DECL_ANIM: case DECL_MUSIC: case DECL_SAMPLE:
    case DECL_SPRITE: case DECL_FILE: case DECL_VIDEO:
      return true;
    case DECL_FONT:
      return (d.arg2 & 0xFFFF) == 4 && d.source_name.size() > 4 &&
             (ends_with_case(d.source_name, ".ttf") || ends_with_case(d.source_name, ".otf"));
    default:
      return false;
  }
}

std::string current_dir_name() {
  char buf[DECL_NAME_SIZE];
  if (!getcwd(buf, sizeof buf)) return {};
  return qmos_player_name(buf);
}

const char* command_of(int32_t type) {
  static const char* const kCommands[] = {
      "LoadBGPic", "LoadBrush", "LoadAnim", "OpenMusic", "LoadSample", "CreateButton",
      "CreateKeyDown", "LoadSprite", "OpenFile", "OpenFont", "CreateDisplay", "OpenVideo", nullptr};
  return type >= 0 && type <= DECL_TYPE_MAX ? kCommands[type] : nullptr;
}

// ---- option-table fields (the table is on the top of the stack) --------------------------------

void set_number(qmState* L, const char* key, double v) {
  vm_push_string(L, key);
  vm_push_number(L, v);
  vm_set_table(L, -3);
}

void set_string(qmState* L, const char* key, const std::string& v) {
  vm_push_string(L, key);
  vm_push_lstring(L, v.data(), v.size());
  vm_set_table(L, -3);
}

void push_region_table(qmState* L, const char* key, const std::vector<Region>& regions) {
  vm_push_string(L, key);
  vm_new_table(L);
  for (size_t i = 0; i < regions.size(); ++i) {
    const Region& r = regions[i];
    vm_new_table(L);
    set_number(L, "type", r.type);
    set_number(L, "x", r.x);
    set_number(L, "y", r.y);
    set_number(L, "width", r.width);
    set_number(L, "height", r.height);
    vm_raw_seti(L, -2, int32_t(i));
  }
  vm_set_table(L, -3);
}

void push_gradient_fields(qmState* L, const qmGradient& g) {
  set_number(L, "gradientstyle", g.type);
  set_number(L, "gradientstartcolor", g.start_colour);
  set_number(L, "gradientendcolor", g.end_colour);
  set_number(L, "gradientangle", g.angle);
  set_number(L, "gradientcenterx", g.centre_x);
  set_number(L, "gradientcentery", g.centre_y);
  set_number(L, "gradientbalance", g.balance);
  set_number(L, "gradientborder", g.border);
  if (g.stop_count != 0) {
    vm_push_string(L, "gradientcolors");
    vm_new_table(L);
    for (int32_t i = 0; i < g.stop_count && i < DECL_MAX_STOPS; ++i) {
      vm_push_number(L, g.stops[i].colour);
      vm_raw_seti(L, -2, 2 * i);
      vm_push_number(L, g.stops[i].position);
      vm_raw_seti(L, -2, 2 * i + 1);
    }
    vm_set_table(L, -3);
  }
}

void picture_fields(qmState* L, const Declaration& d) {
  const int32_t* w = d.words;
  if (d.type == DECL_BGPIC) {
    const BgPicPayload& b = d.bgpic;
    if (b.fill_style == 0) return;
    set_number(L, "fillstyle", b.fill_style);
    if (b.fill_style == 1) {
      set_number(L, "fillcolor", b.color);
    } else if (b.fill_style == 2) {
      push_gradient_fields(L, b.gradient);
    } else if (b.fill_style == 3) {
      set_number(L, "texturebrush", b.texture_brush);
      set_number(L, "texturex", b.texture_x);
      set_number(L, "texturey", b.texture_y);
    }
    return;
  }
  set_number(L, "width", w[PIC_WIDTH]);
  set_number(L, "height", w[PIC_HEIGHT]);
  set_number(L, "x", w[PIC_X]);
  set_number(L, "y", w[PIC_Y]);
  if (d.type == DECL_BRUSH && w[PIC_GLOBALALPHA] != -1) set_number(L, "globalalpha", w[PIC_GLOBALALPHA]);
  if (d.type == DECL_BRUSH) set_number(L, "hardware", w[PIC_HARDWARE]);
  if (d.type != DECL_BRUSH) {
    set_number(L, "frames", w[PIC_FRAMES]);
    set_number(L, "fpr", w[PIC_FPR]);
  }
  if (d.type == DECL_ANIM) set_number(L, "fromdisk", w[PIC_FROMDISK]);
  if (w[PIC_CACHE]) {
    set_string(L, "cache", d.source_name);
    set_number(L, "cachealpha", w[PIC_CACHEALPHA]);
  }
  if (w[PIC_CACHEDLOAD]) set_string(L, "cachedload", d.source_name);
}

void display_fields(qmState* L, const Declaration& d, const DeclareContext& ctx, bool bgpic1) {
  const DisplayPayload& p = d.display;
  set_string(L, "title", p.title);
  set_number(L, "x", p.x);
  set_number(L, "y", p.y);
  if (p.scale_width) set_number(L, "scalewidth", p.scale_width);
  if (p.scale_height) set_number(L, "scaleheight", p.scale_height);
  if (p.flags & DISPF_ACTIVE) set_number(L, "active", 1);

  if (p.flags & DISPF_BGPIC) {
    set_number(L, "bgpic", p.bgpic);
  } else if (d.id == 1 && bgpic1) {
    set_number(L, "bgpic", 1);
  } else {
    bool screen = d.id == 1 && ctx.private2;
    set_number(L, "width", screen ? ctx.screen_width : p.width);
    set_number(L, "height", screen ? ctx.screen_height : p.height);
    set_number(L, "fillstyle", p.fill_style);
    if (p.fill_style == 2) {
      push_gradient_fields(L, p.gradient);
    } else if (p.fill_style == 3) {
      set_number(L, "texturebrush", p.texture_brush);
      set_number(L, "texturex", p.texture_x);
      set_number(L, "texturey", p.texture_y);
    } else {
      set_number(L, "color", p.color);
    }
  }

  static constexpr struct {
    const char* key;
    uint32_t bit;
    int32_t value;
  } kFlags[] = {
      {"hidden", DISPF_HIDDEN, 1}, {"borderless", DISPF_BORDERLESS, 1},
      {"sizeable", DISPF_SIZEABLE, 1}, {"fixed", DISPF_FIXED, 1}, {"nohide", DISPF_NOHIDE, 1},
      {"nomodeswitch", DISPF_NOMODESWITCH, 1}, {"scalemode", DISPF_SCALEMODE1, 1},
      {"scalemode", DISPF_SCALEMODE2, 2}, {"smoothscale", DISPF_SMOOTHSCALE, 1},
      {"hidepointer", DISPF_HIDEPOINTER, 1}, {"layers", DISPF_LAYERS, 1},
      {"usequartz", DISPF_USEQUARTZ, 1}, {"noclose", DISPF_NOCLOSE, 1},
      {"keepproportions", DISPF_KEEPPROPORTIONS, 1}, {"fitscale", DISPF_FITSCALE, 1},
  };
  for (const auto& f : kFlags) {
    if (p.flags & f.bit) set_number(L, f.key, f.value);
  }
  if (d.id == 1 && ctx.private2) set_number(L, "private2", 1);
  if (!p.drag_regions.empty()) push_region_table(L, "dragregion", p.drag_regions);
  if (!p.size_regions.empty()) push_region_table(L, "sizeregion", p.size_regions);
}

// Pushes the global function of a command (lower-cased). A subsystem that is not built yet has
// registered no such command: ERR_UNIMPLCMD, nothing pushed.
int32_t push_command(qmState* L, const char* command) {
  char lower[VM_NAME_MAX];
  copy_bounded(lower, sizeof lower, command);
  str_to_lower(lower);
  vm_push_string(L, lower);
  vm_get_table(L, QM_GLOBALSINDEX);
  if (vm_type(L, -1) != QM_TFUNCTION) {
    vm_pop(L, 1);
    return ERR_UNIMPLCMD;
  }
  return 0;
}

void set_function_name(const char* name) {
  copy_bounded(err_context().function_name, ERR_NAME_SIZE, name);
}

void set_attr(qmState* L, int32_t tag, intptr_t value) {
  TagItem tags[2] = {{tag, value}, {0, 0}};
  runtime_set_attrs(L, tags);
}

// The name handed to the command: a virtual name for a linked file, a relative name joined to
// the directory current at the declaration, or the name as declared.
std::string resolved_name(const Declaration& d, const DeclareContext& ctx) {
  if (d.linked_size != 0) {
    const std::string& host = d.host_path.empty() ? ctx.applet_path : d.host_path;
    char name[VFILE_NAME_SIZE];
    if (vfile_make_chunk_name(d.source_name.c_str(), name, sizeof name, d.linked_offset,
                              d.linked_size, ctx.applet_offset, host.c_str())) {
      return name;
    }
    return d.source_name;
  }
  if (d.has_name && !d.current_dir.empty() && d.source_name[0] != '/') {
    char path[DECL_NAME_SIZE];
    copy_bounded(path, sizeof path, d.current_dir.c_str());
    if (path_add_part(path, sizeof path, d.source_name.c_str())) return path;
  }
  return d.source_name;
}

bool is_picture(int32_t type) { return type == DECL_BRUSH || type == DECL_ANIM || type == DECL_SPRITE; }

// When several picture declarations name one file, the first reads it into the image cache and
// the later ones take it from there. An anim or sprite without frames never offers its picture.
void share_images(std::vector<Declaration>& list) {
  for (size_t i = 0; i < list.size(); ++i) {
    Declaration& d = list[i];
    if (!is_picture(d.type) || !d.has_name || d.words[PIC_CACHEDLOAD] != 0) continue;
    if (d.type != DECL_BRUSH && d.words[PIC_FRAMES] == 0) continue;
    for (size_t j = i + 1; j < list.size(); ++j) {
      Declaration& e = list[j];
      if (!is_picture(e.type) || !e.has_name) continue;
      if (str_case_cmp(e.source_name.c_str(), d.source_name.c_str()) != 0) continue;
      e.words[PIC_CACHEDLOAD] = 1;
      d.words[PIC_CACHE] = 1;
      if (e.arg2 == 1 && d.arg2 == 0) d.words[PIC_CACHEALPHA] = 1;
    }
  }
}

int32_t create_one(qmState* L, Declaration& d, const DeclareContext& ctx) {
  const char* command = command_of(d.type);
  if (d.type == DECL_BUTTON) {
    if (int32_t err = push_command(L, command)) return err;
    vm_pop(L, 1);
    return script_call_command(L, command, 0,
                               {CallArg::integer(d.id), CallArg::integer(d.words[0]),
                                CallArg::integer(d.words[1]), CallArg::integer(d.words[2]),
                                CallArg::integer(d.words[3])});
  }
  set_function_name(command);
  std::string name = resolved_name(d, ctx);
  if (int32_t err = push_command(L, command)) return err;
  switch (d.type) {
    case DECL_MUSIC: case DECL_SAMPLE: case DECL_KEYDOWN: case DECL_VIDEO:
      vm_push_number(L, d.id);
      vm_push_lstring(L, name.data(), name.size());
      return vm_call(L, 2, 0);
    case DECL_FILE:
      d.arg1 = 1005;  // MODE_READ
      vm_push_number(L, d.id);
      vm_push_lstring(L, name.data(), name.size());
      vm_push_number(L, uint32_t(d.arg1));
      return vm_call(L, 3, 0);
    case DECL_FONT:
      vm_push_number(L, d.id);
      vm_push_lstring(L, name.data(), name.size());
      vm_push_number(L, uint32_t(d.arg1));
      vm_new_table(L);
      if (d.arg2 & 0xFFFF) set_number(L, "engine", d.arg2 & 0xFFFF);
      if (d.arg2 & 0x10000) set_number(L, "cache", 0);
      return vm_call(L, 4, 0);
    default:  // pictures
      vm_push_number(L, d.id);
      vm_push_lstring(L, name.data(), name.size());
      vm_new_table(L);
      if (d.arg1 != -1) set_number(L, "transparency", d.arg1);
      set_number(L, "loadalpha", d.arg2);
      picture_fields(L, d);
      return vm_call(L, 3, 0);
  }
}

}  // namespace

int32_t add_declaration(std::vector<Declaration>* list, const Declaration& decl) {
  try {
    list->push_back(decl);
    Declaration& d = list->back();
    if (d.type == DECL_BUTTON || d.type == DECL_DISPLAY) {
      d.has_name = false;
      d.source_name.clear();
    }
    if (records_current_dir(d)) d.current_dir = current_dir_name();
  } catch (const std::bad_alloc&) {
    return ERR_MEM;
  }
  return 0;
}

int32_t add_default_display(std::vector<Declaration>* list, const char* title) {
  Declaration d;
  d.type = DECL_DISPLAY;
  d.id = 1;
  d.arg1 = -1;
  DisplayPayload& p = d.display;
  p.title = title && *title ? title : "Quillmere";
  p.x = -100000;
  p.y = -100000;
  p.width = 640;
  p.height = 480;
  p.fill_style = 1;
  declaration_set_gradient_defaults(&p.gradient);
  p.flags = DISPF_ACTIVE;
  return add_declaration(list, d);
}

int32_t declarations_create(qmState* L, std::vector<Declaration>* list, const DeclareContext& ctx) {
  ErrorContext& ec = err_context();
  const int32_t saved_line = ec.line;

  bool bgpic1 = false, display1 = false;
  for (const Declaration& d : *list) {
    if (d.type == DECL_BGPIC && d.id == 1) bgpic1 = true;
    if (d.type == DECL_DISPLAY && d.id == 1) display1 = true;
  }
  if (!display1) {
    if (int32_t err = add_default_display(list, nullptr)) return err;
  }

  if (!ctx.settings_reset) {
    for (Declaration& d : *list) {
      if (d.type != DECL_DISPLAY) continue;
      DisplayPayload& p = d.display;
      p.flags |= ctx.cmdline_flags & ~p.given_mask;
      if (p.scale_width == 0) p.scale_width = ctx.cmdline_scale_width;
      if (p.scale_height == 0) p.scale_height = ctx.cmdline_scale_height;
    }
  }
  share_images(*list);

  set_attr(L, ATTR_WORD6, 1);
  set_attr(L, ATTR_SCRIPT_RUNNING, 1);
  int32_t code = 0;
  for (int pass = 0; pass < 2 && code == 0; ++pass) {
    for (Declaration& d : *list) {
      const bool display = d.type == DECL_DISPLAY;
      if (display != (pass == 1) || d.type == DECL_PLUGIN) continue;
      set_attr(L, ATTR_QUIET, ctx.quiet_forced ? 1 : d.quiet);
      ec.line = d.context;
      if (display) {
        set_function_name("CreateDisplay");
        code = push_command(L, "CreateDisplay");
        if (code == 0) {
          vm_push_number(L, d.id);
          vm_new_table(L);
          display_fields(L, d, ctx, bgpic1);
          code = vm_call(L, 2, 0);
        }
      } else {
        code = create_one(L, d, ctx);
      }
      if (code) break;
      set_function_name("----");
    }
  }
  if (code) return code;
  ec.line = saved_line;
  set_attr(L, ATTR_WORD6, 0);
  set_attr(L, ATTR_QUIET, ctx.quiet_forced ? 1 : 0);
  set_attr(L, ATTR_SCRIPT_RUNNING, 0);
  return 0;
}

}  // namespace qm

// The display library: its fourteen commands and constants, the size change that ChangeDisplaySize
// and SetDisplayAttributes share, screen mode switches, and GetAttribute for displays.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

#include "display/bgpic.h"
#include "display/asyncdraw.h"
#include "display/clipregion.h"
#include "display/pointer.h"
#include "display/display.h"
#include "display/graphics.h"
#include "display/hooks.h"
#include "display/picture.h"
#include "display/target.h"
#include "engine/errcodes.h"
#include "engine/numconv.h"
#include "engine/vm.h"
#include "gfx/bitmap.h"
#include "runtime/args.h"
#include "runtime/errors.h"

namespace qm {

namespace {

DisplaySystem& ds() { return display_system(); }

// Attribute numbers of the display rows.
enum : int32_t {
  ATTRMAXWIDTH = 2, ATTRMAXHEIGHT = 3, ATTRBGPIC = 4, ATTRXPOS = 7, ATTRYPOS = 8, ATTRCURSORX = 21, ATTRCURSORY = 22,
  ATTRBORDERLEFT = 24, ATTRBORDERTOP = 25, ATTRBORDERRIGHT = 26, ATTRBORDERBOTTOM = 27, ATTRHOSTWIDTH = 28,
  ATTRHOSTHEIGHT = 29, ATTRPOINTER = 38, ATTRSTATE = 40, ATTRACTIVE = 41, ATTRMODE = 42, ATTRSCALEMODE = 43,
  ATTRSCALEWIDTH = 44, ATTRSCALEHEIGHT = 45, ATTRBORDERLESS = 46, ATTRFIXED = 47, ATTRSIZEABLE = 48,
  ATTRNOHIDE = 49, ATTRNOMODESWITCH = 50, ATTRTITLE = 51, ATTRMARGINLEFT = 52, ATTRMARGINRIGHT = 53,
  ATTROUTPUTDEVICE = 54, ATTRDOUBLEBUFFER = 55, ATTRHOSTDEPTH = 56, ATTRNOCLOSE = 61, ATTRLAYERSON = 69,
  ATTRORIENTATION = 70, ATTRKEYBOARD = 71,
};


int32_t current_or_fail(qmDisplay** out) {
  *out = display_current();
  return *out ? 0 : ERR_WRONGUSAGE;
}

int32_t find_arg(qmState* L, int32_t n, qmDisplay** out) { return display_find(arg_get_id(L, n), out); }

bool shaped(const qmBGPic* pic) { return pic && (pic->current.mask || pic->current.alpha); }

void reset_text_cursor(qmDisplay* d) {
  int32_t* block = d->select_saved ? d->saved_cursor : nullptr;
  const int32_t right = d->bgpic ? d->bgpic->width - 1 : 0;
  if (block) {
    block[0] = block[1] = block[2] = 0;
    block[3] = right;
  } else {
    d->cursor_x = d->cursor_y = d->text_margin_left = 0;
    d->text_margin_right = right;
  }
}

// ---- commands -------------------------------------------------------------------------------------

int32_t cmd_createdisplay(qmState* L) {
  arg_check_count(L, 1, 2);
  int32_t options = 0;
  if (vm_get_top(L) >= 2 && vm_type(L, 2) != QM_TNIL) {
    vm_arg_check_table(L, 2);
    options = 2;
  }
  const bool automatic = vm_type(L, 1) == QM_TNIL;
  const ObjectId id = automatic ? automatic_id() : arg_get_id(L, 1);
  qmDisplay* d = nullptr;
  if (int32_t err = display_create(L, id, options, &d)) return err;
  if (!automatic) return 0;
  vm_push_lightuserdata(L, d);
  return 1;
}

int32_t cmd_opendisplay(qmState* L) {
  arg_check_count(L, 1, 2);
  if (ds().recording) return ERR_WRONGCMDRECVIDEO;
  qmDisplay* d = nullptr;
  if (int32_t err = find_arg(L, 1, &d)) return err;
  if (d->win.state != DISPSTATE_CLOSED) return ERR_WRONGUSAGE;
  if (int32_t err = display_open(L, d, (d->win.flags & WINFLAG_ACTIVE) ? 1 : 0)) return err;
  // Unless told otherwise the new window is selected as SelectDisplay does it: in front, and current.
  if (flag_arg(L, 2)) return 0;
  platform_window_activate(&d->win);
  display_make_current(d);
  return 0;
}

int32_t cmd_closedisplay(qmState* L) {
  arg_check_count(L, 1, 1);
  if (ds().recording) return ERR_WRONGCMDRECVIDEO;
  qmDisplay* d = nullptr;
  if (int32_t err = find_arg(L, 1, &d)) return err;
  if (d->win.state == DISPSTATE_CLOSED) return ERR_WRONGUSAGE;
  if (video_hooks().on_display(d)) return ERR_VIDATTACHED;
  display_close(d);
  return 0;
}

int32_t cmd_freedisplay(qmState* L) {
  arg_check_count(L, 1, 1);
  if (ds().recording) return ERR_WRONGCMDRECVIDEO;
  qmDisplay* d = nullptr;
  if (display_find(arg_get_id(L, 1), &d) == 0 && asyncdraw_uses_display(d)) return ERR_ADFFREEDISP;
  return display_free_by_id(L, arg_get_id(L, 1));
}

int32_t cmd_selectdisplay(qmState* L) {
  arg_check_count(L, 1, 2);
  if (ds().recording) return ERR_WRONGCMDRECVIDEO;
  qmDisplay* d = nullptr;
  if (int32_t err = find_arg(L, 1, &d)) return err;
  if (d == display_current()) return 0;
  if (!flag_arg(L, 2) && d->win.state == DISPSTATE_OPEN) platform_window_activate(&d->win);
  display_make_current(d);
  return 0;
}

int32_t cmd_activatedisplay(qmState* L) {
  arg_check_count(L, 1, 2);
  qmDisplay* d = nullptr;
  if (int32_t err = find_arg(L, 1, &d)) return err;
  if (d->win.state != DISPSTATE_OPEN) return ERR_WRONGUSAGE;
  platform_window_activate(&d->win);
  return 0;
}

int32_t cmd_settitle(qmState* L) {
  arg_check_count(L, 1, 1);
  size_t len = 0;
  const char* title = vm_arg_check_string(L, 1, &len);
  if (len > 255) return ERR_WRONGUSAGE;
  qmDisplay* d = nullptr;
  if (int32_t err = current_or_fail(&d)) return err;
  std::memcpy(d->win.title, title, len);
  d->win.title[len] = 0;
  if (d->win.state != DISPSTATE_CLOSED) platform_window_set_title(&d->win);
  return 0;
}

int32_t cmd_hidedisplay(qmState* L) {
  arg_check_count(L, 0, 0);
  if (ds().recording) return ERR_WRONGCMDRECVIDEO;
  qmDisplay* d = nullptr;
  if (int32_t err = current_or_fail(&d)) return err;
  if (d->win.state != DISPSTATE_OPEN) return ERR_WRONGUSAGE;
  if (int32_t err = platform_window_minimize(&d->win, 1)) return err;
  d->win.state = DISPSTATE_MINIMIZED;
  d->active = 0;
  return 0;
}

int32_t cmd_showdisplay(qmState* L) {
  arg_check_count(L, 0, 0);
  if (ds().recording) return ERR_WRONGCMDRECVIDEO;
  qmDisplay* d = nullptr;
  if (int32_t err = current_or_fail(&d)) return err;
  if (d->win.state != DISPSTATE_MINIMIZED) return ERR_WRONGUSAGE;
  if (int32_t err = platform_window_minimize(&d->win, 0)) return err;
  d->win.state = DISPSTATE_OPEN;
  d->active = 1;
  return 0;
}

int32_t cmd_movedisplay(qmState* L) {
  arg_check_count(L, 2, 2);
  qmDisplay* d = nullptr;
  if (int32_t err = current_or_fail(&d)) return err;
  d->win.x = to_i32(vm_arg_check_number(L, 1));
  d->win.y = to_i32(vm_arg_check_number(L, 2));
  display_resolve_position(d);
  if (d->win.state != DISPSTATE_CLOSED) platform_window_move(&d->win);
  return 0;
}

// A size argument: a number or a percentage text of the picture's size.
int32_t size_arg(qmState* L, int32_t n, int32_t reference) {
  if (vm_type(L, n) == QM_TSTRING) return to_i32(number_or_percent(L, n, reference));
  return to_i32(vm_arg_check_number(L, n));
}

int32_t cmd_changedisplaysize(qmState* L) {
  arg_check_count(L, 2, 3);
  qmDisplay* d = nullptr;
  if (int32_t err = current_or_fail(&d)) return err;
  const qmBGPic* pic = d->bgpic;
  int32_t width = size_arg(L, 1, pic->width), height = size_arg(L, 2, pic->height);
  if (width == KEEPASPRAT && height == KEEPASPRAT) return ERR_WRONGUSAGE;
  if (int32_t err = size_keep_aspect(pic->width, pic->height, &width, &height)) return err;
  int32_t x = POS_CENTER, y = POS_CENTER;
  bool smooth = false;
  if (vm_get_top(L) >= 3 && vm_type(L, 3) == QM_TTABLE) {
    opt_get_int(L, 3, "x", &x, nullptr);
    opt_get_int(L, 3, "y", &y, nullptr);
    smooth = table_flag(L, 3, "smooth");
  } else {
    smooth = flag_arg(L, 3);
  }
  if (x == KEEPPOSITION) x = d->win.x;
  if (y == KEEPPOSITION) y = d->win.y;
  return display_size_change(L, d, x, y, width, height, true, smooth, d->win.state != DISPSTATE_OPEN);
}

// ---- SetDisplayAttributes ---------------------------------------------------------------------

constexpr uint32_t kReopenFlags = WINFLAG_FITSCALE | WINFLAG_KEEPPROPORTIONS | WINFLAG_NOCLOSE | WINFLAG_USEQUARTZ |
                                  WINFLAG_NOHIDE | WINFLAG_FIXED | WINFLAG_SIZEABLE | WINFLAG_BORDERLESS;

// The display's picture shown at its own size: its display image is the picture again and its
// layers lose their scaled display states.
int32_t unscaled_display_image(qmState* L, qmDisplay* d) {
  qmBGPic* pic = d->bgpic;
  if (int32_t err = bgpic_scale_current(pic, pic->width, pic->height, false)) return err;
  return layer_hooks().rebuild_layers(L, d);
}

// Without refresh the window keeps showing what it showed (a transition draws the new picture in).
int32_t set_attributes(qmState* L, qmDisplay* d, int32_t t, bool refresh = true) {
  auto copy = std::make_unique<qmDisplay>(*d);
  const qmBGPic* old_pic = d->bgpic;
  copy->win.width = old_pic->width;
  copy->win.height = old_pic->height;
  copy->bgpic = nullptr;
  bool scale_given = false;
  if (int32_t err = display_read_options(L, t, copy.get(), true, &scale_given)) return err;
  if (!copy->scale_auto && !copy->scale_layer) {
    copy->scale_width = copy->scale_height = 0;
    std::fill(std::begin(copy->margin), std::end(copy->margin), 0);
  }
  const int32_t old_x = d->win.x, old_y = d->win.y;
  const int32_t old_w = d->win.width, old_h = d->win.height;
  const uint32_t old_flags = d->win.flags;
  const bool was_scaled = (d->scale_auto || d->scale_layer) && d->scale_width > 0 && d->scale_height > 0;
  const bool mode_changed = d->scale_auto != copy->scale_auto || d->scale_layer != copy->scale_layer;
  const bool was_shaped = shaped(old_pic);
  const bool new_pic = copy->bgpic && copy->bgpic != old_pic;
  const bool size_change =
      !new_pic && (copy->win.width != old_pic->width || copy->win.height != old_pic->height);
  int32_t x = copy->win.x, y = copy->win.y;
  if (x == POS_NOT_GIVEN) x = copy->win.width == old_pic->width ? old_x : POS_CENTER;
  if (y == POS_NOT_GIVEN) y = copy->win.height == old_pic->height ? old_y : POS_CENTER;

  // The new attributes.
  d->win.flags = copy->win.flags;
  std::memcpy(d->win.title, copy->win.title, sizeof d->win.title);
  d->drag = copy->drag;
  d->size = copy->size;
  d->scale_auto = copy->scale_auto;
  d->scale_layer = copy->scale_layer;
  d->smooth_scale = copy->smooth_scale;
  d->scale_width = copy->scale_width;
  d->scale_height = copy->scale_height;
  std::copy(std::begin(copy->margin), std::end(copy->margin), std::begin(d->margin));
  d->fill_style = copy->fill_style;
  d->fill_colour = copy->fill_colour;
  d->gradient = copy->gradient;
  d->texture_brush = copy->texture_brush;
  d->texture_x = copy->texture_x;
  d->texture_y = copy->texture_y;
  if (d->scale_layer) d->layers = 1;
  if (was_scaled && mode_changed) {
    // A scaled display leaving its scale mode first returns to its picture's size.
    d->win.width = old_pic->width;
    d->win.height = old_pic->height;
    std::fill(std::begin(d->margin), std::end(d->margin), 0);
    d->scale_x = d->scale_y = 1.0;
    if (int32_t err = unscaled_display_image(L, d)) return err;
    if (int32_t err = display_make_buffers(d)) return err;
  }

  if (new_pic) {
    d->bgpic_owned = 0;
    display_bind_bgpic(d, copy->bgpic);
    // A picture that a display scaling its layers showed before is shown at its own size again,
    // unless the scale size below makes it anew.
    if (!d->scale_layer)
      if (int32_t err = unscaled_display_image(L, d)) return err;
    // Without refresh the caller puts what the window shows into the buffers.
    if (int32_t err = display_make_buffers(d, refresh)) return err;
    d->win.width = copy->bgpic->width;
    d->win.height = copy->bgpic->height;
    if (d == display_current()) display_make_current(d);
    reset_text_cursor(d);
    bgpic_collect(L);
  } else if (size_change) {
    if (int32_t err = display_size_change(L, d, x == old_x ? POS_CENTER : x, y == old_y ? POS_CENTER : y,
                                          copy->win.width, copy->win.height, true, d->smooth_scale != 0, true))
      return err;
    x = d->win.x;
    y = d->win.y;
  }
  // A new scale size is applied, and so is the old one when the display changes between the two
  // scale modes or shows a new picture: the window keeps the scale size and the new picture (with
  // its layers) is scaled into it.
  if (d->scale_width > 0 && d->scale_height > 0 && (d->scale_auto || d->scale_layer) &&
      (scale_given || (was_scaled && mode_changed) || new_pic)) {
    if (int32_t err = display_size_change(L, d, x, y, d->scale_width, d->scale_height, false, d->smooth_scale != 0,
                                          true))
      return err;
  }
  d->win.x = x;
  d->win.y = y;
  if (d->win.state == DISPSTATE_CLOSED) return 0;

  const bool reopen = ((old_flags ^ d->win.flags) & kReopenFlags) ||
                      ((was_shaped || shaped(d->bgpic)) && (new_pic || size_change));
  if (reopen) {
    if ((old_flags ^ d->win.flags) & WINFLAG_BORDERLESS && x == old_x && y == old_y) {
      const int32_t sign = (d->win.flags & WINFLAG_BORDERLESS) ? 1 : -1;
      platform_window_frame_size(&d->win);
      d->win.x += sign * d->win.frame_left;
      d->win.y += sign * d->win.frame_top;
    }
    const int32_t active = d->active;
    display_close(d);
    if (new_pic && !refresh) display_fill_buffers(d);
    return display_open(L, d, active);
  }
  display_resolve_position(d);
  if (d->win.width != old_w || d->win.height != old_h) {
    platform_window_resize(&d->win);
  } else if (d->win.x != old_x || d->win.y != old_y) {
    platform_window_move(&d->win);
  }
  if (!d->drag.given) d->drag.count = 0;
  if (!d->size.given) d->size.count = 0;
  display_region_defaults(d);
  platform_window_regions_changed(&d->win);
  platform_window_set_title(&d->win);
  if (refresh) display_refresh(L, d);
  return 0;
}

int32_t cmd_setdisplayattributes(qmState* L) {
  arg_check_count(L, 1, 1);
  vm_arg_check_table(L, 1);
  qmDisplay* d = nullptr;
  if (int32_t err = current_or_fail(&d)) return err;
  return set_attributes(L, d, 1);
}

// ---- screen modes ---------------------------------------------------------------------------------

int32_t reopen_all(qmState* L, bool fullscreen, bool recentre) {
  for (ObjectHeader* h = ds().list; h; h = h->next) {
    qmDisplay* d = display_of(h);
    if (!d->reopen && !d->backfill) continue;
    d->reopen = 0;
    if (!d->backfill && recentre) {
      d->win.x = d->win.y = POS_CENTER;
      if (fullscreen) {
        d->win.flags = (d->win.flags | WINFLAG_BORDERLESS | WINFLAG_FIXED) & ~WINFLAG_SIZEABLE;
      } else {
        d->win.flags &= ~(WINFLAG_BORDERLESS | WINFLAG_FIXED);
      }
    }
    if (d->win.state != DISPSTATE_CLOSED) continue;
    if (int32_t err = display_open(L, d, d->active)) return err;
  }
  return 0;
}

void free_backfill(qmState* L) {
  DisplaySystem& s = ds();
  if (s.backfill_display.number || s.backfill_display.handle)
    script_call_command(L, "FreeDisplay", 0, {CallArg::object_id(s.backfill_display)});
  if (s.backfill_bgpic.number || s.backfill_bgpic.handle)
    script_call_command(L, "FreeBGPic", 0, {CallArg::object_id(s.backfill_bgpic)});
  if (s.backfill_brush.number || s.backfill_brush.handle)
    script_call_command(L, "FreeBrush", 0, {CallArg::object_id(s.backfill_brush)});
  s.backfill_display = s.backfill_bgpic = s.backfill_brush = ObjectId{};
}

int32_t cmd_changedisplaymode(qmState* L) {
  arg_check_count(L, 1, 3);
  const int32_t mode = to_i32(vm_arg_check_number(L, 1));
  int32_t width = 0, height = 0;
  if (mode == DISPMODE_FULLSCREEN_CMD) {
    width = to_i32(vm_arg_opt_number(L, 2, 0));
    height = to_i32(vm_arg_opt_number(L, 3, 0));
    if (width < 1 || height < 1) return ERR_WRONGUSAGE;
  } else if (mode != DISPMODE_WINDOWED_CMD) {
    return ERR_WRONGUSAGE;
  }
  DisplaySystem& s = ds();
  if (s.recording) return ERR_WRONGCMDRECVIDEO;
  const bool fullscreen = mode == DISPMODE_FULLSCREEN_CMD;
  if (fullscreen && s.fullscreen) {
    int32_t sw = 0, sh = 0;
    platform_screen_size(&sw, &sh);
    if (sw == width && sh == height) return 0;
  }
  if (!fullscreen && !s.fullscreen) return 0;
  uint32_t token = 0;
  platform_display_fade_out(&token, 1);
  for (ObjectHeader* h = s.list; h; h = h->next) {
    qmDisplay* d = display_of(h);
    d->reopen = d->win.state != DISPSTATE_CLOSED ? 1 : 0;
    if (d->reopen) {
      const int32_t active = d->active;
      display_close(d);
      d->active = active;
    }
  }
  free_backfill(L);
  if (fullscreen) {
    int32_t depth = 32;
    if (int32_t err = platform_display_set_mode(width, height, depth)) {
      // The displays come back in the mode they had, with its backfill: a failed switch never
      // leaves them closed.
      int32_t reopen_err = s.fullscreen ? display_make_backfill(L, display_backfill_settings(true)) : 0;
      if (!reopen_err) reopen_err = reopen_all(L, s.fullscreen != 0, false);
      platform_display_fade_in(token, 1);
      return reopen_err ? reopen_err : err;
    }
    s.fullscreen = 1;
  } else {
    platform_display_restore_mode();
    s.fullscreen = 0;
  }
  BackfillBlock block = display_backfill_settings(fullscreen);
  if (block.kind) {
    if (fullscreen) platform_set_ui_mode(2);
    if (int32_t err = display_make_backfill(L, block)) {
      platform_display_fade_in(token, 1);
      return err;
    }
  } else {
    platform_set_ui_mode(0);
  }
  int32_t err = reopen_all(L, fullscreen, true);
  platform_display_fade_in(token, 1);
  return err;
}

int32_t cmd_getdisplaymodes(qmState* L) {
  arg_check_count(L, 0, 0);
  const int32_t count = platform_get_display_modes(nullptr);
  if (count < 1) return ERR_NODISPMODES;
  std::vector<int32_t> pairs(size_t(count) * 2);
  const int32_t n = platform_get_display_modes(pairs.data());
  std::vector<std::pair<int32_t, int32_t>> modes;
  for (int32_t i = 0; i < n; ++i) modes.emplace_back(pairs[2 * i], pairs[2 * i + 1]);
  std::sort(modes.begin(), modes.end());
  vm_new_table(L);
  for (size_t i = 0; i < modes.size(); ++i) {
    vm_new_table(L);
    table_set_number(L, "width", modes[i].first);
    table_set_number(L, "height", modes[i].second);
    vm_raw_seti(L, -2, int32_t(i));
  }
  return 1;
}

const qmCommand kDisplayCommands[] = {
    {"CreateDisplay", cmd_createdisplay},
    {"OpenDisplay", cmd_opendisplay},
    {"CloseDisplay", cmd_closedisplay},
    {"FreeDisplay", cmd_freedisplay},
    {"SelectDisplay", cmd_selectdisplay},
    {"ActivateDisplay", cmd_activatedisplay},
    {"SetTitle", cmd_settitle},
    {"HideDisplay", cmd_hidedisplay},
    {"ShowDisplay", cmd_showdisplay},
    {"MoveDisplay", cmd_movedisplay},
    {"ChangeDisplaySize", cmd_changedisplaysize},
    {"ChangeDisplayMode", cmd_changedisplaymode},
    {"SetDisplayAttributes", cmd_setdisplayattributes},
    {"GetDisplayModes", cmd_getdisplaymodes},
    {nullptr, nullptr},
};

const qmConstant kDisplayConstants[] = {
    {"DISPSTATE_OPEN", nullptr, 1},        {"DISPSTATE_CLOSED", nullptr, 0},
    {"DISPSTATE_MINIMIZED", nullptr, 2},   {"DISPMODE_FULLSCREEN", nullptr, 2},
    {"DISPMODE_WINDOWED", nullptr, 1},     {"SCALEMODE_NONE", nullptr, 0},
    {"SCALEMODE_AUTO", nullptr, 1},        {"SCALEMODE_LAYER", nullptr, 2},
    {"KEEPPOSITION", nullptr, 100000},     {"ORIENTATION_NONE", nullptr, 0},
    {"ORIENTATION_PORTRAIT", nullptr, 1},  {"ORIENTATION_LANDSCAPE", nullptr, 3},
    {"ORIENTATION_PORTRAITREV", nullptr, 2}, {"ORIENTATION_LANDSCAPEREV", nullptr, 4},
    {nullptr, nullptr, 0},
};

// ---- GetAttribute -----------------------------------------------------------------------------------

int32_t push_int(qmState* L, int64_t v) {
  vm_push_number(L, double(v));
  return 1;
}

int32_t push_id(qmState* L, const ObjectId& id) {
  if (id.handle) vm_push_lightuserdata(L, id.handle);
  else vm_push_number(L, id.number);
  return 1;
}

int32_t display_attribute(qmState* L, int32_t attribute) {
  qmDisplay* d = nullptr;
  const bool current = vm_type(L, 2) == QM_TNUMBER && vm_to_number(L, 2) == 0;
  if (current) {
    d = display_current();
    if (!d) {
      err_set_number_arg(0);
      return ERR_FINDDISPLAY;
    }
  } else if (int32_t err = find_arg(L, 2, &d)) {
    return err;
  }
  const int32_t border_w = d->margin[0] + d->margin[2] + d->win.frame_extra_width;
  const int32_t border_h = d->margin[1] + d->margin[3] + d->win.frame_extra_height;
  int32_t sw = 0, sh = 0;
  switch (attribute) {
    case ATTRWIDTH: return push_int(L, d->bgpic->width);
    case ATTRHEIGHT: return push_int(L, d->bgpic->height);
    case ATTRMAXWIDTH: platform_screen_size(&sw, &sh); return push_int(L, sw - border_w);
    case ATTRMAXHEIGHT: platform_screen_size(&sw, &sh); return push_int(L, sh - border_h);
    case ATTRBGPIC: return push_id(L, d->bgpic->header.id);
    case ATTRLAYERS: return push_int(L, layer_hooks().layer_count(d->bgpic));
    case ATTRXPOS: return push_int(L, d->win.x);
    case ATTRYPOS: return push_int(L, d->win.y);
    case ATTRCURSORX: return push_int(L, d->cursor_x);
    case ATTRCURSORY: return push_int(L, d->cursor_y);
    case ATTRBORDERLEFT: return push_int(L, d->margin[0] + d->win.frame_left);
    case ATTRBORDERTOP: return push_int(L, d->margin[1] + d->win.frame_top);
    case ATTRBORDERRIGHT: return push_int(L, border_w - d->margin[0] - d->win.frame_left);
    case ATTRBORDERBOTTOM: return push_int(L, border_h - d->margin[1] - d->win.frame_top);
    case ATTRHOSTWIDTH: platform_screen_size(&sw, &sh); return push_int(L, sw);
    case ATTRHOSTHEIGHT: platform_screen_size(&sw, &sh); return push_int(L, sh);
    case ATTRHOSTDEPTH: {
      // 24- and 32-bit desktops both answer 32.
      ScreenInfo s;
      const int32_t bits = platform_screen_info(&s) == 0 ? s.bits : 32;
      return push_int(L, bits >= 24 ? 32 : bits);
    }
    case ATTRPOINTER: return d->pointer ? push_id(L, static_cast<qmPointer*>(d->pointer)->header.id) : push_int(L, 0);
    case ATTRSTATE: return push_int(L, d->win.state);
    case ATTRACTIVE: return push_int(L, d->active);
    case ATTRMODE: return push_int(L, ds().fullscreen ? 2 : 1);
    case ATTRSCALEMODE: return push_int(L, d->scale_auto ? 1 : d->scale_layer ? 2 : 0);
    case ATTRSCALEWIDTH: return push_int(L, d->scale_width > 0 ? d->scale_width : d->win.width);
    case ATTRSCALEHEIGHT: return push_int(L, d->scale_height > 0 ? d->scale_height : d->win.height);
    case ATTRBORDERLESS: return push_int(L, d->win.flags & 1);
    case ATTRSIZEABLE: return push_int(L, d->win.flags >> 1 & 1);
    case ATTRFIXED: return push_int(L, d->win.flags >> 2 & 1);
    case ATTRNOMODESWITCH: return push_int(L, d->win.flags >> 3 & 1);
    case ATTRNOHIDE: return push_int(L, d->win.flags >> 5 & 1);
    case ATTRNOCLOSE: return push_int(L, d->win.flags >> 14 & 1);
    case ATTRTITLE: vm_push_string(L, d->win.title); return 1;
    case ATTRMARGINLEFT: return push_int(L, d->text_margin_left);
    case ATTRMARGINRIGHT: return push_int(L, d->text_margin_right);
    case ATTROUTPUTDEVICE: {
      if (d->double_buffer) {
        for (int i = 0; i < 3; ++i) vm_push_number(L, 0);
        return 3;
      }
      const bool own = d->output_type == kOutputDisplay || d->output_type == OBJ_BGPIC;
      push_int(L, own ? 0 : d->output_type);
      push_id(L, d->header.id);
      push_int(L, own ? 0 : d->output_type);
      return 3;
    }
    case ATTRDOUBLEBUFFER: return push_int(L, (d->double_buffer || d->output_switch[1]) ? 1 : 0);
    case ATTRMASKMODE: return push_int(L, graphics_mask_mode());
    case ATTRALPHAINTENSITY: return push_int(L, graphics_alpha_intensity());
    case ATTRLAYERSON: return push_int(L, d->layers);
    case ATTRFONTASCENDER:
    case ATTRFONTDESCENDER:
    case ATTRFONTNAME:
    case ATTRFONTSIZE:
    case ATTRFONTSCALABLE:
    case ATTRFONTAA: {
      FontAttributes font;
      if (!graphics_current_font(&font)) return ERR_UNKNOWNATTR;
      return graphics_push_font_attribute(L, attribute, font);
    }
    case ATTRORIENTATION: return push_int(L, 0);
    case ATTRKEYBOARD: return push_int(L, 0);
    default: return ERR_UNKNOWNATTR;
  }
}

}  // namespace

int32_t display_size_change(qmState* L, qmDisplay* d, int32_t x, int32_t y, int32_t width, int32_t height,
                            bool program_request, bool smooth, bool no_refresh) {
  if (!display_size_allowed(width, height)) return ERR_MEM;
  if (program_request && d->double_buffer) dblbuf_end_display(d);
  qmBGPic* pic = d->bgpic;
  const bool scaled = d->scale_width > 0 && d->scale_height > 0;
  if (d->scale_layer && scaled && program_request) {
    if (width == pic->width && height == pic->height) return 0;
    if (int32_t err = bgpic_resize(pic, width, height, smooth)) return err;
    // The window keeps its scale size: the picture's display image stays at it.
    if (int32_t err = bgpic_scale_current(pic, d->scale_width, d->scale_height, d->smooth_scale != 0)) return err;
    d->scale_x = double(d->scale_width) / width;
    d->scale_y = double(d->scale_height) / height;
    if (int32_t err = layer_hooks().rebuild_layers(L, d)) return err;
    if (int32_t err = display_make_buffers(d)) return err;
    if (!no_refresh) display_refresh(L, d);
    reset_text_cursor(d);
    return 0;
  }
  const int32_t old_x = d->win.x, old_y = d->win.y, old_w = d->win.width, old_h = d->win.height;
  if (program_request && !d->scale_auto) {
    d->win.x = x;
    d->win.y = y;
    d->win.width = width;
    d->win.height = height;
    display_resolve_position(d);
  } else if (!program_request) {
    d->win.width = width;
    d->win.height = height;
    if ((d->scale_auto || d->scale_layer) && (d->win.flags & WINFLAG_KEEPPROPORTIONS) && !shaped(pic)) {
      int32_t sw = width, sh = int32_t(std::lround(double(pic->height) / pic->width * width));
      if (sh > height) {
        sw = int32_t(std::lround(double(pic->width) / pic->height * height));
        sh = height;
      }
      d->margin[0] = (width - sw) / 2;
      d->margin[2] = width - sw - d->margin[0];
      d->margin[1] = (height - sh) / 2;
      d->margin[3] = height - sh - d->margin[1];
      d->scale_width = sw;
      d->scale_height = sh;
    } else if (d->scale_auto || d->scale_layer) {
      std::fill(std::begin(d->margin), std::end(d->margin), 0);
      d->scale_width = width;
      d->scale_height = height;
    }
  }
  if (program_request && !shaped(pic) && (width > 32767 || height > 32767)) {
    char text[32];
    std::snprintf(text, sizeof text, "%dx%d", width, height);
    err_set_string_arg(text);
    d->win.x = old_x, d->win.y = old_y, d->win.width = old_w, d->win.height = old_h;
    return ERR_DISPLAYSIZE;
  }
  if (!shaped(pic) && !no_refresh && d->win.state != DISPSTATE_CLOSED) {
    if (d->win.width != old_w || d->win.height != old_h) platform_window_resize(&d->win);
    else if (d->win.x != old_x || d->win.y != old_y) platform_window_move(&d->win);
    if (!d->drag.given) d->drag.count = 0;
    if (!d->size.given) d->size.count = 0;
    display_region_defaults(d);
    platform_window_regions_changed(&d->win);
  }
  const bool window_resize_scaled = !program_request && d->scale_auto;
  if (!d->scale_auto || program_request) {
    if (!(d->scale_layer && !program_request)) {
      if (int32_t err = bgpic_resize(pic, width, height, smooth)) return err;
    }
  }
  // Layer scaling on a window resize: the picture keeps its size and its display image is made at
  // the scale size, which the background buffers and the composition then have.
  if (d->scale_layer && !program_request && d->scale_width > 0 && d->scale_height > 0)
    if (int32_t err = bgpic_scale_current(pic, d->scale_width, d->scale_height, d->smooth_scale != 0)) return err;
  if (d->scale_width > 0 && d->scale_height > 0) {
    d->scale_x = double(d->scale_width) / pic->width;
    d->scale_y = double(d->scale_height) / pic->height;
  } else {
    d->scale_x = d->scale_y = 1.0;
  }
  if (int32_t err = layer_hooks().rebuild_layers(L, d)) return err;
  if (!window_resize_scaled) {
    if (int32_t err = display_make_buffers(d)) return err;
  }
  display_bind_bgpic(d, pic);
  if (!no_refresh) {
    if (shaped(pic) && d->win.state == DISPSTATE_OPEN) {
      const int32_t active = d->active;
      display_close(d);
      if (int32_t err = display_open(L, d, active)) return err;
    } else {
      display_refresh(L, d);
    }
  }
  if (window_resize_scaled) return 0;
  reset_text_cursor(d);
  return 0;
}

int32_t display_set_attributes(qmState* L, int32_t t, bool refresh) {
  qmDisplay* d = nullptr;
  if (int32_t err = current_or_fail(&d)) return err;
  if (d->double_buffer) dblbuf_end_display(d);  // the attributes change without double buffering
  return set_attributes(L, d, t, refresh);
}

}  // namespace qm

using namespace qm;

int32_t display_init(qmState* L) {
  DisplaySystem& s = display_system();
  if (!s.mutex) s.mutex = platform_mutex_create();
  if (!s.mutex) return ERR_SEMAPHORE;
  display_install_services();
  graphics_set_attribute_handler(OBJ_DISPLAY, display_attribute);
  if (int32_t err = picture_library_open(L, kDisplayCommands, kDisplayConstants, "display", &s.list)) return err;
  if (int32_t err = output_library_open(L)) return err;
  return clipregion_open(L);
}

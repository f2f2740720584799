// Opening the displays once the declarations ran: the run's display mode, the screen switch, the
// backfill display behind full-screen runs, and the first current display.
#include <algorithm>
#include <cstdio>
#include <string>

#include "display/bgpic.h"
#include "display/brush.h"
#include "gfx/bitmap.h"
#include "gfx/blit.h"
#include "gfx/blitpixels.h"
#include "display/display.h"
#include "display/picture.h"
#include "engine/errcodes.h"
#include "engine/vm.h"
#include "runtime/args.h"
#include "runtime/config.h"
#include "runtime/errors.h"

namespace qm {

namespace {

PendingConversion g_pending[4] = {};

BackfillBlock g_project_backfill;

// The size of display 1's window for the screen-mode choice against the configured screen size.
void mode_size(qmDisplay* d, const DisplaySettings& s, int32_t* w, int32_t* h) {
  platform_window_frame_size(&d->win);
  *w = d->win.width + d->win.frame_extra_width;
  *h = d->win.height + d->win.frame_extra_height;
  if (s.width == -1 || s.height == -1) return;
  int32_t sw = 0, sh = 0;
  platform_screen_size(&sw, &sh);
  const int32_t cw = s.width == 0 ? sw : s.width, ch = s.height == 0 ? sh : s.height;
  if (*w <= cw && *h <= ch) {
    *w = cw, *h = ch;
  } else if (!(d->win.flags & WINFLAG_BORDERLESS) && d->win.width <= cw && d->win.height <= ch) {
    d->win.flags |= WINFLAG_BORDERLESS;
    *w = cw, *h = ch;
  }
}

// Mode 3 asks: the first button is full screen, the second windowed.
int32_t ask_mode(const qmDisplay* d) {
  std::string reply;
  if (platform_requester_scripted("system", d->win.title, &reply)) return reply == "1" ? 2 : 1;
  return 1;
}

}  // namespace

BackfillBlock display_backfill_settings(bool fullscreen) {
  if (g_project_backfill.kind && !display_system().backfill_first_choice) return g_project_backfill;
  BackfillBlock b;
  b.kind = fullscreen ? 1 : 0;
  b.menu_bar = 1;
  return b;
}

namespace {

// The automatic id a creating command called by name left on the stack.
int32_t take_new_id(qmState* L, int32_t err, int32_t top, ObjectId* out) {
  if (!err) *out = ObjectId{0, vm_to_userdata(L, -1)};
  vm_set_top(L, top);
  return err;
}

// The backfill's brush: loaded from the file, else a copy of the given brush; scaled to the screen
// for a picture that asks for it.
int32_t backfill_brush(qmState* L, const BackfillBlock& b, int32_t w, int32_t h, ObjectId* out) {
  const int32_t top = vm_get_top(L);
  int32_t err = 0;
  if (!b.file.empty() && b.kind == 4) {
    err = script_call_command(L, "LoadBrush", 1,
                              {CallArg::nil(), CallArg::string(b.file.c_str()), CallArg::integer(b.transparent)});
  } else if (!b.file.empty()) {
    err = script_call_command(L, "LoadBrush", 1, {CallArg::nil(), CallArg::string(b.file.c_str())});
  } else {
    err = script_call_command(L, "CopyBrush", 1, {CallArg::integer(b.brush), CallArg::nil()});
  }
  if (int32_t e = take_new_id(L, err, top, out)) return e;
  if (b.kind == 4 && b.scale)
    return script_call_command(L, "ScaleBrush", 0, {CallArg::object_id(*out), CallArg::integer(w), CallArg::integer(h)});
  return 0;
}

// Puts the brush onto the picture at the resolved position, through its mask or alpha plane.
int32_t draw_brush_on(const ObjectId& brush_id, const ObjectId& pic_id, int32_t px, int32_t py) {
  qmBrush* b = nullptr;
  qmBGPic* pic = nullptr;
  if (int32_t err = brush_find(brush_id, 0, &b)) return err;
  if (int32_t err = bgpic_find(pic_id, BGPICFIND_TEMPORARY, &pic)) return err;
  qmBitmap* target = pic->current.bitmap;
  int32_t x = coord_resolve_special_x(px, b->width, target->width, 0.0);
  int32_t y = coord_resolve_special_y(py, b->height, target->height, 0.0);
  int32_t sx = 0, sy = 0, w = b->width, h = b->height;
  if (!blit_clip_rects(nullptr, &sx, &sy, &x, &y, &w, &h, b->width, b->height, target->width, target->height, false))
    return 0;
  if (b->mask) BLTMASK(b->bitmap, sx, sy, target, x, y, w, h, b->mask);
  else if (b->alpha) BLTALPHABITMAP(b->bitmap, sx, sy, target, x, y, w, h, b->alpha);
  else BLTBITMAP(b->bitmap, sx, sy, target, x, y, w, h);
  return 0;
}

// The whole screen into the desktop grab and onto the desktop display's picture (every distinct
// bitmap of its image sets).
int32_t grab_desktop_into(qmDisplay* d) {
  DisplaySystem& ds = display_system();
  int32_t w = 0, h = 0;
  platform_screen_size(&w, &h);
  qmos_free_bitmap(ds.desktop_grab);
  ds.desktop_grab = platform_screen_grab(0, 0, w, h);
  if (!ds.desktop_grab) return ERR_MEM;
  qmBGPic* pic = d->bgpic;
  qmBitmap* done[3] = {nullptr, nullptr, nullptr};
  int32_t n = 0;
  for (qmBitmap* target : {pic->current.bitmap, pic->working.bitmap, pic->unscaled.bitmap}) {
    if (!target || std::find(done, done + n, target) != done + n) continue;
    done[n++] = target;
    BLTBITMAP(ds.desktop_grab, 0, 0, target, 0, 0, std::min(w, target->width), std::min(h, target->height));
  }
  return 0;
}

}  // namespace

int32_t display_make_backfill(qmState* L, const BackfillBlock& block) {
  if (block.kind == 0) return 0;
  int32_t w = 0, h = 0;
  platform_screen_size(&w, &h);
  // No menu bar of its own on this desktop: the offset is 0 either way.
  const int32_t y = 0;
  DisplaySystem& ds = display_system();
  if (block.kind == 3 || block.kind == 4) {
    if (int32_t err = backfill_brush(L, block, w, h, &ds.backfill_brush)) return err;
  }
  const uint32_t c1 = uint32_t(block.colour1 == -1 ? 0 : block.colour1) & 0xFFFFFF;
  const uint32_t c2 = uint32_t(block.colour2 == -1 ? 0 : block.colour2) & 0xFFFFFF;
  const bool gradient = block.kind == 2 || (block.kind == 4 && block.colour2 != -1);
  const int32_t top = vm_get_top(L);
  int32_t err = 0;
  if (block.kind == 3) {
    err = script_call_command(L, "CreateTexturedBGPic", 1,
                              {CallArg::nil(), CallArg::object_id(ds.backfill_brush), CallArg::integer(w),
                               CallArg::integer(h)});
  } else if (gradient) {
    err = script_call_command(L, "CreateGradientBGPic", 1,
                              {CallArg::nil(), CallArg::integer(GRADIENT_LINEAR), CallArg::unsigned_integer(c1),
                               CallArg::unsigned_integer(c2), CallArg::integer(w), CallArg::integer(h)});
  } else {
    err = script_call_command(L, "CreateBGPic", 1,
                              {CallArg::nil(), CallArg::integer(w), CallArg::integer(h), CallArg::unsigned_integer(c1)});
  }
  if (int32_t e = take_new_id(L, err, top, &ds.backfill_bgpic)) return e;
  if (block.kind == 4) {
    if (int32_t e = draw_brush_on(ds.backfill_brush, ds.backfill_bgpic, block.picture_x, block.picture_y)) return e;
  }
  vm_new_table(L);
  const int32_t t = vm_get_top(L);
  table_set_number(L, "y", y);
  table_set_number(L, "borderless", 1);
  table_set_number(L, "fixed", 1);
  table_set_id(L, "bgpic", ds.backfill_bgpic);
  table_set_number(L, "hidepointer", 1);
  table_set_number(L, "private1", 1);
  qmDisplay* d = nullptr;
  err = display_create(L, ObjectId{0, &ds}, t, &d);
  vm_set_top(L, top);
  if (err) return err;
  ds.backfill_display = d->header.id;
  return 0;
}

void display_add_pending_conversion(PendingConversion convert) {
  for (PendingConversion& slot : g_pending) {
    if (slot == convert) return;
    if (!slot) {
      slot = convert;
      return;
    }
  }
}

int32_t display_open_first(qmState* L, const DisplaySettings* settings, const char*) {
  DisplaySystem& ds = display_system();
  const DisplaySettings defaults;
  const DisplaySettings& s = settings ? *settings : defaults;
  g_project_backfill = BackfillBlock{};
  BackfillBlock& pb = g_project_backfill;
  pb.kind = s.backfill_type;
  pb.colour1 = s.start_color;
  pb.colour2 = s.end_color;
  pb.brush = s.backfill_brush;
  pb.file = s.backfill_brush_file;
  pb.scale = s.scale_picture;
  pb.picture_x = s.pic_x;
  pb.picture_y = s.pic_y;
  pb.transparent = s.pic_trans;
  qmDisplay* first = nullptr;
  if (int32_t err = display_find(ObjectId{1, nullptr}, &first)) return err;

  int32_t mode = s.mode == DISPMODE_DEFAULT ? DISPMODE_WINDOW : s.mode;
  const bool desktop = display_wants_desktop(first);
  if (desktop) {
    if (ds.recording) return ERR_DDRECVIDEO;
    if (first->scale_auto || first->scale_layer) return ERR_DDAUTOSCALE;
    mode = DISPMODE_WINDOW;
    first->win.flags = WINFLAG_BORDERLESS | WINFLAG_FIXED | WINFLAG_NOMODESWITCH | WINFLAG_NOHIDE | WINFLAG_ACTIVE;
  } else if (mode == 3) {
    mode = ask_mode(first);
  }
  // The project's backfill shows behind the displays in every mode but the desktop display's; a
  // full-screen choice without one makes a black one.
  bool backfill = pb.kind != 0 && !desktop;
  BackfillBlock block = pb;
  if (mode == 2 || mode == 4 || mode == 6) {
    if (!backfill) {
      block = BackfillBlock{};
      block.kind = 1;
      block.menu_bar = 1;
    }
    backfill = true;
    first->win.flags |= WINFLAG_BORDERLESS | WINFLAG_FIXED;
    if (mode == 6) {
      first->win.flags |= WINFLAG_FULLSCREENWINDOW;
      mode = 1;
    } else {
      ds.backfill_first_choice = 1;
    }
  }
  int32_t mode_w = 0, mode_h = 0;
  mode_size(first, s, &mode_w, &mode_h);
  int32_t out_w = mode_w, out_h = mode_h, out_depth = 32;
  if (int32_t err = platform_display_prepare(mode, backfill ? 1 : 0, block.menu_bar, mode_w, mode_h, s.depth,
                                             &out_w, &out_h, &out_depth))
    return err;
  if (mode != 1) {
    uint32_t token = 0;
    platform_display_fade_out(&token, 1);
    int32_t err = platform_display_set_mode(out_w, out_h, out_depth);
    platform_display_fade_in(token, 1);
    if (err) return err;
    ds.fullscreen = 1;
  }
  console_print_file(err_get_message(99), "", true);
  console_print_done();
  // Pictures and brushes are made as bitmaps from the start on this host; only what a library
  // kept raw on purpose waits for conversion here.
  for (PendingConversion convert : g_pending)
    if (convert)
      if (int32_t err = convert()) return err;
  if (backfill) {
    if (int32_t err = display_make_backfill(L, block)) return err;
  }
  if (!ds.up && !ds.recording) console_print_file("And Action!\n", "", false);
  ds.up = 1;
  if (desktop)
    if (int32_t err = grab_desktop_into(first)) return err;
  for (ObjectHeader* h = ds.list; h; h = h->next)
    if (int32_t err = display_prepare(L, display_of(h))) return err;
  if (desktop) platform_set_ui_mode(2);
  else if (backfill) platform_set_ui_mode(block.menu_bar ? 2 : 1);
  for (ObjectHeader* h = ds.list; h; h = h->next) {
    qmDisplay* d = display_of(h);
    if (d->win.flags & WINFLAG_HIDDEN) continue;
    if (int32_t err = display_open(L, d, (d->win.flags & WINFLAG_ACTIVE) ? 1 : 0)) return err;
  }
  qmDisplay* current = nullptr;
  for (ObjectHeader* h = ds.list; h && !current; h = h->next) {
    qmDisplay* d = display_of(h);
    if ((d->win.flags & WINFLAG_ACTIVE) && !(d->win.flags & WINFLAG_HIDDEN)) current = d;
  }
  if (current) platform_window_activate(&current->win);
  else current = first;
  display_make_current(current);
  return 0;
}

}  // namespace qm

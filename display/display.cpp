// Display records and their lifecycle: the list and the current display, creating a record with
// its options and its own picture, preparing and opening its window, closing, freeing and the
// clean-up at exit, and the display's services to the blit layer and the picture libraries.
#include "display/display.h"
#include "display/asyncdraw.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>
#include <vector>

#include "display/bgpic.h"
#include "display/brush.h"
#include "display/fill.h"
#include "display/graphics.h"
#include "display/hooks.h"
#include "display/input_events.h"
#include "display/picture.h"
#include "display/snapshot.h"
#include "display/target.h"
#include "engine/errcodes.h"
#include "engine/numconv.h"
#include "engine/vm.h"
#include "events/input_queue.h"
#include "gfx/bitmap.h"
#include "gfx/blit.h"
#include "runtime/args.h"
#include "runtime/errors.h"

namespace qm {

namespace {

DisplaySystem g_displays;

void sync_output(qmDisplay* d);

bool has_scale_mode(const qmDisplay* d) { return d->scale_auto || d->scale_layer; }

// ---- the list -----------------------------------------------------------------------------------

void list_link(qmDisplay* d) {
  DisplaySystem& ds = g_displays;
  if (ds.mutex) platform_mutex_lock(ds.mutex);
  d->header.next = nullptr;
  if (d->backfill) {
    d->header.next = ds.list;
    ds.list = &d->header;
  } else {
    ObjectHeader** p = &ds.list;
    while (*p) p = &(*p)->next;
    *p = &d->header;
  }
  if (ds.mutex) platform_mutex_unlock(ds.mutex);
}

void list_unlink(qmDisplay* d) {
  DisplaySystem& ds = g_displays;
  if (ds.mutex) platform_mutex_lock(ds.mutex);
  for (ObjectHeader** p = &ds.list; *p; p = &(*p)->next) {
    if (*p == &d->header) {
      *p = d->header.next;
      break;
    }
  }
  if (ds.mutex) platform_mutex_unlock(ds.mutex);
}

// ---- regions --------------------------------------------------------------------------------------

// The region table under key: entries from index 0 up to the first nil. An absent key keeps set.
int32_t read_regions(qmState* L, int32_t t, const char* key, RegionSet* set) {
  vm_push_string(L, key);
  vm_get_table(L, t);
  const int32_t rt = vm_get_top(L);
  struct Pop {
    qmState* L;
    ~Pop() { vm_pop(L, 1); }
  } pop{L};
  if (vm_type(L, rt) == QM_TNIL) return 0;
  if (vm_type(L, rt) != QM_TTABLE) return ERR_WRONGUSAGE;
  int32_t count = 0;
  DisplayRegion regions[kMaxRegions];
  for (int32_t i = 0;; ++i) {
    vm_raw_geti(L, rt, i);
    const int32_t et = vm_get_top(L);
    if (vm_type(L, et) == QM_TNIL) {
      vm_pop(L, 1);
      break;
    }
    int32_t err = 0;
    DisplayRegion r;
    r.type = REGION_BOX;
    if (count >= kMaxRegions || vm_type(L, et) != QM_TTABLE) err = ERR_WRONGUSAGE;
    if (!err) opt_get_int(L, et, "type", &r.type, nullptr);
    if (!err && r.type != REGION_BOX) err = ERR_WRONGUSAGE;
    int32_t* fields[] = {&r.x, &r.y, &r.width, &r.height};
    const char* names[] = {"x", "y", "width", "height"};
    for (int32_t f = 0; f < 4 && !err; ++f)
      if (opt_get_int(L, et, names[f], fields[f], nullptr) == 0) err = ERR_MISSINGPARAMTR;
    if (!err && (r.x < 0 || r.y < 0 || r.width < 1 || r.height < 1)) err = ERR_WRONGUSAGE;
    vm_pop(L, 1);
    if (err) return err;
    regions[count++] = r;
  }
  for (int32_t i = 0; i < count; ++i) set->used[i] = set->unscaled[i] = regions[i];
  set->count = count;
  set->given = count > 0 ? 1 : 0;
  return 0;
}

void clamp_region(DisplayRegion& r, int32_t width, int32_t height) {
  if (int64_t(r.x) + r.width > width) r.width = width - r.x;
  if (int64_t(r.y) + r.height > height) r.height = height - r.y;
  if (r.x >= width) r.x = width - 1;
  if (r.y >= height) r.y = height - 1;
  r.width = std::max(r.width, 1);
  r.height = std::max(r.height, 1);
}

// ---- the display's own picture ----------------------------------------------------------------

int32_t make_own_bgpic(qmState* L, qmDisplay* d) {
  FillOptions fill;
  fill.kind = d->fill_style == 0 ? FILLCOLOR : d->fill_style;
  fill.colour = d->fill_colour;
  fill.gradient = d->gradient;
  fill.texture_brush = d->texture_brush;
  fill.texture_x = d->texture_x;
  fill.texture_y = d->texture_y;
  // Display 1 owns BGPic 1 before the first display opens; every other display's picture gets an
  // automatic id. The desktop display's picture is left unfilled: it receives the desktop.
  ObjectId id = automatic_id();
  const bool owns_one = !g_displays.up && d->header.id.number == 1 && !d->header.id.handle;
  const bool desktop = owns_one && display_wants_desktop(d);
  if (owns_one) {
    id = ObjectId{1, nullptr};
    qmBGPic* existing = nullptr;
    if (desktop && bgpic_find(id, 0, &existing) == 0) {
      fill_options_free(fill);
      return ERR_DISPLAYDESKTOP;
    }
  }
  qmBitmap* bm = nullptr;
  if (desktop) {
    bm = qmos_alloc_bitmap(d->win.width, d->win.height);
    if (!bm) {
      fill_options_free(fill);
      return ERR_MEM;
    }
    std::memset(bm->pixels, 0, size_t(bm->bytes_per_row) * size_t(bm->height));
  } else if (int32_t err = fill_render(fill, d->win.width, d->win.height, &bm)) {
    fill_options_free(fill);
    return err;
  }
  if (owns_one && !desktop) {
    if (int32_t err = bgpic_free_by_id(L, id, false)) {
      qmos_free_bitmap(bm);
      fill_options_free(fill);
      return err;
    }
  }
  qmBGPic* pic = nullptr;
  // Colour pictures are plain pixels; gradients and textures can be made again at any size.
  const int32_t rerender = fill.kind == FILLCOLOR ? 0 : 1;
  if (int32_t err = bgpic_create(id, rerender, d->win.width, d->win.height, d->win.width, nullptr, bm, nullptr, -1,
                                 nullptr, nullptr, &fill, &pic))
    return err;
  d->bgpic = pic;
  d->bgpic_owned = 1;
  return 0;
}

// ---- the free worker ----------------------------------------------------------------------------

void release_record(qmState* L, qmDisplay* d, bool at_exit) {
  if (!at_exit) video_hooks().detach_display(L, d);
  drawtarget_release(d);
  if (d->win.state != DISPSTATE_CLOSED) display_close(d, false);
  if (!at_exit && d->bgpic_owned && d->bgpic) bgpic_free_by_id(L, d->bgpic->header.id, false);
  d->bgpic = nullptr;
  qmos_free_bitmap(d->buffer1);
  qmos_free_bitmap(d->buffer2);
  qmos_free_bitmap(d->scaled_output);
  qmos_free_bitmap(d->double_buffer_bitmap);
  qmos_free_mask(d->scaled_mask);
  qmos_free_alpha(d->scaled_alpha);
  d->buffer1 = d->buffer2 = d->scaled_output = d->double_buffer_bitmap = nullptr;
  d->scaled_mask = nullptr;
  d->scaled_alpha = nullptr;
  platform_display_free(&d->win);
  if (L) {
    for (auto& slot : d->callbacks)
      for (int32_t& ref : slot)
        if (ref != -1) {
          vm_ref_free(L, QM_REGISTRYINDEX, ref);
          ref = -1;
        }
  }
  std::free(d->dirty.entries);
  d->dirty = DirtyList{};
}

void destroy(qmState* L, qmDisplay* d, bool at_exit) {
  release_record(L, d, at_exit);
  delete d;
}

// ---- the blit layer's view --------------------------------------------------------------------

void sync_output(qmDisplay* d) {
  qmBlitOutput& o = d->output;
  o.object_type = kOutputDisplay;
  o.layers_on = d->layers;
  // The display composes and presents the picture's display image (at the scale size when the
  // display scales its layers).
  d->picture.width = d->bgpic ? d->bgpic->display_width : 0;
  d->picture.height = d->bgpic ? d->bgpic->display_height : 0;
  d->picture.sprites = d->bgpic ? static_cast<const qmSpriteRect*>(d->bgpic->sprites) : nullptr;
  d->picture.owner = d->bgpic;
  o.picture = d->bgpic ? &d->picture : nullptr;
  o.target_mask = nullptr;
  o.target_alpha = nullptr;
  o.front = d->bgpic ? d->bgpic->current.bitmap : nullptr;
  o.back = d->buffer2;
  o.scaled = (d->scale_width > 0 && d->scale_height > 0 && d->bgpic &&
              (d->scale_width != d->bgpic->display_width || d->scale_height != d->bgpic->display_height))
                 ? 1
                 : 0;
  o.scaled_width = o.scaled ? d->scale_width : 0;
  o.scaled_height = o.scaled ? d->scale_height : 0;
  o.smooth_scale = d->smooth_scale;
  o.double_buffer = d->double_buffer;
  o.second_buffer = d->output_switch[1];
  o.owner = &d->win;
  d->win.offset_x = d->margin[0];
  d->win.offset_y = d->margin[1];
}

// ---- services -------------------------------------------------------------------------------------

bool shown_by_display_hook(const qmBGPic* pic) { return display_shows_bgpic(pic); }

qmBGPic* current_bgpic_hook() {
  qmDisplay* d = g_displays.current;
  return d ? d->bgpic : nullptr;
}

bool output_area_hook(int32_t* x, int32_t* y, int32_t* w, int32_t* h) {
  qmDisplay* d = g_displays.current;
  if (!d || !d->bgpic) return false;
  *x = 0;
  *y = 0;
  *w = d->bgpic->width;
  *h = d->bgpic->height;
  return true;
}

void draw_borders_service(qmBlitOutput* output) {
  if (output && output->owner) display_draw_borders(display_of(static_cast<qmDisplayWindow*>(output->owner)));
}

void refresh_service(qmBlitOutput* output, int32_t, int32_t) {
  if (!output || !output->owner) return;
  qmDisplay* d = display_of(static_cast<qmDisplayWindow*>(output->owner));
  if (d->double_buffer && d->scaled_output) {  // the double buffer's front
    display_present_rect(d->scaled_output, 0, 0, output, 0, 0, d->scaled_output->width, d->scaled_output->height, 1);
    return;
  }
  if (d->double_buffer) {  // the window's screen buffer is the front and shows the last Flip
    if (d->win.platform) screen_mark_all(d->win.platform->screen);
    return;
  }
  if (!d->bgpic || !output->front) return;
  display_present_rect(output->front, 0, 0, output, 0, 0, d->bgpic->display_width, d->bgpic->display_height, 1);
}

}  // namespace

int32_t display_snapshot(int32_t type, qmBitmap** out) {
  *out = nullptr;
  qmDisplay* d = g_displays.current;
  if (type == SNAPDESKTOP) {
    int32_t w = 0, h = 0;
    platform_screen_size(&w, &h);
    *out = platform_screen_grab(0, 0, w, h);
    return *out ? 0 : ERR_MEM;
  }
  if (!d) return ERR_CLOSEDDISPDRAW;
  if (type == SNAPDISPLAY) {
    qmBGPic* pic = d->bgpic;
    const qmBitmap* from = d->double_buffer && d->double_buffer_bitmap ? d->double_buffer_bitmap : nullptr;
    const int32_t w = from ? from->width : pic->width, h = from ? from->height : pic->height;
    qmBitmap* bm = qmos_alloc_bitmap(w, h);
    if (!bm) return ERR_MEM;
    if (from) {
      std::memcpy(bm->pixels, from->pixels, size_t(bm->bytes_per_row) * size_t(h));
    } else {
      // The picture at its own size: a display that scales its layers keeps a larger display image.
      const bool scaled = pic->display_width != pic->width || pic->display_height != pic->height;
      const qmBitmap* image = scaled ? pic->working.bitmap : pic->current.bitmap;
      std::memcpy(bm->pixels, image->pixels, size_t(bm->bytes_per_row) * size_t(h));
      layer_hooks().redraw_rect(pic, bm, 0, 0, w, h);
    }
    *out = bm;
    return 0;
  }
  // The window: what its screen buffer shows, the picture with its border margins.
  if (d->win.state != DISPSTATE_OPEN || !d->win.platform) return ERR_CLOSEDDISPDRAW;
  const qmScreenBuffer& screen = d->win.platform->screen;
  qmBitmap* bm = qmos_alloc_bitmap(screen.width, screen.height);
  if (!bm) return ERR_MEM;
  const int32_t ppr = bm->bytes_per_row / 4;
  for (int32_t y = 0; y < screen.height; ++y) {
    const uint32_t* in = screen.row(y);
    uint32_t* row = bm->pixels + size_t(y) * size_t(ppr);
    for (int32_t x = 0; x < screen.width; ++x) row[x] = __builtin_bswap32(in[x]);
  }
  *out = bm;
  return 0;
}

DisplaySystem& display_system() { return g_displays; }
qmDisplay* display_current() { return g_displays.current; }

int32_t display_find(const ObjectId& id, qmDisplay** out) {
  *out = nullptr;
  for (ObjectHeader* h = g_displays.list; h; h = h->next) {
    if (h->id == id) {
      *out = display_of(h);
      return 0;
    }
  }
  if (id.handle) return ERR_FINDARRAY;
  err_set_number_arg(id.number);
  return ERR_FINDDISPLAY;
}

bool display_shows_bgpic(const qmBGPic* pic) {
  for (ObjectHeader* h = g_displays.list; h; h = h->next)
    if (display_of(h)->bgpic == pic) return true;
  return false;
}

void display_install_services() {
  qmGfxServices& s = gfx_services();
  s.window_blit = platform_window_blit_output;
  s.draw_borders = draw_borders_service;
  s.display_refresh = refresh_service;
  OutputHooks& o = output_hooks();
  o.shown_by_display = shown_by_display_hook;
  o.current_bgpic = current_bgpic_hook;
  o.output_area = output_area_hook;
  snapshot_hooks().capture = display_snapshot;
  display_install_window_glue();
}

void display_bind_bgpic(qmDisplay* d, qmBGPic* pic) {
  if (d->bgpic && d->bgpic != pic) layer_hooks().clear_sprites(d->bgpic);
  d->bgpic = pic;
  sync_output(d);
}

void display_make_current(qmDisplay* d) {
  if (g_displays.current && g_displays.current != d) drawtarget_leave(g_displays.current);
  g_displays.current = d;
  if (d) sync_output(d);
  blit_globals().current = d ? drawtarget_output(d) : nullptr;
}

// ---- options --------------------------------------------------------------------------------------

int32_t display_read_options(qmState* L, int32_t t, qmDisplay* d, bool attribute_mode, bool* scale_given) {
  *scale_given = false;
  const DisplaySystem& ds = g_displays;
  if (!attribute_mode || !ds.recording) {
    if (int32_t err = read_regions(L, t, "dragregion", &d->drag)) return err;
    if (int32_t err = read_regions(L, t, "sizeregion", &d->size)) return err;
    struct FlagKey {
      const char* key;
      uint32_t bit;
    };
    static constexpr FlagKey kFlags[] = {
        {"borderless", WINFLAG_BORDERLESS}, {"sizeable", WINFLAG_SIZEABLE},   {"fixed", WINFLAG_FIXED},
        {"nomodeswitch", WINFLAG_NOMODESWITCH}, {"hidepointer", WINFLAG_HIDEPOINTER}, {"nohide", WINFLAG_NOHIDE},
        {"smoothscale", WINFLAG_SMOOTHSCALE}, {"active", WINFLAG_ACTIVE},   {"usequartz", WINFLAG_USEQUARTZ},
        {"noclose", WINFLAG_NOCLOSE},       {"keepproportions", WINFLAG_KEEPPROPORTIONS},
        {"fitscale", WINFLAG_FITSCALE},
    };
    for (const FlagKey& f : kFlags) {
      vm_push_string(L, f.key);
      vm_get_table(L, t);
      const bool present = vm_type(L, -1) != QM_TNIL;
      vm_pop(L, 1);
      if (!present) continue;
      if (table_flag(L, t, f.key)) d->win.flags |= f.bit;
      else d->win.flags &= ~f.bit;
    }
    opt_get_int(L, t, "x", &d->win.x, nullptr);
    opt_get_int(L, t, "y", &d->win.y, nullptr);
    int32_t given = 0;
    if (opt_get_int(L, t, "scalewidth", &d->scale_width, &given) && d->scale_width == 0) return ERR_WRONGUSAGE;
    if (given) *scale_given = true;
    given = 0;
    if (opt_get_int(L, t, "scaleheight", &d->scale_height, &given) && d->scale_height == 0) return ERR_WRONGUSAGE;
    if (given) *scale_given = true;
    int32_t mode = 0;
    if (opt_get_int(L, t, "scalemode", &mode, nullptr)) {
      switch (mode) {
        case 0:
          d->win.flags &= ~(WINFLAG_SCALEMODE_AUTO | WINFLAG_SCALEMODE_LAYER);
          std::fill(std::begin(d->margin), std::end(d->margin), 0);
          d->scale_width = d->scale_height = 0;
          break;
        case 1: d->win.flags = (d->win.flags | WINFLAG_SCALEMODE_AUTO) & ~WINFLAG_SCALEMODE_LAYER; break;
        case 2: d->win.flags = (d->win.flags | WINFLAG_SCALEMODE_LAYER) & ~WINFLAG_SCALEMODE_AUTO; break;
        default: return ERR_WRONGUSAGE;
      }
    }
  }
  ObjectId pic_id;
  int32_t pic_given = 0;
  opt_get_id(L, t, "bgpic", &pic_id, &pic_given);
  if (pic_given) {
    qmBGPic* pic = nullptr;
    if (int32_t err = bgpic_find(pic_id, 0, &pic)) return err;
    for (ObjectHeader* h = ds.list; h; h = h->next) {
      const qmDisplay* other = display_of(h);
      if (other->bgpic != pic) continue;
      if (!attribute_mode || other != ds.current) return ERR_MULTIBGPIC;
    }
    if (d->bgpic && d->bgpic != pic) video_hooks().detach_display(L, d);
    d->bgpic = pic;
    d->win.width = pic->width;
    d->win.height = pic->height;
  }
  if (!pic_given || attribute_mode) {
    opt_get_int(L, t, "width", &d->win.width, nullptr);
    opt_get_int(L, t, "height", &d->win.height, nullptr);
    d->fill_style = 1;
    opt_get_int(L, t, "fillstyle", &d->fill_style, nullptr);
    switch (d->fill_style) {
      case 1: opt_get_uint(L, t, "color", &d->fill_colour, nullptr); break;
      case 2:
        if (int32_t err = gradient_read_fill_keys(L, t, &d->gradient)) return err;
        break;
      case 3:
        opt_get_id(L, t, "texturebrush", &d->texture_brush, nullptr);
        opt_get_int(L, t, "texturex", &d->texture_x, nullptr);
        opt_get_int(L, t, "texturey", &d->texture_y, nullptr);
        break;
      default: return ERR_WRONGUSAGE;
    }
    d->fill_colour &= 0xFFFFFF;
    if (d->win.width < 1 || d->win.height < 1) return ERR_WRONGUSAGE;
  }
  if (attribute_mode && ds.recording) return 0;
  char title[300];
  int32_t title_given = 0;
  opt_get_string(L, t, "title", title, sizeof title, &title_given);
  if (title_given) {
    if (std::strlen(title) > 255) return ERR_WRONGUSAGE;
    std::strcpy(d->win.title, title);
  }
  if (d->scale_width < 0) d->scale_width = int32_t(std::lround(double(d->win.width) * -d->scale_width / 100.0));
  if (d->scale_height < 0)
    d->scale_height = int32_t(std::lround(double(d->win.height) * -d->scale_height / 100.0));
  d->scale_auto = (d->win.flags & WINFLAG_SCALEMODE_AUTO) ? 1 : 0;
  d->scale_layer = (d->win.flags & WINFLAG_SCALEMODE_LAYER) ? 1 : 0;
  d->smooth_scale = (d->win.flags & WINFLAG_SMOOTHSCALE) ? 1 : 0;
  return 0;
}

// ---- creation -------------------------------------------------------------------------------------

int32_t display_create(qmState* L, const ObjectId& id, int32_t options, qmDisplay** out) {
  DisplaySystem& ds = g_displays;
  if (ds.recording) return ERR_VIDRECMULTI;
  if (!id.handle) {
    qmDisplay* old = nullptr;
    if (display_find(id, &old) == 0) {
      if (old == ds.current) return ERR_FREEADISPLAY;
      list_unlink(old);
      destroy(L, old, false);
    }
  }
  auto* d = new (std::nothrow) qmDisplay;
  if (!d) return ERR_MEM;
  for (auto& slot : d->callbacks) slot[0] = slot[1] = -1;
  d->header.type = OBJ_DISPLAY;
  d->header.id = id.handle ? ObjectId{0, d} : id;
  struct Guard {
    qmState* L;
    qmDisplay* d;
    ~Guard() {
      if (d) destroy(L, d, false);
    }
  } guard{L, d};

  bool scale_given = false;
  if (options) {
    if (int32_t err = display_read_options(L, options, d, false, &scale_given)) return err;
    if (table_flag(L, options, "hidden")) d->win.flags |= WINFLAG_HIDDEN;
    if (table_flag(L, options, "layers")) d->win.flags |= WINFLAG_LAYERS;
    opt_get_int(L, options, "private1", &d->backfill, nullptr);
    opt_get_int(L, options, "private2", &d->private2, nullptr);
    opt_get_int(L, options, "private3", &d->private3, nullptr);
  }
  d->layers = (d->scale_layer || (d->win.flags & WINFLAG_LAYERS)) ? 1 : 0;
  if (!has_scale_mode(d)) {
    std::fill(std::begin(d->margin), std::end(d->margin), 0);
    d->scale_width = d->scale_height = 0;
  }
  if (!d->bgpic) {
    if (!display_size_allowed(d->win.width, d->win.height)) return ERR_MEM;
    if (int32_t err = make_own_bgpic(L, d)) return err;
  }
  d->cursor_x = d->cursor_y = d->text_margin_left = 0;
  d->text_margin_right = d->bgpic->width - 1;
  if (ds.up) {
    if (int32_t err = display_prepare(L, d)) return err;
  }
  if (int32_t err = platform_display_alloc(L, &d->win)) return err;
  sync_output(d);
  list_link(d);
  guard.d = nullptr;
  *out = d;
  return 0;
}

// ---- preparing, opening, closing --------------------------------------------------------------

int32_t display_make_buffers(qmDisplay* d, bool fill) {
  const int32_t w = d->bgpic->display_width, h = d->bgpic->display_height;
  const bool allowed = display_size_allowed(w, h);
  // Buffers of the right size are kept: a new picture of the display's size costs no fresh pages.
  for (qmBitmap** b : {&d->buffer1, &d->buffer2}) {
    if (*b && (!allowed || (*b)->width != w || (*b)->height != h)) {
      qmos_free_bitmap(*b);
      *b = nullptr;
    }
  }
  // Two new buffers for a picture with rows that read black untouched (a fresh black picture,
  // the usual first display) are cleared ones, and only the other rows are copied into them: a
  // black display then opens without bringing in the pages of its picture and buffers.
  const qmBitmap* pixels = d->bgpic->current.bitmap;
  std::vector<uint8_t> untouched;
  const bool fresh = allowed && fill && !d->buffer1 && !d->buffer2 && pixels && pixels->width == w &&
                     pixels->height == h && qmos_bitmap_untouched_rows(pixels, &untouched) > 0;
  for (qmBitmap** b : {&d->buffer1, &d->buffer2})
    if (allowed && !*b) *b = fresh ? qmos_alloc_bitmap_cleared(w, h) : qmos_alloc_bitmap(w, h);
  if (!d->buffer1 || !d->buffer2) {
    qmos_free_bitmap(d->buffer1);
    qmos_free_bitmap(d->buffer2);
    d->buffer1 = d->buffer2 = nullptr;
    sync_output(d);  // the blit layer must not keep the freed buffer
    return ERR_MEM;
  }
  if (fresh) {
    const size_t row = size_t(pixels->bytes_per_row);
    for (int32_t y = 0; y < h; ++y) {
      if (untouched[size_t(y)]) continue;
      const auto* from = reinterpret_cast<const uint8_t*>(pixels->pixels) + size_t(y) * row;
      std::memcpy(reinterpret_cast<uint8_t*>(d->buffer1->pixels) + size_t(y) * row, from, row);
      std::memcpy(reinterpret_cast<uint8_t*>(d->buffer2->pixels) + size_t(y) * row, from, row);
    }
  } else if (fill) {
    display_fill_buffers(d);
  }
  sync_output(d);
  return 0;
}

void display_fill_buffers(qmDisplay* d) {
  if (!d->buffer1 || !d->buffer2) return;
  const size_t bytes = size_t(d->buffer1->bytes_per_row) * size_t(d->buffer1->height);
  std::memcpy(d->buffer1->pixels, d->bgpic->current.bitmap->pixels, bytes);
  std::memcpy(d->buffer2->pixels, d->bgpic->current.bitmap->pixels, bytes);
}

int32_t display_prepare(qmState* L, qmDisplay* d) {
  if (int32_t err = display_make_buffers(d)) return err;
  if (!has_scale_mode(d)) return 0;
  int32_t width = d->scale_width > 0 ? d->scale_width : d->win.width;
  int32_t height = d->scale_height > 0 ? d->scale_height : d->win.height;
  if (d->win.flags & WINFLAG_FITSCALE) {
    int32_t area[4];
    if (d->backfill) {
      area[0] = area[1] = 0;
      platform_screen_size(&area[2], &area[3]);
    } else {
      platform_get_work_area(area);
    }
    platform_window_frame_size(&d->win);
    d->win.x = area[0];
    d->win.y = area[1];
    width = area[2] - d->win.frame_extra_width;
    height = area[3] - d->win.frame_extra_height;
  }
  if (width == d->bgpic->width && height == d->bgpic->height && !(d->win.flags & WINFLAG_KEEPPROPORTIONS)) return 0;
  return display_size_change(L, d, d->win.x, d->win.y, width, height, false, d->smooth_scale != 0, true);
}

void display_resolve_position(qmDisplay* d) {
  int32_t area[4];
  if (d->backfill) {
    area[0] = area[1] = 0;
    platform_screen_size(&area[2], &area[3]);
  } else {
    platform_get_work_area(area);
  }
  const int32_t outer_w = d->win.width + d->win.frame_extra_width;
  const int32_t outer_h = d->win.height + d->win.frame_extra_height;
  const int32_t x = coord_resolve_special_x(d->win.x, outer_w, area[2], 0.0);
  const int32_t y = coord_resolve_special_y(d->win.y, outer_h, area[3], 0.0);
  d->win.x = x != d->win.x ? x + area[0] : x;
  d->win.y = y != d->win.y ? y + area[1] : y;
}

void display_region_defaults(qmDisplay* d) {
  const int32_t w = d->win.width, h = d->win.height;
  if (d->drag.count == 0) {
    d->drag.used[0] = DisplayRegion{REGION_BOX, 0, 0, w, 15};
    d->drag.count = 1;
  }
  if (d->size.count == 0) {
    d->size.used[0] = DisplayRegion{REGION_BOX, w - 10, h - 10, 10, 10};
    d->size.count = 1;
  }
  for (RegionSet* set : {&d->drag, &d->size})
    for (int32_t i = 0; i < set->count; ++i) clamp_region(set->used[i], w, h);
}

int32_t display_open(qmState* L, qmDisplay* d, int32_t activate) {
  platform_window_frame_size(&d->win);
  if (has_scale_mode(d) && d->scale_width > 0 && d->scale_height > 0) {
    for (RegionSet* set : {&d->drag, &d->size}) {
      if (!set->given) continue;
      for (int32_t i = 0; i < set->count; ++i) {
        const DisplayRegion& u = set->unscaled[i];
        set->used[i] = DisplayRegion{u.type, int32_t(std::lround(u.x * d->scale_x)),
                                     int32_t(std::lround(u.y * d->scale_y)), int32_t(std::lround(u.width * d->scale_x)),
                                     int32_t(std::lround(u.height * d->scale_y))};
      }
    }
  }
  display_resolve_position(d);
  if (!d->drag.given) d->drag.count = 0;
  if (!d->size.given) d->size.count = 0;
  display_region_defaults(d);
  if (d->win.width > 32767 || d->win.height > 32767) {
    char text[32];
    std::snprintf(text, sizeof text, "%dx%d", d->win.width, d->win.height);
    err_set_string_arg(text);
    return ERR_DISPLAYSIZE;
  }
  const qmMask* mask = d->scaled_mask ? d->scaled_mask : d->bgpic->current.mask;
  const qmAlphaChannel* alpha = d->scaled_alpha ? d->scaled_alpha : d->bgpic->current.alpha;
  if (d->scaled_mask || d->scaled_alpha) mask = d->scaled_mask;
  if (int32_t err = platform_window_open(&d->win, activate, mask, mask ? nullptr : alpha)) return err;
  d->win.state = DISPSTATE_OPEN;
  d->active = activate ? 1 : 0;
  d->win.has_drop_callback = d->callbacks[SLOT_ONDROPFILE][0] != -1 ? 1 : 0;
  if (d->win.has_drop_callback)
    if (int32_t err = platform_window_set_drop_target(&d->win)) return err;
  const bool full = g_displays.fullscreen || (d->win.flags & WINFLAG_FULLSCREENWINDOW);
  if (((d->win.flags & WINFLAG_HIDEPOINTER) && full) || d->pointer_hidden) {
    platform_pointer_hide(&d->win);
  } else {
    platform_pointer_show(&d->win);
  }
  sync_output(d);
  display_refresh(L, d);
  video_hooks().reattach_display(L, d);
  return 0;
}

namespace {

void clear_input_tables(qmDisplay* d) {
  std::memset(d->keys, 0, sizeof d->keys);
  std::fill(std::begin(d->mouse_buttons), std::end(d->mouse_buttons), 0);
  if (d->bgpic) button_hooks().reset_states(d->bgpic);
}

}  // namespace

void display_reset_input_state(qmDisplay* d) {
  clear_input_tables(d);
  input_forget_held_keys();
  platform_input_release_held();
}

void display_close(qmDisplay* d, bool keep_picture) {
  video_hooks().window_closing(d);
  platform_window_close(&d->win, keep_picture);
  // Only this display's tables: a key held in another display must still post its up.
  clear_input_tables(d);
  d->win.state = DISPSTATE_CLOSED;
  d->active = 0;
}

void display_draw_borders(qmDisplay* d) {
  const int32_t l = d->margin[0], t = d->margin[1], r = d->margin[2], b = d->margin[3];
  if (!l && !t && !r && !b) return;
  const int32_t w = d->win.width, h = d->win.height;
  // The platform draws at the picture's offsets: strips start left and above them.
  if (l) platform_window_fill_rect(&d->win, -l, -t, l, h, 0);
  if (t) platform_window_fill_rect(&d->win, -l, -t, w, t, 0);
  if (r) platform_window_fill_rect(&d->win, w - l - r, -t, r, h, 0);
  if (b) platform_window_fill_rect(&d->win, -l, h - t - b, w, b, 0);
}

void display_refresh(qmState* L, qmDisplay* d) {
  if (d->win.state != DISPSTATE_OPEN) return;
  sync_output(d);
  display_refresh_whole(L, &d->output, 0);
  video_hooks().refreshed(d);
}

int32_t display_free_by_id(qmState* L, const ObjectId& id) {
  qmDisplay* d = nullptr;
  if (int32_t err = display_find(id, &d)) return err;
  if (d == g_displays.current) return ERR_FREEADISPLAY;
  list_unlink(d);
  // Queued input keeps flowing, without the display it named.
  input_queue_detach_display(d);
  destroy(L, d, false);
  return 0;
}

void display_save_output_state(qmDisplay* d, bool keep_layers, int32_t target_width) {
  if (d->select_saved) return;
  d->select_saved = 1;
  d->saved_layers = d->layers;
  if (!keep_layers) d->layers = 0;
  d->saved_cursor[0] = d->cursor_x;
  d->saved_cursor[1] = d->cursor_y;
  d->saved_cursor[2] = d->text_margin_left;
  d->saved_cursor[3] = d->text_margin_right;
  d->cursor_x = d->cursor_y = d->text_margin_left = 0;
  d->text_margin_right = target_width - 1;
}

void display_restore_output_state(qmDisplay* d) {
  if (!d->select_saved) return;
  d->select_saved = 0;
  d->layers = d->saved_layers;
  d->cursor_x = d->saved_cursor[0];
  d->cursor_y = d->saved_cursor[1];
  d->text_margin_left = d->saved_cursor[2];
  d->text_margin_right = d->saved_cursor[3];
}

bool display_is_primary(const qmDisplay* d) {
  const ObjectHeader* first = g_displays.list;
  if (!first) return false;
  if (&d->header == first) return first->next == nullptr;
  return first->next == &d->header && display_of(const_cast<ObjectHeader*>(first))->backfill;
}

void display_cleanup(qmState* L) {
  DisplaySystem& ds = g_displays;
  asyncdraw_free_all(L);
  uint32_t token = 0;
  if (ds.fullscreen) platform_display_fade_out(&token, 1);
  while (ds.list) {
    qmDisplay* d = display_of(ds.list);
    ds.list = d->header.next;
    destroy(L, d, true);
  }
  ds.current = nullptr;
  blit_globals().current = nullptr;
  platform_pointer_reset();
  if (ds.fullscreen) {
    platform_display_restore_mode();
    platform_display_fade_in(token, 1);
    ds.fullscreen = 0;
  }
  qmos_free_bitmap(ds.desktop_grab);
  ds.desktop_grab = nullptr;
  if (ds.mutex) platform_mutex_free(ds.mutex);
  ds.mutex = nullptr;
  ds.up = 0;
  ds.backfill_display = ds.backfill_bgpic = ds.backfill_brush = ObjectId{};
  ds.backfill_first_choice = 0;
  output_hooks_reset();
  snapshot_hooks_reset();
}

}  // namespace qm

// Double buffering: drawing goes into a back buffer, and Flip copies what changed into the front
// buffer and shows it. The dirty list records the changed rectangles.
//
// A display shown at its picture's size has the window's screen buffer for its front buffer: Flip
// copies each changed rectangle once, from the back buffer straight into it, also while the window
// is closed (the screen buffer lives as long as the display, and shows the frame when the window
// opens again). A display in automatic scale mode keeps a front bitmap at its scale size, drawn
// scaled from the back buffer and then shown.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

#include "display/bgpic.h"
#include "display/display.h"
#include "display/hooks.h"
#include "display/target.h"
#include "engine/errcodes.h"
#include "engine/vm.h"
#include "gfx/bitmap.h"
#include "gfx/blit.h"
#include "gfx/blitservices.h"
#include "gfx/scale.h"
#include "platform/window.h"
#include "runtime/args.h"

namespace qm {

namespace {

constexpr int32_t kDirtyEntries = 1024;
constexpr int32_t kEmpty = 100000;

bool auto_scaled(const qmDisplay* d) {
  return (d->win.flags & WINFLAG_SCALEMODE_AUTO) && d->scale_width > 0 && d->scale_height > 0;
}

void clear_black(qmBitmap* bm) {
  if (bm) std::memset(bm->pixels, 0, size_t(bm->bytes_per_row) * size_t(bm->height));
}

void free_buffers(qmDisplay* d) {
  qmos_free_bitmap(d->scaled_output);
  qmos_free_bitmap(d->double_buffer_bitmap);
  d->scaled_output = nullptr;
  d->double_buffer_bitmap = nullptr;
}

bool touch(const int32_t* a, const int32_t* b) {
  return int64_t(a[0]) <= int64_t(b[2]) + 1 && int64_t(b[0]) <= int64_t(a[2]) + 1 &&
         int64_t(a[1]) <= int64_t(b[3]) + 1 && int64_t(b[1]) <= int64_t(a[3]) + 1;
}

// Sorts n keys. Drawings mostly come in a few left-to-right runs (one row of tiles after another),
// which are merged pairwise; keys in many runs go to the general sort.
void sort_keys(uint64_t* keys, int32_t n) {
  constexpr int32_t kMaxRuns = 16;
  int32_t ends[kMaxRuns];
  int32_t runs = 0;
  for (int32_t i = 1; i <= n; ++i) {
    if (i < n && keys[i] >= keys[i - 1]) continue;
    if (runs == kMaxRuns) {
      std::sort(keys, keys + n);
      return;
    }
    ends[runs++] = i;
  }
  if (runs <= 1) return;
  uint64_t scratch[kDirtyEntries];
  uint64_t* from = keys;
  uint64_t* to = scratch;
  while (runs > 1) {
    int32_t merged = 0, start = 0;
    for (int32_t r = 0; r < runs; r += 2) {
      const int32_t mid = ends[r], end = r + 1 < runs ? ends[r + 1] : mid;
      std::merge(from + start, from + mid, from + mid, from + end, to + start);
      ends[merged++] = end;
      start = end;
    }
    runs = merged;
    std::swap(from, to);
  }
  if (from != keys) std::copy(from, from + n, keys);
}

// Merges overlapping and touching entries until none touch; merged-away entries become empty.
// Each pass takes the entries from left to right, so an entry meets only those that start before
// its right edge: scattered drawings cost a sort, not every pair. The sort runs over keys of left
// edge and entry number.
void merge(DirtyList& list) {
  uint64_t keys[kDirtyEntries];
  bool again = true;
  while (again) {
    again = false;
    int32_t n = 0;
    for (int32_t i = 0; i < list.count && n < kDirtyEntries; ++i)
      if (list.entries[4 * i] != kEmpty)
        keys[n++] = uint64_t(uint32_t(list.entries[4 * i]) ^ 0x80000000u) << 32 | uint32_t(i);
    sort_keys(keys, n);
    for (int32_t i = 0; i < n; ++i) {
      int32_t* a = list.entries + 4 * uint32_t(keys[i]);
      if (a[0] == kEmpty) continue;
      for (int32_t j = i + 1; j < n; ++j) {
        int32_t* b = list.entries + 4 * uint32_t(keys[j]);
        if (b[0] == kEmpty) continue;
        if (int64_t(b[0]) > int64_t(a[2]) + 1) break;  // it and all after it start right of a
        if (!touch(a, b)) continue;
        a[0] = std::min(a[0], b[0]);
        a[1] = std::min(a[1], b[1]);
        a[2] = std::max(a[2], b[2]);
        a[3] = std::max(a[3], b[3]);
        b[0] = kEmpty;
        again = true;
      }
    }
  }
}

void present(qmDisplay* d, const qmBitmap* front, int32_t x, int32_t y, int32_t w, int32_t h) {
  display_present_rect(front, x, y, &d->output, x, y, w, h, 0);
}

// A rectangle of the back buffer into the window's screen buffer, the front of an unscaled display.
void present_back(qmDisplay* d, int32_t x, int32_t y, int32_t w, int32_t h) {
  display_present_rect(d->double_buffer_bitmap, x, y, &d->output, x, y, w, h, BLIT_EVEN_CLOSED);
}

int32_t cmd_begindoublebuffer(qmState* L) {
  arg_check_count(L, 0, 1);
  qmDisplay* d = display_current();
  // 1. Nothing selected.
  if (int32_t err = drawtarget_require_display(d)) return err;
  // 2 to 5. No layers, sprites, transparency or video.
  qmBGPic* pic = d->bgpic;
  if (d->layers || layer_hooks().layer_count(pic) > 0) return ERR_LAYERSOFF;
  if (pic->sprites) return ERR_NOSPRITES;
  if (pic->current.mask || pic->current.alpha) return ERR_DBTRANSWIN;
  if (video_hooks().on_display(d)) return ERR_VIDATTACHED;
  // The buffers, both black.
  free_buffers(d);
  const bool scaled = auto_scaled(d);
  if (scaled) d->scaled_output = qmos_alloc_bitmap(d->scale_width, d->scale_height);
  d->double_buffer_bitmap = qmos_alloc_bitmap(pic->width, pic->height);
  if ((scaled && !d->scaled_output) || !d->double_buffer_bitmap) {
    free_buffers(d);
    return ERR_MEM;
  }
  clear_black(d->scaled_output);
  clear_black(d->double_buffer_bitmap);
  auto* t = static_cast<OutputTarget*>(d->double_buffer_pic);
  if (!t) {
    t = new (std::nothrow) OutputTarget;
    if (!t) {
      free_buffers(d);
      return ERR_MEM;
    }
    d->double_buffer_pic = t;
  }
  std::free(d->dirty.entries);
  d->dirty = DirtyList{};
  d->dirty.entries = static_cast<int32_t*>(std::malloc(sizeof(int32_t) * 4 * kDirtyEntries));
  if (!d->dirty.entries) {
    free_buffers(d);
    return ERR_MEM;
  }
  d->dirty.capacity = kDirtyEntries;
  t->object_type = 0;
  t->id = ObjectId{0, t};
  t->width = pic->width;
  t->height = pic->height;
  t->picture = qmBlitPicture{pic->width, pic->height, nullptr, t};
  t->output = qmBlitOutput{};
  t->output.object_type = TARGET_PICTURE;
  t->output.picture = &t->picture;
  t->output.owner = t;
  d->output_type = TARGET_PICTURE;
  d->double_buffer = 1;
  d->output.double_buffer = 1;
  d->draw_bitmap = d->double_buffer_bitmap;
  d->draw_mask = nullptr;
  d->draw_alpha = nullptr;
  blit_globals().current = &t->output;
  return 0;
}

int32_t cmd_flip(qmState* L) {
  arg_check_count(L, 0, 1);
  const bool sync = vm_get_top(L) < 1 || vm_type(L, 1) == QM_TNIL || flag_arg(L, 1);
  qmDisplay* d = display_current();
  if (!d || !d->double_buffer) return ERR_NODOUBLEBUFFER;
  qmBitmap* back = d->double_buffer_bitmap;
  qmBitmap* front = d->scaled_output;
  DirtyList& list = d->dirty;
  if (auto_scaled(d) && front) {
    bitmap_draw(back, nullptr, nullptr, 0, 0, front, back->width, back->height, front->width, front->height,
                d->smooth_scale, nullptr, nullptr, nullptr);
    present(d, front, 0, 0, front->width, front->height);
  } else if (list.count < list.capacity) {
    if (list.count > 1) merge(list);
    // The merged rectangles are apart from one another: the window takes them in one call.
    qmScreenRect rects[kDirtyEntries];
    size_t n = 0;
    for (int32_t i = 0; i < list.count; ++i) {
      const int32_t* e = list.entries + 4 * i;
      if (e[0] == kEmpty) continue;
      const int64_t x1 = std::max(e[0], 0), y1 = std::max(e[1], 0);
      const int64_t x2 = std::min<int64_t>(e[2], back->width - 1), y2 = std::min<int64_t>(e[3], back->height - 1);
      if (x2 < x1 || y2 < y1) continue;
      rects[n++] = {int32_t(x1), int32_t(y1), int32_t(x2 - x1 + 1), int32_t(y2 - y1 + 1)};
    }
    if (blit_globals().recording) {  // a capturing recording takes each rectangle
      for (size_t i = 0; i < n; ++i) present_back(d, rects[i].x, rects[i].y, rects[i].w, rects[i].h);
    } else {
      platform_window_blit_rects(back, &d->win, rects, n, BLIT_EVEN_CLOSED);
    }
  } else {
    present_back(d, 0, 0, back->width, back->height);
  }
  if (sync) display_wait_refresh(L);
  else platform_present_pending();
  list.count = 0;
  return 0;
}

int32_t cmd_enddoublebuffer(qmState*) { return dblbuf_end_display(display_current()); }

}  // namespace

void dblbuf_mark(qmDisplay* d, int32_t x, int32_t y, int32_t w, int32_t h) {
  if (!d || !d->double_buffer || w < 1 || h < 1) return;
  DirtyList& list = d->dirty;
  const qmBitmap* back = d->double_buffer_bitmap;
  if (list.count >= list.capacity || !back) return;  // a full list is already the whole picture
  // The far corner in 64 bits: x + w may pass the 32-bit range.
  const int32_t x1 = std::max(x, 0), y1 = std::max(y, 0);
  const int32_t x2 = int32_t(std::min<int64_t>(int64_t(x) + w, back->width) - 1);
  const int32_t y2 = int32_t(std::min<int64_t>(int64_t(y) + h, back->height) - 1);
  if (x2 < x1 || y2 < y1) return;
  // A drawing over the whole picture makes the list full: Flip copies everything.
  if (x1 == 0 && y1 == 0 && x2 == back->width - 1 && y2 == back->height - 1) {
    list.count = list.capacity;
    return;
  }
  int32_t* e = list.entries + 4 * list.count++;
  e[0] = x1, e[1] = y1, e[2] = x2, e[3] = y2;
}

int32_t dblbuf_end_display(qmDisplay* d) {
  if (!d || !d->double_buffer) return ERR_NODOUBLEBUFFER;
  // The display keeps the last frame drawn, so that a later refresh shows it.
  qmBitmap* back = d->double_buffer_bitmap;
  if (d->bgpic && d->bgpic->current.bitmap && back) {
    qmBitmap* shown = d->bgpic->current.bitmap;
    BLTBITMAP(back, 0, 0, shown, 0, 0, std::min(back->width, shown->width), std::min(back->height, shown->height));
  }
  for (qmBitmap* buffer : {d->buffer1, auto_scaled(d) ? d->buffer2 : nullptr})
    if (buffer && back)
      BLTBITMAP(back, 0, 0, buffer, 0, 0, std::min(back->width, buffer->width), std::min(back->height, buffer->height));
  free_buffers(d);
  d->draw_bitmap = nullptr;
  d->draw_mask = nullptr;
  d->draw_alpha = nullptr;
  d->output_type = kOutputDisplay;
  d->double_buffer = 0;
  d->output.double_buffer = 0;
  if (d == display_current()) blit_globals().current = &d->output;
  return 0;
}

int32_t dblbuf_resize_front(qmDisplay* d, int32_t width, int32_t height) {
  qmos_free_bitmap(d->scaled_output);
  d->scaled_output = nullptr;
  if (!auto_scaled(d)) {  // the window's screen buffer is the front
    platform_window_fill_rect(&d->win, 0, 0, width, height, 0);
    return 0;
  }
  d->scaled_output = qmos_alloc_bitmap(width, height);
  if (!d->scaled_output) return ERR_MEM;
  clear_black(d->scaled_output);
  present(d, d->scaled_output, 0, 0, width, height);
  return 0;
}

int32_t dblbuf_init_commands(qmState* L) {
  static const qmCommand kCommands[] = {
      {"BeginDoubleBuffer", cmd_begindoublebuffer},
      {"Flip", cmd_flip},
      {"EndDoubleBuffer", cmd_enddoublebuffer},
      {nullptr, nullptr},
  };
  vm_push_value(L, QM_GLOBALSINDEX);
  int32_t err = vm_register_commands(L, nullptr, kCommands, 0);
  vm_set_top(L, 0);
  return err ? err : library_register_name(kCommands, "display");
}

}  // namespace qm

// Drawing to the screen: blits, fills, plots and lines into a window's screen buffer, presenting
// and pacing frames, the shape merge of shaped windows and the grab of the desktop we show.
#include <SDL2/SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "gfx/blitservices.h"
#include "platform/window_internal.h"

using namespace qm;

namespace {

bool drawable(const qmDisplayWindow* d) { return d->platform && d->state == DISPSTATE_OPEN; }

// A coordinate plus the display's offset, saturated: a point far outside stays far outside.
int32_t shifted(int32_t v, int32_t offset) {
  return int32_t(std::clamp<int64_t>(int64_t(v) + offset, INT32_MIN, INT32_MAX));
}

// Keeps a shaped window's backing bitmap equal to its buffer with the shape merged, over a
// rectangle of the content.
void sync_backing(qmDisplayWindow* d, int64_t x, int64_t y, int64_t w, int64_t h) {
  qmDisplayPlatform* p = d->platform;
  if (!p->shaped || !p->backing) return;
  const int32_t x2 = int32_t(std::min<int64_t>({x + w, p->screen.width, p->backing->width}));
  const int32_t y2 = int32_t(std::min<int64_t>({y + h, p->screen.height, p->backing->height}));
  x = std::max<int64_t>(x, 0);
  y = std::max<int64_t>(y, 0);
  if (x >= x2 || y >= y2) return;
  const int32_t ppr = p->backing->bytes_per_row / 4;
  for (int32_t row = int32_t(y); row < y2; ++row) {
    const uint32_t* in = p->screen.row(row);
    uint32_t* out = p->backing->pixels + size_t(row) * ppr;
    for (int32_t col = int32_t(x); col < x2; ++col) out[col] = __builtin_bswap32(in[col]);
  }
  platform_apply_window_mask(d, nullptr, 0, 0, p->backing, int32_t(x), int32_t(y),
                             x2 - int32_t(x), y2 - int32_t(y));
}

void (*g_present_preparer)() = nullptr;

void record_present(const qmDisplayWindow* d, const std::vector<SDL_Rect>& rects) {
  if (!platform_recording()) return;  // the line costs more than presenting a small rectangle
  std::string line = std::to_string(SDL_GetWindowID(d->platform->window));
  char part[64];
  for (const SDL_Rect& r : rects) {
    std::snprintf(part, sizeof part, " %d,%d,%dx%d", r.x, r.y, r.w, r.h);
    line += part;
  }
  platform_record("present", line);
}

}  // namespace

void window_present(qmDisplayWindow* d, bool full) {
  qmDisplayPlatform* p = d->platform;
  if (!p || !p->window || p->gone) return;
  if (g_present_preparer) g_present_preparer();
  // SDL makes a new surface after a size change and frees the old one on the next
  // SDL_GetWindowSurface: pixels kept in the old one must come out first.
  int ww = 0, wh = 0;
  SDL_GetWindowSize(p->window, &ww, &wh);
  if (p->screen.attached() && (ww != p->surface_w || wh != p->surface_h)) window_detach(d);
  SDL_Surface* s = SDL_GetWindowSurface(p->window);
  if (!s) return;
  // A new surface (first present, size change, full-screen switch) holds nothing of ours yet.
  if (s != p->surface || s->w != p->surface_w || s->h != p->surface_h) {
    window_detach(d);
    full = true;
    p->surface = s;
    p->surface_w = s->w;
    p->surface_h = s->h;
    // While the surface has the buffer's size and layout, the buffer lives in it: presenting
    // then only tells the window system which rectangles changed.
    Uint32 f = s->format->format;
    if (s->w == p->screen.width && s->h == p->screen.height && s->pitch % 4 == 0 &&
        (f == SDL_PIXELFORMAT_RGB888 || f == SDL_PIXELFORMAT_ARGB8888) && !SDL_MUSTLOCK(s))
      screen_attach(p->screen, static_cast<uint32_t*>(s->pixels), s->pitch / 4);
  }
  if (!full && p->screen.dirty.empty()) return;
  static std::vector<SDL_Rect> rects;  // kept for its storage: presents run on the one UI thread
  rects.clear();
  if (window_letterboxed(p))
    screen_present_letterboxed(p->screen, s,
                               letterbox_fit(p->screen.width, p->screen.height, s->w, s->h), full,
                               &rects);
  else
    screen_present(p->screen, s, full, &rects);
  if (rects.empty()) return;
  SDL_UpdateWindowSurfaceRects(p->window, rects.data(), int(rects.size()));
  record_present(d, rects);
}

void window_detach(qmDisplayWindow* d) {
  qmDisplayPlatform* p = d->platform;
  if (!p->screen.attached()) return;
  // Without memory for the copy the picture is lost, not the process: the buffer is emptied and
  // draws nothing until the next size change.
  if (!screen_detach(p->screen)) p->screen = qmScreenBuffer();
  p->surface = nullptr;
}

void platform_set_present_preparer(void (*prepare)()) { g_present_preparer = prepare; }

void platform_present_pending() {
  for (qmDisplayWindow* d : window_system().open) window_present(d, false);
}

namespace {

// Keeps the pixels of the window's holes that a drawing of the box (x, y, w, h) would change: they
// are copied before and put back after it.
class KeepHoles {
 public:
  KeepHoles(qmDisplayWindow* display, int64_t x, int64_t y, int64_t w, int64_t h) {
    qmDisplayPlatform* p = display->platform;
    if (!p || p->holes.empty() || !p->screen.data) return;
    s_ = &p->screen;
    const int64_t x0 = std::max<int64_t>(x, 0), y0 = std::max<int64_t>(y, 0);
    const int64_t x1 = std::min<int64_t>(x + w, s_->width),
                  y1 = std::min<int64_t>(y + h, s_->height);
    for (const qmScreenRect& r : p->holes) {
      const int64_t a = std::max<int64_t>(r.x, x0), b = std::max<int64_t>(r.y, y0);
      const int64_t c = std::min<int64_t>(int64_t(r.x) + r.w, x1),
                    e = std::min<int64_t>(int64_t(r.y) + r.h, y1);
      if (a >= c || b >= e) continue;
      saved_.push_back(
          Part{qmScreenRect{int32_t(a), int32_t(b), int32_t(c - a), int32_t(e - b)}, {}});
      std::vector<uint32_t>& px = saved_.back().pixels;
      for (int64_t yy = b; yy < e; ++yy)
        px.insert(px.end(), s_->row(int32_t(yy)) + a, s_->row(int32_t(yy)) + c);
    }
    holes_ = &p->holes;
  }
  ~KeepHoles() {
    for (const Part& part : saved_) {
      const qmScreenRect& r = part.box;
      const uint32_t* from = part.pixels.data();
      for (int32_t yy = r.y; yy < r.y + r.h; ++yy) {
        uint32_t* row = s_->row(yy);
        for (int32_t xx = r.x; xx < r.x + r.w; ++xx, ++from)
          if (odd(xx, yy)) row[xx] = *from;
      }
    }
  }
  KeepHoles(const KeepHoles&) = delete;
  KeepHoles& operator=(const KeepHoles&) = delete;

 private:
  struct Part {
    qmScreenRect box;
    std::vector<uint32_t> pixels;
  };
  bool odd(int32_t x, int32_t y) const {
    bool in = false;
    for (const qmScreenRect& r : *holes_)
      if (x >= r.x && y >= r.y && int64_t(x) < int64_t(r.x) + r.w &&
          int64_t(y) < int64_t(r.y) + r.h)
        in = !in;
    return in;
  }
  qmScreenBuffer* s_ = nullptr;
  const std::vector<qmScreenRect>* holes_ = nullptr;
  std::vector<Part> saved_;
};

}  // namespace

void platform_window_set_holes(qmDisplayWindow* display, const qmScreenRect* rects, size_t n) {
  if (!display->platform) return;
  display->platform->holes.assign(rects, rects + n);
}

namespace {

// A whole picture shown anew: rows of the bitmap that were never drawn (a fresh black picture's
// cleared pages) read black, and are written so without bringing their pages in.
void blit_whole(qmScreenBuffer& s, const qmBitmap* bitmap, int32_t dx, int32_t dy) {
  std::vector<uint8_t> untouched;
  const int32_t h = bitmap->height;
  if (qmos_bitmap_untouched_rows(bitmap, &untouched) == 0) {
    screen_blit(s, bitmap, 0, 0, dx, dy, bitmap->width, h);
    return;
  }
  for (int32_t y = 0; y < h;) {
    int32_t n = 1;
    while (y + n < h && untouched[size_t(y + n)] == untouched[size_t(y)]) ++n;
    const int64_t to = int64_t(dy) + y;
    if (to > INT32_MAX) break;
    if (untouched[size_t(y)])
      screen_fill(s, dx, int32_t(to), bitmap->width, n, 0);
    else
      screen_blit(s, bitmap, 0, y, dx, int32_t(to), bitmap->width, n);
    y += n;
  }
}

}  // namespace

void platform_window_blit(const qmBitmap* bitmap, int32_t sx, int32_t sy, qmDisplayWindow* display,
                          int32_t dx, int32_t dy, int32_t width, int32_t height,
                          int32_t scaled_width, int32_t scaled_height, int32_t flags) {
  qmDisplayPlatform* p = display->platform;
  if (!p || !bitmap) return;
  if (display->state != DISPSTATE_OPEN && !(flags & BLIT_EVEN_CLOSED)) return;
  qmBitmapLock lock;
  if (!qmos_lock_bitmap(bitmap, &lock)) return;
  if (scaled_width != 0 && scaled_height != 0) {
    KeepHoles keep(display, display->offset_x, display->offset_y, scaled_width, scaled_height);
    screen_blit_scaled(p->screen, bitmap, sx, sy, width, height, display->offset_x,
                       display->offset_y, scaled_width, scaled_height);
    sync_backing(display, display->offset_x, display->offset_y, scaled_width, scaled_height);
  } else {
    dx = shifted(dx, display->offset_x);
    dy = shifted(dy, display->offset_y);
    KeepHoles keep(display, dx, dy, width, height);
    if ((flags & PRESENT_WHOLE) && sx == 0 && sy == 0 && width == bitmap->width && height == bitmap->height)
      blit_whole(p->screen, bitmap, dx, dy);
    else
      screen_blit(p->screen, bitmap, sx, sy, dx, dy, width, height);
    sync_backing(display, dx, dy, width, height);
  }
  qmos_unlock_bitmap(&lock);
}

void platform_window_blit_rects(const qmBitmap* bitmap, qmDisplayWindow* display, const qmScreenRect* rects,
                                size_t n, int32_t flags) {
  qmDisplayPlatform* p = display->platform;
  if (!p || !bitmap || !bitmap->pixels || n == 0) return;
  if (display->state != DISPSTATE_OPEN && !(flags & BLIT_EVEN_CLOSED)) return;
  if (p->holes.empty()) {
    screen_blit_rects(p->screen, bitmap, rects, n, display->offset_x, display->offset_y);
  } else {
    int64_t x0 = INT32_MAX, y0 = INT32_MAX, x1 = INT32_MIN, y1 = INT32_MIN;
    for (size_t i = 0; i < n; ++i) {
      x0 = std::min<int64_t>(x0, rects[i].x), y0 = std::min<int64_t>(y0, rects[i].y);
      x1 = std::max<int64_t>(x1, int64_t(rects[i].x) + rects[i].w);
      y1 = std::max<int64_t>(y1, int64_t(rects[i].y) + rects[i].h);
    }
    KeepHoles keep(display, x0 + display->offset_x, y0 + display->offset_y, x1 - x0, y1 - y0);
    screen_blit_rects(p->screen, bitmap, rects, n, display->offset_x, display->offset_y);
  }
  if (p->shaped)
    for (size_t i = 0; i < n; ++i)
      sync_backing(display, int64_t(rects[i].x) + display->offset_x, int64_t(rects[i].y) + display->offset_y,
                   rects[i].w, rects[i].h);
}

void platform_window_blit_output(const qmBitmap* bitmap, int32_t sx, int32_t sy,
                                 qmBlitOutput* output, int32_t dx, int32_t dy, int32_t width,
                                 int32_t height, int32_t scaled_width, int32_t scaled_height,
                                 int32_t flags) {
  if (!output || !output->owner) return;
  platform_window_blit(bitmap, sx, sy, static_cast<qmDisplayWindow*>(output->owner), dx, dy, width,
                       height, scaled_width, scaled_height, flags);
}

void platform_window_touch(qmDisplayWindow* display) {
  if (!drawable(display)) return;
  const qmScreenBuffer& s = display->platform->screen;
  if (!s.data || s.width < 1) return;
  // One word of every 64-byte line; the sum keeps the loads.
  uint32_t sum = 0;
  for (int32_t y = 0; y < s.height; ++y) {
    const uint32_t* row = s.row(y);
    for (int32_t x = 0; x < s.width; x += 16) sum += row[x];
    sum += row[s.width - 1];
  }
  asm volatile("" : : "r"(sum));
}

void platform_window_fill_rect(qmDisplayWindow* display, int32_t x, int32_t y, int32_t width,
                               int32_t height, uint32_t colour) {
  if (!drawable(display)) return;
  x = shifted(x, display->offset_x);
  y = shifted(y, display->offset_y);
  {
    KeepHoles keep(display, x, y, width, height);
    screen_fill(display->platform->screen, x, y, width, height, colour);
  }
  sync_backing(display, x, y, width, height);
}

void platform_window_plot(qmDisplayWindow* display, int32_t x, int32_t y, uint32_t colour) {
  if (!drawable(display)) return;
  x = shifted(x, display->offset_x);
  y = shifted(y, display->offset_y);
  {
    KeepHoles keep(display, x, y, 1, 1);
    screen_plot(display->platform->screen, x, y, colour);
  }
  sync_backing(display, x, y, 1, 1);
}

void platform_window_line(qmDisplayWindow* display, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                          uint32_t colour) {
  if (!drawable(display)) return;
  x1 = shifted(x1, display->offset_x);
  y1 = shifted(y1, display->offset_y);
  x2 = shifted(x2, display->offset_x);
  y2 = shifted(y2, display->offset_y);
  {
    KeepHoles keep(display, std::min(x1, x2), std::min(y1, y2), std::abs(int64_t(x2) - x1) + 1,
                   std::abs(int64_t(y2) - y1) + 1);
    screen_line(display->platform->screen, x1, y1, x2, y2, colour);
  }
  sync_backing(display, std::min(x1, x2), std::min(y1, y2), std::abs(int64_t(x2) - x1) + 1,
               std::abs(int64_t(y2) - y1) + 1);
}

namespace {

void present_frame(qmDisplayWindow* display) {
  const WindowSystem& ws = window_system();
  // A limit above what the screen shows presents nothing: only the wait paces the loop.
  if (!(ws.limit_set && ws.frame_rate > ws.refresh)) window_present(display, false);
}

}  // namespace

void platform_window_flush(qmState* owner, qmDisplayWindow* display) {
  qmDisplayPlatform* p = display->platform;
  if (!p) return;
  const WindowSystem& ws = window_system();
  present_frame(display);
  const int64_t period = 1000000 / std::max(ws.frame_rate, 1);
  Clock& clock = platform_clock();
  const int64_t now = clock.now_us();
  const int64_t elapsed = now - p->last_flush_us;
  if (elapsed < 0 || elapsed >= period) {
    p->last_flush_us = now;
    return;
  }
  // The next frame is due one period after this one was, not after the wait ended: a wait that
  // overran is made up by the next one, so the frames do not drift behind the rate. The frame
  // is taken before the wait, which serves events (and with them display requests).
  const int64_t due = p->last_flush_us + period;
  p->last_flush_us = due;
  // A quit taken here reaches the program at its next line.
  platform_wait_until(owner, due);
}

void platform_window_present_frame(qmDisplayWindow* display) {
  qmDisplayPlatform* p = display->platform;
  if (!p) return;
  present_frame(display);
  p->last_flush_us = platform_clock().now_us();
}

void platform_set_frame_rate_limit(int32_t fps) {
  WindowSystem& ws = window_system();
  if (fps <= 0) {
    ws.limit_set = false;
    ws.frame_rate = ws.refresh;
  } else {
    ws.limit_set = true;
    ws.frame_rate = fps;
  }
}

int32_t platform_frame_rate() { return window_system().frame_rate; }
int32_t platform_frame_rate_limited() { return window_system().limit_set; }

qmBitmap* platform_screen_grab(int32_t x, int32_t y, int32_t width, int32_t height) {
  qmBitmap* out = qmos_alloc_bitmap(width, height);
  if (!out) return nullptr;
  const int32_t ppr = out->bytes_per_row / 4;
  for (int32_t row = 0; row < height; ++row)
    std::fill_n(out->pixels + size_t(row) * ppr, ppr, 0u);
  for (const qmDisplayWindow* d : window_system().open) {
    const qmScreenBuffer& s = d->platform->screen;
    // The window's content on the desktop, relative to the grabbed rectangle.
    int64_t left = d->platform->fullscreen ? 0 : int64_t(d->x) + d->frame_left;
    int64_t top = d->platform->fullscreen ? 0 : int64_t(d->y) + d->frame_top;
    left -= x;
    top -= y;
    int64_t c0 = std::max<int64_t>(0, -left), c1 = std::min<int64_t>(s.width, width - left);
    int64_t r0 = std::max<int64_t>(0, -top), r1 = std::min<int64_t>(s.height, height - top);
    for (int64_t r = r0; r < r1; ++r) {
      const uint32_t* in = s.row(int32_t(r));
      uint32_t* o = out->pixels + size_t(top + r) * ppr + left;
      for (int64_t c = c0; c < c1; ++c) o[c] = __builtin_bswap32(in[c]);
    }
  }
  return out;
}

void platform_apply_window_mask(qmDisplayWindow* display, const qmBitmap* source, int32_t sx,
                                int32_t sy, qmBitmap* backing, int32_t dx, int32_t dy,
                                int32_t width, int32_t height) {
  const qmAlphaChannel* shape = display->platform ? display->platform->shape : nullptr;
  if (!shape || !backing) return;
  // Clip the rectangle to the backing bitmap and the shape plane, and to the source when given.
  int64_t x0 = 0, y0 = 0, x1 = width, y1 = height;
  x0 = std::max<int64_t>(x0, -int64_t(dx));
  y0 = std::max<int64_t>(y0, -int64_t(dy));
  x1 = std::min<int64_t>({x1, int64_t(backing->width) - dx, int64_t(shape->width) - dx});
  y1 = std::min<int64_t>({y1, int64_t(backing->height) - dy, int64_t(shape->height) - dy});
  if (source) {
    x0 = std::max<int64_t>(x0, -int64_t(sx));
    y0 = std::max<int64_t>(y0, -int64_t(sy));
    x1 = std::min<int64_t>(x1, int64_t(source->width) - sx);
    y1 = std::min<int64_t>(y1, int64_t(source->height) - sy);
  }
  // The alpha byte: the first in memory for the player's own format, the top byte otherwise.
  const int shift = backing->format == PIXFMT_BGRX ? 0 : 24;
  const int32_t bppr = backing->bytes_per_row / 4;
  for (int64_t r = y0; r < y1; ++r) {
    uint32_t* out = backing->pixels + (dy + r) * bppr + dx;
    const uint8_t* plane = shape->data + (dy + r) * shape->bytes_per_row + dx;
    const uint32_t* in =
        source ? source->pixels + (sy + r) * (source->bytes_per_row / 4) + sx : nullptr;
    for (int64_t c = x0; c < x1; ++c) {
      uint32_t v = in ? in[c] : out[c];
      out[c] = v | uint32_t(plane[c]) << shift;
    }
  }
}

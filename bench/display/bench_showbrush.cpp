// Showing brushes and flipping the double buffer, beside peers in one run:
// - DisplayBrush's worker putting a brush (opaque, and with an alpha channel) into a selected
//   1920x1080 brush at 64x64, 512x512 and 1920x1080, against pixman's OVER and SDL_BlitSurface
//   with blending;
// - the transformed path (512x512 turned 30 degrees, smooth) against pixman's affine bilinear
//   composite;
// - Flip of 1, 10 and 100 small rectangles and of a full 1920x1080 frame against memcpy of the
//   same bytes. Beside each, SDL's own present of the same rectangles on the same window
//   (SDL_UpdateWindowSurfaceRects and nothing else), which every Flip pays after its copy: for a
//   single small rectangle it alone takes longer than the memcpy.
// Best of interleaved rounds; ratio = peer time / our time (above 1.0: we are faster).
#include <SDL2/SDL.h>
#include <pixman.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "display/brush.h"
#include "display/display.h"
#include "display/showbrush.h"
#include "display/target.h"
#include "engine/vm.h"
#include "gfx/bitmap.h"
#include "platform/platform.h"
#include "platform/window.h"

namespace {

using namespace qm;

constexpr int32_t kW = 1920, kH = 1080;

double now_s() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// Best of interleaved rounds, in microseconds per call. Each op first runs untimed as often as it
// is timed, so that none pays for the caches that the op before it left behind: at 1920x1080 a
// single warm-up call was not enough, and whichever side ran right after SDL's blit came out
// 20-30% slower.
std::vector<double> measure(const std::vector<std::function<void()>>& ops, int n, int rounds = 9) {
  std::vector<double> best(ops.size(), 1e30);
  for (int round = 0; round < rounds; ++round)
    for (size_t i = 0; i < ops.size(); ++i) {
      for (int k = 0; k < n; ++k) ops[i]();
      const double t0 = now_s();
      for (int k = 0; k < n; ++k) ops[i]();
      best[i] = std::min(best[i], (now_s() - t0) * 1e6 / n);
    }
  return best;
}

void row(const char* what, double ours, double peer, const char* peer_name) {
  std::printf("%-34s %10.2f %10.2f %7.2f  vs %s\n", what, ours, peer, ours > 0 ? peer / ours : 0.0, peer_name);
}

void fill_pattern(qmBrush* b, bool alpha) {
  for (int32_t y = 0; y < b->height; ++y)
    for (int32_t x = 0; x < b->width; ++x) {
      b->bitmap->pixels[size_t(y) * size_t(b->bitmap->bytes_per_row / 4) + size_t(x)] =
          uint32_t((x * 7 + y * 13) & 0xFF) << 16 | uint32_t((x ^ y) & 0xFF) << 8 | uint32_t((x + 3 * y) & 0xFF);
      if (alpha) b->alpha->data[size_t(y) * size_t(b->alpha->bytes_per_row) + size_t(x)] = uint8_t((x + y) * 5);
    }
}

pixman_image_t* wrap(qmBitmap* b, int32_t w, int32_t h) {
  return pixman_image_create_bits(PIXMAN_x8r8g8b8, w, h, b->pixels, b->bytes_per_row);
}

qmDisplay* open_display() {
  qmDisplay* d = nullptr;
  if (display_create(nullptr, ObjectId{2, nullptr}, 0, &d) != 0) return nullptr;
  d->win.x = d->win.y = 0;
  d->win.flags |= WINFLAG_BORDERLESS;
  if (display_size_change(nullptr, d, 0, 0, kW, kH, true, false, true) != 0) return nullptr;
  if (display_prepare(nullptr, d) != 0 || display_open(nullptr, d, 1) != 0) return nullptr;
  display_make_current(d);
  return d;
}

int32_t command(qmState* L, const char* name, double arg) {
  vm_set_top(L, 0);
  vm_push_string(L, name);
  vm_get_table(L, QM_GLOBALSINDEX);
  vm_push_number(L, arg);
  return vm_pcall(L, 1, 0, 0);
}

void show_brushes(qmState* L) {
  qmBrush* target = nullptr;
  brush_new(ObjectId{100, nullptr}, kW, kH, 0, false, false, true, false, &target);
  if (drawtarget_select(L, OBJ_BRUSH, ObjectId{100, nullptr}, TARGET_PICTURE, 0, SELMODE_NORMAL, 0) != 0) {
    std::printf("bench_showbrush: cannot select the target\n");
    return;
  }
  std::printf("%-34s %10s %10s %7s  (microseconds per call)\n", "DisplayBrush", "ours", "peer", "ratio");
  const int32_t sizes[][2] = {{64, 64}, {512, 512}, {kW, kH}};
  int32_t next_id = 10;
  for (const auto& size : sizes) {
    const int32_t w = size[0], h = size[1];
    for (bool alpha : {false, true}) {
      const int32_t id = next_id++;
      qmBrush* b = nullptr;
      brush_new(ObjectId{id, nullptr}, w, h, 0, false, alpha, false, false, &b);
      fill_pattern(b, alpha);
      pixman_image_t* src = wrap(b->bitmap, w, h);
      pixman_image_t* dst = wrap(target->bitmap, kW, kH);
      pixman_image_t* mask =
          alpha ? pixman_image_create_bits(PIXMAN_a8, w, h, reinterpret_cast<uint32_t*>(b->alpha->data),
                                           b->alpha->bytes_per_row)
                : nullptr;
      // SDL's blit reads the alpha from the pixels.
      std::vector<uint32_t> argb(size_t(w) * size_t(h));
      for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x)
          argb[size_t(y) * size_t(w) + size_t(x)] =
              b->bitmap->pixels[size_t(y) * size_t(b->bitmap->bytes_per_row / 4) + size_t(x)] |
              (alpha ? uint32_t(b->alpha->data[size_t(y) * size_t(b->alpha->bytes_per_row) + size_t(x)]) << 24
                     : 0xFF000000u);
      SDL_Surface* s_src = SDL_CreateRGBSurfaceWithFormatFrom(argb.data(), w, h, 32, w * 4, SDL_PIXELFORMAT_ARGB8888);
      SDL_Surface* s_dst = SDL_CreateRGBSurfaceWithFormatFrom(target->bitmap->pixels, kW, kH, 32,
                                                              target->bitmap->bytes_per_row, SDL_PIXELFORMAT_RGB888);
      SDL_SetSurfaceBlendMode(s_src, SDL_BLENDMODE_BLEND);
      if (int32_t err = brush_render(L, ObjectId{id, nullptr}, false, 0, 0, 0, 0, 0, 0, -1)) {
        std::printf("bench_showbrush: DisplayBrush failed with %d\n", err);
        return;
      }
      const int n = w * h > 1000000 ? 20 : w * h > 100000 ? 40 : 2000;
      const std::vector<double> t = measure(
          {[&] { brush_render(L, ObjectId{id, nullptr}, false, 0, 0, 0, 0, 0, 0, -1); },
           [&] { pixman_image_composite32(PIXMAN_OP_OVER, src, mask, dst, 0, 0, 0, 0, 0, 0, w, h); },
           [&] {
             SDL_Rect r{0, 0, w, h};
             SDL_BlitSurface(s_src, nullptr, s_dst, &r);
           }},
          n);
      const std::string what = std::to_string(w) + "x" + std::to_string(h) + (alpha ? " alpha" : " opaque");
      row(what.c_str(), t[0], t[1], "pixman OVER");
      row(what.c_str(), t[0], t[2], "SDL_BlitSurface");
      SDL_FreeSurface(s_src);
      SDL_FreeSurface(s_dst);
      if (mask) pixman_image_unref(mask);
      pixman_image_unref(dst);
      pixman_image_unref(src);
    }
  }

  // 512x512 turned 30 degrees, smooth.
  const double angle = 30.0 * M_PI / 180.0;
  vm_set_top(L, 0);
  vm_new_table(L);
  vm_push_string(L, "rotate");
  vm_push_number(L, 30);
  vm_set_table(L, -3);
  vm_push_string(L, "smoothscale");
  vm_push_boolean(L, 1);
  vm_set_table(L, -3);
  qmBrush* turned = nullptr;
  brush_new(ObjectId{3, nullptr}, 512, 512, 0, false, false, false, false, &turned);
  fill_pattern(turned, false);
  pixman_image_t* src = wrap(turned->bitmap, 512, 512);
  pixman_image_t* dst = wrap(target->bitmap, kW, kH);
  pixman_transform_t tr;
  // Destination to source: the inverse turn, moved so that the turned square lies at 0, 0.
  const double c = std::cos(angle), s = std::sin(angle);
  const double off_x = 512 * s;  // the turned square's left edge lies at -512 sin
  pixman_transform_init_identity(&tr);
  pixman_transform_rotate(&tr, nullptr, pixman_double_to_fixed(c), pixman_double_to_fixed(-s));
  pixman_transform_translate(&tr, nullptr, pixman_double_to_fixed(-off_x), 0);
  pixman_image_set_transform(src, &tr);
  pixman_image_set_filter(src, PIXMAN_FILTER_BILINEAR, nullptr, 0);
  const int32_t tw = int32_t(512 * (c + s)) + 1;
  const std::vector<double> t = measure(
      {[&] { brush_render(L, ObjectId{3, nullptr}, false, 0, 0, 0, 0, 0, 0, 1); },
       [&] { pixman_image_composite32(PIXMAN_OP_OVER, src, nullptr, dst, 0, 0, 0, 0, 0, 0, tw, tw); }},
      20);
  row("512x512 turned 30, smooth", t[0], t[1], "pixman affine bilinear");
  pixman_image_unref(dst);
  pixman_image_unref(src);
  vm_set_top(L, 0);
  drawtarget_end(L, display_current(), false);
}

void flips(qmState* L, qmDisplay* d) {
  if (command(L, "begindoublebuffer", 0) != 0) {
    std::printf("bench_showbrush: no double buffer\n");
    return;
  }
  std::printf("\n%-34s %10s %10s %7s  %s\n", "Flip (no wait), 1920x1080", "ours", "memcpy", "ratio",
              "SDL present (microseconds per call)");
  // Flip(False) as a script calls it: the name is a string made once (a script's constant),
  // looked up in the globals at every call.
  vm_set_top(L, 0);
  vm_push_string(L, "flip");
  const auto flip_no_wait = [L] {
    vm_set_top(L, 1);
    vm_push_value(L, 1);
    vm_get_table(L, QM_GLOBALSINDEX);
    vm_push_boolean(L, 0);
    vm_pcall(L, 1, 0, 0);
  };
  std::vector<uint8_t> from(size_t(kW) * kH * 4), to(from.size());
  SDL_Window* window = d->win.platform ? d->win.platform->window : nullptr;
  for (int32_t rects : {1, 10, 100, 0}) {
    const int32_t side = 16;
    const size_t bytes = rects ? size_t(rects) * side * side * 4 : from.size();
    std::vector<SDL_Rect> changed;
    for (int32_t i = 0; i < rects; ++i) changed.push_back({(i % 50) * 32, (i / 50) * 32, side, side});
    if (rects == 0) changed.push_back({0, 0, kW, kH});
    const std::vector<double> t = measure(
        {[&] {
           if (rects == 0) dblbuf_mark(d, 0, 0, kW, kH);
           for (int32_t i = 0; i < rects; ++i) dblbuf_mark(d, (i % 50) * 32, (i / 50) * 32, side, side);
           flip_no_wait();
         },
         [&] {
           if (rects == 0) {
             std::memcpy(to.data(), from.data(), bytes);
             return;
           }
           for (int32_t i = 0; i < rects; ++i)
             for (int32_t y = 0; y < side; ++y) {
               const size_t at = (size_t((i / 50) * 32 + y) * kW + size_t((i % 50) * 32)) * 4;
               std::memcpy(to.data() + at, from.data() + at, side * 4);
             }
         },
         [&] {
           if (window) SDL_UpdateWindowSurfaceRects(window, changed.data(), int(changed.size()));
         }},
        rects == 0 ? 10 : 200, rects == 0 ? 9 : 40);  // the small copies' best varies more
    const std::string what = rects ? std::to_string(rects) + " rectangles of 16x16" : std::string("full frame");
    std::printf("%-34s %10.2f %10.2f %7.2f  %.3f\n", what.c_str(), t[0], t[1], t[0] > 0 ? t[1] / t[0] : 0.0,
                t[2]);
  }
  command(L, "enddoublebuffer", 0);
}

}  // namespace

int main() {
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  if (platform_init() != 0) return 1;
  qmState* L = vm_open();
  if (display_init(L) != 0) return 1;
  qmDisplay* d = open_display();
  if (!d) {
    std::printf("bench_showbrush: no display\n");
    return 1;
  }
  show_brushes(L);
  flips(L, d);
  display_cleanup(L);
  brush_free_all();
  vm_close_state(L);
  platform_exit();
  return 0;
}

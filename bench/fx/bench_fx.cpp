// Transition effects at 1920x1080 on a fake clock (only the work is timed): ms per frame, mean and
// max, and the whole effect, for HSTRIPES and VSTRIPES between two pictures and a realtime layer
// stripe effect, each beside the physical floor measured in the same run (a full-frame BLTBITMAP
// into the display plus display_wait_refresh). Then the driver's own cost per frame (a nearly empty
// step against bare display_wait_refresh), and a realtime layer under 50 layers refreshed rectangle
// by rectangle against recomposed whole once a frame.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "display/bgpic.h"
#include "display/brush.h"
#include "display/display.h"
#include "display/graphics.h"
#include "engine/vm.h"
#include "fx/fx.h"
#include "gfx/bitmap.h"
#include "gfx/blit.h"
#include "layers/layers.h"
#include "platform/platform.h"
#include "runtime/errors.h"
#include "runtime/registry.h"

namespace {

constexpr int32_t kW = 1920, kH = 1080;

double now_ms() {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

struct Frames {
  std::vector<double> ms;
  double last = 0;
  double mean() const {
    double s = 0;
    for (double v : ms) s += v;
    return ms.empty() ? 0 : s / double(ms.size());
  }
  double max() const { return ms.empty() ? 0 : *std::max_element(ms.begin(), ms.end()); }
};

// Each frame's cost: from the end of one frame's step to the end of the next (pump, pacing, step).
int32_t time_frames(const qm::qmFXRequest*, int32_t what, void* user) {
  auto* f = static_cast<Frames*>(user);
  const double t = now_ms();
  if (what == qm::FXOBS_SETUP) f->last = t;
  if (what == qm::FXOBS_FRAME) {
    f->ms.push_back(t - f->last);
    f->last = t;
  }
  return 0;
}

void noise(qm::qmBitmap* b, uint32_t salt) {
  uint32_t v = salt;
  for (int32_t y = 0; y < b->height; ++y)
    for (int32_t x = 0; x < b->width; ++x) {
      v = v * 1664525u + 1013904223u;
      b->pixels[size_t(y) * size_t(b->bytes_per_row / 4) + size_t(x)] = v;
    }
}

struct Bench {
  qmState* L = nullptr;
  qm::qmDisplay* d = nullptr;
  FakeClock clock;

  bool open() {
    qm::registry_free_all();
    L = vm_open();
    qm::err_install(L);
    for (auto f : {graphics_init, brush_init, bgpic_init, display_init, qm::layers_init, transitionfx_init})
      if (f(L) != 0) return false;
    ScreenInfo screen;
    platform_parse_screen("1920x1080@60", nullptr, &screen);
    platform_set_screen_override(&screen);
    platform_set_clock(&clock);
    if (qm::display_create(L, qm::ObjectId{1, nullptr}, 0, &d) != 0) return false;
    d->win.x = d->win.y = 0;
    d->win.flags |= WINFLAG_BORDERLESS;
    if (qm::display_size_change(L, d, 0, 0, kW, kH, true, false, true) != 0) return false;
    if (qm::display_prepare(L, d) != 0 || qm::display_open(L, d, 1) != 0) return false;
    qm::display_make_current(d);
    for (int32_t id : {2, 3}) {
      qm::qmBGPic* pic = nullptr;
      if (qm::bgpic_create_filled(qm::ObjectId{id, nullptr}, kW, kH, 0, &pic) != 0) return false;
      noise(pic->current.bitmap, uint32_t(id));
    }
    qm::qmBrush* b = nullptr;
    if (qm::brush_new(qm::ObjectId{1, nullptr}, kW, kH, 0, false, false, false, false, &b) != 0) return false;
    noise(b->bitmap, 7);
    if (qm::brush_new(qm::ObjectId{2, nullptr}, kW, 1, 0xFF00FF, false, false, false, false, &b) != 0) return false;
    return true;
  }

  // The floor: a whole frame copied into the display and presented and paced.
  Frames floor(int32_t n) {
    Frames f;
    qm::qmBrush* b = nullptr;
    qm::brush_find(qm::ObjectId{1, nullptr}, 0, &b);
    for (int32_t i = 0; i < n; ++i) {
      const double t0 = now_ms();
      qm::SAFEBLT(L, b->bitmap, 0, 0, nullptr, 0, 0, kW, kH, kW, kH, kW, kH, qm::BLIT_FRONT, nullptr, nullptr, nullptr);
      qm::display_wait_refresh(L);
      f.ms.push_back(now_ms() - t0);
    }
    return f;
  }

  Frames bare_waits(int32_t n) {
    Frames f;
    for (int32_t i = 0; i < n; ++i) {
      const double t0 = now_ms();
      qm::display_wait_refresh(L);
      f.ms.push_back(now_ms() - t0);
    }
    return f;
  }

  Frames effect(qm::qmFXRequest r, double* whole) {
    Frames f;
    qm::FxObserver o{time_frames, &f};
    qm::fx_set_observer(&o);
    r.script = L;
    const double t0 = now_ms();
    if (qm::fx_command(r) < 0) std::printf("  (the effect failed)\n");
    *whole = now_ms() - t0;
    qm::fx_set_observer(nullptr);
    return f;
  }

  void reset_layers(bool with_layers) {
    qm::bgpic_layers_free(L, d->bgpic);
    d->layers = with_layers ? 1 : 0;
    qm::display_refresh(L, d);
  }
};

void row(const char* what, const Frames& f, double whole, const Frames& floor) {
  std::printf("  %-44s %8.3f %8.3f %6.2f %9.1f %6zu\n", what, f.mean(), f.max(), f.max() / std::max(floor.max(), 1e-9),
              whole, f.ms.size());
}

}  // namespace

int main() {
  if (!std::getenv("SDL_VIDEODRIVER")) setenv("SDL_VIDEODRIVER", "offscreen", 1);
  if (platform_init() != 0 || platform_video_start() != 0) {
    std::printf("bench_fx: no video (%s)\n", platform_last_error().c_str());
    return 0;
  }
  Bench b;
  if (!b.open()) {
    std::printf("bench_fx: no %dx%d display\n", kW, kH);
    return 0;
  }
  platform_set_frame_rate_limit(60);
  const Frames floor = b.floor(60);
  std::printf("transition effects at %dx%d on a fake clock, ms per frame\n", kW, kH);
  std::printf("  %-44s %8s %8s %6s %9s %6s\n", "", "mean", "max", "max/fl", "effect ms", "frames");
  row("floor: full BLTBITMAP + display_wait_refresh", floor, 0, floor);
  double whole = 0;
  srand48(1);
  std::srand(1);
  for (int32_t effect : {qm::FX_HSTRIPES, qm::FX_VSTRIPES}) {
    qm::qmFXRequest r;
    r.kind = qm::OBJ_BGPIC;
    r.id = qm::ObjectId{effect == qm::FX_HSTRIPES ? 2 : 3, nullptr};
    r.effect = effect;
    r.parameter = 16;
    r.bg_x = r.bg_y = qm::POS_NOT_GIVEN;
    const Frames f = b.effect(r, &whole);
    row(effect == qm::FX_HSTRIPES ? "HSTRIPES, picture to picture" : "VSTRIPES, picture to picture", f, whole, floor);
  }
  // A realtime layer effect: the brush as a layer drawn into its effect image.
  b.reset_layers(true);
  qm::insert_object_layer(b.L, 0, qm::OBJ_BRUSH, qm::ObjectId{1, nullptr}, 0, 0, true, true, nullptr);
  {
    qm::qmFXRequest r;
    r.kind = qm::OBJ_LAYER;
    r.id = qm::ObjectId{1, nullptr};
    r.effect = qm::FX_HSTRIPES;
    r.parameter = 16;
    r.forcerealtimelayers = 1;
    const Frames f = b.effect(r, &whole);
    row("HSTRIPES, realtime layer", f, whole, floor);
  }
  // The driver's cost: a 1920 x 1 brush at 1 pixel a frame draws two pixels a frame.
  b.reset_layers(false);
  {
    const Frames bare = b.bare_waits(1920);
    qm::qmFXRequest r;
    r.kind = qm::OBJ_BRUSH;
    r.id = qm::ObjectId{2, nullptr};
    r.effect = qm::FX_HSTRIPES;
    r.speed = 1;
    r.parameter = 1;
    const Frames f = b.effect(r, &whole);
    std::printf("driver overhead: %.2f us a frame over bare display_wait_refresh (%.2f us), %zu frames\n",
                (f.mean() - bare.mean()) * 1000, bare.mean() * 1000, f.ms.size());
  }
  // A realtime layer under 50 layers: refreshed rectangle by rectangle (each recomposed, as the
  // layers above obscure it) against recomposed whole once a frame (a bordered layer).
  for (const bool whole_layer : {false, true}) {
    b.reset_layers(true);
    qm::insert_object_layer(b.L, 0, qm::OBJ_BRUSH, qm::ObjectId{1, nullptr}, 0, 0, true, true, nullptr);
    qm::qmLayer* layer = qm::layer_at_index(b.d->bgpic, 1);
    if (whole_layer) layer->border = 1, layer->border_size = 2;
    for (int32_t i = 0; i < 50; ++i)
      qm::insert_object_layer(b.L, 0, qm::OBJ_BRUSH, qm::ObjectId{2, nullptr}, (i * 37) % kW, (i * 53) % kH, true, false,
                              nullptr);
    qm::qmFXRequest r;
    r.kind = qm::OBJ_LAYER;
    r.id = qm::ObjectId{1, nullptr};
    r.effect = qm::FX_VSTRIPES;
    r.parameter = 16;
    r.forcerealtimelayers = 1;
    const Frames f = b.effect(r, &whole);
    row(whole_layer ? "under 50 layers, recomposed whole" : "under 50 layers, rectangle by rectangle", f, whole, floor);
  }
  platform_set_clock(nullptr);
  qm::display_cleanup(b.L);
  brush_free_all();
  bgpic_free_all();
  vm_close_state(b.L);
  qm::registry_free_all();
  platform_exit();
  return 0;
}

// Transition effects on decoded requests: the bytes choose the effect id, the picture's size (up to
// 64 x 64), the speed, the parameter, the kind (a brush with layers off, a brush as a new layer, a
// layer shown, hidden or removed, a new background picture), a mask or an alpha plane, where it
// stands (partly off the display too), sync or async and forced realtime. The effect must end
// exactly on its target in what the window shows; anything else aborts.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <cctype>
#include <vector>

#include "display/asyncdraw.h"
#include "display/bgpic.h"
#include "display/brush.h"
#include "display/display.h"
#include "display/graphics.h"
#include "engine/vm.h"
#include "fx/fx.h"
#include "gfx/bitmap.h"
#include "layers/layers.h"
#include "platform/platform.h"
#include "platform/window.h"
#include "runtime/errors.h"
#include "runtime/random.h"
#include "runtime/registry.h"
#include "tests/fx/fx_oracle.h"

namespace {

// The scene could not be made: the target itself is broken, not the effect.
[[noreturn]] void broken(int line) {
  std::fprintf(stderr, "fuzz_fx: the scene failed at line %d\n", line);
  std::abort();
}
#define BROKEN() broken(__LINE__)

constexpr int32_t kDisplay = 96;

struct World {
  qmState* L = nullptr;
  qm::qmDisplay* d = nullptr;
  FakeClock clock;
};

World* world() {
  static World* w = [] {
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    auto* w = new World;
    if (platform_init() != 0) BROKEN();
    qm::registry_free_all();
    w->L = vm_open();
    qm::err_install(w->L);
    for (auto f : {graphics_init, brush_init, bgpic_init, display_init, qm::layers_init, transitionfx_init})
      if (f(w->L) != 0) BROKEN();
    qm::runtime_flags().quiet = true;
    ScreenInfo screen;
    platform_parse_screen("800x600@60", nullptr, &screen);
    platform_set_screen_override(&screen);
    platform_set_clock(&w->clock);
    if (qm::display_create(w->L, qm::ObjectId{2, nullptr}, 0, &w->d) != 0) BROKEN();
    if (qm::display_size_change(w->L, w->d, 0, 0, kDisplay, kDisplay, true, false, true) != 0) BROKEN();
    if (qm::display_prepare(w->L, w->d) != 0 || qm::display_open(w->L, w->d, 1) != 0) BROKEN();
    qm::display_make_current(w->d);
    return w;
  }();
  return w;
}

uint32_t old_pixel(int32_t x, int32_t y) { return (uint32_t(x * 7919 + y * 104729) * 2654435761u >> 8) & 0xFFFFFE; }
uint32_t new_pixel(int32_t x, int32_t y) { return ((uint32_t(x * 31 + y * 977) * 2246822519u >> 8) & 0xFFFFFF) | 1; }
bool hole(int32_t x, int32_t y) { return (x * 3 + y * 5) % 4 == 0; }
uint8_t ramp(int32_t x, int32_t w) { return w > 1 ? uint8_t(x * 255 / (w - 1)) : 255; }


int32_t call(qmState* L, const char* name, const std::vector<double>& args, bool table, int32_t id, int32_t speed,
             int32_t parameter, bool async, bool realtime, void** handle) {
  vm_set_top(L, 0);
  std::string lower(name);
  for (char& c : lower) c = char(std::tolower(static_cast<unsigned char>(c)));
  vm_push_string(L, lower.c_str());  // commands are registered under lower-cased names
  vm_get_table(L, QM_GLOBALSINDEX);
  for (double v : args) vm_push_number(L, v);
  if (table) {
    vm_new_table(L);
    auto field = [&](const char* k, double v) {
      vm_push_string(L, k);
      vm_push_number(L, v);
      vm_set_table(L, -3);
    };
    field("type", id), field("speed", speed), field("parameter", parameter);
    if (async) field("async", 1);
    if (realtime) field("forcerealtimelayers", 1);
  }
  const int32_t err = vm_pcall(L, int32_t(args.size()) + (table ? 1 : 0), 1, 0);
  if (handle) *handle = err == 0 && vm_is_userdata(L, -1) ? vm_to_userdata(L, -1) : nullptr;
  vm_set_top(L, 0);
  return err;
}

int32_t code(qmState* L, const char* name, const std::vector<double>& args) {
  return call(L, name, args, false, 0, 0, 0, false, false, nullptr);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 10) return 0;
  World* w = world();
  qmState* L = w->L;
  int32_t id = data[0] % qm::FX_EFFECTS;
  if (id == qm::FX_UNUSED_ID) id = qm::FX_RANDOMEFFECT;
  const int32_t bw = 1 + data[1] % 64, bh = 1 + data[2] % 64;
  const int32_t speeds[] = {-1, -2, -3, 2147483647};
  const int32_t speed = data[3] < 4 ? speeds[data[3]] : data[3] < 128 ? data[3] - 3 : int32_t(data[3]) * 4099;
  const int32_t parameter = data[4] == 255 ? -1 : data[4];
  const int32_t kind = data[5] % 6;  // 0 brush, 1 brush layer, 2 show, 3 hide, 4 remove, 5 picture
  const int32_t planes = data[6] % 3;  // none, mask, alpha
  const bool async = (data[7] & 1) && kind != 5, realtime = (data[7] & 2) != 0;
  const int32_t x = int32_t(data[8] % 128) - 32, y = int32_t(data[9] % 128) - 32;
  srand48(size);
  qm::random_seed(uint32_t(size));

  // The scene: picture A of noise on the display, B as brush 1 (and as picture 2).
  qm::asyncdraw_free_all(L);
  qm::qmBGPic* a = nullptr;
  if (qm::bgpic_find(qm::ObjectId{1, nullptr}, 0, &a) != 0) {
    if (code(L, "CreateBGPic", {1, kDisplay, kDisplay, 0}) != 0) BROKEN();
    qm::bgpic_find(qm::ObjectId{1, nullptr}, 0, &a);
  }
  qm::bgpic_layers_free(L, a);
  code(L, "DisableLayers", {});
  if (code(L, "DisplayBGPic", {1}) != 0) BROKEN();
  if (a->width != kDisplay || a->height != kDisplay)
    qm::display_size_change(L, w->d, qm::KEEPPOSITION, qm::KEEPPOSITION, kDisplay, kDisplay, true, false, true);
  qm::bgpic_find(qm::ObjectId{1, nullptr}, 0, &a);
  for (int32_t py = 0; py < kDisplay; ++py)
    for (int32_t px = 0; px < kDisplay; ++px) qm::qmos_write_pixel(a->current.bitmap, px, py, old_pixel(px, py));
  qm::display_make_buffers(w->d);
  code(L, "FreeBrush", {1});
  code(L, "FreeBGPic", {2});
  qm::qmBrush* b = nullptr;
  if (qm::brush_new(qm::ObjectId{1, nullptr}, bw, bh, 0, planes == 1, planes == 2, false, false, &b) != 0) BROKEN();
  for (int32_t py = 0; py < bh; ++py)
    for (int32_t px = 0; px < bw; ++px) {
      qm::qmos_write_pixel(b->bitmap, px, py, new_pixel(px, py));
      if (b->mask) qm::qmos_write_pixel(b->mask, px, py, hole(px, py) ? qm::MASKINVISIBLE : qm::MASKVISIBLE);
      if (b->alpha) b->alpha->data[size_t(py) * size_t(b->alpha->bytes_per_row) + size_t(px)] = ramp(px, bw);
    }
  if (kind == 5) {
    if (code(L, "CreateBGPic", {2, double(bw), double(bh), 0}) != 0) BROKEN();
    qm::qmBGPic* p = nullptr;
    qm::bgpic_find(qm::ObjectId{2, nullptr}, 0, &p);
    for (int32_t py = 0; py < bh; ++py)
      for (int32_t px = 0; px < bw; ++px) qm::qmos_write_pixel(p->current.bitmap, px, py, new_pixel(px, py));
  }
  if (kind >= 1 && kind <= 4 && code(L, "EnableLayers", {}) != 0) BROKEN();
  if (kind >= 2 && kind <= 4) {
    if (code(L, "DisplayBrush", {1, double(x), double(y)}) != 0) BROKEN();
    if (kind == 2) code(L, "HideLayer", {1});
  }
  qm::display_refresh(L, w->d);

  // The command.
  void* handle = nullptr;
  int32_t err = 0;
  switch (kind) {
    case 0:
    case 1: err = call(L, "displaybrushfx", {1, double(x), double(y)}, true, id, speed, parameter, async, realtime, &handle); break;
    case 2: err = call(L, "showlayerfx", {1}, true, id, speed, parameter, async, realtime, &handle); break;
    case 3: err = call(L, "hidelayerfx", {1}, true, id, speed, parameter, async, realtime, &handle); break;
    case 4: err = call(L, "removelayerfx", {1}, true, id, speed, parameter, async, realtime, &handle); break;
    default: err = call(L, "displaytransitionfx", {2}, true, id, speed, parameter, false, false, nullptr); break;
  }
  if (err) __builtin_trap();
  for (int32_t calls = 0; handle; ++calls) {
    vm_set_top(L, 0);
    vm_push_string(L, "asyncdrawframe");
    vm_get_table(L, QM_GLOBALSINDEX);
    vm_push_lightuserdata(L, handle);
    if (vm_pcall(L, 1, 1, 0) != 0) __builtin_trap();
    const bool done = vm_to_number(L, -1) != 0;
    vm_set_top(L, 0);
    if (done) break;
    if (calls > 200000) __builtin_trap();
  }

  // The target in the window.
  const qmScreenBuffer& s = w->d->win.platform->screen;
  const int32_t sw = kind == 5 ? bw : kDisplay, sh = kind == 5 ? bh : kDisplay;
  if (s.width != sw || s.height != sh) __builtin_trap();
  for (int32_t py = 0; py < sh; ++py)
    for (int32_t px = 0; px < sw; ++px) {
      uint32_t want = old_pixel(px, py);
      const int32_t bx = px - x, by = py - y;
      if (kind == 5) {
        want = new_pixel(px, py);
      } else if (kind != 3 && kind != 4 && bx >= 0 && by >= 0 && bx < bw && by < bh) {
        uint32_t shown = new_pixel(bx, by);
        if (planes == 1 && hole(bx, by)) shown = want;
        if (planes == 2) shown = fxtest::blend(want, shown, ramp(bx, bw));
        want = shown;
      }
      if ((s.row(py)[px] & 0xFFFFFF) != want) __builtin_trap();
    }
  if (b->locked || a->lock) __builtin_trap();
  return 0;
}

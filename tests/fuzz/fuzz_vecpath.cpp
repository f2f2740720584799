// Vector paths as a program builds and draws them, through the cairo plug-in beside the player: the
// bytes choose a run of path commands (building, copying, appending, moving, measuring, stroke
// settings, text, drawing, shapes in path mode) on a few path numbers, with numbers taken from a
// table of hostile values (not finite, huge, negative, fractions) or from the bytes themselves.
// A call may fail with any error, but a DrawPath or a shape that fails must leave the picture as it
// was, and the extents and current point a call gives must be finite; anything else aborts.
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "display/bgpic.h"
#include "display/brush.h"
#include "display/display.h"
#include "display/graphics.h"
#include "draw/draw.h"
#include "draw/paths.h"
#include "engine/vm.h"
#include "gfx/bitmap.h"
#include "layers/layers.h"
#include "platform/platform.h"
#include "runtime/errors.h"
#include "runtime/plugins/plugins.h"
#include "runtime/registry.h"
#include "stdlib/stdlib.h"
#include "text/text.h"

namespace {

[[noreturn]] void fail(const char* what, int line) {
  std::fprintf(stderr, "fuzz_vecpath: %s (line %d)\n", what, line);
  std::abort();
}
#define FAIL(what) fail(what, __LINE__)

constexpr int32_t kDisplay = 64;

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
    if (platform_init() != 0) FAIL("no platform");
    qm::registry_free_all();
    w->L = vm_open();
    qm::err_install(w->L);
    for (auto f : {graphics_init, brush_init, bgpic_init, display_init, string_open, qm::layers_init, qm::draw_open,
                   qm::text_open, qm::vectorgraphics_init})
      if (f(w->L) != 0) FAIL("a library did not open");
    qm::runtime_flags().quiet = true;
    ScreenInfo screen;
    platform_parse_screen("800x600@60", nullptr, &screen);
    platform_set_screen_override(&screen);
    platform_set_clock(&w->clock);
    if (register_plugin_formats(w->L, PLAYER_DIR "/player") != 0 || !plugin_vector_graphics())
      FAIL("no vector-graphics plug-in");
    if (qm::display_create(w->L, qm::ObjectId{2, nullptr}, 0, &w->d) != 0) FAIL("no display");
    if (qm::display_size_change(w->L, w->d, 0, 0, kDisplay, kDisplay, true, false, true) != 0) FAIL("no size");
    if (qm::display_prepare(w->L, w->d) != 0 || qm::display_open(w->L, w->d, 1) != 0) FAIL("display not open");
    qm::display_make_current(w->d);
    // The fonts that programs chose close before the cache's own storage goes at exit.
    std::atexit([] { qm::text_cleanup(world()->L); });
    return w;
  }();
  return w;
}

struct Input {
  const uint8_t* at;
  const uint8_t* end;
  bool done() const { return at >= end; }
  uint8_t byte() { return at < end ? *at++ : 0; }
  // A number: most often a small whole one, else one of the values that break arithmetic,
  // else a double straight from the bytes.
  double number() {
    static const double kHostile[] = {0.0,
                                      -0.0,
                                      0.25,
                                      2.5,
                                      -1.0,
                                      1e9,
                                      -1e9,
                                      2147483648.0,
                                      -2147483649.0,
                                      1e300,
                                      std::numeric_limits<double>::max(),
                                      std::numeric_limits<double>::denorm_min(),
                                      std::numeric_limits<double>::infinity(),
                                      -std::numeric_limits<double>::infinity(),
                                      std::numeric_limits<double>::quiet_NaN(),
                                      360.0,
                                      -720.5,
                                      -0.75};
    const uint8_t b = byte();
    if (b < 160) return int32_t(b) - 40;
    if (b < 240) return kHostile[b % (sizeof kHostile / sizeof kHostile[0])];
    double v = 0;
    uint8_t raw[8] = {};
    for (uint8_t& r : raw) r = byte();
    std::memcpy(&v, raw, 8);
    return v;
  }
  // A path number: 1 to 3 mostly, sometimes one never made.
  double path() {
    const uint8_t b = byte();
    return b < 240 ? 1 + b % 3 : b < 248 ? 0.0 : 99.0;
  }
};

enum Kind { kNumbers, kText, kDraw, kShape, kBox };

struct Command {
  const char* name;
  Kind kind;
  int32_t numbers;  // after the path number for path commands
  bool on_path;
};

const Command kCommands[] = {
    {"startpath", kNumbers, 0, true},        {"freepath", kNumbers, 0, true},
    {"clearpath", kNumbers, 0, true},        {"ispathempty", kNumbers, 0, true},
    {"moveto", kNumbers, 2, true},           {"lineto", kNumbers, 2, true},
    {"relmoveto", kNumbers, 2, true},        {"rellineto", kNumbers, 2, true},
    {"curveto", kNumbers, 6, true},          {"relcurveto", kNumbers, 6, true},
    {"startsubpath", kNumbers, 0, true},     {"closepath", kNumbers, 0, true},
    {"addarctopath", kNumbers, 7, true},     {"addellipsetopath", kNumbers, 4, true},
    {"addcircletopath", kNumbers, 3, true},  {"addboxtopath", kBox, 4, true},
    {"addtexttopath", kText, 0, true},       {"copypath", kNumbers, 0, true},
    {"appendpath", kNumbers, 0, true},       {"translatepath", kNumbers, 2, true},
    {"normalizepath", kNumbers, 0, true},    {"getpathextents", kNumbers, 0, true},
    {"getcurrentpoint", kNumbers, 0, true},  {"setlinejoin", kNumbers, 1, false},
    {"setlinecap", kNumbers, 1, false},      {"setfillrule", kNumbers, 1, false},
    {"setdash", kNumbers, 3, false},         {"setlinewidth", kNumbers, 1, false},
    {"setfillstyle", kNumbers, 1, false},    {"setformstyle", kNumbers, 1, false},
    {"setfont", kText, 1, false},            {"drawpath", kDraw, 3, true},
    {"forcepathuse", kNumbers, 1, false},
    {"circle", kShape, 4, false},            {"box", kShape, 5, false},
    {"ellipse", kShape, 5, false},           {"arc", kShape, 7, false},
};

std::vector<uint32_t> picture(const World* w) {
  const qm::qmBitmap* b = w->d->bgpic->current.bitmap;
  std::vector<uint32_t> out;
  for (int32_t y = 0; y < b->height; ++y)
    for (int32_t x = 0; x < b->width; ++x) out.push_back(qm::qmos_read_pixel(b, x, y));
  return out;
}

void push_number(qmState* L, double v) { vm_push_number(L, v); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  World* w = world();
  qmState* L = w->L;
  Input in{data, data + size};
  // Every input starts from the same settings and a picture with something on it.
  const std::vector<std::vector<double>> reset = {{0}, {0}, {0}, {1}, {1}, {0}, {0}};
  const char* resets[] = {"setlinejoin", "setlinecap", "setfillrule", "setlinewidth", "setfillstyle", "setformstyle",
                          "forcepathuse"};
  for (size_t i = 0; i < reset.size(); ++i) {
    vm_set_top(L, 0);
    vm_push_string(L, resets[i]);
    vm_get_table(L, QM_GLOBALSINDEX);
    push_number(L, reset[i][0]);
    if (vm_pcall(L, 1, 0, 0) != 0) FAIL("a setting could not be reset");
  }
  vm_set_top(L, 0);
  vm_push_string(L, "setdash");
  vm_get_table(L, QM_GLOBALSINDEX);
  push_number(L, 0);
  push_number(L, -1);
  if (vm_pcall(L, 2, 0, 0) != 0) FAIL("no solid lines");
  qm::qmBitmap* bitmap = w->d->bgpic->current.bitmap;
  for (int32_t y = 0; y < bitmap->height; ++y)
    for (int32_t x = 0; x < bitmap->width; ++x) qm::qmos_write_pixel(bitmap, x, y, uint32_t(x * 4099 + y * 257) & 0xFFFFFF);

  for (int32_t steps = 0; steps < 64 && !in.done(); ++steps) {
    const Command& c = kCommands[in.byte() % (sizeof kCommands / sizeof kCommands[0])];
    vm_set_top(L, 0);
    vm_push_string(L, c.name);
    vm_get_table(L, QM_GLOBALSINDEX);
    int32_t args = 0;
    if (c.on_path) push_number(L, in.path()), ++args;
    if (!std::strcmp(c.name, "copypath") || !std::strcmp(c.name, "appendpath")) push_number(L, in.path()), ++args;
    if (c.kind == kText) {
      // Latin-1 text of up to 15 bytes, zeros and high bytes included.
      std::string text(in.byte() % 16, '\0');
      for (char& ch : text) ch = char(in.byte());
      if (!std::strcmp(c.name, "setfont")) text = in.byte() & 1 ? ":::default_sans" : ":::default_serif";
      vm_push_lstring(L, text.data(), text.size()), ++args;
      if (!std::strcmp(c.name, "addtexttopath") && in.byte() < 32) {
        vm_new_table(L);
        vm_push_string(L, "encoding");
        push_number(L, in.byte() % 4);
        vm_set_table(L, -3);
        ++args;
      }
    }
    for (int32_t i = 0; i < c.numbers; ++i) push_number(L, in.number()), ++args;
    if (c.kind == kBox && in.byte() < 128) {
      vm_new_table(L);
      for (const char* key : {"roundlevel", "cornera", "cornerd"}) {
        if (in.byte() & 1) continue;
        vm_push_string(L, key);
        push_number(L, in.number());
        vm_set_table(L, -3);
      }
      ++args;
    }
    const bool drawing = c.kind == kDraw || c.kind == kShape;
    std::vector<uint32_t> before;
    if (drawing) before = picture(w);
    const int32_t err = vm_pcall(L, args, QM_MULTRET, 0);
    if (err != 0 && drawing && picture(w) != before) FAIL("a drawing that failed changed the picture");
    if (err == 0 && (!std::strcmp(c.name, "getpathextents") || !std::strcmp(c.name, "getcurrentpoint")))
      for (int32_t i = 1; i <= vm_get_top(L); ++i)
        if (!std::isfinite(vm_to_number(L, i))) FAIL("a measure that is not finite");
    vm_set_top(L, 0);
  }
  qm::path_free_all(L);
  return 0;
}

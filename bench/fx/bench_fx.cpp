// Transition effects at 1920x1080 on a fake clock (only the work is timed): ms per frame, mean and
// max, and the whole effect, for HSTRIPES and VSTRIPES between two pictures and a realtime layer
// stripe effect, each beside the physical floor measured in the same run (a full-frame BLTBITMAP
// into the display plus display_wait_refresh). Then the driver's own cost per frame (a nearly empty
// step against bare display_wait_refresh), and a realtime layer under 50 layers refreshed rectangle
// by rectangle against recomposed whole once a frame. Then the pixel, coin, polygon, fade and roll
// effects picture to picture and as a realtime layer beside the same floor and their goals, the
// setups that draw a map or dry-run a polygon, and CROSSFADE and DISSOLVE beside pixman doing the
// same pixel work a frame. Then one member of each of the other families between two pictures, its
// goal beside it: no frame above the floor for the in-place families, every frame within 8 ms for
// the moving and scaling ones, and ZOOMCENTER and STRETCHLEFT of a masked brush of the display's
// size drawn on the display; ZOOMCENTER's and TURNDOWNTOP's scaling against pixman's nearest
// scaled composite of the same rectangles; PUZZLE's order at 1920x1080 with side 5 and against the
// linear search at 640x480; SPIRAL's dry run.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <tuple>
#include <vector>

#include <pixman.h>
#include <sys/resource.h>

#include "display/bgpic.h"
#include "display/brush.h"
#include "display/display.h"
#include "display/graphics.h"
#include "engine/vm.h"
#include "fx/fx.h"
#include "fx/steps.h"
#include "gfx/bitmap.h"
#include "gfx/blit.h"
#include "gfx/scale.h"
#include "layers/layers.h"
#include "platform/platform.h"
#include "runtime/errors.h"
#include "runtime/random.h"
#include "runtime/registry.h"
#include "tests/fx/puzzle_linear.h"

namespace {

constexpr int32_t kW = 1920, kH = 1080;

double now_ms() {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

double cpu_ms() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

long page_faults() {
  rusage u{};
  getrusage(RUSAGE_THREAD, &u);
  return u.ru_minflt + u.ru_majflt;
}

struct Frames {
  std::vector<double> ms;
  std::vector<double> cpu;  // the thread's processor time of each frame: what load cannot add
  std::vector<long> faults;  // pages first touched (or read in) during each frame
  double last = 0, last_cpu = 0;
  long last_faults = 0;
  double start = 0;  // the effect resolved: its preparation and setup begin
  double setup = 0;
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
  if (what == qm::FXOBS_RESOLVED) f->start = t;
  const double c = cpu_ms();
  const long faults = page_faults();
  if (what == qm::FXOBS_SETUP) f->last = t, f->last_cpu = c, f->last_faults = faults, f->setup = t - f->start;
  if (what == qm::FXOBS_FRAME) {
    f->ms.push_back(t - f->last);
    f->cpu.push_back(c - f->last_cpu);
    f->faults.push_back(faults - f->last_faults);
    f->last = t, f->last_cpu = c, f->last_faults = faults;
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
    // Brush 3: noise with a mask of round holes.
    if (qm::brush_new(qm::ObjectId{3, nullptr}, kW, kH, 0, true, false, false, false, &b) != 0) return false;
    noise(b->bitmap, 9);
    for (int32_t y = 0; y < kH; ++y)
      for (int32_t x = 0; x < kW; ++x) {
        const int32_t cx = x % 64 - 32, cy = y % 64 - 32;
        qm::qmos_write_pixel(b->mask, x, y, cx * cx + cy * cy < 400 ? qm::MASKINVISIBLE : qm::MASKVISIBLE);
      }
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


struct PixelEffect {
  int32_t id;
  const char* name;
  double goal_ms;     // every frame within this
  double goal_floor;  // and at most this many floors (0: no such goal)
};

// 8 ms, half a 60 Hz frame; the trigonometric maps a whole frame; the polygons 3 floors.
constexpr PixelEffect kPixelEffects[] = {
    {139, "DISSOLVE", 8, 0},      {138, "STRUDEL", 16.7, 0},
    {132, "PIXELZOOM1", 8, 0},  {133, "PIXELZOOM2", 8, 0},
    {124, "VFLIPCOIN", 8, 0},    {120, "CRUSHLEFT", 8, 0},
    {114, "SUN", 8, 3},                {98, "STAR", 8, 3},
    {97, "CLOCKWIPE", 8, 3},    {116, "FADE", 8, 0},
    {117, "BLEND", 8, 0},            {134, "WATER1", 16.7, 0},
    {115, "CROSSFADE", 8, 0},    {84, "ROLLTOP", 8, 0},
    {87, "WALLPAPERLEFT", 8, 0},
};

void goal_row(const char* what, const Frames& f, double whole, const Frames& floor, const PixelEffect& e) {
  const double floors = f.max() / std::max(floor.max(), 1e-9);
  const bool met = f.max() <= e.goal_ms && (e.goal_floor == 0 || floors <= e.goal_floor);
  std::printf("  %-44s %8.3f %8.3f %6.2f %9.1f %6zu  goal %.1f ms%s: %s\n", what, f.mean(), f.max(), floors, whole,
              f.ms.size(), e.goal_ms, e.goal_floor > 0 ? ", 3 floors" : "", met ? "met" : "MISSED");
}

// Direct (picture 2 to 3) and realtime layer (the noise brush; the two-picture effects on a layer
// that emulates picture 3) runs of each effect; PIXELZOOM1's frames of blocks 24 and 2 apart.
// The setups that draw a map or dry-run their polygons are timed against one frame period.
// With names given, only the members and pixel effects named run (and the floor), each member as
// often as asked by --repeat, each with its frames over --above ms listed.
std::vector<const char*> g_only;
int32_t g_repeat = 1;
double g_above = 4;

bool chosen(const char* name) {
  if (g_only.empty()) return true;
  for (const char* n : g_only)
    if (std::strcmp(n, name) == 0) return true;
  return false;
}

// Frames above this many ms are listed by their index when names are given, to show where the maxima
// lie, each as elapsed/processor ms and the pages it faulted in: a frame whose processor time is
// short waited for the machine.
void frame_list(const Frames& f, double above) {
  double cpu_max = 0, cpu_sum = 0;
  for (double v : f.cpu) cpu_max = std::max(cpu_max, v), cpu_sum += v;
  long faults = 0;
  for (long n : f.faults) faults += n;
  std::printf("    processor ms per frame: mean %.3f max %.3f; page faults in frames %ld; frames over %.1f ms:",
              f.cpu.empty() ? 0 : cpu_sum / double(f.cpu.size()), cpu_max, faults, above);
  for (size_t i = 0; i < f.ms.size(); ++i)
    if (f.ms[i] > above) std::printf(" %zu:%.2f/%.2f/%ldpf", i, f.ms[i], f.cpu[i], f.faults[i]);
  std::printf("\n");
}

// False when no pixel effect was chosen (nothing printed).
bool pixel_effects(Bench& b, const Frames& floor) {
  const auto named = [](const PixelEffect& e) { return chosen(e.name); };
  if (!std::any_of(std::begin(kPixelEffects), std::end(kPixelEffects), named)) return false;
  std::printf("pixel, coin, polygon, fade and roll effects at %dx%d, ms per frame\n", kW, kH);
  std::printf("  %-44s %8s %8s %6s %9s %6s\n", "", "mean", "max", "max/fl", "effect ms", "frames");
  row("floor: full BLTBITMAP + display_wait_refresh", floor, 0, floor);
  double whole = 0;
  std::vector<std::pair<const char*, double>> setups;
  for (const PixelEffect& e : kPixelEffects) {
    if (!chosen(e.name)) continue;
    b.reset_layers(false);
    qm::qmFXRequest r;
    r.kind = qm::OBJ_BGPIC;
    r.id = qm::ObjectId{e.id % 2 ? 2 : 3, nullptr};
    r.effect = e.id;
    r.bg_x = r.bg_y = qm::POS_NOT_GIVEN;
    const Frames f = b.effect(r, &whole);
    char what[80];
    std::snprintf(what, sizeof what, "%s, picture to picture", e.name);
    goal_row(what, f, whole, floor, e);
    if (!g_only.empty()) frame_list(f, g_above);
    if (std::strcmp(e.name, "PIXELZOOM1") == 0 && f.ms.size() >= 23) {
      std::printf("  %-44s %8.3f\n", "  PIXELZOOM1 frame of blocks 24", f.ms[0]);
      std::printf("  %-44s %8.3f\n", "  PIXELZOOM1 frame of blocks 2", f.ms[22]);
    }
    if (std::strcmp(e.name, "DISSOLVE") == 0) setups.emplace_back("DISSOLVE map", f.setup);
    if (std::strcmp(e.name, "SUN") == 0) setups.emplace_back("SUN dry run", f.setup);
    if (std::strcmp(e.name, "CLOCKWIPE") == 0) setups.emplace_back("CLOCKWIPE dry run", f.setup);
  }
  for (const PixelEffect& e : kPixelEffects) {
    if (!chosen(e.name)) continue;
    b.reset_layers(true);
    qm::insert_object_layer(b.L, 0, qm::OBJ_BRUSH, qm::ObjectId{1, nullptr}, 0, 0, true, true, nullptr);
    qm::qmFXRequest r;
    r.kind = qm::OBJ_LAYER;
    r.id = qm::ObjectId{1, nullptr};
    r.effect = e.id;
    r.forcerealtimelayers = 1;
    if (qm::fx_in_set(e.id, qm::FXSET_TWOPICTURE)) {
      r.bgpicemu = 1;
      qm::bgpic_find(qm::ObjectId{3, nullptr}, 0, &r.bgpic);
    }
    const Frames f = b.effect(r, &whole);
    char what[80];
    std::snprintf(what, sizeof what, "%s, realtime layer", e.name);
    goal_row(what, f, whole, floor, e);
    if (!g_only.empty()) frame_list(f, g_above);
  }
  b.reset_layers(false);
  std::printf("setups at %dx%d (preparation included), against one 60 Hz frame\n", kW, kH);
  for (const auto& [what, ms] : setups)
    std::printf("  %-44s %8.3f ms  %s\n", what, ms, ms <= 1000.0 / 60 ? "under a frame" : "MORE THAN A FRAME");
  return true;
}

pixman_image_t* wrap(qm::qmBitmap* bitmap) {
  return pixman_image_create_bits(PIXMAN_x8r8g8b8, bitmap->width, bitmap->height, bitmap->pixels,
                                  bitmap->bytes_per_row);
}

// pixman doing a frame's pixel work of CROSSFADE (the new picture over the old one through a solid
// mask of the level) and of DISSOLVE (the new picture over the old one through an A8 mask built
// from the random map by the threshold), each then copied to the display and presented as the
// effects do; beside the effects' own mean frame, same run.
void pixman_peers(Bench& b) {
  qm::qmBGPic* from = nullptr;
  qm::qmBGPic* to = nullptr;
  qm::bgpic_find(qm::ObjectId{2, nullptr}, 0, &from);
  qm::bgpic_find(qm::ObjectId{3, nullptr}, 0, &to);
  qm::qmBitmap* work = qm::qmos_alloc_bitmap(kW, kH);
  if (!from || !to || !work) return;
  pixman_image_t* old_image = wrap(from->current.bitmap);
  pixman_image_t* new_image = wrap(to->current.bitmap);
  pixman_image_t* work_image = wrap(work);
  std::vector<uint8_t> map(size_t(kW) * kH), a8(size_t(kW) * kH);
  for (uint8_t& v : map) v = uint8_t(std::rand() % 255);
  pixman_image_t* a8_image =
      pixman_image_create_bits(PIXMAN_a8, kW, kH, reinterpret_cast<uint32_t*>(a8.data()), kW);
  auto present = [&] {
    qm::SAFEBLT(b.L, work, 0, 0, nullptr, 0, 0, kW, kH, kW, kH, kW, kH, qm::BLIT_FRONT, nullptr, nullptr, nullptr);
    qm::display_wait_refresh(b.L);
  };
  Frames crossfade, dissolve;
  for (int32_t level = 10; level < 255; level += 10) {
    const double t0 = now_ms();
    pixman_color_t c{0, 0, 0, uint16_t(level * 257)};
    pixman_image_t* solid = pixman_image_create_solid_fill(&c);
    pixman_image_composite32(PIXMAN_OP_SRC, old_image, nullptr, work_image, 0, 0, 0, 0, 0, 0, kW, kH);
    pixman_image_composite32(PIXMAN_OP_OVER, new_image, solid, work_image, 0, 0, 0, 0, 0, 0, kW, kH);
    pixman_image_unref(solid);
    present();
    crossfade.ms.push_back(now_ms() - t0);
  }
  for (int32_t t = 4; t < 256; t += 4) {
    const double t0 = now_ms();
    for (size_t i = 0; i < map.size(); ++i) a8[i] = map[i] < t ? 255 : 0;
    pixman_image_composite32(PIXMAN_OP_SRC, old_image, nullptr, work_image, 0, 0, 0, 0, 0, 0, kW, kH);
    pixman_image_composite32(PIXMAN_OP_OVER, new_image, a8_image, work_image, 0, 0, 0, 0, 0, 0, kW, kH);
    present();
    dissolve.ms.push_back(now_ms() - t0);
  }
  double whole = 0;
  qm::qmFXRequest r;
  r.kind = qm::OBJ_BGPIC;
  r.bg_x = r.bg_y = qm::POS_NOT_GIVEN;
  r.id = qm::ObjectId{3, nullptr};
  r.effect = 115;
  const Frames ours_crossfade = b.effect(r, &whole);
  r.id = qm::ObjectId{2, nullptr};
  r.effect = 139;
  const Frames ours_dissolve = b.effect(r, &whole);
  std::printf("beside pixman, ms per frame (ratio: pixman / ours, goal at least 0.8)\n");
  for (const auto& [what, ours, peer] : {std::tuple{"CROSSFADE", &ours_crossfade, &crossfade},
                                         std::tuple{"DISSOLVE", &ours_dissolve, &dissolve}}) {
    const double ratio = peer->mean() / std::max(ours->mean(), 1e-9);
    std::printf("  %-12s ours %8.3f  pixman %8.3f  ratio %5.2f  %s\n", what, ours->mean(), peer->mean(), ratio,
                ratio >= 0.8 ? "met" : "MISSED");
  }
  pixman_image_unref(a8_image);
  pixman_image_unref(work_image);
  pixman_image_unref(new_image);
  pixman_image_unref(old_image);
  qm::qmos_free_bitmap(work);
}

// One member of each family, and whether its goal is the floor (in place) or 8 ms.
struct Member {
  int32_t id;
  const char* name;
  bool in_place;
  int32_t speed = -1;
  int32_t parameter = qm::FX_RANDOMPARAMETER;
};

constexpr Member kMembers[] = {
    {16, "HBLINDS32", true},         {28, "BARS", true},          {24, "VOPENCURTAIN", true},
    {36, "HLINES", true},            {30, "REVEALLEFT", true},    {38, "RECTCENTER", true},
    {70, "HFLOWTOP at speed 1", false, 1}, {78, "PUSHLEFT", false}, {101, "SLIDELEFT", false},
    {82, "PUZZLE", true, -1, 5},     {105, "SPIRAL", true},       {128, "TURNDOWNTOP", false},
    {61, "ZOOMCENTER", false},       {119, "ZOOMOUT", false},     {99, "HSTRANGEPUSH", false},
    {47, "SCROLLLEFT", false},
};

constexpr Member kMaskedMembers[] = {{61, "ZOOMCENTER, masked brush", false}, {55, "STRETCHLEFT, masked brush", false}};

// A scaled copy: the source rectangle (sx, sy, sw, sh) drawn at (dx, dy, dw, dh).
struct Scaled {
  int32_t sx, sy, sw, sh, dx, dy, dw, dh;
};

// The scaled copies of ZOOMCENTER (the whole picture into a centred rectangle of its aspect) and
// TURNDOWNTOP (halves squeezed and unfolded) at the default speed.
std::vector<Scaled> zoom_rects() {
  std::vector<Scaled> v;
  const int32_t step = qm::fx_step_size(-1, kW, 30, 10, 80);
  for (int32_t s = step; s < kW; s += step) {
    const int32_t h = std::max(int32_t(double(s) * kH / kW), 1);
    v.push_back({0, 0, kW, kH, (kW - s) / 2, (kH - h) / 2, s, h});
  }
  return v;
}

std::vector<Scaled> turndown_rects() {
  std::vector<Scaled> v;
  const int32_t step = qm::fx_step_size(-1, kH, 60, 30, 120), m = kH / 2;
  for (int32_t d = step; d < kH; d += step) {
    if (d <= m) {
      const int32_t a = d + step > m ? m : d;
      v.push_back({0, 0, kW, m, 0, 0, kW, a});
      if (m - a > 0) v.push_back({0, 0, kW, m, 0, a, kW, m - a});
    } else {
      v.push_back({0, m, kW, kH - m, 0, m, kW, d - m});
    }
  }
  return v;
}

// Milliseconds for the copies through the player's scaler, and through pixman. As in the effects
// drawn on a display, each copy is scaled straight into the picture.
double scale_ours(const qm::qmBitmap* src, qm::qmBitmap* dst, const std::vector<Scaled>& rects) {
  const double t0 = now_ms();
  for (const Scaled& c : rects)
    qm::bitmap_draw_part(src, c.sx, c.sy, c.sw, c.sh, c.dw, c.dh, 0, 0, c.dw, c.dh, dst, c.dx, c.dy);
  return now_ms() - t0;
}

double scale_pixman(const qm::qmBitmap* src, qm::qmBitmap* dst, const std::vector<Scaled>& rects) {
  pixman_image_t* s = pixman_image_create_bits(PIXMAN_x8r8g8b8, src->width, src->height, src->pixels, src->bytes_per_row);
  pixman_image_t* d = pixman_image_create_bits(PIXMAN_x8r8g8b8, dst->width, dst->height, dst->pixels, dst->bytes_per_row);
  pixman_image_set_filter(s, PIXMAN_FILTER_NEAREST, nullptr, 0);
  const double t0 = now_ms();
  for (const Scaled& c : rects) {
    pixman_transform_t t;
    pixman_transform_init_scale(&t, pixman_double_to_fixed(double(c.sw) / c.dw), pixman_double_to_fixed(double(c.sh) / c.dh));
    pixman_image_set_transform(s, &t);
    // The destination origin maps to the source rectangle's corner: the scaled source point of
    // (dx, dy) is (sx, sy).
    pixman_image_composite32(PIXMAN_OP_SRC, s, nullptr, d, int32_t(double(c.sx) * c.dw / c.sw),
                             int32_t(double(c.sy) * c.dh / c.sh), 0, 0, c.dx, c.dy, c.dw, c.dh);
  }
  const double ms = now_ms() - t0;
  pixman_image_unref(s);
  pixman_image_unref(d);
  return ms;
}


int32_t puzzle_pieces(int32_t w, int32_t h, int32_t side) { return (w / side + 1) * (h / side + 1); }

void families(Bench& b, const Frames& floor) {
  const auto run = [&](const Member& m, int32_t kind, int32_t id) {
    srand48(1);
    qm::qmFXRequest r;
    r.kind = kind;
    r.id = qm::ObjectId{id, nullptr};
    r.effect = m.id;
    r.speed = m.speed;
    r.parameter = m.parameter;
    r.bg_x = r.bg_y = qm::POS_NOT_GIVEN;
    double whole = 0;
    const Frames f = b.effect(r, &whole);
    std::printf("  %-44s %8.3f %8.3f %6.2f %9.1f %6zu  %s\n", m.name, f.mean(), f.max(),
                f.max() / std::max(floor.max(), 1e-9), whole, f.ms.size(),
                m.in_place ? (f.max() <= floor.max() ? "floor: met" : "floor: over")
                           : (f.max() <= 8.0 ? "8 ms: met" : "8 ms: over"));
    if (!g_only.empty()) {
      std::printf("   ");
      for (double ms : f.ms) std::printf(" %.2f", ms);
      std::printf("\n");
      frame_list(f, g_above);
    }
  };
  std::printf("one member of each family, picture to picture\n");
  std::printf("  %-44s %8s %8s %6s %9s %6s  %s\n", "", "mean", "max", "max/fl", "effect ms", "frames", "goal");
  int32_t next = 2;
  for (const Member& m : kMembers)
    for (int32_t rep = 0; rep < g_repeat && chosen(m.name); ++rep) {
      run(m, qm::OBJ_BGPIC, next);
      next = next == 2 ? 3 : 2;
    }
  // A masked brush of the display's size scaled on the display: each copy is composed on the
  // picture under it.
  for (const Member& m : kMaskedMembers)
    for (int32_t rep = 0; rep < g_repeat && chosen(m.name); ++rep) {
      b.reset_layers(false);
      run(m, qm::OBJ_BRUSH, 3);
    }
  if (!g_only.empty()) return;
  // The scaling beside pixman: the same copies, best of three.
  qm::qmBrush* src = nullptr;
  qm::brush_find(qm::ObjectId{1, nullptr}, 0, &src);
  qm::qmBitmap* dst = qm::qmos_alloc_bitmap(kW, kH);
  if (src && dst) {
    for (const auto& [name, rects] : {std::pair{"ZOOMCENTER", zoom_rects()}, std::pair{"TURNDOWNTOP", turndown_rects()}}) {
      double ours = 1e300, theirs = 1e300;
      for (int32_t i = 0; i < 3; ++i) {
        ours = std::min(ours, scale_ours(src->bitmap, dst, rects));
        theirs = std::min(theirs, scale_pixman(src->bitmap, dst, rects));
      }
      std::printf("%s scaling, %zu copies: %.1f ms, pixman nearest %.1f ms, speed ratio %.2f (goal 0.8)\n", name,
                  rects.size(), ours, theirs, theirs / std::max(ours, 1e-9));
    }
  }
  qm::qmos_free_bitmap(dst);
  // PUZZLE's order.
  {
    const int32_t n = puzzle_pieces(kW, kH, 5);
    std::vector<int32_t> order(static_cast<size_t>(n));
    srand48(1);
    const double t0 = now_ms();
    qm::fx_puzzle_order(order.data(), n);
    const double ours = now_ms() - t0;
    const int32_t small = puzzle_pieces(640, 480, 5);
    std::vector<int32_t> mine(static_cast<size_t>(small));
    srand48(1);
    const double t1 = now_ms();
    qm::fx_puzzle_order(mine.data(), small);
    const double ours_small = now_ms() - t1;
    srand48(1);
    const double t2 = now_ms();
    const std::vector<int32_t> linear = fxtest::puzzle_linear_order(small);
    const double peer = now_ms() - t2;
    std::printf("PUZZLE order, side 5: %d pieces at %dx%d in %.2f ms (goal 10 ms); %d pieces at 640x480 in %.3f ms, "
                "linear search %.1f ms, ratio %.0f, %s permutation\n",
                n, kW, kH, ours, small, ours_small, peer, peer / std::max(ours_small, 1e-9),
                mine == linear ? "the same" : "A DIFFERENT");
  }
  {
    // At 1 pixel a frame, the slowest, the path is longest.
    const double t0 = now_ms();
    const int32_t frames = qm::fx_spiral_frames(kW, kH, 1);
    std::printf("SPIRAL dry run at %dx%d, 1 px a frame: %d frames counted in %.3f ms (goal 1 ms)\n", kW, kH, frames,
                now_ms() - t0);
  }
}

// Everything before the families: the stripes, the driver's cost, the layers, the pixel effects and
// their pixman peers.
void driver_and_pixel_effects(Bench& b, const Frames& floor) {
  std::printf("transition effects at %dx%d on a fake clock, ms per frame\n", kW, kH);
  std::printf("  %-44s %8s %8s %6s %9s %6s\n", "", "mean", "max", "max/fl", "effect ms", "frames");
  row("floor: full BLTBITMAP + display_wait_refresh", floor, 0, floor);
  double whole = 0;
  srand48(1);
  qm::random_seed(1);
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
  pixel_effects(b, floor);
  pixman_peers(b);
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0) {
      std::printf(
          "usage: bench_fx [--repeat N] [--above MS] [MEMBER...]\n"
          "  MEMBER names one member of a family (BARS, SPIRAL, ...): only the floor and\n"
          "  those members run, each N times, with the time of every frame and\n"
          "  its frames over MS ms listed\n"
          "  or a pixel effect (WALLPAPERLEFT, CLOCKWIPE, ...): it runs picture to picture and\n"
          "  on a realtime layer, with its frames over MS ms (default 4)\n");
      return 0;
    }
    if (std::strcmp(argv[i], "--repeat") == 0 && i + 1 < argc) {
      g_repeat = std::max(std::atoi(argv[++i]), 1);
    } else if (std::strcmp(argv[i], "--above") == 0 && i + 1 < argc) {
      g_above = std::atof(argv[++i]);
    } else {
      g_only.push_back(argv[i]);
    }
  }
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
  if (g_only.empty()) {
    driver_and_pixel_effects(b, floor);
  } else if (!pixel_effects(b, floor)) {
    // Members only: the floor they are measured against, which the pixel effects' table shows.
    std::printf("  %-44s %8.3f %8.3f\n", "floor: full BLTBITMAP + display_wait_refresh",
                floor.mean(), floor.max());
  }
  b.reset_layers(false);
  families(b, floor);
  platform_set_clock(nullptr);
  qm::display_cleanup(b.L);
  brush_free_all();
  bgpic_free_all();
  vm_close_state(b.L);
  qm::registry_free_all();
  platform_exit();
  return 0;
}

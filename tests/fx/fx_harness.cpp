// The effect harness's runs and checks (see fx_harness.h).
#include "tests/fx/fx_harness.h"
#include "tests/fx/fx_oracle.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstdio>
#include <functional>
#include <sstream>

#include "display/asyncdraw.h"
#include "display/bgpic.h"
#include "display/brush.h"
#include "gfx/bitmap.h"
#include "platform/window.h"
#include "runtime/random.h"

namespace fxtest {

using qm::ObjectId;

const char* kind_name(Kind k) {
  switch (k) {
    case Kind::Picture: return "picture";
    case Kind::Brush: return "brush";
    case Kind::BrushMask: return "brush-mask";
    case Kind::BrushAlpha: return "brush-alpha";
    case Kind::BrushMaskOut: return "brush-mask-out";
    case Kind::BrushAlphaOut: return "brush-alpha-out";
    case Kind::BrushLayer: return "brush-layer";
    case Kind::Show: return "show";
    case Kind::ShowRealtime: return "show-realtime";
    case Kind::Hide: return "hide";
    case Kind::Remove: return "remove";
    case Kind::Emulated: return "bgpicemu";
  }
  return "?";
}

bool kind_uses_layers(Kind k) {
  return k == Kind::BrushLayer || k == Kind::Show || k == Kind::ShowRealtime || k == Kind::Hide || k == Kind::Remove ||
         k == Kind::Emulated;
}

bool kind_masked(Kind k) {
  return k == Kind::BrushMask || k == Kind::BrushMaskOut || k == Kind::BrushLayer ||
         k == Kind::ShowRealtime;
}

std::string FxCase::name() const {
  char buf[160];
  std::snprintf(buf, sizeof buf, "id %d %dx%d %s speed %d parameter %d%s", id, w, h, kind_name(kind), speed, parameter,
                async ? " async" : "");
  return buf;
}

bool effect_pending(int32_t id) {
  const qm::FxEffect* e = qm::fx_effect(id);
  return !e || !e->step;
}

namespace {

constexpr int32_t kDisplay = 220;
constexpr int32_t kLayerAt = 10;

uint32_t mix(uint64_t v) {
  v += 0x9E3779B97F4A7C15ull;
  v = (v ^ (v >> 30)) * 0xBF58476D1CE4E5B9ull;
  v = (v ^ (v >> 27)) * 0x94D049BB133111EBull;
  return uint32_t(v ^ (v >> 31));
}
// Old pixels have the lowest blue bit clear, new ones set: no old pixel equals a new one.
uint32_t old_pixel(int32_t x, int32_t y) { return mix((uint64_t(x) << 32) | uint32_t(y)) & 0xFFFFFE; }
uint32_t new_pixel(int32_t x, int32_t y) { return (mix((uint64_t(y) << 32) | uint32_t(x) | (1ull << 62)) & 0xFFFFFF) | 1; }
bool hole(int32_t x, int32_t y) { return mix((uint64_t(x) << 20) ^ uint64_t(y) ^ 0x5A5Aull) % 4 == 0; }
uint8_t ramp(int32_t x, int32_t w) { return w > 1 ? uint8_t(x * 255 / (w - 1)) : 255; }

bool alpha_ramp(Kind k) { return k == Kind::BrushAlpha || k == Kind::BrushAlphaOut || k == Kind::Hide; }


// Random choices repeat from run to run, so that an async run draws what the sync one drew.
void seed() {
  qm::random_seed(kRunSeed);
  srand48(kRunSeed);
}

uint64_t hash_rect(const Screen& s, const Rect& r) {
  uint64_t h = 1469598103934665603ull;
  for (int32_t y = r.y; y < r.y + r.h; ++y)
    for (int32_t x = r.x; x < r.x + r.w; ++x) h = (h ^ s.at(x, y)) * 1099511628211ull;
  return h;
}

Rect clip(Rect r, int32_t w, int32_t h) {
  const int32_t x2 = std::min(r.x + r.w, w), y2 = std::min(r.y + r.h, h);
  r.x = std::max(r.x, 0), r.y = std::max(r.y, 0);
  r.w = std::max(x2 - r.x, 0), r.h = std::max(y2 - r.y, 0);
  return r;
}

std::string where(const char* what, int32_t x, int32_t y, uint32_t got, uint32_t want) {
  char buf[160];
  std::snprintf(buf, sizeof buf, "%s at (%d, %d): 0x%06X, expected 0x%06X", what, x, y, got, want);
  return buf;
}

// The first pixel where two screens differ (inside `only` when given), or "".
std::string compare(const char* what, const Screen& got, const Screen& want, const Rect* only = nullptr,
                    bool outside = false) {
  if (got.w != want.w || got.h != want.h) {
    char buf[120];
    std::snprintf(buf, sizeof buf, "%s: %dx%d, expected %dx%d", what, got.w, got.h, want.w, want.h);
    return buf;
  }
  for (int32_t y = 0; y < got.h; ++y)
    for (int32_t x = 0; x < got.w; ++x) {
      if (only && only->contains(x, y) == outside) continue;
      if (got.at(x, y) != want.at(x, y)) return where(what, x, y, got.at(x, y), want.at(x, y));
    }
  return "";
}

Screen of_bitmap(const qm::qmBitmap* b, int32_t w, int32_t h) {
  Screen s;
  s.w = w, s.h = h;
  s.px.resize(size_t(w) * size_t(h));
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) s.px[size_t(y) * size_t(w) + size_t(x)] = qm::qmos_read_pixel(b, x, y);
  return s;
}

// A fresh composition of the display's picture with its layers.
Screen composed(qmState* L, qm::qmDisplay* d) {
  qm::qmBGPic* pic = d->bgpic;
  qm::qmBitmap* b = qm::qmos_alloc_bitmap(pic->display_width, pic->display_height);
  qm::RedrawSource s;
  s.L = L;
  s.pic = pic;
  s.background = d->layers && d->buffer1 ? d->buffer1 : pic->current.bitmap;
  s.dest = b;
  qm::layers_redraw(s, 0, 0, pic->display_width, pic->display_height, qm::REDRAW_NOSPRITES);
  Screen out = of_bitmap(b, pic->display_width, pic->display_height);
  qm::qmos_free_bitmap(b);
  return out;
}

// What one run watches through the driver's observer.
struct Watch {
  FxHarness* harness = nullptr;
  const FxCase* c = nullptr;
  std::function<Screen()> screen;
  std::function<Screen()> composition;
  Screen before, target;
  Rect rect;     // the picture's rectangle
  Rect watched;  // what the run may change
  int32_t frames = 0, total = -1, cap = 0;
  std::vector<uint64_t>* hashes = nullptr;
  std::vector<uint8_t> state;
  const FamilyRule* rule = nullptr;
  bool final_seen = false;
  std::string failure;
  void fail(const std::string& f) {
    if (failure.empty()) failure = f;
  }
};

int32_t observe(const qm::qmFXRequest* r, int32_t what, void* user) {
  auto* w = static_cast<Watch*>(user);
  if (what == qm::FXOBS_RESOLVED) return 0;
  if (what == qm::FXOBS_SETUP) {
    w->total = r->frames;
    // Nothing shows before the first frame: not on the window, not in the composition.
    w->fail(compare("before frame 1, the window", w->screen(), w->before));
    if (w->composition) w->fail(compare("before frame 1, the composition", w->composition(), w->before));
    return 0;
  }
  if (what == qm::FXOBS_FINAL) {
    w->final_seen = true;
    w->fail(compare("the last frame", w->screen(), w->target));
    return 0;
  }
  ++w->frames;
  const Screen now = w->screen();
  w->fail(compare("outside the rectangle", now, w->before, &w->watched, true));
  w->hashes->push_back(hash_rect(now, w->watched));
  if (w->rule && w->rule->level && r->realtime) {
    const int32_t want = w->rule->level(*w->c, w->frames);
    if (r->level != want)
      w->fail("frame " + std::to_string(w->frames) + ": level " + std::to_string(r->level) + ", expected " +
              std::to_string(want));
  }
  if (w->rule && w->rule->frame_check) {
    const std::string f = w->rule->frame_check(FrameView{*w->c, w->before, w->target, now, w->rect, w->frames, w->state});
    if (!f.empty()) w->fail("frame " + std::to_string(w->frames) + ": " + f);
  }
  if (w->frames > w->cap) {
    w->fail("no end within " + std::to_string(w->cap) + " frames");
    return 1;
  }
  return 0;
}

// The rectangles that presents covered, from the recorder's lines.
// What a window shows beyond its screen buffer (a window is never narrower than a few pixels) is
// not the display's.
std::string presents_inside(const std::vector<std::string>& lines, const Rect& rect, int32_t screen_w,
                            int32_t screen_h) {
  for (const std::string& line : lines) {
    if (line.rfind("present ", 0) != 0) continue;
    std::istringstream in(line.substr(8));
    std::string window, part;
    in >> window;
    while (in >> part) {
      int32_t x = 0, y = 0, w = 0, h = 0;
      if (std::sscanf(part.c_str(), "%d,%d,%dx%d", &x, &y, &w, &h) != 4) continue;
      const Rect shown = clip(Rect{x, y, w, h}, screen_w, screen_h);
      x = shown.x, y = shown.y, w = shown.w, h = shown.h;
      if (w < 1 || h < 1) continue;
      if (x < rect.x || y < rect.y || x + w > rect.x + rect.w || y + h > rect.y + rect.h)
        return "presented " + part + " outside the rectangle";
    }
  }
  return "";
}

}  // namespace

std::string check_in_place(const FrameView& v) { return check_in_place_except(v, Rect{}); }

std::string check_in_place_except(const FrameView& v, const Rect& skip) {
  if (v.state.empty()) v.state.assign(size_t(v.now.w) * size_t(v.now.h), 0);
  for (int32_t y = v.rect.y; y < v.rect.y + v.rect.h; ++y)
    for (int32_t x = v.rect.x; x < v.rect.x + v.rect.w; ++x) {
      if (skip.contains(x, y)) continue;
      const uint32_t p = v.now.at(x, y), old = v.before.at(x, y), fresh = v.target.at(x, y);
      uint8_t& reached = v.state[size_t(y) * size_t(v.now.w) + size_t(x)];
      if (p == fresh && fresh != old) reached = 1;
      if (p != old && p != fresh) return where("neither old nor new", x, y, p, fresh);
      if (reached && p != fresh) return where("new, then old again", x, y, p, fresh);
    }
  return "";
}

void FxHarness::SetUp() {
  DisplayHarness::SetUp();
  ASSERT_EQ(qm::layers_init(L), 0);
  ASSERT_EQ(transitionfx_init(L), 0);
  d = open_display();
  ASSERT_EQ(code("CreateBGPic", {1.0, double(kDisplay), double(kDisplay), 0.0}), 0);
  qm::qmBGPic* a = bgpic(1);
  a_pixels.resize(size_t(kDisplay) * kDisplay);
  for (int32_t y = 0; y < kDisplay; ++y)
    for (int32_t x = 0; x < kDisplay; ++x) a_pixels[size_t(y) * kDisplay + size_t(x)] = old_pixel(x, y);
  (void)a;
  ASSERT_EQ(code("DisplayBGPic", {1.0}), 0);
}

void FxHarness::TearDown() {
  qm::fx_set_observer(nullptr);
  qm::fx_fail_allocation(0);
  qm::asyncdraw_free_all(L);
  DisplayHarness::TearDown();
}

Screen FxHarness::screen() const {
  const qmScreenBuffer& s = d->win.platform->screen;
  Screen out;
  out.w = s.width, out.h = s.height;
  out.px.resize(size_t(s.width) * size_t(s.height));
  for (int32_t y = 0; y < s.height; ++y)
    for (int32_t x = 0; x < s.width; ++x) out.px[size_t(y) * size_t(s.width) + size_t(x)] = s.row(y)[x] & 0xFFFFFF;
  return out;
}

Rect picture_place(const FxCase& c) {
  switch (c.kind) {
    case Kind::Picture: return Rect{0, 0, c.w, c.h};
    case Kind::BrushMaskOut:
    case Kind::BrushAlphaOut: return Rect{-10, -7, c.w, c.h};
    default: return Rect{kLayerAt, kLayerAt, c.w, c.h};
  }
}

Rect FxHarness::rect_of(const FxCase& c) const {
  return c.kind == Kind::Picture ? picture_place(c) : clip(picture_place(c), kDisplay, kDisplay);
}

Rect FxHarness::watched_of(const FxCase& c) const {
  const FamilyRule* rule = family_rule(c.id);
  if (rule && rule->travels && c.kind != Kind::Picture) return Rect{0, 0, kDisplay, kDisplay};
  return rect_of(c);
}

void FxHarness::reset(const FxCase& c) {
  qm::fx_set_observer(nullptr);
  qm::asyncdraw_free_all(L);
  qm::qmBGPic* a = bgpic(1);
  qm::bgpic_layers_free(L, a);
  code("DisableLayers", {});
  ASSERT_EQ(code("DisplayBGPic", {1.0}), 0);
  // A run that resized the display gets it back at its size.
  if (a->width != kDisplay || a->height != kDisplay) {
    ASSERT_EQ(qm::display_size_change(L, d, qm::KEEPPOSITION, qm::KEEPPOSITION, kDisplay, kDisplay, true, false, true), 0);
  }
  a = bgpic(1);
  for (int32_t y = 0; y < kDisplay; ++y)
    for (int32_t x = 0; x < kDisplay; ++x)
      qm::qmos_write_pixel(a->current.bitmap, x, y, a_pixels[size_t(y) * kDisplay + size_t(x)]);
  ASSERT_EQ(qm::display_make_buffers(d), 0);
  code("FreeBrush", {1.0});
  code("FreeBGPic", {2.0});
  // B as brush 1, with a holed mask or an alpha ramp where the kind asks.
  qm::qmBrush* b = nullptr;
  ASSERT_EQ(qm::brush_new(ObjectId{1, nullptr}, c.w, c.h, 0, kind_masked(c.kind),
                          alpha_ramp(c.kind), false, false, &b),
            0);
  for (int32_t y = 0; y < c.h; ++y)
    for (int32_t x = 0; x < c.w; ++x) {
      qm::qmos_write_pixel(b->bitmap, x, y, new_pixel(x, y));
      if (b->mask) qm::qmos_write_pixel(b->mask, x, y, hole(x, y) ? qm::MASKINVISIBLE : qm::MASKVISIBLE);
      if (b->alpha) b->alpha->data[size_t(y) * size_t(b->alpha->bytes_per_row) + size_t(x)] = ramp(x, c.w);
    }
  if (c.kind == Kind::Picture || c.kind == Kind::Emulated) {
    ASSERT_EQ(code("CreateBGPic", {2.0, double(c.w), double(c.h), 0.0}), 0);
    qm::qmBGPic* p = bgpic(2);
    for (int32_t y = 0; y < c.h; ++y)
      for (int32_t x = 0; x < c.w; ++x) qm::qmos_write_pixel(p->current.bitmap, x, y, new_pixel(x, y));
  }
  if (kind_uses_layers(c.kind)) {
    ASSERT_EQ(code("EnableLayers", {}), 0);
    if (c.kind != Kind::BrushLayer) {
      ASSERT_EQ(code("DisplayBrush", {1.0, double(kLayerAt), double(kLayerAt)}), 0);
      if (c.kind == Kind::Show || c.kind == Kind::ShowRealtime || c.kind == Kind::Emulated) {
        ASSERT_EQ(code("HideLayer", {1.0}), 0);
      }
    }
  }
  qm::display_refresh(L, d);
  // The scene is on the screen before the effect starts, and the window system's answers to a
  // change of size are taken (a new surface is shown whole once).
  for (int32_t i = 0; i < 4; ++i) {
    for (int32_t n = 0; n < 8; ++n) platform_pump_events(L);
    qm::display_wait_refresh(L);
  }
}

int32_t FxHarness::async_frame(void* handle, int32_t frame, bool* done) {
  vm_set_top(L, 0);
  vm_push_string(L, "asyncdrawframe");
  vm_get_table(L, QM_GLOBALSINDEX);
  vm_push_lightuserdata(L, handle);
  if (frame >= 0) vm_push_number(L, frame);
  const int32_t err = vm_pcall(L, frame >= 0 ? 2 : 1, 1, 0);
  if (err == 0) *done = vm_to_number(L, -1) != 0;
  vm_set_top(L, 0);
  return err;
}

RunResult FxHarness::run(const FxCase& c, bool realtime) {
  RunResult out;
  reset(c);
  if (::testing::Test::HasFatalFailure()) {
    out.failure = "the scene could not be made";
    return out;
  }
  Watch w;
  w.harness = this;
  w.c = &c;
  w.rule = family_rule(c.id);
  w.hashes = &out.hashes;
  w.screen = [this] { return screen(); };
  if (kind_uses_layers(c.kind)) w.composition = [this] { return composed(L, d); };
  w.before = screen();
  w.rect = rect_of(c);
  w.watched = watched_of(c);
  const int32_t expected = w.rule && w.rule->total ? w.rule->total(c) : -1;
  w.cap = expected > 0 ? expected + 16 : 200000;
  // The target: what the window must show at the end.
  if (c.kind == Kind::Picture) {
    Screen cropped;
    cropped.w = c.w, cropped.h = c.h;
    cropped.px.resize(size_t(c.w) * size_t(c.h));
    for (int32_t y = 0; y < c.h; ++y)
      for (int32_t x = 0; x < c.w; ++x) cropped.px[size_t(y) * size_t(c.w) + size_t(x)] = w.before.at(x, y);
    w.before = cropped;
    w.target = cropped;
    for (int32_t y = 0; y < c.h; ++y)
      for (int32_t x = 0; x < c.w; ++x) w.target.px[size_t(y) * size_t(c.w) + size_t(x)] = new_pixel(x, y);
  } else {
    w.target = w.before;
    const bool hiding = c.kind == Kind::Hide || c.kind == Kind::Remove;
    const int32_t ox = c.kind == Kind::BrushMaskOut || c.kind == Kind::BrushAlphaOut ? -10 : kLayerAt;
    const int32_t oy = c.kind == Kind::BrushMaskOut || c.kind == Kind::BrushAlphaOut ? -7 : kLayerAt;
    for (int32_t y = w.rect.y; y < w.rect.y + w.rect.h; ++y)
      for (int32_t x = w.rect.x; x < w.rect.x + w.rect.w; ++x) {
        const int32_t bx = x - ox, by = y - oy;
        const uint32_t under = a_pixels[size_t(y) * kDisplay + size_t(x)];
        uint32_t shown = new_pixel(bx, by);
        if (kind_masked(c.kind) && hole(bx, by)) shown = under;
        if (alpha_ramp(c.kind)) shown = blend(under, shown, ramp(bx, c.w));
        w.target.px[size_t(y) * kDisplay + size_t(x)] = hiding ? under : shown;
      }
  }
  seed();
  qm::FxObserver observer{observe, &w};
  qm::fx_set_observer(&observer);
  platform_recorder_start();
  vm_set_top(L, 0);
  // The command.
  const char* command = "DisplayBrushFX";
  std::vector<double> args;
  switch (c.kind) {
    case Kind::Picture: command = "DisplayTransitionFX", args = {2.0}; break;
    case Kind::BrushMaskOut:
    case Kind::BrushAlphaOut: args = {1.0, -10.0, -7.0}; break;
    case Kind::Show:
    case Kind::ShowRealtime:
    case Kind::Emulated: command = "ShowLayerFX", args = {1.0}; break;
    case Kind::Hide: command = "HideLayerFX", args = {1.0}; break;
    case Kind::Remove: command = "RemoveLayerFX", args = {1.0}; break;
    default: args = {1.0, double(kLayerAt), double(kLayerAt)}; break;
  }
  std::string lower(command);
  for (char& ch : lower) ch = char(std::tolower(static_cast<unsigned char>(ch)));
  vm_push_string(L, lower.c_str());
  vm_get_table(L, QM_GLOBALSINDEX);
  for (double v : args) vm_push_number(L, v);
  vm_new_table(L);
  set_number("type", c.id);
  set_number("speed", c.speed);
  set_number("parameter", c.parameter);
  if (c.async) set_number("async", 1);
  if (realtime || c.kind == Kind::ShowRealtime) set_number("forcerealtimelayers", 1);
  if (c.kind == Kind::Emulated) {
    set_number("bgpicemu", 1);
    set_number("bgpic", 2);
  }
  out.code = vm_pcall(L, int32_t(args.size()) + 1, 1, 0);
  if (out.code == 0 && c.async) {
    void* handle = vm_to_userdata(L, -1);
    auto* a = static_cast<qm::qmAsyncDraw*>(handle);
    vm_set_top(L, 0);
    out.total = int32_t(a->control(qm::ADCTL_TOTAL, 0, a->data));
    bool done = false;
    for (int32_t calls = 0; !done && out.code == 0; ++calls) {
      out.code = async_frame(handle, -1, &done);
      qm::display_wait_refresh(L);
      if (calls > w.cap + 2) {
        w.fail("no end within " + std::to_string(w.cap) + " frames");
        qm::asyncdraw_free_all(L);
        break;
      }
    }
  } else {
    out.total = w.total;
  }
  vm_set_top(L, 0);
  qm::fx_set_observer(nullptr);
  const std::vector<std::string> lines = platform_recorder_take();
  platform_recorder_stop();
  out.frames = w.frames;
  out.failure = w.failure;
  auto fail = [&](const std::string& f) {
    if (out.failure.empty() && !f.empty()) out.failure = f;
  };
  if (out.code) fail("the command answered " + std::to_string(out.code));
  if (!out.failure.empty()) return out;
  // The total: what the effect reports, what it drew, and what its family's rule gives.
  if (out.total != out.frames)
    fail("reported " + std::to_string(out.total) + " frames, drew " + std::to_string(out.frames));
  if (expected >= 0 && out.total != expected)
    fail("reported " + std::to_string(out.total) + " frames, the speed rule gives " + std::to_string(expected));
  // The end: the window, the composition, the pictures.
  fail(compare("at the end, the window", screen(), w.target));
  if (c.kind == Kind::Picture) {
    if (!w.final_seen) fail("no final frame seen");
    for (const qm::qmBitmap* b : {d->bgpic->current.bitmap, d->buffer1, d->buffer2})
      fail(compare("a display buffer", of_bitmap(b, c.w, c.h), w.target));
  } else if (kind_uses_layers(c.kind)) {
    fail(compare("at the end, the composition", composed(L, d), w.target));
    const int32_t count = qm::layers_count(d->bgpic);
    qm::qmLayer* layer = qm::layer_at_index(d->bgpic, 1);
    if (c.kind == Kind::Remove && count != 0) fail("the removed layer is still there");
    if (c.kind != Kind::Remove && (count != 1 || !layer)) fail("the layer count is " + std::to_string(count));
    if (layer && layer->effect) fail("the layer keeps an effect image");
    if (layer && (c.kind == Kind::Hide) != (layer->hidden != 0)) fail("the layer's hidden flag is wrong");
  } else {
    fail(compare("at the end, the picture", of_bitmap(d->bgpic->current.bitmap, kDisplay, kDisplay), w.target));
  }
  // The locks as found.
  if (qm::qmBrush* b = brush(1); b && b->locked) fail("the brush stays locked");
  if (qm::qmBGPic* p = bgpic(1); p && p->lock) fail("picture A stays locked");
  if (qm::qmBGPic* p = bgpic(2); p && p->lock) fail("picture B stays locked");
  fail(presents_inside(lines, w.watched, screen().w, screen().h));
  return out;
}

std::string FxHarness::check_seeks(const FxCase& c, const std::vector<uint64_t>& stepped) {
  const int32_t n = int32_t(stepped.size());
  if (n < 1) return "";
  reset(c);
  vm_set_top(L, 0);
  const char* command = c.kind == Kind::BrushLayer ? "displaybrushfx"
                        : c.kind == Kind::Hide     ? "hidelayerfx"
                        : c.kind == Kind::Remove   ? "removelayerfx"
                                                   : "showlayerfx";
  vm_push_string(L, command);
  vm_get_table(L, QM_GLOBALSINDEX);
  vm_push_number(L, 1);
  if (c.kind == Kind::BrushLayer) {
    vm_push_number(L, kLayerAt);
    vm_push_number(L, kLayerAt);
  }
  vm_new_table(L);
  set_number("type", c.id);
  set_number("speed", c.speed);
  set_number("parameter", c.parameter);
  set_number("async", 1);
  seed();
  if (int32_t err = vm_pcall(L, c.kind == Kind::BrushLayer ? 4 : 2, 1, 0)) return "async start answered " + std::to_string(err);
  void* handle = vm_to_userdata(L, -1);
  vm_set_top(L, 0);
  const Rect rect = watched_of(c);
  for (int32_t k : {std::max(n / 2, 1), 1, n}) {
    bool done = false;
    if (int32_t err = async_frame(handle, k, &done)) return "AsyncDrawFrame(h, " + std::to_string(k) + ") answered " + std::to_string(err);
    if (hash_rect(screen(), rect) != stepped[size_t(k) - 1])
      return "AsyncDrawFrame(h, " + std::to_string(k) + ") differs from " + std::to_string(k) + " steps";
  }
  qm::asyncdraw_free_all(L);
  return "";
}

std::string FxHarness::run_both(const FxCase& c) {
  FxCase sync = c;
  sync.async = false;
  // A layer's async run is realtime: it is compared with a sync run that is too.
  const bool layered = kind_uses_layers(c.kind);
  RunResult s = run(sync, false);
  if (!s.failure.empty()) return sync.name() + ": " + s.failure;
  if (c.kind == Kind::Picture) return "";
  if (layered && c.kind != Kind::ShowRealtime) {
    s = run(sync, true);
    if (!s.failure.empty()) return sync.name() + " (realtime): " + s.failure;
  }
  FxCase async = c;
  async.async = true;
  RunResult a = run(async, false);
  if (!a.failure.empty()) return async.name() + ": " + a.failure;
  if (a.hashes != s.hashes) {
    size_t i = 0;
    while (i < a.hashes.size() && i < s.hashes.size() && a.hashes[i] == s.hashes[i]) ++i;
    return async.name() + ": frame " + std::to_string(i + 1) + " differs from the sync run's";
  }
  if (layered && c.kind != Kind::Emulated) {
    const std::string seek = check_seeks(c, a.hashes);
    if (!seek.empty()) return async.name() + ": " + seek;
  }
  return "";
}

}  // namespace fxtest

// The driver in process: the commands' two forms, the error codes, the random choice and the
// effect swaps, a resize under a running effect, seeking and rebuilding, and allocation failures.
#include <gtest/gtest.h>

#include <cmath>

#include "display/asyncdraw.h"
#include "display/brush.h"
#include "engine/errcodes.h"
#include "fx/fx.h"
#include "gfx/bitmap.h"
#include "layers/layers.h"
#include "platform/platform.h"
#include "tests/fx/fx_harness.h"

namespace fxtest {
namespace {

using namespace qm;

// What the driver resolved, before it prepared anything (the run then ends at once).
struct Resolved {
  int32_t effect = -99, speed = 0, parameter = 0, x = 0, y = 0, part_x = 0, part_y = 0, async = 0;
  int32_t seen = 0;
};

int32_t record_resolved(const qmFXRequest* r, int32_t what, void* user) {
  if (what != FXOBS_RESOLVED) return 0;
  auto* out = static_cast<Resolved*>(user);
  *out = {r->effect, r->speed, r->parameter, r->x, r->y, r->part_x, r->part_y, r->async, out->seen + 1};
  return 1;
}

class DriverTest : public FxHarness {
 protected:
  // Brush 1 of 64 x 48 and picture 2; with layers, brush 1 as hidden layer 1.
  void scene(bool layers, bool hidden = true) {
    FxCase c;
    c.kind = layers ? (hidden ? Kind::Show : Kind::Hide) : Kind::Picture;
    reset(c);
  }
  Resolved resolve(const std::function<int32_t()>& command, int32_t* code = nullptr) {
    Resolved r;
    FxObserver o{record_resolved, &r};
    fx_set_observer(&o);
    const int32_t err = command();
    fx_set_observer(nullptr);
    if (code) *code = err;
    return r;
  }
  Resolved resolve_call(const char* name, std::initializer_list<qmtest::Arg> args) {
    return resolve([&] { return code(name, args); });
  }
  Resolved resolve_table(const char* name, std::initializer_list<qmtest::Arg> args,
                         const std::function<void()>& fill) {
    return resolve([&] { return call_table(name, args, fill).code; });
  }
  qmAsyncDraw* start_async(const char* name, std::initializer_list<qmtest::Arg> args, int32_t effect) {
    qmtest::Outcome o = call_table(name, args, [&] {
      set_number("type", effect);
      set_number("speed", 1);
      set_number("parameter", 7);
      set_number("async", 1);
    });
    EXPECT_EQ(o.code, 0);
    return o.code ? nullptr : static_cast<qmAsyncDraw*>(vm_to_userdata(L, 1));
  }
  static qmFXRequest* request_of(qmAsyncDraw* a) { return static_cast<qmFXRequest*>(a->data); }
  static uint64_t hash_mask(const qmMask* m, int32_t w, int32_t h) {
    uint64_t v = 1469598103934665603ull;
    for (int32_t y = 0; y < h; ++y)
      for (int32_t x = 0; x < w; ++x) v = (v ^ qmos_read_pixel(m, x, y)) * 1099511628211ull;
    return v;
  }
};

TEST_F(DriverTest, TheTableFormIsTakenByItsPositionAndType) {
  scene(false);
  Resolved r = resolve_table("DisplayTransitionFX", {2.0}, [&] {
    set_number("type", 7), set_number("speed", 3), set_number("parameter", 5);
  });
  EXPECT_EQ(std::vector<int32_t>({r.effect, r.speed, r.parameter}), std::vector<int32_t>({7, 3, 5}));
  r = resolve_call("DisplayTransitionFX", {2.0, 9.0});
  EXPECT_EQ(std::vector<int32_t>({r.effect, r.speed, r.parameter}), std::vector<int32_t>({9, -1, -1}));
  r = resolve_table("DisplayBrushFX", {1.0, 4.0, 5.0}, [&] { set_number("type", 8), set_number("dy", 40); });
  EXPECT_EQ(std::vector<int32_t>({r.effect, r.x, r.y}), std::vector<int32_t>({8, 4, 40}));
  r = resolve_call("DisplayBrushFX", {1.0, 4.0, 5.0, 8.0, 2.0, 3.0});
  EXPECT_EQ(std::vector<int32_t>({r.effect, r.speed, r.parameter, r.x, r.y}), std::vector<int32_t>({8, 2, 3, 4, 5}));
  r = resolve_table("DisplayBGPicPartFX", {2.0, 1.0, 2.0, 10.0, 10.0}, [&] {
    set_number("type", 9), set_number("dx", 30), set_number("dy", 40);
  });
  EXPECT_EQ(std::vector<int32_t>({r.effect, r.x, r.y, r.part_x, r.part_y}), std::vector<int32_t>({9, 30, 40, 1, 2}));
  r = resolve_call("DisplayBGPicPartFX", {2.0, 1.0, 2.0, 10.0, 10.0, 9.0, -2.0, 4.0});
  EXPECT_EQ(std::vector<int32_t>({r.effect, r.speed, r.x, r.y}), std::vector<int32_t>({9, -2, 1, 2}));
  r = resolve_table("ClearScreen", {7.0, 255.0}, [&] { set_number("speed", 4); });
  EXPECT_EQ(std::vector<int32_t>({r.effect, r.speed}), std::vector<int32_t>({7, 4}));
  // A table where the form has a number is a wrong argument, not the table form.
  EXPECT_EQ(call_table("DisplayBrushFX", {1.0, 4.0, 5.0, 8.0}, [] {}).code, ERR_NUMEXPECTED);
  EXPECT_EQ(call_table("DisplayTransitionFX", {2.0, 8.0}, [] {}).code, ERR_NUMEXPECTED);
}

TEST_F(DriverTest, ErrorCodes) {
  scene(false);
  EXPECT_EQ(call_table("DisplayTransitionFX", {2.0}, [&] { set_number("async", 1); }).code, ERR_WRONGUSAGE);
  EXPECT_EQ(code("UndoFX", {3.0, 1.0}), ERR_NOLAYERS);
  EXPECT_EQ(code("ShowLayerFX", {1.0, 0.0}), ERR_NOLAYERS);
  // Outputs other than the display refuse effects.
  ASSERT_EQ(code("CreateBrush", {3.0, 8.0, 8.0, 0.0}), 0);
  const struct {
    const char* select;
    int32_t error;
  } outputs[] = {{"SelectBrush", ERR_SELECTBRUSH}, {"SelectMask", ERR_SELECTMASK},
                 {"SelectAlphaChannel", ERR_SELECTALPHACHANNEL}};
  for (const auto& o : outputs) {
    ASSERT_EQ(code(o.select, {3.0}), 0) << o.select;
    EXPECT_EQ(code("DisplayBrushFX", {1.0, 0.0, 0.0, 0.0}), o.error) << o.select;
    ASSERT_EQ(code("EndSelect", {}), 0);
  }
  ASSERT_EQ(code("SelectBGPic", {2.0, 0.0}), 0);
  EXPECT_EQ(code("DisplayBrushFX", {1.0, 0.0, 0.0, 0.0}), ERR_SELECTBG);
  ASSERT_EQ(code("EndSelect", {}), 0);
  EXPECT_EQ(brush(1)->locked, 0);

  scene(true);
  EXPECT_EQ(call_table("ShowLayerFX", {1.0}, [&] { set_number("bgpicemu", 1); }).code, ERR_MISSINGPARAMTR);
  EXPECT_EQ(code("ShowLayerFX", {5.0, 0.0}), ERR_LAYERRANGE);
  EXPECT_EQ(code("UndoFX", {double(OBJ_BRUSH), 9.0}), ERR_FINDARRAY);
  EXPECT_EQ(code("UndoFX", {double(OBJ_BRUSH), 1.0, 0.0, -1.0, -1.0, 2.0}), ERR_FINDARRAY);
  // An id without a step leaves the layer as it was (while any id is without one).
  for (int32_t id = 0; id < FX_EFFECTS; ++id) {
    if (id == FX_UNUSED_ID || fx_effect(id)->step || fx_in_set(id, FXSET_TWOPICTURE)) continue;
    EXPECT_EQ(code("ShowLayerFX", {1.0, double(id)}), ERR_WRONGUSAGE);
    EXPECT_TRUE(layer_at_index(d->bgpic, 1)->hidden);
    EXPECT_EQ(layer_at_index(d->bgpic, 1)->effect, nullptr);
    break;
  }
  qmAsyncDraw* a = start_async("ShowLayerFX", {1.0}, 0);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(code("HideLayerFX", {1.0, 0.0}), ERR_ALREADYASYNC);
  // UndoFX finds its layer from the top.
  asyncdraw_free_all(L);
  EXPECT_EQ(code("UndoFX", {double(OBJ_BRUSH), 1.0, 0.0, 1000.0}), 0);
  EXPECT_EQ(layers_count(d->bgpic), 0);
}

TEST_F(DriverTest, RandomChoicesAndSwaps) {
  scene(false);
  for (const bool picture : {false, true}) {
    srand48(1234 + picture);
    std::vector<int32_t> got;
    for (int32_t i = 0; i < 2000; ++i) {
      const Resolved r = picture ? resolve_call("DisplayTransitionFX", {2.0, 140.0})
                                 : resolve_call("DisplayBrushFX", {1.0, 0.0, 0.0, 140.0});
      ASSERT_EQ(r.seen, 1);
      got.push_back(r.effect);
    }
    srand48(1234 + picture);
    for (int32_t i = 0; i < 2000; ++i) {
      int32_t n = 0;
      do n = int32_t(drand48() * 141);
      while (n == 113 || n >= 140 || (!picture && fx_in_set(n, FXSET_TWOPICTURE)));
      ASSERT_EQ(got[size_t(i)], n) << i;
    }
  }
  // 113 is taken as RANDOMEFFECT; a two-picture effect on a brush is HSTRIPES.
  EXPECT_NE(resolve_call("DisplayBrushFX", {1.0, 0.0, 0.0, 113.0}).effect, 113);
  EXPECT_EQ(resolve_call("DisplayBrushFX", {1.0, 0.0, 0.0, 74.0}).effect, 0);
  EXPECT_EQ(resolve_call("DisplayTransitionFX", {2.0, 74.0}).effect, 74);
  scene(true, false);
  EXPECT_EQ(resolve_call("ShowLayerFX", {1.0, 74.0}).effect, 0);
  EXPECT_EQ(resolve_call("HideLayerFX", {1.0, 30.0}).effect, 31);
  EXPECT_EQ(resolve_call("HideLayerFX", {1.0, 39.0}).effect, 89);
  EXPECT_EQ(resolve_call("RemoveLayerFX", {1.0, 89.0}).effect, 39);
  EXPECT_EQ(resolve_call("RemoveLayerFX", {1.0, 24.0}).effect, 25);
  EXPECT_EQ(resolve_call("ShowLayerFX", {1.0, 30.0}).effect, 30);
}

// Resizes the display once, at the third frame of the first run.
struct Resizer {
  qmtest::DisplayHarness* h;
  qmState* L;
  qmDisplay* d;
  int32_t setups = 0, frames = 0;
};

int32_t resize_at_third(const qmFXRequest*, int32_t what, void* user) {
  auto* r = static_cast<Resizer*>(user);
  if (what == FXOBS_SETUP) ++r->setups;
  if (what != FXOBS_FRAME) return 0;
  if (++r->frames == 3 && r->setups == 1) {
    const int32_t w = r->d->win.width - 20, h = r->d->win.height - 40;
    r->d->win.width = w, r->d->win.height = h;
    platform_window_resize(&r->d->win);
    EXPECT_EQ(display_size_change(r->L, r->d, KEEPPOSITION, KEEPPOSITION, w, h, false, false, false), 0);
  }
  return 0;
}

TEST_F(DriverTest, AResizeRestartsALayerEffectAndStopsAPictures) {
  for (const bool inserted : {false, true}) {
    scene(true);
    if (inserted) bgpic_layers_free(L, d->bgpic);
    Resizer rs{this, L, d};
    FxObserver o{resize_at_third, &rs};
    fx_set_observer(&o);
    if (inserted) EXPECT_EQ(code("DisplayBrushFX", {1.0, 10.0, 10.0, 0.0, 1.0}), 0);
    else EXPECT_EQ(code("ShowLayerFX", {1.0, 0.0, 1.0}), 0);
    fx_set_observer(nullptr);
    EXPECT_EQ(rs.setups, 2) << inserted;
    EXPECT_EQ(rs.frames, 3 + 64) << inserted;
    ASSERT_EQ(layers_count(d->bgpic), 1) << inserted;
    EXPECT_FALSE(layer_at_index(d->bgpic, 1)->hidden);
    EXPECT_EQ(layer_at_index(d->bgpic, 1)->effect, nullptr);
    EXPECT_EQ(brush(1)->locked, 0);
  }
  scene(false);
  Resizer rs{this, L, d};
  FxObserver o{resize_at_third, &rs};
  fx_set_observer(&o);
  EXPECT_EQ(code("DisplayTransitionFX", {2.0, 0.0, 1.0}), 0);
  fx_set_observer(nullptr);
  EXPECT_EQ(rs.setups, 1);
  EXPECT_EQ(rs.frames, 3);
  EXPECT_EQ(bgpic(2)->lock, 0);
}

// The clock's time at each frame.
int32_t clock_at_frames(const qmFXRequest*, int32_t what, void* user) {
  if (what == FXOBS_FRAME) static_cast<std::vector<int64_t>*>(user)->push_back(platform_clock().now_us());
  return 0;
}

TEST_F(DriverTest, ASynchronousEffectIsPacedOneFramePeriodAFrame) {
  scene(false);
  platform_set_frame_rate_limit(50);
  std::vector<int64_t> at;
  FxObserver o{clock_at_frames, &at};
  fx_set_observer(&o);
  EXPECT_EQ(code("DisplayBrushFX", {1.0, 0.0, 0.0, 0.0, 1.0}), 0);
  fx_set_observer(nullptr);
  ASSERT_EQ(at.size(), 64u);
  EXPECT_EQ(at.back() - at.front(), 63 * 20000);
}

TEST_F(DriverTest, ASeekToTheCurrentFrameRefreshesAndARebuildReplays) {
  scene(true);
  qmAsyncDraw* a = start_async("ShowLayerFX", {1.0}, 0);
  ASSERT_NE(a, nullptr);
  qmFXRequest* r = request_of(a);
  for (int32_t i = 0; i < 5; ++i) ASSERT_EQ(a->draw_frame(a->data, &a->finished), 0);
  qmLayer* layer = layer_at_index(d->bgpic, 1);
  qmLayerEffect* e = layer->effect;
  ASSERT_NE(e, nullptr);
  const uint64_t mask = hash_mask(e->mask, 64, 48);
  // Damage the image and the visibility: a seek to where the effect is takes them from the source.
  qmos_fill_bitmap_rect(e->bitmap, 0, 0, 64, 48, 0);
  qmos_mask_rect_op(e->mask, 0, 0, 64, 48, MASKINVISIBLE);
  int32_t target = 5;
  EXPECT_EQ(a->control(ADCTL_SEEK, reinterpret_cast<intptr_t>(&target), a->data), 0);
  EXPECT_EQ(r->frame, 5);
  EXPECT_EQ(hash_mask(e->mask, 64, 48), mask);
  EXPECT_EQ(qmos_read_pixel(e->bitmap, 63, 47), qmos_read_pixel(brush(1)->bitmap, 63, 47));
  // The layer at half its width: the effect is set up again and sought to the same share.
  const int32_t old_frames = r->frames;
  ASSERT_EQ(call_table("SetLayerStyle", {1.0}, [&] { set_number("width", 32); }).code, 0);
  ASSERT_EQ(r->width, 32);
  EXPECT_EQ(r->frames, 32);
  EXPECT_EQ(r->frame, int32_t(std::lrint(32.0 * 5 / old_frames)));
  const int32_t k = r->frame;
  const uint64_t rebuilt = hash_mask(layer->effect->mask, 32, 48);
  // The same as k steps of a fresh effect on the narrower layer.
  asyncdraw_free_all(L);
  a = start_async("ShowLayerFX", {1.0}, 0);
  ASSERT_NE(a, nullptr);
  for (int32_t i = 0; i < k; ++i) ASSERT_EQ(a->draw_frame(a->data, &a->finished), 0);
  EXPECT_EQ(hash_mask(layer->effect->mask, 32, 48), rebuilt);
}

TEST_F(DriverTest, ABorderEndsAtItsFullLevel) {
  // The last frame draws the border at (frames - 1) / frames of its level; the end shows it whole.
  for (const bool realtime : {false, true}) {
    scene(true);
    ASSERT_EQ(code("SetLayerBorder", {1.0, 1.0, double(0x0000FF), 3.0}), 0);
    ASSERT_EQ(call_table("ShowLayerFX", {1.0}, [&] {
                set_number("type", 7), set_number("speed", 5), set_number("forcerealtimelayers", realtime);
              }).code,
              0);
    const Screen after = screen();
    display_refresh(L, d);
    EXPECT_TRUE(after.px == screen().px) << "the window had a stale border, realtime " << realtime;
    EXPECT_EQ(layer_at_index(d->bgpic, 1)->border_fade, 0);
    EXPECT_EQ(screen().at(8, 8), 0x0000FFu) << realtime;
  }
}

// The scaling families (stretches and zooms, ZOOMIN and ZOOMOUT, crushes, coin flips, TURN-DOWN)
// make their buffers at the setup: no frame allocates, so none waits for fresh memory halfway
// through the effect. Drawn straight on the display, those that scale a plain picture through
// fx_put_scaled make none at all; the crushes and coin flips (120-127) scale on their own. A
// masked or translucent picture is scaled into planes of its own.
struct Allocations {
  int32_t effect = -1;
  int32_t at_setup = -1;
  bool buffer = false, planes = false;
  int32_t frames = 0, frames_allocating = 0;
};

int32_t watch_allocations(const qmFXRequest* r, int32_t what, void* user) {
  auto* a = static_cast<Allocations*>(user);
  if (what == FXOBS_SETUP) {
    a->effect = r->effect, a->at_setup = fx_allocations(), a->buffer = r->scale_scratch != nullptr;
    a->planes = r->scaled_copy && (r->scaled_mask || r->scaled_alpha);
  }
  if (what == FXOBS_FRAME) ++a->frames, a->frames_allocating += fx_allocations() != a->at_setup;
  return 0;
}

TEST_F(DriverTest, ScalingFramesAllocateNothing) {
  std::vector<int32_t> ids;
  for (int32_t id = 55; id <= 69; ++id) ids.push_back(id);
  for (int32_t id = 118; id <= 131; ++id) ids.push_back(id);
  for (const int32_t id : ids) {
    scene(false);
    Allocations a;
    FxObserver o{watch_allocations, &a};
    fx_set_observer(&o);
    // The two-picture effects (118 on) between pictures, the others on a plain brush.
    const auto fill = [&] { set_number("type", id), set_number("speed", 1), set_number("parameter", 7); };
    const int32_t code = id >= 118 ? call_table("DisplayTransitionFX", {2.0}, fill).code
                                   : call_table("DisplayBrushFX", {1.0, 10.0, 10.0}, fill).code;
    fx_set_observer(nullptr);
    ASSERT_EQ(code, 0) << id;
    EXPECT_EQ(a.effect, id);
    EXPECT_GT(a.frames, 20) << id;
    EXPECT_EQ(a.frames_allocating, 0) << id << " allocated in frames";
    EXPECT_EQ(a.buffer, id >= 120 && id <= 127) << id;
  }
  // A realtime layer's copies go into its effect image through the buffer.
  scene(true);
  Allocations a;
  FxObserver o{watch_allocations, &a};
  fx_set_observer(&o);
  const qmtest::Outcome shown = call_table("ShowLayerFX", {1.0}, [&] {
    set_number("type", 61), set_number("speed", 1), set_number("forcerealtimelayers", 1);
  });
  fx_set_observer(nullptr);
  ASSERT_EQ(shown.code, 0);
  EXPECT_TRUE(a.buffer);
  EXPECT_EQ(a.frames_allocating, 0);
  // Masked and translucent brushes: composed on the old picture in the buffer when drawn on the
  // display, through their planes into a realtime layer's image.
  for (const Kind kind : {Kind::BrushMask, Kind::BrushAlpha, Kind::ShowRealtime}) {
    for (const int32_t id : {55, 61, 69}) {
      FxCase c;
      c.kind = kind;
      reset(c);
      Allocations m;
      FxObserver watch{watch_allocations, &m};
      fx_set_observer(&watch);
      const auto fill = [&] {
        set_number("type", id), set_number("speed", 1), set_number("forcerealtimelayers", 1);
      };
      const int32_t err = kind == Kind::ShowRealtime ? call_table("ShowLayerFX", {1.0}, fill).code
                                                     : call_table("DisplayBrushFX", {1.0, 10.0, 10.0}, fill).code;
      fx_set_observer(nullptr);
      ASSERT_EQ(err, 0) << kind_name(kind) << " " << id;
      EXPECT_EQ(m.effect, id);
      EXPECT_GT(m.frames, 20) << kind_name(kind) << " " << id;
      EXPECT_TRUE(m.planes) << kind_name(kind) << " " << id;
      EXPECT_EQ(m.buffer, kind != Kind::ShowRealtime) << kind_name(kind) << " " << id;
      EXPECT_EQ(m.frames_allocating, 0) << kind_name(kind) << " " << id << " allocated in frames";
    }
  }
}

TEST_F(DriverTest, EveryFailedAllocationIsUndone) {
  struct Case {
    Kind kind;
    bool async;
  } cases[] = {{Kind::BrushMask, false}, {Kind::Show, true}, {Kind::Hide, false}, {Kind::BrushLayer, true}};
  for (const Case& k : cases) {
    int32_t failures = 0;
    for (int32_t n = 1;; ++n) {
      FxCase c;
      c.kind = k.kind;
      reset(c);
      const int32_t layers_before = layers_count(d->bgpic);
      const bool hidden_before = layers_before ? layer_at_index(d->bgpic, 1)->hidden != 0 : false;
      fx_fail_allocation(n);
      const char* name = k.kind == Kind::Show ? "ShowLayerFX" : k.kind == Kind::Hide ? "HideLayerFX" : "DisplayBrushFX";
      const std::vector<double> args = k.kind == Kind::Show || k.kind == Kind::Hide ? std::vector<double>{1.0}
                                                                                   : std::vector<double>{1.0, 10.0, 10.0};
      qmtest::Outcome o = k.kind == Kind::Show || k.kind == Kind::Hide
                              ? call_table(name, {args[0]}, [&] { set_number("type", 0), set_number("async", k.async); })
                              : call_table(name, {args[0], args[1], args[2]}, [&] {
                                  set_number("type", 0), set_number("async", k.async);
                                });
      const int32_t used = fx_allocations();
      fx_fail_allocation(0);
      if (o.code == 0) {
        EXPECT_GE(used, n - 1);
        break;
      }
      ++failures;
      EXPECT_EQ(o.code, ERR_MEM) << kind_name(k.kind) << " allocation " << n;
      EXPECT_EQ(layers_count(d->bgpic), layers_before) << kind_name(k.kind) << " allocation " << n;
      if (layers_before) {
        EXPECT_EQ(layer_at_index(d->bgpic, 1)->hidden != 0, hidden_before) << kind_name(k.kind) << " " << n;
        EXPECT_EQ(layer_at_index(d->bgpic, 1)->effect, nullptr);
      }
      EXPECT_EQ(brush(1)->locked, 0);
      ASSERT_LT(n, 50);
    }
    EXPECT_GT(failures, 1) << kind_name(k.kind);
    asyncdraw_free_all(L);
  }
}

}  // namespace
}  // namespace fxtest

// The redraw engine at 1920x1080: milliseconds per frame (median and p95 of nine repetitions) for
// the composition scenarios, beside the peer of one plain full-frame copy measured in the same
// run: a scenario's time over the copy's is its cost in full-frame copies. The counter
// allocs/frame is the number of heap allocations (malloc, calloc, realloc and the aligned
// forms, which operator new also goes through) made per frame, counted by the wrappers below.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <vector>

#include "gfx/blit.h"
#include "layers/layers.h"

// Counting wrappers around the C library's allocator.
extern "C" {
void* __libc_malloc(size_t);
void* __libc_calloc(size_t, size_t);
void* __libc_realloc(void*, size_t);
void* __libc_memalign(size_t, size_t);
}

namespace {
std::atomic<uint64_t> g_allocs{0};
}  // namespace

extern "C" {
void* malloc(size_t n) {
  g_allocs.fetch_add(1, std::memory_order_relaxed);
  return __libc_malloc(n);
}
void* calloc(size_t n, size_t size) {
  g_allocs.fetch_add(1, std::memory_order_relaxed);
  return __libc_calloc(n, size);
}
void* realloc(void* p, size_t n) {
  g_allocs.fetch_add(1, std::memory_order_relaxed);
  return __libc_realloc(p, n);
}
void* aligned_alloc(size_t alignment, size_t n) {
  g_allocs.fetch_add(1, std::memory_order_relaxed);
  return __libc_memalign(alignment, n);
}
void* memalign(size_t alignment, size_t n) {
  g_allocs.fetch_add(1, std::memory_order_relaxed);
  return __libc_memalign(alignment, n);
}
int posix_memalign(void** out, size_t alignment, size_t n) {
  g_allocs.fetch_add(1, std::memory_order_relaxed);
  void* p = __libc_memalign(alignment, n);
  if (!p) return 12;  // ENOMEM
  *out = p;
  return 0;
}
}

namespace {

using namespace qm;

// Counts the allocations from its making to its end (made just before a scenario's loop) as
// allocs/frame.
struct AllocCounter {
  benchmark::State& state;
  uint64_t start = g_allocs.load();
  explicit AllocCounter(benchmark::State& st) : state(st) {}
  ~AllocCounter() {
    state.counters["allocs/frame"] =
        benchmark::Counter(double(g_allocs.load() - start), benchmark::Counter::kAvgIterations);
  }
};

constexpr int32_t kW = 1920, kH = 1080;

double p95(const std::vector<double>& v) {
  std::vector<double> s(v);
  std::sort(s.begin(), s.end());
  return s[std::min(s.size() - 1, size_t(double(s.size()) * 0.95))];
}

struct Scene {
  qmBlitOutput fallback{};
  qmBGPic pic{};
  qmBitmap* background = qmos_alloc_bitmap(kW, kH);
  qmBitmap* dest = qmos_alloc_bitmap(kW, kH);
  Scene() {
    fallback.object_type = kOutputDisplay;
    blit_globals().fallback = &fallback;
    pic.display_width = kW;
    pic.display_height = kH;
    qmos_fill_bitmap_rect(background, 0, 0, kW, kH, 0x204060);
  }
  ~Scene() {
    bgpic_layers_free(nullptr, &pic);
    qmos_free_bitmap(background);
    qmos_free_bitmap(dest);
    blit_globals().fallback = nullptr;
  }
  qmLayer* add(int32_t x, int32_t y, int32_t w, int32_t h, bool masked = false, bool alpha = false) {
    LayerSpec spec;
    spec.type = OBJ_BOX;
    spec.x = x, spec.y = y, spec.width = w, spec.height = h;
    spec.image.bitmap = qmos_alloc_bitmap(w, h);
    qmos_fill_bitmap_rect(spec.image.bitmap, 0, 0, w, h, uint32_t(x * 2654435761u) & 0xFFFFFF);
    if (masked) {
      spec.image.mask = qmos_alloc_mask(w, h, 1);
      qmos_mask_rect_op(spec.image.mask, w / 4, h / 4, w / 2, h / 2, MASKVISIBLE);
    }
    if (alpha) {
      spec.image.alpha = qmos_alloc_alpha(w, h, 1);
      for (int32_t y2 = 0; y2 < h; ++y2)
        std::memset(spec.image.alpha->data + size_t(y2) * size_t(spec.image.alpha->bytes_per_row), y2 * 255 / h,
                    size_t(w));
    }
    qmLayer* l = nullptr;
    layer_new(nullptr, &pic, spec, &l);
    return l;
  }
  void redraw(int32_t x = 0, int32_t y = 0, int32_t w = kW, int32_t h = kH) {
    RedrawSource s;
    s.pic = &pic;
    s.background = background;
    s.dest = dest;
    layers_redraw(s, x, y, w, h, REDRAW_NOSPRITES);
  }
};

void BM_copy_peer(benchmark::State& st) {
  Scene s;
  AllocCounter count(st);
  for (auto _ : st) {
    BLTBITMAP(s.background, 0, 0, s.dest, 0, 0, kW, kH);
    benchmark::ClobberMemory();
  }
}

// 1. Full recomposition with n opaque 256x256 layers.
void BM_1_opaque(benchmark::State& st) {
  Scene s;
  for (int32_t i = 0; i < st.range(0); ++i) s.add((i * 173) % (kW - 256), (i * 97) % (kH - 256), 256, 256);
  AllocCounter count(st);
  for (auto _ : st) s.redraw();
}

// 2. 100 moving 64x64 masked layers: each frame moves them and redraws the old and new places.
void BM_2_moving_masked(benchmark::State& st) {
  Scene s;
  std::vector<qmLayer*> ls;
  for (int32_t i = 0; i < 100; ++i) ls.push_back(s.add((i * 173) % (kW - 80), (i * 97) % (kH - 80), 64, 64, true));
  DirtyList dirty;
  dirty_list_init(dirty, kDirtyGrowth);
  int32_t step = 0;
  AllocCounter count(st);
  for (auto _ : st) {
    dirty.count = 0;
    const int32_t dx = (step++ & 1) ? 1 : -1;
    for (qmLayer* l : ls) {
      qmLayerState* t = l->display;
      Rect r{t->bounds_x, t->bounds_y, t->width, t->height};
      t->bounds_x += dx;
      rect_union(r, Rect{t->bounds_x, t->bounds_y, t->width, t->height});
      dirty_list_add(dirty, r, true);
    }
    dirty_rects_merge(dirty);
    dirty_rects_flush(dirty, kW, kH, [&](const Rect& r) { s.redraw(r.x, r.y, r.width, r.height); });
  }
  dirty_list_free(dirty);
}

// 3. Transparent and alpha layers over opaque ones.
void BM_3_transparent_alpha(benchmark::State& st) {
  Scene s;
  for (int32_t i = 0; i < 10; ++i) s.add(i * 150, 100, 256, 256);
  for (int32_t i = 0; i < 10; ++i) s.add(i * 150 + 60, 200, 256, 256)->transparency = 128;
  for (int32_t i = 0; i < 10; ++i) s.add(i * 150 + 30, 400, 256, 256, false, true);
  AllocCounter count(st);
  for (auto _ : st) s.redraw();
}

// 4. Shadowed layers: the first build against the cached ones.
void BM_4_shadow(benchmark::State& st) {
  const bool cached = st.range(0) != 0;
  Scene s;
  std::vector<qmLayer*> ls;
  for (int32_t i = 0; i < 10; ++i) {
    qmLayer* l = s.add(i * 150 + 20, 300, 128, 128, true);
    l->shadow = 1;
    l->shadow_size = 6;
    l->shadow_radius = 4.0;
    l->shadow_sigma = 2.0;
    ls.push_back(l);
  }
  s.redraw();
  AllocCounter count(st);
  for (auto _ : st) {
    if (!cached) {
      st.PauseTiming();
      for (qmLayer* l : ls) layer_free_caches(l);
      st.ResumeTiming();
    }
    s.redraw();
  }
}

// 5. A 256x256 layer turned by one more degree every frame: resampled, then its old and new
// places recomposed.
void BM_5_rotated(benchmark::State& st) {
  Scene s;
  for (int32_t i = 0; i < 10; ++i) s.add(i * 150, 100, 256, 256);
  qmLayer* l = s.add(800, 400, 256, 256);
  TransformBlock block;
  AllocCounter count(st);
  for (auto _ : st) {
    Rect r{l->display->bounds_x, l->display->bounds_y, l->display->width, l->display->height};
    block.rotation = (block.rotation + 1) % 360;
    layer_set_transform(nullptr, l, block);
    rect_union(r, Rect{l->display->bounds_x, l->display->bounds_y, l->display->width, l->display->height});
    s.redraw(r.x, r.y, r.width, r.height);
  }
}

// 6. A transparent layer under a masked clip region.
void BM_6_transparent_clipped(benchmark::State& st) {
  Scene s;
  qmMask* m = qmos_alloc_mask(512, 512, 1);
  qmos_mask_rect_op(m, 64, 64, 384, 384, MASKVISIBLE);
  qmClipRegion clip{200, 200, 512, 512, m, m->bytes_per_row};
  qmLayer* l = s.add(150, 150, 600, 600);
  l->transparency = 100;
  l->display->clip = &clip;
  AllocCounter count(st);
  for (auto _ : st) s.redraw();
  l->display->clip = nullptr;
  qmos_free_mask(m);
}

// 7. 5000 layers and a small rectangle that few of them meet.
void BM_7_many_small(benchmark::State& st) {
  Scene s;
  for (int32_t i = 0; i < 5000; ++i) s.add((i * 173) % (kW - 32), (i * 97) % (kH - 32), 32, 32);
  AllocCounter count(st);
  for (auto _ : st) s.redraw(900, 500, 16, 16);
}

void stats(benchmark::internal::Benchmark* b) {
  b->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true)->ComputeStatistics("p95", p95);
}

}  // namespace

BENCHMARK(BM_copy_peer)->Apply(stats);
BENCHMARK(BM_1_opaque)->Arg(0)->Arg(10)->Arg(100)->Apply(stats);
BENCHMARK(BM_2_moving_masked)->Apply(stats);
BENCHMARK(BM_3_transparent_alpha)->Apply(stats);
BENCHMARK(BM_4_shadow)->Arg(0)->Arg(1)->Apply(stats);
BENCHMARK(BM_5_rotated)->Apply(stats);
BENCHMARK(BM_6_transparent_clipped)->Apply(stats);
BENCHMARK(BM_7_many_small)->Apply(stats);
BENCHMARK_MAIN();

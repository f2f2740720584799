// Brush commands called through the engine as a program calls them: ScaleBrush from 4096 x 4096
// to 1920 x 1080 (nearest and smooth) beside pixman's scaled composite and SDL's software
// stretch, FloodFill over 4096 x 4096, and a 1920 x 1080 gradient brush beside pixman's
// gradients. Each pair prints the ratio ours / peer (above 1.0: we are faster).
#include <SDL.h>
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "display/bgpic.h"
#include "display/brush.h"
#include "display/graphics.h"
#include "engine/vm.h"
#include "gfx/bitmap.h"
#include "gfx/scale.h"
#include "runtime/errors.h"
#include "runtime/registry.h"

namespace {

using namespace qm;

constexpr int32_t kBig = 4096, kW = 1920, kH = 1080;

qmState* g_L = nullptr;

// Calls the command with number arguments; aborts the benchmark on an error.
void command(benchmark::State& st, const char* name, std::initializer_list<double> args) {
  std::string lower(name);
  for (char& c : lower) c = char(std::tolower(static_cast<unsigned char>(c)));
  vm_push_string(g_L, lower.c_str());
  vm_get_table(g_L, QM_GLOBALSINDEX);
  for (double a : args) vm_push_number(g_L, a);
  if (vm_pcall(g_L, int32_t(args.size()), 0, 0) != 0) st.SkipWithError(name);
  vm_set_top(g_L, 0);
}

qmBrush* brush(int32_t n) {
  qmBrush* b = nullptr;
  brush_find(ObjectId{n, nullptr}, 0, &b);
  return b;
}

// Brush 1: a 4096 x 4096 pattern.
void make_source(benchmark::State& st) {
  command(st, "CreateBrush", {1, kBig, kBig});
  qmBitmap* bm = brush(1)->bitmap;
  for (int32_t y = 0; y < kBig; ++y)
    for (int32_t x = 0; x < kBig; ++x)
      bm->pixels[size_t(y) * size_t(bm->bytes_per_row / 4) + size_t(x)] =
          uint32_t((x ^ y) & 0xFF) << 24 | uint32_t((x + y) & 0xFF) << 16 | uint32_t((x * 3) & 0xFF) << 8;
}

void items(benchmark::State& st, int64_t n) { st.SetItemsProcessed(int64_t(st.iterations()) * n); }

// --- ScaleBrush ------------------------------------------------------------------------------------

void scale_ours(benchmark::State& st, double smooth) {
  make_source(st);
  for (auto _ : st) {
    st.PauseTiming();
    command(st, "CopyBrush", {1, 2});
    st.ResumeTiming();
    command(st, "ScaleBrush", {2, kW, kH, smooth});
  }
  items(st, int64_t(kW) * kH);
  command(st, "FreeBrush", {1});
  command(st, "FreeBrush", {2});
}

// The peers do what ScaleBrush does around the scaling: each call makes the new picture and frees
// the old one (a fresh copy of the source, made outside the timing, as CopyBrush is for ours).
template <typename Scale>
void scale_peer(benchmark::State& st, Scale&& scale) {
  make_source(st);
  const qmBitmap* s = brush(1)->bitmap;
  qmBitmap* made = nullptr;
  for (auto _ : st) {
    st.PauseTiming();
    qmos_free_bitmap(made);
    qmBitmap* copy = qmos_alloc_bitmap(kBig, kBig);
    std::memcpy(copy->pixels, s->pixels, size_t(s->bytes_per_row) * kBig);
    st.ResumeTiming();
    made = qmos_alloc_bitmap(kW, kH);
    scale(copy, made);
    qmos_free_bitmap(copy);
    benchmark::ClobberMemory();
  }
  qmos_free_bitmap(made);
  items(st, int64_t(kW) * kH);
  command(st, "FreeBrush", {1});
}

// pixman's transform from the kW x kH target back to the kBig x kBig source.
pixman_transform_t pixman_down_scale() {
  pixman_transform_t t;
  pixman_transform_init_scale(&t, pixman_double_to_fixed(double(kBig) / kW), pixman_double_to_fixed(double(kBig) / kH));
  return t;
}

// The kBig x kBig source s scaled by pixman into the kW x kH target d.
void pixman_scale(const qmBitmap* s, qmBitmap* d, const pixman_transform_t& t, pixman_filter_t filter) {
  pixman_image_t* src = pixman_image_create_bits(PIXMAN_x8r8g8b8, kBig, kBig, s->pixels, s->bytes_per_row);
  pixman_image_t* dst = pixman_image_create_bits(PIXMAN_x8r8g8b8, kW, kH, d->pixels, d->bytes_per_row);
  pixman_image_set_transform(src, &t);
  pixman_image_set_filter(src, filter, nullptr, 0);
  pixman_image_composite32(PIXMAN_OP_SRC, src, nullptr, dst, 0, 0, 0, 0, 0, 0, kW, kH);
  pixman_image_unref(src);
  pixman_image_unref(dst);
}

void scale_pixman(benchmark::State& st, pixman_filter_t filter) {
  const pixman_transform_t t = pixman_down_scale();
  scale_peer(st, [&](qmBitmap* s, qmBitmap* d) {
    pixman_scale(s, d, t, filter);
  });
}

void scale_sdl(benchmark::State& st, bool linear) {
  scale_peer(st, [&](qmBitmap* s, qmBitmap* d) {
    SDL_Surface* src = SDL_CreateRGBSurfaceWithFormatFrom(s->pixels, kBig, kBig, 32, s->bytes_per_row,
                                                          SDL_PIXELFORMAT_XRGB8888);
    SDL_Surface* dst = SDL_CreateRGBSurfaceWithFormatFrom(d->pixels, kW, kH, 32, d->bytes_per_row,
                                                          SDL_PIXELFORMAT_XRGB8888);
    const int rc = linear ? SDL_SoftStretchLinear(src, nullptr, dst, nullptr) : SDL_SoftStretch(src, nullptr, dst, nullptr);
    if (rc != 0) st.SkipWithError(SDL_GetError());
    SDL_FreeSurface(src);
    SDL_FreeSurface(dst);
  });
}

// The resampling alone, without the allocation work around it that both sides share (first
// touches of the new picture, unmapping the old one): into a target made once, from a fresh copy
// of the source each time (so that it comes from memory, as in ScaleBrush).
template <typename Scale>
void scale_kernel(benchmark::State& st, Scale&& scale) {
  make_source(st);
  const qmBitmap* s = brush(1)->bitmap;
  qmBitmap* target = qmos_alloc_bitmap(kW, kH);
  std::memset(target->pixels, 0, size_t(target->bytes_per_row) * kH);
  qmBitmap* copy = qmos_alloc_bitmap(kBig, kBig);
  for (auto _ : st) {
    st.PauseTiming();
    std::memcpy(copy->pixels, s->pixels, size_t(s->bytes_per_row) * kBig);
    st.ResumeTiming();
    scale(copy, target);
    benchmark::ClobberMemory();
  }
  qmos_free_bitmap(copy);
  qmos_free_bitmap(target);
  items(st, int64_t(kW) * kH);
  command(st, "FreeBrush", {1});
}

void scale_kernel_ours(benchmark::State& st, int32_t smooth) {
  scale_kernel(st, [smooth](const qmBitmap* s, qmBitmap* d) {
    bitmap_draw(s, nullptr, nullptr, 0, 0, d, kBig, kBig, kW, kH, smooth, nullptr, nullptr, nullptr);
  });
}
void scale_kernel_pixman(benchmark::State& st, pixman_filter_t filter) {
  const pixman_transform_t t = pixman_down_scale();
  scale_kernel(st, [&](const qmBitmap* s, qmBitmap* d) {
    pixman_scale(s, d, t, filter);
  });
}
void BM_scale_kernel_smooth_ours(benchmark::State& st) { scale_kernel_ours(st, 1); }
void BM_scale_kernel_smooth_pixman(benchmark::State& st) { scale_kernel_pixman(st, PIXMAN_FILTER_BILINEAR); }
void BM_scale_kernel_nearest_ours(benchmark::State& st) { scale_kernel_ours(st, 0); }
void BM_scale_kernel_nearest_pixman(benchmark::State& st) { scale_kernel_pixman(st, PIXMAN_FILTER_NEAREST); }

void BM_scale_nearest_ours(benchmark::State& st) { scale_ours(st, 0); }
void BM_scale_nearest_pixman(benchmark::State& st) { scale_pixman(st, PIXMAN_FILTER_NEAREST); }
void BM_scale_nearest_sdl(benchmark::State& st) { scale_sdl(st, false); }
void BM_scale_smooth_ours(benchmark::State& st) { scale_ours(st, 1); }
void BM_scale_smooth_pixman(benchmark::State& st) { scale_pixman(st, PIXMAN_FILTER_BILINEAR); }
void BM_scale_smooth_sdl(benchmark::State& st) { scale_sdl(st, true); }

// --- FloodFill -----------------------------------------------------------------------------------

// The whole 4096 x 4096 brush but a frame and one diagonal wall with a gap, filled alternately
// with two colours so that every call fills the whole area.
void BM_floodfill_ours(benchmark::State& st) {
  command(st, "CreateBrush", {1, kBig, kBig, 0xFFFFFF});
  qmBitmap* bm = brush(1)->bitmap;
  for (int32_t i = 0; i < kBig - 64; ++i) qmos_write_pixel(bm, i, i, 0x000000);
  double colour = 0x123456;
  for (auto _ : st) {
    command(st, "FloodFill", {1, kBig - 1, 0, 0x000000, colour});
    colour = colour == 0x123456 ? 0x654321 : 0x123456;
  }
  items(st, int64_t(kBig) * kBig);
  command(st, "FreeBrush", {1});
}

// --- gradients -----------------------------------------------------------------------------------

void gradient_ours(benchmark::State& st, double style, double angle = 0) {
  for (auto _ : st) command(st, "CreateGradientBrush", {1, kW, kH, style, 0xFF8000, 0x0040C0, angle});
  items(st, int64_t(kW) * kH);
  command(st, "FreeBrush", {1});
}

void gradient_pixman(benchmark::State& st, int32_t type, bool diagonal = false) {
  const pixman_gradient_stop_t stops[] = {{0, {0xFFFF, 0x8080, 0, 0xFFFF}},
                                          {pixman_int_to_fixed(1), {0, 0x4040, 0xC0C0, 0xFFFF}}};
  const pixman_point_fixed_t c{pixman_int_to_fixed(kW / 2), pixman_int_to_fixed(kH / 2)};
  const pixman_point_fixed_t top{0, 0};
  const pixman_point_fixed_t bottom{diagonal ? pixman_int_to_fixed(kW - 1) : 0, pixman_int_to_fixed(kH - 1)};
  const double radius = 0.5 * std::sqrt(double(kW) * kW + double(kH) * kH);
  for (auto _ : st) {
    // Like CreateGradientBrush, each call makes the picture anew.
    qmBitmap* d = qmos_alloc_bitmap(kW, kH);
    pixman_image_t* dst = pixman_image_create_bits(PIXMAN_x8r8g8b8, kW, kH, d->pixels, d->bytes_per_row);
    pixman_image_t* g =
        type == GRADIENT_LINEAR ? pixman_image_create_linear_gradient(&top, &bottom, stops, 2)
        : type == GRADIENT_RADIAL
            ? pixman_image_create_radial_gradient(&c, &c, 0, pixman_double_to_fixed(radius), stops, 2)
            : pixman_image_create_conical_gradient(&c, 0, stops, 2);
    pixman_image_set_repeat(g, PIXMAN_REPEAT_PAD);
    pixman_image_composite32(PIXMAN_OP_SRC, g, nullptr, dst, 0, 0, 0, 0, 0, 0, kW, kH);
    pixman_image_unref(g);
    pixman_image_unref(dst);
    qmos_free_bitmap(d);
  }
  items(st, int64_t(kW) * kH);
}

void BM_gradient_linear_ours(benchmark::State& st) { gradient_ours(st, GRADIENT_LINEAR); }
void BM_gradient_linear_pixman(benchmark::State& st) { gradient_pixman(st, GRADIENT_LINEAR); }
void BM_gradient_linear45_ours(benchmark::State& st) { gradient_ours(st, GRADIENT_LINEAR, 45); }
void BM_gradient_linear45_pixman(benchmark::State& st) { gradient_pixman(st, GRADIENT_LINEAR, true); }
void BM_gradient_radial_ours(benchmark::State& st) { gradient_ours(st, GRADIENT_RADIAL); }
void BM_gradient_radial_pixman(benchmark::State& st) { gradient_pixman(st, GRADIENT_RADIAL); }
void BM_gradient_conical_ours(benchmark::State& st) { gradient_ours(st, GRADIENT_CONICAL); }
void BM_gradient_conical_pixman(benchmark::State& st) { gradient_pixman(st, GRADIENT_CONICAL); }

#define QM_BENCH(fn) BENCHMARK(fn)->Unit(benchmark::kMillisecond)->MinTime(0.3)
QM_BENCH(BM_scale_nearest_ours);
QM_BENCH(BM_scale_nearest_pixman);
QM_BENCH(BM_scale_nearest_sdl);
QM_BENCH(BM_scale_smooth_ours);
QM_BENCH(BM_scale_smooth_pixman);
QM_BENCH(BM_scale_smooth_sdl);
QM_BENCH(BM_scale_kernel_smooth_ours);
QM_BENCH(BM_scale_kernel_smooth_pixman);
QM_BENCH(BM_scale_kernel_nearest_ours);
QM_BENCH(BM_scale_kernel_nearest_pixman);
QM_BENCH(BM_floodfill_ours);
QM_BENCH(BM_gradient_linear_ours);
QM_BENCH(BM_gradient_linear_pixman);
QM_BENCH(BM_gradient_linear45_ours);
QM_BENCH(BM_gradient_linear45_pixman);
QM_BENCH(BM_gradient_radial_ours);
QM_BENCH(BM_gradient_radial_pixman);
QM_BENCH(BM_gradient_conical_ours);
QM_BENCH(BM_gradient_conical_pixman);

// Keeps every run's throughput for the ratio table.
class Collector : public benchmark::ConsoleReporter {
 public:
  std::map<std::string, double> rate;  // Mpixel/s
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs) {
      auto it = r.counters.find("items_per_second");
      if (it != r.counters.end()) rate[r.run_name.function_name] = it->second.value / 1e6;
    }
  }
};

}  // namespace

int main(int argc, char** argv) {
  g_L = vm_open();
  err_install(g_L);
  if (graphics_init(g_L) || brush_init(g_L) || bgpic_init(g_L)) return 1;
  vm_set_top(g_L, 0);
  benchmark::Initialize(&argc, argv);
  Collector c;
  benchmark::RunSpecifiedBenchmarks(&c);
  benchmark::Shutdown();
  std::printf("\n%-18s %12s %12s %8s  (Mpixel/s)\n", "operation", "ours", "peer", "ratio");
  for (const auto& [name, ours] : c.rate) {
    const std::string suffix = "_ours";
    if (name.size() < suffix.size() || name.compare(name.size() - suffix.size(), suffix.size(), suffix)) continue;
    const std::string stem = name.substr(0, name.size() - suffix.size());
    bool paired = false;
    for (const auto& [peer_name, peer] : c.rate) {
      if (peer_name.rfind(stem + "_", 0) != 0 || peer_name == name) continue;
      paired = true;
      std::printf("%-18s %12.1f %12.1f %8.2f  vs %s\n", stem.substr(3).c_str(), ours, peer,
                  peer > 0 ? ours / peer : 0.0, peer_name.substr(stem.size() + 1).c_str());
    }
    if (!paired) std::printf("%-18s %12.1f\n", stem.substr(3).c_str(), ours);
  }
  brush_free_all();
  vm_close_state(g_L);
  return 0;
}

// Graphics core throughput in Mpixel/s beside pixman and memcpy, measured in the same run.
// Each pair prints the ratio ours / peer at the end (above 1.0: we are faster).
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "gfx/alpha.h"
#include "gfx/bitmap.h"
#include "gfx/blit.h"
#include "gfx/compose.h"
#include "gfx/gradient.h"
#include "gfx/scale.h"
#include "gfx/transform.h"

namespace {

using namespace qm;

constexpr int32_t kW = 1920, kH = 1080;

struct Owned {
  qmBitmap* b;
  explicit Owned(int32_t w, int32_t h) : b(qmos_alloc_bitmap(w, h)) {
    for (int32_t y = 0; y < h; ++y)
      for (int32_t x = 0; x < w; ++x)
        b->pixels[size_t(y) * size_t(b->bytes_per_row / 4) + size_t(x)] =
            uint32_t((x * 7 + y * 13) & 0xFF) << 24 | uint32_t((x ^ y) & 0xFF) << 16 |
            uint32_t((x + 3 * y) & 0xFF) << 8;
  }
  ~Owned() { qmos_free_bitmap(b); }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
};

// A pixman image over one of our bitmaps (same rows), read as x8r8g8b8: the byte order does
// not change the work either library does.
pixman_image_t* wrap(qmBitmap* b) {
  return pixman_image_create_bits(PIXMAN_x8r8g8b8, b->width, b->height, b->pixels,
                                  b->bytes_per_row);
}

void pixels(benchmark::State& st, int64_t n) { st.SetItemsProcessed(int64_t(st.iterations()) * n); }

// --- copy and fill -----------------------------------------------------------------------------

void BM_copy_ours(benchmark::State& st) {
  Owned s(kW, kH), d(kW, kH);
  for (auto _ : st) {
    BLTBITMAP(s.b, 0, 0, d.b, 0, 0, kW, kH);
    benchmark::ClobberMemory();
  }
  pixels(st, int64_t(kW) * kH);
}
void BM_copy_memcpy(benchmark::State& st) {
  Owned s(kW, kH), d(kW, kH);
  const size_t n = size_t(s.b->bytes_per_row) * kH;
  for (auto _ : st) {
    std::memcpy(d.b->pixels, s.b->pixels, n);
    benchmark::ClobberMemory();
  }
  pixels(st, int64_t(kW) * kH);
}
void BM_fill_ours(benchmark::State& st) {
  Owned d(kW, kH);
  for (auto _ : st) {
    qmos_fill_bitmap_rect(d.b, 0, 0, kW, kH, 0x336699);
    benchmark::ClobberMemory();
  }
  pixels(st, int64_t(kW) * kH);
}
void BM_fill_pixman(benchmark::State& st) {
  Owned d(kW, kH);
  for (auto _ : st) {
    pixman_fill(d.b->pixels, d.b->bytes_per_row / 4, 32, 0, 0, kW, kH, 0x99663300);
    benchmark::ClobberMemory();
  }
  pixels(st, int64_t(kW) * kH);
}

// --- alpha blend through an 8-bit plane -------------------------------------------------------

struct Plane {
  qmAlphaChannel* a;
  Plane(int32_t w, int32_t h) : a(qmos_alloc_alpha(w, h, 1)) {
    // A third each of transparent, opaque and partial coverage, in runs as glyphs and shapes
    // give them.
    for (int32_t y = 0; y < h; ++y)
      for (int32_t x = 0; x < w; ++x) {
        const int32_t k = (x / 16 + y / 16) % 3;
        a->data[size_t(y) * size_t(a->bytes_per_row) + size_t(x)] =
            uint8_t(k == 0 ? 0 : k == 1 ? 255 : (x * 5 + y) & 0xFF);
      }
  }
  ~Plane() { qmos_free_alpha(a); }
};

void BM_blend_ours(benchmark::State& st) {
  Owned s(kW, kH), d(kW, kH);
  Plane p(kW, kH);
  qmAlphaBlendRequest r{s.b->pixels, 0, 0, 0, 0, s.b->bytes_per_row / 4, d.b->pixels, 0, 0,
                        d.b->bytes_per_row / 4, kW, kH, p.a->data, p.a->bytes_per_row,
                        PIXFMT_BGRX};
  for (auto _ : st) {
    alpha_blend_pixels(r);
    benchmark::ClobberMemory();
  }
  pixels(st, int64_t(kW) * kH);
}
void BM_blend_pixman(benchmark::State& st) {
  Owned s(kW, kH), d(kW, kH);
  Plane p(kW, kH);
  pixman_image_t* src = wrap(s.b);
  pixman_image_t* dst = wrap(d.b);
  pixman_image_t* mask = pixman_image_create_bits(PIXMAN_a8, kW, kH,
                                                  reinterpret_cast<uint32_t*>(p.a->data),
                                                  p.a->bytes_per_row);
  for (auto _ : st) {
    pixman_image_composite32(PIXMAN_OP_OVER, src, mask, dst, 0, 0, 0, 0, 0, 0, kW, kH);
    benchmark::ClobberMemory();
  }
  pixman_image_unref(mask);
  pixman_image_unref(dst);
  pixman_image_unref(src);
  pixels(st, int64_t(kW) * kH);
}

// --- scaling ------------------------------------------------------------------------------------

void scale_ours(benchmark::State& st, int32_t nw, int32_t nh, int32_t interpolate,
                int32_t sw = kW, int32_t sh = kH) {
  Owned s(sw, sh), d(nw, nh);
  for (auto _ : st) {
    bitmap_draw(s.b, nullptr, nullptr, 0, 0, d.b, sw, sh, nw, nh, interpolate, nullptr, nullptr,
                nullptr);
    benchmark::ClobberMemory();
  }
  pixels(st, int64_t(nw) * nh);
}
void scale_pixman(benchmark::State& st, int32_t nw, int32_t nh, pixman_filter_t filter,
                  int32_t sw = kW, int32_t sh = kH) {
  Owned s(sw, sh), d(nw, nh);
  pixman_image_t* src = wrap(s.b);
  pixman_image_t* dst = wrap(d.b);
  pixman_transform_t t;
  pixman_transform_init_scale(&t, pixman_double_to_fixed(double(sw) / nw),
                              pixman_double_to_fixed(double(sh) / nh));
  pixman_image_set_transform(src, &t);
  pixman_image_set_filter(src, filter, nullptr, 0);
  pixman_image_set_repeat(src, PIXMAN_REPEAT_PAD);
  for (auto _ : st) {
    pixman_image_composite32(PIXMAN_OP_SRC, src, nullptr, dst, 0, 0, 0, 0, 0, 0, nw, nh);
    benchmark::ClobberMemory();
  }
  pixman_image_unref(dst);
  pixman_image_unref(src);
  pixels(st, int64_t(nw) * nh);
}
void BM_nearest_down_ours(benchmark::State& st) { scale_ours(st, 1280, 720, 0); }
void BM_nearest_down_pixman(benchmark::State& st) { scale_pixman(st, 1280, 720, PIXMAN_FILTER_NEAREST); }
void BM_nearest_up2_ours(benchmark::State& st) { scale_ours(st, 2 * kW, 2 * kH, 0); }
void BM_nearest_up2_pixman(benchmark::State& st) { scale_pixman(st, 2 * kW, 2 * kH, PIXMAN_FILTER_NEAREST); }
void BM_bilinear_down_ours(benchmark::State& st) { scale_ours(st, 1280, 720, 1); }
void BM_bilinear_down_pixman(benchmark::State& st) { scale_pixman(st, 1280, 720, PIXMAN_FILTER_BILINEAR); }
// The scaling alone of ScaleBrush's 4096 x 4096 to 1920 x 1080, without making the picture.
void BM_bilinear_4096_ours(benchmark::State& st) { scale_ours(st, kW, kH, 1, 4096, 4096); }
void BM_bilinear_4096_pixman(benchmark::State& st) { scale_pixman(st, kW, kH, PIXMAN_FILTER_BILINEAR, 4096, 4096); }
void BM_bilinear_up2_ours(benchmark::State& st) { scale_ours(st, 2 * kW, 2 * kH, 1); }
void BM_bilinear_up2_pixman(benchmark::State& st) { scale_pixman(st, 2 * kW, 2 * kH, PIXMAN_FILTER_BILINEAR); }

// --- affine rotation of 1024 x 1024 by 30 degrees ---------------------------------------------

constexpr int32_t kR = 1024;
const double kAngle = 30.0 * 3.141592653589793 / 180.0;

void rotate_ours(benchmark::State& st, int32_t smooth) {
  Owned s(kR, kR);
  const double m[4] = {std::cos(kAngle), std::sin(kAngle), -std::sin(kAngle), std::cos(kAngle)};
  int32_t nw, nh;
  double mx, my;
  rect_transform_corners(m, kR, kR, &nw, &nh, &mx, &my);
  Owned d(nw, nh);
  const double block[6] = {m[0], m[1], m[2], m[3], -mx, -my};
  qmTransformJob j{};
  j.source = s.b->pixels;
  j.dest = d.b->pixels;
  j.source_width = j.source_height = kR;
  j.source_ppr = s.b->bytes_per_row / 4;
  j.dest_width = nw;
  j.dest_height = nh;
  j.dest_ppr = d.b->bytes_per_row / 4;
  j.transform = block;
  j.smooth = smooth;
  j.format = PIXFMT_BGRX;
  j.bytes_per_pixel = 4;
  for (auto _ : st) {
    transform_pixels(j);
    benchmark::ClobberMemory();
  }
  pixels(st, int64_t(nw) * nh);
}
void rotate_pixman(benchmark::State& st, pixman_filter_t filter) {
  Owned s(kR, kR);
  const double c = std::cos(kAngle), sn = std::sin(kAngle);
  const double m[4] = {c, sn, -sn, c};
  int32_t nw, nh;
  double mx, my;
  rect_transform_corners(m, kR, kR, &nw, &nh, &mx, &my);
  Owned d(nw, nh);
  pixman_image_t* src = wrap(s.b);
  pixman_image_t* dst = wrap(d.b);
  // Destination to source: the inverse rotation after undoing the offset.
  pixman_f_transform ft;
  pixman_f_transform_init_identity(&ft);
  ft.m[0][0] = c, ft.m[0][1] = sn, ft.m[0][2] = c * mx + sn * my;
  ft.m[1][0] = -sn, ft.m[1][1] = c, ft.m[1][2] = -sn * mx + c * my;
  pixman_transform_t t;
  pixman_transform_from_pixman_f_transform(&t, &ft);
  pixman_image_set_transform(src, &t);
  pixman_image_set_filter(src, filter, nullptr, 0);
  for (auto _ : st) {
    pixman_image_composite32(PIXMAN_OP_SRC, src, nullptr, dst, 0, 0, 0, 0, 0, 0, nw, nh);
    benchmark::ClobberMemory();
  }
  pixman_image_unref(dst);
  pixman_image_unref(src);
  pixels(st, int64_t(nw) * nh);
}
void BM_rotate_nearest_ours(benchmark::State& st) { rotate_ours(st, 0); }
void BM_rotate_nearest_pixman(benchmark::State& st) { rotate_pixman(st, PIXMAN_FILTER_NEAREST); }
void BM_rotate_bilinear_ours(benchmark::State& st) { rotate_ours(st, 1); }
void BM_rotate_bilinear_pixman(benchmark::State& st) { rotate_pixman(st, PIXMAN_FILTER_BILINEAR); }

// --- gradients ---------------------------------------------------------------------------------

constexpr int32_t kG = 1024;

void gradient_ours(benchmark::State& st, int32_t type, int32_t angle) {
  Owned d(kG, kG);
  qmGradient g{};
  g.type = type;
  g.angle = angle;
  g.start_colour = 0xFF8000;
  g.end_colour = 0x0040C0;
  g.centre_x = g.centre_y = 0.5;
  g.balance = 0.5;
  qmGradientRequest r{d.b->pixels, 4, PIXFMT_BGRX, 0, 0, kG, kG, d.b->bytes_per_row / 4, &g};
  for (auto _ : st) {
    gradient_render(r);
    benchmark::ClobberMemory();
  }
  pixels(st, int64_t(kG) * kG);
}
void gradient_pixman(benchmark::State& st, int32_t type) {
  Owned d(kG, kG);
  pixman_gradient_stop_t stops[2] = {{pixman_int_to_fixed(0), {0xFFFF, 0x8080, 0, 0xFFFF}},
                                     {pixman_int_to_fixed(1), {0, 0x4040, 0xC0C0, 0xFFFF}}};
  pixman_image_t* g = nullptr;
  const pixman_point_fixed_t centre = {pixman_int_to_fixed(kG / 2), pixman_int_to_fixed(kG / 2)};
  if (type == GRADIENT_LINEAR) {
    const pixman_point_fixed_t a = {0, 0}, b = {pixman_int_to_fixed(kG), pixman_int_to_fixed(kG)};
    g = pixman_image_create_linear_gradient(&a, &b, stops, 2);
  } else if (type == GRADIENT_RADIAL) {
    g = pixman_image_create_radial_gradient(&centre, &centre, 0,
                                            pixman_double_to_fixed(kG * 0.7071), stops, 2);
  } else {
    g = pixman_image_create_conical_gradient(&centre, 0, stops, 2);
  }
  pixman_image_t* dst = wrap(d.b);
  for (auto _ : st) {
    pixman_image_composite32(PIXMAN_OP_SRC, g, nullptr, dst, 0, 0, 0, 0, 0, 0, kG, kG);
    benchmark::ClobberMemory();
  }
  pixman_image_unref(dst);
  pixman_image_unref(g);
  pixels(st, int64_t(kG) * kG);
}
void BM_linear_ours(benchmark::State& st) { gradient_ours(st, GRADIENT_LINEAR, 45); }
void BM_linear_pixman(benchmark::State& st) { gradient_pixman(st, GRADIENT_LINEAR); }
void BM_radial_ours(benchmark::State& st) { gradient_ours(st, GRADIENT_RADIAL, 0); }
void BM_radial_pixman(benchmark::State& st) { gradient_pixman(st, GRADIENT_RADIAL); }
void BM_conical_ours(benchmark::State& st) { gradient_ours(st, GRADIENT_CONICAL, 0); }
void BM_conical_pixman(benchmark::State& st) { gradient_pixman(st, GRADIENT_CONICAL); }

// --- the blit layer ----------------------------------------------------------------------------

// SAFEBLT with a display as the current output and no sprites, the way drawing commands call it.
struct Output {
  qmBlitOutput display{};
  qmBlitPicture picture{kW, kH, nullptr, nullptr};
  Output() {
    display.object_type = kOutputDisplay;
    display.picture = &picture;
    blit_globals().current = &display;
  }
  ~Output() { blit_globals().current = nullptr; }
};

// Bookkeeping per call: 16 x 16 sprite-sized blits spread over the target, against the raw copy.
constexpr int32_t kCalls = 1024;
void BM_safeblt16_ours(benchmark::State& st) {
  Owned s(64, 64), d(640, 480);
  Output o;
  for (auto _ : st) {
    for (int32_t i = 0; i < kCalls; ++i)
      SAFEBLT(nullptr, s.b, (i * 3) & 31, (i * 5) & 31, d.b, (i * 37) % 624, (i * 11) % 464, 16,
              16, 64, 64, 640, 480, 0, nullptr, nullptr, nullptr);
    benchmark::ClobberMemory();
  }
  st.SetItemsProcessed(int64_t(st.iterations()) * kCalls);
}
void BM_safeblt16_raw(benchmark::State& st) {
  Owned s(64, 64), d(640, 480);
  for (auto _ : st) {
    for (int32_t i = 0; i < kCalls; ++i)
      BLTBITMAP(s.b, (i * 3) & 31, (i * 5) & 31, d.b, (i * 37) % 624, (i * 11) % 464, 16, 16);
    benchmark::ClobberMemory();
  }
  st.SetItemsProcessed(int64_t(st.iterations()) * kCalls);
}

void BM_safeblt640_ours(benchmark::State& st) {
  Owned s(640, 480), d(640, 480);
  Output o;
  for (auto _ : st) {
    SAFEBLT(nullptr, s.b, 0, 0, d.b, 0, 0, 640, 480, 640, 480, 640, 480, 0, nullptr, nullptr,
            nullptr);
    benchmark::ClobberMemory();
  }
  pixels(st, 640 * 480);
}
void BM_safeblt640_memcpy(benchmark::State& st) {
  Owned s(640, 480), d(640, 480);
  const size_t n = size_t(s.b->bytes_per_row) * 480;
  for (auto _ : st) {
    std::memcpy(d.b->pixels, s.b->pixels, n);
    benchmark::ClobberMemory();
  }
  pixels(st, 640 * 480);
}

// A bitmap through its alpha plane onto the output, against pixman's OVER with an a8 mask.
void BM_safebltalpha_ours(benchmark::State& st) {
  Owned s(640, 480), d(640, 480);
  Plane p(640, 480);
  Output o;
  for (auto _ : st) {
    SAFEBLT(nullptr, s.b, 0, 0, d.b, 0, 0, 640, 480, 640, 480, 640, 480, 0, nullptr, p.a,
            nullptr);
    benchmark::ClobberMemory();
  }
  pixels(st, 640 * 480);
}
void BM_safebltalpha_pixman(benchmark::State& st) {
  Owned s(640, 480), d(640, 480);
  Plane p(640, 480);
  pixman_image_t* src = wrap(s.b);
  pixman_image_t* dst = wrap(d.b);
  pixman_image_t* mask = pixman_image_create_bits(PIXMAN_a8, 640, 480,
                                                  reinterpret_cast<uint32_t*>(p.a->data),
                                                  p.a->bytes_per_row);
  for (auto _ : st) {
    pixman_image_composite32(PIXMAN_OP_OVER, src, mask, dst, 0, 0, 0, 0, 0, 0, 640, 480);
    benchmark::ClobberMemory();
  }
  pixman_image_unref(mask);
  pixman_image_unref(dst);
  pixman_image_unref(src);
  pixels(st, 640 * 480);
}

// The whole transformed copy (new planes included) of 1024 x 1024 turned 30 degrees.
void transform_new_ours(benchmark::State& st, int32_t smooth) {
  Owned s(kR, kR);
  const double m[4] = {std::cos(kAngle), std::sin(kAngle), -std::sin(kAngle), std::cos(kAngle)};
  int32_t nw = 0, nh = 0;
  for (auto _ : st) {
    qmBitmap* b = nullptr;
    qmMask* mask = nullptr;
    bitmap_transform_new(s.b, nullptr, nullptr, 0, 0, kR, kR, m, smooth, &b, &mask, nullptr, &nw,
                         &nh);
    benchmark::DoNotOptimize(b);
    qmos_free_bitmap(b);
    qmos_free_mask(mask);
  }
  pixels(st, int64_t(nw) * nh);
}
void BM_transform_new_nearest_ours(benchmark::State& st) { transform_new_ours(st, 0); }
void BM_transform_new_nearest_pixman(benchmark::State& st) { rotate_pixman(st, PIXMAN_FILTER_NEAREST); }
void BM_transform_new_smooth_ours(benchmark::State& st) { transform_new_ours(st, 1); }
void BM_transform_new_smooth_pixman(benchmark::State& st) { rotate_pixman(st, PIXMAN_FILTER_BILINEAR); }

#define PAIR(name, peer)                                                  \
  BENCHMARK(BM_##name##_ours)->Unit(benchmark::kMillisecond)->MinTime(0.3); \
  BENCHMARK(BM_##name##_##peer)->Unit(benchmark::kMillisecond)->MinTime(0.3)

PAIR(copy, memcpy);
PAIR(fill, pixman);
PAIR(blend, pixman);
PAIR(nearest_down, pixman);
PAIR(nearest_up2, pixman);
PAIR(bilinear_down, pixman);
PAIR(bilinear_up2, pixman);
PAIR(bilinear_4096, pixman);
PAIR(rotate_nearest, pixman);
PAIR(rotate_bilinear, pixman);
PAIR(linear, pixman);
PAIR(radial, pixman);
PAIR(conical, pixman);
PAIR(safeblt16, raw);
PAIR(safeblt640, memcpy);
PAIR(safebltalpha, pixman);
PAIR(transform_new_nearest, pixman);
PAIR(transform_new_smooth, pixman);

// Keeps every run's throughput for the ratio table.
class Collector : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs) {
      auto it = r.counters.find("items_per_second");
      if (it == r.counters.end()) continue;
      std::string name = r.benchmark_name();
      name = name.substr(0, name.find('/'));  // drop the "/min_time:..." part
      rate[name] = it->second.value / 1e6;
    }
  }
  std::map<std::string, double> rate;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  Collector c;
  benchmark::RunSpecifiedBenchmarks(&c);
  benchmark::Shutdown();
  std::printf("\n%-22s %12s %12s %8s  (Mpixel/s; safeblt16 in M calls/s)\n", "operation", "ours", "peer", "ratio");
  for (const auto& [name, ours] : c.rate) {
    const std::string suffix = "_ours";
    if (name.size() < suffix.size() || name.compare(name.size() - suffix.size(), suffix.size(), suffix))
      continue;
    const std::string stem = name.substr(0, name.size() - suffix.size());
    for (const auto& [peer_name, peer] : c.rate) {
      if (peer_name.rfind(stem + "_", 0) != 0 || peer_name == name) continue;
      std::printf("%-22s %12.1f %12.1f %8.2f  vs %s\n", stem.substr(3).c_str(), ours, peer,
                  peer > 0 ? ours / peer : 0.0, peer_name.substr(stem.size() + 1).c_str());
    }
  }
  return 0;
}

// Two measurements beside their peers in one run:
// - a 1920x1080 brush drawn into a 1920x1080 picture through the blit layer with a full-size
//   shaped clip region, against the same blit without a region (ratio = plain time / shaped
//   time; the shaped path should stay within 1.5x of the plain one, so the ratio above 0.67);
// - the blur behind BlurBrush (radius 5) on a 1024x1024 picture, against ImageMagick's
//   `convert -blur 5x1.667` on the same picture (its whole run, reading and writing a PPM in
//   $TMPDIR). Ratio = peer / ours; above 1.0 we are faster.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "gfx/bitmap.h"
#include "gfx/blit.h"
#include "gfx/effects.h"

namespace {

using namespace qm;

double now_s() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// Best of interleaved rounds, in milliseconds per call.
std::vector<double> measure(const std::vector<std::function<void()>>& ops, int n, int rounds) {
  std::vector<double> best(ops.size(), 1e30);
  for (int round = 0; round < rounds; ++round)
    for (size_t i = 0; i < ops.size(); ++i) {
      const double t0 = now_s();
      for (int k = 0; k < n; ++k) ops[i]();
      best[i] = std::min(best[i], (now_s() - t0) * 1e3 / n);
    }
  return best;
}

void row(const char* what, double ours, double peer, const char* peer_name) {
  std::printf("%-34s %10.3f %10.3f %7.2f  vs %s\n", what, ours, peer, ours > 0 ? peer / ours : 0.0, peer_name);
}

void fill(qmBitmap* b) {
  const int32_t ppr = b->bytes_per_row / 4;
  for (int32_t y = 0; y < b->height; ++y)
    for (int32_t x = 0; x < b->width; ++x)
      b->pixels[size_t(y) * size_t(ppr) + size_t(x)] =
          uint32_t((x * 7 + y * 13) & 0xFF) << 24 | uint32_t((x ^ y) & 0xFF) << 16 | uint32_t((x + 3 * y) & 0xFF) << 8;
}

void clip_bench() {
  constexpr int32_t kW = 1920, kH = 1080;
  qmBitmap* source = qmos_alloc_bitmap(kW, kH);
  qmBitmap* target = qmos_alloc_bitmap(kW, kH);
  qmMask* shape = qmos_alloc_mask(kW, kH, 1);
  fill(source);
  // A disc with a ragged rim: every row has a run of visible pixels, as a typical shape.
  for (int32_t y = 0; y < kH; ++y)
    for (int32_t x = 0; x < kW; ++x) {
      const int64_t dx = x - kW / 2, dy = y - kH / 2;
      if (dx * dx + dy * dy < int64_t(500 + (x % 7)) * 500) mask_bit_set(shape->data + size_t(y) * shape->bytes_per_row, x);
    }
  const qmClipRegion region{0, 0, kW, kH, shape, shape->bytes_per_row};
  // The same region with every pixel visible: nothing to skip, so the mask is pure cost.
  qmMask* whole = qmos_alloc_mask(kW, kH, 1);
  std::memset(whole->data, 0xFF, size_t(whole->bytes_per_row) * kH);
  const qmClipRegion whole_region{0, 0, kW, kH, whole, whole->bytes_per_row};
  // A selected offscreen picture as the current output: the blit draws into `target` only.
  qmBlitOutput output{};
  output.object_type = 3;
  blit_globals().current = &output;
  auto blit = [&](const qmClipRegion* clip) {
    SAFEBLT(nullptr, source, 0, 0, target, 0, 0, kW, kH, kW, kH, kW, kH, BLIT_DESTONLY, nullptr, nullptr, clip);
  };
  const auto t = measure({[&] { blit(nullptr); }, [&] { blit(&region); }, [&] { blit(&whole_region); }}, 5, 9);
  row("DisplayBrush 1920x1080, SHAPE clip", t[1], t[0], "the plain path (ms)");
  row("  SHAPE clip, all of it visible", t[2], t[0], "the plain path (ms)");
  std::printf("  the SHAPE path takes %.2fx (disc) and %.2fx (all visible) the plain path's time; bound 1.5x\n",
              t[1] / t[0], t[2] / t[0]);
  blit_globals().current = nullptr;
  qmos_free_mask(shape);
  qmos_free_mask(whole);
  qmos_free_bitmap(source);
  qmos_free_bitmap(target);
  blit_free_scratch();
}

void blur_bench() {
  constexpr int32_t kS = 1024;
  qmBitmap* picture = qmos_alloc_bitmap(kS, kS);
  fill(picture);
  const auto ours = measure({[&] { bitmap_convolve(CONVOLVE_BLUR, picture, nullptr, kS, kS, 5.0, 5.0 / 3.0, nullptr); }},
                            1, 5);
  qmos_free_bitmap(picture);
  const char* dir = std::getenv("TMPDIR");
  const std::string base = dir ? dir : "/tmp";
  const std::string in = base + "/qm_bench_blur_in.ppm", out = base + "/qm_bench_blur_out.ppm";
  if (FILE* f = std::fopen(in.c_str(), "wb")) {
    std::fprintf(f, "P6\n%d %d\n255\n", kS, kS);
    for (int32_t y = 0; y < kS; ++y)
      for (int32_t x = 0; x < kS; ++x) {
        const unsigned char rgb[3] = {uint8_t((x ^ y) & 0xFF), uint8_t((x + 3 * y) & 0xFF), uint8_t((x * 7 + y * 13) & 0xFF)};
        std::fwrite(rgb, 1, 3, f);
      }
    std::fclose(f);
  }
  const std::string cmd = "convert " + in + " -blur 5x1.667 " + out + " 2>/dev/null";
  double peer = 0;
  if (std::system(("command -v convert >/dev/null 2>&1")) == 0) {
    peer = measure({[&] { (void)!std::system(cmd.c_str()); }}, 1, 5)[0];
    row("BlurBrush radius 5, 1024x1024", ours[0], peer, "convert -blur (ms)");
  } else {
    std::printf("%-34s %10.3f  (ImageMagick's convert not found)\n", "BlurBrush radius 5, 1024x1024", ours[0]);
  }
  std::remove(in.c_str());
  std::remove(out.c_str());
}

}  // namespace

int main() {
  std::printf("%-34s %10s %10s %7s\n", "case", "ours", "peer", "ratio");
  clip_bench();
  blur_bench();
  return 0;
}

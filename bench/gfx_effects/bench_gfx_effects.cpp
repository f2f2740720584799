// Throughput of the effects, the quantiser and the distortion on a 1024 x 1024 picture, each
// against a peer measured in the same run: ImageMagick's convert (one thread; its time is the
// command with the operation less the same command without it) and libjpeg-turbo's two-pass
// quantiser (decoding with it less decoding without it).
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "gfx/bitmap.h"
#include "gfx/distort.h"
#include "gfx/effects.h"
#include "gfx/quantize.h"

// jpeglib.h needs size_t and FILE declared before it.
// clang-format off
#include <jpeglib.h>
// clang-format on

namespace {

using namespace qm;
using Clock = std::chrono::steady_clock;

constexpr int kSize = 1024;
constexpr double kMpix = kSize * double(kSize) / 1e6;

double seconds_since(Clock::time_point t0) {
  return std::chrono::duration<double>(Clock::now() - t0).count();
}

// Best time of several runs; prepare() runs outside the timing before each.
double best_time(const std::function<void()>& prepare, const std::function<void()>& work,
                 int runs = 5) {
  double best = 1e30;
  for (int i = 0; i < runs; ++i) {
    prepare();
    auto t0 = Clock::now();
    work();
    best = std::min(best, seconds_since(t0));
  }
  return best;
}

// A photo-like picture: smooth colour fields, a few hard shapes and fine grain.
std::vector<uint8_t> make_picture() {
  std::vector<uint8_t> rgb(size_t(kSize) * kSize * 3);
  uint32_t s = 1;
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      s = s * 1664525u + 1013904223u;
      const int grain = int(s >> 28) - 8;
      double r = 128 + 100 * std::sin(x * 0.011) * std::cos(y * 0.007);
      double g = 128 + 90 * std::sin((x + y) * 0.005);
      double b = 128 + 110 * std::cos(std::hypot(x - 400, y - 600) * 0.02);
      if ((x / 128 + y / 160) % 5 == 0) r = 220, g = 200, b = 40;
      uint8_t* p = &rgb[(size_t(y) * kSize + x) * 3];
      p[0] = uint8_t(std::clamp(int(r) + grain, 0, 255));
      p[1] = uint8_t(std::clamp(int(g) + grain, 0, 255));
      p[2] = uint8_t(std::clamp(int(b) + grain, 0, 255));
    }
  return rgb;
}

void fill_bitmap(qmBitmap* bm, const std::vector<uint8_t>& rgb) {
  const int ppr = bm->bytes_per_row / 4;
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      const uint8_t* p = &rgb[(size_t(y) * kSize + x) * 3];
      bm->pixels[size_t(y) * ppr + x] =
          uint32_t(p[2]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[0]) << 8;
    }
}

struct Scratch {
  std::string dir, ppm, mpc, jpg;
};

bool run_quiet(const std::string& cmd) {
  return std::system((cmd + " >/dev/null 2>&1").c_str()) == 0;
}

// Seconds ImageMagick spends on one operation, single-threaded: best of three runs of the
// command with the operation, less the best of three without it. Negative when unavailable.
double magick_time(const Scratch& s, const std::string& op) {
  const std::string base = "convert -limit thread 1 " + s.mpc + " ";
  auto timed = [&](const std::string& cmd) {
    double best = 1e30;
    for (int i = 0; i < 3; ++i) {
      auto t0 = Clock::now();
      if (!run_quiet(cmd)) return -1.0;
      best = std::min(best, seconds_since(t0));
    }
    return best;
  };
  const double with = timed(base + op + " null:"), without = timed(base + "null:");
  if (with < 0 || without < 0) return -1.0;
  return std::max(with - without, 1e-6);
}

void report(const char* name, double ours, const char* peer_name, double peer) {
  std::printf("%-26s %8.1f Mpixel/s", name, kMpix / ours);
  if (peer > 0)
    std::printf("   %-22s %8.1f Mpixel/s   ratio %.2f\n", peer_name, kMpix / peer, peer / ours);
  else
    std::printf("   (%s not available)\n", peer_name);
}

// libjpeg-turbo: decoding time with its two-pass quantiser (256 colours, no dithering) less the
// plain decoding time.
double jpeg_decode_time(const std::string& path, bool quantize) {
  return best_time(
      [] {},
      [&] {
        FILE* f = std::fopen(path.c_str(), "rb");
        if (f == nullptr) return;
        jpeg_decompress_struct cinfo;
        jpeg_error_mgr err;
        cinfo.err = jpeg_std_error(&err);
        jpeg_create_decompress(&cinfo);
        jpeg_stdio_src(&cinfo, f);
        jpeg_read_header(&cinfo, TRUE);
        cinfo.out_color_space = JCS_RGB;
        if (quantize) {
          cinfo.quantize_colors = TRUE;
          cinfo.two_pass_quantize = TRUE;
          cinfo.dither_mode = JDITHER_NONE;
          cinfo.desired_number_of_colors = 256;
        }
        jpeg_start_decompress(&cinfo);
        std::vector<uint8_t> line(size_t(cinfo.output_width) * cinfo.output_components);
        while (cinfo.output_scanline < cinfo.output_height) {
          JSAMPROW row = line.data();
          jpeg_read_scanlines(&cinfo, &row, 1);
        }
        jpeg_finish_decompress(&cinfo);
        jpeg_destroy_decompress(&cinfo);
        std::fclose(f);
      },
      9);
}

}  // namespace

int main() {
  const std::vector<uint8_t> rgb = make_picture();
  Scratch s;
  char dir[] = "/tmp/qmbenchXXXXXX";
  if (mkdtemp(dir) == nullptr) return 1;
  s.dir = dir, s.ppm = s.dir + "/in.ppm", s.mpc = s.dir + "/in.mpc", s.jpg = s.dir + "/in.jpg";
  if (FILE* f = std::fopen(s.ppm.c_str(), "wb")) {
    std::fprintf(f, "P6\n%d %d\n255\n", kSize, kSize);
    std::fwrite(rgb.data(), 1, rgb.size(), f);
    std::fclose(f);
  }
  const bool magick = run_quiet("convert " + s.ppm + " " + s.mpc) &&
                      run_quiet("convert " + s.ppm + " -quality 95 -sampling-factor 1x1 " + s.jpg);

  qmBitmap* bm = qmos_alloc_bitmap(kSize, kSize);
  auto restore = [&] { fill_bitmap(bm, rgb); };
  std::printf("1024 x 1024, one thread; ratio = peer time / our time (above 1: we are faster)\n");

  struct Effect {
    const char* name;
    std::function<void()> run;
    std::string magick_op;
  };
  const Effect effects[] = {
      {"blur 3x1.5",
       [&] { bitmap_convolve(CONVOLVE_BLUR, bm, nullptr, kSize, kSize, 3, 1.5, nullptr); },
       "-blur 3x1.5"},
      {"sharpen 2x1",
       [&] { bitmap_convolve(CONVOLVE_SHARPEN, bm, nullptr, kSize, kSize, 2, 1, nullptr); },
       "-sharpen 2x1"},
      {"oil paint radius 2", [&] { bitmap_oilpaint(bm, kSize, kSize, 2); }, "-paint 2"},
      {"oil paint radius 5", [&] { bitmap_oilpaint(bm, kSize, kSize, 5); }, "-paint 5"},
  };
  for (const Effect& e : effects) {
    const double ours = best_time(restore, e.run);
    report(e.name, ours, "ImageMagick", magick ? magick_time(s, e.magick_op) : -1);
  }

  {
    std::vector<uint8_t> indices(size_t(kSize) * kSize);
    uint32_t palette[257];
    restore();
    const double ours =
        best_time([] {},
                  [&] {
                    int32_t count = 256;
                    argb_quantize(bm->pixels, bm->format, 4, kSize, kSize, bm->bytes_per_row / 4,
                                  indices.data(), palette, &count, -1, 0, 0);
                  });
    double peer = -1;
    if (magick)
      peer = std::max(jpeg_decode_time(s.jpg, true) - jpeg_decode_time(s.jpg, false), 1e-6);
    report("quantise to 256 colours", ours, "libjpeg-turbo", peer);
  }

  for (int smooth = 0; smooth < 2; ++smooth) {
    restore();
    const double values[4] = {0.1, -0.05, 0.02, 0.93};
    const double ours =
        best_time([] {},
                  [&] {
                    qmBitmap* ob = nullptr;
                    qmMask* om = nullptr;
                    qmAlphaChannel* oa = nullptr;
                    int32_t w = 0, h = 0;
                    if (bitmap_distort(bm, nullptr, nullptr, kSize, kSize, DISTORT_BARREL, 4,
                                       values, smooth, &ob, &om, &oa, &w, &h) == 0) {
                      qmos_free_bitmap(ob);
                      qmos_free_mask(om);
                      qmos_free_alpha(oa);
                    }
                  });
    const std::string op =
        smooth ? "-distort Barrel '0.1 -0.05 0.02 0.93'"
               : "-filter point -interpolate nearest -distort Barrel '0.1 -0.05 0.02 0.93'";
    report(smooth ? "barrel, filtered" : "barrel, nearest", ours, "ImageMagick",
           magick ? magick_time(s, op) : -1);
  }

  qmos_free_bitmap(bm);
  std::remove(s.ppm.c_str());
  std::remove(s.mpc.c_str());
  std::remove((s.dir + "/in.cache").c_str());
  std::remove(s.jpg.c_str());
  rmdir(dir);
  return 0;
}

// The picture readers against the best decoder of each format, on one 4096 x 4096 picture, in
// one run: PNG against libpng's simplified API, BMP against SDL_LoadBMP_RW, ILBM against netpbm's
// ilbmtoppm (a process writing to /dev/null). Each line prints both times and their ratio.
#include <SDL.h>
#include <png.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "display/codecs/codecs.h"

namespace {

constexpr int32_t kSide = 4096;

double best_seconds(int runs, const std::function<void()>& work) {
  double best = 1e9;
  for (int i = 0; i < runs; ++i) {
    auto t0 = std::chrono::steady_clock::now();
    work();
    std::chrono::duration<double> d = std::chrono::steady_clock::now() - t0;
    best = std::min(best, d.count());
  }
  return best;
}

void report(const char* what, double ours, const char* peer, double theirs, const char* goal) {
  std::printf("%-5s ours %8.1f ms  %-24s %8.1f ms  ratio %.3f  (goal %s)\n", what, ours * 1e3,
              peer, theirs * 1e3, ours / theirs, goal);
}

// Smooth areas, edges and some noise: compressors neither win nor lose everything.
std::vector<uint32_t> make_picture() {
  std::vector<uint32_t> px(size_t(kSide) * kSide);
  uint32_t seed = 23;
  for (int32_t y = 0; y < kSide; ++y) {
    for (int32_t x = 0; x < kSide; ++x) {
      seed = seed * 1103515245u + 12345u;
      uint32_t noise = (seed >> 16) & 15;
      uint32_t r = uint32_t(x / 16) & 255, g = uint32_t(y / 16) & 255;
      uint32_t b = ((x / 64 + y / 64) & 1) ? 200 + noise : noise;
      px[size_t(y) * kSide + size_t(x)] = (r << 16) | (g << 8) | b;
    }
  }
  return px;
}

}  // namespace

int main() {
  std::vector<uint32_t> picture = make_picture();
  const std::string dir = "bench_readers_files";
  std::system(("mkdir -p " + dir).c_str());
  const std::string png = dir + "/p.png", bmp = dir + "/p.bmp", ilbm = dir + "/p.iff";

  png_image out{};
  out.version = PNG_IMAGE_VERSION;
  out.width = kSide;
  out.height = kSide;
  out.format = PNG_FORMAT_BGRA;  // 0xAARRGGBB words on this host
  std::vector<uint32_t> opaque = picture;
  for (uint32_t& p : opaque) p |= 0xFF000000;
  if (!png_image_write_to_file(&out, png.c_str(), 0, opaque.data(), 0, nullptr) ||
      qm::bmp_write(bmp.c_str(), picture.data(), kSide, kSide) ||
      qm::ilbm_save(ilbm.c_str(), picture.data(), kSide, kSide)) {
    std::fprintf(stderr, "bench_readers: cannot write the test files\n");
    return 1;
  }

  auto ours = [](auto load) {
    return [load] {
      uint32_t* px = nullptr;
      if (load(&px) || !px) std::abort();
      qm::qmos_free_pixels(px);
    };
  };
  double png_ours = best_seconds(5, ours([&](uint32_t** px) {
    int32_t w, h, a;
    return qm::png_load(png.c_str(), &w, &h, px, &a, nullptr);
  }));
  double png_peer = best_seconds(5, [&] {
    png_image in{};
    in.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&in, png.c_str())) std::abort();
    in.format = PNG_FORMAT_BGRA;
    std::vector<uint8_t> buf(PNG_IMAGE_SIZE(in));
    if (!png_image_finish_read(&in, nullptr, buf.data(), 0, nullptr)) std::abort();
  });
  report("PNG", png_ours, "libpng simplified API", png_peer, "at most 1.15");

  double bmp_ours = best_seconds(5, ours([&](uint32_t** px) {
    int32_t w, h;
    return qm::bmp_load(bmp.c_str(), &w, &h, px, nullptr);
  }));
  double bmp_peer = best_seconds(5, [&] {
    SDL_Surface* s = SDL_LoadBMP_RW(SDL_RWFromFile(bmp.c_str(), "rb"), 1);
    if (!s) std::abort();
    SDL_FreeSurface(s);
  });
  report("BMP", bmp_ours, "SDL_LoadBMP_RW", bmp_peer, "at most 1.0");

  double ilbm_ours = best_seconds(3, ours([&](uint32_t** px) {
    int32_t w, h, t;
    return qm::ilbm_load(ilbm.c_str(), nullptr, -1, 0, &t, &w, &h, px, nullptr);
  }));
  double ilbm_peer = best_seconds(3, [&] {
    if (std::system(("ilbmtoppm " + ilbm + " > /dev/null 2>&1").c_str()) != 0) std::abort();
  });
  report("ILBM", ilbm_ours, "ilbmtoppm", ilbm_peer, "below 1");
  std::system(("rm -rf " + dir).c_str());
  return 0;
}

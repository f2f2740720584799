// Picture codecs beside their peers, measured in the same run, each pair interleaved and the best
// of several rounds taken:
//   GIF encode   our writer against giflib's EGifPutLine, same indices and palette (1024 x 1024,
//                256 colours);
//   GIF decode   our reader (open, every frame composed) against giflib's DGifSlurp followed by
//                the same composition (100 frames of 320 x 240);
//   PNG export   our PNG export against libpng's simplified writer (1024 x 1024 ARGB).
// A ratio above 1.0 means we are faster (peer time / our time).
#include <gif_lib.h>
#include <png.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "display/codecs/export.h"
#include "display/codecs/gif.h"
#include "gfx/bitmap.h"

namespace {

using namespace qm;
using Clock = std::chrono::steady_clock;

double seconds(const std::function<void()>& fn) {
  const auto t0 = Clock::now();
  fn();
  return std::chrono::duration<double>(Clock::now() - t0).count();
}

// Best time of each side over interleaved rounds.
void compare(const char* name, const std::function<void()>& ours, const std::function<void()>& peer,
             const char* peer_name, int rounds) {
  double best_ours = 1e30, best_peer = 1e30;
  for (int i = 0; i < rounds; ++i) {
    best_ours = std::min(best_ours, seconds(ours));
    best_peer = std::min(best_peer, seconds(peer));
  }
  std::printf("%-12s ours %8.2f ms  %-22s %8.2f ms  ratio %.2f\n", name, best_ours * 1e3, peer_name,
              best_peer * 1e3, best_peer / best_ours);
}

std::vector<GifColorType> gif_colours(const std::vector<uint32_t>& palette) {
  std::vector<GifColorType> c(256);
  for (size_t i = 0; i < 256; ++i)
    c[i] = GifColorType{uint8_t(palette[i] >> 16), uint8_t(palette[i] >> 8), uint8_t(palette[i])};
  return c;
}

// A picture with smooth areas, edges and some noise, as photographs reduced to 256 colours are.
std::vector<uint8_t> picture_indices(int32_t w, int32_t h, uint32_t seed, int32_t shift) {
  std::mt19937 rng(seed);
  std::vector<uint8_t> v(size_t(w) * size_t(h));
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) {
      int v0 = ((x + shift) / 4 + (y / 8) * 3) & 127;
      if (((x + shift) / 40 + y / 30) % 3 == 0) v0 = 128 + ((x ^ y) & 63);
      if (rng() % 8 == 0) v0 = int(rng() % 256);
      v[size_t(y) * size_t(w) + size_t(x)] = uint8_t(v0);
    }
  return v;
}

std::vector<uint32_t> palette256() {
  std::vector<uint32_t> p(256);
  for (uint32_t i = 0; i < 256; ++i) p[i] = (i * 37 & 255) << 16 | (i * 91 & 255) << 8 | (i * 13 & 255);
  return p;
}

// ---- GIF encode --------------------------------------------------------------------------------

void gif_encode_ours(const std::string& path, std::vector<uint8_t>& idx, std::vector<uint32_t>& pal,
                     int32_t n) {
  qmGifWriter* g = nullptr;
  if (gifsave_open(path.c_str(), n, n, &g) != 0) std::abort();
  if (gifsave_write_frame(g, idx.data(), n, n, 0, pal.data(), 256, -1, 0) != 0) std::abort();
  gifsave_close(g);
}

void gif_encode_peer(const std::string& path, std::vector<uint8_t>& idx, std::vector<GifColorType>& colours,
                     int32_t n) {
  int err = 0;
  GifFileType* g = EGifOpenFileName(path.c_str(), false, &err);
  if (!g) std::abort();
  ColorMapObject* map = GifMakeMapObject(256, colours.data());
  EGifPutScreenDesc(g, n, n, 8, 0, nullptr);
  EGifPutImageDesc(g, 0, 0, n, n, false, map);
  for (int32_t y = 0; y < n; ++y) EGifPutLine(g, &idx[size_t(y) * size_t(n)], n);
  EGifCloseFile(g, &err);
  GifFreeMapObject(map);
}

// ---- GIF decode --------------------------------------------------------------------------------

// Canvas composition with the same rules as our reader: background fill, frames drawn with their
// transparent index skipped, disposal 2 and 3 applied after each frame; every frame copied out.
void compose_peer(GifFileType* g, std::vector<uint32_t>& canvas, std::vector<uint32_t>& backup,
                  std::vector<uint32_t>& frame_out) {
  const int32_t sw = g->SWidth, sh = g->SHeight;
  uint32_t global[256] = {};
  auto load_map = [](const ColorMapObject* m, uint32_t* out) {
    for (int i = 0; m && i < m->ColorCount; ++i)
      out[i] = uint32_t(m->Colors[i].Red) << 16 | uint32_t(m->Colors[i].Green) << 8 | m->Colors[i].Blue;
  };
  load_map(g->SColorMap, global);
  std::fill(canvas.begin(), canvas.end(), global[g->SBackGroundColor & 255]);
  for (int i = 0; i < g->ImageCount; ++i) {
    const SavedImage& im = g->SavedImages[i];
    GraphicsControlBlock gcb{0, false, 0, NO_TRANSPARENT_COLOR};
    DGifSavedExtensionToGCB(g, i, &gcb);
    uint32_t local[256] = {};
    const uint32_t* pal = global;
    if (im.ImageDesc.ColorMap) {
      load_map(im.ImageDesc.ColorMap, local);
      pal = local;
    }
    const int32_t l = im.ImageDesc.Left, t = im.ImageDesc.Top, w = im.ImageDesc.Width, h = im.ImageDesc.Height;
    const int32_t x1 = std::min(l + w, sw), y1 = std::min(t + h, sh);
    if (gcb.DisposalMode == DISPOSE_PREVIOUS)
      for (int32_t y = t; y < y1; ++y)
        std::memcpy(&backup[size_t(y) * size_t(sw) + size_t(l)], &canvas[size_t(y) * size_t(sw) + size_t(l)],
                    size_t(std::max(0, x1 - l)) * 4);
    const int trans = gcb.TransparentColor;
    for (int32_t y = t; y < y1; ++y) {
      const uint8_t* in = im.RasterBits + size_t(y - t) * size_t(w);
      uint32_t* out = &canvas[size_t(y) * size_t(sw)];
      for (int32_t x = l; x < x1; ++x)
        if (in[x - l] != trans) out[x] = pal[in[x - l]];
    }
    std::memcpy(frame_out.data(), canvas.data(), canvas.size() * 4);
    if (gcb.DisposalMode == DISPOSE_BACKGROUND) {
      const uint32_t c = pal[trans >= 0 ? trans : (g->SBackGroundColor & 255)];
      for (int32_t y = t; y < y1; ++y)
        for (int32_t x = l; x < x1; ++x) canvas[size_t(y) * size_t(sw) + size_t(x)] = c;
    } else if (gcb.DisposalMode == DISPOSE_PREVIOUS) {
      for (int32_t y = t; y < y1; ++y)
        std::memcpy(&canvas[size_t(y) * size_t(sw) + size_t(l)], &backup[size_t(y) * size_t(sw) + size_t(l)],
                    size_t(std::max(0, x1 - l)) * 4);
    }
  }
}

void gif_decode_peer(const std::string& path) {
  int err = 0;
  GifFileType* g = DGifOpenFileName(path.c_str(), &err);
  if (!g || DGifSlurp(g) != GIF_OK) std::abort();
  std::vector<uint32_t> canvas(size_t(g->SWidth) * size_t(g->SHeight)), backup(canvas.size()),
      frame(canvas.size());
  compose_peer(g, canvas, backup, frame);
  DGifCloseFile(g, &err);
}

void gif_decode_ours(const std::string& path) {
  int32_t w, h, n;
  qmGifReader* r = gifanim_open(path.c_str(), &w, &h, &n, 0);
  if (!r) std::abort();
  for (int32_t i = 0; i < n; ++i) {
    uint32_t* p = gifanim_load_frame(r, i);
    if (!p) std::abort();
    qmos_free_pixels(p);
  }
  gifanim_close(r);
}

// 100 frames of 320 x 240: every tenth a full new picture, the others moving a part of it.
void make_anim(const std::string& path) {
  constexpr int32_t w = 320, h = 240;
  qmGifWriter* g = nullptr;
  if (gifsave_open(path.c_str(), w, h, &g) != 0) std::abort();
  std::vector<uint32_t> pal = palette256();
  for (int i = 0; i < 100; ++i) {
    std::vector<uint8_t> idx = picture_indices(w, h, uint32_t(i / 10), (i % 10) * 3);
    for (auto& v : idx) v = uint8_t(v % 255);  // entry 255 marks unchanged pixels
    std::vector<uint32_t> p = pal;
    if (gifsave_write_frame(g, idx.data(), w, h, 40, p.data(), 256, -1, i % 10 != 0) != 0) std::abort();
  }
  gifsave_close(g);
}

// ---- PNG export --------------------------------------------------------------------------------

void png_peer(const std::string& path, const std::vector<uint32_t>& pixels, int32_t n) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = png_uint_32(n);
  image.height = png_uint_32(n);
  image.format = PNG_FORMAT_BGRA;  // 0xAARRGGBB words as they lie in memory
  if (!png_image_write_to_file(&image, path.c_str(), 0, pixels.data(), 0, nullptr)) std::abort();
}

}  // namespace

int main() {
  char tmpl[] = "/tmp/qm_bench_gif_export_XXXXXX";
  const std::string dir = mkdtemp(tmpl);
  const std::string a = dir + "/a", b = dir + "/b";

  constexpr int32_t n = 1024;
  std::vector<uint8_t> idx = picture_indices(n, n, 7, 0);
  std::vector<uint32_t> pal = palette256();
  std::vector<GifColorType> colours = gif_colours(pal);
  compare("gif encode", [&] { gif_encode_ours(a + ".gif", idx, pal, n); },
          [&] { gif_encode_peer(b + ".gif", idx, colours, n); }, "giflib EGifPutLine", 11);

  const std::string anim = dir + "/anim.gif";
  make_anim(anim);
  compare("gif decode", [&] { gif_decode_ours(anim); }, [&] { gif_decode_peer(anim); },
          "giflib DGifSlurp+comp", 11);

  std::vector<uint32_t> argb(size_t(n) * size_t(n));
  for (size_t i = 0; i < argb.size(); ++i)
    argb[i] = 0xFF000000u | (pal[idx[i]] ^ uint32_t(i & 0x3F));
  compare("png export",
          [&] {
            if (image_write_file(IMGFMT_PNG, argb.data(), n, n, (a + ".png").c_str(),
                                 IMAGE_NO_TRANSPARENT, 1, 90, 256, 0) != 0)
              std::abort();
          },
          [&] { png_peer(b + ".png", argb, n); }, "libpng simplified", 5);

  for (const char* f : {"/a.gif", "/b.gif", "/anim.gif", "/a.png", "/b.png"}) unlink((dir + f).c_str());
  rmdir(dir.c_str());
  return 0;
}

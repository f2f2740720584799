// Neighbourhood effects: blur, edge, emboss and sharpen by convolution, oil paint, charcoal, and
// the soft shadow plane.
//
// Each works on a copy of the image extended at its borders by the window (the border pixels
// repeat), so every output pixel sees a full window. Channels are split into planes of doubles
// for the inner loops, which then run over whole rows at a time.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <new>
#include <vector>

#include "gfx/blitpixels.h"
#include "gfx/effects.h"
#include "gfx/effects_internal.h"
#include "gfx/gfxmath.h"
#include "gfx/pixelops.h"

namespace qm {
namespace fx {
namespace {

// Widest window any effect builds. Beyond it a radius is taken for a mistake: blur and oil paint
// report ERR_MEM instead of allocating for it.
constexpr double kMaxWindow = 4095.0;

constexpr double kTwoPi = 6.283185307179586;

struct FreeDeleter {
  void operator()(void* p) const { std::free(p); }
};

// The edge-extended copy of an image split into channel planes of doubles, rows stride apart.
struct Planes {
  int32_t stride = 0, rows = 0;
  std::vector<double> ch[3];
};

template <typename F>
void split_channels(F, const uint32_t* ext, int32_t ext_row, int32_t cols, int32_t rows,
                    Planes& out) {
  out.stride = cols, out.rows = rows;
  for (auto& c : out.ch) c.resize(size_t(cols) * size_t(rows));
  for (int32_t y = 0; y < rows; ++y) {
    const uint32_t* r = ext + int64_t(y) * ext_row;
    double* pr = out.ch[0].data() + size_t(y) * cols;
    double* pg = out.ch[1].data() + size_t(y) * cols;
    double* pb = out.ch[2].data() + size_t(y) * cols;
    for (int32_t x = 0; x < cols; ++x) pr[x] = F::r(r[x]), pg[x] = F::g(r[x]), pb[x] = F::b(r[x]);
  }
}

// Extended copy of the pixels for a window n, as channel planes.
bool extended_planes(const Pixels& px, int32_t n, Planes& out) {
  int32_t ext_row = 0;
  std::unique_ptr<uint32_t, FreeDeleter> ext(
      pixels_extend_edges(px.p, px.w, px.h, px.ppr, n, nullptr, &ext_row));
  if (!ext) return false;
  with_format32(px.format,
                [&](auto f) { split_channels(f, ext.get(), ext_row, px.w + n, px.h + n, out); });
  return true;
}

template <typename F>
void write_channels(F, const Pixels& px, int32_t y, const double* r, const double* g,
                    const double* b) {
  uint32_t* dst = row(px, y);
  for (int32_t x = 0; x < px.w; ++x)
    dst[x] = F::pack(clamp_channel(r[x]), clamp_channel(g[x]), clamp_channel(b[x]));
}

// The blur's one-dimensional Gaussian: three sub-steps per tap, each exp(-d^2 / (18 sigma^2))
// for the sub-step distance d, summed per tap and normalised.
std::vector<double> blur_kernel(int32_t n, double sigma) {
  std::vector<double> k(size_t(n), 0.0);
  const int32_t bias = 3 * n / 2;
  for (int32_t i = -bias; i <= bias; ++i)
    k[size_t((i + bias) / 3)] += std::exp(-double(i) * i / (18.0 * sigma * sigma));
  double sum = 0.0;
  for (double v : k) sum += v;
  for (double& v : k) v /= sum;
  return k;
}

// Separable pass over one plane of cols x rows (stride cols): rows first into tmp (rows x w),
// then columns into out (h x w). cols = w + n - 1 or more, rows = h + n - 1 or more.
void separable(const double* in, int32_t stride, int32_t w, int32_t h, const std::vector<double>& k,
               std::vector<double>& tmp, std::vector<double>& out) {
  const int32_t n = int32_t(k.size());
  const int32_t rows = h + n;
  tmp.assign(size_t(w) * size_t(rows), 0.0);
  for (int32_t y = 0; y < rows; ++y) {
    const double* src = in + size_t(y) * stride;
    double* dst = tmp.data() + size_t(y) * w;
    for (int32_t t = 0; t < n; ++t) {
      const double kt = k[size_t(t)];
      const double* s = src + t;
      for (int32_t x = 0; x < w; ++x) dst[x] += kt * s[x];
    }
  }
  out.assign(size_t(w) * size_t(h), 0.0);
  for (int32_t y = 0; y < h; ++y) {
    double* dst = out.data() + size_t(y) * w;
    for (int32_t t = 0; t < n; ++t) {
      const double kt = k[size_t(t)];
      const double* s = tmp.data() + size_t(y + t) * w;
      for (int32_t x = 0; x < w; ++x) dst[x] += kt * s[x];
    }
  }
}

int32_t blur_pixels(const Pixels& px, int32_t n, double sigma) {
  Planes pl;
  if (!extended_planes(px, n, pl)) return ERR_MEM;
  const std::vector<double> k = blur_kernel(n, sigma);
  std::vector<double> tmp, out[3];
  for (int c = 0; c < 3; ++c) separable(pl.ch[c].data(), pl.stride, px.w, px.h, k, tmp, out[c]);
  with_format32(px.format, [&](auto f) {
    for (int32_t y = 0; y < px.h; ++y) {
      const size_t o = size_t(y) * px.w;
      write_channels(f, px, y, out[0].data() + o, out[1].data() + o, out[2].data() + o);
    }
  });
  return 0;
}

int32_t blur_bytes(uint8_t* data, int32_t w, int32_t h, int32_t bpr, int32_t n, double sigma) {
  int32_t ext_row = 0;
  std::unique_ptr<uint8_t, FreeDeleter> ext(
      bytes_extend_edges(data, w, h, bpr, n, nullptr, &ext_row));
  if (!ext) return ERR_MEM;
  std::vector<double> in(size_t(w + n) * size_t(h + n));
  for (int32_t y = 0; y < h + n; ++y)
    for (int32_t x = 0; x < w + n; ++x)
      in[size_t(y) * (w + n) + x] = ext.get()[int64_t(y) * ext_row + x];
  const std::vector<double> k = blur_kernel(n, sigma);
  std::vector<double> tmp, out;
  separable(in.data(), w + n, w, h, k, tmp, out);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x)
      data[int64_t(y) * bpr + x] = uint8_t(clamp_channel(out[size_t(y) * w + x]));
  return 0;
}

// The square windows of edge, sharpen and emboss, n x n entries in row order (v, then u).
std::vector<double> square_kernel(int32_t letter, int32_t n, double sigma) {
  std::vector<double> k(size_t(n) * size_t(n), 0.0);
  const int32_t half = n / 2;
  const double s2 = 2.0 * sigma * sigma, norm = kTwoPi * sigma * sigma;
  size_t i = 0;
  for (int32_t v = -half; v <= half; ++v)
    for (int32_t u = -half; u <= half; ++u, ++i) {
      const double g = std::exp(-double(u * u + v * v) / s2) / norm;
      if (letter == CONVOLVE_EDGE)
        k[i] = -1.0;
      else if (letter == CONVOLVE_SHARPEN)
        k[i] = -g;
      else if (u == -v)
        k[i] = (u < 0 || v < 0 ? -8.0 : 8.0) * g;
    }
  const size_t centre = size_t(n) * size_t(n) / 2;
  if (letter == CONVOLVE_EDGE) k[centre] = double(n) * n - 1.0;
  if (letter == CONVOLVE_SHARPEN) {
    double sum = 0.0;
    for (double v : k) sum += v;
    k[centre] = -2.0 * sum;
  }
  double sum = 0.0;
  for (double v : k) sum += v;
  if (std::fabs(sum) >= 1e-10)
    for (double& v : k) v /= sum;
  return k;
}

int32_t convolve_square(const Pixels& px, int32_t letter, int32_t n, double sigma) {
  if (n > px.w || n > px.h) return 0;  // a window beyond the image leaves it as it is
  Planes pl;
  if (!extended_planes(px, n, pl)) return ERR_MEM;
  const std::vector<double> k = square_kernel(letter, n, sigma);
  std::vector<double> acc[3];
  for (auto& a : acc) a.resize(size_t(px.w));
  with_format32(px.format, [&](auto f) {
    for (int32_t y = 0; y < px.h; ++y) {
      for (auto& a : acc) std::fill(a.begin(), a.end(), 0.0);
      for (int32_t v = 0; v < n; ++v)
        for (int32_t u = 0; u < n; ++u) {
          const double kt = k[size_t(v) * n + u];
          if (kt == 0.0) continue;
          const size_t o = size_t(y + v) * pl.stride + size_t(u);
          for (int c = 0; c < 3; ++c) {
            const double* s = pl.ch[c].data() + o;
            double* a = acc[c].data();
            for (int32_t x = 0; x < px.w; ++x) a[x] += kt * s[x];
          }
        }
      write_channels(f, px, y, acc[0].data(), acc[1].data(), acc[2].data());
    }
  });
  return 0;
}

// 2 ceil(r) + 1 for a radius, computed wide so that a huge radius is seen as such.
double radius_window(double radius) {
  return 2.0 * std::ceil(radius) + 1.0;
}

}  // namespace

int32_t convolve(int32_t letter, const Pixels& px, qmAlphaChannel* alpha, double radius,
                 double sigma) {
  if (!(radius > 0.0)) radius = 0.0;
  if (radius == 0.0) sigma = 1.0;
  const double s = std::fabs(sigma) <= 1e-10 ? 1.0 : sigma;
  switch (letter) {
    case CONVOLVE_BLUR: {
      const double n = radius > 0.0 ? radius_window(radius) : window_width_1d(0.0, sigma);
      if (n > kMaxWindow) return ERR_MEM;
      const int32_t code = blur_pixels(px, int32_t(n), s);
      if (code != 0 || alpha == nullptr) return code;
      return blur_bytes(alpha->data, std::min(px.w, alpha->width), std::min(px.h, alpha->height),
                        alpha->bytes_per_row, int32_t(n), s);
    }
    case CONVOLVE_EDGE:
    case CONVOLVE_SHARPEN:
    case CONVOLVE_EMBOSS: {
      double n = radius > 0.0              ? radius_window(radius)
                 : letter == CONVOLVE_EDGE ? window_width_1d(0.0, 0.5)
                                           : window_width_2d(0.0, sigma);
      if (n > px.w || n > px.h) return 0;
      return convolve_square(px, letter, int32_t(n), s);
    }
    default:
      return 0;
  }
}

int32_t blur_plane(uint8_t* data, int32_t width, int32_t height, int32_t bpr, double radius,
                   double sigma) {
  if (!(radius > 0.0)) radius = 0.0;
  if (radius == 0.0) sigma = 1.0;
  const double s = std::fabs(sigma) <= 1e-10 ? 1.0 : sigma;
  const double n = radius > 0.0 ? radius_window(radius) : window_width_1d(0.0, sigma);
  if (n > kMaxWindow) return ERR_MEM;
  if (width < 1 || height < 1) return 0;
  return blur_bytes(data, width, height, bpr, int32_t(n), s);
}

}  // namespace fx

using fx::Pixels;

int32_t bitmap_convolve(int32_t letter, qmBitmap* bitmap, qmAlphaChannel* alpha, int32_t width,
                        int32_t height, double radius, double sigma, qmBitmapLock* lock) {
  return fx::run(bitmap, lock, width, height,
                 [&](Pixels& px) { return fx::convolve(letter, px, alpha, radius, sigma); });
}

int32_t bitmap_charcoal(qmBitmap* bitmap, qmAlphaChannel* alpha, int32_t width, int32_t height,
                        double radius, double sigma) {
  return fx::run(bitmap, nullptr, width, height, [&](Pixels& px) {
    fx::to_gray(px, 0);
    int32_t code = fx::convolve(CONVOLVE_EDGE, px, nullptr, radius, 0.0);
    if (code == 0) code = fx::convolve(CONVOLVE_BLUR, px, alpha, radius, sigma);
    if (code != 0) return code;
    fx::stretch_2_99(px);
    fx::invert(px);
    fx::to_gray(px, 0);
    return 0;
  });
}

int32_t bitmap_oilpaint(qmBitmap* bitmap, int32_t width, int32_t height, double radius) {
  if (!(radius > 0.0)) radius = 0.0;
  const double nd = radius > 0.0 ? fx::radius_window(radius) : window_width_2d(0.0, 0.5);
  return fx::run(bitmap, nullptr, width, height, [&](Pixels& px) -> int32_t {
    if (nd > fx::kMaxWindow) return ERR_MEM;
    const int32_t n = int32_t(nd);
    int32_t ext_row = 0;
    std::unique_ptr<uint32_t, fx::FreeDeleter> ext(
        pixels_extend_edges(px.p, px.w, px.h, px.ppr, n, nullptr, &ext_row));
    if (!ext) return ERR_MEM;
    const int32_t cols = px.w + n, rows = px.h + n;
    std::vector<uint8_t> bins;
    try {
      bins.resize(size_t(cols) * size_t(rows));
    } catch (const std::bad_alloc&) {
      return ERR_MEM;
    }
    with_format32(px.format, [&](auto f) {
      using F = decltype(f);
      for (int32_t y = 0; y < rows; ++y) {
        const uint32_t* r = ext.get() + int64_t(y) * ext_row;
        uint8_t* b = bins.data() + size_t(y) * cols;
        for (int32_t x = 0; x < cols; ++x)
          b[x] = uint8_t(fx::intensity(F::r(r[x]), F::g(r[x]), F::b(r[x])));
      }
    });
    // Per pixel: the window's histogram of intensities counted in row order; the pixel whose
    // bin first reached the highest count wins.
    uint32_t hist[256] = {};
    for (int32_t y = 0; y < px.h; ++y) {
      uint32_t* out = fx::row(px, y);
      for (int32_t x = 0; x < px.w; ++x) {
        uint32_t best = 0;
        int32_t bu = 0, bv = 0;
        for (int32_t v = 0; v < n; ++v) {
          const uint8_t* b = bins.data() + size_t(y + v) * cols + x;
          for (int32_t u = 0; u < n; ++u) {
            const uint32_t c = ++hist[b[u]];
            if (c > best) best = c, bu = u, bv = v;
          }
        }
        for (int32_t v = 0; v < n; ++v) {
          const uint8_t* b = bins.data() + size_t(y + v) * cols + x;
          for (int32_t u = 0; u < n; ++u) hist[b[u]] = 0;
        }
        out[x] = ext.get()[int64_t(y + bv) * ext_row + x + bu];
      }
    }
    return 0;
  });
}

qmAlphaChannel* shadow_alpha_new(const qmAlphaChannel* source_alpha, const qmMask* source_mask,
                                 int32_t x, int32_t y, int32_t width, int32_t height, double radius,
                                 double sigma, int32_t value, int32_t solid, int32_t second_blur) {
  if (!(radius >= 0.0) || radius > fx::kMaxWindow || width < 0 || height < 0) return nullptr;
  const int32_t r = int32_t(radius);
  if (width > INT32_MAX - 2 * r || height > INT32_MAX - 2 * r) return nullptr;
  qmAlphaChannel* plane = qmos_alloc_alpha(width + 2 * r, height + 2 * r, 1);
  if (plane == nullptr) return nullptr;
  const uint8_t v = uint8_t(std::clamp<int32_t>(value, 0, 255));
  if (source_alpha != nullptr)
    alpha_copy_rect(source_alpha, x, y, plane, r, r, width, height, 6, v);
  else if (source_mask != nullptr)
    mask_expand_to_alpha(source_mask, x, y, plane, r, r, width, height, v);
  else
    alpha_fill_rect(plane, r, r, width, height, v);
  int32_t code =
      fx::blur_plane(plane->data, plane->width, plane->height, plane->bytes_per_row, radius, sigma);
  if (code == 0 && solid != 0) {
    for (int32_t j = 0; j < plane->height; ++j) {
      uint8_t* p = plane->data + int64_t(j) * plane->bytes_per_row;
      for (int32_t i = 0; i < plane->width; ++i)
        if (p[i] != 0) p[i] = 255;
    }
  }
  if (code == 0 && source_alpha != nullptr && second_blur != 0)
    code = fx::blur_plane(plane->data, plane->width, plane->height, plane->bytes_per_row,
                          radius / 2.0, radius / 6.0);
  if (code != 0) {
    qmos_free_alpha(plane);
    return nullptr;
  }
  return plane;
}

}  // namespace qm

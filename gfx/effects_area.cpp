// Neighbourhood effects: blur, edge, emboss and sharpen by convolution, oil paint, charcoal, and
// the soft shadow plane.
//
// Each sees the image extended at its borders by the window (the border pixels repeat), so every
// output pixel has a full window. Channels are split into rows of doubles for the inner loops,
// which then run over whole rows at a time.
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

// Extended row e of a window n is source row clamp(e - n / 2) and its column c is source column
// clamp(c - n / 2): the borders repeat. Rows are decoded into channel rows of w + n doubles.
template <typename F>
void fetch_pixels(F, const Pixels& px, int32_t n, int32_t e, double* const* out) {
  const int32_t half = n / 2;
  const uint32_t* src = row(px, std::clamp(e - half, 0, px.h - 1));
  for (int32_t c = 0; c < px.w + n; ++c) {
    const uint32_t v = src[std::clamp(c - half, 0, px.w - 1)];
    out[0][c] = F::r(v), out[1][c] = F::g(v), out[2][c] = F::b(v);
  }
}

void fetch_bytes(const uint8_t* data, int32_t bpr, int32_t w, int32_t h, int32_t n, int32_t e,
                 double* const* out) {
  const int32_t half = n / 2;
  const uint8_t* src = data + int64_t(std::clamp(e - half, 0, h - 1)) * bpr;
  for (int32_t c = 0; c < w + n; ++c) out[0][c] = src[std::clamp(c - half, 0, w - 1)];
}

template <typename F>
void emit_pixels(F, const Pixels& px, int32_t y, double* const* in) {
  uint32_t* dst = row(px, y);
  for (int32_t x = 0; x < px.w; ++x)
    dst[x] = F::pack(clamp_channel(in[0][x]), clamp_channel(in[1][x]), clamp_channel(in[2][x]));
}

// Convolution streamed row by row over the extended image, so that only a window's worth of
// rows is held: fetch(e, rows) decodes extended row e, emit(y, rows) takes output row y. Output
// row y is emitted once extended row y + n - 1 is in; every later fetch reads a source row below
// y, so the output may overwrite its input in place.
class RowStream {
 public:
  RowStream(int32_t w, int32_t n, int channels) : w_(w), n_(n), channels_(channels) {}

  // The blur: rows then columns with the one-dimensional window k.
  template <typename Fetch, typename Emit>
  void separable(int32_t h, const std::vector<double>& k, Fetch&& fetch, Emit&& emit) {
    const size_t slot = size_t(channels_) * size_t(w_);
    std::vector<double> line(size_t(channels_) * size_t(w_ + n_)), ring(size_t(n_) * slot),
        out(slot);
    double* lines[3] = {};
    double* outs[3] = {};
    for (int c = 0; c < channels_; ++c) {
      lines[c] = line.data() + size_t(c) * size_t(w_ + n_);
      outs[c] = out.data() + size_t(c) * size_t(w_);
    }
    for (int32_t e = 0; e < h + n_ - 1; ++e) {
      fetch(e, lines);
      double* horizontal = ring.data() + size_t(e % n_) * slot;
      std::fill(horizontal, horizontal + slot, 0.0);
      for (int c = 0; c < channels_; ++c) {
        double* dst = horizontal + size_t(c) * size_t(w_);
        for (int32_t t = 0; t < n_; ++t) {
          const double kt = k[size_t(t)];
          const double* src = lines[c] + t;
          for (int32_t x = 0; x < w_; ++x) dst[x] += kt * src[x];
        }
      }
      const int32_t y = e - (n_ - 1);
      if (y < 0) continue;
      std::fill(out.begin(), out.end(), 0.0);
      for (int c = 0; c < channels_; ++c)
        for (int32_t t = 0; t < n_; ++t) {
          const double kt = k[size_t(t)];
          const double* src = ring.data() + size_t((y + t) % n_) * slot + size_t(c) * size_t(w_);
          double* dst = outs[c];
          for (int32_t x = 0; x < w_; ++x) dst[x] += kt * src[x];
        }
      emit(y, outs);
    }
  }

  // Edge, sharpen and emboss: the n x n window k (row order), zero entries skipped.
  template <typename Fetch, typename Emit>
  void square(int32_t h, const std::vector<double>& k, Fetch&& fetch, Emit&& emit) {
    const size_t width = size_t(w_ + n_), slot = size_t(channels_) * width;
    std::vector<double> ring(size_t(n_) * slot), out(size_t(channels_) * size_t(w_));
    double* outs[3] = {};
    for (int c = 0; c < channels_; ++c) outs[c] = out.data() + size_t(c) * size_t(w_);
    for (int32_t e = 0; e < h + n_ - 1; ++e) {
      double* rows[3] = {};
      for (int c = 0; c < channels_; ++c)
        rows[c] = ring.data() + size_t(e % n_) * slot + size_t(c) * width;
      fetch(e, rows);
      const int32_t y = e - (n_ - 1);
      if (y < 0) continue;
      std::fill(out.begin(), out.end(), 0.0);
      for (int32_t v = 0; v < n_; ++v)
        for (int32_t u = 0; u < n_; ++u) {
          const double kt = k[size_t(v) * size_t(n_) + size_t(u)];
          if (kt == 0.0) continue;
          for (int c = 0; c < channels_; ++c) {
            const double* src =
                ring.data() + size_t((y + v) % n_) * slot + size_t(c) * width + size_t(u);
            double* dst = outs[c];
            for (int32_t x = 0; x < w_; ++x) dst[x] += kt * src[x];
          }
        }
      emit(y, outs);
    }
  }

 private:
  int32_t w_, n_;
  int channels_;
};

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

int32_t blur_pixels(const Pixels& px, int32_t n, double sigma) {
  try {
    const std::vector<double> k = blur_kernel(n, sigma);
    with_format32(px.format, [&](auto f) {
      RowStream(px.w, n, 3)
          .separable(
              px.h, k, [&](int32_t e, double* const* rows) { fetch_pixels(f, px, n, e, rows); },
              [&](int32_t y, double* const* rows) { emit_pixels(f, px, y, rows); });
    });
  } catch (const std::bad_alloc&) {
    return ERR_MEM;
  }
  return 0;
}

int32_t blur_bytes(uint8_t* data, int32_t w, int32_t h, int32_t bpr, int32_t n, double sigma) {
  try {
    const std::vector<double> k = blur_kernel(n, sigma);
    RowStream(w, n, 1).separable(
        h, k, [&](int32_t e, double* const* rows) { fetch_bytes(data, bpr, w, h, n, e, rows); },
        [&](int32_t y, double* const* rows) {
          uint8_t* dst = data + int64_t(y) * bpr;
          for (int32_t x = 0; x < w; ++x) dst[x] = uint8_t(clamp_channel(rows[0][x]));
        });
  } catch (const std::bad_alloc&) {
    return ERR_MEM;
  }
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
  try {
    const std::vector<double> k = square_kernel(letter, n, sigma);
    with_format32(px.format, [&](auto f) {
      RowStream(px.w, n, 3)
          .square(
              px.h, k, [&](int32_t e, double* const* rows) { fetch_pixels(f, px, n, e, rows); },
              [&](int32_t y, double* const* rows) { emit_pixels(f, px, y, rows); });
    });
  } catch (const std::bad_alloc&) {
    return ERR_MEM;
  }
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
      const int32_t code = blur_pixels(px, to_i32(n), s);
      if (code != 0 || alpha == nullptr) return code;
      return blur_bytes(alpha->data, std::min(px.w, alpha->width), std::min(px.h, alpha->height),
                        alpha->bytes_per_row, to_i32(n), s);
    }
    case CONVOLVE_EDGE:
    case CONVOLVE_SHARPEN:
    case CONVOLVE_EMBOSS: {
      double n = radius > 0.0              ? radius_window(radius)
                 : letter == CONVOLVE_EDGE ? window_width_1d(0.0, 0.5)
                                           : window_width_2d(0.0, sigma);
      if (n > px.w || n > px.h) return 0;
      return convolve_square(px, letter, to_i32(n), s);
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
  return blur_bytes(data, width, height, bpr, to_i32(n), s);
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
    const int32_t n = to_i32(nd);
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
          b[x] = uint8_t(fx::intensity_level(F::r(r[x]), F::g(r[x]), F::b(r[x])));
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
  const int32_t r = to_i32(radius);
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

// Integer square root, RGB to HSL, Gaussian window widths and the ripple and swirl tables.
#include "gfx/gfxmath.h"

#include <array>
#include <cmath>

#include "engine/numconv.h"

namespace qm {

namespace {

// T[i] = trunc(16 sqrt(i)): the first estimate of every square root below.
const std::array<int32_t, 256> kSqrtTable = [] {
  std::array<int32_t, 256> t{};
  for (int i = 0; i < 256; ++i) t[size_t(i)] = int32_t(16.0 * std::sqrt(double(i)));
  return t;
}();

inline int32_t T(int32_t i) { return kSqrtTable[size_t(i)]; }

constexpr double kTwoPi = 6.283185307179586;
constexpr double kSqrtTwoPi = 2.5066282746310002;
constexpr double kInv255 = 0.00392156862745098;

}  // namespace

int32_t isqrt(int32_t n) {
  if (n < 0) return -1;
  if (n < 256) return T(n) >> 4;
  // The estimate and its square run in 64 bits: near 2^31 the estimate squared exceeds int32.
  int64_t g;
  int steps = 0;
  if (n < 1024) g = (T(n >> 2) >> 3) + 1;
  else if (n < 4096) g = (T(n >> 4) >> 2) + 1;
  else if (n < 16384) g = (T(n >> 6) >> 1) + 1;
  else if (n < 65536) g = T(n >> 8) + 1;
  else if (n < (1 << 18)) g = int64_t(T(n >> 10)) << 1, steps = 1;
  else if (n < (1 << 20)) g = int64_t(T(n >> 12)) << 2, steps = 1;
  else if (n < (1 << 22)) g = int64_t(T(n >> 14)) << 3, steps = 1;
  else if (n < (1 << 24)) g = int64_t(T(n >> 16)) << 4, steps = 1;
  else if (n < (1 << 26)) g = int64_t(T(n >> 18)) << 5, steps = 2;
  else if (n < (1 << 28)) g = int64_t(T(n >> 20)) << 6, steps = 2;
  else if (n < (1 << 30)) g = int64_t(T(n >> 22)) << 7, steps = 2;
  else g = int64_t(T(n >> 24)) << 8, steps = 2;
  for (int i = 0; i < steps; ++i) {
    const int32_t g32 = int32_t(g);  // below 2^17 here: 32-bit division suffices
    g = (g32 + n / g32 + 1) >> 1;
  }
  return int32_t(n < g * g ? g - 1 : g);
}

void rgb_to_hsl(uint8_t red, uint8_t green, uint8_t blue, double* hue, double* saturation,
                double* lightness) {
  const double r = red * kInv255, g = green * kInv255, b = blue * kInv255;
  double max = r, min = r;
  if (g > max) max = g;
  if (b > max) max = b;
  if (g < min) min = g;
  if (b < min) min = b;
  const double l = (max + min) * 0.5;
  const double d = max - min;
  *lightness = l;
  if (d == 0.0) {
    *hue = 0.0;
    *saturation = 0.0;
    return;
  }
  *saturation = l < 0.5 ? d / (max + min) : d / (2.0 - max - min);
  const double dr = (max - r) / 6.0 + d / 2.0;
  const double dg = (max - g) / 6.0 + d / 2.0;
  const double db = (max - b) / 6.0 + d / 2.0;
  double h;
  if (max == r) h = (db - dg) / d;
  else if (max == g) h = (dr - db) / d + 0.3333333333333333;
  else h = (dg - dr) / d + 0.6666666666666666;
  if (h < 0.0) h += 1.0;
  if (h > 1.0) h -= 1.0;
  *hue = h;
}

namespace {

int32_t radius_width(double radius) { return to_i32(2.0 * std::ceil(radius) + 1.0); }

}  // namespace

int32_t window_width_2d(double radius, double sigma) {
  if (radius > 0.0) return radius_width(radius);
  // sigma 0 makes every term exp(0 / 0); the rule would search forever.
  if (!(std::fabs(sigma) > 1e-10)) return 1;
  const double two_s2 = -2.0 * sigma * sigma;
  const double norm = kTwoPi * sigma * sigma;
  for (int32_t w = 5; w <= kMaxWindowWidth + 2; w += 2) {
    const int32_t h = w / 2;
    double s = 0.0;
    for (int32_t u = -h; u <= h; ++u)
      for (int32_t v = -h; v <= h; ++v) s += std::exp(double(u * u + v * v) / two_s2) / norm;
    const double e = std::exp(double(h * h) / two_s2) / (sigma * kSqrtTwoPi);
    if (e / s < kInv255) return w - 2;
  }
  return kMaxWindowWidth;
}

int32_t window_width_1d(double radius, double sigma) {
  if (radius > 0.0) return radius_width(radius);
  if (!(std::fabs(sigma) > 1e-10)) return 1;
  const double two_s2 = -2.0 * sigma * sigma;
  const double norm = sigma * kSqrtTwoPi;
  for (int32_t w = 5; w <= kMaxWindowWidth + 2; w += 2) {
    const int32_t h = w / 2;
    double s = 0.0;
    for (int32_t u = -h; u <= h; ++u) s += std::exp(double(u * u) / two_s2) / norm;
    const double e = std::exp(double(h * h) / two_s2) / norm;
    const double q = e / s * 255.0;
    if (q < 1.0) return w - 2;  // trunc(q) < 1 for a non-negative q
  }
  return kMaxWindowWidth;
}

void ripple_setup(qmRipple& r) {
  double x = 0.0;
  for (int32_t i = 0; i < kEffectTableSize; ++i, x += 0.001) r.sines[i] = std::sin(x);
  int32_t* d = r.distances;
  for (int32_t y = 0; y < r.height; ++y) {
    const int64_t dy = int64_t(y) - r.centre_y;
    for (int32_t xx = 0; xx < r.width; ++xx) {
      const int64_t dx = int64_t(xx) - r.centre_x;
      const int64_t sq = dx * dx + dy * dy;
      *d++ = isqrt(sq > INT32_MAX ? INT32_MAX : int32_t(sq));
    }
  }
  r.cursor = r.distances;
}

double ripple_factor(double phase, int32_t d, const qmRipple& r) {
  constexpr double kTurn = 6.28318530717959;
  double u = d / r.wave_length * kTurn - phase;
  if (!std::isfinite(u)) u = 0.0;
  if (std::fabs(u) > 1e6) u = std::fmod(u, kTurn);
  while (u < 0.0) u += kTurn;
  while (u >= kTurn) u -= kTurn;
  int32_t index = to_i32(u / 0.001);
  if (index < 0) index = 0;
  if (index >= kEffectTableSize) index = kEffectTableSize - 1;
  double k = r.amplitude * r.sines[index] * (r.radius - d) / r.radius;
  if (d != 0) k = k * r.wave_length / d;
  // A zero radius or wave length leaves the pixel where it is instead of feeding NaN onward.
  if (!std::isfinite(k)) k = 0.0;
  return k;
}

void ripple_move(double k, int32_t x, int32_t y, qmRipple& r) {
  auto limit = [](double v, int32_t size) {
    if (!(v >= 0.0)) return 0;
    if (v >= double(size)) return size - 1;
    return to_i32(v);
  };
  r.result_x = limit(x + (x - r.centre_x) * k, r.width);
  r.result_y = limit(y + (y - r.centre_y) * k, r.height);
}

void ripple_point(double phase, int32_t x, int32_t y, qmRipple& r) {
  const int32_t d = *r.cursor++;
  ripple_move(ripple_factor(phase, d, r), x, y, r);
}

void swirl_setup(double* sines, double* cosines) {
  double x = 0.0;
  for (int32_t i = 0; i < kEffectTableSize; ++i, x += 0.001) {
    sines[i] = std::sin(x);
    cosines[i] = std::cos(x);
  }
}

}  // namespace qm

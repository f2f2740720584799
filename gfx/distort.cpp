// Distortion coefficients, reverse mappings and resampling.
//
// All geometry is in doubles. The output plane is continuous: target pixel (i, j) stands for the
// point (out_x + i + 0.5, out_y + j + 0.5); a reverse mapping gives the source point, and source
// pixel (k, l) covers [k, k + 1) x [l, l + 1) once the half-pixel step has been taken off.
#include "gfx/distort.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <new>
#include <utility>

#include "engine/errcodes.h"
#include "engine/numconv.h"
#include "gfx/bitmap.h"
#include "gfx/pixelformat.h"

namespace qm {
namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kTwoPi = 6.283185307179586;
constexpr double kHalfPi = 1.5707963267948966;
constexpr double kDegree = kPi / 180.0;

// Largest side of an output image. The platform's offscreen worlds take 16-bit rectangles; any
// geometry beyond that comes from degenerate values and is refused rather than allocated.
constexpr double kMaxSide = 32767.0;

// Nearest whole number, halves away from zero.
double round_half_away(double t) {
  return t >= 0 ? std::trunc(t + 0.5) : std::trunc(t - 0.5);
}

struct Bounds {
  double min_x = HUGE_VAL, max_x = -HUGE_VAL, min_y = HUGE_VAL, max_y = -HUGE_VAL;
  void add(double x, double y) {
    min_x = std::min(min_x, x), max_x = std::max(max_x, x);
    min_y = std::min(min_y, y), max_y = std::max(max_y, y);
  }
};

// Output geometry of the methods that compute a bounding box; false when the box is not finite or
// gives an empty or oversized image.
bool set_geometry(qmDistortRequest& req, const Bounds& b) {
  if (!std::isfinite(b.min_x) || !std::isfinite(b.max_x) || !std::isfinite(b.min_y) ||
      !std::isfinite(b.max_y))
    return false;
  double ox = std::floor(b.min_x - 0.5), oy = std::floor(b.min_y - 0.5);
  double w = std::ceil(b.max_x - ox + 0.5), h = std::ceil(b.max_y - oy + 0.5);
  if (!(w >= 1.0 && w <= kMaxSide && h >= 1.0 && h <= kMaxSide)) return false;
  if (!(std::fabs(ox) < 1e9 && std::fabs(oy) < 1e9)) return false;
  req.out_x = to_i32(ox), req.out_y = to_i32(oy);
  req.out_width = static_cast<int32_t>(to_u32_sat(w));
  req.out_height = static_cast<int32_t>(to_u32_sat(h));
  return true;
}

bool perspective_fit(qmDistortRequest& req, double* c) {
  const double* v = req.values;
  std::vector<std::vector<double>> m(8, std::vector<double>(8, 0.0));
  std::vector<double*> vectors{c};
  for (int p = 0; p + 3 < req.value_count; p += 4) {
    double u = v[p], vv = v[p + 1], x = v[p + 2], y = v[p + 3];
    const double t1[8] = {x, y, 1, 0, 0, 0, -x * u, -y * u};
    const double t2[8] = {0, 0, 0, x, y, 1, -x * vv, -y * vv};
    for (const auto& [t, r] : {std::pair{t1, u}, std::pair{t2, vv}})
      for (int i = 0; i < 8; ++i) {
        for (int j = 0; j < 8; ++j) m[i][j] += t[i] * t[j];
        c[i] += r * t[i];
      }
  }
  if (!matrix_gauss_jordan(m, vectors, 8)) return false;
  c[8] = (c[6] * v[2] + c[7] * v[3] + 1.0) >= 0.0 ? 1.0 : -1.0;

  double f[8];
  perspective_invert(c, f);
  const qmDistortImage& s = *req.source;
  Bounds b;
  const double corners[4][2] = {{0.0, 0.0}, {1.0, 0.0}, {0.0, 1.0}, {1.0, 1.0}};
  for (const auto& k : corners) {
    double X = s.x_offset + k[0] * s.width, Y = s.y_offset + k[1] * s.height;
    double d = f[6] * X + f[7] * Y + 1.0;
    double sc = std::fabs(d) > 1e-6 ? 1.0 / d : 1.0;
    b.add((f[0] * X + f[1] * Y + f[2]) * sc, (f[3] * X + f[4] * Y + f[5]) * sc);
  }
  return set_geometry(req, b);
}

bool arc_setup(qmDistortRequest& req, double* c) {
  const double* v = req.values;
  const int n = req.value_count;
  const qmDistortImage& s = *req.source;
  const double w = s.width, h = s.height;
  if (n >= 1 && v[0] < 1e-6) return false;
  if (n >= 3 && v[2] < 1e-6) return false;
  c[0] = -kHalfPi;
  c[1] = n == 0 ? kHalfPi : v[0] * kDegree;
  if (n >= 2) c[0] += v[1] * kDegree;
  double t = c[0] / kTwoPi;
  c[0] = (t - round_half_away(t)) * kTwoPi;
  c[3] = h - 1.0;
  c[2] = w / c[1] + (h - 1.0) / 2.0;
  if (n == 3) c[3] = (v[2] / c[2]) * c[3];
  if (n == 4) c[3] = v[2] - v[3];
  if (n >= 3) c[2] = v[2];
  c[4] = (w - 1.0) / 2.0;
  // A ring of no thickness (equal radii, or an image one row high) has no rows to map.
  if (!(std::fabs(c[3]) > 1e-12)) return false;

  Bounds b;
  double a0 = c[0] - c[1] / 2.0, a1 = c[0] + c[1] / 2.0;
  double outer = c[2], inner = c[2] - c[3];
  for (double a : {a0, a1}) {
    b.add(outer * std::cos(a), outer * std::sin(a));
    b.add(inner * std::cos(a), inner * std::sin(a));
  }
  // The quarter points repeat after a full turn, so four of them are all the box can use.
  double a = std::ceil(a0 / kHalfPi) * kHalfPi;
  for (int k = 0; k < 4 && a < a1; ++k, a += kHalfPi)
    b.add(outer * std::cos(a), outer * std::sin(a));
  c[1] = kTwoPi * w / c[1];
  c[3] = h / c[3];
  return set_geometry(req, b);
}

bool polar_setup(qmDistortRequest& req, double* c) {
  const double* v = req.values;
  const int n = req.value_count;
  const qmDistortImage& s = *req.source;
  const double w = s.width, h = s.height, ox = s.x_offset, oy = s.y_offset;
  if (n == 3 || n > 6) return false;
  c[0] = n >= 1 ? v[0] : 0.0;
  c[1] = n >= 2 ? v[1] : 0.0;
  if (n >= 4) {
    c[2] = v[2], c[3] = v[3];
  } else {
    c[2] = w / 2.0 + ox, c[3] = h / 2.0 + oy;
  }
  c[4] = n >= 5 ? v[4] * kDegree : -kPi;
  c[5] = n >= 6 ? v[5] * kDegree : c[4];
  if (std::fabs(c[4] - c[5]) < 1e-6) c[5] += kTwoPi;
  if (c[0] < 1e-6) {
    if (std::fabs(c[0]) < 1e-6) {
      c[0] = std::min({std::fabs(c[3] - oy), std::fabs(c[2] - ox), std::fabs(c[2] - ox - w),
                       std::fabs(c[3] - oy - h)});
    } else if (std::fabs(-1.0 - c[0]) < 1e-6) {
      auto sq = [&](double x, double y) {
        return (c[2] - x) * (c[2] - x) + (c[3] - y) * (c[3] - y);
      };
      c[0] = std::sqrt(std::max({sq(ox, oy), sq(ox, oy + h), sq(ox + w, oy + h), sq(ox + w, oy)}));
    }
    if (!(c[0] >= 1e-6)) return false;
  }
  if (c[1] < -1e-6 || c[0] - c[1] < 1e-6) return false;
  c[6] = w / (c[5] - c[4]);
  c[7] = h / (c[0] - c[1]);
  if (n < 2) c[2] = c[3] = 0.0;
  Bounds b;
  b.add(c[2] - c[0], c[3] - c[0]);
  b.add(c[2] + c[0], c[3] + c[0]);
  return set_geometry(req, b);
}

bool barrel_setup(qmDistortRequest& req, double* c) {
  const double* v = req.values;
  const int n = req.value_count;
  const qmDistortImage& s = *req.source;
  if (!(n == 3 || n == 4 || n == 5 || n == 6 || n == 8 || n == 10)) return false;
  const double rscale = 2.0 / std::min(s.width, s.height);
  const bool has_d = n == 4 || n == 6 || n >= 8;
  c[0] = v[0] * rscale * rscale * rscale;
  c[1] = v[1] * rscale * rscale;
  c[2] = v[2] * rscale;
  c[3] = has_d ? v[3] : 1.0 - v[0] - v[1] - v[2];
  if (n >= 8) {
    c[4] = v[4] * rscale * rscale * rscale;
    c[5] = v[5] * rscale * rscale;
    c[6] = v[6] * rscale;
    c[7] = v[7];
  } else {
    c[4] = c[0], c[5] = c[1], c[6] = c[2], c[7] = c[3];
  }
  c[8] = (s.width - 1.0) / 2.0 + s.x_offset;
  c[9] = (s.height - 1.0) / 2.0 + s.y_offset;
  if (n == 5) c[8] = v[3], c[9] = v[4];
  if (n == 6) c[8] = v[4], c[9] = v[5];
  if (n == 10) c[8] = v[8], c[9] = v[9];
  req.out_width = s.width, req.out_height = s.height;
  req.out_x = req.out_y = 0;
  return s.width >= 1 && s.height >= 1 && s.width <= kMaxSide && s.height <= kMaxSide;
}

size_t coefficient_count(int32_t method) {
  switch (method) {
    case DISTORT_PERSPECTIVE:
      return 9;
    case DISTORT_ARC:
      return 5;
    case DISTORT_POLAR:
      return 8;
    case DISTORT_BARREL:
      return 10;
    default:
      return 0;
  }
}

}  // namespace

bool matrix_gauss_jordan(std::vector<std::vector<double>>& m, std::vector<double*>& vectors,
                         int rank) {
  const int n = rank;
  std::vector<int> used(static_cast<size_t>(n), 0), rows(static_cast<size_t>(n), 0),
      cols(static_cast<size_t>(n), 0);
  auto swap_if_differ = [](double& a, double& b) {
    if (a != b) std::swap(a, b);
  };
  for (int step = 0; step < n; ++step) {
    double biggest = 0.0;
    int prow = 0, pcol = 0;
    for (int r = 0; r < n; ++r) {
      if (used[r] == 1) continue;
      for (int c = 0; c < n; ++c) {
        if (used[c] > 1) return false;
        if (used[c] == 0 && std::fabs(m[r][c]) >= biggest) {
          biggest = std::fabs(m[r][c]);
          prow = r, pcol = c;
        }
      }
    }
    ++used[pcol];
    if (prow != pcol) {
      for (int c = 0; c < n; ++c) swap_if_differ(m[prow][c], m[pcol][c]);
      for (double* v : vectors) swap_if_differ(v[prow], v[pcol]);
    }
    rows[step] = prow, cols[step] = pcol;
    if (m[pcol][pcol] == 0.0) return false;
    double inv = 1.0 / m[pcol][pcol];
    m[pcol][pcol] = 1.0;
    for (int c = 0; c < n; ++c) m[pcol][c] *= inv;
    for (double* v : vectors) v[pcol] *= inv;
    for (int r = 0; r < n; ++r) {
      if (r == pcol) continue;
      double f = m[r][pcol];
      m[r][pcol] = 0.0;
      for (int c = 0; c < n; ++c) m[r][c] -= f * m[pcol][c];
      for (double* v : vectors) v[r] -= f * v[pcol];
    }
  }
  for (int step = n - 1; step >= 0; --step)
    if (rows[step] != cols[step])
      for (int r = 0; r < n; ++r) swap_if_differ(m[r][rows[step]], m[r][cols[step]]);
  return true;
}

void perspective_invert(const double* c, double* f) {
  double k = 1.0 / (c[0] * c[4] - c[1] * c[3]);
  f[0] = (c[4] - c[5] * c[7]) * k;
  f[1] = (c[2] * c[7] - c[1]) * k;
  f[2] = (c[1] * c[5] - c[2] * c[4]) * k;
  f[3] = (c[5] * c[6] - c[3]) * k;
  f[4] = (c[0] - c[2] * c[6]) * k;
  f[5] = (c[2] * c[3] - c[0] * c[5]) * k;
  f[6] = (c[3] * c[7] - c[4] * c[6]) * k;
  f[7] = (c[1] * c[6] - c[0] * c[7]) * k;
}

void distort_coefficients(qmDistortRequest& req) {
  req.error = 0;
  if (req.value_count < 16 &&
      (req.method == DISTORT_PERSPECTIVE || req.method == 6 || req.method == 7))
    req.method = DISTORT_AFFINE;
  const size_t count = coefficient_count(req.method);
  if (count == 0 || req.value_count < 0 || (req.value_count > 0 && req.values == nullptr)) {
    req.error = ERR_WRONGUSAGE;
    return;
  }
  for (int i = 0; i < req.value_count; ++i)
    if (!std::isfinite(req.values[i])) {
      req.error = ERR_WRONGUSAGE;
      return;
    }
  try {
    req.coefficients.assign(count, 0.0);
  } catch (const std::bad_alloc&) {
    req.error = ERR_MEM;
    return;
  }
  double* c = req.coefficients.data();
  bool ok = false;
  try {
    switch (req.method) {
      case DISTORT_PERSPECTIVE:
        // Point pairs come four values at a time; a ragged tail would be read past the end.
        ok = req.value_count % 4 == 0 && perspective_fit(req, c);
        break;
      case DISTORT_ARC:
        ok = req.value_count <= 4 && arc_setup(req, c);
        break;
      case DISTORT_POLAR:
        ok = polar_setup(req, c);
        break;
      case DISTORT_BARREL:
        ok = barrel_setup(req, c);
        break;
    }
  } catch (const std::bad_alloc&) {
    req.coefficients.clear();
    req.error = ERR_MEM;
    return;
  }
  for (double v : req.coefficients)
    if (!std::isfinite(v)) ok = false;
  if (!ok) {
    req.coefficients.clear();
    req.error = ERR_WRONGUSAGE;
  }
}

namespace {

// Elliptical weighted average filter of one distort_resample call.
struct qmResampleFilter {
  const qmDistortImage* source = nullptr;
  double pixel_count = 0;
  bool limit = false;        // ellipse too large: bilinear instead
  bool interpolate = false;  // ellipse too small: bilinear instead
  double qa = 0, qb = 0, qc = 0;
  double v_limit = 0, u_limit = 0, u_width = 0, slope = 0;
  double weights[1024];  // 2^(-i/256): the Gaussian of the squared ellipse radius
};

void distort_filter_scale(qmResampleFilter& f, double dux, double duy, double dvx, double dvy) {
  f.limit = f.interpolate = false;
  double qa = dvx * dvx + dvy * dvy + 1.0;
  double qb = -2.0 * (dux * dvx + duy * dvy);
  double qc = dux * dux + duy * duy + 1.0;
  double F = qa * qc - qb * qb / 4.0;
  if (!(F > 4.0)) {  // also catches a NaN form
    f.interpolate = true;
    return;
  }
  if (F > 1000000.0) {
    f.limit = true;
    return;
  }
  f.v_limit = std::sqrt(qa) + 1.0;
  f.u_limit = std::sqrt(qc) + 1.0;
  f.u_width = std::sqrt(F / qa) + 1.0;
  f.slope = qb / (-2.0 * qa);
  if (f.v_limit * 4.0 * f.u_width > 20.0 * f.pixel_count) {
    f.limit = true;
    return;
  }
  f.qa = qa * 1024.0 / F, f.qb = qb * 1024.0 / F, f.qc = qc * 1024.0 / F;
}

struct Sample {
  double r = 0, g = 0, b = 0, a = 0;
};

class Resampler {
 public:
  explicit Resampler(qmDistortRequest& req) : req_(req), src_(*req.source) {}

  bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < src_.width && y < src_.height; }
  bool mask_bit(int x, int y) const {
    return (req_.src_mask[static_cast<int64_t>(y) * req_.src_mask_bpr + (x >> 3)] &
            (0x80 >> (x & 7))) != 0;
  }
  // A pixel counts as visible unless a mask (without an alpha plane beside it) hides it.
  bool visible(int x, int y) const {
    return req_.src_mask == nullptr || req_.src_alpha != nullptr || mask_bit(x, y);
  }
  uint32_t word(int x, int y) const {
    return src_.pixels[static_cast<int64_t>(y) * src_.pixels_per_row + x];
  }
  double alpha(int x, int y) const {
    return req_.src_alpha != nullptr
               ? req_.src_alpha[static_cast<int64_t>(y) * req_.src_alpha_bpr + x]
               : 255.0;
  }

  Sample bilinear(double sx, double sy) const {
    Sample out;
    if (!std::isfinite(sx) || !std::isfinite(sy) || std::fabs(sx) > 1e9 || std::fabs(sy) > 1e9)
      return out;
    double fx0 = std::floor(sx), fy0 = std::floor(sy);
    int x0 = to_i32(fx0), y0 = to_i32(fy0);
    double fx = sx - fx0, fy = sy - fy0;
    double c[4][4] = {};
    for (int k = 0; k < 4; ++k) {
      int x = x0 + (k & 1), y = y0 + (k >> 1);
      if (!inside(x, y) || !visible(x, y)) continue;
      uint32_t rgb = pixel_to_rgb(req_.format, word(x, y));
      c[k][0] = (rgb >> 16) & 255, c[k][1] = (rgb >> 8) & 255, c[k][2] = rgb & 255;
      c[k][3] = alpha(x, y);
    }
    double v[4];
    for (int ch = 0; ch < 4; ++ch)
      v[ch] = ((1 - fx) * c[0][ch] + fx * c[1][ch]) * (1 - fy) +
              ((1 - fx) * c[2][ch] + fx * c[3][ch]) * fy;
    out.r = v[0], out.g = v[1], out.b = v[2], out.a = v[3];
    return out;
  }

  // Elliptical weighted average; false when the caller must fall back to nearest sampling
  // (the ellipse lies wholly outside the source).
  bool ewa(const qmResampleFilter& f, double sx, double sy, Sample& out) const {
    if (f.limit || f.interpolate) {
      out = bilinear(sx, sy);
      return true;
    }
    if (!std::isfinite(sx) || !std::isfinite(sy) || sx + f.u_limit < 0 ||
        sx - f.u_limit > src_.width || sy + f.v_limit < 0 || sy - f.v_limit > src_.height)
      return false;
    const int v_first = to_i32(sy - f.v_limit), v_last = to_i32(sy + f.v_limit + 1.0);
    const int row_len = to_i32(2.0 * f.u_width) + 1;
    double start = (v_first - sy) * f.slope + sx - f.u_width;
    double total = 0, sr = 0, sg = 0, sb = 0, sa = 0;
    int samples = 0;
    for (int v = v_first; v <= v_last; ++v, start += f.slope) {
      int u0 = to_i32(start);
      double U = u0 - sx, V = v - sy;
      double Q = (f.qa * U + f.qb * V) * U + f.qc * V * V;
      double dQ = f.qa * (2.0 * U + 1.0) + f.qb * V;
      const double ddQ = 2.0 * f.qa;
      for (int u = u0; u < u0 + row_len; ++u) {
        if (Q < 1024.0) {
          double w = f.weights[Q > 0.0 ? to_i32(Q) : 0];
          ++samples;
          total += w;
          if (inside(u, v) && visible(u, v)) {
            uint32_t rgb = pixel_to_rgb(req_.format, word(u, v));
            sr += w * ((rgb >> 16) & 255);
            sg += w * ((rgb >> 8) & 255);
            sb += w * (rgb & 255);
            sa += w * alpha(u, v);
          }
        }
        Q += dQ;
        dQ += ddQ;
      }
    }
    if (samples < 4 || total < 1.0) {
      out = bilinear(sx, sy);
      return true;
    }
    out.r = sr / total, out.g = sg / total, out.b = sb / total, out.a = sa / total;
    auto to_byte = [](double x) { return x <= 0 ? 0.0 : x >= 255 ? 255.0 : std::trunc(x + 0.5); };
    out.r = to_byte(out.r), out.g = to_byte(out.g), out.b = to_byte(out.b), out.a = to_byte(out.a);
    return true;
  }

  void set_plane(int i, int j, int alpha_value, bool mask_on) {
    if (req_.dst_alpha != nullptr)
      req_.dst_alpha[static_cast<int64_t>(j) * req_.dst_alpha_bpr + i] =
          static_cast<uint8_t>(alpha_value);
    if (req_.dst_mask != nullptr && mask_on)
      req_.dst_mask[static_cast<int64_t>(j) * req_.dst_mask_bpr + (i >> 3)] |=
          static_cast<uint8_t>(0x80 >> (i & 7));
  }

  void write_nearest(uint32_t* dst, int i, int j, double sx, double sy) {
    int ix = to_i32(sx), iy = to_i32(sy);
    if (!std::isfinite(sx) || !std::isfinite(sy) || !inside(ix, iy)) {
      *dst = 0;
      return;
    }
    *dst = word(ix, iy);
    bool mask_on = req_.src_mask == nullptr || mask_bit(ix, iy);
    set_plane(i, j, to_i32(alpha(ix, iy)), mask_on);
  }

  void write_sample(uint32_t* dst, int i, int j, const Sample& s) {
    auto byte = [](double x) { return to_u32_sat(std::min(x, 255.0)); };
    uint32_t a = byte(s.a);
    *dst = pixel_from_rgb(req_.format, byte(s.r) << 16 | byte(s.g) << 8 | byte(s.b));
    set_plane(i, j, int32_t(a), a != 0);
  }

 private:
  qmDistortRequest& req_;
  const qmDistortImage& src_;
};

}  // namespace

void distort_resample(qmDistortRequest& req) {
  req.error = 0;
  qmDistortImage& dst = *req.target;
  const qmDistortImage& src = *req.source;
  dst.x_offset = req.out_x, dst.y_offset = req.out_y;
  const double* c = req.coefficients.data();
  const double ox = src.x_offset, oy = src.y_offset;
  const double w = src.width;

  qmResampleFilter* filter = nullptr;
  std::unique_ptr<qmResampleFilter> filter_owner;
  if (req.smooth != 0) {
    filter_owner.reset(new (std::nothrow) qmResampleFilter());
    if (!filter_owner) {
      req.error = ERR_MEM;
      req.coefficients.clear();
      return;
    }
    filter = filter_owner.get();
    filter->source = &src;
    filter->pixel_count = static_cast<double>(src.width) * src.height;
    for (int i = 0; i < 1024; ++i) filter->weights[i] = std::exp(-i * 0.0027076061740622863);
    distort_filter_scale(*filter, 1, 0, 0, 1);
  }

  Resampler rs(req);
  const double tw2 = 2.0 * dst.width;
  for (int j = 0; j < dst.height; ++j) {
    uint32_t* row = dst.pixels + static_cast<int64_t>(j) * dst.pixels_per_row;
    const double y = req.out_y + j + 0.5;
    for (int i = 0; i < dst.width; ++i) {
      const double x = req.out_x + i + 0.5;
      double sx = 0, sy = 0, dux = 1, duy = 0, dvx = 0, dvy = 1;
      bool common_steps = true;
      switch (req.method) {
        case DISTORT_PERSPECTIVE: {
          double q = c[6] * x + c[7] * y + 1.0;
          bool valid = q * c[8] >= 0.0;
          double m = std::fabs(c[7]) < std::fabs(c[6]) ? c[6] : c[7];
          if (2.0 * std::fabs(q) < std::fabs(m)) valid = 0.5 - q * c[8] / m > 0.0;
          if (!valid) {  // beyond the horizon
            row[i] = 0;
            continue;
          }
          double u = (c[0] * x + c[1] * y + c[2]) / q, v = (c[3] * x + c[4] * y + c[5]) / q;
          dux = (c[0] - c[6] * u) / q, duy = (c[1] - c[7] * u) / q;
          dvx = (c[3] - c[6] * v) / q, dvy = (c[4] - c[7] * v) / q;
          sx = u, sy = v;
          break;
        }
        case DISTORT_ARC: {
          double t = (std::atan2(y, x) - c[0]) / kTwoPi;
          t -= round_half_away(t);
          double r = std::hypot(x, y);
          sx = t * c[1] + c[4] + ox;
          sy = (c[2] - r) * c[3] + oy - 0.5;
          dux = r > 1e-6 ? c[1] / (kTwoPi * r) : tw2, duy = 0, dvx = 0, dvy = c[3];
          common_steps = false;
          break;
        }
        case DISTORT_POLAR: {
          double dx = x - c[2], dy = y - c[3];
          double t = (std::atan2(dx, dy) - (c[4] + c[5]) / 2.0) / kTwoPi;
          t -= round_half_away(t);
          double r = std::hypot(dx, dy);
          sx = t * kTwoPi * c[6] + w / 2.0;  // the half-pixel step follows below, once
          sy = (r - c[1]) * c[7];
          dux = r > 1e-6 ? c[6] / (kTwoPi * r) : tw2, duy = 0, dvx = 0, dvy = c[7];
          break;
        }
        case DISTORT_BARREL: {
          double dx = x - c[8], dy = y - c[9];
          double r = std::sqrt(dx * dx + dy * dy);
          if (r > 1e-6) {
            double fx = ((c[0] * r + c[1]) * r + c[2]) * r + c[3];
            double fy = ((c[4] * r + c[5]) * r + c[6]) * r + c[7];
            double gx = ((3 * c[0] * r + 2 * c[1]) * r + c[2]) / r;
            double gy = ((3 * c[4] * r + 2 * c[5]) * r + c[6]) / r;
            sx = fx * dx + c[8], sy = fy * dy + c[9];
            dux = fx + gx * dx * dx, duy = gx * dx * dy, dvx = gy * dx * dy,
            dvy = fy + gy * dy * dy;
          } else {
            sx = c[8], sy = c[9];
            dux = c[3], duy = 0, dvx = 0, dvy = c[7];
          }
          break;
        }
        default:
          row[i] = 0;
          continue;
      }
      if (common_steps) sx -= ox + 0.5, sy -= oy + 0.5;
      if (filter == nullptr) {
        rs.write_nearest(&row[i], i, j, sx, sy);
        continue;
      }
      distort_filter_scale(*filter, dux, duy, dvx, dvy);
      Sample s;
      if (rs.ewa(*filter, sx, sy, s))
        rs.write_sample(&row[i], i, j, s);
      else
        rs.write_nearest(&row[i], i, j, sx, sy);
    }
  }
  req.coefficients.clear();
  req.coefficients.shrink_to_fit();
}

int32_t bitmap_distort(qmBitmap* src, qmMask* src_mask, qmAlphaChannel* src_alpha, int32_t width,
                       int32_t height, int32_t method, int32_t value_count, const double* values,
                       int32_t smooth, qmBitmap** out_bitmap, qmMask** out_mask,
                       qmAlphaChannel** out_alpha, int32_t* out_width, int32_t* out_height) {
  qmDistortImage source, target;
  qmDistortRequest req;
  req.method = method;
  req.value_count = value_count;
  req.values = values;
  req.smooth = smooth;
  req.source = &source;
  source.width = width, source.height = height;
  distort_coefficients(req);
  if (req.error != 0) return req.error;

  qmBitmap* bm = qmos_alloc_bitmap(req.out_width, req.out_height);
  if (bm == nullptr) return ERR_MEM;
  qmMask* mask = nullptr;
  qmAlphaChannel* alpha = nullptr;
  if (src_mask != nullptr || (src_alpha == nullptr && smooth == 0))
    mask = qmos_alloc_mask(req.out_width, req.out_height, 1);
  else
    alpha = qmos_alloc_alpha(req.out_width, req.out_height, 1);
  if (mask == nullptr && alpha == nullptr) {
    qmos_free_bitmap(bm);
    return ERR_MEM;
  }
  auto release = [&] {
    qmos_free_bitmap(bm);
    qmos_free_mask(mask);
    qmos_free_alpha(alpha);
  };

  qmBitmapLock sl{}, tl{};
  int32_t locked = qmos_lock_bitmap(src, &sl) & qmos_lock_bitmap(bm, &tl);
  // Only 4-byte pixels exist in the player's bitmaps; anything else cannot be addressed here.
  if (locked == 0 || sl.bytes_per_pixel != 4 || sl.width < width || sl.height < height) {
    qmos_unlock_bitmap(&sl);
    qmos_unlock_bitmap(&tl);
    release();
    return ERR_LOCKBMAP;
  }
  source.pixels = sl.pixels, source.pixels_per_row = sl.pixels_per_row;
  target.width = req.out_width, target.height = req.out_height;
  target.pixels = tl.pixels, target.pixels_per_row = tl.pixels_per_row;
  req.target = &target;
  if (src_mask != nullptr) {
    req.src_mask = src_mask->data, req.src_mask_bpr = src_mask->bytes_per_row;
  }
  if (src_alpha != nullptr) {
    req.src_alpha = src_alpha->data, req.src_alpha_bpr = src_alpha->bytes_per_row;
  }
  if (mask != nullptr) req.dst_mask = mask->data, req.dst_mask_bpr = mask->bytes_per_row;
  if (alpha != nullptr) req.dst_alpha = alpha->data, req.dst_alpha_bpr = alpha->bytes_per_row;
  req.bytes_per_pixel = sl.bytes_per_pixel;
  req.format = sl.format;
  distort_resample(req);
  qmos_unlock_bitmap(&sl);
  qmos_unlock_bitmap(&tl);
  if (req.error != 0) {
    release();
    return req.error;
  }
  *out_bitmap = bm;
  *out_mask = mask;
  *out_alpha = alpha;
  *out_width = req.out_width;
  *out_height = req.out_height;
  return 0;
}

}  // namespace qm

// Two-pass median-cut quantiser.
//
// Pass one counts colours in a coarse 32 x 64 x 32 histogram (red >> 3, green >> 2, blue >> 3) of
// saturating 16-bit counters. The colour space is then cut into boxes, always at the midpoint of
// the box's longest weighted axis (red weighs 2, green 3, blue 1), one palette colour per box.
// The histogram is then reused as the inverse colour map (0 = not computed, else index + 1),
// filled lazily one 4 x 8 x 4 block of cells at a time. Pass two maps every pixel, directly or
// with Floyd-Steinberg error diffusion.
#include "gfx/quantize.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#include "gfx/pixelformat.h"

namespace qm {
namespace {

constexpr int kRedCells = 32, kGreenCells = 64, kBlueCells = 32;
constexpr int kRedScale = 2, kGreenScale = 3, kBlueScale = 1;

inline int cell_index(int r, int g, int b) {
  return (r * kGreenCells + g) * kBlueCells + b;
}
inline int cell_of(uint32_t rgb) {
  return cell_index(static_cast<int>(rgb >> 19) & 31, static_cast<int>(rgb >> 10) & 63,
                    static_cast<int>(rgb >> 3) & 31);
}

struct Box {
  int32_t rmin, rmax, gmin, gmax, bmin, bmax;
  int32_t volume;
  int32_t colours;
};

struct Quantiser {
  std::vector<uint16_t> hist;  // doubles as the inverse map after the palette is chosen
  std::vector<Box> boxes;
  int palette_size = 0;
  int pr[256] = {}, pg[256] = {}, pb[256] = {};

  bool cell_used(int r, int g, int b) const { return hist[cell_index(r, g, b)] != 0; }

  bool red_plane_used(const Box& x, int r) const {
    for (int g = x.gmin; g <= x.gmax; ++g)
      for (int b = x.bmin; b <= x.bmax; ++b)
        if (cell_used(r, g, b)) return true;
    return false;
  }
  bool green_plane_used(const Box& x, int g) const {
    for (int r = x.rmin; r <= x.rmax; ++r)
      for (int b = x.bmin; b <= x.bmax; ++b)
        if (cell_used(r, g, b)) return true;
    return false;
  }
  bool blue_plane_used(const Box& x, int b) const {
    for (int r = x.rmin; r <= x.rmax; ++r)
      for (int g = x.gmin; g <= x.gmax; ++g)
        if (cell_used(r, g, b)) return true;
    return false;
  }

  // Shrinks the box to the planes that hold counted colours, then recomputes its statistics.
  // Each axis is tightened after the previous one, so later scans see the narrower box.
  void update(Box& x) const {
    auto shrink = [&](int32_t& lo, int32_t& hi, auto used) {
      if (hi > lo) {
        for (int v = lo; v <= hi; ++v)
          if (used(v)) {
            lo = v;
            break;
          }
      }
      if (hi > lo) {
        for (int v = hi; v >= lo; --v)
          if (used(v)) {
            hi = v;
            break;
          }
      }
    };
    shrink(x.rmin, x.rmax, [&](int v) { return red_plane_used(x, v); });
    shrink(x.gmin, x.gmax, [&](int v) { return green_plane_used(x, v); });
    shrink(x.bmin, x.bmax, [&](int v) { return blue_plane_used(x, v); });
    int dr = 16 * (x.rmax - x.rmin), dg = 12 * (x.gmax - x.gmin), db = 8 * (x.bmax - x.bmin);
    x.volume = dr * dr + dg * dg + db * db;
    int count = 0;
    for (int r = x.rmin; r <= x.rmax; ++r)
      for (int g = x.gmin; g <= x.gmax; ++g)
        for (int b = x.bmin; b <= x.bmax; ++b)
          if (cell_used(r, g, b)) ++count;
    x.colours = count;
  }

  void split(int wanted) {
    while (static_cast<int>(boxes.size()) < wanted) {
      int n = static_cast<int>(boxes.size());
      int chosen = -1;
      if (wanted < 2 * n) {
        int32_t best = 0;
        for (int i = 0; i < n; ++i)
          if (boxes[i].volume > best) best = boxes[i].volume, chosen = i;
      } else {
        int32_t best = 0;
        for (int i = 0; i < n; ++i)
          if (boxes[i].colours > best && boxes[i].volume >= 1) best = boxes[i].colours, chosen = i;
      }
      if (chosen < 0) return;
      Box& b1 = boxes[chosen];
      int lr = 16 * (b1.rmax - b1.rmin), lg = 12 * (b1.gmax - b1.gmin),
          lb = 8 * (b1.bmax - b1.bmin);
      int axis = lr > lg ? 0 : 1;
      if (lb > (axis == 0 ? lr : lg)) axis = 2;
      Box b2 = b1;
      int32_t* lo1 = axis == 0 ? &b1.rmax : axis == 1 ? &b1.gmax : &b1.bmax;
      int32_t* lo2 = axis == 0 ? &b2.rmin : axis == 1 ? &b2.gmin : &b2.bmin;
      int32_t mid = (*lo1 + *lo2) / 2;  // *lo1 is the max, *lo2 the min before the cut
      *lo1 = mid;
      *lo2 = mid + 1;
      update(b1);
      update(b2);
      boxes.push_back(b2);
    }
  }

  void choose_colours() {
    palette_size = static_cast<int>(boxes.size());
    for (int i = 0; i < palette_size; ++i) {
      const Box& x = boxes[i];
      int64_t n = 0, sr = 0, sg = 0, sb = 0;
      for (int r = x.rmin; r <= x.rmax; ++r)
        for (int g = x.gmin; g <= x.gmax; ++g)
          for (int b = x.bmin; b <= x.bmax; ++b) {
            int64_t c = hist[cell_index(r, g, b)];
            if (c == 0) continue;
            n += c;
            sr += c * (8 * r + 4);
            sg += c * (4 * g + 2);
            sb += c * (8 * b + 4);
          }
      if (n == 0 || x.rmax < x.rmin) {
        pr[i] = pg[i] = pb[i] = 255;
      } else {
        pr[i] = static_cast<int>((sr + n / 2) / n);
        pg[i] = static_cast<int>((sg + n / 2) / n);
        pb[i] = static_cast<int>((sb + n / 2) / n);
      }
    }
  }

  // Fills the inverse map for the 4 x 8 x 4 block of cells that holds the given cell.
  void fill_block(int r, int g, int b) {
    int r0 = r & ~3, g0 = g & ~7, b0 = b & ~3;
    int minr = 8 * r0 + 4, maxr = minr + 24;
    int ming = 4 * g0 + 2, maxg = ming + 28;
    int minb = 8 * b0 + 4, maxb = minb + 24;
    int midr = (minr + maxr) / 2, midg = (ming + maxg) / 2, midb = (minb + maxb) / 2;

    int least[256], bound = 2147483647;
    auto axis = [](int v, int lo, int hi, int mid, int scale, int& dmin, int& dmax) {
      int t;
      if (v < lo) {
        t = (v - lo) * scale, dmin = t * t;
        t = (v - hi) * scale, dmax = t * t;
      } else if (v > hi) {
        t = (v - hi) * scale, dmin = t * t;
        t = (v - lo) * scale, dmax = t * t;
      } else {
        dmin = 0;
        t = (v > mid ? v - lo : v - hi) * scale;
        dmax = t * t;
      }
    };
    for (int i = 0; i < palette_size; ++i) {
      int a0, a1, b0d, b1d, c0, c1;
      axis(pr[i], minr, maxr, midr, kRedScale, a0, a1);
      axis(pg[i], ming, maxg, midg, kGreenScale, b0d, b1d);
      axis(pb[i], minb, maxb, midb, kBlueScale, c0, c1);
      least[i] = a0 + b0d + c0;
      bound = std::min(bound, a1 + b1d + c1);
    }
    int candidates[256], ncand = 0;
    for (int i = 0; i < palette_size; ++i)
      if (least[i] <= bound) candidates[ncand++] = i;

    // Distances stepped incrementally: moving one cell along an axis changes (s*(d + step))^2 by
    // 2*s^2*d*step + s^2*step^2.
    constexpr int kCells = 4 * 8 * 4;
    int best[kCells], bestidx[kCells];
    std::fill(best, best + kCells, 2147483647);
    std::fill(bestidx, bestidx + kCells, 0);
    constexpr int sr = 8 * kRedScale, sg = 4 * kGreenScale, sb = 8 * kBlueScale;
    for (int k = 0; k < ncand; ++k) {
      int i = candidates[k];
      int dr = (minr - pr[i]) * kRedScale, dg = (ming - pg[i]) * kGreenScale,
          db = (minb - pb[i]) * kBlueScale;
      int dist0 = dr * dr + dg * dg + db * db;
      int inc0 = dr * 2 * sr + sr * sr;
      int* bp = best;
      int* ip = bestidx;
      for (int ir = 0; ir < 4; ++ir) {
        int dist1 = dist0, inc1 = dg * 2 * sg + sg * sg;
        for (int ig = 0; ig < 8; ++ig) {
          int dist2 = dist1, inc2 = db * 2 * sb + sb * sb;
          for (int ib = 0; ib < 4; ++ib) {
            if (dist2 < *bp) *bp = dist2, *ip = i;
            ++bp, ++ip;
            dist2 += inc2;
            inc2 += 2 * sb * sb;
          }
          dist1 += inc1;
          inc1 += 2 * sg * sg;
        }
        dist0 += inc0;
        inc0 += 2 * sr * sr;
      }
    }
    const int* ip = bestidx;
    for (int ir = 0; ir < 4; ++ir)
      for (int ig = 0; ig < 8; ++ig)
        for (int ib = 0; ib < 4; ++ib)
          hist[cell_index(r0 + ir, g0 + ig, b0 + ib)] = static_cast<uint16_t>(*ip++ + 1);
  }

  int index_of(uint32_t rgb) {
    int c = cell_of(rgb);
    if (hist[c] == 0)
      fill_block(static_cast<int>(rgb >> 19) & 31, static_cast<int>(rgb >> 10) & 63,
                 static_cast<int>(rgb >> 3) & 31);
    return hist[c] - 1;
  }
};

// The error limiter: small errors pass, medium ones are halved beyond 16, large ones cap at 32.
int limit_error(int e) {
  int a = e < 0 ? -e : e, l;
  if (a < 16)
    l = a;
  else if (a < 48)
    l = 16 + (a - 16) / 2;
  else
    l = 32;
  return e < 0 ? -l : l;
}

}  // namespace

int argb_quantize(const void* pixels, int32_t format, int32_t bytes_per_pixel, int32_t width,
                  int32_t height, int32_t pixels_per_row, uint8_t* indices, uint32_t* palette,
                  int32_t* colour_count, int32_t transparent, int32_t reserve, int32_t dither) {
  const bool has_transparent = transparent != -1;
  const uint32_t trans_rgb = static_cast<uint32_t>(transparent) & 0xFFFFFF;
  const int limit = (!has_transparent && reserve == 0) ? 256 : 255;
  if (*colour_count > limit) *colour_count = limit;
  const int wanted = std::max<int32_t>(*colour_count, 1);
  const int w = std::max<int32_t>(width, 0), h = std::max<int32_t>(height, 0);
  const auto* base = static_cast<const uint8_t*>(pixels);
  const int64_t row_bytes = static_cast<int64_t>(pixels_per_row) * bytes_per_pixel;
  // Calls fn(rgb) for every pixel in row order; the 32-bit formats get a loop of their own.
  auto for_each_pixel = [&](auto&& fn) {
    const bool word = bytes_per_pixel == 4 && with_format32(format, [&](auto f) {
                        using F = decltype(f);
                        for (int y = 0; y < h; ++y) {
                          const uint8_t* p = base + y * row_bytes;
                          for (int x = 0; x < w; ++x, p += 4) {
                            uint32_t v;
                            std::memcpy(&v, p, 4);
                            fn(static_cast<uint32_t>(F::r(v) << 16 | F::g(v) << 8 | F::b(v)));
                          }
                        }
                      });
    if (word) return;
    for (int y = 0; y < h; ++y) {
      const uint8_t* p = base + y * row_bytes;
      for (int x = 0; x < w; ++x, p += bytes_per_pixel) fn(read_pixel_rgb(p, format));
    }
  };

  try {
    Quantiser q;
    q.hist.assign(kRedCells * kGreenCells * kBlueCells, 0);
    // Neighbouring pixels often share a cell: runs are counted first and added saturating.
    int run_cell = -1;
    uint32_t run = 0;
    auto flush = [&] {
      if (run_cell >= 0) {
        uint16_t& cell = q.hist[static_cast<size_t>(run_cell)];
        cell = static_cast<uint16_t>(std::min<uint32_t>(65535u, cell + run));
      }
    };
    for_each_pixel([&](uint32_t c) {
      if (has_transparent && c == trans_rgb) return;
      const int cell = cell_of(c);
      if (cell == run_cell && run < 65535u) {
        ++run;
        return;
      }
      flush();
      run_cell = cell, run = 1;
    });
    flush();

    q.boxes.reserve(static_cast<size_t>(wanted));
    q.boxes.push_back(Box{0, kRedCells - 1, 0, kGreenCells - 1, 0, kBlueCells - 1, 0, 0});
    q.update(q.boxes[0]);
    q.split(wanted);
    q.choose_colours();
    std::fill(q.hist.begin(), q.hist.end(), 0);
    const int trans_index = q.palette_size;

    uint8_t* out = indices;
    if (dither == 0) {
      uint32_t last = 0xFFFFFFFFu;  // no colour: the top byte of a colour is 0
      uint8_t last_index = 0;
      for_each_pixel([&](uint32_t c) {
        if (c != last) {
          last = c;
          last_index =
              static_cast<uint8_t>(has_transparent && c == trans_rgb ? trans_index : q.index_of(c));
        }
        *out++ = last_index;
      });
    } else {
      // Error row in sixteenths: pixel column k reads cell k + 1 (the row above's error) and
      // writes cell k.
      std::vector<int> err(static_cast<size_t>(w + 2) * 3, 0);
      for (int y = 0; y < h; ++y) {
        int carry[3] = {0, 0, 0}, below[3] = {0, 0, 0}, behind[3] = {0, 0, 0};
        for (int x = 0; x < w; ++x) {
          uint32_t c = read_pixel_rgb(base + y * row_bytes + int64_t(x) * bytes_per_pixel, format);
          int* cell = &err[static_cast<size_t>(x) * 3];
          if (has_transparent && c == trans_rgb) {
            *out++ = static_cast<uint8_t>(trans_index);
            cell[0] = cell[1] = cell[2] = 0;
            cell[3] = 0;  // the next cell's red sum only, as the original did
            continue;
          }
          int v[3] = {static_cast<int>(c >> 16) & 255, static_cast<int>(c >> 8) & 255,
                      static_cast<int>(c) & 255};
          for (int ch = 0; ch < 3; ++ch) {
            int e = (carry[ch] + cell[3 + ch] + 8) >> 4;
            e = std::clamp(e, -255, 255);
            v[ch] = std::clamp(v[ch] + limit_error(e), 0, 255);
          }
          int idx = q.index_of(static_cast<uint32_t>(v[0] << 16 | v[1] << 8 | v[2]));
          *out++ = static_cast<uint8_t>(idx);
          const int pal[3] = {q.pr[idx], q.pg[idx], q.pb[idx]};
          for (int ch = 0; ch < 3; ++ch) {
            int e = v[ch] - pal[ch];
            cell[ch] = behind[ch] + 3 * e;
            behind[ch] = below[ch] + 5 * e;
            below[ch] = e;
            carry[ch] = 7 * e;
          }
        }
        int* last = &err[static_cast<size_t>(w) * 3];
        for (int ch = 0; ch < 3; ++ch) last[ch] = behind[ch];
      }
    }

    int total = q.palette_size;
    uint32_t words[257];
    for (int i = 0; i < total; ++i)
      words[i] = static_cast<uint32_t>(q.pr[i] << 16 | q.pg[i] << 8 | q.pb[i]);
    if (has_transparent)
      words[total++] = trans_rgb;
    else if (reserve != 0)
      words[total++] = 0;
    std::memcpy(palette, words, static_cast<size_t>(total) * 4);
    *colour_count = total;
    return 1;
  } catch (const std::bad_alloc&) {
    return 0;
  }
}

}  // namespace qm

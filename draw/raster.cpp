// The scan converter. OpenCV draws the polygons and lines, from quillmere-raster.so (see
// raster_module.h), which the first raster opens.
//
// OpenCV draws in 16.16 fixed point held in 64 bits, and its line clipper multiplies two
// coordinate differences: with coordinates much beyond the raster that product overflows. So any
// polygon or line that reaches past a guard box kGuard pixels around the raster is clipped to that
// box first. The guard lies further out than the widest line reaches (half of 255 plus the
// anti-aliasing fringe), so the edges that clipping adds along the box never touch the raster, and
// clipping a polygon to a convex box keeps the even-odd parity of every point inside the box.
#include "draw/raster.h"

#include <dlfcn.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <new>
#include <string>
#include <vector>

#include "draw/raster_module.h"
#include "gfx/bitmap.h"
#include "runtime/os/qmos.h"

namespace qm {

namespace {

constexpr int64_t kGuard = 1024;
constexpr int64_t kMaxBuffer = int64_t(1) << 30;
constexpr int32_t kNoMemory = -4, kBadArgument = -5, kNegativeSize = -25, kOutOfRange = -211;

int32_t g_status = 0;

struct Module {
  qmRasterPolygonFn polygon = nullptr;
  qmRasterLineFn line = nullptr;
};
Module g_module;

bool module_from(const std::string& path, Module* out, std::string* why) {
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    const char* err = dlerror();
    *why = err ? err : path;
    return false;
  }
  Module m;
  m.polygon = reinterpret_cast<qmRasterPolygonFn>(dlsym(handle, "qm_raster_polygon"));
  m.line = reinterpret_cast<qmRasterLineFn>(dlsym(handle, "qm_raster_line"));
  if (!m.polygon || !m.line) {
    *why = path + " lacks the drawing functions";
    return false;
  }
  *out = m;
  return true;
}

// The module, opened once: QM_RASTER_MODULE names it for a run that wants another (or none);
// else it is looked for beside the running program, then in the build folder. A module that
// cannot be opened is reported once on stderr.
bool module_loaded() {
  static std::once_flag once;
  static bool loaded = false;
  std::call_once(once, [] {
    std::string why;
    if (const char* name = std::getenv("QM_RASTER_MODULE"); name && *name) {
      loaded = module_from(name, &g_module, &why);
    } else {
      loaded = module_from(qmos_executable_folder() + "/" QM_RASTER_MODULE_FILE, &g_module, &why);
#ifdef QM_RASTER_MODULE_DIR
      std::string other;
      if (!loaded) loaded = module_from(QM_RASTER_MODULE_DIR "/" QM_RASTER_MODULE_FILE, &g_module, &other);
#endif
    }
    if (!loaded)
      std::fprintf(stderr, "The shape drawing module could not be loaded (%s): shapes that need it are not drawn.\n",
                   why.c_str());
  });
  return loaded;
}

// One spare buffer kept from the last destroyed raster, so that a shape drawn after another of
// about its size needs neither an allocation nor fresh pages.
constexpr size_t kSpareLimit = size_t(16) << 20;
uint8_t* g_spare = nullptr;
size_t g_spare_size = 0;

uint8_t* take_buffer(size_t bytes) {
  if (g_spare && g_spare_size >= bytes) {
    uint8_t* b = g_spare;
    g_spare = nullptr;
    g_spare_size = 0;
    std::memset(b, 0, bytes);
    return b;
  }
  return static_cast<uint8_t*>(std::calloc(bytes, 1));
}

// The buffer's size travels in the record's handle.
void give_back(uint8_t* buffer, size_t bytes) {
  if (bytes > kSpareLimit || bytes <= g_spare_size) {
    std::free(buffer);
    return;
  }
  std::free(g_spare);
  g_spare = buffer;
  g_spare_size = bytes;
}

// The guard box: x and y within lo..hi.
struct Box {
  int64_t x0, y0, x1, y1;
};
Box guard_box(const qmRaster* r) {
  return {-kGuard, -kGuard, int64_t(r->width) - 1 + kGuard, int64_t(r->height) - 1 + kGuard};
}
bool inside(const Box& b, int64_t x, int64_t y) {
  return x >= b.x0 && x <= b.x1 && y >= b.y0 && y <= b.y1;
}

// a + (b - a) * num / den rounded to nearest, exactly (the products need more than 64 bits).
int64_t lerp_round(int64_t a, int64_t b, int64_t num, int64_t den) {
  __int128 n = __int128(b - a) * num;
  if (den < 0) n = -n, den = -den;
  const __int128 q = n >= 0 ? (n + den / 2) / den : -((-n + den / 2) / den);
  return a + int64_t(q);
}

struct P64 {
  int64_t x, y;
};

// One Sutherland-Hodgman pass against the side of the box given by edge (0 left, 1 top, 2 right,
// 3 bottom).
void clip_side(const std::vector<P64>& in, std::vector<P64>& out, const Box& b, int edge) {
  out.clear();
  if (in.empty()) return;
  auto keep = [&](const P64& p) {
    switch (edge) {
      case 0: return p.x >= b.x0;
      case 1: return p.y >= b.y0;
      case 2: return p.x <= b.x1;
      default: return p.y <= b.y1;
    }
  };
  auto cross = [&](const P64& p, const P64& q) {
    if (edge == 0 || edge == 2) {
      const int64_t x = edge == 0 ? b.x0 : b.x1;
      return P64{x, lerp_round(p.y, q.y, x - p.x, q.x - p.x)};
    }
    const int64_t y = edge == 1 ? b.y0 : b.y1;
    return P64{lerp_round(p.x, q.x, y - p.y, q.y - p.y), y};
  };
  P64 prev = in.back();
  bool prev_in = keep(prev);
  for (const P64& p : in) {
    const bool now_in = keep(p);
    if (now_in != prev_in) out.push_back(cross(prev, p));
    if (now_in) out.push_back(p);
    prev = p;
    prev_in = now_in;
  }
}

// The polygon as x, y pairs, clipped to the guard box when any point lies outside it.
void polygon_points(const qmRaster* r, const qmPoint* points, int32_t count, std::vector<int32_t>& out) {
  const Box b = guard_box(r);
  bool all_inside = true;
  for (int32_t i = 0; i < count && all_inside; ++i) all_inside = inside(b, points[i].x, points[i].y);
  out.clear();
  if (all_inside) {
    out.reserve(2 * size_t(count));
    for (int32_t i = 0; i < count; ++i) out.insert(out.end(), {points[i].x, points[i].y});
    return;
  }
  std::vector<P64> a, c;
  a.reserve(size_t(count) + 8);
  for (int32_t i = 0; i < count; ++i) a.push_back({points[i].x, points[i].y});
  for (int edge = 0; edge < 4; ++edge) {
    clip_side(a, c, b, edge);
    a.swap(c);
  }
  for (const P64& p : a) out.insert(out.end(), {int32_t(p.x), int32_t(p.y)});
}

// Liang-Barsky against the guard box; false when the line misses it.
bool clip_line(const qmRaster* r, int64_t& x0, int64_t& y0, int64_t& x1, int64_t& y1) {
  const Box b = guard_box(r);
  if (inside(b, x0, y0) && inside(b, x1, y1)) return true;
  const int64_t dx = x1 - x0, dy = y1 - y0;
  // t as a fraction num / den of the segment, entering (lo) and leaving (hi).
  long double lo = 0.0L, hi = 1.0L;
  const int64_t p[4] = {-dx, dx, -dy, dy};
  const int64_t q[4] = {x0 - b.x0, b.x1 - x0, y0 - b.y0, b.y1 - y0};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    const long double t = (long double)q[i] / (long double)p[i];
    if (p[i] < 0) lo = std::max(lo, t);
    else hi = std::min(hi, t);
    if (lo > hi) return false;
  }
  const int64_t sx = x0, sy = y0;
  auto at = [&](long double t, int64_t base, int64_t d, int64_t low, int64_t high) {
    return std::clamp<int64_t>(base + int64_t(std::llroundl(t * (long double)d)), low, high);
  };
  x0 = at(lo, sx, dx, b.x0, b.x1), y0 = at(lo, sy, dy, b.y0, b.y1);
  x1 = at(hi, sx, dx, b.x0, b.x1), y1 = at(hi, sy, dy, b.y0, b.y1);
  return true;
}

bool drawable(const qmRaster* r) {
  if (!module_loaded()) {
    g_status = RASTER_UNAVAILABLE;
    return false;
  }
  return r && r->coverage && r->width > 0 && r->height > 0;
}

}  // namespace

int32_t raster_create(int32_t width, int32_t height, qmRaster* out) {
  g_status = 0;
  if (!out) return g_status = kBadArgument;
  *out = qmRaster{};
  if (width < 0 || height < 0) return g_status = kNegativeSize;
  const int64_t bpr = (int64_t(width) + 3) & ~int64_t(3);
  const int64_t bytes = bpr * height;
  if (!picture_size_allowed(width, height) || bytes > kMaxBuffer) return g_status = kOutOfRange;
  if (!module_loaded()) return g_status = RASTER_UNAVAILABLE;
  out->width = width;
  out->height = height;
  out->bpr = int32_t(bpr);
  if (bytes == 0) return 0;
  out->coverage = take_buffer(size_t(bytes));
  if (!out->coverage) {
    *out = qmRaster{};
    return g_status = kNoMemory;
  }
  out->handle = reinterpret_cast<void*>(uintptr_t(bytes));
  return 0;
}

void raster_destroy(qmRaster* raster) {
  if (!raster) return;
  if (raster->coverage) give_back(raster->coverage, size_t(reinterpret_cast<uintptr_t>(raster->handle)));
  *raster = qmRaster{};
}

void raster_fill_polygon(qmRaster* raster, const qmPoint* points, int32_t count, int32_t antialias,
                         int32_t thickness) {
  g_status = 0;
  if (!raster) {
    g_status = -27;
    return;
  }
  if (thickness < -1 || thickness > 255) {
    g_status = kBadArgument;
    return;
  }
  if (count < 1 || !points || !drawable(raster)) return;
  std::vector<int32_t> xy;
  try {
    polygon_points(raster, points, count, xy);
  } catch (const std::bad_alloc&) {
    g_status = kNoMemory;
    return;
  }
  if (xy.empty()) return;
  g_status = g_module.polygon(raster->coverage, raster->width, raster->height, raster->bpr, xy.data(),
                              int32_t(xy.size() / 2), antialias, std::max(thickness, 0));
}

void raster_fill_edges(qmRaster* raster, int32_t x0, int32_t y0, int32_t x1, int32_t y1,
                       int32_t antialias, int32_t thickness) {
  g_status = 0;
  if (!raster) {
    g_status = -27;
    return;
  }
  if (thickness < 0) {
    g_status = kBadArgument;
    return;
  }
  if (thickness > 255) {
    g_status = kOutOfRange;
    return;
  }
  if (!drawable(raster)) return;
  int64_t ax = x0, ay = y0, bx = x1, by = y1;
  if (!clip_line(raster, ax, ay, bx, by)) return;
  g_status = g_module.line(raster->coverage, raster->width, raster->height, raster->bpr, int32_t(ax), int32_t(ay),
                           int32_t(bx), int32_t(by), antialias, std::max(thickness, 1));
}

int32_t raster_status() { return g_status; }

void raster_release_spare() {
  std::free(g_spare);
  g_spare = nullptr;
  g_spare_size = 0;
}

void raster_install() {
  qmGfxServices& s = gfx_services();
  s.raster_create = raster_create;
  s.raster_destroy = raster_destroy;
  s.raster_fill_polygon = raster_fill_polygon;
  s.raster_fill_edges = raster_fill_edges;
}

}  // namespace qm

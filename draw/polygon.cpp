// Reading a polygon's vertex table.
#include <algorithm>
#include <cmath>

#include "draw/shape.h"
#include "engine/errcodes.h"
#include "engine/vm.h"
#include "gfx/bitmap.h"
#include "runtime/errors.h"

namespace qm {

namespace {

constexpr int32_t kMaxVertices = 999;

double rounded(double v) { return std::floor(v + 0.5); }

}  // namespace

int32_t polygon_read_points(qmState* L, int32_t t, int32_t count, PolygonPoints* out) {
  std::vector<LayerVertex>& v = out->vertices;
  v.clear();
  const int32_t wanted = count > 0 ? count : kMaxVertices + 1;
  for (int32_t i = 0; i < wanted; ++i) {
    double xy[2];
    for (int32_t k = 0; k < 2; ++k) {
      vm_raw_geti(L, t, 2 * i + k);
      const int32_t type = vm_type(L, -1);
      xy[k] = vm_to_number(L, -1);
      vm_pop(L, 1);
      if (count == 0 && type == QM_TNIL && k == 0) return i >= 2 ? 0 : ERR_WRONGUSAGE;
      if (type != QM_TNUMBER || !std::isfinite(xy[k])) {
        err_set_string_arg("polygon");
        return ERR_NUMTABLEARG;
      }
    }
    if (i == kMaxVertices) return ERR_INTERNAL;
    v.push_back({xy[0], xy[1]});
  }
  if (v.size() < 2) return ERR_WRONGUSAGE;
  if (v.back().x != v.front().x || v.back().y != v.front().y) v.push_back(v.front());
  double min_x = v[0].x, min_y = v[0].y, lo_x = rounded(v[0].x), lo_y = rounded(v[0].y), hi_x = lo_x, hi_y = lo_y;
  for (const LayerVertex& p : v) {
    min_x = std::min(min_x, p.x), min_y = std::min(min_y, p.y);
    lo_x = std::min(lo_x, rounded(p.x)), hi_x = std::max(hi_x, rounded(p.x));
    lo_y = std::min(lo_y, rounded(p.y)), hi_y = std::max(hi_y, rounded(p.y));
  }
  const double w = hi_x - lo_x + 1, h = hi_y - lo_y + 1;
  if (!(std::fabs(lo_x) < 2e9 && std::fabs(lo_y) < 2e9) || !picture_size_allowed(int64_t(std::min(w, 1e12)), int64_t(std::min(h, 1e12))))
    return ERR_MEM;
  for (LayerVertex& p : v) p.x -= min_x, p.y -= min_y;
  out->min_x = int32_t(lo_x), out->min_y = int32_t(lo_y);
  out->width = int32_t(w), out->height = int32_t(h);
  return 0;
}

}  // namespace qm

// Polygon spans without a raster, pixel for pixel as the scan converter draws them.
#include "draw/spans.h"

#include <algorithm>
#include <cstdlib>

namespace qm {

void RowSpans::reset(int32_t first_row, int32_t end_row) {
  first = first_row;
  end = std::max(end_row, first_row);
  lo.assign(size_t(end - first), 0);
  hi.assign(size_t(end - first), -1);
  apart.clear();
}

namespace {

// An edge of the fill: rows y0..y1-1, its crossing at row y0 and its step per row, 16.16.
struct Edge {
  int32_t y0, y1;
  int64_t x, dx;
};

// The 8-connected line from a to b, one span per row it touches. The walk starts at the left end
// (at a for an upright line) and steps along the longer axis, across when the error term was
// negative before the step: that choice decides the pixels of lines that are not symmetric.
void line_spans(qmPoint a, qmPoint b, RowSpans* out) {
  if (b.x < a.x) std::swap(a, b);
  const int32_t dx = b.x - a.x, dy = std::abs(b.y - a.y), step = b.y < a.y ? -1 : 1;
  auto add = [out](int32_t y, int32_t x0, int32_t x1) {
    if (y >= out->first && y < out->end) out->add(y, x0, x1);
  };
  if (dx >= dy) {
    int32_t err = dx - 2 * dy, y = a.y, from = a.x;
    for (int32_t x = a.x; x < b.x; ++x) {
      if (err < 0) {
        add(y, from, x);
        y += step, from = x + 1;
        err += 2 * dx;
      }
      err -= 2 * dy;
    }
    add(y, from, b.x);
    return;
  }
  int32_t err = dy - 2 * dx, x = a.x, y = a.y;
  for (int32_t i = 0; i <= dy; ++i, y += step) {
    add(y, x, x);
    if (err < 0) {
      ++x;
      err += 2 * dy;
    }
    err -= 2 * dx;
  }
}

// The even-odd interior: each row's crossings in order pair up, the left one rounded up and the
// right one down.
void fill_spans(std::vector<Edge>& edges, RowSpans* out) {
  if (edges.size() < 2) return;
  std::sort(edges.begin(), edges.end(), [](const Edge& p, const Edge& q) { return p.y0 < q.y0; });
  int32_t last = 0;
  for (const Edge& e : edges) last = std::max(last, e.y1);
  std::vector<const Edge*> active;
  std::vector<int64_t> cross;
  size_t next = 0;
  for (int32_t y = std::max(out->first, edges.front().y0); y < std::min(out->end, last); ++y) {
    while (next < edges.size() && edges[next].y0 <= y) active.push_back(&edges[next++]);
    size_t kept = 0;
    for (const Edge* e : active)
      if (e->y1 > y) active[kept++] = e;
    active.resize(kept);
    cross.clear();
    for (const Edge* e : active) {
      // In order as they come (a row seldom has more than a few).
      const int64_t c = e->x + int64_t(y - e->y0) * e->dx;
      cross.push_back(c);
      for (size_t k = cross.size() - 1; k > 0 && cross[k - 1] > c; --k)
        std::swap(cross[k - 1], cross[k]);
    }
    for (size_t k = 0; k + 1 < cross.size(); k += 2) {
      const int32_t x0 = int32_t((cross[k] + 65535) >> 16), x1 = int32_t(cross[k + 1] >> 16);
      if (x0 <= x1) out->add(y, x0, x1);
    }
  }
}

}  // namespace

bool polygon_spans(const qmPoint* points, int32_t count, bool fill, int32_t width, int32_t height,
                   RowSpans* out) {
  if (count < 1 || !points) return true;
  for (int32_t i = 0; i < count; ++i)
    if (points[i].x < 0 || points[i].x >= width || points[i].y < 0 || points[i].y >= height)
      return false;
  // The edges run from the last point to the first, then along the list.
  auto from = [&](int32_t i) { return points[i == 0 ? count - 1 : i - 1]; };
  if (fill) {
    std::vector<Edge> edges;
    edges.reserve(size_t(count));
    for (int32_t i = 0; i < count; ++i) {
      const qmPoint a = from(i), b = points[i];
      if (a.y == b.y) continue;
      const int64_t ax = int64_t(a.x) * 65536, bx = int64_t(b.x) * 65536;
      Edge e;
      e.dx = (bx - ax) / (b.y - a.y);
      if (a.y < b.y)
        e.y0 = a.y, e.y1 = b.y, e.x = ax;
      else
        e.y0 = b.y, e.y1 = a.y, e.x = bx;
      edges.push_back(e);
    }
    // The interior first, so that the edges' short spans mostly grow its spans.
    fill_spans(edges, out);
  }
  for (int32_t i = 0; i < count; ++i) line_spans(from(i), points[i], out);
  return true;
}

}  // namespace qm

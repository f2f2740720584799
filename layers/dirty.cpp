// Dirty-rectangle lists.
#include "layers/dirty.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "engine/errcodes.h"

namespace qm {

namespace {

bool grow_list(DirtyList& list) {
  const int64_t capacity = int64_t(list.capacity) + kDirtyGrowth;
  auto* entries = static_cast<int32_t*>(std::malloc(size_t(capacity) * 4 * sizeof(int32_t)));
  if (!entries) return false;
  if (list.count) std::memcpy(entries, list.entries, size_t(list.count) * 4 * sizeof(int32_t));
  std::free(list.entries);
  list.entries = entries;
  list.capacity = int32_t(capacity);
  return true;
}

void append(DirtyList& list, const Rect& r) {
  int32_t* e = list.entries + size_t(list.count) * 4;
  const Corners c = to_corners(r);
  e[0] = c.x1;
  e[1] = c.y1;
  e[2] = c.x2;
  e[3] = c.y2;
  ++list.count;
}

}  // namespace

int32_t dirty_list_init(DirtyList& list, int32_t capacity) {
  dirty_list_free(list);
  list.entries = static_cast<int32_t*>(std::malloc(size_t(capacity) * 4 * sizeof(int32_t)));
  if (!list.entries) return ERR_MEM;
  list.capacity = capacity;
  return 0;
}

void dirty_list_free(DirtyList& list) {
  std::free(list.entries);
  list = DirtyList{};
}

void dirty_list_add(DirtyList& list, const Rect& r, bool grow) {
  if (list.count >= list.capacity && !(grow && grow_list(list))) {
    dirty_list_set_full(list);
    return;
  }
  append(list, r);
}

void display_dirty_add_rect(DirtyList& list, const Rect& r, int32_t picture_w, int32_t picture_h) {
  if (list.capacity == 0 && dirty_list_init(list, kDirtyGrowth) != 0) return;  // stays full
  if (dirty_list_full(list)) return;
  if (r.x < 1 && r.y < 1 && r.width >= picture_w && r.height >= picture_h) {
    dirty_list_set_full(list);
    return;
  }
  append(list, r);
}

void dirty_rects_merge(DirtyList& list) {
  int32_t* e = list.entries;
  for (int32_t i = 0; i < list.count; ++i) {
    int32_t* a = e + size_t(i) * 4;
    for (int32_t j = 0; j < list.count; ++j) {
      int32_t* b = e + size_t(j) * 4;
      if (j == i || a[0] == kDirtyEmpty || b[0] == kDirtyEmpty) continue;
      if (int64_t(b[0]) - a[2] <= 1 && int64_t(a[0]) - b[2] <= 1 && int64_t(b[1]) - a[3] <= 1 &&
          int64_t(a[1]) - b[3] <= 1) {
        a[0] = std::min(a[0], b[0]);
        a[1] = std::min(a[1], b[1]);
        a[2] = std::max(a[2], b[2]);
        a[3] = std::max(a[3], b[3]);
        b[0] = kDirtyEmpty;
      }
    }
  }
}

void dirty_rects_flush(const DirtyList& list, int32_t picture_w, int32_t picture_h, const DirtyRedraw& redraw) {
  if (picture_w < 1 || picture_h < 1) return;
  if (dirty_list_full(list)) {
    redraw(Rect{0, 0, picture_w, picture_h});
    return;
  }
  for (int32_t i = 0; i < list.count; ++i) {
    const Corners c = dirty_entry(list, i);
    if (c.x1 == kDirtyEmpty) continue;
    Rect r = to_rect(c);
    if (int64_t(r.x) + r.width < 1 || int64_t(r.y) + r.height < 1 || r.x >= picture_w || r.y >= picture_h) continue;
    rect_clip_to_size(picture_w, picture_h, r);
    if (r.width > 0 && r.height > 0) redraw(r);
  }
}

}  // namespace qm

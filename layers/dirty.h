// Dirty-rectangle lists: the changed rectangles of a background picture, collected between two
// presentations, merged once, then redrawn and copied onto the display. A list whose count has
// reached its capacity stands for the whole picture: nothing is dropped, the whole is redrawn.
#pragma once

#include <cstdint>
#include <functional>

#include "display/display.h"
#include "layers/geometry.h"

namespace qm {

inline constexpr int32_t kDirtyGrowth = 1024;
inline constexpr int32_t kDirtyEmpty = 100000;  // x1 of an entry merged away

inline Corners dirty_entry(const DirtyList& list, int32_t i) {
  const int32_t* e = list.entries + size_t(i) * 4;
  return {e[0], e[1], e[2], e[3]};
}
inline bool dirty_list_full(const DirtyList& list) { return list.capacity > 0 && list.count >= list.capacity; }
inline void dirty_list_set_full(DirtyList& list) { list.count = list.capacity; }

// 0 or ERR_MEM; a list of that capacity with no entries.
int32_t dirty_list_init(DirtyList& list, int32_t capacity);
void dirty_list_free(DirtyList& list);
// Appends the rectangle. A full list grows by kDirtyGrowth entries when grow is set; when it
// cannot grow it stays full, which redraws everything rather than leaving stale pixels.
void dirty_list_add(DirtyList& list, const Rect& r, bool grow);
// The display's own list: a rectangle covering the whole picture sets it full; a full list takes
// nothing more. The list never grows here.
void display_dirty_add_rect(DirtyList& list, const Rect& r, int32_t picture_w, int32_t picture_h);
// One pass over all ordered pairs: rectangles that overlap or touch (edge or corner) become
// their union; the absorbed entry is emptied.
void dirty_rects_merge(DirtyList& list);
// Hands every non-empty entry, clipped to the picture, to redraw; a full list as the whole picture.
using DirtyRedraw = std::function<void(const Rect&)>;
void dirty_rects_flush(const DirtyList& list, int32_t picture_w, int32_t picture_h, const DirtyRedraw& redraw);

}  // namespace qm

// The sprite records and their lists: find, frames, creation, copies and freeing, and showing
// sprites on background pictures with the recomposition of what they touch.
#include "layers/sprite.h"

#include <algorithm>
#include <memory>
#include <functional>
#include <new>
#include <vector>

#include "display/display.h"
#include "display/graphics.h"
#include "display/hooks.h"
#include "display/target.h"
#include "engine/errcodes.h"
#include "gfx/bitmap.h"
#include "gfx/blit.h"
#include "gfx/blitpixels.h"
#include "display/picture.h"
#include "layers/layer.h"
#include "layers/redraw.h"
#include "runtime/errors.h"

namespace qm {

namespace {

ObjectHeader* g_sprites = nullptr;
void (*g_observer)(const qmDisplay*, const Rect&) = nullptr;

qmSprite* as_sprite(ObjectHeader* h) { return reinterpret_cast<qmSprite*>(h); }

void list_append(qmSprite* s) {
  ObjectHeader** tail = &g_sprites;
  while (*tail) tail = &(*tail)->next;
  s->header.next = nullptr;
  *tail = &s->header;
}

void list_unlink(qmSprite* s) {
  for (ObjectHeader** p = &g_sprites; *p; p = &(*p)->next) {
    if (*p == &s->header) {
      *p = s->header.next;
      return;
    }
  }
}

qmSprite* record_new(const ObjectId& id) {
  auto* s = new (std::nothrow) qmSprite();
  if (!s) return nullptr;
  s->header.type = OBJ_SPRITE;
  s->header.id = id.handle ? ObjectId{0, s} : id;
  return s;
}

Rect entry_rect(const SpriteEntry* e) { return {e->rect.x, e->rect.y, e->rect.width, e->rect.height}; }

// Every display's blit view of the picture follows its list head.
void sync_blit_views(const qmBGPic* pic) {
  for (ObjectHeader* h = display_system().list; h; h = h->next) {
    qmDisplay* d = display_of(h);
    if (d->bgpic == pic) d->picture.sprites = static_cast<const qmSpriteRect*>(pic->sprites);
  }
}

// Recomposes r on every display that shows the picture.
void refresh_where_shown(const qmBGPic* pic, const Rect& r) {
  for (ObjectHeader* h = display_system().list; h; h = h->next) {
    qmDisplay* d = display_of(h);
    if (d->bgpic == pic) sprites_refresh_rect(d, r);
  }
}

void forget(SpriteEntry* e) {
  if (e->sprite && e->sprite->last_entry == e) {
    e->sprite->last_entry = nullptr;
    e->sprite->last_picture = nullptr;
  }
}

// ---- the index of a picture's shown sprites ----------------------------------------------------
//
// A grid of square cells over the picture, each listing the entries whose rectangle reaches into
// it, so that a recomposed rectangle finds the sprites it touches without walking the whole list.
// An entry is filed with its rectangle grown by a margin: a move that stays inside it changes no
// cell, and a lookup may return an entry whose own rectangle misses the area only by that much
// (every caller checks the entry's own rectangle). A cell keeps each entry's filed rectangle and
// list place beside it, so that a lookup reads only the cells and touches no entry far from the
// area. Entries keep the number of their place in the list (entries are only ever appended, and
// unlinking keeps the order of the rest), which puts what a lookup found back into list order.
// Rectangles reaching outside the grid are filed in its edge cells, so no overlap is missed.
constexpr int32_t kCellShift = 6;  // 64-pixel cells
constexpr int64_t kFileMargin = 8;

struct CellItem {
  SpriteEntry* entry;
  uint64_t order;
  int64_t x1, y1, x2, y2;  // the filed rectangle, inclusive corners (empty when x2 < x1)
};

struct SpriteIndex {
  int32_t cols = 1, rows = 1;
  std::vector<std::vector<CellItem>> cells;
  SpriteEntry* tail = nullptr;
  uint64_t next_order = 0;
  size_t count = 0;  // entries filed
  // The cells are out of date (most entries moved at once, or refiling ran out of memory): the
  // next lookup that asks them files every entry again first, or reads the list when that runs
  // out of memory. A lookup over most of the grid reads the list anyway.
  bool stale = false;
  std::vector<CellItem> hits;
  std::vector<SpriteEntry*> found;
};

SpriteIndex* index_of(const qmBGPic* pic) { return pic ? static_cast<SpriteIndex*>(pic->sprite_index) : nullptr; }

// The grid covers the picture's display size (its image's size when that differs).
SpriteIndex* index_make(qmBGPic* pic) {
  if (SpriteIndex* index = index_of(pic)) return index;
  const qmBitmap* bm = pic->current.bitmap;
  const int64_t w = bm ? bm->width : pic->display_width, h = bm ? bm->height : pic->display_height;
  auto index = std::make_unique<SpriteIndex>();
  index->cols = int32_t(std::max<int64_t>(1, (w + (1 << kCellShift) - 1) >> kCellShift));
  index->rows = int32_t(std::max<int64_t>(1, (h + (1 << kCellShift) - 1) >> kCellShift));
  index->cells.resize(size_t(index->cols) * size_t(index->rows));
  pic->sprite_index = index.get();
  return index.release();
}

void index_free(qmBGPic* pic) {
  delete index_of(pic);
  pic->sprite_index = nullptr;
}

// The cells that inclusive corners cover: first column, first row, last column, last row.
void cell_range(const SpriteIndex& index, const int64_t c[4], int32_t out[4]) {
  auto cell = [](int64_t v, int32_t count) { return int32_t(std::clamp<int64_t>(v >> kCellShift, 0, count - 1)); };
  out[0] = cell(c[0], index.cols);
  out[1] = cell(c[1], index.rows);
  out[2] = cell(std::max(c[2], c[0]), index.cols);
  out[3] = cell(std::max(c[3], c[1]), index.rows);
}

void cell_range(const SpriteIndex& index, const Rect& r, int32_t out[4]) {
  const int64_t c[4] = {r.x, r.y, int64_t(r.x) + r.width - 1, int64_t(r.y) + r.height - 1};
  cell_range(index, c, out);
}

// The rectangle an entry is filed with: its own grown by the margin (an empty one stays empty).
void filed_rect(const SpriteEntry* e, int64_t out[4]) {
  const qmSpriteRect& r = e->rect;
  const int64_t grow = r.width > 0 && r.height > 0 ? kFileMargin : 0;
  out[0] = int64_t(r.x) - grow;
  out[1] = int64_t(r.y) - grow;
  out[2] = int64_t(r.x) + r.width - 1 + grow;
  out[3] = int64_t(r.y) + r.height - 1 + grow;
}

template <typename F>
void for_cells(SpriteIndex& index, const int32_t range[4], F&& f) {
  for (int32_t row = range[1]; row <= range[3]; ++row)
    for (int32_t col = range[0]; col <= range[2]; ++col) f(index.cells[size_t(row) * size_t(index.cols) + size_t(col)]);
}

CellItem cell_item(SpriteEntry* e) { return {e, e->order, e->filed[0], e->filed[1], e->filed[2], e->filed[3]}; }

CellItem* find_item(std::vector<CellItem>& cell, const SpriteEntry* e) {
  for (CellItem& item : cell)
    if (item.entry == e) return &item;
  return nullptr;
}

// Files the entry under its rectangle's cells. Room is made in every cell first, so that running
// out of memory (std::bad_alloc) leaves the entry filed nowhere.
void index_file(SpriteIndex& index, SpriteEntry* e) {
  int64_t filed[4];
  filed_rect(e, filed);
  int32_t range[4];
  cell_range(index, filed, range);
  for_cells(index, range, [](std::vector<CellItem>& cell) {
    if (cell.size() == cell.capacity()) cell.reserve(cell.size() * 2 + 4);
  });
  std::copy(filed, filed + 4, e->filed);
  const CellItem item = cell_item(e);
  for_cells(index, range, [&item](std::vector<CellItem>& cell) { cell.push_back(item); });
  std::copy(range, range + 4, e->cells);
}

void index_unfile(SpriteIndex& index, SpriteEntry* e) {
  for_cells(index, e->cells, [e](std::vector<CellItem>& cell) {
    CellItem* item = find_item(cell, e);
    if (!item) return;
    *item = cell.back();
    cell.pop_back();
  });
  e->cells[2] = e->cells[3] = -1;
}

// Files a moved entry again; false (filed as before) when memory ran out. A rectangle still
// inside the filed one changes nothing; otherwise the cells both before and after keep their item
// (brought up to date), and only the cells it leaves or enters change.
bool index_refile(SpriteIndex& index, SpriteEntry* e) {
  const qmSpriteRect& r = e->rect;
  if (r.width > 0 && r.height > 0 && r.x >= e->filed[0] && r.y >= e->filed[1] &&
      int64_t(r.x) + r.width - 1 <= e->filed[2] && int64_t(r.y) + r.height - 1 <= e->filed[3])
    return true;
  int64_t filed[4];
  filed_rect(e, filed);
  int32_t range[4];
  cell_range(index, filed, range);
  const int32_t* before = e->cells;
  auto in = [](const int32_t* cells, int32_t col, int32_t row) {
    return col >= cells[0] && col <= cells[2] && row >= cells[1] && row <= cells[3];
  };
  auto cell_at = [&index](int32_t col, int32_t row) -> std::vector<CellItem>& {
    return index.cells[size_t(row) * size_t(index.cols) + size_t(col)];
  };
  // Room in the cells it enters first, so that running out of memory changes nothing.
  try {
    for (int32_t row = range[1]; row <= range[3]; ++row)
      for (int32_t col = range[0]; col <= range[2]; ++col) {
        std::vector<CellItem>& cell = cell_at(col, row);
        if (!in(before, col, row) && cell.size() == cell.capacity()) cell.reserve(cell.size() * 2 + 4);
      }
  } catch (const std::bad_alloc&) {
    return false;
  }
  std::copy(filed, filed + 4, e->filed);
  const CellItem now = cell_item(e);
  for (int32_t row = before[1]; row <= before[3]; ++row)
    for (int32_t col = before[0]; col <= before[2]; ++col) {
      std::vector<CellItem>& cell = cell_at(col, row);
      CellItem* item = find_item(cell, e);
      if (!item) continue;
      if (in(range, col, row)) {
        *item = now;
      } else {
        *item = cell.back();
        cell.pop_back();
      }
    }
  for (int32_t row = range[1]; row <= range[3]; ++row)
    for (int32_t col = range[0]; col <= range[2]; ++col)
      if (!in(before, col, row)) cell_at(col, row).push_back(now);
  std::copy(range, range + 4, e->cells);
  return true;
}

// Files every entry of the picture again in one pass over the list; running out of memory leaves
// the index stale.
void index_rebuild(const qmBGPic* pic, SpriteIndex& index) {
  for (std::vector<CellItem>& cell : index.cells) cell.clear();
  index.stale = true;
  try {
    for (SpriteEntry* e = sprite_entries(pic); e; e = sprite_entry_next(e)) {
      filed_rect(e, e->filed);
      cell_range(index, e->filed, e->cells);
      const CellItem item = cell_item(e);
      for_cells(index, e->cells, [&item](std::vector<CellItem>& cell) { cell.push_back(item); });
    }
  } catch (const std::bad_alloc&) {
    return;
  }
  index.stale = false;
}

// The entries whose rectangle overlaps the area, in list order, with perhaps some whose filed
// rectangle only does. An area over most of the grid takes the list itself (then every entry,
// overlapping or not).
const std::vector<SpriteEntry*>& index_lookup(const qmBGPic* pic, SpriteIndex& index, const Rect& area) {
  index.found.clear();
  int32_t range[4];
  cell_range(index, area, range);
  // An area over most of the grid would find most entries several times over: the list is read.
  const int64_t cells = int64_t(range[2] - range[0] + 1) * (range[3] - range[1] + 1);
  const bool most = cells * 4 >= int64_t(index.cols) * index.rows * 3;
  if (index.stale && !most) index_rebuild(pic, index);
  if (most || index.stale) {
    for (SpriteEntry* e = sprite_entries(pic); e; e = sprite_entry_next(e)) index.found.push_back(e);
    return index.found;
  }
  const int64_t x1 = area.x, y1 = area.y, x2 = x1 + area.width - 1, y2 = y1 + area.height - 1;
  index.hits.clear();
  for_cells(index, range, [&](std::vector<CellItem>& cell) {
    for (const CellItem& item : cell)
      if (item.x1 <= x2 && x1 <= item.x2 && item.y1 <= y2 && y1 <= item.y2) index.hits.push_back(item);
  });
  // An entry filed in several cells of the range is found once for each.
  std::sort(index.hits.begin(), index.hits.end(),
            [](const CellItem& a, const CellItem& b) { return a.order < b.order; });
  for (size_t i = 0; i < index.hits.size(); ++i)
    if (i == 0 || index.hits[i].entry != index.hits[i - 1].entry) index.found.push_back(index.hits[i].entry);
  return index.found;
}

// Draws the part of a shown sprite inside bounds (which lies inside dest).
void draw_entry_part(const SpriteEntry* e, qmBitmap* dest, const Rect& bounds) {
  const qmSpriteRect& s = e->rect;
  if (s.x >= int64_t(bounds.x) + bounds.width || s.y >= int64_t(bounds.y) + bounds.height ||
      int64_t(s.x) + s.width <= bounds.x || int64_t(s.y) + s.height <= bounds.y)
    return;
  const Rect r = rect_intersect(entry_rect(e), bounds);
  if (r.width < 1 || r.height < 1) return;
  const qmBitmap* bm = nullptr;
  const qmMask* mask = nullptr;
  const qmAlphaChannel* alpha = nullptr;
  if (!sprite_get_frame(e->sprite, e->frame - 1, &bm, &mask, &alpha) || !bm) return;
  const int32_t sx = r.x - s.x, sy = r.y - s.y;
  if (mask) BLTMASK(bm, sx, sy, dest, r.x, r.y, r.width, r.height, mask);
  else if (alpha) BLTALPHABITMAP(bm, sx, sy, dest, r.x, r.y, r.width, r.height, alpha);
  else BLTBITMAP(bm, sx, sy, dest, r.x, r.y, r.width, r.height);
}

void take_up_move(SpriteEntry* e);

void entry_unlink(qmBGPic* pic, SpriteEntry* e) {
  forget(e);
  // The areas of its deferred moves are still recomposed at the flush.
  if (e->moved >= 0) take_up_move(e);
  SpriteEntry* before = nullptr;
  if (pic->sprites == e) {
    pic->sprites = sprite_entry_next(e);
  } else {
    for (SpriteEntry* p = sprite_entries(pic); p; p = sprite_entry_next(p)) {
      if (p->rect.next == &e->rect) {
        p->rect.next = e->rect.next;
        before = p;
        break;
      }
    }
  }
  if (SpriteIndex* index = index_of(pic)) {
    index_unfile(*index, e);
    --index->count;
    if (index->tail == e) index->tail = before;
  }
  sync_blit_views(pic);
}

// Appends the entry to the picture's list; ERR_MEM (nothing linked) when memory runs out.
int32_t entry_append(qmBGPic* pic, SpriteEntry* e) {
  try {
    SpriteIndex* index = index_make(pic);
    e->order = index->next_order + 1;
    index_file(*index, e);
    index->next_order = e->order;
    ++index->count;
    if (index->tail) index->tail->rect.next = &e->rect;
    else pic->sprites = e;
    index->tail = e;
  } catch (const std::bad_alloc&) {
    return ERR_MEM;
  }
  sync_blit_views(pic);
  return 0;
}

// ---- deferred recomposition ---------------------------------------------------------------------
//
// A run of moves may leave its recomposition pending: the areas it touched are kept, and the
// next flush recomposes their union once instead of each area as it came. The composition of
// an area depends only on the shown state, and every change of that state keeps the area it
// touched, so the flush yields exactly the pixels that recomposing each area at once would
// have left; whoever looks at the picture flushes first.
//
// The flush cuts the areas into bands of 64 rows, merges what overlaps within a band, and
// recomposes band by band (the background, then the sprites reaching into the band in list
// order), so that a band's rows are still cached when the sprites are drawn over them. A band
// mostly covered by its pieces is recomposed as one piece spanning them all: one copy of the
// background and one draw per sprite instead of one per piece it crosses. Each sprite's frame is
// looked up once per flush, however many bands it reaches into. Areas that cover the box around
// them (a crowd moving over the whole picture) are recomposed in one pass over the box, as a
// full recomposition is: a sprite crossing a band's edge is then drawn once, not once per band,
// and that saves more than the bands' cache keeps.
constexpr int32_t kBandShift = 6;
constexpr size_t kPendingLimit = 8192;  // areas kept before a flush is forced

struct PendingArea {
  qmDisplay* display;
  Rect rect;
};

struct Piece {
  int32_t band, x1, x2, y1, y2;  // x2 and y2 exclusive
};

// A sprite as the flush draws it: its rectangle (x2, y2 exclusive) and its current frame.
struct Draw {
  int64_t x1, y1, x2, y2;
  const qmBitmap* bitmap;
  const qmMask* mask;
  const qmAlphaChannel* alpha;
};

std::vector<PendingArea> g_pending, g_flushing;
std::vector<Piece> g_pieces;
std::vector<Draw> g_draws;
std::vector<uint32_t> g_band_first;  // draws of band b: g_band_draws[first[b] .. first[b + 1])
std::vector<uint32_t> g_band_draws;  // indexes into g_draws

void present_part(qmDisplay* d, qmBitmap* composed, const Rect& r) {
  if (g_observer) g_observer(d, r);
  display_present_rect(composed, r.x, r.y, &d->output, r.x, r.y, r.width, r.height, 1);
}

// The area where the picture can be recomposed into the display's buffer 2 (empty when it
// cannot).
Rect composable_area(const qmDisplay* d) {
  const qmBGPic* pic = d ? d->bgpic : nullptr;
  const qmBitmap* clean = pic ? pic->current.bitmap : nullptr;
  const qmBitmap* composed = d ? d->buffer2 : nullptr;
  if (!clean || !composed) return {};
  return {0, 0, std::min(clean->width, composed->width), std::min(clean->height, composed->height)};
}

// Asks for the rows of a sprite's planes that lie within top..bottom and left..right, to be
// drawn next: frames are spread over memory, and the processor cannot guess where the next one
// lies.
void prefetch_rows(const Draw& s, int32_t top, int32_t bottom, int32_t left, int32_t right) {
  const qmBitmap* bm = s.bitmap;
  const int64_t y1 = std::max<int64_t>(s.y1, top) - s.y1, y2 = std::min<int64_t>({s.y2, bottom, s.y1 + bm->height}) - s.y1;
  const int64_t x1 = std::max<int64_t>(s.x1, left) - s.x1, x2 = std::min<int64_t>({s.x2, right, s.x1 + bm->width}) - s.x1;
  if (y2 <= y1 || x2 <= x1) return;
  const size_t first = size_t(x1) * 4, last = size_t(x2) * 4 - 1;
  for (int64_t y = y1; y < y2; ++y) {
    const char* row = reinterpret_cast<const char*>(bm->pixels) + size_t(y) * size_t(bm->bytes_per_row);
    for (size_t o = first; o < last; o += 64) __builtin_prefetch(row + o);
    __builtin_prefetch(row + last);
    if (s.mask && y < s.mask->height) __builtin_prefetch(s.mask->data + size_t(y) * size_t(s.mask->bytes_per_row) + size_t(x1) / 8);
  }
}

// Draws the part of a sprite inside the piece.
void draw_in_piece(const Draw& s, qmBitmap* dest, const Piece& p) {
  const int32_t x1 = int32_t(std::max<int64_t>(s.x1, p.x1)), y1 = int32_t(std::max<int64_t>(s.y1, p.y1));
  const int32_t x2 = int32_t(std::min<int64_t>(s.x2, p.x2)), y2 = int32_t(std::min<int64_t>(s.y2, p.y2));
  if (x2 <= x1 || y2 <= y1) return;
  const int32_t sx = int32_t(x1 - s.x1), sy = int32_t(y1 - s.y1);
  if (s.mask) BLTMASK(s.bitmap, sx, sy, dest, x1, y1, x2 - x1, y2 - y1, s.mask);
  else if (s.alpha) BLTALPHABITMAP(s.bitmap, sx, sy, dest, x1, y1, x2 - x1, y2 - y1, s.alpha);
  else BLTBITMAP(s.bitmap, sx, sy, dest, x1, y1, x2 - x1, y2 - y1);
}

// Cuts the areas into pieces of bands, merged where they share columns within a band, and a band
// whose pieces cover most of the rows and columns they span into one piece. Fills the box of the
// damage (x2, y2 exclusive). Areas as large together as the box around them are taken as covering
// it: there are no pieces, and true says that the box is recomposed whole.
bool make_pieces(const PendingArea* first, const PendingArea* last, const Rect& area,
                 int64_t box[4]) {
  g_pieces.clear();
  box[0] = box[1] = INT64_MAX;
  box[2] = box[3] = INT64_MIN;
  int64_t total = 0;
  for (const PendingArea* p = first; p != last; ++p) {
    const Rect r = rect_intersect(p->rect, area);
    if (r.width < 1 || r.height < 1) continue;
    total += int64_t(r.width) * r.height;
    box[0] = std::min<int64_t>(box[0], r.x), box[1] = std::min<int64_t>(box[1], r.y);
    box[2] = std::max<int64_t>(box[2], int64_t(r.x) + r.width), box[3] = std::max<int64_t>(box[3], int64_t(r.y) + r.height);
  }
  if (total == 0) return false;
  if (total >= (box[2] - box[0]) * (box[3] - box[1])) return true;
  for (const PendingArea* p = first; p != last; ++p) {
    const Rect r = rect_intersect(p->rect, area);
    if (r.width < 1 || r.height < 1) continue;
    const int32_t bottom = r.y + r.height;
    for (int32_t b = r.y >> kBandShift; b <= (bottom - 1) >> kBandShift; ++b)
      g_pieces.push_back({b, r.x, r.x + r.width, std::max(r.y, b << kBandShift), std::min(bottom, (b + 1) << kBandShift)});
  }
  // Within a band, pieces that share columns become one (the rows of both).
  std::sort(g_pieces.begin(), g_pieces.end(),
            [](const Piece& a, const Piece& b) { return a.band != b.band ? a.band < b.band : a.x1 < b.x1; });
  size_t kept = 0;
  for (const Piece& p : g_pieces) {
    Piece& q = g_pieces[kept - (kept ? 1 : 0)];
    if (kept && q.band == p.band && p.x1 < q.x2) {
      q.x2 = std::max(q.x2, p.x2);
      q.y1 = std::min(q.y1, p.y1);
      q.y2 = std::max(q.y2, p.y2);
    } else {
      g_pieces[kept++] = p;
    }
  }
  g_pieces.resize(kept);
  size_t out = 0;
  for (size_t i = 0; i < g_pieces.size();) {
    size_t j = i;
    Piece span = g_pieces[i];
    int64_t covered = 0;
    for (; j < g_pieces.size() && g_pieces[j].band == span.band; ++j) {
      const Piece& p = g_pieces[j];
      covered += int64_t(p.x2 - p.x1) * (p.y2 - p.y1);
      span.x2 = std::max(span.x2, p.x2);
      span.y1 = std::min(span.y1, p.y1);
      span.y2 = std::max(span.y2, p.y2);
    }
    if (j - i > 1 && covered * 2 >= int64_t(span.x2 - span.x1) * (span.y2 - span.y1)) {
      g_pieces[out++] = span;
    } else {
      for (size_t k = i; k < j; ++k) g_pieces[out++] = g_pieces[k];
    }
    i = j;
  }
  g_pieces.resize(out);
  return false;
}

// The sprites reaching into the damage's box with their frames, in list order.
void collect_draws(const qmBGPic* pic, const int64_t box[4]) {
  g_draws.clear();
  SpriteIndex* index = index_of(pic);
  if (!index) return;
  const Rect r{int32_t(box[0]), int32_t(box[1]), int32_t(box[2] - box[0]), int32_t(box[3] - box[1])};
  const std::vector<SpriteEntry*>& found = index_lookup(pic, *index, r);
  for (size_t i = 0; i < found.size(); ++i) {
    // The sprite records of the entries a few on, so that finding their frames does not wait.
    if (i + 4 < found.size()) __builtin_prefetch(found[i + 4]->sprite);
    const SpriteEntry* e = found[i];
    const qmSpriteRect& s = e->rect;
    const int64_t x2 = int64_t(s.x) + s.width, y2 = int64_t(s.y) + s.height;
    if (s.width < 1 || s.height < 1 || s.x >= box[2] || x2 <= box[0] || s.y >= box[3] || y2 <= box[1]) continue;
    Draw draw{s.x, s.y, x2, y2, nullptr, nullptr, nullptr};
    if (!sprite_get_frame(e->sprite, e->frame - 1, &draw.bitmap, &draw.mask, &draw.alpha) || !draw.bitmap) continue;
    // The planes' records are read when the sprite is drawn: asked for now, they arrive while
    // the next sprites are looked up.
    __builtin_prefetch(draw.bitmap);
    if (draw.mask) __builtin_prefetch(draw.mask);
    if (draw.alpha) __builtin_prefetch(draw.alpha);
    g_draws.push_back(draw);
  }
}

// Files the draws by the bands of the box they reach into, each band's in list order.
void file_draws_by_band(const int64_t box[4], int32_t band0, int32_t bands) {
  g_band_first.assign(size_t(bands) + 1, 0);
  g_band_draws.clear();
  auto band_range = [&](const Draw& s, int64_t& lo, int64_t& hi) {
    lo = (std::max(s.y1, box[1]) >> kBandShift) - band0;
    hi = ((std::min(s.y2, box[3]) - 1) >> kBandShift) - band0;
  };
  int64_t lo = 0, hi = 0;
  for (const Draw& s : g_draws) {
    band_range(s, lo, hi);
    for (int64_t b = lo; b <= hi; ++b) ++g_band_first[size_t(b) + 1];
  }
  for (size_t b = 1; b < g_band_first.size(); ++b) g_band_first[b] += g_band_first[b - 1];
  g_band_draws.resize(g_band_first.back());
  std::vector<uint32_t>& next = g_band_first;  // advanced while filling, then moved back
  for (size_t n = 0; n < g_draws.size(); ++n) {
    band_range(g_draws[n], lo, hi);
    for (int64_t b = lo; b <= hi; ++b) g_band_draws[next[size_t(b)]++] = uint32_t(n);
  }
  for (size_t b = g_band_first.size() - 1; b > 0; --b) g_band_first[b] = g_band_first[b - 1];
  g_band_first[0] = 0;
}

// Draws the sprites g_draws[order[first .. last)] (order null: the draws themselves) into the
// pieces [p, p_end) of one band, or of the box, whose rows lie within top..bottom.
void draw_run(const uint32_t* order, uint32_t first, uint32_t last, qmBitmap* composed,
              const Piece* p, const Piece* p_end, int32_t top, int32_t bottom) {
  auto draw_at = [order](uint32_t n) -> const Draw& { return g_draws[order ? order[n] : n]; };
  const int32_t left = p->x1, right = (p_end - 1)->x2;
  for (uint32_t n = first; n < last; ++n) {
    // The rows two draws on (and at the start the next one's too), so that they have arrived
    // when their draw begins.
    if (n == first && n + 1 < last) prefetch_rows(draw_at(n + 1), top, bottom, left, right);
    if (n + 2 < last) prefetch_rows(draw_at(n + 2), top, bottom, left, right);
    // The records of the planes a few draws on, so that asking for the next one's rows finds
    // them at hand.
    if (n + 4 < last) {
      const Draw& later = draw_at(n + 4);
      __builtin_prefetch(later.bitmap);
      if (later.mask) __builtin_prefetch(later.mask);
    }
    const Draw& s = draw_at(n);
    for (const Piece* k = p; k != p_end; ++k) {
      if (k->x1 >= s.x2) break;
      if (k->x2 > s.x1) draw_in_piece(s, composed, *k);
    }
  }
}

void compose_pending(qmDisplay* d, const PendingArea* first, const PendingArea* last) {
  const Rect area = composable_area(d);
  qmBGPic* pic = d->bgpic;
  // A display whose picture shows no sprites any more presents another buffer.
  if (area.width < 1 || area.height < 1 || !pic->sprites) return;
  qmBitmap* composed = d->buffer2;
  int64_t box[4];
  const bool whole_box = make_pieces(first, last, area, box);
  if (!whole_box && g_pieces.empty()) return;
  collect_draws(pic, box);
  const qmBitmap* clean = pic->current.bitmap;
  const Rect boxed{int32_t(box[0]), int32_t(box[1]), int32_t(box[2] - box[0]),
                   int32_t(box[3] - box[1])};
  if (whole_box) {
    // The damage covers its box: recomposed in one pass, as a full recomposition is, so that a
    // sprite reaching over several bands is drawn once instead of once in each.
    const Piece whole{0, boxed.x, boxed.x + boxed.width, boxed.y, boxed.y + boxed.height};
    BLTBITMAP(clean, boxed.x, boxed.y, composed, boxed.x, boxed.y, boxed.width, boxed.height);
    draw_run(nullptr, 0, uint32_t(g_draws.size()), composed, &whole, &whole + 1, whole.y1,
             whole.y2);
    present_part(d, composed, boxed);
    return;
  }
  const int32_t band0 = int32_t(box[1] >> kBandShift),
                bands = int32_t(((box[3] - 1) >> kBandShift) - band0 + 1);
  file_draws_by_band(box, band0, bands);
  const bool whole_presented = d->output.scaled && (d->output.scaled_width != composed->width ||
                                                    d->output.scaled_height != composed->height);
  for (size_t i = 0; i < g_pieces.size();) {
    size_t j = i;
    while (j < g_pieces.size() && g_pieces[j].band == g_pieces[i].band) ++j;
    for (size_t k = i; k < j; ++k) {
      const Piece& p = g_pieces[k];
      BLTBITMAP(clean, p.x1, p.y1, composed, p.x1, p.y1, p.x2 - p.x1, p.y2 - p.y1);
    }
    const size_t b = size_t(g_pieces[i].band - band0);
    const int32_t top = g_pieces[i].band << kBandShift;
    draw_run(g_band_draws.data(), g_band_first[b], g_band_first[b + 1], composed, &g_pieces[i],
             g_pieces.data() + j, top, top + (1 << kBandShift));
    if (!whole_presented)
      for (size_t k = i; k < j; ++k) {
        const Piece& p = g_pieces[k];
        present_part(d, composed, Rect{p.x1, p.y1, p.x2 - p.x1, p.y2 - p.y1});
      }
    i = j;
  }
  // A window showing the picture scaled takes it whole each time: once is enough.
  if (whole_presented) present_part(d, composed, boxed);
}

bool display_alive(const qmDisplay* d) {
  for (ObjectHeader* h = display_system().list; h; h = h->next)
    if (display_of(h) == d) return true;
  return false;
}

// The areas a move from old to now leaves to recompose: one box when the two overlap, else both.
template <class Keep>
void move_areas(const Rect& old, const Rect& now, Keep keep) {
  if (rect_overlaps(to_corners(old), to_corners(now))) {
    Rect both = old;
    rect_union(both, now);
    keep(both);
  } else {
    keep(old);
    keep(now);
  }
}

// ---- deferred moves -----------------------------------------------------------------------------
//
// A deferred move of a shown sprite changes its rectangle and frame and notes where the entry
// was drawn from, nothing else: a run of moves costs about what changing the entries in place
// does. The moved entries are taken up in one pass before anything reads the index (a lookup, a
// composition, an unlinked entry) and before the flush: each keeps the areas from where it was
// drawn to where it is, and is refiled (unless most entries moved: the index is then filed
// again whole when a lookup next asks its cells). What is drawn between the moves and the flush
// therefore finds every entry where it is, and the areas cover wherever it was drawn. The
// pending list always has room for the areas of every moved entry, so taking them up never
// allocates.
struct MovedEntry {
  qmDisplay* display;
  qmBGPic* pic;
  SpriteEntry* entry;
  int32_t from_x, from_y;  // where it was drawn
};

std::vector<MovedEntry> g_moved;

// Room in the pending list for `extra` areas besides those of the moved entries.
bool pending_room(size_t extra) {
  const size_t need = g_pending.size() + extra + 2 * g_moved.size();
  if (need <= g_pending.capacity()) return true;
  try {
    g_pending.reserve(std::max(need, g_pending.capacity() * 2));
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

// Keeps the areas from where a moved entry was drawn to where it is now.
void keep_move_areas(const MovedEntry& m) {
  const SpriteEntry* e = m.entry;
  move_areas(Rect{m.from_x, m.from_y, e->rect.width, e->rect.height}, entry_rect(e),
             [&m](const Rect& r) { g_pending.push_back({m.display, r}); });
}

// One moved entry leaves the moved list with its areas kept; its filing is left as it was.
void take_up_move(SpriteEntry* e) {
  const size_t slot = size_t(e->moved);
  keep_move_areas(g_moved[slot]);
  e->moved = -1;
  g_moved[slot] = g_moved.back();
  g_moved.pop_back();
  if (slot < g_moved.size()) g_moved[slot].entry->moved = int32_t(slot);
}

void take_up_moves() {
  if (g_moved.empty()) return;
  for (size_t i = 0; i < g_moved.size(); ++i) {
    // The entries a few on, their rectangle and where they are filed (the record spans cache
    // lines), so that reading them does not wait: the moves read them long ago.
    if (i + 8 < g_moved.size()) {
      const SpriteEntry* later = g_moved[i + 8].entry;
      __builtin_prefetch(&later->rect);
      __builtin_prefetch(&later->filed[3]);
    }
    const MovedEntry& m = g_moved[i];
    keep_move_areas(m);
    m.entry->moved = -1;
    // Most entries moved: the index is filed again whole if a lookup asks its cells (one over
    // the whole picture, as a crowd's flush makes, does not).
    SpriteIndex* index = index_of(m.pic);
    if (!index || index->stale) continue;
    if (g_moved.size() * 4 >= index->count || !index_refile(*index, m.entry)) index->stale = true;
  }
  g_moved.clear();
}

// Keeps an area of the display for the next flush, or recomposes it now when it cannot be kept.
void defer_refresh(qmDisplay* d, const Rect& r) {
  if (g_pending.size() >= kPendingLimit) sprites_flush_pending();
  if (pending_room(1))
    g_pending.push_back({d, r});
  else
    sprites_refresh_rect(d, r);
}

// Notes a deferred move of the entry on the display before it changes; false when it cannot be
// kept (the move is then made at once).
bool defer_move(qmDisplay* d, qmBGPic* pic, SpriteEntry* e) {
  if (e->moved >= 0) {
    if (g_moved[size_t(e->moved)].display == d) return true;
    take_up_move(e);  // its areas so far belong to the display they were made on
  }
  if (g_pending.size() >= kPendingLimit) sprites_flush_pending();
  if (!pending_room(2)) return false;
  try {
    g_moved.push_back({d, pic, e, e->rect.x, e->rect.y});
  } catch (const std::bad_alloc&) {
    return false;
  }
  e->moved = int32_t(g_moved.size() - 1);
  return true;
}

qmDisplay* current_display_with_picture() {
  qmDisplay* d = display_current();
  return d && d->bgpic ? d : nullptr;
}

}  // namespace

ObjectHeader** sprite_list() { return &g_sprites; }

void sprite_frames_free(std::vector<SpriteFrame>& frames) {
  for (SpriteFrame& f : frames) {
    qmos_free_bitmap(f.bitmap);
    qmos_free_mask(f.mask);
    qmos_free_alpha(f.alpha);
  }
  frames.clear();
}

void sprites_set_refresh_observer(void (*observer)(const qmDisplay*, const Rect&)) { g_observer = observer; }

int32_t sprite_find(const ObjectId& id, int32_t flags, qmSprite** out) {
  *out = nullptr;
  for (ObjectHeader* h = g_sprites; h; h = h->next) {
    qmSprite* s = as_sprite(h);
    if (h->id == id && (!s->temporary || (flags & SPRITEFIND_TEMPORARY))) {
      if ((flags & SPRITEFIND_UNLOCKED) && s->lock) return ERR_LOCKEDOBJ;
      *out = s;
      return 0;
    }
  }
  if (id.handle) return ERR_FINDARRAY;
  err_set_number_arg(id.number);
  return ERR_FINDSPRITE;
}

bool sprite_get_frame(const qmSprite* s, int32_t index, const qmBitmap** bitmap, const qmMask** mask,
                      const qmAlphaChannel** alpha) {
  if (index < 0) return false;
  if (s->linked) {
    for (const qmSprite* seg : s->segments) {
      if (index < seg->frame_count) return sprite_get_frame(seg, index, bitmap, mask, alpha);
      index -= seg->frame_count;
    }
    return false;
  }
  if (index >= int32_t(s->frames.size())) return false;
  const SpriteFrame& f = s->frames[size_t(index)];
  if (bitmap) *bitmap = f.bitmap;
  if (mask) *mask = f.mask;
  if (alpha) *alpha = f.alpha;
  return true;
}

int32_t sprite_new(const ObjectId& id, int32_t width, int32_t height, std::vector<SpriteFrame>& frames,
                   qmSprite** out) {
  qmSprite* s = record_new(id);
  if (!s) {
    sprite_frames_free(frames);
    return ERR_MEM;
  }
  s->width = width;
  s->height = height;
  s->frames = std::move(frames);
  frames.clear();
  s->frame_count = int32_t(s->frames.size());
  list_append(s);
  *out = s;
  return 0;
}

int32_t sprite_new_linked(const ObjectId& id, const std::vector<qmSprite*>& segments, qmSprite** out) {
  if (segments.empty()) return ERR_WRONGUSAGE;
  for (const qmSprite* seg : segments) {
    if (seg->linked) return ERR_SPRITELINK;
    if (seg->width != segments[0]->width || seg->height != segments[0]->height) return ERR_WRONGSPRITESIZE;
  }
  qmSprite* s = record_new(id);
  if (!s) return ERR_MEM;
  s->linked = true;
  s->segments = segments;
  s->width = segments[0]->width;
  s->height = segments[0]->height;
  for (const qmSprite* seg : segments) s->frame_count += seg->frame_count;
  list_append(s);
  *out = s;
  return 0;
}

int32_t sprite_copy(const qmSprite* source, const ObjectId& id, qmSprite** out) {
  if (source->linked) return sprite_new_linked(id, source->segments, out);
  std::vector<SpriteFrame> frames;
  for (const SpriteFrame& f : source->frames) {
    Planes p;
    if (int32_t err = planes_copy(f.bitmap, f.mask, f.alpha, source->width, source->height, &p)) {
      sprite_frames_free(frames);
      return err;
    }
    frames.push_back({p.bitmap, p.mask, p.alpha});
    p.release();
  }
  if (int32_t err = sprite_new(id, source->width, source->height, frames, out)) return err;
  (*out)->transparent = source->transparent;
  return 0;
}

void sprite_free(qmState* L, qmSprite* s) {
  list_unlink(s);
  // Its entries on every picture, so none outlives the frames; redrawn where a display shows it.
  for (ObjectHeader* h = bgpic_list(); h; h = h->next) {
    auto* pic = reinterpret_cast<qmBGPic*>(h);
    for (SpriteEntry* e = sprite_entries(pic); e;) {
      SpriteEntry* next = sprite_entry_next(e);
      if (e->sprite == s) {
        const Rect r = entry_rect(e);
        entry_unlink(pic, e);
        delete e;
        refresh_where_shown(pic, r);
      }
      e = next;
    }
  }
  if (!s->linked) {
    for (ObjectHeader* h = g_sprites; h;) {
      qmSprite* other = as_sprite(h);
      h = h->next;
      if (other->linked && std::find(other->segments.begin(), other->segments.end(), s) != other->segments.end()) {
        sprite_free(L, other);
        h = g_sprites;  // the walk starts again: freeing may have unlinked the next record
      }
    }
    sprite_frames_free(s->frames);
  }
  if (s->header.refs) reflist_free(L ? L : picture_state(), s->header.refs);
  delete s;
}

int32_t sprite_free_by_id(qmState* L, const ObjectId& id, bool report) {
  qmSprite* s = nullptr;
  const int32_t err = sprite_find(id, 0, &s);
  if (err) return report ? err : 0;
  if (s->lock) return ERR_LOCKEDOBJ;
  sprite_free(L, s);
  return 0;
}

void sprites_free_all(qmState* L) {
  for (const MovedEntry& m : g_moved) m.entry->moved = -1;
  g_moved.clear();
  g_pending.clear();
  for (ObjectHeader* h = bgpic_list(); h; h = h->next) sprites_clear(reinterpret_cast<qmBGPic*>(h));
  while (g_sprites) {
    qmSprite* s = as_sprite(g_sprites);
    list_unlink(s);
    if (!s->linked) sprite_frames_free(s->frames);
    if (s->header.refs) reflist_free(L ? L : picture_state(), s->header.refs);
    delete s;
  }
}

int32_t sprite_output_check(const qmDisplay* d) {
  if (!d || !d->bgpic) return ERR_CLOSEDDISPDRAW;
  switch (d->output_type) {
    case TARGET_LAYERS: return ERR_SELECTBG;
    case TARGET_MASK: return ERR_SELECTMASK;
    case TARGET_ALPHA: return ERR_SELECTALPHACHANNEL;
    case TARGET_PICTURE: {
      if (d->double_buffer) return ERR_ENDDOUBLEBUFFER;
      const OutputTarget* t = drawtarget_selected();
      return t && t->object_type == OBJ_BGPIC ? ERR_SELECTBG : ERR_SELECTBRUSH;
    }
    default: break;
  }
  if (d->layers || layer_hooks().layer_count(d->bgpic) > 0) return ERR_LAYERSOFF;
  return 0;
}

SpriteEntry* sprite_entry_of(const qmBGPic* pic, const qmSprite* s) {
  if (s->last_entry && s->last_picture == pic) return s->last_entry;
  for (SpriteEntry* e = sprite_entries(pic); e; e = sprite_entry_next(e)) {
    if (e->sprite == s) {
      auto* found = const_cast<qmSprite*>(s);
      found->last_entry = e;
      found->last_picture = pic;
      return e;
    }
  }
  return nullptr;
}

int32_t sprite_modify_check(const qmSprite* s) {
  qmDisplay* d = current_display_with_picture();
  if (d && sprite_entry_of(d->bgpic, s)) return ERR_MODIFYSPRITE;
  if (s->lock) return ERR_LOCKEDOBJ;
  if (s->linked) return ERR_MODIFYSPRITE2;
  for (ObjectHeader* h = g_sprites; h; h = h->next) {
    const qmSprite* other = as_sprite(h);
    if (other->linked && std::find(other->segments.begin(), other->segments.end(), s) != other->segments.end())
      return ERR_MODIFYSPRITE2;
  }
  return 0;
}

int32_t sprite_show(qmState*, qmSprite* s, int32_t x, int32_t y, int32_t frame, bool defer) {
  auto refresh = defer ? defer_refresh : sprites_refresh_rect;
  if (frame < 0 || frame > s->frame_count) return ERR_ANIMFRAME;
  qmDisplay* d = current_display_with_picture();
  if (!d) return ERR_CLOSEDDISPDRAW;
  qmBGPic* pic = d->bgpic;
  if (!position_in_range(x) || !position_in_range(y)) return ERR_WRONGUSAGE;
  x = coord_resolve_special_x(x, s->width, 0, 0.0);
  y = coord_resolve_special_y(y, s->height, 0, 0.0);
  if (SpriteEntry* e = sprite_entry_of(pic, s)) {
    // Scripts mostly move their sprites in the order they were shown, one after the other: the
    // entry after this one was asked for on the last move, so its sprite's record and the entry
    // after it are asked for now, and the next moves find them at hand.
    if (const SpriteEntry* after = sprite_entry_next(e)) {
      __builtin_prefetch(after->sprite);
      __builtin_prefetch(after->rect.next);
    }
    int32_t next = frame;
    if (frame == 0) next = e->frame >= s->frame_count ? 1 : e->frame + 1;
    if (next == e->frame && x == e->rect.x && y == e->rect.y) return 0;
    if (defer && defer_move(d, pic, e)) {
      e->rect.x = x;
      e->rect.y = y;
      e->frame = next;
      // Its frame's record is read when it is next composed: asked for now, while the sprite's
      // own record is at hand.
      if (!s->linked) __builtin_prefetch(s->frames.data() + (next - 1));
      return 0;
    }
    take_up_moves();
    const Rect old = entry_rect(e);
    e->rect.x = x;
    e->rect.y = y;
    if (!index_refile(*index_of(pic), e)) {
      e->rect.x = old.x;
      e->rect.y = old.y;
      return ERR_MEM;
    }
    e->frame = next;
    // Its frame's record is read when it is next composed: asked for now, while the sprite's own
    // record is at hand.
    if (!s->linked) __builtin_prefetch(s->frames.data() + (next - 1));
    move_areas(old, entry_rect(e), [d, refresh](const Rect& r) { refresh(d, r); });
    return 0;
  }
  auto* e = new (std::nothrow) SpriteEntry();
  if (!e) return ERR_MEM;
  e->rect = {nullptr, x, y, s->width, s->height};
  e->id = s->header.id;
  e->frame = frame == 0 ? 1 : frame;
  e->sprite = s;
  e->counter = pic->counter;
  if (entry_append(pic, e) != 0) {
    delete e;
    return ERR_MEM;
  }
  refresh(d, entry_rect(e));
  return 0;
}

int32_t sprite_remove(qmState*, qmSprite* s) {
  qmDisplay* d = current_display_with_picture();
  SpriteEntry* e = d ? sprite_entry_of(d->bgpic, s) : nullptr;
  if (!e) {
    if (s->header.id.handle) return ERR_SPRITEONSCREEN2;
    err_set_number_arg(s->header.id.number);
    return ERR_SPRITEONSCREEN;
  }
  const Rect r = entry_rect(e);
  entry_unlink(d->bgpic, e);
  delete e;
  sprites_refresh_rect(d, r);
  return 0;
}

int32_t sprites_remove_all(qmState*, bool keep) {
  qmDisplay* d = current_display_with_picture();
  if (!d) return ERR_CLOSEDDISPDRAW;
  qmBGPic* pic = d->bgpic;
  for (SpriteEntry* e = sprite_entries(pic); e; e = sprite_entry_next(e))
    if (e->sprite->lock) return ERR_LOCKEDOBJ;
  if (keep) {
    // The last images become part of the picture, which is the display's clean background.
    qmBitmap* clean = pic->current.bitmap;
    if (clean) sprites_draw(pic, clean, Rect{0, 0, clean->width, clean->height});
    if (d->buffer1 && clean && d->buffer1->width == clean->width && d->buffer1->height == clean->height)
      BLTBITMAP(clean, 0, 0, d->buffer1, 0, 0, clean->width, clean->height);
    sprites_clear(pic);
    return 0;
  }
  while (SpriteEntry* e = sprite_entries(pic)) {
    const Rect r = entry_rect(e);
    entry_unlink(pic, e);
    delete e;
    sprites_refresh_rect(d, r);
  }
  return 0;
}

void sprites_clear(qmBGPic* pic) {
  if (!pic) return;
  take_up_moves();  // the areas that moved entries were drawn in stay pending
  for (SpriteEntry* e = sprite_entries(pic); e;) {
    SpriteEntry* next = sprite_entry_next(e);
    forget(e);
    delete e;
    e = next;
  }
  pic->sprites = nullptr;
  index_free(pic);
  sync_blit_views(pic);
}

bool sprites_overlap(const qmBGPic* pic, const Rect& r) {
  take_up_moves();
  SpriteIndex* index = index_of(pic);
  if (!index || r.width < 1 || r.height < 1) return false;
  for (const SpriteEntry* e : index_lookup(pic, *index, r))
    if (rect_overlaps(to_corners(entry_rect(e)), to_corners(r))) return true;
  return false;
}

void sprites_draw(const qmBGPic* pic, qmBitmap* dest, const Rect& area) {
  if (!dest) return;
  take_up_moves();
  const Rect bounds = rect_intersect(area, Rect{0, 0, dest->width, dest->height});
  SpriteIndex* index = index_of(pic);
  if (!index || bounds.width < 1 || bounds.height < 1) return;
  for (const SpriteEntry* e : index_lookup(pic, *index, bounds)) draw_entry_part(e, dest, bounds);
}

void sprites_compose(const qmBGPic* pic, qmBitmap* dest, const Rect& area, int32_t flags) {
  const qmBitmap* clean = pic ? pic->current.bitmap : nullptr;
  if (!clean || !dest || dest == clean) return;
  const Rect r = rect_intersect(area, Rect{0, 0, std::min(clean->width, dest->width), std::min(clean->height, dest->height)});
  if (r.width < 1 || r.height < 1) return;
  if (!(flags & REDRAW_SPRITESONLY)) BLTBITMAP(clean, r.x, r.y, dest, r.x, r.y, r.width, r.height);
  if (!(flags & REDRAW_NOSPRITES)) sprites_draw(pic, dest, r);
}

bool sprites_pending() {
  return !g_pending.empty() || !g_moved.empty();
}

void sprites_flush_pending() {
  take_up_moves();
  if (g_pending.empty()) return;
  g_flushing.swap(g_pending);
  // Grouped by display, each display's areas recomposed at once.
  const qmDisplay* first = g_flushing.front().display;
  if (std::any_of(g_flushing.begin(), g_flushing.end(), [first](const PendingArea& a) { return a.display != first; }))
    std::stable_sort(g_flushing.begin(), g_flushing.end(),
                     [](const PendingArea& a, const PendingArea& b) { return std::less<>()(a.display, b.display); });
  for (size_t i = 0; i < g_flushing.size();) {
    size_t j = i;
    while (j < g_flushing.size() && g_flushing[j].display == g_flushing[i].display) ++j;
    qmDisplay* d = g_flushing[i].display;
    if (display_alive(d)) {
      try {
        compose_pending(d, g_flushing.data() + i, g_flushing.data() + j);
      } catch (const std::bad_alloc&) {
        for (size_t k = i; k < j; ++k) sprites_refresh_rect(d, g_flushing[k].rect);
      }
    }
    i = j;
  }
  g_flushing.clear();
}

void sprites_refresh_rect(qmDisplay* d, const Rect& area) {
  const Rect r = rect_intersect(area, composable_area(d));
  if (r.width < 1 || r.height < 1) return;
  sprites_compose(d->bgpic, d->buffer2, r, 0);
  present_part(d, d->buffer2, r);
}

}  // namespace qm

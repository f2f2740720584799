// Sprites: animated images that float above the background picture of a display without layers.
// A sprite record holds the frames; each background picture keeps the list of the sprites it
// shows (where, and with which frame). Showing, moving or removing a sprite recomposes only the
// rectangles it touched: the picture's own image is the clean background, and the composition
// (background plus the shown sprites in list order) goes into the display's buffer 2, from which
// it is presented. Sprites and layers exclude each other.
#pragma once

#include <cstdint>
#include <vector>

#include "display/bgpic.h"
#include "gfx/blitservices.h"
#include "layers/geometry.h"
#include "runtime/registry.h"

struct qmState;
struct qmDisplay;

namespace qm {

struct SpriteFrame {
  qmBitmap* bitmap = nullptr;
  qmMask* mask = nullptr;
  qmAlphaChannel* alpha = nullptr;
};

struct qmSprite {
  ObjectHeader header{};  // OBJ_SPRITE
  int32_t width = 0, height = 0;
  int32_t frame_count = 0;
  int32_t lock = 0;       // non-zero: may not be modified or freed
  int32_t temporary = 0;  // invisible to lookups by id
  int32_t transparent = -1;  // the colour its frames were made transparent with, -1 none
  // A linked sprite owns no frames: its frames are those of these sprites, in order.
  std::vector<qmSprite*> segments;
  bool linked = false;
  std::vector<SpriteFrame> frames;  // owned (a sprite that is not linked)
  // Where it was last found shown, so that moving it finds its entry at once; cleared when that
  // entry goes.
  struct SpriteEntry* last_entry = nullptr;
  const qmBGPic* last_picture = nullptr;
};

// One sprite shown on a background picture. It begins with the blit layer's view of it, so the
// picture's list is also the list that the blit layer's sprite pass walks.
struct SpriteEntry {
  qmSpriteRect rect{};  // next entry, x, y, width, height
  ObjectId id;
  int32_t frame = 1;  // counted from 1
  // A deferred move only changes the rectangle and the frame: the entry is refiled and its
  // areas kept for the flush when the moves are taken up, before the next lookup or flush. Until
  // then this is its place among the moved entries (-1: none).
  int32_t moved = -1;
  qmSprite* sprite = nullptr;
  int32_t counter = 0;
  // Its place in the picture's sprite index: the list position it was appended at (list order),
  // the grid cells it is filed under and the rectangle it is filed with (around its own, so that
  // a small move stays inside it and leaves the index as it was).
  uint64_t order = 0;
  int32_t cells[4] = {0, 0, -1, -1};  // first column, first row, last column, last row
  int64_t filed[4] = {0, 0, -1, -1};  // inclusive corners
};

inline SpriteEntry* sprite_entries(const qmBGPic* pic) {
  return pic ? static_cast<SpriteEntry*>(pic->sprites) : nullptr;
}
inline SpriteEntry* sprite_entry_next(const SpriteEntry* e) {
  return const_cast<SpriteEntry*>(reinterpret_cast<const SpriteEntry*>(e->rect.next));
}

// sprite_find flags.
enum : int32_t { SPRITEFIND_UNLOCKED = 1, SPRITEFIND_TEMPORARY = 2 };
// 0 with *out, ERR_FINDARRAY (automatic id), ERR_FINDSPRITE (number), ERR_LOCKEDOBJ.
int32_t sprite_find(const ObjectId& id, int32_t flags, qmSprite** out);
// Frame i (from 0), through the segments of a linked sprite. False when there is none; any
// output may be null.
bool sprite_get_frame(const qmSprite* s, int32_t index, const qmBitmap** bitmap, const qmMask** mask,
                      const qmAlphaChannel** alpha);

// A new record at the list's end owning the frames (also on failure, ERR_MEM).
int32_t sprite_new(const ObjectId& id, int32_t width, int32_t height, std::vector<SpriteFrame>& frames,
                   qmSprite** out);
// A linked sprite made of the frames of the given sprites.
int32_t sprite_new_linked(const ObjectId& id, const std::vector<qmSprite*>& segments, qmSprite** out);
int32_t sprite_copy(const qmSprite* source, const ObjectId& id, qmSprite** out);
// Frees the sprite of that id before the id is used again; missing is an error only when reporting.
int32_t sprite_free_by_id(qmState* L, const ObjectId& id, bool report);
// Unlinks and frees it, its entries on every background picture (redrawn where a display shows
// that picture) and first every linked sprite made of its frames.
void sprite_free(qmState* L, qmSprite* s);
void sprites_free_all(qmState* L);
ObjectHeader** sprite_list();

// The checks of the current output before a sprite is shown or taken off (0 or the error).
int32_t sprite_output_check(const qmDisplay* d);
// The checks before a sprite's frames change: shown on the current picture, locked, linked.
int32_t sprite_modify_check(const qmSprite* s);

// Shows the sprite on the current display's picture at (x, y) (specials resolved) with the frame
// (0: the next one, or 1 for a new entry). Only what changed is recomposed: at once, or with defer
// at the next sprites_flush_pending.
int32_t sprite_show(qmState* L, qmSprite* s, int32_t x, int32_t y, int32_t frame, bool defer = false);
// Recomposes and presents what deferred shows left pending, on every display that still exists.
// Anything that reads or presents a display's picture calls it first.
void sprites_flush_pending();
bool sprites_pending();
// Takes the sprite off the current picture; ERR_SPRITEONSCREEN(2) when it is not shown there.
int32_t sprite_remove(qmState* L, qmSprite* s);
// Takes every sprite off the current picture: redrawn away, or with keep left baked into it.
int32_t sprites_remove_all(qmState* L, bool keep);
// The current picture's entry of the sprite, or nullptr.
SpriteEntry* sprite_entry_of(const qmBGPic* pic, const qmSprite* s);

// Drops a picture's entries without redrawing (rebinding a display, freeing the picture).
void sprites_clear(qmBGPic* pic);
// True when a shown sprite's rectangle overlaps r.
bool sprites_overlap(const qmBGPic* pic, const Rect& r);
// Draws the picture's shown sprites, in list order, into dest within area.
void sprites_draw(const qmBGPic* pic, qmBitmap* dest, const Rect& area);
// The redraw of a picture without layers into dest: its own image (unless REDRAW_SPRITESONLY),
// then the sprites (unless REDRAW_NOSPRITES). The picture's own image never receives sprites.
void sprites_compose(const qmBGPic* pic, qmBitmap* dest, const Rect& area, int32_t flags);
// Recomposes a rectangle of a display showing sprites into its buffer 2 and presents it.
void sprites_refresh_rect(qmDisplay* d, const Rect& r);

// Where sprite frames come from besides brushes and pictures: anim files, anims and text objects
// belong to the anim and text libraries, which install their builders here. Each fills the size
// and the frames (owned by the caller from then on).
struct SpriteFrames {
  int32_t width = 0, height = 0;
  int32_t transparent = -1;
  std::vector<SpriteFrame> frames;
};
struct SpriteSources {
  // The frames of an anim file; SPRITE_NOT_ANIM when the file is not an anim (it is then read
  // as a picture).
  int32_t (*anim_file)(qmState* L, const char* name, int32_t transparent, bool load_alpha, SpriteFrames* out);
  int32_t (*anim)(qmState* L, const ObjectId& id, SpriteFrames* out);
  int32_t (*textobject)(qmState* L, const ObjectId& id, SpriteFrames* out);
};
inline constexpr int32_t SPRITE_NOT_ANIM = -1;
SpriteSources& sprite_sources();
void sprite_sources_reset();
void sprite_frames_free(std::vector<SpriteFrame>& frames);

// Tests: every rectangle that the sprites recompose, before it is presented.
void sprites_set_refresh_observer(void (*observer)(const qmDisplay* d, const Rect& r));

int32_t sprite_init(qmState* L);

}  // namespace qm

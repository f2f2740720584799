// Brushes: the brush record, the one brush list, and the lookup, creation, copy and free rules
// that every library reaching a brush uses.
#pragma once

#include <cstdint>

#include "runtime/registry.h"

struct qmState;

namespace qm {

struct Planes;

struct qmBitmap;
struct qmMask;
struct qmAlphaChannel;
struct qmImageSource;

// Transparent colour of a mask made by CreateBrush rather than from a colour: a sign, never a
// pixel value.
inline constexpr int32_t BRUSH_MASK_MADE = 0xAFC0DE;

enum : int32_t { BRUSHKIND_BITMAP = 0, BRUSHKIND_VECTOR = 1 };

struct qmBrush {
  ObjectHeader header;            // type OBJ_BRUSH
  qmImageSource* source;          // vector brushes and brushes realised later
  qmBitmap* bitmap;               // owned
  qmMask* mask;                   // owned or nullptr
  qmAlphaChannel* alpha;          // owned or nullptr
  int32_t width, height;
  int32_t row_length;             // pixels per row of the image source
  int32_t locked;                 // non-zero: ERR_LOCKEDOBJ for every change
  int32_t layer_copy;             // answers no id; kept only for the layers that show it
  int32_t transparent;            // 0xRRGGBB, -1 none, BRUSH_MASK_MADE
  int32_t transformed;            // a vector brush that was scaled or transformed
  int32_t kind;                   // BRUSHKIND_*
  int32_t src_x, src_y, src_width, src_height;  // rectangle of the source (deferred realisation)
  intptr_t accel[2];              // accelerated brushes: always 0 here
};

// brush_find flags.
enum : int32_t {
  BRUSHFIND_MODIFY = 1,       // refuse locked brushes and copy for layers first
  BRUSHFIND_LAYERCOPIES = 2,  // layer copies answer too
  BRUSHFIND_NOCOPY = 4,       // with MODIFY: no copy for layers
  BRUSHFIND_NOVECTOR = 8,     // refuse vector brushes (ERR_BRUSHTYPE)
};

// 0 with *out, or ERR_FINDARRAY / ERR_FINDBRUSH (number argument set), ERR_LOCKEDOBJ,
// ERR_BRUSHTYPE, ERR_MEM (the copy for layers).
int32_t brush_find(const ObjectId& id, int32_t flags, qmBrush** out);
// Frees the brush of that id before the id is used again (or for FreeBrush with require).
// A brush that layers show stays for them under its own address.
int32_t brush_lookup(qmState* L, const ObjectId& id, bool require);
// A new brush at the list's end. 0 or ERR_MEM (nothing kept).
int32_t brush_new(const ObjectId& id, int32_t width, int32_t height, uint32_t colour, bool with_mask,
                  bool with_alpha, bool clear, bool no_fill, qmBrush** out);
// A record around planes made elsewhere; the planes and one reference of the image source belong
// to the brush from then on, also on failure (ERR_MEM).
int32_t brush_new_from_bitmap(const ObjectId& id, int32_t kind, int32_t width, int32_t height,
                              int32_t row_length, int32_t transformed, qmImageSource* source,
                              qmBitmap* bitmap, int32_t transparent, qmMask* mask,
                              qmAlphaChannel* alpha, qmBrush** out);
int32_t brush_copy(qmState* L, const qmBrush* source, const ObjectId& id, qmBrush** out);
void brush_free(qmState* L, qmBrush* brush);
// Frees the layer copies that no layer shows any more.
void brush_collect(qmState* L);
// 1 with the planes of a bitmap brush of that id, else 0 (layer copies skipped).
int32_t brush_get_planes(const ObjectId& id, qmBitmap** bitmap, qmMask** mask, qmAlphaChannel** alpha);
// Makes the pixels of the brushes loaded while the declared objects were created.
int32_t brush_realize_all();
// The in-place frame of every command that changes a brush: not the selected output target
// (ERR_MODIFYABR), then brush_find with BRUSHFIND_MODIFY and, unless vector brushes are allowed,
// BRUSHFIND_NOVECTOR.
int32_t brush_find_for_change(const ObjectId& id, qmBrush** out, bool allow_vector = false);
// Frees a brush's planes and gives it the new ones, which it then owns (p is released).
void brush_replace_planes(qmBrush* b, Planes& p, int32_t width, int32_t height);
// The address of the list head (registered as an object list).
ObjectHeader** brush_list();

}  // namespace qm

int32_t brush_init(qmState* L);
// The conversion, transform, effect, distortion and pixel commands (display/brush_effects.cpp).
namespace qm {
int32_t brush_effects_open(qmState* L);
}
void brush_free_all();

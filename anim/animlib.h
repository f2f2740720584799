// The anim library: anim objects (sequences of equally sized frames, each a bitmap with an
// optional mask or alpha plane and a delay), the one anim list, and the lookups, copies and frees
// that every part of the player reaching an anim uses. The anim file is opened through the driver
// (anim/anim.h). A memory anim holds its frames; a disk anim holds the open file and reads each
// frame when it is needed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/registry.h"

struct qmState;

namespace qm {

struct qmBitmap;
struct qmMask;
struct qmAlphaChannel;
struct qmAnimFile;
struct qmTransformTags;
struct qmDrawTagOptions;
struct qmLayer;

// A delay that is asked of the anim file (0 for a memory anim).
inline constexpr uint32_t kAnimDelayFromFile = 0xFFFFFFFFu;

struct qmAnim {
  ObjectHeader header;  // type OBJ_ANIM; an automatic id is the record's own address
  int32_t width = 0, height = 0;  // current frame size (ScaleAnim changes it)
  int32_t frames = 0;
  int32_t from_disk = 0;
  int32_t native_width = 0, native_height = 0;  // size of the frames as stored
  int32_t smooth = 0;      // disk frames scaled from native to current size with interpolation
  int32_t lock = 0;        // running playbacks: every change is refused with ERR_LOCKEDOBJ
  int32_t detached = 0;    // freed by the program while layers show it; no id answers it
  int32_t transparent = -1;  // 0xRRGGBB that becomes the mask of a file frame; -1 none
  qmAnimFile* file = nullptr;  // disk anims
  std::string file_name;       // disk anims: reopened by a copy
  // Memory anims: one entry per frame (mask and alpha may be null).
  std::vector<qmBitmap*> bitmaps;
  std::vector<qmMask*> masks;
  std::vector<qmAlphaChannel*> alphas;
  std::vector<uint32_t> delays;  // milliseconds, kAnimDelayFromFile: ask the file
  // Disk anims: the frame last read at the current size, so that showing it again or handing its
  // planes out for a while reads it once.
  int32_t cached_frame = -1;
  qmBitmap* cached_bitmap = nullptr;
  qmMask* cached_mask = nullptr;
  qmAlphaChannel* cached_alpha = nullptr;
};

// anim_find flags.
enum : int32_t {
  ANIMFIND_MODIFY = 1,    // refuse a locked anim (ERR_LOCKEDOBJ) and let layers keep a copy first
  ANIMFIND_DETACHED = 2,  // detached records answer too
  ANIMFIND_NOCOPY = 4,    // with MODIFY: no copy for layers
};

// A new record at the list's end with empty frame slots (frames entries each, delays all
// kAnimDelayFromFile). ERR_MEM when the frame arrays pass the allocation cap or memory runs out.
int32_t anim_new(const ObjectId& id, int32_t width, int32_t height, int32_t frames, int32_t transparent,
                 bool from_disk, qmAnim** out);
// 0 with *out; ERR_FINDARRAY for an automatic id, else ERR_FINDANIM (number argument set);
// ERR_LOCKEDOBJ or ERR_MEM (the copy for layers) with ANIMFIND_MODIFY.
int32_t anim_find(const ObjectId& id, int32_t flags, qmAnim** out);
// The frame (0-based) as bitmap, mask and alpha. Disk anims: read from the file and scaled to the
// current size (native size with raw), always owned by the caller. Memory anims: copies with
// copy, else the anim's own planes. 0, ERR_LOADFRAME or ERR_MEM.
int32_t anim_get_frame_bitmap(qmAnim* anim, int32_t index, bool copy, bool raw, qmBitmap** bitmap, qmMask** mask,
                              qmAlphaChannel** alpha);
// The frame's delay in milliseconds (the file's for a delay asked of it, 0 in memory).
int32_t anim_get_frame_delay(const qmAnim* anim, int32_t index);
// The disk frame's planes at the current size in the anim's cache (valid until another frame of
// the anim is read or the anim changes). 0 or an error.
int32_t anim_cache_frame(qmAnim* anim, int32_t index);
// Frees the anim of that id before the id is used again (FreeAnim with report set). Refused with
// ERR_MODIFYAANIM while a frame of it is the drawing target and ERR_LOCKEDOBJ while it plays; an
// anim that layers show stays for them, detached. Not found: an error only with report.
int32_t anim_free_by_id(qmState* L, const ObjectId& id, bool report);
void anim_free(qmState* L, qmAnim* anim);
// Frees every detached anim that no layer shows any more.
void anim_collect(qmState* L);
// Frees every anim (the library's clean-up then finishes the anim streams).
void anim_free_all(qmState* L);
// Converts frames held as raw buffers: none are on this host, where bitmaps exist before any
// display (kept for the first display's open).
int32_t anims_realize_frames();
// A complete copy of the anim under id at the list's end.
int32_t anim_copy(qmState* L, const qmAnim* source, const ObjectId& id, qmAnim** out);
// The anim list's head (registered as an object list).
ObjectHeader** anim_list();
// True while a frame of the anim is the drawing target.
bool anim_is_output_target(const qmAnim* anim);
// Frees every frame's planes and the cache (the record stays).
void anim_free_frames(qmAnim* anim);

// Building anims. The frames of an anim file (all loaded, or none with from_disk, which keeps the
// file open); transparent and load_alpha as LoadAnim's options.
int32_t anim_build_from_file(const ObjectId& id, const char* name, int32_t transparent, bool from_disk,
                             qmAnim** out);
// The rectangle cut of frames out of a picture: frame i at column i mod fpr and row i div fpr,
// offset by (x, y); fpr below 1 puts every frame in one row.
struct AnimCut {
  int32_t width = 0, height = 0, frames = 1, fpr = 0, x = 0, y = 0;
};
// The frames' planes cut out of a picture of source_w x source_h: ERR_WRONGUSAGE for a size or
// count below 1, ERR_NEGCOORDS, ERR_BRUSHSIZE for a cut past the picture's edge, ERR_MEM.
int32_t anim_cut_frames(const qmBitmap* bitmap, const qmMask* mask, const qmAlphaChannel* alpha, int32_t source_w,
                        int32_t source_h, const AnimCut& cut, std::vector<qmBitmap*>* bitmaps,
                        std::vector<qmMask*>* masks, std::vector<qmAlphaChannel*>* alphas);

// Inserts and removes frames: count above 0 inserts that many cleared frames (with mask and alpha
// planes where the first frame has them) after frame `position` (0: at the end); below 0 removes
// -count frames from frame `position` (0: the last ones). ERR_ANIMDISK for a disk anim,
// ERR_WRONGUSAGE for count 0, a negative position or a removal of every frame or past the end,
// ERR_ANIMFRAME for a position past the frames, ERR_MEM.
int32_t anim_modify_frames(qmAnim* anim, int32_t count, int32_t position);
// Frame `frame` (0-based) of the anim as a new layer of the current picture at x, y with the
// display options when given; position and flags as layer_new takes them. ERR_NOLAYERS without
// layers.
int32_t anim_layer_insert(qmState* L, qmAnim* anim, int32_t frame, int32_t x, int32_t y,
                          const qmTransformTags* transform, const qmDrawTagOptions* style, int32_t position,
                          int32_t flags, qmLayer** out);

// Installs the anim seams of the displays, layers, sprites and brushes.
void anim_install_hooks();

}  // namespace qm

int32_t anim_init(qmState* L);
void anim_cleanup(qmState* L);

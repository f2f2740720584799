// Background pictures: the record with its three image sets, the fill options that gradient and
// textured pictures are made again from, the BGPic list, and the find, create, copy, resize,
// collect and copy-on-change rules that the other libraries use.
#pragma once

#include <cstdint>

#include "gfx/gradient.h"
#include "gfx/style.h"
#include "display/picture.h"
#include "runtime/registry.h"

struct qmState;

namespace qm {

struct qmBitmap;
struct qmMask;
struct qmAlphaChannel;
struct qmImageSource;

struct FillOptions {
  int32_t kind = FILLNONE;
  uint32_t colour = 0;
  qmGradient gradient{};
  ObjectId texture_brush;
  qmBitmap* texture = nullptr;  // owned copy of the texture brush's bitmap, made on first use
  int32_t texture_x = 0, texture_y = 0;
  int32_t texture_width = 0, texture_height = 0;
};

struct BGPicImage {
  qmBitmap* bitmap = nullptr;
  qmMask* mask = nullptr;
  qmAlphaChannel* alpha = nullptr;
};

// The layer list belongs to the layers; this record only holds its header.
struct LayerListHeader {
  void* head = nullptr;
  void* tail = nullptr;
  void* tail_pred = nullptr;
};

struct qmBGPic {
  ObjectHeader header{};  // type OBJ_BGPIC
  qmImageSource* source = nullptr;
  // Three image sets that may share planes: current (display size), working (picture size) and
  // unscaled (as loaded or created). A plane shared with a later set is freed with that set only.
  BGPicImage current, working, unscaled;
  int32_t display_width = 0, display_height = 0;
  int32_t width = 0, height = 0;  // the picture size that scripts see
  int32_t unscaled_width = 0, unscaled_height = 0;
  int32_t row_width = 0;
  int32_t transparent = -1;
  uint32_t* palette = nullptr;  // 256 entries, owned (qmos_alloc)
  LayerListHeader layers;
  void* sprites = nullptr;
  void* sprite_index = nullptr;  // the sprite library's lookup of the shown sprites by place
  int32_t lock = 0;
  int32_t temporary = 0;
  void* buttons = nullptr;
  int32_t work[3] = {0, 0, 0};
  int32_t counter = 0;
  FillOptions fill;
  int32_t rerender = 0;  // made again at any size: gradient, texture or vector source
  int32_t redraw = 0;    // drawn into as a selected target: an effect showing it draws it again
};

// bgpic_find flags.
enum : int32_t { BGPICFIND_MODIFY = 1, BGPICFIND_TEMPORARY = 2, BGPICFIND_NOCOPY = 4 };

int32_t bgpic_find(const ObjectId& id, int32_t flags, qmBGPic** out);
// The id argument n of a creating command: Nil asks for an automatic id; a number first frees the
// BGPic of that number, if any.
int32_t bgpic_prepare_id(qmState* L, int32_t n, NewId* out);
// A new record at the list's end with all three sets and sizes from the planes, which it owns
// from then on with the palette, the fill's texture and one reference of the image source (also
// on failure, ERR_MEM). fill may be null.
int32_t bgpic_create(const ObjectId& id, int32_t rerender, int32_t width, int32_t height,
                     int32_t row_width, qmImageSource* source, qmBitmap* bitmap, uint32_t* palette,
                     int32_t transparent, qmMask* mask, qmAlphaChannel* alpha, const FillOptions* fill,
                     qmBGPic** out);
int32_t bgpic_create_filled(const ObjectId& id, int32_t width, int32_t height, uint32_t colour, qmBGPic** out);
int32_t bgpic_copy(qmState* L, const qmBGPic* source, const ObjectId& id, qmBGPic** out);
// Frees the BGPic of that id; without report a missing one is no error.
int32_t bgpic_free_by_id(qmState* L, const ObjectId& id, bool report);
void bgpic_collect(qmState* L);
// Makes a BGPic width x height: from its fill options when it can be made again, else scaled.
int32_t bgpic_resize(qmBGPic* pic, int32_t width, int32_t height, bool smooth);
// The display image of a picture shown by a display that scales its layers: the current set is
// rendered at width x height (the display's scale size), or is the working set again at the
// picture size; the display size follows. 0 or the render's error (then nothing changed).
int32_t bgpic_scale_current(qmBGPic* pic, int32_t width, int32_t height, bool smooth);
// The planes of a picture at a new size from its unscaled planes or its fill options.
int32_t bgpic_render_at_size(qmBGPic* pic, int32_t width, int32_t height, bool smooth, BGPicImage* out);
// Fills a new bitmap from fill options (colour, gradient or texture). 0, ERR_MEM or the texture
// brush's find error.
int32_t fill_render(FillOptions& fill, int32_t width, int32_t height, qmBitmap** out);
void fill_options_free(FillOptions& fill);
// A transparent picture drawn onto the fill (none: nothing happens); the result has neither mask
// nor alpha plane. 0 or fill_render's error.
int32_t fill_behind(FillOptions& fill, int32_t width, int32_t height, Planes& planes);
// Total layers over every BGPic.
int32_t bgpic_total_layers();
ObjectHeader* bgpic_list();
ObjectHeader** bgpic_list_head();

// Copy-on-change: when layers show the object, copy it under a new automatic id with `copy` and
// switch those layers to the copy. *out_id gets the copy's id (an empty id when none was needed).
using CopyForLayers = int32_t (*)(qmState* L, void* object, ObjectId* out_id);
int32_t object_copy_for_layers(qmState* L, int32_t type, const ObjectId& id, CopyForLayers copy, void* object,
                               ObjectId* out_id);

}  // namespace qm

int32_t bgpic_init(qmState* L);
void bgpic_free_all();

// Layer records and the layer list of a background picture. Position 1 is the bottom layer and
// is drawn first; the last position is on top. The list is intrusive and doubly linked through
// the picture's LayerListHeader (head = bottom, tail = top).
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "display/bgpic.h"
#include "display/filterslots.h"
#include "gfx/blitservices.h"
#include "layers/content.h"
#include "layers/geometry.h"
#include "runtime/registry.h"

struct qmState;

namespace qm {

struct FontAttributes;

inline constexpr int32_t kMaxLayerName = 255;
inline constexpr int32_t kGroupNameSize = 64;

struct LayerImage {
  qmBitmap* bitmap = nullptr;
  qmMask* mask = nullptr;
  qmAlphaChannel* alpha = nullptr;
};

// One state of a layer: its content, the images computed from it, and its geometry.
struct qmLayerState {
  LayerImage content, transformed, filtered, border;
  qmAlphaChannel* shadow = nullptr;
  const qmClipRegion* clip = nullptr;
  int32_t clip_owned = 0;
  int32_t pos_x = 0, pos_y = 0;
  int32_t content_w = 0, content_h = 0;
  int32_t bounds_x = 0, bounds_y = 0;
  int32_t anchored_x = 0, anchored_y = 0;
  int32_t width = 0, height = 0;  // on screen
  int32_t border_x = 0, border_y = 0, border_w = 0, border_h = 0;
  int32_t kind[2] = {0, 0};  // ANIM: frame and count; parts: source x and y
  uint32_t colour = 0;       // drawn kinds: the colour that the renderer uses
  int32_t fill_style = 1;
  std::unique_ptr<LayerDrawn> drawn;  // drawn kinds, content state only: what is rendered
};

// What a transition effect shows of a layer while it runs: the layer's image as the effect has
// drawn it so far (its transformed, filtered image), the visibility the effect has given it, and
// where it stands on the picture. Only an effect makes one; it goes with the effect or the layer.
struct qmLayerEffect {
  qmBitmap* bitmap = nullptr;
  qmMask* mask = nullptr;          // or alpha, or neither (the image is drawn whole)
  qmAlphaChannel* alpha = nullptr;
  int32_t x = 0, y = 0, width = 0, height = 0;
};

struct qmLayer {
  qmLayer* next = nullptr;  // towards the top
  qmLayer* prev = nullptr;  // towards the bottom
  int32_t type = OBJ_NOOBJECT;
  ObjectId object, creation;
  int32_t hidden = 0, off_display = 0, transparency = 0;
  char* name = nullptr;
  char group[kGroupNameSize] = {};
  int32_t clip_share = 0;
  TransformBlock transform;
  int32_t shadow = 0;
  uint32_t shadow_colour = 0;
  int32_t shadow_size = 0, shadow_direction = 3;
  double shadow_radius = 0.0, shadow_sigma = 0.0;
  int32_t shadow_fade = 0;  // 0: as styled; 1..256: faded by an effect to (fade - 1) / 255
  int32_t border = 0;
  uint32_t border_colour = 0;
  int32_t border_size = 0, border_fade = 0;
  FilterSlot filters[kFilterSlots];
  int32_t mask_filter = 0;
  RefNode* refs = nullptr;
  qmLayerState* content = nullptr;
  qmLayerState* unscaled = nullptr;
  qmLayerState* display = nullptr;
  // While a transition effect runs on the layer: the redraw draws this image instead of the
  // layer's own, untransformed, through its mask or alpha.
  qmLayerEffect* effect = nullptr;
};

// The list.
inline qmLayer* layers_bottom(const qmBGPic* pic) {
  return pic ? static_cast<qmLayer*>(pic->layers.head) : nullptr;
}
inline qmLayer* layers_top(const qmBGPic* pic) {
  return pic ? static_cast<qmLayer*>(pic->layers.tail) : nullptr;
}
int32_t layers_count(const qmBGPic* pic);
// The layer at 1-based position n from the bottom, or nullptr.
qmLayer* layer_at_index(const qmBGPic* pic, int32_t n);
// Its position, -1 when absent.
int32_t layer_index_of(const qmBGPic* pic, const qmLayer* layer);
// Position of the first layer named so (case-insensitive), 0 when none.
int32_t layer_find_by_name(const qmBGPic* pic, const char* name);
// Links at an insert position: -1, 0 or past the end on top, 1 at the bottom, p after the layer
// at p - 1.
void layer_link(qmBGPic* pic, qmLayer* layer, int32_t position);
void layer_unlink(qmBGPic* pic, qmLayer* layer);
// 1 when it moved: position 1 to the bottom, 0 (or past the end) to the top, p >= 2 so that it
// ends at position p.
int32_t layer_move_in_list(qmBGPic* pic, qmLayer* layer, int32_t position);
// Exchanges two layers' places.
void layer_swap(qmBGPic* pic, qmLayer* a, qmLayer* b);

// Names: ERR_NAMETOOLONG above 255 characters, ERR_NAMEUSED when another layer of the picture has
// it as name or group name. An empty name leaves the layer unnamed.
int32_t layer_set_name_checked(qmBGPic* pic, qmLayer* layer, const char* name);

// The image to draw for a layer: its planes (owned by the layer or its object) and where the
// layer's part starts in them.
struct LayerPlanes {
  const qmBitmap* bitmap = nullptr;
  const qmMask* mask = nullptr;
  const qmAlphaChannel* alpha = nullptr;
  int32_t width = 0, height = 0;   // of the planes
  int32_t part_x = 0, part_y = 0;  // where the layer's part starts in them
};

// The style a layer starts with (shadow, border, transparency, tint, name, insert position).
struct LayerStyle {
  int32_t hidden = 0;
  int32_t insert_position = 0;  // above 0: replaces the constructor's position
  int32_t transparency = 0;
  int32_t tint = 0;
  uint32_t tint_colour = 0;
  int32_t shadow = 0;
  uint32_t shadow_colour = 0;
  int32_t shadow_size = 0, shadow_direction = 3;
  double shadow_radius = 0.0, shadow_sigma = 0.0;
  int32_t border = 0;
  uint32_t border_colour = 0;
  int32_t border_size = 0;
  const FilterSlot* filters = nullptr;  // kFilterSlots slots, or nullptr: none
  const char* name = nullptr;  // "" or nullptr: none
};

// The constructor's request.
struct LayerSpec {
  int32_t type = OBJ_NOOBJECT;
  ObjectId id;
  int32_t x = 0, y = 0, width = 0, height = 0;
  const TransformBlock* transform = nullptr;
  const LayerStyle* style = nullptr;  // nullptr: the draw-tag defaults' shadow and border
  LayerImage image;                   // owned from the call on, also on failure
  int32_t insert_position = -1;
  int32_t flags = 0;  // LAYER_HIDDEN, LAYER_SCALED, LAYER_REPLACE, LAYER_NOREFRESH
  uint32_t colour = 0;
  int32_t part_x = 0, part_y = 0;  // BRUSHPART and BGPICPART: the source corner; ANIM: frame, count
  const LayerDrawn* drawn = nullptr;  // drawn kinds: the description, copied into the content state
};
enum : int32_t {
  LAYER_HIDDEN = 1,
  LAYER_SCALED = 2,
  LAYER_REPLACED = 4,
  LAYER_REPLACE = 8,
  LAYER_NOREFRESH = 16,  // the caller refreshes (or the layer is made before it can be shown)
};

// Creates and links a layer on pic. With LAYER_REPLACE the layer that follows it after
// insertion is replaced (and freed) unless an async draw drives it; that is tested before anything
// is linked or taken over. A transform other than the identity builds the unscaled state; with
// LAYER_SCALED a scaled display also gets its display state. Unless hidden or LAYER_NOREFRESH the
// layer's rectangle is refreshed when pic is the current display's picture. 0 or an error with
// nothing changed.
int32_t layer_new(qmState* L, qmBGPic* pic, const LayerSpec& spec, qmLayer** out);
// Unlinks and frees one layer.
void layer_remove(qmState* L, qmBGPic* pic, qmLayer* layer);
// Frees a layer's states (each distinct record once), name and references (released through L
// when given); not its links.
void layer_free(qmState* L, qmLayer* layer);
void bgpic_layers_free(qmState* L, qmBGPic* pic);
void layer_state_free(qmLayerState* state);
// Frees the layer's effect image, if any.
void layer_effect_free(qmLayer* layer);
// Frees the planes of one image and empties it.
void layer_image_free(LayerImage& image);
// Drops the images computed from the content (filters, border, shadow) of every distinct state.
void layer_free_caches(qmLayer* layer);
// Drops some of them: the filtered images, the border images and the shadow planes.
enum : int32_t { LAYER_IMAGE_FILTERED = 1, LAYER_IMAGE_BORDER = 2, LAYER_IMAGE_SHADOW = 4 };
void layer_free_images(qmLayer* layer, int32_t which);

// An anim shown as a layer, made by CreateLayer with frames: n frames of width x height filled
// with the colour, masked or with alpha planes (all set, or all clear with `clear`).
struct AnimLayerRequest {
  qmBGPic* pic = nullptr;
  int32_t x = 0, y = 0, width = 0, height = 0, frames = 0;
  int32_t mask = 0, alpha = 0, clear = 0;
  uint32_t colour = 0;
};

// Seams for what arrives later, installed by the libraries that own them: whether an async draw
// drives a layer (0 or its error), the renderer of drawn kinds (shapes, texts, paths) into a
// state's content image, the sprite pass of a redraw, and anims and text objects as layers.
// Until a library installs its entry, anims and text objects answer ERR_UNSUPPORTEDFEAT.
struct LayerServices {
  int32_t (*async_draw_error)(const qmLayer* layer);
  int32_t (*render_content)(qmLayer* layer, qmLayerState* state);
  // The sprites shown on pic that meet the area, drawn into dest (after the layers).
  void (*draw_sprites)(qmState* L, qmBGPic* pic, qmBitmap* dest, const Rect& area);
  // True while sprites are shown on the picture.
  bool (*sprites_shown)(const qmBGPic* pic);
  // The planes of frame (0-based; -1: the state's current one) of an anim, with its frame count.
  int32_t (*anim_frame)(qmState* L, const ObjectId& id, int32_t frame, LayerPlanes* out, int32_t* count);
  // The planes of a text object.
  int32_t (*textobject_image)(qmState* L, const ObjectId& id, LayerPlanes* out);
  // CreateLayer with frames.
  int32_t (*create_anim_layer)(qmState* L, const AnimLayerRequest& request);
  // Inserts an anim (OBJ_ANIM) or a text object (OBJ_TEXTOBJECT) at position (1-based, at most
  // count + 1) at x, y (specials resolved by the service) with the layer flags.
  int32_t (*insert_object)(qmState* L, int32_t kind, const ObjectId& id, int32_t x, int32_t y, int32_t position,
                           int32_t flags);
  // ModifyLayerFrames' work on the anim an ANIM layer shows: the layer holds an anim of its own
  // first unless it is a temporary one that no other layer shows; *count gets the new count.
  int32_t (*anim_modify_frames)(qmState* L, qmLayer* layer, int32_t frames, int32_t extra, int32_t* count);
  // The draw library's current style, which a layer turned into a shape or a path from another
  // kind starts from.
  void (*draw_style)(LayerShapeStyle* out);
  // The text library's current style, colour and font, which a layer turned into text from
  // another kind starts from.
  void (*text_style)(LayerTextStyle* style, uint32_t* colour, LayerFont* font);
  // Opens a text layer's font through the font cache (name, size, engine, cache and linked-file
  // flags as given): 0 with font->font set, or the error.
  int32_t (*font_open)(qmState* L, LayerFont* font);
  // A path that a path layer shows: 0 with a copy of its operation buffer in *ops (when given),
  // ERR_FINDARRAY for an automatic id, else ERR_FINDPATH with the number. Until the
  // vectorgraphics library installs it no path exists.
  int32_t (*path_find)(qmState* L, const ObjectId& id, std::vector<uint32_t>* ops);
  // The border image of a drawn layer, so that a border follows what the layer draws (a circle's
  // border is a ring, not its box): the library of the layer's kind renders the outline of its
  // content in `state`, grown by `size` pixels on every side (a border of a transformed or
  // display-scaled state follows that state's geometry), in the layer's border colour at full
  // opacity; the redraw engine applies the colour's transparency. `kind` is the layer's type, or
  // OBJ_BOX when the engine asks for the outline of a plain rectangle of the state's content size
  // under a rotation or shear. 0 with out->bitmap and an alpha plane or mask, and *at holding
  // where the image's corner lies left of and above the state's bounds (x, y, both >= 0) and its
  // size; ERR_UNSUPPORTEDFEAT when the kind has no border of its own (the engine then grows the
  // layer's image); any other code is the renderer's error. The draw library answers the shape
  // kinds; the text and vectorgraphics libraries fill in their kinds as they arrive, answering
  // ERR_UNSUPPORTEDFEAT for the others (or passing them to the entry they found installed).
  int32_t (*drawn_border)(qmState* L, qmLayer* layer, qmLayerState* state, int32_t kind, int32_t size, LayerImage* out,
                          Rect* at);
  // A drawn layer's content rendered again through a matrix (the layer's own, times the display's
  // scale for a display-scaled state), so that a turned or scaled shape stays sharp instead of
  // being resampled. The matrix turns the content about its middle; at->x and at->y give where the
  // image's corner lies from the content's corner in the content's own pixels once turned (the
  // layers place the image by it), at->width and at->height its size. 0 with the planes;
  // ERR_UNSUPPORTEDFEAT when the kind is not rendered so (the state is then resampled); else the
  // renderer's error. Filled in as drawn_border is.
  int32_t (*render_transformed)(qmState* L, qmLayer* layer, const Matrix2& m, LayerImage* out, Rect* at);
  // The font attributes of a text layer's font (GetAttribute's font rows); false until the text
  // library installs it.
  bool (*font_attributes)(const LayerFont& font, FontAttributes* out);
  // Frees the text objects that were kept only for layers and that no layer shows any more; runs
  // where the layers collect their brushes. Nothing until the text library installs it.
  void (*textobject_collect)(qmState* L);
  // Frees the anims that were kept only for layers and that no layer shows any more. Nothing until
  // the anim library installs it.
  void (*anim_collect)(qmState* L);
};
LayerServices& layer_services();
void layer_services_reset();

bool layer_kind_is_shape(int32_t type);

}  // namespace qm

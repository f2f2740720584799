// The layers subsystem: layer records and the layer list of each background picture
// (layers/layer.h), geometry (layers/geometry.h), dirty-rectangle lists (layers/dirty.h), the
// redraw engine (layers/redraw.h), filters (layers/filters.h), the drawing style fields of
// style tables (layers/style_table.h) and what text, shape and path layers keep of their content
// (layers/content.h); below, the layer core that the layer commands share:
// the current picture and the command precondition, refreshes, inserting, transforms and the
// display-scaled states, clip regions that follow a layer, and layers as drawing targets.
// layers_install_hooks() puts the layers behind the display library's LayerHooks and the blit
// layer's redraw service. What arrives later (anims, text objects, shapes, sprites) reaches the
// layers through layer_services() (layers/layer.h).
#pragma once

#include "layers/dirty.h"
#include "layers/filters.h"
#include "layers/geometry.h"
#include "layers/layer.h"
#include "layers/redraw.h"
#include "layers/style_table.h"

struct qmState;
struct qmDisplay;

namespace qm {

struct qmTransformTags;
struct qmDrawTagOptions;

void layers_install_hooks();
// The refresh of a changed rectangle of the current picture: composed and shown at once while the
// display is the output, collected on the display's list while a picture is selected.
void refresh_dirty_rect(qmState* L, const Rect& area);
// Exchanges the layers at two positions of the current picture and refreshes both places.
// ERR_LAYERRANGE for a position below 1 or past the end.
int32_t layers_swap_refresh(qmState* L, int32_t a, int32_t b);
// Moves a layer: x or y of kKeepCoordinate keeps it; relative bit 1 adds x, bit 2 adds y. The
// rectangle covering the old and new places goes to `dirty` when given, else is refreshed at once,
// unless no_refresh.
inline constexpr int32_t kKeepCoordinate = 100000;
void layer_set_position(qmState* L, qmLayer* layer, int32_t x, int32_t y, bool no_refresh, int32_t relative,
                        DirtyList* dirty);

// The picture that layer commands work on: the current display's, or the one selected with
// SelectBGPic's layers mode. nullptr without a display.
qmBGPic* layers_current_picture();
// What every layer command checks first, in this order: a selected brush (ERR_SELECTBRUSH), mask
// (ERR_SELECTMASK) or alpha channel (ERR_SELECTALPHACHANNEL) as the output, then layers off
// (ERR_NOLAYERS). 0 with the current picture.
int32_t layer_precondition(qmBGPic** pic);
// A layer argument: a number is a position (unchecked), a string the position of the layer of
// that name (ERR_FINDLAYER, with the name as the error's text, when none has it); any other type
// raises ERR_STRORNUM.
int32_t layer_arg_index(qmState* L, qmBGPic* pic, int32_t n, int32_t* out);
// Redraws the rectangle of the current display's picture into its composition buffer and shows
// it (the rectangle is clipped to the picture).
void display_refresh_rect(qmState* L, const Rect& area);
// Refreshes a layer's full rectangle when pic is the current display's picture.
void layer_refresh(qmState* L, qmBGPic* pic, qmLayer* layer);
// Merges and redraws the rectangles collected on the display's list, then empties it.
void layers_flush_dirty(qmState* L, qmDisplay* d);
// Inserts an existing brush (OBJ_BRUSH), anim (OBJ_ANIM) or text object (OBJ_TEXTOBJECT) at
// position: below 0 ERR_INVINSERT, 0 or past the end on top; x and y may be specials, resolved
// against the object's size. Unless hidden or no_refresh the layer is refreshed. *out (may be
// nullptr) gets the layer now at the position. Other kinds: ERR_WRONGUSAGE.
int32_t insert_object_layer(qmState* L, int32_t position, int32_t kind, const ObjectId& id, int32_t x, int32_t y,
                            bool no_refresh, bool hidden, qmLayer** out);
// Renders a drawn layer's content into the state by kind (shapes, texts, paths through the
// renderer service); kinds that show another object's planes need nothing. 0 or the renderer's
// error.
int32_t render_layer_content(qmState* L, qmLayer* layer, qmLayerState* state);
// Builds the layer's display state when the current display scales its layers by other than
// 1 x 1 (else the display state is the unscaled one). 0, ERR_MEM or a look-up error.
int32_t layer_rebuild_display(qmState* L, qmLayer* layer);
// The same for a given display (whose picture holds the layer).
int32_t layer_rebuild_display_on(qmState* L, qmDisplay* d, qmLayer* layer);
// Every layer of the display's picture after its scale changed: the first error stops it.
int32_t layers_rebuild_display(qmState* L, qmDisplay* d);

// A region's copy for a transformed state: point p of the picture goes to M (p - from) + to. A
// straight rectangle stays a rectangle; a turned or masked one gets a mask. nullptr for a singular
// matrix or without memory. Freed with clip_free.
const qmClipRegion* clip_transform(const qmClipRegion* source, const Matrix2& m, double from_x, double from_y,
                                   double to_x, double to_y);
void clip_free(const qmClipRegion* region);

// Makes the layer a drawing target: it holds planes of its own from then on (a copy of the
// brush or picture part it showed; a drawn kind keeps its rendered content and becomes a brush
// layer). 0 with the planes, ERR_RENDERADLAYER while an async draw drives it, ERR_WRONGUSAGE for
// placeholders, ERR_UNSUPPORTEDFEAT for anims and text objects.
int32_t layer_render_to_bitmap(qmState* L, qmLayer* layer, int32_t frame, LayerImage* out);
// Puts the layer targets behind the display's hooks.
void layer_target_install();

// Sets the layer's transform; a matrix other than the identity gives the layer a state of its
// own with the content resampled about its middle at the on-screen size. 0, ERR_MEM or the
// source's look-up error (the layer unchanged then but for its block).
int32_t layer_set_transform(qmState* L, qmLayer* layer, const TransformBlock& block);
// Builds the layer's unscaled and display states again from its content and transform block
// (after a change of size, scale, rotation, transform or content).
inline int32_t layer_rebuild(qmState* L, qmLayer* layer) {
  return layer_set_transform(L, layer, layer->transform);
}

// The display options of a showing or drawing command as a layer's transform block and style.
TransformBlock layer_transform_of(const qmTransformTags& tt);
LayerStyle layer_style_of(const qmDrawTagOptions& dt);

// The command library: installs the hooks and registers the commands.
int32_t layers_init(qmState* L);
// GetAttribute's rows for layers (called by layers_init) and for sprites (by sprite_init).
void layer_attributes_open();
void sprite_attributes_open();

}  // namespace qm

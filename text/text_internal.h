// What the text library's files share among themselves: the commands that live beside their work
// (printing, TextOut, InKeyStr, the text objects) and the layer services of text layers.
#pragma once

#include <cstdint>

struct qmState;

namespace qm {

int32_t cmd_print(qmState* L);
int32_t cmd_nprint(qmState* L);
int32_t cmd_textout(qmState* L);
int32_t cmd_inkeystr(qmState* L);
int32_t cmd_createtextobject(qmState* L);
int32_t cmd_copytextobject(qmState* L);
int32_t cmd_freetextobject(qmState* L);
int32_t cmd_displaytextobject(qmState* L);
int32_t cmd_rotatetextobject(qmState* L);
int32_t cmd_scaletextobject(qmState* L);

// The encoding argument n: absent or nil the default encoding; above 1 ERR_WRONGUSAGE (raised
// through vm_command_fail).
int32_t text_encoding_arg(qmState* L, int32_t n);

struct qmTextJob;
// The fields "align", "wordwrap", "encoding" and "color" of the option table at t into the job
// (the word-wrap width into *wrap). 0, or ERR_WRONGUSAGE for an encoding above 1.
int32_t text_job_options(qmState* L, int32_t t, qmTextJob* job, int32_t* wrap);

// The layers' services for text layers and their GetAttribute rows.
void text_install_layer_services();

struct qmTextJob;
struct qmTextLayout;
struct qmBGPic;
struct qmTransformTags;
struct qmDrawTagOptions;

// A TextOut or print job as a new layer of pic (the options, when given, become the layer's); a
// print job's cursor moves behind it.
int32_t text_make_layer(qmState* L, qmBGPic* pic, qmTextJob& job, int32_t kind, bool tags_off,
                        const qmTransformTags* tt, const qmDrawTagOptions* dt);
// The job's lengths at a font's scale: margins, the wrap width, tab stops, the effects' sizes and,
// when asked, the cursor.
void text_scale_job(qmTextJob& job, int32_t kind, double sx, double sy, bool cursor);
// Position specials on one axis (each with its offset of up to 4999).
bool text_is_special_x(int32_t v);
bool text_is_special_y(int32_t v);
// Where an image of width x height lying at (ox, oy) from the text's origin goes: a print job's
// from the line area's edge on the cursor's line; TextOut's at its position, a special resolved
// against the image's size, moved by the anchor when `anchor` (a layer moves itself).
void text_place(const qmTextJob& job, int32_t kind, int32_t width, int32_t height, int32_t ox,
                int32_t oy, double anchor_x, double anchor_y, bool anchor, int64_t* x, int64_t* y);
struct qmLayer;
struct qmLayerState;
struct LayerImage;
struct Rect;
// The border image of a text layer (TEXTOUT, PRINT or TEXTOBJECT) in state t: its image grown by
// `size` pixels on every side as text edges grow (soft through an alpha plane, hard through a
// mask), (w + 2 size + 1) x (h + 2 size + 1) in the colour, at -size from the state's corner
// (*at: size, size and the image's size). ERR_UNSUPPORTEDFEAT for an image without a mask or
// alpha plane; else 0, ERR_MEM or the layer's error.
int32_t text_layer_render(qmState* L, qmLayer* layer, qmLayerState* t, uint32_t colour, int32_t size,
                          LayerImage* out, Rect* at);

// The current display's cursor behind a printed layout.
void text_move_cursor(const qmTextLayout& layout);

}  // namespace qm

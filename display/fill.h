// Gradient and texture fills: reading a gradient record from arguments and option tables, and
// making the pixels of a fill at any size.
#pragma once

#include <cstdint>

#include "gfx/gradient.h"

struct qmState;

namespace qm {

struct qmBitmap;
struct FillOptions;

// The record's defaults: linear, centre 0.5/0.5, balance 0.5, border 0; other fields kept.
void gradient_defaults(qmGradient* g);

// Reads centre, balance, border (radial and conical only) and the colour stops from the table at
// t. With display_keys the keys are "gradientcenterx" ... "gradientcolors", else "centerx" ...
// "colors". 0, ERR_WRONGUSAGE, ERR_INTERNAL, ERR_NUMTABLEARG (naming the key),
// ERR_MISSINGPARAMTR or ERR_TABEXPECTED.
int32_t gradient_read_table(qmState* L, int32_t t, bool display_keys, qmGradient* g);

// A gradient from the arguments of the create commands: style at style_arg, start and end colour
// after it, the angle at angle_arg and the option table at table_arg (both optional).
int32_t gradient_from_args(qmState* L, int32_t style_arg, int32_t angle_arg, int32_t table_arg, qmGradient* g);

// The gradient of a "fillstyle" 2 from the table at t: defaults, then "gradientstyle",
// "gradientstartcolor", "gradientendcolor", "gradientangle" and the keys gradient_read_table
// reads. 0 or its errors.
int32_t gradient_read_fill_keys(qmState* L, int32_t t, qmGradient* g);

// "fillstyle" and its keys ("fillcolor", the gradient keys, "texturebrush", "texturex",
// "texturey") from the table at t. 0 or an error code.
int32_t fill_options_read(qmState* L, int32_t t, FillOptions* fill);

// Draws the gradient over the whole bitmap.
void gradient_fill_bitmap(const qmGradient& g, qmBitmap* bitmap);
}  // namespace qm

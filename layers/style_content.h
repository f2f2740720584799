// The content keys of drawn layers (texts, shapes and paths) in a style table, and the same keys
// in GetLayerStyle's answer.
#pragma once

#include <cstddef>
#include <cstdint>

#include "layers/layer.h"
#include "layers/style_fields.h"

struct qmState;

namespace qm {

// What the content keys of one table make of a drawn layer's content.
struct DrawnContent {
  int32_t type = 0;
  uint32_t colour = 0;
  LayerDrawn drawn;
  int32_t shadow = 0, border = 0;  // the layer's switches after "fontstyle" or "formstyle"
  int32_t width = 0, height = 0;   // the content size
  bool line_points = false;        // LINE end points given: the layer stands at their top-left
  bool vertices = false;           // POLYGON vertices given: "x" and "y" are offset by their corner
  int32_t vertex_x = 0, vertex_y = 0;
  bool cursor = false;  // PRINT cursor keys given
};

// True when the table holds a content key of kind `type`.
bool drawn_content_given(const StyleFields& f, int32_t type);

// Reads the content keys of kind `type` into out, starting from the layer's content, or, when
// type is not the layer's kind, from what the conversion keeps (the mandatory keys of the new kind
// must then be present: ERR_MISSINGPARAMTR). 0 or an error; the layer is not changed.
int32_t drawn_content_keys(qmState* L, const StyleFields& f, const qmLayer* layer, int32_t type,
                           DrawnContent* out);

// Sets a drawn layer's content keys in the table on top of the stack.
void drawn_content_push(qmState* L, const qmLayer* layer);

// Sets key to a list of the count numbers, at indices from 0, in the table on top of the stack.
void table_set_list(qmState* L, const char* key, const double* values, size_t count);

}  // namespace qm

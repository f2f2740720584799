// Single pixels and clearing on the current output: the work of Plot, ReadPixel and Cls.
#pragma once

#include <cstdint>

struct qmState;

namespace qm {

// Sets a pixel; a point outside the output or its clip region, or under a shown sprite's solid
// pixel, is skipped. A colour's transparency t blends it with what is there (on a target with an
// alpha channel the alpha byte becomes 255 - t). ERR_LAYERSUPPORT2 while layers are on.
int32_t draw_plot(qmState* L, int32_t x, int32_t y, uint32_t colour);
// The pixel's 0xRRGGBB value, a mask's 0 or 1, an alpha channel's byte. ERR_PIXELRANGE outside.
int32_t draw_read_pixel(qmState* L, int32_t x, int32_t y, double* out);
// Clears the output: a brush, mask or alpha channel to the colour; a display to its picture's
// clean image (its sprites taken off); with layers on, every layer goes (ERR_REMADLAYER, with
// nothing changed, when an async draw drives one).
int32_t draw_cls(qmState* L, uint32_t colour);

}  // namespace qm

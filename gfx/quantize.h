// Two-pass median-cut colour quantiser: a rectangle of true-colour pixels becomes one palette
// index per pixel and a palette of at most 256 colours.
#pragma once

#include <cstdint>

namespace qm {

// Reduces width x height pixels (rows pixels_per_row x bytes_per_pixel bytes apart, read by the
// pixel format code 0..13) to palette indices written row after row without gaps into `indices`
// and palette words 0xRRGGBB into `palette` (room for 256). `colour_count` holds the number of
// colours wanted on entry and the number of palette words written on return. `transparent` is a
// colour 0xRRGGBB set aside with its own entry, or -1 for none; `reserve` keeps one entry free
// (black); `dither` diffuses the error Floyd-Steinberg style. Returns 1, or 0 when the workspace
// could not be allocated (palette and count then untouched, apart from a count lowered to the
// limit).
int argb_quantize(const void* pixels, int32_t format, int32_t bytes_per_pixel, int32_t width,
                  int32_t height, int32_t pixels_per_row, uint8_t* indices, uint32_t* palette,
                  int32_t* colour_count, int32_t transparent, int32_t reserve, int32_t dither);

}  // namespace qm

// The C interface of the scan converter's drawing module (quillmere-raster.so), which holds the
// player's only use of OpenCV. The module is opened on the first raster, so that a program that
// draws no shapes never maps OpenCV and the libraries it brings along. Nothing C++ crosses this
// interface: the module catches what OpenCV throws and answers with a code.
#pragma once

#include <cstdint>

extern "C" {

// The file name of the module, beside the player.
#define QM_RASTER_MODULE_FILE "quillmere-raster.so"

// Draws into width x height 8-bit coverage, rows bpr bytes apart, in the value 255. The answer is
// 0, -4 when memory ran out or -5 for anything else OpenCV refused.
//
// One closed polygon of count points (x, y pairs in xy): thickness 0 fills it by the even-odd rule,
// its edges drawn first; 1..255 draws its outline. antialias non-zero draws anti-aliased lines,
// else 8-connected ones.
typedef int32_t (*qmRasterPolygonFn)(uint8_t* coverage, int32_t width, int32_t height, int32_t bpr,
                                     const int32_t* xy, int32_t count, int32_t antialias, int32_t thickness);
// One line from (x0, y0) to (x1, y1), thickness 1..255 with round caps.
typedef int32_t (*qmRasterLineFn)(uint8_t* coverage, int32_t width, int32_t height, int32_t bpr, int32_t x0,
                                  int32_t y0, int32_t x1, int32_t y1, int32_t antialias, int32_t thickness);
}

// The step functions of the effect families, which the effect table names by id. Each family
// keeps its step (and its release, when its private state holds more than plain memory) in a file
// of its own in fx/ and declares them here.
#pragma once

#include "fx/fx.h"

namespace qm {

// Stripes: HSTRIPES 0-6 and VSTRIPES 7-13.
int32_t fx_hstripes(qmFXRequest* r, int32_t* done);
int32_t fx_vstripes(qmFXRequest* r, int32_t* done);

// Blinds 14-18 and 19-23, BARS 28, QUARTERS 29 (fx/blinds.cpp).
int32_t fx_hblinds(qmFXRequest* r, int32_t* done);
int32_t fx_vblinds(qmFXRequest* r, int32_t* done);
int32_t fx_bars(qmFXRequest* r, int32_t* done);
int32_t fx_quarters(qmFXRequest* r, int32_t* done);

// Curtains 24-27 (fx/curtains.cpp).
int32_t fx_vopencurtain(qmFXRequest* r, int32_t* done);
int32_t fx_vclosecurtain(qmFXRequest* r, int32_t* done);
int32_t fx_hopencurtain(qmFXRequest* r, int32_t* done);
int32_t fx_hclosecurtain(qmFXRequest* r, int32_t* done);

// Reveals 30-33 (fx/reveals.cpp).
int32_t fx_revealleft(qmFXRequest* r, int32_t* done);
int32_t fx_revealright(qmFXRequest* r, int32_t* done);
int32_t fx_revealtop(qmFXRequest* r, int32_t* done);
int32_t fx_revealbottom(qmFXRequest* r, int32_t* done);

// Lines 34-37 (fx/lines.cpp).
int32_t fx_vlines2(qmFXRequest* r, int32_t* done);
int32_t fx_hlines2(qmFXRequest* r, int32_t* done);
int32_t fx_hlines(qmFXRequest* r, int32_t* done);
int32_t fx_vlines(qmFXRequest* r, int32_t* done);

// RECT 38-46 and RECTBACK 88-96 (fx/rects.cpp).
int32_t fx_rect_step(qmFXRequest* r, int32_t* done);
int32_t fx_rectback_step(qmFXRequest* r, int32_t* done);

// PUZZLE 82, DIAGONAL 83, QUADRECT 107, HSPLIT and VSPLIT 108-109, UPNDOWN 110 (fx/pieces.cpp).
int32_t fx_puzzle_step(qmFXRequest* r, int32_t* done);
void fx_puzzle_free(qmFXRequest* r);
int32_t fx_diagonal_step(qmFXRequest* r, int32_t* done);
int32_t fx_quadrect_step(qmFXRequest* r, int32_t* done);
int32_t fx_split_step(qmFXRequest* r, int32_t* done);
int32_t fx_upndown_step(qmFXRequest* r, int32_t* done);
// PUZZLE's order of n pieces from drand48: a permutation of 0..n-1. 0 or ERR_MEM.
int32_t fx_puzzle_order(int32_t* order, int32_t n);

// SPIRAL 105 and SWISS 106 (fx/spiral.cpp).
int32_t fx_spiral_step(qmFXRequest* r, int32_t* done);
int32_t fx_swiss_step(qmFXRequest* r, int32_t* done);
// SPIRAL's frame total over a w x h picture at step pixels a frame.
int32_t fx_spiral_frames(int32_t w, int32_t h, int32_t step);

}  // namespace qm

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

// SCROLL 47-54 (fx/scroll.cpp).
int32_t fx_scroll_step(qmFXRequest* r, int32_t* done);
void fx_scroll_free(qmFXRequest* r);

// STRETCH and ZOOM 55-69, ZOOMIN and ZOOMOUT 118-119, the strange pushes 99-100 (fx/zoom.cpp).
int32_t fx_stretch_step(qmFXRequest* r, int32_t* done);
void fx_stretch_free(qmFXRequest* r);
int32_t fx_zoominout_step(qmFXRequest* r, int32_t* done);
int32_t fx_strangepush_step(qmFXRequest* r, int32_t* done);
void fx_strangepush_free(qmFXRequest* r);

// The flows 70-73 (fx/flows.cpp).
int32_t fx_flow_step(qmFXRequest* r, int32_t* done);
void fx_flow_free(qmFXRequest* r);

// PUSH 78-81, the gates 74-77, SLIDE 101-104 and CARD 111-112 (fx/push.cpp).
int32_t fx_push_step(qmFXRequest* r, int32_t* done);
int32_t fx_opengate_step(qmFXRequest* r, int32_t* done);
int32_t fx_closegate_step(qmFXRequest* r, int32_t* done);
int32_t fx_slide_step(qmFXRequest* r, int32_t* done);
int32_t fx_card_step(qmFXRequest* r, int32_t* done);

// TURNDOWN 128-131 (fx/turndown.cpp).
int32_t fx_turndown_step(qmFXRequest* r, int32_t* done);

// SPIRAL 105 and SWISS 106 (fx/spiral.cpp).
int32_t fx_spiral_step(qmFXRequest* r, int32_t* done);
int32_t fx_swiss_step(qmFXRequest* r, int32_t* done);
// SPIRAL's frame total over a w x h picture at step pixels a frame.
int32_t fx_spiral_frames(int32_t w, int32_t h, int32_t step);

// DISSOLVE 139, STRUDEL 138, PIXELZOOM1 and PIXELZOOM2 132-133 (fx/pixels.cpp).
int32_t fx_dissolve(qmFXRequest* r, int32_t* done);
void fx_dissolve_free(qmFXRequest* r);
int32_t fx_strudel(qmFXRequest* r, int32_t* done);
void fx_strudel_free(qmFXRequest* r);
int32_t fx_pixelzoom(qmFXRequest* r, int32_t* done);
void fx_pixelzoom_free(qmFXRequest* r);

// Coin flips 124-127 and crushes 120-123 (fx/coins.cpp).
int32_t fx_coinflip(qmFXRequest* r, int32_t* done);
int32_t fx_crush(qmFXRequest* r, int32_t* done);

// CLOCKWIPE 97, STAR 98, SUN 114 (fx/polygons.cpp).
int32_t fx_clockwipe(qmFXRequest* r, int32_t* done);
void fx_clockwipe_free(qmFXRequest* r);
int32_t fx_star(qmFXRequest* r, int32_t* done);
void fx_star_free(qmFXRequest* r);
int32_t fx_sun(qmFXRequest* r, int32_t* done);
void fx_sun_free(qmFXRequest* r);

// CROSSFADE 115, FADE and BLEND 116-117, WATER1-4 134-137 (fx/fades.cpp).
int32_t fx_crossfade(qmFXRequest* r, int32_t* done);
void fx_crossfade_free(qmFXRequest* r);
int32_t fx_fade(qmFXRequest* r, int32_t* done);
void fx_fade_free(qmFXRequest* r);
int32_t fx_water(qmFXRequest* r, int32_t* done);
void fx_water_free(qmFXRequest* r);

// ROLLTOP, ROLLLEFT, WALLPAPERTOP, WALLPAPERLEFT 84-87 (fx/rolls.cpp).
int32_t fx_roll(qmFXRequest* r, int32_t* done);
void fx_roll_free(qmFXRequest* r);

}  // namespace qm

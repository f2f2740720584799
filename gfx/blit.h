// The blit layer: SAFEBLT, the one road by which drawing reaches the current output, and the
// refresh request that puts a changed rectangle on the window. The services it calls and the
// records it reads are in gfx/blitservices.h.
#pragma once

#include <cstdint>

#include "gfx/bitmap.h"
#include "gfx/blitservices.h"

namespace qm {

// SAFEBLT flags.
enum : int32_t {
  BLIT_NOCLIP = 1,      // ignore the clip region
  BLIT_INTERNAL = 2,    // no sprite pass
  BLIT_FRONT = 4,       // no destination: draw into the front bitmap while layers are off
  BLIT_REDRAW = 8,      // layers on, no destination: recompose into the back bitmap, present it
  BLIT_DESTONLY = 16,   // the destination bitmap only: no planes kept, nothing presented
  BLIT_NOPRESENT = 32,  // draw into the front bitmap without presenting it
  BLIT_ALWAYSFRONT = 64,
};

// Puts the w x h rectangle of source at (sx, sy) onto dest at (dx, dy), or onto the current
// output when dest is nullptr. source_w/h bound the source rectangle, dest_w/h the destination
// (always intersected with a clip region). Returns the current output (nullptr when there was
// none); never raises.
qmBlitOutput* SAFEBLT(qmState* state, const qmBitmap* source, int32_t sx, int32_t sy,
                      qmBitmap* dest, int32_t dx, int32_t dy, int32_t w, int32_t h,
                      int32_t source_w, int32_t source_h, int32_t dest_w, int32_t dest_h,
                      int32_t flags, const qmMask* source_mask, const qmAlphaChannel* source_alpha,
                      const qmClipRegion* clip);

// A rectangle of a source bitmap, drawn by SAFEBLT_RECTS at its own place plus an offset.
struct BlitRect {
  int32_t x, y, width, height;
};

// SAFEBLT of n rectangles of one source, each drawn at its own place shifted by (dx, dy), all
// with the same bounds, flags and source planes and no clip region: the same pixels in the output
// and on the window as one SAFEBLT a rectangle, in any order (a pixel comes from one place of the
// source whichever rectangles hold it). A plain source drawn into the front bitmap of an unscaled
// display without layers or sprites goes over the rows once, each row through every rectangle
// on it, and the window gets each band of rows where the same rectangles lie once; rectangles
// less than a cache line apart go as one, since the window shows the front bitmap between them.
// Thin rectangles down a picture, drawn one by one, would walk it a column at a time.
void SAFEBLT_RECTS(qmState* state, const qmBitmap* source, const BlitRect* rects, size_t n, int32_t dx,
                   int32_t dy, int32_t source_w, int32_t source_h, int32_t dest_w, int32_t dest_h, int32_t flags,
                   const qmMask* source_mask, const qmAlphaChannel* source_alpha);

// SAFEBLT of a nearest-neighbour scaled copy (bitmap_draw's) of the source rectangle (sx, sy, sw,
// sh) drawn at (dx, dy) as dw x dh, without planes or clip region: where SAFEBLT_RECTS would draw
// straight into the display's front bitmap, the copy is scaled there, the part within the bounds
// only, and that part presented. false, with nothing drawn, for any other output (the caller
// scales into a bitmap and draws that) or a rectangle outside the source.
bool SAFEBLT_SCALED(qmState* state, const qmBitmap* source, int32_t sx, int32_t sy, int32_t sw, int32_t sh,
                    int32_t dx, int32_t dy, int32_t dw, int32_t dh, int32_t dest_w, int32_t dest_h, int32_t flags);
// Whether SAFEBLT_SCALED draws into the current output with these flags, for a source of 4-byte
// pixels other than the output's own bitmaps.
bool blit_scales_directly(int32_t flags);

// The clipping of SAFEBLT on its own: moves the rectangle inside the source bounds and inside
// the destination bounds (and the region, when use_clip and a region are given). False when
// nothing is left to draw.
bool blit_clip_rects(const qmClipRegion* clip, int32_t* sx, int32_t* sy, int32_t* dx, int32_t* dy,
                     int32_t* w, int32_t* h, int32_t source_w, int32_t source_h, int32_t dest_w,
                     int32_t dest_h, bool use_clip);

// Hands a changed rectangle of bitmap to the output's window. Flags: 1 whole bitmap scaled on a
// scaled display; 2 and 4 bypass a capturing recording; the rest pass to the window blit.
void display_present_rect(const qmBitmap* bitmap, int32_t sx, int32_t sy, qmBlitOutput* output,
                          int32_t dx, int32_t dy, int32_t w, int32_t h, int32_t flags);

// Shows a whole display again: borders, then the double-buffer refresh or the recomposed picture.
void display_refresh_whole(qmState* state, qmBlitOutput* output, int32_t flags);

// Per channel a + (((b - a) * f) >> 8), f from 0 (a) to 256 (b).
uint32_t rgb_blend(uint32_t a, uint32_t b, int32_t f);

// The platform's accelerated-drawing hooks: the flush after effect polygons and text runs, and the
// capability bits. This platform draws everything in memory: nothing to flush, no capabilities.
inline void qmos_gfx_flush() {}
inline int32_t qmos_gfx_caps() { return 0; }

// Frees the grow-only scratch buffer of the clip-region planes (exit).
void blit_free_scratch();

}  // namespace qm

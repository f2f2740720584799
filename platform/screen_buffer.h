// A window's screen buffer: the content-sized picture that the window shows, as 0x00RRGGBB words,
// and the rectangles changed since the last present. Drawing to the screen writes here; presenting
// copies the changed rectangles to the window's surface, scaled into a letterbox for full-screen
// windows whose desktop is larger than the buffer. Everything is clipped to the buffer and to the
// source bitmap, so callers may pass any rectangle.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "gfx/bitmap.h"

struct SDL_Surface;
struct SDL_Rect;

struct qmScreenRect {
  int32_t x, y, w, h;
};

struct qmFreePixels {
  void operator()(uint32_t* p) const { std::free(p); }
};

// The pixels live in the buffer's own storage, or, while the window surface has the buffer's size
// and format, in the surface itself, so that presenting needs no copy (screen_attach). The own
// storage comes cleared from calloc: a fresh buffer's pages come in only where it is drawn.
struct qmScreenBuffer {
  int32_t width = 0;
  int32_t height = 0;
  uint32_t* data = nullptr;         // row y starts at data + y * stride
  int32_t stride = 0;               // words per row
  std::unique_ptr<uint32_t, qmFreePixels> own;  // the storage while not attached
  std::vector<qmScreenRect> dirty;  // clipped and non-empty; collapses to one box when long

  qmScreenBuffer() = default;
  qmScreenBuffer(const qmScreenBuffer&) = delete;
  qmScreenBuffer& operator=(const qmScreenBuffer&) = delete;
  qmScreenBuffer(qmScreenBuffer&&) = default;
  qmScreenBuffer& operator=(qmScreenBuffer&&) = default;
  uint32_t* row(int32_t y) const { return data + size_t(y) * size_t(stride); }
  bool attached() const { return data && data != own.get(); }
};

// Where a buffer lands on a larger surface: the largest centred rectangle of the buffer's aspect.
struct qmLetterbox {
  int32_t x, y, w, h;
};

// Resizes the buffer, keeping the pixels that stay inside; new pixels are black. The whole
// buffer becomes dirty. It is detached first. false beyond the picture size cap or when memory
// runs out (the buffer is then unchanged).
bool screen_resize(qmScreenBuffer& s, int32_t width, int32_t height);
// Moves the pixels into width x height words of outside memory (a window surface of the buffer's
// size) and draws there from now on; detach copies them back into the buffer's own storage and
// must come before that memory goes away. false when memory runs out. Rows of the own storage
// that were never drawn are written black, without bringing their pages in.
void screen_attach(qmScreenBuffer& s, uint32_t* pixels, int32_t stride);
bool screen_detach(qmScreenBuffer& s);
void screen_mark(qmScreenBuffer& s, int32_t x, int32_t y, int32_t w, int32_t h);
void screen_mark_all(qmScreenBuffer& s);

// Copies a bitmap rectangle (0xBBGGRR00 pixels) unscaled to (dx, dy).
void screen_blit(qmScreenBuffer& s, const qm::qmBitmap* src, int32_t sx, int32_t sy, int32_t dx,
                 int32_t dy, int32_t w, int32_t h);
// Copies bitmap rectangles that do not overlap one another, each to its own place moved by
// (dx, dy). Into a buffer with nothing dirty they become the dirty list as they are, without the
// search for rectangles that hold one another.
void screen_blit_rects(qmScreenBuffer& s, const qm::qmBitmap* src, const qmScreenRect* rects, size_t n,
                       int32_t dx, int32_t dy);
// Draws the bitmap rectangle (sx, sy, w, h) scaled to (dx, dy, dw, dh), nearest neighbour.
// Destination pixels whose source pixel lies outside the bitmap are left alone.
void screen_blit_scaled(qmScreenBuffer& s, const qm::qmBitmap* src, int32_t sx, int32_t sy,
                        int32_t w, int32_t h, int32_t dx, int32_t dy, int32_t dw, int32_t dh);
void screen_fill(qmScreenBuffer& s, int32_t x, int32_t y, int32_t w, int32_t h, uint32_t colour);
void screen_plot(qmScreenBuffer& s, int32_t x, int32_t y, uint32_t colour);
// A one-pixel line that includes both ends.
void screen_line(qmScreenBuffer& s, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                 uint32_t colour);

// Copies the dirty rectangles to the surface at (0, 0) (nothing to copy while attached to it) and
// forgets them; the surface rectangles written are appended to rects. With full, the whole surface is written (black outside the
// buffer).
void screen_present(qmScreenBuffer& s, SDL_Surface* surface, bool full,
                    std::vector<SDL_Rect>* rects);

qmLetterbox letterbox_fit(int32_t buffer_w, int32_t buffer_h, int32_t surface_w,
                          int32_t surface_h);
// The same as screen_present, scaled into the letterbox; full also paints the bars black.
void screen_present_letterboxed(qmScreenBuffer& s, SDL_Surface* surface, const qmLetterbox& box,
                                bool full, std::vector<SDL_Rect>* rects);
// Maps a surface point back to buffer coordinates (the pixel shown there); false on the bars.
bool letterbox_map_point(const qmLetterbox& box, int32_t buffer_w, int32_t buffer_h, int32_t x,
                         int32_t y, int32_t* out_x, int32_t* out_y);

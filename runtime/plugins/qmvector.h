/* Vector-graphics plug-ins (QMPLUGIN_CAP_VECTOR): the operation buffer of a path and the blocks
 * that the player hands to GetPathExtents, DrawPath, TranslatePath and GetCurrentPoint.
 *
 * The operation buffer is a run of 32-bit words in the host's byte order: each operation is an
 * opcode word and its operands, and a 0 word ends the buffer. Operands are integers (one signed
 * word), handles (one word), reals (a double in 8 bytes starting at any multiple of 4, so read and
 * written with memcpy) and texts (the bytes and their zero in qmvec_text_room(length) bytes). The
 * player zero-fills every buffer, so no byte of one is ever undefined.
 *
 *   QMVEC_OP_MOVE, QMVEC_OP_LINE   integer relative (0 absolute, 1 from the current point), x, y
 *   QMVEC_OP_CURVE                 integer relative, x1, y1, x2, y2, x3, y3: a cubic curve
 *   QMVEC_OP_NEWSUBPATH            none
 *   QMVEC_OP_CLOSE                 none: closes the current sub-path
 *   QMVEC_OP_ARC                   centre x, y, radius x, y, start and end angle in degrees (0 points
 *                                  right, angles grow clockwise on the screen), integer clockwise
 *   QMVEC_OP_BOX                   x, y, width, height, integers corner a, b, c, d (round levels in
 *                                  percent of half the shorter side: top-left, bottom-left,
 *                                  bottom-right, top-right)
 *   QMVEC_OP_TEXT                  handle (a vector font), integer size in pixels, UTF-8 text; the
 *                                  glyphs stand on the baseline at the current point
 * Coordinates are pixels: x grows to the right, y downwards. A relative operation without a current
 * point counts from (0, 0).
 *
 * Every block opens with its size in bytes (the sizeof of the record as defined here), so that a
 * later layout can be told apart. Pointers are pointers and numbers 32-bit. */
#ifndef QUILLMERE_QMVECTOR_H
#define QUILLMERE_QMVECTOR_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define QMVEC_OP_END 0
#define QMVEC_OP_MOVE 1
#define QMVEC_OP_LINE 2
#define QMVEC_OP_CURVE 3
#define QMVEC_OP_NEWSUBPATH 5
#define QMVEC_OP_CLOSE 6
#define QMVEC_OP_ARC 7
#define QMVEC_OP_BOX 8
#define QMVEC_OP_TEXT 9

/* Line joins, caps and fill rules as the stroke block carries them. */
#define QMVEC_JOIN_MITER 0
#define QMVEC_JOIN_ROUND 1
#define QMVEC_JOIN_BEVEL 2
#define QMVEC_CAP_BUTT 0
#define QMVEC_CAP_ROUND 1
#define QMVEC_CAP_SQUARE 2
#define QMVEC_FILL_WINDING 0
#define QMVEC_FILL_EVENODD 1

/* The bytes a text operand of length bytes takes: its bytes and the zero, in whole words. */
static inline size_t qmvec_text_room(size_t length) { return 4 * (length / 4 + 1); }

/* How outlines are stroked and filled. */
typedef struct qmVecStroke {
  uint32_t size; /* sizeof(qmVecStroke) */
  int32_t line_join;
  int32_t line_cap;
  int32_t fill_rule;
  int32_t antialias; /* 1: anti-aliased coverage */
  double dash_offset;
  const double* dashes; /* dash_count lengths; none: solid lines */
  int32_t dash_count;
} qmVecStroke;

/* GetPathExtents: the caller fills the fields up to y; the plug-in writes left to bottom, all 0
 * when there is nothing to measure or the path cannot be measured. filled 2 asks for any box that
 * holds the filled area's coverage, quickly: a plug-in may answer it as 1. */
#define QMVEC_EXTENTS_STROKED 0
#define QMVEC_EXTENTS_FILLED 1
#define QMVEC_EXTENTS_FILL_BOUND 2
typedef struct qmVecExtents {
  uint32_t size; /* sizeof(qmVecExtents) */
  const void* ops;
  const qmVecStroke* stroke;
  int32_t filled;     /* QMVEC_EXTENTS_: 1 the filled area, 0 the stroked outline, 2 a bound */
  int32_t line_width; /* pixels */
  double x, y;        /* added to every coordinate */
  double left, top, right, bottom;
} qmVecExtents;

/* DrawPath: coverage of the path, filled or stroked, into an 8-bit plane whose bytes start at 0.
 * A path point p lands on the plane at T(p + (x, y) - (origin_x, origin_y)), where T is the affine
 * transform {xx, yx, xy, yy, x0, y0}: x' = xx u + xy v + x0, y' = yx u + yy v + y0. The plane is
 * covered with the colour's opacity (its top byte is a transparency, 0 opaque). The result is
 * non-zero on success; 0 when the path cannot be drawn, and the plane is then as it was. */
typedef struct qmVecRender {
  uint32_t size; /* sizeof(qmVecRender) */
  const void* ops;
  const qmVecStroke* stroke; /* points at stroke_block */
  int32_t filled;
  int32_t line_width;
  uint32_t colour;
  uint8_t* plane;
  int32_t bytes_per_row; /* a multiple of 4 */
  int32_t width, height;
  int32_t reserved;
  double x, y;
  double origin_x, origin_y;
  const double* transform; /* six doubles as above */
  qmVecStroke stroke_block;
} qmVecRender;

/* TranslatePath: every coordinate of the buffer moved by (x, y), in place. */
typedef struct qmVecTranslate {
  uint32_t size; /* sizeof(qmVecTranslate) */
  void* ops;
  double x, y;
} qmVecTranslate;

typedef int32_t (*qmVecGetPathExtentsFn)(qmVecExtents* block);
typedef int32_t (*qmVecDrawPathFn)(qmVecRender* block);
typedef int32_t (*qmVecTranslatePathFn)(qmVecTranslate* block);
/* The current point after the whole path, (0, 0) when there is none. */
typedef int32_t (*qmVecGetCurrentPointFn)(const void* ops, const qmVecStroke* stroke, double* x, double* y);
/* A vector font over a FreeType face (an FT_Face) that the player opened for it alone and closes
 * after FreeVectorFont: the plug-in may set sizes and transforms on it. The handle is the word that
 * text operations carry; 0 when no font can be made. */
typedef uint32_t (*qmVecCreateVectorFontFn)(void* face);
typedef void (*qmVecFreeVectorFontFn)(uint32_t handle);

#ifdef __cplusplus
}
#endif

#endif

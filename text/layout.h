// Laying out and drawing a text. A text job holds everything needed to render a text again: its
// text, style, alignment, line area and tab stops, and the lines it broke into. text_render turns a
// job into one image: it reads the inline tags, cuts the text into runs of one style, breaks
// lines (newlines, word wrap, a word-wrap table, tab stops) and hands the runs to the glyph-run
// frame, which composes a bitmap with a 1-bit mask or an 8-bit alpha plane. The image is then
// drawn onto the current output, or becomes a layer while the display has layers, or goes back
// to the caller.
//
// Inline tags (unless the caller turns them off): "[b]", "[i]", "[u]" and their closing forms,
// "[color=C]", "[shadow=C,D,DIR]", "[edge=C,S]" and "[/color]", "[/shadow]", "[/edge]"; values
// are numbers ("$FF", "%101", "0x1F", "12") or constants ("#RED"). "[[" and "]]" stand for the
// brackets themselves, also with tags off.
//
// The glyph-run frame (text_render_runs and below) is where the text effects draw: each run is
// rendered into its own coverage image before it is put into the block, so that a run can be
// drawn again at an offset or spread (shadows, edges).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "layers/geometry.h"
#include "text/text.h"

struct qmState;

namespace qm {

struct qmBitmap;
struct qmMask;
struct qmAlphaChannel;
struct qmTransformTags;
struct qmDrawTagOptions;

// A measured piece of text: the font's extent, the width the glyphs need (the larger of the ink's
// right edge + 1 and the advance) and the room that an edge and a shadow add on each side (top
// and left zero or negative, bottom and right zero or positive).
struct qmTextExtent {
  int32_t advance = 0, height = 0;
  int32_t ink_left = 0, ink_top = 0, ink_right = 0, ink_bottom = 0;
  int32_t needed = 0;
  int32_t extra_top = 0, extra_bottom = 0, extra_left = 0, extra_right = 0;
};
// The one measuring primitive of TextWidth, TextExtent, the layout and the frame. 0 or the font
// driver's error.
int32_t text_measure_line(const char* text, size_t length, int32_t encoding,
                          const qmTextStyle& style, qmTextExtent* out);
// How many measures went to the font driver since the start (tests).
int64_t text_measure_count();

// Alignments (the position specials of the same names); LEFT is kTextAlignLeft.
inline constexpr int32_t kTextAlignCenter = -100000;
inline constexpr int32_t kTextAlignRight = -80000;

// Kinds of job (the layer types of their layers).
enum : int32_t { TEXTKIND_OBJECT = 8, TEXTKIND_TEXTOUT = 9, TEXTKIND_PRINT = 11 };
// Flags of a render: the content of a layer only (nothing drawn, the cursor stays); a render
// again of a kept job (its word breaks and tab choices replayed, so its lines come out as
// before); the cursor fields scaled with the transform.
enum : int32_t { TEXTRENDER_CONTENT = 8, TEXTRENDER_AGAIN = 16, TEXTRENDER_SCALECURSOR = 64 };

struct qmTextJob {
  int32_t x = 0, y = 0;  // TextOut: the position (specials allowed)
  qmTextStyle style;
  std::string text;
  int32_t align = kTextAlignLeft;  // LEFT, CENTER or RIGHT
  // A print job: the display's cursor and margins. TextOut: right_margin is the word-wrap width
  // (0: none).
  int32_t cursor_x = 0, cursor_y = 0, left_margin = 0, right_margin = 0;
  std::vector<int32_t> tabs;  // ascending; print jobs only
  // The numbers of the words that begin a new line: a word-wrap table given by the script, or
  // what a render recorded (and a render again replays).
  std::vector<int32_t> word_breaks;
  bool wrap_table = false;
  // Per tab character, the index of the stop it jumped to, or -1 for a jump to a new line.
  std::vector<int32_t> tab_choices;
  int32_t encoding = TEXTENCODING_LATIN1;
};

// An image made by the frame, and where it lies against the text's origin (the line area's left
// edge and the first line's top).
struct qmTextImage {
  qmBitmap* bitmap = nullptr;
  qmMask* mask = nullptr;
  qmAlphaChannel* alpha = nullptr;
  int32_t width = 0, height = 0;
  int32_t x = 0, y = 0;
  qmTextImage() = default;
  qmTextImage(const qmTextImage&) = delete;
  qmTextImage& operator=(const qmTextImage&) = delete;
  qmTextImage(qmTextImage&& other) noexcept { *this = static_cast<qmTextImage&&>(other); }
  qmTextImage& operator=(qmTextImage&& other) noexcept;
  ~qmTextImage() { free(); }
  void free();
  // Hands the planes over (the record forgets them).
  void release() { bitmap = nullptr, mask = nullptr, alpha = nullptr; }
};

// One run: characters of one style on one line, at x (from the line area's left edge) and y (the
// top of its line).
struct qmTextRun {
  size_t start = 0, length = 0;  // in the laid-out characters
  int32_t x = 0, y = 0;
  int32_t line = 0;
  qmTextExtent extent;
  qmTextStyle style;
};

// A laid-out text: its characters after the tags, its runs in text order, and where it ended.
struct qmTextLayout {
  std::string chars;
  std::vector<qmTextRun> runs;
  int32_t lines = 1;
  int32_t line_height = 0;
  int32_t start_x = 0;     // where the first line begins in the line area
  int32_t end_x = 0;       // where the text ended on its last line
  int32_t area_width = 0;  // the word-wrap width (0: none)
};

// Lays the job out (its style's font at its current scale). Fills the job's word breaks and tab
// choices unless `again` replays them. 0 or ERR_UNKTEXTFMT, ERR_TEXTSYNTAX, ERR_TEXTARG,
// ERR_VALUEEXPECTED, ERR_SQBRACKETCLOSE, ERR_WRONGUSAGE (tag values), a constant look-up's
// error, ERR_MEM or the font driver's.
int32_t text_layout(qmState* L, qmTextJob& job, int32_t kind, bool tags_off, bool again,
                    qmTextLayout* out);

// Renders the job into an image (no drawing): the layout and the frame. For kind 8 and content
// passes. Resets the font's scale on every exit.
int32_t text_render_image(qmState* L, qmTextJob& job, int32_t kind, bool tags_off, int32_t flags,
                          qmTextImage* out);

// Renders a copy of the job into an image through a matrix ({a, b, c, d}: x' = a x + c y,
// y' = b x + d y): a scalable font is laid out at the matrix's scales, and what remains (a turn or
// mirror, or the whole matrix for a font that cannot scale) turns the composed image, smoothly when
// asked. The font's scale is back at 1.0 on every exit. 0 or an error, *out unchanged then.
int32_t text_render_image_transformed(qmState* L, qmTextJob job, int32_t kind, int32_t flags,
                                      const double matrix[4], bool smooth, qmTextImage* out);

// The whole render of a TextOut or print job: the direct path for simple texts, else the layout;
// then drawn onto the current output with the options' transform, filters, tint and
// transparency, or made a layer while the display has layers (the options then become the
// layer's). A print job moves the display's cursor behind the text. tt and dt may be null (no
// options). 0 or an error, with nothing drawn and the cursor unmoved.
int32_t text_render(qmState* L, qmTextJob& job, int32_t kind, bool tags_off,
                    const qmTransformTags* tt, const qmDrawTagOptions* dt, int32_t flags);

// Prints at the current display's cursor with the current style, margins and tab stops.
int32_t text_print(qmState* L, const char* text, size_t length, bool tags_off);

// Tests: every render takes the general path (the direct path's result must equal it).
void text_force_general_path(bool on);

// ---- The glyph-run frame --------------------------------------------------------------------

// A laid-out text placed as one block: its runs moved to their aligned places, and the block's
// rectangle against the text origin. Run x and y here are from the block's top left corner.
struct qmTextBlock {
  std::string chars;  // the laid-out characters that the runs point into
  std::vector<qmTextRun> runs;
  int32_t x = 0, y = 0;  // the block's corner against the text origin
  int32_t width = 1, height = 1;
  int32_t line_height = 0;
  qmFont* font = nullptr;
  int32_t encoding = TEXTENCODING_LATIN1;
};

// The block geometry: with every run on the first line the block begins at the first character,
// else at the line area's left edge; it reaches over every run's ink, needed width and effects.
// Lines are aligned on the widest one (CENTER, RIGHT); with a word-wrap width the block is no
// wider than what remains of the line area. An empty layout gives a 1-pixel-wide block of the
// font's height.
void text_block_geometry(const qmTextLayout& layout, const qmTextJob& job, qmTextBlock* out);

// Composes the part of the block inside the window (block coordinates; the whole block when
// null): a bitmap, and an 8-bit alpha plane when the text is anti-aliased or a colour in use
// carries a transparency, else a 1-bit mask. out->x, out->y get the window's corner against the
// text origin. 0, ERR_MEM or the font driver's error.
int32_t text_block_compose(const qmTextBlock& block, const Rect* window, qmTextImage* out);

// Both steps for a whole layout.
int32_t text_render_runs(const qmTextLayout& layout, const qmTextJob& job, qmTextImage* out);

// Draws the 1-bit glyph shape (w x h at sx, sy of glyph) in colour into target at (x, y) and
// marks the covered pixels: 255 - the colour's top byte into target_alpha when there is one,
// else the bits of target_mask. Clipped against the glyph's and the target's sizes; negative
// positions move the glyph's start.
void text_glyph_blit(qmBitmap* target, int32_t sx, int32_t sy, const qmMask* glyph, int32_t glyph_w,
                     int32_t glyph_h, qmMask* target_mask, qmAlphaChannel* target_alpha, int32_t x,
                     int32_t y, int32_t w, int32_t h, uint32_t colour);

// The direct path: lines cut at newlines, one run each, without tags, tabs or wrap, all in the
// style's colour. Same image as the general path gives for such a text.
int32_t text_draw_native(const qmTextJob& job, int32_t kind, qmTextLayout* layout,
                         qmTextImage* out);

// Applies a transform matrix to a composed image (smoothly when asked); the image's offset moves
// with the matrix about the image's top left corner. A pure positive scale of a scalable font was
// already laid out at the scaled size and needs nothing. 0 or ERR_MEM.
int32_t text_transform_image(const double matrix[4], bool smooth, qmTextImage* image);

}  // namespace qm

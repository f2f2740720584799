// The inbuilt font engine (kind 4): TrueType and OpenType faces through FreeType, opened from a
// file, from a font linked into the applet, or from the three Bitstream Vera faces held inside the
// player. A font of size s is set up so that the glyphs of codes 33..255, measured at 100 points,
// fill s pixels from the highest top to the lowest bottom; its line height is s.
//
// Glyphs are loaded without the auto-hinter and rendered in FreeType's normal (antialiased) or mono
// mode; bold and italic are FreeType's emboldening and slanting. With the open's cache flag, plain
// glyphs of codes below 256 are rendered once per font and kind (antialiased or mono). A glyph
// whose image would pass the picture cap is skipped.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "text/font.h"

typedef struct FT_LibraryRec_* FT_Library;
typedef struct FT_FaceRec_* FT_Face;

// The one FreeType library of the player. ttf_init: 0 or ERR_MEM.
int32_t ttf_init();
void ttf_shutdown();
FT_Library ttf_library();

// A face held inside the player: family name and data.
struct qmEmbeddedFace {
  const char* family;
  const uint8_t* data;
  size_t size;
};
// Sans, Serif, Sans Mono.
inline constexpr int kEmbeddedFaceCount = 3;
const qmEmbeddedFace* ttf_embedded_faces();

// Opens name at a pixel size 1..32767: an embedded family (any case), a ".ttf" or ".otf" path, a
// ":::chunk" virtual file, or a face found by full name in the font folders. flags: 1 caches
// glyphs. 1 on success, 0 on any failure (nothing kept).
int32_t ttf_open(const char* name, int32_t size, int32_t flags, qmFont* font);
void ttf_close(qmFont* font);
// Drops the glyph caches, scales the glyphs and advances by x and y, and sets the baseline again
// for the scaled height.
void ttf_set_scale(qmFont* font, double x, double y);
int32_t ttf_render(qmFont* font, const qmFontTarget& target, int32_t x, int32_t y,
                   const uint32_t* codes, size_t count, int32_t style, const qmClipRect& clip,
                   int32_t mode);
void ttf_measure(qmFont* font, const uint32_t* codes, size_t count, int32_t style,
                 qmFontExtent* out);
// The unfitted kerning of a two-character text in whole pixels (0 without a kerning table).
int32_t ttf_kerning(qmFont* font, const uint32_t* codes, size_t count);
void ttf_free_glyph_cache(qmFont* font);

// A second face of an inbuilt font, on the same data, for a user that sets its own sizes and
// transforms (the vector paths' outlines); null when it cannot be opened. Closed by
// ttf_close_face_copy, before FreeType stops.
FT_Face ttf_open_face_copy(const qmFont* font);
void ttf_close_face_copy(FT_Face face);

// What tests compare against FreeType's own rendering: the pixel size the face is set to, the file
// and face index a face was read from (false for an embedded face), and the count of glyph loads
// since the start.
int32_t ttf_pixel_size(const qmFont* font);
bool ttf_font_source(const qmFont* font, std::string* path, int32_t* index);
uint64_t ttf_glyph_loads();

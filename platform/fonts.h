// The platform's own font engine (fonts of the native engine that no bitmap font file serves):
// fonts found through fontconfig by full name, then by family, or read from font data linked into
// the applet, opened with FreeType and rasterised into a 1-bit mask, an 8-bit plane or a bitmap.
// Bold, italic and underline are synthesised; kerning comes from the face's kerning table.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "text/font.h"

typedef struct FT_LibraryRec_* FT_Library;

// The FreeType library the engine opens its faces with. The font driver owns it and hands it over
// at its start (null at its end); without one no platform font opens.
void platform_font_set_library(FT_Library library);

// Opens the font at a pixel height and fills the record (kind 3). 1 on success, 0 on failure.
// A name beginning with ":::chunk" is font data linked into the applet, read through the reader
// installed below; its face's own name becomes the record's name.
int32_t platform_font_open(const char* name, int32_t pixel_height, const void* unused, qmFont* font);
void platform_font_close(qmFont* font);
// 0, ERR_INTERNAL (16384 bytes or more), ERR_TEXTCONVERT or ERR_ATSUI.
int32_t platform_font_measure(qmFont* font, const char* text, size_t length, int32_t style, int32_t utf8,
                              qmFontExtent* out);

// Draws the text with the top of its line at (x, y): colour -1 draws coverage into the target's
// plane (a mask of whole bits, or the 8-bit plane when antialiased); a colour blends it onto the
// bitmap. A text without ink draws nothing. 0 or the codes of measuring, ERR_MEM for the coverage
// buffer.
int32_t platform_font_render(qmFont* font, const qmFontTarget& target, int32_t x, int32_t y, const char* text,
                             size_t length, int32_t style, int32_t utf8, const qmClipRect& clip,
                             int32_t colour);
// The file and face index a font opened by name was read from (tests compare them with
// fontconfig's choice); false for linked font data.
bool platform_font_source(const qmFont* font, std::string* file, int32_t* index);
// Kerning in pixels between the two characters of a two-character text (0 when the face has none).
int32_t platform_font_kerning(qmFont* font, const char* text, size_t length, int32_t style, int32_t utf8);

// Answers of the engine table.
inline int32_t platform_font_capability() { return 1; }
inline int32_t platform_font_query_zero() { return 0; }
// Scales reach the engine from the record at each measure and render.
inline void platform_font_set_transform(qmFont*, double, double) {}
// Closes the engine: it forgets the library. Every font must be closed before.
void platform_font_shutdown();
// Releases fontconfig's memory: once, at the platform's exit, after every user of fontconfig
// (the platform engine, the requesters, font discovery) has destroyed its patterns and sets.
void platform_fontconfig_finish();

// The size search: from the start size, one point at a time toward the pixel height measured by
// measure(size); the first step fixes the direction and the search stops at the size that meets
// the height or at the first one past it. Sizes stay within 1..4096.
int32_t font_size_search(int32_t pixel_height, int32_t start_size, int32_t (*measure)(void* ctx, int32_t size),
                         void* ctx);

// The families fontconfig knows, sorted, each once (Latin-1).
std::vector<std::string> platform_font_families();

// The face a name stands for (Latin-1), found by full name, then by family as the font engine
// finds it: its family as platform_font_families() spells it, and whether it is bold and italic
// (oblique counts as italic). False when fontconfig knows no such font.
struct PlatformFontFace {
  std::string family;
  bool bold = false;
  bool italic = false;
};
bool platform_font_face(const char* name, PlatformFontFace* out);

// Reads a linked font's whole data (the applet's virtual file of that name). Installed by the
// player at start-up (file_read_whole, runtime/vfile.h); without it linked fonts do not open.
using FontDataReader = bool (*)(const char* name, std::vector<uint8_t>* out);
void platform_set_font_data_reader(FontDataReader reader);

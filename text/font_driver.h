// The font driver: the one door through which the text library and the vector paths open,
// measure, draw, scale and close fonts.
//
// Every open font is a qmFont (text/font.h) whose kind picks the engine that serves it:
//   1, 2  bitmap fonts read from ".font" contents files and their size files (text/bitmap_font.h),
//         among them the built-in 8x8 font "quill", every program's default font;
//   3     the platform engine, fonts that fontconfig finds by name or linked font data
//         (platform/fonts.h);
//   4     the inbuilt engine, TrueType and OpenType faces through FreeType, with the three
//   Bitstream
//         Vera faces held inside the player (text/truetype.h).
// Callers ask for engine 0 (FONTENGINE_NATIVE: a bitmap font file, else the platform engine) or 4
// (FONTENGINE_INBUILT); any other engine fails with ERR_OPENFONT.
//
// Scripts reach fonts only through the font cache, `font_open_cached`: it maps the pseudo names
// (":::default_sans" and the others), shares one open font among every user of the same name,
// size, engine and cache flag, and retries a failed inbuilt open with engine 0. The cache owns its
// fonts until `font_cache_free_all`.
//
// Life: `font_init` at the text library's start (it builds quill, starts FreeType and hands it to
// the platform engine, and gives the plug-in base table its font slot and default faces);
// `font_cache_free_all` and then `font_shutdown` at its clean-up. One FreeType library serves the
// inbuilt and the platform engine.
//
// Text is Latin-1 unless the encoding is FONTENCODING_UTF8; UTF-8 that does not decode is taken
// byte by byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "text/font.h"

typedef struct FT_FaceRec_* FT_Face;

inline constexpr int32_t FONTENGINE_NATIVE = 0;
inline constexpr int32_t FONTENGINE_INBUILT = 4;

inline constexpr int32_t FONTENCODING_LATIN1 = 0;
inline constexpr int32_t FONTENCODING_UTF8 = 1;

// Render modes. FONTRENDER_COVERAGE draws into the target's plane: glyph bits are ORed into a
// 1-bit plane, antialiased coverage is merged (the larger value wins) into an 8-bit plane; colour
// bitmap fonts copy their pixels into the target's bitmap and OR their mask into the plane. A mask
// mode (MASKVISIBLE .. MASKOR of gfx/bitmap.h) combines glyph bits into the 1-bit plane by that
// mode. FONTRENDER_COLOUR draws in target.colour into the target's bitmap (blended by coverage
// when antialiased); colour bitmap fonts draw their own pixels.
inline constexpr int32_t FONTRENDER_COVERAGE = -1;
inline constexpr int32_t FONTRENDER_COLOUR = -2;

// ---- Life ------------------------------------------------------------------------------------

// 0, or ERR_MEM when the default font or FreeType cannot be set up. Starting twice does nothing.
int32_t font_init();
// Frees the default font, closes the engines and FreeType, and forgets the font list and the font
// folders. Every other font must be closed before.
void font_shutdown();

// The built-in default font: "quill" at 8, kind 1, height 8, baseline 6, codes 32..255. One record
// for the whole run (null before font_init); font_open hands it out and font_close keeps it.
qmFont* font_default();

// ---- The font cache (what scripts open through) ----------------------------------------------

// Opens a font for scripts. Pseudo names first: ":::default_bitmap" is "quill" (engine as asked),
// ":::default_truetype" and ":::default_sans" "Bitstream Vera Sans", ":::default_serif"
// "Bitstream Vera Serif", ":::default_mono" "Bitstream Vera Sans Mono" (engine 4). A name holding
// a folder gives ERR_FONTPATH unless the engine is 4; a ".font" ending is dropped. A font already
// opened with the same name (any case), size, engine and cache flag is reused (its scale reset to
// 1.0). linked: the name is a linked font's virtual name (the is_font word of
// arg_get_linked_file). 0 with *out set, or the error of font_open (ERR_OPENFONT with the name and
// size in the message slots, ERR_READFILE, ERR_MEM), ERR_FONTPATH.
int32_t font_open_cached(const char* name, int32_t size, int32_t engine, int32_t cache,
                         int32_t linked, qmFont** out);
// Closes every cached font (the text library's clean-up).
void font_cache_free_all();
// Releases the vector font of every cached font (the vector paths' clean-up, which runs while the
// plug-in that made them is still loaded).
void font_cache_free_vector_fonts();
// Drops the glyph caches of every cached font, or only of the cached font `only` when it is set.
void font_cache_free_glyph_caches(const qmFont* only);

// ---- The driver ------------------------------------------------------------------------------

// Opens a font without the cache at a size of 1 to 32767 pixels. flags: the inbuilt engine's
// glyph cache (1 on). 0 with *out set, or ERR_MEM, ERR_READFILE (a linked font chunk that cannot
// be read, its display name in the message slot) or ERR_OPENFONT ("Cannot open font %s with size
// %ld!").
int32_t font_open(const char* name, int32_t size, int32_t engine, int32_t flags, int32_t linked,
                  qmFont** out);
// Releases the font's vector font, then closes it; the default font is kept.
void font_close(qmFont* font);

// Draws the text with the top of its line at (x, y) through the clip rectangle (also clipped to
// the target's size). mode: FONTRENDER_COVERAGE, a mask mode or FONTRENDER_COLOUR. A null font
// is the default font. 0 or the engine's error.
int32_t font_render(qmFont* font, const qmFontTarget& target, int32_t x, int32_t y,
                    const char* text, size_t length, int32_t style, int32_t encoding,
                    const qmClipRect& clip, int32_t mode);
// 0 or the engine's error; *out is filled (zeroed on failure).
int32_t font_measure(qmFont* font, const char* text, size_t length, int32_t style, int32_t encoding,
                     qmFontExtent* out);
// Scalable fonts only, and only when a scale changes: height = ceil(base height * y), baseline =
// ceil(base baseline * y), and the engine follows (the inbuilt engine drops its glyph caches).
void font_set_scale(qmFont* font, double x, double y);
// The kerning in pixels between the two characters of a two-character text (0 where the engine
// has none).
int32_t font_kerning(qmFont* font, const char* text, size_t length, int32_t style,
                     int32_t encoding);
// Nonzero when the font draws bold, italic and underline itself (the platform engine).
int32_t font_capability(const qmFont* font);
void font_free_glyph_cache(qmFont* font);
// The FreeType face of an inbuilt font (for the vector paths' outlines); null for other kinds.
FT_Face ttf_get_face(qmFont* font);

// Releases a vector font that the vector-graphics plug-in made for a font; installed by the
// vector-graphics library. font_close calls it before the face goes.
using FontVectorRelease = void (*)(qmFont* font);
void font_set_vector_release(FontVectorRelease release);
// Releases the font's vector font, if it has one.
void font_release_vector_font(qmFont* font);

// A bitmap font's contents file: name with ".font" appended unless it ends so, tried in each font
// folder, then as given, then in "Fonts/". True with *path set when one opens.
bool font_find_file(const char* name, std::string* path);

// ---- Font folders (AddFontPath) --------------------------------------------------------------

// Appends a folder (its full name) unless one of that name (any case) is listed; a change drops
// the font list so that the next scan sees it. False when memory runs out.
bool font_path_add(const std::string& folder);
const std::vector<std::string>& font_paths();

// ---- Font discovery (GetAvailableFonts) ------------------------------------------------------

// One face or bitmap font found in the font folders: the AddFontPath folders, fontconfig's font
// directories (each flat), then "Fonts". A face whose style is plain is listed a second time under
// its family name alone.
struct qmFontListEntry {
  std::string name;  // family, a blank and the style (when there is one)
  std::string family;
  std::string path;
  int32_t weight = 80;         // FONTWEIGHT_* of the text library
  int32_t slant = 0;           // FONTSLANT_*
  int32_t index = 0;           // the face index inside a collection or resource file
  bool in_collection = false;  // a ".ttc" member or a ".dfont" face
  bool bitmap = false;
  std::vector<int32_t> sizes;  // a bitmap font's sizes, in the contents file's order
};
// The list, scanned once and then kept; rescan scans again.
const std::vector<qmFontListEntry>& font_list_build(bool rescan);
void font_list_free();

// ---- Text decoding ---------------------------------------------------------------------------

// The code points of a UTF-8 text (utf8 nonzero) into buffer when length fits, else into an
// allocated array (*allocated set; free it with utf8_decode_free). ERR_USERABORT when the text is
// not to be decoded: utf8 zero, a malformed sequence (a stray or missing continuation byte, a lead
// byte of six or more leading ones, a sequence cut by the end) or no memory; the caller then takes
// the text byte by byte.
int32_t utf8_decode(const char* text, size_t length, int32_t utf8, uint32_t* buffer,
                    size_t buffer_size, uint32_t** out, size_t* count, bool* allocated);
void utf8_decode_free(uint32_t* points);

// The records of an open font, shared by the font driver (text/font_driver.h) and every engine
// behind it: the bitmap font engine, the TrueType engine and the platform's own (platform/fonts.h).
// Each engine fills the fields it knows at open and keeps its own data behind `engine`.
#pragma once

#include <cstddef>
#include <cstdint>

namespace qm {
struct qmBitmap;
}

inline constexpr int32_t FONTKIND_BITMAP = 1;
inline constexpr int32_t FONTKIND_COLOURBITMAP = 2;
inline constexpr int32_t FONTKIND_PLATFORM = 3;
inline constexpr int32_t FONTKIND_INBUILT = 4;

// Style flags of the text library, as measure and render take them.
inline constexpr int32_t FONTSTYLE_BOLD = 2;
inline constexpr int32_t FONTSTYLE_ITALIC = 4;
inline constexpr int32_t FONTSTYLE_UNDERLINED = 8;
inline constexpr int32_t FONTSTYLE_ANTIALIAS = 16;

inline constexpr size_t kFontNameSize = 2048;

// The colour of a colour bitmap font's transparent pixels in its glyph strip.
inline constexpr uint32_t kColourFontKey = 0xEEE6D2;

struct qmFont {
  char name[kFontNameSize];
  int32_t size;         // the size asked for
  int32_t height;       // line height in pixels (scaled)
  int32_t baseline;     // from the top, in pixels (scaled)
  int32_t base_height;  // at scale 1
  int32_t base_baseline;
  int32_t kind;  // FONTKIND_*
  int32_t scalable;
  int32_t outline;
  int32_t platform_served;      // kind 1 or 2 whose operations the platform engine serves
  double x_scale, y_scale;      // 1.0 at open
  void* engine;                 // the engine's own record
  qm::qmBitmap* colour_bitmap;  // kind 2: the glyph strip and its mask (a qm::qmMask)
  void* colour_mask;
  uint32_t* colour_pixels;
  int32_t colour_width, colour_height;
  void* vector_font;  // made by the vector-graphics plug-in; released before the font closes
};

// A measured text: advance width, line height, and the inked box (left, top, right, bottom, the
// right and bottom edges inclusive) relative to the pen at the baseline. A text without ink has
// the box 0, 0, 0, 0.
struct qmFontExtent {
  int32_t advance;
  int32_t height;
  int32_t ink_left, ink_top, ink_right, ink_bottom;
};

// Where rendered text goes. The plane is a 1-bit mask (rows of bits, most significant bit first)
// for plain and bitmap glyphs, or an 8-bit coverage plane for antialiased glyphs; the bitmap takes
// colour drawing and the pixels of colour bitmap fonts.
struct qmFontTarget {
  qm::qmBitmap* bitmap = nullptr;
  uint8_t* plane = nullptr;
  int32_t bytes_per_row = 0;
  int32_t width = 0, height = 0;
  uint32_t colour = 0;  // 0xRRGGBB, for FONTRENDER_COLOUR
};

struct qmClipRect {
  int32_t x, y, width, height;
};

// The font record that the font driver hands to every engine: the one door through which text is
// opened, measured and drawn. Each engine fills the fields it knows at open and keeps its own data
// behind `engine`.
#pragma once

#include <cstdint>

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

struct qmFont {
  char name[kFontNameSize];
  int32_t size;           // the size asked for
  int32_t height;         // line height in pixels (scaled)
  int32_t baseline;       // from the top, in pixels (scaled)
  int32_t base_height;    // at scale 1
  int32_t base_baseline;
  int32_t kind;           // FONTKIND_*
  int32_t scalable;
  int32_t outline;
  int32_t platform_served;
  double x_scale, y_scale;  // 1.0 at open
  void* engine;             // the engine's own record
  void* colour_bitmap;
  void* colour_mask;
  uint32_t* colour_pixels;
  int32_t colour_width, colour_height;
  void* vector_font;
};

// The six integers of a measured text: advance width, line height, and the inked box (left,
// top, right, bottom) relative to the pen at the baseline.
struct qmTextExtent {
  int32_t advance;
  int32_t height;
  int32_t ink_left, ink_top, ink_right, ink_bottom;
};

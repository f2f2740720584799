// Measuring a piece of text in a style: the font's extent, the room a synthetic bold or italic
// needs, and what an edge and a shadow add around it.
#include <algorithm>

#include "gfx/style.h"
#include "text/font_driver.h"
#include "text/layout.h"

namespace qm {

namespace {
int64_t g_measures = 0;
}  // namespace

int64_t text_measure_count() {
  return g_measures;
}

int32_t text_measure_line(const char* text, size_t length, int32_t encoding,
                          const qmTextStyle& style, qmTextExtent* out) {
  *out = qmTextExtent{};
  qmFont* font = style.font ? style.font : font_default();
  qmFontExtent e{};
  ++g_measures;
  // A font that leaves italic to the run renderer is measured upright: the shear adds its room.
  int32_t font_style = style.flags & kFontStyleBits;
  if (font && !font_capability(font)) font_style &= ~TEXTSTYLE_ITALIC;
  if (int32_t err = font_measure(font, text, length, font_style, encoding, &e))
    return err;
  out->advance = e.advance;
  out->height = font ? font->height : 0;
  out->ink_left = e.ink_left, out->ink_top = e.ink_top;
  out->ink_right = e.ink_right, out->ink_bottom = e.ink_bottom;
  // A font that draws its own styles needs no room for them; others are widened here.
  if (font && !font_capability(font)) {
    if ((style.flags & TEXTSTYLE_BOLD) && !(style.flags & TEXTSTYLE_ANTIALIAS)) ++out->ink_right;
    if (style.flags & TEXTSTYLE_ITALIC) {
      out->ink_right += font->baseline / 2;
      out->ink_left -= (font->height - font->baseline) / 2;
    }
  }
  out->needed = out->ink_right >= out->advance ? out->ink_right + 1 : out->advance;
  if (style.flags & TEXTSTYLE_EDGE) {
    out->extra_top = out->extra_left = -style.edge_size;
    out->extra_bottom = out->extra_right = style.edge_size;
  }
  if (style.flags & TEXTSTYLE_SHADOW) {
    // Any direction outside 0..7 is south-east.
    const int32_t direction =
        style.shadow_direction >= 0 && style.shadow_direction <= 7 ? style.shadow_direction : 3;
    int32_t left = 0, top = 0, right = 0, bottom = 0;
    anchor_offset(style.shadow_distance, direction, &left, &top, &right, &bottom);
    out->extra_left -= left, out->extra_top -= top;
    out->extra_right += right, out->extra_bottom += bottom;
  }
  return 0;
}

}  // namespace qm

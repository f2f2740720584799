// Range rules and effect hand-over of the shape style and draw-tag records.
#include "gfx/style.h"

#include <algorithm>

namespace qm {

void anchor_offset(int32_t size, int32_t direction, int32_t* left, int32_t* top, int32_t* right,
                   int32_t* bottom) {
  const bool known = direction >= 0 && direction <= 7;
  auto side = [&](bool on) { return known && on ? size : 0; };
  if (left) *left = side(direction >= 5 && direction <= 7);
  if (top) *top = side(direction == 7 || direction == 0 || direction == 1);
  if (right) *right = side(direction >= 1 && direction <= 3);
  if (bottom) *bottom = side(direction >= 3 && direction <= 5);
}

void anchor_adjust_xy(int32_t direction, int32_t size, int32_t* width, int32_t* height) {
  if (direction < 0 || direction > 7) return;
  if (direction != SHDWNORTH && direction != SHDWSOUTH) *width += size;
  if (direction != SHDWEAST && direction != SHDWWEST) *height += size;
}

void drawtags_path_flags(qmShapeStyle* style, qmDrawTags* tags, uint32_t* colour) {
  qmShapeEffects& fx = style->effects;
  if (style->effect_flags & STYLE_EDGE) {
    style->effect_flags &= ~STYLE_EDGE;
    tags->edge = 1;
    tags->edge_colour = fx.edge_colour;
    tags->edge_size = fx.edge_size;
    tags->effects = 1;
  }
  if (style->effect_flags & STYLE_SHADOW) {
    style->effect_flags &= ~STYLE_SHADOW;
    tags->shadow = 1;
    tags->shadow_colour = fx.shadow_colour;
    tags->shadow_size = fx.shadow_size;
    tags->shadow_direction = fx.shadow_direction;
    tags->effects = 1;
  }
  // A wide unfilled outline is drawn as a one-pixel outline with an edge of half its width.
  if (style->fill_style == FILLNONE && fx.line_width >= 2) {
    tags->edge = 1;
    tags->edge_colour = *colour & 0xFFFFFF;
    tags->edge_size = std::max(fx.line_width / 2, 1);
    fx.line_width = 1;
    tags->effects = 1;
  }
  if (*colour >> 24) {
    tags->colour_alpha = int32_t(*colour >> 24);
    tags->effects = 1;
    *colour &= 0xFFFFFF;
  }
}

void style_fix_counts(qmShapeStyle* style) {
  qmShapeEffects& fx = style->effects;
  fx.line_width = std::max(fx.line_width, 1);
  fx.shadow_size = std::clamp(fx.shadow_size, 1, 64);
  fx.edge_size = std::clamp(fx.edge_size, 1, 64);
  if (fx.shadow_direction > 7) fx.shadow_direction = SHDWSOUTHEAST;
  if (style->fill_style > FILLTEXTURE) style->fill_style = FILLNONE;
}

void corners_clamp(int32_t corners[4]) {
  for (int i = 0; i < 4; ++i) corners[i] = std::clamp(corners[i], 0, 100);
}

}  // namespace qm

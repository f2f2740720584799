// The process-wide drawing style.
#include <algorithm>

#include "display/fill.h"
#include "draw/draw.h"

namespace qm {

namespace {

qmDrawStyle g_style = draw_style_defaults();

}  // namespace

qmDrawStyle draw_style_defaults() {
  qmDrawStyle s;
  s.draw.form_style = FORM_NORMAL;
  s.draw.fill_style = FILLNONE;
  s.draw.gradient = qmGradient{};
  gradient_defaults(&s.draw.gradient);
  s.draw.gradient.start_colour = 0x0000FF;
  s.draw.gradient.end_colour = 0x000000;
  s.draw.texture_brush = ObjectId{};
  s.draw.texture_x = s.draw.texture_y = 0;
  s.effects = qmShapeEffects{2, 0x0093DD, 4, SHDWSOUTHEAST, 0x000000, 1};
  return s;
}

qmDrawStyle& draw_get_style() { return g_style; }

void draw_style_normalise(qmDrawStyle* style) {
  qmShapeEffects& fx = style->effects;
  fx.line_width = std::max(fx.line_width, 1);
  fx.shadow_size = std::clamp(fx.shadow_size, 1, 64);
  fx.edge_size = std::clamp(fx.edge_size, 1, 64);
  if (fx.shadow_direction < 0 || fx.shadow_direction > 7) fx.shadow_direction = SHDWSOUTHEAST;
  if (style->draw.fill_style < FILLNONE || style->draw.fill_style > FILLTEXTURE) style->draw.fill_style = FILLNONE;
}

}  // namespace qm

// Text layers: a TEXTOUT or PRINT layer keeps its text job in the layer's description
// (LayerDrawn), which the layers hand back whenever the layer is rendered again. The text
// library answers the layers' services for them: the current style and font for a layer turned
// into text, fonts opened by name, the content, the content at a transform's scale, and the font
// rows of GetAttribute, and the borders of text layers.
#include <algorithm>
#include <cmath>

#include "display/graphics.h"
#include "display/picture.h"
#include "display/showbrush.h"
#include "engine/errcodes.h"
#include "engine/numconv.h"
#include "gfx/bitmap.h"
#include "layers/layers.h"
#include "text/edges.h"
#include "text/font_driver.h"
#include "text/layout.h"
#include "text/text_internal.h"

namespace qm {

namespace {

LayerServices g_next{};

bool is_text(int32_t type) {
  return type == OBJ_TEXTOUT || type == OBJ_PRINT;
}

LayerTextStyle layer_style_of_text(const qmTextStyle& s) {
  LayerTextStyle t;
  t.flags = s.flags;
  t.shadow_colour = s.shadow_colour;
  t.edge_colour = s.edge_colour;
  t.shadow_distance = s.shadow_distance;
  t.shadow_direction = s.shadow_direction;
  t.edge_size = s.edge_size;
  return t;
}

// The job a layer keeps, in its content state's colour.
qmTextJob job_of(const qmLayer* layer, const qmLayerState* c) {
  const LayerDrawn& d = *c->drawn;
  qmTextJob job;
  const LayerTextStyle& s = d.text_style;
  job.style.flags = s.flags;
  job.style.colour = c->colour;
  job.style.shadow_colour = s.shadow_colour;
  job.style.edge_colour = s.edge_colour;
  job.style.shadow_distance = s.shadow_distance;
  job.style.shadow_direction = s.shadow_direction;
  job.style.edge_size = s.edge_size;
  job.style.font = d.font.font ? font_of(d.font) : font_default();
  job.text = d.text;
  job.align = d.align;
  job.encoding = d.encoding;
  job.left_margin = d.left_margin;
  job.right_margin = d.right_margin;
  if (layer->type == OBJ_PRINT) {
    job.cursor_x = d.cursor_x, job.cursor_y = d.cursor_y;
    job.tabs = d.tabs;
  }
  job.word_breaks = d.word_breaks;
  job.tab_choices = d.tab_choices;
  job.wrap_table = d.wrap_table != 0;
  return job;
}

int32_t render_content(qmLayer* layer, qmLayerState* state) {
  if (!is_text(layer->type)) return g_next.render_content(layer, state);
  if (state->content.bitmap) return 0;
  if (!state->drawn) return ERR_WRONGUSAGE;
  qmTextJob job = job_of(layer, state);
  // The content follows its text as it is now: its lines are broken afresh (a word-wrap table
  // is followed as it stands), and the breaks are kept for the renders at other scales.
  qmTextImage img;
  if (int32_t err = text_render_image(picture_state(), job, layer->type, false, 0, &img))
    return err;
  state->drawn->word_breaks = job.word_breaks;
  state->drawn->tab_choices = job.tab_choices;
  state->content = {img.bitmap, img.mask, img.alpha};
  state->content_w = state->width = img.width;
  state->content_h = state->height = img.height;
  img.release();
  return 0;
}

// The content laid out again at the matrix's scales with the font scaled (breaking at the words
// the content broke at), turned by what remains of the matrix, and centred where the content's
// middle goes.
int32_t render_transformed(qmState* L, qmLayer* layer, const Matrix2& m, LayerImage* out,
                           Rect* at) {
  const qmLayerState* c = layer->content;
  if (!is_text(layer->type) || !c->drawn) return g_next.render_transformed(L, layer, m, out, at);
  qmTextJob job = job_of(layer, c);
  qmFont* font = job.style.font;
  const double sx = std::hypot(m.m[0], m.m[2]), sy = std::hypot(m.m[1], m.m[3]);
  if (!font || !font->scalable || !(sx > 0.0 && sy > 0.0) || !std::isfinite(sx) ||
      !std::isfinite(sy))
    return ERR_UNSUPPORTEDFEAT;
  qmTextImage img;
  {
    struct Reset {
      qmFont* f;
      ~Reset() { font_set_scale(f, 1.0, 1.0); }
    } reset{font};
    font_set_scale(font, sx, sy);
    text_scale_job(job, layer->type, sx, sy, true);
    if (int32_t err = text_render_image(L ? L : picture_state(), job, layer->type, false,
                                        TEXTRENDER_AGAIN, &img))
      return err;
  }
  // What remains once the scales are out, in the options' order (x' = a x + c y, y' = b x + d y).
  const double rest[4] = {m.m[0] / sx, m.m[2] / sx, m.m[1] / sy, m.m[3] / sy};
  const bool turned = !(rest[1] == 0.0 && rest[2] == 0.0 && rest[0] > 0.0 && rest[3] > 0.0);
  if (turned)
    if (int32_t err = text_transform_image(rest, true, &img)) return err;
  *out = {img.bitmap, img.mask, img.alpha};
  *at = Rect{to_i32(std::floor((c->content_w - img.width) / 2.0)),
             to_i32(std::floor((c->content_h - img.height) / 2.0)), img.width, img.height};
  img.release();
  return 0;
}

// The border of a text layer follows its glyphs: the edge of the layer's image, as text edges are
// drawn. Borders of 8 pixels or more are grown by the layers themselves.
int32_t drawn_border(qmState* L, qmLayer* layer, qmLayerState* t, int32_t kind, int32_t size, LayerImage* out,
                     Rect* at) {
  if ((!is_text(kind) && kind != OBJ_TEXTOBJECT) || size >= 8)
    return g_next.drawn_border(L, layer, t, kind, size, out, at);
  return text_layer_render(L, layer, t, layer->border_colour, size, out, at);
}

void text_style_service(LayerTextStyle* style, uint32_t* colour, LayerFont* font) {
  const qmTextStyle& s = text_get_style();
  *style = layer_style_of_text(s);
  *colour = s.colour;
  *font = text_current_font_request();
}

int32_t font_open_service(qmState*, LayerFont* font) {
  qmFont* f = nullptr;
  if (int32_t err = font_open_cached(font->name.c_str(), font->size, font->engine, font->cache,
                                     font->linked, &f))
    return err;
  font->font = f;
  return 0;
}

bool font_attributes_service(const LayerFont& font, FontAttributes* out) {
  text_font_attributes(font.font ? font_of(font) : font_default(), out);
  return true;
}

}  // namespace

void text_install_layer_services() {
  LayerServices& s = layer_services();
  g_next = s;
  s.render_content = render_content;
  s.render_transformed = render_transformed;
  s.text_style = text_style_service;
  s.font_open = font_open_service;
  s.font_attributes = font_attributes_service;
  s.drawn_border = drawn_border;
}

int32_t text_layer_render(qmState* L, qmLayer* layer, qmLayerState* t, uint32_t colour, int32_t size,
                          LayerImage* out, Rect* at) {
  LayerPlanes p;
  if (int32_t err = layer_build_transformed(L, layer, t, true, &p)) return err;
  if (!p.mask && !p.alpha) return ERR_UNSUPPORTEDFEAT;
  const int32_t s = std::max(size, 0);
  const int32_t w = std::min(t->width, p.width - p.part_x), h = std::min(t->height, p.height - p.part_y);
  const int64_t gw = int64_t(std::max(w, 0)) + 2 * s + 1, gh = int64_t(std::max(h, 0)) + 2 * s + 1;
  if (w < 1 || h < 1) return ERR_UNSUPPORTEDFEAT;
  if (!picture_size_allowed(gw, gh)) return ERR_MEM;
  LayerImage img;
  img.bitmap = qmos_alloc_bitmap(int32_t(gw), int32_t(gh));
  if (!img.bitmap) return ERR_MEM;
  qmos_fill_bitmap_rect(img.bitmap, 0, 0, int32_t(gw), int32_t(gh), colour & 0xFFFFFF);
  int32_t err = 0;
  if (p.alpha) {
    img.alpha = qmos_alloc_alpha(int32_t(gw), int32_t(gh), 0);
    err = img.alpha ? text_coverage_spread(p.alpha->data + ptrdiff_t(p.part_y) * p.alpha->bytes_per_row + p.part_x,
                                           p.alpha->bytes_per_row, w, h, s, img.alpha->data,
                                           img.alpha->bytes_per_row)
                    : ERR_MEM;
  } else {
    // The part's bits from its corner, then stamped at every offset.
    qmMask* part = qmos_alloc_mask(w, h, 1);
    img.mask = qmos_alloc_mask(int32_t(gw), int32_t(gh), 1);
    if (part && img.mask) {
      qmos_blit_mask_bits(p.mask, p.part_x, p.part_y, part, 0, 0, w, h, MASKVANILLACOPY);
      err = text_mask_dilate(part, w, h, s, img.mask);
    } else {
      err = ERR_MEM;
    }
    qmos_free_mask(part);
  }
  if (err) {
    layer_image_free(img);
    return err;
  }
  *out = img;
  *at = Rect{s, s, int32_t(gw), int32_t(gh)};
  return 0;
}

int32_t text_make_layer(qmState* L, qmBGPic* pic, qmTextJob& job, int32_t kind, bool tags_off,
                        const qmTransformTags* tt, const qmDrawTagOptions* dt) {
  // The edge and the shadow become the layer's border and shadow, the colour's transparency the
  // layer's: the layer draws them itself.
  LayerStyle style = dt ? layer_style_of(*dt) : LayerStyle{};
  qmTextStyle& s = job.style;
  if (s.flags & TEXTSTYLE_EDGE) {
    style.border = 1;
    style.border_colour = s.edge_colour;
    style.border_size = s.edge_size;
  }
  if (s.flags & TEXTSTYLE_SHADOW) {
    style.shadow = 1;
    style.shadow_colour = s.shadow_colour;
    style.shadow_size = s.shadow_distance;
    style.shadow_direction = s.shadow_direction;
  }
  s.flags &= ~(TEXTSTYLE_EDGE | TEXTSTYLE_SHADOW);
  if (!s.flags) s.flags = TEXTSTYLE_NORMAL;
  if ((s.colour >> 24) && style.transparency <= 0) style.transparency = int32_t(s.colour >> 24);
  s.colour &= 0xFFFFFF;

  qmTextLayout layout;
  qmTextImage img;
  if (int32_t err = text_layout(L, job, kind, tags_off, false, &layout)) return err;
  if (int32_t err = text_render_runs(layout, job, &img)) return err;

  LayerDrawn drawn;
  drawn.text = job.text;
  drawn.text_style = layer_style_of_text(s);
  drawn.font = text_current_font_request();
  if (font_of(drawn.font) != s.font) {
    // A job in a font other than the current one keeps it by the font's own name.
    drawn.font = LayerFont{};
    drawn.font.name = s.font->name;
    drawn.font.size = s.font->size;
    drawn.font.engine = s.font->kind == FONTKIND_INBUILT ? FONTENGINE_INBUILT : FONTENGINE_NATIVE;
    drawn.font.font = s.font;
  }
  drawn.encoding = job.encoding;
  drawn.align = job.align;
  drawn.left_margin = job.left_margin, drawn.right_margin = job.right_margin;
  drawn.cursor_x = job.cursor_x, drawn.cursor_y = job.cursor_y;
  drawn.tabs = job.tabs;
  drawn.word_breaks = job.word_breaks;
  drawn.tab_choices = job.tab_choices;
  drawn.wrap_table = job.wrap_table ? 1 : 0;

  LayerSpec spec;
  spec.type = kind;
  // The layer moves itself by the anchor.
  int64_t x = 0, y = 0;
  text_place(job, kind, img.width, img.height, img.x, img.y, tt ? tt->anchor_x : 0.0,
             tt ? tt->anchor_y : 0.0, false, &x, &y);
  spec.x = int32_t(std::clamp<int64_t>(x, INT32_MIN, INT32_MAX));
  spec.y = int32_t(std::clamp<int64_t>(y, INT32_MIN, INT32_MAX));
  spec.width = img.width, spec.height = img.height;
  TransformBlock block;
  if (tt) {
    block = layer_transform_of(*tt);
    spec.transform = &block;
  }
  spec.style = &style;
  spec.image = {img.bitmap, img.mask, img.alpha};
  img.release();
  spec.drawn = &drawn;
  spec.colour = s.colour;
  spec.flags = LAYER_SCALED;
  if (int32_t err = layer_new(L, pic, spec, nullptr)) return err;
  if (kind == TEXTKIND_PRINT) text_move_cursor(layout);
  return 0;
}

}  // namespace qm

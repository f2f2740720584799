// A text job from its text to the output: the direct path or the layout, the frame, the options'
// transform, filters, tint and transparency, and the drawing onto the current output (or a layer
// while the display has layers); a print job's cursor moves behind the text.
#include <algorithm>
#include <cmath>

#include "display/clipregion.h"
#include "display/display.h"
#include "display/graphics.h"
#include "display/hooks.h"
#include "display/showbrush.h"
#include "display/target.h"
#include "engine/errcodes.h"
#include "engine/numconv.h"
#include "gfx/blit.h"
#include "gfx/blitpixels.h"
#include "gfx/compose.h"
#include "gfx/effects.h"
#include "gfx/scale.h"
#include "layers/layers.h"
#include "text/font_driver.h"
#include "text/layout.h"
#include "text/text_internal.h"

namespace qm {

namespace {

bool g_force_general = false;

constexpr int32_t kNotDirect = -1;

int32_t clamp32(int64_t v) {
  return int32_t(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}
int32_t scaled(int32_t v, double s) {
  return to_i32(std::round(double(v) * s));
}

bool is_identity(const double* m) {
  return m[0] == 1.0 && m[1] == 0.0 && m[2] == 0.0 && m[3] == 1.0;
}

// A font laid out at a scale returns to its own size however the render ends.
struct FontScale {
  qmFont* font = nullptr;
  ~FontScale() {
    if (font) font_set_scale(font, 1.0, 1.0);
  }
};

// The matrix on a scalable font: the font is set to the matrix's scales and the job's lengths
// follow them, and the matrix becomes what remains to turn the image by (nothing for a pure
// positive scale).
void scale_for(qmFont* font, qmTextJob& job, int32_t kind, int32_t flags, FontScale* scale, double m[4]) {
  if (is_identity(m) || !font || !font->scalable) return;
  const double sx = std::hypot(m[0], m[1]), sy = std::hypot(m[2], m[3]);
  if (!(sx > 0.0 && sy > 0.0) || !std::isfinite(sx) || !std::isfinite(sy)) return;
  scale->font = font;
  font_set_scale(font, sx, sy);
  text_scale_job(job, kind, sx, sy, (flags & TEXTRENDER_SCALECURSOR) != 0);
  m[0] /= sx, m[1] /= sx, m[2] /= sy, m[3] /= sy;
  if (m[1] == 0.0 && m[2] == 0.0 && m[0] > 0.0 && m[3] > 0.0) m[0] = m[3] = 1.0;
}

// Filters, tint or transparency asked for.
bool has_effects(const qmDrawTagOptions* dt) {
  if (!dt) return false;
  if (dt->transparency > 0 || dt->tint > 0) return true;
  return std::any_of(dt->filters, dt->filters + kFilterSlots,
                     [](const FilterSlot& f) { return f.active != 0; });
}

bool options_plain(const qmTransformTags* tt, const qmDrawTagOptions* dt) {
  if (tt && (!is_identity(tt->matrix) || tt->anchor_x != 0.0 || tt->anchor_y != 0.0)) return false;
  return !has_effects(dt) && !(dt && dt->hidden);
}

// The direct path's conditions besides the layout's: a TextOut or print job drawn with layers
// off, plain style and colour, no tags or tabs, left-aligned, no wrap table, plain options.
bool direct_allowed(const qmTextJob& job, int32_t kind, int32_t flags, bool layers,
                    const qmTransformTags* tt, const qmDrawTagOptions* dt) {
  if (g_force_general || layers || (flags & (TEXTRENDER_CONTENT | TEXTRENDER_AGAIN))) return false;
  if (kind != TEXTKIND_TEXTOUT && kind != TEXTKIND_PRINT) return false;
  if ((job.style.flags & ~(TEXTSTYLE_NORMAL | TEXTSTYLE_ANTIALIAS)) || (job.style.colour >> 24))
    return false;
  if (job.align != kTextAlignLeft || job.wrap_table || !options_plain(tt, dt)) return false;
  if (kind == TEXTKIND_TEXTOUT && (text_is_special_x(job.x) || text_is_special_y(job.y)))
    return false;
  // Brackets may be tags, and doubled ones stand for one even with tags off.
  return job.text.find_first_of("\t[]") == std::string::npos;
}

// Lays the job out by the direct path when it may take it, else by the layout.
int32_t lay_out(qmState* L, qmTextJob& job, int32_t kind, bool tags_off, int32_t flags, bool direct,
                qmTextLayout* layout) {
  if (direct) {
    qmTextImage unused;
    const int32_t err = text_draw_native(job, kind, layout, &unused);
    if (err != kNotDirect) return err;
  }
  return text_layout(L, job, kind, tags_off, (flags & TEXTRENDER_AGAIN) != 0, layout);
}

// What the output is: the current display and the size of what it draws into.
struct Output {
  qmDisplay* display = nullptr;
  int32_t width = 0, height = 0;
};

int32_t output_of(Output* out) {
  out->display = display_current();
  if (!out->display || !clipregion_output_size(&out->width, &out->height))
    return ERR_CLOSEDDISPDRAW;
  return 0;
}

void draw_image(qmState* L, const Output& out, const qmTextImage& img, int64_t x, int64_t y) {
  if (img.width < 1 || img.height < 1) return;
  // Far off the output nothing shows: only positions within reach are handed on.
  constexpr int64_t kReach = int64_t(1) << 30;
  if (x < -kReach || y < -kReach || x > kReach || y > kReach) return;
  qmDisplay* d = out.display;
  if (d->double_buffer) dblbuf_mark(d, int32_t(x), int32_t(y), img.width, img.height);
  SAFEBLT(L, img.bitmap, 0, 0, drawtarget_dest(), int32_t(x), int32_t(y), img.width, img.height,
          img.width, img.height, out.width, out.height, BLIT_FRONT | BLIT_REDRAW, img.mask,
          img.alpha, clipregion_active());
}

}  // namespace

void text_force_general_path(bool on) {
  g_force_general = on;
}

bool text_is_special_x(int32_t v) {
  for (int32_t s : {POS_CENTER, POS_LEFT, POS_RIGHT, POS_LEFTOUT, POS_RIGHTOUT})
    if (v >= s - 4999 && v <= s + 4999) return true;
  return false;
}

bool text_is_special_y(int32_t v) {
  for (int32_t s : {POS_CENTER, POS_TOP, POS_BOTTOM, POS_TOPOUT, POS_BOTTOMOUT})
    if (v >= s - 4999 && v <= s + 4999) return true;
  return false;
}

void text_scale_job(qmTextJob& job, int32_t kind, double sx, double sy, bool cursor) {
  if (kind == TEXTKIND_PRINT) {
    job.left_margin = scaled(job.left_margin, sx);
    job.right_margin = scaled(job.right_margin, sx);
    for (int32_t& t : job.tabs) t = scaled(t, sx);
  } else {
    job.right_margin = scaled(job.right_margin, sx);
  }
  if (cursor) {
    job.cursor_x = scaled(job.cursor_x, sx);
    job.cursor_y = scaled(job.cursor_y, sy);
  }
  const double s = std::max(sx, sy);
  job.style.edge_size = scaled(job.style.edge_size, s);
  job.style.shadow_distance = scaled(job.style.shadow_distance, s);
  text_style_clamp(&job.style);
}

void text_place(const qmTextJob& job, int32_t kind, int32_t width, int32_t height, int32_t ox,
                int32_t oy, double anchor_x, double anchor_y, bool anchor, int64_t* x, int64_t* y) {
  if (kind == TEXTKIND_PRINT) {
    *x = int64_t(job.left_margin) + ox, *y = int64_t(job.cursor_y) + oy;
    return;
  }
  *x = text_is_special_x(job.x) ? coord_resolve_special_x(job.x, width, 0, anchor_x)
                                : int64_t(job.x) + ox;
  *y = text_is_special_y(job.y) ? coord_resolve_special_y(job.y, height, 0, anchor_y)
                                : int64_t(job.y) + oy;
  if (!anchor) return;
  *x -= to_i64(std::trunc(width * anchor_x));
  *y -= to_i64(std::trunc(height * anchor_y));
}

void text_move_cursor(const qmTextLayout& layout) {
  qmDisplay* d = display_current();
  if (!d) return;
  d->cursor_x = clamp32(int64_t(d->text_margin_left) + layout.end_x);
  d->cursor_y = clamp32(int64_t(d->cursor_y) + (int64_t(layout.lines) - 1) * layout.line_height);
}

int32_t text_draw_native(const qmTextJob& job, int32_t kind, qmTextLayout* layout, qmTextImage*) {
  *layout = qmTextLayout{};
  const bool print = kind == TEXTKIND_PRINT;
  qmFont* font = job.style.font ? job.style.font : font_default();
  layout->line_height = font ? font->height : 0;
  layout->start_x = print ? job.cursor_x - job.left_margin : 0;
  const int32_t wrap = print ? job.right_margin - job.left_margin + 1 : job.right_margin;
  layout->area_width = wrap;
  std::string& chars = layout->chars;
  chars.reserve(job.text.size());
  int32_t line = 0;
  size_t start = 0;
  auto end_line = [&](size_t end) -> int32_t {
    if (end > start) {
      // With a wrap width only the first line may hold text, and it must end left of the width.
      if (wrap > 0 && line > 0) return kNotDirect;
      qmTextRun r;
      r.start = start;
      r.length = end - start;
      r.style = job.style;
      r.line = line;
      r.x = line == 0 ? layout->start_x : 0;
      r.y = clamp32(int64_t(line) * layout->line_height);
      if (int32_t err =
              text_measure_line(chars.data() + start, r.length, job.encoding, job.style, &r.extent))
        return err;
      if (wrap > 0 && int64_t(r.x) + r.extent.advance >= wrap) return kNotDirect;
      layout->runs.push_back(r);
    }
    return 0;
  };
  for (char c : job.text) {
    if (c == '\r') continue;
    if (c == '\n') {
      if (int32_t err = end_line(chars.size())) return err;
      ++line;
      start = chars.size();
      continue;
    }
    chars.push_back(c);
  }
  if (int32_t err = end_line(chars.size())) return err;
  layout->lines = line + 1;
  const bool ended_on_text = !layout->runs.empty() && layout->runs.back().line == line;
  layout->end_x = ended_on_text ? layout->runs.back().x + layout->runs.back().extent.advance
                                : (line == 0 ? layout->start_x : 0);
  return 0;
}

int32_t text_transform_image(const double matrix[4], bool smooth, qmTextImage* image) {
  if (is_identity(matrix) || image->width < 1 || image->height < 1) return 0;
  qmBitmap* bitmap = nullptr;
  qmMask* mask = nullptr;
  qmAlphaChannel* alpha = nullptr;
  int32_t w = 0, h = 0;
  if (int32_t err = bitmap_transform_new(image->bitmap, image->mask, image->alpha, 0, 0,
                                         image->width, image->height, matrix, smooth ? 1 : 0,
                                         &bitmap, image->mask ? &mask : nullptr,
                                         image->alpha ? &alpha : nullptr, &w, &h))
    return err;
  // The image's corner moves with the matrix; the new image holds the turned rectangle's box.
  const double ox = image->x, oy = image->y;
  double min_x = 0.0, min_y = 0.0;
  for (const double cx : {0.0, double(image->width)})
    for (const double cy : {0.0, double(image->height)}) {
      min_x = std::min(min_x, matrix[0] * cx + matrix[2] * cy);
      min_y = std::min(min_y, matrix[1] * cx + matrix[3] * cy);
    }
  const int32_t x = to_i32(std::floor(matrix[0] * ox + matrix[2] * oy + min_x));
  const int32_t y = to_i32(std::floor(matrix[1] * ox + matrix[3] * oy + min_y));
  image->free();
  image->bitmap = bitmap, image->mask = mask, image->alpha = alpha;
  image->width = w, image->height = h;
  image->x = x, image->y = y;
  return 0;
}

int32_t text_render_image(qmState* L, qmTextJob& job, int32_t kind, bool tags_off, int32_t flags,
                          qmTextImage* out) {
  qmFont* font = job.style.font ? job.style.font : font_default();
  if ((job.style.flags & TEXTSTYLE_ANTIALIAS) && font && !font->outline) return ERR_ANTIALIAS;
  qmTextLayout layout;
  if (int32_t err = text_layout(L, job, kind, tags_off, (flags & TEXTRENDER_AGAIN) != 0, &layout))
    return err;
  return text_render_runs(layout, job, out);
}

int32_t text_render_image_transformed(qmState* L, qmTextJob job, int32_t kind, int32_t flags,
                                      const double matrix[4], bool smooth, qmTextImage* out) {
  qmFont* font = job.style.font ? job.style.font : font_default();
  double rest[4] = {matrix[0], matrix[1], matrix[2], matrix[3]};
  FontScale scale;
  scale_for(font, job, kind, flags, &scale, rest);
  qmTextImage img;
  if (int32_t err = text_render_image(L, job, kind, false, flags, &img)) return err;
  if (int32_t err = text_transform_image(rest, smooth, &img)) return err;
  *out = std::move(img);
  return 0;
}

int32_t text_render(qmState* L, qmTextJob& job, int32_t kind, bool tags_off,
                    const qmTransformTags* tt, const qmDrawTagOptions* dt, int32_t flags) {
  Output out;
  if (int32_t err = output_of(&out)) return err;
  qmFont* font = job.style.font ? job.style.font : font_default();
  if ((job.style.flags & TEXTSTYLE_ANTIALIAS) && font && !font->outline) return ERR_ANTIALIAS;
  qmBGPic* pic = nullptr;
  const bool layers = out.display->layers && layer_precondition(&pic) == 0;
  if (layers) return text_make_layer(L, pic, job, kind, tags_off, tt, dt);

  // The options' matrix: a scalable font is laid out at the scale, the rest turns the image.
  double rest[4] = {1.0, 0.0, 0.0, 1.0};
  if (tt) std::copy(tt->matrix, tt->matrix + 4, rest);
  FontScale scale;
  scale_for(font, job, kind, flags, &scale, rest);
  qmTextLayout layout;
  const bool direct = direct_allowed(job, kind, flags, false, tt, dt);
  if (int32_t err = lay_out(L, job, kind, tags_off, flags, direct, &layout)) return err;
  qmTextBlock block;
  text_block_geometry(layout, job, &block);

  const bool print = kind == TEXTKIND_PRINT;
  const bool plain = is_identity(rest) && !has_effects(dt);
  const double ax = tt ? tt->anchor_x : 0.0, ay = tt ? tt->anchor_y : 0.0;
  int64_t x = 0, y = 0;
  qmTextImage img;
  if (plain) {
    // Only what can show is composed.
    int64_t bx = 0, by = 0;
    text_place(job, kind, block.width, block.height, block.x, block.y, ax, ay, true, &bx, &by);
    const Rect window{clamp32(-bx), clamp32(-by), out.width, out.height};
    if (int32_t err = text_block_compose(block, &window, &img)) return err;
    x = bx + (img.x - block.x), y = by + (img.y - block.y);
  } else {
    if (int32_t err = text_block_compose(block, nullptr, &img)) return err;
    if (int32_t err = text_transform_image(rest, tt && tt->smooth, &img)) return err;
    if (dt)
      if (int32_t err = image_apply_transparency_tint(*dt, img.bitmap, &img.mask, &img.alpha,
                                                      img.width, img.height))
        return err;
    text_place(job, kind, img.width, img.height, img.x, img.y, ax, ay, true, &x, &y);
  }
  if (int32_t err = drawtarget_prepare(L)) return err;
  if (!(dt && dt->hidden)) draw_image(L, out, img, x, y);
  if (print && !(flags & (TEXTRENDER_CONTENT | TEXTRENDER_AGAIN))) text_move_cursor(layout);
  return 0;
}

int32_t text_print(qmState* L, const char* text, size_t length, bool tags_off) {
  const qmDisplay* d = display_current();
  if (!d) return ERR_CLOSEDDISPDRAW;
  qmTextJob job;
  job.x = POS_CENTER;
  job.style = text_get_style();
  job.text.assign(text, length);
  job.cursor_x = d->cursor_x, job.cursor_y = d->cursor_y;
  job.left_margin = d->text_margin_left, job.right_margin = d->text_margin_right;
  job.tabs.assign(d->tabs, d->tabs + std::clamp(d->tab_count, 0, kMaxTabStops));
  job.encoding = text_default_encoding();
  return text_render(L, job, TEXTKIND_PRINT, tags_off, nullptr, nullptr, 0);
}

}  // namespace qm

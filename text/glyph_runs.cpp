// The glyph-run frame: the block geometry of a laid-out text and the composition of its runs
// into one image.
//
// The image is a bitmap with a coverage plane: an 8-bit alpha plane when the text is
// anti-aliased or a colour in use carries a transparency, else a 1-bit mask. A text in one colour
// without effects renders its glyphs straight into the block's plane over a bitmap filled with
// that colour; any other text renders each run into an image of its own and puts that into the
// block in the run's colour, which is where the effects of a run (its shadow and edge, drawn
// under the glyphs) have their place.
//
// Each run is clipped to the rows of its line and one more (font height + 1 rows from the line's
// top), in both ways, so a glyph reaching above its line never draws into the line before.
#include <algorithm>
#include <memory>

#include "engine/errcodes.h"
#include "gfx/bitmap.h"
#include "gfx/blitpixels.h"
#include "text/font_driver.h"
#include "text/layout.h"

namespace qm {

namespace {

int32_t clamp32(int64_t v) {
  return int32_t(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

uint8_t transparency(uint32_t colour) {
  return uint8_t(colour >> 24);
}

bool has_effects(const qmTextStyle& s) {
  return (s.flags &
          (TEXTSTYLE_SHADOW | TEXTSTYLE_EDGE | TEXTSTYLE_UNDERLINED | TEXTSTYLE_ITALIC)) != 0;
}

// Where a run's pixels begin left of its pen, and its width from there.
int32_t run_left(const qmTextRun& r) {
  return std::min(r.extent.ink_left, 0);
}
int32_t run_width(const qmTextRun& r) {
  return std::max(r.extent.needed - run_left(r), 1);
}

struct Planes {
  qmBitmap* bitmap = nullptr;
  qmMask* mask = nullptr;
  qmAlphaChannel* alpha = nullptr;
  ~Planes() {
    qmos_free_bitmap(bitmap);
    qmos_free_mask(mask);
    qmos_free_alpha(alpha);
  }
};

qmFontTarget target_of(qmBitmap* bitmap, qmMask* mask, qmAlphaChannel* alpha, int32_t w,
                       int32_t h) {
  qmFontTarget t;
  t.bitmap = bitmap;
  t.plane = alpha ? alpha->data : mask ? mask->data : nullptr;
  t.bytes_per_row = alpha ? alpha->bytes_per_row : mask ? mask->bytes_per_row : 0;
  t.width = w;
  t.height = h;
  return t;
}

class Composer {
 public:
  Composer(const qmTextBlock& b, const Rect& win) : b_(b), win_(win) {}

  int32_t compose(qmTextImage* out) {
    for (const qmTextRun& r : b_.runs) {
      aa_ = aa_ || (r.style.flags & TEXTSTYLE_ANTIALIAS);
      if (transparency(r.style.colour) ||
          ((r.style.flags & TEXTSTYLE_SHADOW) && transparency(r.style.shadow_colour)) ||
          ((r.style.flags & TEXTSTYLE_EDGE) && transparency(r.style.edge_colour)))
        transparent_ = true;
    }
    const bool use_alpha = aa_ || transparent_;
    img_.bitmap = qmos_alloc_bitmap(win_.width, win_.height);
    if (use_alpha)
      img_.alpha = qmos_alloc_alpha(win_.width, win_.height, 1);
    else
      img_.mask = qmos_alloc_mask(win_.width, win_.height, 1);
    if (!img_.bitmap || (!img_.alpha && !img_.mask)) return ERR_MEM;
    const int32_t err = uniform() ? compose_uniform() : compose_runs();
    if (err) return err;
    out->bitmap = img_.bitmap;
    out->mask = img_.mask;
    out->alpha = img_.alpha;
    img_.bitmap = nullptr, img_.mask = nullptr, img_.alpha = nullptr;
    return 0;
  }

 private:
  const qmTextBlock& b_;
  const Rect win_;
  Planes img_;
  bool aa_ = false, transparent_ = false;

  // The run's rows and columns in window coordinates, and whether any of them shows.
  Rect run_rect(const qmTextRun& r) const {
    return Rect{r.x + run_left(r) - win_.x, r.y - win_.y, run_width(r), b_.line_height + 1};
  }
  bool visible(const Rect& rr) const {
    return rr.x < win_.width && rr.y < win_.height && int64_t(rr.x) + rr.width > 0 &&
           int64_t(rr.y) + rr.height > 0;
  }

  bool uniform() const {
    for (const qmTextRun& r : b_.runs)
      if (has_effects(r.style) || r.style.colour != b_.runs.front().style.colour) return false;
    return true;
  }

  qmFont* font_of(const qmTextRun& r) const { return r.style.font ? r.style.font : b_.font; }

  int32_t draw_glyphs(const qmTextRun& r, const qmFontTarget& target, int32_t pen_x, int32_t pen_y,
                      const qmClipRect& clip) const {
    return font_render(font_of(r), target, pen_x, pen_y, b_.chars.data() + r.start, r.length,
                       r.style.flags & kFontStyleBits, b_.encoding, clip, FONTRENDER_COVERAGE);
  }

  // One colour, no effects: every glyph straight into the block's plane.
  int32_t compose_uniform() {
    const uint32_t colour = b_.runs.empty() ? 0 : b_.runs.front().style.colour;
    qmos_fill_bitmap_rect(img_.bitmap, 0, 0, win_.width, win_.height, colour & 0xFFFFFF);
    if (b_.runs.empty()) return 0;
    // A transparent colour without anti-aliasing: the bits first, then the alpha plane from them.
    std::unique_ptr<qmMask, void (*)(qmMask*)> bits(nullptr, qmos_free_mask);
    if (img_.alpha && !aa_) {
      bits.reset(qmos_alloc_mask(win_.width, win_.height, 1));
      if (!bits) return ERR_MEM;
    }
    const qmFontTarget target = target_of(img_.bitmap, bits ? bits.get() : img_.mask,
                                          bits ? nullptr : img_.alpha, win_.width, win_.height);
    for (const qmTextRun& r : b_.runs) {
      const Rect rr = run_rect(r);
      if (!visible(rr)) continue;
      const qmClipRect clip{rr.x, rr.y, rr.width, rr.height};
      if (int32_t err = draw_glyphs(r, target, r.x - win_.x, r.y - win_.y, clip)) return err;
    }
    const uint8_t t = transparency(colour);
    if (bits)
      mask_expand_to_alpha(bits.get(), 0, 0, img_.alpha, 0, 0, win_.width, win_.height,
                           uint8_t(255 - t));
    else if (img_.alpha && t)
      alpha_scale_intensity(img_.alpha, img_.alpha, win_.height, 255 - t);
    return 0;
  }

  // Each run in its own image, put into the block in its colour.
  int32_t compose_runs() {
    qmos_fill_bitmap_rect(img_.bitmap, 0, 0, win_.width, win_.height, 0);
    for (const qmTextRun& r : b_.runs) {
      const Rect rr = run_rect(r);
      if (!visible(rr)) continue;
      if (int32_t err = compose_run(r, rr)) return err;
    }
    return 0;
  }

  int32_t compose_run(const qmTextRun& r, const Rect& rr) {
    const bool colour_font = font_of(r)->kind == FONTKIND_COLOURBITMAP;
    Planes run;
    if (colour_font) run.bitmap = qmos_alloc_bitmap(rr.width, rr.height);
    if (aa_)
      run.alpha = qmos_alloc_alpha(rr.width, rr.height, 1);
    else
      run.mask = qmos_alloc_mask(rr.width, rr.height, 1);
    if ((colour_font && !run.bitmap) || (!run.alpha && !run.mask)) return ERR_MEM;
    const qmFontTarget target = target_of(run.bitmap, run.mask, run.alpha, rr.width, rr.height);
    if (int32_t err =
            draw_glyphs(r, target, -run_left(r), 0, qmClipRect{0, 0, rr.width, rr.height}))
      return err;
    // The effects of the run go here, under its glyphs.
    put_glyphs(run, r.style.colour, rr);
    return 0;
  }

  // The run's coverage over the block in the colour: text over whatever lies there.
  void put_glyphs(const Planes& run, uint32_t colour, const Rect& rr) {
    if (run.alpha) {
      int32_t sx = 0, sy = 0, x = rr.x, y = rr.y, w = rr.width, h = rr.height;
      if (!clip_to(&sx, &sy, &x, &y, &w, &h)) return;
      BLTALPHACHANNEL(run.alpha, sx, sy, img_.bitmap, x, y, w, h, colour & 0xFFFFFF, 2, img_.alpha,
                      255 - transparency(colour), nullptr, 0, nullptr);
      return;
    }
    if (run.bitmap) {
      // A colour font's own pixels, through its glyph bits.
      int32_t sx = 0, sy = 0, x = rr.x, y = rr.y, w = rr.width, h = rr.height;
      if (!clip_to(&sx, &sy, &x, &y, &w, &h)) return;
      BLTMASK(run.bitmap, sx, sy, img_.bitmap, x, y, w, h, run.mask);
      if (img_.alpha)
        mask_to_alpha(run.mask, sx, sy, img_.alpha, x, y, w, h,
                      uint8_t(255 - transparency(colour)));
      else
        qmos_blit_mask_bits(run.mask, sx, sy, img_.mask, x, y, w, h, MASKVISIBLE);
      return;
    }
    text_glyph_blit(img_.bitmap, 0, 0, run.mask, rr.width, rr.height, img_.mask, img_.alpha, rr.x,
                    rr.y, rr.width, rr.height, colour);
  }

  // A rectangle at (x, y) in the window moved inside it; (sx, sy) follows the cut.
  bool clip_to(int32_t* sx, int32_t* sy, int32_t* x, int32_t* y, int32_t* w, int32_t* h) const {
    if (*x < 0) *sx -= *x, *w += *x, *x = 0;
    if (*y < 0) *sy -= *y, *h += *y, *y = 0;
    *w = std::min(*w, win_.width - *x);
    *h = std::min(*h, win_.height - *y);
    return *w > 0 && *h > 0;
  }
};

}  // namespace

qmTextImage& qmTextImage::operator=(qmTextImage&& other) noexcept {
  if (this != &other) {
    free();
    bitmap = other.bitmap, mask = other.mask, alpha = other.alpha;
    width = other.width, height = other.height, x = other.x, y = other.y;
    other.release();
  }
  return *this;
}

void qmTextImage::free() {
  qmos_free_bitmap(bitmap);
  qmos_free_mask(mask);
  qmos_free_alpha(alpha);
  release();
}

void text_glyph_blit(qmBitmap* target, int32_t sx, int32_t sy, const qmMask* glyph, int32_t glyph_w,
                     int32_t glyph_h, qmMask* target_mask, qmAlphaChannel* target_alpha, int32_t x,
                     int32_t y, int32_t w, int32_t h, uint32_t colour) {
  if (!target || !glyph) return;
  if (x < 0) sx -= x, w += x, x = 0;
  if (y < 0) sy -= y, h += y, y = 0;
  if (sx < 0) x -= sx, w += sx, sx = 0;
  if (sy < 0) y -= sy, h += sy, sy = 0;
  w = std::min({w, glyph_w - sx, target->width - x});
  h = std::min({h, glyph_h - sy, target->height - y});
  if (w <= 0 || h <= 0) return;
  BLTTEMPLATE(glyph, sx, sy, target, x, y, w, h, colour & 0xFFFFFF);
  if (target_alpha)
    mask_to_alpha(glyph, sx, sy, target_alpha, x, y, w, h, uint8_t(255 - transparency(colour)));
  else if (target_mask)
    qmos_blit_mask_bits(glyph, sx, sy, target_mask, x, y, w, h, MASKVISIBLE);
}

void text_block_geometry(const qmTextLayout& layout, const qmTextJob& job, qmTextBlock* out) {
  *out = qmTextBlock{};
  out->font = job.style.font ? job.style.font : font_default();
  out->line_height = layout.line_height;
  out->encoding = job.encoding;
  out->runs = layout.runs;
  out->chars = layout.chars;
  std::vector<qmTextRun>& runs = out->runs;
  if (runs.empty()) {
    out->x = layout.start_x;
    out->height = std::max(layout.line_height, 1);
    return;
  }
  // A text on one line begins at its first character; more lines begin at the line area's edge.
  int64_t base = 0;
  if (std::all_of(runs.begin(), runs.end(), [](const qmTextRun& r) { return r.line == 0; })) {
    base = layout.start_x;
    for (qmTextRun& r : runs) r.x = clamp32(int64_t(r.x) - base);
  }
  int64_t left = INT64_MAX, top = 0, right = INT64_MIN, widest = INT64_MIN, bottom = INT64_MIN;
  for (const qmTextRun& r : runs) {
    const qmTextExtent& e = r.extent;
    left = std::min<int64_t>(left, int64_t(r.x) + run_left(r) + e.extra_left);
    top = std::min<int64_t>(top, e.extra_top);
    right = std::max<int64_t>(right, int64_t(r.x) + e.needed + e.extra_right);
    widest = std::max<int64_t>(widest, int64_t(r.x) + e.ink_right + 1);
    bottom = std::max<int64_t>(bottom, int64_t(r.y) + layout.line_height + 1 + e.extra_bottom);
  }
  // Each line is aligned on the widest: its last run's ink ends there (RIGHT), or half way.
  if (job.align == kTextAlignCenter || job.align == kTextAlignRight) {
    for (size_t end = runs.size(); end > 0;) {
      size_t begin = end - 1;
      while (begin > 0 && runs[begin - 1].line == runs[end - 1].line) --begin;
      const qmTextRun& last = runs[end - 1];
      const int64_t free = widest - (int64_t(last.x) + last.extent.ink_right) - 1;
      const int64_t shift = job.align == kTextAlignRight ? free : free / 2;
      for (size_t k = begin; k < end; ++k) runs[k].x = clamp32(runs[k].x + shift);
      end = begin;
    }
  }
  int64_t width = right - left;
  if (layout.area_width > 0) width = std::min<int64_t>(width, layout.area_width - (base + left));
  out->x = clamp32(base + left);
  out->y = clamp32(top);
  out->width = clamp32(std::max<int64_t>(width, 1));
  out->height = clamp32(std::max<int64_t>(bottom - top, 1));
  for (qmTextRun& r : runs) {
    r.x = clamp32(int64_t(r.x) - left);
    r.y = clamp32(int64_t(r.y) - top);
  }
}

int32_t text_block_compose(const qmTextBlock& block, const Rect* window, qmTextImage* out) {
  out->free();
  Rect win{0, 0, block.width, block.height};
  if (window) win = rect_intersect(win, *window);
  out->x = block.x + win.x;
  out->y = block.y + win.y;
  if (win.width < 1 || win.height < 1) {
    out->width = out->height = 0;
    return 0;
  }
  Composer c(block, win);
  if (int32_t err = c.compose(out)) return err;
  out->width = win.width;
  out->height = win.height;
  return 0;
}

int32_t text_render_runs(const qmTextLayout& layout, const qmTextJob& job, qmTextImage* out) {
  qmTextBlock block;
  text_block_geometry(layout, job, &block);
  return text_block_compose(block, nullptr, out);
}

}  // namespace qm

// The glyph-run frame: the block geometry of a laid-out text and the composition of its runs
// into one image.
//
// The image is a bitmap with a coverage plane: an 8-bit alpha plane when the text is
// anti-aliased or a colour in use carries a transparency, else a 1-bit mask. A text without
// effects renders its glyphs straight into the block's plane over a bitmap filled with
// that colour (or, in more colours, each run's box filled with its colour); a text with effects
// renders each run into an image of its own and puts that into the block in the run's colour,
// which is where the effects of a run (its shadow and edge, drawn under the glyphs) have their
// place.
//
// Each run is clipped to the rows of its line and one more (font height + 1 rows from the line's
// top), in both ways, so a glyph reaching above its line never draws into the line before.
#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "engine/errcodes.h"
#include "gfx/bitmap.h"
#include "gfx/blitpixels.h"
#include "text/edges.h"
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

// A bitmap font leaves bold to the run renderer, which smears its glyphs one pixel to the right
// (the pixel that measuring adds for bold).
bool bitmap_bold(const qmTextStyle& s) {
  const qmFont* f = s.font ? s.font : font_default();
  return (s.flags & TEXTSTYLE_BOLD) && f && (f->kind == FONTKIND_BITMAP || f->kind == FONTKIND_COLOURBITMAP) &&
         !font_capability(f);
}

bool has_effects(const qmTextStyle& s) {
  return (s.flags & (TEXTSTYLE_SHADOW | TEXTSTYLE_EDGE | TEXTSTYLE_UNDERLINED | TEXTSTYLE_ITALIC)) != 0 ||
         bitmap_bold(s);
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
  Planes() = default;
  Planes(Planes&& o) noexcept : bitmap(o.bitmap), mask(o.mask), alpha(o.alpha) {
    o.bitmap = nullptr, o.mask = nullptr, o.alpha = nullptr;
  }
  Planes(const Planes&) = delete;
  Planes& operator=(const Planes&) = delete;
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
    const int32_t err = plain() ? compose_plain() : compose_runs();
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

  // No effects and one transparency: the glyphs can go straight into the block's plane.
  bool plain() const {
    for (const qmTextRun& r : b_.runs)
      if (has_effects(r.style) ||
          transparency(r.style.colour) != transparency(b_.runs.front().style.colour))
        return false;
    return true;
  }
  bool one_colour() const {
    for (const qmTextRun& r : b_.runs)
      if (r.style.colour != b_.runs.front().style.colour) return false;
    return true;
  }

  qmFont* font_of(const qmTextRun& r) const { return r.style.font ? r.style.font : b_.font; }

  int32_t draw_glyphs(const qmTextRun& r, const qmFontTarget& target, int32_t pen_x, int32_t pen_y,
                      const qmClipRect& clip) const {
    return font_render(font_of(r), target, pen_x, pen_y, b_.chars.data() + r.start, r.length,
                       r.style.flags & kFontStyleBits, b_.encoding, clip, FONTRENDER_COVERAGE);
  }

  // No effects: every glyph straight into the block's plane, over its run's colour (where runs
  // of two colours overlap, the later one's colour shows).
  int32_t compose_plain() {
    const uint32_t colour = b_.runs.empty() ? 0 : b_.runs.front().style.colour;
    const bool one = one_colour();
    qmos_fill_bitmap_rect(img_.bitmap, 0, 0, win_.width, win_.height, one ? colour & 0xFFFFFF : 0);
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
      if (!one) {
        int32_t sx = 0, sy = 0, x = rr.x, y = rr.y, w = rr.width, h = rr.height;
        if (clip_to(&sx, &sy, &x, &y, &w, &h))
          qmos_fill_bitmap_rect(img_.bitmap, x, y, w, h, r.style.colour & 0xFFFFFF);
      }
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

  // ---- Runs with effects ----------------------------------------------------------------------
  //
  // Each run is rendered into a coverage image of its own (8-bit, 0 or 255 where the run is not
  // anti-aliased), sheared and underlined there when the font leaves those styles to us, and put
  // into the block in three passes: every run's shadow, then every run's edge, then every run's
  // glyphs, so that text lies over edges and edges over shadows also where runs meet. On an alpha
  // plane each layer goes over what lies there ("over" in colour and coverage, its coverage scaled
  // by 255 minus its colour's transparency); on a mask each covered pixel takes the colour.

  struct RunImage {
    const qmTextRun* run = nullptr;
    Rect at;      // the coverage's corner and size in the window
    Planes cov;   // alpha: the coverage; bitmap: a colour font's own pixels
    Planes bits;  // mask: the coverage as bits (mask blocks only)
    Planes edge;  // the grown coverage: alpha (soft) or mask (hard), (w + 2s + 1) x (h + 2s + 1)
    RunImage() = default;
    RunImage(RunImage&&) = default;
  };

  int32_t compose_runs() {
    qmos_fill_bitmap_rect(img_.bitmap, 0, 0, win_.width, win_.height, 0);
    std::vector<RunImage> images;
    images.reserve(b_.runs.size());
    for (const qmTextRun& r : b_.runs) {
      const Rect rr = run_rect(r);
      if (!visible(grown(rr, r.style))) continue;
      RunImage ri;
      ri.run = &r;
      ri.at = rr;
      if (int32_t err = render_run(r, &ri)) return err;
      images.push_back(std::move(ri));
    }
    for (RunImage& ri : images) {
      const qmTextStyle& s = ri.run->style;
      if (!(s.flags & TEXTSTYLE_SHADOW)) continue;
      const int32_t dir = s.shadow_direction >= 0 && s.shadow_direction <= 7 ? s.shadow_direction : 3;
      static constexpr int32_t kStepX[8] = {0, 1, 1, 1, 0, -1, -1, -1}, kStepY[8] = {-1, -1, 0, 1, 1, 1, 0, -1};
      const int32_t dx = kStepX[dir] * s.shadow_distance, dy = kStepY[dir] * s.shadow_distance;
      // With an edge the shadow has the edged text's shape.
      if (s.flags & TEXTSTYLE_EDGE) {
        if (int32_t err = grow(&ri)) return err;
        put_edge(ri, dx, dy, s.shadow_colour);
      } else {
        put(ri.cov.alpha, ri.bits.mask, nullptr, ri.at.x + dx, ri.at.y + dy, ri.at.width, ri.at.height,
            s.shadow_colour);
      }
    }
    for (RunImage& ri : images) {
      const qmTextStyle& s = ri.run->style;
      if (!(s.flags & TEXTSTYLE_EDGE)) continue;
      if (int32_t err = grow(&ri)) return err;
      put_edge(ri, 0, 0, s.edge_colour);
    }
    for (const RunImage& ri : images)
      put(ri.cov.alpha, ri.bits.mask, ri.cov.bitmap, ri.at.x, ri.at.y, ri.at.width, ri.at.height,
          ri.run->style.colour);
    return 0;
  }

  // The run's rectangle with the room its shadow and edge take.
  static Rect grown(const Rect& rr, const qmTextStyle& s) {
    int64_t by = 0;
    if (s.flags & TEXTSTYLE_EDGE) by += s.edge_size;
    if (s.flags & TEXTSTYLE_SHADOW) by += s.shadow_distance;
    const int32_t g = int32_t(std::min<int64_t>(by, 1 << 20));
    return Rect{rr.x - g, rr.y - g, rr.width + 2 * g, rr.height + 2 * g};
  }

  // True when the font leaves italic and underline to the run renderer.
  bool synthetic(const qmTextRun& r) const { return font_capability(font_of(r)) == 0; }

  int32_t render_run(const qmTextRun& r, RunImage* ri) {
    qmFont* font = font_of(r);
    const int32_t w = ri->at.width, h = ri->at.height;
    const bool aa = (r.style.flags & TEXTSTYLE_ANTIALIAS) != 0;
    Planes glyphs;  // a run that is not anti-aliased renders its bits here first
    ri->cov.alpha = qmos_alloc_alpha(w, h, 1);
    if (font->kind == FONTKIND_COLOURBITMAP) ri->cov.bitmap = qmos_alloc_bitmap(w, h);
    if (!aa) glyphs.mask = qmos_alloc_mask(w, h, 1);
    if (!ri->cov.alpha || (font->kind == FONTKIND_COLOURBITMAP && !ri->cov.bitmap) || (!aa && !glyphs.mask))
      return ERR_MEM;
    int32_t style = r.style.flags & kFontStyleBits;
    // The shear below is the run's only slant.
    if (synthetic(r)) style &= ~TEXTSTYLE_ITALIC;
    const qmFontTarget target =
        target_of(ri->cov.bitmap, glyphs.mask, aa ? ri->cov.alpha : nullptr, w, h);
    if (int32_t err = font_render(font, target, -run_left(r), 0, b_.chars.data() + r.start, r.length, style,
                                  b_.encoding, qmClipRect{0, 0, w, h}, FONTRENDER_COVERAGE))
      return err;
    if (glyphs.mask) mask_expand_to_alpha(glyphs.mask, 0, 0, ri->cov.alpha, 0, 0, w, h, 255);
    if (bitmap_bold(r.style)) smear(&ri->cov);
    if (synthetic(r)) {
      if (r.style.flags & TEXTSTYLE_ITALIC) shear(font->baseline, &ri->cov);
      if (r.style.flags & TEXTSTYLE_UNDERLINED) underline(r, font, &ri->cov);
    }
    if (img_.mask) {
      ri->bits.mask = qmos_alloc_mask(w, h, 1);
      if (!ri->bits.mask) return ERR_MEM;
      alpha_to_mask(ri->cov.alpha, 0, 0, ri->bits.mask, 0, 0, w, h, MASKVISIBLE);
    }
    return 0;
  }

  // Italic: row y moves right by baseline / 2 - y / 2 pixels (one pixel every second row, none
  // near the baseline, leftward below it).
  static void shear(int32_t baseline, Planes* p) {
    qmAlphaChannel* a = p->alpha;
    std::vector<uint8_t> row(size_t(a->width));
    std::vector<uint32_t> pixels(p->bitmap ? size_t(a->width) : 0);
    for (int32_t y = 0; y < a->height; ++y) {
      const int32_t shift = baseline / 2 - y / 2;
      if (shift == 0) continue;
      uint8_t* line = a->data + ptrdiff_t(y) * a->bytes_per_row;
      shift_row(line, row.data(), a->width, shift);
      if (p->bitmap) {
        uint32_t* px = p->bitmap->pixels + ptrdiff_t(y) * (p->bitmap->bytes_per_row / 4);
        shift_row(px, pixels.data(), a->width, shift);
      }
    }
  }
  template <typename T>
  static void shift_row(T* line, T* scratch, int32_t w, int32_t shift) {
    std::fill(scratch, scratch + w, T(0));
    for (int32_t x = 0; x < w; ++x)
      if (x + shift >= 0 && x + shift < w) scratch[x + shift] = line[x];
    std::copy(scratch, scratch + w, line);
  }

  // Bold for bitmap fonts: every pixel also covers the one to its right.
  static void smear(Planes* p) {
    qmAlphaChannel* a = p->alpha;
    for (int32_t y = 0; y < a->height; ++y) {
      uint8_t* line = a->data + ptrdiff_t(y) * a->bytes_per_row;
      uint32_t* px = p->bitmap ? p->bitmap->pixels + ptrdiff_t(y) * (p->bitmap->bytes_per_row / 4) : nullptr;
      for (int32_t x = a->width - 1; x > 0; --x)
        if (line[x - 1] > line[x]) {
          line[x] = line[x - 1];
          if (px) px[x] = px[x - 1];
        }
    }
  }

  // Underline: with the baseline b and the descent d below it, a bar from b + max(d / 3, 1) of
  // max(d / 3, 1) rows when d is 2 or more, else one row at b + d; over the run's advance.
  void underline(const qmTextRun& r, const qmFont* font, Planes* p) const {
    const int32_t b = font->baseline, d = font->height - font->baseline;
    const int32_t top = d >= 2 ? b + std::max(d / 3, 1) : b + std::max(d, 0);
    const int32_t rows = d >= 2 ? std::max(d / 3, 1) : 1;
    qmAlphaChannel* a = p->alpha;
    const int32_t x0 = std::max(-run_left(r), 0), x1 = std::min(-run_left(r) + r.extent.advance, a->width);
    const int32_t y1 = std::min(top + rows, a->height);
    if (x1 <= x0) return;
    const uint32_t colour = color_to_pixel_format(r.style.colour & 0xFFFFFF, PIXFMT_BGRX);
    for (int32_t y = std::max(top, 0); y < y1; ++y) {
      std::memset(a->data + ptrdiff_t(y) * a->bytes_per_row + x0, 255, size_t(x1 - x0));
      if (p->bitmap)
        std::fill_n(p->bitmap->pixels + ptrdiff_t(y) * (p->bitmap->bytes_per_row / 4) + x0, x1 - x0, colour);
    }
  }

  // The run's coverage grown by its edge size, once: soft on an alpha plane, hard on a mask.
  int32_t grow(RunImage* ri) const {
    if (ri->edge.alpha || ri->edge.mask) return 0;
    const int32_t s = ri->run->style.edge_size;
    const int32_t w = ri->at.width, h = ri->at.height;
    const int64_t gw = int64_t(w) + 2 * s + 1, gh = int64_t(h) + 2 * s + 1;
    if (!picture_size_allowed(gw, gh)) return ERR_MEM;
    if (img_.alpha) {
      ri->edge.alpha = qmos_alloc_alpha(int32_t(gw), int32_t(gh), 0);
      if (!ri->edge.alpha) return ERR_MEM;
      return text_coverage_spread(ri->cov.alpha->data, ri->cov.alpha->bytes_per_row, w, h, s, ri->edge.alpha->data,
                                  ri->edge.alpha->bytes_per_row);
    }
    ri->edge.mask = qmos_alloc_mask(int32_t(gw), int32_t(gh), 1);
    if (!ri->edge.mask) return ERR_MEM;
    return text_mask_dilate(ri->bits.mask, w, h, s, ri->edge.mask);
  }

  void put_edge(const RunImage& ri, int32_t dx, int32_t dy, uint32_t colour) {
    const int32_t s = ri.run->style.edge_size;
    const qmAlphaChannel* a = ri.edge.alpha;
    const qmMask* m = ri.edge.mask;
    put(a, m, nullptr, ri.at.x - s + dx, ri.at.y - s + dy, a ? a->width : m->width, a ? a->height : m->height,
        colour);
  }

  // A coverage image (alpha on an alpha block, bits on a mask block) of w x h at (x, y) of the
  // window in the colour, or in a colour font's own pixels.
  void put(const qmAlphaChannel* cov, const qmMask* bits, const qmBitmap* pixels, int32_t x, int32_t y, int32_t w,
           int32_t h, uint32_t colour) {
    int32_t sx = 0, sy = 0;
    if (!clip_to(&sx, &sy, &x, &y, &w, &h)) return;
    if (!img_.alpha) {
      if (pixels) {
        BLTMASK(pixels, sx, sy, img_.bitmap, x, y, w, h, bits);
        qmos_blit_mask_bits(bits, sx, sy, img_.mask, x, y, w, h, MASKVISIBLE);
      } else {
        text_glyph_blit(img_.bitmap, sx, sy, bits, bits->width, bits->height, img_.mask, nullptr, x, y, w, h,
                        colour);
      }
      return;
    }
    const int32_t level = 255 - int32_t(transparency(colour));
    const uint32_t c = color_to_pixel_format(colour & 0xFFFFFF, img_.bitmap->format);
    const int32_t ppr = img_.bitmap->bytes_per_row / 4;
    const int32_t pixels_ppr = pixels ? pixels->bytes_per_row / 4 : 0;
    for (int32_t row = 0; row < h; ++row) {
      const uint8_t* src = cov->data + ptrdiff_t(sy + row) * cov->bytes_per_row + sx;
      uint8_t* ta = img_.alpha->data + ptrdiff_t(y + row) * img_.alpha->bytes_per_row + x;
      uint32_t* d = img_.bitmap->pixels + ptrdiff_t(y + row) * ppr + x;
      const uint32_t* px = pixels ? pixels->pixels + ptrdiff_t(sy + row) * pixels_ppr + sx : nullptr;
      for (int32_t col = 0; col < w; ++col) {
        if (!src[col]) continue;
        const int32_t a = level == 255 ? src[col] : src[col] * level / 255;
        if (a) over(&d[col], &ta[col], px ? px[col] : c, a);
      }
    }
  }

  // Colour n with coverage a over the pixel and its coverage.
  static void over(uint32_t* pixel, uint8_t* coverage, uint32_t n, int32_t a) {
    const int32_t below = *coverage;
    if (below == 0 || a == 255) {
      *pixel = n;
      *coverage = uint8_t(a);
      return;
    }
    const int32_t kept = below * (255 - a) / 255;
    const int32_t total = a + kept;
    uint32_t out = 0;
    for (int32_t shift = 0; shift < 32; shift += 8) {
      const int32_t top = int32_t((n >> shift) & 0xFF), under = int32_t((*pixel >> shift) & 0xFF);
      out |= uint32_t((top * a + under * kept + total / 2) / total) << shift;
    }
    *pixel = out;
    *coverage = uint8_t(total);
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

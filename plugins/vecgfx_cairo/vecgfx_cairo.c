/* vecgfx_cairo: the player's vector-graphics plug-in. Paths are built into cairo contexts from the
 * operation buffer (runtime/plugins/qmvector.h); coverage is painted into the player's 8-bit plane
 * laid under an A8 image surface; extents come from cairo's fill and stroke extents under the same
 * settings. Text outlines come from FreeType faces that the player hands over, decomposed through
 * the base table's FreeType functions (cairo's own FreeType fonts keep faces alive in caches past
 * their release, so they are not used).
 *
 * Nothing here trusts a value to be sane: a real that is not finite, a point beyond cairo's reach,
 * an unknown opcode, a dash pattern cairo refuses or a context in error makes the entry give 0 (or
 * zero extents), and the plane is painted only once the whole path has been built. */
#include <cairo.h>
#include <dlfcn.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include <math.h>
#include <pthread.h>
#include <stdlib.h>
#include <string.h>

#include "runtime/plugins/qmplugin.h"
#include "runtime/plugins/qmvector.h"

#define EXPORT __attribute__((visibility("default")))

static const qmPluginBase* g_base;

/* ---- cairo, opened at the first path --------------------------------------------------------- */

/* The player loads its plug-ins as it starts; cairo and what it brings along (pixman, xcb) are
 * opened at the first path instead, so that a program that draws no vectors does not wait for
 * them. QM_CAIRO_LIBRARY names another library to open (tests). Where none can be opened, every
 * entry that needs cairo gives 0. */
#define QM_CAIRO_FUNCTIONS(X) \
  X(arc) \
  X(arc_negative) \
  X(close_path) \
  X(copy_path_flat) \
  X(create) \
  X(curve_to) \
  X(debug_reset_static_data) \
  X(destroy) \
  X(fill) \
  X(fill_extents) \
  X(get_antialias) \
  X(get_current_point) \
  X(get_matrix) \
  X(has_current_point) \
  X(image_surface_create) \
  X(image_surface_create_for_data) \
  X(line_to) \
  X(matrix_init) \
  X(move_to) \
  X(new_sub_path) \
  X(path_destroy) \
  X(path_extents) \
  X(rectangle) \
  X(scale) \
  X(set_antialias) \
  X(set_dash) \
  X(set_fill_rule) \
  X(set_line_cap) \
  X(set_line_join) \
  X(set_line_width) \
  X(set_matrix) \
  X(set_source_rgba) \
  X(status) \
  X(stroke) \
  X(stroke_extents) \
  X(surface_destroy) \
  X(surface_flush) \
  X(translate)

static struct {
#define QM_CAIRO_SLOT(name) __typeof__(cairo_##name)* name;
  QM_CAIRO_FUNCTIONS(QM_CAIRO_SLOT)
#undef QM_CAIRO_SLOT
} g_cairo;
static int g_cairo_open; /* 1 once every function was found */
static pthread_once_t g_cairo_once = PTHREAD_ONCE_INIT;

static void open_cairo(void) {
  const char* name = getenv("QM_CAIRO_LIBRARY");
  void* library = dlopen(name && *name ? name : "libcairo.so.2", RTLD_LAZY | RTLD_LOCAL);
  if (library == NULL) return;
#define QM_CAIRO_RESOLVE(name)                                                    \
  if ((g_cairo.name = (__typeof__(g_cairo.name))dlsym(library, "cairo_" #name)) == NULL) { \
    dlclose(library);                                                             \
    return;                                                                       \
  }
  QM_CAIRO_FUNCTIONS(QM_CAIRO_RESOLVE)
#undef QM_CAIRO_RESOLVE
  g_cairo_open = 1;
}

static int cairo_opened(void) {
  pthread_once(&g_cairo_once, open_cairo);
  return g_cairo_open;
}

/* From here on the names reach the opened library. */
#define cairo_arc g_cairo.arc
#define cairo_arc_negative g_cairo.arc_negative
#define cairo_close_path g_cairo.close_path
#define cairo_copy_path_flat g_cairo.copy_path_flat
#define cairo_create g_cairo.create
#define cairo_curve_to g_cairo.curve_to
#define cairo_debug_reset_static_data g_cairo.debug_reset_static_data
#define cairo_destroy g_cairo.destroy
#define cairo_fill g_cairo.fill
#define cairo_fill_extents g_cairo.fill_extents
#define cairo_get_antialias g_cairo.get_antialias
#define cairo_get_current_point g_cairo.get_current_point
#define cairo_get_matrix g_cairo.get_matrix
#define cairo_has_current_point g_cairo.has_current_point
#define cairo_image_surface_create g_cairo.image_surface_create
#define cairo_image_surface_create_for_data g_cairo.image_surface_create_for_data
#define cairo_line_to g_cairo.line_to
#define cairo_matrix_init g_cairo.matrix_init
#define cairo_move_to g_cairo.move_to
#define cairo_new_sub_path g_cairo.new_sub_path
#define cairo_path_destroy g_cairo.path_destroy
#define cairo_path_extents g_cairo.path_extents
#define cairo_rectangle g_cairo.rectangle
#define cairo_scale g_cairo.scale
#define cairo_set_antialias g_cairo.set_antialias
#define cairo_set_dash g_cairo.set_dash
#define cairo_set_fill_rule g_cairo.set_fill_rule
#define cairo_set_line_cap g_cairo.set_line_cap
#define cairo_set_line_join g_cairo.set_line_join
#define cairo_set_line_width g_cairo.set_line_width
#define cairo_set_matrix g_cairo.set_matrix
#define cairo_set_source_rgba g_cairo.set_source_rgba
#define cairo_status g_cairo.status
#define cairo_stroke g_cairo.stroke
#define cairo_stroke_extents g_cairo.stroke_extents
#define cairo_surface_destroy g_cairo.surface_destroy
#define cairo_surface_flush g_cairo.surface_flush
#define cairo_translate g_cairo.translate

/* ---- FreeType through the base table --------------------------------------------------------- */

enum { FT_SLOT_LOAD_GLYPH = 4, FT_SLOT_OUTLINE_DECOMPOSE = 12, FT_SLOT_GET_CHAR_INDEX = 14, FT_SLOT_SET_CHAR_SIZE = 20 };
typedef FT_Error (*LoadGlyphFn)(FT_Face, FT_UInt, FT_Int32);
typedef FT_Error (*DecomposeFn)(FT_Outline*, const FT_Outline_Funcs*, void*);
typedef FT_UInt (*CharIndexFn)(FT_Face, FT_ULong);
typedef FT_Error (*SetCharSizeFn)(FT_Face, FT_F26Dot6, FT_F26Dot6, FT_UInt, FT_UInt);

/* The vector fonts: handle n is entry n - 1. */
typedef struct Font {
  FT_Face face;
  int32_t size; /* the size the face is set to, 0 before the first */
} Font;
static Font* g_fonts;
static uint32_t g_font_count;

static Font* font_of(uint32_t handle) {
  if (handle == 0 || handle > g_font_count || g_fonts[handle - 1].face == NULL) return NULL;
  return &g_fonts[handle - 1];
}

/* ---- Reading the buffer ---------------------------------------------------------------------- */

typedef struct Reader {
  const uint8_t* at;
} Reader;

static int32_t read_word(Reader* r) {
  int32_t v;
  memcpy(&v, r->at, 4);
  r->at += 4;
  return v;
}

/* A real, or 0 when it is not finite. */
static int read_real(Reader* r, double* out) {
  memcpy(out, r->at, 8);
  r->at += 8;
  return isfinite(*out);
}

static int read_reals(Reader* r, double* out, int n) {
  int ok = 1;
  for (int i = 0; i < n; ++i) ok &= read_real(r, &out[i]);
  return ok;
}

/* ---- Building a path ------------------------------------------------------------------------- */

/* How far from (0, 0) a path may reach, in pixels. cairo keeps coordinates in 24.8 fixed point
 * (about 8.4 million pixels either way): past that its paths wrap and clamp into wrong extents, and
 * filling them takes seconds. Half that range keeps room for the drawing's own offsets. */
#define REACH 4194304.0

static int within(double v, double extra) { return fabs(v) + fabs(extra) <= REACH; }

/* Every absolute coordinate is moved by (dx, dy); without a current point relative operations count
 * from there too. */
typedef struct Builder {
  cairo_t* cr;
  double dx, dy;
} Builder;

static void current_point(const Builder* b, double* x, double* y) {
  if (cairo_has_current_point(b->cr)) {
    cairo_get_current_point(b->cr, x, y);
  } else {
    *x = b->dx;
    *y = b->dy;
  }
}

/* The arc of the unit circle scaled by the radii, angles in degrees growing clockwise on the
 * screen; a sweep is at most one turn. */
static void add_arc(cairo_t* cr, double cx, double cy, double rx, double ry, double a1, double a2, int clockwise) {
  double sweep = clockwise ? a2 - a1 : a1 - a2;
  if (sweep < 0) sweep += 360.0 * ceil(-sweep / 360.0);
  if (sweep > 360.0) sweep = 360.0;
  a1 = fmod(a1, 360.0);
  a2 = clockwise ? a1 + sweep : a1 - sweep;
  const double r1 = a1 * (M_PI / 180.0), r2 = a2 * (M_PI / 180.0);
  if (rx == 0 || ry == 0) {
    /* A flat ellipse is the line between its ends. */
    cairo_line_to(cr, cx + rx * cos(r1), cy + ry * sin(r1));
    cairo_line_to(cr, cx + rx * cos(r2), cy + ry * sin(r2));
    return;
  }
  cairo_matrix_t saved;
  cairo_get_matrix(cr, &saved);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, rx, ry);
  if (clockwise) cairo_arc(cr, 0, 0, 1, r1, r2);
  else cairo_arc_negative(cr, 0, 0, 1, r1, r2);
  cairo_set_matrix(cr, &saved);
}

/* A box whose corners are arcs of radius (half the shorter side) x level / 100, whole pixels, as
 * the draw library rounds its boxes; all levels 0 is a plain rectangle. */
static void add_box(cairo_t* cr, double x, double y, double w, double h, const int32_t corners[4]) {
  if (w < 0) x += w, w = -w;
  if (h < 0) y += h, h = -h;
  if (corners[0] == 0 && corners[1] == 0 && corners[2] == 0 && corners[3] == 0) {
    cairo_rectangle(cr, x, y, w, h);
    return;
  }
  const double half = floor((w < h ? w : h) / 2);
  double r[4];
  for (int i = 0; i < 4; ++i) {
    const int32_t level = corners[i] < 1 ? 1 : corners[i] > 100 ? 100 : corners[i];
    r[i] = floor(half * level / 100);
  }
  /* a top-left, b bottom-left, c bottom-right, d top-right; clockwise from the top-left. */
  cairo_move_to(cr, x + r[0], y);
  cairo_arc(cr, x + w - r[3], y + r[3], r[3], -M_PI / 2, 0);
  cairo_arc(cr, x + w - r[2], y + h - r[2], r[2], 0, M_PI / 2);
  cairo_arc(cr, x + r[1], y + h - r[1], r[1], M_PI / 2, M_PI);
  cairo_arc(cr, x + r[0], y + r[0], r[0], M_PI, 3 * M_PI / 2);
  cairo_close_path(cr);
}

/* Glyph outlines: FreeType's 26.6 points on the baseline at (x, y), y growing upwards. */
typedef struct Outline {
  cairo_t* cr;
  double x, y;
  double last_x, last_y;
  int open;
} Outline;

static void outline_point(const Outline* o, const FT_Vector* v, double* x, double* y) {
  *x = o->x + v->x / 64.0;
  *y = o->y - v->y / 64.0;
}

static int outline_move(const FT_Vector* to, void* user) {
  Outline* o = user;
  if (o->open) cairo_close_path(o->cr);
  outline_point(o, to, &o->last_x, &o->last_y);
  cairo_move_to(o->cr, o->last_x, o->last_y);
  o->open = 1;
  return 0;
}

static int outline_line(const FT_Vector* to, void* user) {
  Outline* o = user;
  outline_point(o, to, &o->last_x, &o->last_y);
  cairo_line_to(o->cr, o->last_x, o->last_y);
  return 0;
}

/* A quadratic curve as the cubic with control points two thirds of the way to its control. */
static int outline_conic(const FT_Vector* control, const FT_Vector* to, void* user) {
  Outline* o = user;
  double cx, cy, x, y;
  outline_point(o, control, &cx, &cy);
  outline_point(o, to, &x, &y);
  cairo_curve_to(o->cr, o->last_x + 2.0 / 3.0 * (cx - o->last_x), o->last_y + 2.0 / 3.0 * (cy - o->last_y),
                 x + 2.0 / 3.0 * (cx - x), y + 2.0 / 3.0 * (cy - y), x, y);
  o->last_x = x, o->last_y = y;
  return 0;
}

static int outline_cubic(const FT_Vector* c1, const FT_Vector* c2, const FT_Vector* to, void* user) {
  Outline* o = user;
  double x1, y1, x2, y2;
  outline_point(o, c1, &x1, &y1);
  outline_point(o, c2, &x2, &y2);
  outline_point(o, to, &o->last_x, &o->last_y);
  cairo_curve_to(o->cr, x1, y1, x2, y2, o->last_x, o->last_y);
  return 0;
}

/* The next code point of UTF-8 text; a byte that does not start a whole sequence stands for itself. */
static uint32_t next_code(const unsigned char** p) {
  const unsigned char* s = *p;
  int n = s[0] >= 0xF0 && s[0] < 0xF5 ? 3 : s[0] >= 0xE0 ? 2 : s[0] >= 0xC2 && s[0] < 0xE0 ? 1 : 0;
  if (s[0] >= 0xF5) n = 0;
  uint32_t code = n == 3 ? s[0] & 0x07u : n == 2 ? s[0] & 0x0Fu : n == 1 ? s[0] & 0x1Fu : s[0];
  for (int i = 1; i <= n; ++i) {
    if ((s[i] & 0xC0) != 0x80) {
      *p = s + 1;
      return s[0];
    }
    code = (code << 6) | (s[i] & 0x3Fu);
  }
  *p = s + 1 + n;
  return code;
}

/* The glyphs of the text from the current point on, which then moves past their advances. */
static int add_text(const Builder* b, uint32_t handle, int32_t size, const char* text) {
  Font* f = font_of(handle);
  if (f == NULL || size < 1 || size > 32767) return 0;
  FT_Face face = f->face;
  if (f->size != size) {
    if (((SetCharSizeFn)g_base->freetype[FT_SLOT_SET_CHAR_SIZE])(face, 0, (FT_F26Dot6)size * 64, 72, 72)) return 0;
    f->size = size;
  }
  Outline o = {b->cr, 0, 0, 0, 0, 0};
  current_point(b, &o.x, &o.y);
  /* No glyph reaches further than twice the size from its origin, and each advances at most that. */
  if (!within(o.x, 2.0 * size * ((double)strlen(text) + 1)) || !within(o.y, 2.0 * size)) return 0;
  const FT_Outline_Funcs funcs = {outline_move, outline_line, outline_conic, outline_cubic, 0, 0};
  for (const unsigned char* p = (const unsigned char*)text; *p;) {
    const uint32_t code = next_code(&p);
    const FT_UInt index = ((CharIndexFn)g_base->freetype[FT_SLOT_GET_CHAR_INDEX])(face, code);
    if (((LoadGlyphFn)g_base->freetype[FT_SLOT_LOAD_GLYPH])(face, index, FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP))
      continue;
    if (face->glyph->format == FT_GLYPH_FORMAT_OUTLINE) {
      o.open = 0;
      ((DecomposeFn)g_base->freetype[FT_SLOT_OUTLINE_DECOMPOSE])(&face->glyph->outline, &funcs, &o);
      if (o.open) cairo_close_path(b->cr);
    }
    o.x += face->glyph->linearHoriAdvance / 65536.0;
  }
  cairo_move_to(b->cr, o.x, o.y);
  return 1;
}

/* Builds the whole buffer into the context's path; 0 on bad input. */
static int build(const Builder* b, const void* ops) {
  if (ops == NULL) return 0;
  cairo_t* cr = b->cr;
  Reader r = {ops};
  for (;;) {
    const int32_t op = read_word(&r);
    double v[7];
    switch (op) {
      case QMVEC_OP_END: return cairo_status(cr) == CAIRO_STATUS_SUCCESS;
      case QMVEC_OP_MOVE:
      case QMVEC_OP_LINE:
      case QMVEC_OP_CURVE: {
        const int32_t relative = read_word(&r);
        const int n = op == QMVEC_OP_CURVE ? 6 : 2;
        if (!read_reals(&r, v, n)) return 0;
        double ox = b->dx, oy = b->dy;
        if (relative) current_point(b, &ox, &oy);
        for (int i = 0; i < n; i += 2) v[i] += ox, v[i + 1] += oy;
        for (int i = 0; i < n; ++i)
          if (!within(v[i], 0)) return 0;
        if (op == QMVEC_OP_MOVE) cairo_move_to(cr, v[0], v[1]);
        else if (op == QMVEC_OP_LINE) cairo_line_to(cr, v[0], v[1]);
        else cairo_curve_to(cr, v[0], v[1], v[2], v[3], v[4], v[5]);
        break;
      }
      case QMVEC_OP_NEWSUBPATH: cairo_new_sub_path(cr); break;
      case QMVEC_OP_CLOSE: cairo_close_path(cr); break;
      case QMVEC_OP_ARC: {
        if (!read_reals(&r, v, 6)) return 0;
        const int32_t clockwise = read_word(&r);
        if (!within(v[0] + b->dx, v[2]) || !within(v[1] + b->dy, v[3])) return 0;
        add_arc(cr, v[0] + b->dx, v[1] + b->dy, v[2], v[3], v[4], v[5], clockwise != 0);
        break;
      }
      case QMVEC_OP_BOX: {
        int32_t corners[4];
        if (!read_reals(&r, v, 4)) return 0;
        for (int i = 0; i < 4; ++i) corners[i] = read_word(&r);
        if (!within(v[0] + b->dx, v[2]) || !within(v[1] + b->dy, v[3])) return 0;
        add_box(cr, v[0] + b->dx, v[1] + b->dy, v[2], v[3], corners);
        break;
      }
      case QMVEC_OP_TEXT: {
        const uint32_t handle = (uint32_t)read_word(&r);
        const int32_t size = read_word(&r);
        const char* text = (const char*)r.at;
        r.at += qmvec_text_room(strlen(text));
        if (!add_text(b, handle, size, text)) return 0;
        break;
      }
      default: return 0;
    }
    if (cairo_status(cr) != CAIRO_STATUS_SUCCESS) return 0;
  }
}

/* ---- Settings -------------------------------------------------------------------------------- */

static int apply_stroke(cairo_t* cr, const qmVecStroke* s, int32_t line_width) {
  if (s == NULL || s->size != sizeof(qmVecStroke)) return 0;
  cairo_set_fill_rule(cr, s->fill_rule == QMVEC_FILL_EVENODD ? CAIRO_FILL_RULE_EVEN_ODD : CAIRO_FILL_RULE_WINDING);
  cairo_set_line_join(cr, s->line_join == QMVEC_JOIN_ROUND   ? CAIRO_LINE_JOIN_ROUND
                          : s->line_join == QMVEC_JOIN_BEVEL ? CAIRO_LINE_JOIN_BEVEL
                                                             : CAIRO_LINE_JOIN_MITER);
  cairo_set_line_cap(cr, s->line_cap == QMVEC_CAP_ROUND    ? CAIRO_LINE_CAP_ROUND
                         : s->line_cap == QMVEC_CAP_SQUARE ? CAIRO_LINE_CAP_SQUARE
                                                           : CAIRO_LINE_CAP_BUTT);
  cairo_set_line_width(cr, line_width < 1 ? 1 : line_width);
  cairo_set_antialias(cr, s->antialias ? CAIRO_ANTIALIAS_DEFAULT : CAIRO_ANTIALIAS_NONE);
  if (s->dash_count > 0) {
    if (s->dashes == NULL || !isfinite(s->dash_offset)) return 0;
    for (int32_t i = 0; i < s->dash_count; ++i)
      if (!isfinite(s->dashes[i])) return 0;
    cairo_set_dash(cr, s->dashes, s->dash_count, s->dash_offset);
  }
  return cairo_status(cr) == CAIRO_STATUS_SUCCESS;
}

/* ---- Filled extents ---------------------------------------------------------------------------- */

/* cairo's filled extents tessellate the whole outline, which for a long self-crossing one costs
 * several times filling it. The filled area's extents are the flattened outline's own whenever each
 * extreme is a clean corner: a point where just its two edges meet, turning, with no other edge
 * within a sixteenth of a pixel. Next to such a corner the area between the two edges is covered
 * exactly once, under either fill rule, so the area reaches the extreme. Otherwise cairo decides. */

/* A point of the flattened outline in cairo's 24.8 fixed-point units, exactly as it holds them. */
typedef struct Fixed {
  int64_t x, y;
} Fixed;

typedef struct Flat {
  Fixed* p;
  int32_t* first; /* per point: the first and last point of its sub-path, which closes on itself */
  int32_t* last;
  int32_t n;
} Flat;

#define CLEAR 16 /* units: a sixteenth of a pixel */

/* Whether the segment a-b comes within CLEAR units of p. */
static int comes_near(Fixed a, Fixed b, Fixed p) {
  if (p.x < (a.x < b.x ? a.x : b.x) - CLEAR || p.x > (a.x > b.x ? a.x : b.x) + CLEAR ||
      p.y < (a.y < b.y ? a.y : b.y) - CLEAR || p.y > (a.y > b.y ? a.y : b.y) + CLEAR)
    return 0;
  const double dx = (double)(b.x - a.x), dy = (double)(b.y - a.y);
  const double px = (double)(p.x - a.x), py = (double)(p.y - a.y);
  const double length = dx * dx + dy * dy;
  double t = length > 0 ? (px * dx + py * dy) / length : 0;
  t = t < 0 ? 0 : t > 1 ? 1 : t;
  const double ex = px - t * dx, ey = py - t * dy;
  return ex * ex + ey * ey < (double)CLEAR * CLEAR;
}

static int clean_corner(const Flat* f, int32_t i) {
  const int32_t first = f->first[i], last = f->last[i];
  if (last - first < 2) return 0;
  const Fixed v = f->p[i], a = f->p[i == first ? last : i - 1], b = f->p[i == last ? first : i + 1];
  const double ux = (double)(a.x - v.x), uy = (double)(a.y - v.y), wx = (double)(b.x - v.x), wy = (double)(b.y - v.y);
  /* An acute corner opens by a sine of 1/16 at least: cairo's tessellation loses slivers thinner
   * than its fixed-point steps. */
  const double cross = ux * wy - uy * wx, dot = ux * wx + uy * wy;
  if (dot > 0 && cross * cross * 256.0 < (ux * ux + uy * uy) * (wx * wx + wy * wy)) return 0;
  for (int32_t j = 0; j < f->n; ++j) {
    const int32_t k = j == f->last[j] ? f->first[j] : j + 1; /* the edge j -> k */
    if (j != i && k != i && comes_near(f->p[j], f->p[k], v)) return 0;
  }
  return 1;
}

/* The flattened outline of the context's path: repeated points dropped, a sub-path's last point
 * dropped when it is its first, sub-paths of fewer than two points (no edge) left out. */
static int flatten(cairo_t* cr, Flat* f) {
  cairo_path_t* path = cairo_copy_path_flat(cr);
  int ok = 0;
  if (path->status != CAIRO_STATUS_SUCCESS || path->num_data < 1) goto done;
  const size_t room = (size_t)path->num_data;
  f->p = malloc(room * sizeof *f->p);
  f->first = malloc(room * sizeof *f->first);
  f->last = malloc(room * sizeof *f->last);
  if (f->p == NULL || f->first == NULL || f->last == NULL) goto done;
  int32_t sub = 0;
  for (int i = 0;; i += path->data[i].header.length) {
    const int end = i >= path->num_data;
    const cairo_path_data_t* d = end ? NULL : &path->data[i];
    if (end || d->header.type == CAIRO_PATH_MOVE_TO) {
      if (f->n - sub > 1 && f->p[f->n - 1].x == f->p[sub].x && f->p[f->n - 1].y == f->p[sub].y) f->n--;
      if (f->n - sub < 2) f->n = sub;
      for (int32_t j = sub; j < f->n; ++j) f->last[j] = f->n - 1;
      sub = f->n;
      if (end) break;
    }
    if (d->header.type == CAIRO_PATH_CLOSE_PATH) continue;
    const Fixed q = {(int64_t)llround(d[1].point.x * 256), (int64_t)llround(d[1].point.y * 256)};
    if (f->n > sub && f->p[f->n - 1].x == q.x && f->p[f->n - 1].y == q.y) continue;
    f->p[f->n] = q;
    f->first[f->n] = sub;
    f->n++;
  }
  ok = 1;
done:
  cairo_path_destroy(path);
  return ok;
}

/* The filled extents when every extreme is a clean corner; 0 leaves them to cairo, as always
 * without anti-aliasing, where cairo snaps straight outlines to whole pixels. */
static int outline_fill_extents(cairo_t* cr, double* x0, double* y0, double* x1, double* y1) {
  if (cairo_get_antialias(cr) == CAIRO_ANTIALIAS_NONE) return 0;
  Flat f = {NULL, NULL, NULL, 0};
  int ok = flatten(cr, &f) && f.n >= 3;
  int32_t ext[4] = {0, 0, 0, 0}; /* the points of least x, least y, most x, most y */
  for (int32_t i = 1; ok && i < f.n; ++i) {
    if (f.p[i].x < f.p[ext[0]].x) ext[0] = i;
    if (f.p[i].y < f.p[ext[1]].y) ext[1] = i;
    if (f.p[i].x > f.p[ext[2]].x) ext[2] = i;
    if (f.p[i].y > f.p[ext[3]].y) ext[3] = i;
  }
  /* Any one clean corner on each side will do; a few tries, then cairo. */
  for (int side = 0; ok && side < 4; ++side) {
    const int64_t want = side & 1 ? f.p[ext[side]].y : f.p[ext[side]].x;
    int found = 0, tries = 0;
    for (int32_t i = ext[side]; i < f.n && !found && tries < 4; ++i) {
      if ((side & 1 ? f.p[i].y : f.p[i].x) != want) continue;
      ++tries;
      found = clean_corner(&f, i);
    }
    ok = found;
  }
  if (ok) {
    *x0 = (double)f.p[ext[0]].x / 256, *y0 = (double)f.p[ext[1]].y / 256;
    *x1 = (double)f.p[ext[2]].x / 256, *y1 = (double)f.p[ext[3]].y / 256;
  }
  free(f.p);
  free(f.first);
  free(f.last);
  return ok;
}

/* A box around the filled area's coverage without flattening: cairo keeps the box of its path's
 * curves as it builds them. The flattened outline lies on those curves but for its fixed-point
 * rounding, hence the margin. Narrow paths are measured exactly, so that a filled area under half a
 * pixel is still told apart from one over it; 0 leaves them to the exact extents. */
static int fill_bound(cairo_t* cr, double* x0, double* y0, double* x1, double* y1) {
  const double margin = 1.0 / 64;
  cairo_path_extents(cr, x0, y0, x1, y1);
  if (!(*x1 - *x0 >= 2 && *y1 - *y0 >= 2)) return 0;
  *x0 -= margin, *y0 -= margin, *x1 += margin, *y1 += margin;
  return 1;
}

/* Extents and current points are taken on a one-pixel surface: cairo measures in user space. */
static cairo_t* measuring_context(void) {
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
  cairo_t* cr = cairo_create(s);
  cairo_surface_destroy(s);
  return cr;
}

/* ---- Entry points ---------------------------------------------------------------------------- */

EXPORT int32_t InitPlugin(qmPluginInfo* info, const qmPluginBase* base, const char* path) {
  (void)path;
  if (base == NULL || base->freetype == NULL) return 0;
  g_base = base;
  info->caps = QMPLUGIN_CAP_VECTOR;
  info->version = 1;
  info->revision = 0;
  info->name = "vecgfx_cairo";
  info->description = "Vector graphics through cairo";
  info->texts[0] = "Quillmere";
  return 1;
}

EXPORT void ClosePlugin(void) {
  free(g_fonts);
  g_fonts = NULL;
  g_font_count = 0;
  if (g_cairo_open) cairo_debug_reset_static_data();
}

EXPORT int32_t GetPathExtents(qmVecExtents* e) {
  if (e == NULL || e->size != sizeof(qmVecExtents)) return 0;
  e->left = e->top = e->right = e->bottom = 0;
  if (!isfinite(e->x) || !isfinite(e->y) || !cairo_opened()) return 0;
  cairo_t* cr = measuring_context();
  const Builder b = {cr, e->x, e->y};
  double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  int ok = apply_stroke(cr, e->stroke, e->line_width) && build(&b, e->ops);
  if (ok) {
    if (!e->filled) {
      cairo_stroke_extents(cr, &x0, &y0, &x1, &y1);
    } else if (e->filled != QMVEC_EXTENTS_FILL_BOUND || !fill_bound(cr, &x0, &y0, &x1, &y1)) {
      if (!outline_fill_extents(cr, &x0, &y0, &x1, &y1)) cairo_fill_extents(cr, &x0, &y0, &x1, &y1);
    }
    ok = cairo_status(cr) == CAIRO_STATUS_SUCCESS && isfinite(x0) && isfinite(y0) && isfinite(x1) && isfinite(y1);
  }
  cairo_destroy(cr);
  if (!ok) return 0;
  e->left = x0, e->top = y0, e->right = x1, e->bottom = y1;
  return 1;
}

EXPORT int32_t DrawPath(qmVecRender* r) {
  if (r == NULL || r->size != sizeof(qmVecRender) || r->plane == NULL || r->transform == NULL || r->width < 1 ||
      r->height < 1 || r->bytes_per_row < r->width || r->bytes_per_row % 4 != 0)
    return 0;
  const double* t = r->transform;
  for (int i = 0; i < 6; ++i)
    if (!isfinite(t[i])) return 0;
  const double dx = r->x - r->origin_x, dy = r->y - r->origin_y;
  if (!isfinite(dx) || !isfinite(dy) || !cairo_opened()) return 0;
  cairo_surface_t* s =
      cairo_image_surface_create_for_data(r->plane, CAIRO_FORMAT_A8, r->width, r->height, r->bytes_per_row);
  cairo_t* cr = cairo_create(s);
  cairo_matrix_t m;
  cairo_matrix_init(&m, t[0], t[1], t[2], t[3], t[4], t[5]);
  cairo_set_matrix(cr, &m);
  const Builder b = {cr, dx, dy};
  int ok = apply_stroke(cr, r->stroke, r->line_width) && build(&b, r->ops);
  if (ok) {
    cairo_set_source_rgba(cr, 0, 0, 0, (255 - (r->colour >> 24)) / 255.0);
    if (r->filled) cairo_fill(cr);
    else cairo_stroke(cr);
    cairo_surface_flush(s);
    ok = cairo_status(cr) == CAIRO_STATUS_SUCCESS;
  }
  cairo_destroy(cr);
  cairo_surface_destroy(s);
  return ok;
}

EXPORT int32_t TranslatePath(qmVecTranslate* t) {
  if (t == NULL || t->size != sizeof(qmVecTranslate) || t->ops == NULL || !isfinite(t->x) || !isfinite(t->y))
    return 0;
  /* A relative operation without a current point counts from (0, 0): it moves like an absolute one. */
  int has_point = 0;
  uint8_t* at = t->ops;
  for (;;) {
    int32_t op;
    memcpy(&op, at, 4);
    at += 4;
    int points = 0;
    switch (op) {
      case QMVEC_OP_END: return 1;
      case QMVEC_OP_MOVE:
      case QMVEC_OP_LINE:
      case QMVEC_OP_CURVE: {
        int32_t relative;
        memcpy(&relative, at, 4);
        at += 4;
        points = op == QMVEC_OP_CURVE ? 3 : 1;
        if (relative && has_point) {
          at += 16 * points;
          points = 0;
        }
        break;
      }
      case QMVEC_OP_NEWSUBPATH: has_point = 0; continue;
      case QMVEC_OP_CLOSE: continue;
      case QMVEC_OP_ARC: points = 1; break;
      case QMVEC_OP_BOX: points = 1; break;
      case QMVEC_OP_TEXT: at += 8 + qmvec_text_room(strlen((const char*)at + 8)); has_point = 1; continue;
      default: return 0;
    }
    for (int i = 0; i < points; ++i) {
      double x, y;
      memcpy(&x, at, 8);
      memcpy(&y, at + 8, 8);
      x += t->x, y += t->y;
      memcpy(at, &x, 8);
      memcpy(at + 8, &y, 8);
      at += 16;
    }
    if (op == QMVEC_OP_ARC) at += 4 * 8 + 4;
    if (op == QMVEC_OP_BOX) at += 2 * 8 + 4 * 4;
    has_point = 1;
  }
}

EXPORT int32_t GetCurrentPoint(const void* ops, const qmVecStroke* stroke, double* x, double* y) {
  (void)stroke;
  if (x == NULL || y == NULL) return 0;
  *x = *y = 0;
  if (!cairo_opened()) return 0;
  cairo_t* cr = measuring_context();
  const Builder b = {cr, 0, 0};
  const int ok = build(&b, ops);
  if (ok && cairo_has_current_point(cr)) cairo_get_current_point(cr, x, y);
  cairo_destroy(cr);
  return ok;
}

EXPORT uint32_t CreateVectorFont(void* face) {
  if (face == NULL) return 0;
  for (uint32_t i = 0; i < g_font_count; ++i)
    if (g_fonts[i].face == NULL) {
      g_fonts[i].face = face;
      g_fonts[i].size = 0;
      return i + 1;
    }
  Font* grown = realloc(g_fonts, (g_font_count + 1) * sizeof(Font));
  if (grown == NULL) return 0;
  g_fonts = grown;
  g_fonts[g_font_count].face = face;
  g_fonts[g_font_count].size = 0;
  return ++g_font_count;
}

EXPORT void FreeVectorFont(uint32_t handle) {
  if (font_of(handle)) g_fonts[handle - 1].face = NULL;
}

/* Fonts of the plug-in's own are not offered: the player's fonts serve everything. */
EXPORT int32_t OpenFont(void) { return 0; }
EXPORT void CloseFont(void) {}

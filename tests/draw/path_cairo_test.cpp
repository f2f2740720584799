// The cairo plug-in beside the player, judged by cairo itself: the coverage that the player renders
// for a path equals byte for byte the same path drawn by direct cairo calls into an A8 surface of
// the same size and placement; text outlines agree with FreeType's and come close to cairo's own
// text path; extents, normalising and the current point.
#include <cairo-ft.h>
#include <cairo.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include <gtest/gtest.h>

#include <time.h>

#include <cmath>
#include <cstdio>
#include <functional>

#include "engine/errcodes.h"
#include "gfx/bitmap.h"
#include "tests/draw/path_harness.h"
#include "text/font_driver.h"

namespace qmtest {
namespace {

using namespace qm;

constexpr const char* kVera = "/usr/share/fonts/truetype/ttf-bitstream-vera/Vera.ttf";

// Processor seconds of the whole process: work the test caused, which a busy machine does not
// stretch as it stretches the elapsed time.
double cpu_seconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

class PathCairo : public PathHarness {
 protected:
  void SetUp() override {
    PathHarness::SetUp();
    load_plugins(PLAYER_DIR);
    ASSERT_NE(plugin_vector_graphics(), nullptr);
    ASSERT_STREQ(plugin_vector_graphics()->info.name, "vecgfx_cairo");
  }
  // Path 1's content as a path layer renders it, through the matrix.
 public:
  using PathHarness::code;
  using PictureTest::call_table;
  using PictureTest::set_number;
  qmState* state() { return L; }
  ShapeImage render(const Matrix2& m = Matrix2{}) {
    ShapeImage img;
    EXPECT_EQ(path_render_content(path_drawing(path(1), 0), m, &img), 0);
    return img;
  }
  std::vector<uint32_t> display_pixels() const {
    const qmBitmap* b = d->bgpic->current.bitmap;
    return std::vector<uint32_t>(b->pixels, b->pixels + size_t(b->bytes_per_row / 4) * size_t(b->height));
  }
  // The display's pixels and brush 5's planes, when there is one.
  std::vector<uint32_t> output_planes() {
    std::vector<uint32_t> out = display_pixels();
    if (const qmBrush* b = brush(5)) {
      const qmBitmap* bm = b->bitmap;
      out.insert(out.end(), bm->pixels, bm->pixels + size_t(bm->bytes_per_row / 4) * size_t(bm->height));
      if (b->mask) out.insert(out.end(), b->mask->data, b->mask->data + size_t(b->mask->bytes_per_row) * b->mask->height);
      if (b->alpha)
        out.insert(out.end(), b->alpha->data, b->alpha->data + size_t(b->alpha->bytes_per_row) * b->alpha->height);
    }
    return out;
  }
  // DrawPath of a filled path 1 may frame its coverage in a quick box that holds the exact extents;
  // the display's pixels are those of the coverage framed by the exact extents.
  void expect_drawn_as_framed_exactly(const char* name) {
    const uint32_t colour = 0x40FF8000;
    PathDraw exact = path_drawing(path(1), colour);
    const qmVecStroke stroke = path_stroke_block(exact.stroke, (exact.style.draw.form_style & FORM_ANTIALIAS) != 0);
    PathBox box, bound;
    ASSERT_EQ(path_measure(plugin_vector_graphics(), exact.ops, stroke, QMVEC_EXTENTS_FILLED, 1, 0, 0, &box), 0);
    ASSERT_EQ(path_measure(plugin_vector_graphics(), exact.ops, stroke, QMVEC_EXTENTS_FILL_BOUND, 1, 0, 0, &bound), 0);
    EXPECT_TRUE(bound.left <= box.left && bound.top <= box.top && bound.right >= box.right &&
                bound.bottom >= box.bottom)
        << name;
    ASSERT_EQ(code("Cls", {}), 0);
    ASSERT_EQ(code("DrawPath", {1.0, 30.0, 20.0, double(colour)}), 0) << name;
    const std::vector<uint32_t> drawn = output_planes();
    ASSERT_EQ(code("Cls", {}), 0);
    // Placed by the exact corner itself, the drawing is framed by the exact extents.
    exact.add_origin = false;
    const int32_t x = 30 + int32_t(std::floor(box.left)), y = 20 + int32_t(std::floor(box.top));
    ASSERT_EQ(path_draw(L, exact, x, y, nullptr, nullptr), 0) << name;
    EXPECT_TRUE(output_planes() == drawn) << name;
  }
};

// The settings and the path of one case, once as commands and once as cairo calls.
struct Case {
  const char* name;
  std::function<void(PathCairo&)> commands;
  std::function<void(cairo_t*)> cairo;
  bool filled = true;
  int32_t width = 1;
  bool aa = true;
  int32_t join = 0, cap = 0, rule = 0;
  std::vector<double> dashes = {};
  double dash_offset = 0;
};

void settings(cairo_t* cr, const Case& c) {
  cairo_set_line_width(cr, c.width);
  cairo_set_line_join(cr, cairo_line_join_t(c.join));
  cairo_set_line_cap(cr, cairo_line_cap_t(c.cap));
  cairo_set_fill_rule(cr, c.rule ? CAIRO_FILL_RULE_EVEN_ODD : CAIRO_FILL_RULE_WINDING);
  cairo_set_antialias(cr, c.aa ? CAIRO_ANTIALIAS_DEFAULT : CAIRO_ANTIALIAS_NONE);
  if (!c.dashes.empty()) cairo_set_dash(cr, c.dashes.data(), int(c.dashes.size()), c.dash_offset);
}

// An ellipse arc as the plug-in makes one: the unit circle scaled about its centre.
void ellipse_arc(cairo_t* cr, double cx, double cy, double rx, double ry, double a1, double a2, bool clockwise) {
  cairo_matrix_t saved;
  cairo_get_matrix(cr, &saved);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, rx, ry);
  if (clockwise) cairo_arc(cr, 0, 0, 1, a1 * M_PI / 180, a2 * M_PI / 180);
  else cairo_arc_negative(cr, 0, 0, 1, a1 * M_PI / 180, a2 * M_PI / 180);
  cairo_set_matrix(cr, &saved);
}

// The plane that direct cairo draws for the case under the matrix m (turned about the content's
// middle, the content at the extents' whole pixels).
std::vector<uint8_t> reference(const Case& c, const Matrix2& m, int32_t* w, int32_t* h) {
  cairo_surface_t* one = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
  cairo_t* cr = cairo_create(one);
  settings(cr, c);
  c.cairo(cr);
  double x0, y0, x1, y1;
  if (c.filled) cairo_fill_extents(cr, &x0, &y0, &x1, &y1);
  else cairo_stroke_extents(cr, &x0, &y0, &x1, &y1);
  cairo_destroy(cr);
  cairo_surface_destroy(one);
  const double ox = std::floor(x0), oy = std::floor(y0);
  const double cw = std::ceil(x1) - ox, ch = std::ceil(y1) - oy, mx = cw / 2, my = ch / 2;
  double bx0 = 1e9, by0 = 1e9, bx1 = -1e9, by1 = -1e9;
  for (double u : {0.0, cw})
    for (double v : {0.0, ch}) {
      const double x = mx + m.m[0] * (u - mx) + m.m[1] * (v - my), y = my + m.m[2] * (u - mx) + m.m[3] * (v - my);
      bx0 = std::min(bx0, x), by0 = std::min(by0, y), bx1 = std::max(bx1, x), by1 = std::max(by1, y);
    }
  const double ax = std::floor(bx0), ay = std::floor(by0);
  *w = int32_t(std::ceil(bx1) - ax), *h = int32_t(std::ceil(by1) - ay);
  const int stride = cairo_format_stride_for_width(CAIRO_FORMAT_A8, *w);
  std::vector<uint8_t> plane(size_t(stride) * size_t(*h), 0);
  cairo_surface_t* s = cairo_image_surface_create_for_data(plane.data(), CAIRO_FORMAT_A8, *w, *h, stride);
  cr = cairo_create(s);
  cairo_matrix_t t;
  cairo_matrix_init(&t, m.m[0], m.m[2], m.m[1], m.m[3], mx - (m.m[0] * mx + m.m[1] * my) - ax,
                    my - (m.m[2] * mx + m.m[3] * my) - ay);
  cairo_set_matrix(cr, &t);
  cairo_translate(cr, -ox, -oy);
  settings(cr, c);
  c.cairo(cr);
  if (c.filled) cairo_fill(cr);
  else cairo_stroke(cr);
  cairo_destroy(cr);
  cairo_surface_destroy(s);
  return plane;
}

void expect_same(const ShapeImage& img, const std::vector<uint8_t>& want, int32_t w, int32_t h, const char* name) {
  ASSERT_NE(img.alpha, nullptr) << name;
  ASSERT_EQ(img.width, w) << name;
  ASSERT_EQ(img.height, h) << name;
  const int32_t stride = cairo_format_stride_for_width(CAIRO_FORMAT_A8, w);
  int32_t differ = 0;
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x)
      differ += img.alpha->data[size_t(y) * size_t(img.alpha->bytes_per_row) + size_t(x)] !=
                want[size_t(y) * size_t(stride) + size_t(x)];
  EXPECT_EQ(differ, 0) << name;
}

// Tables of paths, each drawn by the player and by cairo.
TEST_F(PathCairo, CoverageEqualsCairosOwn) {
  auto cmd = [](PathCairo& t, const char* name, std::initializer_list<Arg> args) {
    EXPECT_EQ(t.code(name, args), 0) << name;
  };
  auto polyline = [&](PathCairo& t) {
    cmd(t, "MoveTo", {1.0, 10.0, 10.0});
    cmd(t, "LineTo", {1.0, 60.0, 20.0});
    cmd(t, "LineTo", {1.0, 20.0, 50.0});
    cmd(t, "LineTo", {1.0, 70.0, 70.0});
  };
  auto polyline_cairo = [](cairo_t* cr) {
    cairo_move_to(cr, 10, 10);
    cairo_line_to(cr, 60, 20);
    cairo_line_to(cr, 20, 50);
    cairo_line_to(cr, 70, 70);
  };
  auto squares = [&](PathCairo& t) {
    cmd(t, "AddBoxToPath", {1.0, 0.0, 0.0, 40.0, 40.0});
    cmd(t, "AddBoxToPath", {1.0, 20.5, 20.5, 40.0, 40.0});
  };
  auto squares_cairo = [](cairo_t* cr) {
    cairo_rectangle(cr, 0, 0, 40, 40);
    cairo_rectangle(cr, 20.5, 20.5, 40, 40);
  };
  std::vector<Case> cases = {
      {"lines", polyline, polyline_cairo, false, 3},
      {"curves",
       [&](PathCairo& t) {
         cmd(t, "MoveTo", {1.0, 5.0, 40.0});
         cmd(t, "CurveTo", {1.0, 20.0, -10.0, 60.0, 90.0, 80.0, 30.5});
       },
       [](cairo_t* cr) {
         cairo_move_to(cr, 5, 40);
         cairo_curve_to(cr, 20, -10, 60, 90, 80, 30.5);
       },
       false, 2},
      // A relative move without a current point counts from (0, 0).
      {"relative",
       [&](PathCairo& t) {
         cmd(t, "RelMoveTo", {1.0, 10.0, 10.0});
         cmd(t, "RelLineTo", {1.0, 40.0, 0.0});
         cmd(t, "RelCurveTo", {1.0, 10.0, 10.0, 0.0, 30.0, -20.0, 30.0});
         cmd(t, "RelLineTo", {1.0, -25.0, -10.0});
       },
       [](cairo_t* cr) {
         cairo_move_to(cr, 10, 10);
         cairo_rel_line_to(cr, 40, 0);
         cairo_rel_curve_to(cr, 10, 10, 0, 30, -20, 30);
         cairo_rel_line_to(cr, -25, -10);
       }},
      {"sub-paths",
       [&](PathCairo& t) {
         cmd(t, "MoveTo", {1.0, 0.0, 0.0});
         cmd(t, "LineTo", {1.0, 30.0, 0.0});
         cmd(t, "LineTo", {1.0, 0.0, 30.0});
         cmd(t, "StartSubPath", {1.0});
         cmd(t, "RelMoveTo", {1.0, 50.0, 50.0});
         cmd(t, "RelLineTo", {1.0, -20.0, 0.0});
         cmd(t, "RelLineTo", {1.0, 0.0, -20.0});
         cmd(t, "ClosePath", {1.0});
       },
       [](cairo_t* cr) {
         cairo_move_to(cr, 0, 0);
         cairo_line_to(cr, 30, 0);
         cairo_line_to(cr, 0, 30);
         cairo_new_sub_path(cr);
         cairo_move_to(cr, 50, 50);
         cairo_rel_line_to(cr, -20, 0);
         cairo_rel_line_to(cr, 0, -20);
         cairo_close_path(cr);
       }},
      {"arcs both ways",
       [&](PathCairo& t) {
         cmd(t, "AddArcToPath", {1.0, 40.0, 40.0, 30.0, 20.0, 30.0, 200.0});
         cmd(t, "AddArcToPath", {1.0, 40.0, 90.0, 30.0, 20.0, 30.0, 200.0, 0.0});
       },
       [](cairo_t* cr) {
         ellipse_arc(cr, 40, 40, 30, 20, 30, 200, true);
         ellipse_arc(cr, 40, 90, 30, 20, 30, 200 - 360, false);
       },
       false, 3},
      {"ellipse",
       [&](PathCairo& t) { cmd(t, "AddEllipseToPath", {1.0, 50.0, 30.0, 45.0, 25.5}); },
       [](cairo_t* cr) { ellipse_arc(cr, 50, 30, 45, 25.5, 0, 360, true); }},
      {"rounded box",
       [&](PathCairo& t) {
         vm_set_top(t.state(), 0);
         EXPECT_EQ(t.call_table("AddBoxToPath", {1.0, 5.0, 5.0, 80.0, 50.0}, [&] {
                      t.set_number("cornera", 100);
                      t.set_number("cornerc", 40);
                    }).code,
                   0);
       },
       // Radii of the shorter side's half (25) times the levels, corners clockwise from the top-left.
       [](cairo_t* cr) {
         const double r[4] = {25, 0, 10, 0};  // a, b (level 0 counts as 1), c, d
         cairo_move_to(cr, 5 + r[0], 5);
         cairo_arc(cr, 85 - r[3], 5 + r[3], r[3], -M_PI / 2, 0);
         cairo_arc(cr, 85 - r[2], 55 - r[2], r[2], 0, M_PI / 2);
         cairo_arc(cr, 5 + r[1], 55 - r[1], r[1], M_PI / 2, M_PI);
         cairo_arc(cr, 5 + r[0], 5 + r[0], r[0], M_PI, 3 * M_PI / 2);
         cairo_close_path(cr);
       }},
      {"overlap winding", squares, squares_cairo},
      {"overlap even-odd", squares, squares_cairo, true, 1, true, 0, 0, 1},
      {"miter butt", polyline, polyline_cairo, false, 8, true, 0, 0},
      {"round round", polyline, polyline_cairo, false, 8, true, 1, 1},
      {"bevel square", polyline, polyline_cairo, false, 8, true, 2, 2},
      {"dashes", polyline, polyline_cairo, false, 3, true, 1, 0, 0, {9, 4, 2, 4}, 5},
      {"no anti-aliasing", polyline, polyline_cairo, false, 5, false},
      {"no anti-aliasing filled", squares, squares_cairo, true, 1, false, 0, 0, 1},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(code("StartPath", {1.0}), 0);
    c.commands(*this);
    ASSERT_EQ(code("SetLineJoin", {double(c.join)}), 0);
    ASSERT_EQ(code("SetLineCap", {double(c.cap)}), 0);
    ASSERT_EQ(code("SetFillRule", {double(c.rule)}), 0);
    if (c.dashes.empty()) {
      ASSERT_EQ(code("SetDash", {0.0, -1.0}), 0);
    } else {
      ASSERT_EQ(code("SetDash", {c.dash_offset, c.dashes[0], c.dashes[1], c.dashes[2], c.dashes[3]}), 0);
    }
    if (c.filled) ASSERT_EQ(code("SetFillStyle", {1.0}), 0);
    else ASSERT_EQ(code("SetFillStyle", {0.0, double(c.width)}), 0);
    ASSERT_EQ(code("SetFormStyle", {c.aa ? 16.0 : 1.0}), 0);
    int32_t w = 0, h = 0;
    ShapeImage img = render();
    std::vector<uint8_t> want = reference(c, Matrix2{}, &w, &h);
    expect_same(img, want, w, h, c.name);
    img.release();
    if (c.filled) expect_drawn_as_framed_exactly(c.name);
    if (std::string(c.name) == "dashes" || std::string(c.name) == "rounded box") {
      // Turned by 30 degrees.
      const double a = M_PI / 6;
      const Matrix2 m{{std::cos(a), -std::sin(a), std::sin(a), std::cos(a)}};
      img = render(m);
      want = reference(c, m, &w, &h);
      expect_same(img, want, w, h, c.name);
      img.release();
    }
  }
}

// A brush's mask or alpha channel as the output takes the image's whole rectangle: the drawing is
// framed by the exact extents there too.
TEST_F(PathCairo, MaskAndAlphaOutputsAreFramedExactly) {
  ASSERT_EQ(code("StartPath", {1.0}), 0);
  ASSERT_EQ(code("AddEllipseToPath", {1.0, 50.0, 30.0, 45.0, 25.5}), 0);
  ASSERT_EQ(code("SetFillStyle", {1.0}), 0);
  ASSERT_EQ(code("SetFormStyle", {16.0}), 0);
  ASSERT_EQ(code("CreateBrush", {5.0, 200.0, 120.0}), 0);
  for (const char* select : {"SelectMask", "SelectAlphaChannel"}) {
    ASSERT_EQ(code(select, {5.0}), 0);
    expect_drawn_as_framed_exactly(select);
    ASSERT_EQ(code("EndSelect", {}), 0);
  }
}

// Glyph outlines from the face as FreeType decomposes them, quadratic pieces as cubics, on the
// baseline at (x, y); advances unhinted.
void vera_outlines(cairo_t* cr, FT_Face face, const char* text) {
  struct Pen {
    cairo_t* cr;
    double x = 0, y = 0, lx = 0, ly = 0;
    bool open = false;
    void point(const FT_Vector* v, double* px, double* py) const { *px = x + v->x / 64.0, *py = y - v->y / 64.0; }
  };
  static Pen pen;
  pen = Pen{cr};
  FT_Outline_Funcs funcs{};
  funcs.move_to = [](const FT_Vector* to, void*) {
    if (pen.open) cairo_close_path(pen.cr);
    pen.point(to, &pen.lx, &pen.ly);
    cairo_move_to(pen.cr, pen.lx, pen.ly);
    pen.open = true;
    return 0;
  };
  funcs.line_to = [](const FT_Vector* to, void*) {
    pen.point(to, &pen.lx, &pen.ly);
    cairo_line_to(pen.cr, pen.lx, pen.ly);
    return 0;
  };
  funcs.conic_to = [](const FT_Vector* c, const FT_Vector* to, void*) {
    double cx, cy, x, y;
    pen.point(c, &cx, &cy);
    pen.point(to, &x, &y);
    cairo_curve_to(pen.cr, pen.lx + 2.0 / 3.0 * (cx - pen.lx), pen.ly + 2.0 / 3.0 * (cy - pen.ly),
                   x + 2.0 / 3.0 * (cx - x), y + 2.0 / 3.0 * (cy - y), x, y);
    pen.lx = x, pen.ly = y;
    return 0;
  };
  funcs.cubic_to = [](const FT_Vector* a, const FT_Vector* b, const FT_Vector* to, void*) {
    double ax, ay, bx, by;
    pen.point(a, &ax, &ay);
    pen.point(b, &bx, &by);
    pen.point(to, &pen.lx, &pen.ly);
    cairo_curve_to(pen.cr, ax, ay, bx, by, pen.lx, pen.ly);
    return 0;
  };
  cairo_move_to(cr, 0, 0);
  for (const char* p = text; *p; ++p) {
    ASSERT_EQ(FT_Load_Glyph(face, FT_Get_Char_Index(face, FT_ULong(uint8_t(*p))), FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP), 0);
    pen.open = false;
    FT_Outline_Decompose(&face->glyph->outline, &funcs, nullptr);
    if (pen.open) cairo_close_path(cr);
    pen.x += face->glyph->linearHoriAdvance / 65536.0;
  }
  cairo_move_to(cr, pen.x, pen.y);
}

double psnr(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
  double sum = 0;
  for (size_t i = 0; i < a.size(); ++i) sum += (double(a[i]) - b[i]) * (double(a[i]) - b[i]);
  return sum == 0 ? 99.0 : 10 * std::log10(255.0 * 255.0 * double(a.size()) / sum);
}

TEST_F(PathCairo, TextOutlinesAreVeras) {
  const char* text = "Hello World";
  ASSERT_EQ(code("SetFont", {std::string(":::default_sans"), 48.0}), 0);
  // The text on the display before and after its font served the vector paths.
  ASSERT_EQ(code("TextOut", {10.0, 10.0, std::string(text)}), 0);
  const std::vector<uint32_t> before = display_pixels();
  ASSERT_EQ(code("StartPath", {1.0}), 0);
  ASSERT_EQ(code("AddTextToPath", {1.0, std::string(text)}), 0);
  ASSERT_EQ(code("SetFillStyle", {1.0}), 0);
  ASSERT_EQ(code("SetFormStyle", {16.0}), 0);
  ShapeImage img = render();
  ASSERT_EQ(code("Cls", {}), 0);
  ASSERT_EQ(code("TextOut", {10.0, 10.0, std::string(text)}), 0);
  EXPECT_EQ(display_pixels(), before);
  expect_drawn_as_framed_exactly("text");

  FT_Library ft;
  FT_Face face;
  ASSERT_EQ(FT_Init_FreeType(&ft), 0);
  ASSERT_EQ(FT_New_Face(ft, kVera, 0, &face), 0);
  ASSERT_EQ(FT_Set_Char_Size(face, 0, 48 * 64, 72, 72), 0);
  Case c{"text", nullptr, [&](cairo_t* cr) { vera_outlines(cr, face, text); }};
  int32_t w = 0, h = 0;
  const std::vector<uint8_t> outlines = reference(c, Matrix2{}, &w, &h);
  expect_same(img, outlines, w, h, "text");

  // cairo's own text path through its FreeType fonts, unhinted, at the same size.
  c.cairo = [&](cairo_t* cr) {
    cairo_font_face_t* ff = cairo_ft_font_face_create_for_ft_face(face, 0);
    cairo_set_font_face(cr, ff);
    cairo_set_font_size(cr, 48);
    cairo_font_options_t* o = cairo_font_options_create();
    cairo_font_options_set_hint_style(o, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(o, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr, o);
    cairo_font_options_destroy(o);
    cairo_move_to(cr, 0, 0);
    cairo_text_path(cr, text);
    cairo_set_font_face(cr, nullptr);
    cairo_font_face_destroy(ff);
  };
  int32_t w2 = 0, h2 = 0;
  const std::vector<uint8_t> theirs = reference(c, Matrix2{}, &w2, &h2);
  EXPECT_EQ(w2, w);
  EXPECT_EQ(h2, h);
  if (w2 == w && h2 == h) {
    EXPECT_GE(psnr(outlines, theirs), 40.0);
  }
  img.release();
  cairo_debug_reset_static_data();
  FT_Done_Face(face);
  FT_Done_FreeType(ft);
}

// Filled extents equal cairo's own, found from the outline where its extremes are clean corners and
// left to cairo's tessellation where they are not: spikes, slivers, outlines that cancel each other,
// lone points, curves, arcs and boxes, under both fill rules.
TEST_F(PathCairo, FilledExtentsEqualCairosOwn) {
  uint32_t seed = 1;
  auto next = [&](int32_t n) {
    seed = seed * 1103515245u + 12345u;
    return int32_t((seed >> 8) % uint32_t(n));
  };
  // Whole, quarter or any coordinates, so that edges meet and run along each other.
  auto coord = [&](double range) {
    const double v = (next(20001) / 10000.0 - 1) * range;
    return next(3) == 0 ? std::floor(v) : next(2) ? std::floor(v * 4) / 4 : v;
  };
  cairo_surface_t* one = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
  int32_t differ = 0;
  for (int32_t t = 0; t < 3000; ++t) {
    ASSERT_EQ(code("StartPath", {1.0}), 0);
    cairo_t* cr = cairo_create(one);
    const int32_t rule = next(2);
    ASSERT_EQ(code("SetFillRule", {double(rule)}), 0);
    cairo_set_fill_rule(cr, rule ? CAIRO_FILL_RULE_EVEN_ODD : CAIRO_FILL_RULE_WINDING);
    for (int32_t sub = 1 + next(3); sub > 0; --sub) {
      const double cx = coord(50), cy = coord(50);
      switch (next(5)) {
        case 0:  // a polygon, open or closed
        case 1: {  // curves
          const bool curves = next(2);
          ASSERT_EQ(code("MoveTo", {1.0, cx, cy}), 0);
          cairo_move_to(cr, cx, cy);
          for (int32_t n = 1 + next(curves ? 3 : 7); n > 0; --n) {
            if (curves) {
              const double p[6] = {coord(60), coord(60), coord(60), coord(60), coord(50), coord(50)};
              ASSERT_EQ(code("CurveTo", {1.0, p[0], p[1], p[2], p[3], p[4], p[5]}), 0);
              cairo_curve_to(cr, p[0], p[1], p[2], p[3], p[4], p[5]);
            } else {
              const double x = coord(50), y = coord(50);
              ASSERT_EQ(code("LineTo", {1.0, x, y}), 0);
              cairo_line_to(cr, x, y);
            }
          }
          if (next(2)) {
            ASSERT_EQ(code("ClosePath", {1.0}), 0);
            cairo_close_path(cr);
          }
          break;
        }
        case 2: {  // a circle, joined to what came before
          const double r = std::fabs(coord(30)) + 0.25;  // cairo's scaling refuses 0
          ASSERT_EQ(code("AddCircleToPath", {1.0, cx, cy, r}), 0);
          ellipse_arc(cr, cx, cy, r, r, 0, 360, true);
          break;
        }
        case 3: {  // a box, twice over when asked: the same way round or the other
          const double w = std::fabs(coord(20)) + 1;
          const std::pair<double, double> ring[4] = {{cx, cy}, {cx + w, cy}, {cx + w, cy + w}, {cx, cy + w}};
          const int32_t times = 1 + next(2), back = next(2);
          for (int32_t k = 0; k < times; ++k) {
            ASSERT_EQ(code("StartSubPath", {1.0}), 0);
            cairo_new_sub_path(cr);
            for (int32_t i = 0; i < 4; ++i) {
              const auto [x, y] = ring[k && back ? (4 - i) % 4 : i];
              ASSERT_EQ(code(i ? "LineTo" : "MoveTo", {1.0, x, y}), 0);
              if (i) cairo_line_to(cr, x, y);
              else cairo_move_to(cr, x, y);
            }
            ASSERT_EQ(code("ClosePath", {1.0}), 0);
            cairo_close_path(cr);
          }
          break;
        }
        default: {  // a spike out and back, or a lone point
          ASSERT_EQ(code("MoveTo", {1.0, cx, cy}), 0);
          cairo_move_to(cr, cx, cy);
          if (next(2)) {
            const double x = coord(80), y = coord(80);
            ASSERT_EQ(code("LineTo", {1.0, x, y}), 0);
            ASSERT_EQ(code("LineTo", {1.0, cx, cy}), 0);
            cairo_line_to(cr, x, y);
            cairo_line_to(cr, cx, cy);
          }
        }
      }
    }
    // As DrawPath measures an anti-aliased filling (without anti-aliasing cairo snaps straight
    // outlines to whole pixels, and the plug-in leaves those to it).
    PathBox want;
    ASSERT_EQ(cairo_status(cr), CAIRO_STATUS_SUCCESS) << "case " << t;
    cairo_fill_extents(cr, &want.left, &want.top, &want.right, &want.bottom);
    cairo_destroy(cr);
    qmVectorStyle style = path_vector_style();
    const qmVecStroke stroke = path_stroke_block(style, true);
    PathBox got;
    const qmPath* p = path(1);
    if (p->ops) path_measure(plugin_vector_graphics(), p->ops, stroke, QMVEC_EXTENTS_FILLED, 1, 0, 0, &got);
    if ((got.left != want.left || got.top != want.top || got.right != want.right || got.bottom != want.bottom) &&
        ++differ <= 5)
      ADD_FAILURE() << "case " << t << ": " << got.left << " " << got.top << " " << got.right << " " << got.bottom
                    << ", cairo " << want.left << " " << want.top << " " << want.right << " " << want.bottom;
  }
  cairo_surface_destroy(one);
  EXPECT_EQ(differ, 0);
}

TEST_F(PathCairo, ExtentsNormaliseAndCurrentPoint) {
  ASSERT_EQ(code("StartPath", {1.0}), 0);
  ASSERT_EQ(code("AddBoxToPath", {1.0, 5.0, 5.0, 10.0, 20.0}), 0);
  ASSERT_EQ(code("SetFillStyle", {1.0}), 0);
  EXPECT_EQ(call("GetPathExtents", {1.0}).results, (std::vector<std::string>{"5", "5", "15", "25"}));
  ASSERT_EQ(code("SetFillStyle", {0.0, 4.0}), 0);
  EXPECT_EQ(call("GetPathExtents", {1.0}).results, (std::vector<std::string>{"3", "3", "17", "27"}));
  ASSERT_EQ(code("NormalizePath", {1.0}), 0);
  EXPECT_EQ(call("GetPathExtents", {1.0}).results, (std::vector<std::string>{"-2", "-2", "12", "22"}));
  ASSERT_EQ(code("SetFillStyle", {1.0}), 0);
  EXPECT_EQ(call("GetPathExtents", {1.0}).results, (std::vector<std::string>{"0", "0", "10", "20"}));

  ASSERT_EQ(code("StartPath", {2.0}), 0);
  ASSERT_EQ(code("MoveTo", {2.0, 3.0, 4.0}), 0);
  EXPECT_EQ(call("GetCurrentPoint", {2.0}).results, (std::vector<std::string>{"3", "4"}));
  ASSERT_EQ(code("RelLineTo", {2.0, 10.0, 5.0}), 0);
  EXPECT_EQ(call("GetCurrentPoint", {2.0}).results, (std::vector<std::string>{"13", "9"}));
  // Text moves with the path, relative operations without a current point too.
  ASSERT_EQ(code("SetFont", {std::string(":::default_sans"), 30.0}), 0);
  ASSERT_EQ(code("StartPath", {3.0}), 0);
  ASSERT_EQ(code("AddTextToPath", {3.0, std::string("Ag")}), 0);
  ASSERT_EQ(code("StartSubPath", {3.0}), 0);
  ASSERT_EQ(code("RelMoveTo", {3.0, 100.0, 0.0}), 0);
  ASSERT_EQ(code("RelLineTo", {3.0, 5.0, 5.0}), 0);
  ASSERT_EQ(code("NormalizePath", {3.0}), 0);
  const std::vector<std::string> e = call("GetPathExtents", {3.0}).results;
  ASSERT_EQ(e.size(), 4u);
  EXPECT_EQ(e[0], "0");
  EXPECT_EQ(e[1], "0");
  // Bad input gives nothing, never a crash.
  ASSERT_EQ(code("StartPath", {4.0}), 0);
  ASSERT_EQ(code("MoveTo", {4.0, std::nan(""), 0.0}), 0);
  ASSERT_EQ(code("LineTo", {4.0, 10.0, 10.0}), 0);
  EXPECT_EQ(call("GetPathExtents", {4.0}).results, (std::vector<std::string>{"0", "0", "0", "0"}));
  EXPECT_EQ(code("DrawPath", {4.0, 0.0, 0.0}), ERR_EMPTYPATH);
  ASSERT_EQ(code("SetDash", {0.0, 0.0}), 0);
  EXPECT_EQ(code("DrawPath", {2.0, 0.0, 0.0}), ERR_EMPTYPATH);
  ASSERT_EQ(code("SetDash", {0.0, -1.0}), 0);
  // A filled area under half a pixel high is refused however its drawing is framed.
  ASSERT_EQ(code("SetFillStyle", {1.0}), 0);
  ASSERT_EQ(code("SetFormStyle", {16.0}), 0);
  for (const auto& [height, want] : {std::pair{0.49, ERR_EMPTYPATH}, {0.5, 0}}) {
    ASSERT_EQ(code("StartPath", {6.0}), 0);
    ASSERT_EQ(code("AddBoxToPath", {6.0, 3.0, 3.0, 100.0, height}), 0);
    EXPECT_EQ(code("DrawPath", {6.0, 0.0, 0.0}), want) << height;
  }
  // Past cairo's fixed-point reach a path would wrap into wrong extents and take seconds to fill:
  // it is refused at once, in points, arcs, boxes and text alike (the time is processor time).
  const double started = cpu_seconds();
  auto refused = [&](const char* op, std::initializer_list<Arg> args) {
    ASSERT_EQ(code("StartPath", {5.0}), 0);
    ASSERT_EQ(code("MoveTo", {5.0, 1.0, 1.0}), 0);
    ASSERT_EQ(code(op, args), 0) << op;
    EXPECT_EQ(call("GetPathExtents", {5.0}).results, (std::vector<std::string>{"0", "0", "0", "0"})) << op;
    EXPECT_EQ(code("DrawPath", {5.0, 0.0, 0.0}), ERR_EMPTYPATH) << op;
  };
  refused("LineTo", {5.0, 5e6, 0.0});
  refused("AddCircleToPath", {5.0, 0.0, 0.0, 1e7});
  refused("AddBoxToPath", {5.0, -3e6, 0.0, 2e6, 10.0});
  ASSERT_EQ(code("StartPath", {5.0}), 0);
  ASSERT_EQ(code("MoveTo", {5.0, 4194200.0, 0.0}), 0);
  ASSERT_EQ(code("AddTextToPath", {5.0, std::string("Ag")}), 0);
  EXPECT_EQ(code("DrawPath", {5.0, 0.0, 0.0}), ERR_EMPTYPATH);
  EXPECT_LT(cpu_seconds() - started, 2.0);
}

}  // namespace
}  // namespace qmtest

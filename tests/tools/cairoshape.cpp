// cairoshape: draws the exact geometry of the draw library's shapes with cairo, as the outside
// judge of the renderer. Pixel centres lie at whole coordinates plus one half, so a shape whose
// box starts at (x, y) has its first pixel centre at (x + 0.5, y + 0.5).
//
//   cairoshape OUT.png BAND.png WIDTH HEIGHT [aa] SHAPE...
//
// SHAPE is one of (colours as 0xRRGGBB):
//   box X Y W H COLOUR A B C D        corners A..D in percent (top-left, bottom-left, bottom-right, top-right)
//   circle X Y R COLOUR
//   ellipse X Y RX RY COLOUR
//   arc X Y RX RY START END CLOCKWISE COLOUR
//   polygon X Y COLOUR N X0 Y0 ... (vertices relative to X, Y, as the Polygon command places them)
// followed optionally by "edge SIZE COLOUR" and "shadow DISTANCE DIRECTION COLOUR". The shapes are
// drawn over black in order: each one's shadow, edge, then the shape. BAND.png is white except
// within 1.5 pixels of any outline drawn, where it is black: the pixels a comparison leaves out.
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Shape {
  std::string kind;
  double x = 0, y = 0, w = 0, h = 0, rx = 0, ry = 0;
  int corners[4] = {0, 0, 0, 0};
  int start = 0, end = 0, clockwise = 0;
  std::vector<double> xy;
  unsigned colour = 0;
  int edge = 0;
  unsigned edge_colour = 0;
  int shadow = 0, direction = 3;
  unsigned shadow_colour = 0;
};

[[noreturn]] void usage() {
  std::fputs("usage: cairoshape OUT.png BAND.png WIDTH HEIGHT [aa] SHAPE...\n", stderr);
  std::exit(2);
}

struct Args {
  int argc, i;
  char** argv;
  bool more() const { return i < argc; }
  std::string word() { return more() ? argv[i++] : (usage(), ""); }
  double num() { return std::strtod(word().c_str(), nullptr); }
  unsigned colour() { return unsigned(std::strtoul(word().c_str(), nullptr, 0)); }
};

void set_colour(cairo_t* cr, unsigned c) {
  cairo_set_source_rgb(cr, ((c >> 16) & 255) / 255.0, ((c >> 8) & 255) / 255.0, (c & 255) / 255.0);
}

// The outline of the shape grown by g pixels on every side, as a path (polygons are grown by the
// caller's stroke).
void shape_path(cairo_t* cr, const Shape& s, double g) {
  const double pi = std::acos(-1.0);
  cairo_new_path(cr);
  if (s.kind == "box") {
    const double w = s.w + 2 * g, h = s.h + 2 * g, x = s.x - g + 0.5, y = s.y - g + 0.5;
    const double r = x + w - 1, b = y + h - 1;
    const bool round = s.corners[0] || s.corners[1] || s.corners[2] || s.corners[3];
    if (!round) {
      cairo_rectangle(cr, x, y, w - 1, h - 1);
      return;
    }
    const int half = int(std::min(w, h)) / 2;
    double rad[4];
    for (int i = 0; i < 4; ++i) rad[i] = half * std::clamp(s.corners[i], 1, 100) / 100;
    // a top-left, b bottom-left, c bottom-right, d top-right, anticlockwise on screen.
    cairo_arc_negative(cr, x + rad[0], y + rad[0], rad[0], -pi / 2, -pi);
    cairo_arc_negative(cr, x + rad[1], b - rad[1], rad[1], pi, pi / 2);
    cairo_arc_negative(cr, r - rad[2], b - rad[2], rad[2], pi / 2, 0);
    cairo_arc_negative(cr, r - rad[3], y + rad[3], rad[3], 0, -pi / 2);
    cairo_close_path(cr);
  } else if (s.kind == "circle" || s.kind == "ellipse" || s.kind == "arc") {
    const double cx = s.x + s.rx + 0.5, cy = s.y + s.ry + 0.5;
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, s.rx + g, s.ry + g);
    if (s.kind == "arc") {
      cairo_move_to(cr, 0, 0);
      const double a0 = s.start * pi / 180, a1 = s.end * pi / 180;
      if (s.clockwise) cairo_arc(cr, 0, 0, 1, a0, a1);
      else cairo_arc_negative(cr, 0, 0, 1, a0, a1);
      cairo_close_path(cr);
    } else {
      cairo_arc(cr, 0, 0, 1, 0, 2 * pi);
    }
    cairo_restore(cr);
  } else if (s.kind == "polygon") {
    for (size_t i = 0; i + 1 < s.xy.size(); i += 2) cairo_line_to(cr, s.x + s.xy[i] + 0.5, s.y + s.xy[i + 1] + 0.5);
    cairo_close_path(cr);
  }
}

void fill_shape(cairo_t* cr, const Shape& s, double g, double dx, double dy, unsigned colour) {
  cairo_save(cr);
  cairo_translate(cr, dx, dy);
  set_colour(cr, colour);
  const bool polygon = s.kind == "polygon";
  shape_path(cr, s, polygon ? 0 : g);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  if (polygon && g > 0) {
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 2 * g);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
  } else {
    cairo_fill(cr);
  }
  cairo_restore(cr);
}

void band(cairo_t* cr, const Shape& s, double g, double dx, double dy) {
  cairo_save(cr);
  cairo_translate(cr, dx, dy);
  const bool polygon = s.kind == "polygon";
  shape_path(cr, s, polygon ? 0 : g);
  cairo_set_line_width(cr, polygon && g > 0 ? 2 * g + 3 : 3);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_stroke(cr);
  cairo_restore(cr);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 5) usage();
  Args a{argc, 5, argv};
  const int width = std::atoi(argv[3]), height = std::atoi(argv[4]);
  bool aa = false;
  if (a.more() && std::string(argv[a.i]) == "aa") aa = true, ++a.i;
  std::vector<Shape> shapes;
  while (a.more()) {
    Shape s;
    s.kind = a.word();
    s.x = a.num(), s.y = a.num();
    if (s.kind == "box") {
      s.w = a.num(), s.h = a.num(), s.colour = a.colour();
      for (int& c : s.corners) c = int(a.num());
    } else if (s.kind == "circle") {
      s.rx = s.ry = a.num(), s.colour = a.colour();
    } else if (s.kind == "ellipse") {
      s.rx = a.num(), s.ry = a.num(), s.colour = a.colour();
    } else if (s.kind == "arc") {
      s.rx = a.num(), s.ry = a.num(), s.start = int(a.num()), s.end = int(a.num()), s.clockwise = int(a.num());
      s.colour = a.colour();
    } else if (s.kind == "polygon") {
      s.colour = a.colour();
      const int n = int(a.num());
      for (int i = 0; i < 2 * n; ++i) s.xy.push_back(a.num());
    } else {
      usage();
    }
    while (a.more() && (std::string(argv[a.i]) == "edge" || std::string(argv[a.i]) == "shadow")) {
      if (a.word() == "edge") s.edge = int(a.num()), s.edge_colour = a.colour();
      else s.shadow = int(a.num()), s.direction = int(a.num()), s.shadow_colour = a.colour();
    }
    shapes.push_back(s);
  }
  cairo_surface_t* out = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  cairo_surface_t* mask = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  cairo_t* cr = cairo_create(out);
  cairo_t* mr = cairo_create(mask);
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_paint(cr);
  cairo_set_source_rgb(mr, 1, 1, 1);
  cairo_paint(mr);
  cairo_set_source_rgb(mr, 0, 0, 0);
  cairo_set_antialias(cr, aa ? CAIRO_ANTIALIAS_GRAY : CAIRO_ANTIALIAS_NONE);
  cairo_set_antialias(mr, CAIRO_ANTIALIAS_GRAY);
  for (const Shape& s : shapes) {
    const double g = s.edge;
    if (s.shadow) {
      const int d = s.shadow, n = s.direction;
      const double dx = (n >= 1 && n <= 3) ? d : (n >= 5 && n <= 7) ? -d : 0;
      const double dy = (n >= 3 && n <= 5) ? d : (n == 7 || n <= 1) ? -d : 0;
      fill_shape(cr, s, g, dx, dy, s.shadow_colour);
      band(mr, s, g, dx, dy);
    }
    if (s.edge) {
      fill_shape(cr, s, g, 0, 0, s.edge_colour);
      band(mr, s, g, 0, 0);
    }
    fill_shape(cr, s, 0, 0, 0, s.colour);
    band(mr, s, 0, 0, 0);
  }
  cairo_destroy(cr);
  cairo_destroy(mr);
  const bool ok = cairo_surface_write_to_png(out, argv[1]) == CAIRO_STATUS_SUCCESS &&
                  cairo_surface_write_to_png(mask, argv[2]) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(out);
  cairo_surface_destroy(mask);
  return ok ? 0 : 1;
}

// cairopath: draws paths with cairo over black, as the outside judge of DrawPath.
//
//   cairopath OUT.png WIDTH HEIGHT STEP...
//
// STEP is one of (coordinates relative to the last "at"; colours as 0xRRGGBB):
//   at X Y                 where the path's (0, 0) lies; also starts a new path
//   M X Y | L X Y | C X1 Y1 X2 Y2 X3 Y3 | Z
//   E CX CY RX RY          a whole ellipse, clockwise from angle 0
//   fill COLOUR AA         AA 1 anti-aliased, 0 not
//   stroke COLOUR WIDTH JOIN CAP AA [dash OFFSET N L1 ... LN]
#include <cairo.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

[[noreturn]] void usage() {
  std::fprintf(stderr, "usage: cairopath OUT.png WIDTH HEIGHT STEP...\n");
  std::exit(2);
}

void colour(cairo_t* cr, const char* text) {
  const unsigned long c = std::strtoul(text, nullptr, 0);
  cairo_set_source_rgb(cr, ((c >> 16) & 255) / 255.0, ((c >> 8) & 255) / 255.0, (c & 255) / 255.0);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) usage();
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, std::atoi(argv[2]), std::atoi(argv[3]));
  cairo_t* cr = cairo_create(s);
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_paint(cr);
  int i = 4;
  auto need = [&](int n) {
    if (i + n > argc) usage();
  };
  auto num = [&]() { return std::atof(argv[i++]); };
  while (i < argc) {
    const std::string step = argv[i++];
    if (step == "at") {
      need(2);
      cairo_new_path(cr);
      cairo_identity_matrix(cr);
      const double x = num(), y = num();
      cairo_translate(cr, x, y);
    } else if (step == "M" || step == "L") {
      need(2);
      const double x = num(), y = num();
      if (step == "M") cairo_move_to(cr, x, y);
      else cairo_line_to(cr, x, y);
    } else if (step == "C") {
      need(6);
      double v[6];
      for (double& d : v) d = num();
      cairo_curve_to(cr, v[0], v[1], v[2], v[3], v[4], v[5]);
    } else if (step == "Z") {
      cairo_close_path(cr);
    } else if (step == "E") {
      need(4);
      const double cx = num(), cy = num(), rx = num(), ry = num();
      cairo_matrix_t saved;
      cairo_get_matrix(cr, &saved);
      cairo_translate(cr, cx, cy);
      cairo_scale(cr, rx, ry);
      cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
      cairo_set_matrix(cr, &saved);
    } else if (step == "fill") {
      need(2);
      colour(cr, argv[i++]);
      cairo_set_antialias(cr, num() != 0 ? CAIRO_ANTIALIAS_DEFAULT : CAIRO_ANTIALIAS_NONE);
      cairo_fill(cr);
    } else if (step == "stroke") {
      need(5);
      colour(cr, argv[i++]);
      cairo_set_line_width(cr, num());
      cairo_set_line_join(cr, cairo_line_join_t(int(num())));
      cairo_set_line_cap(cr, cairo_line_cap_t(int(num())));
      cairo_set_antialias(cr, num() != 0 ? CAIRO_ANTIALIAS_DEFAULT : CAIRO_ANTIALIAS_NONE);
      cairo_set_dash(cr, nullptr, 0, 0);
      if (i < argc && std::string(argv[i]) == "dash") {
        ++i;
        need(2);
        const double offset = num();
        const int n = int(num());
        need(n);
        std::vector<double> d;
        for (int k = 0; k < n; ++k) d.push_back(num());
        cairo_set_dash(cr, d.data(), n, offset);
      }
      cairo_stroke(cr);
    } else {
      usage();
    }
  }
  const bool ok = cairo_status(cr) == CAIRO_STATUS_SUCCESS && cairo_surface_write_to_png(s, argv[1]) == CAIRO_STATUS_SUCCESS;
  cairo_destroy(cr);
  cairo_surface_destroy(s);
  return ok ? 0 : 1;
}

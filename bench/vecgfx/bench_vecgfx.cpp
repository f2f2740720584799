// The vector paths through the cairo plug-in beside the player, called as a program calls them,
// into a selected 512 x 512 brush, beside direct cairo 1.16 drawing the same into a 512 x 512
// ARGB32 image in the same run:
//   1. DrawPath of a 1000-segment dashed polyline, width 3, round joins, anti-aliased (cairo:
//      the same strokes);
//   2. informational: the same polyline filled, crossing itself many thousand times (cairo: the
//      same fill);
//   3. StartPath, AddTextToPath("Hello World") in Vera at 48 and DrawPath (cairo: FreeType's
//      outlines of the same glyphs, unhinted, filled);
//   4. informational: a ForcePathUse Circle of radius 100 beside the shape renderer's Circle.
// Best of interleaved rounds; ratio = our time / the peer's (1.0 or below: parity or better).
#include <cairo.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "display/brush.h"
#include "display/display.h"
#include "display/target.h"
#include "draw/draw.h"
#include "draw/paths.h"
#include "engine/vm.h"
#include "platform/platform.h"
#include "runtime/errors.h"
#include "text/text.h"

namespace {

using namespace qm;

constexpr int32_t kSize = 512;
constexpr int32_t kSegments = 1000;

double now_s() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

qmState* g_L = nullptr;

struct Arg {
  double number = 0;
  const char* text = nullptr;
  Arg(double n) : number(n) {}
  Arg(int n) : number(n) {}
  Arg(const char* t) : text(t) {}
};

void command(const char* name, std::initializer_list<Arg> args) {
  vm_set_top(g_L, 0);
  vm_push_string(g_L, name);
  vm_get_table(g_L, QM_GLOBALSINDEX);
  for (const Arg& a : args) {
    if (a.text) vm_push_string(g_L, a.text);
    else vm_push_number(g_L, a.number);
  }
  if (const int32_t err = vm_pcall(g_L, int32_t(args.size()), 0, 0)) {
    std::fprintf(stderr, "bench_vecgfx: %s failed with %d\n", name, err);
    std::exit(1);
  }
}

// The polyline's points, the same on both sides.
std::vector<double> polyline() {
  std::vector<double> xy;
  uint32_t seed = 7;
  for (int32_t i = 0; i <= kSegments; ++i) {
    seed = seed * 1103515245u + 12345u;
    xy.push_back(10 + double((seed >> 8) % 490));
    seed = seed * 1103515245u + 12345u;
    xy.push_back(10 + double((seed >> 8) % 490));
  }
  return xy;
}

struct Cairo {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kSize, kSize);
  cairo_t* cr = cairo_create(surface);
  FT_Library ft = nullptr;
  FT_Face face = nullptr;
  Cairo() {
    if (FT_Init_FreeType(&ft) || FT_New_Face(ft, "/usr/share/fonts/truetype/ttf-bitstream-vera/Vera.ttf", 0, &face) ||
        FT_Set_Char_Size(face, 0, 48 * 64, 72, 72)) {
      std::fprintf(stderr, "bench_vecgfx: no Vera\n");
      std::exit(1);
    }
  }
  ~Cairo() {
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
    FT_Done_Face(face);
    FT_Done_FreeType(ft);
  }
};

// FreeType's outlines of the text into cairo's path, quadratic pieces as cubics.
void outlines(cairo_t* cr, FT_Face face, const char* text, double x, double y) {
  struct Pen {
    cairo_t* cr;
    double x, y, lx = 0, ly = 0;
  };
  static Pen pen{nullptr, 0, 0};
  pen = Pen{cr, x, y};
  FT_Outline_Funcs f{};
  f.move_to = [](const FT_Vector* to, void*) {
    cairo_close_path(pen.cr);
    pen.lx = pen.x + to->x / 64.0, pen.ly = pen.y - to->y / 64.0;
    cairo_move_to(pen.cr, pen.lx, pen.ly);
    return 0;
  };
  f.line_to = [](const FT_Vector* to, void*) {
    pen.lx = pen.x + to->x / 64.0, pen.ly = pen.y - to->y / 64.0;
    cairo_line_to(pen.cr, pen.lx, pen.ly);
    return 0;
  };
  f.conic_to = [](const FT_Vector* c, const FT_Vector* to, void*) {
    const double cx = pen.x + c->x / 64.0, cy = pen.y - c->y / 64.0, tx = pen.x + to->x / 64.0, ty = pen.y - to->y / 64.0;
    cairo_curve_to(pen.cr, pen.lx + 2.0 / 3 * (cx - pen.lx), pen.ly + 2.0 / 3 * (cy - pen.ly), tx + 2.0 / 3 * (cx - tx),
                   ty + 2.0 / 3 * (cy - ty), tx, ty);
    pen.lx = tx, pen.ly = ty;
    return 0;
  };
  f.cubic_to = [](const FT_Vector* a, const FT_Vector* b, const FT_Vector* to, void*) {
    pen.lx = pen.x + to->x / 64.0, pen.ly = pen.y - to->y / 64.0;
    cairo_curve_to(pen.cr, pen.x + a->x / 64.0, pen.y - a->y / 64.0, pen.x + b->x / 64.0, pen.y - b->y / 64.0, pen.lx,
                   pen.ly);
    return 0;
  };
  for (const char* p = text; *p; ++p) {
    if (FT_Load_Glyph(face, FT_Get_Char_Index(face, FT_ULong(uint8_t(*p))), FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP)) continue;
    FT_Outline_Decompose(&face->glyph->outline, &f, nullptr);
    cairo_close_path(cr);
    pen.x += face->glyph->linearHoriAdvance / 65536.0;
  }
}

bool open_player() {
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  if (platform_init() != 0) return false;
  g_L = vm_open();
  err_install(g_L);
  if (display_init(g_L) || brush_init(g_L) || draw_open(g_L) || text_open(g_L) || vectorgraphics_init(g_L)) return false;
  if (register_plugin_formats(g_L, PLAYER_DIR "/player") != 0 || !plugin_vector_graphics()) return false;
  qmDisplay* d = nullptr;
  if (display_create(nullptr, ObjectId{2, nullptr}, 0, &d) != 0) return false;
  d->win.flags |= WINFLAG_BORDERLESS;
  if (display_size_change(nullptr, d, 0, 0, 640, 480, true, false, true) != 0) return false;
  if (display_prepare(nullptr, d) != 0 || display_open(nullptr, d, 1) != 0) return false;
  display_make_current(d);
  qmBrush* target = nullptr;
  if (brush_new(ObjectId{100, nullptr}, kSize, kSize, 0, false, false, true, false, &target) != 0) return false;
  return drawtarget_select(g_L, OBJ_BRUSH, ObjectId{100, nullptr}, TARGET_PICTURE, 0, SELMODE_NORMAL, 0) == 0;
}

// Best seconds per call of each side over interleaved rounds.
void compare(const char* name, int32_t calls, const std::function<void()>& ours, const std::function<void()>& peer,
             double limit) {
  double best[2] = {1e30, 1e30};
  ours();
  peer();
  for (int32_t round = 0; round < 7; ++round)
    for (int32_t side = 0; side < 2; ++side) {
      const double t0 = now_s();
      for (int32_t i = 0; i < calls; ++i) (side == 0 ? ours : peer)();
      best[side] = std::min(best[side], (now_s() - t0) / calls);
    }
  const double ratio = best[0] / best[1];
  std::printf("%-44s ours %9.1f us  peer %9.1f us  ratio %5.2f%s\n", name, best[0] * 1e6, best[1] * 1e6, ratio,
              limit > 0 ? (ratio <= limit ? "" : "  (above the aim)") : "  (informational)");
}

}  // namespace

int main() {
  if (!open_player()) {
    std::fprintf(stderr, "bench_vecgfx: the player could not be set up\n");
    return 1;
  }
  Cairo cairo;
  cairo_t* cr = cairo.cr;
  const std::vector<double> xy = polyline();
  command("startpath", {1});
  command("moveto", {1, xy[0], xy[1]});
  for (size_t i = 2; i < xy.size(); i += 2) command("lineto", {1, xy[i], xy[i + 1]});
  command("setfillstyle", {0, 3});
  command("setformstyle", {16});
  command("setlinejoin", {1});
  command("setdash", {0, 10, 5});
  const double dashes[2] = {10, 5};
  compare(
      "DrawPath 1000-segment dashed polyline", 20, [] { command("drawpath", {1, 0, 0, 0xFF0000}); },
      [&] {
        cairo_set_line_width(cr, 3);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_set_dash(cr, dashes, 2, 0);
        cairo_set_antialias(cr, CAIRO_ANTIALIAS_DEFAULT);
        cairo_set_source_rgb(cr, 1, 0, 0);
        cairo_move_to(cr, xy[0], xy[1]);
        for (size_t i = 2; i < xy.size(); i += 2) cairo_line_to(cr, xy[i], xy[i + 1]);
        cairo_stroke(cr);
      },
      1.2);
  command("setdash", {0, -1});
  command("setfillstyle", {1});
  compare(
      "DrawPath the same polyline filled", 5, [] { command("drawpath", {1, 0, 0, 0xFF0000}); },
      [&] {
        cairo_set_dash(cr, nullptr, 0, 0);
        cairo_move_to(cr, xy[0], xy[1]);
        for (size_t i = 2; i < xy.size(); i += 2) cairo_line_to(cr, xy[i], xy[i + 1]);
        cairo_fill(cr);
      },
      0);
  command("setfont", {":::default_sans", 48});
  compare(
      "AddTextToPath Hello World Vera 48, DrawPath", 200,
      [] {
        command("startpath", {2});
        command("addtexttopath", {2, "Hello World"});
        command("drawpath", {2, 20, 100, 0xFFFFFF});
      },
      [&] {
        cairo_set_dash(cr, nullptr, 0, 0);
        cairo_set_source_rgb(cr, 1, 1, 1);
        outlines(cr, cairo.face, "Hello World", 20, 100);
        cairo_fill(cr);
      },
      1.2);
  compare(
      "ForcePathUse Circle r=100 vs Circle", 200,
      [] {
        command("forcepathuse", {1});
        command("circle", {50, 50, 100, 0x00FF00});
      },
      [] {
        command("forcepathuse", {0});
        command("circle", {50, 50, 100, 0x00FF00});
      },
      0);
  path_free_all(g_L);
  return 0;
}

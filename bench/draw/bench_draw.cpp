// The draw commands, called as a program calls them, into a selected 512 x 512 brush, beside cairo
// 1.16 drawing the same shapes into a 512 x 512 ARGB32 image in the same run:
//   1. a filled 256 x 256 box without anti-aliasing (cairo_rectangle and fill);
//   2. a filled circle of radius 200 without anti-aliasing (cairo_arc and fill);
//   3. the same circle anti-aliased with an edge of 4 and a shadow of 8 (cairo fills the shadow,
//      strokes the edge 8 wide and fills the circle, ANTIALIAS_GRAY);
//   4. a 999-vertex star polygon, anti-aliased (cairo's even-odd fill);
//   5. 10^4 one-pixel lines (cairo's 1-pixel strokes without anti-aliasing).
// Best of interleaved rounds; ratio = our time / cairo's (1.0 or below: parity or better). Then,
// unless --no-count, callgrind counts the instructions of 2 and 3 on both sides (run as
// `bench_draw --count N SIDE` under valgrind).
#include <cairo.h>
#include <valgrind/callgrind.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include <unistd.h>

#include "display/brush.h"
#include "display/display.h"
#include "display/target.h"
#include "draw/draw.h"
#include "engine/vm.h"
#include "platform/platform.h"
#include "runtime/errors.h"

namespace {

using namespace qm;

constexpr int32_t kSize = 512;
constexpr int32_t kLines = 10000;

double now_s() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

qmState* g_L = nullptr;

// Calls a command with number arguments, a table of numbers standing in for the argument at
// position table_at (from 1) when given.
void command(const char* name, std::initializer_list<double> args, const std::vector<double>* table = nullptr,
             int32_t table_at = 0) {
  vm_set_top(g_L, 0);
  vm_push_string(g_L, name);
  vm_get_table(g_L, QM_GLOBALSINDEX);
  int32_t n = 0;
  for (double a : args) {
    if (table && ++n == table_at) {
      vm_new_table(g_L);
      for (size_t i = 0; i < table->size(); ++i) {
        vm_push_number(g_L, (*table)[i]);
        vm_raw_seti(g_L, -2, int32_t(i));
      }
      continue;
    }
    vm_push_number(g_L, a);
  }
  if (vm_pcall(g_L, int32_t(args.size()), 0, 0) != 0) {
    std::fprintf(stderr, "bench_draw: %s failed\n", name);
    std::exit(1);
  }
}

// A star of `vertices` corners about the middle, as x, y pairs relative to its box.
std::vector<double> star(int32_t vertices) {
  std::vector<double> xy;
  const double pi = std::acos(-1.0);
  for (int32_t i = 0; i < vertices; ++i) {
    const double r = (i % 2) ? 90.0 : 240.0, a = 2 * pi * i / vertices;
    xy.push_back(std::round(250 + r * std::cos(a)));
    xy.push_back(std::round(250 + r * std::sin(a)));
  }
  return xy;
}

struct Cairo {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kSize, kSize);
  cairo_t* cr = cairo_create(surface);
  ~Cairo() {
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
  }
  void colour(unsigned c) {
    cairo_set_source_rgb(cr, ((c >> 16) & 255) / 255.0, ((c >> 8) & 255) / 255.0, (c & 255) / 255.0);
  }
};

// The five operations on both sides. The star and the line ends are made once.
struct Ops {
  Cairo cairo;
  std::vector<double> star_xy = star(999);
  std::vector<int32_t> ends;
  Ops() {
    uint32_t seed = 1;
    for (int32_t i = 0; i < 4 * kLines; ++i) {
      seed = seed * 1103515245u + 12345u;
      ends.push_back(int32_t((seed >> 8) % kSize));
    }
  }
  void style(bool aa, bool effects) {
    command("setformstyle", {1});
    command("setfillstyle", {1});
    if (aa) command("setformstyle", {16});
    if (effects) {
      command("setformstyle", {64, 0xFF8000, 4});
      command("setformstyle", {32, 0x808080, 8, 3});
    }
  }
  void circle_cairo(bool aa, bool effects) {
    cairo_t* cr = cairo.cr;
    cairo_set_antialias(cr, aa ? CAIRO_ANTIALIAS_GRAY : CAIRO_ANTIALIAS_NONE);
    const double c = 6 + 200.5;
    if (effects) {
      cairo.colour(0x808080);
      cairo_arc(cr, c + 8, c + 8, 204, 0, 2 * M_PI);
      cairo_fill(cr);
      cairo.colour(0xFF8000);
      cairo_set_line_width(cr, 8);
      cairo_arc(cr, c, c, 200, 0, 2 * M_PI);
      cairo_stroke(cr);
    }
    cairo.colour(0xFF0000);
    cairo_arc(cr, c, c, 200, 0, 2 * M_PI);
    cairo_fill(cr);
  }
  std::function<void()> ours(int32_t op) {
    switch (op) {
      case 1: return [this] { command("box", {100, 100, 256, 256, 0x00FF00}); };
      case 2: return [this] { command("circle", {6, 6, 200, 0xFF0000}); };
      case 3: return [this] { command("circle", {6, 6, 200, 0xFF0000}); };
      case 4: return [this] { command("polygon", {6, 6, 0, 999, 0x00FFFF}, &star_xy, 3); };
      default:
        return [this] {
          for (int32_t i = 0; i < kLines; ++i)
            command("line", {double(ends[4 * i]), double(ends[4 * i + 1]), double(ends[4 * i + 2]),
                             double(ends[4 * i + 3]), 0xFFFFFF});
        };
    }
  }
  std::function<void()> peer(int32_t op) {
    cairo_t* cr = cairo.cr;
    switch (op) {
      case 1:
        return [this, cr] {
          cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
          cairo.colour(0x00FF00);
          cairo_rectangle(cr, 100, 100, 256, 256);
          cairo_fill(cr);
        };
      case 2: return [this] { circle_cairo(false, false); };
      case 3: return [this] { circle_cairo(true, true); };
      case 4:
        return [this, cr] {
          cairo_set_antialias(cr, CAIRO_ANTIALIAS_GRAY);
          cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
          cairo.colour(0x00FFFF);
          for (size_t i = 0; i + 1 < star_xy.size(); i += 2) cairo_line_to(cr, 6.5 + star_xy[i], 6.5 + star_xy[i + 1]);
          cairo_close_path(cr);
          cairo_fill(cr);
        };
      default:
        return [this, cr] {
          cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
          cairo_set_line_width(cr, 1);
          cairo.colour(0xFFFFFF);
          for (int32_t i = 0; i < kLines; ++i) {
            cairo_move_to(cr, ends[4 * i] + 0.5, ends[4 * i + 1] + 0.5);
            cairo_line_to(cr, ends[4 * i + 2] + 0.5, ends[4 * i + 3] + 0.5);
            cairo_stroke(cr);
          }
        };
    }
  }
  void prepare(int32_t op) { style(op == 3 || op == 4, op == 3); }
};

const char* const kNames[] = {"", "box 256x256", "circle r=200", "circle r=200 aa edge shadow", "star 999 aa",
                              "10^4 lines"};

bool open_player() {
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  if (platform_init() != 0) return false;
  g_L = vm_open();
  err_install(g_L);
  if (display_init(g_L) || brush_init(g_L) || draw_open(g_L)) return false;
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

// One side of one operation under callgrind: instrumented from here to the end of the loop.
int count(int32_t op, bool ours, int32_t n) {
  Ops ops;
  ops.prepare(op);
  auto f = ours ? ops.ours(op) : ops.peer(op);
  f();
  CALLGRIND_ZERO_STATS;
  CALLGRIND_START_INSTRUMENTATION;
  for (int32_t i = 0; i < n; ++i) f();
  CALLGRIND_STOP_INSTRUMENTATION;
  CALLGRIND_DUMP_STATS;
  return 0;
}

// Instructions per call of one side of an operation: the child runs under callgrind, whose last
// dump holds the loop alone. 0 when valgrind is missing.
double instructions(const char* self, int32_t op, bool ours, int32_t n) {
  const std::string dir = "/tmp/bench_draw." + std::to_string(getpid());
  const std::string cmd = "mkdir -p " + dir + " && valgrind --tool=callgrind --instr-atstart=no --callgrind-out-file=" +
                          dir + "/out.%p " + self + " --count " + std::to_string(op) + (ours ? " ours " : " cairo ") +
                          std::to_string(n) + " >/dev/null 2>&1";
  if (std::system(cmd.c_str()) != 0) return 0;
  const std::string grep = "cat " + dir + "/out.* | awk '/^totals:/ && $2 > s { s = $2 } END { print s + 0 }'; rm -rf " + dir;
  FILE* p = popen(grep.c_str(), "r");
  double total = 0;
  if (p) {
    if (std::fscanf(p, "%lf", &total) != 1) total = 0;
    pclose(p);
  }
  return total / n;
}

}  // namespace

int main(int argc, char** argv) {
  if (!open_player()) {
    std::fprintf(stderr, "bench_draw: no player to draw with\n");
    return 1;
  }
  if (argc == 5 && std::string(argv[1]) == "--count")
    return count(std::atoi(argv[2]), std::string(argv[3]) == "ours", std::atoi(argv[4]));
  Ops ops;
  std::printf("%-30s %10s %10s %7s  (microseconds per call; ratio ours / cairo)\n", "shape", "ours", "cairo", "ratio");
  for (int32_t op = 1; op <= 5; ++op) {
    ops.prepare(op);
    const auto a = ops.ours(op), b = ops.peer(op);
    const int n = op == 5 ? 3 : 30;
    double best_a = 1e30, best_b = 1e30;
    for (int round = 0; round < 7; ++round) {
      for (int k = 0; k < n; ++k) a();
      double t0 = now_s();
      for (int k = 0; k < n; ++k) a();
      best_a = std::min(best_a, (now_s() - t0) * 1e6 / n);
      for (int k = 0; k < n; ++k) b();
      t0 = now_s();
      for (int k = 0; k < n; ++k) b();
      best_b = std::min(best_b, (now_s() - t0) * 1e6 / n);
    }
    std::printf("%-30s %10.1f %10.1f %7.2f\n", kNames[op], best_a, best_b, best_b > 0 ? best_a / best_b : 0.0);
  }
  if (!(argc == 2 && std::string(argv[1]) == "--no-count")) {
    std::printf("\n%-30s %10s %10s %7s  (instructions per call, callgrind)\n", "shape", "ours", "cairo", "ratio");
    for (int32_t op : {2, 3}) {
      const double a = instructions(argv[0], op, true, 20), b = instructions(argv[0], op, false, 20);
      if (a == 0 || b == 0) {
        std::printf("%-30s (valgrind not available)\n", kNames[op]);
        continue;
      }
      std::printf("%-30s %10.0f %10.0f %7.2f\n", kNames[op], a, b, a / b);
    }
  }
  platform_exit();
  return 0;
}

// The text library beside FreeType and cairo 1.16 in the same run, all in Bitstream Vera Sans at
// size 16 (the engine's pixel size for it on the peers' side):
//   1. TextWidth of 1000 characters with the glyph cache on, against a FreeType loop of
//      FT_Load_Char with the unfitted kerning of each pair (bound 0.5);
//   2. TextOut of a 10 KB text with colour tags, wrapped at 400 pixels, anti-aliased, into a
//      selected 640 x 480 brush, against cairo_show_text drawing the same runs at the same places
//      into a 640 x 480 ARGB32 image (bound 1.0);
//   3. 1000 Print lines of 60 characters (the direct path), against cairo drawing the same lines
//      (bound 1.0);
//   4. the soft edge of sizes 2, 8 and 64 on a 400 x 60 run of Vera at 40 pixels, anti-aliased
//      (text_coverage_spread), against OpenCV 4.6's cv::boxFilter summing the same padded coverage
//      into 32-bit sums over the same (2s + 1)^2 square (bound 1.0 each);
//   5. the hard edge of size 8 (text_mask_dilate on the run's bits) against cv::dilate of the same
//      padded mask by the same square (bound 1.0);
//   6. TextOut of a 48 pixel line with EDGE 8 and SHADOW beside the plain TextOut of the same line
//      (for information: what the effects cost).
// Best of interleaved rounds; ratio = our time / the peer's (below 1.0: we are faster).
#include <cairo-ft.h>
#include <cairo.h>
#include <opencv2/imgproc.hpp>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <variant>
#include <vector>

#include "display/brush.h"
#include "display/display.h"
#include "display/target.h"
#include "draw/draw.h"
#include "engine/vm.h"
#include "platform/platform.h"
#include "runtime/errors.h"
#include "stdlib/stdlib.h"
#include "text/edges.h"
#include "text/font_driver.h"
#include "text/layout.h"
#include "text/text.h"
#include "text/truetype.h"

namespace {

using namespace qm;

constexpr int32_t kWidth = 640, kHeight = 480;
const char* const kVera = "/usr/share/fonts/truetype/ttf-bitstream-vera/Vera.ttf";

double now_s() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

qmState* g_L = nullptr;

using Arg = std::variant<double, std::string>;

void command(const char* name, std::initializer_list<Arg> args) {
  vm_set_top(g_L, 0);
  vm_push_string(g_L, name);
  vm_get_table(g_L, QM_GLOBALSINDEX);
  for (const Arg& a : args) {
    if (const double* d = std::get_if<double>(&a))
      vm_push_number(g_L, *d);
    else
      vm_push_lstring(g_L, std::get<std::string>(a).data(), std::get<std::string>(a).size());
  }
  if (vm_pcall(g_L, int32_t(args.size()), 0, 0) != 0) {
    std::fprintf(stderr, "bench_text: %s failed\n", name);
    std::exit(1);
  }
}

bool open_player() {
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  if (platform_init() != 0) return false;
  g_L = vm_open();
  err_install(g_L);
  runtime_flags().quiet = true;
  if (string_open(g_L) || display_init(g_L) || brush_init(g_L) || draw_open(g_L) || text_open(g_L))
    return false;
  qmDisplay* d = nullptr;
  if (display_create(nullptr, ObjectId{2, nullptr}, 0, &d) != 0) return false;
  if (display_prepare(nullptr, d) != 0 || display_open(nullptr, d, 1) != 0) return false;
  display_make_current(d);
  qmBrush* target = nullptr;
  if (brush_new(ObjectId{100, nullptr}, kWidth, kHeight, 0, false, false, true, false, &target) !=
      0)
    return false;
  return drawtarget_select(g_L, OBJ_BRUSH, ObjectId{100, nullptr}, TARGET_PICTURE, 0,
                           SELMODE_NORMAL, 0) == 0;
}

const char* const kWords[] = {"quillmere", "text",   "of",    "many", "words", "wrapped",
                              "at",        "the",    "width", "Vera", "draws", "AVATAR",
                              "glyphs",    "kerned", "fine",  "and",  "plain"};

// Words separated by blanks, up to n characters.
std::string words(size_t n, uint32_t seed) {
  std::string s;
  while (s.size() < n) {
    seed = seed * 1103515245u + 12345u;
    if (!s.empty()) s += ' ';
    s += kWords[(seed >> 8) % (sizeof kWords / sizeof kWords[0])];
  }
  s.resize(n);
  return s;
}

// The same text with every fifth word or so in orange.
std::string tagged(size_t n) {
  std::string plain = words(n, 7), out;
  size_t count = 0, from = 0;
  while (from < plain.size()) {
    size_t end = plain.find(' ', from);
    if (end == std::string::npos) end = plain.size();
    const std::string word = plain.substr(from, end - from);
    out += ++count % 5 == 0 ? "[color=$FF8000]" + word + "[/color]" : word;
    if (end < plain.size()) out += ' ';
    from = end + 1;
  }
  return out;
}

std::string utf8(const std::string& latin1) {
  std::string s;
  for (unsigned char c : latin1) {
    if (c < 0x80)
      s += char(c);
    else
      s += char(0xC0 | (c >> 6)), s += char(0x80 | (c & 0x3F));
  }
  return s;
}

struct Cairo {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kWidth, kHeight);
  cairo_t* cr = cairo_create(surface);
  cairo_font_face_t* font = nullptr;
  explicit Cairo(int32_t pixels) {
    FT_Init_FreeType(&library);
    FT_New_Face(library, kVera, 0, &face);
    font = cairo_ft_font_face_create_for_ft_face(face, 0);
    cairo_set_font_face(cr, font);
    cairo_set_font_size(cr, pixels);
  }
  ~Cairo() {
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
    cairo_font_face_destroy(font);
    FT_Done_Face(face);
    FT_Done_FreeType(library);
  }
  void colour(uint32_t c) {
    cairo_set_source_rgb(cr, ((c >> 16) & 255) / 255.0, ((c >> 8) & 255) / 255.0,
                         (c & 255) / 255.0);
  }
};

struct Line {
  std::string text;  // UTF-8
  double x, y;       // the pen on the baseline
  uint32_t colour;
};

// Interleaved rounds; returns our best and the peer's best in milliseconds.
void compare(const char* what, double bound, int rounds, const std::function<void()>& ours,
             const std::function<void()>& peer) {
  double a = 1e30, b = 1e30;
  ours(), peer();
  for (int i = 0; i < rounds; ++i) {
    double t0 = now_s();
    ours();
    a = std::min(a, now_s() - t0);
    t0 = now_s();
    peer();
    b = std::min(b, now_s() - t0);
  }
  if (bound > 0.0)
    std::printf("%-40s %10.3f %10.3f %7.2f  (<= %.1f)\n", what, a * 1e3, b * 1e3, a / b, bound);
  else
    std::printf("%-40s %10.3f %10.3f %7.2f  (information)\n", what, a * 1e3, b * 1e3, a / b);
}

// 4 to 6: the edges against OpenCV, and what EDGE and SHADOW cost in a TextOut.
void edges() {
  constexpr int32_t kRunW = 400, kRunH = 60;
  qmFont* vera = nullptr;
  if (font_open_cached(":::default_sans", 40, FONTENGINE_INBUILT, 1, 0, &vera) != 0) std::exit(1);
  cv::Mat run(kRunH, kRunW, CV_8U, cv::Scalar(0));
  qmFontTarget target;
  target.plane = run.data;
  target.bytes_per_row = int32_t(run.step);
  target.width = kRunW, target.height = kRunH;
  const std::string line = "Quillmere edges, bold & soft";
  if (font_render(vera, target, 4, 6, line.data(), line.size(), FONTSTYLE_ANTIALIAS, 0,
                  qmClipRect{0, 0, kRunW, kRunH}, FONTRENDER_COVERAGE) != 0)
    std::exit(1);
  for (const int32_t s : {2, 8, 64}) {
    const int32_t k = 2 * s + 1;
    cv::Mat padded, sums;
    cv::copyMakeBorder(run, padded, s, s + 1, s, s + 1, cv::BORDER_CONSTANT, 0);
    std::vector<uint8_t> out(size_t(kRunW + k) * size_t(kRunH + k));
    const std::string what = "soft edge " + std::to_string(s) + ", cv::boxFilter CV_32S";
    compare(
        what.c_str(), 1.0, 200,
        [&] {
          text_coverage_spread(run.data, int32_t(run.step), kRunW, kRunH, s, out.data(), kRunW + k);
        },
        [&] {
          cv::boxFilter(padded, sums, CV_32S, cv::Size(k, k), cv::Point(-1, -1), false,
                        cv::BORDER_CONSTANT);
        });
  }
  const int32_t s = 8, k = 2 * s + 1;
  qmMask* bits = qmos_alloc_mask(kRunW, kRunH, 1);
  qmMask* grown = qmos_alloc_mask(kRunW + k, kRunH + k, 1);
  cv::Mat mask = run > 127, padded, dilated;
  for (int32_t y = 0; y < kRunH; ++y)
    for (int32_t x = 0; x < kRunW; ++x)
      if (mask.at<uint8_t>(y, x)) mask_bit_set(bits->data + ptrdiff_t(y) * bits->bytes_per_row, x);
  cv::copyMakeBorder(mask, padded, s, s + 1, s, s + 1, cv::BORDER_CONSTANT, 0);
  const cv::Mat square = cv::getStructuringElement(cv::MORPH_RECT, cv::Size(k, k));
  compare(
      "hard edge 8, cv::dilate", 1.0, 200, [&] { text_mask_dilate(bits, kRunW, kRunH, s, grown); },
      [&] { cv::dilate(padded, dilated, square, cv::Point(-1, -1), 1, cv::BORDER_CONSTANT, 0); });
  qmos_free_mask(bits);
  qmos_free_mask(grown);
  command("setfont", {std::string(":::default_sans"), 48.0});
  const std::string text = "Edges and shadows at 48";
  compare(
      "TextOut 48 px EDGE 8 + SHADOW, plain", 0.0, 50,
      [&] {
        command("setfontstyle", {1.0});
        command("setfontstyle", {16.0});
        command("setfontstyle", {64.0, double(0x0093DD), 8.0});
        command("setfontstyle", {32.0, double(0x404040), 4.0, 3.0});
        command("textout", {10.0, 100.0, text});
      },
      [&] {
        command("setfontstyle", {1.0});
        command("setfontstyle", {16.0});
        command("textout", {10.0, 100.0, text});
      });
}

}  // namespace

int main() {
  if (!open_player()) {
    std::fprintf(stderr, "bench_text: no player to draw with\n");
    return 1;
  }
  command("setfont", {std::string(":::default_sans"), 16.0});
  qmFont* font = text_get_current_font();
  const int32_t pixels = ttf_pixel_size(font);
  Cairo cairo(pixels);
  std::printf("%-40s %10s %10s %7s\n", "", "ours ms", "peer ms", "ratio");

  // 1. Widths.
  const std::string thousand = words(1000, 3);
  compare(
      "TextWidth, 1000 characters", 0.5, 50, [&] { command("textwidth", {thousand}); },
      [&] {
        FT_Face face = cairo.face;
        FT_Set_Pixel_Sizes(face, FT_UInt(pixels), 0);
        int64_t pen = 0;
        FT_UInt prev = 0;
        for (unsigned char c : thousand) {
          const FT_UInt index = FT_Get_Char_Index(face, c);
          FT_Vector kern{0, 0};
          if (prev) FT_Get_Kerning(face, prev, index, FT_KERNING_UNFITTED, &kern);
          FT_Load_Char(face, c, FT_LOAD_DEFAULT);
          pen += (face->glyph->advance.x + kern.x) / 64;
          prev = index;
        }
        if (pen < 0) std::printf("?");
      });

  // 2. A tagged text wrapped at 400 pixels: cairo draws the runs our layout made.
  command("setfontstyle", {16.0});
  command("setfontcolor", {double(0xFFFFFF)});
  const std::string text = tagged(10240);
  qmTextJob job;
  job.style = text_get_style();
  job.text = text;
  job.right_margin = 400;
  qmTextLayout layout;
  if (text_layout(g_L, job, TEXTKIND_TEXTOUT, false, false, &layout) != 0) return 1;
  std::vector<Line> runs;
  for (const qmTextRun& r : layout.runs)
    runs.push_back({utf8(layout.chars.substr(r.start, r.length)), 10.0 + r.x,
                    double(r.y + font->baseline), r.style.colour});
  auto draw = [&](const std::vector<Line>& lines) {
    for (const Line& l : lines) {
      cairo.colour(l.colour);
      cairo_move_to(cairo.cr, l.x, l.y);
      cairo_show_text(cairo.cr, l.text.c_str());
    }
  };
  compare(
      "TextOut, 10 KB tagged, wrapped at 400", 1.0, 20,
      [&] {
        command("textout", {10.0, 0.0, text, -90000.0, 400.0});
      },
      [&] { draw(runs); });

  // 3. Print lines, the cursor back at the top when the picture is full.
  std::vector<std::string> texts;
  std::vector<Line> lines;
  for (int32_t i = 0; i < 1000; ++i) {
    texts.push_back(words(60, uint32_t(i) + 11));
    lines.push_back({texts.back(), 0.0, double((i % 29) * 16 + font->baseline), 0xFFFFFF});
  }
  compare(
      "Print, 1000 lines of 60 characters", 1.0, 10,
      [&] {
        for (int32_t i = 0; i < 1000; ++i) {
          command("locate", {0.0, double((i % 29) * 16)});
          command("print", {texts[size_t(i)]});
        }
      },
      [&] { draw(lines); });
  edges();
  text_cleanup(g_L);
  platform_exit();
  return 0;
}

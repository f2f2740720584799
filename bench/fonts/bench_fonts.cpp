// The font driver's speed beside FreeType's and fontconfig's own work, measured in the same run:
// drawing 1000 glyphs with and without the glyph cache against a plain FreeType loop (with
// ftbench's render rate for Vera beside it), quill against copying 8x8 cells, font discovery
// against fontconfig's scan of the same files, and opening a face against FreeType opening it and
// rendering what the open measures. Each line gives ours / peer in time (below 1.0: we are
// faster) and the bound it should keep.
#include <fontconfig/fontconfig.h>
// fcfreetype.h needs fontconfig.h and FreeType before it.
#include <ft2build.h>
#include FT_FREETYPE_H

#include <fontconfig/fcfreetype.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "gfx/bitmap.h"
#include "platform/fonts.h"
#include "text/bitmap_font.h"
#include "text/font_driver.h"
#include "text/quill_glyphs.h"
#include "text/truetype.h"

namespace {

using Clock = std::chrono::steady_clock;

// The best of `rounds` runs of each side, taken in turns so that both see the same machine.
template <typename Ours, typename Peer>
void compare(const char* what, int rounds, double bound, Ours ours, Peer peer,
             const char* note = "") {
  double best_ours = 1e30, best_peer = 1e30;
  for (int i = 0; i < rounds; ++i) {
    auto t0 = Clock::now();
    ours();
    auto t1 = Clock::now();
    peer();
    auto t2 = Clock::now();
    best_ours = std::min(best_ours, std::chrono::duration<double>(t1 - t0).count());
    best_peer = std::min(best_peer, std::chrono::duration<double>(t2 - t1).count());
  }
  std::printf("%-34s %10.3f %10.3f %8.2f  (<= %.1f)%s\n", what, best_ours * 1e3, best_peer * 1e3,
              best_ours / best_peer, bound, note);
}

struct Plane {
  int32_t w, h, row;
  std::vector<uint8_t> bytes;
  Plane(int32_t width, int32_t height, bool aa)
      : w(width),
        h(height),
        row(aa ? width : qm::mask_bytes_per_row(width)),
        bytes(size_t(row) * size_t(h)) {}
  qmFontTarget target() {
    qmFontTarget t;
    t.plane = bytes.data();
    t.bytes_per_row = row;
    t.width = w;
    t.height = h;
    return t;
  }
};

std::string latin1_text(size_t n) {
  std::string s;
  for (uint32_t c = 33; s.size() < n; c = c == 255 ? 33 : c == 126 ? 161 : c + 1) s += char(c);
  return s;
}

// A plain FreeType loop: each glyph loaded with rendering, then copied into the plane.
void freetype_loop(FT_Face face, const std::string& text, Plane& p, int32_t baseline, bool aa) {
  const FT_Int32 flags = FT_LOAD_RENDER | FT_LOAD_NO_AUTOHINT | (aa ? 0 : FT_LOAD_MONOCHROME);
  int64_t pen = 0;
  for (unsigned char c : text) {
    if (FT_Load_Char(face, c, flags) != 0) continue;
    const FT_GlyphSlot g = face->glyph;
    const int64_t x0 = pen + g->bitmap_left, y0 = baseline - g->bitmap_top;
    for (int32_t r = 0; r < int32_t(g->bitmap.rows); ++r) {
      const int64_t y = y0 + r;
      if (y < 0 || y >= p.h) continue;
      const uint8_t* src = g->bitmap.buffer + ptrdiff_t(r) * g->bitmap.pitch;
      uint8_t* dst = p.bytes.data() + y * p.row;
      for (int32_t col = 0; col < int32_t(g->bitmap.width); ++col) {
        const int64_t x = x0 + col;
        if (x < 0 || x >= p.w) continue;
        if (aa)
          dst[x] = std::max(dst[x], src[col]);
        else if ((src[col >> 3] >> (7 - (col & 7))) & 1)
          dst[x >> 3] |= uint8_t(0x80 >> (x & 7));
      }
    }
    pen += g->advance.x >> 6;
  }
}

std::string ftbench_rate(int32_t size) {
  const std::string command =
      "ftbench -p -s " + std::to_string(size) +
      " -t 0.5 -b c /usr/share/fonts/truetype/ttf-bitstream-vera/Vera.ttf 2>/dev/null";
  std::unique_ptr<FILE, int (*)(FILE*)> p(popen(command.c_str(), "r"), pclose);
  char line[256];
  double us = 0;
  while (p && std::fgets(line, sizeof line, p.get())) {
    if (std::sscanf(line, " Render %lf us/op", &us) == 1) break;
  }
  if (us <= 0) return "  (ftbench: not available)";
  char out[96];
  std::snprintf(out, sizeof out, "  ftbench renders %.0f glyphs/ms", 1e-3 / (us * 1e-6));
  return out;
}

void glyphs(FT_Library lib) {
  const std::string text = latin1_text(1000);
  for (int32_t size : {16, 48}) {
    for (bool aa : {true, false}) {
      qmFont *cached = nullptr, *plain = nullptr;
      font_open("Bitstream Vera Sans", size, FONTENGINE_INBUILT, 1, 0, &cached);
      font_open("Bitstream Vera Sans", size, FONTENGINE_INBUILT, 0, 0, &plain);
      FT_Face face;
      FT_New_Face(lib, "/usr/share/fonts/truetype/ttf-bitstream-vera/Vera.ttf", 0, &face);
      FT_Set_Pixel_Sizes(face, FT_UInt(ttf_pixel_size(cached)), 0);
      Plane p(size * 1000, size * 2, aa);
      const int32_t style = aa ? FONTSTYLE_ANTIALIAS : 0;
      const qmClipRect clip{0, 0, p.w, p.h};
      auto ours = [&](qmFont* f) {
        font_render(f, p.target(), 0, 0, text.data(), text.size(), style, FONTENCODING_LATIN1, clip,
                    FONTRENDER_COVERAGE);
      };
      auto peer = [&] { freetype_loop(face, text, p, cached->baseline, aa); };
      char what[64];
      std::snprintf(what, sizeof what, "1000 glyphs %2d px %s, cache on", size,
                    aa ? "aa  " : "mono");
      compare(
          what, 15, 0.5, [&] { ours(cached); }, peer,
          aa ? ftbench_rate(ttf_pixel_size(cached)).c_str() : "");
      std::snprintf(what, sizeof what, "1000 glyphs %2d px %s, cache off", size,
                    aa ? "aa  " : "mono");
      compare(
          what, 15, 1.1, [&] { ours(plain); }, peer);
      FT_Done_Face(face);
      font_close(cached);
      font_close(plain);
    }
  }
}

void quill() {
  constexpr int32_t kLines = 100, kPerLine = 1000;
  const std::string text = latin1_text(kPerLine);
  Plane p(kPerLine * 8, kLines * 8, false);
  const qmClipRect clip{0, 0, p.w, p.h};
  auto ours = [&] {
    for (int32_t line = 0; line < kLines; ++line)
      font_render(nullptr, p.target(), 0, line * 8, text.data(), text.size(), 0,
                  FONTENCODING_LATIN1, clip, FONTRENDER_COVERAGE);
  };
  // The least any 8x8 font can do: each glyph's 8 rows copied into its byte-aligned cell.
  auto peer = [&] {
    for (int32_t line = 0; line < kLines; ++line) {
      for (int32_t i = 0; i < kPerLine; ++i) {
        const int32_t glyph = (unsigned char)text[size_t(i)] - kQuillFirst;
        for (int32_t r = 0; r < 8; ++r)
          std::memcpy(&p.bytes[size_t(line * 8 + r) * size_t(p.row) + size_t(i)],
                      &kQuillStrip[r * kQuillModulo + glyph], 1);
      }
    }
  };
  compare("100000 quill glyphs, 1-bit plane", 15, 2.0, ours, peer, "  vs memcpy of 8x8 cells");
}

// The font files fontconfig's directories hold, as our discovery scans them.
std::vector<std::string> font_files() {
  std::vector<std::string> files;
  FcInit();
  FcStrList* dirs = FcConfigGetFontDirs(nullptr);
  while (FcChar8* dir = FcStrListNext(dirs)) {
    std::error_code ec;
    for (const auto& e :
         std::filesystem::directory_iterator(reinterpret_cast<const char*>(dir), ec)) {
      std::string ext = e.path().extension().string();
      for (char& c : ext) c = char(std::tolower(static_cast<unsigned char>(c)));
      if (e.is_regular_file() &&
          (ext == ".ttf" || ext == ".otf" || ext == ".ttc" || ext == ".dfont"))
        files.push_back(e.path().string());
    }
  }
  FcStrListDone(dirs);
  return files;
}

void discovery() {
  const std::vector<std::string> files = font_files();
  size_t ours_count = 0;
  auto ours = [&] { ours_count = font_list_build(true).size(); };
  auto peer = [&] {
    FcFontSet* set = FcFontSetCreate();
    for (const std::string& f : files)
      FcFreeTypeQueryAll(reinterpret_cast<const FcChar8*>(f.c_str()), -1, nullptr, nullptr, set);
    FcFontSetDestroy(set);
  };
  char note[96];
  std::snprintf(note, sizeof note, "  %zu files", files.size());
  compare("font_list_build, cold", 5, 0.5, ours, peer, note);
}

void open_face(FT_Library lib) {
  const qmEmbeddedFace& sans = ttf_embedded_faces()[0];
  auto ours = [&] {
    qmFont* f = nullptr;
    font_open("Bitstream Vera Sans", 16, FONTENGINE_INBUILT, 0, 0, &f);
    font_close(f);
  };
  auto peer = [&] {
    FT_Face face;
    FT_New_Memory_Face(lib, sans.data, FT_Long(sans.size), 0, &face);
    FT_Set_Char_Size(face, 0, 100 * 64, 72, 72);
    for (FT_ULong c = 33; c < 256; ++c) FT_Load_Char(face, c, FT_LOAD_RENDER | FT_LOAD_NO_AUTOHINT);
    FT_Done_Face(face);
  };
  compare("open Vera Sans (223 renders)", 15, 1.1, ours, peer);
}

}  // namespace

int main() {
  if (font_init() != 0) return 1;
  FT_Library lib;
  if (FT_Init_FreeType(&lib) != 0) return 1;
  std::printf("%-34s %10s %10s %8s\n", "operation", "ours ms", "peer ms", "ratio");
  glyphs(lib);
  quill();
  discovery();
  open_face(lib);
  FT_Done_FreeType(lib);
  font_shutdown();
  platform_fontconfig_finish();
  return 0;
}

// Font data linked into an applet, on arbitrary bytes: opening, measuring, rendering into a 1-bit
// mask and an 8-bit plane with every synthesised style, and kerning must stay inside their
// buffers whatever the face claims about its sizes and metrics.
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/fonts.h"
#include "text/font.h"

namespace {

const uint8_t* g_data = nullptr;
size_t g_size = 0;

bool fuzz_data(const char*, std::vector<uint8_t>* out) {
  out->assign(g_data, g_data + g_size);
  return true;
}

constexpr int32_t kW = 48, kH = 24;

void render(qmFont* font, int32_t style, int32_t x, int32_t y) {
  const bool smooth = style & FONTSTYLE_ANTIALIAS;
  const int32_t row = smooth ? kW : kW / 8;
  std::vector<uint8_t> plane(size_t(row) * kH, 0);
  qmFontTarget target;
  target.plane = plane.data();
  target.bytes_per_row = row;
  target.width = kW;
  target.height = kH;
  platform_font_render(font, target, x, y, "Ag\xe9W", 4, style, 0, qmClipRect{3, 2, kW - 6, kH - 4}, -1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  g_data = data;
  g_size = size;
  platform_set_font_data_reader(fuzz_data);
  static FT_Library library = [] {
    FT_Library l = nullptr;
    FT_Init_FreeType(&l);
    return l;
  }();
  platform_font_set_library(library);
  qmFont font{};
  if (platform_font_open(":::chunk0:1*fuzz.ttf/fuzz", 16, nullptr, &font) != 1) return 0;
  qmFontExtent extent;
  platform_font_measure(&font, "Ag\xe9W", 4, FONTSTYLE_BOLD | FONTSTYLE_ITALIC, 0, &extent);
  render(&font, 0, 0, 0);
  render(&font, FONTSTYLE_ANTIALIAS | FONTSTYLE_BOLD | FONTSTYLE_ITALIC | FONTSTYLE_UNDERLINED, -7,
         5);
  platform_font_kerning(&font, "AV", 2, 0, 0);
  platform_font_close(&font);
  return 0;
}

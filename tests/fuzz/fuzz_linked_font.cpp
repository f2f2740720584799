// A font linked into an applet, on arbitrary bytes: its flags word, the length of the platform's
// own data, and what follows (a bitmap font's contents file, or font data for the platform
// engine), opened through the driver as a linked font. A bitmap contents file may name the size
// file "f", a small valid font beside the applet. The same bytes linked as a plain file go to the
// inbuilt engine as a TrueType face, drawn plain, bold and slanted, and scaled.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/endian.h"
#include "platform/fonts.h"
#include "runtime/vfile.h"
#include "tests/fuzz/scratch_folder.h"
#include "text/font_driver.h"

namespace {

// A mono font of codes 'A'..'B' and the fallback, 4-pixel glyphs 2 rows high: the header, the
// location table at pointer 154 and the strip at pointer 166.
std::vector<uint8_t> size_file() {
  std::vector<uint8_t> f(186, 0);
  qm::put_be16(&f[50], 0x0F80);
  qm::put_be16(&f[110], 2);  // y size
  qm::put_be16(&f[114], 4);  // x size
  qm::put_be16(&f[116], 1);  // baseline
  f[122] = 'A';
  f[123] = 'B';
  qm::put_be32(&f[124], 166);
  qm::put_be16(&f[128], 2);  // modulo
  qm::put_be32(&f[130], 154);
  for (uint32_t glyph = 0; glyph < 3; ++glyph) {
    f.resize(f.size() + 4);
    qm::put_be32(&f[f.size() - 4], glyph * 4 << 16 | 4);
  }
  f.insert(f.end(), {0xF0, 0x0F, 0x9F, 0xF0});
  return f;
}

void draw(qmFont* font) {
  std::vector<uint8_t> plane(40 * 20, 0);  // 320 x 20 one-bit pixels, or 40 x 20 bytes
  for (int32_t style : {0, FONTSTYLE_ANTIALIAS | FONTSTYLE_BOLD, FONTSTYLE_ITALIC}) {
    qmFontTarget target;
    target.plane = plane.data();
    target.bytes_per_row = 40;
    target.width = style & FONTSTYLE_ANTIALIAS ? 40 : 320;
    target.height = 20;
    font_render(font, target, -3, 1, "AB\xc9 g", 5, style, FONTENCODING_LATIN1,
                qmClipRect{0, 0, target.width, 20}, FONTRENDER_COVERAGE);
    qmFontExtent extent;
    font_measure(font, "AB\xc9 g", 5, style, FONTENCODING_LATIN1, &extent);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool started = [] {
    const std::vector<uint8_t> f = size_file();
    scratch_write("f", f.data(), f.size());
    platform_set_font_data_reader(file_read_whole);
    return font_init() == 0;
  }();
  if (!started) return 0;
  std::vector<uint8_t> host = {'h', 'e', 'a', 'd'};
  host.insert(host.end(), data, data + size);
  const std::string host_path = scratch_folder() + "/applet";
  scratch_write("applet", host.data(), host.size());
  char name[VFILE_NAME_SIZE];
  if (!vfile_make_chunk_name("linked", name, sizeof name, 4, size, 0, host_path.c_str())) return 0;
  const struct {
    int32_t engine, linked;
  } opens[] = {{FONTENGINE_NATIVE, 1}, {FONTENGINE_INBUILT, 0}};
  for (const auto& o : opens) {
    for (int32_t font_size : {2, 16}) {
      qmFont* font = nullptr;
      if (font_open(name, font_size, o.engine, 1, o.linked, &font) != 0) continue;
      draw(font);
      font_set_scale(font, 2.5, 0.5);
      draw(font);
      font_kerning(font, "AV", 2, 0, FONTENCODING_LATIN1);
      font_close(font);
    }
  }
  return 0;
}

// Bitmap fonts on arbitrary bytes: a contents file and the size file it names, read, measured and
// drawn in every mode. Nothing may be read outside the files nor drawn outside the planes.
// Input: a 16-bit big-endian length n, n bytes of contents file ("c.font"), then the size file
// ("f", the name the seeds' entries give).
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/endian.h"
#include "gfx/bitmap.h"
#include "tests/fuzz/scratch_folder.h"
#include "text/bitmap_font.h"
#include "text/font_driver.h"

namespace {

void draw(qmFont* font) {
  constexpr int32_t kW = 61, kH = 23;
  std::vector<uint8_t> plane(size_t(qm::mask_bytes_per_row(kW)) * kH, 0);
  qm::qmBitmap* bitmap = qm::qmos_alloc_bitmap(kW, kH);
  qmFontTarget target;
  target.plane = plane.data();
  target.bytes_per_row = qm::mask_bytes_per_row(kW);
  target.width = kW;
  target.height = kH;
  target.bitmap = bitmap;
  const char text[] = "Ag\x01\xff z";
  for (int32_t mode = FONTRENDER_COLOUR; mode <= qm::MASKOR; ++mode) {
    font_render(font, target, mode * 3 - 5, mode - 2, text, sizeof text - 1, 0, FONTENCODING_LATIN1,
                qmClipRect{1, 2, kW - 3, kH - 4}, mode);
  }
  qm::qmos_free_bitmap(bitmap);
  qmFontExtent extent;
  font_measure(font, text, sizeof text - 1, 0, FONTENCODING_LATIN1, &extent);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const size_t n = std::min<size_t>(qm::get_be16(data), size - 2);
  const std::string contents = scratch_folder() + "/c.font";
  scratch_write("c.font", data + 2, n);
  scratch_write("f", data + 2 + n, size - 2 - n);
  // The sizes the first entries ask for.
  for (size_t entry = 0; entry < 3 && 4 + entry * 260 + 258 <= n; ++entry) {
    qmFont font{};
    font.x_scale = font.y_scale = 1.0;
    if (!bitmap_font_read(contents.c_str(), qm::get_be16(data + 2 + 4 + entry * 260 + 256), &font,
                          "c"))
      continue;
    draw(&font);
    bitmap_font_close(&font);
  }
  return 0;
}

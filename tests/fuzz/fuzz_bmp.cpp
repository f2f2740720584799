// The BMP reader on any bytes: header only, then a whole load.
#include "display/codecs/codecs.h"
#include "picture_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzPictureFile f(data, size);
  int32_t w = 0, h = 0;
  qm::bmp_load(f.name, &w, &h, nullptr, nullptr);
  // Large pictures only fill canvases: the whole load runs on pictures up to 1024 x 1024.
  if (int64_t(w) * h > 1 << 20) return 0;
  uint32_t* px = nullptr;
  int32_t alpha = 0;
  if (qm::bmp_load(f.name, &w, &h, &px, &alpha) == 0) qm::qmos_free_pixels(px);
  return 0;
}

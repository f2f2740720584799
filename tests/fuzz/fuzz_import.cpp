// The importer (JPEG, TIFF, still GIF) on any bytes from memory: header only, then a whole load.
#include "display/codecs/codecs.h"
#include "picture_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  int32_t w = 0, h = 0, alpha = 0;
  qm::platform_picture_load_memory(data, size, &w, &h, nullptr, &alpha, nullptr);
  // Large pictures only fill canvases: the whole load runs on pictures up to 1024 x 1024.
  if (int64_t(w) * h > 1 << 20) return 0;
  uint32_t* px = nullptr;
  if (qm::platform_picture_load_memory(data, size, &w, &h, &px, &alpha, nullptr) == 0)
    qm::qmos_free_pixels(px);
  return 0;
}

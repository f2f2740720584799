// The ILBM reader on any bytes: header only, then a whole load with a user palette and pen.
#include <vector>

#include "display/codecs/codecs.h"
#include "picture_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzPictureFile f(data, size);
  int32_t w = 0, h = 0, trans = 0;
  qm::ilbm_load(f.name, nullptr, -1, 0, &trans, &w, &h, nullptr, nullptr);
  // Large pictures only fill canvases: the whole load runs on pictures up to 1024 x 1024.
  if (int64_t(w) * h > 1 << 20) return 0;
  // The first byte picks the palette rules, so that each of them meets every picture.
  const uint8_t rule = size ? data[0] % 4 : 0;
  std::vector<int32_t> user(257, -1);
  user[0] = 0x123456;
  uint32_t* px = nullptr;
  uint32_t* pal = nullptr;
  if (qm::ilbm_load(f.name, rule == 1 ? user.data() : nullptr, rule == 2 ? 0xFFFFFF : -1,
                    rule == 3, &trans, &w, &h, &px, &pal) == 0) {
    qm::qmos_free_pixels(px);
    qmos_free(pal);
  }
  return 0;
}
